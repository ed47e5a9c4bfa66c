#include "platform/host_catalogue.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "definition/file_bytes.h"
#include "definition/profile_file.h"
#include "generation/paths.h"
#include "generation/shared_rules.h"
#include "platform/settings_store.h"

namespace bw {

namespace {

constexpr const char* FAMILY = "Calderic";
constexpr const char* SETTINGS_EXTENSION = ".conf";

std::string NameText(const std::filesystem::path& name) {
#ifdef _WIN32
    return Utf8Text(name.wstring());
#else
    return name.string();
#endif
}

std::string ProductFile(const std::string& folder, const std::string& product) {
    return folder + "/" + FAMILY + "/" + product + SETTINGS_EXTENSION;
}

// The products of the family: one settings file each in the user's folder,
// in name order.
std::vector<std::string> Products(const FamilyFolders& folders) {
    std::vector<std::string> products;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(
             FileSystemPath(folders.user + "/" + FAMILY), ignored)) {
        if (entry.is_regular_file(ignored) && entry.path().extension() == SETTINGS_EXTENSION) {
            products.push_back(NameText(entry.path().stem()));
        }
    }
    std::sort(products.begin(), products.end());
    return products;
}

// A value of a settings file that may not exist; names are matched without
// regard to case, as registry value names are.
std::optional<std::string> ReadValue(const std::string& file, const std::string& section,
                                     const std::string& name) {
    ProfileFile settings;
    if (!settings.Load(file)) {
        return std::nullopt;
    }
    return ReadSettingsValue(settings, section, name);
}

// The product's folder, ending in a separator; empty when it has none.
std::string ProductFolder(const FamilyFolders& folders, const std::string& product) {
    std::optional<std::string> folder;
    for (const std::string& system : folders.system) {
        folder = ReadValue(ProductFile(system, product), "Settings", "Working Directory");
        if (folder) {
            break;
        }
    }
    if (!folder) {
        folder = ReadValue(ProductFile(folders.user, product), "Settings", "Working Directory");
    }
    if (!folder || folder->empty()) {
        return {};
    }
    if (folder->back() != '\\' && folder->back() != '/') {
        folder->push_back('/');
    }
    return *folder;
}

bool Contains(const std::vector<std::string>& list, const std::string& name) {
    const std::string wanted = LowerCase(name);
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& entry) { return LowerCase(entry) == wanted; });
}

// Adds a non-empty name that the list does not hold yet.
void AddName(std::vector<std::string>& list, const std::string& name) {
    if (!name.empty() && !Contains(list, name)) {
        list.push_back(name);
    }
}

void ReadGroups(const std::string& catalogueFile, std::vector<std::string>& groups) {
    ProfileFile catalogue;
    if (!catalogue.Load(NativePath(catalogueFile))) {
        return;
    }
    const int count = catalogue.GetInt("Groups", "Group Count", 0);
    for (int n = 1; n <= count; ++n) {
        std::string group = catalogue.GetString("Groups", "Group" + std::to_string(n), "");
        if (group.size() > MAX_GROUP_NAME) {
            group.resize(MAX_GROUP_NAME);
        }
        AddName(groups, group);
    }
}

void ReadProduct(const FamilyFolders& folders, const std::string& product,
                 HostCatalogue& catalogue) {
    const std::string productFolder = ProductFolder(folders, product);
    if (productFolder.empty()) {
        return;
    }
    ProfileFile file;
    file.Load(ProductFile(folders.user, product));
    const auto value = [&](const std::string& name) {
        return ReadSettingsValue(file, "Libraries", name).value_or("");
    };
    const int count = DecimalValue(value("Library Count"));
    for (int n = 1; n <= count; ++n) {
        const std::string number = std::to_string(n);
        AddName(catalogue.libraries, value("Lib" + number));
        const std::string libraryFile = value("LibFile" + number);
        if (!libraryFile.empty()) {
            ReadGroups(productFolder + libraryFile, catalogue.groups);
        }
    }
}

#ifdef _WIN32

// The registry's counterparts on Windows: the products are the sub-keys of
// the user's "Software\Calderic"; a product's folder is the machine-wide
// "Settings" value "Working Directory"; its libraries are in the user's
// "Libraries" key.
std::wstring ProductKey(const std::string& product, const char* section) {
    return WideText(std::string("Software\\") + FAMILY + "\\" + product + "\\" + section);
}

std::vector<std::string> RegistryProducts() {
    std::vector<std::string> products;
    HKEY family = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, WideText(std::string("Software\\") + FAMILY).c_str(), 0,
                      KEY_ENUMERATE_SUB_KEYS, &family) != ERROR_SUCCESS) {
        return products;
    }
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name / sizeof name[0];
        const LONG status =
            RegEnumKeyExW(family, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status == ERROR_SUCCESS) {
            products.push_back(Utf8Text(std::wstring_view(name, length)));
        }
    }
    RegCloseKey(family);
    return products;
}

// A string or number value as text; empty when it is missing.
std::string RegistryText(HKEY root, const std::wstring& key, const std::string& name) {
    const std::wstring value = WideText(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegGetValueW(root, key.c_str(), value.c_str(), RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type,
                     nullptr, &size) != ERROR_SUCCESS) {
        return {};
    }
    if (type == REG_DWORD) {
        DWORD number = 0;
        size = sizeof number;
        return RegGetValueW(root, key.c_str(), value.c_str(), RRF_RT_REG_DWORD, nullptr, &number,
                            &size) == ERROR_SUCCESS
                   ? std::to_string(number)
                   : std::string();
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(root, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, text.data(),
                     &size) != ERROR_SUCCESS) {
        return {};
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return Utf8Text(text);
}

void ReadRegistryProduct(const std::string& product, HostCatalogue& catalogue) {
    std::string productFolder =
        RegistryText(HKEY_LOCAL_MACHINE, ProductKey(product, "Settings"), "Working Directory");
    if (productFolder.empty()) {
        return;
    }
    if (productFolder.back() != '\\' && productFolder.back() != '/') {
        productFolder.push_back('\\');
    }
    const std::wstring libraries = ProductKey(product, "Libraries");
    const auto value = [&](const std::string& name) {
        return RegistryText(HKEY_CURRENT_USER, libraries, name);
    };
    const int count = DecimalValue(value("Library Count"));
    for (int n = 1; n <= count; ++n) {
        const std::string number = std::to_string(n);
        AddName(catalogue.libraries, value("Lib" + number));
        const std::string libraryFile = value("LibFile" + number);
        if (!libraryFile.empty()) {
            ReadGroups(productFolder + libraryFile, catalogue.groups);
        }
    }
}

#endif

}  // namespace

FamilyFolders FamilyFolders::FromEnvironment() {
    FamilyFolders folders;
#ifndef _WIN32
    folders.user = UserConfigFolder();
    for (const std::string& folder : SystemConfigFolders()) {
        if (folder != folders.user) {
            folders.system.push_back(folder);
        }
    }
#endif
    return folders;
}

HostCatalogue ReadHostCatalogue(const FamilyFolders& folders) {
    HostCatalogue catalogue;
#ifdef _WIN32
    for (const std::string& product : RegistryProducts()) {
        ReadRegistryProduct(product, catalogue);
    }
#endif
    for (const std::string& product : Products(folders)) {
        ReadProduct(folders, product, catalogue);
    }
    return catalogue;
}

}  // namespace bw
