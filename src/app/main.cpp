// The program: `blockwright generate ...` runs a generation from a template;
// without arguments the wizard opens.
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/wizard_module.h"

namespace {

constexpr const char* USAGE =
    "Usage: blockwright                          open the wizard\n"
    "       blockwright generate TEMPLATE [...]  generate a block from a template\n"
    "       blockwright generate --help          the options of generate\n"
    "       blockwright check TEMPLATE           report what keeps a template from compiling\n";

#ifdef _WIN32

std::string Utf8(const std::wstring& wide) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), bytes,
                        nullptr, nullptr);
    return text;
}

// The arguments in UTF-8, like every path the program handles: argv holds
// them in the ANSI code page, which cannot name every folder.
std::vector<std::string> Arguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int n = 0; wide != nullptr && n < count; ++n) {
        arguments.push_back(Utf8(wide[n]));
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
    return Utf8(path);
}

bool InputIsTerminal() {
    return _isatty(_fileno(stdin)) != 0;
}

int RunWizard(int, char**) {
    std::fputs(
        "blockwright: this build has no wizard.\n"
        "Generate a block with `blockwright generate TEMPLATE`.\n",
        stderr);
    return bw::EXIT_STOPPED;
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
    const std::string module = ProgramFolder() + WIZARD_MODULE_FILE;
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

// A command without a window: the arguments after its name, the console.
int RunCommand(Command command, const std::vector<std::string>& arguments) {
    bw::Console console{std::cin, std::cout, std::cerr, InputIsTerminal()};
    return command({arguments.begin() + 2, arguments.end()}, ProgramFolder(), console);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return RunWizard(argc, argv);
    }
    const std::vector<std::string> arguments = Arguments(argc, argv);
    const std::string command = arguments.size() > 1 ? arguments[1] : "";
    if (command == "generate") {
        return RunCommand(bw::RunGenerateCommand, arguments);
    }
    if (command == "check") {
        return RunCommand(bw::RunCheckCommand, arguments);
    }
    if (command == "--help" || command == "-h") {
        std::fputs(USAGE, stdout);
        return bw::EXIT_COMPLETED;
    }
    std::fprintf(stderr, "blockwright: unknown command \"%s\"\n%s", command.c_str(), USAGE);
    return bw::EXIT_USAGE;
}
