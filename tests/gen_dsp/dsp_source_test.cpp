#include <gtest/gtest.h>

#include "gen_dsp/dsp_files.h"
#include "gen_dsp/dsp_test_blocks.h"

namespace bw {
namespace {

using namespace dsp_test;
using Strings = std::vector<std::string>;

const std::string RULE = "/*" + std::string(76, '-') + "*/";

Strings SourceLines(const BLOCKINFO& block, const std::string& fileName = "_NFAdd.c") {
    return Lines(Generate(WriteDspSource, block, fileName));
}

TEST(DspSource, PlainBlockHasHeadIncludeCommentedRoutinesAndSingleTermLoop) {
    const std::string text = Generate(WriteDspSource, RealTimeBlock(), "_NFAdd.c");
    const Strings lines = Lines(text);
    const Strings head = {
        "/*",
        "//" + std::string(76, '='),
        "//",
        "//    FILE NAME : _NFAdd.c",
        "//",
        "//    BLOCK NAME: Adder",
        "//",
        "//    GROUP NAME: Arithmetic",
        "//",
        "//    PURPOSE   : Provides the real-time block's DSP C source code.",
        "//",
        "//    Tessaline Blockwright Version 4.30.00 Auto-Generated Block",
        "//",
        "//    Number of Inputs : 1",
        "//    Number of Outputs: 1",
        "//",
        "//    Creation Date: Tue - 05 March 2024",
        "//    Creation Time: 02:07 PM",
        "//",
        "//" + std::string(76, '='),
        "*/",
        "",
        "#include \"_nfadd.h\"",
        "",
        "#pragma DATA_SECTION(Params, \".tessa:ignore\")",
        "PARAMS Params;",
        "",
        RULE,
    };
    ASSERT_GE(lines.size(), head.size());
    EXPECT_EQ(Strings(lines.begin(), lines.begin() + static_cast<long>(head.size())), head);

    for (const char* routine : {"_INT", "_INIT", "_STOP", "_RESTART"}) {
        const std::string signature = std::string("void NFAdd") + routine + "(PARAMS *pPtr)";
        const long at = IndexOf(lines, signature);
        ASSERT_GT(at, 0) << routine;
        EXPECT_EQ(lines[static_cast<size_t>(at - 1)], "/*") << routine;
        EXPECT_EQ(LinesFrom(lines, signature, 7), (Strings{signature, "{", "", "}", "*/", "", ""}))
            << routine;
    }

    const Strings main = {
        "void NFAdd(PARAMS *pPtr)",
        "{",
        "    unsigned int index;       /* index for frame processing loop */",
        "",
        "",
        "    /*-----------------------------------------------------------*/",
        "    /* Example algorithm to process input/fill output            */",
        "    /*-----------------------------------------------------------*/",
        "    for (index = 0; index<pPtr->FramesizeOut0; index++) {",
        "       *(pPtr->PtrOut0+index) = *(pPtr->PtrIn0+index);",
        "    }",
        "",
        "",
        "",
        "}",
        "",
    };
    EXPECT_EQ(LinesFrom(lines, "void NFAdd(PARAMS *pPtr)", 100), main);
    EXPECT_TRUE(text.ends_with("}\r\n\r\n"));
}

TEST(DspSource, MainBannerListsFieldsPaddedTo78AndNeverCutsLongOnes) {
    BLOCKINFO block = RealTimeBlock();
    AddParameter(block, "Gain", TYPE_FLOAT);
    AddParameter(block,
                 "A really quite extraordinarily long parameter name for the master gain stage",
                 TYPE_INTEGER);
    AddParameter(block, "Label", TYPE_TEXT);  // never reaches the structure
    AddLocalArray(block, "delay line", "64");
    const Strings lines = SourceLines(block);
    const Strings banner = {
        "/* Custom fields of the pPtr structure may be accessed as follows:            */",
        "/*     pPtr->FramesizeIn0 = ...;                                              */",
        "/*     pPtr->FramesizeOut0 = ...;                                             */",
        "/*     pPtr->_Gain = ...;                                                     */",
        "/*     pPtr->_Areallyquiteextraordinarilylongparameternameforthemastergainstage = ...;*/",
        "/*     pPtr->_delayline = ...;                                                */",
        RULE,
        "void NFAdd(PARAMS *pPtr)",
    };
    EXPECT_EQ(LinesFrom(lines, banner[0], banner.size()), banner);
    EXPECT_EQ(banner[2].size(), 80u);
}

TEST(DspSource, ThreeInputsSumOverContinuationLines) {
    BLOCKINFO block = RealTimeBlock();
    block.NumInputs = 3;
    const Strings lines = SourceLines(block);
    const std::string blanks(32, ' ');
    EXPECT_EQ(LinesFrom(lines, "    for (index = 0; index<pPtr->FramesizeOut0; index++) {", 5),
              (Strings{"    for (index = 0; index<pPtr->FramesizeOut0; index++) {",
                       "       *(pPtr->PtrOut0+index) = *(pPtr->PtrIn0+index)",
                       blanks + "+ *(pPtr->PtrIn1+index)", blanks + "+ *(pPtr->PtrIn2+index);",
                       "    }"}));
    EXPECT_TRUE(Has(lines, "    /* Example algorithm to process inputs/fill output           */"));
}

TEST(DspSource, IncludeIsLowerCaseWhileRoutinesKeepTheirCase) {
    const Strings lines = SourceLines(RealTimeBlock("NFGain"), "_NFGain.c");
    EXPECT_TRUE(Has(lines, "#include \"_nfgain.h\""));
    EXPECT_TRUE(Has(lines, "void NFGain_INIT(PARAMS *pPtr)"));
    EXPECT_TRUE(Has(lines, "void NFGain(PARAMS *pPtr)"));
}

TEST(DspSource, ExampleTitlesFollowTheShape) {
    struct Case {
        int inputs, outputs;
        const char* title;
    };
    const Case cases[] = {
        {2, 2, "    /* Example algorithm to process inputs/fill outputs          */"},
        {2, 0, "    /* Examples of accessing input data                          */"},
        {1, 2, "    /* Example algorithm to process input/fill outputs           */"},
        {1, 0, "    /* Example of accessing input data                           */"},
        {0, 3, "    /* Example algorithm to process inputs/fill output           */"},
    };
    for (const Case& c : cases) {
        BLOCKINFO block = RealTimeBlock();
        block.NumInputs = c.inputs;
        block.NumOutputs = c.outputs;
        EXPECT_TRUE(Has(SourceLines(block), c.title)) << c.inputs << " " << c.outputs;
    }
}

TEST(DspSource, SinkReadsEachInputIntoDummy) {
    BLOCKINFO block = RealTimeBlock();
    block.NumInputs = 2;
    block.NumOutputs = 0;
    const Strings lines = SourceLines(block);
    const Strings expected = {
        "    unsigned int index;       /* index for frame processing loop */",
        "  float        dummy;       /* variable filled as example */",
        "",
        "",
        "    /*-----------------------------------------------------------*/",
        "    /* Examples of accessing input data                          */",
        "    /*-----------------------------------------------------------*/",
        "    dummy = *(pPtr->PtrIn0);         /* accessing input data 0 */",
        "    dummy = *(pPtr->PtrIn1);         /* accessing input data 1 */",
        "",
        "}",
    };
    EXPECT_EQ(LinesFrom(lines, expected[0], expected.size()), expected);
}

TEST(DspSource, SourceWithUserControlReadsControlSlotsAsSamples) {
    BLOCKINFO block = RealTimeBlock();
    block.NumInputs = 0;
    block.NumOutputs = 2;
    block.UserControl = 1;
    const Strings lines = SourceLines(block);
    const Strings expected = {
        "  unsigned int ParamOfs;    /* offset of parameters in structure */",
        "",
        "",
        "    /*-----------------------------------------------------------*/",
        "    /* Example algorithm to process inputs/fill output           */",
        "    /*-----------------------------------------------------------*/",
        "",
        "    /* set parameter offset into pPtr structure */",
        "    ParamOfs = 6;",
        "",
        "    /* set output data with user control data */",
        "    *pPtr->PtrOut0 = *((float *)pPtr+ParamOfs+0);  /* user control value 0 */",
        "    *pPtr->PtrOut1 = *((float *)pPtr+ParamOfs+1);  /* user control value 1 */",
        "",
        "}",
    };
    EXPECT_EQ(LinesFrom(lines, expected[0], expected.size()), expected);

    // A native block has neither synchronisation nor frame-size slots.
    block.Native = 1;
    EXPECT_TRUE(Has(SourceLines(block), "    ParamOfs = 2;"));
    // The integer variant reads integers.
    block.Native = 0;
    EXPECT_TRUE(Has(SourceLines(IntegerVariant(block)),
                    "    *pPtr->PtrOut1 = *((int *)pPtr+ParamOfs+1);  /* user control value 1 */"));
}

TEST(DspSource, SourceRampAndNativeFrameLoop) {
    BLOCKINFO block = RealTimeBlock();
    block.NumInputs = 0;
    const Strings ramp = {
        "    for (index = 0; index<pPtr->FramesizeOut0; index++) {",
        "       *(pPtr->PtrOut0+index) = index;  /* create ramp example */",
        "    }",
        "",
        "",
        "}",
    };
    EXPECT_EQ(LinesFrom(SourceLines(block), ramp[0], ramp.size()), ramp);

    // A native block processes one sample a call and has no frame sizes.
    block.Native = 1;
    block.NumInputs = 1;
    const Strings lines = SourceLines(block);
    EXPECT_TRUE(Has(lines, "    for (index = 0; index<1; index++) {"));
    EXPECT_FALSE(Has(lines, "    for (index = 0; index<pPtr->FramesizeOut0; index++) {"));
}

TEST(DspSource, MatrixBlockSetsPixelPointersAndOutputHeaders) {
    BLOCKINFO block = RealTimeBlock();
    block.Matrix = 1;
    block.NumInputs = 2;
    const Strings lines = SourceLines(block);
    const Strings init = {
        "void NFAdd_INIT(PARAMS *pPtr)",
        "{",
        "  pPtr->PtrPixelIn0 = (float *)(pPtr->PtrIn0+1);",
        "  pPtr->PtrPixelIn1 = (float *)(pPtr->PtrIn1+1);",
        "  pPtr->PtrPixelOut0 = (float *)(pPtr->PtrOut0+1);",
        "}",
        "",
        "",
    };
    EXPECT_EQ(LinesFrom(lines, init[0], init.size()), init);
    EXPECT_NE(lines[static_cast<size_t>(IndexOf(lines, init[0]) - 1)], "/*");

    // The sizes come from the largest input; every input adds into each output.
    EXPECT_EQ(LinesFrom(lines, "    row = pPtr->PtrIn0->miRows;", 4),
              (Strings{"    row = pPtr->PtrIn0->miRows;", "    col = pPtr->PtrIn0->miColumns;",
                       "    row = max(row, pPtr->PtrIn1->miRows);",
                       "    col = max(col, pPtr->PtrIn1->miColumns);"}));
    EXPECT_TRUE(Has(lines, "    pPtr->PtrOut0->miDTFlag = HDT_FLOAT;"));
    EXPECT_TRUE(Has(lines, "        if(row<pPtr->PtrIn1->miRows && col<pPtr->PtrIn1->miColumns)"));
    EXPECT_TRUE(Has(lines,
                    "          *(pPtr->PtrPixelOut0+col+RowIndex) += "
                    "*(pPtr->PtrPixelIn1+col+row*pPtr->PtrIn1->miColumns);"));
}

TEST(DspSource, MatrixSourceTakesTheBlockSizeAndNoPrecisionLeavesTypesEmpty) {
    BLOCKINFO block = RealTimeBlock();
    block.Matrix = 1;
    block.NumInputs = 0;
    block.FloatingPoint = block.Integer = 0;
    const Strings lines = SourceLines(block);
    EXPECT_TRUE(Has(lines, "    row = pPtr->Rows;"));
    EXPECT_TRUE(Has(lines, "    col = pPtr->Columns;"));
    EXPECT_TRUE(Has(lines, "  pPtr->PtrPixelOut0 = ( *)(pPtr->PtrOut0+1);"));
    EXPECT_TRUE(Has(lines, "    pPtr->PtrOut0->miDTFlag = ;"));
    EXPECT_TRUE(Has(
        lines, "        *(pPtr->PtrPixelOut0+col+RowIndex) = col*10; /* Create ramp example */"));
}

TEST(DspSource, MatrixDataTypeFollowsTheFirstPrecision) {
    BLOCKINFO block = RealTimeBlock();
    block.Matrix = 1;
    block.Double = 1;
    EXPECT_TRUE(Has(SourceLines(block), "    pPtr->PtrOut0->miDTFlag = HDT_DOUBLE;"));
    block.Double = 0;
    EXPECT_TRUE(Has(SourceLines(IntegerVariant(block)), "    pPtr->PtrOut0->miDTFlag = HDT_INT;"));
}

}  // namespace
}  // namespace bw
