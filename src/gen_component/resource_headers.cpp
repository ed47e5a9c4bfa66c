// "hresourc.h" and "resource.h": the numbers of the generated dialogs' controls.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "gen_component/component_files.h"
#include "gen_component/resource_text.h"
#include "generation/names_and_literals.h"

namespace bw {

namespace {

const std::string EQUALS_74(74, '=');
const std::string EQUALS_75(75, '=');
const std::string HYPHENS_74(74, '-');

// Padded to the width of the equals lines.
const std::string RESOURCE_HEADER_LINE =
    PadRight("// Resource Header file for Tessaline Auto-Generated Block DLL", 76);

void WriteFileHead(Printer& print, std::string_view fileTitle) {
    print.Line("//<EQUALS_74>", {{"EQUALS_74", EQUALS_74}});
    print.Line("// <fileTitle>", {{"fileTitle", fileTitle}});
    print.Line(RESOURCE_HEADER_LINE);
    print.Line("// <title> generated include file.", {{"title", PRODUCT_TITLE}});
    print.Line("//<EQUALS_75>", {{"EQUALS_75", EQUALS_75}});
}

void WriteTitleBlock(Printer& print, std::string_view title) {
    print.Line("//<HYPHENS_74>", {{"HYPHENS_74", HYPHENS_74}});
    print.Raw(title);
    print.Line("//<HYPHENS_74>", {{"HYPHENS_74", HYPHENS_74}});
}

// "#define " + name padded to 50 characters, two blanks, the value.
void WriteDefine(Printer& print, std::string_view name, std::string_view value) {
    print.Line("<define>  <value>", {{"define", PadRight("#define " + std::string(name), 50)}, {"value", value}});
}

void WriteDefine(Printer& print, std::string_view name, int number) {
    WriteDefine(print, name, std::to_string(number));
}

// Numbers beyond every range of the controls, the host's and the resource
// strings': where a range is full, its next entries are numbered here.
class Overflow {
public:
    int Next() { return ++last_; }

private:
    int last_ = 2000;
};

// One numbered range: every entry takes the next number, up to the range's
// last one; then the overflow hands out the numbers, so no two controls share
// one however many the pools hold.
class Counter {
public:
    Counter(int start, int end, Overflow& overflow)
        : last_(start), end_(end), overflow_(overflow) {}
    int Next() { return last_ < end_ ? ++last_ : overflow_.Next(); }

    // The first of count numbers in a row, all in the range or all beyond
    // it: a radio group's buttons are addressed as one span of numbers.
    int NextRow(int count) {
        if (end_ - last_ >= count) {
            last_ += count;
            return last_ - count + 1;
        }
        const int first = overflow_.Next();
        for (int n = 1; n < count; ++n) {
            overflow_.Next();
        }
        return first;
    }

private:
    int last_;
    int end_;
    Overflow& overflow_;
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

void WriteStringIds(Printer& print, const BLOCKINFO& block, Overflow& overflow) {
    WriteTitleBlock(print,
                    "//                       USER PARAMETERS' STRING IDC's                      ");
    Counter number(50, 199, overflow);
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        if (parameter.ParameterType == TYPE_CHECK_BOX) {
            return;
        }
        WriteDefine(print, "IDC_STRING" + Ident(block, i), number.Next());
        if (parameter.ParameterType == TYPE_FILE_OPEN) {
            WriteDefine(print, "IDC_STRING" + Ident(block, i) + "_PATHNAME", number.Next());
        }
    });
    print.Line("");
}

// The edit section and the variable-list section share one counter. Only the
// first sample-rate parameter is the host's sample-frequency field.
void WriteEditAndVariableIds(Printer& print, const BLOCKINFO& block, Overflow& overflow) {
    Counter number(200, 299, overflow);
    bool sampleRateTaken = false;
    WriteTitleBlock(print,
                    "//                        USER PARAMETERS' EDIT IDC's                       ");
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        for (const std::string& suffix : EditSuffixes(parameter)) {
            const std::string ident = Ident(block, i) + suffix;
            const int id = number.Next();
            if (suffix.empty() && !sampleRateTaken && IsSampleRate(parameter, ident)) {
                sampleRateTaken = true;
                WriteDefine(print, "IDC_EDIT" + ident, "IDC_SAMPFREQ");
            } else {
                WriteDefine(print, "IDC_EDIT" + ident, id);
            }
        }
    });
    print.Line("");
    WriteTitleBlock(print,
                    "//                  USER PARAMETERS' VARIABLE LIST IDC's                    ");
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        for (const std::string& suffix : EditSuffixes(parameter)) {
            WriteDefine(print, "IDC_VAR" + Ident(block, i) + suffix, number.Next());
        }
    });
    print.Line("");
}

// Source blocks edit their output size; image and matrix share the numbers.
void WriteSizeIds(Printer& print, const BLOCKINFO& block) {
    if (block.NumInputs != 0) {
        return;
    }
    if (block.Bitmap) {
        print.Line("");
        WriteTitleBlock(print, "//                      IMAGE SIZE EDIT IDC's                    ");
        WriteDefine(print, "IDC_IMAGEWIDTH", 1105);
        WriteDefine(print, "IDC_VAR_IMAGEWIDTH", 1106);
        WriteDefine(print, "IDC_IMAGEHEIGHT", 1107);
        WriteDefine(print, "IDC_VAR_IMAGEHEIGHT", 1108);
        print.Line("");
    }
    if (block.Matrix) {
        print.Line("");
        WriteTitleBlock(print, "//                      MATRIX SIZE EDIT IDC's                    ");
        WriteDefine(print, "IDC_ROWS", 1105);
        WriteDefine(print, "IDC_VAR_ROWS", 1106);
        WriteDefine(print, "IDC_COLUMNS", 1107);
        WriteDefine(print, "IDC_VAR_COLUMNS", 1108);
        print.Line("");
    }
}

void WriteRadioIds(Printer& print, const BLOCKINFO& block, Overflow& overflow) {
    WriteTitleBlock(print,
                    "//                    USER PARAMETERS' RADIO BUTTON IDC's                   ");
    Counter number(300, 400, overflow);
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        if (parameter.ParameterType != TYPE_RADIO_BUTTONS) {
            return;
        }
        const std::string group = ControlIdentifier(parameter, i);
        const int items = static_cast<int>(parameter.ParameterItems.size());
        int next = number.NextRow(1 + std::max(items, 2));
        WriteDefine(print, group, next++);
        if (items < 2) {
            WriteDefine(print, group + "_NO", next++);
            WriteDefine(print, group + "_YES", next);
            return;
        }
        for (int item = 0; item < items; ++item) {
            WriteDefine(print, RadioItemIdentifier(parameter, i, item), next++);
        }
    });
    print.Line(" ");
}

void WriteComboIds(Printer& print, const BLOCKINFO& block, Overflow& overflow) {
    WriteTitleBlock(print,
                    "//                     USER PARAMETERS' COMBO BOX IDC's                     ");
    if (block.xDAIS) {
        print.Line("#define IDC_COMBO_SWI                               401 ");
        print.Line("");
    }
    Counter number(401, 500, overflow);
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        if (parameter.ParameterType == TYPE_COMBO_BOX) {
            WriteDefine(print, ControlIdentifier(parameter, i), number.Next());
        }
    });
    print.Line(" ");
}

void WriteCheckIds(Printer& print, const BLOCKINFO& block, Overflow& overflow) {
    WriteTitleBlock(print,
                    "//                     USER PARAMETERS' CHECK BOX IDC's                     ");
    Counter number(500, 600, overflow);
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        if (parameter.ParameterType == TYPE_CHECK_BOX) {
            WriteDefine(print, ControlIdentifier(parameter, i), number.Next());
        }
    });
    print.Line(" ");
}

void WriteUserControlIds(Printer& print, const BLOCKINFO& block) {
    if (!block.UserControl) {
        return;
    }
    print.Line("");
    WriteTitleBlock(print, "//                        User Control IDC's");
    WriteDefine(print, "IDC_BUTTON1", 601);
    WriteDefine(print, "IDC_RADIO1", 602);
    WriteDefine(print, "IDC_CHECK1", 603);
    print.Line("");
    WriteDefine(print, "IDD_DIALOG1", 101);
    print.Line("");
}

void WriteBrowseIds(Printer& print, const BLOCKINFO& block, Overflow& overflow) {
    WriteTitleBlock(print,
                    "//                     USER PARAMETERS' FILE BROWSE IDC's                   ");
    Counter number(603, 699, overflow);
    ForEachParameter(block, [&](int i, const PARAMINFO& parameter) {
        if (parameter.ParameterType == TYPE_FILE_OPEN) {
            WriteDefine(print, "IDBROWSE" + Ident(block, i), number.Next());
        }
    });
}

// The driver controls themselves are the host's; only their range is marked.
void WriteRealTimeIds(Printer& print, const BLOCKINFO& block) {
    if (!block.RealTime) {
        return;
    }
    WriteTitleBlock(print,
                    "//                      REAL-TIME DRIVER IDC's 700-799                      ");
    if (!block.xDAIS) {
        return;
    }
    WriteTitleBlock(print,
                    "//                             BITMAP IDC's 800-899                         ");
    WriteDefine(print, "IDB_BITMAP", 801);
    WriteDefine(print, "IDB_SWI", 802);
    WriteDefine(print, "IDB_HWI", 803);
    WriteDefine(print, "IDB_IDL", 804);
    WriteDefine(print, "IDB_PRD", 805);
    WriteDefine(print, "IDB_CLK", 806);
}

}  // namespace

void WriteResourceHeader(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    print.Line("#ifndef hresourc_h");
    print.Line("#define hresourc_h");
    print.Line("");
    WriteFileHead(print, "HRESOURC.H");
    print.Line("");
    print.Line("");
    Overflow overflow;
    WriteStringIds(print, block, overflow);
    WriteEditAndVariableIds(print, block, overflow);
    WriteSizeIds(print, block);
    WriteRadioIds(print, block, overflow);
    WriteComboIds(print, block, overflow);
    WriteCheckIds(print, block, overflow);
    WriteUserControlIds(print, block);
    WriteBrowseIds(print, block, overflow);
    WriteRealTimeIds(print, block);
    print.Line("");
    print.Line("#define IDC_STATIC                                  -1");
    print.Line("");
    print.Line("");
    print.Line("#endif");
}

void WriteResourceIds(OutputFile& file, const BLOCKINFO&) {
    Printer print(file);
    print.Line("#ifndef resource_h");
    print.Line("#define resource_h");
    WriteFileHead(print, "RESOURCE.H");
    print.Line("");
    print.Line("");
    print.Line("");
    print.Line("#endif");
}

}  // namespace bw
