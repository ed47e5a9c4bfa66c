// UserDialogProc, UserControlProc and UserPaintProc.
#include <gtest/gtest.h>

#include "gen_interface/parameter_sections_support.h"

namespace bw::param_test {
namespace {

std::vector<std::string> DialogLines(const BLOCKINFO& block) {
    return Lines(Generate(AsGenerator<WriteUserDialogProc>, block));
}

TEST(DialogProc, FileOpenMachineryOnlyWithAFileOpenParameter) {
    BLOCKINFO block = SimulationBlock();
    AddParameter(block, "Gain", TYPE_FLOAT, "1");
    auto lines = DialogLines(block);
    for (const char* part :
         {"ofn", "dStat", "FilterStr", "IDBROWSE", "unsigned int       index;"}) {
        EXPECT_EQ(CountContaining(lines, part), 0u) << part;
    }
    AddParameter(block, "Data", TYPE_FILE_OPEN, "");
    lines = DialogLines(block);
    EXPECT_TRUE(Contains(lines, "    static char        FilterStr[30];"));
    EXPECT_TRUE(Contains(lines, "               case IDBROWSE_DATA:"));
    EXPECT_TRUE(
        Contains(lines, "                    lstrcpy(FilterStr,\"All files (*.TIM)|*.tim|\");"));
    EXPECT_TRUE(Contains(lines, "             case IDC_VAR_DATA_PATHNAME:"));
    const size_t fits = IndexOf(lines,
                                "                  if (lstrlen(pPtr->_Data_PathName) + 1 + "
                                "lstrlen(pPtr->_Data) < TEXT_LENGTH){");
    ASSERT_LT(fits + 5, lines.size());
    EXPECT_EQ(lines[fits + 2],
              "                    if (pPtr->_Data_CompleteName[0] && "
              "pPtr->_Data_CompleteName[lstrlen(pPtr->_Data_CompleteName)-1] != "
              "'\\\\')");
    EXPECT_EQ(lines[fits + 5], "                  }");
}

TEST(DialogProc, FilterBufferHoldsTheLongestFilterText) {
    BLOCKINFO block = SimulationBlock();
    // 27 + 29 characters and the terminator.
    AddParameter(block, "Data", TYPE_FILE_OPEN, "",
                 {"Signal files (*.tim)|*.tim", "Text files (*.txt)|*.txt;*.a"});
    AddParameter(block, "Other", TYPE_FILE_OPEN, "", {"A|*.a"});
    const auto lines = DialogLines(block);
    EXPECT_TRUE(Contains(lines, "    static char        FilterStr[57];"));
    EXPECT_TRUE(
        Contains(lines, "                    lstrcpy(FilterStr,\"Signal files (*.tim)|*.tim|\");"));
    EXPECT_TRUE(Contains(
        lines, "                    lstrcat(FilterStr,\"Text files (*.txt)|*.txt;*.a|\");"));
    EXPECT_TRUE(Contains(lines, "                    lstrcpy(FilterStr,\"A|*.a|\");"));
}

TEST(DialogProc, RadioButtonsAsPairOrPerItem) {
    BLOCKINFO block = SimulationBlock();
    AddParameter(block, "Enable", TYPE_RADIO_BUTTONS, "Yes", {"Only one"});
    AddParameter(block, "Mode", TYPE_RADIO_BUTTONS, "Fast", {"Slow", "Fast", "Very Fast"});
    const auto lines = DialogLines(block);
    EXPECT_TRUE(Contains(lines, "             case IDC_RADIO_ENABLE_YES:"));
    EXPECT_TRUE(Contains(lines, "             case IDC_RADIO_ENABLE_NO:"));
    EXPECT_EQ(CountContaining(lines, "ONLYONE"), 0u);
    EXPECT_TRUE(Contains(lines, "                    pPtr->_Enable = IDC_RADIO_ENABLE_NO;"));
    EXPECT_TRUE(
        Contains(lines,
                 "           "
                 "CheckRadioButton(hDlg,IDC_RADIO_ENABLE_NO,IDC_RADIO_ENABLE_YES,pPtr->_Enable);"));

    const size_t first =
        IndexOf(lines, "                  if(IsDlgButtonChecked(hDlg, IDC_RADIO_MODE_SLOW))");
    ASSERT_LT(first + 5, lines.size());
    EXPECT_EQ(lines[first + 1], "                    pPtr->_Mode = IDC_RADIO_MODE_SLOW;");
    EXPECT_EQ(lines[first + 2],
              "                  else if(IsDlgButtonChecked(hDlg, IDC_RADIO_MODE_FAST))");
    EXPECT_EQ(lines[first + 4],
              "                  else if(IsDlgButtonChecked(hDlg, IDC_RADIO_MODE_VERYFAST))");
    EXPECT_EQ(lines[first + 5], "                    pPtr->_Mode = IDC_RADIO_MODE_VERYFAST;");
    for (const char* button : {"SLOW", "FAST", "VERYFAST"}) {
        EXPECT_TRUE(
            Contains(lines, std::string("             case IDC_RADIO_MODE_") + button + ":"));
    }
    EXPECT_TRUE(Contains(
        lines,
        "           "
        "CheckRadioButton(hDlg,IDC_RADIO_MODE_SLOW,IDC_RADIO_MODE_VERYFAST,pPtr->_Mode);"));
}

TEST(DialogProc, ComboItemsOrPlaceholders) {
    BLOCKINFO block = SimulationBlock();
    AddParameter(block, "Shape", TYPE_COMBO_BOX, "");
    AddParameter(block, "Window", TYPE_COMBO_BOX, "", {"Rect", "The \"best\""});
    const auto lines = DialogLines(block);
    EXPECT_EQ(CountContaining(lines, "// NOTE:   The following lines of code need to be modified"),
              1u);
    const size_t note =
        IndexOf(lines, "           // add strings to combo box in order that they are to appear");
    ASSERT_LT(note + 3, lines.size());
    EXPECT_EQ(lines[note - 1], lines[note - 7]);  // the frame around the note
    EXPECT_EQ(lines[note + 1],
              "           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)\"Item 1\");");
    EXPECT_EQ(lines[note + 3],
              "           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)\"Item 3\");");
    EXPECT_TRUE(Contains(
        lines, "           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)\"The \\\"best\\\"\");"));
    EXPECT_TRUE(
        Contains(lines, "           SendMessage(hItem,CB_SETCURSEL,pPtr->_Window,(DWORD)0);"));
}

TEST(DialogProc, ConstantParametersDisabledOnlyWhileARealTimeDspRuns) {
    BLOCKINFO block = SimulationBlock();
    AddParameter(block, "Gain", TYPE_FLOAT, "1", {}, 1);
    AddParameter(block, "Pair", TYPE_RADIO_BUTTONS, "Yes", {}, 1);
    AddParameter(block, "File", TYPE_FILE_OPEN, "", {}, 1);
    AddParameter(block, "Free", TYPE_CHECK_BOX, "Checked");
    EXPECT_EQ(CountContaining(DialogLines(block), "EnableWindow"), 0u);

    block.RealTime = 1;
    const auto lines = DialogLines(block);
    const size_t running =
        IndexOf(lines, "              if (bPtr->dwBlockStatus == DSPSTAT_RUN)  {");
    ASSERT_LT(running, lines.size());
    std::vector<std::string> user;
    for (size_t i =
             IndexOf(
                 lines,
                 "                 // be changed while the DSP is running (such as framesize)") +
             1;
         i < lines.size() && lines[i] != "              }"; ++i) {
        user.push_back(lines[i]);
    }
    auto disable = [](const char* control) {
        return std::string("                  EnableWindow(GetDlgItem(hDlg,") + control +
               "), FALSE);";
    };
    EXPECT_EQ(user,
              (std::vector<std::string>{
                  disable("IDC_EDIT_GAIN"), disable("IDC_VAR_GAIN"), disable("IDC_RADIO_PAIR_YES"),
                  disable("IDC_RADIO_PAIR_NO"), disable("IDC_EDIT_FILE"), disable("IDC_VAR_FILE"),
                  disable("IDC_EDIT_FILE_PATHNAME"), disable("IDC_VAR_FILE_PATHNAME"),
                  disable("IDBROWSE_FILE")}));
}

TEST(DialogProc, NativeBlockHasNoInterruptSyncOrProfileCode) {
    BLOCKINFO block = RealTimeBlock();
    auto lines = DialogLines(block);
    for (const char* part : {"DSPINT", "SYNCIN", "SYNCOUT", "PROFYES", "wIntNum", "hItem2"}) {
        EXPECT_GT(CountContaining(lines, part), 0u) << part;
    }
    block.Native = 1;
    lines = DialogLines(block);
    for (const char* part :
         {"DSPINT", "SYNCIN", "SYNCOUT", "PROF", "wIntNum", "wNumSyncs", "IniFilename", "hItem2"}) {
        EXPECT_EQ(CountContaining(lines, part), 0u) << part;
    }
    EXPECT_TRUE(
        Contains(lines, "                 EnableWindow(GetDlgItem(hDlg,IDC_COMBO_DRIVER),FALSE);"));
}

TEST(DialogProc, SimulationScratchIsFetchedForTheSaveButNeverLocked) {
    BLOCKINFO block = SimulationBlock();
    auto lines = DialogLines(block);
    EXPECT_TRUE(Contains(lines, "                  UserSaveProc(hParam, NULL, MNAME, BPARAM);"));
    EXPECT_EQ(CountContaining(lines, "hScratchParam"), 0u);

    AddLocalArray(block, "History", TYPE_FLOAT);
    lines = DialogLines(block);
    EXPECT_TRUE(Contains(lines, "    HANDLE             hScratchParam;"));
    EXPECT_TRUE(Contains(lines, "                  hScratchParam = GetScratchParam(hDlg);"));
    EXPECT_TRUE(
        Contains(lines, "                  UserSaveProc(hParam, hScratchParam, MNAME, BPARAM);"));
    EXPECT_EQ(CountContaining(lines, "sPtr"), 0u);
    // Without parameters there is no dialog error check.
    EXPECT_EQ(CountContaining(lines, "GetDlgError"), 0u);
}

TEST(DialogProc, PrecisionListFollowsTheFlags) {
    BLOCKINFO block = RealTimeBlock();
    block.Character = 0;
    block.Byte = 0;
    block.ShortInteger = 0;
    block.LongInteger = 0;
    block.Double = 0;
    const auto lines = DialogLines(block);
    const size_t at = IndexOf(lines, "           hItem = GetDlgItem(hDlg,IDC_PRECISION);");
    ASSERT_LT(at + 6, lines.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<long>(at) + 1,
                                       lines.begin() + static_cast<long>(at) + 7),
              (std::vector<std::string>{
                  "           AddPrecision(hItem, HDT_AUTO);",
                  "           if (VexaSendCommand (sPtr->hDriver, DRV_INTSUPPORT,0,0))",
                  "             AddPrecision(hItem, HDT_INT);",
                  "           if (VexaSendCommand (sPtr->hDriver, DRV_FLTSUPPORT,0,0))",
                  "             AddPrecision(hItem, HDT_FLOAT);",
                  "           SetPrecision(hItem, pPtr->Precision);",
              }));
}

TEST(DialogProc, ControlAndPaintProceduresAreFixed) {
    const auto control = Lines(Generate(AsGenerator<WriteUserControlProc>, SimulationBlock()));
    EXPECT_TRUE(Contains(control,
                         "BOOL PASCAL UserControlProc(HWND hDlg, HANDLE hParam, register UINT msg, "
                         "register WPARAM wParam,LPARAM lParam)"));
    EXPECT_EQ(CountContaining(control, "SetScrollPos(hDlg, SB_CTL, HIWORD(wParam), TRUE);"), 1u);
    const auto paint = Lines(Generate(AsGenerator<WriteUserPaintProc>, SimulationBlock()));
    EXPECT_EQ(
        paint.front(),
        "int PASCAL UserPaintProc(HDC hDC, HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)");
    EXPECT_TRUE(
        Contains(paint,
                 "  StretchBlt(hDC,0,0,Rect.right,Rect.bottom,hMemDC,0,0,sPtr->Bitmap.bmWidth,"
                 "sPtr->Bitmap.bmHeight,SRCCOPY);"));
}

}  // namespace
}  // namespace bw::param_test
