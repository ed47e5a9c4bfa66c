#include "wizard/host_catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <optional>

#include "definition/block_info.h"
#include "definition/profile_file.h"
#include "generation/paths.h"

namespace bw {

namespace {

const QString FAMILY = QStringLiteral("Calderic");

QString ProductFile(const std::string& folder, const QString& product) {
    return QString::fromLocal8Bit(folder.c_str()) + u'/' + FAMILY + u'/' + product +
           QStringLiteral(".conf");
}

// The products of the family: one settings file each in the user's folder.
QStringList Products(const FamilyFolders& folders) {
    const QDir family(QString::fromLocal8Bit(folders.user.c_str()) + u'/' + FAMILY);
    QStringList products;
    for (const QFileInfo& file :
         family.entryInfoList({QStringLiteral("*.conf")}, QDir::Files, QDir::Name)) {
        products << file.completeBaseName();
    }
    return products;
}

// A value of a settings file, its name matched exactly or else without regard
// to case, as registry value names are.
std::optional<std::string> ReadValue(const QSettings& settings, const QString& key) {
    QVariant value = settings.value(key);
    if (!value.isValid()) {
        for (const QString& candidate : settings.allKeys()) {
            if (candidate.compare(key, Qt::CaseInsensitive) == 0) {
                value = settings.value(candidate);
                break;
            }
        }
    }
    if (!value.isValid()) {
        return std::nullopt;
    }
    // A value with a comma reads as a list; its text is wanted.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", ")).toLocal8Bit().toStdString();
    }
    return value.toString().toLocal8Bit().toStdString();
}

// A value of a settings file that may not exist.
std::optional<std::string> ReadValue(const QString& file, const QString& key) {
    if (!QFileInfo::exists(file)) {
        return std::nullopt;
    }
    return ReadValue(QSettings(file, QSettings::IniFormat), key);
}

// The product's folder, ending in a separator; empty when it has none.
std::string ProductFolder(const FamilyFolders& folders, const QString& product) {
    const QString key = QStringLiteral("Settings/Working Directory");
    std::optional<std::string> folder;
    for (const std::string& system : folders.system) {
        folder = ReadValue(ProductFile(system, product), key);
        if (folder) {
            break;
        }
    }
    if (!folder) {
        folder = ReadValue(ProductFile(folders.user, product), key);
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
    const QString wanted = QString::fromLocal8Bit(name.c_str());
    return std::any_of(list.begin(), list.end(), [&](const std::string& entry) {
        return QString::fromLocal8Bit(entry.c_str()).compare(wanted, Qt::CaseInsensitive) == 0;
    });
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

void ReadProduct(const FamilyFolders& folders, const QString& product, HostCatalogue& catalogue) {
    const std::string productFolder = ProductFolder(folders, product);
    if (productFolder.empty()) {
        return;
    }
    const QSettings file(ProductFile(folders.user, product), QSettings::IniFormat);
    const int count =
        DecimalValue(ReadValue(file, QStringLiteral("Libraries/Library Count")).value_or(""));
    for (int n = 1; n <= count; ++n) {
        const QString number = QString::number(n);
        AddName(catalogue.libraries,
                ReadValue(file, QStringLiteral("Libraries/Lib") + number).value_or(""));
        const std::string libraryFile =
            ReadValue(file, QStringLiteral("Libraries/LibFile") + number).value_or("");
        if (!libraryFile.empty()) {
            ReadGroups(productFolder + libraryFile, catalogue.groups);
        }
    }
}

}  // namespace

FamilyFolders FamilyFolders::FromEnvironment() {
    FamilyFolders folders;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    folders.user = user.toLocal8Bit().toStdString();
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        if (folder != user) {
            folders.system.push_back(folder.toLocal8Bit().toStdString());
        }
    }
    return folders;
}

HostCatalogue ReadHostCatalogue(const FamilyFolders& folders) {
    HostCatalogue catalogue;
    for (const QString& product : Products(folders)) {
        ReadProduct(folders, product, catalogue);
    }
    return catalogue;
}

}  // namespace bw
