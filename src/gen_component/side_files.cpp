// The module definition, the description text and the link response file.
#include <string>
#include <vector>

#include "gen_component/component_files.h"
#include "gen_component/resource_text.h"
#include "generation/shared_rules.h"

namespace bw {

namespace {

// The host's entry points, in ordinal order, from 1.
std::vector<const char*> Exports(const BLOCKINFO& block) {
    std::vector<const char*> exports = {
        "UserSetupProc",
        "UserDefaultSetupProc",
        "UserPreInitializeProc",
        "UserInitializeProc",
        "UserExecProc",
        "UserExitProc",
        "UserDialogProc",
        "UserResetProc",
        "UserSaveProc",
        "UserLoadProc",
        "UserGetParameterListProc",
        "UserSetParameterProc",
        "UserStopProc",
    };
    if (block.RealTime) {
        exports.push_back("UserRTCompileProc");
        if (block.xDAIS) {
            exports.push_back("UserPaintProc");
        }
    }
    if (block.UserControl) {
        exports.push_back("UserControlProc");
    }
    return exports;
}

// The precisions a channel carries and whether it is real, complex or both.
std::string ChannelDescription(const BLOCKINFO& block) {
    const std::pair<int, const char*> precisions[] = {
        {block.Character, "Character"},
        {block.Byte, "Byte"},
        {block.ShortInteger, "Short"},
        {block.Integer, "Integer"},
        {block.LongInteger, "Long"},
        {block.FloatingPoint, "Floating Point"},
        {block.Double, "Double"},
    };
    std::string text;
    for (const auto& [set, name] : precisions) {
        if (set) {
            text += text.empty() ? name : std::string("/") + name;
        }
    }
    if (block.Real && block.Complex) {
        text += "; Real/Complex";
    } else if (block.Real) {
        text += "; Real";
    } else if (block.Complex) {
        text += "; Complex";
    }
    return text;
}

void WriteChannels(OutputFile& file, const BLOCKINFO& block, const char* title, int count) {
    WriteLine(file, title);
    const std::string description = ChannelDescription(block);
    for (int i = 0; i < count; ++i) {
        WriteFilled(file, "  Ch<i> - <description>",
                    {{"<i>", std::to_string(i)}, {"<description>", description}});
    }
    WriteLine(file, "");
}

void WriteParameterDescriptions(OutputFile& file, const BLOCKINFO& block) {
    WriteLine(file, "Parameters:");
    ForEachParameter(block, [&file](int, const PARAMINFO& parameter) {
        WriteLine(file, parameter.ParameterName, ":");
        WriteLine(file, parameter.ParameterDesc);
        WriteLine(file, "");
    });
}

}  // namespace

bool WriteModuleDefinition(OutputFile& file, const BLOCKINFO& block) {
    const std::string stars = ";" + std::string(73, '*');
    WriteLine(file, stars);
    WriteFilled(file,
                ";   <BlockName>.DEF  module definition file                                     *",
                {{"<BlockName>", block.BlockName}});
    WriteLine(file, stars);
    WriteLine(file, "");
    WriteLine(file, "LIBRARY   ", block.BlockName);
    WriteLine(file, "");
    WriteLine(file, "HEAPSIZE  2048");
    WriteLine(file, "");
    WriteLine(file, "EXPORTS");
    int ordinal = 0;
    for (const char* name : Exports(block)) {
        WriteLine(file, "    " + PadRight(name, 26), "@" + std::to_string(++ordinal));
    }
    return true;
}

bool WriteDescriptionText(OutputFile& file, const BLOCKINFO& block) {
    WriteLine(file, block.MenuName);
    WriteLine(file, "");
    WriteLine(file, "DLL NAME: ", block.BlockName + ".DLL");
    WriteLine(file, "Group Name: ", block.GroupName);
    WriteLine(file, "Library Name: ", block.LibraryName);
    WriteLine(file, "Block Comment: ", block.ShortDescription);
    WriteLine(file, "");
    WriteChannels(file, block, "Inputs:", block.NumInputs);
    WriteChannels(file, block, "Outputs:", block.NumOutputs);
    WriteParameterDescriptions(file, block);
    static const char* const PRECISION_NOTE[] = {
        "Precision:",
        "Auto precision will set the output precision to the input precision with the ",
        "most precision.  If the input precision does not match the specified output ",
        "precision, the input data is converted to match the specified precision.",
        "",
        "Block Description:",
    };
    for (const char* line : PRECISION_NOTE) {
        WriteLine(file, line);
    }
    WriteLine(file, block.LongDescription);
    return true;
}

bool WriteLinkResponse(OutputFile& file, const BLOCKINFO& block) {
    const std::string name = LowerCase(block.BlockName);
    WriteLine(file, name, "+");
    WriteLine(file, name, ".dll");
    WriteLine(file, name, ".map/map");
    WriteLine(file, "ldllcew libw " + block.LibraryPath,
              UsesFileOpen(block) ? "\\bddk.lib commdlg" : "\\bddk.lib");
    WriteLine(file, name, ".def");
    return true;
}

}  // namespace bw
