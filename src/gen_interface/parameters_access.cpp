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
    switch (type) {
        case TYPE_BYTE:
            return "HDT_BYTE";
        case TYPE_SHORT:
            return "HDT_SHORT";
        case TYPE_LONG:
            return "HDT_LONG";
        case TYPE_FLOAT:
            return "HDT_FLOAT";
        case TYPE_DOUBLE:
            return "HDT_DOUBLE";
        case TYPE_CHAR:
            return "HDT_CHAR";
        case TYPE_TEXT:
        case TYPE_FILE_OPEN:
            return "HDT_LPSTR";
        default:
            return "HDT_INT";
    }
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
void WriteDriverIniLookup(OutputFile& file) {
    WriteLines(
        file,
        {
            "    if (ID == IDC_COMBO_DSPINT || ID == IDC_COMBO_SYNCIN || ID == IDC_COMBO_SYNCOUT){",
            "      // get current driver's base name",
            "      lstrcpy(DriverBasename,pPtr->DriverName);",
            "      wIndex = 0;",
            "      while ((DriverBasename[wIndex]) && (DriverBasename[wIndex] != '.')) wIndex++;",
            "      if (DriverBasename[wIndex] == '.') DriverBasename[wIndex] = '\\0';",
            "      // get name of current driver's initialization file",
            "      GetAppSection(Section);",
            R"(      GetPrivateProfileString(Section,"working dir","",(LPSTR)IniFilename,sizeof(IniFilename),"rizezeri.ini");)",
            R"(      wsprintf(IniFilename,"%s\\%s\\%s.ini",IniFilename,DriverBasename,DriverBasename);)",
            "    }",
        });
}

// A number: the new value replaces the member (and marks the DSP copy stale).
void WriteNumberCase(OutputFile& file, const BLOCKINFO& block, const ParamText& p) {
    const Substitutions cast = {{"<cast>", TypeName(p.type)}};
    if (block.RealTime) {
        WriteLine(file,
                  p("            if(pPtr-><ident> != *((<cast> *)val)) bRTChange = TRUE;", cast));
    }
    WriteLine(file, p("            pPtr-><ident> = *((<cast> *)val);", cast));
    WriteLine(file, "            break;");
}

// A text member of TEXT_LENGTH characters: a longer value is cut to fit,
// terminator included, and reported as an overflow.
void WriteTruncatingCopy(OutputFile& file, const ParamText& p, std::string_view memberSuffix,
                         bool terminate) {
    const std::string member = p.ident + std::string(memberSuffix);
    const Substitutions values = {{"<member>", member}};
    WriteLine(file, "            if (lstrlen((char *)val) >= TEXT_LENGTH){");
    WriteLine(file,
              p("                lstrcpyn(pPtr-><member>, (char *)val, TEXT_LENGTH);", values));
    if (terminate) {
        WriteLine(file, p(R"(                lstrcat(pPtr-><member>, "\0");)", values));
    }
    WriteLine(file, "                RC = USR_ERR_OVF;");
}

void WriteTextCase(OutputFile& file, const ParamText& p) {
    WriteTruncatingCopy(file, p, "", true);
    WriteLines(file, {"                break;", "            }"});
    WriteLine(file, p("            lstrcpy(pPtr-><ident>, (char *)val);"));
    WriteLine(file, "            break;");
}

void WriteCheckBoxCase(OutputFile& file, const BLOCKINFO& block, const ParamText& p) {
    WriteLine(file, "            if(*((int *)val)){");
    if (block.RealTime) {
        WriteLine(file, p("              if(pPtr-><ident> != TRUE) bRTChange = TRUE;"));
    }
    WriteLine(file, p("              pPtr-><ident> = TRUE;"));
    WriteLines(file, {"            }", "            else{"});
    if (block.RealTime) {
        WriteLine(file, p("              if(pPtr-><ident> != FALSE) bRTChange = TRUE;"));
    }
    WriteLine(file, p("              pPtr-><ident> = FALSE;"));
    WriteLines(file, {"            }", "            break;"});
}

// The stored value of a radio parameter is the identifier of its button: the
// zero-based index plus the identifier of the first button.
void WriteRadioCase(OutputFile& file, const BLOCKINFO& block, const ParamText& p) {
    const std::string first = FirstRadioButton(p.parameter, p.index);
    const std::string last = LastRadioButton(p.parameter, p.index);
    const Substitutions values = {{"<FIRST>", first}, {"<LAST>", last}, {"<base>", first}};
    if (IsYesNoRadio(p.parameter)) {
        WriteLine(file, "            if (*((int *)val) == 0 || *((int *)val) == 1){");
    } else {
        WriteLine(file, p("            if (0 <= *((int *)val) && *((int *)val) <= <LAST>-<FIRST>){",
                          values));
    }
    if (block.RealTime) {
        WriteLine(file,
                  p("                if(pPtr-><ident> != *((int *)val)+<base>) bRTChange = TRUE;",
                    values));
    }
    WriteLine(file, p("                pPtr-><ident> = *((int *)val)+<base>;", values));
    WriteLines(file, {
                         "                break;",
                         "            }",
                         "            RC = USR_ERR_OVF; // return overflow warning",
                         "            break;",
                     });
}

void WriteComboCase(OutputFile& file, const BLOCKINFO& block, const ParamText& p) {
    WriteLine(file, p("            if (0 <= *((int *)val) && *((int *)val) < NUM<IDENT>){"));
    if (block.RealTime) {
        WriteLine(file, p("                if(pPtr-><ident> != *((int *)val)) bRTChange = TRUE;"));
    }
    WriteLine(file, p("                pPtr-><ident> = *((int *)val);"));
    WriteLines(file, {
                         "                break;",
                         "            }",
                         "            RC = USR_ERR_OVF; // return overflow warning",
                         "            break;",
                     });
}

// The complete name is combined only when directory, separator and file name
// fit into it; otherwise it keeps its value and the change is reported.
void WriteCompleteNameCombination(OutputFile& file, const ParamText& p) {
    WriteLine(file,
              p("            if (lstrlen(pPtr-><ident>_PathName) + 1 + lstrlen(pPtr-><ident>) < TEXT_LENGTH){"));
    WriteLine(file,
              p("                lstrcpy(pPtr-><ident>_CompleteName, pPtr-><ident>_PathName);"));
    WriteLine(file, p(R"(                lstrcat(pPtr-><ident>_CompleteName, "\\");)"));
    WriteLine(file, p("                lstrcat(pPtr-><ident>_CompleteName, pPtr-><ident>);"));
    WriteLines(file, {"            }", "            else{", "                RC = USR_ERR_OVF;",
                      "            }"});
}

// The file name and the directory each recombine the complete name; the
// complete name is split into the other two.
void WriteFileOpenCases(OutputFile& file, const ParamText& p) {
    for (std::string_view part : {"", "_PathName"}) {
        const std::string member = p.ident + std::string(part);
        const std::string suffix = part.empty() ? "" : "_PATHNAME";
        WriteLine(file, p("        case IDC_EDIT<IDENT><suffix>:", {{"<suffix>", suffix}}));
        WriteTruncatingCopy(file, p, part, true);
        WriteLines(file, {"            }", "            else{"});
        WriteLine(file, p("                lstrcpy(pPtr-><member>, (char *)val);",
                          {{"<member>", member}}));
        WriteLine(file, "            }");
        WriteLine(file, "            // Combine the Name and PathName into the CompleteName");
        WriteCompleteNameCombination(file, p);
        WriteLine(file, "            break;");
    }
    WriteLine(file, p("        case IDC_EDIT<IDENT>_COMPLETENAME:"));
    WriteTruncatingCopy(file, p, "_CompleteName", false);
    WriteLines(file, {"            }", "            else{"});
    WriteLine(file, p("                lstrcpy(pPtr-><ident>_CompleteName, (char *)val);"));
    WriteLine(file, "            }");
    WriteLine(file, p("            SeparateFile(pPtr-><ident>_PathName, pPtr-><ident>, pPtr-><ident>_CompleteName);"));
    WriteLine(file, "            break;");
}

void WriteParameterCase(OutputFile& file, const BLOCKINFO& block, const ParamText& p) {
    if (p.type == TYPE_FILE_OPEN) {
        WriteFileOpenCases(file, p);
        return;
    }
    WriteLine(file, "        case ", ControlIdentifier(p.parameter, p.index) + ":");
    switch (p.type) {
        case TYPE_CHAR:
            WriteLine(file, p("            pPtr-><ident> = *((char *)val);"));
            WriteLine(file, "            break;");
            break;
        case TYPE_TEXT:
            WriteTextCase(file, p);
            break;
        case TYPE_CHECK_BOX:
            WriteCheckBoxCase(file, block, p);
            break;
        case TYPE_RADIO_BUTTONS:
            WriteRadioCase(file, block, p);
            break;
        case TYPE_COMBO_BOX:
            WriteComboCase(file, block, p);
            break;
        default:
            WriteNumberCase(file, block, p);
            break;
    }
}

void WriteFrameCases(OutputFile& file, const BLOCKINFO& block) {
    if (block.Bitmap) {
        WriteLines(file, {
                             "        case IDC_IMAGEWIDTH:",
                             "            pPtr->ImageWidth = *((long *)val);",
                             "            break;",
                             "        case IDC_IMAGEHEIGHT:",
                             "            pPtr->ImageHeight = *((long *)val);",
                             "            break;",
                         });
    } else if (block.Matrix) {
        WriteLines(file, {
                             "        case IDC_ROWS:",
                             "            pPtr->Rows = *((long *)val);",
                             "            break;",
                             "        case IDC_COLUMNS:",
                             "            pPtr->Columns = *((long *)val);",
                             "            break;",
                         });
    } else {
        WriteLines(file, {
                             "        case IDC_FRAMESIZE:",
                             "            pPtr->Framesize = *((unsigned long *)val);",
                             "            break;",
                         });
    }
}

// A refused precision leaves the member as it was.
void WriteRefusal(OutputFile& file, std::string_view code) {
    const std::string padding(11 - std::min<size_t>(code.size(), 10), ' ');
    WriteLine(file,
              "            if(*((int *)val) == ", std::string(code) + ")" + padding + "break;");
}

void WritePrecisionCase(OutputFile& file, const BLOCKINFO& block) {
    WriteLine(file, "        case IDC_PRECISION:");
    if (IsSourceBlock(block)) {
        WriteRefusal(file, "HDT_AUTO");
    }
    for (const ProcessingPrecision* precision : SamplePrecisions()) {
        if (!(block.*(precision->flag))) {
            WriteRefusal(file, precision->dataType);
        }
    }
    if (block.RealTime) {
        WriteLines(file, {
                             "            if(pPtr->Precision != *((int *)val))",
                             "              SetCompiledFlag(FALSE);",
                         });
    }
    WriteLines(file, {"            pPtr->Precision = *((int *)val);", "            break;"});
}

// Interrupt, sync and profile values are range-checked against the driver.
void WriteDriverChoiceCase(OutputFile& file, std::initializer_list<std::string_view> head,
                           std::string_view assignment) {
    WriteLines(file, head);
    WriteLine(file, "              ", assignment);
    WriteLines(file, {
                         "              SetCompiledFlag(FALSE);",
                         "              break;",
                         "          }",
                         "          RC = USR_ERR_OVF; // return overflow warning",
                         "          SetCompiledFlag(FALSE);",
                         "          break;",
                     });
}

void WriteDriverCases(OutputFile& file) {
    WriteLines(file,
               {
                   "        case IDC_COMBO_DRIVER:",
                   "          lstrcpy(OldDriverName, pPtr->DriverName);",
                   "          lstrcpy(pPtr->DriverName, (char *)val);",
                   "          if (lstrcmpi(OldDriverName,pPtr->DriverName)){",
                   "            // change DSP board drivers",
                   "            if (ChangeDriver(pPtr->DriverName, sPtr->hRTParam, &sPtr->hDriver, &sPtr->lpfnVexaSendCommand) != USR_NO_ERR){",
                   "              // restore driver name to parameter structure",
                   "              lstrcpy(pPtr->DriverName,OldDriverName);",
                   "              RC = USR_ERR_DSPC;  // return driver error",
                   "              break;",
                   "            }",
                   "          }",
                   "          SetCompiledFlag(FALSE);",
                   "          break;",
               });
    for (std::string_view member : {"wBoardNum", "wDSPNum"}) {
        const Substitutions values = {{"<member>", member},
                                      {"<ID>", member == "wBoardNum" ? "BRDNUM" : "DSPNUM"}};
        WriteFilled(file, "        case IDC_EDIT_<ID>:", values);
        WriteFilled(file, "          bPtr-><member> = *((WORD *)val);", values);
        WriteLines(file, {
                             "          if (!VexaSendCommand(sPtr->hDriver, DRV_CHANGEDSP, NULL, (LONG)sPtr->hRTParam))",
                             "            RC = USR_ERR_DSPC; // return driver error",
                             "          SetCompiledFlag(FALSE);",
                             "          break;",
                         });
    }
    const std::string_view inRange =
        "          if (0 <= *((WORD *)val) && *((WORD *)val) <= wIndex){";
    WriteDriverChoiceCase(
        file,
        {"        case IDC_COMBO_DSPINT:", "          // get number of interrupt strings",
         R"(          wIndex = GetPrivateProfileInt("interrupts","NumInts",0,IniFilename);)",
         inRange},
        "bPtr->wIntNum = *((WORD *)val);");
    for (std::string_view which : {"IN", "OUT"}) {
        const std::string caseLine = "        case IDC_COMBO_SYNC" + std::string(which) + ":";
        WriteDriverChoiceCase(
            file,
            {caseLine, "          // get number of sync strings",
             R"(          wIndex = GetPrivateProfileInt("syncs","NumSyncs",0,IniFilename);)",
             inRange},
            which == "IN" ? "bPtr->wSyncInNum = *((WORD *)val);"
                          : "bPtr->wSyncOutNum = *((WORD *)val);");
    }
    WriteDriverChoiceCase(file,
                          {"        case IDC_RADIO_PROFILE:",
                           "          if (*((WORD *)val) == 0 || *((WORD *)val) == 1){"},
                          "bPtr->bProfileBlock = IDC_RADIO_PROFNO - *((WORD *)val);");
    WriteLines(
        file,
        {
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
    WriteAccessBanner(file, {"UserGetParameterListProc()",
                             {"This function fills the list box with the names and IDs of",
                              "all the modifiable parameters for this block."},
                             {"HWND  hListBox       - Handle of the list box to fill with names"},
                             {"void"}});
    WriteLines(file, {"void PASCAL UserGetParameterListProc(HWND hListBox)", "{"});
    for (int i : UsedParameters(block)) {
        const ParamText p(block.Parameters[static_cast<size_t>(i)], i);
        if (p.parameter.ParameterConst != 0) {
            continue;
        }
        const std::string name = StringLiteral(p.parameter.ParameterName);
        WriteFilled(
            file, "    AddParmString(hListBox, <name>, (<type> << 16)|<control>);",
            {{"<name>", name}, {"<type>", HostDataType(p.type)}, {"<control>", ListedControl(p)}});
    }
    if (IsSourceBlock(block)) {
        if (block.Bitmap) {
            WriteLines(
                file,
                {
                    R"(    AddParmString(hListBox, "Image Width", (HDT_LONG << 16)|IDC_IMAGEWIDTH);)",
                    R"(    AddParmString(hListBox, "Image Height", (HDT_LONG << 16)|IDC_IMAGEHEIGHT);)",
                });
        } else if (!block.RealTime && block.Matrix) {
            WriteLines(
                file,
                {
                    R"(    AddParmString(hListBox, "Rows", (HDT_LONG << 16)|IDC_ROWS);)",
                    R"(    AddParmString(hListBox, "Columns", (HDT_LONG << 16)|IDC_COLUMNS);)",
                });
        } else if (!block.RealTime && !block.Native) {
            WriteLine(
                file,
                R"(    AddParmString(hListBox, "Framesize", (HDT_LONG << 16)|IDC_FRAMESIZE);)");
        }
    }
    if (!block.RealTime) {
        WriteLine(file,
                  R"(    AddParmString(hListBox, "Precision", (HDT_INT << 16)|IDC_PRECISION);)");
    }
    WriteLines(file, {"}", ""});
}

void WriteUserSetParameterProc(OutputFile& file, const BLOCKINFO& block) {
    WriteAccessBanner(
        file, {"UserSetParameterProc()",
               {"This function sets the specified parameter to the value ", "pointed to by val."},
               {"HANDLE hParam        - Handle of the BLOCK_PARAM structure",
                "HANDLE hScratchParam - Handle of the SCRATCH_PARAM structure",
                "DWORD  ID            - Identifier of the variable to change",
                "void  *val           - Pointer to new value"},
               {"USR_NO_ERR if no error", "Error Code if error"}});
    WriteLine(file,
              "int PASCAL UserSetParameterProc(HANDLE hParam, HANDLE hScratchParam, DWORD ID, void *val)");
    WriteLines(file, {"{", "    int                RC = USR_NO_ERR;"});
    if (block.RealTime) {
        WriteLines(file, {
                             "    int                wIndex;",
                             "    char               Section[80];",
                             "    char               OldDriverName[16];",
                             "    char               DriverBasename[16];",
                             "    char               IniFilename[256];",
                         });
    }
    WriteStructureDeclarations(file, block, 18);
    WriteStructureLocks(file, block);
    if (block.RealTime) {
        WriteDriverIniLookup(file);
        WriteLine(file, "");
    }

    WriteLine(file, "    switch(ID){");
    for (int i : UsedParameters(block)) {
        WriteParameterCase(file, block, ParamText(block.Parameters[static_cast<size_t>(i)], i));
    }
    if (IsSourceBlock(block)) {
        WriteFrameCases(file, block);
    }
    WritePrecisionCase(file, block);
    if (block.RealTime) {
        WriteDriverCases(file);
    }
    WriteLines(file, {"    }", ""});
    WriteUnlockTail(file, block, "RC");
}

}  // namespace bw
