#include "generation/paths.h"

#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "files/path_calls.h"
#include "files/path_text.h"
#include "files/wide_text.h"
#include "generation/names_and_literals.h"

namespace bw {

namespace fs = std::filesystem;

namespace {

// Calls visit(component, isLast) for each non-empty component of path.
template <typename Visit>
void ForEachComponent(std::string_view path, Visit visit) {
    size_t start = 0;
    while (start < path.size()) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        if (end > start) {
            visit(std::string(path.substr(start, end - start)), end >= path.size());
        }
        start = end + 1;
    }
}

}  // namespace

std::pair<std::string, std::string> SplitPath(std::string_view path) {
    const size_t last = path.find_last_of("\\/");
    if (last == std::string_view::npos) {
        return {};
    }
    return {std::string(path.substr(0, last + 1)), std::string(path.substr(last + 1))};
}

bool HasDriveLetter(std::string_view path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

bool IsForeignPath(std::string_view path) {
    // "\\server\share" would become the folder /server/share elsewhere.
    return !RUNNING_ON_WINDOWS && (HasDriveLetter(path) || path.starts_with("\\\\"));
}

std::string DisplayPath(std::string_view path) {
    constexpr char FOREIGN = RUNNING_ON_WINDOWS ? '/' : '\\';
    constexpr char OWN = RUNNING_ON_WINDOWS ? '\\' : '/';
    std::string shown(path);
    for (char& c : shown) {
        if (c == FOREIGN) {
            c = OWN;
        }
    }
    return shown;
}

std::string ResolveAgainst(std::string_view folder, std::string_view path) {
    const bool rooted = !path.empty() && (path[0] == '/' || path[0] == '\\');
    if (path.empty() || rooted || HasDriveLetter(path)) {
        return std::string(path);
    }
    return std::string(folder) + std::string(path);
}

namespace {

// The root part of path: a drive ("c:" and its separator), two separators of
// a network path, one separator, or nothing.
size_t RootLength(std::string_view path) {
    if (HasDriveLetter(path)) {
        return path.size() > 2 && IsSeparator(path[2]) ? 3 : 2;
    }
    if (path.size() > 1 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        return 2;
    }
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

// True for a path that names a place on this system from its root.
bool IsOwnAbsolute(std::string_view path) {
    return RUNNING_ON_WINDOWS ? HasDriveLetter(path) || RootLength(path) == 2
                              : !path.empty() && path[0] == '/';
}

bool SamePathStart(std::string_view path, std::string_view start) {
    if (path.size() < start.size()) {
        return false;
    }
    const std::string_view head = path.substr(0, start.size());
    return FILE_NAMES_IGNORE_CASE ? LowerCase(head) == LowerCase(start) : head == start;
}

}  // namespace

std::string CleanPath(std::string_view path) {
    const size_t rootLength = RootLength(path);
    const size_t firstSeparator = path.find_first_of("\\/");
    const char separator = IsOwnAbsolute(path) ? (RUNNING_ON_WINDOWS ? '\\' : '/')
                           : firstSeparator == std::string_view::npos ? '\\'
                                                                      : path[firstSeparator];
    std::string root(path.substr(0, rootLength));
    for (char& c : root) {
        c = IsSeparator(c) ? separator : c;
    }
    std::vector<std::string_view> parts;
    size_t start = rootLength;
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
            } else if (rootLength == 0) {
                parts.push_back(part);
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string clean = root;
    for (size_t i = 0; i < parts.size(); ++i) {
        clean += std::string(parts[i]);
        if (i + 1 < parts.size()) {
            clean += separator;
        }
    }
    const bool trailing = !path.empty() && IsSeparator(path.back());
    if (trailing && !parts.empty()) {
        clean += separator;
    }
    return clean;
}

std::string TemplateBlockFolder(std::string_view templateFolder, std::string_view directory,
                                std::string_view installedFolder,
                                std::string_view newBlocksFolder) {
    const bool relative =
        !directory.empty() && RootLength(directory) == 0 && !HasDriveLetter(directory);
    std::string installed = CleanPath(installedFolder);
    if (!installed.empty() && !IsSeparator(installed.back())) {
        installed += RUNNING_ON_WINDOWS ? '\\' : '/';
    }
    const std::string folder = CleanPath(templateFolder);
    const bool fromInstall = !installedFolder.empty() &&
                             SamePathStart(folder + (RUNNING_ON_WINDOWS ? '\\' : '/'), installed);
    if (!relative || !fromInstall || newBlocksFolder.empty()) {
        return CleanPath(ResolveAgainst(templateFolder, directory));
    }
    // The directory's last folder ("..\\out\\Gain\\" gives "Gain").
    const std::string cleanDirectory = CleanPath(directory);
    size_t end = cleanDirectory.size();
    while (end > 0 && IsSeparator(cleanDirectory[end - 1])) {
        --end;
    }
    const size_t begin = cleanDirectory.find_last_of("\\/", end == 0 ? 0 : end - 1);
    const std::string name =
        cleanDirectory.substr(begin == std::string::npos ? 0 : begin + 1,
                              end - (begin == std::string::npos ? 0 : begin + 1));
    std::string blocks(newBlocksFolder);
    if (!IsSeparator(blocks.back())) {
        blocks += RUNNING_ON_WINDOWS ? '\\' : '/';
    }
    return CleanPath(blocks +
                     (name.empty() || name == ".." ? std::string() : name + blocks.back()));
}

std::string WindowsToolPath(std::string_view path) {
    if (RUNNING_ON_WINDOWS || !path.starts_with('/')) {
        return std::string(path);
    }
    std::string windows = "Z:";
    for (const char c : path) {
        windows += c == '/' ? '\\' : c;
    }
    return windows;
}

std::string ForeignPathMessage(std::string_view path) {
    const char* what =
        HasDriveLetter(path) ? " begins with a drive letter" : " is a Windows network path";
    return "The path " + std::string(path) + what +
           ", which cannot be used on this system.  "
           "Choose a directory such as /home/user/blocks instead.";
}

std::string NativePath(std::string_view path) {
    if (RUNNING_ON_WINDOWS) {
        // The file system ignores case and takes both separators: the path
        // needs only its own separator.
        return DisplayPath(path);
    }
    // Where the folders exist as written, only the last component needs a
    // search: the common case, and a search lists a whole folder.
    std::string written = !path.empty() && IsSeparator(path[0]) ? "/" : "";
    std::string last;
    ForEachComponent(path, [&](const std::string& component, bool isLast) {
        if (isLast) {
            last = component;
        } else {
            written += component + '/';
        }
    });
    std::error_code ec;
    if (written.empty() || written == "/" || fs::is_directory(written, ec)) {
        return written + NameAsFolderHasIt(written, last);
    }
    std::string result = !path.empty() && IsSeparator(path[0]) ? "/" : "";
    ForEachComponent(path, [&](const std::string& component, bool isLast) {
        result += NameAsFolderHasIt(result, component);
        if (!isLast) {
            result += '/';
        }
    });
    return result;
}

bool FileExists(std::string_view path) {
    if (IsForeignPath(path)) {
        return false;
    }
    std::error_code ec;
    return fs::is_regular_file(FileSystemPath(NativePath(path)), ec);
}

bool CreateDirectoryPath(std::string_view path) {
    if (IsForeignPath(path)) {
        return false;
    }
    const std::string directory = SplitPath(path).first;
    if (RUNNING_ON_WINDOWS) {
        std::error_code ec;
        const fs::path folder = FileSystemPath(directory);
        return directory.empty() || fs::is_directory(folder, ec) ||
               fs::create_directories(folder, ec);
    }
    std::string built = !directory.empty() && IsSeparator(directory[0]) ? "/" : "";
    bool ok = true;
    ForEachComponent(directory, [&](const std::string& component, bool) {
        if (!ok) {
            return;
        }
        built += NameAsFolderHasIt(built, component);
        std::error_code ec;
        if (!fs::is_directory(built, ec) && !fs::create_directory(built, ec)) {
            ok = false;
        }
        built += '/';
    });
    return ok;
}

}  // namespace bw
