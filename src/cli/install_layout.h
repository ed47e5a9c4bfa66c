#pragma once

// Where the program finds its parts, told from the folder of the executable,
// so that it runs alike from the build tree, from an install prefix and from a
// copy of that prefix moved elsewhere.

#include <string>

namespace bw {

// The stock icons, bitmaps and example templates: PREFIX/share/blockwright/
// when the program is PREFIX/bin/blockwright and that folder exists, else the
// program's own folder (the build tree, and Windows, where everything lies
// beside the executable). Ends in a separator when programFolder does.
std::string StockFolder(const std::string& programFolder);

// The HTML manual, in the stock folder, which the wizard's F1 opens.
inline constexpr const char* MANUAL_FILE = "manual.html";

// The folder of the wizard module, chosen the same way: PREFIX/lib/blockwright/
// (the library folder of the install), else the program's own folder.
std::string ModuleFolder(const std::string& programFolder);

}  // namespace bw
