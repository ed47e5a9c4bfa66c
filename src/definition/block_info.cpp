#include "definition/block_info.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <utility>

namespace bw {

namespace {

struct ChipFamily {
    int chip;
    const char* name;
};

constexpr std::array<ChipFamily, 6> CHIP_FAMILIES{{{6200, "C62x"},
                                                   {6400, "C64x"},
                                                   {6700, "C67x"},
                                                   {5400, "C54x"},
                                                   {5500, "C55x"},
                                                   {2000, "C2xx"}}};

void FreshParameter(PARAMINFO& p, int index) {
    p.ParameterName = "Parameter" + std::to_string(index);
    p.ParameterType = TYPE_INTEGER;
    p.ParameterConst = 0;
    p.ParameterDefault = "0";
    p.ParameterDesc.clear();
    p.ParameterItems.clear();
}

void FreshPersistant(PERSISTANTINFO& v, int index) {
    v.PersistantName = "Persistant" + std::to_string(index);
    v.PersistantType = TYPE_INTEGER;
    v.PersistantTypeOther.clear();
    v.PersistantDefault.clear();
}

void FreshLocalArray(LOCALARRAYINFO& a, int index) {
    a.ArrayName = "hLocalBuffer" + std::to_string(index);
    a.LocalSize = "1000";
    a.LocalPrecision = TYPE_INTEGER;
}

constexpr PoolKind<PARAMINFO> PARAMETERS{MAX_PARAMETERS, PARAMETER_LIMIT_MESSAGE, FreshParameter};
constexpr PoolKind<LOCALARRAYINFO> LOCAL_ARRAYS{MAX_LOCAL_ARRAYS, LOCAL_ARRAY_LIMIT_MESSAGE,
                                                FreshLocalArray};
// The variables share the parameters' message.
constexpr PoolKind<PERSISTANTINFO> PERSISTANTS{MAX_PERSISTANTS, PARAMETER_LIMIT_MESSAGE,
                                               FreshPersistant};

}  // namespace

BLOCKINFO::BLOCKINFO()
    : LocalArrays(MAX_LOCAL_ARRAYS),
      Parameters(MAX_PARAMETERS),
      Persistants(MAX_PERSISTANTS),
      InputChannelLabel(MAX_CHANNELS),
      InputChannelDimension(MAX_CHANNELS, 1),
      OutputChannelLabel(MAX_CHANNELS),
      OutputChannelDimension(MAX_CHANNELS, 1) {}

void BLOCKINFO::Reset(const SettingsStore& settings, const FolderDefaults& folders) {
    LibraryName = "Simulation Library";
    GroupName.clear();
    MenuName.clear();
    ShortDescription.clear();
    LongDescription.clear();
    BlockName.clear();
    HelpFilename.clear();
    IconFilename.clear();
    TemplateNotes.clear();

    const FolderDefaults directories = NewBlockFolders(settings, folders);
    Directory = directories.block;
    LibraryPath = directories.library;
    IncludePath = directories.include;

    Image = Matrix = Square = RealTime = UserControl = Q = Character = Native = xDAIS = 0;
    WarningType = WARNING_NONE;
    ShortInteger = Real = LongInteger = Integer = FloatingPoint = Double = Complex = Byte = 1;
    QLevel = 15;

    Revision = settings.read(setting::SECTION, setting::REVISION, setting::DEFAULT_REVISION);
    CompanyName =
        settings.read(setting::SECTION, setting::COMPANY_NAME, setting::DEFAULT_COMPANY_NAME);
    VendorName =
        settings.read(setting::SECTION, setting::VENDOR_NAME, setting::DEFAULT_VENDOR_NAME);

    NumParameters = 0;
    NumInputs = 1;
    NumOutputs = 1;
    NumLocalArrays = 0;
    NumPersistants = 0;
    BlockType = BLOCK_PROCESS;

    Parameters.resize(MAX_PARAMETERS);
    ParameterPool().renew();
    Persistants.resize(MAX_PERSISTANTS);
    PersistantPool().renew();
    InputChannelLabel.resize(MAX_CHANNELS);
    OutputChannelLabel.resize(MAX_CHANNELS);
    InputChannelDimension.assign(MAX_CHANNELS, 1);
    OutputChannelDimension.assign(MAX_CHANNELS, 1);
    for (int i = 0; i < MAX_CHANNELS; ++i) {
        InputChannelLabel[static_cast<size_t>(i)] = "In" + std::to_string(i);
        OutputChannelLabel[static_cast<size_t>(i)] = "Out" + std::to_string(i);
    }
    LocalArrays.resize(MAX_LOCAL_ARRAYS);
    LocalArrayPool().renew();
    for (LOCALARRAYINFO& a : LocalArrays) {
        a.LocalAlignment = a.LocalMemSpace = a.LocalAttributes = 0;
    }
}

RecordPool<PARAMINFO> BLOCKINFO::ParameterPool() {
    return {Parameters, NumParameters, PARAMETERS};
}

RecordPool<const PARAMINFO> BLOCKINFO::ParameterPool() const {
    return {Parameters, NumParameters, PARAMETERS};
}

RecordPool<LOCALARRAYINFO> BLOCKINFO::LocalArrayPool() {
    return {LocalArrays, NumLocalArrays, LOCAL_ARRAYS};
}

RecordPool<const LOCALARRAYINFO> BLOCKINFO::LocalArrayPool() const {
    return {LocalArrays, NumLocalArrays, LOCAL_ARRAYS};
}

RecordPool<PERSISTANTINFO> BLOCKINFO::PersistantPool() {
    return {Persistants, NumPersistants, PERSISTANTS};
}

RecordPool<const PERSISTANTINFO> BLOCKINFO::PersistantPool() const {
    return {Persistants, NumPersistants, PERSISTANTS};
}

bool BLOCKINFO::AddParameter(UserPrompts& prompts) {
    return ParameterPool().add(prompts);
}

void BLOCKINFO::DeleteParameter(int index) {
    ParameterPool().remove(index);
}

bool BLOCKINFO::AddPersistant(UserPrompts& prompts) {
    return PersistantPool().add(prompts);
}

bool BLOCKINFO::AddLocalArray(UserPrompts& prompts) {
    return LocalArrayPool().add(prompts);
}

void BLOCKINFO::DeleteLocalArray(int index) {
    LocalArrayPool().remove(index);
}

int BLOCKINFO::BlockTypeFor(int numInputs, int numOutputs) {
    if (numInputs == 0) {
        return BLOCK_INPUT;
    }
    return numOutputs == 0 ? BLOCK_OUTPUT : BLOCK_PROCESS;
}

void BLOCKINFO::DeriveLocalSizeIsExpression() {
    const std::span<const PARAMINFO> parameters = std::as_const(*this).ParameterPool().used();
    for (LOCALARRAYINFO& a : LocalArrayPool().used()) {
        const bool namesParameter =
            std::any_of(parameters.begin(), parameters.end(),
                        [&](const PARAMINFO& p) { return a.LocalSize == p.ParameterName; });
        if (DecimalValue(a.LocalSize) == 0 && !namesParameter) {
            a.LocalSizeIsExpression = 1;
        }
    }
}

int ChipForIndex(int index) {
    if (index < 0 || index >= static_cast<int>(CHIP_FAMILIES.size())) {
        index = 0;
    }
    return CHIP_FAMILIES[static_cast<size_t>(index)].chip;
}

int IndexForChip(int chip) {
    for (size_t i = 0; i < CHIP_FAMILIES.size(); ++i) {
        if (CHIP_FAMILIES[i].chip == chip) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

const char* ChipNameForIndex(int index) {
    if (index < 0 || index >= static_cast<int>(CHIP_FAMILIES.size())) {
        index = 0;
    }
    return CHIP_FAMILIES[static_cast<size_t>(index)].name;
}

int DecimalValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        // Saturate instead of overflowing on absurdly long digit runs.
        value =
            std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) {
        value = -value;
    }
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace bw
