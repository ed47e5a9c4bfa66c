#pragma once

// Native paths are UTF-8 text. On Windows they reach the file system through
// the wide-character calls, so folder names outside the ANSI code page work;
// elsewhere the bytes are handed over as they are.

#ifdef _WIN32
#include <string>
#include <string_view>

namespace bw {

// UTF-8 text as the wide-character calls take it, and back.
std::wstring WideText(std::string_view text);
std::string Utf8Text(std::wstring_view wide);

}  // namespace bw
#endif
