#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gen_component/component_files.h"
#include "support/generate.h"

namespace bw {
namespace {

std::vector<std::string> Exports(const BLOCKINFO& block) {
    const auto lines = Lines(Generate(WriteModuleDefinition, block, "Block.def"));
    const auto start = std::find(lines.begin(), lines.end(), "EXPORTS");
    EXPECT_NE(start, lines.end());
    return {start == lines.end() ? start : start + 1, lines.end()};
}

TEST(ModuleDefinition, UserControlTakesTheNextFreeOrdinal) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Scaler";
    block.UserControl = 1;
    auto exports = Exports(block);
    ASSERT_EQ(exports.size(), 14u);
    EXPECT_EQ(exports[0], "    UserSetupProc             @1");
    EXPECT_EQ(exports[12], "    UserStopProc              @13");
    EXPECT_EQ(exports[13], "    UserControlProc           @14");

    block.RealTime = 1;
    exports = Exports(block);
    ASSERT_EQ(exports.size(), 15u);
    EXPECT_EQ(exports[13], "    UserRTCompileProc         @14");
    EXPECT_EQ(exports[14], "    UserControlProc           @15");

    block.xDAIS = 1;
    exports = Exports(block);
    ASSERT_EQ(exports.size(), 16u);
    EXPECT_EQ(exports[14], "    UserPaintProc             @15");
    EXPECT_EQ(exports[15], "    UserControlProc           @16");

    block.UserControl = 0;
    EXPECT_EQ(Exports(block).size(), 15u);
}

std::string ChannelLine(const BLOCKINFO& block) {
    const auto lines = Lines(Generate(WriteDescriptionText, block, "Block.txt"));
    const auto inputs = std::find(lines.begin(), lines.end(), "Inputs:");
    return inputs == lines.end() || inputs + 1 == lines.end() ? "<none>" : *(inputs + 1);
}

TEST(DescriptionText, ChannelsListTheirPrecisionsAndKind) {
    BLOCKINFO block = NewBlock();
    block.Byte = block.ShortInteger = block.Integer = block.LongInteger = 0;
    EXPECT_EQ(ChannelLine(block), "  Ch0 - Floating Point/Double; Real/Complex");
    block.Character = 1;
    block.Complex = 0;
    EXPECT_EQ(ChannelLine(block), "  Ch0 - Character/Floating Point/Double; Real");
    block.Real = 0;
    block.Complex = 1;
    EXPECT_EQ(ChannelLine(block), "  Ch0 - Character/Floating Point/Double; Complex");
    // Neither kind: the line still ends, and the next section starts on its own line.
    block.Complex = 0;
    const std::string text = Generate(WriteDescriptionText, block, "Block.txt");
    EXPECT_NE(text.find("  Ch0 - Character/Floating Point/Double\r\n\r\nOutputs:\r\n"),
              std::string::npos);
}

TEST(DescriptionText, DescribesEveryUsedParameter) {
    BLOCKINFO block = NewBlock();
    block.NumParameters = 3;
    block.Parameters[0].ParameterName = "Gain";
    block.Parameters[0].ParameterDesc = "Scales the input.\r\nLinear.";
    block.Parameters[1].ParameterType = TYPE_EXCLUDED;
    block.Parameters[2].ParameterName = "Mode";
    block.LongDescription = "Scales.\r\nNothing more.";
    const std::string text = Generate(WriteDescriptionText, block, "Block.txt");
    EXPECT_NE(text.find("Parameters:\r\nGain:\r\nScales the input.\r\nLinear.\r\n\r\n"
                        "Mode:\r\n\r\n\r\nPrecision:\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\n\r\nBlock Description:\r\nScales.\r\nNothing more.\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("Parameter1"), std::string::npos);
}

TEST(LinkResponse, NamesTheLowerCasedBlockAndTheDialogLibrary) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "FirFilter";
    block.LibraryPath = "c:\\tzi\\lib";
    EXPECT_EQ(Generate(WriteLinkResponse, block, "FirFilter.lnk"),
              "firfilter+\r\nfirfilter.dll\r\nfirfilter.map/map\r\n"
              "ldllcew libw c:\\tzi\\lib\\bddk.lib\r\nfirfilter.def\r\n");
    block.NumParameters = 1;
    block.Parameters[0].ParameterType = TYPE_FILE_OPEN;
    EXPECT_EQ(Lines(Generate(WriteLinkResponse, block, "FirFilter.lnk"))[3],
              "ldllcew libw c:\\tzi\\lib\\bddk.lib commdlg");
}

}  // namespace
}  // namespace bw
