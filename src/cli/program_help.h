#pragma once

// The texts of `blockwright --help`, `blockwright help [COMMAND]` and
// `blockwright --version`.

#include <optional>
#include <string>
#include <vector>

namespace bw {

// "blockwright VERSION" and a line naming the product.
std::string VersionText();

// Where the help's last line sends the reader for more: the manual page
// where one is installed, else the HTML manual installed beside the program.
std::string ManualReference(bool manualPageInstalled, const std::string& htmlManual);

// The whole program's help; settingsLocations are where the settings are
// looked up, the user's first; manual as ManualReference gives it.
std::string ProgramHelp(const std::vector<std::string>& settingsLocations,
                        const std::string& manual);

// The help of one command ("generate", "check" or "help"); nullopt for a name
// that is no command.
std::optional<std::string> CommandHelp(const std::string& command,
                                       const std::vector<std::string>& settingsLocations,
                                       const std::string& manual);

}  // namespace bw
