// Whole tries: the example Gain block generated, built with MinGW-w64 and
// run in the stand-in host, as `blockwright try` does it: on Linux under
// Wine; in the Windows tests (themselves under Wine) natively, with a MinGW
// that starts the Linux cross tools (trial/mingw_shim). It passes as
// generated; an edit that breaks it fails the check that catches it, naming
// the entry point; its trace shows what its algorithm computes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#include "cli/console_launcher.h"
#include "cli/try_command.h"
#include "compile/matrix_blocks.h"
#include "files/this_system.h"
#include "generation/paths.h"
#include "support/generate.h"
#include "support/missing_tool.h"
#include "trial/report_files.h"
#include "trial/trial.h"
#include "trial/trial_support.h"
#include "trial/trial_tools.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const std::string GAIN = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/examples/Gain.tbt";
const std::string STANDIN = TRIAL_STANDIN_DIR;

// On Windows the tests' MinGW, which starts the Linux cross tools; here the
// tools on PATH.
std::string ToolSearchPath() {
    if (RUNNING_ON_WINDOWS) {
        return TRIAL_MINGW_SHIM_DIR;
    }
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "";
}

const std::string TOOL_SEARCH_PATH = ToolSearchPath();

// The Linux cross tools the Windows tests' MinGW starts.
std::string MissingLinuxMingw() {
    if (!RUNNING_ON_WINDOWS) {
        return "";
    }
    for (const char* tool : {"gcc", "windres"}) {
        if (const std::string path = TRIAL_LINUX_MINGW + std::string(tool); !fs::exists(path)) {
            return path +
                   " is missing, which the Windows tests' MinGW starts: install "
                   "gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64";
        }
    }
    return "";
}

// What keeps a block from running here, empty when nothing does.
std::string MissingForTries() {
    if (std::string missing = MissingLinuxMingw(); !missing.empty()) {
        return missing;
    }
    TrialTools tools;
    if (std::string missing = FindTrialTools(TOOL_SEARCH_PATH, tools); !missing.empty()) {
        return missing;
    }
    if (!fs::exists(STANDIN + "x86_64/blockrun.exe")) {
        return "the stand-in host was not built (" + STANDIN +
               "x86_64/blockrun.exe): x86_64-w64-mingw32-gcc was absent when the tests were "
               "configured (scripts/install-deps.sh)";
    }
    return "";
}

#define REQUIRE_TRY_TOOLS()                                                \
    if (const std::string missing = MissingForTries(); !missing.empty()) { \
        BW_MISSING_REACHABLE_TOOL(missing);                                \
        return;                                                            \
    }

// The first match of from in the block's file becomes to.
void Plant(const std::string& file, const std::string& from, const std::string& to) {
    std::string text = ReadFileBytes(file);
    std::smatch match;
    ASSERT_TRUE(std::regex_search(text, match, std::regex(from))) << from << " not in " << file;
    WriteFileBytes(file, match.prefix().str() + match.format(to) + match.suffix().str());
}

// The double-precision routine's example loop: the trace is taken at double.
const std::string DOUBLE_LOOP =
    "(//; Double Precision[^]*?//; Real Section of Algorithm[^]*?)\\*\\(PtrOut0\\+index\\)   = "
    "\\*\\(PtrIn0\\+index\\);";

class WholeTry : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GenerateBlock(GAIN, block), "");
        fs::create_directories(scratch);
        environment.launcher = &launcher;
        environment.standinFolder = STANDIN;
        environment.scratchFolder = scratch;
        environment.winePrefix = TRIAL_WINEPREFIX;
        environment.toolSearchPath = TOOL_SEARCH_PATH;
        request.source = block;
    }

    TrialResult Try() {
        before_ = FolderBytes(request.source);
        const TrialResult result = TryBlock(request, environment);
        EXPECT_EQ(FolderBytes(request.source), before_) << "the try wrote into the block folder";
        return result;
    }

    // The checks that did not pass, one a line, for a failure's message.
    static std::string Summary(const TrialResult& result) {
        std::ostringstream text;
        PrintTrialResult(result.blockName, result, text);
        return text.str() + result.message;
    }

    static const TrialCheck* Failed(const TrialResult& result, const std::string& id) {
        for (const TrialCheck& check : result.checks) {
            if (check.id == id && check.outcome == CheckOutcome::Failed) {
                return &check;
            }
        }
        return nullptr;
    }

    TempDir dir;
    const std::string block = dir.path() + "Gain/";
    const std::string scratch = dir.path() + "scratch/";
    ConsoleLauncher launcher;
    TrialEnvironment environment;
    TrialRequest request;

private:
    std::map<std::string, std::string> before_;
};

TEST_F(WholeTry, TheGeneratedExamplePassesEveryCheck) {
    REQUIRE_TRY_TOOLS();
    const TrialResult result = Try();
    EXPECT_EQ(result.outcome, TrialOutcome::Passed) << Summary(result);
    EXPECT_GE(result.checks.size(), 5u) << Summary(result);
    EXPECT_EQ(TrialExitStatus(result.outcome), 0);
}

// Blanks and letters beyond ASCII in the block's folder and in the scratch
// folder reach the compiler, the resource compiler and the runner intact,
// and so do letters that the system's ANSI code page lacks.
TEST_F(WholeTry, PassesInFoldersNamedWithBlanksAndNonAsciiLetters) {
    REQUIRE_TRY_TOOLS();
    const std::string folder = dir.path() +
                               "Bl\xc3\xb6"
                               "cke & Co/Gain/";
    // Cyrillic letters lie beyond the ANSI code page of a Western system.
    const std::string scratchFolder = dir.path() +
                                      "Pr\xc3\xbc"
                                      "fung \xd0\xa2\xd0\xb5\xd1\x81\xd1\x82 (1)/";
    ASSERT_EQ(GenerateBlock(GAIN, folder), "");
    ASSERT_TRUE(CreateDirectoryPath(scratchFolder));
    request.source = folder;
    request.strictness = 1;
    environment.scratchFolder = scratchFolder;
    const TrialResult result = Try();
    EXPECT_EQ(result.outcome, TrialOutcome::Passed) << Summary(result);
    EXPECT_FALSE(result.trace.outputs.empty()) << "the trace was not read back";
}

// The plot of a block that multiplies by 2.5 shows exactly that, taken from
// the data the plot is drawn from: over time and in every spectral bin.
TEST_F(WholeTry, ThePlotOfAGainBlockShowsTheOutputAsGainTimesTheInput) {
    REQUIRE_TRY_TOOLS();
    Plant(block + "Gain.c", DOUBLE_LOOP, "$1*(PtrOut0+index) = 2.5 * *(PtrIn0+index);");
    request.plotFile = dir.path() + "gain.svg";
    const TrialResult result = Try();
    ASSERT_EQ(result.outcome, TrialOutcome::Passed) << Summary(result);
    ASSERT_EQ(result.trace.outputs.size(), 1u);
    const OutputPlot plot = PlotOf(result.trace, 0);
    ASSERT_EQ(plot.input.size(), plot.output.size());
    double energy = 0;
    for (size_t i = 0; i < plot.input.size(); ++i) {
        EXPECT_NEAR(plot.output[i], 2.5 * plot.input[i], 1e-12) << "sample " << i;
        energy += plot.input[i] * plot.input[i];
    }
    EXPECT_GT(energy, 0) << "the sweep put nothing through the block";
    ASSERT_EQ(plot.inputSpectrum.size(), plot.outputSpectrum.size());
    for (size_t k = 0; k < plot.inputSpectrum.size(); ++k) {
        EXPECT_NEAR(plot.outputSpectrum[k], 2.5 * plot.inputSpectrum[k], 1e-9) << "bin " << k;
    }
    EXPECT_EQ(ReadFileBytes(request.plotFile), PlotSvg("Gain", result.trace));
}

// A user's broken edit, and the check that must catch it with the entry
// point named.
struct BrokenEdit {
    const char* what;
    const char* file;
    std::string from;
    std::string to;
    const char* check;
    const char* reasonHolds;  // a regular expression
};

void PrintTo(const BrokenEdit& edit, std::ostream* out) {
    *out << edit.what;
}

const BrokenEdit BROKEN[] = {
    {"a NaN from the algorithm", "Gain.c", DOUBLE_LOOP,
     "$1*(PtrOut0+index) = *(PtrIn0+index) * pPtr->_Gain * (0.0 / (pPtr->_Gain - pPtr->_Gain));",
     "numbers", "UserExecProc"},
    {"a write past the output frame", "Gain.c", DOUBLE_LOOP,
     "$1*(PtrOut0+index+1) = *(PtrIn0+index);", "bounds", "UserExecProc"},
    {"an unlock left out", "IFGain.c",
     "// unlock memory\\r?\\n\\s*GlobalUnlock\\(hScratchParam\\);", "// unlock memory\r\n", "locks",
     "UserDefaultSetupProc"},
    {"a malloc never freed", "IFGain.c", "// reset local error condition\\r?\\n", "malloc(24);\r\n",
     "leaks", "UserDefaultSetupProc"},
};

class BrokenEdits : public WholeTry, public ::testing::WithParamInterface<BrokenEdit> {};

TEST_P(BrokenEdits, FailTheirCheckNamingTheEntryPoint) {
    REQUIRE_TRY_TOOLS();
    const BrokenEdit& edit = GetParam();
    Plant(block + edit.file, edit.from, edit.to);
    const TrialResult result = Try();
    EXPECT_EQ(result.outcome, TrialOutcome::Failed) << Summary(result);
    EXPECT_EQ(TrialExitStatus(result.outcome), 1);
    const TrialCheck* failed = Failed(result, edit.check);
    ASSERT_NE(failed, nullptr) << edit.what << ":\n" << Summary(result);
    EXPECT_TRUE(std::regex_search(failed->reason, std::regex(edit.reasonHolds))) << failed->reason;
}

INSTANTIATE_TEST_SUITE_P(Gain, BrokenEdits, ::testing::ValuesIn(BROKEN),
                         [](const auto& test) { return std::string(test.param.check); });

// Blocks of other shapes pass as generated: a source, complex channels,
// local arrays, Q data, a matrix, a bitmap and a real-time block (the last
// three run their life without a signal, and leave no trace).
class OtherShapes : public WholeTry, public ::testing::WithParamInterface<const char*> {};

TEST_P(OtherShapes, PassAsGenerated) {
    REQUIRE_TRY_TOOLS();
    const MatrixBlock* shape = nullptr;
    for (const MatrixBlock& candidate : MATRIX) {
        if (std::string(candidate.name) == GetParam()) {
            shape = &candidate;
        }
    }
    ASSERT_NE(shape, nullptr);
    const std::string folder = dir.path() + GetParam() + "/";
    ASSERT_EQ(GenerateBlock(Build(*shape), folder), "");
    request.source = folder;
    request.strictness = 2;
    const TrialResult result = Try();
    EXPECT_EQ(result.outcome, TrialOutcome::Passed) << shape->what << ":\n" << Summary(result);
    const BLOCKINFO definition = Build(*shape);
    const bool signalled = !definition.Matrix && !definition.Bitmap && !definition.RealTime;
    EXPECT_EQ(result.trace.outputs.size(),
              signalled ? static_cast<size_t>(definition.NumOutputs) : 0u)
        << shape->what;
}

INSTANTIATE_TEST_SUITE_P(Matrix, OtherShapes,
                         ::testing::Values("Ramp", "Twin", "Arrays", "QGain", "Mtx", "Bmp",
                                           "NFSnk"),
                         [](const auto& test) { return std::string(test.param); });

// The command prints a line per check and the summary, and exits with 0.
TEST_F(WholeTry, TheCommandPassesTheGeneratedExample) {
    REQUIRE_TRY_TOOLS();
    // The Windows program's own folder, the stand-in copied beside it.
    std::string program = TRIAL_PROGRAM_DIR;
    if (!RUNNING_ON_WINDOWS) {
        // A program folder with the stand-in, and a Wine folder of the
        // program's own that is the one set up for these tests.
        program = dir.path() + "program/";
        fs::create_directories(program);
        fs::create_directory_symlink(fs::path(STANDIN).parent_path(), program + "standin");
        SetEnvironmentVariable("XDG_CACHE_HOME", (dir.path() + "cache").c_str());
        fs::create_directories(dir.path() + "cache/blockwright");
        fs::create_directory_symlink(TRIAL_WINEPREFIX, dir.path() + "cache/blockwright/wine");
    }
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    Console console{in, out, err, false};
    const int status =
        RunTryCommandWith({block, "--strictness", "1", "--junit", dir.path() + "report.xml"},
                          program, console, launcher, TOOL_SEARCH_PATH);
    if (!RUNNING_ON_WINDOWS) {
        SetEnvironmentVariable("XDG_CACHE_HOME", nullptr);
    }
    EXPECT_EQ(status, 0) << out.str() << err.str();
    EXPECT_TRUE(
        std::regex_search(out.str(), std::regex("^PASS crash: no exception in any entry point\n")))
        << out.str();
    EXPECT_TRUE(
        std::regex_search(out.str(), std::regex("\nGain: [0-9]+ passed, 0 failed, 0 not run\n$")))
        << out.str();
    EXPECT_NE(ReadFileBytes(dir.path() + "report.xml").find("failures=\"0\""), std::string::npos);
}

}  // namespace
}  // namespace bw
