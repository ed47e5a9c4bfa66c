#pragma once

namespace bw {

// Definitions write paths as the user typed them, with "\" or "/": both
// separate wherever a path is taken apart.
constexpr bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace bw
