#pragma once

#include "definition/block_info.h"
#include "generation/output_file.h"

namespace bw {

// The Visual C++ workspace (".dsw"), project (".dsp") and makefile (".mak").
void WriteWorkspace(OutputFile& file, const BLOCKINFO& block);
void WriteProject(OutputFile& file, const BLOCKINFO& block);
void WriteMakefile(OutputFile& file, const BLOCKINFO& block);
// The Code Composer project ("DSPCode\" + name + ".pjt").
void WriteCodeComposerProject(OutputFile& file, const BLOCKINFO& block);
// The CMake project ("CMakeLists.txt"), written when the block asks for it.
void WriteCMakeProject(OutputFile& file, const BLOCKINFO& block);
// The MinGW-w64 i686 toolchain file the CMake project's head names, beside it
// ("mingw-w64-i686.cmake"), so that its commands work as written.
void WriteCMakeToolchain(OutputFile& file, const BLOCKINFO& block);

}  // namespace bw
