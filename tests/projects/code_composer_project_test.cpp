#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "projects/project_files.h"
#include "projects/project_test_support.h"
#include "support/generate.h"
#include "support/golden.h"

namespace bw {
namespace {

const std::string WD = "C:\\Program Files\\Tessaline\\";

// The FIR algorithm for a big-endian C64x, floating point only.
BLOCKINFO FirBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "NFFir";
    block.Directory = "C:\\Blocks\\NFFir";
    block.RealTime = 1;
    block.xDAIS = 1;
    block.Chip = 6400;
    block.Endian = 1;
    block.AlgorithmName = "FIR";
    block.VendorName = "TI";
    block.FloatingPoint = 1;
    block.Integer = 0;
    return block;
}

BLOCKINFO PlainDspBlock(int chip) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "NFAdd";
    block.Directory = "C:\\Blocks\\NFAdd\\";
    block.RealTime = 1;
    block.Chip = chip;
    block.FloatingPoint = 1;
    block.Integer = 1;
    return block;
}

std::string Generated(const BLOCKINFO& block) {
    return GenerateInWorkingDirectory(WriteCodeComposerProject, block, WD);
}

// The lines of one section: from its header to the next empty line.
std::vector<std::string> Section(const BLOCKINFO& block, const std::string& header) {
    const auto lines = Lines(Generated(block));
    auto from = std::find(lines.begin(), lines.end(), header);
    auto to = std::find(from, lines.end(), "");
    return std::vector<std::string>(from, to);
}

TEST(CodeComposerProject, XdasdirNamesTheTiRootTwoLevelsUp) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"D:\\CCS\\c6000\\xdais\\", "D:\\CCS\\C6000\\"},
        {"D:\\CCS\\c6000\\xdais\\\\\\", "D:\\CCS\\C6000\\"},
        {"C:\\xdais", "C:\\C6000\\"},
        {"xdais", "xdais\\C6000\\"},  // no backslash left to cut at
        {"", "C:\\TI\\C6000\\"},      // empty counts as not set
    };
    for (const auto& [xdasdir, root] : cases) {
        ScopedXdasdir set(xdasdir);
        const auto sources = Section(FirBlock(), "[Source Files]");
        ASSERT_EQ(sources.size(), 9u) << xdasdir;
        EXPECT_EQ(sources[6], "Source=\"" + root + "xdais\\lib\\api.l64e\"") << xdasdir;
        EXPECT_EQ(sources[7], "Source=\"" + root + "cgtools\\lib\\rts6400e.lib\"") << xdasdir;
    }
}

// Each family's CPU, target and DSP/BIOS options, and the libraries chosen by
// the endianness (C6000) or the memory model (C5400, C5500); the C2xx
// contributes nothing.
TEST(CodeComposerProject, FamilyValuesAndLibraries) {
    ScopedXdasdir unset(nullptr);
    struct Case {
        int chip, endian, memoryModel;
        std::string family, debugEnd, bios, api, runtime;
    };
    const std::string DEBUG = "-d\"_DEBUG\" ";
    const Case cases[] = {
        {6400, 1, 0, "TMS320C64XX", DEBUG + "-mv6400", "-v6x", "C6000\\xdais\\lib\\api.l64e",
         "C6000\\cgtools\\lib\\rts6400e.lib"},
        {6400, 2, 0, "TMS320C64XX", DEBUG + "-mv6400", "-v6x", "C6000\\xdais\\lib\\api.l64",
         "C6000\\cgtools\\lib\\rts6400.lib"},
        {6700, 0, 1, "TMS320C67XX", DEBUG + "-mv6700", "-v6x", "C6000\\xdais\\lib\\api.l67",
         "C6000\\cgtools\\lib\\rts6700.lib"},
        {6200, 1, 0, "TMS320C62XX", DEBUG, "-v6x", "C6000\\xdais\\lib\\api.l62e",
         "C6000\\cgtools\\lib\\rts6200e.lib"},
        {5400, 1, 0, "TMS320C54XX", DEBUG, "-v54", "C5400\\xdais\\lib\\api.l54",
         "C5400\\cgtools\\lib\\rts.lib"},
        {5400, 0, 1, "TMS320C54XX", DEBUG, "-v54", "C5400\\xdais\\lib\\api.l54f",
         "C5400\\cgtools\\lib\\rts_ext.lib"},
        {5500, 0, 1, "TMS320C55XX", DEBUG, "-v55", "C5500\\xdais\\lib\\api.l55f",
         "C5500\\cgtools\\lib\\rts55x.lib"},
        {2000, 1, 0, "", DEBUG, "-", "xdais\\lib\\", "cgtools\\lib\\"},
    };
    for (const Case& c : cases) {
        BLOCKINFO block = FirBlock();
        block.Chip = c.chip;
        block.Endian = c.endian;
        block.MemoryModel = c.memoryModel;
        const std::string at = std::to_string(c.chip) + "/" + std::to_string(c.endian);
        EXPECT_EQ(Section(block, "[Project Settings]").at(4), "CPUFamily=" + c.family) << at;
        const std::string debug = Section(block, "[\"Compiler\" Settings: \"Debug\"]").at(1);
        EXPECT_EQ(debug.substr(debug.size() - c.debugEnd.size()), c.debugEnd) << at;
        EXPECT_EQ(Section(block, "[\"DspBiosBuilder\" Settings: \"Release\"]").at(1),
                  "Options=" + c.bios)
            << at;
        const auto sources = Section(block, "[Source Files]");
        ASSERT_EQ(sources.size(), 9u) << at;
        EXPECT_EQ(sources[6], "Source=\"C:\\TI\\" + c.api + "\"") << at;
        EXPECT_EQ(sources[7], "Source=\"C:\\TI\\" + c.runtime + "\"") << at;
    }
}

TEST(CodeComposerProject, DspSourcesFollowThePrecisions) {
    BLOCKINFO block = PlainDspBlock(6700);
    EXPECT_EQ(
        Section(block, "[Source Files]"),
        (std::vector<std::string>{"[Source Files]", "Source=\"_NFAdd.c\"", "Source=\"_NIAdd.c\""}));
    EXPECT_EQ(Section(block, "[\"Compiler\" Settings: \"Debug\"]").at(1),
              "Options=-g -q -fr\"C:\\Blocks\\NFAdd\\DSPCode\\Debug\" -d\"_DEBUG\" -mv6700");
    block.FloatingPoint = 0;
    block.Integer = 0;
    EXPECT_EQ(Section(block, "[Source Files]"), (std::vector<std::string>{"[Source Files]"}));
}

TEST(CodeComposerProject, GoldenRealTimeXdaisBlock) {
    ScopedXdasdir set("D:\\CCS\\c6000\\xdais\\");
    BLOCKINFO block = FirBlock();
    block.BlockName = "NFMix";
    block.Directory = "C:\\Blocks\\NFMix";
    block.AlgorithmName = "Mixer";
    block.VendorName = "Calderic";
    block.Chip = 6700;
    block.Endian = 0;
    block.Integer = 1;
    block.IncludePath = "C:\\Host\\Include";
    block.LibraryPath = "C:\\Host\\Lib\\";
    ExpectMatchesGolden("projects/realtime/Mixer.pjt", Generated(block));
    ExpectMatchesGolden("projects/realtime/NFMix.dsw",
                        GenerateInWorkingDirectory(WriteWorkspace, block, WD));
    ExpectMatchesGolden("projects/realtime/NFMix.dsp",
                        GenerateInWorkingDirectory(WriteProject, block, WD));
    ExpectMatchesGolden("projects/realtime/NFMix.mak",
                        GenerateInWorkingDirectory(WriteMakefile, block, WD));
}

}  // namespace
}  // namespace bw
