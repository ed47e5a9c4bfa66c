#include "platform/settings_store.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include "definition/file_bytes.h"
#else
#include <fstream>

#include "definition/profile_file.h"
#endif

namespace bw {

namespace {

constexpr const char* ORGANISATION = "Calderic";
constexpr const char* APPLICATION = "Tessaline Blockwright";

bool IsPlainKeyCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void AppendUtf8(std::string& text, unsigned long codePoint) {
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | ((codePoint >> 18) & 0x07));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// The hex digits of text from position, at most maxDigits, as a number; position
// moves past them.
unsigned long ReadHex(const std::string& text, size_t& position, size_t maxDigits) {
    unsigned long value = 0;
    for (size_t n = 0; n < maxDigits && position < text.size(); ++n, ++position) {
        const int digit = HexValue(text[position]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<unsigned long>(digit);
    }
    return value;
}

char EscapedCharacter(char c) {
    switch (c) {
        case 'a':
            return '\a';
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        case 'v':
            return '\v';
        default:
            return c;  // '"', '\'', '?', '\\' and anything unknown stand for themselves
    }
}

const char* EscapeOf(char c) {
    switch (c) {
        case '\a':
            return "\\a";
        case '\b':
            return "\\b";
        case '\f':
            return "\\f";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        case '\v':
            return "\\v";
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        default:
            return nullptr;
    }
}

// One item of a value being read: unquoted blanks around it do not count.
struct ValueItem {
    std::string text;
    size_t kept = 0;  // the length without trailing unquoted blanks

    void AddSignificant(char c) {
        text += c;
        kept = text.size();
    }
    void AddSignificant(unsigned long codePoint) {
        AppendUtf8(text, codePoint);
        kept = text.size();
    }
    void AddUnquoted(char c) {
        if (c == ' ' || c == '\t') {
            if (!text.empty()) {
                text += c;
            }
            return;
        }
        AddSignificant(c);
    }
    std::string Take() {
        text.resize(kept);
        kept = 0;
        return std::move(text);
    }
};

}  // namespace

std::string EscapeSettingsKey(const std::string& name) {
    static constexpr char HEX[] = "0123456789ABCDEF";
    std::string key;
    for (const char c : name) {
        if (c == '/') {
            key += '\\';
        } else if (IsPlainKeyCharacter(c)) {
            key += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            key += '%';
            key += HEX[byte / 16];
            key += HEX[byte % 16];
        }
    }
    return key;
}

std::string UnescapeSettingsKey(const std::string& key) {
    std::string name;
    for (size_t i = 0; i < key.size();) {
        const char c = key[i];
        if (c == '\\') {
            name += '/';
            ++i;
        } else if (c == '%' && i + 1 < key.size() && key[i + 1] == 'U') {
            i += 2;
            AppendUtf8(name, ReadHex(key, i, 4));
        } else if (c == '%' && i + 2 < key.size() && HexValue(key[i + 1]) >= 0 &&
                   HexValue(key[i + 2]) >= 0) {
            name += static_cast<char>(HexValue(key[i + 1]) * 16 + HexValue(key[i + 2]));
            i += 3;
        } else {
            name += c;
            ++i;
        }
    }
    return name;
}

std::string EscapeSettingsValue(const std::string& value) {
    static constexpr char HEX[] = "0123456789abcdef";
    std::string text = value.starts_with('@') ? "@" : "";
    bool needsQuotes = false;
    // A hex digit right after a "\x" escape would be read as part of it, so
    // it is escaped as well.
    bool afterHexEscape = false;
    for (const char c : value) {
        if (c == ';' || c == ',' || c == '=') {
            needsQuotes = true;
        }
        const auto byte = static_cast<unsigned char>(c);
        const char* escape = EscapeOf(c);
        if (escape != nullptr) {
            text += escape;
            afterHexEscape = false;
        } else if (byte < 0x20 || (afterHexEscape && HexValue(c) >= 0)) {
            text += "\\x";
            text += HEX[byte / 16];
            text += HEX[byte % 16];
            afterHexEscape = true;
        } else {
            text += c;
            afterHexEscape = false;
        }
    }
    if (needsQuotes || value.starts_with(' ') || value.ends_with(' ')) {
        text = '"' + text + '"';
    }
    return text;
}

std::string UnescapeSettingsValue(const std::string& text) {
    std::vector<std::string> items;
    ValueItem item;
    bool inQuotes = false;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '"') {
            inQuotes = !inQuotes;
            ++i;
        } else if (c == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            i += 2;
            if (next == 'x') {
                item.AddSignificant(ReadHex(text, i, 6));
            } else if (next >= '0' && next <= '7') {
                unsigned long octal = static_cast<unsigned long>(next - '0');
                for (int n = 0; n < 2 && i < text.size() && text[i] >= '0' && text[i] <= '7';
                     ++n, ++i) {
                    octal = octal * 8 + static_cast<unsigned long>(text[i] - '0');
                }
                item.AddSignificant(octal);
            } else {
                item.AddSignificant(EscapedCharacter(next));
            }
        } else if (!inQuotes && c == ';') {
            break;  // the rest of the line is a comment
        } else if (!inQuotes && c == ',') {
            items.push_back(item.Take());
            ++i;
        } else {
            if (inQuotes) {
                item.AddSignificant(c);
            } else {
                item.AddUnquoted(c);
            }
            ++i;
        }
    }
    items.push_back(item.Take());
    std::string value = items.front();
    for (size_t n = 1; n < items.size(); ++n) {
        value += ", " + items[n];
    }
    if (value.starts_with("@@")) {
        value.erase(0, 1);
    }
    return value;
}

// A value as stored under name, its escaped form first, as written by hand after.
std::optional<std::string> ReadSettingsValue(const ProfileFile& file, const std::string& section,
                                             const std::string& name) {
    std::optional<std::string_view> text = file.Find(section, EscapeSettingsKey(name));
    if (!text) {
        text = file.Find(section, name);
    }
    if (!text) {
        return std::nullopt;
    }
    return UnescapeSettingsValue(std::string(*text));
}

#ifdef _WIN32

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

#else

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

#endif

}  // namespace bw
