// The parameter dialog "USRDLG": a row (or several) per parameter, then the
// size rows of a source block, the precision row, the buttons and the "v"
// buttons that open the host's variable list. Coordinates are dialog units.
#include "gen_component/resource_dialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "gen_component/resource_text.h"
#include "generation/names_and_literals.h"

namespace bw {

namespace {

// Row positions for row r.
int LabelY(int r) {
    return 15 * r - 5;
}
int ControlY(int r) {
    return 15 * r - 8;
}
int VariableButtonY(int r) {
    return 15 * r - 7;
}

// Where the simulation and the real-time dialogs differ in their left part.
struct Columns {
    int labelWidth;
    int controlX;
    int controlWidth;
    int secondRadioX;
    int browseX;
};
constexpr Columns SIMULATION_COLUMNS{70, 80, 75, 125, 170};
constexpr Columns REAL_TIME_COLUMNS{82, 88, 67, 133, 169};

int ItemCount(const PARAMINFO& parameter) {
    return static_cast<int>(parameter.ParameterItems.size());
}

// Extra rows of a radio group of more than two items: its items two by two.
int RadioGroupRows(const PARAMINFO& parameter) {
    const int items = ItemCount(parameter);
    return parameter.ParameterType == TYPE_RADIO_BUTTONS && items > 2 ? (items + 1) / 2 : 0;
}

int ParameterRows(const PARAMINFO& parameter) {
    return 1 + (parameter.ParameterType == TYPE_FILE_OPEN ? 1 : 0) + RadioGroupRows(parameter);
}

// A size row of a source block: its label and the suffix of its identifiers.
struct SizeRow {
    const char* label;
    const char* name;
};

std::vector<SizeRow> SizeRows(const BLOCKINFO& block) {
    if (block.NumInputs != 0) {
        return {};
    }
    if (block.Bitmap) {
        return {{"Image Width:", "IMAGEWIDTH"}, {"Image Height:", "IMAGEHEIGHT"}};
    }
    if (block.Matrix) {
        return {{"Rows:", "ROWS"}, {"Columns:", "COLUMNS"}};
    }
    if (block.Native) {
        return {};
    }
    return {{"Framesize:", "FRAMESIZE"}};
}

class DialogWriter {
public:
    DialogWriter(Printer& print, const BLOCKINFO& block)
        : print_(print),
          block_(block),
          realTime_(block.RealTime != 0),
          wide_(IsWideDialog(block)),
          columns_(realTime_ ? REAL_TIME_COLUMNS : SIMULATION_COLUMNS) {}

    void Write() {
        if (realTime_) {
            WriteRealTimeHead();
        } else {
            WriteSimulationHead();
        }
        int r = 0;
        ForEachParameter(block_, [&](int i, const PARAMINFO& parameter) {
            WriteParameterRows(r, i, parameter);
        });
        WriteSizeRows(r);
        WritePrecisionRow(r + 1);
        if (realTime_) {
            WriteDriverGroup();
            WriteRealTimeButtons(r + 1);
        } else {
            WriteSimulationButtons(r + 1);
        }
        WriteVariableButtons();
        print_.Line("END");
        print_.Line("");
    }

private:
    void Line(std::string_view pattern, Vars values) {
        print_.Line(pattern, values);
    }

    std::string Id(int index) const {
        return UpperIdentifier(ParameterAt(block_, index).ParameterName, index);
    }

    void WriteSimulationHead() {
        const int height = 15 * DialogRows(block_) + 60;
        Line("USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, <width>, <height> ",
             {{"width", wide_ ? "215" : "171"}, {"height", height}});
        print_.Line("FONT 8, \"Helv\"");
        Line("CAPTION \"<menu> Parameters\"", {{"menu", ResourceString(block_.MenuName)}});
        print_.Line("STYLE DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION");
        print_.Line("BEGIN");
    }

    // The real-time dialog holds the driver group, so it has a minimum height.
    void WriteRealTimeHead() {
        const int height = std::max(15 * DialogRows(block_) + 45, block_.Native ? 95 : 150);
        Line("USRDLG DIALOG LOADONCALL MOVEABLE DISCARDABLE 30,30, <width>, <height> ",
             {{"width", wide_ ? "329" : "283"}, {"height", height}});
        print_.Line("STYLE DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION");
        Line("CAPTION \"<menu> Parameters\"", {{"menu", ResourceString(block_.MenuName)}});
        print_.Line("FONT 8, \"Helv\"");
        print_.Line("BEGIN");
    }

    // r is the last row used so far; the parameter's rows follow it.
    void WriteParameterRows(int& r, int index, const PARAMINFO& parameter) {
        ++r;
        const int type = parameter.ParameterType;
        if (type == TYPE_RADIO_BUTTONS) {
            WriteRadioButtons(r, index, parameter);
        } else if (type == TYPE_CHECK_BOX) {
            Line("    AUTOCHECKBOX \"<name>\", <CHECK>,5,<y>,70,8",
                 {{"name", ResourceString(parameter.ParameterName)},
                  {"CHECK", ControlIdentifier(parameter, index)},
                  {"y", LabelY(r)}});
        } else {
            WriteLabel(LabelY(r), index, parameter);
            if (type == TYPE_COMBO_BOX) {
                Line(
                    "    COMBOBOX  <COMBO>,<x>,<y>,<w>,68,CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP",
                    {{"COMBO", ControlIdentifier(parameter, index)},
                     {"x", columns_.controlX},
                     {"y", ControlY(r)},
                     {"w", columns_.controlWidth}});
            } else if (HasEditControl(type)) {
                WriteEditField(r, "IDC_EDIT" + Id(index));
            }
            if (type == TYPE_FILE_OPEN) {
                ++r;
                Line("    LTEXT \"Path:\", IDC_STRING<ID>_PATHNAME,5,<y>,70,8",
                     {{"ID", Id(index)}, {"y", LabelY(r)}});
                WriteEditField(r, "IDC_EDIT" + Id(index) + "_PATHNAME");
            }
        }
        print_.Line("");
    }

    void WriteLabel(int y, int index, const PARAMINFO& parameter) {
        Line("    LTEXT \"<name>:\", IDC_STRING<ID>,5,<y>,<w>,8",
             {{"name", ResourceString(parameter.ParameterName)},
              {"ID", Id(index)},
              {"y", y},
              {"w", columns_.labelWidth}});
    }

    void WriteEditField(int r, const std::string& control) {
        Line("    EDITTEXT  <EDIT>,<x>,<y>,<w>,12,ES_AUTOHSCROLL",
             {{"EDIT", control},
              {"x", columns_.controlX},
              {"y", ControlY(r)},
              {"w", columns_.controlWidth}});
    }

    void WriteRadioButtons(int& r, int index, const PARAMINFO& parameter) {
        const int items = ItemCount(parameter);
        if (items > 2) {
            WriteRadioGroup(r, index, parameter);
            return;
        }
        WriteLabel(15 * r - 6, index, parameter);
        const std::string group = ControlIdentifier(parameter, index);
        const std::string first = items == 2 ? parameter.ParameterItems[0] : "Yes";
        const std::string second = items == 2 ? parameter.ParameterItems[1] : "No";
        const std::string firstId =
            items == 2 ? RadioItemIdentifier(parameter, index, 0) : group + "_YES";
        const std::string secondId =
            items == 2 ? RadioItemIdentifier(parameter, index, 1) : group + "_NO";
        const std::string y = std::to_string(items == 2 ? 15 * r - 8 : 15 * r - 7);
        Line(
            "    CONTROL   \"<item>\",<BUTTON>,\"Button\",BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,<x>,<y>,35,10",
            {{"item", ResourceString(first)}, {"BUTTON", firstId}, {"x", columns_.controlX}, {"y", y}});
        Line("    CONTROL   \"<item>\",<BUTTON>,\"Button\",BS_AUTORADIOBUTTON,<x>,<y>,35,10",
             {{"item", ResourceString(second)},
              {"BUTTON", secondId},
              {"x", columns_.secondRadioX},
              {"y", y}});
    }

    // A group box with the items two per row below its title row.
    void WriteRadioGroup(int& r, int index, const PARAMINFO& parameter) {
        Line("    GROUPBOX  \"<name>\", IDC_STRING<ID>,5,<y>,150,<h>",
             {{"name", ResourceString(parameter.ParameterName)},
              {"ID", Id(index)},
              {"y", 15 * r - 10},
              {"h", 15 * RadioGroupRows(parameter) + 10}});
        int y = 15 * r;
        for (int item = 0; item < ItemCount(parameter); ++item) {
            const bool even = item % 2 == 0;
            if (even && item != 0) {
                ++r;
                y += 15;
            }
            Line("    CONTROL   \"<item>\",<BUTTON>,\"Button\",<style><x>,<y>,60,10",
                 {{"item", ResourceString(parameter.ParameterItems[static_cast<size_t>(item)])},
                  {"BUTTON", RadioItemIdentifier(parameter, index, item)},
                  {"style", item == 0 ? "BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,"
                                      : "BS_AUTORADIOBUTTON,"},
                  {"x", even ? "10" : std::to_string(columns_.controlX)},
                  {"y", y}});
        }
        ++r;
    }

    void WriteSizeRows(int& r) {
        for (const SizeRow& row : SizeRows(block_)) {
            ++r;
            Line("    LTEXT           \"<label>\",IDC_STATIC,5,<y>,<w>,8",
                 {{"label", row.label}, {"y", LabelY(r)}, {"w", columns_.labelWidth}});
            WriteEditField(r, std::string("IDC_") + row.name);
        }
    }

    void WritePrecisionRow(int row) {
        Line("    LTEXT           \"Precision:\",IDC_STATIC,5,<y>,<w>,8",
             {{"y", LabelY(row)}, {"w", columns_.labelWidth}});
        Line(
            "    CONTROL \"\",IDC_PRECISION,\"combobox\",CBS_DROPDOWNLIST|WS_VSCROLL|WS_TABSTOP|WS_CHILD,<x>,<y>,<w>,45",
            {{"x", columns_.controlX},
             {"y", ControlY(row)},
             {"w", columns_.controlWidth}});
        print_.Line("");
    }

    void WriteSimulationButtons(int row) {
        const std::string y = std::to_string(15 * row + 20);
        const bool wide = wide_;
        Line("    DEFPUSHBUTTON \"OK\", IDOK, <x>, <y>, 40, 15",
             {{"x", wide ? "20" : "13"}, {"y", y}});
        Line("    PUSHBUTTON \"Cancel\", IDCANCEL, <x>, <y>, 40, 15",
             {{"x", wide ? "85" : "63"}, {"y", y}});
        Line("    PUSHBUTTON \"Help\", IDHELP, <x>, <y>, 40, 15",
             {{"x", wide ? "150" : "113"}, {"y", y}});
    }

    // The host's driver controls, right of the parameters; the lines are
    // written with their narrow-dialog x positions (<x171> is 171 there),
    // moved right in a wide one.
    // The group box statement ends without a stray ";", which the resource
    // compiler would not accept.
    void WriteDriverGroup() {
        const int shift = wide_ ? 46 : 0;
        const auto line = [&](std::string_view pattern) {
            Line(pattern, {{"x171", 171 + shift},
                           {"x176", 176 + shift},
                           {"x217", 217 + shift},
                           {"x219", 219 + shift},
                           {"x251", 251 + shift},
                           {"x264", 264 + shift},
                           {"h", block_.Native ? "65" : "124"}});
        };
        const char* const COMBO_STYLE =
            "                    CBS_DISABLENOSCROLL | WS_VSCROLL | WS_TABSTOP";
        line("    GROUPBOX        \"Driver\",IDC_STATIC,<x171>,0,108,<h>");
        line("    COMBOBOX        IDC_COMBO_DRIVER,<x217>,15,56,47,CBS_DROPDOWNLIST | CBS_SORT | ");
        line(COMBO_STYLE);
        line("    EDITTEXT        IDC_EDIT_BRDNUM,<x217>,30,47,12,ES_AUTOHSCROLL");
        line("    SCROLLBAR       IDC_SCROLL_BRDSCRL,<x264>,30,9,12,SBS_VERT");
        line("    EDITTEXT        IDC_EDIT_DSPNUM,<x217>,45,47,12,ES_AUTOHSCROLL");
        line("    SCROLLBAR       IDC_SCROLL_DSPSCRL,<x264>,45,9,12,SBS_VERT");
        if (!block_.Native) {
            line("    COMBOBOX        IDC_COMBO_DSPINT,<x217>,60,56,75,CBS_DROPDOWNLIST | ");
            line(COMBO_STYLE);
            line("    COMBOBOX        IDC_COMBO_SYNCIN,<x217>,75,56,70,CBS_DROPDOWNLIST | ");
            line(COMBO_STYLE);
            line("    COMBOBOX        IDC_COMBO_SYNCOUT,<x217>,90,56,55,CBS_DROPDOWNLIST | ");
            line(COMBO_STYLE);
            line(
                "    CONTROL         \"Yes\",IDC_RADIO_PROFYES,\"Button\",BS_AUTORADIOBUTTON | WS_GROUP,");
            line("                    <x219>,106,25,10");
            line(
                "    CONTROL         \"No\",IDC_RADIO_PROFNO,\"Button\",BS_AUTORADIOBUTTON,<x251>,106,22,10");
        }
        line("    LTEXT           \"Name:\",IDC_STRING_DRIVER,<x176>,17,31,8");
        line("    LTEXT           \"Board #:\",IDC_STRING_BRDNUM,<x176>,32,31,8");
        line("    LTEXT           \"DSP #:\",IDC_STRING_DSPNUM,<x176>,47,32,8");
        if (!block_.Native) {
            line("    LTEXT           \"Interrupt:\",IDC_STRING_DSPINT,<x176>,62,40,8");
            line("    LTEXT           \"Sync In:\",IDC_STRING_SYNCIN,<x176>,77,40,8");
            line("    LTEXT           \"Sync Out:\",IDC_STRING_SYNCOUT,<x176>,92,40,8");
            line("    LTEXT           \"Profile:\",IDC_STRING_PROF,<x176>,107,36,8");
        }
    }

    // The buttons stay below the driver group however few rows there are.
    void WriteRealTimeButtons(int row) {
        const std::string y = std::to_string(std::max(15 * row + 10, block_.Native ? 75 : 130));
        const bool wide = wide_;
        Line("    DEFPUSHBUTTON   \"&OK\",IDOK,<x>,<y>,40,15",
             {{"x", wide ? "63" : "46"}, {"y", y}});
        Line("    PUSHBUTTON      \"&Cancel\",IDCANCEL,<x>,<y>,40,15",
             {{"x", wide ? "117" : "96"}, {"y", y}});
        Line("    PUSHBUTTON      \"&Info...\",IDC_INFO,<x>,<y>,40,15",
             {{"x", wide ? "171" : "146"}, {"y", y}});
        Line("    PUSHBUTTON      \"&Help\",IDHELP,<x>,<y>,40,15",
             {{"x", wide ? "225" : "196"}, {"y", y}});
    }

    // A second pass with its own row counter, which advances as the first.
    // Only parameters with an edit field have a variable list to open.
    void WriteVariableButtons() {
        int r = 0;
        ForEachParameter(block_, [&](int i, const PARAMINFO& parameter) {
            ++r;
            if (HasEditControl(parameter.ParameterType)) {
                Line("    PUSHBUTTON \"v\",IDC_VAR<ID>,155,<y>,11,11",
                     {{"ID", Id(i)}, {"y", VariableButtonY(r)}});
            }
            if (parameter.ParameterType == TYPE_FILE_OPEN) {
                Line("    PUSHBUTTON \"v\",IDC_VAR<ID>_PATHNAME,155,<y>,11,11",
                     {{"ID", Id(i)}, {"y", 15 * r + 8}});
                Line("    PUSHBUTTON      \"Browse\", IDBROWSE<ID>, <x>, <y>, 40, 15",
                     {{"ID", Id(i)}, {"x", columns_.browseX}, {"y", 15 * r - 1}});
            }
            r += ParameterRows(parameter) - 1;
        });
        for (const SizeRow& row : SizeRows(block_)) {
            ++r;
            Line("    PUSHBUTTON \"v\",IDC_VAR_<SIZE>,155,<y>,11,11",
                 {{"SIZE", row.name}, {"y", VariableButtonY(r)}});
        }
    }

    Printer& print_;
    const BLOCKINFO& block_;
    const bool realTime_;
    const bool wide_;
    const Columns columns_;
};

}  // namespace

int DialogRows(const BLOCKINFO& block) {
    int rows = 0;
    ForEachParameter(
        block, [&rows](int, const PARAMINFO& parameter) { rows += ParameterRows(parameter); });
    return rows + static_cast<int>(SizeRows(block).size());
}

bool IsWideDialog(const BLOCKINFO& block) {
    bool wide = false;
    ForEachParameter(block, [&wide](int, const PARAMINFO& parameter) {
        wide = wide || parameter.ParameterType == TYPE_FILE_OPEN;
    });
    return wide;
}

void WriteParameterDialog(Printer& print, const BLOCKINFO& block) {
    DialogWriter(print, block).Write();
}

}  // namespace bw
