#include "generation/text_lines.h"

#include <algorithm>
#include <array>
#include <vector>

namespace bw {

namespace {

std::string_view PlaceholderOf(const Field& field) {
    return field.placeholder;
}
std::string_view PlaceholderOf(std::string_view placeholder) {
    return placeholder;
}

// The first characters of the placeholders, as a table and, when they all
// begin alike (the usual "<"), as that one character for a fast search.
struct PlaceholderStarts {
    template <typename Placeholders>
    explicit PlaceholderStarts(const Placeholders& placeholders) {
        for (const auto& entry : placeholders) {
            const std::string_view placeholder = PlaceholderOf(entry);
            if (!placeholder.empty()) {
                const char first = placeholder.front();
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

// Splits line at its placeholders in one pass from the left: piece(text, n)
// for the text before an occurrence of placeholders[n], then piece(tail, -1).
// Only the positions that hold a placeholder's first character are compared;
// the text between them is handed over in one piece.
template <typename Placeholders, typename Piece>
void SplitAtPlaceholders(std::string_view line, const Placeholders& placeholders, Piece piece) {
    const PlaceholderStarts starts(placeholders);
    size_t copied = 0;
    for (size_t at = starts.Next(line, 0); at != std::string_view::npos;) {
        int match = -1;
        int n = 0;
        for (const auto& entry : placeholders) {
            const std::string_view placeholder = PlaceholderOf(entry);
            if (!placeholder.empty() && line.substr(at).starts_with(placeholder)) {
                match = n;
                break;
            }
            ++n;
        }
        if (match < 0) {
            at = starts.Next(line, at + 1);
            continue;
        }
        piece(line.substr(copied, at - copied), match);
        copied = at + PlaceholderOf(*(std::begin(placeholders) + match)).size();
        at = starts.Next(line, copied);
    }
    piece(line.substr(copied), -1);
}

}  // namespace

std::string Fill(std::string_view line, std::span<const Field> fields) {
    // Generators fill millions of lines for the largest blocks.
    std::string result;
    result.reserve(line.size() + 16);
    SplitAtPlaceholders(line, fields, [&](std::string_view text, int n) {
        result.append(text);
        if (n >= 0) {
            result.append(fields[static_cast<size_t>(n)].value);
        }
    });
    return result;
}

void WriteFilled(OutputFile& file, std::string_view line, std::span<const Field> fields) {
    // Handed over in pieces, so no filled copy of the line is made.
    std::array<std::string_view, 32> parts;
    size_t count = 0;
    bool overflow = false;
    SplitAtPlaceholders(line, fields, [&](std::string_view text, int n) {
        if (count + 2 > parts.size()) {
            overflow = true;
            return;
        }
        parts[count++] = text;
        if (n >= 0) {
            parts[count++] = fields[static_cast<size_t>(n)].value;
        }
    });
    if (overflow) {  // more placeholders than any generated line holds
        WriteLine(file, Fill(line, fields));
        return;
    }
    file.WriteParts(std::span(parts.data(), count), true);
}

LinePattern::LinePattern(std::string_view line,
                         std::initializer_list<std::string_view> placeholders)
    : line_(line) {
    SplitAtPlaceholders(std::string_view(line_), placeholders, [&](std::string_view text, int n) {
        pieces_.push_back({text, n});
        textSize_ += text.size();
    });
}

void LinePattern::WriteLine(OutputFile& file,
                            std::initializer_list<std::string_view> values) const {
    // Composed straight into the file's buffer: these lines are written by
    // the ten thousand.
    const auto valueOf = [&](const Piece& piece) {
        return piece.slot >= 0 && static_cast<size_t>(piece.slot) < values.size()
                   ? *(values.begin() + piece.slot)
                   : std::string_view();
    };
    size_t size = textSize_ + 2;
    for (const Piece& piece : pieces_) {
        size += valueOf(piece).size();
    }
    if (size > OutputFile::MAX_COMPOSED) {
        std::string line;
        for (const Piece& piece : pieces_) {
            line.append(piece.text).append(valueOf(piece));
        }
        bw::WriteLine(file, line);
        return;
    }
    char* out = file.Compose(size);
    if (out == nullptr) {
        return;
    }
    for (const Piece& piece : pieces_) {
        out = std::copy(piece.text.begin(), piece.text.end(), out);
        const std::string_view value = valueOf(piece);
        out = std::copy(value.begin(), value.end(), out);
    }
    out[0] = '\r';
    out[1] = '\n';
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
