#pragma once

// Small text tools of the interface source sections: frames and banners.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "generation/output_file.h"
#include "generation/text_lines.h"

namespace bw::section_text {

void WriteEmptyLine(Printer& print);

// "//" followed by count copies of c.
std::string Rule(char c, int count);

// A comment frame: a rule of hyphens, the title, the same rule.
void WriteFrame(Printer& print, std::string_view title, int hyphens = 77);

// A function banner: a rule of equals signs, the lines, the same rule.
void WriteBanner(Printer& print, int equals, std::initializer_list<std::string_view> lines);

}  // namespace bw::section_text
