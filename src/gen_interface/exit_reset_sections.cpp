// UserExitProc frees what the block allocated; UserResetProc clears the local
// arrays and puts a real-time block back to its DSP run.
#include "gen_interface/common_text.h"
#include "gen_interface/sections.h"
#include "generation/names_and_literals.h"

namespace bw {

using namespace section_text;

namespace {

void WriteExitScratch(Printer& print, const BLOCKINFO& block) {
    WriteScratchLock(print);
    if (HasHostLocalBuffers(block)) {
        print.Line("    // free local arrays");
        for (int i : UsedLocalArrays(block)) {
            const auto array = LocalArrayNames(print, block, i);
            print.Line("    FreeGlobalMemory(sPtr->hLocalBuffer<i>);  // free <array name>");
        }
    }
    if (block.RealTime) {
        print.Lines({
            "",
            "    // close block and driver",
            "    VexaSendCommand (sPtr->hDriver, DRV_CLOSEBLOCK, NULL, (LONG)sPtr->hRTParam);",
            "    VexaCloseDriver(sPtr->hDriver);",
            "    // free memory",
            "    FreeGlobalMemory(sPtr->hRTParam);",
        });
    }
    print.Lines({
        "",
        "    // free block scratch parameter structure memory ",
        "    GlobalUnlock(hScratchParam);",
        "    FreeGlobalMemory(hScratchParam);",
        "",
    });
}

// A failure leaves nothing locked.
void WriteLocalBufferClearing(Printer& print, const BLOCKINFO& block) {
    if (block.xDAIS) {
        return;
    }
    for (int i : UsedLocalArrays(block)) {
        const auto array = LocalArrayNames(print, block, i);
        print.Block(R"(
    // clear local buffer <i> (<array name>)
    if ((sPtr->hLocalBuffer<i> = CheckDataBuffer(sPtr->hLocalBuffer<i>,(WORD)sizeof(<type>),(DWORD)pPtr->NumLocalElements<i>)) == NULL){
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_MEM);
    }
    if ((PtrLocal<i> = (<type> *) GlobalLock(sPtr->hLocalBuffer<i>)) == NULL){
        GlobalUnlock(hScratchParam);
        GlobalUnlock(hParam);
        return(USR_ERR_NPT);
    }
    for(index = 0; index<pPtr->NumLocalElements<i>; index++)
        *(PtrLocal<i>+index) = <zero>
    GlobalUnlock(sPtr->hLocalBuffer<i>);

)");
    }
}

}  // namespace

void WriteUserExitProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteBanner(print, 75,
                {
                    "// Function   : UserExitProc()",
                    "// Purpose    : Exit function used for releasing resources (such as memory)",
                    "// Parameters : hBioInfo      - Block I/O information struct",
                    "//              hParam        - Parameter information struct",
                    "//              hScratchParam - Scratch Parameter struct",
                    "// Returns    : TRUE if no error",
                    "//              FALSE otherwise",
                });
    print.Lines(
        {
            "int PASCAL UserExitProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)",
            "{",
            "",
        });
    WriteFrame(print, "//                  Free output channel memory", 75);
    for (int i = 0; i < block.NumOutputs; ++i) {
        print.Raw("    HANDLE             hBufOut" + std::to_string(i) + " = NULL;");
    }
    print.Line("    BLOCK_PARAM       *pPtr;");
    if (UsesScratch(block)) {
        print.Line("    SCRATCH_PARAM     *sPtr;");
    }
    WriteEmptyLine(print);
    WriteParameterLock(print);
    if (block.NumOutputs > 0) {
        print.Line("    // get block output buffer handles");
        for (int i = 0; i < block.NumOutputs; ++i) {
            print.Line("    hBufOut<i> = GetOutputDataHandle(hBioInfo,<i>);",
                       {{"i", std::to_string(i)}});
        }
        print.Line("    // free block output buffers");
        for (int i = 0; i < block.NumOutputs; ++i) {
            print.Raw("    FreeGlobalMemory(hBufOut" + std::to_string(i) + ");");
        }
        WriteEmptyLine(print);
    }
    if (UsesScratch(block)) {
        WriteExitScratch(print, block);
    }
    print.Lines({
        "    // free block parameter structure memory ",
        "    GlobalUnlock(hParam);",
        "    FreeGlobalMemory(hParam);",
        "    return(USR_NO_ERR);",
        "}",
        "",
    });
}

void WriteUserResetProc(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteBanner(print, 75,
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
    print.Lines(
        {
            "int PASCAL UserResetProc(HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)",
            "{",
            "    BLOCK_PARAM        *pPtr = NULL;",
        });
    if (UsesScratch(block)) {
        print.Line("    SCRATCH_PARAM      *sPtr = NULL;");
    }
    WriteLocalPointerDeclarations(print, block);
    print.Lines({
        "",
        "    // get pointer to block parameter structure ",
        "    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)",
        "       return(USR_ERR_NPT);",
        "    // reset local error condition",
        "    pPtr->LocalError = USR_NO_ERR;",
    });
    if (block.RealTime) {
        print.Line("    pPtr->RunMode = RT_RUN_DSP;       // next run will start DSP");
    }
    WriteEmptyLine(print);
    if (block.WarningType == WARNING_ONE_TIME) {
        print.Lines({
            "//  initialize one-time warning condition to FALSE",
            "    pPtr->OneTimeWarning = FALSE;",
            "",
        });
    }
    if (UsesScratch(block)) {
        WriteScratchLock(print);
    }
    WriteLocalBufferClearing(print, block);
    if (block.RealTime) {
        WriteFrame(print, "//                              Reset DSP Board", 75);
        print.Lines({
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
    print.Line("    // unlock memory and return");
    if (UsesScratch(block)) {
        print.Line("    GlobalUnlock(hScratchParam);");
    }
    print.Lines({"    GlobalUnlock(hParam);", "    return(USR_NO_ERR);", "}", ""});
}

}  // namespace bw
