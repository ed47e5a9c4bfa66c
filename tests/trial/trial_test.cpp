// A try with a scripted launcher: what it refuses before starting anything,
// what it starts and where, and how the runner's answer and the trace
// become the result and the report files. The block folder is compared
// byte for byte before and after every try.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/try_command.h"
#include "files/this_system.h"
#include "launch/launch_fakes.h"
#include "support/generate.h"
#include "trial/report_files.h"
#include "trial/runner_report.h"
#include "trial/trial.h"
#include "trial/trial_support.h"
#include "trial/trial_tools.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const std::string GAIN = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/examples/Gain.tbt";
const std::string SDK = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/src/standin/sdk/";

void MakeProgram(const std::string& path) {
    WriteFileBytes(path, "#!/bin/sh\nexit 1\n");
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
}

const std::string PASSING_RUNNER =
    "CHECK crash PASS\r\nCHECK locks PASS\r\nCHECK leaks PASS\r\nCHECK numbers PASS\r\n";

// A generated Gain block, tools that are files the scripted launcher never
// runs, a stand-in with the real SDK headers, a Wine folder already set up,
// and the scratch folder of the try.
class TryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GenerateBlock(GAIN, block), "");
        const std::vector<std::string> programs =
            RUNNING_ON_WINDOWS ? std::vector<std::string>{"gcc.exe", "windres.exe"}
                               : std::vector<std::string>{"x86_64-w64-mingw32-gcc",
                                                          "x86_64-w64-mingw32-windres", "wine64",
                                                          "wineserver"};
        for (const std::string& tool : programs) {
            MakeProgram(tools + tool);
        }
        for (const char* part : {"x86_64/blockrun.exe", "x86_64/bdhost.dll", "x86_64/libbdhost.a"}) {
            WriteFileBytes(standin + part, "MZ");
        }
        WriteFileBytes(standin + "sdk/bddk.h", ReadFileBytes(SDK + "bddk.h"));
        WriteFileBytes(standin + "sdk/bddrv.h", ReadFileBytes(SDK + "bddrv.h"));
        WriteFileBytes(prefix + "/.set-up", "");
        fs::create_directories(scratch);
        environment.launcher = &launcher;
        environment.standinFolder = standin;
        environment.scratchFolder = scratch;
        environment.winePrefix = prefix;
        environment.toolSearchPath = tools;
        environment.progress = [this](const std::string& step, int, int) {
            steps.push_back(step);
            return step != cancelAt;
        };
        request.source = block;
        before = FolderBytes(block);
    }

    void TearDown() override { EXPECT_EQ(FolderBytes(block), before) << "the try wrote into the block folder"; }

    // The three build steps succeed, then the runner says output.
    void ScriptBuildAndRunner(const std::string& output, int exitCode) {
        launcher.programs = {{}, {}, {}, {0, exitCode, false, output, ""}};
    }

    // A trace as the runner leaves it, of a block that doubles its input.
    void PlantTrace() {
        const std::string dump = scratch + "block/x86_64/trace/";
        WriteFileBytes(dump + "trace.ini",
                       "[Trace]\r\nSampleRate=8000\r\nFrameSize=4\r\nFrames=2\r\nInputs=1\r\n"
                       "Outputs=1\r\nPrecision=2\r\n");
        WriteFileBytes(dump + "in0.f64", EncodeFloat64({0, 0.5, 1, -0.25, 0, 0, 0, 0}));
        WriteFileBytes(dump + "out0.f64", EncodeFloat64({0, 1, 2, -0.5, 0, 0, 0, 0}));
    }

    TempDir dir;
    const std::string block = dir.path() + "Gain/";
    const std::string tools = dir.path() + "tools/";
    const std::string standin = dir.path() + "standin/";
    const std::string prefix = dir.path() + "wine";
    const std::string scratch = dir.path() + "scratch/";
    FakeLauncher launcher;
    TrialEnvironment environment;
    TrialRequest request;
    std::vector<std::string> steps;
    std::string cancelAt;
    std::map<std::string, std::string> before;
};

TEST_F(TryTest, WithoutACompilerSaysWhatToInstallAndExitsWithTwo) {
    const std::string empty = dir.path() + "nothing/";
    fs::create_directories(empty);
    environment.toolSearchPath = empty;
    const TrialResult result = TryBlock(request, environment);
    EXPECT_EQ(result.outcome, TrialOutcome::ToolsMissing);
    EXPECT_NE(result.message.find(empty), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("install"), std::string::npos) << result.message;
    EXPECT_TRUE(result.checks.empty());
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(TrialExitStatus(result.outcome), 2);

    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    Console console{in, out, err, false};
    EXPECT_EQ(RunTryCommandWith({block}, dir.path(), console, launcher, empty), 2);
    EXPECT_NE(err.str().find("install"), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");
}

TEST_F(TryTest, RefusesWhatItCannotTryBeforeStartingAnything) {
    WriteFileBytes(dir.path() + "empty/readme.txt", "no block here");
    std::string broken = ReadFileBytes(GAIN);
    broken.replace(broken.find("ParameterDefault0=1.0"), 21, "ParameterDefault0=1,5");
    WriteFileBytes(dir.path() + "broken/Gain.tbt", broken);
    WriteFileBytes(dir.path() + "ungenerated/Gain.tbt", ReadFileBytes(GAIN));
    WriteFileBytes(dir.path() + "two/a.tbt", ReadFileBytes(GAIN));
    WriteFileBytes(dir.path() + "two/B.TBT", ReadFileBytes(GAIN));
    struct Case {
        std::string source;
        int strictness;
        std::string signal;
        std::string plot;
        const char* messageHolds;
    };
    const Case cases[] = {
        {dir.path() + "empty", 3, "sweep", "", "holds no block template"},
        {dir.path() + "two", 3, "sweep", "", "several templates ("},
        {dir.path() + "broken", 3, "sweep", "", "ParameterDefault0"},
        {dir.path() + "missing.tbt", 3, "sweep", "", "cannot be read"},
        {dir.path() + "ungenerated/Gain.tbt", 3, "sweep", "", "generate it first"},
        {block, 0, "sweep", "", "strictness is 1 to 5"},
        {block, 3, "sine:0", "", "no frequency above 0 Hz"},
        {block, 3, "chirp", "", "neither a signal's name nor a file"},
        {block, 3, dir.path() + "empty/readme.txt", "", "not a WAV file"},
        {block, 3, "sweep", dir.path() + "plot.png", "SVG only"},
    };
    for (const Case& c : cases) {
        request.source = c.source;
        request.strictness = c.strictness;
        request.signal = c.signal;
        request.plotFile = c.plot;
        const TrialResult result = TryBlock(request, environment);
        EXPECT_EQ(result.outcome, TrialOutcome::BadRequest) << c.source;
        EXPECT_NE(result.message.find(c.messageHolds), std::string::npos)
            << c.source << ": " << result.message;
    }
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(TryTest, ACompilerErrorFailsTheBuildWithTheCompilersMessage) {
    launcher.programs = {{0, 1, false, "", "../Gain.c:123:5: error: expected ';' before '}'\n"}};
    const TrialResult result = TryBlock(request, environment);
    EXPECT_EQ(result.outcome, TrialOutcome::Failed);
    EXPECT_EQ(TrialExitStatus(result.outcome), 1);
    EXPECT_NE(result.message.find("expected ';'"), std::string::npos) << result.message;
    ASSERT_FALSE(result.checks.empty());
    EXPECT_EQ(result.checks[0].id, "build");
    EXPECT_EQ(result.checks[0].outcome, CheckOutcome::Failed);
    EXPECT_EQ(result.checks[0].reason, "../Gain.c:123:5: error: expected ';' before '}'");
    EXPECT_EQ(result.checks.back().outcome, CheckOutcome::NotRun);
    EXPECT_EQ(launcher.started.size(), 1u);
}

TEST_F(TryTest, BuildsInTheScratchFolderAndRunsTheRunnerThere) {
    TrialTools found;
    ASSERT_EQ(FindTrialTools(tools, found), "");
    ScriptBuildAndRunner(PASSING_RUNNER, 0);
    PlantTrace();
    request.strictness = 2;
    request.signal = "sine:440";
    const TrialResult result = TryBlock(request, environment);
    EXPECT_EQ(result.outcome, TrialOutcome::Passed) << result.message;
    EXPECT_EQ(result.blockName, "Gain");
    ASSERT_EQ(launcher.started.size(), 4u);
    const std::string build = scratch + "block/x86_64/";
    for (const ProcessStart& start : launcher.started) {
        EXPECT_EQ(start.currentDirectory, build) << start.commandLine;
    }
    const std::vector<std::string> compile = SplitCommandLine(launcher.started[0].commandLine);
    EXPECT_EQ(compile[0], found.compiler);
    EXPECT_EQ(compile[1], "-c");
    EXPECT_NE(std::find(compile.begin(), compile.end(), "../IFGain.c"), compile.end());
    EXPECT_NE(std::find(compile.begin(), compile.end(), "-I" + standin + "sdk"), compile.end());
    EXPECT_EQ(SplitCommandLine(launcher.started[1].commandLine)[0], found.resourceCompiler);
    const std::string& link = launcher.started[2].commandLine;
    EXPECT_NE(link.find("-shared -o \"Gain.dll\""), std::string::npos) << link;
    EXPECT_NE(link.find("-L\"" + standin + "x86_64\" -lbdhost"), std::string::npos) << link;
    EXPECT_NE(link.find("-Wl,--image-base=0x20000000"), std::string::npos) << link;
    const ProcessStart& runner = launcher.started[3];
    const std::vector<std::string> run = SplitCommandLine(runner.commandLine);
    if (!RUNNING_ON_WINDOWS) {
        EXPECT_EQ(run, (std::vector<std::string>{found.wineLoader, standin + "x86_64/blockrun.exe",
                                                 "case.ini"}));
        ASSERT_TRUE(runner.environmentBlock);
        EXPECT_NE(runner.environmentBlock->find(std::string("WINEPREFIX=") + prefix + '\0'),
                  std::string::npos);
    }
    // The case file: the block's shape, its dialog and how hard to drive it.
    const std::string caseFile = ReadFileBytes(build + "case.ini");
    EXPECT_NE(caseFile.find("[Block]\r\nDll=Gain.dll\r\nDef=../Gain.def\r\n"), std::string::npos);
    EXPECT_NE(caseFile.find("[Dialog]\r\n"), std::string::npos);
    EXPECT_NE(caseFile.find("[Trial]\r\nStrictness=2\r\nSignal=sine:440\r\n"), std::string::npos)
        << caseFile;
    EXPECT_NE(caseFile.find("Dump=trace\r\n"), std::string::npos);
    ASSERT_EQ(result.trace.outputs.size(), 1u);
    EXPECT_EQ(result.trace.outputs[0][2], 2.0);
    // Nothing was set up: the Wine folder was there already.
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "setting up Wine (once)"), 0);
}

TEST_F(TryTest, WritesTheReportFilesFromTheChecksAndTheTrace) {
    ScriptBuildAndRunner(PASSING_RUNNER, 0);
    PlantTrace();
    request.junitFile = dir.path() + "report.xml";
    request.plotFile = dir.path() + "plot.SVG";
    request.wavFolder = dir.path() + "sound";
    const TrialResult result = TryBlock(request, environment);
    ASSERT_EQ(result.outcome, TrialOutcome::Passed) << result.message;
    EXPECT_EQ(ReadFileBytes(request.junitFile), JUnitReport("Gain", result.checks));
    EXPECT_EQ(ReadFileBytes(request.plotFile), PlotSvg("Gain", result.trace));
    std::vector<double> samples;
    double rate = 0;
    std::string problem;
    ASSERT_TRUE(ReadWav(ReadFileBytes(dir.path() + "sound/out0.wav"), samples, rate, problem))
        << problem;
    EXPECT_EQ(rate, 8000);
    EXPECT_EQ(samples, result.trace.outputs[0]);
}

TEST_F(TryTest, ARunnerThatCrashedFailsTheTryAndStillWritesTheJUnitReport) {
    ScriptBuildAndRunner("FAIL UserExecProc(precision double): crashed with exception 0xc0000005 at 0x1\n",
                         RUNNER_CRASHED);
    request.junitFile = dir.path() + "report.xml";
    request.plotFile = dir.path() + "plot.svg";
    const TrialResult result = TryBlock(request, environment);
    EXPECT_EQ(result.outcome, TrialOutcome::Failed);
    ASSERT_FALSE(result.checks.empty());
    EXPECT_EQ(result.checks[0].outcome, CheckOutcome::Failed);
    EXPECT_NE(result.checks[0].reason.find("UserExecProc"), std::string::npos);
    EXPECT_NE(ReadFileBytes(request.junitFile).find("<failure message=\"UserExecProc"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(request.plotFile));
    EXPECT_NE(result.message.find("no plot"), std::string::npos) << result.message;
}

TEST_F(TryTest, AllChecksPassingWithoutATraceIsNoPass) {
    ScriptBuildAndRunner(PASSING_RUNNER, 0);
    const TrialResult result = TryBlock(request, environment);
    EXPECT_EQ(result.outcome, TrialOutcome::Failed);
    EXPECT_NE(result.message.find("trace"), std::string::npos) << result.message;
}

TEST_F(TryTest, CancellingStopsAtTheStepAndExitsWithThree) {
    cancelAt = "building the block";
    const TrialResult result = TryBlock(request, environment);
    EXPECT_EQ(result.outcome, TrialOutcome::Cancelled);
    EXPECT_EQ(TrialExitStatus(result.outcome), 3);
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(TryTest, TheCommandPrintsALinePerCheckAndASummary) {
    ScriptBuildAndRunner(
        "FAIL UserExitProc: the block's allocations are not all freed\n"
        "CHECK crash PASS\nCHECK leaks FAIL 1 failures; first: UserExitProc: the block's "
        "allocations are not all freed\n",
        1);
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    Console console{in, out, err, false};
    // The stand-in is the one beside the program.
    fs::create_directories(dir.path() + "program");
    EXPECT_EQ(RunTryCommandWith({block, "--strictness", "1"}, dir.path() + "program/", console,
                                launcher, tools),
              2);
    EXPECT_NE(err.str().find("stand-in host is incomplete"), std::string::npos) << err.str();
    EXPECT_TRUE(launcher.started.empty());
    fs::rename(standin, dir.path() + "program/standin");
    out.str("");
    err.str("");
    // The program's own Wine folder is not this test's: make it look set up
    // by pointing the cache elsewhere.
    SetEnvironmentVariable("XDG_CACHE_HOME", (dir.path() + "cache").c_str());
    WriteFileBytes(dir.path() + "cache/blockwright/wine/.set-up", "");
    EXPECT_EQ(RunTryCommandWith({block, "--strictness=1"}, dir.path() + "program/", console,
                                launcher, tools),
              1);
    SetEnvironmentVariable("XDG_CACHE_HOME", nullptr);
    EXPECT_EQ(out.str(),
              "PASS crash: no exception in any entry point\n"
              "FAIL leaks: 1 failures; first: UserExitProc: the block's allocations are not all "
              "freed\n"
              "Gain: 1 passed, 1 failed, 0 not run - the block FAILED its try\n");
    EXPECT_NE(err.str().find("blockwright try: running the block..."), std::string::npos)
        << err.str();
}

TEST(TryArguments, TakesTheOptionsAndRefusesWhatItDoesNotKnow) {
    TrialRequest request;
    bool help = false;
    std::string error;
    ASSERT_TRUE(ParseTryArguments({"blk", "--strictness", "5", "--signal=noise", "--junit", "j.xml",
                                   "--plot", "p.svg", "--wav", "w"},
                                  request, help, error))
        << error;
    EXPECT_EQ(request.source, "blk");
    EXPECT_EQ(request.strictness, 5);
    EXPECT_EQ(request.signal, "noise");
    EXPECT_EQ(request.junitFile, "j.xml");
    EXPECT_EQ(request.plotFile, "p.svg");
    EXPECT_EQ(request.wavFolder, "w");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"blk", "--strictness", "6"}, "--strictness takes 1, 2, 3, 4 or 5, not \"6\""},
        {{"blk", "--junit"}, "--junit needs a value"},
        {{"blk", "--plot="}, "--plot needs a value"},
        {{"blk", "--fast"}, "unknown option --fast"},
        {{"a", "b"}, "only one block can be tried at a time"},
        {{}, "no block folder or template given"},
    };
    for (const auto& [arguments, message] : refused) {
        TrialRequest other;
        EXPECT_FALSE(ParseTryArguments(arguments, other, help, error));
        EXPECT_EQ(error, message);
    }
}

}  // namespace
}  // namespace bw
