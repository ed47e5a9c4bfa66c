// The rules of the parameter, dialog and real-time sections that the golden
// blocks do not settle on their own.
#include <gtest/gtest.h>

#include "interface_test_support.h"

namespace bw {
namespace {

using namespace interface_test;

const Section Save = SectionLines<WriteUserSaveProc>;
const Section Load = SectionLines<WriteUserLoadProc>;
const Section List = SectionLines<WriteUserGetParameterListProc>;
const Section Set = SectionLines<WriteUserSetParameterProc>;
const Section Dialog = SectionLines<WriteUserDialogProc>;
const Section Stop = SectionLines<WriteUserStopProc>;
const Section Download = SectionLines<WriteDownloadDSPParameters>;

// A load line holds its default between ", " and ", ".
TEST(ParameterSections, LoadDefaultsStayValidCAndMatchWhatThePageSelects) {
    struct Case {
        int type;
        const char* typed;
        std::vector<std::string> items;
        const char* literal;
    };
    const Case cases[] = {
        {TYPE_FLOAT, " ", {}, "(float)0"},
        {TYPE_DOUBLE, "PI_2", {}, "PI_2"},
        // Characters: an escape as C reads it, else the first character only;
        // '\0' when empty, a quote or a lone backslash escaped.
        {TYPE_CHAR, "", {}, "'\\0'"},
        {TYPE_CHAR, "'", {}, "'\\''"},
        {TYPE_CHAR, "\\", {}, "'\\\\'"},
        {TYPE_CHAR, "\\n", {}, "'\\n'"},
        {TYPE_CHAR, "xyz", {}, "'x'"},
        // Text: what was typed, a backslash escaped (no tab made of it).
        {TYPE_TEXT, "a\\tb", {}, "\"a\\\\tb\""},
        // Combo: the position of the last equal item (exact comparison), else 0.
        {TYPE_COMBO_BOX, "A", {"A", "B", "A"}, "2"},
        {TYPE_COMBO_BOX, "hann", {"Rect", "Hann"}, "0"},
        // Radio: the named button, the first item when it names none.
        {TYPE_RADIO_BUTTONS, "Medium", {"Slow", "Fast"}, "IDC_RADIO_P_SLOW"},
        // Yes/No pair: Yes, No, else Yes.
        {TYPE_RADIO_BUTTONS, "No", {"Only"}, "IDC_RADIO_P_NO"},
        {TYPE_RADIO_BUTTONS, "Item 1", {}, "IDC_RADIO_P_YES"},
        // Check box: Checked, Unchecked, else Checked.
        {TYPE_CHECK_BOX, "", {}, "BST_CHECKED"},
        {TYPE_CHECK_BOX, "1", {}, "BST_CHECKED"},
    };
    for (const Case& c : cases) {
        BLOCKINFO block = SimulationBlock();
        AddParameter(block, "P", c.type, c.typed, c.items);
        const auto lines = Load(block);
        const auto line = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
            return l.find("\"_P\"") != std::string::npos;
        });
        ASSERT_NE(line, lines.end()) << c.typed;
        EXPECT_NE(line->find(std::string(", ") + c.literal + ", "), std::string::npos)
            << c.typed << " gave " << *line;
    }
}

void AddFilesWithFilters(BLOCKINFO& b) {
    // 27 + 29 characters and the terminator.
    AddParameter(b, "Data", TYPE_FILE_OPEN, "",
                 {"Signal files (*.tim)|*.tim", "Text files (*.txt)|*.txt;*.a"});
    AddParameter(b, "Other", TYPE_FILE_OPEN, "", {"A|*.a"});
}

void AddUndownloadable(BLOCKINFO& b) {
    b.RealTime = 1;
    AddParameter(b, "Mark", TYPE_CHAR, "a");
    AddParameter(b, "Title", TYPE_TEXT, "t");
    AddParameter(b, "File", TYPE_FILE_OPEN, "");
}

void IntAndFloatInRealTime(BLOCKINFO& b) {
    b.RealTime = 1;
    b.Character = b.Byte = b.ShortInteger = b.LongInteger = b.Double = 0;
}

void NoCharOrFloatInRealTime(BLOCKINFO& b) {
    b.RealTime = 1;
    b.Character = b.FloatingPoint = 0;
}

void NoPrecisionSource(BLOCKINFO& b) {
    b.NumInputs = 0;
    b.Character = b.Byte = b.ShortInteger = b.Integer = b.LongInteger = 0;
    b.FloatingPoint = b.Double = 0;
}

void RealTimeSource(BLOCKINFO& b) {
    b.RealTime = 1;
    b.NumInputs = 0;
}

void AddOneItemYesNo(BLOCKINFO& b) {
    AddParameter(b, "Enable", TYPE_RADIO_BUTTONS, "Yes", {"Only one"});
}

const Rule RULES[] = {
    // The parameter list: precision only in simulation, sizes for sources.
    {"source", [](BLOCKINFO& b) { b.NumInputs = 0; }, List,
     "    AddParmString(hListBox, \"Framesize\", (HDT_LONG << 16)|IDC_FRAMESIZE);", 1},
    {"matrix source", [](BLOCKINFO& b) { b.NumInputs = 0, b.Matrix = 1; }, List,
     "    AddParmString(hListBox, \"Rows\", (HDT_LONG << 16)|IDC_ROWS);", 1},
    // The precision loaded by a source: the widest enabled, float in real time.
    {"source", [](BLOCKINFO& b) { b.NumInputs = 0; }, Load, "IDC_PRECISION, HDT_DOUBLE, ", 1},
    {"source up to short",
     [](BLOCKINFO& b) {
         b.NumInputs = 0, b.Double = b.FloatingPoint = b.LongInteger = b.Integer = 0;
     },
     Load, "IDC_PRECISION, HDT_SHORT, ", 1},
    {"source without precision", NoPrecisionSource, Load, "\"Precision\"", 0},
    {"bitmap source", [](BLOCKINFO& b) { NoPrecisionSource(b), b.Bitmap = 1; }, Load,
     "IDC_PRECISION, HDT_IMAGE_BMP, ", 1},
    {"real-time source", [](BLOCKINFO& b) { NoPrecisionSource(b), b.RealTime = 1; }, Load,
     "IDC_PRECISION, HDT_FLOAT, ", 1},
    // The scratch rule in saving, stopping and the dialog.
    {"simulation", [](BLOCKINFO&) {}, Save, "sPtr", 0},
    {"simulation", [](BLOCKINFO&) {}, Save, "hScratchParam);", 0},
    {"xDAIS arrays",
     [](BLOCKINFO& b) {
         b.RealTime = b.Native = b.xDAIS = 1, AddLocalArray(b, "A", "", TYPE_FLOAT);
     },
     Save, "NumLocalElements", 0},
    {"native", [](BLOCKINFO& b) { b.RealTime = b.Native = 1; }, Save, "bProfile", 0},
    {"simulation", [](BLOCKINFO&) {}, Stop, "sPtr", 0},
    {"simulation", [](BLOCKINFO&) {}, Stop, "DRV_HOLDDSP", 0},
    {"simulation arrays", [](BLOCKINFO& b) { AddLocalArray(b, "A", "", TYPE_FLOAT); }, Stop,
     "DRV_HOLDDSP", 0},
    {"simulation", [](BLOCKINFO&) {}, Dialog,
     "                  UserSaveProc(hParam, NULL, MNAME, BPARAM);", 1},
    {"simulation", [](BLOCKINFO&) {}, Dialog, "hScratchParam", 0},
    {"no parameters", [](BLOCKINFO&) {}, Dialog, "GetDlgError", 0},
    // A one-item radio group is a Yes/No pair; its range is checked when set.
    {"yes/no", AddOneItemYesNo, Dialog, "             case IDC_RADIO_ENABLE_YES:", 1},
    {"yes/no", AddOneItemYesNo, Dialog, "ONLYONE", 0},
    {"yes/no", AddOneItemYesNo, Set, "            if (*((int *)val) == 0 || *((int *)val) == 1){",
     1},
    {"yes/no", AddOneItemYesNo, Set,
     "                pPtr->_Enable = *((int *)val)+IDC_RADIO_ENABLE_NO;", 1},
    // The filter buffer holds the longest filter text of all File Open parameters.
    {"filters", AddFilesWithFilters, Dialog, "    static char        FilterStr[57];", 1},
    {"filters", AddFilesWithFilters, Dialog,
     "                    lstrcat(FilterStr,\"Text files (*.txt)|*.txt;*.a|\");", 1},
    // Combo items are C strings.
    {"quoted item",
     [](BLOCKINFO& b) { AddParameter(b, "W", TYPE_COMBO_BOX, "", {"The \"best\""}); }, Dialog,
     "(DWORD)(LPSTR)\"The \\\"best\\\"\");", 1},
    // Constant parameters are disabled only while a real-time DSP runs.
    {"simulation constant", [](BLOCKINFO& b) { AddParameter(b, "G", TYPE_FLOAT, "1", {}, 1); },
     Dialog, "EnableWindow", 0},
    // While the DSP runs, a source block's framesize button is disabled, where
    // its dialog has one: an image or native source has no framesize row.
    {"real-time source", RealTimeSource, Dialog, "EnableWindow(GetDlgItem(hDlg,IDC_VAR_FRAMESIZE),",
     1},
    {"real-time bitmap source", [](BLOCKINFO& b) { RealTimeSource(b), b.Bitmap = 1; }, Dialog,
     "GetDlgItem(hDlg,IDC_VAR_FRAMESIZE)", 0},
    {"native real-time source", [](BLOCKINFO& b) { RealTimeSource(b), b.Native = 1; }, Dialog,
     "GetDlgItem(hDlg,IDC_VAR_FRAMESIZE)", 0},
    // The real-time precision list offers what the flags allow.
    {"real-time int and float", IntAndFloatInRealTime, Dialog, "AddPrecision(hItem, HDT_", 3},
    {"real-time int and float", IntAndFloatInRealTime, Dialog, "DRV_FLTSUPPORT", 1},
    {"real-time", NoCharOrFloatInRealTime, Set,
     "            if(*((int *)val) == HDT_CHAR)   break;", 1},
    {"real-time", NoCharOrFloatInRealTime, Set,
     "            if(*((int *)val) == HDT_FLOAT)  break;", 1},
    {"real-time", NoCharOrFloatInRealTime, Set, "== HDT_AUTO", 0},
    {"real-time", NoCharOrFloatInRealTime, Set, "== HDT_DOUBLE", 0},
    // Types the DSP cannot hold are named but not downloaded.
    {"undownloadable", AddUndownloadable, Download,
     "    // This parameter type is not downloaded to the DSP.", 3},
    {"undownloadable", AddUndownloadable, Download, "DRV_WRMEMVAL", 0},
    {"undownloadable", AddUndownloadable, Download, "    // download parameter 2 (_File)", 1},
};

TEST(ParameterSections, LinesFollowTheDefinition) {
    ExpectRules(RULES, SimulationBlock);
}

TEST(ParameterSections, AnExcludedParameterKeepsTheOthersInTheirPlaces) {
    BLOCKINFO block = SimulationBlock();
    AddParameter(block, "A", TYPE_INTEGER, "1");
    AddParameter(block, "Gone", TYPE_EXCLUDED, "1");
    AddParameter(block, "()", TYPE_INTEGER, "1");  // no identifier characters: named by position
    for (Section section : {Save, Load, List, Set}) {
        const auto lines = section(block);
        EXPECT_EQ(CountContaining(lines, "GONE") + CountContaining(lines, "Gone"), 0);
        EXPECT_EQ(CountContaining(lines, "PARAMETER2"), 1);
    }
}

TEST(ParameterSections, SaveUnlocksInReverseAndSavesSizesBeforeTheDriver) {
    BLOCKINFO block = RealTimeBlock();
    AddLocalArray(block, "Buffer", "", TYPE_FLOAT);
    const auto lines = Save(block);
    EXPECT_LT(IndexOf(lines, "    GlobalUnlock(sPtr->hRTParam);"),
              IndexOf(lines, "    GlobalUnlock(hScratchParam);"));
    EXPECT_LT(IndexOf(lines, "    GlobalUnlock(hScratchParam);"),
              IndexOf(lines, "    GlobalUnlock(hParam);"));
    const std::ptrdiff_t sizes = IndexOf(lines,
                                         "    SaveParamL(Section, \"NumLocalElements0\", -1, "
                                         "pPtr->NumLocalElements0, FileName);");
    ASSERT_GE(sizes, 0);
    EXPECT_LT(sizes, IndexOf(lines, "    // Save block's driver parameters to file"));
}

}  // namespace
}  // namespace bw
