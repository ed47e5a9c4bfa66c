#pragma once

// Searches over the lines of generated text (see Lines in generate.h).

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace bw {

inline bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Position of the first line equal to line at or after from, or -1.
inline std::ptrdiff_t IndexOf(const std::vector<std::string>& lines, const std::string& line,
                              std::ptrdiff_t from = 0) {
    auto it = std::find(lines.begin() + from, lines.end(), line);
    return it == lines.end() ? -1 : it - lines.begin();
}

// The lines strictly between the first line equal to from (at or after
// index start) and the next line equal to to.
inline std::vector<std::string> Between(const std::vector<std::string>& lines,
                                        const std::string& from, const std::string& to,
                                        size_t start = 0) {
    auto begin = std::find(lines.begin() + static_cast<long>(std::min(start, lines.size())),
                           lines.end(), from);
    EXPECT_NE(begin, lines.end()) << from;
    if (begin == lines.end()) {
        return {};
    }
    auto end = std::find(begin + 1, lines.end(), to);
    EXPECT_NE(end, lines.end()) << to;
    return {begin + 1, end};
}

// CR LF line ends for a list of lines.
inline std::string Text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

}  // namespace bw
