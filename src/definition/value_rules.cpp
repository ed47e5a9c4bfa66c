#include "definition/value_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "definition/data_tables.h"

namespace bw {

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexDigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    return (c >= 'a' ? c - 'a' : c - 'A') + 10;
}

bool IsBlank(std::string_view text) {
    return Trimmed(text).empty();
}

// ---------------------------------------------------------------------------
// Numbers as C reads them.

// A C number literal without a suffix: a sign, then decimal or hexadecimal
// digits, or a decimal fraction and exponent.
struct Literal {
    enum class Form { Decimal, Hex, Floating };
    bool negative = false;
    Form form = Form::Decimal;
    std::string_view digits;  // the literal without its sign (and "0x")
};

size_t DigitRun(std::string_view text, size_t at) {
    size_t end = at;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    return end - at;
}

std::optional<Literal> ReadLiteral(std::string_view text) {
    text = Trimmed(text);
    Literal literal;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        literal.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        literal.form = Literal::Form::Hex;
        literal.digits = text.substr(2);
        const bool hex = std::all_of(literal.digits.begin(), literal.digits.end(), IsHexDigit);
        return hex ? std::optional(literal) : std::nullopt;
    }
    size_t at = DigitRun(text, 0);
    size_t mantissa = at;
    bool floating = false;
    if (at < text.size() && text[at] == '.') {
        const size_t fraction = DigitRun(text, at + 1);
        mantissa += fraction;
        at += 1 + fraction;
        floating = true;
    }
    if (mantissa == 0) {
        return std::nullopt;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        const size_t exponent = DigitRun(text, at);
        if (exponent == 0) {
            return std::nullopt;
        }
        at += exponent;
        floating = true;
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    literal.form = floating ? Literal::Form::Floating : Literal::Form::Decimal;
    literal.digits = text;
    return literal;
}

// The value of whole digits, or nothing beyond what C's largest constant of
// the form holds: a decimal constant is signed, a hexadecimal one may be
// unsigned.
std::optional<unsigned long long> WholeMagnitude(const Literal& literal) {
    const unsigned long long limit = literal.form == Literal::Form::Hex
                                         ? std::numeric_limits<unsigned long long>::max()
                                         : std::numeric_limits<long long>::max();
    const unsigned base = literal.form == Literal::Form::Hex ? 16 : 10;
    unsigned long long value = 0;
    for (char c : literal.digits) {
        const auto digit = static_cast<unsigned long long>(HexDigitValue(c));
        if (value > (limit - digit) / base) {
            return std::nullopt;
        }
        value = value * base + digit;
    }
    return value;
}

// "1,5" typed for "1.5": the text with its one comma made a point, when that
// is a number.
std::optional<std::string> WithPointForComma(std::string_view typed) {
    if (std::count(typed.begin(), typed.end(), ',') != 1) {
        return std::nullopt;
    }
    std::string pointed(Trimmed(typed));
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    const std::optional<Literal> literal = ReadLiteral(pointed);
    if (!literal || literal->form == Literal::Form::Hex) {
        return std::nullopt;
    }
    return pointed;
}

std::string RangeText(const NumberType& type) {
    return std::to_string(type.low) + " to " + std::to_string(type.high);
}

Refusal WholeRefusal(const NumberType& type, std::string_view typed) {
    if (IsBlank(typed)) {
        return std::nullopt;  // written as 0
    }
    const std::string takes =
        ": the type " + std::string(type.name) + " takes whole numbers from " + RangeText(type);
    const std::optional<Literal> literal = ReadLiteral(typed);
    if (!literal) {
        const char* what = WithPointForComma(typed) ? " is not a whole number" : " is not a number";
        return Quoted(typed) + what + takes;
    }
    if (literal->form == Literal::Form::Floating) {
        return Quoted(typed) + " is not a whole number" + takes;
    }
    const std::optional<unsigned long long> magnitude = WholeMagnitude(*literal);
    const auto value = [&]() -> std::optional<long long> {
        if (!magnitude || *magnitude > (1ULL << 32)) {
            return std::nullopt;
        }
        const auto signedMagnitude = static_cast<long long>(*magnitude);
        return literal->negative ? -signedMagnitude : signedMagnitude;
    }();
    if (!value || *value < type.low || *value > type.high) {
        return Quoted(typed) + " is outside the range of the type " + type.name + ", " +
               RangeText(type);
    }
    return std::nullopt;
}

// The decimal exponent of a floating literal's first significant digit, to
// tell a value too large from one too small when neither fits.
int DecimalOrder(std::string_view digits) {
    const size_t exponentAt = digits.find_first_of("eE");
    int exponent = 0;
    if (exponentAt != std::string_view::npos) {
        std::string_view text = digits.substr(exponentAt + 1);
        if (!text.empty() && text.front() == '+') {
            text.remove_prefix(1);
        }
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), exponent);
        if (error != std::errc()) {
            exponent = text.front() == '-' ? -100000 : 100000;
        }
    }
    const std::string_view mantissa = digits.substr(0, exponentAt);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return 0;
    }
    const int position =
        first < point ? static_cast<int>(point - first) - 1 : -static_cast<int>(first - point);
    return position + exponent;
}

// What a float or double constant of the generated code makes of the literal.
Refusal FloatingRefusal(const NumberType& type, std::string_view typed) {
    if (IsBlank(typed)) {
        return std::nullopt;  // written as 0
    }
    const std::optional<Literal> literal = ReadLiteral(typed);
    if (!literal) {
        if (const auto pointed = WithPointForComma(typed)) {
            return Quoted(typed) + " is not a number: use a point, " + Quoted(*pointed);
        }
        return Quoted(typed) + " is not a number: the type " + type.name +
               " takes numbers such as \"1.5\", \"-2\" or \"1e-3\"";
    }
    const std::string beyond =
        Quoted(typed) + " is beyond the range of the type " + type.name + ", about " + type.largest;
    const std::string tooSmall =
        Quoted(typed) + " is too small for the type " + type.name + ": it would be 0";
    double value = 0;
    bool zero = false;
    if (literal->form == Literal::Form::Floating) {
        const std::string_view digits = literal->digits;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(),
                                                  value, std::chars_format::general);
        if (error == std::errc::result_out_of_range) {
            return DecimalOrder(digits) > 0 ? beyond : tooSmall;
        }
        zero = digits.substr(0, digits.find_first_of("eE")).find_first_of("123456789") ==
               std::string_view::npos;
    } else {
        const std::optional<unsigned long long> magnitude = WholeMagnitude(*literal);
        if (!magnitude) {
            return Quoted(typed) +
                   " is too large a whole number for C: write it with an exponent, such as "
                   "\"1e20\"";
        }
        value = static_cast<double>(*magnitude);
        zero = *magnitude == 0;
    }
    if (!std::isfinite(value)) {
        return beyond;
    }
    if (type.code == TYPE_FLOAT) {
        // Halfway between the largest float and the next power of two
        // rounds up to infinity.
        if (std::fabs(value) >= std::ldexp(1.0, 128) - std::ldexp(1.0, 103)) {
            return beyond;
        }
        if (!zero && static_cast<float>(value) == 0.0F) {
            return tooSmall;
        }
    } else if (!zero && value == 0.0) {
        return tooSmall;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------
// Characters.

// The length of the escape at the start of text (which begins with a
// backslash), or 0 when it is none of C's; value gets its code.
size_t EscapeLength(std::string_view text, unsigned& value) {
    if (text.size() < 2) {
        return 0;
    }
    constexpr std::string_view SIMPLE = "'\"?\\abfnrtv";
    if (SIMPLE.find(text[1]) != std::string_view::npos) {
        value = 1;
        return 2;
    }
    if (text[1] >= '0' && text[1] <= '7') {
        size_t at = 1;
        value = 0;
        while (at < text.size() && at < 4 && text[at] >= '0' && text[at] <= '7') {
            value = value * 8 + static_cast<unsigned>(text[at] - '0');
            ++at;
        }
        return at;
    }
    if (text[1] == 'x') {
        size_t at = 2;
        value = 0;
        while (at < text.size() && IsHexDigit(text[at])) {
            value = std::min(value * 16 + static_cast<unsigned>(HexDigitValue(text[at])), 0x10000U);
            ++at;
        }
        return at > 2 ? at : 0;
    }
    return 0;
}

// The length of a UTF-8 sequence that begins with lead, or 0.
size_t Utf8Length(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead < 0xF0 ? 3 : 0;
    }
    return lead >= 0xC0 ? 2 : 0;
}

bool IsOneUtf8Character(std::string_view text) {
    if (text.empty() || Utf8Length(static_cast<unsigned char>(text[0])) != text.size()) {
        return false;
    }
    return std::all_of(text.begin() + 1, text.end(),
                       [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; });
}

Refusal CharRefusal(const NumberType& type, std::string_view typed) {
    if (typed.size() <= 1) {
        return std::nullopt;  // one character, or none ('\0')
    }
    const std::string name = type.name;
    const std::string takes =
        ": the type " + name + " takes one character or an escape such as \"\\n\"";
    if (typed.front() == '\\') {
        unsigned value = 0;
        const size_t length = EscapeLength(typed, value);
        if (length == 0) {
            return Quoted(typed) + " is no escape of C" + takes;
        }
        if (length == typed.size()) {
            if (value > 0xFF) {
                return Quoted(typed) + " is beyond the range of the type " + name +
                       ": an escape goes up to \"\\xFF\" or \"\\377\"";
            }
            return std::nullopt;
        }
    }
    if (IsOneUtf8Character(typed)) {
        return Quoted(typed) + " takes " + std::to_string(typed.size()) + " bytes: the type " +
               name +
               " takes one single-byte character; write any other as the escape of its code in "
               "the block's code page, such as \"\\xE9\"";
    }
    return Quoted(typed) + " is more than one character" + takes;
}

// ---------------------------------------------------------------------------
// Items.

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return upper(x) == upper(y); });
}

// "\"a\", \"b\" and \"c\"", the first few of a long list.
std::string ItemList(const std::vector<std::string>& items) {
    constexpr size_t SHOWN = 5;
    std::string text;
    const size_t shown = items.size() > SHOWN + 1 ? SHOWN : items.size();
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0) {
            text += i + 1 == items.size() ? " and " : ", ";
        }
        text += Quoted(items[i]);
    }
    if (shown < items.size()) {
        text += " and " + std::to_string(items.size() - shown) + " more";
    }
    return text;
}

Refusal ItemRefusal(int typeCode, std::string_view typed, const std::vector<std::string>& items) {
    if (typed.empty()) {
        return std::nullopt;  // the first item
    }
    const std::vector<std::string> offered = OfferedItems(typeCode, items);
    // A Yes/No pair and a check box are matched as the generated code
    // matches them, without regard to case.
    const bool fixedPair =
        typeCode == TYPE_CHECK_BOX || (typeCode == TYPE_RADIO_BUTTONS && items.size() < 2);
    const bool found = std::any_of(offered.begin(), offered.end(), [&](const std::string& item) {
        return item == typed || (fixedPair && SameIgnoringCase(item, typed));
    });
    if (found) {
        return std::nullopt;
    }
    if (typeCode == TYPE_CHECK_BOX) {
        return Quoted(typed) + " is neither \"Checked\" nor \"Unchecked\"";
    }
    if (typeCode == TYPE_RADIO_BUTTONS && items.size() < 2) {
        return Quoted(typed) +
               " is neither \"Yes\" nor \"No\": Radio Buttons with fewer than two items are a "
               "Yes/No pair";
    }
    return Quoted(typed) + " is not among the items " + ItemList(offered);
}

}  // namespace

Refusal DefaultRefusal(int typeCode, std::string_view typed,
                       const std::vector<std::string>& items) {
    if (const NumberType* type = NumberTypeOf(typeCode)) {
        switch (type->kind) {
            case NumberKind::Whole:
                return WholeRefusal(*type, typed);
            case NumberKind::Floating:
                return FloatingRefusal(*type, typed);
            case NumberKind::Character:
                return CharRefusal(*type, typed);
        }
    }
    switch (typeCode) {
        case TYPE_COMBO_BOX:
        case TYPE_RADIO_BUTTONS:
        case TYPE_CHECK_BOX:
            return ItemRefusal(typeCode, typed, items);
        default:
            return std::nullopt;  // any text
    }
}

Refusal ParameterDefaultRefusal(const PARAMINFO& parameter) {
    return DefaultRefusal(parameter.ParameterType, parameter.ParameterDefault,
                          parameter.ParameterItems);
}

Refusal PersistantDefaultRefusal(const PERSISTANTINFO& variable) {
    // A control code from a template initialises nothing; Other takes a C
    // expression of its type.
    if (variable.PersistantType < TYPE_INTEGER || variable.PersistantType > TYPE_TEXT) {
        return std::nullopt;
    }
    return DefaultRefusal(variable.PersistantType, variable.PersistantDefault);
}

std::vector<std::string> OfferedItems(int typeCode, const std::vector<std::string>& items) {
    switch (typeCode) {
        case TYPE_COMBO_BOX:
            return items.empty() ? std::vector<std::string>{"Item 1", "Item 2", "Item 3"} : items;
        case TYPE_RADIO_BUTTONS:
            return items.size() < 2 ? std::vector<std::string>{"Yes", "No"} : items;
        case TYPE_CHECK_BOX:
            return {"Checked", "Unchecked"};
        default:
            return items;
    }
}

bool IsCharEscape(std::string_view text) {
    unsigned value = 0;
    return !text.empty() && text.front() == '\\' && EscapeLength(text, value) == text.size() &&
           value <= 0xFF;
}

bool IsLocalSizeNumber(std::string_view size) {
    const size_t first = size.find_first_not_of(" \t");
    return first != std::string_view::npos &&
           (IsDigit(size[first]) || size[first] == '+' || size[first] == '-');
}

Refusal LocalSizeRefusal(std::string_view size) {
    const std::string range = "1 to " + std::to_string(LOCAL_SIZE_LIMIT);
    std::string_view digits = size.substr(std::min(size.find_first_not_of(" \t"), size.size()));
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '+' || negative)) {
        digits.remove_prefix(1);
    }
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) {
        return Quoted(size) +
               " is not a whole number: write the number of elements in digits alone, from " +
               range + ", or an expression over parameter names";
    }
    const std::optional<long long> value = WholeNumber(size);
    if (negative || !value || *value < 1 || *value > LOCAL_SIZE_LIMIT) {
        return Quoted(size) + " is outside " + range + " elements";
    }
    return std::nullopt;
}

std::optional<long long> WholeNumber(std::string_view text) {
    text = Trimmed(text);
    if (text.size() > 1 && text[0] == '+' && IsDigit(text[1])) {
        text.remove_prefix(1);
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

Refusal FilterTextRefusal(std::string_view text) {
    if (text.find('|') != std::string_view::npos) {
        return Quoted(text) +
               " holds \"|\", which the stored list keeps between a caption and its filter";
    }
    return std::nullopt;
}

Refusal FilterItemRefusal(std::string_view item) {
    const size_t bar = item.find('|');
    if (bar == std::string_view::npos) {
        return Quoted(item) + " has no \"|\" between a caption and its filter";
    }
    if (item.find('|', bar + 1) != std::string_view::npos) {
        return Quoted(item) +
               " holds more than one \"|\": neither the caption nor the filter may hold one";
    }
    if (bar == 0 || bar + 1 == item.size()) {
        return Quoted(item) + (bar == 0 ? " has no caption" : " has no filter");
    }
    return std::nullopt;
}

}  // namespace bw
