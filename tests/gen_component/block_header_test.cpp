#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gen_component/block_header_test_blocks.h"
#include "gen_component/component_files.h"
#include "generation/generation_run.h"
#include "support/generate.h"
#include "support/golden.h"

namespace bw {
namespace {

using namespace testblocks;

std::vector<std::string> HeaderLines(const BLOCKINFO& block) {
    return Lines(Generate(WriteBlockHeader, block, block.BlockName + ".h"));
}

TEST(BlockHeader, GoldenSimulationBlock) {
    const BLOCKINFO block = SimulationBlock();
    ExpectMatchesGolden("component/MyAdd.h", Generate(WriteBlockHeader, block, "MyAdd.h"));
}

TEST(BlockHeader, GoldenRealTimeBlock) {
    const BLOCKINFO block = RealTimeBlock();
    ExpectMatchesGolden("component/Mixer.h", Generate(WriteBlockHeader, block, "Mixer.h"));
}

TEST(BlockHeader, SourceBlockWithBitmapAndMatrixGetsImageAndMatrixSizes) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Src";
    block.NumInputs = 0;
    block.NumOutputs = 1;
    block.Bitmap = 1;
    block.Matrix = 1;
    const auto lines = HeaderLines(block);
    const auto general = Between(lines, "//  General Block Information",
                                 "//  User Parameters" + std::string(61, ' '));
    for (const char* member : {"    long          ImageWidth;", "    long          ImageHeight;",
                               "    long          Rows;", "    long          Columns;"}) {
        EXPECT_TRUE(Has(general, member)) << member;
    }
    EXPECT_FALSE(Has(lines, "//  Block Input Information"));
    EXPECT_TRUE(
        Has(lines, "    DWORD         dwBitmapSizeOut0; // Size of bitmap on output channel 0"));

    block.NumInputs = 1;  // a processing block has no image or matrix size of its own
    const auto processing = HeaderLines(block);
    EXPECT_FALSE(Has(processing, "    long          ImageWidth;"));
    EXPECT_FALSE(Has(processing, "    long          Rows;"));
    EXPECT_TRUE(Has(processing,
                    "    DWORD         dwNumColorsIn0;   // Number of colors in the Bitmap on "
                    "input channel 0"));
}

TEST(BlockHeader, ComboItemCountsDefaultToThreeInAThirtyCharacterField) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Sel";
    AddParameter(block, "Gain", TYPE_FLOAT);
    AddParameter(block, "Choice", TYPE_COMBO_BOX);
    AddParameter(block, "Shape", TYPE_COMBO_BOX, {"a", "b", "c", "d", "e"});
    const auto lines = HeaderLines(block);
    EXPECT_TRUE(Has(lines, "#define NUM_CHOICE                        3"));
    EXPECT_TRUE(Has(lines, "#define NUM_SHAPE                         5"));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "// Combo box number of items"), 1);

    block.Parameters[1].ParameterType = TYPE_INTEGER;
    block.Parameters[2].ParameterType = TYPE_INTEGER;
    EXPECT_FALSE(Has(HeaderLines(block), "// Combo box number of items"));
}

TEST(BlockHeader, LocalArraySizesNameNumbersParameterMembersAndExpressions) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Buf";
    AddParameter(block, "Skip", TYPE_EXCLUDED);
    AddParameter(block, "Length", TYPE_INTEGER);
    AddLocalArray(block, "A", "1024", TYPE_FLOAT);
    AddLocalArray(block, "B", "Length", TYPE_FLOAT);
    AddLocalArray(block, "C", "Unused", TYPE_EXCLUDED);
    AddLocalArray(block, "D", "Length*2", TYPE_INTEGER);
    const auto lines = HeaderLines(block);
    const auto definitions = Between(lines, "//; Definitions", "//; End of Definitions");
    EXPECT_EQ(definitions, (std::vector<std::string>{"// local array storage sizes",
                                                     "#define BUF_NUMLOCAL0   1024UL",
                                                     "#define BUF_NUMLOCAL1   pPtr->_Length",
                                                     "#define BUF_NUMLOCAL3   pPtr->_Length*2"}));
    const auto sizes = Between(lines, "//  Local Array Sizes", "//; Added Variables");
    EXPECT_TRUE(Has(sizes, "    unsigned long NumLocalElements3;   // D size"));
    EXPECT_FALSE(Has(sizes, "    unsigned long NumLocalElements2;   // C size"));
    // Every array has its handle, skipped or not.
    EXPECT_TRUE(Has(lines, "    HANDLE        hLocalBuffer2;       // C handle"));
}

TEST(BlockHeader, BlockInterfaceNameOfRealTimeBlocks) {
    BLOCKINFO block = RealTimeBlock();
    EXPECT_TRUE(Has(HeaderLines(block), "#define BINAME  \"MIxer\""));
    block.BlockName = "F";
    const auto lines = HeaderLines(block);
    EXPECT_TRUE(Has(lines, "#define BFNAME  \"F\""));
    EXPECT_TRUE(Has(lines, "#define BINAME  \"Fi\""));
    block.RealTime = 0;
    EXPECT_FALSE(Has(HeaderLines(block), "#define BINAME  \"Fi\""));
}

TEST(BlockHeader, ScratchStructureOnlyWithLocalArraysOrRealTime) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Plain";
    block.NumInputs = 2;
    block.NumOutputs = 1;
    SetPrecisions(block, {&BLOCKINFO::Character, &BLOCKINFO::Bitmap});
    auto lines = HeaderLines(block);
    EXPECT_FALSE(Has(lines, "} SCRATCH_PARAM;"));
    EXPECT_TRUE(Has(lines, "int  PASCAL PlainChar(HANDLE, HANDLE, HANDLE, HANDLE);"));
    EXPECT_TRUE(Has(lines, "int  PASCAL PlainBmp(HANDLE, HANDLE, HANDLE, HANDLE);"));

    AddLocalArray(block, "A", "8", TYPE_BYTE);
    lines = HeaderLines(block);
    EXPECT_TRUE(Has(lines, "} SCRATCH_PARAM;"));
    EXPECT_TRUE(Has(lines, "int  PASCAL PlainChar(HANDLE, HANDLE, HANDLE, HANDLE, HANDLE);"));
}

TEST(BlockHeader, XdaisKeepsTheScratchStructureButNoLocalArrayNames) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Alg";
    block.RealTime = 1;
    block.xDAIS = 1;
    AddLocalArray(block, "A", "64", TYPE_FLOAT);
    const auto lines = HeaderLines(block);
    EXPECT_TRUE(Between(lines, "//; Definitions", "//; End of Definitions").empty());
    EXPECT_FALSE(Has(lines, "//  Local Array Sizes"));
    EXPECT_FALSE(Has(lines, "//  Local Array Memory Handles"));
    const size_t scratch = static_cast<size_t>(
        std::find(lines.begin(), lines.end(), "//; Scratch Parameter Structure") - lines.begin());
    EXPECT_EQ(
        Between(lines, "//; Added Variables", "//; End of Added Variables", scratch),
        (std::vector<std::string>{"    HBITMAP       hBitmap;", "    BITMAP        Bitmap;"}));
    EXPECT_TRUE(Has(lines, "} SCRATCH_PARAM;"));
}

TEST(BlockHeader, OneTimeWarningFlagAndUserControlPrototype) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "W";
    EXPECT_FALSE(
        Has(HeaderLines(block), "    int           OneTimeWarning;   // one-time warning flag"));
    block.WarningType = WARNING_ONE_TIME;
    block.UserControl = 1;
    const auto lines = HeaderLines(block);
    EXPECT_TRUE(Has(lines, "    int           OneTimeWarning;   // one-time warning flag"));
    EXPECT_TRUE(
        Has(lines,
            "BOOL PASCAL UserControlProc(HWND, HANDLE, register UINT, register WPARAM,LPARAM);"));
}

// ---------------------------------------------------------------------------
// Regeneration

// The simulation block's header as a user left it: a line in each section.
std::string EditedHeader() {
    std::string text = Generate(WriteBlockHeader, SimulationBlock(), "MyAdd.h");
    auto insertAfter = [&](const std::string& marker, const std::string& lines, size_t from = 0) {
        const size_t at = text.find(marker + "\r\n", from);
        EXPECT_NE(at, std::string::npos) << marker;
        text.insert(at + marker.size() + 2, lines);
        return at;
    };
    insertAfter("//; Definitions", "#define MY_LIMIT 10\r\n");
    const size_t block =
        insertAfter("//; Added Variables", "    int   Counter;\r\n    float Last;\r\n");
    insertAfter("//; Added Variables", "    HANDLE hExtra;\r\n", block + 30);
    insertAfter("//; External Routine Prototypes", "int Helper(int);\r\n");
    return text;
}

TEST(BlockHeaderSplice, RegenerationKeepsEveryUserSection) {
    Regeneration run;
    const std::string previous = EditedHeader();
    const std::string regenerated =
        run.Run(WriteBlockHeader, SimulationBlock(), "MyAdd.h", &previous);
    ExpectMatchesGolden("component/MyAdd_spliced.h", regenerated);
    ASSERT_EQ(run.prompts.questions,
              std::vector<std::string>{
                  "Found a previous version of MyAdd.h do you want to splice the two files ?"});
    const auto lines = Lines(regenerated);
    EXPECT_EQ(Between(lines, "//; Definitions", "//; End of Definitions"),
              (std::vector<std::string>{"#define MY_LIMIT 10", "// local array storage sizes",
                                        "#define MYADD_NUMLOCAL0   1024UL",
                                        "#define MYADD_NUMLOCAL1   pPtr->_Length"}));
    EXPECT_EQ(Between(lines, "//; Added Variables", "//; End of Added Variables"),
              (std::vector<std::string>{"    int   Counter;", "    float Last;"}));
    const size_t scratch = static_cast<size_t>(
        std::find(lines.begin(), lines.end(), "//; Scratch Parameter Structure") - lines.begin());
    EXPECT_EQ(Between(lines, "//; Added Variables", "//; End of Added Variables", scratch),
              std::vector<std::string>{"    HANDLE hExtra;"});
    EXPECT_EQ(
        Between(lines, "//; External Routine Prototypes", "//; End of External Routine Prototypes"),
        (std::vector<std::string>{"int Helper(int);", ""}));
}

TEST(BlockHeaderSplice, AnsweringNoOrFindingNothingGivesTheDefaults) {
    const std::string fresh = Generate(WriteBlockHeader, SimulationBlock(), "MyAdd.h");
    const std::string previous = EditedHeader();
    Regeneration declined;
    declined.prompts.yesNoAnswers = {false};
    EXPECT_EQ(declined.Run(WriteBlockHeader, SimulationBlock(), "MyAdd.h", &previous), fresh);
    EXPECT_EQ(declined.prompts.questions.size(), 1u);

    Regeneration first;
    EXPECT_EQ(first.Run(WriteBlockHeader, SimulationBlock(), "MyAdd.h", nullptr), fresh);
    EXPECT_TRUE(first.prompts.questions.empty());
    EXPECT_TRUE(first.prompts.messages.empty());
}

TEST(BlockHeaderSplice, SectionsAreSearchedForwardOnly) {
    // The external prototypes moved above the definitions: the definitions are
    // still found, the prototypes' search starts behind them and finds nothing.
    const std::string previous = Text({"//; External Routine Prototypes", "int Moved(void);",
                                       "//; End of External Routine Prototypes", "//; Definitions",
                                       "#define KEPT 1", "//; End of Definitions"});
    Regeneration run;
    const auto lines = Lines(run.Run(WriteBlockHeader, SimulationBlock(), "MyAdd.h", &previous));
    EXPECT_EQ(Between(lines, "//; Definitions", "//; End of Definitions"),
              std::vector<std::string>{"#define KEPT 1"});
    EXPECT_TRUE(
        Between(lines, "//; External Routine Prototypes", "//; End of External Routine Prototypes")
            .empty());
    // A section that is not found falls back to its default (here: the sizes).
    const std::string noDefinitions = Text({"//; Block Parameter Structure"});
    Regeneration other;
    const auto defaults =
        Lines(other.Run(WriteBlockHeader, SimulationBlock(), "MyAdd.h", &noDefinitions));
    EXPECT_EQ(Between(defaults, "//; Definitions", "//; End of Definitions").size(), 3u);
}

TEST(BlockHeaderSplice, CarriedOverXdaisBitmapMembersAreNotDeclaredTwice) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Alg";
    block.RealTime = 1;
    block.xDAIS = 1;
    AddLocalArray(block, "A", "64", TYPE_FLOAT);
    const std::string previous = Generate(WriteBlockHeader, block, "Alg.h");
    Regeneration run;
    const std::string regenerated = run.Run(WriteBlockHeader, block, "Alg.h", &previous);
    EXPECT_EQ(regenerated, previous);
    const auto lines = Lines(regenerated);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "    HBITMAP       hBitmap;"), 1);
}

TEST(BlockHeaderSplice, UnreadablePreviousVersionIsReportedAndNotSpliced) {
    Regeneration run;
    const std::string previous = EditedHeader();
    const std::string saved = run.dir.path() + "KRSave/MyAdd.h";
    WriteFileBytes(saved, previous);
    std::filesystem::permissions(saved, std::filesystem::perms::none);
    if (std::FILE* probe = std::fopen(saved.c_str(), "rb")) {
        std::fclose(probe);
        GTEST_SKIP() << "file permissions do not apply to this user";
    }
    const std::string regenerated =
        run.Run(WriteBlockHeader, SimulationBlock(), "MyAdd.h", nullptr);
    EXPECT_EQ(regenerated, Generate(WriteBlockHeader, SimulationBlock(), "MyAdd.h"));
    ASSERT_EQ(run.prompts.messages.size(), 1u);
    EXPECT_EQ(run.prompts.messages[0],
              "Unable to open file " + run.dir.path() + "MyAdd.h, splice will not be attempted.");
    EXPECT_TRUE(run.prompts.questions.empty());
}

}  // namespace
}  // namespace bw

namespace bw {
namespace {

using namespace testblocks;

std::string InsertAfter(std::string text, const std::string& marker, const std::string& line) {
    const size_t at = text.find(marker + "\r\n");
    EXPECT_NE(at, std::string::npos) << marker;
    return at == std::string::npos ? text : text.insert(at + marker.size() + 2, line + "\r\n");
}

// Through the whole run: the first run's files are edited by hand, the second
// run backs them up and carries the edits over into both files.
TEST(ComponentRegeneration, HandEditsSurviveASecondRun) {
    TempDir dir;
    BLOCKINFO block = SimulationBlock();
    block.Directory = dir.path() + "MyAdd";
    block.IconFilename = "myadd";
    RecordingPrompts prompts;
    std::tm when{};
    FixedClock clock(when);
    MemorySettings settings;
    RunEnvironment environment;
    environment.prompts = &prompts;
    environment.clock = &clock;
    environment.settings = &settings;
    environment.workingDirectory = dir.path();
    ASSERT_EQ(RunGeneration(block, environment).outcome, RunOutcome::Completed);

    const std::string header = dir.path() + "MyAdd/MyAdd.h";
    const std::string source = dir.path() + "MyAdd/MyAdd.c";
    WriteFileBytes(header, InsertAfter(ReadFileBytes(header), "//; External Routine Prototypes",
                                       "int Helper(int);"));
    WriteFileBytes(
        source, InsertAfter(ReadFileBytes(source), "//; Include Libraries", "#include <math.h>"));

    prompts.overwriteAnswers = {OverwriteAnswer::YesToAll};
    prompts.yesNoAnswers = {true, true};
    ASSERT_EQ(RunGeneration(block, environment).outcome, RunOutcome::Completed);
    EXPECT_EQ(prompts.questions,
              (std::vector<std::string>{
                  "Found a previous version of MyAdd.c do you want to attempt to splice the two "
                  "files ?",
                  "Found a previous version of MyAdd.h do you want to splice the two files ?"}));
    const auto headerLines = Lines(ReadFileBytes(header));
    EXPECT_EQ(Between(headerLines, "//; External Routine Prototypes",
                      "//; End of External Routine Prototypes"),
              (std::vector<std::string>{"int Helper(int);", ""}));
    const auto sourceLines = Lines(ReadFileBytes(source));
    EXPECT_EQ(Between(sourceLines, "//; Include Libraries", "//; End of Include Libraries"),
              (std::vector<std::string>{"#include <math.h>", ""}));
}

}  // namespace
}  // namespace bw
