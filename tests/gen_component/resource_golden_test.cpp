// Whole generated resource and side files for two representative blocks,
// compared with the reviewed copies under tests/golden/resources/.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gen_component/component_files.h"
#include "support/generate.h"
#include "support/golden.h"
#include "support/records.h"

namespace bw {
namespace {

// A simulation block with a parameter of every type.
BLOCKINFO SimulationBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "AllKinds";
    block.MenuName = "All Kinds";
    block.GroupName = "Tests";
    block.ShortDescription = "Every parameter type";
    block.LongDescription = "A block that uses every kind of parameter.\r\nSecond line.";
    block.IconFilename = "AllKinds.ico";
    block.LibraryPath = "c:\\tzi\\lib";
    block.NumInputs = 2;
    block.NumOutputs = 1;
    block.Complex = 0;
    AddParameter(block, "Count", TYPE_INTEGER).ParameterDesc = "How many.";
    AddParameter(block, "Gain", TYPE_FLOAT).ParameterDesc = "Linear gain.\r\nAt most 10.";
    AddParameter(block, "Sample Rate", TYPE_DOUBLE);
    AddParameter(block, "Letter", TYPE_CHAR);
    AddParameter(block, "Total", TYPE_LONG);
    AddParameter(block, "Small", TYPE_SHORT);
    AddParameter(block, "Mask", TYPE_BYTE);
    AddParameter(block, "Title", TYPE_TEXT);
    AddParameter(block, "Enable", TYPE_RADIO_BUTTONS);
    AddParameter(block, "Side", TYPE_RADIO_BUTTONS, "", {"Left", "Right"});
    AddParameter(block, "Window", TYPE_RADIO_BUTTONS, "", {"Hann", "Hamming", "Blackman"});
    AddParameter(block, "Mode", TYPE_COMBO_BOX, "", {"Fast", "Slow"});
    AddParameter(block, "Unused", TYPE_EXCLUDED);
    AddParameter(block, "Data File", TYPE_FILE_OPEN, "", {"Data (*.dat)|*.dat"});
    AddParameter(block, "Hold", TYPE_CHECK_BOX);
    AddParameter(block, "Custom", TYPE_OTHER);
    return block;
}

// A real-time XDAIS matrix source with a user control.
BLOCKINFO RealTimeBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "RtSource";
    block.MenuName = "RT Source";
    block.GroupName = "Real-Time";
    block.ShortDescription = "A DSP source";
    block.LongDescription = "Makes matrices on the DSP.";
    block.IconFilename = "rtsource";
    block.LibraryPath = "c:\\vexa\\lib";
    block.BlockType = BLOCK_INPUT;
    block.RealTime = 1;
    block.xDAIS = 1;
    block.UserControl = 1;
    block.Matrix = 1;
    block.NumInputs = 0;
    block.NumOutputs = 2;
    block.Character = 0;
    AddParameter(block, "Level", TYPE_FLOAT);
    AddParameter(block, "Pattern", TYPE_COMBO_BOX, "", {"Ramp", "Noise"});
    AddParameter(block, "Shape", TYPE_RADIO_BUTTONS, "",
                 {"Square", "Sine", "Triangle", "Saw", "Pulse"});
    AddParameter(block, "Table", TYPE_FILE_OPEN);
    return block;
}

struct GeneratedFile {
    Generator generator;
    const char* suffix;
};

const GeneratedFile FILES[] = {
    {WriteResourceHeader, "hresourc.h"}, {WriteResourceScript, ".rc"},
    {WriteModuleDefinition, ".def"},     {WriteDescriptionText, ".txt"},
    {WriteLinkResponse, ".lnk"},
};

void ExpectGoldenFiles(const BLOCKINFO& block) {
    for (const GeneratedFile& file : FILES) {
        const std::string suffix = file.suffix;
        const std::string name =
            suffix[0] == '.' ? block.BlockName + suffix : block.BlockName + "_" + suffix;
        SCOPED_TRACE(name);
        ExpectMatchesGolden("resources/" + name, Generate(file.generator, block, name));
    }
}

TEST(ResourceGolden, SimulationBlockWithEveryParameterType) {
    ExpectGoldenFiles(SimulationBlock());
}

TEST(ResourceGolden, RealTimeXdaisSource) {
    ExpectGoldenFiles(RealTimeBlock());
}

TEST(ResourceGolden, ResourceIds) {
    ExpectMatchesGolden("resources/resource.h", Generate(WriteResourceIds, NewBlock()));
}

}  // namespace
}  // namespace bw
