#pragma once

#include "definition/block_info.h"
#include "generation/output_file.h"

namespace bw {

// BlockName + ".h", keeping the user sections of its previous version.
bool WriteBlockHeader(OutputFile& file, const BLOCKINFO& block);
// BlockName + ".c" (blocks that are not DSP-based), keeping its user sections.
bool WriteUserSource(OutputFile& file, const BLOCKINFO& block);
// "hresourc.h": the control and string identifiers.
bool WriteResourceHeader(OutputFile& file, const BLOCKINFO& block);
// "resource.h".
bool WriteResourceIds(OutputFile& file, const BLOCKINFO& block);
// BlockName + ".rc" with the generated parameter dialog.
bool WriteResourceScript(OutputFile& file, const BLOCKINFO& block);
// BlockName + ".def".
bool WriteModuleDefinition(OutputFile& file, const BLOCKINFO& block);
// BlockName + ".txt".
bool WriteDescriptionText(OutputFile& file, const BLOCKINFO& block);
// BlockName + ".lnk".
bool WriteLinkResponse(OutputFile& file, const BLOCKINFO& block);

}  // namespace bw
