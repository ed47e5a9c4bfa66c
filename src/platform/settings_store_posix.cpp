// The settings in profile files under the XDG folders, and the user's folders
// as the desktop names them.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "definition/profile_file.h"
#include "platform/settings_store.h"

namespace bw {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::string UserConfigFolder() {
    const std::string home = Environment("XDG_CONFIG_HOME");
    if (home.starts_with('/')) {
        return home;
    }
    return Environment("HOME") + "/.config";
}

std::vector<std::string> SystemConfigFolders() {
    std::vector<std::string> folders;
    const std::string list = Environment("XDG_CONFIG_DIRS");
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(':', start), list.size());
        const std::string folder = list.substr(start, end - start);
        if (folder.starts_with('/')) {
            folders.push_back(folder);
        }
        start = end + 1;
    }
    if (folders.empty()) {
        folders.emplace_back("/etc/xdg");
    }
    return folders;
}

namespace {

std::string SettingsFileIn(const std::string& folder) {
    return folder + "/" + ORGANISATION + "/" + APPLICATION + ".conf";
}

}  // namespace

struct NativeSettings::Scopes {
    std::vector<std::string> paths;  // the user's first
    std::vector<ProfileFile> files;
    bool unsaved = false;
};

NativeSettings::NativeSettings() : scopes_(std::make_unique<Scopes>()) {
    const std::string user = UserConfigFolder();
    scopes_->paths.push_back(SettingsFileIn(user));
    for (const std::string& folder : SystemConfigFolders()) {
        if (folder != user) {
            scopes_->paths.push_back(SettingsFileIn(folder));
        }
    }
    scopes_->files.resize(scopes_->paths.size());
    for (size_t n = 0; n < scopes_->paths.size(); ++n) {
        scopes_->files[n].Load(scopes_->paths[n]);
    }
}

NativeSettings::~NativeSettings() {
    Flush();
}

std::string NativeSettings::read(const std::string& section, const std::string& name,
                                 const std::string& defaultValue) const {
    for (const ProfileFile& file : scopes_->files) {
        if (std::optional<std::string> value = ReadSettingsValue(file, section, name)) {
            return *value;
        }
    }
    return defaultValue;
}

void NativeSettings::write(const std::string& section, const std::string& name,
                           const std::string& value) {
    ProfileFile& user = scopes_->files.front();
    // Each run writes the same few settings again; an unchanged value needs no save.
    if (ReadSettingsValue(user, section, name) == value) {
        return;
    }
    user.SetString(section, EscapeSettingsKey(name), EscapeSettingsValue(value));
    scopes_->unsaved = true;
}

bool NativeSettings::Flush() {
    if (!scopes_->unsaved) {
        return true;
    }
    const std::string& path = scopes_->paths.front();
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    scopes_->unsaved = !scopes_->files.front().Save(path);
    return !scopes_->unsaved;
}

std::vector<std::string> NativeSettings::Locations() const {
    return scopes_->paths;
}

namespace {

bool IsFolder(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && std::filesystem::is_directory(path, ignored);
}

// XDG_DOCUMENTS_DIR of the user's user-dirs.dirs ("$HOME/Documents"), when it
// names a folder other than the home folder, else the home folder.
std::string DocumentsFolder() {
    const std::string home = Environment("HOME");
    std::ifstream dirs(UserConfigFolder() + "/user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=";
    for (std::string line; std::getline(dirs, line);) {
        if (!line.starts_with(key)) {
            continue;
        }
        std::string folder = line.substr(key.size());
        if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') {
            folder = folder.substr(1, folder.size() - 2);
        }
        if (folder.starts_with("$HOME")) {
            folder.replace(0, 5, home);
        }
        while (folder.size() > 1 && folder.back() == '/') {
            folder.pop_back();
        }
        if (folder != home && IsFolder(folder)) {
            return folder;
        }
    }
    return home;
}

// The "Working Directory" of the family's product settings file name in one
// of the folders, system-wide ones first; empty when none names one.
std::string ProductFolder(const std::vector<std::string>& folders, const std::string& name) {
    for (const std::string& folder : folders) {
        ProfileFile file;
        if (!file.Load(folder + "/" + ORGANISATION + "/" + name)) {
            continue;
        }
        const std::optional<std::string> value =
            ReadSettingsValue(file, setting::SECTION, setting::WORKING_DIRECTORY);
        if (value && !value->empty()) {
            return value->back() == '/' || value->back() == '\\' ? *value : *value + "/";
        }
    }
    return {};
}

// The first folder another product of the family names, products taken in
// name order from the user's folder, as the host's catalogue lists them.
std::string HostFolder() {
    const std::string user = UserConfigFolder();
    std::vector<std::string> folders = SystemConfigFolders();
    folders.push_back(user);
    std::vector<std::string> products;
    std::error_code ignored;
    for (const auto& entry :
         std::filesystem::directory_iterator(user + "/" + ORGANISATION, ignored)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".conf" && name != std::string(APPLICATION) + ".conf") {
            products.push_back(name);
        }
    }
    std::sort(products.begin(), products.end());
    for (const std::string& product : products) {
        std::string folder = ProductFolder(folders, product);
        if (!folder.empty()) {
            return folder;
        }
    }
    return {};
}

}  // namespace

UserFolders FindUserFolders(const std::string&) {
    return {DocumentsFolder(), HostFolder()};
}

std::string SettingsDirectory() {
    return UserConfigFolder() + "/" + ORGANISATION + "/";
}

}  // namespace bw
