#include "gen_interface/interface_source.h"

#include "gen_interface/sections.h"

namespace bw {

void WriteInterfaceSource(OutputFile& file, const BLOCKINFO& block) {
    WriteInterfaceHead(file, block);
    WriteUserSetupProc(file, block);
    WriteUserDefaultSetupProc(file, block);
    WriteUserPreInitializeProc(file, block);
    WriteUserInitializeProc(file, block);
    if (block.RealTime) {
        WriteUserRTCompileProc(file, block);
    }
    WriteUserExecProc(file, block);
    WriteUserExitProc(file, block);
    WriteUserStopProc(file, block);
    WriteUserResetProc(file, block);
    WriteUserDialogProc(file, block);
    WriteUserGetParameterListProc(file, block);
    WriteUserSetParameterProc(file, block);
    WriteUserSaveProc(file, block);
    WriteUserLoadProc(file, block);
    if (block.xDAIS) {
        WriteUserPaintProc(file, block);
    }
    if (block.RealTime) {
        WriteDownloadDSPParameters(file, block);
    }
    if (block.UserControl) {
        WriteUserControlProc(file, block);
    }
}

}  // namespace bw
