#include "definition/file_bytes.h"

#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

namespace bw {

#ifdef _WIN32

namespace {

std::wstring Wide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

}  // namespace

std::filesystem::path FileSystemPath(std::string_view path) {
    return Wide(path);
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

bool MoveFileOver(const std::string& from, const std::string& to) {
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::tm LocalTime(std::time_t moment) {
    std::tm result{};
    localtime_s(&result, &moment);
    return result;
}

std::tm UniversalTime(std::time_t moment) {
    std::tm result{};
    gmtime_s(&result, &moment);
    return result;
}

#else

std::filesystem::path FileSystemPath(std::string_view path) {
    return path;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool MoveFileOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::tm LocalTime(std::time_t moment) {
    std::tm result{};
    localtime_r(&moment, &result);
    return result;
}

std::tm UniversalTime(std::time_t moment) {
    std::tm result{};
    gmtime_r(&moment, &result);
    return result;
}

#endif

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFile(path, "rb"), &std::fclose);
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
