// Placeholder generators: write nothing until the resource and side-file
// generators arrive.
#include "gen_component/component_files.h"

namespace bw {

bool WriteResourceHeader(OutputFile&, const BLOCKINFO&) { return true; }
bool WriteResourceIds(OutputFile&, const BLOCKINFO&) { return true; }
bool WriteResourceScript(OutputFile&, const BLOCKINFO&) { return true; }
bool WriteModuleDefinition(OutputFile&, const BLOCKINFO&) { return true; }
bool WriteDescriptionText(OutputFile&, const BLOCKINFO&) { return true; }
bool WriteLinkResponse(OutputFile&, const BLOCKINFO&) { return true; }

}  // namespace bw
