#include "definition/template_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "definition/data_tables.h"
#include "definition/value_rules.h"

namespace bw {

namespace {

// The names a template's section may have; the keys under each are the same.
constexpr std::array<const char*, 4> ACCEPTED_SECTIONS{
    TEMPLATE_SECTION, "Tessaline Blockwright 4.0", "MV Windows Application",
    "Tessaline for Windows Blockwright"};

// The reader keeps at most this many characters of a text value.
constexpr size_t MAX_TEXT_LENGTH = 259;
// Bounds on counts that only a template can set, so that a hostile file cannot
// make the reader allocate without limit.
constexpr int MAX_PARAMETER_ITEMS = 256;
constexpr int MAX_PROTOTYPES = 256;
constexpr int MAX_PROTOTYPE_PARAMS = 64;

// Q and its level belong to the Integer precision and follow its key.
constexpr const char* Q_KEY = "Q";
constexpr const char* Q_LEVEL_KEY = "QLevel";

// key + i, held without allocating: the largest templates have thousands.
class Indexed {
public:
    Indexed(std::string_view key, int i) {
        const size_t length = key.copy(text_, sizeof text_ - MAX_DIGITS);
        size_ = static_cast<size_t>(std::to_chars(text_ + length, std::end(text_), i).ptr - text_);
    }
    operator std::string_view() const { return {text_, size_}; }

private:
    static constexpr size_t MAX_DIGITS = 12;
    char text_[64];
    size_t size_;
};

std::string ItemKey(int parameter, int item) {
    return "ParameterItems" + std::to_string(parameter) + "-" + std::to_string(item);
}

std::string PrototypePrefix(int number) {
    return "Prototype " + std::to_string(number);
}

// Multi-line texts keep each line break as one "|".
std::string EncodeLines(const std::string& text) {
    std::string encoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            encoded += '|';
            ++i;
        } else if (text[i] == '\r' || text[i] == '\n') {
            encoded += '|';
        } else {
            encoded += text[i];
        }
    }
    return encoded;
}

std::string DecodeLines(const std::string& text) {
    std::string decoded;
    for (char c : text) {
        if (c == '|') {
            decoded += "\r\n";
        } else {
            decoded += c;
        }
    }
    return decoded;
}

int TypeCodeOfAlias(int code) {
    switch (code) {
        case ALIAS_TYPE_INTEGER:
            return TYPE_INTEGER;
        case ALIAS_TYPE_DOUBLE:
            return TYPE_DOUBLE;
        case ALIAS_TYPE_TEXT:
            return TYPE_TEXT;
        default:
            return code;
    }
}

int BlockTypeFromText(const std::string& text) {
    if (text == "INPUT       (Block Type 1)") {
        return BLOCK_INPUT;
    }
    if (text == "OUTPUT    (Block Type 3)") {
        return BLOCK_OUTPUT;
    }
    if (text == "CONTROL  (Block Type 7)") {
        return BLOCK_CONTROL;
    }
    return BLOCK_PROCESS;
}

// Texts of the process type, or none at all (what the writer stores), are
// the block type PROCESS as they should be; any other unknown text is noted.
bool IsProcessText(const std::string& text) {
    return text.empty() || text.rfind("PROCESS", 0) == 0;
}

size_t At(int i) {
    return static_cast<size_t>(i);
}

// Collects the lines of the template section in order. Every key is written
// once, so the lines are put together directly rather than looked up one by
// one in a profile (thousands of keys for the largest blocks).
class TemplateWriter {
public:
    void Text(std::string_view key, std::string_view value) {
        lines_.append(key).append("=");
        ProfileFile::AppendValue(lines_, value);
        lines_.append("\r\n");
    }
    void Number(std::string_view key, int value) { Text(key, std::to_string(value)); }
    void Flag(std::string_view key, int value) { Text(key, value != 0 ? "1" : "0"); }
    const std::string& Lines() const { return lines_; }

private:
    std::string lines_;
};

// True when text is a whole number that an int holds, read as the value
// rules read one.
bool IsWholeNumber(std::string_view text) {
    const std::optional<long long> value = WholeNumber(text);
    return value && *value >= std::numeric_limits<int>::min() &&
           *value <= std::numeric_limits<int>::max();
}

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    return quoted.append(1, '"').append(text).append(1, '"');
}

// Reads the keys of the section found, with the reader's defaults and limits,
// and notes every value it could not take as it stood.
class TemplateReader {
public:
    TemplateReader(const ProfileFile& profile, std::string section,
                   std::vector<TemplateNote>& notes)
        : profile_(profile), section_(std::move(section)), notes_(notes) {}
    std::string Text(std::string_view key, std::string_view defaultValue) const {
        const std::string_view value = profile_.Find(section_, key).value_or(defaultValue);
        if (value.size() > MAX_TEXT_LENGTH) {
            Note(key, "The text is longer than " + std::to_string(MAX_TEXT_LENGTH) +
                          " characters; only its first " + std::to_string(MAX_TEXT_LENGTH) +
                          " were read.");
        }
        return std::string(value.substr(0, MAX_TEXT_LENGTH));
    }
    int Number(std::string_view key, int defaultValue) const {
        const int value = profile_.GetInt(section_, key, defaultValue);
        const std::optional<std::string_view> written = profile_.Find(section_, key);
        if (written && !IsWholeNumber(*written)) {
            Note(key, Quoted(*written) + " is not a number; it was read as " +
                          std::to_string(value) + ".");
        }
        return value;
    }
    int Count(std::string_view key, int defaultValue, int limit) const {
        const int value = Number(key, defaultValue);
        const int counted = std::clamp(value, 0, limit);
        if (counted != value) {
            Note(key, std::to_string(value) + " is outside 0 to " + std::to_string(limit) +
                          "; it was read as " + std::to_string(counted) + ".");
        }
        return counted;
    }
    void Note(std::string_view key, std::string message) const {
        notes_.push_back({std::string(key), std::move(message)});
    }

private:
    const ProfileFile& profile_;
    std::string section_;
    std::vector<TemplateNote>& notes_;
};

void SavePrototype(TemplateWriter& out, const PROTOTYPEINFO& prototype, int number) {
    const std::string prefix = PrototypePrefix(number);
    out.Text(prefix + " Name", prototype.Name);
    out.Text(prefix + " Type", prototype.ReturnType);
    const int count =
        static_cast<int>(std::min(prototype.ParamNames.size(), prototype.ParamTypes.size()));
    out.Number(prefix + " NumParams", count);
    for (int j = 1; j <= count; ++j) {
        out.Text(prefix + " ParamName " + std::to_string(j), prototype.ParamNames[At(j - 1)]);
        out.Text(prefix + " ParamType " + std::to_string(j), prototype.ParamTypes[At(j - 1)]);
    }
}

PROTOTYPEINFO LoadPrototype(const TemplateReader& in, int number) {
    const std::string prefix = PrototypePrefix(number);
    PROTOTYPEINFO prototype;
    prototype.Name = in.Text(prefix + " Name", "");
    prototype.ReturnType = in.Text(prefix + " Type", "");
    const int count = in.Count(prefix + " NumParams", 0, MAX_PROTOTYPE_PARAMS);
    for (int j = 1; j <= count; ++j) {
        prototype.ParamNames.push_back(in.Text(prefix + " ParamName " + std::to_string(j), ""));
        prototype.ParamTypes.push_back(in.Text(prefix + " ParamType " + std::to_string(j), ""));
    }
    return prototype;
}

void WriteFlags(TemplateWriter& out, const BLOCKINFO& b) {
    out.Number("Real Time", b.RealTime);
    out.Number("User Control", b.UserControl);
    out.Number("Image", b.Image);
    out.Number("Matrix", b.Matrix);
    out.Number("Square", b.Square);
    for (const DataType& type : DATA_TYPES) {
        out.Number(type.templateKey, b.*type.flag);
    }
    for (const Precision& precision : PRECISIONS) {
        out.Number(precision.templateKey, b.*precision.flag);
        if (&precision == &PRECISIONS[INTEGER_PRECISION]) {
            out.Number(Q_KEY, b.Q);
            out.Number(Q_LEVEL_KEY, b.QLevel);
        }
    }
    out.Number("Native", b.Native);
    out.Number("xDAIS", b.xDAIS);
}

void WriteNamesAndChannels(TemplateWriter& out, const BLOCKINFO& b) {
    out.Text("Library Name", b.LibraryName);
    out.Text("Block Name", b.BlockName);
    out.Text("Menu Name", b.MenuName);
    out.Text("Group Name", b.GroupName);
    out.Text("Directory", b.Directory);
    out.Text("Library Path", b.LibraryPath);
    out.Text("Include Path", b.IncludePath);
    out.Text("Short Description", b.ShortDescription);
    out.Text("Long Description", EncodeLines(b.LongDescription));
    const int inputs = std::clamp(b.NumInputs, 0, MAX_CHANNELS);
    const int outputs = std::clamp(b.NumOutputs, 0, MAX_CHANNELS);
    out.Number("Inputs", b.NumInputs);
    out.Number("Outputs", b.NumOutputs);
    for (int i = 0; i < inputs; ++i) {
        out.Text(Indexed("Input Channel Label", i), b.InputChannelLabel[At(i)]);
        out.Number(Indexed("Input Channel Dimension", i), b.InputChannelDimension[At(i)]);
    }
    for (int i = 0; i < outputs; ++i) {
        out.Text(Indexed("Output Channel Label", i), b.OutputChannelLabel[At(i)]);
        out.Number(Indexed("Output Channel Dimension", i), b.OutputChannelDimension[At(i)]);
    }
    out.Text("Block Type", b.BlockTypeText);
    out.Number("Warning Type", b.WarningType);
    out.Number("Alignment", b.Alignment);
    out.Number("Space", b.Space);
    out.Number("Attributes", b.Attributes);
}

// The pool's count under countKey, then each used record's keys.
template <typename Record>
void WritePool(TemplateWriter& out, std::string_view countKey, RecordPool<const Record> pool,
               void (*writeRecord)(TemplateWriter&, const Record&, int)) {
    const std::span<const Record> used = pool.used();
    out.Number(countKey, static_cast<int>(used.size()));
    for (size_t i = 0; i < used.size(); ++i) {
        writeRecord(out, used[i], static_cast<int>(i));
    }
}

void WriteLocalArray(TemplateWriter& out, const LOCALARRAYINFO& a, int i) {
    out.Number(Indexed("LocalPrecision", i), a.LocalPrecision);
    out.Text(Indexed("LocalPrecisionCustom", i), a.LocalPrecisionCustom);
    out.Text(Indexed("LocalSize", i), a.LocalSize);
    out.Text(Indexed("ArrayName", i), a.ArrayName);
    out.Number(Indexed("LocalAlignment", i), a.LocalAlignment);
    out.Number(Indexed("LocalMemSpace", i), a.LocalMemSpace);
    out.Number(Indexed("LocalAttributes", i), a.LocalAttributes);
}

void WriteParameter(TemplateWriter& out, const PARAMINFO& p, int i) {
    out.Number(Indexed("ParameterType", i), p.ParameterType);
    out.Text(Indexed("ParameterTypeCustom", i), p.ParameterTypeCustom);
    out.Text(Indexed("ParameterName", i), p.ParameterName);
    out.Text(Indexed("ParameterDefault", i), p.ParameterDefault);
    out.Number(Indexed("ParameterItems", i), static_cast<int>(p.ParameterItems.size()));
    for (size_t j = 0; j < p.ParameterItems.size(); ++j) {
        out.Text(ItemKey(i, static_cast<int>(j)), p.ParameterItems[j]);
    }
    out.Text(Indexed("ParameterDesc", i), EncodeLines(p.ParameterDesc));
    out.Number(Indexed("ParameterConst", i), p.ParameterConst);
    out.Flag(Indexed("ParameterReadWrite", i), p.ParameterReadWrite);
    out.Flag(Indexed("ParameterSign", i), p.ParameterSign);
}

void WritePersistant(TemplateWriter& out, const PERSISTANTINFO& v, int i) {
    out.Text(Indexed("PersistantName", i), v.PersistantName);
    out.Number(Indexed("PersistantType", i), v.PersistantType);
    if (v.PersistantType == TYPE_OTHER) {
        out.Text(Indexed("PersistantTypeOther", i), v.PersistantTypeOther);
    }
    out.Text(Indexed("PersistantDefault", i), v.PersistantDefault);
}

void WriteFilesAndAlgorithm(TemplateWriter& out, const BLOCKINFO& b) {
    out.Text("Icon Filename", b.IconFilename);
    out.Text("Help Filename", b.HelpFilename);
    out.Text("Revision", b.Revision);
    out.Text("Company Name", b.CompanyName);
    out.Text("Algorithm Name", b.AlgorithmName);
    out.Text("Vendor Name", b.VendorName);
    out.Number("NumPrototypes", static_cast<int>(b.Prototypes.size()));
    for (size_t n = 0; n < b.Prototypes.size(); ++n) {
        SavePrototype(out, b.Prototypes[n], static_cast<int>(n + 1));
    }
    out.Number("Chip", b.Chip);
    out.Number("Endian", b.Endian);
    out.Number("MemoryModel", b.MemoryModel);
}

void ReadFlags(const TemplateReader& in, BLOCKINFO& b) {
    b.RealTime = in.Number("Real Time", 0);
    b.UserControl = in.Number("User Control", 0);
    b.Image = in.Number("Image", 0);
    b.Matrix = in.Number("Matrix", 0);
    b.Square = in.Number("Square", 0);
    for (const DataType& type : DATA_TYPES) {
        b.*type.flag = in.Number(type.templateKey, 0);
    }
    for (const Precision& precision : PRECISIONS) {
        b.*precision.flag = in.Number(precision.templateKey, 0);
        if (&precision == &PRECISIONS[INTEGER_PRECISION]) {
            b.Q = in.Number(Q_KEY, 0);
            b.QLevel = in.Number(Q_LEVEL_KEY, 15);
        }
    }
    b.Native = in.Number("Native", 0);
    b.xDAIS = in.Number("xDAIS", 0);
    // A template that names no data type gets both; one that names no
    // precision (and is no image or matrix block), Integer and Floating Point.
    const auto none = [&b](const auto& rows) {
        return std::none_of(std::begin(rows), std::end(rows),
                            [&b](const auto& row) { return b.*row.flag != 0; });
    };
    if (none(DATA_TYPES)) {
        b.Real = b.Complex = 1;
    }
    if (none(SAMPLE_PRECISIONS) && !b.Image && !b.Matrix) {
        b.Integer = b.FloatingPoint = 1;
    }
}

void ReadNames(const TemplateReader& in, BLOCKINFO& b) {
    b.LibraryName = in.Text("Library Name", "");
    if (b.LibraryName.empty()) {
        b.LibraryName = b.RealTime ? "Real-time Library" : "Simulation Library";
    }
    b.BlockName = in.Text("Block Name", "");
    b.MenuName = in.Text("Menu Name", "Default Menu Name");
    b.GroupName = in.Text("Group Name", "Default Group");
    b.Directory = in.Text("Directory", "c:\\tlblock\\blockgen");
    b.LibraryPath = in.Text("Library Path", "c:\\tlblock\\blockgen");
    b.IncludePath = in.Text("Include Path", "c:\\tlblock\\blockgen");
    b.ShortDescription = in.Text("Short Description", "Default comment line");
    b.LongDescription = DecodeLines(in.Text("Long Description", ""));
}

int ReadBlockType(const TemplateReader& in) {
    const std::string text = in.Text("Block Type", "PROCESS   (Block Type 2)");
    const int type = BlockTypeFromText(text);
    if (type == BLOCK_PROCESS && !IsProcessText(text)) {
        in.Note("Block Type", Quoted(text) + " is not a block type; it was read as PROCESS.");
    }
    return type;
}

void ReadCountsAndChannels(const TemplateReader& in, BLOCKINFO& b) {
    b.NumInputs = in.Count("Inputs", 1, MAX_CHANNELS);
    b.NumOutputs = in.Count("Outputs", 1, MAX_CHANNELS);
    b.NumParameters = in.Count("Parameters", 0, MAX_PARAMETERS);
    b.BlockType = ReadBlockType(in);
    b.WarningType = in.Number("Warning Type", 0);
    for (int i = 0; i < b.NumInputs; ++i) {
        b.InputChannelLabel[At(i)] = in.Text(Indexed("Input Channel Label", i), Indexed("In", i));
        b.InputChannelDimension[At(i)] = in.Number(Indexed("Input Channel Dimension", i), 1);
    }
    for (int i = 0; i < b.NumOutputs; ++i) {
        b.OutputChannelLabel[At(i)] =
            in.Text(Indexed("Output Channel Label", i), Indexed("Out", i));
        b.OutputChannelDimension[At(i)] = in.Number(Indexed("Output Channel Dimension", i), 1);
    }
    b.Alignment = b.Space = b.Attributes = 0;
}

void ReadLocalArrays(const TemplateReader& in, BLOCKINFO& b) {
    b.NumLocalArrays = in.Count("Local Arrays", 0, MAX_LOCAL_ARRAYS);
    for (int i = 0; i < b.NumLocalArrays; ++i) {
        LOCALARRAYINFO& a = b.LocalArrays[At(i)];
        a.LocalPrecision = TypeCodeOfAlias(in.Number(Indexed("LocalPrecision", i), 0));
        a.LocalSize = in.Text(Indexed("LocalSize", i), "1000");
        a.ArrayName = in.Text(Indexed("ArrayName", i), Indexed("hLocalBuffer", i));
        a.LocalPrecisionCustom = in.Text(Indexed("LocalPrecisionCustom", i), "");
        a.LocalAlignment = in.Number(Indexed("LocalAlignment", i), 1);
    }
}

void ReadParameters(const TemplateReader& in, BLOCKINFO& b) {
    for (int i = 0; i < b.NumParameters; ++i) {
        PARAMINFO& p = b.Parameters[At(i)];
        p.ParameterType = TypeCodeOfAlias(in.Number(Indexed("ParameterType", i), 0));
        p.ParameterName = in.Text(Indexed("ParameterName", i), Indexed("Parameter", i));
        p.ParameterTypeCustom = in.Text(Indexed("ParameterTypeCustom", i), "");
        p.ParameterDefault = in.Text(Indexed("ParameterDefault", i), "");
        const int items = in.Count(Indexed("ParameterItems", i), 0, MAX_PARAMETER_ITEMS);
        p.ParameterItems.assign(At(items), std::string());
        for (int j = 0; j < items; ++j) {
            p.ParameterItems[At(j)] = in.Text(ItemKey(i, j), "");
        }
        p.ParameterDesc = DecodeLines(in.Text(Indexed("ParameterDesc", i), ""));
        p.ParameterConst = in.Number(Indexed("ParameterConst", i), 0);
        p.ParameterReadWrite = in.Number(Indexed("ParameterReadWrite", i), 1);
        p.ParameterSign = in.Number(Indexed("ParameterSign", i), 1);
    }
}

void ReadPersistants(const TemplateReader& in, BLOCKINFO& b) {
    b.NumPersistants = in.Count("PersistantVars", 0, MAX_PERSISTANTS);
    for (int i = 0; i < b.NumPersistants; ++i) {
        PERSISTANTINFO& v = b.Persistants[At(i)];
        v.PersistantName = in.Text(Indexed("PersistantName", i), Indexed("Persistant", i));
        v.PersistantType = in.Number(Indexed("PersistantType", i), 0);
        v.PersistantTypeOther = in.Text(Indexed("PersistantTypeOther", i), "");
        v.PersistantDefault = in.Text(Indexed("PersistantDefault", i), "");
    }
}

void ReadFilesAndAlgorithm(const TemplateReader& in, BLOCKINFO& b) {
    b.IconFilename = in.Text("Icon Filename", "process.ico");
    b.HelpFilename = in.Text("Help Filename", "block.hlp");
    b.Revision = in.Text("Revision", "4.00");
    b.CompanyName = in.Text("Company Name", "Calderic");
    b.AlgorithmName = in.Text("Algorithm Name", "");
    b.VendorName = in.Text("Vendor Name", "");
    b.Prototypes.clear();
    const int prototypes = in.Count("NumPrototypes", 0, MAX_PROTOTYPES);
    for (int n = 1; n <= prototypes; ++n) {
        b.Prototypes.push_back(LoadPrototype(in, n));
    }
    b.Chip = in.Number("Chip", 6200);
    b.Endian = in.Number("Endian", 0);
    b.MemoryModel = in.Number("MemoryModel", 0);
}

}  // namespace

std::string TemplateText(const BLOCKINFO& block) {
    TemplateWriter out;
    WriteFlags(out, block);
    WriteNamesAndChannels(out, block);
    WritePool(out, "Local Arrays", block.LocalArrayPool(), WriteLocalArray);
    WritePool(out, "Parameters", block.ParameterPool(), WriteParameter);
    WritePool(out, "PersistantVars", block.PersistantPool(), WritePersistant);
    WriteFilesAndAlgorithm(out, block);
    return out.Lines();
}

namespace {

// The other sections of the file at path, which stay as they were.
ProfileFile OtherSections(const std::string& path) {
    ProfileFile others;
    others.Load(path, {TEMPLATE_SECTION, "Files"});
    return others;
}

}  // namespace

bool WriteTemplate(const BLOCKINFO& block, const std::string& path) {
    return OtherSections(path).Save(path, TEMPLATE_SECTION, TemplateText(block));
}

std::string TemplateTextOver(const BLOCKINFO& block, std::string_view existing) {
    ProfileFile others;
    others.Parse(existing, {TEMPLATE_SECTION, "Files"});
    return others.Text() + "[" + TEMPLATE_SECTION + "]\r\n" + TemplateText(block);
}

bool ReadTemplate(BLOCKINFO& block, const std::string& path, UserPrompts& prompts) {
    ProfileFile profile;
    profile.Load(path);
    return ReadTemplate(block, profile, prompts);
}

bool ReadTemplate(BLOCKINFO& block, const ProfileFile& profile, UserPrompts& prompts) {
    const auto accepted =
        std::find_if(ACCEPTED_SECTIONS.begin(), ACCEPTED_SECTIONS.end(),
                     [&](const char* name) { return profile.SectionHasContent(name); });
    if (accepted == ACCEPTED_SECTIONS.end()) {
        prompts.showMessage(INVALID_TEMPLATE_MESSAGE, MessageIcon::Stop);
        return false;
    }
    block.TemplateNotes.clear();
    const TemplateReader in(profile, *accepted, block.TemplateNotes);
    ReadFlags(in, block);
    ReadNames(in, block);
    ReadCountsAndChannels(in, block);
    ReadLocalArrays(in, block);
    ReadParameters(in, block);
    ReadPersistants(in, block);
    ReadFilesAndAlgorithm(in, block);
    block.DeriveLocalSizeIsExpression();
    return true;
}

}  // namespace bw
