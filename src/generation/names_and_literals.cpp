#include "generation/names_and_literals.h"

#include <algorithm>

#include "generation/output_file.h"
#include "generation/text_contexts.h"

namespace bw {

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

std::string LowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

std::string Prefix(const BLOCKINFO& block) {
    return UpperCase(block.BlockName);
}

bool UsesScratch(const BLOCKINFO& block) {
    return block.NumLocalArrays > 0 || block.RealTime != 0;
}

const char* TypeName(int typeCode) {
    const Precision* precision = PrecisionOfType(typeCode);
    return precision != nullptr ? precision->typeName : "int";
}

std::string ZeroValue(int typeCode) {
    const NumberType* type = NumberTypeOf(typeCode);
    return std::string(type != nullptr ? type->zero : "0") + ";";
}

std::string Identifier(std::string_view name, int index) {
    return MakeIdentifier(name, index);
}

std::string UpperIdentifier(std::string_view name, int index) {
    return UpperCase(MakeIdentifier(name, index));
}

std::string IntegerName(std::string_view blockName) {
    std::string result(blockName);
    if (result.size() < 2) {
        return result + "i";
    }
    // Where the second letter already is an i, making it "I" would give the
    // float name again as Windows compares file names: the "I" goes before it.
    if (result[1] == 'i' || result[1] == 'I') {
        return result.insert(1, "I");
    }
    result[1] = 'I';
    return result;
}

bool UsesFileOpen(const BLOCKINFO& block) {
    for (int i = 0; i < block.NumParameters; ++i) {
        if (block.Parameters[static_cast<size_t>(i)].ParameterType == TYPE_FILE_OPEN) {
            return true;
        }
    }
    return false;
}

std::string ControlIdentifier(const PARAMINFO& parameter, int index) {
    const std::string ident = UpperIdentifier(parameter.ParameterName, index);
    switch (parameter.ParameterType) {
        case TYPE_RADIO_BUTTONS:
            return "IDC_RADIO" + ident;
        case TYPE_COMBO_BOX:
            return "IDC_COMBO" + ident;
        case TYPE_CHECK_BOX:
            return "IDC_CHECK" + ident;
        default:
            return "IDC_EDIT" + ident;
    }
}

std::string RadioItemIdentifier(const PARAMINFO& parameter, int index, int item) {
    const std::string& text = parameter.ParameterItems[static_cast<size_t>(item)];
    return "IDC_RADIO" + UpperIdentifier(parameter.ParameterName, index) +
           UpperIdentifier(text, item);
}

std::string ProductLine() {
    std::string title = "Tessaline Blockwright";
    while (!title.empty() &&
           ((title.back() >= '0' && title.back() <= '9') || title.back() == '.')) {
        title.pop_back();
    }
    while (!title.empty() && title.back() == ' ') {
        title.pop_back();
    }
    return title + " Version 4.30.00 Auto-Generated Block";
}

namespace {

std::string TwoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10 % 10)) +
           static_cast<char>('0' + value % 10);
}

}  // namespace

std::string CreationDate(const std::tm& when) {
    static const char* const DAYS[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const MONTHS[] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};
    const int day = when.tm_wday >= 0 && when.tm_wday < 7 ? when.tm_wday : 0;
    const int month = when.tm_mon >= 0 && when.tm_mon < 12 ? when.tm_mon : 0;
    return std::string(DAYS[day]) + " - " + TwoDigits(when.tm_mday) + " " + MONTHS[month] + " " +
           std::to_string(when.tm_year + 1900);
}

std::string CreationTime(const std::tm& when) {
    const int hour12 = when.tm_hour % 12 == 0 ? 12 : when.tm_hour % 12;
    return TwoDigits(hour12) + ":" + TwoDigits(when.tm_min) + (when.tm_hour < 12 ? " AM" : " PM");
}

bool HasEditControl(int typeCode) {
    return (typeCode >= TYPE_INTEGER && typeCode <= TYPE_TEXT) || typeCode == TYPE_FILE_OPEN;
}

std::string IconFileName(const BLOCKINFO& block) {
    if (block.IconFilename.find('.') == std::string::npos) {
        return block.IconFilename + ".ico";
    }
    return block.IconFilename;
}

std::string SecondIconFileName(const BLOCKINFO& block) {
    const std::string first = IconFileName(block);
    return first.substr(0, first.rfind('.')) + "1.ico";
}

namespace {

std::vector<int> UsedPositions(int count, size_t poolSize, auto codeAt) {
    std::vector<int> positions;
    const int last = std::min(count, static_cast<int>(poolSize));
    for (int i = 0; i < last; ++i) {
        if (codeAt(static_cast<size_t>(i)) != TYPE_EXCLUDED) {
            positions.push_back(i);
        }
    }
    return positions;
}

// True when text between two quote characters would not read back as one
// literal: an unescaped quote, a backslash with nothing to escape, a line end.
bool BreaksLiteral(std::string_view text, char quote) {
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        return true;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            if (i + 1 == text.size()) {
                return true;
            }
            ++i;
        } else if (c == quote) {
            return true;
        }
    }
    return false;
}

// Every backslash, quote and line end escaped.
std::string EscapedBody(std::string_view text, char quote) {
    std::string body;
    for (char c : text) {
        if (c == '\\' || c == quote) {
            body += '\\';
            body += c;
        } else if (c == '\r') {
            body += "\\r";
        } else if (c == '\n') {
            body += "\\n";
        } else {
            body += c;
        }
    }
    return body;
}

std::string LiteralBody(std::string_view text, char quote) {
    return BreaksLiteral(text, quote) ? EscapedBody(text, quote) : std::string(text);
}

// A whole number typed with leading zeros would read as octal in C: the
// zeros go, keeping one digit.
std::string WithoutLeadingZeros(std::string text) {
    size_t start = text.find_first_not_of(" \t");
    if (start < text.size() && (text[start] == '-' || text[start] == '+')) {
        ++start;
    }
    const size_t end = text.find_last_not_of(" \t") + 1;
    if (start >= end || text[start] != '0' || text.find_first_not_of("0123456789", start) < end) {
        return text;
    }
    const size_t digits = std::min(text.find_first_not_of('0', start), end - 1);
    return text.erase(start, digits - start);
}

}  // namespace

std::vector<int> UsedLocalArrays(const BLOCKINFO& block) {
    return UsedPositions(block.NumLocalArrays, block.LocalArrays.size(),
                         [&](size_t i) { return block.LocalArrays[i].LocalPrecision; });
}

std::vector<int> UsedParameters(const BLOCKINFO& block) {
    return UsedPositions(block.NumParameters, block.Parameters.size(),
                         [&](size_t i) { return block.Parameters[i].ParameterType; });
}

std::string NumericDefault(std::string_view typed) {
    if (typed.find_first_not_of(" \t") == std::string_view::npos) {
        return "0";
    }
    return WithoutLeadingZeros(std::string(typed));
}

std::string CharLiteral(std::string_view typed) {
    if (typed.empty()) {
        return "'\\0'";
    }
    return "'" + LiteralBody(typed, '\'') + "'";
}

std::string StringLiteral(std::string_view typed) {
    return "\"" + Escaped(TextContext::CString, typed) + "\"";
}

}  // namespace bw
