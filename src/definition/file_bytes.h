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

#ifdef _WIN32
// UTF-8 text as the wide-character calls take it, and back.
std::wstring WideText(std::string_view text);
std::string Utf8Text(std::wstring_view wide);
#endif

// The file-system path of a native path.
std::filesystem::path FileSystemPath(std::string_view path);

// std::fopen of a native path.
std::FILE* OpenFile(const std::string& path, const char* mode);

// Moves file to offset, which may lie past 2 GiB on any system; false when
// it cannot.
bool SeekFile(std::FILE* file, size_t offset);

// Moves from over to, replacing an existing file (std::rename does not on
// Windows). False when to is left as it was.
bool MoveFileOver(const std::string& from, const std::string& to);

// Copies from to to, replacing an existing file. (The standard library's
// copy_file takes two files on Windows for one, as it cannot tell them apart.)
bool CopyFileOver(const std::string& from, const std::string& to);

// The whole content of the file at path (a native path), or nothing when it
// cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The calendar time of a moment, local or in UTC.
std::tm LocalTime(std::time_t moment);
std::tm UniversalTime(std::time_t moment);

}  // namespace bw
