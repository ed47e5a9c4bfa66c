#include "definition/settings_rules.h"

namespace bw {

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
