#pragma once

// A launcher that starts nothing: it records what it is asked to start and
// plays scripted programs.

#include <deque>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "launch/launcher.h"

namespace bw {

// How a scripted program behaves once started.
struct ScriptedProgram {
    int waitSteps = 0;  // wait steps that time out before it ends
    int exitCode = 0;
    bool activeAfterEnd = false;  // still reports itself active when the wait ends
    std::string output = "";
    std::string errorOutput = "";
};

struct FakeProcessLog {
    std::vector<int> waits;  // the milliseconds of each wait step
    bool terminated = false;
};

class FakeProcess : public Process {
public:
    FakeProcess(ScriptedProgram program, FakeProcessLog& log) : program_(program), log_(log) {}
    bool WaitFor(int milliseconds) override {
        log_.waits.push_back(milliseconds);
        return static_cast<int>(log_.waits.size()) > program_.waitSteps;
    }
    bool IsActive() override { return program_.activeAfterEnd && !log_.terminated; }
    int ExitCode() override { return program_.exitCode; }
    void Terminate() override { log_.terminated = true; }
    std::string Output() override { return program_.output; }
    std::string ErrorOutput() override { return program_.errorOutput; }

private:
    ScriptedProgram program_;
    FakeProcessLog& log_;
};

class FakeLauncher : public Launcher {
public:
    std::unique_ptr<Process> Start(const ProcessStart& start, std::string& error) override {
        started.push_back(start);
        logs.emplace_back();
        if (!startErrors.empty()) {
            error = startErrors.front();
            startErrors.pop_front();
            if (!error.empty()) {
                return nullptr;
            }
        }
        ScriptedProgram program;
        if (!programs.empty()) {
            program = programs.front();
            programs.pop_front();
        }
        return std::make_unique<FakeProcess>(program, logs.back());
    }
    bool StartDetached(const ProcessStart& start, std::string& error) override {
        detached.push_back(start);
        error = detachedError;
        return detachedError.empty();
    }
    int OpenFile(const std::string& path, const std::string& directory) override {
        opened.push_back({path, directory});
        return openResult;
    }
    int OpenFolder(const std::string& folder) override {
        openedFolders.push_back(folder);
        return openResult;
    }
    int OpenManual(const std::string& path, const std::string& section) override {
        manualOpens.push_back({path, section});
        return openResult;
    }
    std::string OpenerName() const override { return "/usr/bin/xdg-open"; }
    bool IsLockHeld(const std::string& lockName) override {
        lockQueries.push_back(lockName);
        return heldLocks.count(lockName) != 0;
    }
    bool ProgramExists(const std::string& program) override {
        return missingPrograms.count(program) == 0;
    }
    std::string FirstStartQuestion(const ProcessStart&) override { return firstStartQuestion; }

    // Scripts, consumed in order; an empty start error lets that start succeed.
    std::deque<std::string> startErrors;
    std::deque<ScriptedProgram> programs;
    std::string detachedError;
    int openResult = SHELL_OPENED;
    std::set<std::string> heldLocks;
    std::set<std::string> missingPrograms;  // every other program is there
    std::string firstStartQuestion;         // asked before every start while set

    // Records.
    std::vector<ProcessStart> started;
    std::vector<std::string> openedFolders;
    std::vector<std::vector<std::string>> manualOpens;  // {path, section}
    std::deque<FakeProcessLog> logs;                    // one per Start, stable addresses
    std::vector<ProcessStart> detached;
    std::vector<std::vector<std::string>> opened;  // {path, directory}
    std::vector<std::string> lockQueries;
};

}  // namespace bw
