#pragma once

// The generation run: remembers the user's choices, saves the template, then
// produces the block's file set in order, asking before replacing a file and
// keeping a backup of every file it replaces.

#include <string>
#include <vector>

#include "definition/block_info.h"
#include "generation/output_file.h"
#include "generation/splice_leftovers.h"

namespace bw {

inline constexpr const char* XDAIS_BITMAP_MISSING_MESSAGE =
    "xDAIS.BMP not found. Regenerate with file in the Blockwright working directory.";

// "Cannot open file " + path + ".  " + "Will abort code generation."
std::string CannotOpenMessage(const std::string& path);
// "Cannot copy file " + stock + " to " + path + "."; the run goes on without it.
std::string CannotCopyMessage(const std::string& stock, const std::string& path);
// "Cannot write file " + path + ".  The template was not saved."; the run
// goes on without it.
std::string CannotWriteTemplateMessage(const std::string& path);
// The sections of path that were not carried over could not be kept, so the
// previous version was put back in its place.
std::string CannotKeepLeftoversMessage(const std::string& path, const std::string& orphanPath);

enum class RunOutcome {
    Completed,
    Cancelled,  // Cancel in an overwrite question, or a question left unanswered
    Aborted,    // the block folder could not be held, or a file could not be opened or written
    Refused,    // the definition names files outside its directory: nothing written
};

enum class FileAction {
    Written,
    Unchanged,  // the file already held what the run would write: left alone
    Skipped,    // an existing file left as it was (declined, or not written whole)
    BackedUp,   // the previous version copied into "KRSave" (reported before Written)
};

struct FileEvent {
    FileAction action;
    std::string path;          // as the run forms it: directory + "\" + relative path
    std::string relativePath;  // relative to Directory, as in the file set
    bool readOnly = false;     // Written over a read-only file, which stays read-only
    // BackedUp: where the copy is ("KRSave" beside the file), and whether the
    // file held edits made by hand since the program last wrote it.
    std::string copy = {};
    bool editedByHand = false;
};

struct RunResult {
    RunOutcome outcome = RunOutcome::Completed;
    std::vector<FileEvent> events;  // in the order they happened
    // Files that could not be written or copied while the run went on (the
    // template, the stock icons and bitmap, a file whose leftover sections
    // could not be kept), each already reported through the prompts.
    std::vector<std::string> notWritten;
    // Per file, the user sections the splice could not carry over and where
    // they were kept; each file is reported through the prompts at the end.
    std::vector<SpliceLeftovers> leftovers;

    // The paths of the events with this action.
    std::vector<std::string> Paths(FileAction action) const;
    // How many events have this action.
    size_t Count(FileAction action) const;
    // How many read-only files were replaced.
    size_t ReadOnlyReplaced() const;
};

// Why the definition cannot be generated safely (an empty block name, a name
// that would put a file outside the block directory, a drive-letter
// directory), or empty when it can.
std::string RefusalReason(const BLOCKINFO& block);

// Stores "Open Directory", "Block Directory", "Lib Directory",
// "Include Directory", "Company Name" and "Vendor Name".
void RememberSettings(const BLOCKINFO& block, SettingsStore& settings);

// Runs one generation: the only place that reads previous versions, asks,
// backs up and writes. The integer DSP variant's files are produced from a
// copy of the definition. environment.Stopping is reset at the start and set
// at the end; environment.prompts, settings and clock must be set.
RunResult RunGeneration(const BLOCKINFO& block, RunEnvironment& environment);

// The environment of a run, put together in this one place: the seams it
// calls, the program's working directory (stock icons and bitmaps, ending in
// a separator) and the settings directory ("_rtparam.ini"). Nothing is
// pumped until the caller sets a pump.
RunEnvironment MakeRunEnvironment(UserPrompts* prompts, const Clock& clock, SettingsStore& settings,
                                  std::string workingDirectory, std::string settingsDirectory);

}  // namespace bw
