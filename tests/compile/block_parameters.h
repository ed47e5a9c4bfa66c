#pragma once

#include <cstddef>

#include "definition/block_info.h"
#include "support/records.h"

namespace bw {

// Finishes a block of the compile tests: each parameter described by its
// name, so that descriptions are compiled too, and the local arrays whose
// size is an expression marked, as the wizard marks them.
inline void FinishRecords(BLOCKINFO& block) {
    for (size_t i = 0; i < static_cast<size_t>(block.NumParameters); ++i) {
        block.Parameters[i].ParameterDesc = block.Parameters[i].ParameterName + " of the block";
    }
    block.DeriveLocalSizeIsExpression();
}

}  // namespace bw
