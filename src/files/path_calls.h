#pragma once

// The calls on whole paths that the core makes outside a block folder: files
// the user named (templates, settings, stock files) and the folders above a
// block folder. A block folder's own files go through BlockFolder.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bw {

// The most a file read whole may hold: far above any template, settings file
// or generated file, so that a device or a runaway file is refused rather
// than read until memory runs out.
inline constexpr std::uintmax_t LARGEST_FILE_READ = std::uintmax_t{16} << 20;

// The whole content of the regular file at path (a native path), or nothing
// when it cannot be opened or read, is not a regular file (a folder, a
// device, a FIFO) or holds more than LARGEST_FILE_READ bytes.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The first of names, in name order, that is name but for the case of its
// letters; name itself when none is.
std::string FirstNameIgnoringCase(const std::vector<std::string>& names, const std::string& name);

// The entry of folder (empty for the current one, else ending in a
// separator) that name finds: name itself when it exists or where the system
// matches names without regard to case, otherwise the first entry in name
// order that differs only in case; name when nothing matches.
std::string NameAsFolderHasIt(const std::string& folder, const std::string& name);

struct PathLimits {
    size_t path = 0;    // characters of a whole path to a file
    size_t folder = 0;  // characters of a whole path to a folder
    size_t name = 0;    // characters of one file or folder name
};

// The limits of the file system that holds the absolute folder, or its
// nearest existing parent: on Windows the classic ones (259 characters to a
// file, 247 to a folder, 255 in a name); elsewhere what the system says.
PathLimits SystemPathLimits(const std::string& folder);

}  // namespace bw
