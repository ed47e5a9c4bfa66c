// Golden files of the interface source: the head and the set-up, execution,
// exit and reset entry points for three representative blocks, and the
// parameter, dialog and real-time sections for three more.
#include <gtest/gtest.h>

#include "interface_test_support.h"
#include "support/golden.h"

namespace bw {
namespace {

using namespace interface_test;

TEST(InterfaceGolden, SimulationProcessingBlockWithParametersAndLocalArrays) {
    BLOCKINFO block = GainBlock();
    block.NumInputs = 2;
    block.Character = block.Byte = block.ShortInteger = block.LongInteger = block.Double = 0;
    block.WarningType = WARNING_ONE_TIME;
    AddParameter(block, "Gain", TYPE_FLOAT);
    AddParameter(block, "Input File", TYPE_FILE_OPEN);
    AddLocalArray(block, "History", "", TYPE_FLOAT);
    AddLocalArray(block, "Taps", "", TYPE_SHORT);
    block.NumPersistants = 3;
    block.Persistants[0] = {"Count", TYPE_LONG, "", "100"};
    block.Persistants[1] = {"Label", TYPE_TEXT, "", "say \"hi\""};
    block.Persistants[2] = {"Mode", TYPE_CHAR, "", "a"};
    ExpectMatchesGolden("interface/simulation_gain.c",
                        Generate(WriteOwnSections, block, "IFGain.c"));
}

TEST(InterfaceGolden, SourceBlockWithMatrix) {
    BLOCKINFO block = GainBlock();
    block.BlockName = "MatGen";
    block.MenuName = "Matrix Generator";
    block.NumInputs = 0;
    block.NumOutputs = 2;
    block.OutputChannelDimension[1] = 2;
    block.Matrix = 1;
    block.Character = block.Byte = block.ShortInteger = block.LongInteger = block.Integer = 0;
    block.UserControl = 1;
    ExpectMatchesGolden("interface/source_matrix.c",
                        Generate(WriteOwnSections, block, "IFMatGen.c"));
}

TEST(InterfaceGolden, RealTimeBlock) {
    BLOCKINFO block = GainBlock();
    block.BlockName = "NFAdd";
    block.MenuName = "Add";
    block.RealTime = 1;
    block.NumInputs = 2;
    block.Q = 1;
    block.QLevel = 15;
    AddLocalArray(block, "Delay Line", "", TYPE_INTEGER);
    ExpectMatchesGolden("interface/realtime_add.c", Generate(WriteOwnSections, block, "IFNFAdd.c"));
}

TEST(InterfaceGolden, ParameterSectionsOfEveryParameterKind) {
    BLOCKINFO block = SimulationBlock();
    block.NumInputs = 2;
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
    AddLocalArray(block, "History", "", TYPE_FLOAT);
    ExpectMatchesGolden("interface_params/simulation_every_kind.c",
                        Generate(WriteParameterSections, block));
}

TEST(InterfaceGolden, ParameterSectionsOfARealTimeMatrixSourceWithConstants) {
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

TEST(InterfaceGolden, ParameterSectionsOfANativeXdaisUserControlBlock) {
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
}  // namespace bw
