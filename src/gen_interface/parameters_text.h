#pragma once

// Text helpers shared by the parameter, dialog and real-time sections of the
// interface source: fixed-line blocks, the per-parameter names and the
// precision flags.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "definition/block_info.h"
#include "gen_interface/section_text.h"
#include "generation/names_and_literals.h"
#include "generation/output_file.h"
#include "generation/text_lines.h"

namespace bw::interface_text {

using section_text::Rule;

// A block without inputs: it makes its own frames.
inline bool IsSourceBlock(const BLOCKINFO& block) {
    return block.NumInputs == 0;
}

// One used parameter with its derived names.
class ParamText {
public:
    ParamText(const PARAMINFO& parameter, int index);

    // Gives the printer "<ident>", "<IDENT>" and "<i>" of the parameter
    // until the scope ends.
    Printer::Scope Names(Printer& print) const;

    const PARAMINFO& parameter;
    const int index;
    const std::string ident;  // `<ident>`
    const std::string IDENT;  // `<IDENT>`
    const int type;
};

// A Radio Buttons parameter with fewer than two items is a Yes/No pair.
bool IsYesNoRadio(const PARAMINFO& parameter);

// The letter of the typed calls that move a parameter's value: GetDlgItem<L>
// and SetDlgItem<L> in the dialog, SaveParam<L> and LoadParam<L> in the
// parameter file. Text and file names go as strings ("Str"); a control's
// value, and any code that is no number type's, as an int ("I").
const char* ValueCallLetter(int type);

// The identifiers of a radio parameter's buttons, in the order of its cases:
// "IDC_RADIO<IDENT>_YES", "IDC_RADIO<IDENT>_NO" for a pair, else one per item.
std::vector<std::string> RadioButtons(const PARAMINFO& parameter, int index);

// The button whose identifier is the zero of the value the parameter's member
// holds ("IDC_RADIO<IDENT>_NO" for a pair, else the first item's), and the
// last one ("_YES", or the last item's).
std::string FirstRadioButton(const PARAMINFO& parameter, int index);
std::string LastRadioButton(const PARAMINFO& parameter, int index);

// The memory-failure lines of the dialog procedure at the given indentation:
// the message box, the end of the dialog and the return.
void WriteMemoryFailure(Printer& print, std::string_view indent);

// The banner of the parameter access functions: "//  Function:   " and the
// other labels, continuation lines under the text column, 75 equals signs,
// then a line holding one blank.
struct AccessBanner {
    std::string_view function;
    std::initializer_list<std::string_view> purpose;
    std::initializer_list<std::string_view> parameters;
    std::initializer_list<std::string_view> returns;
};
void WriteAccessBanner(Printer& print, const AccessBanner& banner);

// The declarations of the locked structures: "pPtr", "sPtr" under the scratch
// rule and "bPtr" with RealTime, with the type left-aligned in a column of
// typeWidth characters after four blanks.
void WriteStructureDeclarations(Printer& print, const BLOCKINFO& block, int typeWidth);

// An empty line, then the locks of the parameter, scratch (scratch rule) and
// real-time (RealTime) structures, each failure unlocking what is locked and
// returning USR_ERR_NPT.
void WriteStructureLocks(Printer& print, const BLOCKINFO& block);

// "    // unlock memory", the unlocks in reverse order, "    return(<result>);",
// "}" and an empty line.
void WriteUnlockTail(Printer& print, const BLOCKINFO& block, std::string_view result);

}  // namespace bw::interface_text
