#include "launch/build_launch.h"

#include <memory>
#include <utility>

#include "definition/settings_rules.h"
#include "generation/names_and_literals.h"
#include "generation/paths.h"
#include "launch/code_composer_automation.h"
#include "run/file_set.h"

namespace bw {

namespace {

constexpr const char* CREATE_FAILED =
    "Failed to create the compiler process.  The block has not been compiled. "
    "The operating system returned the following error.\n\n";
constexpr const char* OFFER_IDE_AFTER_CREATE_FAILED = "\nWould you like to try to start the IDE ?";
constexpr const char* COMPILED = "The block compiled successfully.";
constexpr const char* OFFER_IDE_AFTER_PROGRAM_ERROR =
    "\n\nWould you like to start the IDE to fix the error ?";
constexpr const char* VERSION_REFUSED =
    "This version of %s is not compatible with the version of Code Composer you are running, "
    "so the project will not be created.";
constexpr const char* OPEN_FAILED = "The following error occurred while attempting to execute ";

constexpr const char* MSDEV_EXPECTED = "MSDEV.EXE of Visual C++ 6";
constexpr const char* CODE_COMPOSER_EXPECTED = "Code Composer Studio program";
constexpr const char* VISUAL_CPP_FIELD = "Visual C++ folder";
constexpr const char* CODE_COMPOSER_FIELD = "Code Composer Studio";
constexpr const char* TOOL_MISSING = " cannot be started: it is not there.";
constexpr const char* CODE_COMPOSER_UNREACHABLE =
    "Code Composer Studio could not be started or did not answer, so the DSP project was not "
    "opened.";
constexpr const char* PROJECT_NOT_OPENED = "Code Composer Studio could not open the project ";

// How many of a failed program's last lines its report quotes, per stream.
constexpr int REPORTED_LINES = 12;

bool EndsInSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// path cut before its last separator; unchanged when it holds none.
std::string CutBeforeLastSeparator(const std::string& path) {
    const size_t last = path.find_last_of("\\/");
    return last == std::string::npos ? path : path.substr(0, last);
}

// The trees' folders that only group files: the files of "Source Files" lie
// in the block directory itself (or in DSPCode), not in a folder of that name.
bool IsGroupingFolder(const std::string& text) {
    return text == "Source Files" || text == "Header Files" || text == "Resource Files";
}

std::string Setting(const SettingsStore& settings, const char* name) {
    return settings.read(setting::SECTION, name, "");
}

// The file name of a program path ("\\" or "/" separating).
std::string ProgramName(const std::string& path) {
    const size_t last = path.find_last_of("\\/");
    return last == std::string::npos ? path : path.substr(last + 1);
}

// What a program that failed said, in its own words: its exit status and the
// last lines it wrote to each of its outputs.
std::string ProgramErrorText(const std::string& program, int exitCode, Process& process) {
    std::string text =
        "Program error: " + program + " ended with exit status " + std::to_string(exitCode) + ".";
    const std::string output = LastLines(process.Output(), REPORTED_LINES);
    const std::string errors = LastLines(process.ErrorOutput(), REPORTED_LINES);
    if (!output.empty()) {
        text += "\n\nThe last lines of its output:\n" + output;
    }
    if (!errors.empty()) {
        text += "\n\nThe last lines of its error output:\n" + errors;
    }
    if (output.empty() && errors.empty()) {
        text += " It wrote nothing.";
    }
    return text;
}

std::string VersionRefusedText() {
    std::string text = VERSION_REFUSED;
    return text.replace(text.find("%s"), 2, PRODUCT_TITLE);
}

struct ShellError {
    int result;
    const char* text;
};

constexpr ShellError SHELL_ERRORS[] = {
    {SHELL_OUT_OF_RESOURCES, "The operating system is out of memory or resources."},
    {SHELL_FILE_NOT_FOUND, "The specified file was not found."},
    {SHELL_PATH_NOT_FOUND, "The specified path was not found."},
    {SHELL_ACCESS_DENIED, "The operating system denied access to the specified file."},
    {SHELL_OUT_OF_MEMORY, "There was not enough memory to complete the operation."},
    {SHELL_BAD_FORMAT, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
    {SHELL_SHARING_VIOLATION, "A sharing violation occurred."},
    {SHELL_ASSOCIATION_INCOMPLETE, "The filename association is incomplete or invalid."},
    {SHELL_DDE_TIMEOUT,
     "The DDE transaction could not be completed because the request timed out."},
    {SHELL_DDE_FAILED, "The DDE transaction failed."},
    {SHELL_DDE_BUSY,
     "The DDE transaction could not be completed because other DDE transactions were being "
     "processed."},
    {SHELL_NO_ASSOCIATION, "There is no application associated with the given filename extension."},
    {SHELL_DLL_NOT_FOUND, "The specified dynamic-link library was not found."},
};

}  // namespace

std::string VisualStudioRoot(const std::string& msdevPath) {
    std::string root = msdevPath;
    for (int cut = 0; cut < 4; ++cut) {
        root = CutBeforeLastSeparator(root);
    }
    return root;
}

std::string BlockDirectory(const BLOCKINFO& block) {
    return DirectoryPrefix(block);
}

std::string NmakeCommandLine(const std::string& root, const BLOCKINFO& block) {
    return QuotedCommandLine(root + "\\VC98\\Bin\\NMAKE.EXE", "/f \"" + block.BlockName + ".mak\"");
}

std::string BuildEnvironmentBlock(const std::string& root, const std::string& windowsDirectory,
                                  const BLOCKINFO& block) {
    const std::string& V = root;
    const std::string W = WindowsToolPath(windowsDirectory);
    const std::string lines[] = {
        "MSDevDir=" + V + "\\Common\\msdev98",
        "MSVCDir=" + V + "\\VC98",
        "PATH=" + V + "\\Common\\msdev98\\BIN;" + V + "\\VC98\\BIN;" + V + "\\Common\\TOOLS;" + W +
            ";" + W + "system;" + W + "system32",
        "INCLUDE=" + V + "\\VC98\\ATL\\INCLUDE;" + V + "\\VC98\\INCLUDE;" + V +
            "\\VC98\\MFC\\INCLUDE;" + WindowsToolPath(block.IncludePath),
        "LIB=" + V + "\\VC98\\LIB;" + V + "\\VC98\\MFC\\LIB",
    };
    std::string environment;
    for (const std::string& line : lines) {
        environment += line;
        environment += '\0';
    }
    return environment;
}

std::string IdeCommandLine(const std::string& msdevPath, const BLOCKINFO& block) {
    const std::string D = WindowsToolPath(BlockDirectory(block));
    std::string arguments = "\"" + D + block.BlockName + ".dsw\"";
    if (block.RealTime == 0) {
        arguments += " \"" + D + block.BlockName + ".c\"";
    }
    return QuotedCommandLine(msdevPath, arguments);
}

std::string DspProjectPath(const BLOCKINFO& block) {
    const std::string& name = block.xDAIS != 0 ? block.AlgorithmName : block.BlockName;
    return BlockDirectory(block) + "DSPCode\\" + name + ".pjt";
}

std::string CpuFamilyText(int chip) {
    switch (chip) {
        case 5500:
            return "TMS320C55XX";
        case 5400:
            return "TMS320C54XX";
        case 6200:
            return "TMS320C62XX";
        case 6700:
            return "TMS320C67XX";
        case 6400:
            return "TMS320C64XX";
        default:
            return "";
    }
}

std::string FileItemPath(const BLOCKINFO& block, FileTree tree, const std::string& parentText,
                         const std::string& itemText) {
    std::string path = BlockDirectory(block);
    if (tree == FileTree::DspSide) {
        path += "DSPCODE\\";
    }
    if (!parentText.empty() && !IsGroupingFolder(parentText)) {
        path += parentText + "\\";
    }
    return path + itemText;
}

std::string ShellErrorText(int result) {
    for (const ShellError& error : SHELL_ERRORS) {
        if (error.result == result) {
            return error.text;
        }
    }
    return "An unidentifiable error occurred.";
}

BuildAndLaunch::BuildAndLaunch(const BLOCKINFO& block, LaunchServices services)
    : block_(block), services_(std::move(services)) {}

std::string BuildAndLaunch::WindowsDirectory() const {
    const std::string& W = services_.windowsDirectory;
    return EndsInSeparator(W) ? W : W + "\\";
}

void BuildAndLaunch::PressVisualCpp() {
    if (block_.RealTime == 0) {
        StartIde();
    } else {
        BuildWithNmake();
    }
}

std::string BuildAndLaunch::LocateHint(const std::string& tried, const char* settingName,
                                       const char* expected, const char* field) const {
    const std::string name = std::string("\"") + settingName + "\"";
    std::string hint = "\n\n";
    if (Setting(services_.settings, settingName).empty()) {
        hint += "The setting " + name + ", which names the " + expected + ", is not set.";
    } else {
        hint += "The program tried was " + tried + ", located by the setting " + name + ".";
    }
    return hint + "\n" + TOOLS_DIALOG_HINT + ": " + field + ".";
}

bool BuildAndLaunch::ToolIsThere(const std::string& program, const char* settingName,
                                 const char* expected, const char* field) {
    if (!Setting(services_.settings, settingName).empty() &&
        services_.launcher.ProgramExists(program)) {
        return true;
    }
    const bool set = !Setting(services_.settings, settingName).empty();
    const std::string name = ProgramName(program);
    const std::string text = (name.empty() ? std::string("The ") + expected : name) +
                             (set ? TOOL_MISSING : " cannot be started.");
    services_.prompts.showMessage(text + LocateHint(program, settingName, expected, field),
                                  MessageIcon::Stop);
    return false;
}

bool BuildAndLaunch::MayStart(const ProcessStart& start) {
    const std::string question = services_.launcher.FirstStartQuestion(start);
    if (question.empty()) {
        return true;
    }
    return services_.askBeforeSetUp ? services_.askBeforeSetUp(question)
                                    : services_.prompts.askYesNo(question, MessageIcon::Question);
}

void BuildAndLaunch::ShowStatus(const std::string& status) {
    if (services_.showStatus) {
        services_.showStatus(status);
    }
}

WaitEnd BuildAndLaunch::WaitShowingOutput(Process& process, const std::string& doing) {
    ShowStatus(doing);
    const WaitEnd end = WaitInSteps(
        process,
        [&] {
            const std::string line = LastLines(process.Output(), 1);
            ShowStatus(line.empty() ? doing : doing + ": " + line);
            if (services_.pump) {
                services_.pump();
            }
        },
        services_.cancelled);
    ShowStatus("");
    return end;
}

void BuildAndLaunch::BuildWithNmake() {
    const std::string root = VisualStudioRoot(Setting(services_.settings, setting::MSDEV_PATH));
    const std::string nmakePath = root + "\\VC98\\Bin\\NMAKE.EXE";
    ProcessStart start;
    start.commandLine = NmakeCommandLine(root, block_);
    start.environmentBlock = BuildEnvironmentBlock(root, WindowsDirectory(), block_);
    start.currentDirectory = BlockDirectory(block_);
    start.hidden = true;
    if (!ToolIsThere(nmakePath, setting::MSDEV_PATH, MSDEV_EXPECTED, VISUAL_CPP_FIELD) ||
        !MayStart(start)) {
        return;
    }

    UserPrompts& prompts = services_.prompts;
    std::string error;
    std::unique_ptr<Process> nmake = services_.launcher.Start(start, error);
    if (!nmake) {
        const std::string hint =
            LocateHint(nmakePath, setting::MSDEV_PATH, MSDEV_EXPECTED, VISUAL_CPP_FIELD);
        if (prompts.askYesNo(CREATE_FAILED + error + hint + OFFER_IDE_AFTER_CREATE_FAILED,
                             MessageIcon::Stop)) {
            StartIde();
        }
        return;
    }
    const std::string program = ProgramName(nmakePath);
    if (WaitShowingOutput(*nmake, "Building " + block_.BlockName + " with " + program) ==
        WaitEnd::Cancelled) {
        nmake->Terminate();
        ShowStatus(program + " was stopped: the block has not been compiled.");
        return;
    }
    const int exitCode = nmake->ExitCode();
    if (nmake->IsActive()) {
        nmake->Terminate();
    }
    if (exitCode == 0) {
        prompts.showMessage(COMPILED, MessageIcon::Information);
    } else if (prompts.askYesNo(
                   ProgramErrorText(program, exitCode, *nmake) + OFFER_IDE_AFTER_PROGRAM_ERROR,
                   MessageIcon::Exclamation)) {
        StartIde();
    }
}

void BuildAndLaunch::StartIde() {
    ProcessStart start;
    const std::string msdev = Setting(services_.settings, setting::MSDEV_PATH);
    start.commandLine = IdeCommandLine(msdev, block_);
    start.currentDirectory = BlockDirectory(block_);
    if (!ToolIsThere(msdev, setting::MSDEV_PATH, MSDEV_EXPECTED, VISUAL_CPP_FIELD) ||
        !MayStart(start)) {
        return;
    }
    std::string error;
    if (!services_.launcher.StartDetached(start, error)) {
        services_.prompts.showMessage(
            CREATE_FAILED + error +
                LocateHint(msdev, setting::MSDEV_PATH, MSDEV_EXPECTED, VISUAL_CPP_FIELD),
            MessageIcon::Stop);
    }
}

void BuildAndLaunch::OpenDspProject() {
    const std::string program = Setting(services_.settings, setting::CODE_COMPOSER_PATH);
    ProcessStart instance;
    instance.commandLine = QuotedCommandLine(program, "-Automation");
    if (!program.empty() && (!ToolIsThere(program, setting::CODE_COMPOSER_PATH,
                                          CODE_COMPOSER_EXPECTED, CODE_COMPOSER_FIELD) ||
                             !MayStart(instance))) {
        return;
    }
    CodeComposerSession session(services_.launcher, program, services_.pump, services_.cancelled);
    ShowStatus("Waiting for Code Composer Studio");
    std::string failure;
    // The wrapper's errors name its classes; the user is told what failed instead.
    bool answered = false;
    try {
        // An instance that cannot be started leaves the application object
        // not valid: the first call on it reports that.
        session.StartOrAttach();
        const CCApplication application(&session);
        const CCProjMgr manager = application.ProjectManager();
        const CCProjects2 projects = manager.Projects();
        int major = 0;
        int minor = 0;
        application.GetVersion(major, minor);
        answered = true;
        if (major > 1 || (major == 1 && minor >= 0)) {
            projects.Open(DspProjectPath(block_), CpuFamilyText(block_.Chip), 1);
        } else {
            failure = VersionRefusedText();
        }
    } catch (const AutomationError&) {
        failure = answered ? PROJECT_NOT_OPENED + DspProjectPath(block_) + "."
                           : CODE_COMPOSER_UNREACHABLE +
                                 LocateHint(program, setting::CODE_COMPOSER_PATH,
                                            CODE_COMPOSER_EXPECTED, CODE_COMPOSER_FIELD);
    }
    if (session.WasCancelled()) {
        ShowStatus("Stopped waiting for Code Composer Studio: the DSP project was not opened.");
        return;
    }
    ShowStatus("");
    if (!failure.empty()) {
        services_.prompts.showMessage(failure, MessageIcon::Stop);
    }
}

void BuildAndLaunch::OpenFileItem(FileTree tree, const std::string& parentText,
                                  const std::string& itemText, bool hasChildren) {
    if (hasChildren) {
        return;
    }
    const std::string path = FileItemPath(block_, tree, parentText, itemText);
    Launcher& launcher = services_.launcher;
    const int result = launcher.OpenFile(path, CutBeforeLastSeparator(path));
    if (result <= SHELL_DLL_NOT_FOUND) {
        services_.prompts.showMessage(
            OPEN_FAILED + launcher.OpenerName() + "\n\n" + ShellErrorText(result),
            MessageIcon::Exclamation);
    }
}

}  // namespace bw
