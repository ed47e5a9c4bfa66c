#include "gen_interface/section_text.h"

namespace bw::section_text {

void WriteEmptyLine(Printer& print) {
    print.Line("");
}

std::string Rule(char c, int count) {
    return "//" + std::string(static_cast<size_t>(count), c);
}

void WriteFrame(Printer& print, std::string_view title, int hyphens) {
    const std::string rule = Rule('-', hyphens);
    print.Raw(rule);
    print.Raw(title);
    print.Raw(rule);
}

void WriteBanner(Printer& print, int equals, std::initializer_list<std::string_view> lines) {
    const std::string rule = Rule('=', equals);
    print.Raw(rule);
    print.Lines(lines);
    print.Raw(rule);
}

}  // namespace bw::section_text
