#pragma once

// Definitions of real-time blocks for the DSP generator tests.

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "definition/block_info.h"
#include "generation/names_and_literals.h"
#include "support/generate.h"
#include "support/lines.h"
#include "support/records.h"

namespace bw::dsp_test {

// A one-input one-output real-time block with the floating-point and integer
// precisions, as a DSP block is usually defined.
inline BLOCKINFO RealTimeBlock(const std::string& name = "NFAdd") {
    BLOCKINFO block = NewBlock();
    block.BlockName = name;
    block.MenuName = "Adder";
    block.GroupName = "Arithmetic";
    block.RealTime = 1;
    block.Double = block.LongInteger = block.ShortInteger = block.Byte = 0;
    return block;
}

// What the run hands the generators for the integer variant.
inline BLOCKINFO IntegerVariant(BLOCKINFO block) {
    block.FloatingPoint = 0;
    block.Integer = 1;
    block.BlockName = IntegerName(block.BlockName);
    return block;
}

// An XDAIS block "FIR" of vendor "TI" on a C6000 chip.
inline BLOCKINFO XdaisBlock() {
    BLOCKINFO block = RealTimeBlock("NFFir");
    block.xDAIS = 1;
    block.AlgorithmName = "FIR";
    block.VendorName = "TI";
    block.Chip = 6201;
    return block;
}

inline PROTOTYPEINFO Prototype(const std::string& name, const std::string& returnType,
                               const std::vector<std::string>& names,
                               const std::vector<std::string>& types) {
    return PROTOTYPEINFO{name, returnType, names, types};
}

}  // namespace bw::dsp_test
