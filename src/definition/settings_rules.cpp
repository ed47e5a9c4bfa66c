#include "definition/settings_rules.h"

#include "files/path_text.h"

namespace bw {

namespace {

// folder, then name and a separator of the kind folder already uses.
std::string FolderIn(std::string folder, const std::string& name) {
    const char separator =
        folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos ? '\\'
                                                                                        : '/';
    if (!folder.empty() && !IsSeparator(folder.back())) {
        folder += separator;
    }
    return folder + name + separator;
}

}  // namespace

FolderDefaults DefaultFolders(const UserFolders& user) {
    FolderDefaults defaults;
    defaults.block = FolderIn(user.documents, BLOCKS_FOLDER);
    const std::string host =
        user.host.empty() ? FolderIn(defaults.block, UNSET_HOST_FOLDER) : user.host;
    defaults.library = host;
    defaults.include = host;
    return defaults;
}

FolderDefaults NewBlockFolders(const SettingsStore& settings, const FolderDefaults& defaults) {
    return {settings.read(setting::SECTION, setting::BLOCK_DIRECTORY, defaults.block),
            settings.read(setting::SECTION, setting::LIB_DIRECTORY, defaults.library),
            settings.read(setting::SECTION, setting::INCLUDE_DIRECTORY, defaults.include)};
}

bool IsUnsetHostFolder(const std::string& path) {
    size_t end = path.size();
    while (end > 0 && IsSeparator(path[end - 1])) {
        --end;
    }
    size_t start = end;
    while (start > 0 && !IsSeparator(path[start - 1])) {
        --start;
    }
    return path.compare(start, end - start, UNSET_HOST_FOLDER) == 0;
}

std::string WorkingDirectory(const SettingsStore& settings, const std::string& programFolder) {
    std::string directory = settings.read(setting::SECTION, setting::WORKING_DIRECTORY, "");
    if (directory.empty()) {
        directory = programFolder;
    }
    if (directory.empty()) {
        return "./";
    }
    if (directory.back() != '/' && directory.back() != '\\') {
        directory += '/';
    }
    return directory;
}

}  // namespace bw
