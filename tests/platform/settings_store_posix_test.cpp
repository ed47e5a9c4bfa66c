// The settings in profile files under the XDG folders.
#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "definition/block_info.h"
#include "definition/settings_rules.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// Points the user's and the system's configuration folders at fresh temporary
// folders for each test, and puts them back afterwards.
class NativeSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("bw-settings-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
        Save("XDG_CONFIG_HOME", savedHome_);
        Save("XDG_CONFIG_DIRS", savedDirs_);
        Save("HOME", savedUserHome_);
        ::setenv("XDG_CONFIG_HOME", Folder("user").c_str(), 1);
        ::setenv("HOME", Folder("home").c_str(), 1);
        ::setenv("XDG_CONFIG_DIRS", (Folder("system1") + ":relative:" + Folder("system2")).c_str(),
                 1);
    }
    void TearDown() override {
        Restore("XDG_CONFIG_HOME", savedHome_);
        Restore("XDG_CONFIG_DIRS", savedDirs_);
        Restore("HOME", savedUserHome_);
        fs::remove_all(root_);
    }

    std::string Folder(const char* name) const { return (root_ / name).string(); }
    std::string SettingsFile(const char* folder) const {
        return Folder(folder) + "/Calderic/Tessaline Blockwright.conf";
    }
    // Writes a settings file by hand, as an installer or an administrator
    // would.
    void WriteSettings(const char* folder, const std::string& text) const {
        fs::create_directories(Folder(folder) + "/Calderic");
        std::ofstream(SettingsFile(folder), std::ios::binary) << text;
    }
    static void WriteFile(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string ReadSettings(const char* folder) const {
        std::ifstream in(SettingsFile(folder), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    static void Save(const char* name, std::optional<std::string>& saved) {
        const char* value = std::getenv(name);
        saved = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    }
    static void Restore(const char* name, const std::optional<std::string>& saved) {
        if (saved) {
            ::setenv(name, saved->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }

    fs::path root_;
    std::optional<std::string> savedHome_;
    std::optional<std::string> savedDirs_;
    std::optional<std::string> savedUserHome_;
};

TEST_F(NativeSettingsTest, LooksInTheUserFileThenTheSystemFilesThenTakesTheDefault) {
    WriteSettings("user", "[Settings]\nRevision=6.00\n");
    WriteSettings("system1", "[Settings]\nRevision=5.00\nVendor%20Name=Acme\n");
    // Names are compared without regard to case, as in the registry, and a
    // hand-written name may keep its blanks.
    WriteSettings("system2", "[Settings]\nVendor Name=Other\ncompany name=Far Away\n");
    NativeSettings store;

    EXPECT_EQ(store.read("Settings", "Revision", "4.00"), "6.00");
    EXPECT_EQ(store.read("Settings", "Vendor Name", ""), "Acme");
    EXPECT_EQ(store.read("Settings", "Company Name", ""), "Far Away");
    EXPECT_EQ(store.read("Settings", "Lib Directory", "/default/"), "/default/");
    EXPECT_EQ(store.read("Other", "Revision", "none"), "none");
    // A relative folder in XDG_CONFIG_DIRS is not a place to look.
    EXPECT_EQ(store.Locations(),
              (std::vector<std::string>{SettingsFile("user"), SettingsFile("system1"),
                                        SettingsFile("system2")}));
}

TEST_F(NativeSettingsTest, WritesGoToTheUserFileOnlyAndPersist) {
    const std::string system = "[Settings]\nCompany Name=System Company\n";
    WriteSettings("system1", system);
    {
        NativeSettings store;
        store.write("Settings", "Company Name", "Calderic, Inc.");
        store.write("Settings", "Block Directory", "c:\\blocks\\x = y; z");
        store.write("Settings", "Vendor Name", "");
        // Nothing reaches the disk before the store is flushed or goes.
        EXPECT_FALSE(fs::exists(SettingsFile("user")));
    }
    EXPECT_EQ(ReadSettings("system1"), system);
    ASSERT_TRUE(fs::exists(SettingsFile("user")));

    NativeSettings again;
    EXPECT_EQ(again.read("Settings", "Company Name", ""), "Calderic, Inc.");
    EXPECT_EQ(again.read("Settings", "Block Directory", ""), "c:\\blocks\\x = y; z");
    // An empty value is a value: the default does not replace it.
    EXPECT_EQ(again.read("Settings", "Vendor Name", "default"), "");
}

TEST_F(NativeSettingsTest, ReadsQuotedAndCommentedValuesAndKeepsTheFilesOtherLines) {
    WriteSettings("user",
                  "[General]\nkept=1\n\n[Settings]\n"
                  "Block%20Directory=\"c:\\\\blocks\\\\x = y; z\"\n"
                  "Company%20Name=\"Calderic, Inc.\"\n"
                  "Lib%20Directory=/opt/lib, /opt/more ; a comment\n");
    NativeSettings store;
    EXPECT_EQ(store.read("Settings", "Block Directory", ""), "c:\\blocks\\x = y; z");
    EXPECT_EQ(store.read("Settings", "Company Name", ""), "Calderic, Inc.");
    EXPECT_EQ(store.read("Settings", "Lib Directory", ""), "/opt/lib, /opt/more");

    store.write("Settings", "Company Name", "Acme");
    ASSERT_TRUE(store.Flush());
    const std::string text = ReadSettings("user");
    EXPECT_NE(text.find("kept=1"), std::string::npos);
    EXPECT_NE(text.find("Block%20Directory=\"c:\\\\blocks\\\\x = y; z\""), std::string::npos);
    EXPECT_NE(text.find("Company%20Name=Acme"), std::string::npos);
}

TEST_F(NativeSettingsTest, WorkingDirectoryComesFromTheSettingsOrTheProgramFolder) {
    {
        NativeSettings store;
        EXPECT_EQ(WorkingDirectory(store, "/usr/lib/blockwright"), "/usr/lib/blockwright/");
    }
    WriteSettings("system2", "[Settings]\nWorking Directory=/opt/tb\n");
    NativeSettings store;
    EXPECT_EQ(WorkingDirectory(store, "/usr/lib/blockwright/"), "/opt/tb/");
}

// A new block's folders with nothing configured, the program in the build
// tree or installed: the user's documents and the host's folder, never the
// program's folder; configured ones win.
TEST_F(NativeSettingsTest, NewBlockFoldersAreTheUsersAndTheHostsWhereverTheProgramIs) {
    const std::string home = Folder("home");
    fs::create_directories(home + "/Dokumente");
    WriteFile(Folder("user") + "/user-dirs.dirs",
              "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
              "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    const std::string buildTree = Folder("build") + "/bin/";
    const std::string installed = Folder("prefix") + "/bin/";
    fs::create_directories(Folder("prefix") + "/share/blockwright");
    const auto newBlock = [](const std::string& programFolder) {
        NativeSettings store;
        BLOCKINFO block;
        block.Reset(store, DefaultFolders(FindUserFolders(programFolder)));
        return block;
    };
    for (const std::string& programFolder : {buildTree, installed}) {
        const BLOCKINFO block = newBlock(programFolder);
        EXPECT_EQ(block.Directory, home + "/Dokumente/Blockwright/") << programFolder;
        EXPECT_EQ(block.LibraryPath, home + "/Dokumente/Blockwright/host-sdk-not-set/");
        EXPECT_EQ(block.IncludePath, block.LibraryPath);
    }

    // The host is where another product of the family says it is installed,
    // its system-wide file first; this program's own "Working Directory" is
    // where its stock files are, not the host.
    WriteSettings("user", "[Settings]\nWorking%20Directory=/usr/share/blockwright\n");
    WriteFile(Folder("user") + "/Calderic/Tessaline Host.conf",
              "[Settings]\nWorking%20Directory=/home/u/host\n");
    WriteFile(Folder("system2") + "/Calderic/Tessaline Host.conf",
              "[Settings]\nWorking%20Directory=/opt/tessaline\n");
    EXPECT_EQ(newBlock(installed).LibraryPath, "/opt/tessaline/");
    EXPECT_EQ(newBlock(buildTree).IncludePath, "/opt/tessaline/");

    WriteSettings("user",
                  "[Settings]\nBlock%20Directory=/work/blocks\n"
                  "Lib%20Directory=/sdk/lib\nInclude%20Directory=/sdk/include\n");
    const BLOCKINFO configured = newBlock(installed);
    EXPECT_EQ(configured.Directory, "/work/blocks");
    EXPECT_EQ(configured.LibraryPath, "/sdk/lib");
    EXPECT_EQ(configured.IncludePath, "/sdk/include");
}

TEST_F(NativeSettingsTest, WithoutADocumentsFolderNewBlocksGoToTheHomeFolder) {
    // A documents folder that is the home folder itself, or missing, is none.
    WriteFile(Folder("user") + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n");
    EXPECT_EQ(FindUserFolders("/usr/bin/").documents, Folder("home"));
    WriteFile(Folder("user") + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Gone\"\n");
    EXPECT_EQ(FindUserFolders("/usr/bin/").documents, Folder("home"));
    EXPECT_EQ(FindUserFolders("/usr/bin/").host, "");
}

TEST_F(NativeSettingsTest, SettingsDirectoryIsTheUserFilesFolder) {
    fs::remove_all(Folder("user") + "/Calderic");
    const std::string directory = SettingsDirectory();
    EXPECT_EQ(directory, Folder("user") + "/Calderic/");
    // Naming the folder makes nothing: whoever writes there first makes it.
    EXPECT_FALSE(fs::exists(directory));
}

}  // namespace
}  // namespace bw
