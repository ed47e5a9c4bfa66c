// The local-array page: type codes, names and sizes.
#include "check/checker.h"

#include <optional>

#include "definition/value_rules.h"

namespace bw::check {

namespace {

// Replaces each whole-word occurrence of name in text by a blank.
bool RemoveWholeWord(std::string& text, const std::string& name) {
    bool found = false;
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at)) {
        const size_t end = at + name.size();
        const bool whole = (at == 0 || !IsIdentifierCharacter(text[at - 1])) &&
                           (end >= text.size() || !IsIdentifierCharacter(text[end]));
        if (whole) {
            text.replace(at, name.size(), " ");
            found = true;
            ++at;
        } else {
            at = end;
        }
    }
    return found;
}

// The first word of a size expression that is no parameter name (the
// header reads every word of it as a member), or "" when it names no
// parameter at all. Parameter names that hold blanks are taken whole
// before the expression is split into words.
std::optional<std::string> UnknownSizeName(const Checker& c, std::string size) {
    const BLOCKINFO& b = c.block;
    bool namesParameter = false;
    for (int p = 0; p < c.ParameterCount(); ++p) {
        const PARAMINFO& parameter = b.Parameters[static_cast<size_t>(p)];
        if (parameter.ParameterName.empty() || parameter.isExcluded()) {
            continue;
        }
        namesParameter |= RemoveWholeWord(size, parameter.ParameterName);
    }
    for (size_t at = 0; at < size.size();) {
        if (!IsIdentifierCharacter(size[at])) {
            ++at;
            continue;
        }
        size_t end = at;
        while (end < size.size() && IsIdentifierCharacter(size[end])) {
            ++end;
        }
        if (!IsDigit(size[at])) {
            return size.substr(at, end - at);
        }
        at = end;
    }
    return namesParameter ? std::nullopt : std::optional<std::string>("");
}

// The first text parameter (Text, File Open) the size names: its member is
// a character array, which sizes no array.
const PARAMINFO* TextParameterIn(const Checker& c, const std::string& size) {
    for (int p = 0; p < c.ParameterCount(); ++p) {
        const PARAMINFO& parameter = c.block.Parameters[static_cast<size_t>(p)];
        const bool text =
            parameter.ParameterType == TYPE_TEXT || parameter.ParameterType == TYPE_FILE_OPEN;
        std::string words = size;
        if (text && !parameter.ParameterName.empty() &&
            RemoveWholeWord(words, parameter.ParameterName)) {
            return &parameter;
        }
    }
    return nullptr;
}

void LocalSize(Checker& c, int a, const LOCALARRAYINFO& array) {
    const BLOCKINFO& b = c.block;
    const Source source = c.ArraySource(a, "LocalSize");
    const std::string& size = array.LocalSize;
    if (IsLocalSizeNumber(size)) {
        if (const Refusal refusal = LocalSizeRefusal(size)) {
            c.Error(source, "The size of the " + source.what + ": " + *refusal + ".");
        }
        return;
    }
    if (b.RealTime != 0 && b.xDAIS == 0) {
        c.Error(source, "The " + source.what + " is sized by " + Quoted(size) +
                            ": the DSP side of a real-time block declares its arrays with a "
                            "fixed number of elements.");
        return;
    }
    if (const auto unknown = UnknownSizeName(c, size)) {
        const std::string names = unknown->empty()
                                      ? "names no parameter"
                                      : "names " + Quoted(*unknown) + ", which is not a parameter";
        c.Error(source, "The size " + Quoted(size) + " of the " + source.what + " " + names +
                            ".  A size is a whole number greater than 0, or an expression "
                            "over parameter names.");
    } else if (const PARAMINFO* text = TextParameterIn(c, size)) {
        c.Error(source, "The size " + Quoted(size) + " of the " + source.what +
                            " names the text parameter " + Quoted(text->ParameterName) +
                            ".  A size is a whole number greater than 0, or an expression "
                            "over numeric parameters.");
    }
}

}  // namespace

void CheckLocalArraysPage(Checker& c) {
    const BLOCKINFO& b = c.block;
    for (int a = 0; a < c.ArrayCount(); ++a) {
        const LOCALARRAYINFO& array = b.LocalArrays[static_cast<size_t>(a)];
        if (!IsLocalPrecision(array.LocalPrecision)) {
            c.Error(c.ArraySource(a, "LocalPrecision"),
                    "The " + c.ArraySource(a).what + " has the type code " +
                        std::to_string(array.LocalPrecision) + ", which is no array type.");
            continue;
        }
        if (array.isExcluded()) {
            continue;
        }
        LocalSize(c, a, array);
    }
}

}  // namespace bw::check
