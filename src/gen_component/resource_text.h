#pragma once

// Text helpers the resource and side-file generators share.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "definition/block_info.h"
#include "generation/names_and_literals.h"
#include "generation/text_contexts.h"
#include "generation/text_lines.h"

namespace bw {

// Text inside a quoted string of the resource script, as the resource
// compiler reads it back.
inline std::string ResourceString(std::string_view text) {
    return Escaped(TextContext::ResourceString, text);
}

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
