// UserRTCompileProc, UserStopProc and DownloadDSPParameters: compiling the
// block on the DSP board, stopping it, and keeping the DSP's copy of the
// parameters current.
#include "gen_interface/common_text.h"
#include "gen_interface/parameters_text.h"
#include "gen_interface/sections.h"

namespace bw {

using namespace interface_text;
using section_text::WriteParameterLockAndReset;

namespace {

// One case of the compile switch, framed, with the driver command and its
// error return.
void WriteCompileCase(Printer& print, std::string_view title,
                      std::initializer_list<std::string_view> head, std::string_view command,
                      std::string_view error) {
    print.Lines({"", Rule('-', 75)});
    print.Raw(title);
    print.Raw(Rule('-', 75));
    print.Lines(head);
    print.Raw(command);
    print.Lines({
        "             VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);",
        "             GlobalUnlock(hScratchParam);",
        "             GlobalUnlock(hParam);",
    });
    print.Line("             return (<error>);", {{"error", error}});
    print.Line("         }");
}

// The driver command of the block and link steps: a native block passes the
// first word of its "DLLHEADER" resource, cast to the type of the argument
// that the other driver calls fill with a window handle.
std::string LoadCommand(const Printer& print, const BLOCKINFO& block, std::string_view command) {
    const std::string_view argument = block.Native ? "(HWND)(LONG)*lpResource" : "NULL";
    return print.Fill(
        "         if (!VexaSendCommand (sPtr->hDriver, <command>, <argument>, (LONG)sPtr->hRTParam)) {",
        {{"command", command}, {"argument", argument}});
}

// The memory write of one value at the DSP's parameter address.
void WriteMemoryWrite(Printer& print, std::string_view tag) {
    print.Line("    bPtr->bDataType  = <tag>;", {{"tag", tag}});
    print.Lines({
        "    bPtr->bMemType   = DATA_MEM;",
        "",
        "    if (!VexaSendCommand (sPtr->hDriver, DRV_WRMEMVAL, NULL, (LONG)sPtr->hRTParam)) {",
        "        VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);",
        "        GlobalUnlock(sPtr->hRTParam);",
        "        return (USR_ERR_NPT);",
        "    }",
    });
}

// The value lines and data type tag of one parameter by its download class;
// types the DSP does not receive get a comment only.
void WriteParameterDownload(Printer& print, const ParamText& p) {
    const auto names = p.Names(print);
    print.Line("");
    print.Line("    // download parameter <i> (<ident>)");
    switch (p.type) {
        case TYPE_INTEGER:
        case TYPE_SHORT:
        case TYPE_CHECK_BOX:
            print.Line("    bPtr->dwData     = (DWORD)((LONG)pPtr-><ident>);");
            WriteMemoryWrite(print, "RTDT_LNG");
            break;
        case TYPE_LONG:
        case TYPE_BYTE:
        case TYPE_COMBO_BOX:
            print.Line("    bPtr->dwData     = (DWORD)pPtr-><ident>;");
            WriteMemoryWrite(print, "RTDT_LNG");
            break;
        case TYPE_FLOAT:
        case TYPE_DOUBLE:
            print.Line("    bPtr->dwData     = (DWORD)(long)pPtr-><ident>;");
            print.Line("    bPtr->fData      = (float)pPtr-><ident>;");
            WriteMemoryWrite(print, "(bPtr->wPrecision == HDT_FLOAT ? RTDT_FLT : RTDT_LNG)");
            break;
        case TYPE_RADIO_BUTTONS: {
            const std::string first = FirstRadioButton(p.parameter, p.index);
            print.Lines({"    // NOTE: Need to subtract off first radio button IDC before download so",
                         "    //       the downloaded data is zero-based."});
            print.Line("    bPtr->dwData     = (DWORD)(pPtr-><ident>-<FIRST>);",
                       {{"FIRST", first}});
            WriteMemoryWrite(print, "RTDT_LNG");
            break;
        }
        default:
            print.Line("    // This parameter type is not downloaded to the DSP.");
            break;
    }
}

}  // namespace

void WriteUserRTCompileProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    print.Lines({
        Rule('=', 77),
        "// Function   :  UserRTCompileProc()",
        "// Purpose    :  Compiles and links block on target DSP",
        "// Parameters :  hBioInfo      - Block I/O information struct",
        "//               hParam        - Parameter information struct",
        "//               hScratchParam - Scratch Parameter struct",
        "//               ModeState     - Compile mode",
        "// Returns    :  TRUE if initialization complete",
        "//               FALSE otherwise",
        Rule('=', 77),
        "int PASCAL UserRTCompileProc(HANDLE hBioInfo, HANDLE hParam,",
        "                                 HANDLE hScratchParam, int ModeState)",
        "{",
        "    SCRATCH_PARAM     *sPtr;",
        "    BLOCK_PARAM       *pPtr;",
    });
    if (block.Native) {
        print.Lines({
            "    HANDLE             hRes;",
            "    HANDLE             hResInfo;",
            "    short             *lpResource;",
        });
    }
    WriteParameterLockAndReset(print);
    print.Lines({
        "",
        "    // get pointer to scratch parameters",
        "    if ((sPtr=(SCRATCH_PARAM *) GlobalLock(hScratchParam)) == NULL){",
        "        GlobalUnlock(hParam);",
        "        return(USR_ERR_NPT);",
        "    }",
        "",
    });
    if (block.Native) {
        print.Lines({
            "    // get the block's header resource",
            R"(    hResInfo = FindResource(GetBlockInstanceHandle(), "DLLHEADER", RT_RCDATA);)",
            "    hRes = LoadResource(GetBlockInstanceHandle(), hResInfo); // no need to free in win32",
            "    lpResource = (short *)LockResource(hRes);  // no need to unlock in win32",
            "",
        });
    }
    print.Lines({
        "    if(sPtr->lpfnVexaSendCommand == NULL){",
        "      GlobalUnlock(hScratchParam);",
        "      GlobalUnlock(hParam);",
        "      return(USR_ERR_OPENDRV);",
        "    }",
        "",
        "    // determine compile mode and act accordingly",
        "    switch (ModeState)  {",
    });
    WriteCompileCase(print, "//                   Initialize Compile/Link Block on Target DSP",
                     {"      case RT_COMPILE_INIT:", "         // initialize real-time compiler/linker "},
                     "         if (!VexaSendCommand (sPtr->hDriver, DRV_COMPILEINIT, NULL, (LONG)sPtr->hRTParam)) {",
                     "USR_ERR_COMPINIT");
    print.Line("         break;");
    WriteCompileCase(print, "//                   Compile/Link Block on Target DSP",
                     {"      case RT_COMPILE_BLOCK:", "         // compile and download real-time block"},
                     LoadCommand(print, block, "DRV_LOADBLOCK"), "USR_ERR_COMPBLOCK");
    print.Line("         break;");
    WriteCompileCase(print, "//              Compile/Link Real-Time Zirud Izadivo on Target DSP",
                     {"      case RT_COMPILE_LINK:", "         // link real-time block diagram"},
                     LoadCommand(print, block, "DRV_COMPILELINK"), "USR_ERR_COMPLINK");
    print.Lines({"", "         break;"});
    print.Lines({
        "",
        Rule('-', 75),
        "//             Establish (Link) Zirud Izadivo Data Flow",
        Rule('-', 75),
        "      case RT_COMPILE_DATA:",
        "         // set run mode to link DSP data flow",
        "         pPtr->RunMode = RT_RUN_LINK;",
        "         // establish DSP data flow",
        "         pPtr->LocalError = UserExecProc(hBioInfo,hParam,hScratchParam);",
        "         // download parameters to DSP",
        "         DownloadDSPParameters(pPtr, sPtr);",
        "         break;",
        "",
        "      default: break;",
        "    }",
        "",
        "    // unlock memory pointers",
        "    GlobalUnlock(hScratchParam);",
        "    GlobalUnlock(hParam);",
        "    return(pPtr->LocalError);",
        "}",
        "",
    });
}

void WriteUserStopProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    print.Lines(
        {
            Rule('=', 75),
            "// Function   : UserStopProc()",
            "// Purpose    : Handles 'Stop' request from Zirud Izadivo",
            "// Parameters : hBioInfo      - Block I/O information struct",
            "//              hParam        - Parameter information struct",
            "//              hScratchParam - Scratch Parameter struct",
            "// Returns    : USR_NO_ERR if no error",
            "//              Error Code if error",
            Rule('=', 75),
            "int PASCAL UserStopProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)",
            "{",
            "    BLOCK_PARAM       *pPtr = NULL;",
        });
    const bool scratch = UsesScratch(block);
    if (scratch) {
        print.Line("    SCRATCH_PARAM     *sPtr = NULL;");
    }
    WriteParameterLockAndReset(print);
    if (block.RealTime) {
        print.Line("    pPtr->RunMode = RT_RUN_DSP;   // next run will start DSP");
    }
    if (scratch) {
        print.Lines({
            "",
            "    // get pointer to scratch parameters",
            "    if ((sPtr=(SCRATCH_PARAM *) GlobalLock(hScratchParam)) == NULL){",
            "        GlobalUnlock(hParam);",
            "        return(USR_ERR_NPT);",
            "    }",
        });
    }
    if (block.RealTime) {
        print.Lines({
            "",
            Rule('-', 75),
            "//                              Stop DSP Board",
            Rule('-', 75),
            "    if (!VexaSendCommand (sPtr->hDriver, DRV_HOLDDSP, NULL, (LONG)sPtr->hRTParam)) {",
            "       VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);",
            "    }",
        });
    }
    print.Lines({"", "    // unlock memory"});
    if (scratch) {
        print.Line("    GlobalUnlock(hScratchParam);");
    }
    print.Lines({"    GlobalUnlock(hParam);", "    return(USR_NO_ERR);", "}", ""});
}

void WriteDownloadDSPParameters(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    print.Lines({
        "",
        "",
        Rule('=', 75),
        "// Function   : DownloadDSPParameters()",
        "// Purpose    : Downloads DSP user paramenters",
        "// Parameters : pPtr  - Pointer to block parameter information structure",
        "//              sPtr  - Pointer to real-time block parameter information structure",
        "// Returns    : USR_NO_ERR if no error",
        "//              Error Code if error",
        Rule('=', 75),
        "static int PASCAL DownloadDSPParameters(BLOCK_PARAM *pPtr, SCRATCH_PARAM *sPtr)",
        "{",
        "    RTBLOCK_PARAM     *bPtr = NULL;",
        "",
        "    if ((bPtr=(RTBLOCK_PARAM *) GlobalLock (sPtr->hRTParam)) == NULL)",
        "        return(USR_ERR_NPT);",
        "    // copy values from PC block to real-time block structure",
    });
    if (block.NumOutputs > 0) {
        print.Line("    bPtr->dSampFreqOut0 = pPtr->SampFreqOut0;");
    }
    print.Lines({
        "",
        "    // don't download parameters if block is not compiled or there are no parameters",
        "    if((!bPtr->bBlockCompiled) || (bPtr->wNumParams==0)){",
        "        GlobalUnlock (sPtr->hRTParam);",
        "        return(USR_NO_ERR);",
        "    }",
    });
    const std::vector<int> used = UsedParameters(block);
    if (!used.empty()) {
        print.Lines({"", Rule('-', 75), "//   Download parameters to the DSP", Rule('-', 75),
                     "    bPtr->dwAddr     = (DWORD)bPtr->dwParamAddr;"});
        for (int i : used) {
            WriteParameterDownload(print, ParamText(block.Parameters[static_cast<size_t>(i)], i));
        }
    }
    if (IsSourceBlock(block) && block.Matrix) {
        for (std::string_view member : {"Rows", "Columns"}) {
            print.Line("");
            print.Line("    // download parameter (<member>)", {{"member", member}});
            print.Line("    bPtr->dwData     = (DWORD)((LONG)pPtr-><member>);", {{"member", member}});
            WriteMemoryWrite(print, "RTDT_LNG");
        }
    }
    if (block.xDAIS) {
        print.Lines({"",
                     "    // download 'Changed' flag to xDAIS algorithm so that the control function will be called",
                     "    bPtr->dwData     = 1;"});
        WriteMemoryWrite(print, "RTDT_LNG");
    }
    print.Lines({
        "",
        "    // unlock memory",
        "    GlobalUnlock (sPtr->hRTParam);",
        "    return(USR_NO_ERR);",
        "}",
        "",
    });
}

}  // namespace bw
