#include "gen_interface/parameters_text.h"

#include "generation/shared_rules.h"

namespace bw::interface_text {

std::vector<const ProcessingPrecision*> SamplePrecisions() {
    std::vector<const ProcessingPrecision*> precisions;
    for (const ProcessingPrecision& precision : PROCESSING_PRECISIONS) {
        if (precision.flag != &BLOCKINFO::Bitmap) {
            precisions.push_back(&precision);
        }
    }
    return precisions;
}

ParamText::ParamText(const PARAMINFO& parameter_, int index_)
    : parameter(parameter_),
      index(index_),
      ident(Identifier(parameter_.ParameterName, index_)),
      IDENT(UpperIdentifier(parameter_.ParameterName, index_)),
      type(parameter_.ParameterType) {}

std::string ParamText::operator()(std::string_view line, Substitutions extra) const {
    const std::string position = std::to_string(index);
    std::vector<Field> values(extra);
    values.insert(values.end(), {{"<ident>", ident}, {"<IDENT>", IDENT}, {"<i>", position}});
    return Fill(line, values);
}

bool IsYesNoRadio(const PARAMINFO& parameter) {
    return parameter.ParameterItems.size() < 2;
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

void WriteMemoryFailure(OutputFile& file, std::string_view indent) {
    WriteLine(file, indent, "MessageBox(hDlg,\"Memory Allocation Error!\",\"Tessaline\",MB_OK);");
    WriteLine(file, indent, "EndDialog(hDlg, IDCANCEL);");
    WriteLine(file, indent, "return(TRUE);");
}

}  // namespace bw::interface_text

namespace bw::interface_text {

namespace {

void WriteLabelled(OutputFile& file, std::string_view label,
                   std::initializer_list<std::string_view> lines) {
    std::string_view lead = label;
    for (std::string_view line : lines) {
        WriteLine(file, lead, line);
        lead = "//              ";
    }
}

}  // namespace

void WriteAccessBanner(OutputFile& file, const AccessBanner& banner) {
    WriteLine(file, Rule('=', 75));
    WriteLine(file, "//  Function:   ", banner.function);
    WriteLabelled(file, "//  Purpose:    ", banner.purpose);
    WriteLabelled(file, "//  Parameters: ", banner.parameters);
    WriteLabelled(file, "//  Returns:    ", banner.returns);
    WriteLine(file, Rule('=', 75));
    WriteLine(file, " ");
}

void WriteStructureDeclarations(OutputFile& file, const BLOCKINFO& block, int typeWidth) {
    auto declare = [&](std::string_view type, std::string_view name) {
        std::string line = "    " + std::string(type);
        line.resize(4 + static_cast<size_t>(typeWidth), ' ');
        WriteLine(file, line, name);
    };
    declare("BLOCK_PARAM", "*pPtr;");
    if (UsesScratch(block)) {
        declare("SCRATCH_PARAM", "*sPtr;");
    }
    if (block.RealTime) {
        declare("RTBLOCK_PARAM", "*bPtr;");
    }
}

void WriteStructureLocks(OutputFile& file, const BLOCKINFO& block) {
    WriteLines(file, {
                         "",
                         "    // get pointer to block parameter structure",
                         "    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)",
                         "       return(USR_ERR_NPT);",
                     });
    if (UsesScratch(block)) {
        WriteLines(file, {
                             "",
                             "    // get pointer to scratch parameter structure",
                             "    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {",
                             "       GlobalUnlock(hParam);",
                             "       return(USR_ERR_NPT);",
                             "    }",
                         });
    }
    if (block.RealTime) {
        WriteLines(file,
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
    WriteLine(file, "");
}

void WriteUnlockTail(OutputFile& file, const BLOCKINFO& block, std::string_view result) {
    WriteLine(file, "    // unlock memory");
    if (block.RealTime) {
        WriteLine(file, "    GlobalUnlock(sPtr->hRTParam);");
    }
    if (UsesScratch(block)) {
        WriteLine(file, "    GlobalUnlock(hScratchParam);");
    }
    WriteLine(file, "    GlobalUnlock(hParam);");
    WriteLine(file, "    return(", std::string(result) + ");");
    WriteLines(file, {"}", ""});
}

}  // namespace bw::interface_text
