#pragma once

// Pieces of text that several entry points of the interface source share:
// the structure locks and the local buffer declarations.

#include <string>

#include "definition/block_info.h"
#include "gen_interface/section_text.h"

namespace bw::section_text {

// Gives the printer the names of local array i until the scope ends: <i>,
// <array name>, <type>, <zero>, <PREFIX>.
Printer::Scope LocalArrayNames(Printer& print, const BLOCKINFO& block, int i);

// "    // get pointer to block parameter structure" and the lock of pPtr,
// then an empty line.
void WriteParameterLock(Printer& print);
// An empty line, "    // get pointer to block parameters" and the lock of
// pPtr, then the local error condition reset (no empty line after it).
void WriteParameterLockAndReset(Printer& print);
// The lock of sPtr whose failure unlocks the parameters, then an empty line.
void WriteScratchLock(Printer& print);
// The lock of bPtr from sPtr->hRTParam whose failure unlocks scratch and
// parameters (no comment, no empty line).
void WriteRealTimeLock(Printer& print);

// The typed "PtrLocal<i>" pointers of the used local arrays and "index",
// unless xDAIS leaves the local buffers to the algorithm.
void WriteLocalPointerDeclarations(Printer& print, const BLOCKINFO& block);

// True when the host side allocates and clears local buffers.
inline bool HasHostLocalBuffers(const BLOCKINFO& block) {
    return !block.xDAIS && block.NumLocalArrays > 0;
}

}  // namespace bw::section_text
