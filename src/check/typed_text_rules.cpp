// Every typed text of the definition: a control character other than a tab
// (and, in the texts of several lines, the line ends) has no form that every
// file the text reaches could hold as typed. Comments, the description file,
// the makefile and the template itself have no escape for it, and written
// raw it would reach a terminal or an editor as a command. It is refused,
// naming the key. The names that become file names have rules of their own.
#include <cstdio>
#include <optional>
#include <string>

#include "check/checker.h"

namespace bw::check {

namespace {

enum class Lines { One, Several };

// The first control character of text that it may not hold (NUL too).
std::optional<unsigned char> StrayControl(std::string_view text, Lines lines) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool lineEnd = byte == '\r' || byte == '\n';
        if ((byte < 0x20 && byte != '\t' && !(lineEnd && lines == Lines::Several)) ||
            byte == 0x7f) {
            return byte;
        }
    }
    return std::nullopt;
}

void TypedText(Checker& c, const Source& source, std::string_view text, Lines lines = Lines::One) {
    const std::optional<unsigned char> stray = StrayControl(text, lines);
    if (!stray) {
        return;
    }
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", *stray);
    c.Error(source, "The " + source.what + " holds a control character (" + code +
                        "), which the generated files cannot hold as typed. Please remove it.");
}

void BlockTexts(Checker& c) {
    const BLOCKINFO& b = c.block;
    struct Field {
        DefinitionPage page;
        const char* key;
        const char* what;
        const std::string& text;
        Lines lines;
    };
    const Field fields[] = {
        {DefinitionPage::Names, "Library Name", "library name", b.LibraryName, Lines::One},
        {DefinitionPage::Names, "Group Name", "group name", b.GroupName, Lines::One},
        {DefinitionPage::Names, "Menu Name", "menu name", b.MenuName, Lines::One},
        {DefinitionPage::Names, "Short Description", "short description", b.ShortDescription,
         Lines::One},
        {DefinitionPage::Names, "Long Description", "long description", b.LongDescription,
         Lines::Several},
        {DefinitionPage::Files, "Directory", "block directory", b.Directory, Lines::One},
        {DefinitionPage::Files, "Library Path", "library path", b.LibraryPath, Lines::One},
        {DefinitionPage::Files, "Include Path", "include path", b.IncludePath, Lines::One},
        {DefinitionPage::Revision, "Company Name", "company name", b.CompanyName, Lines::One},
        {DefinitionPage::Revision, "Revision", "revision", b.Revision, Lines::One},
        {DefinitionPage::Data, "Algorithm Name", "algorithm name", b.AlgorithmName, Lines::One},
        {DefinitionPage::Data, "Vendor Name", "vendor name", b.VendorName, Lines::One},
    };
    for (const Field& field : fields) {
        TypedText(c, {field.page, -1, field.key, field.what}, field.text, field.lines);
    }
    for (size_t n = 0; n < b.Prototypes.size(); ++n) {
        const PROTOTYPEINFO& prototype = b.Prototypes[n];
        const std::string prefix = "Prototype " + std::to_string(n + 1);
        const Source name{DefinitionPage::Data, -1, prefix + " Name", "extended method's name"};
        TypedText(c, name, prototype.Name);
        TypedText(c, {DefinitionPage::Data, -1, prefix + " Type", "extended method's type"},
                  prototype.ReturnType);
        for (size_t j = 0; j < prototype.ParamNames.size() && j < prototype.ParamTypes.size();
             ++j) {
            const std::string number = std::to_string(j + 1);
            TypedText(c,
                      {DefinitionPage::Data, -1, prefix + " ParamName " + number,
                       "extended method's argument name"},
                      prototype.ParamNames[j]);
            TypedText(c,
                      {DefinitionPage::Data, -1, prefix + " ParamType " + number,
                       "extended method's argument type"},
                      prototype.ParamTypes[j]);
        }
    }
}

void ChannelLabels(Checker& c, const std::vector<std::string>& labels, int count, const char* key,
                   const char* what) {
    for (int i = 0; i < count && i < static_cast<int>(labels.size()); ++i) {
        TypedText(c, {DefinitionPage::Channels, i, Indexed(key, i), what},
                  labels[static_cast<size_t>(i)]);
    }
}

void RecordTexts(Checker& c) {
    const BLOCKINFO& b = c.block;
    for (int p = 0; p < c.ParameterCount(); ++p) {
        const PARAMINFO& parameter = b.Parameters[static_cast<size_t>(p)];
        TypedText(c, c.ParameterSource(p), parameter.ParameterName);
        TypedText(c, c.ParameterSource(p, "ParameterTypeCustom"), parameter.ParameterTypeCustom);
        TypedText(c, c.ParameterSource(p, "ParameterDefault"), parameter.ParameterDefault);
        TypedText(c, c.ParameterSource(p, "ParameterDesc"), parameter.ParameterDesc,
                  Lines::Several);
        for (size_t j = 0; j < parameter.ParameterItems.size(); ++j) {
            Source item = c.ParameterSource(p);
            item.key = "ParameterItems" + std::to_string(p) + "-" + std::to_string(j);
            TypedText(c, item, parameter.ParameterItems[j]);
        }
    }
    for (int a = 0; a < c.ArrayCount(); ++a) {
        const LOCALARRAYINFO& array = b.LocalArrays[static_cast<size_t>(a)];
        TypedText(c, c.ArraySource(a), array.ArrayName);
        TypedText(c, c.ArraySource(a, "LocalPrecisionCustom"), array.LocalPrecisionCustom);
        TypedText(c, c.ArraySource(a, "LocalSize"), array.LocalSize);
    }
    for (int v = 0; v < c.PersistantCount(); ++v) {
        const PERSISTANTINFO& variable = b.Persistants[static_cast<size_t>(v)];
        TypedText(c, c.PersistantSource(v), variable.PersistantName);
        TypedText(c, c.PersistantSource(v, "PersistantTypeOther"), variable.PersistantTypeOther);
        TypedText(c, c.PersistantSource(v, "PersistantDefault"), variable.PersistantDefault);
    }
}

}  // namespace

void CheckTypedTexts(Checker& c) {
    BlockTexts(c);
    ChannelLabels(c, c.block.InputChannelLabel, c.block.NumInputs, "Input Channel Label",
                  "input channel's label");
    ChannelLabels(c, c.block.OutputChannelLabel, c.block.NumOutputs, "Output Channel Label",
                  "output channel's label");
    RecordTexts(c);
}

}  // namespace bw::check
