#pragma once

// The preview of a generation run: what a run of the definition would do with
// each file of its set, found by producing every text in memory. Nothing is
// written and nothing is asked.

#include <string>
#include <vector>

#include "definition/block_info.h"
#include "generation/output_file.h"

namespace bw {

// What a run would do with one file of the set.
enum class FileChange {
    New,        // no file there yet
    Changed,    // the file would be replaced
    Unchanged,  // the file already holds what the run would write
};

struct FilePreview {
    std::string path;          // as the run forms it
    std::string relativePath;  // relative to Directory, as in the file set
    FileChange change = FileChange::New;
    // A previous version whose user sections would be carried over.
    bool splices = false;
    // User sections of that version that could not be carried over: the run
    // would keep them aside in an orphan file.
    bool keepsAside = false;
    // Changed since the program last wrote it: replacing it replaces the
    // edits, and the copy kept of it (copy, as the run forms paths) is
    // where they are found again.
    bool editedByHand = false;
    std::string copy = {};
};

// The answer to the splice question a preview assumes.
enum class SectionsCarried { Yes, No };

// What a run of the definition would do with each file of its set, with the
// user sections carried over or not as the splice answer says.
std::vector<FilePreview> PreviewFileSet(const BLOCKINFO& block, const RunEnvironment& environment,
                                        SectionsCarried carried = SectionsCarried::Yes);

}  // namespace bw
