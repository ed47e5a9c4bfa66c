#include "cli/program_help.h"

#include "cli/command_line.h"
#include "cli/try_command.h"

namespace bw {

namespace {

constexpr const char* COMMANDS = R"(Usage: blockwright [COMMAND [ARGUMENTS]]

Tessaline Blockwright writes the C source project of one processing block
from a block definition: a block template (.tbt file) that the wizard saves
and the command line reads.

Commands:
  (none)                      open the wizard
  generate TEMPLATE [options] generate the block of TEMPLATE without a window
  check TEMPLATE              report what keeps TEMPLATE from compiling
  try BLOCKFOLDER|TEMPLATE    build the generated block and try it in the
                              stand-in host, check by check
  help [COMMAND]              print this text, or the help of COMMAND
  --help, -h                  print this text
  --version                   print the program's name and version

Exit status:
  0  completed (check: nothing found)
  1  stopped: cancelled, a question left unanswered, a file not written,
     hand-edited sections not carried over, the wizard not loadable
     (check: warnings only; try: a check failed or the block did not build)
  2  usage errors and templates that cannot be read or generated
     (check: errors; try: missing tools)
  3  no display to open the wizard on (try: cancelled)

Errors are printed on standard error as "blockwright: FILE: message".
The time in the file heads is taken from SOURCE_DATE_EPOCH when it is set.
)";

}  // namespace

std::string VersionText() {
    return std::string("blockwright ") + BLOCKWRIGHT_VERSION + "\nTessaline Blockwright\n";
}

std::string ManualReference(bool manualPageInstalled, const std::string& htmlManual) {
    return manualPageInstalled ? "blockwright(1)" : "the manual " + htmlManual;
}

std::string ProgramHelp(const std::vector<std::string>& settingsLocations,
                        const std::string& manual) {
    std::string text = COMMANDS;
    text +=
        "\nSettings are looked up here, each value in the first that has it; changes go\nto the "
        "first:\n";
    for (const std::string& location : settingsLocations) {
        text += "  " + location + "\n";
    }
    text += "\nSee " + manual + " for more, and 'blockwright help generate'.\n";
    return text;
}

std::optional<std::string> CommandHelp(const std::string& command,
                                       const std::vector<std::string>& settingsLocations,
                                       const std::string& manual) {
    if (command == "generate") {
        return GenerateHelp();
    }
    if (command == "check") {
        return CheckHelp();
    }
    if (command == "try") {
        return TryHelp();
    }
    if (command == "help") {
        return ProgramHelp(settingsLocations, manual);
    }
    return std::nullopt;
}

}  // namespace bw
