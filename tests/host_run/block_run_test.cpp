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

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
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
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const std::string SDK = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/tests/host_sdk";
const std::string HOST = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/tests/host_run";
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

// The stand-in host and the runner, which the build makes where the MinGW
// tools are (BLOCK_RUN_HOST_DIR), ready for Wine once per test program: skip
// says why the tests cannot run here.
struct HostTools {
    const std::string dir = BLOCK_RUN_HOST_DIR;
    std::string skip;

    HostTools() {
        const std::string install =
            ": install gcc-mingw-w64-i686, binutils-mingw-w64-i686, wine and wine32:i386 "
            "(scripts/install-deps.sh)";
        if (dir.empty()) {
            skip = "i686-w64-mingw32-gcc was absent when the tests were built" + install;
            return;
        }
        for (const char* tool : {"i686-w64-mingw32-windres", "wine", "wineserver"}) {
            if (!ToolPresent(tool)) {
                skip = std::string(tool) + " absent" + install;
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
        fs::create_directories(prefix);
        const std::string setUp =
            "test -f " + Quote(prefix + "/.set-up") + " || { " + WINE + "wine wineboot -i; " +
            WINE + "wine reg add 'HKCU\\Software\\Wine\\Drivers' /v Graphics /d null /f && " +
            WINE + "wineserver -k; " + WINE + "wineserver -w; touch " + Quote(prefix + "/.set-up") +
            "; }; " + WINE + "wineserver -p15";
        Quietly("flock -o " + Quote(prefix + ".lock") + " sh -c \"" + setUp + "\"");
        // Without arguments the runner only prints its usage and ends with 2.
        if (!Quietly("cd " + Quote(dir) + " && " + WINE + "wine blockrun.exe; test $? -eq 2")) {
            skip =
                "Wine does not run 32-bit programs: install wine32:i386 "
                "(scripts/install-deps.sh)";
        }
    }

    static const HostTools& Get() {
        static const HostTools tools;
        return tools;
    }
};

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

// The shape of the block as the runner reads it. The precisions are the
// stand-in's HDT_ codes (bddk.h); a bitmap block runs on bitmaps only, a
// real-time block only at the precisions its DSP link accepts (integer and
// floating point, so never a real-time bitmap block).
std::string CaseFile(const BLOCKINFO& b) {
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
    return "[Block]\r\nDll=" + b.BlockName + ".dll\r\nDef=" + b.BlockName +
           ".def\r\nInputs=" + std::to_string(b.NumInputs) +
           "\r\nOutputs=" + std::to_string(b.NumOutputs) + "\r\nDimensions=" + dimensions +
           "\r\nPrecisions=" + list + "\r\nReal=" + std::to_string(b.Real) +
           "\r\nComplex=" + std::to_string(b.Complex) + "\r\nMatrix=" + std::to_string(b.Matrix) +
           "\r\nBitmap=" + std::to_string(b.Bitmap) + "\r\nRealTime=" + std::to_string(b.RealTime) +
           "\r\nQ=" + std::to_string(b.Q ? b.QLevel : 0) +
           "\r\nUserControl=" + std::to_string(b.UserControl) +
           "\r\nDownloads=" + std::to_string(b.RealTime ? Downloads(b) : 0) + "\r\n";
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

// The control identifiers that the dialog procedure of the interface source
// reads, writes, checks or sends to.
std::set<std::string> AddressedControls(const std::string& interfaceSource) {
    const size_t start = interfaceSource.find("UserDialogProc(HWND");
    const std::string procedure =
        interfaceSource.substr(start, interfaceSource.find("\n}", start) - start);
    static const std::regex CALL(
        "(?:GetDlgItem\\w*|SetDlgItem\\w*|IsDlgButtonChecked|CheckDlgButton|CheckRadioButton)"
        "\\(\\s*hDlg\\s*,\\s*(\\w+)(?:\\s*,\\s*(IDC_\\w+))?");
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(procedure.begin(), procedure.end(), CALL);
         it != std::sregex_iterator(); ++it) {
        for (size_t group : {1, 2}) {
            if ((*it)[group].matched) {
                names.insert((*it)[group]);
            }
        }
    }
    return names;
}

// The dialog section of the case file: the controls the dialog procedure
// addresses, and per parameter the controls that show it and its key.
std::string DialogSection(const BLOCKINFO& b, const std::string& dir, std::string& error) {
    const auto defines =
        Defines({dir + "hresourc.h", dir + "resource.h", SDK + "/bddk.h", SDK + "/bddrv.h"});
    const auto number = [&](const std::string& name) {
        const auto found = defines.find(name);
        if (found == defines.end() ||
            found->second.find_first_not_of("0123456789") != std::string::npos) {
            error += "the resource headers do not define " + name + "\n";
            return std::string("0");
        }
        return found->second;
    };
    std::string addressed;
    for (const std::string& name :
         AddressedControls(ReadFileBytes(dir + "IF" + b.BlockName + ".c"))) {
        addressed += (addressed.empty() ? "" : ",") + name + ":" + number(name);
    }
    std::ostringstream section;
    int count = 0;
    for (int i = 0; i < b.NumParameters; ++i) {
        const PARAMINFO& p = b.Parameters[static_cast<size_t>(i)];
        if (p.isExcluded()) {
            continue;
        }
        const std::string ident = Identifier(p.ParameterName, i);
        const std::string control = ControlIdentifier(p, i);
        std::string line;
        if (p.ParameterType == TYPE_RADIO_BUTTONS) {
            line = "R|" + ident + "|I";
            if (p.ParameterItems.size() < 2) {
                line += "|" + number(control + "_YES") + "|" + number(control + "_NO");
            }
            for (size_t item = 0; p.ParameterItems.size() >= 2 && item < p.ParameterItems.size();
                 ++item) {
                line += "|" + number(RadioItemIdentifier(p, i, static_cast<int>(item)));
            }
        } else if (p.ParameterType == TYPE_COMBO_BOX) {
            line = "M|" + ident + "|I|" + number(control);
        } else if (p.ParameterType == TYPE_CHECK_BOX) {
            line = "K|" + ident + "|I|" + number(control);
        } else if (p.ParameterType == TYPE_FILE_OPEN) {
            line = "F|" + ident + "|T|" + number(control) + "|" + number(control + "_PATHNAME");
        } else {
            line = std::string("E|") + ident + "|" + "IFDCLSBT"[p.ParameterType] + "|" +
                   number(control);
        }
        section << "P" << count++ << "=" << line << "\r\n";
    }
    return "[Dialog]\r\nAddressed=" + addressed + "\r\nCount=" + std::to_string(count) + "\r\n" +
           section.str();
}

// Generates block into folder/block, builds its DLL against the stand-in
// host and runs it; gives what failed, empty when nothing did.
std::string GenerateBuildAndRun(const BLOCKINFO& block, const std::string& folder,
                                const HostTools& tools) {
    TestRun run(folder);
    run.environment.workingDirectory = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/";
    BLOCKINFO generated = block;
    generated.Directory = folder + "block";
    if (RunGeneration(generated, run.environment).outcome != RunOutcome::Completed) {
        return "the generation run does not complete";
    }
    const std::string dir = folder + "block/";
    const std::string& name = block.BlockName;
    std::string sources;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".c") {
            sources += " " + Quote(entry.path().filename().string());
        }
    }
    std::string output;
    if (!Run(dir, "i686-w64-mingw32-gcc -c -I. -I" + Quote(SDK) + sources, output) ||
        !Run(dir,
             "i686-w64-mingw32-windres -I. -I" + Quote(SDK) + " " + Quote(name + ".rc") +
                 " -O coff -o resource.rc.o",
             output) ||
        !Run(dir,
             "i686-w64-mingw32-gcc -shared -o " + Quote(name + ".dll") + " *.o " +
                 Quote(name + ".def") + " -Wl,--enable-stdcall-fixup -L" + Quote(tools.dir) +
                 " -lbdhost -lcomdlg32 -lgdi32 -lhtmlhelp",
             output)) {
        return "the block does not build:\n" + output;
    }
    std::string error;
    WriteFileBytes(dir + "case.ini", CaseFile(block) + DialogSection(block, dir, error));
    if (!error.empty()) {
        return error;
    }
    const bool ran =
        Run(dir, WINE + "wine " + Quote(tools.dir + "blockrun.exe") + " case.ini", output);
    // What the runner noted without failing: a block that asks for more
    // memory than the host gives does not run its frames.
    for (size_t note = output.find("NOTE "); note != std::string::npos;
         note = output.find("NOTE ", note + 1)) {
        std::cout << "[ note     ] " << name << ": "
                  << output.substr(note + 5, output.find('\n', note) - note - 5) << "\n";
    }
    return ran ? "" : output;
}

#define REQUIRE_HOST_TOOLS(tools)     \
    if (!(tools).skip.empty()) {      \
        GTEST_SKIP() << (tools).skip; \
    }

class HandPickedBlockRuns : public ::testing::TestWithParam<MatrixBlock> {};

TEST_P(HandPickedBlockRuns, ThroughItsWholeLifeWithHandlesBalanced) {
    const HostTools& tools = HostTools::Get();
    REQUIRE_HOST_TOOLS(tools);
    TempDir dir;
    const std::string failure = GenerateBuildAndRun(Build(GetParam()), dir.path(), tools);
    EXPECT_TRUE(failure.empty()) << GetParam().what << ":\n" << failure;
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
}

INSTANTIATE_TEST_SUITE_P(Shard, RandomBlocksRun, ::testing::Range(0, SHARDS));

}  // namespace
}  // namespace bw
