// Placeholder generators: write nothing until the project-file generators arrive.
#include "projects/project_files.h"

namespace bw {

bool WriteWorkspace(OutputFile&, const BLOCKINFO&) { return true; }
bool WriteProject(OutputFile&, const BLOCKINFO&) { return true; }
bool WriteMakefile(OutputFile&, const BLOCKINFO&) { return true; }
bool WriteCodeComposerProject(OutputFile&, const BLOCKINFO&) { return true; }

}  // namespace bw
