#include "definition/file_bytes.h"

#include <cstdio>
#include <memory>

namespace bw {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        return std::nullopt;
    }
    // Read in large pieces until the end rather than trusting a size taken
    // beforehand: the file may change while it is read.
    std::string bytes;
    constexpr size_t PIECE = 256 * 1024;
    for (;;) {
        const size_t used = bytes.size();
        bytes.resize(used + PIECE);
        const size_t got = std::fread(bytes.data() + used, 1, PIECE, file.get());
        bytes.resize(used + got);
        if (got < PIECE) {
            break;
        }
    }
    if (std::ferror(file.get())) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace bw
