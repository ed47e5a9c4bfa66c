// The entry points that set a block up: UserSetupProc, UserDefaultSetupProc,
// UserPreInitializeProc and UserInitializeProc.
#include <algorithm>

#include "gen_interface/common_text.h"
#include "gen_interface/sections.h"
#include "generation/names_and_literals.h"

namespace bw {

using namespace section_text;

namespace {

// Pads a banner line with blanks to the width of its rules.
std::string Padded(std::string_view line, size_t width) {
    std::string text(line);
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

// ---------------------------------------------------------------- UserSetupProc

void WriteSetupScratchAllocation(Printer& print) {
    print.Lines({
        "     // allocate memory for scratch parameter structure",
        "     *hScratchParam = GlobalAlloc(GMEM_MOVEABLE|GMEM_ZEROINIT,(DWORD)sizeof(SCRATCH_PARAM));",
        "     if (*hScratchParam == NULL){",
        "        GlobalUnlock(*hParam);",
        "        return(USR_ERR_MEM);",
        "     }",
        "     // get pointer to scratch parameters",
        "     if ((sPtr = (SCRATCH_PARAM *)GlobalLock(*hScratchParam))==NULL){",
        "         GlobalUnlock(*hParam);",
        "         return(USR_ERR_NPT);",
        "     }",
    });
}

void WriteSetupRealTimeAllocation(Printer& print) {
    WriteSetupScratchAllocation(print);
    print.Lines({
        "     // allocate real-time block parameter structure",
        "     sPtr->hRTParam = GlobalAlloc(GMEM_MOVEABLE|GMEM_ZEROINIT,(DWORD)sizeof(RTBLOCK_PARAM));",
        "     if (sPtr->hRTParam == NULL){",
        "        GlobalUnlock(*hScratchParam);",
        "        GlobalUnlock(*hParam);",
        "        return(USR_ERR_MEM);",
        "     }",
        "     // unlock memory",
        "     GlobalUnlock(*hScratchParam);",
    });
}

void WriteSetupLocalBuffers(Printer& print, const BLOCKINFO& block) {
    WriteSetupScratchAllocation(print);
    if (!block.xDAIS) {
        for (int i : UsedLocalArrays(block)) {
            const auto array = LocalArrayNames(print, block, i);
            WriteEmptyLine(print);
            print.Line("     // allocate local buffer <i> (<array name>)");
            print.Line("     sPtr->hLocalBuffer<i>     = NULL;");
            print.Line("     pPtr->NumLocalElements<i> = <PREFIX>_NUMLOCAL<i>;  // set local array size");
            print.Line("     if ((sPtr->hLocalBuffer<i> = CheckDataBuffer(sPtr->hLocalBuffer<i>,(WORD)sizeof(<type>),(DWORD)pPtr->NumLocalElements<i>)) == NULL) {");
            print.Lines({
                "        // unlock memory and return",
                "        GlobalUnlock(*hScratchParam);",
                "        GlobalUnlock(*hParam);",
                "        return(USR_ERR_MEM);",
                "     }",
            });
        }
    }
    print.Lines({"", "     // unlock memory", "     GlobalUnlock(*hScratchParam);"});
}

// ------------------------------------------------------- UserDefaultSetupProc

void WriteStructureDeclarations(Printer& print, const BLOCKINFO& block) {
    print.Line("    BLOCK_PARAM       *pPtr;");
    if (UsesScratch(block)) {
        print.Line("    SCRATCH_PARAM     *sPtr;");
    }
    if (block.RealTime) {
        print.Line("    RTBLOCK_PARAM     *bPtr;");
    }
}

// The persistent variable's initialisation, or nothing for a type without
// one (and for Other without a default, which has no value to write).
std::string PersistantInitialisation(const PERSISTANTINFO& variable, int i) {
    const std::string member = "    pPtr->" + Identifier(variable.PersistantName, i);
    const std::string& typed = variable.PersistantDefault;
    switch (variable.PersistantType) {
        case TYPE_OTHER:
            if (typed.find_first_not_of(" \t") == std::string::npos) {
                return {};
            }
            return member + " = " + typed + ";";
        case TYPE_INTEGER:
        case TYPE_DOUBLE:
        case TYPE_LONG:
        case TYPE_SHORT:
        case TYPE_BYTE:
            return member + " = " + NumericDefault(typed) + ";";
        case TYPE_FLOAT:
            return member + " = (float)" + NumericDefault(typed) + ";";
        case TYPE_CHAR:
            return member + " = " + CharLiteral(typed) + ";";
        case TYPE_TEXT:  // a default of any length, cut to the member's
            return "    lstrcpyn(pPtr->" + Identifier(variable.PersistantName, i) + ", " +
                   StringLiteral(typed) + ", TEXT_LENGTH);";
        default:
            return {};
    }
}

void WritePersistantDefaults(Printer& print, const BLOCKINFO& block) {
    const int count = std::min(block.NumPersistants, static_cast<int>(block.Persistants.size()));
    if (count <= 0) {
        return;
    }
    print.Lines({"", "    // Initialize persistant variables"});
    for (int i = 0; i < count; ++i) {
        const std::string line =
            PersistantInitialisation(block.Persistants[static_cast<size_t>(i)], i);
        if (!line.empty()) {
            print.Raw(line);
        }
    }
}

void WriteDefaultLocalArrays(Printer& print, const BLOCKINFO& block) {
    if (block.xDAIS) {
        return;
    }
    for (int i : UsedLocalArrays(block)) {
        const auto array = LocalArrayNames(print, block, i);
        print.Line("    // initialize local array <i> (<array name>)");
        print.Line("    pPtr->NumLocalElements<i> = <PREFIX>_NUMLOCAL<i>;  // set local array size");
        print.Line("    if ((sPtr->hLocalBuffer<i> = CheckDataBuffer(sPtr->hLocalBuffer<i>,(WORD)sizeof(<type>),(DWORD)pPtr->NumLocalElements<i>)) == NULL)  {");
        print.Lines({
            "       // unlock memory and return",
            "       GlobalUnlock(hScratchParam);",
            "       GlobalUnlock(hParam);",
            "       return(USR_ERR_MEM);",
            "    }",
            "",
        });
    }
}

void WriteDefaultSetupTail(Printer& print, const BLOCKINFO& block) {
    if (block.RealTime) {
        print.Line("    // get pointer to real-time block parameter structure");
        WriteRealTimeLock(print);
        print.Lines({
            "",
            "    // set board DSP handle to NULL to denote not initialized yet",
            "    bPtr->hDSPParam = NULL;",
        });
        if (block.xDAIS) {
            print.Lines({
                "    sPtr->hBitmap = LoadBitmap(GetBlockInstanceHandle(), MAKEINTRESOURCE(IDB_BITMAP));",
                "    GetObject(sPtr->hBitmap, sizeof(BITMAP), &sPtr->Bitmap);",
            });
        }
        print.Lines({
            "",
            "    // unlock memory",
            "    GlobalUnlock (sPtr->hRTParam);",
            "    GlobalUnlock(hScratchParam);",
            "    GlobalUnlock(hParam);",
        });
    } else {
        print.Lines({"", "    // unlock memory"});
        if (block.NumLocalArrays > 0) {
            print.Line("    GlobalUnlock(hScratchParam);");
        }
        print.Line("    GlobalUnlock(hParam);");
    }
    print.Lines({"", "    return(USR_NO_ERR);", "}", ""});
}

// ------------------------------------------------------ UserPreInitializeProc

void WriteDriverNameCheck(Printer& print) {
    WriteEmptyLine(print);
    WriteFrame(print, "//                   Get Driver Name", 75);
    print.Lines(
        {
            "    if (!pPtr->DriverName[0]) {    // driver not found",
            "      char Section[100];",
            "      GlobalUnlock(sPtr->hRTParam);",
            "      GlobalUnlock(hScratchParam);",
            "      GlobalUnlock(hParam);",
            "      GetAppSection(Section);",
            "      MessageBox(GetBlockWindowHandle(),",
            "        \"'DSP Board' entry not found!  You need to install the DSP board driver.\",",
            "           Section,MB_OK|MB_ICONEXCLAMATION);",
            "      return(USR_ERR_ICNFG);            // missing DSP Board entry",
            "    }",
        });
}

void WriteDriverOpening(Printer& print) {
    WriteEmptyLine(print);
    WriteFrame(print, "//                   Open Board Driver", 75);
    print.Lines(
        {
            "    if (sPtr->hDriver = VexaOpenDriver ((LPSTR)pPtr->DriverName, &sPtr->lpfnVexaSendCommand)){",
            "        if (!VexaSendCommand (sPtr->hDriver, DRV_OPENBLOCK, NULL, (LONG)sPtr->hRTParam)) {",
            "            VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);",
            "            GlobalUnlock(sPtr->hRTParam);",
            "            GlobalUnlock(hScratchParam);",
            "            GlobalUnlock(hParam);",
            "            return (USR_ERR_TO);",
            "        }",
            "    }",
            "    else {",
            "        // DSP board driver could not be opened",
            "        char ErrorStr[256];",
            "        GlobalUnlock(sPtr->hRTParam);",
            "        GlobalUnlock(hScratchParam);",
            "        GlobalUnlock(hParam);",
            "        // display error message",
            "        wsprintf(ErrorStr,\"DSP board driver (%s) could not be opened.  \"",
            "                 \"You must install the driver.\",pPtr->DriverName);",
            "        MessageBox(NULL,ErrorStr,\"Tessaline VEXA\",MB_OK|MB_ICONEXCLAMATION);",
            "        return (USR_ERR_OPENDRV);",
            "    }",
        });
}

void WritePrecisionNegotiation(Printer& print, const BLOCKINFO& block) {
    if (block.Native) {
        return;
    }
    WriteEmptyLine(print);
    if (block.NumInputs > 0) {
        print.Lines({
            "    // get DSP's default precision",
            "    if (pPtr->Precision==HDT_INT && !VexaSendCommand (sPtr->hDriver, DRV_INTSUPPORT,0,0)) {",
            "        pPtr->Precision = HDT_AUTO;",
            "    }",
            "    else if (pPtr->Precision==HDT_FLOAT && !VexaSendCommand (sPtr->hDriver, DRV_FLTSUPPORT,0,0)) {",
            "        pPtr->Precision = HDT_AUTO;",
            "    }",
        });
    } else {
        print.Lines({
            "    // get DSP's default precision",
            "    if (!(VexaSendCommand (sPtr->hDriver, DRV_DSPPRECISION, NULL, (LONG)sPtr->hRTParam))) {",
            "        VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);",
            "        GlobalUnlock(sPtr->hRTParam);",
            "        GlobalUnlock(hScratchParam);",
            "        GlobalUnlock(hParam);",
            "        return (USR_ERR_DSPC);",
            "    }",
            "    // override precision with DSP's default precision",
            "    if(bPtr->dwData == HDT_FLOAT)",
            "      pPtr->Precision   = (int)bPtr->dwData;  // def precision is returned in dwData",
        });
    }
    print.Line("    bPtr->wPrecision  = pPtr->Precision;");
}

void WriteRealTimePreInitialization(Printer& print, const BLOCKINFO& block) {
    print.Line("    // initialize real-time block parameter structure");
    WriteRealTimeLock(print);
    print.Lines({
        "",
        "    // get block information and store in real-time block structure",
        "    bPtr->bNumInputs     = GetNumInputs(hBioInfo);",
        "    bPtr->bNumOutputs    = GetNumOutputs(hBioInfo);",
        "    bPtr->bComplex       = 0;",
        "    bPtr->bDimension     = 0;",
        "    bPtr->wPrecision     = pPtr->Precision;",
        "    bPtr->bBlockCompiled = FALSE;",
    });
    // A matrix source block downloads Rows and Columns after its parameters.
    if (block.Matrix && block.NumInputs == 0) {
        print.Lines({
            "    bPtr->wNumParams     = NUM_PARAMS + 2;",
            "    bPtr->dwParamsSize   = PARAMS_SIZE + 2;",
        });
    } else {
        print.Lines({
            "    bPtr->wNumParams     = NUM_PARAMS;",
            "    bPtr->dwParamsSize   = PARAMS_SIZE;",
        });
    }
    print.Lines(
        {
            "    bPtr->wErrorCode     = 0;",
            "    bPtr->hErrorInfo     = NULL;",
            "",
            "    wBlockInstance++;                         // increment block instance",
            "    bPtr->wBlockInstance = wBlockInstance;    // store in block structure",
        });
    WriteDriverNameCheck(print);
    WriteDriverOpening(print);
    WritePrecisionNegotiation(print, block);
    print.Lines({
        "",
        "    // unlock memory",
        "    GlobalUnlock(sPtr->hRTParam);",
        "    GlobalUnlock(hScratchParam);",
    });
}

// --------------------------------------------------------- UserInitializeProc

void WriteLocalArrayClearing(Printer& print, const BLOCKINFO& block) {
    if (block.xDAIS) {
        return;
    }
    for (int i : UsedLocalArrays(block)) {
        const auto array = LocalArrayNames(print, block, i);
        print.Line("    // initialize local array <i> (<array name>)");
        print.Line("    if ((sPtr->hLocalBuffer<i> = CheckDataBuffer(sPtr->hLocalBuffer<i>,(WORD)sizeof(<type>),(DWORD)pPtr->NumLocalElements<i>)) == NULL)  {");
        print.Lines({
            "       // unlock memory and return ",
            "       GlobalUnlock(hScratchParam);",
            "       GlobalUnlock(hParam);",
            "       return(USR_ERR_MEM);",
            "    }",
            "",
        });
        print.Line("    if ((PtrLocal<i> = (<type> *) GlobalLock(sPtr->hLocalBuffer<i>)) == NULL){");
        print.Lines({
            "       GlobalUnlock(hScratchParam);",
            "       GlobalUnlock(hParam);",
            "       return(USR_ERR_NPT);",
            "    }",
            "",
        });
        print.Line("    // clear local array (<array name>)");
        print.Line("    for(index = 0; index<pPtr->NumLocalElements<i>; index++){");
        print.Line("        *(PtrLocal<i>+index) = <zero>");
        print.Line("    }");
        print.Line("    GlobalUnlock(sPtr->hLocalBuffer<i>);");
        WriteEmptyLine(print);
    }
}

}  // namespace

void WriteUserSetupProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    const std::string rule = Rule('=', 75);
    print.Raw(rule);
    for (std::string_view line : {
             "// Function   :  UserSetupProc()",
             "// Purpose    :  This function is called at the time of new block addition",
             "//               to set up Block I/O information and user parameter struct",
             "//               memory allocation",
             "// Parameters :  (HANDLE *)hParam    Parameter information struct",
             "//               (HANDLE *)hScratchParam Scratch Parameter struct",
             "// Returns    :  USR_NO_ERR if no error",
             "//               Error Code if error",
         }) {
        print.Raw(Padded(line, rule.size()));
    }
    print.Raw(rule);
    print.Lines({
        "int PASCAL UserSetupProc(HANDLE *hParam, HANDLE *hScratchParam)",
        "{",
        "    BLOCK_PARAM       *pPtr;",
    });
    if (UsesScratch(block)) {
        print.Line("    SCRATCH_PARAM     *sPtr;");
    }
    print.Lines({
        "",
        "     // allocate memory for block parameter structure */ ",
        "     *hParam = GlobalAlloc(GMEM_MOVEABLE|GMEM_ZEROINIT,(DWORD)sizeof(BLOCK_PARAM));",
        "     if (*hParam == NULL) return(USR_ERR_MEM);",
        "",
        "     // get pointer to block parameters",
        "     if ((pPtr = (BLOCK_PARAM *)GlobalLock(*hParam))==NULL)",
        "        return(USR_ERR_NPT);",
    });
    if (block.RealTime) {
        WriteSetupRealTimeAllocation(print);
    } else if (block.NumLocalArrays > 0) {
        WriteSetupLocalBuffers(print, block);
    } else {
        print.Lines({
            "",
            "     // no local memory, so scratch memory not required",
            "     *hScratchParam = NULL;",
            "",
        });
    }
    print.Lines({
        "     GlobalUnlock(*hParam);",
        "",
        "     return(USR_NO_ERR);",
        "}     ",
        "",
    });
}

void WriteUserDefaultSetupProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteBanner(print, 75,
                {
                    "// Function   :  UserDefaultSetupProc()",
                    "// Purpose    :  To setup default parameters",
                    "// Parameters :  hParam           Parameter information struct",
                    "//               hScratchParam    Scratch Parameter struct",
                    "// Returns    :  USR_NO_ERR if no error",
                    "//               error code otherwise",
                });
    print.Lines({"int PASCAL UserDefaultSetupProc(HANDLE hParam, HANDLE hScratchParam)", "{"});
    WriteStructureDeclarations(print, block);
    print.Lines({"", ""});
    WriteParameterLock(print);
    if (UsesScratch(block)) {
        WriteScratchLock(print);
    }
    print.Lines(
        {"    // reset local error condition", "    pPtr->LocalError = USR_NO_ERR;", ""});
    if (block.NumParameters > 0) {
        print.Line("    // get default user parameters");
    }
    print.Raw(block.RealTime ? "    UserLoadProc(hParam, hScratchParam, MNAME, RTBPARAM);"
                             : "    UserLoadProc(hParam, hScratchParam, MNAME, BPARAM);");
    WritePersistantDefaults(print, block);
    if (block.WarningType == WARNING_ONE_TIME) {
        print.Lines({
            "",
            "    //  initialize one-time warning condition to FALSE",
            "",
            "    pPtr->OneTimeWarning = FALSE;",
            "",
        });
    }
    WriteEmptyLine(print);
    WriteDefaultLocalArrays(print, block);
    WriteDefaultSetupTail(print, block);
}

void WriteUserPreInitializeProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteBanner(print, 77,
                {
                    "// Function   :  UserPreInitializeProc()",
                    "// Purpose    :  Pre-initialization procedure.",
                    "//               This procedure is called before the UserInitializeProc.  It",
                    "//               can be used for various functions such as loading a real-time",
                    "//               driver associated with the block.",
                    "// Parameters :  hBioInfo  Block I/O information struct",
                    "//               hParam    Parameter information struct",
                    "//               hScratchParam Scratch Parameter struct",
                    "// Returns    :  TRUE if initialization complete",
                    "//               FALSE otherwise",
                });
    print.Lines({
        "int PASCAL UserPreInitializeProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)",
        "{",
    });
    WriteStructureDeclarations(print, block);
    print.Lines({"", ""});
    WriteParameterLock(print);
    if (UsesScratch(block)) {
        WriteScratchLock(print);
    }
    if (block.RealTime) {
        WriteRealTimePreInitialization(print, block);
    } else {
        print.Line("    // unlock memory");
        if (block.NumLocalArrays > 0) {
            print.Line("    GlobalUnlock(hScratchParam);");
        }
    }
    print.Lines({"    GlobalUnlock(hParam);", "", "    return(USR_NO_ERR);", "}", ""});
}

void WriteUserInitializeProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteBanner(print, 77,
                {
                    "// Function   :  UserInitializeProc()",
                    "// Purpose    :  Initialization procedure",
                    "//               This function will handle all memory allocations and",
                    "//               other initializations required before processing",
                    "// Parameters :  hBioInfo  Block I/O information struct",
                    "//               hParam    Parameter information struct",
                    "//               hScratchParam Scratch Parameter struct",
                    "// Returns    :  TRUE if initialization complete",
                    "//               FALSE otherwise",
                });
    print.Lines({
        "int PASCAL UserInitializeProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)",
        "{",
        "    BLOCK_PARAM        *pPtr;",
    });
    if (UsesScratch(block)) {
        print.Line("    SCRATCH_PARAM      *sPtr;");
        if (block.RealTime) {
            print.Line("    RTBLOCK_PARAM      *bPtr;");
        }
    }
    WriteLocalPointerDeclarations(print, block);
    WriteParameterLockAndReset(print);
    print.Line("");
    if (block.WarningType == WARNING_ONE_TIME) {
        print.Lines({
            "//  initialize one-time warning condition to FALSE",
            "",
            "    pPtr->OneTimeWarning = FALSE;",
            "",
        });
    }
    if (UsesScratch(block)) {
        print.Lines({
            "    // get pointer to scratch parameters",
            "    if ((sPtr=(SCRATCH_PARAM *) GlobalLock(hScratchParam)) == NULL){",
            "        GlobalUnlock(hParam);",
            "        return(USR_ERR_NPT);",
            "    }",
            "",
        });
    }
    WriteLocalArrayClearing(print, block);
    if (block.RealTime) {
        WriteRealTimeLock(print);
        WriteEmptyLine(print);
    }
    print.Line("    // unlock memory");
    if (block.RealTime) {
        print.Line("    GlobalUnlock(sPtr->hRTParam);");
    }
    if (UsesScratch(block)) {
        print.Line("    GlobalUnlock(hScratchParam);");
    }
    print.Lines({"    GlobalUnlock(hParam);", "", "    return(USR_NO_ERR);", "}", ""});
}

}  // namespace bw
