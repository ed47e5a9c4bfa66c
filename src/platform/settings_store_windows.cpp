// The settings in the registry, and the user's folders as Windows names them.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <system_error>

#include "files/wide_text.h"
#include "platform/settings_store.h"

namespace bw {

namespace {

std::wstring KeyPath(const std::string& section) {
    return WideText(std::string("Software\\") + ORGANISATION + "\\" + APPLICATION + "\\" + section);
}

std::optional<std::string> ReadRegistry(HKEY root, const std::string& section,
                                        const std::string& name) {
    const std::wstring path = KeyPath(section);
    const std::wstring value = WideText(name);
    DWORD size = 0;
    if (RegGetValueW(root, path.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(root, path.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, text.data(),
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return Utf8Text(text);
}

}  // namespace

struct NativeSettings::Scopes {};

NativeSettings::NativeSettings() : scopes_(std::make_unique<Scopes>()) {}

NativeSettings::~NativeSettings() = default;

std::string NativeSettings::read(const std::string& section, const std::string& name,
                                 const std::string& defaultValue) const {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        if (std::optional<std::string> value = ReadRegistry(root, section, name)) {
            return *value;
        }
    }
    return defaultValue;
}

void NativeSettings::write(const std::string& section, const std::string& name,
                           const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const std::wstring text = WideText(value);
    RegSetValueExW(key, WideText(name).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

bool NativeSettings::Flush() {
    return true;
}

std::vector<std::string> NativeSettings::Locations() const {
    const std::string path = std::string("Software\\") + ORGANISATION + "\\" + APPLICATION;
    return {"HKEY_CURRENT_USER\\" + path, "HKEY_LOCAL_MACHINE\\" + path};
}

UserFolders FindUserFolders(const std::string& programFolder) {
    UserFolders found;
    std::error_code ignored;
    if (const wchar_t* profile = _wgetenv(L"USERPROFILE")) {
        std::filesystem::path documents = std::filesystem::path(profile) / L"Documents";
        if (!std::filesystem::is_directory(documents, ignored)) {
            documents = profile;
        }
        found.documents = Utf8Text(documents.wstring());
    }
    if (std::filesystem::exists(std::filesystem::path(WideText(programFolder)) / L"Bddk.lib",
                                ignored)) {
        found.host = programFolder;
    }
    return found;
}

std::string SettingsDirectory() {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    std::filesystem::path folder = appData != nullptr ? std::filesystem::path(appData)
                                                      : std::filesystem::temp_directory_path();
    folder /= ORGANISATION;
    return Utf8Text(folder.wstring()) + "\\";
}

}  // namespace bw
