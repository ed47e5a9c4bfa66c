#pragma once

// How the text of a path is read wherever it is taken apart.

#include <string_view>

namespace bw {

// Definitions write paths as the user typed them, with "\" or "/": both
// separate.
constexpr bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Whether two names are the same but for the case of their ASCII letters, as
// a name typed in another case finds a file.
constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace bw
