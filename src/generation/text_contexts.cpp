#include "generation/text_contexts.h"

#include <array>

namespace bw {

namespace {

// "\" and the quote escaped, line ends and other control characters (DEL
// too) written as escapes (three octal digits, so that a digit after one stays a digit),
// and a "??" written "?\?" so that no trigraph forms.
std::string CString(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\' || c == '"') {
            escaped += '\\';
            escaped += static_cast<char>(c);
        } else if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if ((c < 0x20 && c != '\t') || c == 0x7f) {
            escaped += '\\';
            escaped += static_cast<char>('0' + (c >> 6));
            escaped += static_cast<char>('0' + ((c >> 3) & 7));
            escaped += static_cast<char>('0' + (c & 7));
        } else if (c == '?' && i > 0 && text[i - 1] == '?') {
            escaped += "\\?";
        } else {
            escaped += static_cast<char>(c);
        }
    }
    return escaped;
}

// A comment line ends at its line end, unless a backslash (or the trigraph
// "??/") ends it and joins the next line to the comment: line ends become
// blanks, and such a text is followed by a point. A "*/" would end a block
// comment and a "/*" open one within it: a blank parts their characters.
std::string CComment(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        const bool pair =
            !line.empty() && ((line.back() == '*' && c == '/') || (line.back() == '/' && c == '*'));
        if (pair) {
            line += ' ';
        }
        line += c == '\r' || c == '\n' ? ' ' : c;
    }
    const size_t last = line.find_last_not_of(" \t");
    if (last != std::string::npos && (line[last] == '\\' || line.ends_with("?\?/"))) {
        line += '.';
    }
    return line;
}

// A doubled quote stands for one; a backslash begins an escape, so it is
// doubled too; line ends are written as escapes.
std::string ResourceString(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '"') {
            escaped += "\"\"";
        } else if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\n') {
            escaped += "\\n";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

// A name the linker reads up to a blank, unless it is quoted; names that
// need no quotes stay as they are.
std::string ModuleDefinition(std::string_view text) {
    const bool plain = !text.empty() && text.find_first_of(" \t\";=@") == std::string_view::npos;
    if (plain) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        if (c != '"') {  // a name cannot hold a quote in any form
            quoted += c;
        }
    }
    return quoted + "\"";
}

// NMAKE expands "$" and starts a comment at "#" even between quotes: "$$"
// and "^#" stand for them, and "^^" for a caret before either.
std::string ProjectFile(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '$') {
            escaped += "$$";
        } else if (c == '#' || c == '^') {
            escaped += '^';
            escaped += c;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

// A quoted CMake argument ends at a quote and expands "${" (and "$ENV{"): each
// is escaped with a backslash, and so is a backslash. A ";" stays: the
// argument is quoted, so it splits nothing.
std::string CMakeArgument(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == '"' || c == '$') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

struct ContextRule {
    TextContext context;
    const char* name;
    std::string (*escape)(std::string_view);
};

constexpr std::array<ContextRule, 6> CONTEXTS = {{
    {TextContext::CString, "C string", CString},
    {TextContext::CComment, "C comment", CComment},
    {TextContext::ResourceString, "resource script string", ResourceString},
    {TextContext::ModuleDefinition, "module definition", ModuleDefinition},
    {TextContext::ProjectFile, "project file", ProjectFile},
    {TextContext::CMakeArgument, "CMake argument", CMakeArgument},
}};

constexpr bool InTheEnumsOrder() {
    for (size_t i = 0; i < CONTEXTS.size(); ++i) {
        if (static_cast<size_t>(CONTEXTS[i].context) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InTheEnumsOrder(), "a context's rule is found at its own number");

const ContextRule& RuleOf(TextContext context) {
    return CONTEXTS[static_cast<size_t>(context)];
}

}  // namespace

std::string Escaped(TextContext context, std::string_view text) {
    return RuleOf(context).escape(text);
}

const char* ContextName(TextContext context) {
    return RuleOf(context).name;
}

}  // namespace bw
