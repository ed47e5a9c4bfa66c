#include "files/wide_text.h"

namespace bw {

std::filesystem::path FileSystemPath(std::string_view path) {
    return path;
}

std::string PathText(const std::filesystem::path& path) {
    return path.string();
}

}  // namespace bw
