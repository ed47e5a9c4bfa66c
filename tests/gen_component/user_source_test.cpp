#include <gtest/gtest.h>

#include <algorithm>
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

long CountPrefixed(const std::vector<std::string>& lines, const std::string& prefix) {
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

TEST(UserSource, OneRoutinePerPrecisionWithDisplayWordAndSuffix) {
    auto lines = SourceLines(PlainBlock({&BLOCKINFO::FloatingPoint}));
    EXPECT_EQ(CountPrefixed(lines, "int PASCAL "), 1);
    EXPECT_TRUE(Has(lines, "int PASCAL BlkFloat(HANDLE hParam, HANDLE hBuf0, HANDLE hBufOut0)"));
    const auto routine = Between(lines, "//; Float Precision", "//; End of Float Precision");
    EXPECT_TRUE(Has(routine, "// Function   : BlkFloat()"));
    EXPECT_EQ(lines.front(), "//;[Blk Start]");
    EXPECT_EQ(lines.back(), "//;[Blk End]");

    lines = SourceLines(PlainBlock({&BLOCKINFO::Integer}));
    const auto integer = Between(lines, "//; Integer Precision", "//; End of Integer Precision");
    EXPECT_TRUE(Has(integer, "int PASCAL BlkInt(HANDLE hParam, HANDLE hBuf0, HANDLE hBufOut0)"));
    EXPECT_TRUE(Has(integer, "// Purpose    : Integer Precision Blk Auto Generated routine"));
    EXPECT_TRUE(Has(integer, "    pPtr->DTFlagOut0 = HDT_INT;"));
}

TEST(UserSource, OneBranchPerCombinationOfRealAndComplexInputs) {
    BLOCKINFO block = PlainBlock({&BLOCKINFO::Double});
    block.NumInputs = 2;
    auto lines = SourceLines(block);
    const auto real =
        Between(lines, "//; Real Section of Algorithm", "//; End of Real Section of Algorithm");
    const auto complex = Between(lines, "//; Complex Section of Algorithm",
                                 "//; End of Complex Section of Algorithm");
    EXPECT_EQ(real.front(),
              "    if ((pPtr->RCFlagIn0 == RC_REAL) && (pPtr->RCFlagIn1 == RC_REAL)){");
    EXPECT_EQ(CountPrefixed(real, "    if ("), 1);
    EXPECT_EQ(CountPrefixed(complex, "    else if ("), 3);
    EXPECT_TRUE(Has(
        complex, "    else if ((pPtr->RCFlagIn0 == RC_REAL) && (pPtr->RCFlagIn1 == RC_COMPLEX)){"));
    EXPECT_TRUE(Has(complex,
                    "         *(PtrOut0+index*2)   = *(PtrIn0+index) + *(PtrIn1+index*2);    "
                    "// example loop to fill output - real"));
    EXPECT_TRUE(Has(complex,
                    "         *(PtrOut0+index*2+1)   = *(PtrIn1+index*2+1);  "
                    "// example loop to fill output - imag"));

    block.Real = 0;  // the first branch written opens the chain
    lines = SourceLines(block);
    EXPECT_FALSE(Has(lines, "//; Real Section of Algorithm"));
    EXPECT_EQ(CountPrefixed(lines, "    if ((pPtr->RCFlagIn"), 1);
    EXPECT_EQ(CountPrefixed(lines, "    else if ("), 2);

    block.Real = 1;
    block.Complex = 0;
    EXPECT_FALSE(Has(SourceLines(block), "//; Complex Section of Algorithm"));

    block.Complex = 1;
    block.NumInputs = 0;  // a source tests its output's flag
    lines = SourceLines(block);
    EXPECT_TRUE(Has(lines, "    if (pPtr->RCFlagOut0==RC_REAL){"));
    EXPECT_TRUE(Has(lines, "    if (pPtr->RCFlagOut0==RC_COMPLEX){"));
    EXPECT_TRUE(Has(lines, "       // create ramp example"));
}

TEST(UserSource, ManyInputsStillGiveAUsableFile) {
    BLOCKINFO block = PlainBlock({&BLOCKINFO::FloatingPoint});
    block.NumInputs = 40;
    const auto lines = SourceLines(block);
    EXPECT_LT(lines.size(), 2000u);
    EXPECT_EQ(CountPrefixed(lines, "    else if ((pPtr->RCFlagIn0 == RC_COMPLEX) && "), 1);
}

TEST(UserSource, LocksAreReleasedInReverseOrderOnEveryFailure) {
    BLOCKINFO block = PlainBlock({&BLOCKINFO::ShortInteger});
    block.NumInputs = 1;
    block.NumOutputs = 1;
    AddLocalArray(block, "A", "16", TYPE_SHORT);
    AddLocalArray(block, "B", "16", TYPE_LONG);
    const auto lines = SourceLines(block);
    EXPECT_EQ(
        Between(lines, "    if ((PtrLocal1 = (long *) GlobalLock(sPtr->hLocalBuffer1)) == NULL){",
                "    }"),
        (std::vector<std::string>{
            "        GlobalUnlock(sPtr->hLocalBuffer0);", "        GlobalUnlock(hBufOut0);",
            "        GlobalUnlock(hBuf0);", "        GlobalUnlock(hScratchParam);",
            "        GlobalUnlock(hParam);", "        return(USR_ERR_NPT);"}));
    EXPECT_TRUE(Has(lines,
                    "    // assign local pointer to 'B' array, size = BLK_NUMLOCAL1 long "
                    "integer elements"));
    EXPECT_EQ(
        Between(lines, "    // unlock memory", "    return(USR_NO_ERR);"),
        (std::vector<std::string>{"    GlobalUnlock(sPtr->hLocalBuffer0);",
                                  "    GlobalUnlock(sPtr->hLocalBuffer1);",
                                  "    GlobalUnlock(hScratchParam);", "    GlobalUnlock(hParam);",
                                  "    GlobalUnlock(hBuf0);", "    GlobalUnlock(hBufOut0);"}));
}

TEST(UserSource, BitmapRoutineDeclaresWhatItsExampleUses) {
    BLOCKINFO block = PlainBlock({&BLOCKINFO::Bitmap});
    block.NumInputs = 0;
    const auto lines = SourceLines(block);
    const auto variables =
        Between(lines, "//; Internally used variables", "//; End of Internally used variables");
    EXPECT_EQ(variables,
              (std::vector<std::string>{
                  "", "    DWORD               ColorTable;", "    long                row;",
                  "    long                col;", "    long                AlignedWidth;", ""}));
    EXPECT_TRUE(Has(
        lines, "    LPBITMAPINFOHEADER       PtrOut0;          // ptr to output channel 0 data"));
    EXPECT_TRUE(
        Has(lines, "    PtrOut0->biSize = sizeof(BITMAPINFOHEADER);  // Set header info size"));
    // Pixels are never read or written as real and imaginary pairs.
    EXPECT_EQ(CountPrefixed(lines, "           *(PtrBitsOut0+(row"), 0);
}

TEST(UserSource, SquareMatrixCheckUnlocksEverything) {
    BLOCKINFO block = PlainBlock({&BLOCKINFO::FloatingPoint});
    block.Matrix = 1;
    block.Square = 1;
    block.NumInputs = 2;
    const auto lines = SourceLines(block);
    EXPECT_TRUE(Has(lines,
                    "    if(pMihIn0->miRows!=pMihIn1->miRows || "
                    "pMihIn0->miColumns!=pMihIn1->miColumns){"));
    EXPECT_EQ(
        Between(lines, "//; Skipped Source Code", "//; End of Skipped Source Code"),
        (std::vector<std::string>{"      GlobalUnlock(hParam);", "      GlobalUnlock(hBuf0);",
                                  "      GlobalUnlock(hBuf1);", "      GlobalUnlock(hBufOut0);"}));
    EXPECT_TRUE(Has(lines, "      return(USR_ERR_MTXSIZE);  // matrix dimensions do not match"));
    EXPECT_TRUE(Has(lines, "    PtrIn1 = (float *)((BYTE *)pMihIn1 + pMihIn1->miSize);"));
}

TEST(UserSource, ParameterReferencesAndWarnings) {
    BLOCKINFO block = PlainBlock({&BLOCKINFO::Byte});
    for (int i = 0; i < 11; ++i) {
        AddParameter(block, "P" + std::to_string(i), i == 3 ? TYPE_EXCLUDED : TYPE_INTEGER);
    }
    block.WarningType = WARNING_ERROR;
    const auto lines = SourceLines(block);
    EXPECT_TRUE(Has(lines, "//            Parameter 9 : pPtr->_P9"));
    EXPECT_TRUE(Has(lines, "//            Parameter 10: pPtr->_P10"));
    EXPECT_FALSE(Has(lines, "//            Parameter 3 : pPtr->_P3"));
    EXPECT_EQ(Between(lines, "        if (FALSE){", "        }"),
              std::vector<std::string>{"            pPtr->LocalError = USR_ERR_ERR;"});

    block.UserControl = 1;  // sends the first numeric parameter
    EXPECT_TRUE(Has(SourceLines(block), "         *(PtrOut0+index)   = (BYTE)pPtr->_P0;"));
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
    EXPECT_EQ(run.prompts.questions,
              std::vector<std::string>{"Found a previous version of MyAdd.c do you want to attempt "
                                       "to splice the two files ?"});
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

TEST(UserSourceSplice, AnsweringNoGeneratesAfresh) {
    const BLOCKINFO block = PlainBlock({&BLOCKINFO::Double});
    const std::string fresh = Generate(WriteUserSource, block, "Blk.c");
    const std::string previous =
        Text({"//; Include Libraries", "#include <x.h>", "//; End of Include Libraries"});
    Regeneration run;
    run.prompts.yesNoAnswers = {false};
    EXPECT_EQ(run.Run(WriteUserSource, block, "Blk.c", &previous), fresh);
}

}  // namespace
}  // namespace bw
