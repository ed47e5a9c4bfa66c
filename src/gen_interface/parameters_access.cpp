// UserGetParameterListProc and UserSetParameterProc: the parameters other
// blocks and the user may change by identifier.
#include <algorithm>

#include "gen_interface/parameters_text.h"
#include "gen_interface/sections.h"

namespace bw {

using namespace interface_text;

namespace {

// The host data type of a parameter's values.
const char* HostDataType(int type) {
    if (type == TYPE_TEXT || type == TYPE_FILE_OPEN) {
        return "HDT_LPSTR";
    }
    const Precision* precision = PrecisionOfType(type);
    return precision != nullptr ? precision->dataType : "HDT_INT";
}

// The control a listed parameter is changed through.
std::string ListedControl(const ParamText& p) {
    if (p.type == TYPE_FILE_OPEN) {
        return "IDC_EDIT" + p.IDENT + "_COMPLETENAME";
    }
    return ControlIdentifier(p.parameter, p.index);
}

// ---------------------------------------------------------------- set

// The driver's initialisation file, needed by the interrupt and sync cases.
void WriteDriverIniLookup(Printer& print) {
    print.Lines({
        "    if (ID == IDC_COMBO_DSPINT || ID == IDC_COMBO_SYNCIN || ID == IDC_COMBO_SYNCOUT){",
        "      // get current driver's base name",
        "      lstrcpyn(DriverBasename,pPtr->DriverName,sizeof(DriverBasename));",
        "      wIndex = 0;",
        "      while ((DriverBasename[wIndex]) && (DriverBasename[wIndex] != '.')) wIndex++;",
        "      if (DriverBasename[wIndex] == '.') DriverBasename[wIndex] = '\\0';",
        "      // get name of current driver's initialization file",
        "      GetAppSection(Section);",
        // Read short enough that "<folder>\<base>\<base>.ini" fits: the two
        // driver base names, two separators, ".ini" and the terminator.
        R"(      GetPrivateProfileString(Section,"working dir","",(LPSTR)WorkingDir,sizeof(IniFilename)-2*sizeof(DriverBasename)-6,"rizezeri.ini");)",
        R"(      wsprintf(IniFilename,"%s\\%s\\%s.ini",WorkingDir,DriverBasename,DriverBasename);)",
        "    }",
    });
}

// A number: the new value replaces the member (and marks the DSP copy stale).
void WriteNumberCase(Printer& print, const BLOCKINFO& block, const ParamText& p) {
    const auto names = p.Names(print);
    const Vars cast = {{"cast", TypeName(p.type)}};
    if (block.RealTime) {
        print.Line("            if(pPtr-><ident> != *((<cast> *)val)) bRTChange = TRUE;", cast);
    }
    print.Line("            pPtr-><ident> = *((<cast> *)val);", cast);
    print.Line("            break;");
}

// A text member of TEXT_LENGTH characters: a longer value is cut to fit,
// terminator included, and reported as an overflow.
void WriteTruncatingCopy(Printer& print, const ParamText& p, std::string_view memberSuffix,
                         bool terminate) {
    const auto names = p.Names(print);
    const std::string member = p.ident + std::string(memberSuffix);
    const Vars values = {{"member", member}};
    print.Line("            if (lstrlen((char *)val) >= TEXT_LENGTH){");
    print.Line("                lstrcpyn(pPtr-><member>, (char *)val, TEXT_LENGTH);", values);
    if (terminate) {
        print.Line(R"(                lstrcat(pPtr-><member>, "\0");)", values);
    }
    print.Line("                RC = USR_ERR_OVF;");
}

void WriteTextCase(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    WriteTruncatingCopy(print, p, "", true);
    print.Lines({"                break;", "            }"});
    print.Line("            lstrcpy(pPtr-><ident>, (char *)val);");
    print.Line("            break;");
}

void WriteCheckBoxCase(Printer& print, const BLOCKINFO& block, const ParamText& p) {
    const auto names = p.Names(print);
    print.Line("            if(*((int *)val)){");
    if (block.RealTime) {
        print.Line("              if(pPtr-><ident> != TRUE) bRTChange = TRUE;");
    }
    print.Line("              pPtr-><ident> = TRUE;");
    print.Lines({"            }", "            else{"});
    if (block.RealTime) {
        print.Line("              if(pPtr-><ident> != FALSE) bRTChange = TRUE;");
    }
    print.Line("              pPtr-><ident> = FALSE;");
    print.Lines({"            }", "            break;"});
}

// The stored value of a radio parameter is the identifier of its button: the
// zero-based index plus the identifier of the first button.
void WriteRadioCase(Printer& print, const BLOCKINFO& block, const ParamText& p) {
    const auto names = p.Names(print);
    const std::string first = FirstRadioButton(p.parameter, p.index);
    const std::string last = LastRadioButton(p.parameter, p.index);
    const Vars values = {{"FIRST", first}, {"LAST", last}, {"base", first}};
    if (IsYesNoRadio(p.parameter)) {
        print.Line("            if (*((int *)val) == 0 || *((int *)val) == 1){");
    } else {
        print.Line("            if (0 <= *((int *)val) && *((int *)val) <= <LAST>-<FIRST>){",
                   values);
    }
    if (block.RealTime) {
        print.Line("                if(pPtr-><ident> != *((int *)val)+<base>) bRTChange = TRUE;",
                   values);
    }
    print.Line("                pPtr-><ident> = *((int *)val)+<base>;", values);
    print.Lines({
        "                break;",
        "            }",
        "            RC = USR_ERR_OVF; // return overflow warning",
        "            break;",
    });
}

void WriteComboCase(Printer& print, const BLOCKINFO& block, const ParamText& p) {
    const auto names = p.Names(print);
    print.Line("            if (0 <= *((int *)val) && *((int *)val) < NUM<IDENT>){");
    if (block.RealTime) {
        print.Line("                if(pPtr-><ident> != *((int *)val)) bRTChange = TRUE;");
    }
    print.Line("                pPtr-><ident> = *((int *)val);");
    print.Lines({
        "                break;",
        "            }",
        "            RC = USR_ERR_OVF; // return overflow warning",
        "            break;",
    });
}

// The complete name is combined only when directory, separator and file name
// fit into it; otherwise it keeps its value and the change is reported.
void WriteCompleteNameCombination(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    print.Line("            if (lstrlen(pPtr-><ident>_PathName) + 1 + lstrlen(pPtr-><ident>) < TEXT_LENGTH){");
    print.Line("                lstrcpy(pPtr-><ident>_CompleteName, pPtr-><ident>_PathName);");
    print.Line(R"(                lstrcat(pPtr-><ident>_CompleteName, "\\");)");
    print.Line("                lstrcat(pPtr-><ident>_CompleteName, pPtr-><ident>);");
    print.Lines({"            }", "            else{", "                RC = USR_ERR_OVF;",
                 "            }"});
}

// The file name and the directory each recombine the complete name; the
// complete name is split into the other two.
void WriteFileOpenCases(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    for (std::string_view part : {"", "_PathName"}) {
        const std::string member = p.ident + std::string(part);
        const std::string suffix = part.empty() ? "" : "_PATHNAME";
        print.Line("        case IDC_EDIT<IDENT><suffix>:", {{"suffix", suffix}});
        WriteTruncatingCopy(print, p, part, true);
        print.Lines({"            }", "            else{"});
        print.Line("                lstrcpy(pPtr-><member>, (char *)val);",
                   {{"member", member}});
        print.Line("            }");
        print.Line("            // Combine the Name and PathName into the CompleteName");
        WriteCompleteNameCombination(print, p);
        print.Line("            break;");
    }
    print.Line("        case IDC_EDIT<IDENT>_COMPLETENAME:");
    WriteTruncatingCopy(print, p, "_CompleteName", false);
    print.Lines({"            }", "            else{"});
    print.Line("                lstrcpy(pPtr-><ident>_CompleteName, (char *)val);");
    print.Line("            }");
    print.Line("            SeparateFile(pPtr-><ident>_PathName, pPtr-><ident>, pPtr-><ident>_CompleteName);");
    print.Line("            break;");
}

void WriteParameterCase(Printer& print, const BLOCKINFO& block, const ParamText& p) {
    const auto names = p.Names(print);
    if (p.type == TYPE_FILE_OPEN) {
        WriteFileOpenCases(print, p);
        return;
    }
    print.Line("        case <control>:", {{"control", ControlIdentifier(p.parameter, p.index)}});
    switch (p.type) {
        case TYPE_CHAR:
            print.Line("            pPtr-><ident> = *((char *)val);");
            print.Line("            break;");
            break;
        case TYPE_TEXT:
            WriteTextCase(print, p);
            break;
        case TYPE_CHECK_BOX:
            WriteCheckBoxCase(print, block, p);
            break;
        case TYPE_RADIO_BUTTONS:
            WriteRadioCase(print, block, p);
            break;
        case TYPE_COMBO_BOX:
            WriteComboCase(print, block, p);
            break;
        default:
            WriteNumberCase(print, block, p);
            break;
    }
}

void WriteFrameCases(Printer& print, const BLOCKINFO& block) {
    if (block.Bitmap) {
        print.Lines({
            "        case IDC_IMAGEWIDTH:",
            "            pPtr->ImageWidth = *((long *)val);",
            "            break;",
            "        case IDC_IMAGEHEIGHT:",
            "            pPtr->ImageHeight = *((long *)val);",
            "            break;",
        });
    } else if (block.Matrix) {
        print.Lines({
            "        case IDC_ROWS:",
            "            pPtr->Rows = *((long *)val);",
            "            break;",
            "        case IDC_COLUMNS:",
            "            pPtr->Columns = *((long *)val);",
            "            break;",
        });
    } else {
        print.Lines({
            "        case IDC_FRAMESIZE:",
            "            pPtr->Framesize = *((unsigned long *)val);",
            "            break;",
        });
    }
}

// A refused precision leaves the member as it was.
void WriteRefusal(Printer& print, std::string_view code) {
    const std::string padding(11 - std::min<size_t>(code.size(), 10), ' ');
    print.Line("            if(*((int *)val) == <code>)<padding>break;", {{"code", code}, {"padding", padding}});
}

void WritePrecisionCase(Printer& print, const BLOCKINFO& block) {
    print.Line("        case IDC_PRECISION:");
    if (IsSourceBlock(block)) {
        WriteRefusal(print, "HDT_AUTO");
    }
    for (const Precision& precision : SAMPLE_PRECISIONS) {
        if (!(block.*(precision.flag))) {
            WriteRefusal(print, precision.dataType);
        }
    }
    if (block.RealTime) {
        print.Lines({
            "            if(pPtr->Precision != *((int *)val))",
            "              SetCompiledFlag(FALSE);",
        });
    }
    print.Lines({"            pPtr->Precision = *((int *)val);", "            break;"});
}

// Interrupt, sync and profile values are range-checked against the driver.
void WriteDriverChoiceCase(Printer& print, std::initializer_list<std::string_view> head,
                           std::string_view assignment) {
    print.Lines(head);
    print.Line("              <assignment>", {{"assignment", assignment}});
    print.Lines({
        "              SetCompiledFlag(FALSE);",
        "              break;",
        "          }",
        "          RC = USR_ERR_OVF; // return overflow warning",
        "          SetCompiledFlag(FALSE);",
        "          break;",
    });
}

void WriteDriverCases(Printer& print) {
    print.Lines(
        {
            "        case IDC_COMBO_DRIVER:",
            "          lstrcpyn(OldDriverName, pPtr->DriverName, sizeof(OldDriverName));",
            "          lstrcpyn(pPtr->DriverName, (char *)val, sizeof(pPtr->DriverName));",
            "          if (lstrcmpi(OldDriverName,pPtr->DriverName)){",
            "            // change DSP board drivers",
            "            if (ChangeDriver(pPtr->DriverName, sPtr->hRTParam, &sPtr->hDriver, &sPtr->lpfnVexaSendCommand) != USR_NO_ERR){",
            "              // restore driver name to parameter structure",
            "              lstrcpyn(pPtr->DriverName,OldDriverName,sizeof(pPtr->DriverName));",
            "              RC = USR_ERR_DSPC;  // return driver error",
            "              break;",
            "            }",
            "          }",
            "          SetCompiledFlag(FALSE);",
            "          break;",
        });
    for (std::string_view member : {"wBoardNum", "wDSPNum"}) {
        const Vars values = {{"member", member},
                             {"ID", member == "wBoardNum" ? "BRDNUM" : "DSPNUM"}};
        print.Line("        case IDC_EDIT_<ID>:", values);
        print.Line("          bPtr-><member> = *((WORD *)val);", values);
        print.Lines({
            "          if (!VexaSendCommand(sPtr->hDriver, DRV_CHANGEDSP, NULL, (LONG)sPtr->hRTParam))",
            "            RC = USR_ERR_DSPC; // return driver error",
            "          SetCompiledFlag(FALSE);",
            "          break;",
        });
    }
    const std::string_view inRange =
        "          if (0 <= *((WORD *)val) && *((WORD *)val) <= wIndex){";
    WriteDriverChoiceCase(print, {"        case IDC_COMBO_DSPINT:", "          // get number of interrupt strings", R"(          wIndex = GetPrivateProfileInt("interrupts","NumInts",0,IniFilename);)", inRange},
                          "bPtr->wIntNum = *((WORD *)val);");
    for (std::string_view which : {"IN", "OUT"}) {
        const std::string caseLine = "        case IDC_COMBO_SYNC" + std::string(which) + ":";
        WriteDriverChoiceCase(print, {caseLine, "          // get number of sync strings", R"(          wIndex = GetPrivateProfileInt("syncs","NumSyncs",0,IniFilename);)", inRange},
                              which == "IN" ? "bPtr->wSyncInNum = *((WORD *)val);"
                                            : "bPtr->wSyncOutNum = *((WORD *)val);");
    }
    WriteDriverChoiceCase(print, {"        case IDC_RADIO_PROFILE:", "          if (*((WORD *)val) == 0 || *((WORD *)val) == 1){"},
                          "bPtr->bProfileBlock = IDC_RADIO_PROFNO - *((WORD *)val);");
    print.Lines({
        "        // The following routine should be called after any of the block parameters",
        "        // have been changed.  Zirud Izadivo will call this routine after processing",
        "        // all the global and external variables for this block.",
        "        case IDC_RT_DOWNLOAD:",
        "          if (bRTChange) {",
        "             RC = DownloadDSPParameters(pPtr,sPtr);",
        "             bRTChange = FALSE;",
        "          }",
        "          break;",
    });
}

}  // namespace

void WriteUserGetParameterListProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteAccessBanner(print, {"UserGetParameterListProc()",
                              {"This function fills the list box with the names and IDs of",
                               "all the modifiable parameters for this block."},
                              {"HWND  hListBox       - Handle of the list box to fill with names"},
                              {"void"}});
    print.Lines({"void PASCAL UserGetParameterListProc(HWND hListBox)", "{"});
    for (int i : UsedParameters(block)) {
        const ParamText p(block.Parameters[static_cast<size_t>(i)], i);
        if (p.parameter.ParameterConst != 0) {
            continue;
        }
        const std::string name = StringLiteral(p.parameter.ParameterName);
        print.Line("    AddParmString(hListBox, <name>, (<type> << 16)|<control>);",
                   {{"name", name}, {"type", HostDataType(p.type)}, {"control", ListedControl(p)}});
    }
    if (IsSourceBlock(block)) {
        if (block.Bitmap) {
            print.Lines({
                R"(    AddParmString(hListBox, "Image Width", (HDT_LONG << 16)|IDC_IMAGEWIDTH);)",
                R"(    AddParmString(hListBox, "Image Height", (HDT_LONG << 16)|IDC_IMAGEHEIGHT);)",
            });
        } else if (!block.RealTime && block.Matrix) {
            print.Lines({
                R"(    AddParmString(hListBox, "Rows", (HDT_LONG << 16)|IDC_ROWS);)",
                R"(    AddParmString(hListBox, "Columns", (HDT_LONG << 16)|IDC_COLUMNS);)",
            });
        } else if (!block.RealTime && !block.Native) {
            print.Line(R"(    AddParmString(hListBox, "Framesize", (HDT_LONG << 16)|IDC_FRAMESIZE);)");
        }
    }
    if (!block.RealTime) {
        print.Line(
            R"(    AddParmString(hListBox, "Precision", (HDT_INT << 16)|IDC_PRECISION);)");
    }
    print.Lines({"}", ""});
}

void WriteUserSetParameterProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteAccessBanner(print, {"UserSetParameterProc()",
                              {"This function sets the specified parameter to the value ", "pointed to by val."},
                              {"HANDLE hParam        - Handle of the BLOCK_PARAM structure",
                               "HANDLE hScratchParam - Handle of the SCRATCH_PARAM structure",
                               "DWORD  ID            - Identifier of the variable to change",
                               "void  *val           - Pointer to new value"},
                              {"USR_NO_ERR if no error", "Error Code if error"}});
    print.Line(
        "int PASCAL UserSetParameterProc(HANDLE hParam, HANDLE hScratchParam, DWORD ID, void *val)");
    print.Lines({"{", "    int                RC = USR_NO_ERR;"});
    if (block.RealTime) {
        print.Lines({
            "    int                wIndex;",
            "    char               Section[80];",
            "    char               OldDriverName[16];",
            "    char               DriverBasename[16];",
            "    char               IniFilename[256];",
            "    char               WorkingDir[256];",
        });
    }
    WriteStructureDeclarations(print, block, 18);
    WriteStructureLocks(print, block);
    if (block.RealTime) {
        WriteDriverIniLookup(print);
        print.Line("");
    }

    print.Line("    switch(ID){");
    for (int i : UsedParameters(block)) {
        WriteParameterCase(print, block, ParamText(block.Parameters[static_cast<size_t>(i)], i));
    }
    if (IsSourceBlock(block)) {
        WriteFrameCases(print, block);
    }
    WritePrecisionCase(print, block);
    if (block.RealTime) {
        WriteDriverCases(print);
    }
    print.Lines({"    }", ""});
    WriteUnlockTail(print, block, "RC");
}

}  // namespace bw
