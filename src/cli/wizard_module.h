#pragma once

// The wizard is a module the program loads only when it opens a window, so
// that `blockwright generate` starts without the GUI libraries.

// The module's file name, beside the program.
inline constexpr const char* WIZARD_MODULE_FILE = "blockwright-wizard.so";
// On Windows the wizard is a GUI-subsystem program of its own, beside the
// console program, so that starting it opens no console window.
inline constexpr const char* WIZARD_PROGRAM_FILE = "blockwright-wizard.exe";
// Its one entry point: the whole program without arguments; returns the exit
// status.
inline constexpr const char* WIZARD_MODULE_ENTRY = "blockwright_run_wizard";
using WizardModuleEntry = int (*)(int* argc, char** argv);
