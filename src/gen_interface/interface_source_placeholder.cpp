// Placeholder generator: writes nothing until the interface source generator
// arrives.
#include "gen_interface/interface_source.h"

namespace bw {

bool WriteInterfaceSource(OutputFile&, const BLOCKINFO&) { return true; }

}  // namespace bw
