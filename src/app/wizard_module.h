#pragma once

// The wizard is a module the program loads only when it opens a window, so
// that `blockwright generate` starts without the GUI libraries.

// The module's file name, beside the program.
inline constexpr const char* WIZARD_MODULE_FILE = "blockwright-wizard.so";
// Its one entry point: the whole program without arguments; returns the exit
// status.
inline constexpr const char* WIZARD_MODULE_ENTRY = "blockwright_run_wizard";
using WizardModuleEntry = int (*)(int* argc, char** argv);
