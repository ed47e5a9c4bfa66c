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
    block.ChipName = "C64x";
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

TEST(CodeComposerProject, XdaisFirExampleForBigEndianC64x) {
    ScopedXdasdir unset(nullptr);
    const std::string expected = WithCrLf(
        R"(; Code Composer Project File, Version 2.0 (do not modify or remove this line)

[Project Settings]
ProjectName="fir"
ProjectDir="C:\Blocks\NFFir\DSPCode\"
ProjectType=Executable
CPUFamily=TMS320C64XX
Tool="Compiler"
Tool="DspBiosBuilder"
Tool="Linker"
Config="Debug"
Config="Release"

[Source Files]
Source="fir\fir.c"
Source="src\fir_ti_ialg.c"
Source="src\fir_ti_ialgvt.c"
Source="src\ifir.c"
Source="tstapp\main.c"
Source="C:\TI\C6000\xdais\lib\api.l64e"
Source="C:\TI\C6000\cgtools\lib\rts6400e.lib"
Source="tstapp\_NFFir.c"

["Compiler" Settings: "Debug"]
Options=-g -q -fr"C:\Blocks\NFFir\DSPCode\Debug" -i"C:\TI\C6000\xdais\include" -i"C:\TI\C6000\xdais\src\api" -i"C:\Blocks\NFFir\DSPCode\include" -i"C:\Blocks\NFFir\DSPCode\first" -d"_DEBUG" -mv6400

["Compiler" Settings: "Release"]
Options=-q -o3 -fr"C:\Blocks\NFFir\DSPCode\Release" -i"C:\TI\C6000\xdais\include" -i"C:\TI\C6000\xdais\src\api" -i"C:\Blocks\NFFir\DSPCode\include" -i"C:\Blocks\NFFir\DSPCode\first" -mv6400

["DspBiosBuilder" Settings: "Debug"]
Options=-v6x

["DspBiosBuilder" Settings: "Release"]
Options=-v6x

["Linker" Settings: "Debug"]
Options=-q -c -o".\Debug\fir.out" -x

["Linker" Settings: "Release"]
Options=-q -c -o".\Release\fir.out" -x
)");
    EXPECT_EQ(Generated(FirBlock()), expected);
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

TEST(CodeComposerProject, C62xHasNoTargetOption) {
    BLOCKINFO block = PlainDspBlock(6200);
    const auto lines = Lines(Generated(block));
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Options=-g -q -fr\"C:\\Blocks\\NFAdd\\DSPCode\\Debug\" -d\"_DEBUG\" "),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Options=-q -o3 -fr\"C:\\Blocks\\NFAdd\\DSPCode\\Release\" "),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "CPUFamily=TMS320C62XX"), lines.end());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Options=-v6x"), 2);
}

TEST(CodeComposerProject, C2xxContributesNoFamilyValues) {
    ScopedXdasdir unset(nullptr);
    BLOCKINFO block = FirBlock();
    block.Chip = 2000;
    const auto lines = Lines(Generated(block));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "CPUFamily="), lines.end());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Options=-"), 2);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Source=\"C:\\TI\\xdais\\lib\\\""),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Source=\"C:\\TI\\cgtools\\lib\\\""),
              lines.end());
    EXPECT_EQ(Section(block, "[\"Compiler\" Settings: \"Release\"]").at(1).back(), ' ');
}

TEST(CodeComposerProject, LibrariesFollowEndianOrMemoryModelByFamily) {
    ScopedXdasdir unset(nullptr);
    // (chip, Endian, MemoryModel, the XDAIS API library, the run-time library)
    struct Case {
        int chip, endian, memoryModel;
        std::string api, runtime;
    };
    const Case cases[] = {
        {6700, 0, 1, "C6000\\xdais\\lib\\api.l67", "C6000\\cgtools\\lib\\rts6700.lib"},
        {6200, 1, 0, "C6000\\xdais\\lib\\api.l62e", "C6000\\cgtools\\lib\\rts6200e.lib"},
        {6400, 2, 0, "C6000\\xdais\\lib\\api.l64", "C6000\\cgtools\\lib\\rts6400.lib"},
        {5400, 1, 0, "C5400\\xdais\\lib\\api.l54", "C5400\\cgtools\\lib\\rts.lib"},
        {5400, 0, 1, "C5400\\xdais\\lib\\api.l54f", "C5400\\cgtools\\lib\\rts_ext.lib"},
        {5500, 0, 1, "C5500\\xdais\\lib\\api.l55f", "C5500\\cgtools\\lib\\rts55x.lib"},
    };
    for (const Case& c : cases) {
        BLOCKINFO block = FirBlock();
        block.Chip = c.chip;
        block.Endian = c.endian;
        block.MemoryModel = c.memoryModel;
        const auto sources = Section(block, "[Source Files]");
        ASSERT_EQ(sources.size(), 9u) << c.chip;
        EXPECT_EQ(sources[6], "Source=\"C:\\TI\\" + c.api + "\"") << c.chip;
        EXPECT_EQ(sources[7], "Source=\"C:\\TI\\" + c.runtime + "\"") << c.chip;
    }
    BLOCKINFO c55 = FirBlock();
    c55.Chip = 5500;
    const auto lines = Lines(Generated(c55));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "CPUFamily=TMS320C55XX"), lines.end());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Options=-v55"), 2);
}

TEST(CodeComposerProject, DspSourcesFollowThePrecisions) {
    BLOCKINFO block = PlainDspBlock(6700);
    EXPECT_EQ(
        Section(block, "[Source Files]"),
        (std::vector<std::string>{"[Source Files]", "Source=\"_NFAdd.c\"", "Source=\"_NIAdd.c\""}));
    const auto lines = Lines(Generated(block));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ProjectName=\"NFAdd\""), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Options=-q -c -o\".\\Debug\\NFAdd.out\" -x"),
              lines.end());
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
