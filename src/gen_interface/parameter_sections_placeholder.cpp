// Placeholder section writers: write nothing until the parameter, dialog and
// real-time procedures of the interface source arrive.
#include "gen_interface/sections.h"

namespace bw {

void WriteUserRTCompileProc(OutputFile&, const BLOCKINFO&) {}
void WriteUserStopProc(OutputFile&, const BLOCKINFO&) {}
void WriteUserDialogProc(OutputFile&, const BLOCKINFO&) {}
void WriteUserGetParameterListProc(OutputFile&, const BLOCKINFO&) {}
void WriteUserSetParameterProc(OutputFile&, const BLOCKINFO&) {}
void WriteUserSaveProc(OutputFile&, const BLOCKINFO&) {}
void WriteUserLoadProc(OutputFile&, const BLOCKINFO&) {}
void WriteUserPaintProc(OutputFile&, const BLOCKINFO&) {}
void WriteDownloadDSPParameters(OutputFile&, const BLOCKINFO&) {}
void WriteUserControlProc(OutputFile&, const BLOCKINFO&) {}

}  // namespace bw
