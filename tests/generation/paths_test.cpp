#include "generation/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/generate.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

TEST(SplitPath, EitherSlashSeparates) {
    using Parts = std::pair<std::string, std::string>;
    EXPECT_EQ(SplitPath("c:\\blocks\\MyAdd.c"), Parts("c:\\blocks\\", "MyAdd.c"));
    EXPECT_EQ(SplitPath("/blocks/dsp\\_MyAdd.c"), Parts("/blocks/dsp\\", "_MyAdd.c"));
    EXPECT_EQ(SplitPath("blocks\\"), Parts("blocks\\", ""));
    EXPECT_EQ(SplitPath("MyAdd.c"), Parts("", ""));
}

TEST(CreateDirectoryPath, CreatesEveryMissingDirectoryButNotTheName) {
    TempDir dir;
    const fs::path before = fs::current_path();
    EXPECT_TRUE(CreateDirectoryPath(dir.path() + "one\\two/three\\"));
    EXPECT_TRUE(fs::is_directory(dir.path() + "one/two/three"));
    EXPECT_TRUE(CreateDirectoryPath(dir.path() + "four\\file.c"));
    EXPECT_TRUE(fs::is_directory(dir.path() + "four"));
    EXPECT_FALSE(fs::exists(dir.path() + "four/file.c"));
    EXPECT_EQ(fs::current_path(), before);

    // Existing components are matched without regard to case.
    fs::create_directory(dir.path() + "DSPCode");
    EXPECT_TRUE(CreateDirectoryPath(dir.path() + "DSPCODE\\tstapp\\"));
    EXPECT_TRUE(fs::is_directory(dir.path() + "DSPCode/tstapp"));
    if (!FILE_NAMES_IGNORE_CASE) {
        EXPECT_FALSE(fs::exists(dir.path() + "DSPCODE"));
    }

    WriteFileBytes(dir.path() + "plain", "x");
    EXPECT_FALSE(CreateDirectoryPath(dir.path() + "plain\\below\\"));
    EXPECT_FALSE(fs::exists(dir.path() + "plain/below"));
}

TEST(NativePath, FindsExistingComponentsWhateverTheirCase) {
    if (FILE_NAMES_IGNORE_CASE) {
        GTEST_SKIP() << "the file system itself ignores case";
    }
    TempDir dir;
    WriteFileBytes(dir.path() + "DSPCode/_NFAdd.c", "x");
    EXPECT_EQ(NativePath(dir.path() + "DSPCODE\\_nfadd.c"), dir.path() + "DSPCode/_NFAdd.c");
    EXPECT_TRUE(FileExists(dir.path() + "dspcode\\_NFADD.C"));
    // What does not exist yet keeps the case it was given.
    EXPECT_EQ(NativePath(dir.path() + "dspcode\\New\\File.h"), dir.path() + "DSPCode/New/File.h");
    // A folder keeps its closing separator.
    EXPECT_EQ(NativePath(dir.path() + "dspcode\\New\\"), dir.path() + "DSPCode/New/");
    EXPECT_EQ(NativePath(dir.path() + "dspcode\\"), dir.path() + "DSPCode/");
    EXPECT_FALSE(FileExists(dir.path() + "DSPCode"));  // a directory is not a file

    // An exact match wins over one that differs only in case.
    fs::create_directory(dir.path() + "dspcode");
    EXPECT_EQ(NativePath(dir.path() + "dspcode\\x"), dir.path() + "dspcode/x");
}

// Run in a temporary current directory, so that relative paths (and a folder
// wrongly named "c:") land there.
TEST(DriveLetterPath, IsRefusedBeforeAnythingIsCreatedAndRelativePathsStartHere) {
    if (RUNNING_ON_WINDOWS) {
        GTEST_SKIP() << "drive letters name folders on Windows";
    }
    TempDir cwd;
    const fs::path previous = fs::current_path();
    fs::current_path(cwd.path());
    EXPECT_TRUE(HasDriveLetter("c:\\blocks\\MyAdd\\"));
    EXPECT_TRUE(HasDriveLetter("D:/x"));
    EXPECT_FALSE(HasDriveLetter("/c:/x"));
    EXPECT_FALSE(HasDriveLetter("1:\\x"));

    EXPECT_FALSE(CreateDirectoryPath("c:\\blocks\\MyAdd\\"));
    EXPECT_TRUE(fs::is_empty(cwd.path()));
    WriteFileBytes(cwd.path() + "c:/blocks/MyAdd.c", "x");
    EXPECT_FALSE(FileExists("c:\\blocks\\MyAdd.c"));
    const std::string message = ForeignPathMessage("c:\\blocks\\MyAdd\\");
    EXPECT_NE(message.find("c:\\blocks\\MyAdd\\"), std::string::npos) << message;
    EXPECT_NE(message.find("drive letter"), std::string::npos) << message;

    // A network path would land in /server/share: refused the same way.
    EXPECT_TRUE(IsForeignPath("\\\\server\\share\\Gain\\"));
    EXPECT_FALSE(CreateDirectoryPath("\\\\server\\share\\Gain\\"));
    EXPECT_NE(ForeignPathMessage("\\\\server\\share").find("network path"), std::string::npos);
    EXPECT_FALSE(IsForeignPath("//server/share/Gain/"));  // a POSIX path like any other

    EXPECT_TRUE(CreateDirectoryPath("rel\\sub\\"));
    EXPECT_TRUE(fs::is_directory(cwd.path() + "rel/sub"));
    fs::current_path(previous);
}

TEST(ResolveAgainst, OnlyRelativePathsTakeTheFolder) {
    EXPECT_EQ(ResolveAgainst("examples/", "..\\out\\Gain\\"), "examples/..\\out\\Gain\\");
    EXPECT_EQ(ResolveAgainst("", "Gain"), "Gain");
    EXPECT_EQ(ResolveAgainst("examples/", "/blocks/Gain"), "/blocks/Gain");
    EXPECT_EQ(ResolveAgainst("examples/", "\\\\server\\blocks"), "\\\\server\\blocks");
    EXPECT_EQ(ResolveAgainst("examples/", "c:\\blocks\\Gain"), "c:\\blocks\\Gain");
    EXPECT_EQ(ResolveAgainst("examples/", ""), "");
}

TEST(CleanPath, DropsDotsKeepsCaseAndWritesOneSeparator) {
    // A path of another system's form keeps its first separator throughout.
    EXPECT_EQ(CleanPath("C:\\Program Files\\Blockwright\\examples\\..\\out\\Gain\\"),
              RUNNING_ON_WINDOWS ? "C:\\Program Files\\Blockwright\\out\\Gain\\"
                                 : "C:\\Program Files\\Blockwright\\out\\Gain\\");
    EXPECT_EQ(CleanPath("..\\out\\.\\Gain"), "..\\out\\Gain");
    EXPECT_EQ(CleanPath("a/../../b"), "../b");
    EXPECT_EQ(CleanPath("x\\\\y\\"), "x\\y\\");
    EXPECT_EQ(CleanPath(""), "");
    if (!RUNNING_ON_WINDOWS) {
        EXPECT_EQ(CleanPath("/work/Examples/..\\out\\Gain\\"), "/work/out/Gain/");
        EXPECT_EQ(CleanPath("/../x//y/."), "/x/y");
        EXPECT_EQ(CleanPath("/"), "/");
    } else {
        EXPECT_EQ(CleanPath("c:/Work/Examples/../out/Gain/"), "c:\\Work\\out\\Gain\\");
        EXPECT_EQ(CleanPath("\\\\server\\share\\..\\x"), "\\\\server\\x");
    }
}

// A template of the program's own install puts its block among the user's
// blocks; any other takes its relative folder from where it lies.
TEST(TemplateBlockFolder, TheInstalledExamplesGoAmongTheUsersBlocks) {
    const std::string sep = RUNNING_ON_WINDOWS ? "\\" : "/";
    const std::string root = RUNNING_ON_WINDOWS ? "C:\\" : "/";
    const std::string installed = root + "Program Files" + sep + "Blockwright" + sep;
    const std::string blocks =
        root + "home" + sep + "u" + sep + "Documents" + sep + "Blockwright" + sep;
    EXPECT_EQ(
        TemplateBlockFolder(installed + "examples" + sep, "..\\out\\Gain\\", installed, blocks),
        blocks + "Gain" + sep);
    // The case of the install folder does not matter where names ignore it.
    EXPECT_EQ(TemplateBlockFolder(RUNNING_ON_WINDOWS ? "c:\\program files\\blockwright\\examples\\"
                                                     : installed + "examples/",
                                  "..\\out\\Gain\\", installed, blocks),
              blocks + "Gain" + sep);
    const std::string mine = root + "work" + sep + "examples" + sep;
    EXPECT_EQ(TemplateBlockFolder(mine, "..\\out\\Gain\\", installed, blocks),
              root + "work" + sep + "out" + sep + "Gain" + sep);
    // An absolute folder is the user's choice, from anywhere.
    EXPECT_EQ(TemplateBlockFolder(installed, root + "b" + sep + "Gain", installed, blocks),
              root + "b" + sep + "Gain");
    // A folder beside the install with a name that begins alike is not in it.
    const std::string beside = root + "Program Files" + sep + "Blockwright2" + sep;
    EXPECT_EQ(TemplateBlockFolder(beside, "Gain", installed, blocks), beside + "Gain");
}

TEST(PathForms, ShownWithOneSeparatorAndWrittenForWindowsToolsAsWineSeesThem) {
    if (RUNNING_ON_WINDOWS) {
        EXPECT_EQ(DisplayPath("C:/blocks\\Echo/Echo.TBT"), "C:\\blocks\\Echo\\Echo.TBT");
        EXPECT_EQ(WindowsToolPath("C:\\blocks\\Gain"), "C:\\blocks\\Gain");
        return;
    }
    EXPECT_EQ(DisplayPath("/home/u/blocks/Echo\\Echo.TBT"), "/home/u/blocks/Echo/Echo.TBT");
    EXPECT_EQ(WindowsToolPath("/home/u/blocks/Gain"), "Z:\\home\\u\\blocks\\Gain");
    EXPECT_EQ(WindowsToolPath("/home/u/blocks/NFAdd\\"), "Z:\\home\\u\\blocks\\NFAdd\\");
    // Relative and drive-letter paths mean the same to the tools as typed.
    EXPECT_EQ(WindowsToolPath("..\\lib/x"), "..\\lib/x");
    EXPECT_EQ(WindowsToolPath("c:\\bddk\\lib"), "c:\\bddk\\lib");
    EXPECT_EQ(WindowsToolPath(""), "");
}

}  // namespace
}  // namespace bw
