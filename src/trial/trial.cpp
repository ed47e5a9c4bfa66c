#include "trial/trial.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>

#include "check/definition_check.h"
#include "definition/edit_rules.h"
#include "definition/profile_file.h"
#include "definition/template_file.h"
#include "files/block_folder.h"
#include "files/path_calls.h"
#include "files/this_system.h"
#include "generation/paths.h"
#include "trial/case_file.h"
#include "trial/process_environment.h"
#include "trial/report_files.h"
#include "trial/runner_report.h"
#include "trial/trial_tools.h"

namespace bw {

namespace {

const int STEPS = 5;
// How long a tool may take before the try gives up on it: the compiler on a
// loaded machine, the runner at the longest strictness level, where most of
// the time goes.
const int COMPILER_LIMIT_MS = 120'000;
const int WINE_SETUP_LIMIT_MS = 600'000;
const int RUNNER_LIMIT_MS_PER_LEVEL = 60'000;

// The 64-bit block keeps the addresses it can see low (see
// src/standin/host.h). The generated text turns pointers into DWORD and
// LONG, as a 32-bit block may; those casts draw warnings from the 64-bit
// compiler only, and there they are silenced.
const char* const WIDE_CASTS = "-Wno-pointer-to-int-cast -Wno-int-to-pointer-cast";
const char* const LOW_ADDRESSES =
    "-Wl,--image-base=0x20000000 -Wl,--disable-dynamicbase -Wl,--disable-high-entropy-va";

// The sources and what the resource script includes.
const char* const COPIED_EXTENSIONS[] = {".c", ".h", ".rc", ".def", ".ico", ".bmp", ".cur"};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool EndsWithIgnoringCase(const std::string& name, const std::string& ending) {
    return name.size() >= ending.size() &&
           Lower(name.substr(name.size() - ending.size())) == ending;
}

std::string Quoted(const std::string& argument) {
    return "\"" + argument + "\"";
}

// Folder paths end in a separator here.
std::string InFolder(const std::string& folder) {
    return folder.empty() || folder.back() == '/' || folder.back() == '\\' ? folder : folder + "/";
}

// Template reading asks nothing and shows nothing: its notes become the
// checker's warnings.
class SilentPrompts : public UserPrompts {
public:
    OverwriteAnswer askOverwrite(const std::string&) override { return OverwriteAnswer::No; }
    bool askYesNo(const std::string&, MessageIcon) override { return false; }
    void showMessage(const std::string&, MessageIcon) override {}
};

// This program's environment with the given variables set, as a launcher
// takes it.
std::string EnvironmentWith(const std::vector<std::pair<std::string, std::string>>& set) {
    std::string block;
    for (const std::string& entry : ProcessEnvironment()) {
        const bool replaced = std::any_of(set.begin(), set.end(), [&](const auto& pair) {
            return entry.rfind(pair.first + "=", 0) == 0;
        });
        if (!replaced) {
            block += entry + '\0';
        }
    }
    for (const auto& [name, value] : set) {
        block += name + "=" + value + '\0';
    }
    return block;
}

bool IsSignalName(const std::string& signal) {
    return signal == "impulse" || signal == "step" || signal == "sweep" || signal == "noise";
}

// A sine's frequency, when signal is "sine:<Hz>" with a positive number.
std::optional<double> SineFrequency(const std::string& signal) {
    if (signal.rfind("sine:", 0) != 0 || signal.size() == 5) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double hertz = std::strtod(signal.c_str() + 5, &end);
    if (*end != '\0' || !std::isfinite(hertz) || hertz <= 0) {
        return std::nullopt;
    }
    return hertz;
}

// The compiler's first error line, else its last line: what a one-line
// reason can say of a build that failed.
std::string FirstError(const std::string& messages) {
    size_t start = 0;
    while (start < messages.size()) {
        size_t end = messages.find('\n', start);
        if (end == std::string::npos) {
            end = messages.size();
        }
        const std::string line = messages.substr(start, end - start);
        if (line.find("error") != std::string::npos) {
            return line;
        }
        start = end + 1;
    }
    return LastLines(messages, 1);
}

enum class Ran { Ended, TimedOut, Cancelled, NotStarted };

struct ProgramRun {
    Ran how = Ran::NotStarted;
    int exitCode = -1;
    std::string output;  // standard output, then standard error
    std::string errorOutput;
};

class Trial {
public:
    Trial(const TrialRequest& request, const TrialEnvironment& environment)
        : request_(request), environment_(environment) {}

    TrialResult Run() {
        // Each step stops the try with its outcome set when it fails.
        (void)(CheckRequest() && Step("reading the block") && ReadBlock() &&
               Step("finding the compiler") && FindTools() && Step("building the block") &&
               CopySources() && Build() && WriteCase() && SetUpWine() &&
               Step("running the block") && RunBlock());
        return Finish();
    }

private:
    bool Step(const std::string& what) {
        step_ = what;
        if (environment_.progress && !environment_.progress(what, done_++, STEPS)) {
            return Stop(TrialOutcome::Cancelled, "cancelled while " + what);
        }
        return true;
    }

    bool Stop(TrialOutcome outcome, const std::string& message) {
        result_.outcome = outcome;
        result_.message = message;
        return false;
    }

    bool CheckRequest() {
        if (environment_.launcher == nullptr) {
            return Stop(TrialOutcome::BadRequest, "no way to start programs was given");
        }
        if (request_.strictness < LOWEST_STRICTNESS || request_.strictness > HIGHEST_STRICTNESS) {
            return Stop(TrialOutcome::BadRequest,
                        "the strictness is 1 to 5, not " + std::to_string(request_.strictness));
        }
        if (!request_.plotFile.empty() && !EndsWithIgnoringCase(request_.plotFile, ".svg")) {
            return Stop(TrialOutcome::BadRequest,
                        "the plot is drawn as SVG only: name a file ending in .svg, not " +
                            request_.plotFile);
        }
        return SignalForRunner();
    }

    // The signal as the runner names it; a WAV file is decoded into the raw
    // samples the runner reads.
    bool SignalForRunner() {
        const std::string& signal = request_.signal;
        if (IsSignalName(signal) || SineFrequency(signal)) {
            runnerSignal_ = signal;
            return true;
        }
        const std::string usage = "give impulse, step, sweep, noise, sine:FREQUENCY or a WAV file";
        if (signal.rfind("sine:", 0) == 0) {
            return Stop(TrialOutcome::BadRequest,
                        "the signal " + signal + " has no frequency above 0 Hz; " + usage);
        }
        std::string bytes;
        if (const FileResult read = ReadRegularFile(NativePath(signal), LARGEST_FILE_READ, bytes);
            !read) {
            return Stop(TrialOutcome::BadRequest, "the signal \"" + signal +
                                                      "\" is neither a signal's name nor a file (" +
                                                      read.Reason() + "); " + usage);
        }
        std::vector<double> samples;
        double rate = 0;
        std::string problem;
        if (!ReadWav(bytes, samples, rate, problem)) {
            return Stop(TrialOutcome::BadRequest, signal + ": " + problem);
        }
        signalSamples_ = EncodeFloat64(samples);
        runnerSignal_ = "file:signal.f64";
        return true;
    }

    // The definition, from the template in the block folder or the one named.
    bool ReadBlock() {
        const std::string source = NativePath(request_.source);
        std::string bytes;
        std::string templatePath;
        // A template is a file read whole; only what is no file is taken
        // for a block folder (Windows opens a file as a folder too).
        const FileResult read = ReadRegularFile(source, LARGEST_FILE_READ, bytes);
        if (read) {
            templatePath = request_.source;
        } else if (BlockFolder::Open(source, false, blockFolder_)) {
            if (!ReadFolderTemplate(bytes, templatePath)) {
                return false;
            }
        } else {
            return Stop(TrialOutcome::BadRequest,
                        request_.source + ": cannot be read: " + read.Reason());
        }
        ProfileFile profile;
        profile.Parse(bytes);
        SilentPrompts prompts;
        if (!ReadTemplate(block_, profile, prompts)) {
            return Stop(TrialOutcome::BadRequest, templatePath + ": not a block template");
        }
        ApplyWizardPageStores(block_);
        result_.blockName = block_.BlockName;
        if (!blockFolder_) {
            const std::string folder =
                TemplateBlockFolder(SplitPath(request_.source).first, block_.Directory,
                                    environment_.installedFolder, environment_.newBlocksFolder);
            if (const FileResult opened =
                    BlockFolder::Open(NativePath(folder), false, blockFolder_);
                !opened) {
                return Stop(TrialOutcome::BadRequest,
                            "the block of " + request_.source + " is not there to try (" +
                                opened.Message() + "); generate it first");
            }
        }
        return CheckDefinitionAllowsTry(templatePath);
    }

    bool ReadFolderTemplate(std::string& bytes, std::string& templatePath) {
        std::vector<std::string> templates;
        for (const std::string& name : blockFolder_->Names("")) {
            if (EndsWithIgnoringCase(name, ".tbt")) {
                templates.push_back(name);
            }
        }
        if (templates.empty()) {
            return Stop(TrialOutcome::BadRequest,
                        DisplayPath(blockFolder_->Path()) +
                            " holds no block template (.TBT): give a generated block's folder "
                            "or its template");
        }
        if (templates.size() > 1) {
            std::string names;
            for (const std::string& name : templates) {
                names += (names.empty() ? "" : ", ") + name;
            }
            return Stop(TrialOutcome::BadRequest, DisplayPath(blockFolder_->Path()) +
                                                      " holds several templates (" + names +
                                                      "): give the one to try");
        }
        templatePath = blockFolder_->PathOf(templates.front());
        if (const FileResult read = blockFolder_->Read(templates.front(), LARGEST_FILE_READ, bytes);
            !read) {
            return Stop(TrialOutcome::BadRequest, read.Message());
        }
        return true;
    }

    // What would not compile is refused, as generating it would be.
    bool CheckDefinitionAllowsTry(const std::string& templatePath) {
        std::string errors;
        for (const Finding& finding : CheckDefinition(block_)) {
            if (finding.severity == Severity::Error) {
                errors += "\n  " + finding.key + ": " + finding.message;
            }
        }
        if (!errors.empty()) {
            return Stop(TrialOutcome::BadRequest,
                        DisplayPath(templatePath) + ": the block would not compile:" + errors);
        }
        return true;
    }

    bool FindTools() {
        const char* path = std::getenv("PATH");
        const std::string searchPath = !environment_.toolSearchPath.empty()
                                           ? environment_.toolSearchPath
                                           : std::string(path != nullptr ? path : "");
        if (const std::string missing = FindTrialTools(searchPath, tools_); !missing.empty()) {
            return Stop(TrialOutcome::ToolsMissing, missing);
        }
        standin_ = InFolder(environment_.standinFolder);
        for (const char* part : {"x86_64/blockrun.exe", "x86_64/bdhost.dll", "x86_64/libbdhost.a",
                                 "sdk/bddk.h", "sdk/bddrv.h"}) {
            std::string bytes;
            if (const FileResult read = ReadRegularFile(standin_ + part, LARGEST_FILE_READ, bytes);
                !read) {
                return Stop(TrialOutcome::ToolsMissing,
                            "the stand-in host is incomplete: " + DisplayPath(standin_ + part) +
                                ": " + read.Reason() + "; reinstall Blockwright");
            }
        }
        return true;
    }

    // The block's files, as they stand, into the scratch folder: the build
    // writes nothing beside them.
    bool CopySources() {
        const std::string scratch = InFolder(environment_.scratchFolder);
        sourceFolder_ = scratch + "block/";
        buildFolder_ = sourceFolder_ + "x86_64/";
        std::unique_ptr<BlockFolder> sources;
        if (const FileResult made = BlockFolder::Open(buildFolder_, true, build_); !made) {
            return Stop(TrialOutcome::Failed, made.Message());
        }
        if (const FileResult opened = BlockFolder::Open(sourceFolder_, false, sources); !opened) {
            return Stop(TrialOutcome::Failed, opened.Message());
        }
        for (const std::string& name : blockFolder_->Names("")) {
            const bool copied =
                std::any_of(std::begin(COPIED_EXTENSIONS), std::end(COPIED_EXTENSIONS),
                            [&](const char* ending) { return EndsWithIgnoringCase(name, ending); });
            if (!copied || blockFolder_->Look(name).kind != EntryKind::File) {
                continue;
            }
            std::string bytes;
            FileResult done = blockFolder_->Read(name, LARGEST_FILE_READ, bytes);
            if (done) {
                done = sources->Write(name, bytes);
            }
            if (!done) {
                return Stop(TrialOutcome::Failed, done.Message());
            }
            if (EndsWithIgnoringCase(name, ".c")) {
                cSources_.push_back(name);
            } else if (Lower(name) == Lower(block_.BlockName + ".rc")) {
                resourceScript_ = name;
            } else if (Lower(name) == Lower(block_.BlockName + ".def")) {
                moduleDefinition_ = name;
            }
        }
        if (cSources_.empty() || resourceScript_.empty() || moduleDefinition_.empty()) {
            return Stop(TrialOutcome::BadRequest,
                        DisplayPath(blockFolder_->Path()) + " lacks the block's sources (" +
                            block_.BlockName + ".c, .rc, .def): generate it first");
        }
        return true;
    }

    ProgramRun RunProgram(const std::string& commandLine, const std::string& folder,
                          std::optional<std::string> environmentBlock, int limitMilliseconds) {
        ProgramRun run;
        ProcessStart start;
        start.commandLine = commandLine;
        start.currentDirectory = folder;
        start.environmentBlock = std::move(environmentBlock);
        start.hidden = true;
        std::string error;
        std::unique_ptr<Process> process = environment_.launcher->Start(start, error);
        if (!process) {
            run.errorOutput = error;
            return run;
        }
        const auto cancelled = [&] {
            return environment_.progress && !environment_.progress(step_, done_ - 1, STEPS);
        };
        const WaitEnd end = WaitInSteps(
            *process, [] {}, cancelled, limitMilliseconds);
        if (end != WaitEnd::Ended) {
            process->Terminate();
            process->WaitFor(5000);
            run.how = end == WaitEnd::Cancelled ? Ran::Cancelled : Ran::TimedOut;
        } else {
            run.how = Ran::Ended;
            run.exitCode = process->ExitCode();
        }
        run.output = process->Output();
        run.errorOutput = process->ErrorOutput();
        return run;
    }

    // Runs a build tool in the build folder; false with the outcome set when
    // it did not succeed.
    bool BuildStep(const std::string& program, const std::string& arguments) {
        const ProgramRun run = RunProgram(QuotedCommandLine(program, arguments), buildFolder_,
                                          std::nullopt, COMPILER_LIMIT_MS);
        if (run.how == Ran::Cancelled) {
            return Stop(TrialOutcome::Cancelled, "cancelled while " + step_);
        }
        if (run.how == Ran::NotStarted) {
            return Stop(TrialOutcome::ToolsMissing, program + " did not start: " + run.errorOutput);
        }
        if (run.how == Ran::TimedOut || run.exitCode != 0) {
            const std::string why = run.how == Ran::TimedOut
                                        ? program + " did not end within " +
                                              std::to_string(COMPILER_LIMIT_MS / 1000) + " s"
                                        : run.errorOutput + run.output;
            result_.checks.push_back(
                {"build", "the block builds", CheckOutcome::Failed, FirstError(why)});
            for (const CheckKind& kind : CheckKinds()) {
                result_.checks.push_back({kind.id, kind.title, CheckOutcome::NotRun,
                                          "not run: the block did not build"});
            }
            return Stop(TrialOutcome::Failed, "the block does not build:\n" + why);
        }
        return true;
    }

    bool Build() {
        const std::string includes = "-I.. -I" + Quoted(standin_ + "sdk");
        std::string sources;
        std::string objects;
        for (const std::string& name : cSources_) {
            sources += " " + Quoted("../" + name);
            objects += " " + Quoted(name.substr(0, name.size() - 2) + ".o");
        }
        dll_ = block_.BlockName + ".dll";
        return BuildStep(tools_.compiler, "-c " + includes + " " + WIDE_CASTS + sources) &&
               BuildStep(tools_.resourceCompiler, includes + " " + Quoted("../" + resourceScript_) +
                                                      " -O coff -o resource.rc.o") &&
               BuildStep(tools_.compiler,
                         "-shared -o " + Quoted(dll_) + objects + " resource.rc.o " +
                             Quoted("../" + moduleDefinition_) + " -Wl,--enable-stdcall-fixup -L" +
                             Quoted(standin_ + "x86_64") +
                             " -lbdhost -lcomdlg32 -lgdi32 -lhtmlhelp " + LOW_ADDRESSES);
    }

    bool WriteCase() {
        std::string missing;
        const ControlNumbers number(sourceFolder_, standin_ + "sdk/", missing);
        const std::string text = BlockSection(block_, dll_, "../" + moduleDefinition_, number) +
                                 DialogSection(block_, number) +
                                 TrialSection(request_.strictness, runnerSignal_, "trace");
        if (!missing.empty()) {
            return Stop(TrialOutcome::Failed,
                        "the block's resource headers do not match its definition:\n" + missing);
        }
        FileResult written = build_->Write("case.ini", text);
        if (written && !signalSamples_.empty()) {
            written = build_->Write("signal.f64", signalSamples_);
        }
        if (!written) {
            return Stop(TrialOutcome::Failed, written.Message());
        }
        return true;
    }

    std::string WineEnvironment() const {
        return EnvironmentWith({{"WINEPREFIX", environment_.winePrefix},
                                {"WINEDEBUG", "-all"},
                                {"WINELOADER", tools_.wineLoader}});
    }

    // Wine's folder of the program's own, set up whole on the first try,
    // one try at a time: with the null graphics driver, so that the
    // block's dialog opens without a display, and its first server stopped,
    // since that one keeps the driver it started with.
    bool SetUpWine() {
        std::string marker;
        if (RUNNING_ON_WINDOWS ||
            ReadRegularFile(InFolder(environment_.winePrefix) + ".set-up", 1, marker)) {
            ++done_;  // nothing to set up: the step is done
            return true;
        }
        if (!Step("setting up Wine (once)")) {
            return false;
        }
        const std::string script =
            "set -e\n"
            "mkdir -p \"$1\"\n"
            "exec 9>\"$1.lock\"\n"
            "flock 9\n"
            "if [ ! -f \"$1/.set-up\" ]; then\n"
            "    \"$2\" wineboot -i 9>&-\n"
            "    \"$2\" reg add 'HKCU\\Software\\Wine\\Drivers' /v Graphics /d null /f 9>&-\n"
            "    \"$3\" -k 9>&- || true\n"
            "    \"$3\" -w 9>&- || true\n"
            "    touch \"$1/.set-up\"\n"
            "fi\n";
        if (const FileResult written = build_->Write("set-up-wine.sh", script); !written) {
            return Stop(TrialOutcome::Failed, written.Message());
        }
        const ProgramRun run = RunProgram(
            QuotedCommandLine("/bin/sh", "set-up-wine.sh " + Quoted(environment_.winePrefix) + " " +
                                             Quoted(tools_.wineLoader) + " " +
                                             Quoted(tools_.wineServer)),
            buildFolder_, WineEnvironment(), WINE_SETUP_LIMIT_MS);
        if (run.how == Ran::Cancelled) {
            return Stop(TrialOutcome::Cancelled, "cancelled while setting up Wine");
        }
        if (run.how != Ran::Ended || run.exitCode != 0) {
            return Stop(TrialOutcome::ToolsMissing, "Wine could not set up its folder " +
                                                        environment_.winePrefix + ": " +
                                                        LastLines(run.errorOutput + run.output, 6));
        }
        return true;
    }

    bool RunBlock() {
        const std::string runner = standin_ + "x86_64/blockrun.exe";
        const int limit = RUNNER_LIMIT_MS_PER_LEVEL * request_.strictness;
        const ProgramRun run =
            RUNNING_ON_WINDOWS
                ? RunProgram(QuotedCommandLine(runner, "case.ini"), buildFolder_, std::nullopt,
                             limit)
                : RunProgram(QuotedCommandLine(tools_.wineLoader, Quoted(runner) + " case.ini"),
                             buildFolder_, WineEnvironment(), limit);
        if (run.how == Ran::Cancelled) {
            return Stop(TrialOutcome::Cancelled, "cancelled while running the block");
        }
        if (run.how == Ran::NotStarted) {
            return Stop(TrialOutcome::ToolsMissing, "the runner did not start: " + run.errorOutput);
        }
        std::string problem;
        if (run.how == Ran::TimedOut) {
            result_.checks = ChecksFromRunnerOutput("", RUNNER_CRASHED, problem);
            result_.checks.front().reason = "the block did not finish within " +
                                            std::to_string(limit / 1000) + " s (an endless loop?)";
            return Stop(TrialOutcome::Failed, result_.checks.front().reason);
        }
        result_.checks = ChecksFromRunnerOutput(run.output, run.exitCode, problem);
        // Matrix, bitmap and real-time blocks run their life without a
        // signal, so they leave no trace; any other must.
        const bool traced = !block_.Matrix && !block_.Bitmap && !block_.RealTime;
        if (run.exitCode != RUNNER_CRASHED && problem.empty() && traced) {
            ReadTrace(buildFolder_ + "trace", result_.trace, problem);
        }
        const bool allPassed = std::all_of(
            result_.checks.begin(), result_.checks.end(),
            [](const TrialCheck& check) { return check.outcome == CheckOutcome::Passed; });
        if (!problem.empty() && !run.errorOutput.empty()) {
            problem += "\n" + LastLines(run.errorOutput, 6);
        }
        result_.outcome =
            allPassed && problem.empty() ? TrialOutcome::Passed : TrialOutcome::Failed;
        result_.message = problem;
        return true;
    }

    // The report files are written whatever the outcome, a build server
    // reads why a try failed from them too; failing to write one fails the
    // try.
    TrialResult Finish() {
        const bool reportable =
            result_.outcome == TrialOutcome::Passed ||
            (result_.outcome == TrialOutcome::Failed && !result_.checks.empty());
        if (!reportable) {
            return result_;
        }
        if (!request_.junitFile.empty()) {
            Report(ReplaceNamedFile(NativePath(request_.junitFile),
                                    JUnitReport(block_.BlockName, result_.checks)));
        }
        const bool traced = !result_.trace.outputs.empty();
        if (!request_.plotFile.empty()) {
            if (traced) {
                Report(ReplaceNamedFile(NativePath(request_.plotFile),
                                        PlotSvg(block_.BlockName, result_.trace)));
            } else {
                Note("no plot: " + NoTraceReason());
            }
        }
        if (!request_.wavFolder.empty()) {
            if (traced) {
                WriteWavs();
            } else {
                Note("no WAV files: " + NoTraceReason());
            }
        }
        return result_;
    }

    std::string NoTraceReason() const {
        return block_.Matrix || block_.Bitmap || block_.RealTime
                   ? "a matrix, bitmap or real-time block runs without a signal"
                   : "the block left no trace of its outputs";
    }

    void WriteWavs() {
        std::unique_ptr<BlockFolder> folder;
        FileResult done = BlockFolder::Open(NativePath(request_.wavFolder), true, folder);
        for (size_t j = 0; done && j < result_.trace.outputs.size(); ++j) {
            done = folder->Write("out" + std::to_string(j) + ".wav",
                                 WavFile(result_.trace.outputs[j], result_.trace.sampleRate));
        }
        Report(done);
    }

    void Report(const FileResult& written) {
        if (!written) {
            result_.outcome = TrialOutcome::BadRequest;
            Note(written.Message());
        }
    }

    void Note(const std::string& note) {
        result_.message += (result_.message.empty() ? "" : "\n") + note;
    }

    const TrialRequest& request_;
    const TrialEnvironment& environment_;
    TrialResult result_;
    int done_ = 0;
    std::string step_;

    BLOCKINFO block_;
    std::unique_ptr<BlockFolder> blockFolder_;
    TrialTools tools_;
    std::string standin_;
    std::string runnerSignal_;
    std::string signalSamples_;

    std::string sourceFolder_;
    std::string buildFolder_;
    std::unique_ptr<BlockFolder> build_;
    std::vector<std::string> cSources_;
    std::string resourceScript_;
    std::string moduleDefinition_;
    std::string dll_;
};

}  // namespace

TrialResult TryBlock(const TrialRequest& request, const TrialEnvironment& environment) {
    return Trial(request, environment).Run();
}

int TrialExitStatus(TrialOutcome outcome) {
    switch (outcome) {
        case TrialOutcome::Passed:
            return 0;
        case TrialOutcome::Failed:
            return 1;
        case TrialOutcome::ToolsMissing:
        case TrialOutcome::BadRequest:
            return 2;
        case TrialOutcome::Cancelled:
            return 3;
    }
    return 1;
}

}  // namespace bw
