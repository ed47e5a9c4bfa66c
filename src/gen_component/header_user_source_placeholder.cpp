// Placeholder generators: write nothing until the block header and user source
// generators arrive.
#include "gen_component/component_files.h"

namespace bw {

bool WriteBlockHeader(OutputFile&, const BLOCKINFO&) { return true; }
bool WriteUserSource(OutputFile&, const BLOCKINFO&) { return true; }

}  // namespace bw
