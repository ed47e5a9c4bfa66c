#pragma once

#include <string>
#include <vector>

#include "definition/record_pool.h"
#include "definition/seams.h"
#include "definition/settings_rules.h"
#include "definition/type_codes.h"

namespace bw {

// One user parameter.
struct PARAMINFO {
    std::string ParameterName;
    int ParameterType = TYPE_INTEGER;
    std::string ParameterTypeCustom;
    std::vector<std::string> ParameterItems;
    std::string ParameterDesc;  // lines separated by CR LF
    std::string ParameterDefault;
    int ParameterConst = 0;
    int ParameterReadWrite = 1;
    int ParameterSign = 1;

    bool isExcluded() const { return ParameterType == TYPE_EXCLUDED; }
};

// One local (instantiated) array.
struct LOCALARRAYINFO {
    std::string ArrayName;
    std::string LocalPrecisionCustom;
    std::string LocalSize;
    int LocalPrecision = TYPE_INTEGER;
    int LocalAlignment = 0;
    int LocalMemSpace = 0;
    int LocalAttributes = 0;
    int LocalSizeIsExpression = 0;

    bool isExcluded() const { return LocalPrecision == TYPE_EXCLUDED; }
};

// One persistent variable.
struct PERSISTANTINFO {
    std::string PersistantName;
    int PersistantType = TYPE_INTEGER;
    std::string PersistantTypeOther;
    std::string PersistantDefault;
};

// One XDAIS extended method.
struct PROTOTYPEINFO {
    std::string Name;
    std::string ReturnType;
    std::vector<std::string> ParamNames;
    std::vector<std::string> ParamTypes;
};

// A value the template reader read otherwise than it stood in the file (a
// number that was not one, a count beyond its range, a text cut short), with
// the key it stood under.
struct TemplateNote {
    std::string key;
    std::string message;
};

// The one description of the block being built.
struct BLOCKINFO {
    BLOCKINFO();

    std::string ChipName;
    std::string LibraryName;
    std::string BlockName;
    std::string MenuName;
    std::string GroupName;
    std::string Directory;
    std::string LibraryPath;
    std::string IncludePath;
    std::string HelpFilename;
    std::string IconFilename;
    std::string Revision;
    std::string CompanyName;
    std::string ShortDescription;
    std::string LongDescription;  // lines separated by CR LF
    std::string BlockTypeText;
    int BlockType = BLOCK_PROCESS;
    int RealTime = 0;
    int WarningType = WARNING_NONE;
    int UserControl = 0;
    int NumInputs = 1;
    int NumOutputs = 1;
    int NumParameters = 0;
    int NumLocalArrays = 0;
    int NumPersistants = 0;
    int Chip = 0;
    int MemoryModel = 0;
    int Endian = 0;
    int Real = 1;
    int Complex = 1;
    int Character = 0;
    int Byte = 1;
    int ShortInteger = 1;
    int Integer = 1;
    int Q = 0;
    int QLevel = 15;
    int LongInteger = 1;
    int FloatingPoint = 1;
    int Double = 1;
    int Image = 0;
    int Bitmap = 0;
    int Native = 0;
    int xDAIS = 0;
    int Matrix = 0;
    int Square = 0;
    int Alignment = 0;
    int Space = 0;
    int Attributes = 0;
    std::vector<LOCALARRAYINFO> LocalArrays;      // always MAX_LOCAL_ARRAYS records
    std::vector<PARAMINFO> Parameters;            // always MAX_PARAMETERS records
    std::vector<PERSISTANTINFO> Persistants;      // always MAX_PERSISTANTS records
    std::vector<std::string> InputChannelLabel;   // MAX_CHANNELS entries
    std::vector<int> InputChannelDimension;       // MAX_CHANNELS entries
    std::vector<std::string> OutputChannelLabel;  // MAX_CHANNELS entries
    std::vector<int> OutputChannelDimension;      // MAX_CHANNELS entries
    std::string AlgorithmName;
    std::string VendorName;
    std::vector<PROTOTYPEINFO> Prototypes;
    // What the last template read coerced; emptied by Reset.
    std::vector<TemplateNote> TemplateNotes;
    // Whether a CMake project is written beside the Visual C++ files: the
    // generate page's check box or the command line's --cmake. The template
    // does not hold it, and Reset leaves it as it is.
    bool CMakeProject = false;

    // The "new block" state; directories and company come from the settings,
    // the directories from folders where the settings name none.
    void Reset(const SettingsStore& settings, const FolderDefaults& folders);

    // The three pools seen whole (their records and counts above).
    RecordPool<PARAMINFO> ParameterPool();
    RecordPool<const PARAMINFO> ParameterPool() const;
    RecordPool<LOCALARRAYINFO> LocalArrayPool();
    RecordPool<const LOCALARRAYINFO> LocalArrayPool() const;
    RecordPool<PERSISTANTINFO> PersistantPool();
    RecordPool<const PERSISTANTINFO> PersistantPool() const;

    // Pool operations. Adding past a pool's size shows the limit message and
    // changes nothing (returns false); deleting an index out of range does nothing.
    bool AddParameter(UserPrompts& prompts);
    void DeleteParameter(int index);
    bool AddPersistant(UserPrompts& prompts);
    bool AddLocalArray(UserPrompts& prompts);
    void DeleteLocalArray(int index);

    // The block type the input/output page derives from the channel counts.
    static int BlockTypeFor(int numInputs, int numOutputs);

    // Sets LocalSizeIsExpression of every used local array whose size is
    // neither a non-zero number nor exactly the name of a used parameter.
    void DeriveLocalSizeIsExpression();
};

// The DSP family of a data-page selection index, and back.
int ChipForIndex(int index);
int IndexForChip(int chip);  // any unknown value shows as index 0
const char* ChipNameForIndex(int index);

// The number a text starts with: leading blanks, an optional sign, then digits;
// the first other character ends it, a text without digits gives 0 and a value
// beyond int saturates. Sizes and counts typed as expressions (N*2) thus read
// as their leading number instead of failing.
int DecimalValue(std::string_view text);

inline constexpr const char* PARAMETER_LIMIT_MESSAGE =
    "You have exceeded the number of parameters supported by this wizard.  You will have to add "
    "the remainder of the parameters by hand.";
inline constexpr const char* LOCAL_ARRAY_LIMIT_MESSAGE =
    "You have exceeded the number of local arrays supported by this wizard.  You will have to "
    "add the remainder of the local arrays by hand.";

}  // namespace bw
