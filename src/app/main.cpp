// The program: `blockwright generate ...` runs a generation from a template;
// without arguments the wizard opens.
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/startup.h"

namespace {

constexpr const char* USAGE =
    "Usage: blockwright                          open the wizard\n"
    "       blockwright generate TEMPLATE [...]  generate a block from a template\n"
    "       blockwright generate --help          the options of generate\n";

int RunGenerate(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    bw::Console console{std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) != 0};
    const std::string programFolder =
        QCoreApplication::applicationDirPath().toLocal8Bit().toStdString() + "/";
    return bw::RunGenerateCommand(arguments, programFolder, console);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return bw::RunWizardProgram(argc, argv);
    }
    const std::string command = argv[1];
    if (command == "generate") {
        return RunGenerate(argc, argv);
    }
    if (command == "--help" || command == "-h") {
        std::fputs(USAGE, stdout);
        return bw::EXIT_COMPLETED;
    }
    std::fprintf(stderr, "blockwright: unknown command \"%s\"\n%s", command.c_str(), USAGE);
    return bw::EXIT_USAGE;
}
