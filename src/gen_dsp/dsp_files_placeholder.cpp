// Placeholder generators: write nothing until the DSP generators arrive.
#include "gen_dsp/dsp_files.h"

namespace bw {

bool WriteDspSource(OutputFile&, const BLOCKINFO&) { return true; }
bool WriteDspHeader(OutputFile&, const BLOCKINFO&) { return true; }

}  // namespace bw
