#include "cli/command_line.h"

#include <istream>
#include <ostream>
#include <sstream>

#include "check/definition_check.h"
#include "cli/install_layout.h"
#include "definition/edit_rules.h"
#include "definition/profile_file.h"
#include "definition/settings_rules.h"
#include "definition/template_file.h"
#include "files/block_folder.h"
#include "files/path_calls.h"
#include "generation/paths.h"
#include "platform/settings_store.h"
#include "platform/typed_folder.h"
#include "run/file_preview.h"
#include "run/file_set.h"
#include "run/generation_run.h"
#include "run/run_folder.h"

namespace bw {

namespace {

std::optional<OverwriteMode> ParseOverwrite(const std::string& value) {
    if (value == "ask")
        return OverwriteMode::Ask;
    if (value == "yes")
        return OverwriteMode::Yes;
    if (value == "no")
        return OverwriteMode::No;
    if (value == "all")
        return OverwriteMode::All;
    if (value == "cancel")
        return OverwriteMode::Cancel;
    return std::nullopt;
}

std::optional<SpliceMode> ParseSplice(const std::string& value) {
    if (value == "ask")
        return SpliceMode::Ask;
    if (value == "yes")
        return SpliceMode::Yes;
    if (value == "no")
        return SpliceMode::No;
    return std::nullopt;
}

// Splits "--name=value" into its two parts; value is empty without "=".
std::pair<std::string, std::optional<std::string>> SplitOption(const std::string& argument) {
    const size_t equals = argument.find('=');
    if (argument.rfind("--", 0) != 0 || equals == std::string::npos) {
        return {argument, std::nullopt};
    }
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

const char* ActionText(FileAction action) {
    switch (action) {
        case FileAction::Written:
            return "written   ";
        case FileAction::Unchanged:
            return "unchanged ";
        case FileAction::Skipped:
            return "skipped   ";
        case FileAction::BackedUp:
            return "backed up ";
    }
    return "";
}

const char* ChangeText(FileChange change) {
    switch (change) {
        case FileChange::New:
            return "new       ";
        case FileChange::Changed:
            return "changed   ";
        case FileChange::Unchanged:
            return "unchanged ";
    }
    return "";
}

// "--splice no" lists what the run would write with the sections declined.
void ListFileSet(const BLOCKINFO& block, const RunEnvironment& environment, SpliceMode splice,
                 std::ostream& out) {
    const SectionsCarried carried =
        splice == SpliceMode::No ? SectionsCarried::No : SectionsCarried::Yes;
    for (const FilePreview& file : PreviewFileSet(block, environment, carried)) {
        out << ChangeText(file.change) << NativePath(file.path)
            << (file.keepsAside ? "  (sections will be kept aside)"
                : file.splices  ? "  (user sections carried over)"
                                : "")
            << (file.editedByHand ? "  (edited by hand: will be replaced, a copy kept in " +
                                        NativePath(file.copy) + ")"
                                  : std::string())
            << '\n';
    }
}

// "N written, N unchanged, N skipped, N backed up", and ", N read-only
// replaced" when there were.
void PrintSummary(const RunResult& result, std::ostream& out) {
    out << result.Count(FileAction::Written) << " written, " << result.Count(FileAction::Unchanged)
        << " unchanged, " << result.Count(FileAction::Skipped) << " skipped, "
        << result.Count(FileAction::BackedUp) << " backed up";
    if (const size_t readOnly = result.ReadOnlyReplaced()) {
        out << ", " << readOnly << " read-only replaced";
    }
    out << '\n';
}

int ExitStatus(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Completed:
            return EXIT_COMPLETED;
        case RunOutcome::Cancelled:
        case RunOutcome::Aborted:
            return EXIT_STOPPED;
        case RunOutcome::Refused:
            return EXIT_USAGE;
    }
    return EXIT_STOPPED;
}

// A line of a settings-style file that is neither blank, a comment, a
// [section] heading nor a key=value pair.
bool IsStrayLine(const std::string& line) {
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == ';' || line[first] == '#') {
        return false;
    }
    return line[first] != '[' && line.find('=') == std::string::npos;
}

// Why bytes, read from a template file, are no template the reader can take:
// they hold no block section (naming the first line that is not of a
// template's form, when there is one).
std::string TemplateFault(std::string_view bytes) {
    int number = 1;
    for (size_t start = 0; start < bytes.size(); ++number) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        if (IsStrayLine(std::string(bytes.substr(start, end - start)))) {
            return "line " + std::to_string(number) +
                   ": neither a [section] heading nor a key=value line; not a block template";
        }
        start = end + 1;
    }
    return std::string("not a block template: it has no [") + TEMPLATE_SECTION +
           "] section with any values";
}

// A relative block directory in a template is where the template is, so a
// template and its block can move together; one from the program's own
// folder goes among the user's blocks, where the user can write.
std::string FromTemplate(const std::string& templatePath, const BLOCKINFO& block,
                         const std::string& programFolder, const std::string& newBlocksFolder) {
    return TemplateBlockFolder(SplitPath(templatePath).first, block.Directory,
                               StockFolder(programFolder), newBlocksFolder);
}

// One line per finding: the program, the template as given, the key, the message.
void PrintFindings(const std::vector<Finding>& findings, const std::string& templatePath,
                   std::ostream& err) {
    for (const Finding& finding : findings) {
        err << "blockwright: " << templatePath << ": " << finding.key << ": "
            << (finding.severity == Severity::Warning ? "warning: " : "") << finding.message
            << '\n';
    }
}

// The run's seams for the command line, and the definition read from the
// template as the wizard's pages would store it.
class CommandSetting {
public:
    CommandSetting(const std::string& programFolder, CliPrompts& prompts) {
        environment =
            MakeRunEnvironment(&prompts, clock_, settings_,
                               WorkingDirectory(settings_, programFolder), SettingsDirectory());
        newBlockFolders_ = DefaultFolders(FindUserFolders(programFolder));
        prompts.attach(&environment);
    }

    // False when the template cannot be read, with why said on err. Only a
    // regular file of a template's size is read: a device, a FIFO or a
    // folder is refused at once.
    bool ReadBlock(const std::string& templatePath, std::ostream& err) {
        block.Reset(settings_, newBlockFolders_);
        std::string bytes;
        const FileResult read = ReadRegularFile(NativePath(templatePath), LARGEST_FILE_READ, bytes);
        if (!read) {
            err << "blockwright: " << templatePath << ": cannot be read: " << read.Reason() << '\n';
            return false;
        }
        ProfileFile profile;
        profile.Parse(bytes);
        // The reader's own message names neither the file nor the fault.
        std::istringstream noAnswers;
        std::ostringstream readerMessages;
        CliPrompts quiet(OverwriteMode::No, SpliceMode::No, noAnswers, readerMessages, false);
        if (!ReadTemplate(block, profile, quiet)) {
            err << "blockwright: " << templatePath << ": " << TemplateFault(bytes) << '\n';
            return false;
        }
        ApplyWizardPageStores(block);
        return true;
    }

    // Where new blocks go when the settings name no folder.
    const std::string& NewBlocksFolder() const { return newBlockFolders_.block; }

    // What the checker finds in the definition and the working directory.
    std::vector<Finding> Findings() const {
        std::vector<Finding> findings = CheckDefinition(block);
        const std::vector<Finding> stock = CheckStockFiles(block, environment.workingDirectory);
        findings.insert(findings.begin(), stock.begin(), stock.end());
        return findings;
    }

    RunEnvironment environment;
    BLOCKINFO block;

private:
    NativeSettings settings_;
    SystemClock clock_;
    FolderDefaults newBlockFolders_;
};

}  // namespace

bool ParseGenerateArguments(const std::vector<std::string>& arguments, GenerateOptions& options,
                            std::string& error) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const auto split = SplitOption(arguments[i]);
        const std::string& name = split.first;
        const std::optional<std::string>& inlineValue = split.second;
        // The value of an option: after "=", or the next argument.
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
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--list") {
            options.list = true;
        } else if (name == "--cmake") {
            options.cmake = true;
        } else if (name == "--directory") {
            const auto directory = value();
            if (!directory) {
                return false;
            }
            options.directory = *directory;
        } else if (name == "--overwrite") {
            const auto text = value();
            const auto mode = text ? ParseOverwrite(*text) : std::nullopt;
            if (!mode) {
                error = text
                            ? "--overwrite takes ask, yes, no, all or cancel, not \"" + *text + "\""
                            : error;
                return false;
            }
            options.overwrite = *mode;
        } else if (name == "--splice") {
            const auto text = value();
            const auto mode = text ? ParseSplice(*text) : std::nullopt;
            if (!mode) {
                error = text ? "--splice takes ask, yes or no, not \"" + *text + "\"" : error;
                return false;
            }
            options.splice = *mode;
        } else if (name.size() > 1 && name[0] == '-') {
            error = "unknown option " + name;
            return false;
        } else if (options.templatePath.empty()) {
            options.templatePath = arguments[i];
        } else {
            error = "only one template can be generated at a time";
            return false;
        }
    }
    if (!options.help && options.templatePath.empty()) {
        error = "no template given";
        return false;
    }
    return true;
}

std::string GenerateHelp() {
    return R"(Usage: blockwright generate TEMPLATE [options]

Reads the block template TEMPLATE (a .tbt file) and writes the block's source
project into the template's directory, as the wizard's Generate Code button
does for the same template: the template itself first, then every file of the
block. A file that already holds what would be written is left alone
(unchanged); any other existing file is backed up into the folder KRSave
beside it before it is replaced, whole, in one step. Prints one line per file
written, unchanged, skipped or backed up (naming the copy, and saying when the
file had been edited by hand since Blockwright wrote it) and a line that
counts them;
messages and questions go to standard error.

Options:
  --directory DIR   generate into DIR instead of the template's directory
  --overwrite MODE  answer every question about replacing an existing file:
                      ask     ask on the terminal (the default)
                      yes     replace it
                      no      keep it
                      all     replace it and every later one
                      cancel  stop generating at the first existing file
  --splice MODE     answer the question whether to carry the hand-edited
                    sections of a previous version over: ask (the default),
                    yes or no
  --cmake           also write CMakeLists.txt, a CMake project that builds the
                    block's DLL with current Visual C++ or MinGW-w64; its
                    head says how (the host's folders default to the
                    template's include and library paths)
  --list            print the files that would be generated, each marked new,
                    changed or unchanged (and whether the user sections of
                    its previous version are carried over or kept aside, and
                    whether it was edited by hand since it was written), and
                    write nothing
  --help            print this text

Before anything is written the template is checked as `blockwright check`
checks it: a definition whose files would not compile is refused, and
warnings are printed before the generation goes on.

A question that is to be asked when there is no terminal is not guessed: the
generation stops there with a message naming the option that answers it.

Exit status: 0 when the generation completed, 1 when it was cancelled or
stopped (a question left unanswered, a file that could not be written)
or when hand-edited sections could not be carried over (each is named on
standard error with the file in KRSave that keeps it), 2 for usage errors
and templates that cannot be read or generated.
The time in the file heads is taken from SOURCE_DATE_EPOCH when it is set.
)";
}

int RunGenerateCommand(const std::vector<std::string>& arguments, const std::string& programFolder,
                       Console& console) {
    GenerateOptions options;
    std::string error;
    if (!ParseGenerateArguments(arguments, options, error)) {
        console.err << "blockwright generate: " << error << "\n"
                    << "Try 'blockwright generate --help'.\n";
        return EXIT_USAGE;
    }
    if (options.help) {
        console.out << GenerateHelp();
        return EXIT_COMPLETED;
    }

    CliPrompts prompts(options.overwrite, options.splice, console.in, console.err,
                       console.terminal);
    CommandSetting setting(programFolder, prompts);
    if (!setting.ReadBlock(options.templatePath, console.err)) {
        return EXIT_USAGE;
    }
    BLOCKINFO& block = setting.block;
    block.CMakeProject = options.cmake;
    if (options.directory) {
        if (const std::string user = UnknownHomeUser(*options.directory); !user.empty()) {
            console.err << "blockwright generate: --directory: "
                        << UnknownHomeUserMessage(*options.directory, user) << "\n";
            return EXIT_USAGE;
        }
    }
    // A folder given here is taken as the shell would and kept absolute: the
    // run remembers it for the wizard, which starts elsewhere.
    block.Directory = options.directory ? AbsoluteFolder(*options.directory, CurrentFolder())
                                        : FromTemplate(options.templatePath, block, programFolder,
                                                       setting.NewBlocksFolder());
    // An empty directory would put the block's files where the program
    // runs, or into the root folder: never what was meant.
    if (block.Directory.empty()) {
        console.err << "blockwright generate: the block directory is empty; give it in the "
                       "template's Directory or with --directory\n";
        return EXIT_USAGE;
    }

    if (options.list) {
        const std::string refusal = RefusalReason(block);
        if (!refusal.empty()) {
            console.err << refusal << '\n';
            return EXIT_USAGE;
        }
        // What the run would stop at before writing anything stops the
        // listing too: it says nothing of files the run would not write.
        if (const FileResult refused = LookOverBlockFolder(block); !refused) {
            console.err << refused.Message() << '\n';
            return EXIT_STOPPED;
        }
        ListFileSet(block, setting.environment, options.splice, console.out);
        return EXIT_COMPLETED;
    }

    // A definition whose files would not compile is refused before anything
    // is written; what is only worth knowing is said, and the run goes on.
    const std::vector<Finding> findings = setting.Findings();
    PrintFindings(findings, options.templatePath, console.err);
    if (HasErrors(findings)) {
        return EXIT_USAGE;
    }

    const RunResult result = RunGeneration(block, setting.environment);
    for (const FileEvent& event : result.events) {
        console.out << ActionText(event.action) << NativePath(event.path)
                    << (event.readOnly ? "  (read-only, kept read-only)" : "")
                    << (event.editedByHand ? "  (edited by hand)" : "")
                    << (event.copy.empty() ? std::string()
                                           : "  (copy kept in " + NativePath(event.copy) + ")")
                    << '\n';
    }
    if (result.outcome != RunOutcome::Refused) {
        PrintSummary(result, console.out);
    }
    if (result.outcome == RunOutcome::Cancelled && !prompts.unanswered()) {
        console.err << "Generation cancelled: the files after that point were not written.\n";
    }
    if (result.outcome == RunOutcome::Completed && !result.notWritten.empty()) {
        return EXIT_STOPPED;  // the run went on, but not every file was written
    }
    if (result.outcome == RunOutcome::Completed && !result.leftovers.empty()) {
        return EXIT_STOPPED;  // hand-edited sections were not carried over
    }
    return ExitStatus(result.outcome);
}

int RunCheckCommand(const std::vector<std::string>& arguments, const std::string& programFolder,
                    Console& console) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        console.out << CheckHelp();
        return EXIT_COMPLETED;
    }
    if (arguments.size() != 1 || arguments[0].empty() || arguments[0][0] == '-') {
        console.err << "blockwright check: give one template and no options\n"
                    << "Try 'blockwright check --help'.\n";
        return EXIT_USAGE;
    }
    const std::string& templatePath = arguments[0];
    CliPrompts prompts(OverwriteMode::No, SpliceMode::No, console.in, console.err, false);
    CommandSetting setting(programFolder, prompts);
    if (!setting.ReadBlock(templatePath, console.err)) {
        return EXIT_USAGE;
    }
    // The folder a generation of the template would write to is judged.
    setting.block.Directory =
        FromTemplate(templatePath, setting.block, programFolder, setting.NewBlocksFolder());
    const std::vector<Finding> findings = setting.Findings();
    PrintFindings(findings, templatePath, console.err);
    if (HasErrors(findings)) {
        return EXIT_USAGE;
    }
    return findings.empty() ? EXIT_COMPLETED : EXIT_STOPPED;
}

std::string CheckHelp() {
    return R"(Usage: blockwright check TEMPLATE

Reads the block template TEMPLATE (a .tbt file) and reports, one line each on
standard error, what would keep the block's generated files from compiling
(errors) and what the template held that was read otherwise than written
(warnings), as TEMPLATE: KEY: MESSAGE. Nothing is written.

Exit status: 0 when nothing was found, 1 for warnings only, 2 for errors or a
template that cannot be read.
)";
}

}  // namespace bw
