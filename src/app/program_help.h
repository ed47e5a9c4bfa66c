#pragma once

// The texts of `blockwright --help`, `blockwright help [COMMAND]` and
// `blockwright --version`.

#include <optional>
#include <string>
#include <vector>

namespace bw {

// "blockwright VERSION" and a line naming the product.
std::string VersionText();

// The whole program's help; settingsLocations are where the settings are
// looked up, the user's first.
std::string ProgramHelp(const std::vector<std::string>& settingsLocations);

// The help of one command ("generate", "check" or "help"); nullopt for a name
// that is no command.
std::optional<std::string> CommandHelp(const std::string& command,
                                       const std::vector<std::string>& settingsLocations);

}  // namespace bw
