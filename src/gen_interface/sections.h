#pragma once

// One writer per generated function of the interface source, in file order.

#include "definition/block_info.h"
#include "generation/output_file.h"

namespace bw {

void WriteInterfaceHead(OutputFile& file, const BLOCKINFO& block);
void WriteUserSetupProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserDefaultSetupProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserPreInitializeProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserInitializeProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserRTCompileProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserExecProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserExitProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserStopProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserResetProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserDialogProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserGetParameterListProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserSetParameterProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserSaveProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserLoadProc(OutputFile& file, const BLOCKINFO& block);
void WriteUserPaintProc(OutputFile& file, const BLOCKINFO& block);
void WriteDownloadDSPParameters(OutputFile& file, const BLOCKINFO& block);
void WriteUserControlProc(OutputFile& file, const BLOCKINFO& block);

}  // namespace bw
