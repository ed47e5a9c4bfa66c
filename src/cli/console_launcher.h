#pragma once

// The launcher of the command line: starts programs without Qt and collects
// what they write, for `blockwright try`. It opens no editor, browser or
// file manager: the command line has no window to open them from.

#include "launch/launcher.h"

namespace bw {

class ConsoleLauncher : public Launcher {
public:
    std::unique_ptr<Process> Start(const ProcessStart& start, std::string& error) override;
    bool StartDetached(const ProcessStart&, std::string& error) override {
        error = "the command line starts no program to run on after it";
        return false;
    }
    int OpenFile(const std::string&, const std::string&) override { return SHELL_NO_ASSOCIATION; }
    int OpenFolder(const std::string&) override { return SHELL_NO_ASSOCIATION; }
    int OpenManual(const std::string&, const std::string&) override {
        return SHELL_NO_ASSOCIATION;
    }
    std::string OpenerName() const override { return "(none on the command line)"; }
    bool IsLockHeld(const std::string&) override { return false; }
    bool ProgramExists(const std::string& program) override;
    std::string FirstStartQuestion(const ProcessStart&) override { return ""; }
};

}  // namespace bw
