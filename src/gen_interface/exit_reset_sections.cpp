// UserExitProc frees what the block allocated; UserResetProc clears the local
// arrays and puts a real-time block back to its DSP run.
#include "gen_interface/common_text.h"
#include "gen_interface/sections.h"
#include "generation/shared_rules.h"

namespace bw {

using namespace section_text;

namespace {

void WriteExitScratch(OutputFile& file, const BLOCKINFO& block) {
    WriteLines(file, {
                         "    // get pointer to scratch parameter structure",
                         "    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {",
                         "       GlobalUnlock(hParam);",
                         "       return(USR_ERR_NPT);",
                         "    }",
                         "",
                     });
    if (HasHostLocalBuffers(block)) {
        WriteLine(file, "    // free local arrays");
        for (int i : UsedLocalArrays(block)) {
            const LocalArrayText array(block, i);
            WriteLine(file,
                      array("    FreeGlobalMemory(sPtr->hLocalBuffer<i>);  // free <array name>"));
        }
    }
    if (block.RealTime) {
        WriteLines(file, {
                             "",
                             "    // close block and driver",
                             "    VexaSendCommand (sPtr->hDriver, DRV_CLOSEBLOCK, NULL, (LONG)sPtr->hRTParam);",
                             "    VexaCloseDriver(sPtr->hDriver);",
                             "    // free memory",
                             "    FreeGlobalMemory(sPtr->hRTParam);",
                         });
    }
    WriteLines(file, {
                         "",
                         "    // free block scratch parameter structure memory ",
                         "    GlobalUnlock(hScratchParam);",
                         "    FreeGlobalMemory(hScratchParam);",
                         "",
                     });
}

// These two returns carry no unlock lines.
void WriteLocalBufferClearing(OutputFile& file, const BLOCKINFO& block) {
    if (block.xDAIS) {
        return;
    }
    for (int i : UsedLocalArrays(block)) {
        const LocalArrayText array(block, i);
        for (std::string_view line : {
                 "    // clear local buffer <i> (<array name>)",
                 "    if ((sPtr->hLocalBuffer<i> = CheckDataBuffer(sPtr->hLocalBuffer<i>,(WORD)sizeof(<type>),(DWORD)pPtr->NumLocalElements<i>)) == NULL)",
                 "        return(USR_ERR_MEM);",
                 "    if ((PtrLocal<i> = (<type> *) GlobalLock(sPtr->hLocalBuffer<i>)) == NULL)",
                 "        return(USR_ERR_NPT);",
                 "    for(index = 0; index<pPtr->NumLocalElements<i>; index++)",
                 "        *(PtrLocal<i>+index) = <zero>",
                 "    GlobalUnlock(sPtr->hLocalBuffer<i>);",
                 "",
             }) {
            WriteLine(file, array(line));
        }
    }
}

}  // namespace

void WriteUserExitProc(OutputFile& file, const BLOCKINFO& block) {
    WriteBanner(file, 75,
                {
                    "// Function   : UserExitProc()",
                    "// Purpose    : Exit function used for releasing resources (such as memory)",
                    "// Parameters : hBioInfo      - Block I/O information struct",
                    "//              hParam        - Parameter information struct",
                    "//              hScratchParam - Scratch Parameter struct",
                    "// Returns    : TRUE if no error",
                    "//              FALSE otherwise",
                });
    WriteLines(file,
               {
                   "int PASCAL UserExitProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)",
                   "{",
                   "",
               });
    WriteFrame(file, "//                  Free output channel memory", 75);
    for (int i = 0; i < block.NumOutputs; ++i) {
        WriteLine(file, "    HANDLE             hBufOut" + Num(i) + " = NULL;");
    }
    WriteLine(file, "    BLOCK_PARAM       *pPtr;");
    if (UsesScratch(block)) {
        WriteLine(file, "    SCRATCH_PARAM     *sPtr;");
    }
    WriteEmptyLine(file);
    WriteParameterLock(file);
    if (block.NumOutputs > 0) {
        WriteLine(file, "    // get block output buffer handles");
        for (int i = 0; i < block.NumOutputs; ++i) {
            WriteFilled(file, "    hBufOut<i> = GetOutputDataHandle(hBioInfo,<i>);",
                        {{"<i>", Num(i)}});
        }
        WriteLine(file, "    // free block output buffers");
        for (int i = 0; i < block.NumOutputs; ++i) {
            WriteLine(file, "    FreeGlobalMemory(hBufOut" + Num(i) + ");");
        }
        WriteEmptyLine(file);
    }
    if (UsesScratch(block)) {
        WriteExitScratch(file, block);
    }
    WriteLines(file, {
                         "    // free block parameter structure memory ",
                         "    GlobalUnlock(hParam);",
                         "    FreeGlobalMemory(hParam);",
                         "    return(USR_NO_ERR);",
                         "}",
                         "",
                     });
}

void WriteUserResetProc(OutputFile& file, const BLOCKINFO& block) {
    WriteBanner(file, 75,
                {
                    "// Function   : UserResetProc()",
                    "// Purpose    : Reset parameters such as frames pointers, flag to rerun the",
                    "//              the algorithm",
                    "// Parameters : hBioInfo      - Block I/O information struct",
                    "//              hParam        - Parameter information struct",
                    "//              hScratchParam - Scratch Parameter struct",
                    "// Returns    : USR_NO_ERR if no error",
                    "//              Error Code if error",
                });
    WriteLines(file,
               {
                   "int PASCAL UserResetProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)",
                   "{",
                   "    BLOCK_PARAM        *pPtr = NULL;",
               });
    if (UsesScratch(block)) {
        WriteLine(file, "    SCRATCH_PARAM      *sPtr = NULL;");
    }
    WriteLocalPointerDeclarations(file, block);
    WriteLines(file, {
                         "",
                         "    // get pointer to block parameter structure ",
                         "    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)",
                         "       return(USR_ERR_NPT);",
                         "    // reset local error condition",
                         "    pPtr->LocalError = USR_NO_ERR;",
                     });
    if (block.RealTime) {
        WriteLine(file, "    pPtr->RunMode = RT_RUN_DSP;       // next run will start DSP");
    }
    WriteEmptyLine(file);
    if (block.WarningType == WARNING_ONE_TIME) {
        WriteLines(file, {
                             "//  initialize one-time warning condition to FALSE",
                             "    pPtr->OneTimeWarning = FALSE;",
                             "",
                         });
    }
    if (UsesScratch(block)) {
        WriteScratchLock(file);
    }
    WriteLocalBufferClearing(file, block);
    if (block.RealTime) {
        WriteFrame(file, "//                              Reset DSP Board", 75);
        WriteLines(
            file,
            {
                "    // reset DSP",
                "    if (!VexaSendCommand (sPtr->hDriver, DRV_RESETDSP,NULL, (LONG)sPtr->hRTParam)) {",
                "        VexaSendCommand(sPtr->hDriver,DRV_ERRMSG,NULL,(LONG)sPtr->hRTParam);",
                "        // unlock memory and return error",
                "        GlobalUnlock(hScratchParam);",
                "        GlobalUnlock(hParam);",
                "        return (USR_ERR_NPT);",
                "    }",
                "",
            });
    }
    WriteLine(file, "    // unlock memory and return");
    if (UsesScratch(block)) {
        WriteLine(file, "    GlobalUnlock(hScratchParam);");
    }
    WriteLines(file, {"    GlobalUnlock(hParam);", "    return(USR_NO_ERR);", "}", ""});
}

}  // namespace bw
