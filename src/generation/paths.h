#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace bw {

// (directory up to and including the last separator, the name after it); a
// path without a separator gives two empty texts. "\" and "/" both separate.
std::pair<std::string, std::string> SplitPath(std::string_view path);

// Makes every directory named by the part of path before its last separator
// exist, from the top down; the current directory is left unchanged.
bool CreateDirectoryPath(std::string_view path);

// True for a path that begins with a drive letter and a colon ("c:\...").
bool HasDriveLetter(std::string_view path);

// The path on this file system: "\" and "/" both separate, and every existing
// component is matched without regard to case ("DSPCODE" finds "DSPCode").
std::string NativePath(std::string_view path);

bool FileExists(std::string_view path);

}  // namespace bw
