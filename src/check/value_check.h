#pragma once

// The values of a definition that the generated code would not take as they
// were typed: the defaults of parameters and persistent variables and the
// file filters of File Open parameters, each against its type's value rule.

#include <vector>

#include "check/definition_check.h"

namespace bw {

std::vector<Finding> CheckValues(const BLOCKINFO& block);

}  // namespace bw
