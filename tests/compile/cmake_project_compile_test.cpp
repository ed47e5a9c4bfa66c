// The CMake project written beside a block builds the block's DLL: each block
// is generated with it, configured with CMake, Ninja and the MinGW-w64 i686
// toolchain file against our stand-in for the host's headers and a stub
// import library, built, and the DLL's exports compared with the module
// definition's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "compile/block_parameters.h"
#include "compile/module_definition.h"
#include "run/generation_run.h"
#include "support/generate.h"
#include "support/missing_tool.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const std::string SOURCE_DIR = BLOCKWRIGHT_SOURCE_DIR;

// Runs command; false with its output in output on failure.
bool RunCommand(const std::string& command, const std::string& log, std::string& output) {
    const bool ok = std::system((command + " >'" + log + "' 2>&1").c_str()) == 0;
    output = ReadFileBytes(log);
    return ok;
}

bool ToolPresent(const std::string& tool) {
    return std::system((tool + " --version >/dev/null 2>&1").c_str()) == 0;
}

// name -> ordinal, from objdump's listing of the export table. The name
// table gives each name's place in the address table, which starts at the
// ordinal base (newer objdumps print the ordinal itself and say so).
std::map<std::string, int> DllExports(const std::string& listing) {
    std::map<std::string, int> exports;
    std::istringstream lines(listing);
    std::string line;
    int base = 0;
    bool inNames = false;
    int offset = 0;
    while (std::getline(lines, line)) {
        const size_t baseAt = line.find("Ordinal Base");
        if (line.find("[Ordinal/Name Pointer] Table") != std::string::npos) {
            inNames = true;
            offset = baseAt == std::string::npos ? base : 0;
            continue;
        }
        if (baseAt != std::string::npos) {
            base = std::stoi(line.substr(baseAt + 12));
            continue;
        }
        const size_t open = line.find('['), close = line.find(']');
        if (!inNames || open == std::string::npos || close == std::string::npos) {
            inNames = inNames && !line.empty();
            continue;
        }
        std::istringstream name(line.substr(close + 1));
        std::string text;
        name >> text;
        exports[text] = std::stoi(line.substr(open + 1, close - open - 1)) + offset;
    }
    return exports;
}

// The stand-in host SDK, made by the first test that needs it: its headers
// and Bddk.lib, the import library of a DLL built from the stub routines, in
// folders with blanks in their names.
class HostSdk {
public:
    HostSdk() {
        const std::string sdk = SOURCE_DIR + "/src/standin/sdk/";
        const std::string stubs = SOURCE_DIR + "/tests/host_sdk/host_stubs.c";
        fs::create_directories(include());
        fs::create_directories(lib());
        for (const char* header : {"bddk.h", "bddrv.h"}) {
            fs::copy_file(sdk + header, include() + header);
        }
        built_ =
            RunCommand("i686-w64-mingw32-gcc -shared -I'" + include() + "' '" + stubs + "' -o '" +
                           lib() + "bdhost.dll' -Wl,--out-implib,'" + lib() + "Bddk.lib'",
                       dir_.path() + "sdk.log", output_);
    }

    bool built() const { return built_; }
    const std::string& output() const { return output_; }
    std::string include() const { return dir_.path() + "host sdk/include/"; }
    std::string lib() const { return dir_.path() + "host sdk/lib/"; }

private:
    TempDir dir_;
    bool built_ = false;
    std::string output_;
};

class CMakeProjectBuild : public ::testing::Test {
protected:
    static void TearDownTestSuite() {
        delete sdk_;
        sdk_ = nullptr;
    }

    void SetUp() override {
        for (const std::string tool : {"cmake", "ninja", "i686-w64-mingw32-gcc",
                                       "i686-w64-mingw32-windres", "i686-w64-mingw32-objdump"}) {
            if (!ToolPresent(tool)) {
                BW_MISSING_TOOL(std::string(tool) +
                                " absent: install cmake, ninja-build, gcc-mingw-w64-i686 "
                                "and binutils-mingw-w64-i686 (scripts/install-deps.sh)");
                return;
            }
        }
        if (sdk_ == nullptr) {
            sdk_ = new HostSdk;
        }
        ASSERT_TRUE(sdk_->built()) << "the stub import library does not build:\n" << sdk_->output();
        run_.environment.workingDirectory = SOURCE_DIR + "/assets/";  // the stock icons
    }

    // A block with the CMake project, the host's folders given as the Visual
    // C++ project takes them: in the Windows form, with backslashes.
    BLOCKINFO Block(const std::string& name, int inputs, int outputs) {
        BLOCKINFO block = NewBlock();
        block.BlockName = block.IconFilename = name;
        block.MenuName = name + " Menu";
        block.NumInputs = inputs;
        block.NumOutputs = outputs;
        block.BlockType = BLOCKINFO::BlockTypeFor(inputs, outputs);
        block.Directory = Folder(name);
        block.IncludePath = "C:\\No Host\\Include\\";
        block.LibraryPath = "C:\\No Host\\Lib\\";
        block.CMakeProject = true;
        return block;
    }

    std::string Folder(const std::string& name) const {
        return dir_.path() + "blocks/" + name + "/";
    }

    void Generate(BLOCKINFO& block) {
        run_.prompts.messages.clear();
        ASSERT_EQ(RunGeneration(block, run_.environment).outcome, RunOutcome::Completed);
        ASSERT_TRUE(run_.prompts.messages.empty()) << run_.prompts.messages.front();
        ASSERT_TRUE(fs::exists(Folder(block.BlockName) + "CMakeLists.txt"));
    }

    // The first command of the file's head, with the toolchain file written
    // beside it: false with CMake's output on failure. Implicit declarations
    // and ints passed for pointers are errors, as newer compilers make them.
    bool Configure(const BLOCKINFO& block, const std::string& definitions, std::string& output) {
        const std::string folder = Folder(block.BlockName);
        return RunCommand("cmake -S '" + folder + "' -B '" + folder +
                              "build' -G Ninja -DCMAKE_TOOLCHAIN_FILE='" + folder +
                              "mingw-w64-i686.cmake' " + definitions +
                              " '-DCMAKE_C_FLAGS=-Wall -Werror=implicit-function-declaration"
                              " -Werror=implicit-int -Werror=int-conversion'",
                          folder + "configure.log", output);
    }

    // Both commands of the file's head.
    bool ConfigureAndBuild(const BLOCKINFO& block, const std::string& definitions,
                           std::string& output) {
        const std::string folder = Folder(block.BlockName);
        return Configure(block, definitions, output) &&
               RunCommand("cmake --build '" + folder + "build'", folder + "build.log", output);
    }

    // The stand-in SDK named with -D, over the folders the block names.
    static std::string SdkDefinitions() {
        return "'-DHOST_INCLUDE_DIR=" + sdk_->include() + "' '-DHOST_LIB_DIR=" + sdk_->lib() + "'";
    }

    void ExpectBuildsWithTheDefinitionsExports(const BLOCKINFO& block,
                                               const std::string& definitions) {
        std::string output;
        ASSERT_TRUE(ConfigureAndBuild(block, definitions, output)) << block.BlockName << ":\n"
                                                                   << output;
        const std::string folder = Folder(block.BlockName);
        const std::string dll = folder + "build/" + block.BlockName + ".dll";
        ASSERT_TRUE(fs::exists(dll)) << "no " << block.BlockName << ".dll in " << folder << "build";
        std::string listing;
        ASSERT_TRUE(RunCommand("i686-w64-mingw32-objdump -p '" + dll + "'", folder + "objdump.log",
                               listing))
            << listing;
        const auto expected = DefinitionExports(ReadFileBytes(folder + block.BlockName + ".def"));
        EXPECT_GE(expected.size(), 13u);
        EXPECT_EQ(DllExports(listing), expected) << block.BlockName;
    }

    static HostSdk* sdk_;
    TempDir dir_;
    TestRun run_{dir_.path()};
};

HostSdk* CMakeProjectBuild::sdk_ = nullptr;

// One parameter of every kind of control.
void EveryControl(BLOCKINFO& block) {
    AddParameter(block, "Gain", TYPE_FLOAT, "1.5");
    AddParameter(block, "Scale", TYPE_DOUBLE, "0.25");
    AddParameter(block, "Count", TYPE_INTEGER, "4");
    AddParameter(block, "Letter", TYPE_CHAR, "x");
    AddParameter(block, "Span", TYPE_LONG, "100000");
    AddParameter(block, "Taps", TYPE_SHORT, "16");
    AddParameter(block, "Mask", TYPE_BYTE, "255");
    AddParameter(block, "Title", TYPE_TEXT, "hello");
    AddParameter(block, "Mode", TYPE_RADIO_BUTTONS, "Fast", {"Slow", "Fast", "Off"});
    AddParameter(block, "Shape", TYPE_COMBO_BOX, "Sine", {"Square", "Sine"});
    AddParameter(block, "Coefficients", TYPE_FILE_OPEN, "c:\\data\\taps.txt");
    AddParameter(block, "Bypass", TYPE_CHECK_BOX, "Checked");
    FinishRecords(block);
}

// The host's folders as the block names them: the CMake project's defaults,
// which the user overrides nowhere.
TEST_F(CMakeProjectBuild, PlainSimulationBlockWithTheDefaultsOfItsFolders) {
    BLOCKINFO block = Block("Plain", 1, 1);
    block.IncludePath = sdk_->include();
    block.LibraryPath = sdk_->lib();
    // Backslashes, as a path typed on Windows would have them.
    std::replace(block.LibraryPath.begin(), block.LibraryPath.end(), '/', '\\');
    Generate(block);
    ExpectBuildsWithTheDefinitionsExports(block, "");
}

// Folders whose names CMake would otherwise read as variables or as the end
// of the text reach its cache as they are (configured only: the resource
// compiler passes its include folders through a shell).
TEST_F(CMakeProjectBuild, FoldersWithDollarsAndQuotesReachTheCacheAsTheyAre) {
    BLOCKINFO block = Block("Odd", 1, 1);
    const std::string odd = dir_.path() + "odd ${HOST_LIB_DIR} $ENV{HOME} \"sdk\"/";
    block.IncludePath = odd + "include\\";
    block.LibraryPath = odd + "lib";
    fs::create_directories(odd + "include");
    fs::create_directories(odd + "lib");
    fs::copy_file(sdk_->include() + "bddk.h", odd + "include/bddk.h");
    fs::copy_file(sdk_->lib() + "Bddk.lib", odd + "lib/Bddk.lib");
    Generate(block);
    std::string output;
    ASSERT_TRUE(Configure(block, "", output)) << output;
    const std::string cache = ReadFileBytes(Folder("Odd") + "build/CMakeCache.txt");
    EXPECT_NE(cache.find("\nHOST_INCLUDE_DIR:PATH=" + odd + "include\n"), std::string::npos);
    EXPECT_NE(cache.find("\nHOST_LIB_DIR:PATH=" + odd + "lib\n"), std::string::npos);
}

TEST_F(CMakeProjectBuild, EveryControlAUserControlAndIconsWithBlanks) {
    BLOCKINFO block = Block("Kinds", 2, 2);
    EveryControl(block);
    block.UserControl = 1;
    block.IconFilename = "kinds icon";  // quoted in the resource script
    Generate(block);
    ExpectBuildsWithTheDefinitionsExports(block, SdkDefinitions());
}

// A DSP-based block has no user source; an XDAIS one has the bitmap in its
// resource script and exports its painter.
TEST_F(CMakeProjectBuild, RealTimeXdaisBlockWithItsBitmap) {
    BLOCKINFO block = Block("NFFir", 1, 1);
    block.RealTime = 1;
    block.xDAIS = 1;
    block.AlgorithmName = "FIR";
    block.VendorName = "TI";
    block.Chip = 6201;
    EveryControl(block);
    Generate(block);
    ExpectBuildsWithTheDefinitionsExports(block, SdkDefinitions());
}

// The user source edited by hand, then the definition changed and the block
// generated again with the splice: the DLL is built from the spliced source.
TEST_F(CMakeProjectBuild, RegeneratedOverAHandEditedUserSource) {
    BLOCKINFO block = Block("Edited", 1, 1);
    Generate(block);
    const std::string source = Folder("Edited") + "Edited.c";
    std::string text = ReadFileBytes(source);
    for (const auto& [marker, added] :
         {std::pair<std::string, std::string>{"//; Include Libraries\r\n", "#include <math.h>\r\n"},
          {"//; External Routines\r\n", "double EditedByHand(double x) { return sqrt(x); }\r\n"}}) {
        const size_t at = text.find(marker);
        ASSERT_NE(at, std::string::npos) << marker;
        text.insert(at + marker.size(), added);
    }
    WriteFileBytes(source, text);

    EveryControl(block);
    run_.prompts.questions.clear();
    Generate(block);
    EXPECT_FALSE(run_.prompts.questions.empty()) << "the splice was not asked for";
    const std::string spliced = ReadFileBytes(source);
    EXPECT_NE(spliced, text) << "the user source did not change with the definition";
    EXPECT_NE(spliced.find("#include <math.h>\r\n"), std::string::npos);
    EXPECT_NE(spliced.find("EditedByHand"), std::string::npos);

    ExpectBuildsWithTheDefinitionsExports(block, SdkDefinitions());
    std::string symbols;
    const std::string object = Folder("Edited") + "build/CMakeFiles/Edited.dir/Edited.c.obj";
    ASSERT_TRUE(
        RunCommand("i686-w64-mingw32-nm -g '" + object + "'", Folder("Edited") + "nm.log", symbols))
        << symbols;
    EXPECT_NE(symbols.find(" T _EditedByHand"), std::string::npos) << symbols;
}

}  // namespace
}  // namespace bw
