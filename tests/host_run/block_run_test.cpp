// Every generated block loads and runs: the hand-picked blocks and a slice of
// the random definitions are generated, built into DLLs with the MinGW cross
// tools against the stand-in host (bdhost.dll, host.c), and driven through a
// worksheet's life under Wine by the runner (runner.c): set-up, defaults,
// initialisation, frames at every precision and channel layout, stop, reset,
// a save and load round trip and exit, with every lock and allocation
// counted. A failing random definition is printed with its seed and written
// as a template, as the compile matrix does.
//
// BLOCKWRIGHT_MATRIX_SEEDS runs that many random seeds instead of the slice.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "check/definition_check.h"
#include "compile/matrix_blocks.h"
#include "compile/random_block.h"
#include "definition/template_file.h"
#include "generation/shared_rules.h"
#include "run/generation_run.h"
#include "support/generate.h"
#include "support/missing_tool.h"
#include "support/recording_prompts.h"
#include "trial/case_file.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// The stand-in host as the build lays it out (src/standin): its SDK headers
// and, per architecture, bdhost.dll, libbdhost.a and blockrun.exe.
const std::string SDK = std::string(BLOCK_RUN_HOST_DIR) + "sdk";
const std::string WINE_SH = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/scripts/wine.sh";
const std::string WINE = "WINEPREFIX='" + std::string(BLOCK_RUN_WINEPREFIX) + "' WINEDEBUG=-all ";

// The slice of the random definitions CI runs: enough seeds that every kind
// of block the checker accepts comes up.
const int DEFAULT_SEEDS = 24;
const int SHARDS = 4;

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

// Runs command in folder; false with the output of the command in output.
bool Run(const std::string& folder, const std::string& command, std::string& output) {
    const std::string log = folder + "run.log";
    const bool ok =
        std::system(
            ("cd " + Quote(folder) + " && " + command + " >" + Quote(log) + " 2>&1").c_str()) == 0;
    output = ReadFileBytes(log);
    return ok;
}

// Runs command, its output dropped; true when it succeeds.
bool Quietly(const std::string& command) {
    return std::system(("(" + command + ") >/dev/null 2>&1").c_str()) == 0;
}

bool ToolPresent(const std::string& tool) {
    return Quietly("command -v " + tool);
}

// The two builds of every block: x86_64 runs on every machine, under Wine's
// 64-bit loader; i686, the host's own, is always built and runs where this
// machine runs 32-bit code.
struct Arch {
    std::string name;
    std::string tools;  // the MinGW tools' prefix
    std::string flags;  // what the block's build adds for it
};

// The 64-bit block keeps the addresses it can see low (see src/standin/host.h).
// The generated text turns pointers into DWORD and LONG, as a 32-bit block
// may; those casts draw warnings only from the 64-bit compiler, and only
// there are they silenced.
const Arch X86_64{"x86_64", "x86_64-w64-mingw32-",
                  " -Wno-pointer-to-int-cast -Wno-int-to-pointer-cast"};
const Arch I686{"i686", "i686-w64-mingw32-", ""};
const std::string LOW_ADDRESSES =
    " -Wl,--image-base=0x20000000 -Wl,--disable-dynamicbase -Wl,--disable-high-entropy-va";

// The stand-in host and the runner, which the build makes where the MinGW
// tools are (BLOCK_RUN_HOST_DIR/<arch>/), ready for Wine once per test
// program. missing says why the blocks cannot run here; thirtyTwoBit why
// the i686 builds do not run (empty when they do), and thirtyTwoBitMissing
// whether that is a missing tool rather than a kernel without 32-bit code.
struct HostTools {
    const std::string dir = BLOCK_RUN_HOST_DIR;
    std::string missing;
    std::string thirtyTwoBit;
    bool thirtyTwoBitMissing = false;

    HostTools() {
        const std::string install =
            ": install gcc-mingw-w64-i686, binutils-mingw-w64-i686, "
            "gcc-mingw-w64-x86-64-posix, binutils-mingw-w64-x86-64, wine, wine64 and "
            "wine32:i386 (scripts/install-deps.sh)";
        if (dir.empty()) {
            missing =
                "x86_64-w64-mingw32-gcc or i686-w64-mingw32-gcc was absent when the tests "
                "were built" +
                install;
            return;
        }
        for (const char* tool : {"x86_64-w64-mingw32-windres", "i686-w64-mingw32-windres",
                                 "wineserver", "/usr/lib/wine/wine64"}) {
            if (!ToolPresent(tool)) {
                missing = std::string(tool) + " absent" + install;
                return;
            }
        }
        // Test programs start side by side: one at a time, a new prefix is
        // set up whole, with Wine's null graphics driver so that dialogs
        // open without a display, and its first server is stopped, since
        // the desktop it started still uses the driver it started with.
        // Then one server serves all the blocks of this program and ends a
        // while after the last of them. The lock is not handed to the
        // server, which outlives this.
        const std::string prefix = BLOCK_RUN_WINEPREFIX;
        const std::string wine = WINE + Quote(WINE_SH) + " ";
        fs::create_directories(prefix);
        const std::string setUp =
            "test -f " + Quote(prefix + "/.set-up") + " || { " + wine + "wineboot -i; " + wine +
            "reg add 'HKCU\\Software\\Wine\\Drivers' /v Graphics /d null /f && " + WINE +
            "wineserver -k; " + WINE + "wineserver -w; touch " + Quote(prefix + "/.set-up") +
            "; }; " + WINE + "wineserver -p15";
        Quietly("flock -o " + Quote(prefix + ".lock") + " sh -c \"" + setUp + "\"");
        // Without arguments the runner only prints its usage and ends with 2.
        if (!Quietly("cd " + Quote(dir + "x86_64") + " && " + wine +
                     "blockrun.exe; test $? -eq 2")) {
            missing = "Wine does not run the 64-bit runner" + install;
            return;
        }
        std::string said;
        const int status = std::system(
            (Quote(WINE_SH) + " --32-bit >" + Quote(prefix + ".32-bit") + " 2>&1").c_str());
        said = ReadFileBytes(prefix + ".32-bit");
        while (!said.empty() && said.back() == '\n') {
            said.pop_back();
        }
        if (status != 0) {
            thirtyTwoBit = said.rfind("no: ", 0) == 0 ? said.substr(4) : said;
            // Exit status 1: the kernel runs no 32-bit code, which nothing
            // installs; anything else is Wine's 32-bit part missing.
            thirtyTwoBitMissing = !(WIFEXITED(status) && WEXITSTATUS(status) == 1);
        }
    }

    bool RunsI686() const { return thirtyTwoBit.empty(); }

    static const HostTools& Get() {
        static const HostTools tools;
        return tools;
    }
};

// Ends a test whose blocks could not all run: the missing tools fail it
// (see BW_MISSING_TOOL); a kernel without 32-bit code only leaves the i686
// runs out, with a note.
#define REQUIRE_HOST_TOOLS(tools)         \
    if (!(tools).missing.empty()) {       \
        BW_MISSING_TOOL((tools).missing); \
        return;                           \
    }
#define REPORT_I686_RUNS(tools)                                                                 \
    if (!(tools).RunsI686()) {                                                                  \
        if ((tools).thirtyTwoBitMissing) {                                                      \
            BW_MISSING_TOOL("the i686 blocks did not run: " + (tools).thirtyTwoBit +            \
                            " (install wine32:i386, scripts/install-deps.sh)");                 \
        } else {                                                                                \
            std::cout << "[ note     ] i686 blocks built but not run: " << (tools).thirtyTwoBit \
                      << "\n";                                                                  \
        }                                                                                       \
    }

// A change to a generated file after generation: the first match of the
// regular expression `from` in the block's file `file` becomes `to`.
struct Plant {
    std::string file;
    std::string from;
    std::string to;
};

// Applies plant to the block's files; false when nothing matched.
bool ApplyPlant(const std::string& dir, const Plant& plant) {
    const std::string path = dir + plant.file;
    const std::string text = ReadFileBytes(path);
    std::smatch match;
    if (!std::regex_search(text, match, std::regex(plant.from))) {
        return false;
    }
    WriteFileBytes(path, match.prefix().str() + plant.to + match.suffix().str());
    return true;
}

// Builds the generated block in dir for arch into dir/<arch>/ and writes its
// case file there; gives what failed, empty when nothing did.
std::string BuildFor(const BLOCKINFO& block, const std::string& dir, const Arch& arch,
                     const HostTools& tools) {
    const std::string out = dir + arch.name + "/";
    const std::string& name = block.BlockName;
    fs::create_directories(out);
    std::string sources;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".c") {
            sources += " " + Quote("../" + entry.path().filename().string());
        }
    }
    const bool wide = &arch == &X86_64;
    std::string output;
    if (!Run(out, arch.tools + "gcc -c -I.. -I" + Quote(SDK) + arch.flags + sources, output) ||
        !Run(out,
             arch.tools + "windres -I.. -I" + Quote(SDK) + " " + Quote("../" + name + ".rc") +
                 " -O coff -o resource.rc.o",
             output) ||
        !Run(out,
             arch.tools + "gcc -shared -o " + Quote(name + ".dll") + " *.o " +
                 Quote("../" + name + ".def") + " -Wl,--enable-stdcall-fixup -L" +
                 Quote(tools.dir + arch.name) + " -lbdhost -lcomdlg32 -lgdi32 -lhtmlhelp" +
                 (wide ? LOW_ADDRESSES : ""),
             output)) {
        return "the " + arch.name + " block does not build:\n" + output;
    }
    std::string error;
    const ControlNumbers number(dir, SDK + "/", error);
    WriteFileBytes(out + "case.ini",
                   BlockSection(block, name + ".dll", "../" + name + ".def", number) +
                       DialogSection(block, number));
    return error;
}

// Runs the block built for arch; gives the runner's output when it failed.
std::string RunFor(const BLOCKINFO& block, const std::string& dir, const Arch& arch,
                   const HostTools& tools) {
    std::string output;
    const bool ran = Run(
        dir + arch.name + "/",
        WINE + Quote(WINE_SH) + " " + Quote(tools.dir + arch.name + "/blockrun.exe") + " case.ini",
        output);
    // What the runner noted without failing: a block that asks for more
    // memory than the host gives does not run its frames.
    for (size_t note = output.find("NOTE "); note != std::string::npos;
         note = output.find("NOTE ", note + 1)) {
        std::cout << "[ note     ] " << block.BlockName << " (" << arch.name
                  << "): " << output.substr(note + 5, output.find('\n', note) - note - 5) << "\n";
    }
    return ran ? "" : arch.name + ":\n" + output;
}

// Generates block into folder/block, with plant applied when given.
std::string Generate(const BLOCKINFO& block, const std::string& folder, const Plant* plant) {
    TestRun run(folder);
    run.environment.workingDirectory = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/";
    BLOCKINFO generated = block;
    generated.Directory = folder + "block";
    if (RunGeneration(generated, run.environment).outcome != RunOutcome::Completed) {
        return "the generation run does not complete";
    }
    if (plant != nullptr && !ApplyPlant(folder + "block/", *plant)) {
        return "nothing to plant: no *" + plant->file + " holds \"" + plant->from + "\"";
    }
    return "";
}

// Generates block into folder/block, builds it for both architectures
// against the stand-in host and runs each build this machine runs; gives
// what failed, empty when nothing did.
std::string GenerateBuildAndRun(const BLOCKINFO& block, const std::string& folder,
                                const HostTools& tools) {
    std::string failure = Generate(block, folder, nullptr);
    const std::string dir = folder + "block/";
    for (const Arch* arch : {&X86_64, &I686}) {
        if (failure.empty()) {
            failure = BuildFor(block, dir, *arch, tools);
        }
    }
    if (failure.empty()) {
        failure = RunFor(block, dir, X86_64, tools);
    }
    if (failure.empty() && tools.RunsI686()) {
        failure = RunFor(block, dir, I686, tools);
    }
    return failure;
}

class HandPickedBlockRuns : public ::testing::TestWithParam<MatrixBlock> {};

TEST_P(HandPickedBlockRuns, ThroughItsWholeLifeWithHandlesBalanced) {
    const HostTools& tools = HostTools::Get();
    REQUIRE_HOST_TOOLS(tools);
    TempDir dir;
    const std::string failure = GenerateBuildAndRun(Build(GetParam()), dir.path(), tools);
    EXPECT_TRUE(failure.empty()) << GetParam().what << ":\n" << failure;
    REPORT_I686_RUNS(tools);
}

INSTANTIATE_TEST_SUITE_P(Matrix, HandPickedBlockRuns, ::testing::ValuesIn(MATRIX),
                         [](const auto& test) { return std::string(test.param.name); });

int SeedCount() {
    const char* text = std::getenv("BLOCKWRIGHT_MATRIX_SEEDS");
    return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : DEFAULT_SEEDS;
}

// A failing definition as a template that `blockwright generate` reproduces.
std::string SaveFailure(int seed, const BLOCKINFO& block) {
    const fs::path failures = fs::temp_directory_path() / "blockwright-run";
    fs::create_directories(failures);
    const std::string saved = (failures / ("seed" + std::to_string(seed) + ".tbt")).string();
    WriteTemplate(block, saved);
    return saved;
}

class RandomBlocksRun : public ::testing::TestWithParam<int> {};

// Shard n runs the seeds that leave n over when divided by SHARDS.
TEST_P(RandomBlocksRun, EveryAcceptedDefinitionRunsItsWholeLife) {
    const HostTools& tools = HostTools::Get();
    REQUIRE_HOST_TOOLS(tools);
    int ran = 0;
    for (int seed = 1 + GetParam(); seed <= SeedCount(); seed += SHARDS) {
        const BLOCKINFO block = RandomBlock(static_cast<unsigned>(seed)).Build();
        if (HasErrors(CheckDefinition(block))) {
            continue;
        }
        if (block.Bitmap && block.Matrix && block.NumInputs > 0) {
            // Its execution checks for bitmaps and then reads matrix headers
            // from them, so it refuses every input (USR_ERR_DT).
            std::cout << "[ skipped  ] seed " << seed << ": a bitmap matrix block with inputs\n";
            continue;
        }
        ++ran;
        TempDir dir;
        const std::string failure = GenerateBuildAndRun(block, dir.path(), tools);
        if (!failure.empty()) {
            ADD_FAILURE() << "seed " << seed << " (" << SaveFailure(seed, block) << "):\n"
                          << failure;
        }
    }
    std::cout << "[ run      ] " << ran << " accepted definitions run\n";
    REPORT_I686_RUNS(tools);
}

INSTANTIATE_TEST_SUITE_P(Shard, RandomBlocksRun, ::testing::Range(0, SHARDS));

// A fault planted into one hand-picked block's generated text, and the line
// the runner must then print: FAIL, the entry point, the check.
struct PlantedFault {
    const char* what;
    const char* block;  // the name of a hand-picked block
    Plant plant;
    const char* expected;  // a regular expression the runner's output holds
};

// Printed by gtest as the fault, not its bytes.
void PrintTo(const PlantedFault& fault, std::ostream* out) {
    *out << fault.what;
}

const std::string NEXT_LOOP = "for\\(index = 0; index<pPtr->Framesize; index\\+\\+\\)\\{";

const PlantedFault PLANTED[] = {
    {"a key saved but no longer loaded",
     "Kinds",
     {"IFKinds.c", "pPtr->_Scale = LoadParamD\\([^;]*;", ""},
     "FAIL UserLoadProc: does not read back the key \"_Scale\""},
    {"a Float parameter loaded with the integer loader",
     "Kinds",
     {"IFKinds.c", "pPtr->_Gain = LoadParamF\\(", "pPtr->_Gain = LoadParamI("},
     "FAIL UserLoadProc: does not read back the key \"_Gain\": \"[0-9]+\\.375\""},
    {"one sample written past an output frame",
     "Plain",
     {"Plain.c", NEXT_LOOP,
      "*(PtrOut0+pPtr->Framesize*(pPtr->RCFlagOut0+1)) = 0;\n       for(index = 0; "
      "index<pPtr->Framesize; index++){"},
     "FAIL UserExecProc\\(precision [^)]*\\): misuses memory:\\s+UserExecProc.* wrote past the end "
     "of the [0-9]+-byte buffer"},
    {"a whole frame too many",
     "Plain",
     {"Plain.c", NEXT_LOOP, "for(index = 0; index<2*pPtr->Framesize; index++){"},
     "FAIL UserExecProc\\(precision [^)]*\\): misuses memory:\\s+UserExecProc.* wrote past the "
     "end"},
    {"one sample written past a local array",
     "Arrays",
     {"IFArrays.c", "index<pPtr->NumLocalElements0; index\\+\\+",
      "index<=pPtr->NumLocalElements0; index++"},
     "FAIL UserInitializeProc: misuses memory:\\s+UserInitializeProc wrote past the end of the "
     "8192-byte buffer"},
    {"a malloc leak",
     "Plain",
     {"IFPlain.c", "// reset local error condition\\r?\\n", "malloc(24);\r\n"},
     "FAIL the end of the worksheet: the block's allocations are not all freed:\\s+malloc block "
     "[0-9A-Fa-fx]+ of 24 bytes from UserDefaultSetupProc"},
    {"a HeapAlloc leak",
     "Plain",
     {"IFPlain.c", "// reset local error condition\\r?\\n",
      "HeapAlloc(GetProcessHeap(), 0, 24);\r\n"},
     "FAIL the end of the worksheet: the block's allocations are not all freed:\\s+heap block "
     "[0-9A-Fa-fx]+ of 24 bytes from UserDefaultSetupProc"},
    {"a LocalAlloc leak",
     "Plain",
     {"IFPlain.c", "// reset local error condition\\r?\\n", "LocalAlloc(LMEM_FIXED, 24);\r\n"},
     "FAIL the end of the worksheet: the block's allocations are not all freed:\\s+local handle "
     "[0-9A-Fa-fx]+ of 24 bytes from UserDefaultSetupProc"},
    {"a double FreeGlobalMemory",
     "Plain",
     {"IFPlain.c", "FreeGlobalMemory\\(hBufOut0\\);",
      "FreeGlobalMemory(hBufOut0);\n    FreeGlobalMemory(hBufOut0);"},
     "FAIL UserExitProc: misuses memory:\\s+UserExitProc frees [0-9A-Fa-fx]+ a second time with "
     "FreeGlobalMemory"},
    {"a double GlobalFree",
     "Plain",
     {"IFPlain.c", "if \\(hBufx0 != NULL\\) GlobalFree\\(hBufx0\\);",
      "if (hBufx0 != NULL) { GlobalFree(hBufx0); GlobalFree(hBufx0); }"},
     "FAIL UserExecProc\\(precision [^)]*\\): misuses memory:\\s+UserExecProc.* frees "
     "[0-9A-Fa-fx]+ a second time with GlobalFree"},
    {"freeing a locked handle",
     "Arrays",
     {"IFArrays.c", "GlobalUnlock\\(hScratchParam\\);\\s+FreeGlobalMemory\\(hScratchParam\\);",
      "FreeGlobalMemory(hScratchParam);\n    GlobalUnlock(hScratchParam);"},
     "FAIL UserExitProc: misuses memory:\\s+UserExitProc frees [0-9A-Fa-fx]+ with "
     "FreeGlobalMemory while it is locked"},
    {"freeing a handle the host owns",
     "Plain",
     {"IFPlain.c", "FreeGlobalMemory\\(hBufOut0\\);",
      "FreeGlobalMemory(hBufOut0);\n    FreeGlobalMemory(GetInputDataHandle(hBioInfo,0));"},
     "FAIL UserExitProc: misuses memory:\\s+UserExitProc frees [0-9A-Fa-fx]+ with "
     "FreeGlobalMemory, a buffer the host owns"},
    {"a dialog without its OK button",
     "Kinds",
     {"Kinds.rc", "DEFPUSHBUTTON \"OK\", IDOK,", "DEFPUSHBUTTON \"OK\", 4242,"},
     "FAIL the parameter dialog: lacks the control IDOK \\(1\\)[^]*FAIL UserDialogProc\\(IDOK\\): "
     "the dialog has no OK button to press"},
    {"a dialog without a variable-pick button",
     "Kinds",
     {"Kinds.rc", "PUSHBUTTON \"v\",IDC_VAR_GAIN,", "PUSHBUTTON \"v\",4243,"},
     "FAIL the parameter dialog: lacks the control IDC_VAR_GAIN \\([0-9]+\\)"},
    {"the OK handler mapping the third radio item to the first",
     "Kinds",
     {"IFKinds.c", "pPtr->_Mode = IDC_RADIO_MODE_OFF;", "pPtr->_Mode = IDC_RADIO_MODE_SLOW;"},
     "FAIL UserDialogProc\\(IDOK\\): stores \"[0-9]+\" in _Mode, expected \"[0-9]+\""},
    {"UserSetParameterProc ignoring a combo box",
     "Kinds",
     {"IFKinds.c", "case IDC_COMBO_SHAPE:", "case IDC_COMBO_SHAPE+1000:"},
     "FAIL UserSetParameterProc: sets _Shape to \"[0-9]+\", expected \"[0-9]+\""},
    {"UserSetParameterProc ignoring a check box",
     "Kinds",
     {"IFKinds.c", "case IDC_CHECK_MUTED:", "case IDC_CHECK_MUTED+1000:"},
     "FAIL UserSetParameterProc: sets _Muted to \"0\", expected \"1\""},
    {"a source block reporting frame size 0",
     "Ramp",
     {"IFRamp.c", "SetOutputFrameSize\\(hBioInfo,0,[^)]*\\)", "SetOutputFrameSize(hBioInfo,0,0)"},
     "FAIL UserExecProc\\(precision [^)]*\\): output 0 has frame size 0, expected 24"},
    {"an unlock dropped on an error path",
     "Arrays",
     {"IFArrays.c",
      "\\(sPtr ?= ?\\(SCRATCH_PARAM \\*\\) ?GlobalLock\\(hScratchParam\\)\\) ?== ?NULL\\) ?\\{\\s+"
      "GlobalUnlock\\(hParam\\);\\r?\\n",
      "(sPtr=(SCRATCH_PARAM *) GlobalLock(hScratchParam)) == NULL){\r\n"},
     "FAIL UserDefaultSetupProc \\(allocation or lock [0-9]+ failing\\): returns with handles "
     "still "
     "locked:\\s+handle [0-9A-Fa-fx]+ of "
     "[0-9]+ bytes from UserSetupProc[^,]*, locked 1 time"},
    {"a complex output's imaginary part wrong",
     "Twin",
     {"Twin.c",
      "\\*\\(PtrOut0\\+index\\*2\\+1\\)   = \\*\\(PtrIn0\\+index\\*2\\+1\\) \\+ \\*\\(PtrIn1",
      "*(PtrOut0+index*2+1)   = 1 + *(PtrIn0+index*2+1) + *(PtrIn1"},
     "FAIL UserExecProc\\(precision [^)]*complex[^)]*\\): output 0 sample 0 holds "
     "-?[0-9.]+[+-][0-9.]+i, the default routine gives -?[0-9.]+[+-][0-9.]+i"},
};

const MatrixBlock& HandPicked(const std::string& name) {
    for (const MatrixBlock& block : MATRIX) {
        if (name == block.name) {
            return block;
        }
    }
    throw std::invalid_argument("no hand-picked block " + name);
}

class PlantedFaults : public ::testing::TestWithParam<PlantedFault> {};

// The runner catches each fault planted into a block that otherwise runs,
// with a line naming the entry point and the check. Run in the 64-bit
// build, which every machine runs.
TEST_P(PlantedFaults, TheRunnerNamesTheEntryPointAndTheCheck) {
    const HostTools& tools = HostTools::Get();
    REQUIRE_HOST_TOOLS(tools);
    const PlantedFault& fault = GetParam();
    const BLOCKINFO block = Build(HandPicked(fault.block));
    TempDir dir;
    std::string failure = Generate(block, dir.path(), &fault.plant);
    ASSERT_TRUE(failure.empty()) << failure;
    failure = BuildFor(block, dir.path() + "block/", X86_64, tools);
    ASSERT_TRUE(failure.empty()) << failure;
    const std::string output = RunFor(block, dir.path() + "block/", X86_64, tools);
    EXPECT_TRUE(std::regex_search(output, std::regex(fault.expected)))
        << fault.what << ": expected /" << fault.expected << "/ in:\n"
        << output;
}

INSTANTIATE_TEST_SUITE_P(Runner, PlantedFaults, ::testing::ValuesIn(PLANTED), [](const auto& test) {
    std::string name;
    for (const char* c = test.param.what; *c != '\0'; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
            name += *c;
        }
    }
    return name;
});

// A trial: the case's [Trial] section makes the runner put a test signal
// through the block, report one CHECK line per check, count NaN, infinity
// and denormals and dump a trace. A hand-picked block is generated (for
// Plain, with output written in place of every line that copies its input
// to its output), built for x86_64 and run; gives the runner's output and
// exit status.
struct TrialRun {
    std::string output;
    int status = -1;
    std::string dir;  // where it ran, with its trace
};

const char* const OUTPUT_COPY = "\\*\\(PtrOut0\\+index\\)   = \\*\\(PtrIn0\\+index\\);";

TrialRun RunTrial(const TempDir& dir, const std::string& name, const std::string& output,
                  const std::string& trial) {
    const HostTools& tools = HostTools::Get();
    const BLOCKINFO block = Build(HandPicked(name));
    TrialRun run;
    run.dir = dir.path() + "block/" + X86_64.name + "/";
    std::string failure = Generate(block, dir.path(), nullptr);
    int planted = 0;
    while (failure.empty() && !output.empty() &&
           ApplyPlant(dir.path() + "block/", {"Plain.c", OUTPUT_COPY, output})) {
        ++planted;
    }
    if (failure.empty() && !output.empty() && planted == 0) {
        failure = "no output copy in Plain.c to plant into";
    }
    if (failure.empty()) {
        failure = BuildFor(block, dir.path() + "block/", X86_64, tools);
    }
    if (!failure.empty()) {
        run.output = failure;
        return run;
    }
    WriteFileBytes(run.dir + "case.ini", ReadFileBytes(run.dir + "case.ini") + trial);
    const std::string log = run.dir + "trial.log";
    const int status = std::system(("cd " + Quote(run.dir) + " && " + WINE + Quote(WINE_SH) + " " +
                                    Quote(tools.dir + X86_64.name + "/blockrun.exe") +
                                    " case.ini >" + Quote(log) + " 2>&1")
                                       .c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.output = ReadFileBytes(log);
    return run;
}

std::vector<double> ReadSamples(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    std::vector<double> samples(bytes.size() / sizeof(double));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(double));
    return samples;
}

TEST(TrialRuns, AGainBlockPassesEveryCheckAndItsTraceIsTheGainTimesTheSine) {
    const HostTools& tools = HostTools::Get();
    REQUIRE_HOST_TOOLS(tools);
    TempDir dir;
    const TrialRun run =
        RunTrial(dir, "Plain", "*(PtrOut0+index) = 3 * *(PtrIn0+index);",
                 "[Trial]\r\nSignal=sine:1000\r\nLives=2\r\nFrames=20\r\nDump=trace\r\n");
    EXPECT_EQ(run.status, 0) << run.output;
    std::set<std::string> passed;
    const std::regex check("CHECK (\\w+) PASS\r?\n");
    for (auto it = std::sregex_iterator(run.output.begin(), run.output.end(), check);
         it != std::sregex_iterator(); ++it) {
        passed.insert((*it)[1]);
    }
    EXPECT_EQ(passed,
              (std::set<std::string>{"crash", "locks", "leaks", "bounds", "numbers", "shape",
                                     "parameters", "dialog", "failures", "realtime", "lives"}))
        << run.output;
    EXPECT_TRUE(std::regex_search(run.output, std::regex("COUNT 0 nan=0 inf=0 denormal=0")))
        << run.output;
    // The default strictness times two frame sizes at two rates.
    EXPECT_TRUE(std::regex_search(run.output, std::regex("TIME [0-9]+/8000/1 perframe_us=[0-9.]+ "
                                                         "budget_us=125\\.000")))
        << run.output;

    const std::string trace = run.dir + "trace/";
    const std::string info = ReadFileBytes(trace + "trace.ini");
    EXPECT_NE(info.find("SampleRate=48000"), std::string::npos) << info;
    EXPECT_NE(info.find("FrameSize=16"), std::string::npos) << info;
    EXPECT_NE(info.find("Frames=20"), std::string::npos) << info;
    const std::vector<double> in = ReadSamples(trace + "in0.f64");
    const std::vector<double> out = ReadSamples(trace + "out0.f64");
    ASSERT_EQ(in.size(), 20u * 16u);
    ASSERT_EQ(out.size(), in.size());
    const bool doubles = info.find("Precision=2") != std::string::npos;
    for (size_t n = 0; n < in.size(); ++n) {
        const double sine = std::sin(2 * 3.14159265358979323846 * 1000.0 * double(n) / 48000.0);
        ASSERT_NEAR(in[n], sine, doubles ? 1e-12 : 1e-6) << "sample " << n << "\n" << info;
        ASSERT_EQ(out[n], 3 * in[n]) << "sample " << n;
    }
}

// The generated blocks pass a trial as they are: every kind of parameter
// changed between frames and set back, a source at its own shape, a block
// of complex channels only.
TEST(TrialRuns, GeneratedBlocksOfOtherKindsPassAsGenerated) {
    const HostTools& tools = HostTools::Get();
    REQUIRE_HOST_TOOLS(tools);
    for (const char* name : {"Kinds", "Ramp", "Twin"}) {
        TempDir dir;
        const TrialRun run =
            RunTrial(dir, name, "",
                     "[Trial]\r\nStrictness=2\r\nSignal=noise\r\nLives=2\r\nFrameSizes=16,7\r\n"
                     "Frames=12\r\nAutomation=1\r\n");
        EXPECT_EQ(run.status, 0) << name << ":\n" << run.output;
        EXPECT_TRUE(std::regex_search(run.output, std::regex("CHECK lives PASS"))) << name << ":\n"
                                                                                   << run.output;
        // A source runs at the frame size the case set and its own rate.
        const std::string time = name == std::string("Ramp") ? "/8000/24 " : "/48000/7 ";
        EXPECT_NE(run.output.find(time), std::string::npos) << name << ":\n" << run.output;
    }
}

// What the block gets wrong, each found by its own check at strictness 1.
TEST(TrialRuns, ANaNAndAStaticLeftOverFailTheirChecks) {
    const HostTools& tools = HostTools::Get();
    REQUIRE_HOST_TOOLS(tools);
    {
        TempDir dir;
        const TrialRun run =
            RunTrial(dir, "Plain", "*(PtrOut0+index) = index == 3 ? 0.0 / 0.0 : *(PtrIn0+index);",
                     "[Trial]\r\nStrictness=1\r\n");
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_TRUE(std::regex_search(
            run.output, std::regex("CHECK numbers FAIL 1 failures; first: UserExecProc\\(precision "
                                   "[12], real, 48000 Hz, frame size 16, frame 0\\): output 0 "
                                   "holds 1 NaN, 0 infinite and 0 denormal sample\\(s\\)")))
            << run.output;
        EXPECT_TRUE(std::regex_search(run.output, std::regex("COUNT 0 nan=8 inf=0 denormal=0")))
            << run.output;
        EXPECT_TRUE(std::regex_search(run.output, std::regex("CHECK shape PASS"))) << run.output;
        EXPECT_EQ(run.output.find("CHECK dialog"), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("CHECK lives"), std::string::npos) << run.output;
    }
    {
        TempDir dir;
        const TrialRun run = RunTrial(
            dir, "Plain", "{ static int calls; *(PtrOut0+index) = *(PtrIn0+index) + calls++; }",
            "[Trial]\r\nStrictness=1\r\nLives=2\r\n");
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_TRUE(std::regex_search(
            run.output,
            std::regex("CHECK lives FAIL 1 failures; first: UserExecProc\\(precision [^)]*frame "
                       "0\\): output 0 sample 0 of frame 0 is [-0-9.e]+ in life 2, [-0-9.e]+ in "
                       "the first: something outlives the instance")))
            << run.output;
        EXPECT_TRUE(std::regex_search(run.output, std::regex("CHECK numbers PASS"))) << run.output;
    }
}

}  // namespace
}  // namespace bw
