#pragma once

// What the stand-in's runner said, turned into the checks a try reports,
// and the trace it left behind, read back.

#include <string>
#include <vector>

#include "trial/trial.h"

namespace bw {

// Every check the runner knows, in the order a report lists them, with
// what each checks in words.
struct CheckKind {
    const char* id;
    const char* title;
};
const std::vector<CheckKind>& CheckKinds();

// The runner's exit codes.
inline constexpr int RUNNER_PASSED = 0;
inline constexpr int RUNNER_FAILED = 1;
inline constexpr int RUNNER_REFUSED = 2;
inline constexpr int RUNNER_CRASHED = 3;

// The checks the runner's output reports. A crash fails `crash` with the
// runner's line and leaves every other check not run. problem is set when
// the output cannot be taken as a complete report (no summary, a summary
// that contradicts the exit code, a refused case): a try must then not pass
// whatever the checks say.
std::vector<TrialCheck> ChecksFromRunnerOutput(const std::string& output, int exitCode,
                                               std::string& problem);

// The trace the runner dumped into folder (trace.ini, in<i>.f64,
// out<j>.f64); false with why in problem when it is missing or cut short.
bool ReadTrace(const std::string& folder, TrialTrace& trace, std::string& problem);

// Little-endian float64 samples, as the runner writes them and reads a
// signal file; trailing bytes of a partial sample are dropped.
std::vector<double> DecodeFloat64(const std::string& bytes);
std::string EncodeFloat64(const std::vector<double>& samples);

}  // namespace bw
