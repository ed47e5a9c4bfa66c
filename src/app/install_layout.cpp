#include "app/install_layout.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace bw {

namespace {

// The installed folder at relative (from the program's folder), when the
// program is installed; else the program's folder itself.
std::string InstalledOrBeside(const std::string& programFolder, const std::string& relative) {
#ifdef _WIN32
    (void)relative;
    return programFolder;
#else
    if (programFolder.empty()) {
        return programFolder;
    }
    const std::string installed = programFolder + relative;
    struct stat status {};
    if (stat(installed.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return installed;
    }
    return programFolder;
#endif
}

}  // namespace

std::string StockFolder(const std::string& programFolder) {
    return InstalledOrBeside(programFolder, BLOCKWRIGHT_STOCK_FROM_BIN);
}

std::string ModuleFolder(const std::string& programFolder) {
    return InstalledOrBeside(programFolder, BLOCKWRIGHT_MODULE_FROM_BIN);
}

}  // namespace bw
