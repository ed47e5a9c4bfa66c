#pragma once

// The generators' way of writing lines that read like the lines they produce:
// fixed groups written in order, and placeholders ("<i>", "<IDENT>" ...)
// filled in.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "generation/output_file.h"

namespace bw {

// One placeholder of a line and the text that replaces it (held by value, so
// a list of fields may outlive the expressions that made its values).
struct Field {
    Field(std::string_view placeholderText, std::string_view valueText)
        : placeholder(placeholderText), value(valueText) {}
    std::string_view placeholder;
    std::string value;
};

// The line with every placeholder replaced in one pass from the left, so that
// a value that happens to contain a placeholder stays as it is.
std::string Fill(std::string_view line, std::span<const Field> fields);
inline std::string Fill(std::string_view line, std::initializer_list<Field> fields) {
    return Fill(line, std::span<const Field>(fields.begin(), fields.size()));
}

// Writes each fixed line of a group, in order.
void WriteLines(OutputFile& file, std::initializer_list<std::string_view> lines);
void WriteLines(OutputFile& file, std::span<const char* const> lines);

// text followed by blanks up to width characters; longer texts stay whole.
std::string PadRight(std::string_view text, size_t width);

}  // namespace bw
