#pragma once

#include <string>
#include <utility>
#include <vector>

#include "definition/block_info.h"

namespace bw {

// Adds a parameter to the blocks the compile tests build, described by its
// name.
inline void AddParameter(BLOCKINFO& block, const std::string& name, int type,
                         const std::string& value = "", std::vector<std::string> items = {},
                         int constant = 0) {
    PARAMINFO& parameter = block.Parameters[static_cast<size_t>(block.NumParameters++)];
    parameter.ParameterName = name;
    parameter.ParameterType = type;
    parameter.ParameterDefault = value;
    parameter.ParameterItems = std::move(items);
    parameter.ParameterDesc = name + " of the block";
    parameter.ParameterConst = constant;
}

}  // namespace bw
