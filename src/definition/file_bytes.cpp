#include "definition/file_bytes.h"

#include <memory>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace bw {

#ifdef _WIN32

std::wstring WideText(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string Utf8Text(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

std::filesystem::path FileSystemPath(std::string_view path) {
    return WideText(path);
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(WideText(path).c_str(), WideText(mode).c_str());
}

bool SeekFile(std::FILE* file, size_t offset) {
    return _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
    return MoveFileExW(WideText(from).c_str(), WideText(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool CopyFileOver(const std::string& from, const std::string& to) {
    return CopyFileW(WideText(from).c_str(), WideText(to).c_str(), FALSE) != 0;
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

bool SeekFile(std::FILE* file, size_t offset) {
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool CopyFileOver(const std::string& from, const std::string& to) {
    std::error_code ec;
    return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing,
                                      ec) &&
           !ec;
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
    // Room for the size it has now, so that a large file is not moved as it
    // is read.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(FileSystemPath(path), ec);
    if (!ec) {
        bytes.reserve(static_cast<size_t>(size) + PIECE);
    }
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
