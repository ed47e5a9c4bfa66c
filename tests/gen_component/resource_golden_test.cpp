// Whole generated resource and side files for two representative blocks:
// compared with the reviewed copies under tests/golden/resources/, and the
// resource script compiled with its generated header by the MinGW resource
// compiler against a stand-in for the host's headers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gen_component/component_files.h"
#include "generation/shared_rules.h"
#include "support/generate.h"
#include "support/golden.h"

namespace bw {
namespace {

void AddParameter(BLOCKINFO& block, const std::string& name, int type,
                  std::vector<std::string> items = {}, const std::string& description = "") {
    PARAMINFO& parameter = block.Parameters[static_cast<size_t>(block.NumParameters++)];
    parameter.ParameterName = name;
    parameter.ParameterType = type;
    parameter.ParameterItems = std::move(items);
    parameter.ParameterDesc = description;
}

// A simulation block with a parameter of every type.
BLOCKINFO SimulationBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "AllKinds";
    block.MenuName = "All Kinds";
    block.GroupName = "Tests";
    block.ShortDescription = "Every parameter type";
    block.LongDescription = "A block that uses every kind of parameter.\r\nSecond line.";
    block.IconFilename = "AllKinds.ico";
    block.LibraryPath = "c:\\tzi\\lib";
    block.NumInputs = 2;
    block.NumOutputs = 1;
    block.Complex = 0;
    AddParameter(block, "Count", TYPE_INTEGER, {}, "How many.");
    AddParameter(block, "Gain", TYPE_FLOAT, {}, "Linear gain.\r\nAt most 10.");
    AddParameter(block, "Sample Rate", TYPE_DOUBLE);
    AddParameter(block, "Letter", TYPE_CHAR);
    AddParameter(block, "Total", TYPE_LONG);
    AddParameter(block, "Small", TYPE_SHORT);
    AddParameter(block, "Mask", TYPE_BYTE);
    AddParameter(block, "Title", TYPE_TEXT);
    AddParameter(block, "Enable", TYPE_RADIO_BUTTONS);
    AddParameter(block, "Side", TYPE_RADIO_BUTTONS, {"Left", "Right"});
    AddParameter(block, "Window", TYPE_RADIO_BUTTONS, {"Hann", "Hamming", "Blackman"});
    AddParameter(block, "Mode", TYPE_COMBO_BOX, {"Fast", "Slow"});
    AddParameter(block, "Unused", TYPE_EXCLUDED);
    AddParameter(block, "Data File", TYPE_FILE_OPEN, {"Data (*.dat)|*.dat"});
    AddParameter(block, "Hold", TYPE_CHECK_BOX);
    AddParameter(block, "Custom", TYPE_OTHER);
    return block;
}

// A real-time XDAIS matrix source with a user control.
BLOCKINFO RealTimeBlock() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "RtSource";
    block.MenuName = "RT Source";
    block.GroupName = "Real-Time";
    block.ShortDescription = "A DSP source";
    block.LongDescription = "Makes matrices on the DSP.";
    block.IconFilename = "rtsource";
    block.LibraryPath = "c:\\vexa\\lib";
    block.BlockType = BLOCK_INPUT;
    block.RealTime = 1;
    block.xDAIS = 1;
    block.UserControl = 1;
    block.Matrix = 1;
    block.NumInputs = 0;
    block.NumOutputs = 2;
    block.Character = 0;
    AddParameter(block, "Level", TYPE_FLOAT);
    AddParameter(block, "Pattern", TYPE_COMBO_BOX, {"Ramp", "Noise"});
    AddParameter(block, "Shape", TYPE_RADIO_BUTTONS,
                 {"Square", "Sine", "Triangle", "Saw", "Pulse"});
    AddParameter(block, "Table", TYPE_FILE_OPEN);
    return block;
}

struct GeneratedFile {
    Generator generator;
    const char* suffix;
};

const GeneratedFile FILES[] = {
    {WriteResourceHeader, "hresourc.h"}, {WriteResourceScript, ".rc"},
    {WriteModuleDefinition, ".def"},     {WriteDescriptionText, ".txt"},
    {WriteLinkResponse, ".lnk"},
};

void ExpectGoldenFiles(const BLOCKINFO& block) {
    for (const GeneratedFile& file : FILES) {
        const std::string suffix = file.suffix;
        const std::string name =
            suffix[0] == '.' ? block.BlockName + suffix : block.BlockName + "_" + suffix;
        SCOPED_TRACE(name);
        ExpectMatchesGolden("resources/" + name, Generate(file.generator, block, name));
    }
}

TEST(ResourceGolden, SimulationBlockWithEveryParameterType) {
    ExpectGoldenFiles(SimulationBlock());
}

TEST(ResourceGolden, RealTimeXdaisSource) {
    ExpectGoldenFiles(RealTimeBlock());
}

TEST(ResourceGolden, ResourceIds) {
    ExpectMatchesGolden("resources/resource.h", Generate(WriteResourceIds, NewBlock()));
}

// The host's identifiers that no generated file defines, with values of our own.
const char* const HOST_HEADER =
    "#define IDC_PRECISION 901\n#define IDC_FRAMESIZE 902\n#define IDC_VAR_FRAMESIZE 903\n"
    "#define IDC_INFO 904\n#define IDC_SAMPFREQ 905\n"
    "#define IDS_MENU_NAME 1\n#define IDS_DLL_NAME 2\n#define IDS_LIBRARY_NAME 3\n"
    "#define IDS_GROUP_NAME 4\n#define IDS_AUTHOR_NAME 5\n#define IDS_COMMENT_LINE 6\n"
    "#define IDS_REV_NUMBER 7\n#define IDS_INPUT_0 100\n#define IDS_OUTPUT_0 300\n";
const char* const DRIVER_HEADER =
    "#define IDC_COMBO_DRIVER 701\n#define IDC_EDIT_BRDNUM 702\n#define IDC_EDIT_DSPNUM 703\n"
    "#define IDC_SCROLL_BRDSCRL 704\n#define IDC_SCROLL_DSPSCRL 705\n"
    "#define IDC_COMBO_DSPINT 706\n#define IDC_COMBO_SYNCIN 707\n#define IDC_COMBO_SYNCOUT 708\n"
    "#define IDC_RADIO_PROFYES 709\n#define IDC_RADIO_PROFNO 710\n"
    "#define IDC_STRING_DRIVER 711\n#define IDC_STRING_BRDNUM 712\n"
    "#define IDC_STRING_DSPNUM 713\n#define IDC_STRING_DSPINT 714\n"
    "#define IDC_STRING_SYNCIN 715\n#define IDC_STRING_SYNCOUT 716\n#define IDC_STRING_PROF 717\n";

const char* const RESOURCE_COMPILER = "i686-w64-mingw32-windres";

bool HaveResourceCompiler() {
    return std::system((std::string(RESOURCE_COMPILER) + " --version >/dev/null 2>&1").c_str()) ==
           0;
}

void ExpectScriptCompiles(const BLOCKINFO& block, const std::string& what) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string rc = dir.path() + block.BlockName + ".rc";
    WriteFileBytes(rc, Generate(WriteResourceScript, block, block.BlockName + ".rc"));
    WriteFileBytes(dir.path() + "hresourc.h", Generate(WriteResourceHeader, block, "hresourc.h"));
    WriteFileBytes(dir.path() + "bddk.h", HOST_HEADER);
    WriteFileBytes(dir.path() + "bddrv.h", DRIVER_HEADER);
    WriteFileBytes(dir.path() + LowerCase(block.BlockName) + ".h", "#define MNAME \"" +
                                                                       block.MenuName +
                                                                       "\"\n#define LNAME \"Lib\"\n"
                                                                       "#define GNAME \"Group\"\n");
    const std::string assets = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/";
    const std::string icon = block.IconFilename.find('.') == std::string::npos
                                 ? block.IconFilename + ".ico"
                                 : block.IconFilename;
    fs::copy_file(assets + "process.ico", dir.path() + icon);
    fs::copy_file(assets + "process1.ico", dir.path() + icon.substr(0, icon.rfind('.')) + "1.ico");
    fs::copy_file(assets + "Block.bmp", dir.path() + block.BlockName + ".bmp");
    const std::string command = std::string(RESOURCE_COMPILER) + " -I'" + dir.path() + "' '" + rc +
                                "' -O coff -o '" + dir.path() + "out.res' 2>'" + dir.path() +
                                "errors.txt'";
    EXPECT_EQ(std::system(command.c_str()), 0) << what << ":\n"
                                               << ReadFileBytes(dir.path() + "errors.txt");
}

TEST(ResourceCompile, ScriptsCompileWithTheirGeneratedHeader) {
    if (!HaveResourceCompiler()) {
        GTEST_SKIP() << "no MinGW resource compiler";
    }
    ExpectScriptCompiles(SimulationBlock(), "simulation block");
    BLOCKINFO realTime = RealTimeBlock();
    ExpectScriptCompiles(realTime, "real-time XDAIS source");
    realTime.Native = 1;
    realTime.Matrix = 0;
    realTime.Bitmap = 1;
    realTime.IconFilename = "my.icon.ico";
    ExpectScriptCompiles(realTime, "native image source");
    BLOCKINFO plain = NewBlock();
    plain.BlockName = "Plain";
    plain.IconFilename = "plain";
    ExpectScriptCompiles(plain, "block without parameters");
}

}  // namespace
}  // namespace bw
