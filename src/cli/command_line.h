#pragma once

// `blockwright generate TEMPLATE [options]`: a generation run without any window;
// `blockwright check TEMPLATE`: the definition checker alone.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_prompts.h"
#include "definition/block_info.h"

namespace bw {

// Exit statuses of the command line.
inline constexpr int EXIT_COMPLETED = 0;
inline constexpr int EXIT_STOPPED = 1;  // cancelled, aborted or a question left unanswered
inline constexpr int EXIT_USAGE = 2;    // usage or template errors

struct GenerateOptions {
    std::string templatePath;
    std::optional<std::string> directory;
    OverwriteMode overwrite = OverwriteMode::Ask;
    SpliceMode splice = SpliceMode::Ask;
    bool list = false;
    bool cmake = false;  // also write the CMake project
    bool help = false;
};

// Parses the arguments that follow "generate". False with error set on a
// usage error.
bool ParseGenerateArguments(const std::vector<std::string>& arguments, GenerateOptions& options,
                            std::string& error);

// The text `blockwright generate --help` prints.
std::string GenerateHelp();

// Where the command line reads and writes.
struct Console {
    std::istream& in;
    std::ostream& out;  // one line per file
    std::ostream& err;  // messages and questions
    bool terminal;      // questions can be asked on in
};

// Runs `blockwright check TEMPLATE`: prints the definition checker's findings
// and writes nothing. Returns 0 when nothing was found, 1 for warnings only
// and 2 for errors (or a template that cannot be read).
int RunCheckCommand(const std::vector<std::string>& arguments, const std::string& programFolder,
                    Console& console);

// The text `blockwright check --help` prints.
std::string CheckHelp();

// Runs `blockwright generate` with the arguments that follow "generate";
// programFolder is the folder of the executable. Returns the exit status.
int RunGenerateCommand(const std::vector<std::string>& arguments, const std::string& programFolder,
                       Console& console);

}  // namespace bw
