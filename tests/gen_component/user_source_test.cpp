#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "gen_component/block_header_test_blocks.h"
#include "gen_component/component_files.h"
#include "support/generate.h"
#include "support/golden.h"

namespace bw {
namespace {

using namespace testblocks;

std::vector<std::string> SourceLines(const BLOCKINFO& block) {
    return Lines(Generate(WriteUserSource, block, block.BlockName + ".c"));
}

std::ptrdiff_t CountPrefixed(const std::vector<std::string>& lines, const std::string& prefix) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

BLOCKINFO PlainBlock(std::vector<int BLOCKINFO::*> precisions) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Blk";
    block.MenuName = "Blk";
    SetPrecisions(block, std::move(precisions));
    return block;
}

TEST(UserSource, GoldenSimulationBlock) {
    ExpectMatchesGolden("component/MyAdd.c",
                        Generate(WriteUserSource, SimulationBlock(), "MyAdd.c"));
}

void TwoDoubleInputs(BLOCKINFO& block) {
    SetPrecisions(block, {&BLOCKINFO::Double});
    block.NumInputs = 2;
}

void SquareMatrices(BLOCKINFO& block) {
    block.Matrix = block.Square = 1;
    block.NumInputs = 2;
}

void ElevenParameters(BLOCKINFO& block) {
    SetPrecisions(block, {&BLOCKINFO::Byte});
    for (int i = 0; i < 11; ++i) {
        AddParameter(block, "P" + std::to_string(i), i == 3 ? TYPE_EXCLUDED : TYPE_INTEGER);
    }
    block.WarningType = WARNING_ERROR;
}

void BitmapSource(BLOCKINFO& block) {
    SetPrecisions(block, {&BLOCKINFO::Bitmap});
    block.NumInputs = 0;
}

struct Rule {
    const char* what;
    void (*shape)(BLOCKINFO&);
    const char* prefix;
    long lines;  // how many lines start with the prefix
};

const Rule RULES[] = {
    // One routine per precision, named with its suffix.
    {"float", [](BLOCKINFO&) {}, "int PASCAL ", 1},
    {"integer", [](BLOCKINFO& b) { SetPrecisions(b, {&BLOCKINFO::Integer}); },
     "int PASCAL BlkInt(HANDLE hParam, HANDLE hBuf0, HANDLE hBufOut0)", 1},
    {"integer", [](BLOCKINFO& b) { SetPrecisions(b, {&BLOCKINFO::Integer}); },
     "// Purpose    : Integer Precision Blk Auto Generated routine", 1},
    {"integer", [](BLOCKINFO& b) { SetPrecisions(b, {&BLOCKINFO::Integer}); },
     "    pPtr->DTFlagOut0 = HDT_INT;", 1},
    // One branch per combination of real and complex inputs; the first written opens the chain.
    {"complex only", [](BLOCKINFO& b) { TwoDoubleInputs(b), b.Real = 0; },
     "//; Real Section of Algorithm", 0},
    {"complex only", [](BLOCKINFO& b) { TwoDoubleInputs(b), b.Real = 0; },
     "    if ((pPtr->RCFlagIn", 1},
    {"complex only", [](BLOCKINFO& b) { TwoDoubleInputs(b), b.Real = 0; }, "    else if (", 2},
    {"real only", [](BLOCKINFO& b) { TwoDoubleInputs(b), b.Complex = 0; },
     "//; Complex Section of Algorithm", 0},
    // A source tests its output's flag.
    {"source", [](BLOCKINFO& b) { b.NumInputs = 0; }, "    if (pPtr->RCFlagOut0==RC_COMPLEX){", 1},
    {"source", [](BLOCKINFO& b) { b.NumInputs = 0; }, "       // create ramp example", 2},
    // Forty inputs still give one branch per kind of the first input, not every combination.
    {"forty inputs", [](BLOCKINFO& b) { b.NumInputs = 40; },
     "    else if ((pPtr->RCFlagIn0 == RC_COMPLEX) && ", 1},
    // Bitmaps declare what the example uses and never address pixels as pairs.
    {"bitmap source", BitmapSource, "    long                AlignedWidth;", 1},
    {"bitmap source", BitmapSource,
     "    LPBITMAPINFOHEADER       PtrOut0;          // ptr to output channel 0 data", 1},
    {"bitmap source", BitmapSource, "           *(PtrBitsOut0+(row", 0},
    // Square matrices are checked, everything unlocked on a mismatch.
    {"square", SquareMatrices, "      GlobalUnlock(hBuf1);", 1},
    {"square", SquareMatrices, "      return(USR_ERR_MTXSIZE);  // matrix dimensions do not match",
     1},
    // Parameter references keep their column and skip what is excluded.
    {"eleven parameters", ElevenParameters, "//            Parameter 10: pPtr->_P10", 1},
    {"eleven parameters", ElevenParameters, "//            Parameter 9 : pPtr->_P9", 1},
    {"eleven parameters", ElevenParameters, "//            Parameter 3 ", 0},
    {"eleven parameters", ElevenParameters, "            pPtr->LocalError = USR_ERR_ERR;", 1},
    // A user-control block sends its first numeric parameter.
    {"user control", [](BLOCKINFO& b) { ElevenParameters(b), b.UserControl = 1; },
     "         *(PtrOut0+index)   = (BYTE)pPtr->_P0;", 1},
};

TEST(UserSource, LinesFollowTheDefinition) {
    for (const Rule& rule : RULES) {
        BLOCKINFO block = PlainBlock({&BLOCKINFO::FloatingPoint});
        rule.shape(block);
        const auto lines = SourceLines(block);
        EXPECT_FALSE(lines.empty()) << rule.what << ": no source written";
        EXPECT_EQ(CountPrefixed(lines, rule.prefix), rule.lines)
            << rule.what << ": " << rule.prefix;
    }
}

// ---------------------------------------------------------------------------
// Regeneration

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(UserSourceSplice, RegenerationKeepsEveryUserSection) {
    std::string previous = Generate(WriteUserSource, SimulationBlock(), "MyAdd.c");
    previous = Replace(previous, "//; Include Libraries\r\n\r\n",
                       "//; Include Libraries\r\n#include <math.h>\r\n");
    previous = Replace(previous, "//; End of External Routines",
                       "static int Helper(void) { return 1; }\r\n//; End of External Routines");
    const size_t doubleRoutine = previous.find("//; Double Precision");
    previous.replace(previous.find("    unsigned long       index;\r\n", doubleRoutine), 0,
                     "    double              sum;\r\n");
    const size_t localRoutine = previous.find("//; Local Routine\r\n", doubleRoutine);
    const size_t end = previous.find("//; End of Local Routine", localRoutine);
    previous.replace(localRoutine + 19, end - localRoutine - 19, "    sum = 0.0;\r\n");

    Regeneration run;
    const std::string regenerated =
        run.Run(WriteUserSource, SimulationBlock(), "MyAdd.c", &previous);
    ExpectMatchesGolden("component/MyAdd_spliced.c", regenerated);
    EXPECT_EQ(regenerated, previous);
}

TEST(UserSourceSplice, SectionsAreFoundWhereverTheyStand) {
    // The Float routine is gone, the external routines come first and the
    // include section last: everything is still found.
    const std::string previous =
        Text({"//; External Routines", "int Ext(void);", "//; End of External Routines",
              "//; Double Precision", "//; Local Routine", "    keep();",
              "//; End of Local Routine", "//; Internally used variables", "    int kept;",
              "//; End of Internally used variables", "//; End of Double Precision",
              "//; Include Libraries  (moved)", "#include <x.h>", "//; End of Include Libraries"});
    BLOCKINFO block = PlainBlock({&BLOCKINFO::FloatingPoint, &BLOCKINFO::Double});
    Regeneration run;
    const auto lines = Lines(run.Run(WriteUserSource, block, "Blk.c", &previous));
    EXPECT_EQ(Between(lines, "//; Include Libraries", "//; End of Include Libraries"),
              std::vector<std::string>{"#include <x.h>"});
    EXPECT_EQ(Between(lines, "//; External Routines", "//; End of External Routines"),
              std::vector<std::string>{"int Ext(void);"});
    const size_t doubleRoutine = static_cast<size_t>(
        std::find(lines.begin(), lines.end(), "//; Double Precision") - lines.begin());
    EXPECT_EQ(Between(lines, "//; Local Routine", "//; End of Local Routine", doubleRoutine),
              std::vector<std::string>{"    keep();"});
    EXPECT_EQ(Between(lines, "//; Internally used variables",
                      "//; End of Internally used variables", doubleRoutine),
              std::vector<std::string>{"    int kept;"});
    // The new Float routine has no previous sections: it gets the defaults,
    // not the Double routine's lines.
    const auto floatRoutine = Between(lines, "//; Float Precision", "//; End of Float Precision");
    EXPECT_FALSE(Has(floatRoutine, "    keep();"));
    EXPECT_TRUE(Has(floatRoutine, "//; Real Section of Algorithm"));
}

}  // namespace
}  // namespace bw
