#include "gen_interface/common_text.h"

#include <cstdio>

#include "generation/names_and_literals.h"
#include "generation/text_contexts.h"

namespace bw::section_text {

Printer::Scope LocalArrayNames(Printer& print, const BLOCKINFO& block, int i) {
    const LOCALARRAYINFO& array = block.LocalArrays[static_cast<size_t>(i)];
    return print.With({{"i", i},
                       {"array name", Escaped(TextContext::CComment, array.ArrayName)},
                       {"type", TypeName(array.LocalPrecision)},
                       {"zero", ZeroValue(array.LocalPrecision)},
                       {"PREFIX", Prefix(block)}});
}

void WriteParameterLock(Printer& print) {
    print.Lines({
        "    // get pointer to block parameter structure",
        "    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)",
        "       return(USR_ERR_NPT);",
        "",
    });
}

void WriteParameterLockAndReset(Printer& print) {
    print.Lines({
        "",
        "    // get pointer to block parameters",
        "    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)",
        "       return(USR_ERR_NPT);",
        "",
        "    // reset local error condition",
        "    pPtr->LocalError = USR_NO_ERR;",
    });
}

void WriteScratchLock(Printer& print) {
    print.Lines({
        "    // get pointer to scratch parameter structure",
        "    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {",
        "       GlobalUnlock(hParam);",
        "       return(USR_ERR_NPT);",
        "    }",
        "",
    });
}

void WriteRealTimeLock(Printer& print) {
    print.Lines({
        "    if ((bPtr = (RTBLOCK_PARAM *)GlobalLock(sPtr->hRTParam))==NULL)  {",
        "       GlobalUnlock(hScratchParam);",
        "       GlobalUnlock(hParam);",
        "       return(USR_ERR_NPT);",
        "    }",
    });
}

void WriteLocalPointerDeclarations(Printer& print, const BLOCKINFO& block) {
    if (!HasHostLocalBuffers(block)) {
        return;
    }
    for (int i : UsedLocalArrays(block)) {
        const auto array = LocalArrayNames(print, block, i);
        // The type stands in a column of 14 characters.
        print.Line("    " + PadRight(print.Fill("<type>"), 14) + "     *PtrLocal<i>;");
    }
    print.Line("    unsigned int        index;");
}

}  // namespace bw::section_text
