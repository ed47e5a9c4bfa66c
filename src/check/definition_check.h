#pragma once

// The definition checker: what in a block definition would give files that do
// not compile or say something else than the user meant, found before anything
// is written. The wizard's pages, the generate page and the command line all
// ask it, so they refuse and warn alike.

#include <string>
#include <vector>

#include "definition/block_info.h"

namespace bw {

enum class Severity {
    Error,    // the generated files would not compile or would be wrong
    Warning,  // accepted, but worth knowing (what the template reader coerced)
};

// The wizard page that edits the field a finding concerns.
enum class DefinitionPage {
    Template,  // the template file as read, edited on no page
    Names,     // library, group and menu names
    Files,     // block file name, help and icon files, directories
    Data,      // data types, precisions, the XDAIS algorithm
    Revision,
    Channels,
    Parameters,
    LocalArrays,
    Persistants,
};

struct Finding {
    Severity severity = Severity::Error;
    DefinitionPage page = DefinitionPage::Template;
    int record = -1;      // the record or channel, -1 for a field of the block
    std::string key;      // the template key of the field ("ParameterName3", "Block Name")
    std::string message;  // in the program's voice, ready to show
};

// Every finding of the definition, errors of a page before its warnings, in
// page order. The template reader's notes come last, as warnings.
std::vector<Finding> CheckDefinition(const BLOCKINFO& block);

// The stock files the run copies (icons, the XDAIS bitmap) that are missing
// from the working directory, as errors naming the file and the setting that
// locates the folder.
std::vector<Finding> CheckStockFiles(const BLOCKINFO& block, const std::string& workingDirectory);

bool HasErrors(const std::vector<Finding>& findings);

// The first error that concerns the page, or null.
const Finding* FirstErrorOn(const std::vector<Finding>& findings, DefinitionPage page);

}  // namespace bw
