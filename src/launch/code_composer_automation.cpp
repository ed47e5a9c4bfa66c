#include "launch/code_composer_automation.h"

#include <cstdio>
#include <utility>

namespace bw {

namespace {

// Reads "major.minor" (blanks and a line end around it allowed).
bool ParseVersion(const std::string& text, int& major, int& minor) {
    char end = '\0';
    return std::sscanf(text.c_str(), " %d.%d %c", &major, &minor, &end) == 2;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

std::string CodeComposerLockName() {
    return std::string("TiGoCodeComposerMutex") + CODE_COMPOSER_CLASS_ID;
}

AutomationError::AutomationError(const std::string& className)
    : std::runtime_error(className + ": COM wrapper object is not valid\r\n") {}

CodeComposerSession::CodeComposerSession(Launcher& launcher, std::string program,
                                         std::function<void()> pump,
                                         std::function<bool()> cancelled)
    : launcher_(launcher),
      program_(std::move(program)),
      pump_(std::move(pump)),
      cancelled_(std::move(cancelled)) {}

bool CodeComposerSession::StartOrAttach() {
    if (program_.empty()) {
        return false;
    }
    if (!launcher_.IsLockHeld(CodeComposerLockName())) {
        ProcessStart start;
        start.commandLine = QuotedCommandLine(program_, "-Automation");
        std::string error;
        if (!launcher_.StartDetached(start, error)) {
            return false;
        }
    }
    connected_ = true;
    return true;
}

bool CodeComposerSession::Call(const std::string& arguments, std::string& output) {
    ProcessStart start;
    start.commandLine = QuotedCommandLine(program_, "-Automation " + arguments);
    start.hidden = true;
    std::string error;
    std::unique_ptr<Process> process = launcher_.Start(start, error);
    if (!process) {
        return false;
    }
    const WaitEnd end =
        WaitInSteps(*process, pump_, cancelled_, AUTOMATION_CALL_LIMIT_MILLISECONDS);
    if (end != WaitEnd::Ended) {
        process->Terminate();  // a hung call must not hold the wizard for ever
        cancelledByUser_ = end == WaitEnd::Cancelled;
        return false;
    }
    output = process->Output();
    return process->ExitCode() == 0;
}

CodeComposerSession& AutomationObject::Checked() const {
    if (!IsValid()) {
        throw AutomationError(className_);
    }
    return *session_;
}

std::string AutomationObject::CallOrRaise(const std::string& arguments) const {
    std::string output;
    if (!Checked().Call(arguments, output)) {
        throw AutomationError(className_);
    }
    return output;
}

CCProject2 CCProjects2::Open(const std::string& path, const std::string& cpuFamily,
                             int flag) const {
    CallOrRaise("-OpenProject " + Quoted(path) + " " + Quoted(cpuFamily) + " " +
                std::to_string(flag));
    return CCProject2(&Checked());
}

CCProjects2 CCProjMgr::Projects() const {
    return CCProjects2(&Checked());
}

CCProjMgr CCApplication::ProjectManager() const {
    return CCProjMgr(&Checked());
}

void CCApplication::GetVersion(int& major, int& minor) const {
    if (!ParseVersion(CallOrRaise("-Version"), major, minor)) {
        throw AutomationError(ClassName());
    }
}

}  // namespace bw
