#include "projects/placeholder_lines.h"

namespace bw {

void PlaceholderLines::Set(std::string_view placeholder, std::string_view value) {
    for (auto& [name, current] : values_) {
        if (name == placeholder) {
            current = value;
            return;
        }
    }
    values_.emplace_back(placeholder, value);
}

std::string PlaceholderLines::Fill(std::string_view text) const {
    std::string result;
    result.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        bool replaced = false;
        if (text[at] == '<') {
            for (const auto& [name, value] : values_) {
                if (text.substr(at, name.size()) == name) {
                    result += value;
                    at += name.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) {
            result += text[at++];
        }
    }
    return result;
}

void PlaceholderLines::Line(std::string_view text) {
    WriteLine(file_, Fill(text));
}

void PlaceholderLines::Lines(std::initializer_list<std::string_view> texts) {
    for (std::string_view text : texts) {
        Line(text);
    }
}

}  // namespace bw
