#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "files/this_system.h"

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
bool HasDriveLetter(std::string_view path);

// True for a path that names nothing on this system: a drive-letter or a
// network ("\\server\share") path anywhere but on Windows. See
// ForeignPathMessage.
bool IsForeignPath(std::string_view path);

// What to tell the user about such a path before anything is written.
std::string ForeignPathMessage(std::string_view path);

// The path on this file system: "\" and "/" both separate, and every existing
// component is matched without regard to case ("DSPCODE" finds "DSPCode";
// an exact match wins, then the first match in name order).
std::string NativePath(std::string_view path);

// The path as shown to the user: the running system's separator throughout.
std::string DisplayPath(std::string_view path);

// path where it is relative (neither rooted nor on a drive) taken from folder
// (empty, or ending in a separator); any other path as it is.
std::string ResolveAgainst(std::string_view folder, std::string_view path);

// path without "." and ".." components and doubled separators, as the user
// would write it: one separator throughout (this system's for a path of this
// system's own, else the first the path has), the case as typed, a trailing
// separator kept. A ".." above the root is dropped; a relative path keeps its
// leading ".." ("/a/b/..\\c\\" gives "/a/c/" here).
std::string CleanPath(std::string_view path);

// The block folder of a template at templateFolder whose Directory is
// directory, made clean: a relative directory is taken from the template's
// folder, except for a template that lies in installedFolder (the program's
// own examples, where users cannot write and an uninstall would leave the
// block behind): its block goes into newBlocksFolder, in a folder named as
// the directory's last.
std::string TemplateBlockFolder(std::string_view templateFolder, std::string_view directory,
                                std::string_view installedFolder, std::string_view newBlocksFolder);

// A path as the Windows build tools that read generated files see it. Here,
// where they run under Wine, an absolute path is on Wine's drive Z: with "\"
// throughout ("/home/u/blocks/Gain" gives "Z:\home\u\blocks\Gain"); on
// Windows, and for relative and drive-letter paths, the path stays as it is.
std::string WindowsToolPath(std::string_view path);

// True when path names an existing regular file (never for a foreign path).
bool FileExists(std::string_view path);

}  // namespace bw
