// The host catalogue: the family's products, their folders, library lists
// and group catalogues, read from settings files in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/host_catalogue.h"
#include "platform/settings_store.h"
#include "support/generate.h"

namespace bw {
namespace {

class HostCatalogueTest : public ::testing::Test {
protected:
    HostCatalogueTest() {
        folders.user = temp.path() + "home";
        folders.system = {temp.path() + "system"};
    }

    // A product's settings file in the user's or the system-wide folder, its
    // names and values written in their escaped forms: "Section/Name".
    void Product(const std::string& folder, const char* product,
                 const std::vector<std::pair<std::string, std::string>>& values) {
        std::map<std::string, std::string> sections;
        for (const auto& [key, value] : values) {
            const size_t slash = key.find('/');
            sections[key.substr(0, slash)] +=
                EscapeSettingsKey(key.substr(slash + 1)) + "=" + EscapeSettingsValue(value) + "\n";
        }
        std::string text;
        for (const auto& [section, lines] : sections) {
            text += "[" + section + "]\n" + lines;
        }
        Write(folder + "/Calderic/" + product + ".conf", text);
    }

    void Write(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        WriteFileBytes(path, text);
    }

    std::string Folder(const char* below) const { return temp.path() + below; }

    TempDir temp;
    FamilyFolders folders;
};

TEST_F(HostCatalogueTest, ListsTheLibrariesAndGroupsOfEveryProduct) {
    // Zirud keeps its folder system-wide (as an installer writes it), VEXA in
    // the user's file; Tools has no folder and is skipped.
    Product(folders.system[0], "Zirud Izadivo", {{"Settings/Working Directory", Folder("zirud")}});
    Product(folders.user, "Zirud Izadivo",
            {{"Libraries/Library Count", "3"},
             {"Libraries/Lib1", "Simulation Library"},
             {"Libraries/LibFile1", "libs/sim.lib.ini"},
             {"Libraries/Lib2", ""},
             {"Libraries/LibFile2", "missing.ini"},
             {"Libraries/Lib3", "Filters"},
             {"Libraries/LibFile3", "LIBS/Filters.ini"}});
    Product(folders.user, "VEXA",
            {{"Settings/Working Directory", Folder("vexa/")},
             {"Libraries/library count", "2"},  // names are matched without case
             {"Libraries/Lib1", "simulation library"},
             {"Libraries/LibFile1", "rt.ini"},
             {"Libraries/Lib2", "Real-Time, DSP"}});
    Product(folders.user, "Tools",
            {{"Libraries/Library Count", "1"}, {"Libraries/Lib1", "Unreachable"}});

    Write(Folder("zirud/libs/sim.lib.ini"),
          "[Groups]\r\nGroup Count=3\r\nGroup1=Arithmetic\r\nGroup2=\r\nGroup3=Sources\r\n");
    Write(Folder("zirud/libs/filters.ini"), "[groups]\ngroup count=1\nGroup1=Filters\n");
    Write(Folder("vexa/rt.ini"),
          "[Groups]\nGroup Count=2\nGroup1=arithmetic\nGroup2=" + std::string(120, 'x') + "\n");

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
