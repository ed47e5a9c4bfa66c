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
    if (CopyFileOver(NativePath(path), partial) && MoveFileOver(partial, copy)) {
        return true;
    }
    std::error_code ec;
    fs::remove(FileSystemPath(partial), ec);
    return false;
}

// The lines of a file head that name when it was made, and how far into a
// file the head reaches.
constexpr std::string_view STAMP_LINES[] = {"//    Creation Date: ", "//    Creation Time: "};
constexpr int HEAD_LINES = 40;

// The line of text that starts at from, with its line end (empty at the end).
std::string_view LineAt(std::string_view text, size_t from) {
    const size_t lf = text.find('\n', from);
    return text.substr(from, lf == std::string_view::npos ? lf : lf + 1 - from);
}

bool SameStampLine(std::string_view a, std::string_view b) {
    const auto ending = [](std::string_view line) {
        return line.ends_with("\r\n") ? 2 : line.ends_with("\n") ? 1 : 0;
    };
    for (std::string_view stamp : STAMP_LINES) {
        if (a.starts_with(stamp) && b.starts_with(stamp)) {
            return ending(a) == ending(b);
        }
    }
    return false;
}

}  // namespace

bool SameContent(std::string_view existing, std::string_view generated) {
    size_t a = 0;
    size_t b = 0;
    for (int line = 0; line < HEAD_LINES && a < existing.size() && b < generated.size(); ++line) {
        const std::string_view lineA = LineAt(existing, a);
        const std::string_view lineB = LineAt(generated, b);
        if (lineA != lineB && !SameStampLine(lineA, lineB)) {
            return false;
        }
        a += lineA.size();
        b += lineB.size();
    }
    return existing.substr(a) == generated.substr(b);
}

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
