#include "cli/try_command.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <random>
#include <system_error>

#include "cli/console_launcher.h"
#include "cli/install_layout.h"
#include "definition/settings_rules.h"
#include "files/this_system.h"
#include "platform/settings_store.h"
#include "trial/trial_tools.h"

namespace bw {

namespace {

namespace fs = std::filesystem;

// Ctrl-C cancels the try between the waits for its tools, so that the
// programs it started are stopped (they run in a process group of their
// own, out of the terminal's reach) and its scratch folder removed.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void Interrupt(int) {
    interrupted = 1;
}

class InterruptCancels {
public:
    InterruptCancels() : previous_(std::signal(SIGINT, Interrupt)) { interrupted = 0; }
    ~InterruptCancels() { std::signal(SIGINT, previous_); }
    InterruptCancels(const InterruptCancels&) = delete;
    InterruptCancels& operator=(const InterruptCancels&) = delete;

private:
    void (*previous_)(int);
};

// A folder of one try's own under the system's temporary folder, removed
// with everything in it when the try ends.
class ScratchFolder {
public:
    explicit ScratchFolder(std::string& error) {
        std::error_code failure;
        const fs::path temporary = fs::temp_directory_path(failure);
        std::random_device random;
        for (int attempt = 0; !failure && attempt < 100; ++attempt) {
            const fs::path candidate =
                temporary / ("blockwright-try-" + std::to_string(random() % 1'000'000'000));
            if (fs::create_directory(candidate, failure)) {
                path_ = candidate;
                return;
            }
        }
        error = "cannot make a scratch folder in the temporary folder: " +
                (failure ? failure.message() : std::string("every name tried is taken"));
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) {
            fs::remove_all(path_, ignored);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Path() const { return path_.empty() ? "" : (path_ / "").string(); }

private:
    fs::path path_;
};

const char* Verdict(CheckOutcome outcome) {
    switch (outcome) {
        case CheckOutcome::Passed:
            return "PASS";
        case CheckOutcome::Failed:
            return "FAIL";
        case CheckOutcome::NotRun:
            return "SKIP";
    }
    return "";
}

std::optional<int> Strictness(const std::string& text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '5') {
        return std::nullopt;
    }
    return text[0] - '0';
}

}  // namespace

bool ParseTryArguments(const std::vector<std::string>& arguments, TrialRequest& request, bool& help,
                       std::string& error) {
    help = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> inlineValue;
        if (const size_t equals = name.find('=');
            name.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const auto value = [&]() -> std::optional<std::string> {
            if (inlineValue) {
                return inlineValue;
            }
            if (i + 1 < arguments.size()) {
                return arguments[++i];
            }
            error = name + " needs a value";
            return std::nullopt;
        };
        std::string* target = name == "--signal"  ? &request.signal
                              : name == "--junit" ? &request.junitFile
                              : name == "--plot"  ? &request.plotFile
                              : name == "--wav"   ? &request.wavFolder
                                                  : nullptr;
        if (name == "--help" || name == "-h") {
            help = true;
        } else if (name == "--strictness") {
            const auto text = value();
            if (!text) {
                return false;
            }
            const auto level = Strictness(*text);
            if (!level) {
                error = "--strictness takes 1, 2, 3, 4 or 5, not \"" + *text + "\"";
                return false;
            }
            request.strictness = *level;
        } else if (target != nullptr) {
            const auto text = value();
            if (!text) {
                return false;
            }
            if (text->empty()) {
                error = name + " needs a value";
                return false;
            }
            *target = *text;
        } else if (name.size() > 1 && name[0] == '-') {
            error = "unknown option " + name;
            return false;
        } else if (request.source.empty()) {
            request.source = arguments[i];
        } else {
            error = "only one block can be tried at a time";
            return false;
        }
    }
    if (!help && request.source.empty()) {
        error = "no block folder or template given";
        return false;
    }
    return true;
}

std::string TryHelp() {
    return R"(Usage: blockwright try BLOCKFOLDER|TEMPLATE [options]

Tries a generated block without its host: builds it as it stands on disk,
your edits included, with MinGW-w64 against the stand-in host installed with
Blockwright, in a scratch folder (nothing is written into the block's
folder), and drives it through a worksheet's life in the stand-in's runner
(on Linux under Wine, in a Wine folder of Blockwright's own in
~/.cache/blockwright/wine, about 1 GB, set up on the first try): set-up,
defaults, frames at every precision and channel layout the block has, at
several frame sizes and sampling frequencies, with a test signal through
every input (a source runs without one); parameter changes between frames
across each parameter's range, then the defaults again; save, load into a
fresh instance and compare; the parameter dialog created from the block's
resources, OK with changed values, Cancel; stop, reset and exit.

BLOCKFOLDER is a block's folder holding its template (NAME.TBT); TEMPLATE a
template whose block has been generated where the template's Directory says.

One line is printed per check, PASS, FAIL (with the entry point and what it
did) or SKIP (not run, and why):
  crash       no exception in any entry point
  locks       every lock released, no unlock owed
  leaks       nothing left allocated at the end of the worksheet
  bounds      no write outside a buffer, no foreign or double free
  numbers     no NaN, infinity or denormal in any output (counts per output)
  shape       outputs of the right frame size, type and shape
  parameters  parameters saved, loaded and set as typed
  dialog      every dialog control present, OK and Cancel
  failures    failing allocations and locks handled
  realtime    every frame computed faster than it lasts
  lives       a fresh instance gives the same samples again
Matrix, bitmap and real-time blocks run their life without a signal.
Then a line counting them. A block that does not build fails the check
"build" with the compiler's messages. Progress goes to standard error.

Options:
  --strictness N  how much is run, 1 to 5 (default 3); each level runs
                  what the one below does and more:
                    1  the first precision, frame size 16, 48 kHz, 8 frames,
                       one life, no dialog
                    2  every precision, 16 frames, the dialog
                    3  frame sizes 16 and 1, 48 and 8 kHz, 32 frames,
                       parameters changed every 4th frame, every 4th
                       allocation or lock made to fail
                    4  frame sizes 16, 1, 7 and 1024, 44.1 kHz too,
                       48 frames, changes every 2nd frame, two lives;
                       a frame slower than real time fails
                    5  96 kHz too, 64 frames, changes every frame reaching
                       each type's extremes, every allocation and lock
                       made to fail in turn
  --signal S      what goes through every input: impulse, step, sweep (the
                  default), noise, sine:FREQUENCY (Hz), or a WAV file (PCM
                  or float, its channels mixed; repeated as needed)
  --junit FILE    write the checks as a JUnit XML report for build servers
  --plot FILE     draw, per output, the input and the output over time and
                  their magnitude spectra, as SVG (FILE ends in .svg)
  --wav DIR       write each output as DIR/outN.wav (32-bit float, at the
                  sampling frequency the trace was taken at)
  --help          print this text

Tools: on Linux x86_64-w64-mingw32-gcc and -windres, Wine's 64-bit loader
and wineserver (apt-get install gcc-mingw-w64-x86-64-posix
binutils-mingw-w64-x86-64 wine64); on Windows gcc.exe and windres.exe of a
MinGW-w64 on PATH or in C:\msys64\mingw64\bin, C:\msys64\ucrt64\bin,
C:\mingw64\bin and the like. A missing tool is named with what installs it.

Exit status: 0 when every check passed, 1 when a check failed or the block
did not build, 2 for usage errors, a block or template that cannot be read
or would not compile, missing tools, and report files that cannot be
written, 3 when the try was cancelled.
)";
}

void PrintTrialResult(const std::string& blockName, const TrialResult& result, std::ostream& out) {
    int counts[3] = {0, 0, 0};
    for (const TrialCheck& check : result.checks) {
        ++counts[static_cast<int>(check.outcome)];
        out << Verdict(check.outcome) << ' ' << check.id << ": "
            << (check.outcome == CheckOutcome::Passed ? check.title : check.reason) << '\n';
    }
    if (result.checks.empty()) {
        return;
    }
    out << blockName << ": " << counts[0] << " passed, " << counts[1] << " failed, " << counts[2]
        << " not run"
        << (result.outcome == TrialOutcome::Passed ? "" : " - the block FAILED its try") << '\n';
}

int RunTryCommandWith(const std::vector<std::string>& arguments, const std::string& programFolder,
                      Console& console, Launcher& launcher, const std::string& toolSearchPath) {
    TrialRequest request;
    bool help = false;
    std::string error;
    if (!ParseTryArguments(arguments, request, help, error)) {
        console.err << "blockwright try: " << error << "\n"
                    << "Try 'blockwright try --help'.\n";
        return EXIT_USAGE;
    }
    if (help) {
        console.out << TryHelp();
        return EXIT_COMPLETED;
    }
    ScratchFolder scratch(error);
    if (scratch.Path().empty()) {
        console.err << "blockwright try: " << error << '\n';
        return EXIT_USAGE;
    }
    TrialEnvironment environment;
    environment.launcher = &launcher;
    environment.standinFolder = StockFolder(programFolder) + "standin/";
    environment.scratchFolder = scratch.Path();
    environment.winePrefix = TrialWinePrefix();
    environment.toolSearchPath = toolSearchPath;
    environment.installedFolder = StockFolder(programFolder);
    environment.newBlocksFolder = DefaultFolders(FindUserFolders(programFolder)).block;
    // Progress is said once per step; waiting within one says nothing more.
    std::string lastStep;
    environment.progress = [&](const std::string& step, int, int) {
        if (step != lastStep) {
            lastStep = step;
            console.err << "blockwright try: " << step << "...\n";
            console.err.flush();
        }
        return interrupted == 0;
    };
    const InterruptCancels interruptCancels;
    const TrialResult result = TryBlock(request, environment);
    PrintTrialResult(result.blockName.empty() ? request.source : result.blockName, result,
                     console.out);
    if (!result.message.empty()) {
        console.err << "blockwright try: " << result.message << '\n';
    }
    return TrialExitStatus(result.outcome);
}

int RunTryCommand(const std::vector<std::string>& arguments, const std::string& programFolder,
                  Console& console) {
    ConsoleLauncher launcher;
    return RunTryCommandWith(arguments, programFolder, console, launcher, "");
}

}  // namespace bw
