#pragma once

// Native paths are UTF-8 text. On Windows they reach the file system through
// the wide-character calls, so folder names outside the ANSI code page work;
// elsewhere the bytes are handed over as they are.

#include <filesystem>
#include <string>
#include <string_view>

namespace bw {

// The file-system path of a native path, and a path's native text.
std::filesystem::path FileSystemPath(std::string_view path);
std::string PathText(const std::filesystem::path& path);

// UTF-8 text as the wide-character calls take it, and back (Windows only).
std::wstring WideText(std::string_view text);
std::string Utf8Text(std::wstring_view wide);

}  // namespace bw
