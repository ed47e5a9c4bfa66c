// The rules of the head and of the set-up, initialisation, execution, exit and
// reset entry points that the golden blocks do not settle on their own.
#include <gtest/gtest.h>

#include "gen_interface/interface_source.h"
#include "interface_test_support.h"

namespace bw {
namespace {

using namespace interface_test;

std::vector<std::string> OwnLines(const BLOCKINFO& block) {
    return Lines(Generate(WriteOwnSections, block, "IFGain.c"));
}

const Section Head = SectionLines<WriteInterfaceHead>;
const Section DefaultSetup = SectionLines<WriteUserDefaultSetupProc>;
const Section PreInitialize = SectionLines<WriteUserPreInitializeProc>;
const Section Exec = SectionLines<WriteUserExecProc>;
const Section Exit = SectionLines<WriteUserExitProc>;
const Section Reset = SectionLines<WriteUserResetProc>;
const Section Own = OwnLines;

// Gain with only the integer and floating-point precisions.
BLOCKINFO IntFloatBlock() {
    BLOCKINFO block = GainBlock();
    block.Character = block.Byte = block.ShortInteger = block.LongInteger = block.Double = 0;
    return block;
}

const Rule RULES[] = {
    // A source block's frame size is one sample only where the host does not set it.
    {"source", [](BLOCKINFO& b) { b.NumInputs = 0; }, Exec, "     pPtr->Framesize = 1;", 0},
    {"source with user control", [](BLOCKINFO& b) { b.NumInputs = 0, b.UserControl = 1; }, Exec,
     "pPtr->Framesize = 1;", 1},
    {"bitmap source", [](BLOCKINFO& b) { b.NumInputs = 0, b.Bitmap = 1; }, Exec,
     "pPtr->Framesize = 1;", 1},
    {"native source", [](BLOCKINFO& b) { b.NumInputs = 0, b.Native = 1; }, Exec,
     "pPtr->Framesize = 1;", 1},
    {"source", [](BLOCKINFO& b) { b.NumInputs = 0; }, Exec, "QFlag0", 0},
    // A source's outputs are real, unless its user source fills complex ones only.
    {"source", [](BLOCKINFO& b) { b.NumInputs = 0; }, Exec,
     "     pPtr->RCFlagOut0 = RC_REAL;  // default to real output", 1},
    {"complex source", [](BLOCKINFO& b) { b.NumInputs = 0, b.Real = 0; }, Exec,
     "     pPtr->RCFlagOut0 = RC_COMPLEX;  // default to complex output", 1},
    {"real-time complex source", [](BLOCKINFO& b) { b.NumInputs = 0, b.Real = 0, b.RealTime = 1; },
     Exec, "     pPtr->RCFlagOut0 = RC_REAL;  // default to real output", 1},
    // Inputs are compared with the first, from the second on.
    {"one input", [](BLOCKINFO&) {}, Exec, "check for valid", 0},
    {"three inputs", [](BLOCKINFO& b) { b.NumInputs = 3; }, Exec,
     "if (pPtr->FramesizeIn0 != pPtr->FramesizeIn", 2},
    {"three inputs", [](BLOCKINFO& b) { b.NumInputs = 3; }, Exec,
     "if (pPtr->FramesizeIn0 != pPtr->FramesizeIn0)", 0},
    // Bitmaps are passed unconverted.
    {"bitmap", [](BLOCKINFO& b) { b.Bitmap = 1, b.NumInputs = 2; }, Exec, "hBufx", 0},
    {"bitmap", [](BLOCKINFO& b) { b.Bitmap = 1, b.NumInputs = 2; }, Exec, "ConvertData", 0},
    {"bitmap", [](BLOCKINFO& b) { b.Bitmap = 1, b.NumInputs = 2; }, Exec,
     "     else if (nPrecision == HDT_IMAGE_BMP){ // Bitmap output procedure", 1},
    {"bitmap", [](BLOCKINFO& b) { b.Bitmap = 1, b.NumInputs = 2; }, Exec,
     "     if (pPtr->DTFlagIn1 != HDT_IMAGE_BMP){", 1},
    // A real-time block runs only the precisions it has DSP code for.
    {"real-time integer", [](BLOCKINFO& b) { b.RealTime = 1, b.FloatingPoint = 0; }, Exec,
     "        if (nPrecision == HDT_INT) {", 1},
    {"real-time float", [](BLOCKINFO& b) { b.RealTime = 1, b.Integer = 0; }, Exec,
     "        if (nPrecision == HDT_FLOAT) {", 1},
    {"real-time double", [](BLOCKINFO& b) { b.RealTime = 1, b.Integer = b.FloatingPoint = 0; },
     Exec, "        if (FALSE) {", 1},
    {"real-time", [](BLOCKINFO& b) { b.RealTime = 1; }, Exec, "hBufx", 0},
    // Q flags: checked on inputs at a Q level; outputs beyond the inputs take the last input's.
    {"no Q", [](BLOCKINFO& b) { b.NumInputs = 2, b.NumOutputs = 3; }, Exec, "GETQVALUE", 0},
    {"no Q", [](BLOCKINFO& b) { b.NumInputs = 2, b.NumOutputs = 3; }, Exec,
     "     QFlagout2 = (nPrecision == HDT_INT ? SETQVALUE(QFlagout2,QFlag1) : 0);", 1},
    {"Q source", [](BLOCKINFO& b) { b.NumInputs = 0, b.Q = 1, b.QLevel = 15; }, Exec, "GETQVALUE",
     0},
    {"Q source", [](BLOCKINFO& b) { b.NumInputs = 0, b.Q = 1, b.QLevel = 15; }, Exec,
     "     QFlagout0 = (nPrecision == HDT_INT ? SETQVALUE(QFlagout0,HDT_Q15-HDT_Q0) : 0);", 1},
    // Attribute checks follow the data types and dimensions.
    {"complex only", [](BLOCKINFO& b) { b.Real = 0; }, Exec,
     "     if (pPtr->RCFlagIn0 != RC_COMPLEX){       // check complex attribute", 1},
    {"real only", [](BLOCKINFO& b) { b.Complex = 0; }, Exec,
     "     if (pPtr->RCFlagIn0 > RC_REAL){       // check complex attribute", 1},
    {"dimension", [](BLOCKINFO& b) { b.InputChannelDimension[0] = 2; }, Exec,
     "     if (GETDIMENSION(lFlag0) != 2){", 1},
    // A processing matrix block shapes its outputs from the input headers.
    {"matrix", [](BLOCKINFO& b) { b.Matrix = 1, b.NumInputs = 2; }, Exec,
     "     MaxCol = max(MaxCol, mih1.miColumns);    // find maximum number of columns", 1},
    {"matrix", [](BLOCKINFO& b) { b.Matrix = 1, b.NumInputs = 2; }, Exec,
     "                     ((mih1.miDTFlag == HDT_FLOAT) ? hBuf1 : hBufx1),", 1},
    {"real-time matrix", [](BLOCKINFO& b) { b.Matrix = 1, b.NumInputs = 2, b.RealTime = 1; }, Exec,
     "       if(mih1.miDTFlag != nPrecision){", 1},
    // Every output takes its defaults from every input.
    {"two by two", [](BLOCKINFO& b) { b.NumInputs = b.NumOutputs = 2; }, Exec,
     "     pPtr->RCFlagOut1 = max(pPtr->RCFlagOut1, pPtr->RCFlagIn0);    // find default RC Flag "
     "for output channel 1",
     1},
    {"two by two matrix", [](BLOCKINFO& b) { b.Matrix = 1, b.NumInputs = b.NumOutputs = 2; }, Exec,
     "     MaxRow = max(MaxRow, mih1.miRows);    // find maximum number of rows", 2},
    {"two by two real-time matrix",
     [](BLOCKINFO& b) { b.Matrix = b.RealTime = 1, b.NumInputs = b.NumOutputs = 2; }, Exec,
     "     pPtr->FramesizeOut1 = max(pPtr->FramesizeOut1, pPtr->FramesizeIn1);    // find default "
     "framesize for output channel 1",
     1},
    // Exit frees what exists.
    {"no outputs", [](BLOCKINFO& b) { b.NumOutputs = 0; }, Exit, "hBufOut", 0},
    {"xDAIS arrays", [](BLOCKINFO& b) { b.RealTime = b.xDAIS = 1, b.NumLocalArrays = 1; }, Exit,
     "hLocalBuffer", 0},
    {"simulation", [](BLOCKINFO&) {}, Exit, "VexaCloseDriver", 0},
    {"simulation", [](BLOCKINFO&) {}, Reset, "sPtr", 0},
    {"simulation", [](BLOCKINFO&) {}, Reset, "RunMode", 0},
    // The head includes and declares what the block uses.
    {"bitmap", [](BLOCKINFO& b) { b.Bitmap = 1; }, Head, "#define MAXCOLORS 256", 1},
    {"no bitmap", [](BLOCKINFO& b) { b.Bitmap = 0; }, Head, "MAXCOLORS", 0},
    // Default set-up loads the defaults; "get default user parameters" only with parameters.
    {"no parameters", [](BLOCKINFO&) {}, DefaultSetup,
     "    UserLoadProc(hParam, hScratchParam, MNAME, BPARAM);", 1},
    {"no parameters", [](BLOCKINFO&) {}, DefaultSetup, "// get default user parameters", 0},
    {"no persistent", [](BLOCKINFO&) {}, DefaultSetup, "// Initialize persistant variables", 0},
    // Pre-initialisation talks to the driver only in real time.
    {"simulation", [](BLOCKINFO&) {}, PreInitialize, "VexaOpenDriver", 0},
    {"real-time", [](BLOCKINFO& b) { b.RealTime = 1; }, PreInitialize, "DRV_DSPPRECISION", 0},
    {"real-time matrix source", [](BLOCKINFO& b) { b.RealTime = b.Matrix = 1, b.NumInputs = 0; },
     PreInitialize, "    bPtr->wNumParams     = NUM_PARAMS + 2;", 1},
    {"real-time matrix source", [](BLOCKINFO& b) { b.RealTime = b.Matrix = 1, b.NumInputs = 0; },
     PreInitialize, "    bPtr->dwParamsSize   = PARAMS_SIZE + 2;", 1},
    {"real-time matrix source", [](BLOCKINFO& b) { b.RealTime = b.Matrix = 1, b.NumInputs = 0; },
     PreInitialize, "DRV_DSPPRECISION", 1},
    {"native matrix source",
     [](BLOCKINFO& b) { b.RealTime = b.Matrix = b.Native = 1, b.NumInputs = 0; }, PreInitialize,
     "default precision", 0},
    {"native", [](BLOCKINFO& b) { b.RealTime = b.Native = 1; }, PreInitialize,
     "    bPtr->wPrecision  = pPtr->Precision;", 0},
    {"real-time", [](BLOCKINFO& b) { b.RealTime = 1; }, PreInitialize,
     "    bPtr->wPrecision  = pPtr->Precision;", 1},
    // A one-time warning is reset wherever the block starts over.
    {"one-time warning", [](BLOCKINFO& b) { b.WarningType = WARNING_ONE_TIME; }, Reset,
     "    pPtr->OneTimeWarning = FALSE;", 1},
    {"one-time warning", [](BLOCKINFO& b) { b.WarningType = WARNING_ONE_TIME; }, Own,
     "    pPtr->OneTimeWarning = FALSE;", 3},
    {"standard warning", [](BLOCKINFO& b) { b.WarningType = WARNING_STANDARD; }, Own,
     "OneTimeWarning", 0},
    {"error warning", [](BLOCKINFO& b) { b.WarningType = WARNING_ERROR; }, Own, "OneTimeWarning",
     0},
};

TEST(InterfaceEntryPoints, LinesFollowTheDefinition) {
    ExpectRules(RULES, IntFloatBlock);
}

TEST(InterfaceEntryPoints, PrecisionBranchesInTheirOrder) {
    BLOCKINFO block = GainBlock();
    block.Character = block.Bitmap = 0;
    const auto lines = Exec(block);
    std::ptrdiff_t previous = 0;
    for (const char* type : {"BYTE", "SHORT", "INT", "LONG", "FLOAT", "DOUBLE"}) {
        const std::string branch = std::string("if (nPrecision == HDT_") + type + "){";
        const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.find(branch) != std::string::npos && l.find("output procedure") != l.npos;
        });
        EXPECT_GT(at - lines.begin(), previous) << type;
        previous = at - lines.begin();
    }
}

// Without an enabled precision the data type error still closes a valid chain.
TEST(InterfaceEntryPoints, NoEnabledPrecisionStillCompiles) {
    BLOCKINFO block = IntFloatBlock();
    block.Integer = block.FloatingPoint = 0;
    block.Matrix = 1;
    const auto lines = Exec(block);
    EXPECT_EQ(CountContaining(lines, " output procedure"), 0);
    const std::ptrdiff_t error =
        IndexOf(lines, "        return(USR_ERR_PRC);   // return with error, data type mixup");
    ASSERT_GT(error, 0);
    EXPECT_EQ(At(lines, error - 2), "     {");
}

TEST(InterfaceEntryPoints, MatrixOutputSizeIsClearedBeforeOrAfterTheShapeByRunKind) {
    BLOCKINFO block = IntFloatBlock();
    block.Matrix = 1;
    block.NumInputs = 2;
    auto lines = Exec(block);
    EXPECT_LT(IndexOf(lines, "     pPtr->FramesizeOut0 = 0;"), IndexOf(lines, "     MaxRow = 0;"));
    block.RealTime = 1;  // the frame size then follows the matrix shape
    lines = Exec(block);
    EXPECT_GT(IndexOf(lines, "     pPtr->FramesizeOut0 = 0;"), IndexOf(lines, "     MaxCol = 0;"));
}

// The four corners of the scratch rule, across every owned entry point.
TEST(InterfaceScratchRule, ScratchExistsExactlyWithLocalArraysOrRealTime) {
    for (int realTime : {0, 1}) {
        for (int arrays : {0, 1}) {
            BLOCKINFO block = GainBlock();
            block.RealTime = realTime;
            block.NumLocalArrays = arrays;
            const auto lines = OwnLines(block);
            const bool scratch = realTime || arrays;
            SCOPED_TRACE("RealTime " + std::to_string(realTime) + ", arrays " +
                         std::to_string(arrays));
            EXPECT_EQ(CountContaining(lines, "SCRATCH_PARAM     *sPtr;") +
                          CountContaining(lines, "SCRATCH_PARAM      *sPtr"),
                      scratch ? (realTime ? 7 : 6) : 0);
            EXPECT_EQ(Has(lines, "     *hScratchParam = NULL;"), !scratch);
            EXPECT_EQ(CountContaining(lines, "GlobalLock(hScratchParam)") > 0, scratch);
            EXPECT_EQ(CountContaining(lines, "RTBLOCK_PARAM") > 0, realTime == 1);
            EXPECT_EQ(Has(lines, "        LocalError = GainInt(hParam, hScratchParam,"),
                      !realTime && arrays);
        }
    }
}

TEST(InterfaceScratchRule, XdaisLeavesLocalBuffersToTheAlgorithm) {
    BLOCKINFO block = GainBlock();
    block.xDAIS = 1;
    block.NumLocalArrays = 2;
    const auto lines = OwnLines(block);
    for (const char* part : {"hLocalBuffer", "PtrLocal", "NUMLOCAL", "unsigned int        index;",
                             "GetObject(sPtr->hBitmap"}) {
        EXPECT_EQ(CountContaining(lines, part), 0) << part;
    }
    EXPECT_GT(CountContaining(lines, "GlobalLock(hScratchParam)"), 0);
    block.RealTime = 1;
    EXPECT_EQ(CountContaining(DefaultSetup(block),
                              "LoadBitmap(GetBlockInstanceHandle(), "
                              "MAKEINTRESOURCE(IDB_BITMAP));"),
              1);
}

TEST(InterfaceLocalArrays, ExcludedArrayIsSkippedButKeepsItsNumber) {
    BLOCKINFO block = GainBlock();
    block.NumLocalArrays = 3;
    block.LocalArrays[0] = {"First", "", "16", TYPE_DOUBLE};
    block.LocalArrays[1] = {"Gone", "", "16", TYPE_EXCLUDED};
    block.LocalArrays[2] = {"Third", "", "16", TYPE_CHAR};
    const auto lines = OwnLines(block);
    EXPECT_EQ(CountContaining(lines, "hLocalBuffer1") + CountContaining(lines, "Gone"), 0);
    EXPECT_TRUE(
        Has(lines, "     pPtr->NumLocalElements2 = GAIN_NUMLOCAL2;  // set local array size"));
    EXPECT_EQ(Count(lines, "        *(PtrLocal2+index) = '\\0';"), 2);  // initialise and reset
    EXPECT_EQ(Count(lines, "        *(PtrLocal0+index) = (double)0.0;"), 2);
    EXPECT_TRUE(Has(lines, "    FreeGlobalMemory(sPtr->hLocalBuffer2);  // free Third"));
}

// Persistent variables start from literals that compile whatever was typed.
TEST(InterfaceDefaultSetup, PersistentVariablesGetValidInitialValues) {
    BLOCKINFO block = GainBlock();
    block.NumParameters = 1;
    block.RealTime = 1;
    block.NumPersistants = 8;
    block.Persistants[0] = {"Left-Gain", TYPE_INTEGER, "", "3"};
    block.Persistants[1] = {"--", TYPE_FLOAT, "", "0.5"};
    block.Persistants[2] = {"Empty", TYPE_LONG, "", ""};
    block.Persistants[3] = {"Letter", TYPE_CHAR, "", ""};
    block.Persistants[4] = {"Quote", TYPE_CHAR, "", "'"};
    block.Persistants[5] = {"Path", TYPE_TEXT, "", "C:\\data\\"};
    block.Persistants[6] = {"Custom", TYPE_OTHER, "", ""};
    block.Persistants[7] = {"Excluded", TYPE_EXCLUDED, "", "1"};
    const auto lines = DefaultSetup(block);
    const std::ptrdiff_t load =
        IndexOf(lines, "    UserLoadProc(hParam, hScratchParam, MNAME, RTBPARAM);");
    EXPECT_EQ(At(lines, load - 1), "    // get default user parameters");
    const std::ptrdiff_t first = IndexOf(lines, "    // Initialize persistant variables");
    ASSERT_GT(first, load);
    ASSERT_LE(first + 8, static_cast<long>(lines.size()));
    const std::vector<std::string> expected = {
        "    pPtr->_LeftGain = 3;",
        "    pPtr->Parameter1 = (float)0.5;",
        "    pPtr->_Empty = 0;",
        "    pPtr->_Letter = '\\0';",
        "    pPtr->_Quote = '\\'';",
        "    lstrcpyn(pPtr->_Path, \"C:\\\\data\\\\\", TEXT_LENGTH);",
        "",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin() + first + 1, lines.begin() + first + 1 + 7),
              expected);
}

TEST(InterfaceSource, WritesTheEntryPointsInFileOrder) {
    const std::string text = Generate(WriteInterfaceSource, GainBlock(), "IFGain.c");
    size_t at = 0;
    for (const char* head :
         {"//    FILE:       IFGain.c", "int PASCAL UserSetupProc(",
          "int PASCAL UserDefaultSetupProc(", "int PASCAL UserPreInitializeProc(",
          "int PASCAL UserInitializeProc(", "int PASCAL UserExecProc(", "int PASCAL UserExitProc(",
          "int PASCAL UserResetProc("}) {
        at = text.find(head, at);
        ASSERT_NE(at, std::string::npos) << head;
    }
    EXPECT_EQ(text.find("int PASCAL UserRTCompileProc("), std::string::npos);
}

}  // namespace
}  // namespace bw
