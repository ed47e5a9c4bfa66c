#pragma once

// The parameter dialog "USRDLG" of the resource script, laid out from the
// parameter list.

#include "definition/block_info.h"
#include "generation/text_lines.h"

namespace bw {

// The rows the dialog needs: its height follows from them.
int DialogRows(const BLOCKINFO& block);

// A dialog with a File Open parameter is wide enough for its Browse button.
bool IsWideDialog(const BLOCKINFO& block);

// Writes "USRDLG" for a simulation or a real-time block, through its "END"
// and the blank line after it.
void WriteParameterDialog(Printer& print, const BLOCKINFO& block);

}  // namespace bw
