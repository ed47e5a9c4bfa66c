#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "generation/paths.h"
#include "support/generate.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// Runs the test body with the current directory in a temporary folder, so
// relative paths (and a folder wrongly named "c:") land there.
class InTempDirectory {
public:
    InTempDirectory() : previous_(fs::current_path()) { fs::current_path(dir_.path()); }
    ~InTempDirectory() { fs::current_path(previous_); }
    const std::string& path() const { return dir_.path(); }

private:
    TempDir dir_;
    fs::path previous_;
};

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
}

TEST(CreateDirectoryPath, FailsAtAComponentThatIsAFile) {
    TempDir dir;
    WriteFileBytes(dir.path() + "plain", "x");
    EXPECT_FALSE(CreateDirectoryPath(dir.path() + "plain\\below\\"));
    EXPECT_FALSE(fs::exists(dir.path() + "plain/below"));
}

TEST(CreateDirectoryPath, MatchesExistingComponentsWithoutRegardToCase) {
    TempDir dir;
    fs::create_directory(dir.path() + "DSPCode");
    EXPECT_TRUE(CreateDirectoryPath(dir.path() + "DSPCODE\\tstapp\\"));
    EXPECT_TRUE(fs::is_directory(dir.path() + "DSPCode/tstapp"));
    EXPECT_FALSE(fs::exists(dir.path() + "DSPCODE"));
}

TEST(NativePath, FindsExistingComponentsWhateverTheirCase) {
    TempDir dir;
    WriteFileBytes(dir.path() + "DSPCode/_NFAdd.c", "x");
    EXPECT_EQ(NativePath(dir.path() + "DSPCODE\\_nfadd.c"), dir.path() + "DSPCode/_NFAdd.c");
    EXPECT_TRUE(FileExists(dir.path() + "dspcode\\_NFADD.C"));
    // What does not exist yet keeps the case it was given.
    EXPECT_EQ(NativePath(dir.path() + "dspcode\\New\\File.h"), dir.path() + "DSPCode/New/File.h");
    EXPECT_FALSE(FileExists(dir.path() + "DSPCode"));  // a directory is not a file

    // An exact match wins over one that differs only in case.
    fs::create_directory(dir.path() + "dspcode");
    EXPECT_EQ(NativePath(dir.path() + "dspcode\\x"), dir.path() + "dspcode/x");
}

TEST(DriveLetterPath, IsRefusedBeforeAnythingIsCreated) {
    InTempDirectory cwd;
    EXPECT_TRUE(HasDriveLetter("c:\\blocks\\MyAdd\\"));
    EXPECT_TRUE(HasDriveLetter("D:/x"));
    EXPECT_FALSE(HasDriveLetter("/c:/x"));
    EXPECT_FALSE(HasDriveLetter("1:\\x"));

    EXPECT_FALSE(CreateDirectoryPath("c:\\blocks\\MyAdd\\"));
    EXPECT_TRUE(fs::is_empty(cwd.path()));
    fs::create_directories(cwd.path() + "c:/blocks");
    WriteFileBytes(cwd.path() + "c:/blocks/MyAdd.c", "x");
    EXPECT_FALSE(FileExists("c:\\blocks\\MyAdd.c"));

    const std::string message = DriveLetterMessage("c:\\blocks\\MyAdd\\");
    EXPECT_NE(message.find("c:\\blocks\\MyAdd\\"), std::string::npos) << message;
    EXPECT_NE(message.find("drive letter"), std::string::npos) << message;
}

TEST(CreateDirectoryPath, RelativePathsStartAtTheCurrentDirectory) {
    InTempDirectory cwd;
    EXPECT_TRUE(CreateDirectoryPath("rel\\sub\\"));
    EXPECT_TRUE(fs::is_directory(cwd.path() + "rel/sub"));
}

}  // namespace
}  // namespace bw
