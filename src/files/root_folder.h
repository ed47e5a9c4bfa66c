#pragma once

// A root folder is never a block folder, however a path reaches it: "/.",
// "/tpl/..", "C:\blocks\..\" and "\\server\share\." name one as surely as "/"
// does, so the text is resolved before it is judged.

#include <string>
#include <string_view>

namespace bw {

// How a path's beginning is read: POSIX knows one root; Windows also drives
// ("C:\", and "C:" alone) and shares ("\\server\share"), with or without the
// "\\?\" prefix. "\" and "/" both separate either way.
enum class PathForms { Posix, Windows };

// Whether path, its "." and ".." resolved as text, names a root folder. A
// relative path is taken from currentFolder (an absolute path); with an empty
// currentFolder it names none.
bool NamesRootFolder(std::string_view path, std::string_view currentFolder, PathForms forms);

// The same for a path as this system reads it, taken from the process's
// current folder when relative. A drive or share form counts everywhere: a
// template written on Windows may name one.
bool NamesRootFolderHere(std::string_view path);

}  // namespace bw
