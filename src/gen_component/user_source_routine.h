#pragma once

// One data-processing routine of the user source, as its writers see it.

#include <string>
#include <string_view>
#include <vector>

#include "gen_component/block_header_text.h"
#include "generation/names_and_literals.h"

namespace bw::component {

// How the routine's channel data is laid out.
enum class DataKind { Frame,
                      Matrix,
                      Bitmap };

struct Routine {
    Printer& print;
    const BLOCKINFO& block;
    const Precision& precision;
    DataKind kind;
    int inputs;
    int outputs;
    bool scratch;  // the scratch rule: sPtr is declared, locked and unlocked

    // The element type of channel data: BYTE for bitmap bits.
    std::string ElementType() const {
        return kind == DataKind::Bitmap ? "BYTE" : precision.elementType;
    }
};

// indent + "GlobalUnlock(" + handle + index + ");" and CR LF appended to
// text; a negative index is left out.
void AppendUnlock(std::string& text, std::string_view indent, std::string_view handle,
                  int index = -1);
// The unlocks of the scratch parameters (under the scratch rule) and of the
// parameters, in that order.
void AppendScratchAndParameterUnlocks(std::string& text, const Routine& r, std::string_view indent);
// Everything, in the order of the routine's tail.
void WriteAllUnlocks(const Routine& r, std::string_view indent);

// The default content of the routine's "Local Routine" section: the matrix
// size check, the example algorithm by real/complex input combination and the
// outputs' data-type flags.
void WriteDefaultLocalRoutine(const Routine& r);

}  // namespace bw::component
