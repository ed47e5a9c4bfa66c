#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/qt_settings.h"
#include "definition/block_info.h"
#include "definition/settings_rules.h"

namespace bw {
namespace {

// Points the user's and the system's configuration folders at fresh temporary
// folders for each test, and puts them back afterwards.
class QtSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        savedHome_ = qgetenv("XDG_CONFIG_HOME");
        savedDirs_ = qgetenv("XDG_CONFIG_DIRS");
        qputenv("XDG_CONFIG_HOME", Folder("user").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", (Folder("system1") + ':' + Folder("system2")).toLocal8Bit());
    }
    void TearDown() override {
        qputenv("XDG_CONFIG_HOME", savedHome_);
        qputenv("XDG_CONFIG_DIRS", savedDirs_);
    }

    QString Folder(const char* name) const { return temp_.path() + '/' + name; }
    QString SettingsFile(const char* folder) const {
        return Folder(folder) + "/Calderic/Tessaline Blockwright.conf";
    }
    // Writes a settings file by hand, as an installer or administrator would.
    void WriteSettings(const char* folder, const QByteArray& text) const {
        ASSERT_TRUE(QDir().mkpath(Folder(folder) + "/Calderic"));
        QFile file(SettingsFile(folder));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    QByteArray ReadSettings(const char* folder) const {
        QFile file(SettingsFile(folder));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir temp_;
    QByteArray savedHome_;
    QByteArray savedDirs_;
};

TEST_F(QtSettingsTest, LooksInTheUserFileThenTheSystemFilesThenTakesTheDefault) {
    WriteSettings("user", "[Settings]\nRevision=6.00\n");
    WriteSettings("system1", "[Settings]\nRevision=5.00\nVendor Name=Acme\n");
    // Value names are compared without regard to case, as in the registry.
    WriteSettings("system2", "[Settings]\nVendor Name=Other\ncompany name=Far Away\n");
    QtSettingsStore store;

    EXPECT_EQ(store.read("Settings", "Revision", "4.00"), "6.00");
    EXPECT_EQ(store.read("Settings", "Vendor Name", ""), "Acme");
    EXPECT_EQ(store.read("Settings", "Company Name", ""), "Far Away");
    EXPECT_EQ(store.read("Settings", "Lib Directory", "/default/"), "/default/");
    // Another section is another group.
    EXPECT_EQ(store.read("Other", "Revision", "none"), "none");
    EXPECT_EQ(store.fileNames().front(), SettingsFile("user"));
}

TEST_F(QtSettingsTest, WritesGoToTheUserFileOnlyAndPersist) {
    const QByteArray system = "[Settings]\nCompany Name=System Company\n";
    WriteSettings("system1", system);
    {
        QtSettingsStore store;
        store.write("Settings", "Company Name", "Calderic, Inc.");
        store.write("Settings", "Block Directory", "c:\\blocks\\x = y; z");
        store.write("Settings", "Vendor Name", "");
    }
    EXPECT_EQ(ReadSettings("system1"), system);
    EXPECT_TRUE(QFile::exists(SettingsFile("user")));

    QtSettingsStore again;
    EXPECT_EQ(again.read("Settings", "Company Name", ""), "Calderic, Inc.");
    EXPECT_EQ(again.read("Settings", "Block Directory", ""), "c:\\blocks\\x = y; z");
    // An empty value is a value: the default does not replace it.
    EXPECT_EQ(again.read("Settings", "Vendor Name", "default"), "");
}

TEST_F(QtSettingsTest, WorkingDirectoryComesFromTheSettingsOrTheProgramFolder) {
    {
        QtSettingsStore store;
        EXPECT_EQ(WorkingDirectory(store, "/usr/lib/blockwright"), "/usr/lib/blockwright/");
        EXPECT_EQ(WorkingDirectory(store, "/usr/lib/blockwright/"), "/usr/lib/blockwright/");
    }
    WriteSettings("system2", "[Settings]\nWorking Directory=/opt/tb\n");
    QtSettingsStore store;
    EXPECT_EQ(WorkingDirectory(store, "/usr/lib/blockwright/"), "/opt/tb/");
}

TEST_F(QtSettingsTest, ANewBlockWithoutSettingsTakesTheDefaults) {
    QtSettingsStore store;
    BLOCKINFO block;
    block.Reset(store, WorkingDirectory(store, "/prog"));
    EXPECT_EQ(block.Directory, "/prog/");
    EXPECT_EQ(block.LibraryPath, "/prog/");
    EXPECT_EQ(block.IncludePath, "/prog/");
}

TEST_F(QtSettingsTest, SettingsDirectoryIsTheUserFilesFolder) {
    const std::string directory = SettingsDirectory();
    EXPECT_EQ(directory, (Folder("user") + "/Calderic/").toStdString());
    EXPECT_TRUE(QDir(QString::fromStdString(directory)).exists());
}

}  // namespace
}  // namespace bw
