// The block folder where the system has permission bits and links.
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "files/block_folder.h"
#include "files_test_support.h"

namespace bw {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
using BlockFolderTest = FilesTest;

mode_t ModeOf(const fs::path& path) {
    struct stat status {};
    lstat(path.c_str(), &status);
    return status.st_mode & 07777;
}

TEST_F(BlockFolderTest, AReplacedFileKeepsItsPermissions) {
    auto folder = OpenBlock();
    Put(Block() / "Gain.c", "private");
    Put(Block() / "Gain.h", "read-only");
    Put(Block() / "Gain.rc", "ordinary");
    chmod((Block() / "Gain.c").c_str(), 0600);
    chmod((Block() / "Gain.h").c_str(), 0444);
    chmod((Block() / "Gain.rc").c_str(), 0664);

    EXPECT_FALSE(folder->Look("Gain.c").readOnly);
    EXPECT_TRUE(folder->Look("Gain.h").readOnly);
    for (const char* name : {"Gain.c", "Gain.h", "Gain.rc"}) {
        ASSERT_TRUE(folder->Write(name, "new"));
    }

    EXPECT_EQ(ModeOf(Block() / "Gain.c"), 0600u);
    EXPECT_EQ(ModeOf(Block() / "Gain.h"), 0444u);
    EXPECT_EQ(ModeOf(Block() / "Gain.rc"), 0664u);
    EXPECT_EQ(Bytes(Block() / "Gain.h"), "new");
}

// What a backup, a kept-aside section or a new folder holds is no more open
// than what it comes from: a private source stays private in KRSave, from
// the moment its temporary exists.
TEST_F(BlockFolderTest, CopiesAndTheFoldersMadeForThemAreNoMoreOpenThanTheirOriginals) {
    chmod(Block().c_str(), 0700);
    auto folder = OpenBlock();
    Put(Block() / "Gain.c", "private");
    Put(Block() / "Gain.h", "read-only");
    chmod((Block() / "Gain.c").c_str(), 0600);
    chmod((Block() / "Gain.h").c_str(), 0444);

    ASSERT_TRUE(folder->Copy("Gain.c", "KRSave/Gain.c", COPY_LIMIT));
    EXPECT_EQ(ModeOf(Block() / "KRSave"), 0700u);
    EXPECT_EQ(ModeOf(Block() / "KRSave" / "Gain.c"), 0600u);
    // An older, more open backup does not make the next one open.
    chmod((Block() / "KRSave" / "Gain.c").c_str(), 0644);
    ASSERT_TRUE(folder->Copy("Gain.c", "KRSave/Gain.c", COPY_LIMIT));
    EXPECT_EQ(ModeOf(Block() / "KRSave" / "Gain.c"), 0600u);
    ASSERT_TRUE(folder->Copy("Gain.h", "KRSave/Gain.h", COPY_LIMIT));
    EXPECT_EQ(ModeOf(Block() / "KRSave" / "Gain.h"), 0444u);

    bool taken = false;
    ASSERT_TRUE(folder->WriteNew("KRSave/Gain.c.orphaned", "kept", taken, 0600u));
    EXPECT_EQ(ModeOf(Block() / "KRSave" / "Gain.c.orphaned"), 0600u);
    {
        NewFile replacing(*folder, "Gain.c");
        ASSERT_TRUE(replacing.Open());
        EXPECT_EQ(ModeOf(Block() / replacing.TemporaryName()), 0600u);
    }
}

TEST_F(BlockFolderTest, AFolderMadeInAnOpenFolderIsAsOpenAsTheUmaskLets) {
    chmod(Block().c_str(), 0755);
    const mode_t mask = umask(022);
    auto folder = OpenBlock();
    ASSERT_TRUE(folder->Write("DSPCODE/KRSave/Gain.c", "kept"));
    umask(mask);
    EXPECT_EQ(ModeOf(Block() / "DSPCODE"), 0755u);
    EXPECT_EQ(ModeOf(Block() / "DSPCODE" / "KRSave"), 0755u);
}

// A file far larger than anything the program writes (here a sparse one of
// 20 GB, which takes no room) is not copied, and its copy's place is left as
// it was.
TEST_F(BlockFolderTest, ACopyOfAFileLargerThanItsBoundIsRefusedBeforeAnythingIsWritten) {
    auto folder = OpenBlock();
    Put(Block() / "IFGain.c", "");
    fs::resize_file(Block() / "IFGain.c", std::uintmax_t{20} << 30);
    Put(Block() / "KRSave" / "IFGain.c", "the older backup");

    const FileResult copied = folder->Copy("IFGain.c", "KRSave/IFGain.c", COPY_LIMIT);

    EXPECT_EQ(copied.Message(), "Cannot copy " + folder->PathOf("IFGain.c") +
                                    ": it is larger than 16 MB, far more than any file "
                                    "Blockwright writes");
    EXPECT_EQ(fs::directory_iterator(Block() / "KRSave")->path().filename(), "IFGain.c");
    EXPECT_EQ(Bytes(Block() / "KRSave" / "IFGain.c"), "the older backup");
    EXPECT_EQ(std::distance(fs::directory_iterator(Block() / "KRSave"), {}), 1);
}

// A name in another case is the entry that has it, as on Windows: an exact
// match first, then the first in name order; a new name is created as given.
TEST_F(BlockFolderTest, ANameInAnotherCaseFindsItsEntry) {
    auto folder = OpenBlock();
    Put(Block() / "krsave" / "Gain.c", "the backup");
    Put(Block() / "DSPCode" / "_Gain.c", "dsp");

    std::string bytes;
    ASSERT_TRUE(folder->Read("KRSave/GAIN.C", 100, bytes));
    EXPECT_EQ(bytes, "the backup");
    ASSERT_TRUE(folder->Write("KRSave/Gain.h", "header"));
    ASSERT_TRUE(folder->Copy("DSPCODE/_Gain.c", "dspcode/KRSave/_Gain.c", COPY_LIMIT));
    EXPECT_EQ(folder->FoundPathOf("KRSAVE/Gain.h"), (Block() / "krsave" / "Gain.h").string());

    EXPECT_EQ(Tree(Block()),
              (std::map<std::string, std::string>{{"krsave", "/"},
                                                  {"krsave/Gain.c", "the backup"},
                                                  {"krsave/Gain.h", "header"},
                                                  {"DSPCode", "/"},
                                                  {"DSPCode/_Gain.c", "dsp"},
                                                  {"DSPCode/KRSave", "/"},
                                                  {"DSPCode/KRSave/_Gain.c", "dsp"}}));
}

// A file written as new takes a name nothing has, not even a dangling link,
// and never replaces anything.
TEST_F(BlockFolderTest, ANewFileNeverReplacesAnything) {
    auto folder = OpenBlock();
    Put(Block() / "KRSave" / "Gain.c.orphaned", "kept before");
    fs::create_symlink(Outside() / "new.c", Block() / "KRSave" / "Gain.c-2.orphaned");

    bool taken = false;
    for (const char* name : {"KRSave/Gain.c.orphaned", "KRSave/Gain.c-2.orphaned"}) {
        EXPECT_FALSE(folder->WriteNew(name, "kept now", taken)) << name;
        EXPECT_TRUE(taken) << name;
    }
    ASSERT_TRUE(folder->WriteNew("KRSave/Gain.c-3.orphaned", "kept now", taken));
    EXPECT_FALSE(taken);

    EXPECT_EQ(Bytes(Block() / "KRSave" / "Gain.c.orphaned"), "kept before");
    EXPECT_EQ(Bytes(Block() / "KRSave" / "Gain.c-3.orphaned"), "kept now");
    EXPECT_FALSE(fs::exists(Outside() / "new.c"));
    EXPECT_EQ(Tree(Block()).size(), 4u);  // no temporary left
}

// Each kind of link a block folder can bring along, pointing outside it.
class PlantedLinkTest : public FilesTest {
protected:
    PlantedLinkTest() {
        Put(Outside() / "victim.c", "outside text");
        Put(Outside() / "folder" / "Gain.c", "outside backup");
        before_ = Tree(Outside());
    }

    void Plant(const std::string& name, const fs::path& target) {
        fs::create_directories((Block() / name).parent_path());
        fs::create_symlink(target, Block() / name);
    }

    // Nothing outside the block folder changed, byte for byte.
    void ExpectOutsideUntouched() { EXPECT_EQ(Tree(Outside()), before_); }

    std::map<std::string, std::string> before_;
};

TEST_F(PlantedLinkTest, ALinkAtATargetIsRefusedAndLeftAsItIs) {
    auto folder = OpenBlock();
    Plant("Gain.c", Outside() / "victim.c");

    const FileResult written = folder->Write("Gain.c", "generated");

    EXPECT_EQ(written.Message(), folder->PathOf("Gain.c") +
                                     " is a link; Blockwright follows no link inside a block "
                                     "folder and writes nothing through one");
    EXPECT_TRUE(fs::is_symlink(Block() / "Gain.c"));
    EXPECT_EQ(Tree(Block()).size(), 1u);  // no temporary left
    ExpectOutsideUntouched();
}

TEST_F(PlantedLinkTest, PlantedTemporariesAreNeitherWrittenThroughNorTakenForLeftovers) {
    auto folder = OpenBlock();
    Plant("Gain.c.tmp~", Outside() / "victim.c");
    Plant("KRSave/Gain.c.part~", Outside() / "victim.c");
    Plant("Gain.c.orphaned", Outside() / "absent");  // dangling

    ASSERT_TRUE(folder->Write("Gain.c", "generated"));
    ASSERT_TRUE(folder->Copy("Gain.c", "KRSave/Gain.c", COPY_LIMIT));

    EXPECT_TRUE(folder->Leftovers({"", "KRSave"}).empty());
    EXPECT_FALSE(folder->Write("Gain.c.orphaned", "kept text"));
    EXPECT_EQ(Bytes(Block() / "Gain.c"), "generated");
    EXPECT_FALSE(fs::exists(Outside() / "absent"));
    ExpectOutsideUntouched();
}

TEST_F(PlantedLinkTest, ALinkedFolderIsRefusedWhereverItLies) {
    auto folder = OpenBlock();
    Put(Block() / "Gain.c", "the user's source");
    Plant("KRSave", Outside() / "folder");
    Plant("DSPCODE", Outside() / "folder");

    const FileResult backup = folder->Copy("Gain.c", "KRSave/Gain.c", COPY_LIMIT);
    EXPECT_EQ(backup.Message(), folder->PathOf("KRSave") +
                                    " is a link; Blockwright follows no link inside a block "
                                    "folder and writes nothing through one");
    EXPECT_FALSE(folder->Write("DSPCODE/Gain.c", "generated"));
    EXPECT_FALSE(folder->Rename("Gain.c", "DSPCODE/Gain.c"));
    EXPECT_FALSE(folder->Remove("KRSave/Gain.c"));
    std::string bytes;
    EXPECT_FALSE(folder->Read("KRSave/Gain.c", 100, bytes));
    EXPECT_TRUE(folder->Leftovers({"KRSave"}).empty());
    EXPECT_EQ(Bytes(Block() / "Gain.c"), "the user's source");
    ExpectOutsideUntouched();
}

TEST_F(PlantedLinkTest, ALinkIsNeitherReadNorCopiedNorRenamedButCanBeRemoved) {
    auto folder = OpenBlock();
    Plant("Gain.c", Outside() / "victim.c");
    std::string bytes;

    EXPECT_EQ(folder->Look("Gain.c").kind, EntryKind::Link);
    EXPECT_FALSE(folder->Read("Gain.c", 100, bytes));
    EXPECT_FALSE(folder->Copy("Gain.c", "KRSave/Gain.c", COPY_LIMIT));
    EXPECT_FALSE(folder->Rename("Gain.c", "Gain.h"));
    ASSERT_TRUE(folder->Remove("Gain.c"));

    EXPECT_TRUE(Tree(Block()).empty());
    ExpectOutsideUntouched();
}

TEST_F(PlantedLinkTest, ANamedFileOutsideBlockFoldersIsReplacedThroughTheLinkTheUserMade) {
    // Settings files kept elsewhere and linked in, as some users keep them.
    Put(Outside() / "settings.conf", "old");
    chmod((Outside() / "settings.conf").c_str(), 0600);
    fs::create_symlink(Outside() / "settings.conf", Block() / "settings.conf");

    ASSERT_TRUE(ReplaceNamedFile((Block() / "settings.conf").string(), "new"));

    EXPECT_TRUE(fs::is_symlink(Block() / "settings.conf"));
    EXPECT_EQ(Bytes(Outside() / "settings.conf"), "new");
    EXPECT_EQ(ModeOf(Outside() / "settings.conf"), 0600u);
    EXPECT_EQ(Tree(Outside()).size(), before_.size() + 1);  // no temporary left beside it
}

TEST_F(PlantedLinkTest, ABlockFolderThatIsALinkIsRefused) {
    fs::remove(Block());
    fs::create_symlink(Outside(), Block());
    std::unique_ptr<BlockFolder> folder;

    EXPECT_EQ(
        BlockFolder::Open(Block().string(), true, folder).Message(),
        Block().string() + " is a link or not a folder; a block folder must be a folder itself");
    ExpectOutsideUntouched();
}

}  // namespace
}  // namespace bw
