#pragma once

// Writes the project files' fixed lines with the block's values filled in, so
// that a line in code reads like the line it produces.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "generation/output_file.h"

namespace bw {

class PlaceholderLines {
public:
    explicit PlaceholderLines(OutputFile& file)
        : file_(file) {}

    // Sets (or replaces) the value written for placeholder, such as "<N>".
    void Set(std::string_view placeholder, std::string_view value);

    // text with every placeholder replaced; a value is never scanned again,
    // so a block name holding "<N>" is written as it is.
    std::string Fill(std::string_view text) const;

    // Writes each text, filled in, as one whole line.
    void Line(std::string_view text);
    void Lines(std::initializer_list<std::string_view> texts);

private:
    OutputFile& file_;
    std::vector<std::pair<std::string, std::string>> values_;
};

}  // namespace bw
