// UserSaveProc, UserLoadProc, UserGetParameterListProc, UserSetParameterProc.
#include <gtest/gtest.h>

#include "gen_interface/parameter_sections_support.h"

namespace bw::param_test {
namespace {

std::vector<std::string> SaveLines(const BLOCKINFO& block) {
    return Lines(Generate(AsGenerator<WriteUserSaveProc>, block));
}
std::vector<std::string> LoadLines(const BLOCKINFO& block) {
    return Lines(Generate(AsGenerator<WriteUserLoadProc>, block));
}
std::vector<std::string> ListLines(const BLOCKINFO& block) {
    return Lines(Generate(AsGenerator<WriteUserGetParameterListProc>, block));
}
std::vector<std::string> SetLines(const BLOCKINFO& block) {
    return Lines(Generate(AsGenerator<WriteUserSetParameterProc>, block));
}

// The load line of the only parameter of a block.
std::string LoadLineOf(const std::string& name, int type, const std::string& defaultText,
                       std::vector<std::string> items = {}) {
    BLOCKINFO block = SimulationBlock();
    AddParameter(block, name, type, defaultText, std::move(items));
    for (const std::string& line : LoadLines(block)) {
        if (line.find("\"" + MakeIdentifier(name, 0) + "\"") != std::string::npos) {
            return line;
        }
    }
    return "";
}

TEST(ParameterAccess, NameWithBlankBecomesOneIdentifierEverywhere) {
    BLOCKINFO block = SimulationBlock();
    AddParameter(block, "Gain 1", TYPE_FLOAT, "2");
    EXPECT_TRUE(
        Contains(SaveLines(block),
                 "    SaveParamF(Section, \"_Gain1\", IDC_EDIT_GAIN1, pPtr->_Gain1, FileName);"));
    EXPECT_TRUE(Contains(LoadLines(block),
                         "    pPtr->_Gain1 = LoadParamF(Section, \"_Gain1\", "
                         "IDC_EDIT_GAIN1, (float)2, FileName);"));
    EXPECT_TRUE(
        Contains(ListLines(block),
                 "    AddParmString(hListBox, \"Gain 1\", (HDT_FLOAT << 16)|IDC_EDIT_GAIN1);"));
    const auto set = SetLines(block);
    const size_t at = IndexOf(set, "        case IDC_EDIT_GAIN1:");
    ASSERT_LT(at + 2, set.size());
    EXPECT_EQ(set[at + 1], "            pPtr->_Gain1 = *((float *)val);");
}

TEST(ParameterAccess, LoadDefaultsStayValidC) {
    // Numbers: an empty default is 0.
    EXPECT_EQ(LoadLineOf("N", TYPE_INTEGER, ""),
              "    pPtr->_N = LoadParamI(Section, \"_N\", IDC_EDIT_N, 0, FileName);");
    EXPECT_EQ(LoadLineOf("F", TYPE_FLOAT, " "),
              "    pPtr->_F = LoadParamF(Section, \"_F\", IDC_EDIT_F, (float)0, FileName);");
    EXPECT_EQ(LoadLineOf("D", TYPE_DOUBLE, "PI_2"),
              "    pPtr->_D = LoadParamD(Section, \"_D\", IDC_EDIT_D, PI_2, FileName);");
    // Characters: the first one only, '\0' when empty, quote and backslash escaped.
    EXPECT_EQ(LoadLineOf("C", TYPE_CHAR, ""),
              "    pPtr->_C = LoadParamC(Section, \"_C\", IDC_EDIT_C, '\\0', FileName);");
    EXPECT_EQ(LoadLineOf("C", TYPE_CHAR, "xyz"),
              "    pPtr->_C = LoadParamC(Section, \"_C\", IDC_EDIT_C, 'x', FileName);");
    EXPECT_EQ(LoadLineOf("C", TYPE_CHAR, "'"),
              "    pPtr->_C = LoadParamC(Section, \"_C\", IDC_EDIT_C, '\\'', FileName);");
    EXPECT_EQ(LoadLineOf("C", TYPE_CHAR, "\\n"),
              "    pPtr->_C = LoadParamC(Section, \"_C\", IDC_EDIT_C, '\\\\', FileName);");
    // Text: a double quote is escaped, a typed escape sequence is kept.
    EXPECT_EQ(
        LoadLineOf("T", TYPE_TEXT, "say \"hi\""),
        "    LoadParamStr(Section, \"_T\", IDC_EDIT_T, \"say \\\"hi\\\"\", pPtr->_T, FileName);");
    EXPECT_EQ(LoadLineOf("T", TYPE_TEXT, "a\\tb"),
              "    LoadParamStr(Section, \"_T\", IDC_EDIT_T, \"a\\tb\", pPtr->_T, FileName);");
}

TEST(ParameterAccess, ChoiceDefaultsFallBackToWhatThePageWouldSelect) {
    // Combo: the position of the last equal item (exact comparison), else 0.
    EXPECT_EQ(LoadLineOf("W", TYPE_COMBO_BOX, "Hann", {"Rect", "Hann"}),
              "    pPtr->_W = LoadParamI(Section, \"_W\", -1, 1, FileName);");
    EXPECT_EQ(LoadLineOf("W", TYPE_COMBO_BOX, "A", {"A", "B", "A"}),
              "    pPtr->_W = LoadParamI(Section, \"_W\", -1, 2, FileName);");
    EXPECT_EQ(LoadLineOf("W", TYPE_COMBO_BOX, "hann", {"Rect", "Hann"}),
              "    pPtr->_W = LoadParamI(Section, \"_W\", -1, 0, FileName);");
    // Radio: the named button, the first item when it names none.
    EXPECT_EQ(LoadLineOf("M", TYPE_RADIO_BUTTONS, "Very Fast", {"Slow", "Very Fast"}),
              "    pPtr->_M = LoadParamI(Section, \"_M\", -1, IDC_RADIO_M_VERYFAST, FileName);");
    EXPECT_EQ(LoadLineOf("M", TYPE_RADIO_BUTTONS, "Medium", {"Slow", "Fast"}),
              "    pPtr->_M = LoadParamI(Section, \"_M\", -1, IDC_RADIO_M_SLOW, FileName);");
    // Yes/No pair: Yes, No, else Yes.
    EXPECT_EQ(LoadLineOf("On", TYPE_RADIO_BUTTONS, "Yes"),
              "    pPtr->_On = LoadParamI(Section, \"_On\", -1, IDC_RADIO_ON_YES, FileName);");
    EXPECT_EQ(LoadLineOf("On", TYPE_RADIO_BUTTONS, "No", {"Only"}),
              "    pPtr->_On = LoadParamI(Section, \"_On\", -1, IDC_RADIO_ON_NO, FileName);");
    EXPECT_EQ(LoadLineOf("On", TYPE_RADIO_BUTTONS, "Item 1"),
              "    pPtr->_On = LoadParamI(Section, \"_On\", -1, IDC_RADIO_ON_YES, FileName);");
    // Check box: Checked, Unchecked, else Checked.
    EXPECT_EQ(
        LoadLineOf("K", TYPE_CHECK_BOX, "Unchecked"),
        "    pPtr->_K = (BOOL)LoadParamI(Section, \"_K\", IDC_CHECK_K, BST_UNCHECKED, FileName);");
    EXPECT_EQ(
        LoadLineOf("K", TYPE_CHECK_BOX, ""),
        "    pPtr->_K = (BOOL)LoadParamI(Section, \"_K\", IDC_CHECK_K, BST_CHECKED, FileName);");
    EXPECT_EQ(
        LoadLineOf("K", TYPE_CHECK_BOX, "1"),
        "    pPtr->_K = (BOOL)LoadParamI(Section, \"_K\", IDC_CHECK_K, BST_CHECKED, FileName);");
}

TEST(ParameterAccess, FileOpenDefaultsSplitIntoThreeLiterals) {
    BLOCKINFO block = SimulationBlock();
    AddParameter(block, "Src", TYPE_FILE_OPEN, "");
    AddParameter(block, "Dst", TYPE_FILE_OPEN, "c:\\data\\out.tim");
    const auto lines = LoadLines(block);
    EXPECT_TRUE(Contains(
        lines,
        "    LoadParamStr(Section, \"_Src\", IDC_EDIT_SRC, \"None\", pPtr->_Src, FileName);"));
    EXPECT_TRUE(
        Contains(lines,
                 "    LoadParamStr(Section, \"_Src_PathName\", IDC_EDIT_SRC_PATHNAME, \"None\", "
                 "pPtr->_Src_PathName, FileName);"));
    EXPECT_TRUE(
        Contains(lines,
                 "    LoadParamStr(Section, \"_Src_CompleteName\", IDC_EDIT_SRC_COMPLETENAME, "
                 "\"None\", pPtr->_Src_CompleteName, FileName);"));
    EXPECT_TRUE(Contains(
        lines,
        "    LoadParamStr(Section, \"_Dst\", IDC_EDIT_DST, \"out.tim\", pPtr->_Dst, FileName);"));
    EXPECT_TRUE(Contains(lines,
                         "    LoadParamStr(Section, \"_Dst_PathName\", IDC_EDIT_DST_PATHNAME, "
                         "\"c:\\\\data\\\\\", pPtr->_Dst_PathName, FileName);"));
    EXPECT_TRUE(
        Contains(lines,
                 "    LoadParamStr(Section, \"_Dst_CompleteName\", IDC_EDIT_DST_COMPLETENAME, "
                 "\"c:\\\\data\\\\out.tim\", pPtr->_Dst_CompleteName, FileName);"));
    EXPECT_TRUE(Contains(SaveLines(block),
                         "    SaveParamStr(Section, \"_Dst_CompleteName\", "
                         "IDC_EDIT_DST_COMPLETENAME, pPtr->_Dst_CompleteName, FileName);"));
}

TEST(ParameterAccess, ConstantParameterIsUnlistedButSettableSavedAndLoaded) {
    BLOCKINFO block = RealTimeBlock();
    AddParameter(block, "Taps", TYPE_INTEGER, "8", {}, 1);
    AddParameter(block, "Gain", TYPE_FLOAT, "1");
    EXPECT_EQ(CountContaining(ListLines(block), "_TAPS"), 0u);
    EXPECT_EQ(CountContaining(ListLines(block), "IDC_EDIT_GAIN"), 1u);
    EXPECT_TRUE(Contains(SetLines(block), "        case IDC_EDIT_TAPS:"));
    EXPECT_EQ(CountContaining(SaveLines(block), "\"_Taps\""), 1u);
    EXPECT_EQ(CountContaining(LoadLines(block), "\"_Taps\""), 1u);
}

TEST(ParameterAccess, ParameterListByBlockKind) {
    BLOCKINFO block = SimulationBlock();
    AddParameter(block, "Gain", TYPE_FLOAT, "1");
    const std::vector<std::string> gain = {
        "    AddParmString(hListBox, \"Gain\", (HDT_FLOAT << 16)|IDC_EDIT_GAIN);"};
    auto body = [](const std::vector<std::string>& lines) {
        const size_t open = IndexOf(lines, "{");
        return std::vector<std::string>(lines.begin() + static_cast<long>(open) + 1,
                                        lines.end() - 2);
    };
    auto expected = gain;
    expected.push_back(
        "    AddParmString(hListBox, \"Precision\", (HDT_INT << 16)|IDC_PRECISION);");
    EXPECT_EQ(body(ListLines(block)), expected);
    block.RealTime = 1;
    EXPECT_EQ(body(ListLines(block)), gain);

    block.RealTime = 0;
    block.NumInputs = 0;
    EXPECT_TRUE(
        Contains(ListLines(block),
                 "    AddParmString(hListBox, \"Framesize\", (HDT_LONG << 16)|IDC_FRAMESIZE);"));
    block.Matrix = 1;
    EXPECT_TRUE(Contains(ListLines(block),
                         "    AddParmString(hListBox, \"Rows\", (HDT_LONG << 16)|IDC_ROWS);"));
    block.RealTime = 1;
    EXPECT_EQ(CountContaining(ListLines(block), "IDC_ROWS"), 0u);
}

TEST(ParameterAccess, SkippedParameterKeepsItsPosition) {
    BLOCKINFO block = SimulationBlock();
    AddParameter(block, "A", TYPE_INTEGER, "1");
    AddParameter(block, "Gone", TYPE_EXCLUDED, "1");
    AddParameter(block, "()", TYPE_INTEGER, "1");
    for (const auto& lines :
         {SaveLines(block), LoadLines(block), ListLines(block), SetLines(block)}) {
        EXPECT_EQ(CountContaining(lines, "GONE") + CountContaining(lines, "Gone"), 0u);
        EXPECT_EQ(CountContaining(lines, "PARAMETER2"), 1u);
    }
}

TEST(ParameterAccess, LoadedPrecisionOfSourceBlocks) {
    BLOCKINFO block = SimulationBlock();
    block.NumInputs = 0;
    auto precisionLine = [&] {
        for (const std::string& line : LoadLines(block)) {
            if (line.find("\"Precision\"") != std::string::npos) {
                return line;
            }
        }
        return std::string();
    };
    EXPECT_NE(precisionLine().find(", HDT_DOUBLE, "), std::string::npos);
    block.Double = block.FloatingPoint = block.LongInteger = block.Integer = 0;
    EXPECT_NE(precisionLine().find(", HDT_SHORT, "), std::string::npos);
    block.ShortInteger = block.Byte = block.Character = 0;
    EXPECT_EQ(precisionLine(), "");
    block.Bitmap = 1;
    EXPECT_NE(precisionLine().find(", HDT_IMAGE_BMP, "), std::string::npos);
    block.Bitmap = 0;
    block.RealTime = 1;
    EXPECT_NE(precisionLine().find(", HDT_FLOAT, "), std::string::npos);
}

TEST(ParameterAccess, SaveFollowsTheScratchRuleAndKeyOrder) {
    BLOCKINFO block = SimulationBlock();
    auto lines = SaveLines(block);
    EXPECT_EQ(CountContaining(lines, "sPtr"), 0u);
    EXPECT_EQ(CountContaining(lines, "hScratchParam);"), 0u);

    block.RealTime = 1;
    AddLocalArray(block, "Buffer", TYPE_FLOAT);
    lines = SaveLines(block);
    const size_t rt = IndexOf(lines, "    GlobalUnlock(sPtr->hRTParam);");
    const size_t scratch = IndexOf(lines, "    GlobalUnlock(hScratchParam);");
    const size_t param = IndexOf(lines, "    GlobalUnlock(hParam);");
    EXPECT_LT(rt, scratch);
    EXPECT_LT(scratch, param);
    EXPECT_LT(IndexOf(lines,
                      "    SaveParamL(Section, \"NumLocalElements0\", -1, pPtr->NumLocalElements0, "
                      "FileName);"),
              IndexOf(lines, "    // Save block's driver parameters to file"));
    EXPECT_TRUE(Contains(
        lines, "    SaveParamI(Section, \"bProfile\", -1, bPtr->bProfileBlock, FileName);"));
    block.Native = 1;
    block.xDAIS = 1;
    lines = SaveLines(block);
    EXPECT_EQ(CountContaining(lines, "bProfile"), 0u);
    EXPECT_EQ(CountContaining(lines, "NumLocalElements"), 0u);
}

TEST(ParameterAccess, SetCasesGuardRangesAndTextLength) {
    BLOCKINFO block = RealTimeBlock();
    AddParameter(block, "Pair", TYPE_RADIO_BUTTONS, "Yes", {"One"});
    AddParameter(block, "Name", TYPE_TEXT, "x");
    block.Character = 0;
    block.FloatingPoint = 0;
    const auto lines = SetLines(block);
    EXPECT_TRUE(Contains(lines, "            if (*((int *)val) == 0 || *((int *)val) == 1){"));
    EXPECT_TRUE(Contains(lines, "                pPtr->_Pair = *((int *)val)+IDC_RADIO_PAIR_NO;"));
    // A text exactly TEXT_LENGTH long would not leave room for its terminator.
    EXPECT_TRUE(Contains(lines, "            if (lstrlen((char *)val) >= TEXT_LENGTH){"));
    EXPECT_TRUE(Contains(lines, "            if(*((int *)val) == HDT_CHAR)   break;"));
    EXPECT_TRUE(Contains(lines, "            if(*((int *)val) == HDT_FLOAT)  break;"));
    EXPECT_EQ(CountContaining(lines, "== HDT_AUTO"), 0u);
    EXPECT_EQ(CountContaining(lines, "== HDT_DOUBLE"), 0u);
    EXPECT_TRUE(Contains(lines, "        case IDC_RT_DOWNLOAD:"));
    // The complete name of a File Open parameter is combined only when it fits.
    AddParameter(block, "Src", TYPE_FILE_OPEN, "");
    const auto file = SetLines(block);
    EXPECT_EQ(CountContaining(file,
                              "            if (lstrlen(pPtr->_Src_PathName) + 1 + "
                              "lstrlen(pPtr->_Src) < TEXT_LENGTH){"),
              2u);
    EXPECT_EQ(CountContaining(file, "lstrcpy(pPtr->_Src_CompleteName, pPtr->_Src_PathName);"), 2u);
    EXPECT_EQ(lines[lines.size() - 3], "    return(RC);");
}

}  // namespace
}  // namespace bw::param_test
