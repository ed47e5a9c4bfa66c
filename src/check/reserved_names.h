#pragma once

// Names the generated code cannot use for the block's own: the words of the
// C language and of the compilers the block is built with, and the names that
// the headers it includes already define.

#include <string_view>
#include <vector>

namespace bw {

// Keywords of C (all editions) and of the Visual C++, GNU and TI DSP compilers.
bool IsCKeyword(std::string_view name);

// Macros that the PC build predefines or that the Windows and C run-time
// headers define, among the names that begin with an underscore (the forms
// that parameter and persistent-variable names take in the PC files).
bool IsPcReservedName(std::string_view name);

// The dialog control names that the host's headers define (those of the DSP
// board driver only for real-time blocks).
std::vector<const char*> HostControlNames(bool realTime);

}  // namespace bw
