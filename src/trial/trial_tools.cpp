#include "trial/trial_tools.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "files/this_system.h"

namespace bw {

namespace {

namespace fs = std::filesystem;

const char PATH_SEPARATOR = RUNNING_ON_WINDOWS ? ';' : ':';

bool IsProgram(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status)) {
        return false;
    }
    return RUNNING_ON_WINDOWS || (status.permissions() & fs::perms::owner_exec) != fs::perms::none;
}

// The first folder holding name, as a path; empty when none does.
std::string FindIn(const std::vector<std::string>& folders, const std::string& name) {
    for (const std::string& folder : folders) {
        const std::string path = (fs::path(folder) / name).string();
        if (IsProgram(path)) {
            return path;
        }
    }
    return "";
}

std::string Listed(const std::vector<std::string>& folders) {
    std::string list;
    for (const std::string& folder : folders) {
        list += (list.empty() ? "" : ", ") + folder;
    }
    return list.empty() ? "(none)" : list;
}

// Distributions whose one `wine` runs both kinds of program have no separate
// 64-bit loader; their `wine` is an ELF loader itself, where Debian's is a
// script that starts the 32-bit loader first, which a kernel without 32-bit
// code cannot run.
bool IsElfLoader(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char magic[4] = {};
    return file.read(magic, 4) && magic[0] == 0x7f && magic[1] == 'E' && magic[2] == 'L' &&
           magic[3] == 'F';
}

std::string FindWineLoader(const std::vector<std::string>& folders) {
    if (IsProgram("/usr/lib/wine/wine64")) {
        return "/usr/lib/wine/wine64";
    }
    if (std::string loader = FindIn(folders, "wine64"); !loader.empty()) {
        return loader;
    }
    const std::string wine = FindIn(folders, "wine");
    return !wine.empty() && IsElfLoader(wine) ? wine : "";
}

const char* LINUX_INSTALL =
    "install MinGW-w64 and Wine from the distribution, on Debian and Ubuntu: apt-get install "
    "gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64";

std::string FindOnLinux(const std::vector<std::string>& folders, TrialTools& tools) {
    const std::string where = " was not found on PATH (" + Listed(folders) + "); ";
    tools.compiler = FindIn(folders, "x86_64-w64-mingw32-gcc");
    if (tools.compiler.empty()) {
        return "x86_64-w64-mingw32-gcc" + where + LINUX_INSTALL;
    }
    tools.resourceCompiler = FindIn(folders, "x86_64-w64-mingw32-windres");
    if (tools.resourceCompiler.empty()) {
        return "x86_64-w64-mingw32-windres" + where + LINUX_INSTALL;
    }
    tools.wineLoader = FindWineLoader(folders);
    if (tools.wineLoader.empty()) {
        return "Wine's 64-bit loader was found neither as /usr/lib/wine/wine64 nor on PATH (" +
               Listed(folders) + ") as wine64 or a wine that is a loader itself; " + LINUX_INSTALL;
    }
    tools.wineServer = FindIn(folders, "wineserver");
    if (tools.wineServer.empty() && IsProgram("/usr/lib/wine/wineserver")) {
        tools.wineServer = "/usr/lib/wine/wineserver";
    }
    if (tools.wineServer.empty()) {
        return "wineserver" + where + LINUX_INSTALL;
    }
    return "";
}

// Where MinGW-w64 lands when installed without putting it on PATH: MSYS2's
// environments, the plain archives, TDM-GCC and Chocolatey's package.
const char* const WINDOWS_PLACES[] = {
    "C:\\msys64\\mingw64\\bin",
    "C:\\msys64\\ucrt64\\bin",
    "C:\\msys64\\clang64\\bin",
    "C:\\mingw64\\bin",
    "C:\\TDM-GCC-64\\bin",
    "C:\\ProgramData\\chocolatey\\lib\\mingw\\tools\\install\\mingw64\\bin",
};

std::string FindOnWindows(std::vector<std::string> folders, TrialTools& tools) {
    folders.insert(folders.end(), std::begin(WINDOWS_PLACES), std::end(WINDOWS_PLACES));
    for (const std::string& folder : folders) {
        const std::string gcc = FindIn({folder}, "gcc.exe");
        const std::string windres = FindIn({folder}, "windres.exe");
        if (!gcc.empty() && !windres.empty()) {
            tools.compiler = gcc;
            tools.resourceCompiler = windres;
            return "";
        }
    }
    return "no MinGW-w64 (gcc.exe beside windres.exe) was found in " + Listed(folders) +
           "; install MinGW-w64 for x86_64 (for example MSYS2's mingw-w64-x86_64-gcc) and put "
           "its bin folder on PATH";
}

}  // namespace

std::string TrialWinePrefix() {
    if (RUNNING_ON_WINDOWS) {
        return "";
    }
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    std::string base;
    if (cache != nullptr && cache[0] == '/') {
        base = cache;
    } else if (home != nullptr && home[0] != '\0') {
        base = std::string(home) + "/.cache";
    } else {
        base = (fs::temp_directory_path() / "blockwright-cache").string();
    }
    return base + "/blockwright/wine";
}

std::vector<std::string> SearchFolders(const std::string& searchPath) {
    std::vector<std::string> folders;
    size_t start = 0;
    while (start <= searchPath.size()) {
        size_t end = searchPath.find(PATH_SEPARATOR, start);
        if (end == std::string::npos) {
            end = searchPath.size();
        }
        // An empty entry means the current folder to a shell; a try never
        // takes a compiler from wherever it happens to be started.
        if (end > start) {
            folders.push_back(searchPath.substr(start, end - start));
        }
        start = end + 1;
    }
    return folders;
}

std::string FindTrialTools(const std::string& searchPath, TrialTools& tools) {
    tools = {};
    const std::vector<std::string> folders = SearchFolders(searchPath);
    return RUNNING_ON_WINDOWS ? FindOnWindows(folders, tools) : FindOnLinux(folders, tools);
}

}  // namespace bw
