// The rules of the DSP source and header that the golden blocks do not settle
// on their own, the xDAIS call rules, and the parameter order record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>

#include "gen_dsp/dsp_files.h"
#include "gen_dsp/dsp_test_blocks.h"
#include "gen_dsp/xdais.h"
#include "generation/paths.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

using namespace dsp_test;
using Strings = std::vector<std::string>;

void Source(BLOCKINFO& b) {
    b.NumInputs = 0;
}
void UserControlSource(BLOCKINFO& b) {
    b.NumInputs = 0;
    b.NumOutputs = 2;
    b.UserControl = 1;
}
void Sink(BLOCKINFO& b) {
    b.NumInputs = 2;
    b.NumOutputs = 0;
}
void TwoInputMatrix(BLOCKINFO& b) {
    b.Matrix = 1;
    b.NumInputs = 2;
}
void MatrixSourceWithoutPrecision(BLOCKINFO& b) {
    b.Matrix = 1;
    b.NumInputs = 0;
    b.FloatingPoint = b.Integer = 0;
}
void XdaisCalls(BLOCKINFO& b) {
    b = XdaisBlock();
    b.NumInputs = 2;
    b.Prototypes = {
        Prototype("apply4", "XDAS_Void", {"ptrIn0", "ptrIn1", "ptrOut0", "n"},
                  {"XDAS_Int32 *", "XDAS_Int32 *", "XDAS_Int32 *", "XDAS_Int32"}),
        Prototype("short", "XDAS_Void", {"a"}, {}),
    };
}
void XdaisTwoOutputs(BLOCKINFO& b) {
    b = XdaisBlock();
    b.NumOutputs = 2;
    AddParameter(b, "Gain", TYPE_FLOAT);
    AddParameter(b, "%%", TYPE_INTEGER).ParameterConst = 1;  // nothing usable: member Parameter1
    AddParameter(b, "Title", TYPE_TEXT);
    AddLocalArray(b, "taps", "32");  // an xDAIS block lists no local arrays
}
// A matrix XDAIS block still creates its algorithm instance.
void XdaisMatrix(BLOCKINFO& b) {
    b = XdaisBlock();
    b.Matrix = 1;
    AddParameter(b, "Gain", TYPE_FLOAT);
}
void IntegerPersistents(BLOCKINFO& b) {
    AddPersistant(b, "level", TYPE_DOUBLE);
    AddPersistant(b, "steps", TYPE_SHORT);
    AddLocalArray(b, "buffer", "16");
    b = IntegerVariant(b);
}

struct Rule {
    const char* what;
    void (*shape)(BLOCKINFO&);
    Generator generator;
    std::string line;
    long count;  // how many times the line stands in the file
};

const Rule RULES[] = {
    // The example's title follows the shape.
    {"2 in 2 out", [](BLOCKINFO& b) { b.NumInputs = b.NumOutputs = 2; }, WriteDspSource,
     "    /* Example algorithm to process inputs/fill outputs          */", 1},
    {"2 in", Sink, WriteDspSource,
     "    /* Examples of accessing input data                          */", 1},
    {"1 in 2 out", [](BLOCKINFO& b) { b.NumOutputs = 2; }, WriteDspSource,
     "    /* Example algorithm to process input/fill outputs           */", 1},
    {"1 in", [](BLOCKINFO& b) { b.NumOutputs = 0; }, WriteDspSource,
     "    /* Example of accessing input data                           */", 1},
    {"0 in 3 out", [](BLOCKINFO& b) { b.NumInputs = 0, b.NumOutputs = 3; }, WriteDspSource,
     "    /* Example algorithm to process inputs/fill output           */", 1},
    // A sink reads each input into a dummy.
    {"sink", Sink, WriteDspSource, "  float        dummy;       /* variable filled as example */",
     1},
    {"sink", Sink, WriteDspSource,
     "    dummy = *(pPtr->PtrIn1);         /* accessing input data 1 */", 1},
    // A source makes a ramp, or with a user control sends the control slots.
    {"source", Source, WriteDspSource,
     "       *(pPtr->PtrOut0+index) = index;  /* create ramp example */", 1},
    {"user control", UserControlSource, WriteDspSource, "    ParamOfs = 6;", 1},
    {"user control", UserControlSource, WriteDspSource,
     "    *pPtr->PtrOut1 = *((float *)pPtr+ParamOfs+1);  /* user control value 1 */", 1},
    // A native block has neither synchronisation nor frame-size slots.
    {"native user control", [](BLOCKINFO& b) { UserControlSource(b), b.Native = 1; },
     WriteDspSource, "    ParamOfs = 2;", 1},
    {"integer user control", [](BLOCKINFO& b) { UserControlSource(b), b = IntegerVariant(b); },
     WriteDspSource, "    *pPtr->PtrOut1 = *((int *)pPtr+ParamOfs+1);  /* user control value 1 */",
     1},
    {"native source", [](BLOCKINFO& b) { b.Native = 1, b.NumInputs = 0; }, WriteDspHeader,
     "  unsigned int FramesizeOut0;            /* output 0 framesize */", 0},
    // A matrix takes its size from the largest input; every input adds into the output.
    {"matrix", TwoInputMatrix, WriteDspSource, "    row = max(row, pPtr->PtrIn1->miRows);", 1},
    {"matrix", TwoInputMatrix, WriteDspSource, "  pPtr->PtrPixelIn1 = (float *)(pPtr->PtrIn1+1);",
     1},
    {"matrix", TwoInputMatrix, WriteDspSource,
     "          *(pPtr->PtrPixelOut0+col+RowIndex) += "
     "*(pPtr->PtrPixelIn1+col+row*pPtr->PtrIn1->miColumns);",
     1},
    {"matrix", TwoInputMatrix, WriteDspHeader, "  int          Rows;", 0},
    {"matrix source", MatrixSourceWithoutPrecision, WriteDspSource, "    row = pPtr->Rows;", 1},
    {"matrix source", MatrixSourceWithoutPrecision, WriteDspHeader, "  int          Rows;", 1},
    // Without a precision the types stay empty; otherwise the first precision names it.
    {"matrix source", MatrixSourceWithoutPrecision, WriteDspSource,
     "  pPtr->PtrPixelOut0 = ( *)(pPtr->PtrOut0+1);", 1},
    {"matrix source", MatrixSourceWithoutPrecision, WriteDspSource,
     "    pPtr->PtrOut0->miDTFlag = ;", 1},
    {"double matrix", [](BLOCKINFO& b) { b.Matrix = b.Double = 1; }, WriteDspSource,
     "    pPtr->PtrOut0->miDTFlag = HDT_DOUBLE;", 1},
    // The integer variant makes integers of everything but floating-point variables.
    {"integer", IntegerPersistents, WriteDspHeader, "  float        _level;", 1},
    {"integer", IntegerPersistents, WriteDspHeader, "  int          _steps;", 1},
    {"integer", IntegerPersistents, WriteDspHeader, "  int          _buffer[16];", 1},
    // Prototypes are padded to 41 unless longer.
    {"long name", [](BLOCKINFO& b) { b.BlockName = "NFLongBlockNam"; }, WriteDspHeader,
     "void NFLongBlockNam_RESTART (PARAMS *pPtr);/* optional block restart routine */", 1},
    {"long name", [](BLOCKINFO& b) { b.BlockName = "NFLongBlockNam"; }, WriteDspHeader,
     "void NFLongBlockNam_INT  (PARAMS *pPtr); /* optional block interrupt routine */", 1},
    // xDAIS: methods that cannot be called directly are left in comments.
    {"xDAIS calls", XdaisCalls, WriteDspSource,
     "        //FIR_apply4(pPtr->handle, (XDAS_Int32 *)pPtr->PtrIn0, (XDAS_Int32 *)pPtr->PtrIn1, "
     "(XDAS_Int32 *)pPtr->PtrOut0);",
     1},
    {"xDAIS calls", XdaisCalls, WriteDspSource,
     "        //FIR_short(pPtr->handle, ()pPtr->PtrIn0);", 1},
    {"xDAIS outputs", XdaisTwoOutputs, WriteDspSource,
     "    params.framesizeOut1 = pPtr->FramesizeOut1;", 1},
    {"xDAIS outputs", XdaisTwoOutputs, WriteDspSource, "    params.Parameter1 = pPtr->Parameter1;",
     1},
    {"xDAIS outputs", XdaisTwoOutputs, WriteDspSource,
     "/*     pPtr->_taps = ...;                                                     */", 0},
    {"xDAIS outputs", XdaisTwoOutputs, WriteDspHeader, "  float        taps[32];", 0},
    {"xDAIS outputs", XdaisTwoOutputs, WriteDspSource, "    params.Title = pPtr->_Title;", 0},
    {"xDAIS matrix", XdaisMatrix, WriteDspSource,
     "  pPtr->PtrPixelIn0 = (float *)(pPtr->PtrIn0+1);", 1},
    {"xDAIS matrix", XdaisMatrix, WriteDspSource, "    params.Gain = pPtr->_Gain;", 1},
    {"xDAIS matrix", XdaisMatrix, WriteDspSource, "    pPtr->handle = FIR_create(&fxns, &params);",
     1},
};

TEST(DspRules, LinesFollowTheDefinition) {
    for (const Rule& rule : RULES) {
        BLOCKINFO block = RealTimeBlock();
        rule.shape(block);
        const auto lines = Lines(Generate(rule.generator, block, "_" + block.BlockName + ".c"));
        EXPECT_FALSE(lines.empty()) << rule.what << ": nothing written";
        EXPECT_EQ(std::count(lines.begin(), lines.end(), rule.line), rule.count)
            << rule.what << ": " << rule.line;
    }
}

TEST(DspRules, MatrixSourceSizeComesBeforeThePersistentVariables) {
    BLOCKINFO block = RealTimeBlock();
    MatrixSourceWithoutPrecision(block);
    const Strings lines = Lines(Generate(WriteDspHeader, block, "_NFAdd.h"));
    EXPECT_LT(IndexOf(lines, "  int          Rows;"), IndexOf(lines, "  int          Columns;"));
    EXPECT_LT(IndexOf(lines, "  int          Columns;"),
              IndexOf(lines,
                      "  /*                   Internal Persistent Variables                   */"));
}

// Directly callable: returns void, one channel pointer each of the chip's type.
TEST(Xdais, DirectlyCallableMethods) {
    const Strings names = {"ptrIn0", "ptrIn1", "ptrOut0"};
    const Strings wide(3, "XDAS_Int32 *");
    struct Case {
        int chip;
        PROTOTYPEINFO method;
        bool callable;
    };
    const Case cases[] = {
        {6201, Prototype("apply", "XDAS_Void", names, wide), true},
        {6201, Prototype("apply", "XDAS_Void", {"a", "b", "c", "d"}, Strings(4, "XDAS_Int32 *")),
         false},
        {6201, Prototype("apply", "XDAS_Int32", names, wide), false},
        {6201, Prototype("apply", "XDAS_Void", names, {wide[0], "XDAS_Int16 *", wide[0]}), false},
        // Fewer types than names: never callable, and no type is read past the list.
        {6201, Prototype("apply", "XDAS_Void", names, {"XDAS_Int32 *"}), false},
        // 6000 and below use 16-bit integers.
        {6000, Prototype("apply", "XDAS_Void", names, wide), false},
        {6000, Prototype("apply", "XDAS_Void", names, Strings(3, "XDAS_Int16 *")), true},
    };
    for (const Case& c : cases) {
        BLOCKINFO block = XdaisBlock();
        block.NumInputs = 2;
        block.Chip = c.chip;
        EXPECT_EQ(dsp::IsDirectlyCallable(c.method, block), c.callable)
            << c.chip << " " << c.method.ReturnType << " " << c.method.ParamTypes.size();
    }
}

// The members whose order the run records for the host's real-time driver:
// those the header declares, in its order, in both variants.
TEST(DspParameterOrder, NamesTheMembersTheHeaderDeclares) {
    BLOCKINFO block = RealTimeBlock();
    AddParameter(block, "Gain", TYPE_FLOAT);
    AddParameter(block, "Name", TYPE_CHAR);
    AddParameter(block, "Mode", TYPE_COMBO_BOX);
    AddParameter(block, "Skipped", TYPE_EXCLUDED);
    AddParameter(block, "On", TYPE_CHECK_BOX);
    const Strings order{"_Gain", "_Mode", "_On"};
    EXPECT_EQ(ParameterMemberOrder(block), order);
    EXPECT_EQ(ParameterMemberOrder(IntegerVariant(block)), order);
    const Strings lines = Lines(Generate(WriteDspHeader, IntegerVariant(block), "_NIAdd.h"));
    const auto at = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    };
    EXPECT_LT(at("  int          _Gain;"), at("  int          _Mode;"));
    EXPECT_LT(at("  int          _Mode;"), at("  BOOL         _On;"));
    EXPECT_LT(at("  BOOL         _On;"), static_cast<std::ptrdiff_t>(lines.size()));
}

TEST(DspParameterOrder, NoParameterMemberNamesNothing) {
    BLOCKINFO block = RealTimeBlock();
    AddParameter(block, "Name", TYPE_TEXT);
    EXPECT_TRUE(ParameterMemberOrder(block).empty());
    // The banner stays, as the block has parameters.
    EXPECT_TRUE(Has(Lines(Generate(WriteDspHeader, block, "_NFAdd.h")),
                    "  /*                       Block Parameters                            */"));
}

}  // namespace
}  // namespace bw
