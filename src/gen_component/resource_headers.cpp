// "hresourc.h" and "resource.h": the numbers of the generated dialogs' controls.
#include <string>
#include <string_view>
#include <vector>

#include "gen_component/component_files.h"
#include "gen_component/resource_text.h"
#include "generation/shared_rules.h"

namespace bw {

namespace {

const std::string EQUALS_74(74, '=');
const std::string EQUALS_75(75, '=');
const std::string HYPHENS_74(74, '-');

// Padded to the width of the equals lines.
const std::string RESOURCE_HEADER_LINE =
    PadRight("// Resource Header file for Tessaline Auto-Generated Block DLL", 76);

void WriteFileHead(OutputFile& file, std::string_view fileTitle) {
    WriteLine(file, "//", EQUALS_74);
    WriteLine(file, "// ", fileTitle);
    WriteLine(file, RESOURCE_HEADER_LINE);
    WriteFilled(file, "// <title> generated include file.", {{"<title>", PRODUCT_TITLE}});
    WriteLine(file, "//", EQUALS_75);
}

void WriteTitleBlock(OutputFile& file, std::string_view title) {
    WriteLine(file, "//", HYPHENS_74);
    WriteLine(file, title);
    WriteLine(file, "//", HYPHENS_74);
}

// "#define " + name padded to 50 characters, two blanks, the value.
void WriteDefine(OutputFile& file, std::string_view name, std::string_view value) {
    WriteLine(file, PadRight("#define " + std::string(name), 50), "  " + std::string(value));
}

void WriteDefine(OutputFile& file, std::string_view name, int number) {
    WriteDefine(file, name, std::to_string(number));
}

// One numbered range: every entry takes the next number.
class Counter {
public:
    explicit Counter(int start)
        : last_(start) {}
    int Next() { return ++last_; }

private:
    int last_;
};

std::string Ident(const BLOCKINFO& block, int index) {
    return UpperIdentifier(ParameterAt(block, index).ParameterName, index);
}

// The edit controls of a parameter, as suffixes of its identifier.
std::vector<std::string> EditSuffixes(const PARAMINFO& parameter) {
    if (parameter.ParameterType == TYPE_FILE_OPEN) {
        return {"", "_PATHNAME", "_COMPLETENAME"};
    }
    if (HasEditControl(parameter.ParameterType)) {
        return {""};
    }
    return {};
}

// A Double parameter that names the sample rate is the host's sample-frequency field.
bool IsSampleRate(const PARAMINFO& parameter, const std::string& ident) {
    const auto has = [&ident](const char* part) { return ident.find(part) != std::string::npos; };
    return parameter.ParameterType == TYPE_DOUBLE && has("SAMPLE") && (has("FREQ") || has("RATE"));
}

void WriteStringIds(OutputFile& file, const BLOCKINFO& block) {
    WriteTitleBlock(file,
                    "//                       USER PARAMETERS' STRING IDC's                      ");
    Counter number(50);
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        if (parameter.ParameterType == TYPE_CHECK_BOX) {
            return;
        }
        WriteDefine(file, "IDC_STRING" + Ident(block, i), number.Next());
        if (parameter.ParameterType == TYPE_FILE_OPEN) {
            WriteDefine(file, "IDC_STRING" + Ident(block, i) + "_PATHNAME", number.Next());
        }
    });
    WriteLine(file, "");
}

// The edit section and the variable-list section share one counter.
void WriteEditAndVariableIds(OutputFile& file, const BLOCKINFO& block) {
    Counter number(200);
    WriteTitleBlock(file,
                    "//                        USER PARAMETERS' EDIT IDC's                       ");
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        for (const std::string& suffix : EditSuffixes(parameter)) {
            const std::string ident = Ident(block, i) + suffix;
            const int id = number.Next();
            if (suffix.empty() && IsSampleRate(parameter, ident)) {
                WriteDefine(file, "IDC_EDIT" + ident, "IDC_SAMPFREQ");
            } else {
                WriteDefine(file, "IDC_EDIT" + ident, id);
            }
        }
    });
    WriteLine(file, "");
    WriteTitleBlock(file,
                    "//                  USER PARAMETERS' VARIABLE LIST IDC's                    ");
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        for (const std::string& suffix : EditSuffixes(parameter)) {
            WriteDefine(file, "IDC_VAR" + Ident(block, i) + suffix, number.Next());
        }
    });
    WriteLine(file, "");
}

// Source blocks edit their output size; image and matrix share the numbers.
void WriteSizeIds(OutputFile& file, const BLOCKINFO& block) {
    if (block.NumInputs != 0) {
        return;
    }
    if (block.Bitmap) {
        WriteLine(file, "");
        WriteTitleBlock(file, "//                      IMAGE SIZE EDIT IDC's                    ");
        WriteDefine(file, "IDC_IMAGEWIDTH", 1105);
        WriteDefine(file, "IDC_VAR_IMAGEWIDTH", 1106);
        WriteDefine(file, "IDC_IMAGEHEIGHT", 1107);
        WriteDefine(file, "IDC_VAR_IMAGEHEIGHT", 1108);
        WriteLine(file, "");
    }
    if (block.Matrix) {
        WriteLine(file, "");
        WriteTitleBlock(file, "//                      MATRIX SIZE EDIT IDC's                    ");
        WriteDefine(file, "IDC_ROWS", 1105);
        WriteDefine(file, "IDC_VAR_ROWS", 1106);
        WriteDefine(file, "IDC_COLUMNS", 1107);
        WriteDefine(file, "IDC_VAR_COLUMNS", 1108);
        WriteLine(file, "");
    }
}

void WriteRadioIds(OutputFile& file, const BLOCKINFO& block) {
    WriteTitleBlock(file,
                    "//                    USER PARAMETERS' RADIO BUTTON IDC's                   ");
    Counter number(300);
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        if (parameter.ParameterType != TYPE_RADIO_BUTTONS) {
            return;
        }
        const std::string group = ControlIdentifier(parameter, i);
        WriteDefine(file, group, number.Next());
        const int items = static_cast<int>(parameter.ParameterItems.size());
        if (items < 2) {
            WriteDefine(file, group + "_NO", number.Next());
            WriteDefine(file, group + "_YES", number.Next());
            return;
        }
        for (int item = 0; item < items; ++item) {
            WriteDefine(file, RadioItemIdentifier(parameter, i, item), number.Next());
        }
    });
    WriteLine(file, " ");
}

void WriteComboIds(OutputFile& file, const BLOCKINFO& block) {
    WriteTitleBlock(file,
                    "//                     USER PARAMETERS' COMBO BOX IDC's                     ");
    if (block.xDAIS) {
        WriteLine(file, "#define IDC_COMBO_SWI                               401 ");
        WriteLine(file, "");
    }
    Counter number(401);
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        if (parameter.ParameterType == TYPE_COMBO_BOX) {
            WriteDefine(file, ControlIdentifier(parameter, i), number.Next());
        }
    });
    WriteLine(file, " ");
}

void WriteCheckIds(OutputFile& file, const BLOCKINFO& block) {
    WriteTitleBlock(file,
                    "//                     USER PARAMETERS' CHECK BOX IDC's                     ");
    Counter number(500);
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        if (parameter.ParameterType == TYPE_CHECK_BOX) {
            WriteDefine(file, ControlIdentifier(parameter, i), number.Next());
        }
    });
    WriteLine(file, " ");
}

void WriteUserControlIds(OutputFile& file, const BLOCKINFO& block) {
    if (!block.UserControl) {
        return;
    }
    WriteLine(file, "");
    WriteTitleBlock(file, "//                        User Control IDC's");
    WriteDefine(file, "IDC_BUTTON1", 601);
    WriteDefine(file, "IDC_RADIO1", 602);
    WriteDefine(file, "IDC_CHECK1", 603);
    WriteLine(file, "");
    WriteDefine(file, "IDD_DIALOG1", 101);
    WriteLine(file, "");
}

void WriteBrowseIds(OutputFile& file, const BLOCKINFO& block) {
    WriteTitleBlock(file,
                    "//                     USER PARAMETERS' FILE BROWSE IDC's                   ");
    Counter number(603);
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        if (parameter.ParameterType == TYPE_FILE_OPEN) {
            WriteDefine(file, "IDBROWSE" + Ident(block, i), number.Next());
        }
    });
}

// The driver controls themselves are the host's; only their range is marked.
void WriteRealTimeIds(OutputFile& file, const BLOCKINFO& block) {
    if (!block.RealTime) {
        return;
    }
    WriteTitleBlock(file,
                    "//                      REAL-TIME DRIVER IDC's 700-799                      ");
    if (!block.xDAIS) {
        return;
    }
    WriteTitleBlock(file,
                    "//                             BITMAP IDC's 800-899                         ");
    WriteDefine(file, "IDB_BITMAP", 801);
    WriteDefine(file, "IDB_SWI", 802);
    WriteDefine(file, "IDB_HWI", 803);
    WriteDefine(file, "IDB_IDL", 804);
    WriteDefine(file, "IDB_PRD", 805);
    WriteDefine(file, "IDB_CLK", 806);
}

}  // namespace

bool WriteResourceHeader(OutputFile& file, const BLOCKINFO& block) {
    WriteLine(file, "#ifndef hresourc_h");
    WriteLine(file, "#define hresourc_h");
    WriteLine(file, "");
    WriteFileHead(file, "HRESOURC.H");
    WriteLine(file, "");
    WriteLine(file, "");
    WriteStringIds(file, block);
    WriteEditAndVariableIds(file, block);
    WriteSizeIds(file, block);
    WriteRadioIds(file, block);
    WriteComboIds(file, block);
    WriteCheckIds(file, block);
    WriteUserControlIds(file, block);
    WriteBrowseIds(file, block);
    WriteRealTimeIds(file, block);
    WriteLine(file, "");
    WriteLine(file, "#define IDC_STATIC                                  -1");
    WriteLine(file, "");
    WriteLine(file, "");
    WriteLine(file, "#endif");
    return true;
}

bool WriteResourceIds(OutputFile& file, const BLOCKINFO&) {
    WriteLine(file, "#ifndef resource_h");
    WriteLine(file, "#define resource_h");
    WriteFileHead(file, "RESOURCE.H");
    WriteLine(file, "");
    WriteLine(file, "");
    WriteLine(file, "");
    WriteLine(file, "#endif");
    return true;
}

}  // namespace bw
