#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/wide_text.h"

namespace bw {

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

// The most a file read whole may hold: far above any template, settings file
// or generated file, so that a device or a runaway file is refused rather
// than read until memory runs out.
inline constexpr std::uintmax_t LARGEST_FILE_READ = std::uintmax_t{16} << 20;

// The whole content of the regular file at path (a native path), or nothing
// when it cannot be opened or read, is not a regular file (a folder, a
// device, a FIFO) or holds more than LARGEST_FILE_READ bytes.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The calendar time of a moment, local or in UTC.
std::tm LocalTime(std::time_t moment);
std::tm UniversalTime(std::time_t moment);

}  // namespace bw
