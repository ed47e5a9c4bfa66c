// BlockName + ".rc": icons, the header record the host reads, the parameter
// dialog, the user-control dialog and the string tables.
#include <string>
#include <vector>

#include "gen_component/component_files.h"
#include "gen_component/resource_dialog.h"
#include "gen_component/resource_text.h"
#include "generation/shared_rules.h"

namespace bw {

namespace {

std::string N(int value) {
    return std::to_string(value);
}

void WriteIncludes(OutputFile& file, const BLOCKINFO& block) {
    WriteLine(file, "#include <windows.h>");
    WriteLine(file, "");
    WriteFilled(file, "#include \"<blockname>.h\"", {{"<blockname>", LowerCase(block.BlockName)}});
    WriteLine(file, "#include \"bddk.h\"");
    if (block.RealTime) {
        WriteLine(file, "#include \"bddrv.h\"");
    }
    WriteLine(file, "#include \"hresourc.h\"");
    WriteLine(file, "");
}

// The icon names are those under which the run copies the stock icons.
void WriteIcons(OutputFile& file, const BLOCKINFO& block) {
    WriteLine(file, "UserIcon    ICON ", IconFileName(block));
    WriteLine(file, "UserIcon3d  ICON ", SecondIconFileName(block));
    WriteLine(file, "");
    if (block.xDAIS) {
        WriteFilled(file, "IDB_BITMAP  BITMAP  <BlockName>.bmp",
                    {{"<BlockName>", block.BlockName}});
        WriteLine(file, "");
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
void WriteHeaderRecord(OutputFile& file, const BLOCKINFO& block) {
    WriteLine(file, "DLLHEADER RCDATA LOADONCALL DISCARDABLE");
    WriteLine(file, "BEGIN");
    WriteFilled(file, "      <type>, // block type (1=input, 2=process, 4=output, 8=display)",
                {{"<type>", N(TypeWord(block))}});
    WriteFilled(file, "      <n>, // number of input channels  ", {{"<n>", N(block.NumInputs)}});
    WriteFilled(file, "      <n>, // number of output channels ", {{"<n>", N(block.NumOutputs)}});
    const std::string mode = block.RealTime ? "1" : "0";
    for (int i = 0; i < block.NumInputs; ++i) {
        WriteFilled(file, "      <mode>, // input channel <i>, simulation(0)/real-time(1)  ",
                    {{"<mode>", mode}, {"<i>", N(i)}});
    }
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteFilled(file, "      <mode>, // output channel <i>, simulation(0)/real-time(1)  ",
                    {{"<mode>", mode}, {"<i>", N(i)}});
    }
    WriteLine(file, "      \"\\0\"");
    WriteLine(file, "END");
    WriteLine(file, "");
}

void WriteUserControlDialog(OutputFile& file, const BLOCKINFO& block) {
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
        WriteLine(file, line);
    }
}

// MNAME, LNAME and GNAME are the block header's macros.
void WriteNameStrings(OutputFile& file, const BLOCKINFO& block) {
    WriteLine(file, "STRINGTABLE LOADONCALL DISCARDABLE");
    WriteLine(file, "BEGIN");
    WriteLine(file, "      IDS_MENU_NAME,      MNAME");
    WriteFilled(file, "      IDS_DLL_NAME,       \"<BlockName>.DLL\"",
                {{"<BlockName>", block.BlockName}});
    WriteLine(file, "      IDS_LIBRARY_NAME,   LNAME");
    WriteLine(file, "      IDS_GROUP_NAME,     GNAME");
    WriteFilled(file, "      IDS_AUTHOR_NAME,    \"<company>\"",
                {{"<company>", block.CompanyName}});
    WriteFilled(file, "      IDS_COMMENT_LINE,   \"<comment>\"",
                {{"<comment>", block.ShortDescription}});
    WriteFilled(file, "      IDS_REV_NUMBER      \"<revision>\"", {{"<revision>", block.Revision}});
    WriteLine(file, "END");
    WriteLine(file, "");
}

const std::string& Label(const std::vector<std::string>& labels, int i) {
    static const std::string NONE;
    return i < static_cast<int>(labels.size()) ? labels[static_cast<size_t>(i)] : NONE;
}

void WriteChannelLabels(OutputFile& file, const BLOCKINFO& block) {
    if (block.NumInputs <= 0 && block.NumOutputs <= 0) {
        return;
    }
    WriteLine(file, "");
    WriteLine(file, "STRINGTABLE LOADONCALL DISCARDABLE");
    WriteLine(file, "BEGIN");
    for (int i = 0; i < block.NumInputs; ++i) {
        Write(file, i == 0 ? "      IDS_INPUT_0  " : "      IDS_INPUT_0+" + N(i));
        WriteFilled(file, "     \"<label>\"", {{"<label>", Label(block.InputChannelLabel, i)}});
    }
    for (int i = 0; i < block.NumOutputs; ++i) {
        Write(file, i == 0 ? "      IDS_OUTPUT_0  " : "      IDS_OUTPUT_0+" + N(i));
        WriteFilled(file, "    \"<label>\"", {{"<label>", Label(block.OutputChannelLabel, i)}});
    }
    WriteLine(file, "END");
    WriteLine(file, "");
}

}  // namespace

bool WriteResourceScript(OutputFile& file, const BLOCKINFO& block) {
    WriteIncludes(file, block);
    WriteIcons(file, block);
    WriteHeaderRecord(file, block);
    WriteParameterDialog(file, block);
    WriteUserControlDialog(file, block);
    WriteNameStrings(file, block);
    WriteChannelLabels(file, block);
    return true;
}

}  // namespace bw
