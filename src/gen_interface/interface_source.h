#pragma once

#include "definition/block_info.h"
#include "generation/output_file.h"

namespace bw {

// "IF" + BlockName + ".c": the host's entry points.
void WriteInterfaceSource(OutputFile& file, const BLOCKINFO& block);

}  // namespace bw
