// The rules of the resource header and script and of the side files that the
// two golden blocks do not settle on their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gen_component/component_files.h"
#include "support/generate.h"
#include "support/records.h"

namespace bw {
namespace {

std::string Define(const std::string& name, const std::string& value) {
    std::string line = "#define " + name;
    line.resize(std::max<size_t>(line.size(), 50), ' ');
    return line + "  " + value;
}

void AddGain(BLOCKINFO& b) {
    AddParameter(b, "Gain", TYPE_FLOAT);
}
void AddFiveRadiosAndGain(BLOCKINFO& b) {
    AddParameter(b, "Shape", TYPE_RADIO_BUTTONS, "", {"A", "B", "C", "D", "E"});
    AddGain(b);
}
void AddRadioPairs(BLOCKINFO& b) {
    AddParameter(b, "Enable", TYPE_RADIO_BUTTONS, "", {"On"});
    AddParameter(b, "Window", TYPE_RADIO_BUTTONS, "", {"Hann", "Blackman-Harris", "!"});
}
void NativeRealTimeGain(BLOCKINFO& b) {
    b.RealTime = b.Native = 1;
    AddGain(b);
}
void NativeRealTimeTwelveRows(BLOCKINFO& b) {
    NativeRealTimeGain(b);
    for (int i = 1; i < 12; ++i) {  // enough rows to push the buttons down
        AddParameter(b, "P" + std::to_string(i), TYPE_INTEGER);
    }
}
void ImageAndMatrixSource(BLOCKINFO& b) {
    b.NumInputs = 0;
    b.Bitmap = b.Matrix = 1;
}
void FloatAndDoubleOnly(BLOCKINFO& b) {
    b.Character = b.Byte = b.ShortInteger = b.Integer = b.LongInteger = 0;
}

struct Rule {
    const char* what;
    void (*shape)(BLOCKINFO&);
    Generator generator;
    std::string text;
    long lines;  // how many lines hold the text
};

const std::string DIALOG = "USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, ";

const Rule RULES[] = {
    // Resource numbers: only a Double named Sample Rate is the host's field.
    {"float sample rate", [](BLOCKINFO& b) { AddParameter(b, "Sample Rate", TYPE_FLOAT); },
     WriteResourceHeader, Define("IDC_EDIT_SAMPLERATE", "201"), 1},
    // One radio item makes a Yes/No pair; an item without a name is named by position.
    {"radios", AddRadioPairs, WriteResourceHeader, Define("IDC_RADIO_ENABLE_YES", "303"), 1},
    {"radios", AddRadioPairs, WriteResourceHeader, "_ON ", 0},
    {"radios", AddRadioPairs, WriteResourceHeader, Define("IDC_RADIO_WINDOW_BLACKMANHARRIS", "306"),
     1},
    {"radios", AddRadioPairs, WriteResourceHeader, Define("IDC_RADIO_WINDOWPARAMETER2", "307"), 1},
    {"nameless after skipped",
     [](BLOCKINFO& b) {
         AddParameter(b, "Gone", TYPE_EXCLUDED), AddParameter(b, "%", TYPE_INTEGER);
     },
     WriteResourceHeader, Define("IDC_EDITPARAMETER1", "201"), 1},
    {"nameless after skipped",
     [](BLOCKINFO& b) {
         AddParameter(b, "Gone", TYPE_EXCLUDED), AddParameter(b, "%", TYPE_INTEGER);
     },
     WriteResourceHeader, "GONE", 0},
    {"no parameters", [](BLOCKINFO&) {}, WriteResourceHeader, "#define IDC_", 1},
    {"no parameters", [](BLOCKINFO&) {}, WriteResourceHeader, "//" + std::string(74, '-'), 14},
    {"long name",
     [](BLOCKINFO& b) {
         AddParameter(b, "AVeryLongParameterNameThatGoesPastTheColumn", TYPE_CHECK_BOX);
     },
     WriteResourceHeader, "#define IDC_CHECK_AVERYLONGPARAMETERNAMETHATGOESPASTTHECOLUMN  501", 1},
    {"image source", [](BLOCKINFO& b) { b.NumInputs = 0, b.Bitmap = 1; }, WriteResourceHeader,
     Define("IDC_IMAGEWIDTH", "1105"), 1},
    {"image processing", [](BLOCKINFO& b) { b.Bitmap = 1; }, WriteResourceHeader, "IDC_IMAGEWIDTH",
     0},
    // Dialog layout.
    {"one float", AddGain, WriteResourceScript, DIALOG + "171, 75 ", 1},
    {"one float", AddGain, WriteResourceScript, "    PUSHBUTTON \"v\",IDC_VAR_GAIN,155,8,11,11", 1},
    {"file open widens", [](BLOCKINFO& b) { AddGain(b), AddParameter(b, "Path", TYPE_FILE_OPEN); },
     WriteResourceScript, DIALOG + "215, 105 ", 1},
    {"five radios", AddFiveRadiosAndGain, WriteResourceScript, DIALOG + "171, 135 ", 1},
    {"five radios", AddFiveRadiosAndGain, WriteResourceScript,
     "    CONTROL   \"E\",IDC_RADIO_SHAPE_E,\"Button\",BS_AUTORADIOBUTTON,10,45,60,10", 1},
    // The second pass counts the group's rows as well.
    {"five radios", AddFiveRadiosAndGain, WriteResourceScript,
     "    PUSHBUTTON \"v\",IDC_VAR_GAIN,155,68,11,11", 1},
    {"real-time pair",
     [](BLOCKINFO& b) {
         b.RealTime = 1, AddParameter(b, "Enable", TYPE_RADIO_BUTTONS, "", {"On"});
     },
     WriteResourceScript,
     "    CONTROL   \"Yes\",IDC_RADIO_ENABLE_YES,\"Button\",BS_AUTORADIOBUTTON | WS_GROUP | "
     "WS_TABSTOP,88,8,35,10",
     1},
    {"real-time", [](BLOCKINFO& b) { b.RealTime = 1, AddGain(b); }, WriteResourceScript,
     DIALOG + "283, 150 ", 1},
    {"native", NativeRealTimeGain, WriteResourceScript, DIALOG + "283, 95 ", 1},
    {"native", NativeRealTimeGain, WriteResourceScript,
     "    GROUPBOX        \"Driver\",IDC_STATIC,171,0,108,65", 1},
    {"native", NativeRealTimeGain, WriteResourceScript, "IDC_COMBO_DSPINT", 0},
    {"native", NativeRealTimeGain, WriteResourceScript, "IDC_STRING_PROF", 0},
    {"native, twelve rows", NativeRealTimeTwelveRows, WriteResourceScript, DIALOG + "283, 225 ", 1},
    {"native, twelve rows", NativeRealTimeTwelveRows, WriteResourceScript,
     "    DEFPUSHBUTTON   \"&OK\",IDOK,46,205,40,15", 1},
    // Sources edit their output size: frames, or the image before the matrix.
    {"source", [](BLOCKINFO& b) { b.NumInputs = 0; }, WriteResourceScript,
     "    EDITTEXT  IDC_FRAMESIZE,80,7,75,12,ES_AUTOHSCROLL", 1},
    {"image matrix source", ImageAndMatrixSource, WriteResourceScript,
     "    EDITTEXT  IDC_IMAGEHEIGHT,80,22,75,12,ES_AUTOHSCROLL", 1},
    {"image matrix source", ImageAndMatrixSource, WriteResourceScript, "IDC_ROWS", 0},
    {"native source", [](BLOCKINFO& b) { b.NumInputs = 0, b.Native = 1; }, WriteResourceScript,
     DIALOG + "171, 60 ", 1},
    // The type word carries the block's flags.
    {"control", [](BLOCKINFO& b) { b.BlockType = BLOCK_CONTROL, b.UserControl = 1; },
     WriteResourceScript, "      18, // block type (1=input, 2=process, 4=output, 8=display)", 1},
    {"input", [](BLOCKINFO& b) { b.BlockType = BLOCK_INPUT, b.RealTime = b.xDAIS = b.Native = 1; },
     WriteResourceScript, "      4137, // block type (1=input, 2=process, 4=output, 8=display)", 1},
    // Icons are named as the run copies them: the extension after the last dot.
    {"dotted icon", [](BLOCKINFO& b) { b.IconFilename = "my.icon.ico"; }, WriteResourceScript,
     "UserIcon3d  ICON my.icon1.ico", 1},
    {"no channels", [](BLOCKINFO& b) { b.NumInputs = b.NumOutputs = 0; }, WriteResourceScript,
     "STRINGTABLE LOADONCALL DISCARDABLE", 1},
    // The user control takes the next free ordinal.
    {"user control", [](BLOCKINFO& b) { b.UserControl = 1; }, WriteModuleDefinition,
     "    UserControlProc           @14", 1},
    {"real-time user control", [](BLOCKINFO& b) { b.UserControl = b.RealTime = 1; },
     WriteModuleDefinition, "    UserControlProc           @15", 1},
    {"xDAIS", [](BLOCKINFO& b) { b.RealTime = b.xDAIS = 1; }, WriteModuleDefinition,
     "    UserPaintProc             @15", 1},
    {"xDAIS", [](BLOCKINFO& b) { b.RealTime = b.xDAIS = 1; }, WriteModuleDefinition,
     "UserControlProc", 0},
    // Channels list their precisions and kind.
    {"float and double", FloatAndDoubleOnly, WriteDescriptionText,
     "  Ch0 - Floating Point/Double; Real/Complex", 2},
    {"complex only", [](BLOCKINFO& b) { FloatAndDoubleOnly(b), b.Real = 0; }, WriteDescriptionText,
     "  Ch0 - Floating Point/Double; Complex", 2},
    {"no file open", [](BLOCKINFO&) {}, WriteLinkResponse, "commdlg", 0},
};

TEST(ResourceRules, LinesFollowTheDefinition) {
    for (const Rule& rule : RULES) {
        BLOCKINFO block = NewBlock();
        block.BlockName = "Scaler";
        block.MenuName = "Scaler";
        block.IconFilename = "process.ico";
        rule.shape(block);
        const auto lines = Lines(Generate(rule.generator, block, "Scaler.txt"));
        EXPECT_FALSE(lines.empty()) << rule.what << ": nothing written";
        EXPECT_EQ(std::count_if(
                      lines.begin(), lines.end(),
                      [&](const std::string& l) { return l.find(rule.text) != std::string::npos; }),
                  rule.lines)
            << rule.what << ": " << rule.text;
    }
}

// Neither real nor complex: the channel line still ends, and the next
// section starts on its own line.
TEST(ResourceRules, ChannelLineWithoutKindStillEnds) {
    BLOCKINFO block = NewBlock();
    FloatAndDoubleOnly(block);
    block.Real = block.Complex = 0;
    EXPECT_NE(Generate(WriteDescriptionText, block, "Block.txt")
                  .find("  Ch0 - Floating Point/Double\r\n\r\nOutputs:\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace bw
