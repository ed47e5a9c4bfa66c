#pragma once

// Trying a block without its host: the block as it stands on disk, the
// user's edits included, is built in a scratch folder against the stand-in
// host's SDK and driven through its life by the stand-in's runner, and what
// it did is told check by check. The block folder is only read.

#include <functional>
#include <string>
#include <vector>

#include "launch/launcher.h"

namespace bw {

// What a try is asked to do.
struct TrialRequest {
    // A block folder (holding the block's template, <name>.TBT, beside its
    // sources) or a template file whose block folder has been generated.
    std::string source;
    // 1 (a quick look) to 5 (everything, longest); see `blockwright help try`.
    int strictness = 3;
    // impulse, step, sweep, noise, sine:<Hz> or the path of a WAV file.
    std::string signal = "sweep";
    // Where to write the report for build servers, the plot (.svg or .png)
    // and the outputs as WAV files; empty: not written.
    std::string junitFile;
    std::string plotFile;
    std::string wavFolder;
};

enum class CheckOutcome { Passed, Failed, NotRun };

// One check, as the report lists it.
struct TrialCheck {
    std::string id;     // crash, locks, leaks, bounds, numbers, shape, ...
    std::string title;  // what was checked, in words
    CheckOutcome outcome = CheckOutcome::NotRun;
    std::string reason;  // why it failed (the entry point named) or was not run
};

// The signal through the block and what came out, at one sample rate, real
// parts, frames one after another: what the plot is drawn from.
struct TrialTrace {
    double sampleRate = 0;
    std::vector<std::vector<double>> inputs;
    std::vector<std::vector<double>> outputs;
};

enum class TrialOutcome {
    Passed,        // every check ran and passed
    Failed,        // a check failed, or the block did not build
    ToolsMissing,  // a compiler, Wine or the stand-in is missing: message says what to install
    BadRequest,    // no block there, an unreadable template, an unknown signal
    Cancelled,
};

struct TrialResult {
    TrialOutcome outcome = TrialOutcome::Failed;
    // The block's name, once its template was read; empty before.
    std::string blockName;
    // For ToolsMissing and BadRequest, what to do; for a block that did not
    // build, the compiler's messages.
    std::string message;
    std::vector<TrialCheck> checks;
    TrialTrace trace;
};

// Where the try runs and how it reports while it does.
struct TrialEnvironment {
    Launcher* launcher = nullptr;  // compiler, resource compiler, Wine, runner
    std::string standinFolder;     // the installed stand-in: sdk/, x86_64/, i686/
    std::string scratchFolder;     // a fresh folder of the try's own, removed by the caller
    // Off Windows, the Wine prefix the block runs in: a folder of the
    // program's own, set up on the first try.
    std::string winePrefix;
    // Where the compiler and Wine are looked for, a PATH-like list; empty:
    // the program's own PATH.
    std::string toolSearchPath;
    // A template lying in installedFolder (the program's own examples) has
    // its block where a generation puts it: in newBlocksFolder.
    std::string installedFolder;
    std::string newBlocksFolder;
    // Called between steps with what is being done; returning false cancels.
    std::function<bool(const std::string& step, int done, int total)> progress;
};

// Builds and runs the block; never writes into its folder.
TrialResult TryBlock(const TrialRequest& request, const TrialEnvironment& environment);

// The exit status of `blockwright try`: 0 all passed, 1 a check failed or
// the block did not build, 2 tools missing or a bad request, 3 cancelled.
int TrialExitStatus(TrialOutcome outcome);

}  // namespace bw
