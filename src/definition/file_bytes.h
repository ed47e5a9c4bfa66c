#pragma once

#include <optional>
#include <string>

namespace bw {

// The whole content of the file at path (a native path), or nothing when it
// cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace bw
