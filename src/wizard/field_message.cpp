#include "wizard/field_message.h"

#include <algorithm>
#include <cctype>

namespace bw {

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Digits with an optional sign: a whole number, whatever its size.
bool LooksWhole(const std::string& text) {
    const size_t digits = (text.front() == '-' || text.front() == '+') ? 1 : 0;
    return text.size() > digits && std::all_of(text.begin() + static_cast<long>(digits), text.end(),
                                               [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

std::string WholeNumberRefusal(const std::string& field, const std::string& typed, long long low,
                               long long high) {
    const std::string range = " (" + std::to_string(low) + " to " + std::to_string(high) + ").";
    const std::string value = Trimmed(typed);
    if (value.empty()) {
        return field + ": a whole number is needed" + range;
    }
    const char* problem = LooksWhole(value) ? "\" is out of range" : "\" is not a whole number";
    return field + ": \"" + value + problem + range;
}

}  // namespace bw
