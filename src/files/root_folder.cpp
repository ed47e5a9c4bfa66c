#include "files/root_folder.h"

#include <filesystem>
#include <vector>

#include "files/path_text.h"

namespace bw {

namespace {

bool IsDrive(std::string_view path) {
    const char c = path.empty() ? '\0' : path[0];
    return path.size() >= 2 && path[1] == ':' && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
}

// The non-empty components of path.
std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path[i])) {
            if (i > start) {
                parts.push_back(path.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return parts;
}

// Whether the components of path after its first rootParts (those that
// name the root itself) leave nothing once "." is dropped and each ".." takes
// the one before it away; at the root, ".." stays there.
bool ClimbsToTheTop(std::string_view path, size_t rootParts = 0) {
    const std::vector<std::string_view> parts = Components(path);
    size_t depth = 0;
    for (size_t i = rootParts; i < parts.size(); ++i) {
        if (parts[i] == "..") {
            depth -= depth > 0 ? 1 : 0;
        } else if (parts[i] != ".") {
            ++depth;
        }
    }
    return depth == 0;
}

// A share's root is its server and share name; a volume's its name.
constexpr size_t SHARE_ROOT_PARTS = 2;
constexpr size_t VOLUME_ROOT_PARTS = 1;

bool StartsWithTwoSeparators(std::string_view path) {
    return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

}  // namespace

bool NamesRootFolder(std::string_view path, std::string_view currentFolder, PathForms forms) {
    const bool windows = forms == PathForms::Windows;
    if (windows && StartsWithTwoSeparators(path)) {
        std::string_view rest = path.substr(2);
        // "\\?\C:\..." and "\\.\C:\..." name what follows; "\\?\UNC\server\share" a share.
        if (rest.size() >= 2 && (rest[0] == '?' || rest[0] == '.') && IsSeparator(rest[1])) {
            rest.remove_prefix(2);
            if (IsDrive(rest)) {
                return ClimbsToTheTop(rest.substr(2));
            }
            if (rest.size() >= 4 && (rest.substr(0, 3) == "UNC" || rest.substr(0, 3) == "unc") &&
                IsSeparator(rest[3])) {
                return ClimbsToTheTop(rest.substr(4), SHARE_ROOT_PARTS);
            }
            // "\\?\Volume{...}\": the volume is the root.
            return ClimbsToTheTop(rest, VOLUME_ROOT_PARTS);
        }
        return ClimbsToTheTop(rest, SHARE_ROOT_PARTS);
    }
    if (windows && IsDrive(path)) {
        // "C:blocks" is taken from the drive's top: what names the top there
        // names it from any folder of the drive.
        return ClimbsToTheTop(path.substr(2));
    }
    if (!path.empty() && IsSeparator(path[0])) {
        return ClimbsToTheTop(path);
    }
    if (currentFolder.empty()) {
        return false;
    }
    std::string whole(currentFolder);
    whole += '/';
    whole.append(path);
    return NamesRootFolder(whole, "", forms);
}

}  // namespace bw
