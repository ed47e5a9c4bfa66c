#include "generation/text_lines.h"

#include <array>

namespace bw {

namespace {

// The first characters of the placeholders, as a table and, when they all
// begin alike (the usual "<"), as that one character for a fast search.
struct PlaceholderStarts {
    explicit PlaceholderStarts(std::span<const Field> fields) {
        for (const Field& field : fields) {
            if (!field.placeholder.empty()) {
                const char first = field.placeholder.front();
                table[static_cast<unsigned char>(first)] = true;
                single = count == 0 || single == first ? first : '\0';
                ++count;
            }
        }
    }

    // The next position from at that may start a placeholder, or npos.
    size_t Next(std::string_view line, size_t at) const {
        if (count == 0) {
            return std::string_view::npos;
        }
        if (single != '\0') {
            return line.find(single, at);
        }
        for (; at < line.size(); ++at) {
            if (table[static_cast<unsigned char>(line[at])]) {
                return at;
            }
        }
        return std::string_view::npos;
    }

    std::array<bool, 256> table{};
    char single = '\0';
    int count = 0;
};

}  // namespace

std::string Fill(std::string_view line, std::span<const Field> fields) {
    // Only the positions that hold a placeholder's first character are
    // compared; the text between them is copied in one piece. Generators fill
    // millions of lines for the largest blocks, so this matters.
    const PlaceholderStarts starts(fields);
    std::string result;
    result.reserve(line.size() + 16);
    size_t copied = 0;
    for (size_t at = starts.Next(line, 0); at != std::string_view::npos;) {
        const Field* match = nullptr;
        for (const Field& field : fields) {
            if (!field.placeholder.empty() && line.substr(at).starts_with(field.placeholder)) {
                match = &field;
                break;
            }
        }
        if (match == nullptr) {
            at = starts.Next(line, at + 1);
            continue;
        }
        result.append(line.substr(copied, at - copied)).append(match->value);
        copied = at + match->placeholder.size();
        at = starts.Next(line, copied);
    }
    result.append(line.substr(copied));
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
