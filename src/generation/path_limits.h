#pragma once

// How long a path and a name in it may be where a block's files go, so that
// a name too long is refused before anything is written rather than failing
// half way through a run.

#include <cstddef>
#include <string>
#include <string_view>

#include "files/path_calls.h"

namespace bw {

// The limits of the file system that holds folder, or of its nearest
// existing parent: on Windows the classic ones (259 characters to a file, 247
// to a folder, 255 in a name); elsewhere what the system says of the folder.
PathLimits PathLimitsAt(std::string_view folder);

// folder as the system is handed it: native, absolute, ending in a separator.
std::string AbsoluteFolder(std::string_view folder);

}  // namespace bw
