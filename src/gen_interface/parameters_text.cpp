#include "gen_interface/parameters_text.h"

#include "generation/names_and_literals.h"

namespace bw::interface_text {

ParamText::ParamText(const PARAMINFO& parameter_, int index_)
    : parameter(parameter_),
      index(index_),
      ident(Identifier(parameter_.ParameterName, index_)),
      IDENT(UpperIdentifier(parameter_.ParameterName, index_)),
      type(parameter_.ParameterType) {}

Printer::Scope ParamText::Names(Printer& print) const {
    return print.With({{"ident", ident}, {"IDENT", IDENT}, {"i", index}});
}

bool IsYesNoRadio(const PARAMINFO& parameter) {
    return parameter.ParameterItems.size() < 2;
}

const char* ValueCallLetter(int type) {
    if (type == TYPE_TEXT || type == TYPE_FILE_OPEN) {
        return "Str";
    }
    const NumberType* number = NumberTypeOf(type);
    return number != nullptr ? number->letter : NumberTypeOf(TYPE_INTEGER)->letter;
}

std::vector<std::string> RadioButtons(const PARAMINFO& parameter, int index) {
    const std::string group = "IDC_RADIO" + UpperIdentifier(parameter.ParameterName, index);
    if (IsYesNoRadio(parameter)) {
        return {group + "_YES", group + "_NO"};
    }
    std::vector<std::string> buttons;
    for (size_t item = 0; item < parameter.ParameterItems.size(); ++item) {
        buttons.push_back(RadioItemIdentifier(parameter, index, static_cast<int>(item)));
    }
    return buttons;
}

std::string FirstRadioButton(const PARAMINFO& parameter, int index) {
    if (IsYesNoRadio(parameter)) {
        return "IDC_RADIO" + UpperIdentifier(parameter.ParameterName, index) + "_NO";
    }
    return RadioItemIdentifier(parameter, index, 0);
}

std::string LastRadioButton(const PARAMINFO& parameter, int index) {
    if (IsYesNoRadio(parameter)) {
        return "IDC_RADIO" + UpperIdentifier(parameter.ParameterName, index) + "_YES";
    }
    return RadioItemIdentifier(parameter, index,
                               static_cast<int>(parameter.ParameterItems.size()) - 1);
}

void WriteMemoryFailure(Printer& print, std::string_view indent) {
    print.Line("<indent>MessageBox(hDlg,\"Memory Allocation Error!\",\"Tessaline\",MB_OK);", {{"indent", indent}});
    print.Line("<indent>EndDialog(hDlg, IDCANCEL);", {{"indent", indent}});
    print.Line("<indent>return(TRUE);", {{"indent", indent}});
}

}  // namespace bw::interface_text

namespace bw::interface_text {

namespace {

void WriteLabelled(Printer& print, std::string_view label,
                   std::initializer_list<std::string_view> lines) {
    std::string_view lead = label;
    for (std::string_view line : lines) {
        print.Line("<lead><line>", {{"lead", lead}, {"line", line}});
        lead = "//              ";
    }
}

}  // namespace

void WriteAccessBanner(Printer& print, const AccessBanner& banner) {
    print.Raw(Rule('=', 75));
    print.Line("//  Function:   <function>", {{"function", banner.function}});
    WriteLabelled(print, "//  Purpose:    ", banner.purpose);
    WriteLabelled(print, "//  Parameters: ", banner.parameters);
    WriteLabelled(print, "//  Returns:    ", banner.returns);
    print.Raw(Rule('=', 75));
    print.Line(" ");
}

void WriteStructureDeclarations(Printer& print, const BLOCKINFO& block, int typeWidth) {
    auto declare = [&](std::string_view type, std::string_view name) {
        std::string line = "    " + std::string(type);
        line.resize(4 + static_cast<size_t>(typeWidth), ' ');
        print.Line("<line><name>", {{"line", line}, {"name", name}});
    };
    declare("BLOCK_PARAM", "*pPtr;");
    if (UsesScratch(block)) {
        declare("SCRATCH_PARAM", "*sPtr;");
    }
    if (block.RealTime) {
        declare("RTBLOCK_PARAM", "*bPtr;");
    }
}

void WriteStructureLocks(Printer& print, const BLOCKINFO& block) {
    print.Lines({
        "",
        "    // get pointer to block parameter structure",
        "    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)",
        "       return(USR_ERR_NPT);",
    });
    if (UsesScratch(block)) {
        print.Lines({
            "",
            "    // get pointer to scratch parameter structure",
            "    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {",
            "       GlobalUnlock(hParam);",
            "       return(USR_ERR_NPT);",
            "    }",
        });
    }
    if (block.RealTime) {
        print.Lines(
            {
                "",
                "    // get pointer to real-time block parameter structure",
                "    if ((bPtr = (RTBLOCK_PARAM *)GlobalLock(sPtr->hRTParam))==NULL)  {",
                "       GlobalUnlock(hScratchParam);",
                "       GlobalUnlock(hParam);",
                "       return(USR_ERR_NPT);",
                "    }",
            });
    }
    print.Line("");
}

void WriteUnlockTail(Printer& print, const BLOCKINFO& block, std::string_view result) {
    print.Line("    // unlock memory");
    if (block.RealTime) {
        print.Line("    GlobalUnlock(sPtr->hRTParam);");
    }
    if (UsesScratch(block)) {
        print.Line("    GlobalUnlock(hScratchParam);");
    }
    print.Line("    GlobalUnlock(hParam);");
    print.Line("    return(<result>);", {{"result", result}});
    print.Lines({"}", ""});
}

}  // namespace bw::interface_text
