#include "generation/text_lines.h"

namespace bw {

std::string Fill(std::string_view line, std::span<const Field> fields) {
    std::string result;
    result.reserve(line.size());
    size_t at = 0;
    while (at < line.size()) {
        const Field* match = nullptr;
        for (const Field& field : fields) {
            if (!field.placeholder.empty() &&
                line.substr(at, field.placeholder.size()) == field.placeholder) {
                match = &field;
                break;
            }
        }
        if (match != nullptr) {
            result += match->value;
            at += match->placeholder.size();
        } else {
            result += line[at++];
        }
    }
    return result;
}

void WriteLines(OutputFile& file, std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) {
        WriteLine(file, line);
    }
}

void WriteLines(OutputFile& file, std::span<const char* const> lines) {
    for (const char* line : lines) {
        WriteLine(file, line);
    }
}

std::string PadRight(std::string_view text, size_t width) {
    std::string result(text);
    if (result.size() < width) {
        result.append(width - result.size(), ' ');
    }
    return result;
}

}  // namespace bw
