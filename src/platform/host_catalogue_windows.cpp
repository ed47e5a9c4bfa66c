// The host's catalogue where the family keeps it on Windows: the registry.
#include <windows.h>

#include <string>
#include <vector>

#include "files/wide_text.h"
#include "platform/host_catalogue_parts.h"

namespace bw {

namespace {

constexpr const char* FAMILY = "Calderic";

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
    catalogue::ReadLibraries(value, productFolder, catalogue);
}

}  // namespace

FamilyFolders FamilyFolders::FromEnvironment() {
    return {};
}

void catalogue::ReadSystemCatalogue(HostCatalogue& catalogue) {
    for (const std::string& product : RegistryProducts()) {
        ReadRegistryProduct(product, catalogue);
    }
}

}  // namespace bw
