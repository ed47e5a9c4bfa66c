#pragma once

#include "definition/block_info.h"
#include "generation/output_file.h"

namespace bw {

// The DSP source and header of one variant; the run hands the integer variant
// a definition switched to Integer with the integer name.
bool WriteDspSource(OutputFile& file, const BLOCKINFO& block);
bool WriteDspHeader(OutputFile& file, const BLOCKINFO& block);

}  // namespace bw
