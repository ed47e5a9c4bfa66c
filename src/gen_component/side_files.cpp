// The module definition, the description text and the link response file.
#include <string>
#include <vector>

#include "definition/data_tables.h"
#include "gen_component/component_files.h"
#include "gen_component/resource_text.h"
#include "generation/names_and_literals.h"
#include "generation/paths.h"
#include "generation/text_contexts.h"

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
    std::string precisions;
    for (const Precision& precision : SAMPLE_PRECISIONS) {
        if (block.*precision.flag) {
            precisions += (precisions.empty() ? "" : "/") + std::string(precision.description);
        }
    }
    std::string types;
    for (const DataType& type : DATA_TYPES) {
        if (block.*type.flag) {
            types += (types.empty() ? "; " : "/") + std::string(type.templateKey);
        }
    }
    return precisions + types;
}

void WriteChannels(Printer& print, const BLOCKINFO& block, const char* title, int count) {
    print.Raw(title);
    const std::string description = ChannelDescription(block);
    for (int i = 0; i < count; ++i) {
        print.Line("  Ch<i> - <description>",
                   {{"i", std::to_string(i)}, {"description", description}});
    }
    print.Line("");
}

void WriteParameterDescriptions(Printer& print, const BLOCKINFO& block) {
    print.Line("Parameters:");
    ForEachParameter(block, [&print](int, const PARAMINFO& parameter) {
        print.Line("<ParameterName>:", {{"ParameterName", parameter.ParameterName}});
        print.Raw(parameter.ParameterDesc);
        print.Line("");
    });
}

}  // namespace

void WriteModuleDefinition(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    const std::string stars = ";" + std::string(73, '*');
    print.Raw(stars);
    print.Line(";   <BlockName>.DEF  module definition file                                     *",
               {{"BlockName", block.BlockName}});
    print.Raw(stars);
    print.Line("");
    print.Line("LIBRARY   <BlockName>",
               {{"BlockName", Escaped(TextContext::ModuleDefinition, block.BlockName)}});
    print.Line("");
    print.Line("HEAPSIZE  2048");
    print.Line("");
    print.Line("EXPORTS");
    int ordinal = 0;
    for (const char* name : Exports(block)) {
        print.Line("    <name>@<ordinal>", {{"name", PadRight(name, 26)}, {"ordinal", ++ordinal}});
    }
}

void WriteDescriptionText(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    print.Raw(block.MenuName);
    print.Line("");
    print.Line("DLL NAME: <BlockName>.DLL", {{"BlockName", block.BlockName}});
    print.Line("Group Name: <GroupName>", {{"GroupName", block.GroupName}});
    print.Line("Library Name: <LibraryName>", {{"LibraryName", block.LibraryName}});
    print.Line("Block Comment: <ShortDescription>", {{"ShortDescription", block.ShortDescription}});
    print.Line("");
    WriteChannels(print, block, "Inputs:", block.NumInputs);
    WriteChannels(print, block, "Outputs:", block.NumOutputs);
    WriteParameterDescriptions(print, block);
    static const char* const PRECISION_NOTE[] = {
        "Precision:",
        "Auto precision will set the output precision to the input precision with the ",
        "most precision.  If the input precision does not match the specified output ",
        "precision, the input data is converted to match the specified precision.",
        "",
        "Block Description:",
    };
    for (const char* line : PRECISION_NOTE) {
        print.Raw(line);
    }
    print.Raw(block.LongDescription);
}

void WriteLinkResponse(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    const std::string name = LowerCase(block.BlockName);
    print.Line("<name>+", {{"name", name}});
    print.Line("<name>.dll", {{"name", name}});
    print.Line("<name>.map/map", {{"name", name}});
    print.Line("ldllcew libw <LibraryPath><libraries>", {{"LibraryPath", WindowsToolPath(block.LibraryPath)}, {"libraries", UsesFileOpen(block) ? "\\bddk.lib commdlg" : "\\bddk.lib"}});
    print.Line("<name>.def", {{"name", name}});
}

}  // namespace bw
