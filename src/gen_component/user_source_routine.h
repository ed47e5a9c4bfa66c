#pragma once

// One data-processing routine of the user source, as its writers see it.

#include <string>
#include <vector>

#include "gen_component/block_header_text.h"

namespace bw::component {

// How the routine's channel data is laid out.
enum class DataKind { Frame, Matrix, Bitmap };

struct Routine {
    OutputFile& file;
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

// The unlock statements, in order, of everything a failure at a point of the
// lock sequence must release. Stages lock in this order: parameters, scratch,
// inputs, outputs, local arrays.
std::vector<std::string> UnlocksBeforeInput(const Routine& r, int input);
std::vector<std::string> UnlocksBeforeOutput(const Routine& r, int output);
std::vector<std::string> UnlocksBeforeLocal(const Routine& r, int local);
// Everything, in the order of the routine's tail.
std::vector<std::string> AllUnlocks(const Routine& r);

// The default content of the routine's "Local Routine" section: the matrix
// size check, the example algorithm by real/complex input combination and the
// outputs' data-type flags.
void WriteDefaultLocalRoutine(const Routine& r);

}  // namespace bw::component
