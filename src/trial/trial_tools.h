#pragma once

// The programs a try needs: a MinGW-w64 compiler and resource compiler for
// x86_64, and, off Windows, Wine's 64-bit loader and its server.

#include <string>
#include <vector>

namespace bw {

struct TrialTools {
    std::string compiler;
    std::string resourceCompiler;
    std::string wineLoader;  // empty on Windows, where the runner runs itself
    std::string wineServer;
};

// Finds the tools on searchPath (a PATH-like list) and in the places such
// tools are commonly installed. Gives what is missing, where it was looked
// for and what installs it; empty when everything was found.
std::string FindTrialTools(const std::string& searchPath, TrialTools& tools);

// Off Windows, Wine's folder for the blocks tried: the program's own in the
// user's cache ($XDG_CACHE_HOME, else ~/.cache), never the user's ~/.wine,
// the same for the command line and the wizard, so that one set-up serves
// both. Empty on Windows, where no Wine runs.
std::string TrialWinePrefix();

// The folders of a PATH-like list.
std::vector<std::string> SearchFolders(const std::string& searchPath);

}  // namespace bw
