#pragma once

// The overwrite question for an existing file, and the copy of the file kept
// in "KRSave" before it is replaced.

#include <string>
#include <string_view>

#include "definition/seams.h"
#include "files/block_folder.h"
#include "generation/output_file.h"

namespace bw {

// The folder beside a replaced file that keeps its previous version, and the
// orphan files of sections that could not be carried over.
inline constexpr const char* BACKUP_FOLDER = "KRSave";

// The copy the backup keeps of a file: "KRSave" beside it, under its name.
std::string BackupOf(std::string_view relative);

enum class BackupOutcome {
    BackedUp,
    WithoutBackup,  // the copy failed and the user agreed to replace the file anyway
    Declined,       // the copy failed and the file is to be left alone
};

// Copies the file at relative (below folder; path is how the run names it)
// into the "KRSave" folder beside it, replacing an older copy, so the folder
// keeps the version most recently replaced. When the copy fails the user is
// told why and asked whether to overwrite the file anyway. A missing file
// needs no backup (BackedUp).
BackupOutcome Backup(BlockFolder& folder, const std::string& relative, const std::string& path,
                     UserPrompts& prompts);

enum class Overwrite {
    Keep,           // leave the file as it is
    Write,          // a new file, or one replaced without a backup by the user's consent
    WriteBackedUp,  // replace it: its backup is in "KRSave"
};

// The overwrite decision for the file at relative below folder (path is how
// the run names it, entry what is there now). Asks the overwrite question for
// an existing file unless lastAnswer is Yes to All (the answer becomes the new
// lastAnswer; Cancel also sets environment.Stopping); the question says when
// the file is read-only. Then backs the file up. A new file is always
// written, an existing one after Yes or Yes to All and a backup (or the
// user's consent without one). Once Stopping is set, or without prompts for
// an existing file, nothing is written (Keep, nothing asked).
Overwrite DecideOverwrite(BlockFolder& folder, const std::string& relative, const std::string& path,
                          const Entry& entry, RunEnvironment& environment,
                          OverwriteAnswer& lastAnswer);

}  // namespace bw
