#pragma once

// The wizard's try of a block, wired as `blockwright try` wires it.

#include <string>

#include "trial/trial.h"

namespace bw {

// What a try needs of the program around it.
struct TrialSetting {
    std::string standinFolder;    // the installed stand-in, ending in a separator
    std::string winePrefix;       // Wine's folder for tried blocks; empty on Windows
    std::string installedFolder;  // the program's stock folder, with its examples
    std::string newBlocksFolder;  // where an example's block is generated
};

// The program's: the stand-in in its stock folder, and Wine's folder of its
// own in the user's cache, never the user's ~/.wine.
TrialSetting ProgramTrialSetting(const std::string& stockFolder,
                                 const std::string& newBlocksFolder);

// Tries the block with given's progress, in a scratch folder of its own
// that is removed afterwards, starting programs with a launcher of its own:
// it runs on the try's thread and reaches nothing of the window's.
TrialResult TryWithStandIn(const TrialRequest& request, const TrialEnvironment& given,
                           const TrialSetting& setting);

}  // namespace bw
