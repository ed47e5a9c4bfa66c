#include "platform/host_catalogue.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "definition/profile_file.h"
#include "files/wide_text.h"
#include "generation/names_and_literals.h"
#include "generation/paths.h"
#include "platform/host_catalogue_parts.h"
#include "platform/settings_store.h"

namespace bw {

namespace {

constexpr const char* FAMILY = "Calderic";
constexpr const char* SETTINGS_EXTENSION = ".conf";

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
            products.push_back(PathText(entry.path().stem()));
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

}  // namespace

namespace catalogue {

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& name) {
    const std::string wanted = LowerCase(name);
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& entry) { return LowerCase(entry) == wanted; });
}

}  // namespace

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

void ReadLibraries(const std::function<std::string(const std::string& name)>& value,
                   const std::string& productFolder, HostCatalogue& catalogue) {
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

}  // namespace catalogue

namespace {

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
    catalogue::ReadLibraries(value, productFolder, catalogue);
}

}  // namespace

HostCatalogue ReadHostCatalogue(const FamilyFolders& folders) {
    HostCatalogue catalogue;
    catalogue::ReadSystemCatalogue(catalogue);
    for (const std::string& product : Products(folders)) {
        ReadProduct(folders, product, catalogue);
    }
    return catalogue;
}

}  // namespace bw
