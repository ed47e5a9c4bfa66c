#pragma once

// Small text tools of the interface source sections: placeholder filling,
// runs of fixed lines, frames and banners.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "generation/output_file.h"
#include "generation/text_lines.h"

namespace bw::section_text {

using Substitutions = std::initializer_list<Field>;
using bw::Fill;
using bw::WriteLines;

// Each line filled with values and followed by CR LF.
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
