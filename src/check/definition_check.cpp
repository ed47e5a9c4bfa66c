#include "check/definition_check.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string_view>

#include "check/path_length_check.h"
#include "check/reserved_names.h"
#include "check/value_check.h"
#include "definition/settings_rules.h"
#include "definition/value_rules.h"
#include "gen_dsp/dsp_files.h"
#include "gen_dsp/xdais.h"
#include "generation/paths.h"
#include "generation/shared_rules.h"
#include "run/file_set.h"

namespace bw {

namespace {

std::string Indexed(std::string_view key, int i) {
    return std::string(key) + std::to_string(i);
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
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

// The first character that cannot stand in a file name on Windows or here.
std::optional<char> UnportableFileCharacter(std::string_view name) {
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            return c;
        }
    }
    return std::nullopt;
}

std::string CharacterText(char c) {
    if (static_cast<unsigned char>(c) < 0x20) {
        return "a control character";
    }
    return Quoted(std::string(1, c));
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

// The persistent variable types that the block structures hold as a value.
bool PersistantHasDspMember(int type) {
    switch (type) {
        case TYPE_FLOAT:
        case TYPE_DOUBLE:
        case TYPE_INTEGER:
        case TYPE_LONG:
        case TYPE_SHORT:
        case TYPE_BYTE:
        case TYPE_OTHER:
            return true;
        default:
            return false;
    }
}

// Which field of the definition a generated name comes from.
struct Source {
    DefinitionPage page;
    int record;
    std::string key;
    std::string what;  // "parameter \"Gain 1\""
};

class Checker {
public:
    explicit Checker(const BLOCKINFO& block) : b_(block) {}

    std::vector<Finding> Run() {
        CheckFiles();
        CheckAlgorithm();
        CheckChannels();
        CheckParameters();
        CheckLocalArrays();
        CheckPersistants();
        CheckBlockMembers();
        CheckControlNames();
        if (b_.RealTime != 0) {
            CheckDspMembers();
        }
        for (const std::vector<Finding>& more : {CheckValues(b_), CheckPathLengths(b_)}) {
            findings_.insert(findings_.end(), more.begin(), more.end());
        }
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) {
                             return std::pair(a.page, a.severity) < std::pair(b.page, b.severity);
                         });
        for (const TemplateNote& note : b_.TemplateNotes) {
            Warn({DefinitionPage::Template, -1, note.key, ""}, note.message);
        }
        return std::move(findings_);
    }

private:
    void Error(const Source& source, std::string message) {
        findings_.push_back(
            {Severity::Error, source.page, source.record, source.key, std::move(message)});
    }
    void Warn(const Source& source, std::string message) {
        findings_.push_back(
            {Severity::Warning, source.page, source.record, source.key, std::move(message)});
    }

    void CheckFiles() {
        const Source block{DefinitionPage::Files, -1, "Block Name", "block file name"};
        if (b_.BlockName.empty()) {
            Error(block, "The block has no file name.");
        } else if (!IsCIdentifier(b_.BlockName)) {
            Error(block, "The block file name " + Quoted(b_.BlockName) +
                             " names the block's routines, so it must begin with a letter or an "
                             "underscore and hold only letters, digits and underscores.");
        } else if (b_.RealTime != 0 && IsCKeyword(b_.BlockName)) {
            Error(block, "The block file name " + Quoted(b_.BlockName) +
                             " is a word of the C language; the DSP routine named after it "
                             "cannot be declared.");
        }
        FileName({DefinitionPage::Files, -1, "Help Filename", "help file name"}, b_.HelpFilename);
        FileName({DefinitionPage::Files, -1, "Icon Filename", "icon file name"}, b_.IconFilename);
        HostFolders();
    }

    // The stand-in a new block gets while nobody has said where the host is:
    // the block is generated, but its projects would not build. Said once for
    // both paths when both are the stand-in.
    void HostFolders() {
        struct Path {
            const std::string& value;
            const char* what;
            const char* key;
            const char* setting;
        };
        std::vector<Path> unset;
        for (const Path& path :
             {Path{b_.LibraryPath, "library", "Library Path", "Lib Directory"},
              Path{b_.IncludePath, "include", "Include Path", "Include Directory"}}) {
            if (IsUnsetHostFolder(path.value)) {
                unset.push_back(path);
            }
        }
        if (unset.empty()) {
            return;
        }
        const bool both = unset.size() == 2;
        const std::string whats =
            both ? "library and include paths" : unset[0].what + std::string(" path");
        const std::string keys =
            both ? Quoted(unset[0].key) + " and " + Quoted(unset[1].key) : Quoted(unset[0].key);
        const std::string settings =
            both ? Quoted(unset[0].setting) + " and " + Quoted(unset[1].setting)
                 : Quoted(unset[0].setting);
        Warn({DefinitionPage::Files, -1, unset[0].key, ""},
             "The host's folder is not configured: the " + whats + (both ? " name" : " names") +
                 " the stand-in " + Quoted(unset[0].value) + ". Set " + (both ? "them" : "it") +
                 " to the host's folder on the file page (in a template: " + keys +
                 "); the wizard keeps " + (both ? "them" : "it") + " as " + settings +
                 " for new blocks.");
    }

    void FileName(const Source& source, std::string_view name) {
        if (const auto c = UnportableFileCharacter(name)) {
            Error(source, "The " + source.what + " " + Quoted(name) + " holds " +
                              CharacterText(*c) + ", which cannot stand in a file name.");
        }
    }

    void CheckAlgorithm() {
        if (b_.RealTime == 0 || b_.xDAIS == 0) {
            return;
        }
        const Source algorithm{DefinitionPage::Data, -1, "Algorithm Name", "algorithm name"};
        if (!IsCIdentifier(b_.AlgorithmName) || IsCKeyword(b_.AlgorithmName)) {
            Error(algorithm, "The algorithm name " + Quoted(b_.AlgorithmName) +
                                 " names the algorithm's routines and types, so it must begin "
                                 "with a letter or an underscore and hold only letters, digits "
                                 "and underscores.");
        }
        FileName({DefinitionPage::Data, -1, "Vendor Name", "vendor name"}, b_.VendorName);
    }

    void CheckChannels() {
        ChannelCount("Inputs", "input", b_.NumInputs);
        ChannelCount("Outputs", "output", b_.NumOutputs);
    }

    void ChannelCount(const char* key, const char* what, int count) {
        if (count < 0 || count > MAX_CHANNELS) {
            Error({DefinitionPage::Channels, -1, key, ""}, "The number of " + std::string(what) +
                                                               " arrays must be between 0 and " +
                                                               std::to_string(MAX_CHANNELS) + ".");
        }
    }

    Source ParameterSource(int p, const char* key = "ParameterName") const {
        return {DefinitionPage::Parameters, p, Indexed(key, p),
                "parameter " + Quoted(b_.Parameters[static_cast<size_t>(p)].ParameterName)};
    }
    Source ArraySource(int a, const char* key = "ArrayName") const {
        return {DefinitionPage::LocalArrays, a, Indexed(key, a),
                "local array " + Quoted(b_.LocalArrays[static_cast<size_t>(a)].ArrayName)};
    }
    Source PersistantSource(int v, const char* key = "PersistantName") const {
        return {
            DefinitionPage::Persistants, v, Indexed(key, v),
            "persistent variable " + Quoted(b_.Persistants[static_cast<size_t>(v)].PersistantName)};
    }

    int ParameterCount() const { return std::clamp(b_.NumParameters, 0, MAX_PARAMETERS); }
    int ArrayCount() const { return std::clamp(b_.NumLocalArrays, 0, MAX_LOCAL_ARRAYS); }
    int PersistantCount() const { return std::clamp(b_.NumPersistants, 0, MAX_PERSISTANTS); }

    // The identifier a name becomes in the block's structures must be one the
    // compiler takes as a plain name.
    void IdentifierForm(const Source& source, const std::string& name, int index) {
        const std::string ident = Identifier(name, index);
        if (IsCKeyword(ident) || IsPcReservedName(ident)) {
            Error(source, "The " + source.what + " becomes " + ident +
                              " in the generated code, a name the C compiler reserves.  Please "
                              "choose another name.");
        }
    }

    void CheckParameters() {
        for (int p = 0; p < ParameterCount(); ++p) {
            const PARAMINFO& parameter = b_.Parameters[static_cast<size_t>(p)];
            if (!IsParameterType(parameter.ParameterType)) {
                Error(ParameterSource(p, "ParameterType"),
                      "The " + ParameterSource(p).what + " has the type code " +
                          std::to_string(parameter.ParameterType) +
                          ", which is no parameter type.");
                continue;
            }
            if (parameter.isExcluded()) {
                continue;
            }
            IdentifierForm(ParameterSource(p), parameter.ParameterName, p);
            if (b_.RealTime != 0 && b_.xDAIS != 0 && dsp::ReachesAlgorithm(parameter)) {
                AlgorithmSideName(p, parameter);
            }
        }
    }

    void AlgorithmSideName(int p, const PARAMINFO& parameter) {
        const std::string name = dsp::AlgorithmSideName(parameter, p);
        if (IsDigit(name.front()) || IsCKeyword(name)) {
            Error(ParameterSource(p), "The " + ParameterSource(p).what +
                                          " becomes the algorithm parameter " + name +
                                          ", which is not a name in C.  Please begin the name "
                                          "with a letter.");
        }
    }

    void CheckLocalArrays() {
        for (int a = 0; a < ArrayCount(); ++a) {
            const LOCALARRAYINFO& array = b_.LocalArrays[static_cast<size_t>(a)];
            if (!IsLocalPrecision(array.LocalPrecision)) {
                Error(ArraySource(a, "LocalPrecision"),
                      "The " + ArraySource(a).what + " has the type code " +
                          std::to_string(array.LocalPrecision) + ", which is no array type.");
                continue;
            }
            if (array.isExcluded()) {
                continue;
            }
            LocalSize(a, array);
        }
    }

    void LocalSize(int a, const LOCALARRAYINFO& array) {
        const Source source = ArraySource(a, "LocalSize");
        const std::string& size = array.LocalSize;
        if (IsLocalSizeNumber(size)) {
            if (const Refusal refusal = LocalSizeRefusal(size)) {
                Error(source, "The size of the " + source.what + ": " + *refusal + ".");
            }
            return;
        }
        if (b_.RealTime != 0 && b_.xDAIS == 0) {
            Error(source, "The " + source.what + " is sized by " + Quoted(size) +
                              ": the DSP side of a real-time block declares its arrays with a "
                              "fixed number of elements.");
            return;
        }
        if (const auto unknown = UnknownSizeName(size)) {
            const std::string names =
                unknown->empty() ? "names no parameter"
                                 : "names " + Quoted(*unknown) + ", which is not a parameter";
            Error(source, "The size " + Quoted(size) + " of the " + source.what + " " + names +
                              ".  A size is a whole number greater than 0, or an expression "
                              "over parameter names.");
        }
    }

    bool IsUsedParameterName(std::string_view name) const {
        for (int p = 0; p < ParameterCount(); ++p) {
            const PARAMINFO& parameter = b_.Parameters[static_cast<size_t>(p)];
            if (!parameter.isExcluded() && parameter.ParameterName == name) {
                return true;
            }
        }
        return false;
    }

    // The first word of a size expression that is no parameter name (the
    // header reads every word of it as a member), or "" when it names no
    // parameter at all. Parameter names that hold blanks are taken whole
    // before the expression is split into words.
    std::optional<std::string> UnknownSizeName(std::string size) const {
        bool namesParameter = false;
        for (int p = 0; p < ParameterCount(); ++p) {
            const PARAMINFO& parameter = b_.Parameters[static_cast<size_t>(p)];
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

    // Replaces each whole-word occurrence of name in text by a blank.
    static bool RemoveWholeWord(std::string& text, const std::string& name) {
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

    void CheckPersistants() {
        for (int v = 0; v < PersistantCount(); ++v) {
            const PERSISTANTINFO& variable = b_.Persistants[static_cast<size_t>(v)];
            if (!IsPersistantType(variable.PersistantType)) {
                Error(PersistantSource(v, "PersistantType"),
                      "The " + PersistantSource(v).what + " has the type code " +
                          std::to_string(variable.PersistantType) + ", which is no variable type.");
                continue;
            }
            if (variable.PersistantType == TYPE_EXCLUDED) {
                continue;
            }
            IdentifierForm(PersistantSource(v), variable.PersistantName, v);
            if (variable.PersistantType != TYPE_OTHER) {
                continue;
            }
            if (b_.RealTime != 0) {
                Error(PersistantSource(v, "PersistantType"),
                      "The " + PersistantSource(v).what +
                          " is of type Other: the DSP side of a real-time block cannot know "
                          "that type.  Please choose one of the listed types.");
            } else if (variable.PersistantTypeOther.find_first_not_of(' ') == std::string::npos) {
                Error(PersistantSource(v, "PersistantTypeOther"),
                      "The " + PersistantSource(v).what + " is of type Other but names no type.");
            }
        }
    }

    // Names in one scope of the generated code: a second owner of a name is an
    // error on the page of the second.
    class Scope {
    public:
        Scope(Checker& checker, std::string kind) : checker_(checker), kind_(std::move(kind)) {}
        void Add(const std::string& name, const Source& source) {
            const auto [it, added] = names_.try_emplace(name, source);
            if (added) {
                return;
            }
            const Source& first = it->second;
            if (first.page == source.page && first.record == source.record) {
                return;  // one record's own names collide only with others
            }
            if (!reported_.insert({first.key, source.key}).second) {
                return;  // one message for each pair of names
            }
            if (first.record == RESERVED) {
                checker_.Error(source, "The " + source.what + " becomes the " + kind_ + " " + name +
                                           ", which the " + first.what +
                                           " already hold.  Please choose another name.");
                return;
            }
            checker_.Error(source, "The " + source.what + " and the " + first.what +
                                       " both become the " + kind_ + " " + name +
                                       " in the generated code.  Please make the names differ in "
                                       "their letters, digits or underscores.");
        }
        void Reserve(const std::string& name, const std::string& what) {
            names_.try_emplace(name, Source{DefinitionPage::Template, RESERVED, "", what});
        }

    private:
        static constexpr int RESERVED = -2;
        Checker& checker_;
        std::string kind_;
        std::map<std::string, Source> names_;
        std::set<std::pair<std::string, std::string>> reported_;
    };

    bool UsedParameter(int p) const {
        const PARAMINFO& parameter = b_.Parameters[static_cast<size_t>(p)];
        return IsParameterType(parameter.ParameterType) && !parameter.isExcluded();
    }
    bool UsedPersistant(int v) const {
        const int type = b_.Persistants[static_cast<size_t>(v)].PersistantType;
        return IsPersistantType(type) && type != TYPE_EXCLUDED;
    }
    bool UsedArray(int a) const {
        const int precision = b_.LocalArrays[static_cast<size_t>(a)].LocalPrecision;
        return IsLocalPrecision(precision) && precision != TYPE_EXCLUDED;
    }

    // BLOCK_PARAM: parameters and persistent variables under their identifiers.
    void CheckBlockMembers() {
        Scope members(*this, "member");
        const auto add = [&](int type, const std::string& ident, const Source& source) {
            members.Add(ident, source);
            if (type == TYPE_FILE_OPEN) {
                members.Add(ident + "_PathName", source);
                members.Add(ident + "_CompleteName", source);
            }
        };
        for (int p = 0; p < ParameterCount(); ++p) {
            if (UsedParameter(p)) {
                const PARAMINFO& parameter = b_.Parameters[static_cast<size_t>(p)];
                add(parameter.ParameterType, Identifier(parameter.ParameterName, p),
                    ParameterSource(p));
            }
        }
        for (int v = 0; v < PersistantCount(); ++v) {
            if (UsedPersistant(v)) {
                const PERSISTANTINFO& variable = b_.Persistants[static_cast<size_t>(v)];
                add(variable.PersistantType, Identifier(variable.PersistantName, v),
                    PersistantSource(v));
            }
        }
    }

    // The dialog's control identifiers and the header's item counts: upper-cased
    // identifiers, so names that differ only in case collide.
    void CheckControlNames() {
        Scope controls(*this, "dialog control name");
        for (const char* name : HostControlNames(b_.RealTime != 0)) {
            controls.Reserve(name, "host's headers");
        }
        if (b_.xDAIS != 0) {
            controls.Reserve("IDC_COMBO_SWI", "XDAIS block's controls");
        }
        if (b_.UserControl != 0) {
            for (const char* name : {"IDC_BUTTON1", "IDC_RADIO1", "IDC_CHECK1"}) {
                controls.Reserve(name, "user control's controls");
            }
        }
        for (const char* name :
             {"IDC_IMAGEWIDTH", "IDC_VAR_IMAGEWIDTH", "IDC_IMAGEHEIGHT", "IDC_VAR_IMAGEHEIGHT",
              "IDC_ROWS", "IDC_VAR_ROWS", "IDC_COLUMNS", "IDC_VAR_COLUMNS", "IDC_STATIC"}) {
            controls.Reserve(name, "block's size controls");
        }
        for (int p = 0; p < ParameterCount(); ++p) {
            if (UsedParameter(p)) {
                for (const std::string& name : ControlNames(p)) {
                    controls.Add(name, ParameterSource(p));
                }
            }
        }
    }

    std::vector<std::string> ControlNames(int p) {
        const PARAMINFO& parameter = b_.Parameters[static_cast<size_t>(p)];
        const std::string ident = UpperIdentifier(parameter.ParameterName, p);
        const int type = parameter.ParameterType;
        std::vector<std::string> names;
        if (type != TYPE_CHECK_BOX) {
            names.push_back("IDC_STRING" + ident);
        }
        if (type == TYPE_FILE_OPEN) {
            names.push_back("IDC_STRING" + ident + "_PATHNAME");
            for (const char* suffix : {"", "_PATHNAME", "_COMPLETENAME"}) {
                names.push_back("IDC_EDIT" + ident + suffix);
                names.push_back("IDC_VAR" + ident + suffix);
            }
        } else if (HasEditControl(type)) {
            names.push_back("IDC_EDIT" + ident);
            names.push_back("IDC_VAR" + ident);
        }
        if (type == TYPE_COMBO_BOX) {
            names.push_back(ControlIdentifier(parameter, p));
            names.push_back("NUM" + ident);
        }
        if (type == TYPE_CHECK_BOX) {
            names.push_back(ControlIdentifier(parameter, p));
        }
        if (type == TYPE_RADIO_BUTTONS) {
            names.push_back(ControlIdentifier(parameter, p));
            RadioItemNames(p, names);
        }
        return names;
    }

    void RadioItemNames(int p, std::vector<std::string>& names) {
        const PARAMINFO& parameter = b_.Parameters[static_cast<size_t>(p)];
        const int items = static_cast<int>(parameter.ParameterItems.size());
        if (items < 2) {
            names.push_back(ControlIdentifier(parameter, p) + "_NO");
            names.push_back(ControlIdentifier(parameter, p) + "_YES");
            return;
        }
        std::set<std::string> seen;
        for (int item = 0; item < items; ++item) {
            const std::string name = RadioItemIdentifier(parameter, p, item);
            if (!seen.insert(name).second) {
                const Source source = ParameterSource(p);
                Error(source, "Two items of the " + source.what + " both become the control name " +
                                  name +
                                  ".  Please make the items differ in their letters, digits "
                                  "or underscores.");
            }
            names.push_back(name);
        }
    }

    // PARAMS, the DSP's structure: parameter, persistent variable and local
    // array members under their identifiers, as on the host.
    void CheckDspMembers() {
        Scope members(*this, "DSP member");
        for (const std::string& name : FixedDspMembers()) {
            members.Reserve(name, "DSP structure's own members");
        }
        for (int p = 0; p < ParameterCount(); ++p) {
            const PARAMINFO& parameter = b_.Parameters[static_cast<size_t>(p)];
            if (UsedParameter(p) && ParameterHasDspMember(parameter.ParameterType)) {
                members.Add(Identifier(parameter.ParameterName, p), ParameterSource(p));
            }
        }
        for (int v = 0; v < PersistantCount(); ++v) {
            const PERSISTANTINFO& variable = b_.Persistants[static_cast<size_t>(v)];
            if (UsedPersistant(v) && PersistantHasDspMember(variable.PersistantType)) {
                members.Add(Identifier(variable.PersistantName, v), PersistantSource(v));
            }
        }
        for (int a = 0; b_.xDAIS == 0 && a < ArrayCount(); ++a) {
            if (UsedArray(a)) {
                const std::string& name = b_.LocalArrays[static_cast<size_t>(a)].ArrayName;
                members.Add(Identifier(name, a), ArraySource(a));
            }
        }
    }

    std::vector<std::string> FixedDspMembers() const {
        std::vector<std::string> names;
        if (b_.Native == 0) {
            names = {"SyncIn", "SyncOut"};
        }
        const auto numbered = [&](const char* stem, int count) {
            for (int i = 0; i < std::clamp(count, 0, MAX_CHANNELS); ++i) {
                names.push_back(Indexed(stem, i));
            }
        };
        numbered("PtrIn", b_.NumInputs);
        numbered("PtrOut", b_.NumOutputs);
        numbered("FramesizeIn", b_.Native == 0 ? b_.NumInputs : 0);
        numbered("FramesizeOut", b_.Native == 0 ? b_.NumOutputs : 0);
        if (b_.Matrix != 0) {
            numbered("PtrPixelIn", b_.NumInputs);
            numbered("PtrPixelOut", b_.NumOutputs);
            if (b_.NumInputs == 0) {
                names.insert(names.end(), {"Rows", "Columns"});
            }
        }
        if (b_.xDAIS != 0) {
            names.insert(names.end(), {"Changed", "handle"});
        }
        return names;
    }

    const BLOCKINFO& b_;
    std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> CheckDefinition(const BLOCKINFO& block) {
    return Checker(block).Run();
}

std::vector<Finding> CheckStockFiles(const BLOCKINFO& block, const std::string& workingDirectory) {
    std::vector<Finding> findings;
    for (const BlockFile& file : RunFileSet(block)) {
        if (file.kind != FileKind::StockCopy || FileExists(workingDirectory + file.stockFile)) {
            continue;
        }
        findings.push_back({Severity::Error, DefinitionPage::Template, -1, "Working Directory",
                            "The stock file " + Quoted(file.stockFile) +
                                " is not in the working directory " +
                                Quoted(NativePath(workingDirectory)) +
                                ", which the setting \"Working Directory\" names; the block's " +
                                file.path + " could not be copied from it."});
    }
    return findings;
}

bool HasErrors(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

const Finding* FirstErrorOn(const std::vector<Finding>& findings, DefinitionPage page) {
    for (const Finding& finding : findings) {
        if (finding.severity == Severity::Error && finding.page == page) {
            return &finding;
        }
    }
    return nullptr;
}

}  // namespace bw
