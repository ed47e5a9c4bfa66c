#include "generation/path_limits.h"

#include <filesystem>
#include <system_error>

#include "generation/paths.h"

namespace bw {

namespace fs = std::filesystem;

PathLimits PathLimitsAt(std::string_view folder) {
    return SystemPathLimits(AbsoluteFolder(folder));
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
