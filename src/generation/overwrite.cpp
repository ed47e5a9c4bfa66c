#include "generation/overwrite.h"

#include "files/path_calls.h"
#include "generation/paths.h"

namespace bw {

std::string BackupOf(std::string_view relative) {
    const size_t separator = relative.find_last_of("\\/");
    if (separator == std::string_view::npos) {
        return std::string(BACKUP_FOLDER) + "/" + std::string(relative);
    }
    return std::string(relative.substr(0, separator + 1)) + BACKUP_FOLDER + "/" +
           std::string(relative.substr(separator + 1));
}

BackupOutcome Backup(BlockFolder& folder, const std::string& relative, const std::string& path,
                     UserPrompts& prompts) {
    if (folder.Look(relative).kind == EntryKind::Missing) {
        return BackupOutcome::BackedUp;
    }
    // The copy replaces an older one only when whole, so a copy that fails
    // part way (a full disk) leaves the older one as it was.
    const FileResult copied = folder.Copy(relative, BackupOf(relative), LARGEST_FILE_READ);
    if (copied) {
        return BackupOutcome::BackedUp;
    }
    return prompts.askYesNo(copied.Message() + "\nUnable to backup file " + DisplayPath(path) +
                                ".  Do you want to overwrite this file ?",
                            MessageIcon::Question)
               ? BackupOutcome::WithoutBackup
               : BackupOutcome::Declined;
}

Overwrite DecideOverwrite(BlockFolder& folder, const std::string& relative, const std::string& path,
                          const Entry& entry, RunEnvironment& environment,
                          OverwriteAnswer& lastAnswer) {
    // A run that has ended, or nobody to ask, never replaces a file.
    if (environment.Stopping) {
        return Overwrite::Keep;
    }
    if (entry.kind == EntryKind::Missing) {
        return Overwrite::Write;
    }
    if (environment.prompts == nullptr) {
        return Overwrite::Keep;
    }
    if (lastAnswer != OverwriteAnswer::YesToAll) {
        lastAnswer = entry.readOnly ? environment.prompts->askOverwriteReadOnly(path)
                                    : environment.prompts->askOverwrite(path);
        if (lastAnswer == OverwriteAnswer::Cancel) {
            environment.Stopping = true;
        }
    }
    if (lastAnswer != OverwriteAnswer::Yes && lastAnswer != OverwriteAnswer::YesToAll) {
        return Overwrite::Keep;
    }
    switch (Backup(folder, relative, path, *environment.prompts)) {
        case BackupOutcome::BackedUp:
            return Overwrite::WriteBackedUp;
        case BackupOutcome::WithoutBackup:
            return Overwrite::Write;
        case BackupOutcome::Declined:
            break;
    }
    return Overwrite::Keep;
}

}  // namespace bw
