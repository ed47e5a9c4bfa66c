#pragma once

// Small text tools of the interface source sections: placeholder filling,
// runs of fixed lines, frames and banners.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "generation/output_file.h"

namespace bw::section_text {

using Substitutions = std::initializer_list<std::pair<std::string_view, std::string_view>>;

// line with every placeholder ("<i>", "<IDENT>", ...) replaced by its value.
std::string Fill(std::string_view line, Substitutions values);

// Each line followed by CR LF; the filled form when values are given.
void WriteLines(OutputFile& file, std::initializer_list<std::string_view> lines);
void WriteLines(OutputFile& file, std::initializer_list<std::string_view> lines,
                Substitutions values);
void WriteEmptyLine(OutputFile& file);

// "//" followed by count copies of c.
std::string Rule(char c, int count);

// A comment frame: a rule of hyphens, the title, the same rule.
void WriteFrame(OutputFile& file, std::string_view title, int hyphens = 77);

// A function banner: a rule of equals signs, the lines, the same rule.
void WriteBanner(OutputFile& file, int equals, std::initializer_list<std::string_view> lines);

// The position of a list item as the generated text writes it.
inline std::string Num(int i) {
    return std::to_string(i);
}

}  // namespace bw::section_text
