#include "gen_interface/common_text.h"

#include <cstdio>

#include "generation/shared_rules.h"

namespace bw::section_text {

LocalArrayText::LocalArrayText(const BLOCKINFO& block, int i)
    : index(Num(i)),
      name(block.LocalArrays[static_cast<size_t>(i)].ArrayName),
      type(TypeName(block.LocalArrays[static_cast<size_t>(i)].LocalPrecision)),
      zero(ZeroValue(block.LocalArrays[static_cast<size_t>(i)].LocalPrecision)),
      prefix(Prefix(block)) {}

std::string LocalArrayText::operator()(std::string_view line) const {
    return Fill(line, {{"<i>", index},
                       {"<array name>", name},
                       {"<type>", type},
                       {"<zero>", zero},
                       {"<PREFIX>", prefix}});
}

void WriteParameterLock(OutputFile& file) {
    WriteLines(file, {
                         "    // get pointer to block parameter structure",
                         "    if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)",
                         "       return(USR_ERR_NPT);",
                         "",
                     });
}

void WriteScratchLock(OutputFile& file) {
    WriteLines(file, {
                         "    // get pointer to scratch parameter structure",
                         "    if ((sPtr = (SCRATCH_PARAM *)GlobalLock(hScratchParam))==NULL) {",
                         "       GlobalUnlock(hParam);",
                         "       return(USR_ERR_NPT);",
                         "    }",
                         "",
                     });
}

void WriteRealTimeLock(OutputFile& file) {
    WriteLines(file, {
                         "    if ((bPtr = (RTBLOCK_PARAM *)GlobalLock(sPtr->hRTParam))==NULL)  {",
                         "       GlobalUnlock(hScratchParam);",
                         "       GlobalUnlock(hParam);",
                         "       return(USR_ERR_NPT);",
                         "    }",
                     });
}

void WriteLocalPointerDeclarations(OutputFile& file, const BLOCKINFO& block) {
    if (!HasHostLocalBuffers(block)) {
        return;
    }
    for (int i : UsedLocalArrays(block)) {
        const LocalArrayText array(block, i);
        char typeColumn[64];
        std::snprintf(typeColumn, sizeof typeColumn, "    %-14s", array.type.c_str());
        WriteLine(file, typeColumn, array("     *PtrLocal<i>;"));
    }
    WriteLine(file, "    unsigned int        index;");
}

}  // namespace bw::section_text
