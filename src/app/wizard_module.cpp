// The wizard module's entry point (see wizard_module.h).
#include "cli/wizard_module.h"
#include "app/startup.h"

extern "C" __attribute__((visibility("default"))) int blockwright_run_wizard(int* argc,
                                                                             char** argv) {
    return bw::RunWizardProgram(*argc, argv);
}
