#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "cli/console_launcher.h"

namespace bw {

namespace {

// Every byte a pipe delivers, read by a thread of its own so that a program
// that fills one pipe while the other is waited on never blocks. The thread
// ends at the pipe's end, which a server the program started may hold open
// long after the program ended (Wine's does): it is not waited for then.
class PipeReader {
public:
    explicit PipeReader(int fd) : state_(std::make_shared<State>()) {
        std::thread([state = state_, fd] { Read(*state, fd); }).detach();
    }

    // What came so far; once the program ended, what came until the pipe's
    // end, or, when something else holds it open, until a moment later.
    std::string Text(bool programEnded) {
        std::unique_lock<std::mutex> lock(state_->mutex);
        if (programEnded) {
            state_->ended.wait_for(lock, std::chrono::milliseconds(END_WAIT_MS),
                                   [&] { return state_->closed; });
        }
        return state_->text;
    }

private:
    static constexpr int END_WAIT_MS = 500;

    struct State {
        std::mutex mutex;
        std::condition_variable ended;
        std::string text;
        bool closed = false;
    };

    static void Read(State& state, int fd) {
        char buffer[4096];
        for (;;) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;
            }
            const std::lock_guard<std::mutex> lock(state.mutex);
            state.text.append(buffer, static_cast<size_t>(got));
        }
        close(fd);
        const std::lock_guard<std::mutex> lock(state.mutex);
        state.closed = true;
        state.ended.notify_all();
    }

    std::shared_ptr<State> state_;
};

class PosixProcess : public Process {
public:
    PosixProcess(pid_t pid, int out, int err) : pid_(pid), out_(out), err_(err) {}
    ~PosixProcess() override {
        if (!ended_) {
            Terminate();
        }
    }

    bool WaitFor(int milliseconds) override {
        for (int waited = 0;; waited += 10) {
            if (Reap(false)) {
                return true;
            }
            if (waited >= milliseconds) {
                return false;
            }
            usleep(10'000);
        }
    }
    bool IsActive() override { return !Reap(false); }
    int ExitCode() override {
        Reap(true);
        if (WIFEXITED(status_)) {
            return WEXITSTATUS(status_);
        }
        return 128 + (WIFSIGNALED(status_) ? WTERMSIG(status_) : 0);
    }
    // The program and whatever it started in its process group.
    void Terminate() override {
        if (!ended_) {
            kill(-pid_, SIGKILL);
            Reap(true);
        }
    }
    std::string Output() override { return out_.Text(Reap(false)); }
    std::string ErrorOutput() override { return err_.Text(Reap(false)); }

private:
    bool Reap(bool block) {
        if (ended_) {
            return true;
        }
        pid_t got;
        do {
            got = waitpid(pid_, &status_, block ? 0 : WNOHANG);
        } while (got < 0 && errno == EINTR);
        ended_ = got == pid_ || got < 0;
        return ended_;
    }

    pid_t pid_;
    int status_ = 0;
    bool ended_ = false;
    PipeReader out_;
    PipeReader err_;
};

// The "NAME=value\0" entries of an environment block.
std::vector<std::string> Entries(const std::string& block) {
    std::vector<std::string> entries;
    for (size_t start = 0; start < block.size();) {
        const size_t end = block.find('\0', start);
        entries.push_back(block.substr(start, end - start));
        start = end == std::string::npos ? block.size() : end + 1;
    }
    return entries;
}

}  // namespace

std::unique_ptr<Process> ConsoleLauncher::Start(const ProcessStart& start, std::string& error) {
    const std::vector<std::string> words = SplitCommandLine(start.commandLine);
    if (words.empty()) {
        error = "no program to start";
        return nullptr;
    }
    std::vector<char*> argv;
    for (const std::string& word : words) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<std::string> entries;
    std::vector<char*> envp;
    if (start.environmentBlock) {
        entries = Entries(*start.environmentBlock);
        for (std::string& entry : entries) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);
    }
    int out[2];
    int err[2];
    int report[2];  // carries errno of a failed exec back to the parent
    if (pipe(out) != 0 || pipe(err) != 0 || pipe2(report, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        const int null = open("/dev/null", O_RDONLY);
        dup2(null, 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        close(out[0]);
        close(err[0]);
        close(report[0]);
        if (!start.currentDirectory.empty() && chdir(start.currentDirectory.c_str()) != 0) {
            const int failure = errno;
            (void)!write(report[1], &failure, sizeof failure);
            _exit(127);
        }
        if (start.environmentBlock) {
            execve(argv[0], argv.data(), envp.data());
        } else {
            execvp(argv[0], argv.data());
        }
        const int failure = errno;
        (void)!write(report[1], &failure, sizeof failure);
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    close(report[1]);
    if (pid < 0) {
        error = std::strerror(errno);
        close(out[0]);
        close(err[0]);
        close(report[0]);
        return nullptr;
    }
    int failure = 0;
    const ssize_t told = read(report[0], &failure, sizeof failure);
    close(report[0]);
    auto process = std::make_unique<PosixProcess>(pid, out[0], err[0]);
    if (told == static_cast<ssize_t>(sizeof failure)) {
        process->WaitFor(1000);
        error = words[0] + ": " + std::strerror(failure);
        return nullptr;
    }
    return process;
}

bool ConsoleLauncher::ProgramExists(const std::string& program) {
    if (program.find('/') != std::string::npos) {
        return access(program.c_str(), X_OK) == 0;
    }
    const char* path = std::getenv("PATH");
    std::string list = path != nullptr ? path : "";
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        if (end > start && access((list.substr(start, end - start) + "/" + program).c_str(), X_OK) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace bw
