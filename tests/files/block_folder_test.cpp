// The block folder: files replaced whole through exclusive temporaries, no
// link below the folder followed, permissions kept, leftovers of a killed run
// recognised, and an empty or root folder never taken for a block folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "files/block_folder.h"
#include "files_test_support.h"

namespace bw {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

using BlockFolderTest = FilesTest;

// "<target>.<eight hexadecimal digits>.tmp~"
bool IsTemporaryOf(const std::string& target, const std::string& name) {
    const std::string digits = name.substr(std::min(name.size(), target.size() + 1), 8);
    return name.size() == target.size() + 14 && name.starts_with(target + ".") &&
           name.ends_with(".tmp~") &&
           digits.find_first_not_of("0123456789abcdef") == std::string::npos;
}

TEST_F(BlockFolderTest, AFileIsReplacedWholeAndNoTemporaryStays) {
    auto folder = OpenBlock();
    Put(Block() / "Gain.c", "the previous text");

    ASSERT_TRUE(folder->Write("Gain.c", "the new text"));
    ASSERT_TRUE(folder->Write("DSPCODE\\tstapp/Gain_i.c", "in a new folder"));

    EXPECT_EQ(Tree(Block()),
              (std::map<std::string, std::string>{{"Gain.c", "the new text"},
                                                  {"DSPCODE", "/"},
                                                  {"DSPCODE/tstapp", "/"},
                                                  {"DSPCODE/tstapp/Gain_i.c", "in a new folder"}}));
}

TEST_F(BlockFolderTest, ANewFileWritesToAnExclusiveTemporaryUntilItIsCommitted) {
    auto folder = OpenBlock();
    Put(Block() / "Gain.c", "the previous text");
    {
        NewFile file(*folder, "Gain.c");
        ASSERT_TRUE(file.Open());
        EXPECT_TRUE(IsTemporaryOf("Gain.c", file.TemporaryName())) << file.TemporaryName();
        ASSERT_TRUE(file.Write("half of the "));
        EXPECT_EQ(Bytes(Block() / "Gain.c"), "the previous text");
        EXPECT_EQ(Bytes(Block() / file.TemporaryName()), "half of the ");
        // Another writer of the same file gets a temporary of its own.
        NewFile other(*folder, "Gain.c");
        ASSERT_TRUE(other.Open());
        EXPECT_NE(other.TemporaryName(), file.TemporaryName());
    }
    // Gone without a commit: the file and the folder as they were.
    EXPECT_EQ(Tree(Block()), (std::map<std::string, std::string>{{"Gain.c", "the previous text"}}));
}

TEST_F(BlockFolderTest, PathsLeavingTheFolderAreRefused) {
    auto folder = OpenBlock();
    for (const char* path : {"../outside/x", "KRSave/../../x", "", "KRSave//x", "./x"}) {
        const FileResult written = folder->Write(path, "x");
        EXPECT_FALSE(written) << path;
        EXPECT_THAT(written.Message(), HasSubstr("does not name a file inside")) << path;
    }
    EXPECT_TRUE(Tree(Outside()).empty());
}

TEST_F(BlockFolderTest, AnEmptyOrRootFolderIsNeverABlockFolder) {
    std::unique_ptr<BlockFolder> folder;
    EXPECT_EQ(BlockFolder::Open("", true, folder).Message(),
              "No block folder is given: an empty directory names none");
    for (const char* root : {"/", "//", "C:\\", "C:/", "\\"}) {
        EXPECT_EQ(BlockFolder::Open(root, true, folder).Message(),
                  std::string(root) + " is a root folder, which is never a block folder");
    }
    EXPECT_EQ(folder, nullptr);
}

TEST_F(BlockFolderTest, AMissingBlockFolderIsCreatedWithTheFoldersAboveIt) {
    std::unique_ptr<BlockFolder> folder;
    const fs::path deep = root_ / "new" / "blocks" / "Gain";

    ASSERT_TRUE(BlockFolder::Open(deep.string() + "/", true, folder));

    EXPECT_EQ(fs::path(folder->Path()), deep / "");
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_FALSE(BlockFolder::Open((root_ / "absent").string(), false, folder));
}

TEST_F(BlockFolderTest, ReadsAreBoundedToRegularFiles) {
    auto folder = OpenBlock();
    Put(Block() / "Gain.c", "0123456789");
    fs::create_directories(Block() / "KRSave");
    std::string bytes;

    ASSERT_TRUE(folder->Read("Gain.c", 10, bytes));
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_EQ(folder->Read("Gain.c", 9, bytes).Message(),
              "Cannot read " + folder->PathOf("Gain.c") +
                  ": it is larger than 9 bytes, far more than this file can hold");
    EXPECT_EQ(folder->Read("KRSave", 10, bytes).Message(),
              "Cannot read " + folder->PathOf("KRSave") + ": it is a folder, not a file");
    EXPECT_THAT(folder->Read("Absent.c", 10, bytes).Message(),
                StartsWith("Cannot read " + folder->PathOf("Absent.c") + ": "));
}

TEST_F(BlockFolderTest, AnEntryIsSeenAsItIs) {
    auto folder = OpenBlock();
    Put(Block() / "Gain.c", "12345");
    fs::create_directories(Block() / "KRSave");

    EXPECT_EQ(folder->Look("Gain.c").kind, EntryKind::File);
    EXPECT_EQ(folder->Look("Gain.c").size, 5u);
    EXPECT_EQ(folder->Look("KRSave").kind, EntryKind::Folder);
    EXPECT_EQ(folder->Look("Absent.c").kind, EntryKind::Missing);
    EXPECT_EQ(folder->Look("Absent/Gain.c").kind, EntryKind::Missing);
}

TEST_F(BlockFolderTest, ACopyReplacesItsTargetAndARenameMovesAFile) {
    auto folder = OpenBlock();
    Put(Block() / "Gain.c", "the user's source");
    Put(Block() / "KRSave" / "Gain.c", "an older backup");

    ASSERT_TRUE(folder->Copy("Gain.c", "KRSave/Gain.c", COPY_LIMIT));
    EXPECT_EQ(Bytes(Block() / "KRSave" / "Gain.c"), "the user's source");

    ASSERT_TRUE(folder->Rename("Gain.c", "KRSave/Gain.c.orphaned"));
    EXPECT_EQ(Tree(Block()), (std::map<std::string, std::string>{
                                 {"KRSave", "/"},
                                 {"KRSave/Gain.c", "the user's source"},
                                 {"KRSave/Gain.c.orphaned", "the user's source"}}));
}

TEST_F(BlockFolderTest, LeftoversOfAStoppedRunAreRecognisedAndRemoved) {
    auto folder = OpenBlock();
    Put(Block() / "Gain.c", "the user's source");
    Put(Block() / "Gain.c.0badf00d.tmp~", "half a text");
    Put(Block() / "Gain.h.tmp~", "a temporary without the random part");
    Put(Block() / "KRSave" / "Gain.c.part~", "half a backup");
    Put(Block() / "DSPCODE" / "Gain_i.c.1234abcd.tmp~", "half a text");
    Put(Block() / "notes.txt", "the user's notes");
    fs::create_directories(Block() / "folder.tmp~");

    const std::vector<std::string> leftovers =
        folder->Leftovers({"", "KRSave", "DSPCODE", "Absent"});

    EXPECT_THAT(leftovers, ::testing::UnorderedElementsAre("Gain.c.0badf00d.tmp~", "Gain.h.tmp~",
                                                           "KRSave/Gain.c.part~",
                                                           "DSPCODE/Gain_i.c.1234abcd.tmp~"));
    ASSERT_TRUE(folder->RemoveLeftovers(leftovers));
    EXPECT_EQ(Tree(Block()), (std::map<std::string, std::string>{{"Gain.c", "the user's source"},
                                                                 {"notes.txt", "the user's notes"},
                                                                 {"DSPCODE", "/"},
                                                                 {"KRSave", "/"},
                                                                 {"folder.tmp~", "/"}}));
}

}  // namespace
}  // namespace bw
