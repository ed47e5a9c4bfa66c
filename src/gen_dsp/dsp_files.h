#pragma once

#include <string>
#include <vector>

#include "definition/block_info.h"
#include "generation/output_file.h"

namespace bw {

// The DSP source and header of one variant; the run hands the integer variant
// a definition switched to Integer with the integer name.
void WriteDspSource(OutputFile& file, const BLOCKINFO& block);
void WriteDspHeader(OutputFile& file, const BLOCKINFO& block);

// True for the parameter types that have a member in the DSP's PARAMS structure.
bool ParameterHasDspMember(int type);

// The names of the parameter members of the header's PARAMS structure, in
// their order: the host's real-time driver reads that order from
// "_rtparam.ini", which the run writes.
std::vector<std::string> ParameterMemberOrder(const BLOCKINFO& block);

}  // namespace bw
