// The host catalogue: the family's products, their folders, library lists
// and group catalogues, read from settings files in a temporary folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "wizard/host_catalogue.h"

namespace bw {
namespace {

class HostCatalogueTest : public ::testing::Test {
protected:
    HostCatalogueTest() {
        folders.user = (temp.path() + "/home").toStdString();
        folders.system = {(temp.path() + "/system").toStdString()};
    }

    // A product's settings file in the user's or the system-wide folder.
    void Product(const std::string& folder, const char* product,
                 const std::vector<std::pair<QString, QString>>& values) {
        QSettings file(QString::fromStdString(folder) + "/Calderic/" + product + ".conf",
                       QSettings::IniFormat);
        for (const auto& [key, value] : values) {
            file.setValue(key, value);
        }
        file.sync();
    }

    void Write(const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QString Folder(const char* below) const { return temp.path() + below; }

    QTemporaryDir temp;
    FamilyFolders folders;
};

TEST_F(HostCatalogueTest, ListsTheLibrariesAndGroupsOfEveryProduct) {
    // Zirud keeps its folder system-wide (as an installer writes it), VEXA in
    // the user's file; Tools has no folder and is skipped.
    Product(folders.system[0], "Zirud Izadivo", {{"Settings/Working Directory", Folder("/zirud")}});
    Product(folders.user, "Zirud Izadivo",
            {{"Libraries/Library Count", "3"},
             {"Libraries/Lib1", "Simulation Library"},
             {"Libraries/LibFile1", "libs/sim.lib.ini"},
             {"Libraries/Lib2", ""},
             {"Libraries/LibFile2", "missing.ini"},
             {"Libraries/Lib3", "Filters"},
             {"Libraries/LibFile3", "LIBS/Filters.ini"}});
    Product(folders.user, "VEXA",
            {{"Settings/Working Directory", Folder("/vexa/")},
             {"libraries/library count", "2"},  // names are matched without case
             {"Libraries/Lib1", "simulation library"},
             {"Libraries/LibFile1", "rt.ini"},
             {"Libraries/Lib2", "Real-Time, DSP"}});
    Product(folders.user, "Tools",
            {{"Libraries/Library Count", "1"}, {"Libraries/Lib1", "Unreachable"}});

    Write(Folder("/zirud/libs/sim.lib.ini"),
          "[Groups]\r\nGroup Count=3\r\nGroup1=Arithmetic\r\nGroup2=\r\nGroup3=Sources\r\n");
    Write(Folder("/zirud/libs/filters.ini"), "[groups]\ngroup count=1\nGroup1=Filters\n");
    Write(Folder("/vexa/rt.ini"),
          "[Groups]\nGroup Count=2\nGroup1=arithmetic\nGroup2=" + QByteArray(120, 'x') + "\n");

    const HostCatalogue catalogue = ReadHostCatalogue(folders);
    // Products in name order: Tools, VEXA, Zirud Izadivo.
    EXPECT_EQ(catalogue.libraries,
              (std::vector<std::string>{"simulation library", "Real-Time, DSP", "Filters"}));
    EXPECT_EQ(catalogue.groups,
              (std::vector<std::string>{"arithmetic", std::string(99, 'x'), "Sources", "Filters"}));
}

TEST_F(HostCatalogueTest, NoFamilyGivesEmptyLists) {
    const HostCatalogue catalogue = ReadHostCatalogue(folders);
    EXPECT_TRUE(catalogue.libraries.empty());
    EXPECT_TRUE(catalogue.groups.empty());
}

}  // namespace
}  // namespace bw
