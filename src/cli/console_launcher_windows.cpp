#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "cli/console_launcher.h"
#include "files/file_result.h"
#include "files/wide_text.h"

namespace bw {

namespace {

// Every byte a pipe delivers, read by a thread of its own (see the POSIX
// launcher): not waited for past a moment after the program ended.
class PipeReader {
public:
    explicit PipeReader(HANDLE pipe) : state_(std::make_shared<State>()) {
        std::thread([state = state_, pipe] { Read(*state, pipe); }).detach();
    }

    std::string Text(bool programEnded) {
        std::unique_lock<std::mutex> lock(state_->mutex);
        if (programEnded) {
            state_->ended.wait_for(lock, std::chrono::milliseconds(500),
                                   [&] { return state_->closed; });
        }
        return state_->text;
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable ended;
        std::string text;
        bool closed = false;
    };

    static void Read(State& state, HANDLE pipe) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            const std::lock_guard<std::mutex> lock(state.mutex);
            state.text.append(buffer, got);
        }
        CloseHandle(pipe);
        const std::lock_guard<std::mutex> lock(state.mutex);
        state.closed = true;
        state.ended.notify_all();
    }

    std::shared_ptr<State> state_;
};

class WindowsProcess : public Process {
public:
    WindowsProcess(HANDLE process, HANDLE job, HANDLE out, HANDLE err)
        : process_(process), job_(job), out_(out), err_(err) {}
    ~WindowsProcess() override {
        if (IsActive()) {
            Terminate();
        }
        CloseHandle(process_);
        if (job_ != nullptr) {
            CloseHandle(job_);
        }
    }

    bool WaitFor(int milliseconds) override {
        return WaitForSingleObject(process_, static_cast<DWORD>(milliseconds)) == WAIT_OBJECT_0;
    }
    bool IsActive() override { return !WaitFor(0); }
    int ExitCode() override {
        DWORD code = 1;
        GetExitCodeProcess(process_, &code);
        return static_cast<int>(code);
    }
    // The program and whatever it started (the compiler's cc1, as, ld),
    // which would otherwise run on holding files in the folder it ran in.
    void Terminate() override {
        if (job_ == nullptr || !TerminateJobObject(job_, 1)) {
            TerminateProcess(process_, 1);
        }
        WaitFor(5000);
    }
    std::string Output() override { return out_.Text(!IsActive()); }
    std::string ErrorOutput() override { return err_.Text(!IsActive()); }

private:
    HANDLE process_;
    HANDLE job_;  // null when the program could not be put into a job of its own
    PipeReader out_;
    PipeReader err_;
};

// A pipe whose writing end the program inherits.
bool InheritedPipe(HANDLE& read, HANDLE& write) {
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
    if (!CreatePipe(&read, &write, &attributes, 0)) {
        return false;
    }
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    return true;
}

}  // namespace

std::unique_ptr<Process> ConsoleLauncher::Start(const ProcessStart& start, std::string& error) {
    HANDLE outRead = nullptr;
    HANDLE outWrite = nullptr;
    HANDLE errRead = nullptr;
    HANDLE errWrite = nullptr;
    if (!InheritedPipe(outRead, outWrite) || !InheritedPipe(errRead, errWrite)) {
        error = SystemReason(static_cast<int>(GetLastError()));
        return nullptr;
    }
    STARTUPINFOW info{};
    info.cb = sizeof info;
    info.dwFlags = STARTF_USESTDHANDLES | (start.hidden ? STARTF_USESHOWWINDOW : 0);
    info.wShowWindow = SW_HIDE;
    info.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    info.hStdOutput = outWrite;
    info.hStdError = errWrite;
    std::wstring commandLine = WideText(start.commandLine);
    std::wstring environment;
    if (start.environmentBlock) {
        environment = WideText(*start.environmentBlock) + L'\0';
    }
    const std::wstring folder = WideText(start.currentDirectory);
    PROCESS_INFORMATION process{};
    // Started suspended, to be put into a job before it can start anything.
    const BOOL started = CreateProcessW(
        nullptr, commandLine.data(), nullptr, nullptr, TRUE,
        CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED | (start.hidden ? CREATE_NO_WINDOW : 0),
        start.environmentBlock ? environment.data() : nullptr,
        folder.empty() ? nullptr : folder.c_str(), &info, &process);
    const DWORD failure = GetLastError();
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(errRead);
        error = SystemReason(static_cast<int>(failure));
        return nullptr;
    }
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job != nullptr && !AssignProcessToJobObject(job, process.hProcess)) {
        CloseHandle(job);
        job = nullptr;
    }
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    return std::make_unique<WindowsProcess>(process.hProcess, job, outRead, errRead);
}

bool ConsoleLauncher::ProgramExists(const std::string& program) {
    wchar_t found[MAX_PATH];
    return SearchPathW(nullptr, WideText(program).c_str(), L".exe", MAX_PATH, found, nullptr) > 0;
}

}  // namespace bw
