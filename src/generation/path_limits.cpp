#include "generation/path_limits.h"

#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <climits>

#include <unistd.h>
#endif

#include "generation/paths.h"

namespace bw {

namespace fs = std::filesystem;

namespace {

#ifndef _WIN32
// The folder itself or the nearest parent that exists: the one whose file
// system will hold the new folders.
fs::path ExistingFolder(fs::path folder) {
    std::error_code ec;
    while (!fs::exists(folder, ec) && folder.has_relative_path()) {
        folder = folder.parent_path();
    }
    return folder;
}

size_t Limit(const fs::path& folder, int name, long fallback) {
    const long value = pathconf(folder.c_str(), name);
    return static_cast<size_t>(value > 0 ? value : fallback);
}
#endif

}  // namespace

PathLimits PathLimitsAt(std::string_view folder) {
#ifdef _WIN32
    (void)folder;
    // MAX_PATH with its terminating null, and a folder leaves room for an
    // 8.3 name in it.
    return {259, 247, 255};
#else
    const fs::path existing = ExistingFolder(AbsoluteFolder(folder));
    // The system's path limit counts the terminating null.
    const size_t path = Limit(existing, _PC_PATH_MAX, PATH_MAX) - 1;
    return {path, path, Limit(existing, _PC_NAME_MAX, NAME_MAX)};
#endif
}

std::string AbsoluteFolder(std::string_view folder) {
    std::error_code ec;
    fs::path absolute = fs::absolute(NativePath(folder.empty() ? "." : folder), ec);
    std::string text = absolute.lexically_normal().string();
    if (text.empty() || text.back() != static_cast<char>(fs::path::preferred_separator)) {
        text += static_cast<char>(fs::path::preferred_separator);
    }
    return text;
}

}  // namespace bw
