#include "generation/protection.h"

#include <filesystem>
#include <system_error>

#include "definition/file_bytes.h"
#include "generation/paths.h"

namespace bw {

namespace fs = std::filesystem;

namespace {

constexpr const char* BACKUP_FOLDER = "KRSave";

// Copies path into its backup folder, replacing an older copy there. The
// copy is made beside the older one first and replaces it only when whole, so
// a copy that fails part way (a full disk) leaves the older one as it was.
bool CopyToBackupFolder(const std::string& path) {
    auto [directory, name] = SplitPath(path);
    if (name.empty() && directory.empty()) {
        name = path;  // a bare file name lives in the current directory
    }
    const std::string folder = directory + BACKUP_FOLDER + "\\";
    CreateDirectoryPath(folder);  // a failure shows in the copy
    const std::string copy = NativePath(folder + name);
    const std::string partial = copy + ".part~";
    std::error_code ec;
    if (fs::copy_file(FileSystemPath(NativePath(path)), FileSystemPath(partial),
                      fs::copy_options::overwrite_existing, ec) &&
        !ec && MoveFileOver(partial, copy)) {
        return true;
    }
    fs::remove(FileSystemPath(partial), ec);
    return false;
}

}  // namespace

bool Backup(const std::string& path, UserPrompts& prompts) {
    if (!FileExists(path) || CopyToBackupFolder(path)) {
        return true;
    }
    return prompts.askYesNo(
        "Unable to backup file " + DisplayPath(path) + ".  Do you want to overwrite this file ?",
        MessageIcon::Question);
}

bool DecideOverwrite(const std::string& path, RunEnvironment& environment,
                     OverwriteAnswer& lastAnswer) {
    // A run that has ended, or nobody to ask, never replaces a file.
    if (environment.Stopping) {
        return false;
    }
    if (!FileExists(path)) {
        return true;
    }
    if (environment.prompts == nullptr) {
        return false;
    }
    if (lastAnswer != OverwriteAnswer::YesToAll) {
        lastAnswer = environment.prompts->askOverwrite(path);
        if (lastAnswer == OverwriteAnswer::Cancel) {
            environment.Stopping = true;
        }
    }
    if (lastAnswer != OverwriteAnswer::Yes && lastAnswer != OverwriteAnswer::YesToAll) {
        return false;
    }
    return Backup(path, *environment.prompts);
}

}  // namespace bw
