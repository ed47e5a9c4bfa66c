#pragma once

#include <string>

#include "definition/block_info.h"
#include "support/generate.h"

namespace bw {

// A real-time block named Gain whose folder is directory.
inline BLOCKINFO BlockIn(const std::string& directory) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Gain";
    block.IconFilename = "Gain.ico";
    block.RealTime = 1;
    block.Directory = directory;
    return block;
}

}  // namespace bw
