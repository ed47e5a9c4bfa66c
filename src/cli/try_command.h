#pragma once

// `blockwright try BLOCKFOLDER|TEMPLATE [options]`: builds the block as it
// stands on disk against the stand-in host and drives it through its life
// there, check by check.

#include <string>
#include <vector>

#include "cli/command_line.h"
#include "trial/trial.h"

namespace bw {

// Parses the arguments that follow "try"; false with error set on a usage
// error. help is set by --help.
bool ParseTryArguments(const std::vector<std::string>& arguments, TrialRequest& request,
                       bool& help, std::string& error);

// The text `blockwright help try` prints.
std::string TryHelp();

// What `try` prints: a line per check, then a line that counts them.
void PrintTrialResult(const std::string& blockName, const TrialResult& result, std::ostream& out);

// Runs `blockwright try`; programFolder is the folder of the executable.
// Returns TrialExitStatus of the outcome, 2 for usage errors.
int RunTryCommand(const std::vector<std::string>& arguments, const std::string& programFolder,
                  Console& console);

// The same with the launcher and tool search path given (tests).
int RunTryCommandWith(const std::vector<std::string>& arguments, const std::string& programFolder,
                      Console& console, Launcher& launcher, const std::string& toolSearchPath);

}  // namespace bw
