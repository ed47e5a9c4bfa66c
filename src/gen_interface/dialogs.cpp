// UserDialogProc: fills the parameter dialog's controls when it opens, reads
// them back on OK, and serves the variable, radio, browse, information and
// help buttons.
#include <algorithm>

#include "gen_interface/parameters_text.h"
#include "gen_interface/sections.h"

namespace bw {

using namespace interface_text;

namespace {

constexpr std::string_view OK_INDENT = "                  ";  // inside the command cases
constexpr std::string_view INIT_INDENT = "           ";       // inside WM_INITDIALOG

// The comment's words for an edit-type parameter (types 0 to 7); a code that
// is no number type's is read as an int.
std::string EditWords(int type) {
    if (type == TYPE_TEXT) {
        return "text edit";
    }
    const NumberType* number = NumberTypeOf(type);
    return std::string(number != nullptr ? number->words : NumberTypeOf(TYPE_INTEGER)->words) +
           " edit";
}

std::vector<ParamText> Parameters(const BLOCKINFO& block) {
    std::vector<ParamText> parameters;
    for (int i : UsedParameters(block)) {
        parameters.emplace_back(block.Parameters[static_cast<size_t>(i)], i);
    }
    return parameters;
}

// The filter text the browse case builds: every item followed by "|".
std::vector<std::string> FilterItems(const PARAMINFO& parameter) {
    if (parameter.ParameterItems.empty()) {
        return {"All files (*.TIM)|*.tim|"};
    }
    std::vector<std::string> items;
    for (const std::string& item : parameter.ParameterItems) {
        items.push_back(item + "|");
    }
    return items;
}

// FilterStr holds the longest filter text of the block with its terminator,
// and never fewer than 30 characters.
size_t FilterBufferSize(const BLOCKINFO& block) {
    size_t size = 30;
    for (int i : UsedParameters(block)) {
        const PARAMINFO& parameter = block.Parameters[static_cast<size_t>(i)];
        if (parameter.ParameterType != TYPE_FILE_OPEN) {
            continue;
        }
        size_t length = 1;
        for (const std::string& item : FilterItems(parameter)) {
            length += item.size();
        }
        size = std::max(size, length);
    }
    return size;
}

// A text inside a generated string literal, without its quotes.
std::string LiteralBody(std::string_view text) {
    const std::string literal = StringLiteral(text);
    return literal.substr(1, literal.size() - 2);
}

// ---------------------------------------------------------------- head

void WriteDeclarations(Printer& print, const BLOCKINFO& block) {
    print.Line("    HANDLE             hItem;");
    if (block.RealTime && !block.Native) {
        print.Line("    HANDLE             hItem2;");
    }
    print.Lines({"    BLOCK_PARAM       *pPtr;", "    HANDLE             hParam;"});
    if (UsesScratch(block)) {
        print.Line("    HANDLE             hScratchParam;");
    }
    if (block.RealTime) {
        print.Lines({"    SCRATCH_PARAM     *sPtr;", "    RTBLOCK_PARAM     *bPtr;"});
    }
    const bool fileOpen = UsesFileOpen(block);
    if (block.RealTime || fileOpen) {
        print.Line("    unsigned int       index;");
    }
    if (fileOpen) {
        print.Lines({"    OPENFILENAME       ofn;", "    BOOL               dStat;"});
        print.Line("    static char        FilterStr[<size>];", {{"size", std::to_string(FilterBufferSize(block))}});
    }
    print.Lines({"", ""});
}

// ---------------------------------------------------------------- command cases

void WriteVariableCase(Printer& print, std::string_view button, std::string_view edit) {
    print.Line("             case <button>:", {{"button", button}});
    print.Line("                  VariablePickList(hDlg, <edit>);", {{"edit", edit}});
    print.Lines({"                  return(TRUE);", ""});
}

void WriteVariableCases(Printer& print, const BLOCKINFO& block) {
    for (const ParamText& p : Parameters(block)) {
        const auto names = p.Names(print);
        if (!HasEditControl(p.type)) {
            continue;
        }
        WriteVariableCase(print, print.Fill("IDC_VAR<IDENT>"), print.Fill("IDC_EDIT<IDENT>"));
        if (p.type == TYPE_FILE_OPEN) {
            WriteVariableCase(print, print.Fill("IDC_VAR<IDENT>_PATHNAME"), print.Fill("IDC_EDIT<IDENT>_PATHNAME"));
        }
    }
    if (!IsSourceBlock(block)) {
        return;
    }
    if (block.Bitmap) {
        WriteVariableCase(print, "IDC_VAR_IMAGEWIDTH", "IDC_IMAGEWIDTH");
        WriteVariableCase(print, "IDC_VAR_IMAGEHEIGHT", "IDC_IMAGEHEIGHT");
    } else if (block.Matrix) {
        WriteVariableCase(print, "IDC_VAR_ROWS", "IDC_ROWS");
        WriteVariableCase(print, "IDC_VAR_COLUMNS", "IDC_COLUMNS");
    } else {
        WriteVariableCase(print, "IDC_VAR_FRAMESIZE", "IDC_FRAMESIZE");
    }
}

// The lock of the block parameters in a command case, ending the dialog when
// it fails.
void WriteParameterLock(Printer& print, std::string_view indent) {
    print.Line("<indent>hParam = GetHParam(hDlg);", {{"indent", indent}});
    print.Line("<indent>if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){", {{"indent", indent}});
    WriteMemoryFailure(print, std::string(indent) + "   ");
    print.Line("<indent>}", {{"indent", indent}});
}

// One case per radio button, for the block's author to fill.
void WriteRadioCases(Printer& print, const BLOCKINFO& block) {
    for (const ParamText& p : Parameters(block)) {
        const auto names = p.Names(print);
        if (p.type != TYPE_RADIO_BUTTONS) {
            continue;
        }
        for (const std::string& button : RadioButtons(p.parameter, p.index)) {
            print.Line("             case <button>:", {{"button", button}});
            WriteParameterLock(print, OK_INDENT);
            print.Lines({"", "                  GlobalUnlock(hParam);", "",
                         "                  return(TRUE);"});
        }
    }
}

void WriteOkDeclarations(Printer& print, const BLOCKINFO& block) {
    if (!block.RealTime) {
        return;
    }
    print.Lines({
        "                  char          OldDriverName[16];",
        "                  WORD          wBoardNum;",
        "                  WORD          wDSPNum;",
    });
    if (!block.Native) {
        print.Lines({
            "                  WORD          wIntNum;",
            "                  WORD          wSyncInNum;",
            "                  WORD          wSyncOutNum;",
            "                  BOOL          bProfile;",
        });
    }
    if (IsSourceBlock(block)) {
        if (block.Matrix) {
            print.Lines({"                  long          PrevRows;",
                         "                  long          PrevCols;"});
        } else if (!block.Native) {
            print.Line("                  unsigned long PrevFramesize;");
        }
    }
}

// The real-time structures of the OK case, then the board, DSP and driver.
void WriteOkDriverReads(Printer& print, const BLOCKINFO& block) {
    print.Lines({
        "                  // get pointer to scratch parameters",
        "                  hScratchParam = GetScratchParam(hDlg);  // get handle of scratch parameters",
        "                  if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL){",
        "                     GlobalUnlock(hParam);",
    });
    WriteMemoryFailure(print, "                     ");
    print.Lines({
        "                  }",
        "                  // get pointer to real-time block parameters",
        "                  if ((bPtr = (RTBLOCK_PARAM *)GlobalLock(sPtr->hRTParam))==NULL){",
        "                     GlobalUnlock(hScratchParam);",
        "                     GlobalUnlock(hParam);",
    });
    WriteMemoryFailure(print, "                     ");
    print.Lines({
        "                  }",
        "                  // check if board or DSP number changed",
        "                  wBoardNum = bPtr->wBoardNum;",
        "                  wDSPNum = bPtr->wDSPNum;",
        "                  bPtr->wBoardNum = GetDlgItemI(hDlg,IDC_EDIT_BRDNUM);",
        "                  bPtr->wDSPNum   = GetDlgItemI(hDlg,IDC_EDIT_DSPNUM);",
        "                  if ((bPtr->wBoardNum != wBoardNum) || (bPtr->wDSPNum != wDSPNum)){",
        "                     // board or DSP changed so we need to change hDSPParam",
        "                     if (!VexaSendCommand (sPtr->hDriver, DRV_CHANGEDSP, NULL, (LONG)sPtr->hRTParam)) {",
        "                        // restore original board/DSP numbers",
        "                        bPtr->wBoardNum = wBoardNum;",
        "                        bPtr->wDSPNum = wDSPNum;",
        "                        // unlock memory and return with ending dialog box",
        "                        GlobalUnlock(sPtr->hRTParam);",
        "                        GlobalUnlock(hScratchParam);",
        "                        GlobalUnlock(hParam);",
        "                        return (TRUE);",
        "                     }",
        "                     SetCompiledFlag(FALSE);",
        "                  }",
        "                  // get driver name",
        "                  hItem = GetDlgItem(hDlg,IDC_COMBO_DRIVER);",
        "                  index = (int)SendMessage(hItem,CB_GETCURSEL,0,0);",
        "                  // copy current driver name to OldDriverName",
        "                  lstrcpyn(OldDriverName,pPtr->DriverName,sizeof(OldDriverName));",
        // The list holds the host's entries of up to 79 characters: one
        // reaches the 16-byte driver name only when it fits.
        "                  if (SendMessage(hItem,CB_GETLBTEXTLEN,index,0) < (LRESULT)sizeof(pPtr->DriverName))",
        "                    SendMessage(hItem,CB_GETLBTEXT,index,(LPARAM)(LPCSTR)pPtr->DriverName);",
        "                  // check for driver change ",
        "                  if (lstrcmpi(OldDriverName,pPtr->DriverName)){",
        "                     // change DSP board drivers",
        "                     if (ChangeDriver(pPtr->DriverName, sPtr->hRTParam, &sPtr->hDriver, &sPtr->lpfnVexaSendCommand) != USR_NO_ERR){",
        "                       // restore driver name to parameter structure",
        "                       lstrcpyn(pPtr->DriverName,OldDriverName,sizeof(pPtr->DriverName));",
        "                       GlobalUnlock(sPtr->hRTParam);",
        "                       GlobalUnlock(hScratchParam);",
        "                       GlobalUnlock(hParam);",
        "                       return(TRUE);",
        "                     }",
        "                     SetCompiledFlag(FALSE);",
        "                  }",
    });
    if (block.Native) {
        return;
    }
    struct Choice {
        const char* comment;
        const char* member;
        const char* combo;
    };
    for (const Choice& choice : {Choice{"interrupt number", "wIntNum", "IDC_COMBO_DSPINT"},
                                 Choice{"sync in number", "wSyncInNum", "IDC_COMBO_SYNCIN"},
                                 Choice{"sync out number", "wSyncOutNum", "IDC_COMBO_SYNCOUT"}}) {
        const Vars values = {
            {"comment", choice.comment}, {"member", choice.member}, {"combo", choice.combo}};
        print.Line("                  // get <comment>", values);
        print.Line("                  <member> = bPtr-><member>;", values);
        print.Line("                  hItem = GetDlgItem(hDlg,<combo>);", values);
        print.Line(
            "                  bPtr-><member> = (int)SendMessage(hItem,CB_GETCURSEL,0,0);",
            values);
        print.Line("                  if (bPtr-><member> != <member>)", values);
        print.Line("                    SetCompiledFlag(FALSE);");
    }
    print.Lines({
        "                  // get profile flag",
        "                  bProfile = bPtr->bProfileBlock;",
        "                  bPtr->bProfileBlock = IsDlgButtonChecked(hDlg,IDC_RADIO_PROFYES);",
        "                  if (bPtr->bProfileBlock != bProfile)",
        "                    SetCompiledFlag(FALSE);",
    });
}

void WriteRadioRead(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    if (IsYesNoRadio(p.parameter)) {
        print.Line("                  if (IsDlgButtonChecked(hDlg, IDC_RADIO<IDENT>_YES))");
        print.Line("                    pPtr-><ident> = IDC_RADIO<IDENT>_YES;");
        print.Line("                  else");
        print.Line("                    pPtr-><ident> = IDC_RADIO<IDENT>_NO;");
        return;
    }
    std::string_view test = "                  if(IsDlgButtonChecked(hDlg, <button>))";
    for (const std::string& button : RadioButtons(p.parameter, p.index)) {
        print.Line(test, {{"button", button}});
        print.Line("                    pPtr-><ident> = <button>;", {{"button", button}});
        test = "                  else if(IsDlgButtonChecked(hDlg, <button>))";
    }
}

void WriteFileOpenRead(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    print.Line("                  // get file, pathname, and completename for <ident>");
    print.Line("                  GetDlgItemStr(hDlg, IDC_EDIT<IDENT>, pPtr-><ident>, TEXT_LENGTH);");
    print.Line("                  GetDlgItemStr(hDlg, IDC_EDIT<IDENT>_PATHNAME, pPtr-><ident>_PathName, TEXT_LENGTH);");
    // The complete name is combined only when it fits; an empty directory gets
    // no separator (and no look before its start).
    print.Line("                  if (lstrlen(pPtr-><ident>_PathName) + 1 + lstrlen(pPtr-><ident>) < TEXT_LENGTH){");
    print.Line("                    lstrcpy(pPtr-><ident>_CompleteName, pPtr-><ident>_PathName);");
    print.Line(R"(                    if (pPtr-><ident>_CompleteName[0] && pPtr-><ident>_CompleteName[lstrlen(pPtr-><ident>_CompleteName)-1] != '\\'))");
    print.Line(R"(                      lstrcat(pPtr-><ident>_CompleteName, "\\");)");
    print.Line("                    lstrcat(pPtr-><ident>_CompleteName, pPtr-><ident>);");
    print.Line("                  }");
}

void WriteParameterRead(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    print.Line("");
    switch (p.type) {
        case TYPE_TEXT:
            print.Line("                  // get text edit control value for <ident>");
            print.Line("                  GetDlgItemStr(hDlg, IDC_EDIT<IDENT>, pPtr-><ident>, TEXT_LENGTH);");
            break;
        case TYPE_CHECK_BOX:
            print.Line("                  // get check box value for <ident>");
            print.Line("                  pPtr-><ident> = IsDlgButtonChecked(hDlg, IDC_CHECK<IDENT>);");
            break;
        case TYPE_RADIO_BUTTONS:
            print.Line("                  // get radio button value for <ident>");
            WriteRadioRead(print, p);
            break;
        case TYPE_COMBO_BOX:
            print.Line("                  // get combo box selection for <ident>");
            print.Line("                  // get handle of <ident> combo box");
            print.Line("                  hItem = GetDlgItem(hDlg,IDC_COMBO<IDENT>);");
            print.Line("                  pPtr-><ident> = (int)SendMessage(hItem,CB_GETCURSEL,0,0);");
            break;
        case TYPE_FILE_OPEN:
            WriteFileOpenRead(print, p);
            break;
        default: {
            const Vars values = {{"kind", EditWords(p.type)}, {"L", ValueCallLetter(p.type)}};
            print.Line("                  // get <kind> control value for <ident>", values);
            print.Line("                  pPtr-><ident> = GetDlgItem<L>(hDlg, IDC_EDIT<IDENT>);",
                       values);
            break;
        }
    }
}

void WriteOkFrameReads(Printer& print, const BLOCKINFO& block) {
    const bool rt = block.RealTime != 0;
    if (block.Bitmap) {
        print.Lines(
            {
                "                  // get image size",
                "                  pPtr->ImageWidth = GetDlgItemL(hDlg, IDC_IMAGEWIDTH);",
                "                  pPtr->ImageHeight = GetDlgItemL(hDlg, IDC_IMAGEHEIGHT);",
            });
    } else if (block.Matrix) {
        print.Line("                  // get matrix size");
        if (rt) {
            print.Lines({"                  PrevRows = pPtr->Rows;",
                         "                  PrevCols = pPtr->Columns;"});
        }
        print.Lines({"                  pPtr->Rows = GetDlgItemL(hDlg, IDC_ROWS);",
                     "                  pPtr->Columns = GetDlgItemL(hDlg, IDC_COLUMNS);"});
        if (rt) {
            print.Lines(
                {"                  if(pPtr->Rows != PrevRows || pPtr->Columns != PrevCols)",
                 "                    SetCompiledFlag(FALSE);"});
        }
    } else if (!block.Native) {
        print.Line("                  // get framesize");
        if (rt) {
            print.Line("                  PrevFramesize = pPtr->Framesize;");
        }
        print.Line("                  pPtr->Framesize = GetDlgItemL(hDlg,IDC_FRAMESIZE);");
        if (rt) {
            print.Lines({"                  if(pPtr->Framesize != PrevFramesize)",
                         "                    SetCompiledFlag(FALSE);"});
        }
    }
}

void WriteOkCase(Printer& print, const BLOCKINFO& block) {
    const bool hasParameters = !UsedParameters(block).empty();
    print.Line("             case IDOK:   {");
    WriteOkDeclarations(print, block);
    print.Lines({"                  // get pointer to block parameters",
                 "                  hParam = GetHParam(hDlg);"});
    if (!block.RealTime && block.NumLocalArrays > 0) {
        print.Line("                  hScratchParam = GetScratchParam(hDlg);");
    }
    print.Line("                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){");
    WriteMemoryFailure(print, "                     ");
    print.Line("                  }");
    if (block.RealTime) {
        WriteOkDriverReads(print, block);
    }
    if (hasParameters) {
        print.Lines(
            {"                  // get user parameters",
             "                  SetDlgError(FALSE);       // clear dialog errors flag"});
        for (const ParamText& p : Parameters(block)) {
            const auto names = p.Names(print);
            WriteParameterRead(print, p);
        }
        print.Line("");
    }
    if (IsSourceBlock(block)) {
        WriteOkFrameReads(print, block);
    }
    print.Lines({"                  // get precision",
                 "                  hItem = GetDlgItem(hDlg,IDC_PRECISION);",
                 "                  pPtr->Precision = GetPrecision(hItem);"});
    if (block.RealTime) {
        print.Lines({"                  if(pPtr->Precision != bPtr->wPrecision)",
                     "                    SetCompiledFlag(FALSE);"});
        print.Line("                  UserSaveProc(hParam, hScratchParam, MNAME, RTBPARAM);");
    } else if (block.NumLocalArrays > 0) {
        print.Line("                  UserSaveProc(hParam, hScratchParam, MNAME, BPARAM);");
    } else {
        print.Line("                  UserSaveProc(hParam, NULL, MNAME, BPARAM);");
    }
    if (block.xDAIS) {
        print.Line("                  InvalidateRect(GetBlockWindowHandle(), NULL, FALSE);");
    }
    if (block.RealTime) {
        print.Lines({"                  // download parameters to DSP",
                     "                  DownloadDSPParameters(pPtr, sPtr);",
                     "                  // unlock memory",
                     "                  GlobalUnlock(sPtr->hRTParam);",
                     "                  GlobalUnlock(hScratchParam);"});
    }
    print.Line("                  GlobalUnlock(hParam);");
    if (hasParameters) {
        print.Lines({"                  // Check to see if any parameter errors occurred",
                     "                  if (GetDlgError())",
                     "                    return(FALSE); // do not end dialog if an error occurred"});
    }
    print.Lines({"                  EndDialog(hDlg,IDOK);", "                  return(TRUE);",
                 "             }"});
}

void WriteInfoCase(Printer& print) {
    print.Lines({
        "             case IDC_INFO:",
        "                  hParam = GetHParam(hDlg);",
        "                  if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){",
        "                     MessageBox(hDlg,\"Memory Allocation Error!\",\"Tessaline\",MB_OK);",
        "                     break;",
        "                  }",
        "                  hScratchParam = GetScratchParam(hDlg);",
        "                  if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL){",
        "                     GlobalUnlock(hParam);",
    });
    WriteMemoryFailure(print, "                     ");
    print.Lines({
        "                  }",
        "                  // get block information",
        "                  if (!VexaSendCommand (sPtr->hDriver, DRV_BLOCKINFO, hDlg, (LONG)sPtr->hRTParam)) {",
        "                      VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);",
        "                  }",
        "                  // unlock memory and return",
        "                  GlobalUnlock(hScratchParam);",
        "                  GlobalUnlock(hParam);",
        "                  return (TRUE);",
    });
}

// The help file names are as large as what is put together in them: the
// host's folder, "\help", the menu name and a file name.
void WriteHelpCase(Printer& print) {
    print.Lines({
        "             case IDHELP:   {",
        "                  char Section[TEXT_LENGTH];",
        R"(                  char HelpDir[TEXT_LENGTH+sizeof("\\help")];)",
        R"(                  char HelpFileName[sizeof(HelpDir)+sizeof(MNAME)+sizeof("\\Component Reference Guide.chm")];)",
        R"(                  char chmTopic[sizeof("Component Reference Guide\\")+sizeof(MNAME)+sizeof(".htm")];)",
        "                  int x,y;",
        " ",
        "                  GetAppSection(Section);",
        R"(                  GetPrivateProfileString(Section,"working dir","c:\\tlblock",HelpDir,TEXT_LENGTH,"rizezeri.ini");)",
        R"(                  lstrcat(HelpDir,"\\help");)",
        "                  lstrcpy(HelpFileName,HelpDir);",
        R"(                  lstrcat(HelpFileName,"\\");)",
        "                  lstrcat(HelpFileName,MNAME);",
        R"(                  lstrcat(HelpFileName,".htm");)",
        "                  if(!FileExists(HelpFileName)){",
        "                    lstrcpy(HelpFileName,HelpDir);",
        R"(                    lstrcat(HelpFileName,"\\Component Reference Guide.chm");)",
        "                  }",
        " ",
        R"(                  lstrcpy(chmTopic,"Component Reference Guide\\");)",
        "                  y = strlen(chmTopic);",
        "                  lstrcat(chmTopic, MNAME);",
        R"(                  lstrcat(chmTopic, ".htm");)",
        "                  for (x=0; x < lstrlen(MNAME); x++, y++){",
        "                    if (!isalnum(chmTopic[y]))",
        "                      chmTopic[y] = '_';",
        "                  }",
        "                  HtmlHelp(hDlg, (LPCSTR)HelpFileName, HH_DISPLAY_TOPIC, (DWORD)chmTopic);",
        "                  break;",
        "             }",
    });
}

void WriteBrowseCase(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    print.Line("               case IDBROWSE<IDENT>:");
    WriteParameterLock(print, "                    ");
    std::string_view copy = "                    lstrcpy(FilterStr,\"<item>\");";
    for (const std::string& item : FilterItems(p.parameter)) {
        const std::string body = LiteralBody(item);
        print.Line(copy, {{"item", body}});
        copy = "                    lstrcat(FilterStr,\"<item>\");";
    }
    print.Lines(
        {
            "                    for(index=0; FilterStr[index]!='\\0'; index++){",
            "                        if (FilterStr[index]=='|') FilterStr[index]='\\0';",
            "                    }",
            "                    ofn.lStructSize       = sizeof(OPENFILENAME);",
            "                    ofn.hwndOwner         = NULL;",
            "                    ofn.hInstance         = NULL;",
            "                    ofn.lpstrFilter       = (LPSTR)FilterStr;",
            "                    ofn.lpstrCustomFilter = NULL;",
            "                    ofn.nMaxCustFilter    = 0;",
            "                    ofn.nFilterIndex      = 1;",
        });
    print.Line("                    ofn.lpstrFile         = (LPSTR)pPtr-><ident>_CompleteName;");
    print.Lines({
        "                    ofn.nMaxFile          = TEXT_LENGTH;",
        "                    ofn.lpstrFileTitle    = NULL;",
        "                    ofn.nMaxFileTitle     = 0;",
    });
    print.Line("                    ofn.lpstrInitialDir   = (LPSTR)pPtr-><ident>_PathName;");
    print.Lines({
        "                    ofn.lpstrTitle        = NULL;",
        "                    ofn.Flags             = OFN_PATHMUSTEXIST|OFN_FILEMUSTEXIST;",
        "                    ofn.lpstrDefExt       = (LPSTR)\"tim\";",
        "                    dStat = GetOpenFileName((OPENFILENAME *)&ofn);",
        "                    if (dStat){",
    });
    print.Line("                        SeparateFile((LPSTR)pPtr-><ident>_PathName, (LPSTR)pPtr-><ident>, (LPSTR)pPtr-><ident>_CompleteName);");
    print.Line("                    }");
    print.Line("                    SetDlgItemStr(hDlg, IDC_EDIT<IDENT>, (LPSTR)pPtr-><ident>);");
    print.Line("                    SetDlgItemStr(hDlg, IDC_EDIT<IDENT>_PATHNAME, (LPSTR)pPtr-><ident>_PathName);");
    print.Lines(
        {"                    GlobalUnlock(hParam);", "                    return(TRUE);"});
}

void WriteCommandCases(Printer& print, const BLOCKINFO& block) {
    print.Lines({
        "    switch (message)",
        "    {",
        "      case WM_COMMAND:",
        "           switch(LOWORD(wParam))",
        "           {",
    });
    WriteVariableCases(print, block);
    WriteRadioCases(print, block);
    WriteOkCase(print, block);
    print.Lines({
        "             case IDCANCEL:",
        "                  EndDialog(hDlg, IDCANCEL);",
        "                  return (TRUE);",
    });
    if (block.RealTime) {
        WriteInfoCase(print);
    }
    WriteHelpCase(print);
    for (const ParamText& p : Parameters(block)) {
        const auto names = p.Names(print);
        if (p.type == TYPE_FILE_OPEN) {
            WriteBrowseCase(print, p);
        }
    }
    print.Lines({
        "             default:",
        "                  return(FALSE);",
        "           }",
        "           break;",
    });
    if (block.RealTime) {
        print.Lines({"      case WM_VSCROLL:",
                     "           return(ProcessRTScroll(hDlg, wParam, lParam));"});
    }
}

// ---------------------------------------------------------------- WM_INITDIALOG

void WriteInitDeclarations(Printer& print, const BLOCKINFO& block) {
    if (!block.RealTime) {
        return;
    }
    print.Lines({"           WORD wIndex;", "           WORD wMaxDriverNum;"});
    if (!block.Native) {
        print.Lines({"           WORD wNumInts;", "           WORD wNumSyncs;"});
    }
    print.Lines({"           char Entry[32];", "           char EntryStr[80];"});
    if (!block.Native) {
        print.Lines({"           char Section[80];", "           char DriverBasename[16];",
                     "           char IniFilename[256];", "           char WorkingDir[256];"});
    }
}

void WriteInitLocks(Printer& print, const BLOCKINFO& block) {
    print.Lines({"           // get pointer to block parameters",
                 "           hParam = GetHParam(hDlg);",
                 "           if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL){"});
    WriteMemoryFailure(print, "              ");
    print.Line("           }");
    if (!block.RealTime) {
        return;
    }
    print.Lines({"           // get pointer to scratch parameters",
                 "           hScratchParam = GetScratchParam(hDlg);",
                 "           if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL){",
                 "              GlobalUnlock(hParam);"});
    WriteMemoryFailure(print, "              ");
    print.Lines({"           }", "           // get pointer to real-time block parameters",
                 "           if ((bPtr = (RTBLOCK_PARAM *)GlobalLock(sPtr->hRTParam))==NULL){",
                 "              GlobalUnlock(hScratchParam);",
                 "              GlobalUnlock(hParam);"});
    WriteMemoryFailure(print, "              ");
    print.Line("           }");
}

void WriteComboInit(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    print.Line("           // get handle of <ident> combo box");
    print.Line("           hItem = GetDlgItem(hDlg,IDC_COMBO<IDENT>);");
    const std::string_view add =
        "           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)\"<item>\");";
    if (p.parameter.ParameterItems.empty()) {
        print.Lines(
            {
                Rule('-', 83),
                "// NOTE:   The following lines of code need to be modified to use the strings that",
                "//         are required for this block.  The default combo box has three items named ",
                "//         \"Item 1\", \"Item 2\" and \"Item 3\".  You need to change these strings, ",
                "//         delete SendMessage lines if you need less than three, or add SendMessage  ",
                "//         lines if you need more than three combo box items.                        ",
                Rule('-', 83),
                "           // add strings to combo box in order that they are to appear",
            });
        for (std::string_view item : {"Item 1", "Item 2", "Item 3"}) {
            print.Line(add, {{"item", item}});
        }
    } else {
        for (const std::string& item : p.parameter.ParameterItems) {
            const std::string body = LiteralBody(item);
            print.Line(add, {{"item", body}});
        }
    }
    print.Line("           // select combo box item for <ident>");
    print.Line("           SendMessage(hItem,CB_SETCURSEL,pPtr-><ident>,(DWORD)0);");
}

void WriteParameterInit(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    print.Line("");
    switch (p.type) {
        case TYPE_CHECK_BOX:
            print.Line("           // initialize check box control for <ident>");
            print.Line("           CheckDlgButton(hDlg,IDC_CHECK<IDENT>,pPtr-><ident>);");
            break;
        case TYPE_RADIO_BUTTONS: {
            const std::string first = FirstRadioButton(p.parameter, p.index);
            const std::string last = LastRadioButton(p.parameter, p.index);
            const Vars values = {{"FIRST", first}, {"LAST", last}};
            print.Line("           // initialize radio button control for <ident>");
            print.Line("           CheckRadioButton(hDlg,<FIRST>,<LAST>,pPtr-><ident>);", values);
            break;
        }
        case TYPE_COMBO_BOX:
            print.Line("           // initialize combo box control for <ident>");
            WriteComboInit(print, p);
            break;
        case TYPE_FILE_OPEN:
            print.Line("           // initialize filename and path edit controls for <ident>");
            print.Line("           SetDlgItemStr(hDlg,IDC_EDIT<IDENT>,pPtr-><ident>);");
            print.Line("           SetDlgItemStr(hDlg,IDC_EDIT<IDENT>_PATHNAME,pPtr-><ident>_PathName);");
            break;
        default: {
            const Vars values = {{"kind", EditWords(p.type)}, {"L", ValueCallLetter(p.type)}};
            print.Line("           // initialize <kind> control for <ident>", values);
            print.Line("           SetDlgItem<L>(hDlg,IDC_EDIT<IDENT>,pPtr-><ident>);", values);
            break;
        }
    }
}

void WriteInitFrameAndPrecision(Printer& print, const BLOCKINFO& block) {
    if (IsSourceBlock(block)) {
        if (block.Bitmap) {
            print.Lines({"           // initialize image size",
                         "           SetDlgItemL(hDlg,IDC_IMAGEWIDTH,pPtr->ImageWidth);",
                         "           SetDlgItemL(hDlg,IDC_IMAGEHEIGHT,pPtr->ImageHeight);"});
        } else if (block.Matrix) {
            print.Lines({"           // initialize matrix size",
                         "           SetDlgItemL(hDlg,IDC_ROWS,pPtr->Rows);",
                         "           SetDlgItemL(hDlg,IDC_COLUMNS,pPtr->Columns);"});
        } else if (!block.Native) {
            print.Lines({"           // initialize framesize",
                         "           SetDlgItemL(hDlg,IDC_FRAMESIZE,pPtr->Framesize);"});
        }
    }
    print.Lines({"           // initialize data precision",
                 "           hItem = GetDlgItem(hDlg,IDC_PRECISION);"});
    if (!IsSourceBlock(block)) {
        print.Line("           AddPrecision(hItem, HDT_AUTO);");
    }
    for (const Precision& precision : SAMPLE_PRECISIONS) {
        if (!(block.*(precision.flag))) {
            continue;
        }
        const std::string_view code = precision.dataType;
        std::string_view indent = INIT_INDENT;
        if (block.RealTime && (code == "HDT_INT" || code == "HDT_FLOAT")) {
            print.Line(code == "HDT_INT" ? "           if (VexaSendCommand (sPtr->hDriver, DRV_INTSUPPORT,0,0))"
                                         : "           if (VexaSendCommand (sPtr->hDriver, DRV_FLTSUPPORT,0,0))");
            indent = "             ";
        }
        print.Line("<indent>AddPrecision(hItem, <code>);", {{"indent", indent}, {"code", code}});
    }
    print.Line("           SetPrecision(hItem, pPtr->Precision);");
}

// One list of the driver's initialisation file ("None" first).
void WriteDriverList(Printer& print, const Vars& values) {
    for (std::string_view line : {
             "           // load <what> combo box",
             "           hItem = GetDlgItem(hDlg,<combo>);",
             "           <count> = GetPrivateProfileInt(\"<section>\",\"<key>\",0,IniFilename);",
             "           // create no <what> string first",
             "           SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)\"None\");",
             "           for (wIndex=1; wIndex <= <count>; wIndex++){",
             "               wsprintf(Entry,\"<entry>%d\",wIndex);  // <what> section entry",
             "               EntryStr[0] = '\\0';                // clear entry string",
             "               GetPrivateProfileString(\"<section>\",(LPCSTR)Entry,(LPCSTR)\"\",(LPSTR)EntryStr,sizeof(EntryStr),IniFilename);",
             "               if (EntryStr[0]) SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)EntryStr);",
             "           }",
             "           SendMessage(hItem,CB_SETCURSEL,(UINT)bPtr-><member>,(DWORD)0);",
         }) {
        print.Line(line, values);
    }
}

void WriteInitDriver(Printer& print, const BLOCKINFO& block) {
    print.Lines({"           // initialize driver parameters",
                 "           SetDlgItemI(hDlg,IDC_EDIT_BRDNUM,bPtr->wBoardNum);",
                 "           SetDlgItemI(hDlg,IDC_EDIT_DSPNUM,bPtr->wDSPNum);"});
    if (!block.Native) {
        print.Lines({
            "           // initialize profile enable",
            "           if (bPtr->bProfileBlock)",
            "                CheckRadioButton(hDlg,IDC_RADIO_PROFYES,IDC_RADIO_PROFNO,IDC_RADIO_PROFYES);",
            "           else CheckRadioButton(hDlg,IDC_RADIO_PROFYES,IDC_RADIO_PROFNO,IDC_RADIO_PROFNO);",
        });
    }
    print.Lines({
        "           // get installed Calderic drivers to load combo box",
        "           hItem = GetDlgItem(hDlg,IDC_COMBO_DRIVER);",
        "           // get max driver number stored in rizezeri.ini",
        R"(           wMaxDriverNum = GetPrivateProfileInt("Drivers","DriverNum",0,"rizezeri.ini");)",
        "           // load driver combo box",
        "           for(wIndex=0; wIndex < wMaxDriverNum; wIndex++){",
        R"(             wsprintf(Entry,"DSP Driver #%d",wIndex+1);  // create driver section entry)",
        R"(             EntryStr[0] = '\0';   // clear driver string)",
        "             // attempt to read driver entry in rizezeri.ini",
        R"(             GetPrivateProfileString("Drivers",Entry,"",EntryStr,sizeof(EntryStr),"rizezeri.ini");)",
        "             if (EntryStr[0])",
        "               SendMessage(hItem,CB_ADDSTRING,0,(DWORD)(LPSTR)EntryStr);",
        "           }",
        "           SendMessage(hItem,CB_SELECTSTRING,(UINT)-1,(DWORD)(LPSTR)pPtr->DriverName);",
    });
    if (block.Native) {
        return;
    }
    print.Lines({
        "           // get current driver's base name",
        "           lstrcpyn(DriverBasename,pPtr->DriverName,sizeof(DriverBasename));",
        "           wIndex = 0;",
        "           while ((DriverBasename[wIndex]) && (DriverBasename[wIndex] != '.')) wIndex++;",
        "           if (DriverBasename[wIndex] == '.') DriverBasename[wIndex] = '\\0';",
        "           // get name of current driver's initialization file",
        "           GetAppSection(Section);",
        // Read short enough that "<folder>\<base>\<base>.ini" fits: the two
        // driver base names, two separators, ".ini" and the terminator.
        R"(           GetPrivateProfileString(Section,"working dir","",(LPSTR)WorkingDir,sizeof(IniFilename)-2*sizeof(DriverBasename)-6,"rizezeri.ini");)",
        R"(           wsprintf(IniFilename,"%s\\%s\\%s.ini",WorkingDir,DriverBasename,DriverBasename);)",
    });
    WriteDriverList(print, {{"what", "interrupt"},
                            {"combo", "IDC_COMBO_DSPINT"},
                            {"count", "wNumInts"},
                            {"section", "interrupts"},
                            {"key", "NumInts"},
                            {"entry", "Int"},
                            {"member", "wIntNum"}});
    WriteDriverList(print, {{"what", "sync in"},
                            {"combo", "IDC_COMBO_SYNCIN"},
                            {"count", "wNumSyncs"},
                            {"section", "syncs"},
                            {"key", "NumSyncs"},
                            {"entry", "Sync"},
                            {"member", "wSyncInNum"}});
    WriteDriverList(print, {{"what", "sync out"},
                            {"combo", "IDC_COMBO_SYNCOUT"},
                            {"count", "wNumSyncs"},
                            {"section", "syncs"},
                            {"key", "NumSyncs"},
                            {"entry", "Sync"},
                            {"member", "wSyncOutNum"}});
}

// Every control of a constant parameter.
std::vector<std::string> ParameterControls(const ParamText& p) {
    switch (p.type) {
        case TYPE_RADIO_BUTTONS:
            return RadioButtons(p.parameter, p.index);
        case TYPE_CHECK_BOX:
        case TYPE_COMBO_BOX:
            return {ControlIdentifier(p.parameter, p.index)};
        case TYPE_FILE_OPEN:
            return {"IDC_EDIT" + p.IDENT, "IDC_VAR" + p.IDENT, "IDC_EDIT" + p.IDENT + "_PATHNAME",
                    "IDC_VAR" + p.IDENT + "_PATHNAME", "IDBROWSE" + p.IDENT};
        default:
            return {"IDC_EDIT" + p.IDENT, "IDC_VAR" + p.IDENT};
    }
}

void WriteRunningDisables(Printer& print, const BLOCKINFO& block) {
    print.Lines({
        "           // if DSP is running, disable driver parameters",
        "           if (VexaSendCommand (sPtr->hDriver, DRV_DSPSTATUS, NULL, (LONG)sPtr->hRTParam)) {",
        "              if (bPtr->dwBlockStatus == DSPSTAT_RUN)  {",
        "                 // disable driver parameters",
    });
    std::vector<std::string> controls = {"IDC_EDIT_BRDNUM", "IDC_SCROLL_BRDSCRL", "IDC_EDIT_DSPNUM",
                                         "IDC_SCROLL_DSPSCRL", "IDC_COMBO_DRIVER"};
    if (!block.Native) {
        controls.insert(controls.end(),
                        {"IDC_RADIO_PROFYES", "IDC_RADIO_PROFNO", "IDC_COMBO_DSPINT",
                         "IDC_COMBO_SYNCIN", "IDC_COMBO_SYNCOUT"});
    }
    controls.push_back("IDC_PRECISION");
    if (IsSourceBlock(block)) {
        if (block.Matrix) {
            controls.insert(controls.end(),
                            {"IDC_ROWS", "IDC_VAR_ROWS", "IDC_COLUMNS", "IDC_VAR_COLUMNS"});
        } else if (!block.Bitmap && !block.Native) {
            // Only a dialog with a framesize row has its variable button.
            controls.push_back("IDC_VAR_FRAMESIZE");
        }
    }
    for (const std::string& control : controls) {
        print.Line("                 EnableWindow(GetDlgItem(hDlg,<control>),FALSE);", {{"control", control}});
    }
    print.Lines(
        {"                 // disable any user-defined parameters here that should not",
         "                 // be changed while the DSP is running (such as framesize)"});
    for (const ParamText& p : Parameters(block)) {
        const auto names = p.Names(print);
        if (p.parameter.ParameterConst == 0) {
            continue;
        }
        for (const std::string& control : ParameterControls(p)) {
            print.Line("                  EnableWindow(GetDlgItem(hDlg,<control>), FALSE);", {{"control", control}});
        }
    }
    print.Lines({"              }", "           }"});
}

void WriteInitDialog(Printer& print, const BLOCKINFO& block) {
    print.Line("      case WM_INITDIALOG: {");
    WriteInitDeclarations(print, block);
    WriteInitLocks(print, block);
    const std::vector<ParamText> parameters = Parameters(block);
    if (!parameters.empty()) {
        print.Line("           // initialize user parameters");
        for (const ParamText& p : parameters) {
            const auto names = p.Names(print);
            WriteParameterInit(print, p);
        }
        print.Line("");
    }
    WriteInitFrameAndPrecision(print, block);
    if (block.RealTime) {
        WriteInitDriver(print, block);
        WriteRunningDisables(print, block);
    }
    print.Line("           // unlock memory");
    if (block.RealTime) {
        print.Lines({"           GlobalUnlock(sPtr->hRTParam);",
                     "           GlobalUnlock(hScratchParam);"});
    }
    print.Lines({"           GlobalUnlock(hParam);", "           return (FALSE);", "      }"});
}

}  // namespace

void WriteUserDialogProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    print.Lines({
        Rule('=', 75),
        "// Function   : UserDialogProc()",
        "// Purpose    : Dialog function for this application. This is the user",
        "//              interface function",
        "// Parameters :",
        "// Returns    : TRUE if processed, FALSE if not",
        "// Note       : This is a window callback function",
        Rule('=', 75),
        " ",
        "BOOL PASCAL UserDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)",
        "{",
    });
    WriteDeclarations(print, block);
    WriteCommandCases(print, block);
    WriteInitDialog(print, block);
    print.Lines({"    }", "", "    return (FALSE);", "}", ""});
}

}  // namespace bw
