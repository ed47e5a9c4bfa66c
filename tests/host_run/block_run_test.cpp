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
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "check/definition_check.h"
#include "compile/matrix_blocks.h"
#include "compile/random_block.h"
#include "definition/template_file.h"
#include "generation/names_and_literals.h"
#include "run/generation_run.h"
#include "support/generate.h"
#include "support/missing_tool.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const std::string SDK = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/tests/host_sdk";
const std::string HOST = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/tests/host_run";
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

// The 64-bit block keeps the addresses it can see low (see host_run/host.h).
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

// The memory writes of a real-time block's parameter download once it is
// compiled: one per parameter the DSP holds, the matrix size of a source and
// the changed flag of an XDAIS algorithm; none without parameters.
int Downloads(const BLOCKINFO& b) {
    if (b.NumParameters == 0 && !(b.Matrix && b.NumInputs == 0)) {
        return 0;
    }
    int writes = 0;
    for (int i = 0; i < b.NumParameters; ++i) {
        const int type = b.Parameters[static_cast<size_t>(i)].ParameterType;
        writes += type != TYPE_CHAR && type != TYPE_TEXT && type != TYPE_FILE_OPEN &&
                  type != TYPE_EXCLUDED;
    }
    return writes + (b.Matrix && b.NumInputs == 0 ? 2 : 0) + (b.xDAIS ? 1 : 0);
}

// The numbers behind the #define lines of the given headers, through the
// names some of them are defined as ("IDC_EDIT_SAMPLERATE  IDC_SAMPFREQ").
std::map<std::string, std::string> Defines(const std::vector<std::string>& headers) {
    static const std::regex DEFINE("#define[ \t]+(\\w+)[ \t]+(\\w+)");
    std::map<std::string, std::string> defines;
    for (const std::string& header : headers) {
        const std::string text = ReadFileBytes(header);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), DEFINE);
             it != std::sregex_iterator(); ++it) {
            defines[(*it)[1]] = (*it)[2];
        }
    }
    for (auto& [name, value] : defines) {
        for (int depth = 0; depth < 4 && defines.count(value) != 0; ++depth) {
            value = defines[value];
        }
    }
    return defines;
}

// The identifiers' numbers as the block's resource headers define them; an
// identifier they lack is an error.
class ControlNumbers {
public:
    ControlNumbers(const std::string& dir, std::string& error)
        : defines_(
              Defines({dir + "hresourc.h", dir + "resource.h", SDK + "/bddk.h", SDK + "/bddrv.h"})),
          error_(error) {}

    std::string operator()(const std::string& name) const {
        const auto found = defines_.find(name);
        if (found == defines_.end() ||
            found->second.find_first_not_of("0123456789") != std::string::npos) {
            error_ += "the resource headers do not define " + name + "\n";
            return "0";
        }
        return found->second;
    }

private:
    std::map<std::string, std::string> defines_;
    std::string& error_;
};

// The frame size a source is set to, and the shape of a matrix source.
const int SOURCE_FRAME = 24;
const int SOURCE_ROWS = 4;
const int SOURCE_COLUMNS = 5;
// What the runner gives a block's inputs (runner.c).
const int INPUT_FRAME = 16;
const int INPUT_MATRIX_SIDE = 3;

// The shape every output must have, from the definition: a block with
// inputs keeps their frame size and matrix shape; a source has the one the
// case sets through its parameters, or, where it lists none, its default.
std::string OutputShape(const BLOCKINFO& b, const ControlNumbers& number) {
    const bool source = b.NumInputs == 0;
    if (b.Bitmap) {
        return "";
    }
    if (b.Matrix) {
        if (!source) {
            return "OutputRows=" + std::to_string(INPUT_MATRIX_SIDE) +
                   "\r\nOutputColumns=" + std::to_string(INPUT_MATRIX_SIDE) + "\r\n";
        }
        if (b.RealTime) {
            return "OutputRows=2\r\nOutputColumns=2\r\n";
        }
        const int columns = b.Square ? SOURCE_ROWS : SOURCE_COLUMNS;
        return "OutputRows=" + std::to_string(SOURCE_ROWS) +
               "\r\nOutputColumns=" + std::to_string(columns) +
               "\r\nSetRows=" + number("IDC_ROWS") + "\r\nSetColumns=" + number("IDC_COLUMNS") +
               "\r\n";
    }
    if (!source) {
        return "OutputFrame=" + std::to_string(INPUT_FRAME) + "\r\n";
    }
    // A source with a user control or native data runs a sample at a time.
    if (b.Native || b.UserControl) {
        return "OutputFrame=1\r\n";
    }
    if (b.RealTime) {
        return "OutputFrame=256\r\n";
    }
    return "OutputFrame=" + std::to_string(SOURCE_FRAME) +
           "\r\nSetFrame=" + number("IDC_FRAMESIZE") + "\r\n";
}

// The shape of the block as the runner reads it. The precisions are the
// stand-in's HDT_ codes (bddk.h); a bitmap block runs on bitmaps only, a
// real-time block only at the precisions its DSP link accepts (integer and
// floating point, so never a real-time bitmap block).
std::string BlockSection(const BLOCKINFO& b, const std::string& dll, const std::string& def,
                         const ControlNumbers& number) {
    const std::pair<int, int> precisions[] = {
        {b.Character, 6},   {b.Byte, 5},          {b.ShortInteger, 4}, {b.Integer, 0},
        {b.LongInteger, 3}, {b.FloatingPoint, 1}, {b.Double, 2}};
    std::string list = b.Bitmap && !b.RealTime ? "8" : "";
    for (const auto& [flag, code] : precisions) {
        if (flag && !b.Bitmap && (!b.RealTime || code == 0 || code == 1)) {
            list += (list.empty() ? "" : ",") + std::to_string(code);
        }
    }
    std::string dimensions;
    for (int i = 0; i < b.NumInputs; ++i) {
        dimensions += std::to_string(b.InputChannelDimension[static_cast<size_t>(i)]);
    }
    return "[Block]\r\nDll=" + dll + "\r\nDef=" + def +
           "\r\nInputs=" + std::to_string(b.NumInputs) +
           "\r\nOutputs=" + std::to_string(b.NumOutputs) + "\r\nDimensions=" + dimensions +
           "\r\nPrecisions=" + list + "\r\nReal=" + std::to_string(b.Real) +
           "\r\nComplex=" + std::to_string(b.Complex) + "\r\nMatrix=" + std::to_string(b.Matrix) +
           "\r\nBitmap=" + std::to_string(b.Bitmap) + "\r\nRealTime=" + std::to_string(b.RealTime) +
           "\r\nQ=" + std::to_string(b.Q ? b.QLevel : 0) +
           "\r\nUserControl=" + std::to_string(b.UserControl) +
           "\r\nDownloads=" + std::to_string(b.RealTime ? Downloads(b) : 0) + "\r\n" +
           OutputShape(b, number);
}

// The dialog section of the case file, from the definition alone: the
// controls the dialog must hold (OK, Cancel, Help, and each parameter's,
// with its variable-pick and browse buttons), and per parameter its key,
// type, the identifier it is listed under, its items and its controls, a
// radio group's in the order of their index.
std::string DialogSection(const BLOCKINFO& b, const ControlNumbers& number) {
    std::string controls = "IDOK:1,IDCANCEL:2,IDHELP:9";
    const auto need = [&](const std::string& name) {
        controls += "," + name + ":" + number(name);
        return number(name);
    };
    std::ostringstream section;
    int count = 0;
    for (int i = 0; i < b.NumParameters; ++i) {
        const PARAMINFO& p = b.Parameters[static_cast<size_t>(i)];
        if (p.isExcluded()) {
            continue;
        }
        const std::string ident = Identifier(p.ParameterName, i);
        const std::string control = ControlIdentifier(p, i);
        const std::string suffix = control.substr(std::string("IDC_EDIT").size());
        std::string line;
        if (p.ParameterType == TYPE_RADIO_BUTTONS) {
            line = "R|" + ident + "|I|" + number(control) + "|0";
            if (p.ParameterItems.size() < 2) {
                line += "|" + need(control + "_NO") + "|" + need(control + "_YES");
            }
            for (size_t item = 0; p.ParameterItems.size() >= 2 && item < p.ParameterItems.size();
                 ++item) {
                line += "|" + need(RadioItemIdentifier(p, i, static_cast<int>(item)));
            }
        } else if (p.ParameterType == TYPE_COMBO_BOX) {
            line = "M|" + ident + "|I|" + number(control) + "|" +
                   std::to_string(p.ParameterItems.size()) + "|" + need(control);
        } else if (p.ParameterType == TYPE_CHECK_BOX) {
            line = "K|" + ident + "|I|" + number(control) + "|0|" + need(control);
        } else if (p.ParameterType == TYPE_FILE_OPEN) {
            line = "F|" + ident + "|T|0|0|" + need(control) + "|" + need(control + "_PATHNAME");
            need("IDC_VAR" + suffix);
            need("IDC_VAR" + suffix + "_PATHNAME");
            need("IDBROWSE" + suffix);
        } else {
            line = std::string("E|") + ident + "|" + "IFDCLSBT"[p.ParameterType] + "|" +
                   number(control) + "|0|" + need(control);
            need("IDC_VAR" + suffix);
        }
        section << "P" << count++ << "=" << line << "\r\n";
    }
    return "[Dialog]\r\nControls=" + controls + "\r\nCount=" + std::to_string(count) + "\r\n" +
           section.str();
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
    const ControlNumbers number(dir, error);
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

}  // namespace
}  // namespace bw
