#include "gen_interface/section_text.h"

namespace bw::section_text {

void WriteLines(OutputFile& file, std::initializer_list<std::string_view> lines,
                Substitutions values) {
    for (std::string_view line : lines) {
        WriteFilled(file, line, values);
    }
}

void WriteEmptyLine(OutputFile& file) {
    WriteLine(file, "");
}

std::string Rule(char c, int count) {
    return "//" + std::string(static_cast<size_t>(count), c);
}

void WriteFrame(OutputFile& file, std::string_view title, int hyphens) {
    const std::string rule = Rule('-', hyphens);
    WriteLine(file, rule);
    WriteLine(file, title);
    WriteLine(file, rule);
}

void WriteBanner(OutputFile& file, int equals, std::initializer_list<std::string_view> lines) {
    const std::string rule = Rule('=', equals);
    WriteLine(file, rule);
    WriteLines(file, lines);
    WriteLine(file, rule);
}

}  // namespace bw::section_text
