#pragma once

// What a splice would leave behind, asked before anything is written.

#include <functional>
#include <string>
#include <vector>

#include "generation/splice.h"

namespace bw {

// The sections KeepLeftovers would keep aside, found the same way; nothing
// is written but writeDefaults' scratch file.
std::vector<LeftSection> FindLeftSections(
    const SpliceRecord& record,
    const std::function<std::string(const std::vector<std::string>&)>& writeDefaults);

}  // namespace bw
