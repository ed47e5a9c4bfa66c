#include "cli/install_layout.h"

#include <filesystem>
#include <system_error>

#include "files/this_system.h"

namespace bw {

namespace {

// The installed folder at relative (from the program's folder), when the
// program is installed; else the program's folder itself. On Windows every
// part lies beside the program.
std::string InstalledOrBeside(const std::string& programFolder, const std::string& relative) {
    if (RUNNING_ON_WINDOWS || programFolder.empty()) {
        return programFolder;
    }
    const std::string installed = programFolder + relative;
    std::error_code error;
    return std::filesystem::is_directory(installed, error) ? installed : programFolder;
}

}  // namespace

std::string StockFolder(const std::string& programFolder) {
    return InstalledOrBeside(programFolder, BLOCKWRIGHT_STOCK_FROM_BIN);
}

std::string ModuleFolder(const std::string& programFolder) {
    return InstalledOrBeside(programFolder, BLOCKWRIGHT_MODULE_FROM_BIN);
}

}  // namespace bw
