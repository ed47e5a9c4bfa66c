#include "gen_component/resource_text.h"

namespace bw {

std::string Fill(std::string_view line, std::initializer_list<Substitution> values) {
    std::string result;
    size_t at = 0;
    while (at < line.size()) {
        const Substitution* match = nullptr;
        if (line[at] == '<') {
            for (const Substitution& value : values) {
                if (line.substr(at, value.first.size()) == value.first) {
                    match = &value;
                    break;
                }
            }
        }
        if (match != nullptr) {
            result += match->second;
            at += match->first.size();
        } else {
            result += line[at];
            ++at;
        }
    }
    return result;
}

std::string PadRight(std::string_view text, size_t width) {
    std::string result(text);
    if (result.size() < width) {
        result.append(width - result.size(), ' ');
    }
    return result;
}

}  // namespace bw
