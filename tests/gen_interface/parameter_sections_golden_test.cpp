// Whole parameter, dialog and real-time sections of representative blocks,
// compared with reviewed files under tests/golden/interface_params/.
#include <gtest/gtest.h>

#include "gen_interface/parameter_sections_support.h"
#include "support/golden.h"

namespace bw::param_test {
namespace {

// Every parameter kind once, plus a skipped entry and a local array.
void AddEveryKind(BLOCKINFO& block) {
    AddParameter(block, "Gain 1", TYPE_FLOAT, "1.5");
    AddParameter(block, "Count", TYPE_INTEGER, "");
    AddParameter(block, "Unused", TYPE_EXCLUDED, "9");
    AddParameter(block, "Level", TYPE_BYTE, "3");
    AddParameter(block, "Steps", TYPE_SHORT, "4");
    AddParameter(block, "Span", TYPE_LONG, "100000");
    AddParameter(block, "Ratio", TYPE_DOUBLE, "0.25");
    AddParameter(block, "Marker", TYPE_CHAR, "xyz");
    AddParameter(block, "Title", TYPE_TEXT, "say \"hi\"");
    AddParameter(block, "Mode", TYPE_RADIO_BUTTONS, "Fast", {"Slow", "Fast", "Very Fast"});
    AddParameter(block, "Enable", TYPE_RADIO_BUTTONS, "Yes");
    AddParameter(block, "Window", TYPE_COMBO_BOX, "Hann", {"Rect", "Hann"});
    AddParameter(block, "Shape", TYPE_COMBO_BOX, "");
    AddParameter(block, "Data File", TYPE_FILE_OPEN, "c:\\data\\in.tim",
                 {"Signals (*.tim)|*.tim", "All files (*.*)|*.*"});
    AddParameter(block, "Invert", TYPE_CHECK_BOX, "Unchecked");
}

TEST(ParameterSectionsGolden, SimulationBlockWithEveryParameterKind) {
    BLOCKINFO block = SimulationBlock();
    block.NumInputs = 2;
    AddEveryKind(block);
    AddLocalArray(block, "History", TYPE_FLOAT);
    ExpectMatchesGolden("interface_params/simulation_every_kind.c",
                        Generate(WriteParameterSections, block));
}

TEST(ParameterSectionsGolden, RealTimeMatrixSourceWithConstants) {
    BLOCKINFO block = RealTimeBlock();
    block.NumInputs = 0;
    block.Matrix = 1;
    block.Character = 1;
    AddParameter(block, "Gain", TYPE_FLOAT, "2.0", {}, 1);
    AddParameter(block, "Mode", TYPE_RADIO_BUTTONS, "B", {"A", "B"}, 1);
    AddParameter(block, "Path", TYPE_FILE_OPEN, "", {}, 1);
    AddParameter(block, "On", TYPE_CHECK_BOX, "Checked");
    ExpectMatchesGolden("interface_params/realtime_matrix_source.c",
                        Generate(WriteParameterSections, block));
}

TEST(ParameterSectionsGolden, NativeXdaisUserControlBlock) {
    BLOCKINFO block = RealTimeBlock();
    block.Native = 1;
    block.xDAIS = 1;
    block.UserControl = 1;
    AddParameter(block, "Taps", TYPE_INTEGER, "16");
    AddParameter(block, "Window", TYPE_COMBO_BOX, "Hann", {"Rect", "Hann"});
    ExpectMatchesGolden("interface_params/realtime_native_xdais.c",
                        Generate(WriteParameterSections, block));
}

}  // namespace
}  // namespace bw::param_test
