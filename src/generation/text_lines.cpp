#include "generation/text_lines.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "generation/shared_rules.h"

namespace bw {

void Printer::Set(std::string_view name, std::string_view value) {
    for (auto it = vars_.rbegin(); it != vars_.rend(); ++it) {
        if (it->first == name) {
            it->second = value;
            return;
        }
    }
    vars_.emplace_back(name, value);
}

Printer::Scope Printer::With(Vars vars) {
    const size_t size = vars_.size();
    for (const Var& var : vars) {
        vars_.emplace_back(var.name, var.value);
    }
    return Scope(*this, size);
}

const std::string* Printer::Find(std::string_view name, Vars extra) const {
    for (const Var& var : extra) {
        if (var.name == name) {
            return &var.value;
        }
    }
    for (auto it = vars_.rbegin(); it != vars_.rend(); ++it) {
        if (it->first == name) {
            return &it->second;
        }
    }
    return nullptr;
}

template <typename Piece>
void Printer::Split(std::string_view text, Vars extra, Piece piece) const {
    // Only the positions of "<" are looked at; the text between them is
    // handed over in one piece.
    size_t copied = 0;
    for (size_t at = text.find('<'); at != std::string_view::npos;) {
        const size_t end = text.find('>', at + 1);
        if (end == std::string_view::npos) {
            break;
        }
        const std::string* value = Find(text.substr(at + 1, end - at - 1), extra);
        if (value == nullptr) {
            at = text.find('<', at + 1);
            continue;
        }
        piece(text.substr(copied, at - copied));
        piece(std::string_view(*value));
        copied = end + 1;
        at = text.find('<', copied);
    }
    piece(text.substr(copied));
}

std::string Printer::Fill(std::string_view text, Vars extra) const {
    std::string result;
    result.reserve(text.size() + 16);
    Split(text, extra, [&](std::string_view piece) { result.append(piece); });
    return result;
}

void Printer::Write(std::string_view text, Vars extra, bool endLine) {
    // A line without a placeholder is handed over as it is.
    if (text.find('<') == std::string_view::npos) {
        file_.WriteText(text, {}, endLine);
        return;
    }
    // Otherwise composed straight into the file's buffer from its pieces, so
    // that no filled copy of the line is made: the largest blocks write tens
    // of thousands of such lines.
    struct Piece {
        const char* data;
        size_t size;
    };
    Piece pieces[64];  // only the first count are set and read
    size_t count = 0;
    size_t size = endLine ? 2 : 0;
    bool overflow = false;
    Split(text, extra, [&](std::string_view piece) {
        if (count == std::size(pieces)) {
            overflow = true;
            return;
        }
        pieces[count++] = {piece.data(), piece.size()};
        size += piece.size();
    });
    if (overflow || size > OutputFile::MAX_COMPOSED) {
        file_.WriteText(Fill(text, extra), {}, endLine);
        return;
    }
    char* out = file_.Compose(size);
    if (out == nullptr) {
        return;
    }
    for (size_t n = 0; n < count; ++n) {
        if (pieces[n].size > 0) {  // an empty piece may hold no pointer at all
            std::memcpy(out, pieces[n].data, pieces[n].size);
            out += pieces[n].size;
        }
    }
    if (endLine) {
        out[0] = '\r';
        out[1] = '\n';
    }
}

void Printer::Line(std::string_view line, Vars extra) {
    Write(line, extra, true);
}

void Printer::Text(std::string_view text, Vars extra) {
    Write(text, extra, false);
}

void Printer::Lines(std::initializer_list<std::string_view> lines, Vars extra) {
    for (std::string_view line : lines) {
        Write(line, extra, true);
    }
}

void Printer::Lines(std::span<const char* const> lines) {
    for (const char* line : lines) {
        Write(line, {}, true);
    }
}

void Printer::Block(std::string_view block, Vars extra) {
    if (block.starts_with('\n')) {
        block.remove_prefix(1);
    }
    if (block.ends_with('\n')) {
        block.remove_suffix(1);
    }
    for (;;) {
        const size_t end = block.find('\n');
        Write(block.substr(0, end), extra, true);
        if (end == std::string_view::npos) {
            return;
        }
        block.remove_prefix(end + 1);
    }
}

LinePattern::LinePattern(std::string_view line, std::initializer_list<std::string_view> names)
    : line_(line) {
    const std::string_view text(line_);
    size_t copied = 0;
    for (size_t at = text.find('<'); at != std::string_view::npos;) {
        const size_t end = text.find('>', at + 1);
        if (end == std::string_view::npos) {
            break;
        }
        const auto name = std::find(names.begin(), names.end(), text.substr(at + 1, end - at - 1));
        if (name == names.end()) {
            at = text.find('<', at + 1);
            continue;
        }
        pieces_.push_back(
            {text.substr(copied, at - copied), static_cast<int>(name - names.begin())});
        copied = end + 1;
        at = text.find('<', copied);
    }
    pieces_.push_back({text.substr(copied), -1});
    for (const Piece& piece : pieces_) {
        textSize_ += piece.text.size();
    }
}

void LinePattern::Print(Printer& printer, std::initializer_list<std::string_view> values) const {
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
    OutputFile& file = printer.File();
    if (size > OutputFile::MAX_COMPOSED) {
        std::string line;
        for (const Piece& piece : pieces_) {
            line.append(piece.text).append(valueOf(piece));
        }
        WriteLine(file, line);
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

void WriteFileHead(Printer& print, const std::function<void()>& head) {
    const std::tm& now = print.File().Now();
    const auto scope = print.With({{"FileName", print.File().FileName()},
                                   {"date", CreationDate(now)},
                                   {"time", CreationTime(now)},
                                   {"product", ProductLine()}});
    head();
}

std::string PadRight(std::string_view text, size_t width) {
    std::string result(text);
    if (result.size() < width) {
        result.append(width - result.size(), ' ');
    }
    return result;
}

}  // namespace bw
