#pragma once

#include "definition/block_info.h"
#include "generation/output_file.h"

namespace bw {

// BlockName + ".h", keeping the user sections of its previous version.
void WriteBlockHeader(OutputFile& file, const BLOCKINFO& block);
// BlockName + ".c" (blocks that are not DSP-based), keeping its user sections.
void WriteUserSource(OutputFile& file, const BLOCKINFO& block);
// "hresourc.h": the control and string identifiers.
void WriteResourceHeader(OutputFile& file, const BLOCKINFO& block);
// "resource.h".
void WriteResourceIds(OutputFile& file, const BLOCKINFO& block);
// BlockName + ".rc" with the generated parameter dialog.
void WriteResourceScript(OutputFile& file, const BLOCKINFO& block);
// BlockName + ".def".
void WriteModuleDefinition(OutputFile& file, const BLOCKINFO& block);
// BlockName + ".txt".
void WriteDescriptionText(OutputFile& file, const BLOCKINFO& block);
// BlockName + ".lnk".
void WriteLinkResponse(OutputFile& file, const BLOCKINFO& block);

}  // namespace bw
