#pragma once

// The generators' way of writing lines that read like the lines they produce:
// fixed groups written in order, and placeholders ("<i>", "<IDENT>" ...)
// filled in.

#include <charconv>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// WriteLine of the filled line.
void WriteFilled(OutputFile& file, std::string_view line, std::span<const Field> fields);
inline void WriteFilled(OutputFile& file, std::string_view line,
                        std::initializer_list<Field> fields) {
    WriteFilled(file, line, std::span<const Field>(fields.begin(), fields.size()));
}

// A line with placeholders split once into its text and slots, for a line
// written many times with different values (the per-channel lines of the
// largest blocks); filled as Fill fills it.
class LinePattern {
public:
    LinePattern(std::string_view line, std::initializer_list<std::string_view> placeholders);
    LinePattern(const LinePattern&) = delete;  // the pieces point into line_
    LinePattern& operator=(const LinePattern&) = delete;
    // Writes the line with values[n] in place of placeholders[n], and CR LF.
    void WriteLine(OutputFile& file, std::initializer_list<std::string_view> values) const;

private:
    struct Piece {
        std::string_view text;  // into line_
        int slot;               // the placeholder after the text, -1 at the end
    };
    std::string line_;
    std::vector<Piece> pieces_;
    size_t textSize_ = 0;  // the pieces' text, without values
};

// The decimal digits of a number, without allocating.
class NumberText {
public:
    explicit NumberText(int value)
        : size_(static_cast<size_t>(std::to_chars(digits_, digits_ + sizeof digits_, value).ptr -
                                    digits_)) {}
    operator std::string_view() const { return {digits_, size_}; }

private:
    char digits_[12];
    size_t size_;
};

// Writes each fixed line of a group, in order.
void WriteLines(OutputFile& file, std::initializer_list<std::string_view> lines);
void WriteLines(OutputFile& file, std::span<const char* const> lines);

// text followed by blanks up to width characters; longer texts stay whole.
std::string PadRight(std::string_view text, size_t width);

}  // namespace bw
