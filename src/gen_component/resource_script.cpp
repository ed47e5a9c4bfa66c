// BlockName + ".rc": icons, the header record the host reads, the parameter
// dialog, the user-control dialog and the string tables.
#include <string>
#include <vector>

#include "gen_component/component_files.h"
#include "gen_component/resource_dialog.h"
#include "gen_component/resource_text.h"
#include "generation/names_and_literals.h"

namespace bw {

namespace {

void WriteIncludes(Printer& print, const BLOCKINFO& block) {
    print.Line("#include <windows.h>");
    print.Line("");
    print.Line("#include \"<BlockName>.h\"", {{"BlockName", block.BlockName}});
    print.Line("#include \"bddk.h\"");
    if (block.RealTime) {
        print.Line("#include \"bddrv.h\"");
    }
    print.Line("#include \"hresourc.h\"");
    print.Line("");
}

// A file name as the resource compiler reads it: quoted where a blank would
// end it.
std::string ResourceFileName(const std::string& name) {
    return name.find(' ') == std::string::npos ? name : "\"" + name + "\"";
}

// The icon names are those under which the run copies the stock icons.
void WriteIcons(Printer& print, const BLOCKINFO& block) {
    print.Line("UserIcon    ICON <IconFileName>", {{"IconFileName", ResourceFileName(IconFileName(block))}});
    print.Line("UserIcon3d  ICON <SecondIconFileName>", {{"SecondIconFileName", ResourceFileName(SecondIconFileName(block))}});
    print.Line("");
    if (block.xDAIS) {
        print.Line("IDB_BITMAP  BITMAP  <BlockName>.bmp",
                   {{"BlockName", block.BlockName}});
        print.Line("");
    }
}

// The host's block type (1 input, 2 process, 4 output, 8 display) with the
// flags of the block's kind.
int TypeWord(const BLOCKINFO& block) {
    int word = 2;
    switch (block.BlockType) {
        case BLOCK_INPUT:
            word = 1;
            break;
        case BLOCK_OUTPUT:
            word = 4;
            break;
        case BLOCK_OUTPUT + 1:
            word = 8;
            break;  // a display
        default:
            break;
    }
    if (block.RealTime) {
        word += 0x20;
    }
    if (block.UserControl) {
        word += 0x10;
    }
    if (block.Native) {
        word += 0x1000;
    }
    if (block.xDAIS) {
        word += 0x08;
    }
    return word;
}

// The record's values are words separated by commas, the channel flags
// included: the resource compiler rejects values without a comma between them.
void WriteHeaderRecord(Printer& print, const BLOCKINFO& block) {
    print.Line("DLLHEADER RCDATA LOADONCALL DISCARDABLE");
    print.Line("BEGIN");
    print.Line("      <type>, // block type (1=input, 2=process, 4=output, 8=display)",
               {{"type", TypeWord(block)}});
    print.Line("      <n>, // number of input channels  ", {{"n", block.NumInputs}});
    print.Line("      <n>, // number of output channels ", {{"n", block.NumOutputs}});
    const std::string mode = block.RealTime ? "1" : "0";
    for (int i = 0; i < block.NumInputs; ++i) {
        print.Line("      <mode>, // input channel <i>, simulation(0)/real-time(1)  ",
                   {{"mode", mode}, {"i", i}});
    }
    for (int i = 0; i < block.NumOutputs; ++i) {
        print.Line("      <mode>, // output channel <i>, simulation(0)/real-time(1)  ",
                   {{"mode", mode}, {"i", i}});
    }
    print.Line("      \"\\0\"");
    print.Line("END");
    print.Line("");
}

void WriteUserControlDialog(Printer& print, const BLOCKINFO& block) {
    if (!block.UserControl) {
        return;
    }
    static const char* const LINES[] = {
        "",
        "IDD_DIALOG1 DIALOG DISCARDABLE  50, 50, 100, 50",
        "STYLE DS_LOCALEDIT | WS_POPUP | WS_VISIBLE | WS_CAPTION",
        "FONT 8, \"MS Sans Serif\"",
        "BEGIN",
        "    PUSHBUTTON      \"Button\",IDC_BUTTON1,30,15,40,20",
        "    CTEXT           \"Calderic, Inc.\",IDC_STATIC,20,40,66,10",
        "END",
        "",
    };
    for (const char* line : LINES) {
        print.Raw(line);
    }
}

// MNAME, LNAME and GNAME are the block header's macros.
void WriteNameStrings(Printer& print, const BLOCKINFO& block) {
    print.Line("STRINGTABLE LOADONCALL DISCARDABLE");
    print.Line("BEGIN");
    print.Line("      IDS_MENU_NAME,      MNAME");
    print.Line("      IDS_DLL_NAME,       \"<BlockName>.DLL\"",
               {{"BlockName", block.BlockName}});
    print.Line("      IDS_LIBRARY_NAME,   LNAME");
    print.Line("      IDS_GROUP_NAME,     GNAME");
    print.Line("      IDS_AUTHOR_NAME,    \"<company>\"",
               {{"company", ResourceString(block.CompanyName)}});
    print.Line("      IDS_COMMENT_LINE,   \"<comment>\"",
               {{"comment", ResourceString(block.ShortDescription)}});
    print.Line("      IDS_REV_NUMBER      \"<revision>\"", {{"revision", ResourceString(block.Revision)}});
    print.Line("END");
    print.Line("");
}

const std::string& Label(const std::vector<std::string>& labels, int i) {
    static const std::string NONE;
    return i < static_cast<int>(labels.size()) ? labels[static_cast<size_t>(i)] : NONE;
}

void WriteChannelLabels(Printer& print, const BLOCKINFO& block) {
    if (block.NumInputs <= 0 && block.NumOutputs <= 0) {
        return;
    }
    print.Line("");
    print.Line("STRINGTABLE LOADONCALL DISCARDABLE");
    print.Line("BEGIN");
    for (int i = 0; i < block.NumInputs; ++i) {
        print.RawText(i == 0 ? "      IDS_INPUT_0  " : "      IDS_INPUT_0+" + std::to_string(i));
        print.Line("     \"<label>\"", {{"label", ResourceString(Label(block.InputChannelLabel, i))}});
    }
    for (int i = 0; i < block.NumOutputs; ++i) {
        print.RawText(i == 0 ? "      IDS_OUTPUT_0  " : "      IDS_OUTPUT_0+" + std::to_string(i));
        print.Line("    \"<label>\"", {{"label", ResourceString(Label(block.OutputChannelLabel, i))}});
    }
    print.Line("END");
    print.Line("");
}

}  // namespace

void WriteResourceScript(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteIncludes(print, block);
    WriteIcons(print, block);
    WriteHeaderRecord(print, block);
    WriteParameterDialog(print, block);
    WriteUserControlDialog(print, block);
    WriteNameStrings(print, block);
    WriteChannelLabels(print, block);
}

}  // namespace bw
