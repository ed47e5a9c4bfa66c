#pragma once

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

// Native paths are UTF-8 text. On Windows they reach the file system through
// the wide-character calls, so folder names outside the ANSI code page work;
// elsewhere the bytes are handed over as they are.

// The file-system path of a native path.
std::filesystem::path FileSystemPath(std::string_view path);

// std::fopen of a native path.
std::FILE* OpenFile(const std::string& path, const char* mode);

// Moves from over to, replacing an existing file (std::rename does not on
// Windows). False when to is left as it was.
bool MoveFileOver(const std::string& from, const std::string& to);

// The whole content of the file at path (a native path), or nothing when it
// cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The calendar time of a moment, local or in UTC.
std::tm LocalTime(std::time_t moment);
std::tm UniversalTime(std::time_t moment);

}  // namespace bw
