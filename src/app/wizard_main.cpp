// The wizard program on Windows (blockwright-wizard.exe): what the Start menu
// and a double-clicked template start, and what `blockwright` without
// arguments starts from a console.
#include <cstdio>
#include <cstring>

#include "cli/program_help.h"
#include "app/startup.h"

int main(int argc, char** argv) {
    // Lets an install be checked without opening a window.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs(bw::VersionText().c_str(), stdout);
        return 0;
    }
    return bw::RunWizardProgram(argc, argv);
}
