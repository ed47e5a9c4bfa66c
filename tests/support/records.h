#pragma once

// Builders of a definition's records for the tests. Each appends one record
// and returns it, so a test sets any further field on the result:
//     AddParameter(block, "Gain", TYPE_FLOAT).ParameterConst = 1;

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "definition/block_info.h"

namespace bw {

inline PARAMINFO& AddParameter(BLOCKINFO& block, const std::string& name, int type = TYPE_INTEGER,
                               const std::string& defaultText = "",
                               std::vector<std::string> items = {}, int constant = 0) {
    PARAMINFO& parameter = block.Parameters[static_cast<size_t>(block.NumParameters++)];
    parameter.ParameterName = name;
    parameter.ParameterType = type;
    parameter.ParameterDefault = defaultText;
    parameter.ParameterItems = std::move(items);
    parameter.ParameterConst = constant;
    return parameter;
}

// Items in the place of the default would be read as a string's first and
// last character: the call fails to compile instead.
PARAMINFO& AddParameter(BLOCKINFO& block, const std::string& name, int type,
                        std::initializer_list<const char*> items) = delete;

inline PERSISTANTINFO& AddPersistant(BLOCKINFO& block, const std::string& name,
                                     int type = TYPE_INTEGER, const std::string& defaultText = "") {
    PERSISTANTINFO& variable = block.Persistants[static_cast<size_t>(block.NumPersistants++)];
    variable.PersistantName = name;
    variable.PersistantType = type;
    variable.PersistantDefault = defaultText;
    return variable;
}

inline LOCALARRAYINFO& AddLocalArray(BLOCKINFO& block, const std::string& name,
                                     const std::string& size = "", int precision = TYPE_INTEGER) {
    LOCALARRAYINFO& array = block.LocalArrays[static_cast<size_t>(block.NumLocalArrays++)];
    array.ArrayName = name;
    array.LocalSize = size;
    array.LocalPrecision = precision;
    return array;
}

}  // namespace bw
