// Golden files of the head and of the set-up, execution, exit and reset entry
// points for three representative blocks.
#include <gtest/gtest.h>

#include "interface_test_support.h"
#include "support/golden.h"

namespace bw {
namespace {

using namespace interface_test;

TEST(InterfaceGolden, SimulationProcessingBlockWithParametersAndLocalArrays) {
    BLOCKINFO block = GainBlock();
    block.NumInputs = 2;
    block.NumOutputs = 1;
    block.Character = 0;
    block.Byte = 0;
    block.ShortInteger = 0;
    block.LongInteger = 0;
    block.Double = 0;
    block.WarningType = WARNING_ONE_TIME;
    block.NumParameters = 2;
    block.Parameters[0].ParameterName = "Gain";
    block.Parameters[0].ParameterType = TYPE_FLOAT;
    block.Parameters[1].ParameterName = "Input File";
    block.Parameters[1].ParameterType = TYPE_FILE_OPEN;
    block.NumLocalArrays = 2;
    block.LocalArrays[0].ArrayName = "History";
    block.LocalArrays[0].LocalPrecision = TYPE_FLOAT;
    block.LocalArrays[1].ArrayName = "Taps";
    block.LocalArrays[1].LocalPrecision = TYPE_SHORT;
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
    block.Character = 0;
    block.Byte = 0;
    block.ShortInteger = 0;
    block.LongInteger = 0;
    block.Integer = 0;
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
    block.NumOutputs = 1;
    block.Q = 1;
    block.QLevel = 15;
    block.NumLocalArrays = 1;
    block.LocalArrays[0].ArrayName = "Delay Line";
    block.LocalArrays[0].LocalPrecision = TYPE_INTEGER;
    ExpectMatchesGolden("interface/realtime_add.c", Generate(WriteOwnSections, block, "IFNFAdd.c"));
}

}  // namespace
}  // namespace bw
