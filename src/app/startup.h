#pragma once

// The wizard's start-up: a display, the single instance, the settings and the
// working directory, a new block, then the wizard until it closes.

#include <string>

namespace bw {

// The exit status when there is no display to show the wizard on.
inline constexpr int EXIT_NO_DISPLAY = 3;

inline constexpr const char* NO_DISPLAY_MESSAGE =
    "blockwright: no display is available, so the wizard cannot open. Generate a block "
    "without a window with `blockwright generate TEMPLATE` (see `blockwright generate "
    "--help`).\n";

// Whether the platform Qt will pick can show windows, judged from the
// environment (QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY).
bool DisplayAvailable();

// The whole program without arguments; returns the exit status.
int RunWizardProgram(int& argc, char** argv);

}  // namespace bw
