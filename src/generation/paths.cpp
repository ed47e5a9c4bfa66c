#include "generation/paths.h"

#include <sys/stat.h>

#include <cctype>
#include <filesystem>
#include <system_error>

namespace bw {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The entry of directory whose name matches name: exactly if it exists,
// otherwise the first that differs only in case; else name itself.
std::string MatchComponent(const std::string& directory, const std::string& name) {
    const std::string exact = directory + name;
    std::error_code ec;
    if (name == "." || name == ".." || fs::exists(exact, ec)) {
        return name;
    }
    const std::string scan = directory.empty() ? std::string(".") : directory;
    for (fs::directory_iterator it(scan, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (EqualIgnoringAsciiCase(candidate, name)) {
            return candidate;
        }
    }
    return name;
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
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':';
}

std::string NativePath(std::string_view path) {
    std::string result;
    size_t start = 0;
    if (!path.empty() && IsSeparator(path[0])) {
        result = "/";
        start = 1;
    }
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        const std::string component(path.substr(start, end - start));
        if (!component.empty()) {
            result += MatchComponent(result, component);
        }
        if (end < path.size() && !result.empty() && result.back() != '/') {
            result += '/';
        }
        start = end + 1;
    }
    return result;
}

bool FileExists(std::string_view path) {
    struct stat info {};
    return ::stat(NativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool CreateDirectoryPath(std::string_view path) {
    const std::string directory = SplitPath(path).first;
    if (directory.empty()) {
        return true;
    }
    std::string built;
    size_t start = 0;
    if (IsSeparator(directory[0])) {
        built = "/";
        start = 1;
    }
    while (start < directory.size()) {
        size_t end = start;
        while (end < directory.size() && !IsSeparator(directory[end])) {
            ++end;
        }
        const std::string component = directory.substr(start, end - start);
        start = end + 1;
        if (component.empty()) {
            continue;
        }
        built += MatchComponent(built, component);
        std::error_code ec;
        if (!fs::is_directory(built, ec) && !fs::create_directory(built, ec)) {
            return false;
        }
        built += '/';
    }
    return true;
}

}  // namespace bw
