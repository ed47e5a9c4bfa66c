// The file head and the set-up entry points of the interface source.
#include <gtest/gtest.h>

#include "gen_interface/interface_source.h"
#include "interface_test_support.h"

namespace bw {
namespace {

using namespace interface_test;

std::vector<std::string> OwnLines(const BLOCKINFO& block) {
    return Lines(Generate(WriteOwnSections, block, "IFGain.c"));
}

TEST(InterfaceHead, NamesTheFileBlockAndCreationTime) {
    BLOCKINFO block = GainBlock();
    block.NumInputs = 3;
    block.NumOutputs = 2;
    const auto lines = SectionLines(WriteInterfaceHead, block);
    ASSERT_GE(lines.size(), 20u);
    EXPECT_EQ(lines[0], "//" + std::string(76, '='));
    EXPECT_EQ(lines[2], "//    FILE:       IFGain.c");
    EXPECT_EQ(lines[4], "//    PURPOSE:    I/F routines for Tessaline Zirud Izadivo");
    EXPECT_EQ(lines[5], "//                interface source for - Gain.DLL");
    EXPECT_EQ(lines[7], "//    BLOCK NAME: Gain Stage");
    EXPECT_EQ(lines[9], "//    GROUP NAME: Arithmetic");
    EXPECT_EQ(lines[11], "//    Tessaline Blockwright Version 4.30.00 Auto-Generated Block");
    EXPECT_EQ(lines[13], "//    Number of Inputs : 3");
    EXPECT_EQ(lines[14], "//    Number of Outputs: 2");
    EXPECT_EQ(lines[16], "//    Creation Date: Tue - 05 March 2024");
    EXPECT_EQ(lines[17], "//    Creation Time: 02:07 PM");
    EXPECT_EQ(lines[19], "/*" + std::string(76, '='));
    EXPECT_TRUE(Contains(lines, std::string(77, '=') + "*/"));
    EXPECT_TRUE(Contains(lines, "#include \"Gain.h\""));
    EXPECT_FALSE(Contains(lines, "#include <commdlg.h>"));
    EXPECT_FALSE(Contains(lines, "#include \"bddrv.h\""));
    EXPECT_FALSE(Contains(lines, "#define MAXCOLORS 256"));
    EXPECT_FALSE(Contains(lines, "// Static Variables"));
    EXPECT_FALSE(Contains(lines, "    Function:   UserRTCompileProc()"));
    EXPECT_FALSE(Contains(lines, "    Function:    UserControlProc()"));
    EXPECT_EQ(lines.back(), "");
}

TEST(InterfaceHead, VariantsFollowTheDefinition) {
    BLOCKINFO block = GainBlock();
    block.RealTime = 1;
    block.Bitmap = 1;
    block.UserControl = 1;
    block.NumParameters = 2;
    block.Parameters[1].ParameterType = TYPE_FILE_OPEN;
    const auto lines = SectionLines(WriteInterfaceHead, block);
    EXPECT_TRUE(Contains(lines, "//    PURPOSE:    I/F routines for Tessaline VEXA"));
    EXPECT_TRUE(Contains(lines, "#include <commdlg.h>"));
    EXPECT_LT(IndexOf(lines, "#include \"resource.h\""), IndexOf(lines, "#include \"bddrv.h\""));
    EXPECT_LT(IndexOf(lines, "#include \"bddrv.h\""), IndexOf(lines, "#include \"Gain.h\""));
    EXPECT_TRUE(Contains(lines, "#define MAXCOLORS 256"));
    EXPECT_TRUE(Contains(
        lines, "static BOOL     bRTChange = FALSE;   // signals the PC to download parameters"));
    // The real-time compile description sits between initialisation and execution.
    const long compile = IndexOf(lines, "    Function:   UserRTCompileProc()");
    EXPECT_GT(compile, IndexOf(lines, "    Function:   UserInitializeProc()"));
    EXPECT_LT(compile, IndexOf(lines, "    Function:   UserExecProc()"));
    // The user control description comes last, with its own separator.
    const long control = IndexOf(lines, "    Function:    UserControlProc()");
    ASSERT_GT(control, 0);
    EXPECT_EQ(lines[static_cast<size_t>(control - 1)], "    " + std::string(73, '-'));
    EXPECT_GT(control, IndexOf(lines, "    Function:   UserSetParameterProc()"));
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
            EXPECT_EQ(Contains(lines, "     *hScratchParam = NULL;"), !scratch);
            EXPECT_EQ(CountContaining(lines, "GlobalLock(hScratchParam)") > 0, scratch);
            EXPECT_EQ(CountContaining(lines, "RTBLOCK_PARAM") > 0, realTime == 1);
            EXPECT_EQ(Contains(lines, "        LocalError = GainInt(hParam, hScratchParam,"),
                      !realTime && arrays);
        }
    }
}

TEST(InterfaceScratchRule, XdaisLeavesLocalBuffersToTheAlgorithm) {
    BLOCKINFO block = GainBlock();
    block.xDAIS = 1;
    block.NumLocalArrays = 2;
    const auto lines = OwnLines(block);
    EXPECT_EQ(CountContaining(lines, "hLocalBuffer"), 0);
    EXPECT_EQ(CountContaining(lines, "PtrLocal"), 0);
    EXPECT_EQ(CountContaining(lines, "NUMLOCAL"), 0);
    EXPECT_FALSE(Contains(lines, "    unsigned int        index;"));
    // The scratch structure itself still exists.
    EXPECT_GT(CountContaining(lines, "GlobalLock(hScratchParam)"), 0);
    EXPECT_FALSE(Contains(lines, "    GetObject(sPtr->hBitmap, sizeof(BITMAP), &sPtr->Bitmap);"));

    block.RealTime = 1;
    const auto realTime = SectionLines(WriteUserDefaultSetupProc, block);
    EXPECT_TRUE(Contains(realTime,
                         "    sPtr->hBitmap = LoadBitmap(GetBlockInstanceHandle(), "
                         "MAKEINTRESOURCE(IDB_BITMAP));"));
}

TEST(InterfaceLocalArrays, ExcludedArrayIsSkippedButKeepsItsNumber) {
    BLOCKINFO block = GainBlock();
    block.NumLocalArrays = 3;
    block.LocalArrays[0] = {"First", "", "16", TYPE_DOUBLE};
    block.LocalArrays[1] = {"Gone", "", "16", TYPE_EXCLUDED};
    block.LocalArrays[2] = {"Third", "", "16", TYPE_CHAR};
    const auto lines = OwnLines(block);
    EXPECT_EQ(CountContaining(lines, "hLocalBuffer1"), 0);
    EXPECT_EQ(CountContaining(lines, "Gone"), 0);
    EXPECT_TRUE(Contains(lines, "     // allocate local buffer 2 (Third)"));
    EXPECT_TRUE(
        Contains(lines, "     pPtr->NumLocalElements2 = GAIN_NUMLOCAL2;  // set local array size"));
    EXPECT_EQ(Count(lines, "    double             *PtrLocal0;"), 2);  // initialise and reset
    EXPECT_EQ(Count(lines, "    char               *PtrLocal2;"), 2);
    EXPECT_EQ(Count(lines, "        *(PtrLocal2+index) = '\\0';"), 2);
    EXPECT_EQ(Count(lines, "        *(PtrLocal0+index) = (double)0.0;"), 2);
    EXPECT_TRUE(Contains(lines, "    FreeGlobalMemory(sPtr->hLocalBuffer2);  // free Third"));
}

TEST(InterfaceSetup, RealTimeAllocatesItsStructureButNoLocalBuffers) {
    BLOCKINFO block = GainBlock();
    block.RealTime = 1;
    block.NumLocalArrays = 1;
    const auto setup = SectionLines(WriteUserSetupProc, block);
    EXPECT_TRUE(Contains(setup,
                         "     sPtr->hRTParam = "
                         "GlobalAlloc(GMEM_MOVEABLE|GMEM_ZEROINIT,(DWORD)sizeof(RTBLOCK_PARAM));"));
    EXPECT_EQ(CountContaining(setup, "hLocalBuffer"), 0);
    EXPECT_EQ(setup[setup.size() - 2], "}     ");
    EXPECT_GT(
        CountContaining(SectionLines(WriteUserDefaultSetupProc, block), "sPtr->hLocalBuffer0 = "),
        0);
    EXPECT_GT(
        CountContaining(SectionLines(WriteUserInitializeProc, block), "sPtr->hLocalBuffer0 = "), 0);
}

TEST(InterfaceDefaultSetup, AlwaysLoadsDefaultsAndInitialisesPersistants) {
    BLOCKINFO block = GainBlock();
    auto lines = SectionLines(WriteUserDefaultSetupProc, block);
    EXPECT_TRUE(Contains(lines, "    UserLoadProc(hParam, hScratchParam, MNAME, BPARAM);"));
    EXPECT_FALSE(Contains(lines, "    // get default user parameters"));
    EXPECT_FALSE(Contains(lines, "    // Initialize persistant variables"));

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
    lines = SectionLines(WriteUserDefaultSetupProc, block);
    const long load = IndexOf(lines, "    UserLoadProc(hParam, hScratchParam, MNAME, RTBPARAM);");
    ASSERT_GT(load, 0);
    EXPECT_EQ(lines[static_cast<size_t>(load - 1)], "    // get default user parameters");
    const long first = IndexOf(lines, "    // Initialize persistant variables");
    ASSERT_GT(first, load);
    const std::vector<std::string> expected = {
        "    pPtr->_LeftGain = 3;",
        "    pPtr->Parameter1 = (float)0.5;",
        "    pPtr->_Empty = 0;",
        "    pPtr->_Letter = '\\0';",
        "    pPtr->_Quote = '\\'';",
        "    lstrcpy(pPtr->_Path, \"C:\\\\data\\\\\");",
        "",
    };
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(lines[static_cast<size_t>(first) + 1 + k], expected[k]);
    }
    EXPECT_EQ(CountContaining(lines, "_Custom"), 0);
    EXPECT_EQ(CountContaining(lines, "_Excluded"), 0);
}

TEST(InterfaceWarning, OneTimeWarningIsResetWhereTheBlockStartsOver) {
    BLOCKINFO block = GainBlock();
    for (int type : {WARNING_NONE, WARNING_STANDARD, WARNING_ERROR}) {
        block.WarningType = type;
        EXPECT_EQ(CountContaining(OwnLines(block), "OneTimeWarning"), 0);
    }
    block.WarningType = WARNING_ONE_TIME;
    const auto lines = OwnLines(block);
    EXPECT_EQ(Count(lines, "    pPtr->OneTimeWarning = FALSE;"), 3);
    EXPECT_TRUE(
        Contains(SectionLines(WriteUserResetProc, block), "    pPtr->OneTimeWarning = FALSE;"));
}

TEST(InterfacePreInitialize, RealTimeVariants) {
    BLOCKINFO block = GainBlock();
    auto lines = SectionLines(WriteUserPreInitializeProc, block);
    EXPECT_EQ(CountContaining(lines, "VexaOpenDriver"), 0);

    block.RealTime = 1;
    lines = SectionLines(WriteUserPreInitializeProc, block);
    EXPECT_TRUE(Contains(lines, "    bPtr->wNumParams     = NUM_PARAMS;"));
    EXPECT_GT(CountContaining(lines, "DRV_INTSUPPORT"), 0);
    EXPECT_EQ(CountContaining(lines, "DRV_DSPPRECISION"), 0);
    EXPECT_TRUE(Contains(lines, "    bPtr->wPrecision  = pPtr->Precision;"));

    block.NumInputs = 0;
    block.Matrix = 1;
    lines = SectionLines(WriteUserPreInitializeProc, block);
    EXPECT_TRUE(Contains(lines, "    bPtr->wNumParams     = NUM_PARAMS + 2;"));
    EXPECT_TRUE(Contains(lines, "    bPtr->dwParamsSize   = PARAMS_SIZE + 2;"));
    EXPECT_GT(CountContaining(lines, "DRV_DSPPRECISION"), 0);
    EXPECT_TRUE(Contains(lines, "        return (USR_ERR_DSPC);"));

    block.Native = 1;
    lines = SectionLines(WriteUserPreInitializeProc, block);
    EXPECT_EQ(CountContaining(lines, "default precision"), 0);
    EXPECT_FALSE(Contains(lines, "    bPtr->wPrecision  = pPtr->Precision;"));
}

TEST(InterfaceSource, WritesTheEntryPointsInFileOrder) {
    BLOCKINFO block = GainBlock();
    const std::string text = Generate(WriteInterfaceSource, block, "IFGain.c");
    size_t at = 0;
    for (const char* head :
         {"//    FILE:       IFGain.c", "int PASCAL UserSetupProc(",
          "int PASCAL UserDefaultSetupProc(", "int PASCAL UserPreInitializeProc(",
          "int PASCAL UserInitializeProc(", "int PASCAL UserExecProc(", "int PASCAL UserExitProc(",
          "int PASCAL UserResetProc("}) {
        const size_t found = text.find(head, at);
        ASSERT_NE(found, std::string::npos) << head;
        at = found;
    }
    EXPECT_EQ(text.find("int PASCAL UserRTCompileProc("), std::string::npos);
}

}  // namespace
}  // namespace bw
