#pragma once

// The rules by which the DSP files use an XDAIS block's algorithm definition.

#include <string>

#include "definition/block_info.h"

namespace bw::dsp {

// "XDAS_Int32 *" on a chip above 6000, else "XDAS_Int16 *".
const char* ChipIntegerPointerType(const BLOCKINFO& block);

// A parameter reaches the algorithm unless it is Char, Text, File Open or
// excluded. The creation list holds those with ParameterConst other than 2, the
// comment list those below 2, the status list (the run-time copy) those of 0.
bool ReachesAlgorithm(const PARAMINFO& parameter);
bool InCreationList(const PARAMINFO& parameter);
bool InCommentList(const PARAMINFO& parameter);
bool InStatusList(const PARAMINFO& parameter);

// The parameter's name in the algorithm's creation and status structures: its
// PARAMS member name without the leading underscore ("_Gain" gives "Gain"). A
// name with nothing usable has the member name "Parameter<index>" and no
// underscore to drop: the algorithm uses that name unchanged, so both lists
// agree on one readable name.
std::string AlgorithmSideName(const PARAMINFO& parameter, int index);

// A method the DSP source may call live with the channel pointers: returns
// XDAS_Void and takes exactly one parameter per channel, each of the chip's
// integer pointer type.
bool IsDirectlyCallable(const PROTOTYPEINFO& prototype, const BLOCKINFO& block);

}  // namespace bw::dsp
