// The runner's output turned into checks: a complete summary, a crash, and
// the outputs that must never read as a pass (no summary, a summary that
// contradicts the exit code, a refused case); and the trace read back.
#include <gtest/gtest.h>

#include "support/generate.h"
#include "trial/runner_report.h"

namespace bw {
namespace {

TEST(RunnerReport, TakesEachCheckOfTheSummaryInTheReportsOrder) {
    const std::string output =
        "NOTE something worth knowing\r\n"
        "FAIL UserExecProc(precision double): output 0 holds NaN\r\n"
        "COUNT 0 nan=3 inf=0 denormal=1\r\n"
        "COUNT 1 nan=0 inf=0 denormal=0\r\n"
        "TIME 48000/16 perframe_us=2.5 budget_us=333.3\r\n"
        "CHECK numbers FAIL 3 failures; first: UserExecProc(precision double): output 0 holds "
        "NaN\r\n"
        "CHECK leaks PASS\r\n"
        "CHECK crash PASS\r\n";
    std::string problem;
    const std::vector<TrialCheck> checks = ChecksFromRunnerOutput(output, 1, problem);
    EXPECT_EQ(problem, "");
    ASSERT_EQ(checks.size(), 3u);
    EXPECT_EQ(checks[0].id, "crash");
    EXPECT_EQ(checks[1].id, "leaks");
    EXPECT_EQ(checks[2].id, "numbers");
    EXPECT_EQ(checks[0].outcome, CheckOutcome::Passed);
    EXPECT_EQ(checks[0].title, "no exception in any entry point");
    EXPECT_EQ(checks[2].outcome, CheckOutcome::Failed);
    // The entry point from the summary, and only the outputs that held something.
    EXPECT_EQ(checks[2].reason,
              "3 failures; first: UserExecProc(precision double): output 0 holds NaN; output 0: "
              "nan=3 inf=0 denormal=1");
}

TEST(RunnerReport, AFailureWhoseReportFollowsIsNamedByItsFirstLine) {
    const std::string output =
        "FAIL the end of the worksheet: the block's allocations are not all freed:\r\n"
        "    malloc block 0x2000a0 of 24 bytes from UserDefaultSetupProc\r\n"
        "    malloc block 0x2000c0 of 24 bytes from UserExecProc\r\n"
        "CHECK leaks FAIL 1 failures; first: the end of the worksheet: the block's allocations "
        "are not all freed:\r\n";
    std::string problem;
    const std::vector<TrialCheck> checks = ChecksFromRunnerOutput(output, 1, problem);
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_EQ(checks[0].reason,
              "1 failures; first: the end of the worksheet: the block's allocations are not all "
              "freed: malloc block 0x2000a0 of 24 bytes from UserDefaultSetupProc");
}

TEST(RunnerReport, ACrashFailsCrashNamingTheEntryPointAndRunsNothingElse) {
    const std::string output =
        "FAIL UserInitializeProc: crashed with exception 0xc0000005 at 0000000020001234\n";
    std::string problem;
    const std::vector<TrialCheck> checks = ChecksFromRunnerOutput(output, RUNNER_CRASHED, problem);
    ASSERT_EQ(checks.size(), CheckKinds().size());
    EXPECT_EQ(checks[0].id, "crash");
    EXPECT_EQ(checks[0].outcome, CheckOutcome::Failed);
    EXPECT_EQ(checks[0].reason,
              "UserInitializeProc: crashed with exception 0xc0000005 at 0000000020001234");
    for (size_t i = 1; i < checks.size(); ++i) {
        EXPECT_EQ(checks[i].outcome, CheckOutcome::NotRun) << checks[i].id;
    }
}

TEST(RunnerReport, OutputsThatAreNoCompleteReportAreAProblem) {
    struct Case {
        const char* what;
        std::string output;
        int exitCode;
        const char* problemHolds;
    };
    const Case cases[] = {
        {"no summary after a clean exit", "NOTE ran\n", 0, "without its summary of checks"},
        {"no summary, failures quoted", "FAIL UserExecProc: wrote past the end\n", 1,
         "UserExecProc: wrote past the end"},
        {"exit 0 but a check failed", "CHECK leaks FAIL 1 failures; first: X: y\n", 0,
         "disagrees with its summary"},
        {"exit 1 but every check passed", "FAIL X: y\nCHECK leaks PASS\n", 1,
         "disagrees with its summary"},
        {"a case the runner refused", "blockrun: case.ini: no [Block] section\n", 2,
         "refused the case file"},
        {"Wine's own failure", "CHECK crash PASS\n", 53, "exit code 53"},
    };
    for (const Case& c : cases) {
        std::string problem;
        const std::vector<TrialCheck> checks = ChecksFromRunnerOutput(c.output, c.exitCode, problem);
        EXPECT_NE(problem.find(c.problemHolds), std::string::npos) << c.what << ": " << problem;
        EXPECT_FALSE(checks.empty()) << c.what;
    }
}

TEST(RunnerReport, ReadsTheTraceTheRunnerDumped) {
    TempDir dir;
    const std::vector<double> in = {0.0, 0.5, -1.0, 1e-300, 3.25};
    const std::vector<double> out = {0.0, 1.0, -2.0, 2e-300, 6.5};
    WriteFileBytes(dir.path() + "trace.ini",
                   "[Trace]\r\nSampleRate=8000\r\nFrameSize=16\r\nFrames=2\r\nInputs=1\r\n"
                   "Outputs=1\r\nPrecision=2\r\n");
    WriteFileBytes(dir.path() + "in0.f64", EncodeFloat64(in));
    // A partial sample at the end, as a cut file would leave, is dropped.
    WriteFileBytes(dir.path() + "out0.f64", EncodeFloat64(out) + "abc");
    TrialTrace trace;
    std::string problem;
    ASSERT_TRUE(ReadTrace(dir.path(), trace, problem)) << problem;
    EXPECT_EQ(trace.sampleRate, 8000);
    ASSERT_EQ(trace.inputs.size(), 1u);
    EXPECT_EQ(trace.inputs[0], in);
    ASSERT_EQ(trace.outputs.size(), 1u);
    EXPECT_EQ(trace.outputs[0], out);
}

TEST(RunnerReport, ATraceWithoutItsOutputOrRateIsRefused) {
    TempDir dir;
    WriteFileBytes(dir.path() + "trace.ini", "[Trace]\r\nSampleRate=8000\r\nOutputs=2\r\n");
    WriteFileBytes(dir.path() + "out0.f64", EncodeFloat64({1.0}));
    TrialTrace trace;
    std::string problem;
    EXPECT_FALSE(ReadTrace(dir.path(), trace, problem));
    EXPECT_NE(problem.find("out1.f64"), std::string::npos) << problem;
    WriteFileBytes(dir.path() + "trace.ini", "[Trace]\r\nOutputs=1\r\n");
    EXPECT_FALSE(ReadTrace(dir.path(), trace, problem));
    EXPECT_NE(problem.find("sample rate"), std::string::npos) << problem;
}

}  // namespace
}  // namespace bw
