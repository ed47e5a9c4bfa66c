#pragma once

// One data-processing routine of the user source, as its writers see it.

#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "gen_component/block_header_text.h"
#include "generation/shared_rules.h"

namespace bw::component {

// What the user source adds to a processing precision: the word of its
// markers and comments, and the type of one channel element.
struct RoutinePrecision {
    const ProcessingPrecision* processing;  // flag, routine suffix, data type
    const char* display;
    const char* elementType;
};

inline constexpr RoutinePrecision ROUTINE_PRECISIONS[] = {
    {&PROCESSING_PRECISIONS[0], "Char", "char"},
    {&PROCESSING_PRECISIONS[1], "Byte", "BYTE"},
    {&PROCESSING_PRECISIONS[2], "Short", "short"},
    {&PROCESSING_PRECISIONS[3], "Integer", "int"},
    {&PROCESSING_PRECISIONS[4], "Long", "long"},
    {&PROCESSING_PRECISIONS[5], "Float", "float"},
    {&PROCESSING_PRECISIONS[6], "Double", "double"},
    {&PROCESSING_PRECISIONS[7], "Bitmap", "LPBITMAPINFOHEADER"},
};
static_assert(std::size(ROUTINE_PRECISIONS) == std::size(PROCESSING_PRECISIONS));

// How the routine's channel data is laid out.
enum class DataKind { Frame,
                      Matrix,
                      Bitmap };

struct Routine {
    Printer& print;
    const BLOCKINFO& block;
    const RoutinePrecision& precision;
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
