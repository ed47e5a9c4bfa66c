#pragma once

#include "definition/block_info.h"
#include "generation/output_file.h"

namespace bw {

// The Visual C++ workspace (".dsw"), project (".dsp") and makefile (".mak").
bool WriteWorkspace(OutputFile& file, const BLOCKINFO& block);
bool WriteProject(OutputFile& file, const BLOCKINFO& block);
bool WriteMakefile(OutputFile& file, const BLOCKINFO& block);
// The Code Composer project ("DSPCode\" + name + ".pjt").
bool WriteCodeComposerProject(OutputFile& file, const BLOCKINFO& block);
// The CMake project ("CMakeLists.txt"), written when the block asks for it.
bool WriteCMakeProject(OutputFile& file, const BLOCKINFO& block);

}  // namespace bw
