// The program: `blockwright generate ...` runs a generation from a template;
// without arguments the wizard opens.
#include <dlfcn.h>
#include <unistd.h>

#include <QCoreApplication>
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

using Command = int (*)(const std::vector<std::string>&, const std::string&, bw::Console&);

// A command without a window: the arguments after its name, the console.
int RunCommand(Command command, int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    bw::Console console{std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) != 0};
    const std::string programFolder =
        QCoreApplication::applicationDirPath().toLocal8Bit().toStdString() + "/";
    return command(arguments, programFolder, console);
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return RunWizard(argc, argv);
    }
    const std::string command = argv[1];
    if (command == "generate") {
        return RunCommand(bw::RunGenerateCommand, argc, argv);
    }
    if (command == "check") {
        return RunCommand(bw::RunCheckCommand, argc, argv);
    }
    if (command == "--help" || command == "-h") {
        std::fputs(USAGE, stdout);
        return bw::EXIT_COMPLETED;
    }
    std::fprintf(stderr, "blockwright: unknown command \"%s\"\n%s", command.c_str(), USAGE);
    return bw::EXIT_USAGE;
}
