#include "check/checker.h"

#include <algorithm>
#include <optional>

#include "check/reserved_names.h"
#include "generation/names_and_literals.h"

namespace bw::check {

namespace {

// The first character that cannot stand in a file name on Windows or here.
std::optional<char> UnportableFileCharacter(std::string_view name) {
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f ||
            std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            return c;
        }
    }
    return std::nullopt;
}

std::string CharacterText(char c) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
        return "a control character";
    }
    return Quoted(std::string(1, c));
}

}  // namespace

std::string Indexed(std::string_view key, int i) {
    return std::string(key) + std::to_string(i);
}

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(1, '"').append(text).append(1, '"');
    return quoted;
}

bool IsIdentifierCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A name that stands in C as it is.
bool IsCIdentifier(std::string_view name) {
    return !name.empty() && !IsDigit(name.front()) &&
           std::all_of(name.begin(), name.end(), IsIdentifierCharacter);
}

bool IsParameterType(int code) {
    return (code >= TYPE_INTEGER && code <= TYPE_TEXT) ||
           (code >= TYPE_RADIO_BUTTONS && code <= TYPE_CHECK_BOX) || code == TYPE_EXCLUDED;
}

bool IsPersistantType(int code) {
    return IsParameterType(code) || code == TYPE_OTHER;
}

bool IsLocalPrecision(int code) {
    return (code >= TYPE_INTEGER && code <= TYPE_TEXT) || code == TYPE_EXCLUDED;
}

void Checker::Error(const Source& source, std::string message) {
    findings.push_back(
        {Severity::Error, source.page, source.record, source.key, std::move(message)});
}

void Checker::Warn(const Source& source, std::string message) {
    findings.push_back(
        {Severity::Warning, source.page, source.record, source.key, std::move(message)});
}

void Checker::FileName(const Source& source, std::string_view name) {
    if (const auto c = UnportableFileCharacter(name)) {
        Error(source, "The " + source.what + " " + Quoted(name) + " holds " + CharacterText(*c) +
                          ", which cannot stand in a file name.");
    }
}

void Checker::IdentifierForm(const Source& source, const std::string& name, int index) {
    const std::string ident = Identifier(name, index);
    if (IsCKeyword(ident) || IsPcReservedName(ident)) {
        Error(source, "The " + source.what + " becomes " + ident +
                          " in the generated code, a name the C compiler reserves.  Please "
                          "choose another name.");
    }
}

Source Checker::ParameterSource(int p, const char* key) const {
    return {DefinitionPage::Parameters, p, Indexed(key, p),
            "parameter " + Quoted(block.Parameters[static_cast<size_t>(p)].ParameterName)};
}

Source Checker::ArraySource(int a, const char* key) const {
    return {DefinitionPage::LocalArrays, a, Indexed(key, a),
            "local array " + Quoted(block.LocalArrays[static_cast<size_t>(a)].ArrayName)};
}

Source Checker::PersistantSource(int v, const char* key) const {
    return {
        DefinitionPage::Persistants, v, Indexed(key, v),
        "persistent variable " + Quoted(block.Persistants[static_cast<size_t>(v)].PersistantName)};
}

int Checker::ParameterCount() const {
    return std::clamp(block.NumParameters, 0, MAX_PARAMETERS);
}

int Checker::ArrayCount() const {
    return std::clamp(block.NumLocalArrays, 0, MAX_LOCAL_ARRAYS);
}

int Checker::PersistantCount() const {
    return std::clamp(block.NumPersistants, 0, MAX_PERSISTANTS);
}

bool Checker::UsedParameter(int p) const {
    const PARAMINFO& parameter = block.Parameters[static_cast<size_t>(p)];
    return IsParameterType(parameter.ParameterType) && !parameter.isExcluded();
}

bool Checker::UsedPersistant(int v) const {
    const int type = block.Persistants[static_cast<size_t>(v)].PersistantType;
    return IsPersistantType(type) && type != TYPE_EXCLUDED;
}

bool Checker::UsedArray(int a) const {
    const int precision = block.LocalArrays[static_cast<size_t>(a)].LocalPrecision;
    return IsLocalPrecision(precision) && precision != TYPE_EXCLUDED;
}

}  // namespace bw::check
