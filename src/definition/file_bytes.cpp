#include "definition/file_bytes.h"

#include <system_error>

#include "files/block_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace bw {

#ifdef _WIN32

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
    std::string bytes;
    if (!ReadRegularFile(path, LARGEST_FILE_READ, bytes)) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace bw
