// UserSaveProc and UserLoadProc: every value of the block through the host's
// typed parameter-file calls, in one fixed key order.
#include "definition/value_rules.h"
#include "gen_interface/parameters_text.h"
#include "gen_interface/sections.h"
#include "generation/paths.h"
#include "generation/text_contexts.h"

namespace bw {

using namespace interface_text;

namespace {

void WriteSaveOrLoadBanner(Printer& print, std::string_view function, std::string_view purpose) {
    WriteAccessBanner(print, {function,
                              {purpose},
                              {"HANDLE hParam              - Parameter information struct",
                               "HANDLE hScratchParam       - Scratch Parameter struct",
                               "(LPSTR)Section             - Section name of the file",
                               "(LPSTR)FileName            - File name to save"},
                              {"USR_NO_ERR if no error", "Error Code if error"}});
}

// ---------------------------------------------------------------- save

void WriteChannelSaves(Printer& print, int count, std::string_view direction) {
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        const Vars values = {{"dir", direction}, {"i", n}};
        print.Line(
            "    SaveParamL(Section, \"Framesize<dir><i>\", -1, pPtr->Framesize<dir><i>, FileName);",
            values);
        print.Line(
            "    SaveParamI(Section, \"RCFlag<dir><i>\", -1, pPtr->RCFlag<dir><i>, FileName);",
            values);
        print.Line(
            "    SaveParamI(Section, \"DTFlag<dir><i>\", -1, pPtr->DTFlag<dir><i>, FileName);",
            values);
        print.Line(
            "    SaveParamD(Section, \"SampFreq<dir><i>\", -1, pPtr->SampFreq<dir><i>, FileName);",
            values);
    }
}

void WriteParameterSave(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    const Vars letter = {{"L", ValueCallLetter(p.type)}};
    if (p.type == TYPE_CHECK_BOX) {
        print.Line("    SaveParamI(Section, \"<ident>\", IDC_CHECK<IDENT>, pPtr-><ident>, FileName);");
    } else if (p.type == TYPE_RADIO_BUTTONS || p.type == TYPE_COMBO_BOX) {
        print.Line("    SaveParamI(Section, \"<ident>\", -1, pPtr-><ident>, FileName);");
    } else if (p.type == TYPE_FILE_OPEN) {
        print.Line("    SaveParamStr(Section, \"<ident>\", IDC_EDIT<IDENT>, pPtr-><ident>, FileName);");
        print.Line("    SaveParamStr(Section, \"<ident>_PathName\", IDC_EDIT<IDENT>_PATHNAME, pPtr-><ident>_PathName, FileName);");
        print.Line("    SaveParamStr(Section, \"<ident>_CompleteName\", IDC_EDIT<IDENT>_COMPLETENAME, pPtr-><ident>_CompleteName, FileName);");
    } else if (HasEditControl(p.type)) {
        print.Line("    SaveParam<L>(Section, \"<ident>\", IDC_EDIT<IDENT>, pPtr-><ident>, FileName);",
                   letter);
    }
}

void WriteDriverSaves(Printer& print, const BLOCKINFO& block) {
    print.Lines(
        {
            "",
            "",
            "    // Save block's driver parameters to file",
            "    SaveParamStr(Section, \"DriverName\", -1, pPtr->DriverName, FileName);",
            "    SaveParamI(Section, \"wBoardNum\", -1, bPtr->wBoardNum, FileName);",
            "    SaveParamI(Section, \"wDSPNum\", -1, bPtr->wDSPNum, FileName);",
        });
    if (!block.Native) {
        print.Lines(
            {
                "    SaveParamI(Section, \"wIntNum\", -1, bPtr->wIntNum, FileName);",
                "    SaveParamI(Section, \"wSyncInNum\", -1, bPtr->wSyncInNum, FileName);",
                "    SaveParamI(Section, \"wSyncOutNum\", -1, bPtr->wSyncOutNum, FileName);",
                "    SaveParamI(Section, \"bProfile\", -1, bPtr->bProfileBlock, FileName);",
            });
    }
}

// ---------------------------------------------------------------- load

// The precision a block starts with: automatic with inputs, else the widest
// sample precision it supports; empty when a simulation source block has
// none (no precision line then).
std::string LoadedPrecision(const BLOCKINFO& block) {
    if (!IsSourceBlock(block)) {
        return "HDT_AUTO";
    }
    for (auto it = SAMPLE_PRECISIONS.rbegin(); it != SAMPLE_PRECISIONS.rend(); ++it) {
        if (block.*(it->flag)) {
            return it->dataType;
        }
    }
    if (block.RealTime) {
        return "HDT_FLOAT";
    }
    return block.Bitmap ? "HDT_IMAGE_BMP" : "";
}

// BST_CHECKED or BST_UNCHECKED; any other default is Checked, as the
// parameter page would select it.
std::string CheckBoxDefault(const std::string& typed) {
    const std::string upper = UpperCase(typed);
    return upper == "UNCHECKED" ? "BST_UNCHECKED" : "BST_CHECKED";
}

// The button the default names, or the first item (Yes for a Yes/No pair)
// when it names none, as the parameter page would select it.
std::string RadioDefault(const ParamText& p) {
    const std::string named =
        "IDC_RADIO" + p.IDENT + UpperIdentifier(p.parameter.ParameterDefault, 0);
    const std::vector<std::string> buttons = RadioButtons(p.parameter, p.index);
    for (const std::string& button : buttons) {
        if (button == named) {
            return named;
        }
    }
    return buttons.front();
}

// The position of the last item equal to the default, or 0.
int ComboDefault(const PARAMINFO& parameter) {
    int position = 0;
    for (size_t item = 0; item < parameter.ParameterItems.size(); ++item) {
        if (parameter.ParameterItems[item] == parameter.ParameterDefault) {
            position = static_cast<int>(item);
        }
    }
    return position;
}

// A path part inside a generated string literal: "None" when empty.
std::string PathLiteralBody(const std::string& part) {
    return part.empty() ? "None" : Escaped(TextContext::CString, part);
}

void WriteFileOpenLoad(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    const std::string& typed = p.parameter.ParameterDefault;
    const auto [directory, name] = SplitPath(typed);
    const std::string nameText = PathLiteralBody(name);
    const std::string directoryText = PathLiteralBody(directory);
    const std::string wholeText = PathLiteralBody(typed);
    print.Line("    LoadParamStr(Section, \"<ident>\", IDC_EDIT<IDENT>, \"<name>\", pPtr-><ident>, FileName);",
               {{"name", nameText}});
    print.Line("    LoadParamStr(Section, \"<ident>_PathName\", IDC_EDIT<IDENT>_PATHNAME, \"<directory>\", pPtr-><ident>_PathName, FileName);",
               {{"directory", directoryText}});
    print.Line("    LoadParamStr(Section, \"<ident>_CompleteName\", IDC_EDIT<IDENT>_COMPLETENAME, \"<whole>\", pPtr-><ident>_CompleteName, FileName);",
               {{"whole", wholeText}});
}

void WriteParameterLoad(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    const std::string& typed = p.parameter.ParameterDefault;
    if (IsArithmeticType(p.type)) {
        const std::string cast = p.type == TYPE_FLOAT ? "(float)" : "";
        const std::string value = cast + NumericDefault(typed);
        print.Line("    pPtr-><ident> = LoadParam<L>(Section, \"<ident>\", IDC_EDIT<IDENT>, <default>, FileName);",
                   {{"L", ValueCallLetter(p.type)}, {"default", value}});
    } else if (p.type == TYPE_CHAR) {
        // An escape as C reads it, else the first character.
        const std::string value =
            CharLiteral(IsCharEscape(typed) ? typed : std::string_view(typed).substr(0, 1));
        print.Line("    pPtr-><ident> = LoadParamC(Section, \"<ident>\", IDC_EDIT<IDENT>, <default>, FileName);",
                   {{"default", value}});
    } else if (p.type == TYPE_TEXT) {
        const std::string value = StringLiteral(typed);
        print.Line("    LoadParamStr(Section, \"<ident>\", IDC_EDIT<IDENT>, <default>, pPtr-><ident>, FileName);",
                   {{"default", value}});
    } else if (p.type == TYPE_CHECK_BOX) {
        const std::string value = CheckBoxDefault(typed);
        print.Line("    pPtr-><ident> = (BOOL)LoadParamI(Section, \"<ident>\", IDC_CHECK<IDENT>, <default>, FileName);",
                   {{"default", value}});
    } else if (p.type == TYPE_RADIO_BUTTONS) {
        const std::string value = RadioDefault(p);
        print.Line("    pPtr-><ident> = LoadParamI(Section, \"<ident>\", -1, <default>, FileName);",
                   {{"default", value}});
    } else if (p.type == TYPE_COMBO_BOX) {
        const std::string value = std::to_string(ComboDefault(p.parameter));
        print.Line("    pPtr-><ident> = LoadParamI(Section, \"<ident>\", -1, <default>, FileName);",
                   {{"default", value}});
    } else if (p.type == TYPE_FILE_OPEN) {
        WriteFileOpenLoad(print, p);
    }
}

void WriteSourceFrameLoads(Printer& print, const BLOCKINFO& block) {
    if (!block.Bitmap && !block.Matrix && !block.Native) {
        print.Line(
            "    pPtr->Framesize = LoadParamL(Section, \"Framesize\", IDC_FRAMESIZE, 256, FileName);");
    }
    if (block.Bitmap) {
        print.Lines({
            "    pPtr->ImageWidth = LoadParamL(Section, \"Image Width\", IDC_IMAGEWIDTH, 256, FileName);",
            "    pPtr->ImageHeight = LoadParamL(Section, \"Image Height\", IDC_IMAGEHEIGHT, 256, FileName);",
        });
    }
    if (block.Matrix) {
        print.Lines(
            {
                "    pPtr->Rows = LoadParamL(Section, \"Rows\", IDC_ROWS, 2, FileName);",
                "    pPtr->Columns = LoadParamL(Section, \"Columns\", IDC_COLUMNS, 2, FileName);",
            });
    }
    if (block.Native) {
        print.Line(
            "    pPtr->Framesize = LoadParamL(Section, \"Framesize\", IDC_FRAMESIZE, 1, FileName);");
    }
}

void WriteDriverLoads(Printer& print, const BLOCKINFO& block) {
    print.Lines({
        "",
        "",
        "    // Load block's driver parameters",
        "    GetDriverFileName(WorksheetSection, WorksheetName);",
        "    if (!WorksheetName[0]){",
        "      GetAppSection(TLWSection);",
        // Room is left for the extension appended to the host's entry; the
        // worksheet's entry, as long as any text, is cut to fit.
        "      GetPrivateProfileString(TLWSection, \"DSP Board\", \"\", pPtr->DriverName, sizeof(pPtr->DriverName)-4, \"RIZEZERI.INI\");",
        "      lstrcat(pPtr->DriverName,\".drv\");    // append driver ext.",
        "    }",
        "    else{",
        "      LoadParamStr(WorksheetSection, \"DriverName\", -1, \"\", DriverText, WorksheetName);",
        "      lstrcpyn(pPtr->DriverName,DriverText,sizeof(pPtr->DriverName));",
        "    }",
        "    bPtr->wBoardNum = LoadParamI(Section, \"wBoardNum\", -1, 1, FileName);",
        "    bPtr->wDSPNum = LoadParamI(Section, \"wDSPNum\", -1, 1, FileName);",
    });
    if (block.Native) {
        print.Lines({
            "    bPtr->wIntNum = 0;",
            "    bPtr->wSyncInNum = 0;",
            "    bPtr->wSyncOutNum = 0;",
            "    bPtr->bProfileBlock = 0;",
        });
    } else {
        print.Lines({
            "    bPtr->wIntNum = LoadParamI(Section, \"wIntNum\", -1, 0, FileName);",
            "    bPtr->wSyncInNum = LoadParamI(Section, \"wSyncInNum\", -1, 0, FileName);",
            "    bPtr->wSyncOutNum = LoadParamI(Section, \"wSyncOutNum\", -1, 0, FileName);",
            "    bPtr->bProfileBlock = LoadParamI(Section, \"bProfile\", -1, 0, FileName);",
        });
    }
}

}  // namespace

void WriteUserSaveProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteSaveOrLoadBanner(print, "UserSaveProc()",
                          "This function is called to save the block parameters to a file.");
    print.Line(
        "int PASCAL UserSaveProc(HANDLE hParam, HANDLE hScratchParam, LPSTR Section, LPSTR FileName)");
    print.Line("{");
    WriteStructureDeclarations(print, block, 18);
    WriteStructureLocks(print, block);

    print.Lines({
        "    // Save block's user parameters to file",
        "    SaveParamStr(Section, \"Version\", -1, VERSION, FileName);",
        "    SaveParamI(Section, \"Precision\", IDC_PRECISION, pPtr->Precision, FileName);",
        "    SaveParamL(Section, \"Framesize\", IDC_FRAMESIZE, pPtr->Framesize, FileName);",
    });
    if (IsSourceBlock(block) && block.Bitmap) {
        print.Lines({
            "    SaveParamL(Section, \"Image Width\", IDC_IMAGEWIDTH, pPtr->ImageWidth, FileName);",
            "    SaveParamL(Section, \"Image Height\", IDC_IMAGEHEIGHT, pPtr->ImageHeight, FileName);",
        });
    }
    if (IsSourceBlock(block) && block.Matrix) {
        print.Lines({
            "    SaveParamL(Section, \"Rows\", IDC_ROWS, pPtr->Rows, FileName);",
            "    SaveParamL(Section, \"Columns\", IDC_COLUMNS, pPtr->Columns, FileName);",
        });
    }
    WriteChannelSaves(print, block.NumInputs, "In");
    WriteChannelSaves(print, block.NumOutputs, "Out");
    for (int i : UsedParameters(block)) {
        WriteParameterSave(print, ParamText(block.Parameters[static_cast<size_t>(i)], i));
    }
    if (!block.xDAIS) {
        for (int i : UsedLocalArrays(block)) {
            print.Line(
                "    SaveParamL(Section, \"NumLocalElements<i>\", -1, pPtr->NumLocalElements<i>, FileName);",
                {{"i", std::to_string(i)}});
        }
    }
    if (block.RealTime) {
        WriteDriverSaves(print, block);
    }
    print.Line("");
    WriteUnlockTail(print, block, "USR_NO_ERR");
}

void WriteUserLoadProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteSaveOrLoadBanner(print, "UserLoadProc()",
                          "This function is called to load the block parameters from a file.");
    print.Line(
        "int PASCAL UserLoadProc(HANDLE hParam, HANDLE hScratchParam, LPSTR Section, LPSTR FileName)");
    print.Line("{");
    if (block.RealTime) {
        print.Lines({
            "    char            TLWSection[80];",
            "    char            WorksheetName[256];",
            "    char            WorksheetSection[256];",
            "    char            DriverText[TEXT_LENGTH];",
        });
    }
    WriteStructureDeclarations(print, block, 19);
    WriteStructureLocks(print, block);

    const std::string precision = LoadedPrecision(block);
    if (!precision.empty()) {
        print.Line(
            "    pPtr->Precision = LoadParamI(Section, \"Precision\", IDC_PRECISION, <default>, FileName);",
            {{"default", precision}});
    }
    print.Line("    // Load block's user parameters");
    if (IsSourceBlock(block)) {
        WriteSourceFrameLoads(print, block);
    }
    for (int i : UsedParameters(block)) {
        WriteParameterLoad(print, ParamText(block.Parameters[static_cast<size_t>(i)], i));
    }
    if (block.RealTime) {
        WriteDriverLoads(print, block);
    }
    print.Line("");
    WriteUnlockTail(print, block, "USR_NO_ERR");
}

}  // namespace bw
