#pragma once

// Pieces of text that several entry points of the interface source share:
// the structure locks and the local buffer declarations.

#include <string>

#include "definition/block_info.h"
#include "gen_interface/section_text.h"

namespace bw::section_text {

// The placeholders of local array i: <i>, <array name>, <type>, <zero>, <PREFIX>.
struct LocalArrayText {
    LocalArrayText(const BLOCKINFO& block, int i);
    std::string index, name, type, zero, prefix;
    std::string operator()(std::string_view line) const;
};

// "    // get pointer to block parameter structure" and the lock of pPtr,
// then an empty line.
void WriteParameterLock(OutputFile& file);
// The lock of sPtr whose failure unlocks the parameters, then an empty line.
void WriteScratchLock(OutputFile& file);
// The lock of bPtr from sPtr->hRTParam whose failure unlocks scratch and
// parameters (no comment, no empty line).
void WriteRealTimeLock(OutputFile& file);

// The typed "PtrLocal<i>" pointers of the used local arrays and "index",
// unless xDAIS leaves the local buffers to the algorithm.
void WriteLocalPointerDeclarations(OutputFile& file, const BLOCKINFO& block);

// True when the host side allocates and clears local buffers.
inline bool HasHostLocalBuffers(const BLOCKINFO& block) {
    return !block.xDAIS && block.NumLocalArrays > 0;
}

}  // namespace bw::section_text
