#include "platform/settings_store.h"

#include <optional>

namespace bw {

namespace {

bool IsPlainKeyCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void AppendUtf8(std::string& text, unsigned long codePoint) {
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | ((codePoint >> 18) & 0x07));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// The hex digits of text from position, at most maxDigits, as a number; position
// moves past them.
unsigned long ReadHex(const std::string& text, size_t& position, size_t maxDigits) {
    unsigned long value = 0;
    for (size_t n = 0; n < maxDigits && position < text.size(); ++n, ++position) {
        const int digit = HexValue(text[position]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<unsigned long>(digit);
    }
    return value;
}

char EscapedCharacter(char c) {
    switch (c) {
        case 'a':
            return '\a';
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        case 'v':
            return '\v';
        default:
            return c;  // '"', '\'', '?', '\\' and anything unknown stand for themselves
    }
}

const char* EscapeOf(char c) {
    switch (c) {
        case '\a':
            return "\\a";
        case '\b':
            return "\\b";
        case '\f':
            return "\\f";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        case '\v':
            return "\\v";
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        default:
            return nullptr;
    }
}

// One item of a value being read: unquoted blanks around it do not count.
struct ValueItem {
    std::string text;
    size_t kept = 0;  // the length without trailing unquoted blanks

    void AddSignificant(char c) {
        text += c;
        kept = text.size();
    }
    void AddSignificant(unsigned long codePoint) {
        AppendUtf8(text, codePoint);
        kept = text.size();
    }
    void AddUnquoted(char c) {
        if (c == ' ' || c == '\t') {
            if (!text.empty()) {
                text += c;
            }
            return;
        }
        AddSignificant(c);
    }
    std::string Take() {
        text.resize(kept);
        kept = 0;
        return std::move(text);
    }
};

}  // namespace

std::string EscapeSettingsKey(const std::string& name) {
    static constexpr char HEX[] = "0123456789ABCDEF";
    std::string key;
    for (const char c : name) {
        if (c == '/') {
            key += '\\';
        } else if (IsPlainKeyCharacter(c)) {
            key += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            key += '%';
            key += HEX[byte / 16];
            key += HEX[byte % 16];
        }
    }
    return key;
}

std::string UnescapeSettingsKey(const std::string& key) {
    std::string name;
    for (size_t i = 0; i < key.size();) {
        const char c = key[i];
        if (c == '\\') {
            name += '/';
            ++i;
        } else if (c == '%' && i + 1 < key.size() && key[i + 1] == 'U') {
            i += 2;
            AppendUtf8(name, ReadHex(key, i, 4));
        } else if (c == '%' && i + 2 < key.size() && HexValue(key[i + 1]) >= 0 &&
                   HexValue(key[i + 2]) >= 0) {
            name += static_cast<char>(HexValue(key[i + 1]) * 16 + HexValue(key[i + 2]));
            i += 3;
        } else {
            name += c;
            ++i;
        }
    }
    return name;
}

std::string EscapeSettingsValue(const std::string& value) {
    static constexpr char HEX[] = "0123456789abcdef";
    std::string text = value.starts_with('@') ? "@" : "";
    bool needsQuotes = false;
    // A hex digit right after a "\x" escape would be read as part of it, so
    // it is escaped as well.
    bool afterHexEscape = false;
    for (const char c : value) {
        if (c == ';' || c == ',' || c == '=') {
            needsQuotes = true;
        }
        const auto byte = static_cast<unsigned char>(c);
        const char* escape = EscapeOf(c);
        if (escape != nullptr) {
            text += escape;
            afterHexEscape = false;
        } else if (byte < 0x20 || (afterHexEscape && HexValue(c) >= 0)) {
            text += "\\x";
            text += HEX[byte / 16];
            text += HEX[byte % 16];
            afterHexEscape = true;
        } else {
            text += c;
            afterHexEscape = false;
        }
    }
    if (needsQuotes || value.starts_with(' ') || value.ends_with(' ')) {
        text = '"' + text + '"';
    }
    return text;
}

std::string UnescapeSettingsValue(const std::string& text) {
    std::vector<std::string> items;
    ValueItem item;
    bool inQuotes = false;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '"') {
            inQuotes = !inQuotes;
            ++i;
        } else if (c == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            i += 2;
            if (next == 'x') {
                item.AddSignificant(ReadHex(text, i, 6));
            } else if (next >= '0' && next <= '7') {
                unsigned long octal = static_cast<unsigned long>(next - '0');
                for (int n = 0; n < 2 && i < text.size() && text[i] >= '0' && text[i] <= '7';
                     ++n, ++i) {
                    octal = octal * 8 + static_cast<unsigned long>(text[i] - '0');
                }
                item.AddSignificant(octal);
            } else {
                item.AddSignificant(EscapedCharacter(next));
            }
        } else if (!inQuotes && c == ';') {
            break;  // the rest of the line is a comment
        } else if (!inQuotes && c == ',') {
            items.push_back(item.Take());
            ++i;
        } else {
            if (inQuotes) {
                item.AddSignificant(c);
            } else {
                item.AddUnquoted(c);
            }
            ++i;
        }
    }
    items.push_back(item.Take());
    std::string value = items.front();
    for (size_t n = 1; n < items.size(); ++n) {
        value += ", " + items[n];
    }
    if (value.starts_with("@@")) {
        value.erase(0, 1);
    }
    return value;
}

// A value as stored under name, its escaped form first, as written by hand after.
std::optional<std::string> ReadSettingsValue(const ProfileFile& file, const std::string& section,
                                             const std::string& name) {
    std::optional<std::string_view> text = file.Find(section, EscapeSettingsKey(name));
    if (!text) {
        text = file.Find(section, name);
    }
    if (!text) {
        return std::nullopt;
    }
    return UnescapeSettingsValue(std::string(*text));
}

}  // namespace bw
