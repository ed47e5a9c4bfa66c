#pragma once

// The seam through which the completion page starts outside programs: the
// compiler's build, the IDE, Code Composer Studio and the text editor.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// How to start a program.
struct ProcessStart {
    // The quoted program path followed by its arguments, as a Windows command
    // line is written: blanks separate, double quotes group, "" is an empty
    // argument, backslashes are ordinary characters (see SplitCommandLine).
    std::string commandLine;
    // Every variable the program gets, each "NAME=value" followed by a zero
    // byte; none: the program inherits this program's own environment.
    std::optional<std::string> environmentBlock;
    // As the definition writes paths ("\" or "/" separate); empty: ours.
    std::string currentDirectory;
    // No window for the program (the compiler runs out of sight).
    bool hidden = false;
};

// A started program that is waited for.
class Process {
public:
    virtual ~Process() = default;
    // Waits at most milliseconds; true when the program has ended.
    virtual bool WaitFor(int milliseconds) = 0;
    // True while the program still runs.
    virtual bool IsActive() = 0;
    // The exit code of an ended program; non-zero for one that crashed.
    virtual int ExitCode() = 0;
    virtual void Terminate() = 0;
    // What the program wrote to its standard output so far.
    virtual std::string Output() = 0;
    // What the program wrote to its standard error so far.
    virtual std::string ErrorOutput() = 0;
};

// Results of opening a file, numbered as the Windows shell numbers them:
// 32 or less is a failure.
enum ShellResult : int {
    SHELL_OUT_OF_RESOURCES = 0,
    SHELL_FILE_NOT_FOUND = 2,
    SHELL_PATH_NOT_FOUND = 3,
    SHELL_ACCESS_DENIED = 5,
    SHELL_OUT_OF_MEMORY = 8,
    SHELL_BAD_FORMAT = 11,
    SHELL_SHARING_VIOLATION = 26,
    SHELL_ASSOCIATION_INCOMPLETE = 27,
    SHELL_DDE_TIMEOUT = 28,
    SHELL_DDE_FAILED = 29,
    SHELL_DDE_BUSY = 30,
    SHELL_NO_ASSOCIATION = 31,
    SHELL_DLL_NOT_FOUND = 32,
    SHELL_OPENED = 33,
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts a program to be waited for; on failure returns null and sets
    // error to the system's text for the cause.
    virtual std::unique_ptr<Process> Start(const ProcessStart& start, std::string& error) = 0;
    // Starts a program that runs on independently of this one.
    virtual bool StartDetached(const ProcessStart& start, std::string& error) = 0;
    // Opens path with the user's text editor (the platform's default opener),
    // directory being its working directory; a ShellResult.
    virtual int OpenFile(const std::string& path, const std::string& directory) = 0;
    // Shows folder in the file manager (Explorer on Windows); a ShellResult.
    virtual int OpenFolder(const std::string& folder) = 0;
    // Opens the HTML manual at path in the web browser, at its section (an
    // anchor); a ShellResult.
    virtual int OpenManual(const std::string& path, const std::string& section) = 0;
    // The program OpenFile runs, as failure messages name it.
    virtual std::string OpenerName() const = 0;
    // True when a running program holds the named lock.
    virtual bool IsLockHeld(const std::string& lockName) = 0;
    // True when program (as a command line names it) is there to be
    // started: a Windows path is looked for where Wine would find it.
    virtual bool ProgramExists(const std::string& program) = 0;
    // The question to ask before start, when starting that program would first
    // set up something large (Wine's folder); empty when there is nothing to ask.
    virtual std::string FirstStartQuestion(const ProcessStart& start) = 0;
};

// The step in which programs are waited for: short enough that the window
// keeps repainting between steps.
inline constexpr int WAIT_STEP_MILLISECONDS = 25;

enum class WaitEnd { Ended, TimedOut, Cancelled };

// Waits for process in steps, calling pump after every step that times out,
// then cancelled (when given), which stops the wait by answering true.
// limitMilliseconds 0 waits as long as the program runs.
WaitEnd WaitInSteps(Process& process, const std::function<void()>& pump,
                    const std::function<bool()>& cancelled = {}, int limitMilliseconds = 0);

// The last count lines of a program's output, without its final line end.
std::string LastLines(std::string_view output, int count);

// The program and arguments of a command line (see ProcessStart).
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// "\"" + program + "\" " + arguments, the form every start here uses.
std::string QuotedCommandLine(std::string_view program, std::string_view arguments);

}  // namespace bw
