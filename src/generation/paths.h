#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace bw {

// Paths keep the form the user typed (often with "\", since the generated files
// are for Windows tools) until they reach the file system, where "\" and "/"
// both separate and existing components are matched without regard to case.

// (directory up to and including the last separator, the name after it); a
// path without a separator gives two empty texts. "\" and "/" both separate.
std::pair<std::string, std::string> SplitPath(std::string_view path);

// Makes every directory named by the part of path before its last separator
// exist, from the top down; pass a trailing separator to create the directory
// itself. Fails at the first directory that neither exists nor can be made,
// and for a drive-letter path (nothing is created then). The current
// directory is left unchanged.
bool CreateDirectoryPath(std::string_view path);

// True for a path that begins with a drive letter and a colon ("c:\...").
// Such a path names nothing here; see DriveLetterMessage.
bool HasDriveLetter(std::string_view path);

// What to tell the user about a drive-letter path before anything is written.
std::string DriveLetterMessage(std::string_view path);

// The path on this file system: "\" and "/" both separate, and every existing
// component is matched without regard to case ("DSPCODE" finds "DSPCode";
// an exact match wins, then the first match in name order).
std::string NativePath(std::string_view path);

// True when path names an existing regular file (never for a drive-letter path).
bool FileExists(std::string_view path);

}  // namespace bw
