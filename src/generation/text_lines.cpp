#include "generation/text_lines.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "generation/names_and_literals.h"

namespace bw {

namespace {

// What stands between "<" and ">" of a variable: a letter or an underscore,
// then letters, digits, underscores and blanks ("<i>", "<x171>", "<array
// name>"). "<windows.h>", "<4>" and "i < n && n > 0" hold no variable.
bool IsVariableName(std::string_view name) {
    const auto letter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    };
    return !name.empty() && letter(name.front()) &&
           std::all_of(name.begin(), name.end(),
                       [&](char c) { return letter(c) || (c >= '0' && c <= '9') || c == ' '; });
}

// Calls text(piece) for the text before, between and after the variables of
// pattern and variable(name) for each variable, in order; "<" and ">" that
// hold no variable name belong to the text.
template <typename Text, typename Variable>
void ScanPattern(std::string_view pattern, Text text, Variable variable) {
    size_t copied = 0;
    for (size_t at = pattern.find('<'); at != std::string_view::npos;) {
        const size_t end = pattern.find('>', at + 1);
        if (end == std::string_view::npos) {
            break;
        }
        const std::string_view name = pattern.substr(at + 1, end - at - 1);
        if (!IsVariableName(name)) {
            at = pattern.find('<', at + 1);
            continue;
        }
        text(pattern.substr(copied, at - copied));
        variable(name);
        copied = end + 1;
        at = pattern.find('<', copied);
    }
    text(pattern.substr(copied));
}

}  // namespace

UnknownVariable::UnknownVariable(std::string_view pattern, std::string_view name)
    : std::logic_error("The printer pattern \"" + std::string(pattern) + "\" names the variable <" +
                       std::string(name) + ">, which no scope sets.") {}

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

const std::string& Printer::Value(std::string_view name, Vars extra,
                                  std::string_view pattern) const {
    for (const Var& var : extra) {
        if (var.name == name) {
            return var.value;
        }
    }
    for (auto it = vars_.rbegin(); it != vars_.rend(); ++it) {
        if (it->first == name) {
            return it->second;
        }
    }
    throw UnknownVariable(pattern, name);
}

std::string Printer::Fill(std::string_view text, Vars extra) const {
    std::string result;
    result.reserve(text.size() + 16);
    ScanPattern(
        text, [&](std::string_view piece) { result.append(piece); },
        [&](std::string_view name) { result.append(Value(name, extra, text)); });
    return result;
}

const Printer::SplitPattern& Printer::Split(std::string_view pattern) {
    const auto address = reinterpret_cast<std::uintptr_t>(pattern.data());
    std::unique_ptr<SplitPattern>& slot = splits_[(address >> 3 ^ pattern.size()) % SPLIT_SLOTS];
    if (slot != nullptr && slot->pattern == pattern) {
        return *slot;
    }
    if (slot == nullptr) {
        slot = std::make_unique<SplitPattern>();
    }
    // Another pattern takes the slot, in the room the last one left.
    SplitPattern& split = *slot;
    split.pattern.assign(pattern);
    split.pieces.clear();
    split.textSize = 0;
    ScanPattern(
        split.pattern,
        [&](std::string_view text) {
            split.pieces.push_back({text, {}});
            split.textSize += text.size();
        },
        [&](std::string_view name) { split.pieces.back().name = name; });
    return split;
}

void Printer::Write(std::string_view text, Vars extra, bool endLine) {
    // A line without a placeholder is handed over as it is.
    if (text.find('<') == std::string_view::npos) {
        file_.WriteText(text, {}, endLine);
        return;
    }
    // Otherwise composed straight into the file's buffer from its pieces, so
    // that no filled copy of the line is made. Every value is looked up
    // before anything is written.
    const SplitPattern& split = Split(text);
    const std::string* values[32];  // only one for each piece is set and read
    if (split.pieces.size() > std::size(values)) {
        file_.WriteText(Fill(text, extra), {}, endLine);
        return;
    }
    size_t size = split.textSize + (endLine ? 2 : 0);
    for (size_t n = 0; n < split.pieces.size(); ++n) {
        const std::string_view name = split.pieces[n].name;
        values[n] = name.empty() ? nullptr : &Value(name, extra, text);
        size += values[n] != nullptr ? values[n]->size() : 0;
    }
    if (size > OutputFile::MAX_COMPOSED) {
        file_.WriteText(Fill(text, extra), {}, endLine);
        return;
    }
    char* out = file_.Compose(size);
    if (out == nullptr) {
        return;
    }
    for (size_t n = 0; n < split.pieces.size(); ++n) {
        out = std::copy(split.pieces[n].text.begin(), split.pieces[n].text.end(), out);
        if (values[n] != nullptr) {
            out = std::copy(values[n]->begin(), values[n]->end(), out);
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
