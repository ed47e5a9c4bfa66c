#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gen_component/component_files.h"
#include "support/generate.h"

namespace bw {
namespace {

void AddParameter(BLOCKINFO& block, const std::string& name, int type,
                  std::vector<std::string> items = {}) {
    PARAMINFO& parameter = block.Parameters[static_cast<size_t>(block.NumParameters++)];
    parameter.ParameterName = name;
    parameter.ParameterType = type;
    parameter.ParameterItems = std::move(items);
}

BLOCKINFO NamedBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Scaler";
    block.MenuName = "Scaler";
    block.IconFilename = "process.ico";
    return block;
}

std::vector<std::string> ScriptLines(const BLOCKINFO& block) {
    return Lines(Generate(WriteResourceScript, block, "Scaler.rc"));
}

// The lines of the parameter dialog, from its first line through "END".
std::vector<std::string> DialogLines(const BLOCKINFO& block) {
    const auto lines = ScriptLines(block);
    auto first = std::find_if(lines.begin(), lines.end(),
                              [](const std::string& l) { return l.rfind("USRDLG", 0) == 0; });
    auto last = std::find(first, lines.end(), "END");
    EXPECT_NE(last, lines.end());
    return {first, last == lines.end() ? last : last + 1};
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string LineStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0) {
            return line;
        }
    }
    return "<no line starting with " + prefix + ">";
}

TEST(ResourceScript, OneFloatingPointParameterLaysOutOneRow) {
    BLOCKINFO block = NamedBlock();
    AddParameter(block, "Gain", TYPE_FLOAT);
    const std::vector<std::string> expected = {
        "USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, 171, 75 ",
        "FONT 8, \"Helv\"",
        "CAPTION \"Scaler Parameters\"",
        "STYLE DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION",
        "BEGIN",
        "    LTEXT \"Gain:\", IDC_STRING_GAIN,5,10,70,8",
        "    EDITTEXT  IDC_EDIT_GAIN,80,7,75,12,ES_AUTOHSCROLL",
        "",
        "    LTEXT           \"Precision:\",IDC_STATIC,5,25,70,8",
        "    CONTROL \"\",IDC_PRECISION,\"combobox\",CBS_DROPDOWNLIST|WS_VSCROLL|WS_TABSTOP|"
        "WS_CHILD,80,22,75,45",
        "",
        "    DEFPUSHBUTTON \"OK\", IDOK, 13, 50, 40, 15",
        "    PUSHBUTTON \"Cancel\", IDCANCEL, 63, 50, 40, 15",
        "    PUSHBUTTON \"Help\", IDHELP, 113, 50, 40, 15",
        "    PUSHBUTTON \"v\",IDC_VAR_GAIN,155,8,11,11",
        "END",
    };
    EXPECT_EQ(DialogLines(block), expected);
}

TEST(ResourceScript, FileOpenWidensTheDialogAndTakesTwoRows) {
    BLOCKINFO block = NamedBlock();
    AddParameter(block, "Gain", TYPE_FLOAT);
    AddParameter(block, "Path", TYPE_FILE_OPEN);
    const auto lines = DialogLines(block);
    EXPECT_EQ(lines[0], "USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, 215, 105 ");
    EXPECT_TRUE(Has(lines, "    LTEXT \"Path:\", IDC_STRING_PATH,5,25,70,8"));
    EXPECT_TRUE(Has(lines, "    LTEXT \"Path:\", IDC_STRING_PATH_PATHNAME,5,40,70,8"));
    EXPECT_TRUE(Has(lines, "    EDITTEXT  IDC_EDIT_PATH_PATHNAME,80,37,75,12,ES_AUTOHSCROLL"));
    EXPECT_TRUE(Has(lines, "    DEFPUSHBUTTON \"OK\", IDOK, 20, 80, 40, 15"));
    EXPECT_TRUE(Has(lines, "    PUSHBUTTON \"Help\", IDHELP, 150, 80, 40, 15"));
    EXPECT_TRUE(Has(lines, "    PUSHBUTTON \"v\",IDC_VAR_PATH,155,23,11,11"));
    EXPECT_TRUE(Has(lines, "    PUSHBUTTON \"v\",IDC_VAR_PATH_PATHNAME,155,38,11,11"));
    EXPECT_TRUE(Has(lines, "    PUSHBUTTON      \"Browse\", IDBROWSE_PATH, 170, 29, 40, 15"));

    block.RealTime = 1;
    const auto realTime = DialogLines(block);
    EXPECT_EQ(realTime[0], "USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, 329, 150 ");
    EXPECT_TRUE(Has(realTime, "    PUSHBUTTON      \"Browse\", IDBROWSE_PATH, 169, 29, 40, 15"));
    EXPECT_TRUE(Has(realTime, "    GROUPBOX        \"Driver\",IDC_STATIC,217,0,108,124"));
    EXPECT_TRUE(Has(realTime, "                    265,106,25,10"));
    EXPECT_TRUE(Has(realTime, "    DEFPUSHBUTTON   \"&OK\",IDOK,63,130,40,15"));
}

TEST(ResourceScript, RadioGroupOfFiveStandsInRowsOfTwo) {
    BLOCKINFO block = NamedBlock();
    AddParameter(block, "Shape", TYPE_RADIO_BUTTONS, {"A", "B", "C", "D", "E"});
    AddParameter(block, "Gain", TYPE_FLOAT);
    const std::vector<std::string> expected = {
        "    GROUPBOX  \"Shape\", IDC_STRING_SHAPE,5,5,150,55",
        "    CONTROL   \"A\",IDC_RADIO_SHAPE_A,\"Button\",BS_AUTORADIOBUTTON | WS_GROUP | "
        "WS_TABSTOP,10,15,60,10",
        "    CONTROL   \"B\",IDC_RADIO_SHAPE_B,\"Button\",BS_AUTORADIOBUTTON,80,15,60,10",
        "    CONTROL   \"C\",IDC_RADIO_SHAPE_C,\"Button\",BS_AUTORADIOBUTTON,10,30,60,10",
        "    CONTROL   \"D\",IDC_RADIO_SHAPE_D,\"Button\",BS_AUTORADIOBUTTON,80,30,60,10",
        "    CONTROL   \"E\",IDC_RADIO_SHAPE_E,\"Button\",BS_AUTORADIOBUTTON,10,45,60,10",
        "",
        "    LTEXT \"Gain:\", IDC_STRING_GAIN,5,70,70,8",
    };
    const auto lines = DialogLines(block);
    ASSERT_GT(lines.size(), expected.size() + 5);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 5, lines.begin() + 5 + 8), expected);
    EXPECT_EQ(lines[0], "USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, 171, 135 ");
    // the second pass counts the group's rows as well
    EXPECT_TRUE(Has(lines, "    PUSHBUTTON \"v\",IDC_VAR_GAIN,155,68,11,11"));
    EXPECT_FALSE(Has(lines, "    PUSHBUTTON \"v\",IDC_VAR_SHAPE,155,8,11,11"));
}

TEST(ResourceScript, SmallRadioGroupsAreButtonPairs) {
    BLOCKINFO block = NamedBlock();
    AddParameter(block, "Enable", TYPE_RADIO_BUTTONS, {"On"});
    AddParameter(block, "Side", TYPE_RADIO_BUTTONS, {"Left", "Right"});
    block.RealTime = 1;
    const auto lines = DialogLines(block);
    EXPECT_TRUE(Has(lines, "    LTEXT \"Enable:\", IDC_STRING_ENABLE,5,9,82,8"));
    EXPECT_TRUE(Has(lines,
                    "    CONTROL   \"Yes\",IDC_RADIO_ENABLE_YES,\"Button\",BS_AUTORADIOBUTTON | "
                    "WS_GROUP | WS_TABSTOP,88,8,35,10"));
    EXPECT_TRUE(Has(lines,
                    "    CONTROL   \"No\",IDC_RADIO_ENABLE_NO,\"Button\",BS_AUTORADIOBUTTON,"
                    "133,8,35,10"));
    EXPECT_TRUE(Has(lines,
                    "    CONTROL   \"Right\",IDC_RADIO_SIDE_RIGHT,\"Button\","
                    "BS_AUTORADIOBUTTON,133,22,35,10"));
}

TEST(ResourceScript, RealTimeDialogKeepsRoomForTheDriverGroup) {
    BLOCKINFO block = NamedBlock();
    block.RealTime = 1;
    AddParameter(block, "Gain", TYPE_FLOAT);
    auto lines = DialogLines(block);
    EXPECT_EQ(lines[0], "USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, 283, 150 ");
    EXPECT_EQ(lines[1], "STYLE DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION");
    EXPECT_TRUE(Has(lines, "    LTEXT \"Gain:\", IDC_STRING_GAIN,5,10,82,8"));
    EXPECT_TRUE(Has(lines, "    EDITTEXT  IDC_EDIT_GAIN,88,7,67,12,ES_AUTOHSCROLL"));
    EXPECT_TRUE(Has(lines, "    GROUPBOX        \"Driver\",IDC_STATIC,171,0,108,124"));
    EXPECT_TRUE(
        Has(lines, "    COMBOBOX        IDC_COMBO_SYNCOUT,217,90,56,55,CBS_DROPDOWNLIST | "));
    EXPECT_TRUE(Has(lines, "    DEFPUSHBUTTON   \"&OK\",IDOK,46,130,40,15"));
    EXPECT_TRUE(Has(lines, "    PUSHBUTTON      \"&Help\",IDHELP,196,130,40,15"));

    block.Native = 1;
    lines = DialogLines(block);
    EXPECT_EQ(lines[0], "USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, 283, 95 ");
    EXPECT_TRUE(Has(lines, "    GROUPBOX        \"Driver\",IDC_STATIC,171,0,108,65"));
    EXPECT_FALSE(
        Has(lines, "    COMBOBOX        IDC_COMBO_DSPINT,217,60,56,75,CBS_DROPDOWNLIST | "));
    EXPECT_FALSE(Has(lines, "    LTEXT           \"Profile:\",IDC_STRING_PROF,176,107,36,8"));
    EXPECT_TRUE(Has(lines, "    DEFPUSHBUTTON   \"&OK\",IDOK,46,75,40,15"));

    for (int i = 1; i < 12; ++i) {  // enough rows to push the buttons down
        AddParameter(block, "P" + std::to_string(i), TYPE_INTEGER);
    }
    lines = DialogLines(block);
    EXPECT_EQ(lines[0], "USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, 283, 225 ");
    EXPECT_TRUE(Has(lines, "    DEFPUSHBUTTON   \"&OK\",IDOK,46,205,40,15"));
}

TEST(ResourceScript, SourceBlocksEditTheirOutputSize) {
    BLOCKINFO block = NamedBlock();
    block.NumInputs = 0;
    auto lines = DialogLines(block);
    EXPECT_EQ(lines[0], "USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, 171, 75 ");
    EXPECT_TRUE(Has(lines, "    LTEXT           \"Framesize:\",IDC_STATIC,5,10,70,8"));
    EXPECT_TRUE(Has(lines, "    EDITTEXT  IDC_FRAMESIZE,80,7,75,12,ES_AUTOHSCROLL"));
    EXPECT_TRUE(Has(lines, "    PUSHBUTTON \"v\",IDC_VAR_FRAMESIZE,155,8,11,11"));

    block.Bitmap = 1;
    block.Matrix = 1;  // the image wins
    lines = DialogLines(block);
    EXPECT_EQ(lines[0], "USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, 171, 90 ");
    EXPECT_TRUE(Has(lines, "    EDITTEXT  IDC_IMAGEHEIGHT,80,22,75,12,ES_AUTOHSCROLL"));
    EXPECT_TRUE(Has(lines, "    PUSHBUTTON \"v\",IDC_VAR_IMAGEHEIGHT,155,23,11,11"));
    EXPECT_FALSE(Has(lines, "    EDITTEXT  IDC_ROWS,80,7,75,12,ES_AUTOHSCROLL"));

    block.Bitmap = 0;
    block.Matrix = 0;
    block.Native = 1;  // no frame size row at all
    lines = DialogLines(block);
    EXPECT_EQ(lines[0], "USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, 171, 60 ");
    EXPECT_TRUE(Has(lines, "    LTEXT           \"Precision:\",IDC_STATIC,5,10,70,8"));
}

TEST(ResourceScript, ParametersWithoutAnEditFieldHaveNoVariableButton) {
    BLOCKINFO block = NamedBlock();
    AddParameter(block, "Custom", TYPE_OTHER);
    AddParameter(block, "Hold", TYPE_CHECK_BOX);
    AddParameter(block, "Mode", TYPE_COMBO_BOX);
    AddParameter(block, "Skipped", TYPE_EXCLUDED);
    const auto lines = DialogLines(block);
    EXPECT_TRUE(Has(lines, "    LTEXT \"Custom:\", IDC_STRING_CUSTOM,5,10,70,8"));
    EXPECT_TRUE(Has(lines, "    AUTOCHECKBOX \"Hold\", IDC_CHECK_HOLD,5,25,70,8"));
    EXPECT_TRUE(Has(lines,
                    "    COMBOBOX  IDC_COMBO_MODE,80,37,75,68,CBS_DROPDOWNLIST | WS_VSCROLL | "
                    "WS_TABSTOP"));
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find("IDC_VAR"), std::string::npos) << line;
        EXPECT_EQ(line.find("SKIPPED"), std::string::npos) << line;
    }
}

TEST(ResourceScript, TypeWordCarriesTheBlocksFlags) {
    const auto typeLine = [](const BLOCKINFO& block) {
        return LineStarting(ScriptLines(block), "      ");
    };
    BLOCKINFO block = NamedBlock();
    block.BlockType = BLOCK_CONTROL;
    block.UserControl = 1;
    EXPECT_EQ(typeLine(block), "      18, // block type (1=input, 2=process, 4=output, 8=display)");
    block.UserControl = 0;
    block.BlockType = BLOCK_INPUT;
    block.RealTime = 1;
    block.xDAIS = 1;
    block.Native = 1;
    EXPECT_EQ(typeLine(block),
              "      4137, // block type (1=input, 2=process, 4=output, 8=display)");
}

TEST(ResourceScript, IconsAreNamedAsTheRunCopiesThem) {
    BLOCKINFO block = NamedBlock();
    block.IconFilename = "my.icon.ico";
    auto lines = ScriptLines(block);
    EXPECT_EQ(LineStarting(lines, "UserIcon "), "UserIcon    ICON my.icon.ico");
    EXPECT_EQ(LineStarting(lines, "UserIcon3d"), "UserIcon3d  ICON my.icon1.ico");

    block.IconFilename = "blk";
    lines = ScriptLines(block);
    EXPECT_EQ(LineStarting(lines, "UserIcon "), "UserIcon    ICON blk.ico");
    EXPECT_EQ(LineStarting(lines, "UserIcon3d"), "UserIcon3d  ICON blk1.ico");
    EXPECT_EQ(block.IconFilename, "blk");
}

TEST(ResourceScript, ChannelLabelsAlignTheirTexts) {
    BLOCKINFO block = NamedBlock();
    block.NumInputs = 2;
    block.NumOutputs = 1;
    const auto lines = ScriptLines(block);
    EXPECT_TRUE(Has(lines, "      IDS_INPUT_0       \"In0\""));
    EXPECT_TRUE(Has(lines, "      IDS_INPUT_0+1     \"In1\""));
    EXPECT_TRUE(Has(lines, "      IDS_OUTPUT_0      \"Out0\""));
    EXPECT_TRUE(Has(lines, "      1, // number of output channels "));
    EXPECT_TRUE(Has(lines, "      0, // input channel 1, simulation(0)/real-time(1)  "));

    block.NumInputs = 0;
    block.NumOutputs = 0;
    const auto none = ScriptLines(block);
    EXPECT_EQ(std::count(none.begin(), none.end(), "STRINGTABLE LOADONCALL DISCARDABLE"), 1);
}

}  // namespace
}  // namespace bw
