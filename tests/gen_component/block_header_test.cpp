#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gen_component/block_header_test_blocks.h"
#include "gen_component/component_files.h"
#include "run/generation_run.h"
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

void AddCombos(BLOCKINFO& block) {
    AddParameter(block, "Gain", TYPE_FLOAT);
    AddParameter(block, "Choice", TYPE_COMBO_BOX);
    AddParameter(block, "Shape", TYPE_COMBO_BOX, "", {"a", "b", "c", "d", "e"});
}

void AddSizedArrays(BLOCKINFO& block) {
    AddParameter(block, "Skip", TYPE_EXCLUDED);
    AddParameter(block, "Length", TYPE_INTEGER);
    AddLocalArray(block, "B", "Length", TYPE_FLOAT);
    AddLocalArray(block, "C", "Unused", TYPE_EXCLUDED);
    AddLocalArray(block, "D", "Length*2", TYPE_INTEGER);
}

void ImageMatrixSource(BLOCKINFO& block) {
    block.NumInputs = 0;
    block.Bitmap = block.Matrix = 1;
}

void CharAndBitmapOnly(BLOCKINFO& block) {
    block.NumInputs = 2;
    SetPrecisions(block, {&BLOCKINFO::Character, &BLOCKINFO::Bitmap});
}

void XdaisWithArray(BLOCKINFO& block) {
    block.RealTime = block.xDAIS = 1;
    AddLocalArray(block, "A", "64", TYPE_FLOAT);
}

struct Rule {
    const char* what;
    void (*shape)(BLOCKINFO&);
    std::string line;
    long count;  // how many times the line stands in the header
};

const Rule RULES[] = {
    // A source has an image or matrix size of its own; a processing block does not.
    {"image matrix source", ImageMatrixSource, "    long          ImageHeight;", 1},
    {"image matrix source", ImageMatrixSource, "    long          Columns;", 1},
    {"image matrix source", ImageMatrixSource, "//  Block Input Information", 0},
    {"image processing", [](BLOCKINFO& b) { b.Bitmap = 1; }, "    long          ImageWidth;", 0},
    {"matrix processing", [](BLOCKINFO& b) { b.Matrix = 1; }, "    long          Rows;", 0},
    {"image processing", [](BLOCKINFO& b) { b.Bitmap = 1; },
     "    DWORD         dwNumColorsIn0;   // Number of colors in the Bitmap on input channel 0", 1},
    // Combo item counts default to three.
    {"combos", AddCombos, "#define NUM_CHOICE                        3", 1},
    {"combos", AddCombos, "#define NUM_SHAPE                         5", 1},
    {"combos", AddCombos, "// Combo box number of items", 1},
    {"no combos", [](BLOCKINFO&) {}, "// Combo box number of items", 0},
    // Array sizes name numbers, parameter members and expressions of them.
    {"sized arrays", AddSizedArrays, "#define BUF_NUMLOCAL0   pPtr->_Length", 1},
    {"sized arrays", AddSizedArrays, "#define BUF_NUMLOCAL2   pPtr->_Length*2", 1},
    {"sized arrays", AddSizedArrays, "    unsigned long NumLocalElements1;   // C size", 0},
    {"sized arrays", AddSizedArrays, "    HANDLE        hLocalBuffer1;       // C handle", 1},
    // The block interface name of a real-time block is padded to two letters.
    {"one-letter name", [](BLOCKINFO& b) { b.RealTime = 1, b.BlockName = "F"; },
     "#define BINAME  \"Fi\"", 1},
    {"simulation", [](BLOCKINFO& b) { b.BlockName = "F"; }, "#define BINAME  \"Fi\"", 0},
    // The scratch structure exists only with local arrays or in real time.
    {"plain", CharAndBitmapOnly, "} SCRATCH_PARAM;", 0},
    {"plain", CharAndBitmapOnly, "int  PASCAL BufBmp(HANDLE, HANDLE, HANDLE, HANDLE);", 1},
    {"plain with array",
     [](BLOCKINFO& b) { CharAndBitmapOnly(b), AddLocalArray(b, "A", "8", TYPE_BYTE); },
     "int  PASCAL BufChar(HANDLE, HANDLE, HANDLE, HANDLE, HANDLE);", 1},
    // xDAIS keeps the scratch structure but leaves the arrays to the algorithm.
    {"xDAIS", XdaisWithArray, "} SCRATCH_PARAM;", 1},
    {"xDAIS", XdaisWithArray, "//  Local Array Sizes", 0},
    {"xDAIS", XdaisWithArray, "//  Local Array Memory Handles", 0},
    {"xDAIS", XdaisWithArray, "// local array storage sizes", 0},
    {"xDAIS", XdaisWithArray, "    HBITMAP       hBitmap;", 1},
};

TEST(BlockHeader, LinesFollowTheDefinition) {
    for (const Rule& rule : RULES) {
        BLOCKINFO block = NewBlock();
        block.BlockName = "Buf";
        rule.shape(block);
        const auto lines = HeaderLines(block);
        EXPECT_FALSE(lines.empty()) << rule.what << ": no header written";
        EXPECT_EQ(std::count(lines.begin(), lines.end(), rule.line), rule.count)
            << rule.what << ": " << rule.line;
    }
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

std::string InsertAfter(std::string text, const std::string& marker, const std::string& line) {
    const size_t at = text.find(marker + "\r\n");
    EXPECT_NE(at, std::string::npos) << marker;
    return at == std::string::npos ? text : text.insert(at + marker.size() + 2, line + "\r\n");
}

// Through the whole run: the first run's files are edited by hand, the second
// run, for a definition with one more input, backs them up and carries the
// edits over into both files.
TEST(ComponentRegeneration, HandEditsSurviveASecondRun) {
    TempDir dir;
    BLOCKINFO block = SimulationBlock();
    block.Directory = dir.path() + "MyAdd";
    block.IconFilename = "myadd";
    TestRun run(dir.path());
    RecordingPrompts& prompts = run.prompts;
    ASSERT_EQ(RunGeneration(block, run.environment).outcome, RunOutcome::Completed);

    const std::string header = dir.path() + "MyAdd/MyAdd.h";
    const std::string source = dir.path() + "MyAdd/MyAdd.c";
    WriteFileBytes(header, InsertAfter(ReadFileBytes(header), "//; External Routine Prototypes",
                                       "int Helper(int);"));
    WriteFileBytes(
        source, InsertAfter(ReadFileBytes(source), "//; Include Libraries", "#include <math.h>"));

    prompts.overwriteAnswers = {OverwriteAnswer::YesToAll};
    prompts.yesNoAnswers = {true, true};
    block.NumInputs += 1;
    ASSERT_EQ(RunGeneration(block, run.environment).outcome, RunOutcome::Completed);
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
