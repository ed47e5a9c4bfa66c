// BlockName + ".h": the names, structures and prototypes that every source
// file of the block shares. Its four user sections survive regeneration; the
// previous version is read strictly forward, so they are found only in the
// order in which they are written here.
#include <string>
#include <string_view>
#include <vector>

#include "gen_component/block_header_text.h"
#include "gen_component/component_files.h"
#include "generation/names_and_literals.h"
#include "generation/splice.h"
#include "generation/text_contexts.h"

namespace bw {

namespace {

using component::EQUALS_LINE;
using component::LONG_DASH_LINE;
using component::PadRight;
using component::SHORT_DASH_LINE;

// One header being written: the file, the definition and the previous
// version (null when the splice is off).
struct Header {
    Printer& print;
    const BLOCKINFO& block;
    PreviousVersion* previous;
};

const PARAMINFO& ParameterAt(const BLOCKINFO& block, int i) {
    return block.Parameters[static_cast<size_t>(i)];
}

const LOCALARRAYINFO& LocalArrayAt(const BLOCKINFO& block, int i) {
    return block.LocalArrays[static_cast<size_t>(i)];
}

// A member line: four blanks, the type padded to 14 characters, the rest.
void WriteMember(Printer& print, std::string_view type, std::string_view rest) {
    print.Line("    <type><rest>", {{"type", PadRight(type, 14)}, {"rest", rest}});
}

// "//; " + title: the line that starts a user section.
std::string StartMarker(std::string_view title) {
    return "//; " + std::string(title);
}

// ---------------------------------------------------------------------------
// File head

void WriteBanner(Header& h) {
    const BLOCKINFO& block = h.block;
    WriteFileHead(h.print, [&] {
        h.print.Block(R"(
//============================================================================
//
//    FILE NAME : <FileName>
//
//    BLOCK NAME: <MenuName>
//
//    GROUP NAME: <GroupName>
//
//    PURPOSE:    Header file for the block: <BlockName>.DLL
//
//    <product>
//
//    Creation Date: <date>
//    Creation Time: <time>
//

//
//============================================================================
//    NOTE: Do not modify lines starting with "//;".  This information is
//          required by the C Code Generator for block importing.
//============================================================================

#ifdef RC_INVOKED
#define ID(id) id
#else
#define ID(id) MAKEINTRESOURCE(id)
#endif

)",
                      {{"MenuName", Escaped(TextContext::CComment, block.MenuName)}, {"GroupName", Escaped(TextContext::CComment, block.GroupName)}, {"BlockName", block.BlockName}});
    });
}

void WriteIncludes(Header& h) {
    h.print.Line(EQUALS_LINE);
    h.print.Line("//   Include Files");
    h.print.Line(EQUALS_LINE);
    h.print.Lines({"#include \"hresourc.h\"", "#include \"resource.h\""});
    if (h.block.RealTime) {
        h.print.Line("#include \"bddrv.h\"");
    }
    h.print.Line("");
}

// ---------------------------------------------------------------------------
// Definitions

void WriteNames(Header& h) {
    const BLOCKINFO& block = h.block;
    h.print.Line(EQUALS_LINE);
    h.print.Line("//   Definitions");
    h.print.Line(EQUALS_LINE);
    h.print.Line("// menu and block names ");
    h.print.Line("#define MNAME   \"<name>\"", {{"name", Escaped(TextContext::CString, block.MenuName)}});
    h.print.Line("#define GNAME   \"<name>\"", {{"name", Escaped(TextContext::CString, block.GroupName)}});
    h.print.Line("#define LNAME   \"<name>\"", {{"name", Escaped(TextContext::CString, block.LibraryName)}});
    if (block.RealTime) {
        h.print.Line("#define BFNAME  \"<name>\"", {{"name", block.BlockName}});
        h.print.Line("#define BINAME  \"<name>\"",
                     {{"name", IntegerName(block.BlockName)}});
    }
    h.print.Line("");
    h.print.Line("// Whenever VERSION is changed, IDS_REV_NUMBER in the *.rc file should also be changed");
    h.print.Line("#define VERSION \"<rev>\"", {{"rev", Escaped(TextContext::CString, block.Revision)}});
    h.print.Line("");
}

bool IsIdentifierCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The used parameter whose name stands at position at of text as a whole word
// (the longest one when several do), or -1.
int ParameterNamedAt(const BLOCKINFO& block, const std::string& text, size_t at) {
    if (at > 0 && IsIdentifierCharacter(text[at - 1])) {
        return -1;
    }
    int found = -1;
    size_t foundLength = 0;
    const int count = component::ParameterCount(block);
    for (int p = 0; p < count; ++p) {
        const std::string& name = ParameterAt(block, p).ParameterName;
        const size_t end = at + name.size();
        if (ParameterAt(block, p).isExcluded() || name.empty() || name.size() <= foundLength ||
            text.compare(at, name.size(), name) != 0 ||
            (end < text.size() && IsIdentifierCharacter(text[end]))) {
            continue;
        }
        found = p;
        foundLength = name.size();
    }
    return found;
}

// The value of a local array's size macro: a number as typed with "UL";
// otherwise the size names parameters, each read as its member through pPtr
// (the members carry the identifier of the name, not the name itself); a
// size that names none is read through pPtr as it is.
std::string LocalSizeValue(const BLOCKINFO& block, const std::string& size) {
    if (DecimalValue(size) != 0) {
        return size + "UL";
    }
    std::string value;
    bool namesParameter = false;
    for (size_t at = 0; at < size.size();) {
        const int p = ParameterNamedAt(block, size, at);
        if (p < 0) {
            value += size[at++];
            continue;
        }
        value += "pPtr->" + Identifier(ParameterAt(block, p).ParameterName, p);
        at += ParameterAt(block, p).ParameterName.size();
        namesParameter = true;
    }
    return namesParameter ? value : "pPtr->" + size;
}

void WriteLocalSizeDefinitions(Header& h) {
    const BLOCKINFO& block = h.block;
    if (block.xDAIS || component::LocalArrayCount(block) == 0) {
        return;
    }
    h.print.Line("// local array storage sizes");
    const int count = component::LocalArrayCount(block);
    for (int i = 0; i < count; ++i) {
        const LOCALARRAYINFO& array = LocalArrayAt(block, i);
        if (array.isExcluded()) {
            continue;
        }
        const char* gap = i > 9 ? "  " : "   ";
        h.print.Line("#define <PREFIX>_NUMLOCAL<i><gap><size>", {{"PREFIX", Prefix(block)}, {"i", i}, {"gap", gap}, {"size", LocalSizeValue(block, array.LocalSize)}});
    }
}

// A user section of the header: the marker lines around the previous
// version's lines, or around the default content when the section is not
// carried over. Returns true when it was carried over.
template <typename WriteDefault>
bool WriteUserSection(Header& h, const std::vector<std::string>& titles,
                      WriteDefault writeDefault) {
    const std::string start = StartMarker(titles.back());
    h.print.Raw(start);
    bool copied = false;
    if (h.previous != nullptr) {
        std::vector<std::string> markers;
        for (const std::string& title : titles) {
            markers.push_back(StartMarker(title));
        }
        copied = CopyNestedSection(h.print.File(), *h.previous, markers);
    }
    if (!copied) {
        writeDefault();
    }
    h.print.Raw(EndMarkerFor(start));
    return copied;
}

void WriteDefinitionsSection(Header& h) {
    WriteUserSection(h, {"Definitions"}, [&] { WriteLocalSizeDefinitions(h); });
    h.print.Line("");
}

void WriteParameterCounts(Header& h) {
    h.print.Line("// Number of user parameters");
    h.print.Line("#define NUM_PARAMS   <NumParameters>", {{"NumParameters", std::to_string(h.block.NumParameters)}});
    h.print.Line("");
}

// Parameters that reach the DSP: TEXT, FILE, Char and skipped ones do not.
unsigned DspParameterCount(const BLOCKINFO& block) {
    unsigned size = 0;
    const int count = component::ParameterCount(block);
    for (int i = 0; i < count; ++i) {
        switch (ParameterAt(block, i).ParameterType) {
            case TYPE_EXCLUDED:
            case ALIAS_TYPE_TEXT:
            case TYPE_TEXT:
            case TYPE_CHAR:
            case TYPE_FILE_OPEN:
                break;
            default:
                ++size;
        }
    }
    return size;
}

void WriteDspSizes(Header& h) {
    if (h.block.RealTime) {
        h.print.Line(SHORT_DASH_LINE);
        h.print.Lines({"// The following two definitions identify the size (in addresses) of the     ",
                       "// block's DSP parameters and internal (persistent-storage) variables.       "});
        h.print.Line(SHORT_DASH_LINE);
        h.print.Lines({"// NOTE: The parameter size (PARAMS_SIZE) definition below is the size of    ",
                       "//       the parameters that are sent to the DSP.  Since the TEXT and FILE   ",
                       "//       types do not apply to the DSP, those parameters are not counted,    ",
                       "//       so PARAMS_SIZE may be less than the number of user parameters,      ",
                       "//       NUM_PARAMS.                                                         "});
        h.print.Line(SHORT_DASH_LINE);
        h.print.Line("#define PARAMS_SIZE   <DspParameterCount>", {{"DspParameterCount", std::to_string(DspParameterCount(h.block))}});
    }
    h.print.Line("");
}

void WriteComboItemCounts(Header& h) {
    const BLOCKINFO& block = h.block;
    bool first = true;
    const int count = component::ParameterCount(block);
    for (int i = 0; i < count; ++i) {
        const PARAMINFO& parameter = ParameterAt(block, i);
        if (parameter.ParameterType != TYPE_COMBO_BOX) {
            continue;
        }
        if (first) {
            h.print.Line("// Combo box number of items");
            h.print.Line(SHORT_DASH_LINE);
            h.print.Lines({"// NOTE: If the number of combo box items changes, the definitions           ",
                           "//       below must be updated.                                              "});
            h.print.Line(SHORT_DASH_LINE);
            first = false;
        }
        const size_t items = parameter.ParameterItems.empty() ? 3 : parameter.ParameterItems.size();
        h.print.Line("#define NUM<ID> <items>", {{"ID", PadRight(UpperIdentifier(parameter.ParameterName, i), 30)}, {"items", std::to_string(items)}});
    }
    h.print.Lines({"", "// Miscellaneous definitions", "#define TEXT_LENGTH   256", "", ""});
}

// ---------------------------------------------------------------------------
// BLOCK_PARAM

void WriteMemberBanner(Printer& print, std::string_view title) {
    print.Line(LONG_DASH_LINE);
    print.Raw(title);
    print.Line(LONG_DASH_LINE);
}

void WriteGeneralInformation(Header& h) {
    const BLOCKINFO& block = h.block;
    h.print.Lines({EQUALS_LINE, "//   Structure Definitions", EQUALS_LINE, "",
                   "typedef struct", "{", "//; Block Parameter Structure", ""});
    WriteMemberBanner(h.print, "//  General Block Information");
    h.print.Lines({"    int           Precision;", "    int           LocalError;",
                   "    unsigned long Framesize;"});
    if (component::InputCount(block) == 0) {
        if (block.Bitmap) {
            h.print.Lines({"    long          ImageWidth;", "    long          ImageHeight;"});
        }
        if (block.Matrix) {
            h.print.Lines({"    long          Rows;", "    long          Columns;"});
        }
    }
}

void WriteChannelInformation(Header& h, bool inputs) {
    const int count = inputs ? component::InputCount(h.block) : component::OutputCount(h.block);
    if (count == 0) {
        return;
    }
    static const char* const INPUT_LINES[] = {
        "    unsigned long FramesizeIn<i>;     // framesize of input channel <i>",
        "    int           RCFlagIn<i>;        // real/complex flag of input channel <i>",
        "    int           DTFlagIn<i>;        // data type flag of input channel <i>",
        "    double        SampFreqIn<i>;      // sample frequency of input channel <i>",
        "    DWORD         dwNumColorsIn<i>;   // Number of colors in the Bitmap on input channel <i>",
        "    DWORD         dwBitmapSizeIn<i>;  // Size of bitmap on input channel <i>",
    };
    static const char* const OUTPUT_LINES[] = {
        "    unsigned long FramesizeOut<i>;    // framesize of output channel <i>",
        "    int           RCFlagOut<i>;       // real/complex flag of output channel <i>",
        "    int           DTFlagOut<i>;       // data type flag of output channel <i>",
        "    double        SampFreqOut<i>;     // sample frequency of output channel <i>",
        "    DWORD         dwNumColorsOut<i>;  // Number of colors in the Bitmap on output channel <i>",
        "    DWORD         dwBitmapSizeOut<i>; // Size of bitmap on output channel <i>",
    };
    const char* const* lines = inputs ? INPUT_LINES : OUTPUT_LINES;
    const size_t lineCount = h.block.Bitmap ? 6 : 4;
    h.print.Line("");
    WriteMemberBanner(h.print,
                      inputs ? "//  Block Input Information" : "//  Block Output Information");
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            h.print.Line("");
        }
        for (size_t line = 0; line < lineCount; ++line) {
            h.print.Line(lines[line], {{"i", std::to_string(i)}});
        }
    }
}

// The member lines of a value of the given type code; Other uses otherType.
void WriteValueMember(Printer& print, int type, const std::string& ident,
                      const std::string& otherType) {
    switch (type) {
        case TYPE_EXCLUDED:
            return;
        case TYPE_TEXT:
            WriteMember(print, "char", ident + "[TEXT_LENGTH];");
            return;
        case TYPE_CHECK_BOX:
            WriteMember(print, "BOOL", ident + ";");
            return;
        case TYPE_FILE_OPEN:
            WriteMember(print, "char", ident + "[TEXT_LENGTH];");
            WriteMember(print, "char", ident + "_PathName[TEXT_LENGTH];");
            WriteMember(print, "char", ident + "_CompleteName[TEXT_LENGTH];");
            return;
        case TYPE_OTHER:
            WriteMember(print, otherType, ident + ";");
            return;
        default:
            WriteMember(print, TypeName(type), ident + ";");
    }
}

void WriteUserParameters(Header& h) {
    const BLOCKINFO& block = h.block;
    h.print.Line("");
    WriteMemberBanner(h.print, PadRight("//  User Parameters", 80));
    const int count = component::ParameterCount(block);
    for (int i = 0; i < count; ++i) {
        const PARAMINFO& parameter = ParameterAt(block, i);
        // Other is a type of persistent variables only; a parameter of it is an int.
        const int type =
            parameter.ParameterType == TYPE_OTHER ? TYPE_INTEGER : parameter.ParameterType;
        WriteValueMember(h.print, type, Identifier(parameter.ParameterName, i), "");
    }
}

void WritePersistants(Header& h) {
    const BLOCKINFO& block = h.block;
    const int count = component::PersistantCount(block);
    if (count == 0) {
        return;
    }
    h.print.Line("");
    WriteMemberBanner(h.print, "//  Persistant Variables");
    for (int i = 0; i < count; ++i) {
        const PERSISTANTINFO& variable = block.Persistants[static_cast<size_t>(i)];
        int type = variable.PersistantType;
        // Only value types declare themselves; the dialog controls are not theirs.
        if (type == TYPE_RADIO_BUTTONS || type == TYPE_COMBO_BOX || type == TYPE_CHECK_BOX ||
            type == TYPE_FILE_OPEN) {
            type = TYPE_INTEGER;
        }
        WriteValueMember(h.print, type, Identifier(variable.PersistantName, i),
                         variable.PersistantTypeOther);
    }
}

void WriteLocalArraySizes(Header& h) {
    const BLOCKINFO& block = h.block;
    const int count = component::LocalArrayCount(block);
    if (block.xDAIS || count == 0) {
        return;
    }
    h.print.Line("");
    WriteMemberBanner(h.print, "//  Local Array Sizes");
    for (int i = 0; i < count; ++i) {
        const LOCALARRAYINFO& array = LocalArrayAt(block, i);
        if (!array.isExcluded()) {
            h.print.Line("    unsigned long NumLocalElements<i>;   // <name> size",
                         {{"i", std::to_string(i)}, {"name", Escaped(TextContext::CComment, array.ArrayName)}});
        }
    }
}

void WriteWarningAndDriverMembers(Header& h) {
    if (h.block.WarningType == WARNING_ONE_TIME) {
        h.print.Line("");
        h.print.Line("    int           OneTimeWarning;   // one-time warning flag");
    }
    if (h.block.RealTime) {
        h.print.Line("");
        WriteMemberBanner(h.print, "//  Real-Time Driver Support Information");
        h.print.Lines({"    char          DriverName[16];   // driver name (no path)",
                       "    BYTE          RunMode;          // run mode", ""});
    }
}

void WriteBlockParameterStructure(Header& h) {
    WriteGeneralInformation(h);
    WriteChannelInformation(h, true);
    WriteChannelInformation(h, false);
    WriteUserParameters(h);
    WritePersistants(h);
    WriteLocalArraySizes(h);
    WriteWarningAndDriverMembers(h);
    h.print.Line("");
    h.print.Line(LONG_DASH_LINE);
    h.print.Lines({"// Any user-added variables that are added to the BLOCK_PARAM structure should",
                   "// be added between the following tags so they can be included in future",
                   "// versions of this block."});
    h.print.Line(LONG_DASH_LINE);
    WriteUserSection(h, {"Block Parameter Structure", "Added Variables"}, [] {});
    h.print.Lines({"", "//; End of Block Parameter Structure", "} BLOCK_PARAM;"});
}

// ---------------------------------------------------------------------------
// SCRATCH_PARAM

void WriteScratchHead(Header& h) {
    h.print.Line("");
    h.print.Line(SHORT_DASH_LINE);
    h.print.Lines({"//  The parameter structure below is used to store temporary or scratch",
                   "//  information that is only required by the block during the life of the",
                   "//  current worksheet.  This information is not stored to disk for use with",
                   "//  other worksheets.  User-added variables that are only valid during the",
                   "//  life of a worksheet, such as handles, should be added at the end of this",
                   "//  structure."});
    h.print.Line(SHORT_DASH_LINE);
    h.print.Lines({"typedef struct", "{", "//; Scratch Parameter Structure"});
}

void WriteLocalArrayHandles(Header& h) {
    const BLOCKINFO& block = h.block;
    h.print.Line("");
    WriteMemberBanner(h.print, "//  Local Array Memory Handles");
    const int count = component::LocalArrayCount(block);
    for (int i = 0; i < count; ++i) {
        h.print.Line("    HANDLE        hLocalBuffer<i>;       // <name> handle",
                     {{"i", std::to_string(i)}, {"name", Escaped(TextContext::CComment, LocalArrayAt(block, i).ArrayName)}});
    }
}

void WriteRealTimeHandles(Header& h) {
    WriteMemberBanner(h.print, "//  Real-Time Parameter Structure and Driver Handles");
    h.print.Lines({"    HANDLE        hRTParam;            // handle to real-time block structure",
                   "    HINSTANCE     hDriver;             // handle to DSP board driver",
                   "    FARPROC       lpfnVexaSendCommand; // pointer to VEXA driver command handler", ""});
}

// The scratch structure's user section. The XDAIS bitmap members follow the
// carried-over lines only when there are none: a previous version generated
// with XDAIS already holds them there.
void WriteScratchAddedVariables(Header& h, std::string_view secondCommentLine) {
    h.print.Line(LONG_DASH_LINE);
    h.print.Lines({"// Any user-added variables that are added to the SCRATCH_PARAM structure should",
                   secondCommentLine, "// versions of this block."});
    h.print.Line(LONG_DASH_LINE);
    WriteUserSection(h, {"Scratch Parameter Structure", "Added Variables"}, [&] {
        if (h.block.xDAIS) {
            h.print.Lines({"    HBITMAP       hBitmap;", "    BITMAP        Bitmap;"});
        }
    });
}

void WriteScratchParameterStructure(Header& h) {
    const BLOCKINFO& block = h.block;
    if (component::LocalArrayCount(block) > 0) {
        WriteScratchHead(h);
        if (!block.xDAIS) {
            WriteLocalArrayHandles(h);
        }
        if (block.RealTime) {
            h.print.Line("");
            WriteRealTimeHandles(h);
        }
        h.print.Line("");
        WriteScratchAddedVariables(
            h, "// be added between the following tags so they can be included in future");
        h.print.Lines({"//; End of Scratch Parameter Structure", "", "} SCRATCH_PARAM;"});
    } else if (block.RealTime) {
        WriteScratchHead(h);
        h.print.Line("");
        WriteRealTimeHandles(h);
        WriteScratchAddedVariables(
            h, "// be added between the following tags so they can be included in future ");
        h.print.Lines({"", "//; End of Scratch Parameter Structure", "} SCRATCH_PARAM;"});
    }
}

// ---------------------------------------------------------------------------
// Prototypes

void WriteInterfacePrototypes(Header& h) {
    const BLOCKINFO& block = h.block;
    h.print.Lines({"", "", EQUALS_LINE, "//   Function Prototypes", EQUALS_LINE, ""});
    WriteMemberBanner(h.print, "//  Block DLL Interface Functions");
    h.print.Lines({"int  PASCAL UserSetupProc(HANDLE *, HANDLE *);",
                   "int  PASCAL UserDefaultSetupProc(HANDLE, HANDLE);",
                   "int  PASCAL UserPreInitializeProc(HANDLE,HANDLE, HANDLE);",
                   "int  PASCAL UserInitializeProc(HANDLE,HANDLE, HANDLE);"});
    if (block.RealTime) {
        h.print.Line("int  PASCAL UserRTCompileProc(HANDLE, HANDLE, HANDLE, int);");
    }
    h.print.Lines({"int  PASCAL UserExecProc(HANDLE,HANDLE, HANDLE);",
                   "int  PASCAL UserExitProc(HANDLE,HANDLE, HANDLE);",
                   "int  PASCAL UserResetProc(HANDLE,HANDLE, HANDLE);",
                   "BOOL PASCAL UserDialogProc(HWND,UINT,WPARAM,LPARAM);",
                   "int  PASCAL UserSaveProc(HANDLE, HANDLE, LPSTR, LPSTR);",
                   "int  PASCAL UserLoadProc(HANDLE, HANDLE, LPSTR, LPSTR);",
                   "void PASCAL UserGetParameterListProc(HWND);",
                   "int  PASCAL UserSetParameterProc(HANDLE,HANDLE,DWORD,void *);"});
    if (block.UserControl) {
        h.print.Line("BOOL PASCAL UserControlProc(HWND, HANDLE, register UINT, register WPARAM,LPARAM);");
    }
    if (block.RealTime) {
        h.print.Line("");
        WriteMemberBanner(h.print, "//  Static Functions");
        h.print.Lines({"static int PASCAL DownloadDSPParameters(BLOCK_PARAM *, SCRATCH_PARAM *);", ""});
    }
}

void WriteRoutinePrototypes(Header& h) {
    const BLOCKINFO& block = h.block;
    h.print.Line("");
    WriteMemberBanner(h.print, "//  Block's Data Processing Routines");
    std::string handles = "(HANDLE";
    if (UsesScratch(block)) {
        handles += ", HANDLE";
    }
    const int channels = component::InputCount(block) + component::OutputCount(block);
    for (int i = 0; i < channels; ++i) {
        handles += ", HANDLE";
    }
    for (const Precision& precision : PRECISIONS) {
        if (block.*precision.flag) {
            h.print.Line("int  PASCAL <BlockName><suffix><handles>);", {{"BlockName", block.BlockName}, {"suffix", precision.suffix}, {"handles", handles}});
        }
    }
}

void WriteExternalPrototypes(Header& h) {
    h.print.Line("");
    h.print.Line(EQUALS_LINE);
    h.print.Lines({"//  NOTE: User-added routine (function) prototypes should be placed in the",
                   "//        following section."});
    h.print.Line(EQUALS_LINE);
    h.print.Lines({"", ""});
    // With the splice on, a section that is not found stays empty: its search
    // has read to the end of the previous version.
    const bool splicing = h.previous != nullptr;
    WriteUserSection(h, {"External Routine Prototypes"}, [&] {
        if (!splicing) {
            h.print.Line("");
        }
    });
}

}  // namespace

void WriteBlockHeader(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    Header h{print, block, file.Carried()};
    WriteBanner(h);
    WriteIncludes(h);
    WriteNames(h);
    WriteDefinitionsSection(h);
    WriteParameterCounts(h);
    WriteDspSizes(h);
    WriteComboItemCounts(h);
    WriteBlockParameterStructure(h);
    WriteScratchParameterStructure(h);
    WriteInterfacePrototypes(h);
    WriteRoutinePrototypes(h);
    WriteExternalPrototypes(h);
}

}  // namespace bw
