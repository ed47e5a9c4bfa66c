#pragma once

// Text helpers the resource and side-file generators share.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "definition/block_info.h"
#include "generation/shared_rules.h"

namespace bw {

using Substitution = std::pair<std::string_view, std::string>;

// The line with every placeholder replaced by its value, in one pass from the
// left, so that a value that happens to contain a placeholder stays as it is.
std::string Fill(std::string_view line, std::initializer_list<Substitution> values);

// text followed by blanks up to width characters; longer texts stay whole.
std::string PadRight(std::string_view text, size_t width);

// The parameter at a pool position, for the used entries only.
inline const PARAMINFO& ParameterAt(const BLOCKINFO& block, int index) {
    return block.Parameters[static_cast<size_t>(index)];
}

// Calls visit(position, parameter) for every used parameter, in order.
template <typename Visit>
void ForEachParameter(const BLOCKINFO& block, Visit visit) {
    for (int position : UsedParameters(block)) {
        visit(position, ParameterAt(block, position));
    }
}

}  // namespace bw
