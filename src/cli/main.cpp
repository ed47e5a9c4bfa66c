// The program: `blockwright generate ...` runs a generation from a template;
// without arguments the wizard opens.
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/console_text.h"
#include "cli/install_layout.h"
#include "cli/program_help.h"
#include "cli/try_command.h"
#include "cli/wizard_module.h"
#include "files/wide_text.h"
#include "generation/paths.h"
#include "platform/settings_store.h"

namespace {

// A run reads and produces files of megabytes one after another: what one
// file freed is kept for the next, rather than handed back to the system and
// faulted in again page by page.
void KeepFreedMemoryForTheNextFile() {
#ifdef __GLIBC__
    constexpr int LARGEST_MAPPED_ALONE = 32 << 20;  // glibc's own ceiling
    constexpr int KEPT_WHEN_FREED = 256 << 20;
    mallopt(M_MMAP_THRESHOLD, LARGEST_MAPPED_ALONE);
    mallopt(M_TRIM_THRESHOLD, KEPT_WHEN_FREED);
#endif
}

#ifdef _WIN32

// The arguments in UTF-8, like every path the program handles: argv holds
// them in the ANSI code page, which cannot name every folder.
std::vector<std::string> Arguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int n = 0; wide != nullptr && n < count; ++n) {
        arguments.push_back(bw::Utf8Text(wide[n]));
    }
    LocalFree(wide);
    return arguments;
}

std::string ProgramFolder() {
    std::wstring path(32768, L'\0');
    const DWORD size = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (size == 0 || size >= path.size()) {
        return "";
    }
    path.resize(size);
    path.erase(path.find_last_of(L"\\/") + 1);
    return bw::Utf8Text(path);
}

bool InputIsTerminal() {
    return _isatty(_fileno(stdin)) != 0;
}

// Starts the wizard program beside this one and waits for it, so that a
// console start ends when the wizard closes, with its exit status.
int RunWizard(int, char**) {
    const std::wstring program = bw::WideText(ProgramFolder() + WIZARD_PROGRAM_FILE);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        const DWORD error = GetLastError();
        std::fprintf(stderr, "blockwright: the wizard cannot be started (%s, error %lu).\n%s",
                     bw::Utf8Text(program).c_str(), error,
                     "Generate a block without a window with `blockwright generate TEMPLATE`.\n");
        return bw::EXIT_STOPPED;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}

#else

std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

// The folder of this program, ending in "/", or "" when it cannot be told.
std::string ProgramFolder() {
    std::string path(4096, '\0');
    const ssize_t size = readlink("/proc/self/exe", path.data(), path.size());
    if (size <= 0 || static_cast<size_t>(size) >= path.size()) {
        return "";
    }
    path.resize(static_cast<size_t>(size));
    return path.substr(0, path.rfind('/') + 1);
}

bool InputIsTerminal() {
    return isatty(STDIN_FILENO) != 0;
}

int RunWizard(int argc, char** argv) {
    const std::string module = bw::ModuleFolder(ProgramFolder()) + WIZARD_MODULE_FILE;
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto entry = handle != nullptr
                           ? reinterpret_cast<WizardModuleEntry>(dlsym(handle, WIZARD_MODULE_ENTRY))
                           : nullptr;
    if (entry == nullptr) {
        std::fprintf(stderr, "blockwright: the wizard cannot be loaded (%s).\n%s", dlerror(),
                     "Generate a block without a window with `blockwright generate TEMPLATE`.\n");
        return bw::EXIT_STOPPED;
    }
    return entry(&argc, argv);
}

#endif

using Command = int (*)(const std::vector<std::string>&, const std::string&, bw::Console&);

// What was printed has to reach standard output (not a full disk, not a
// closed pipe) for a command to have done its work.
int WithOutputWritten(int status) {
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && !std::ferror(stdout) && std::cout) {
        return status;
    }
    const int error = errno != 0 ? errno : EIO;
    std::fprintf(stderr, "blockwright: cannot write standard output: %s\n", std::strerror(error));
    return status != bw::EXIT_COMPLETED ? status : bw::EXIT_STOPPED;
}

// A command without a window: the arguments after its name, the console,
// which shows control characters from templates escaped. A fault of the
// program's own code (a generator's pattern naming a variable that is not
// set) ends the command as an internal error once every temporary file of
// the run is gone.
int RunCommand(Command command, const std::vector<std::string>& arguments) {
    bw::VisibleStream out(std::cout);
    bw::VisibleStream err(std::cerr);
    bw::Console console{std::cin, out, err, InputIsTerminal()};
    int status = bw::EXIT_STOPPED;
    try {
        status = command({arguments.begin() + 2, arguments.end()}, bw::StockFolder(ProgramFolder()),
                         console);
    } catch (const std::logic_error& error) {
        std::fprintf(stderr, "blockwright: internal error: %s\n", error.what());
    }
    if (!out) {
        std::cout.setstate(std::ios::badbit);  // a write was refused: said at the end
    }
    return status;
}

std::vector<std::string> SettingsLocations() {
    return bw::NativeSettings().Locations();
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "blockwright: %s\nTry 'blockwright --help'.\n", message.c_str());
    return bw::EXIT_USAGE;
}

// What the help sends the reader to: the manual page, which Windows has no
// reader for; there the HTML manual installed beside the program.
std::string Manual() {
    return bw::ManualReference(!bw::RUNNING_ON_WINDOWS,
                               bw::DisplayPath(bw::StockFolder(ProgramFolder()) + bw::MANUAL_FILE));
}

// `blockwright help [COMMAND]`.
int RunHelp(const std::vector<std::string>& arguments) {
    if (arguments.size() > 3) {
        return UsageError("help takes at most one command");
    }
    const std::string command = arguments.size() == 3 ? arguments[2] : "help";
    const auto text = bw::CommandHelp(command, SettingsLocations(), Manual());
    if (!text) {
        return UsageError("there is no command \"" + command + "\" to help with");
    }
    std::fputs(text->c_str(), stdout);
    return bw::EXIT_COMPLETED;
}

// A command of the command line, by its name.
int RunCommandLine(const std::vector<std::string>& arguments) {
    const std::string command = arguments.size() > 1 ? arguments[1] : "";
    if (command == "generate") {
        return RunCommand(bw::RunGenerateCommand, arguments);
    }
    if (command == "check") {
        return RunCommand(bw::RunCheckCommand, arguments);
    }
    if (command == "try") {
        return RunCommand(bw::RunTryCommand, arguments);
    }
    if (command == "help") {
        return RunHelp(arguments);
    }
    if (command == "--help" || command == "-h") {
        std::fputs(bw::ProgramHelp(SettingsLocations(), Manual()).c_str(), stdout);
        return bw::EXIT_COMPLETED;
    }
    if (command == "--version") {
        std::fputs(bw::VersionText().c_str(), stdout);
        return bw::EXIT_COMPLETED;
    }
    return UsageError("unknown command \"" + command + "\"");
}

}  // namespace

int main(int argc, char** argv) {
    KeepFreedMemoryForTheNextFile();
    if (argc < 2) {
        return RunWizard(argc, argv);
    }
    return WithOutputWritten(RunCommandLine(Arguments(argc, argv)));
}
