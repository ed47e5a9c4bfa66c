// The block folder as a run holds it: locked against a second run, cleared of
// a stopped run's temporaries, and refused when a link stands where the run
// would write.
#include "run/run_folder.h"
#include "generation/paths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "run/generation_run.h"
#include "run/run_folder_blocks.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::HasSubstr;

TEST(RunFolderTest, TheRunsFoldersAndEntriesIncludeTheBackups) {
    const std::vector<BlockFile> files = RunFileSet(BlockIn("/blocks/Gain/"));

    const std::vector<std::string> folders = RunFolders(files);
    EXPECT_THAT(folders, Contains(""));
    EXPECT_THAT(folders, Contains("KRSave"));
    EXPECT_THAT(folders, Contains("DSPCODE"));
    EXPECT_THAT(folders, Contains("DSPCODE/KRSave"));

    const std::vector<std::string> entries = RunEntries(files);
    EXPECT_THAT(entries, Contains("Gain.h"));
    EXPECT_THAT(entries, Contains("KRSave/Gain.h"));
    EXPECT_THAT(entries, Contains("DSPCODE"));
    EXPECT_THAT(entries, Contains("DSPCODE\\_Gain.c"));
    EXPECT_THAT(entries, Contains("DSPCODE/KRSave/_Gain.c"));
}

TEST(RunFolderTest, ASecondRunIsRefusedWhileTheFirstHoldsTheFolder) {
    TempDir temp;
    const BLOCKINFO block = BlockIn(temp.path() + "Gain");
    const std::vector<BlockFile> files = RunFileSet(block);
    RunFolder first;
    ASSERT_TRUE(first.Open(block, files));

    RunFolder second;
    EXPECT_EQ(second.Open(block, files).Message(),
              "another run is writing to " + NativePath(temp.path() + "Gain"));
}

TEST(RunFolderTest, AStoppedRunsTemporariesAreRemoved) {
    TempDir temp;
    const BLOCKINFO block = BlockIn(temp.path() + "Gain");
    WriteFileBytes(temp.path() + "Gain/Gain.h.1a2b3c4d.tmp~", "half");
    WriteFileBytes(temp.path() + "Gain/DSPCODE/KRSave/_Gain.c.part~", "half");
    WriteFileBytes(temp.path() + "Gain/notes.tmp", "the user's");

    RunFolder folder;
    ASSERT_TRUE(folder.Open(block, RunFileSet(block)));

    EXPECT_TRUE(folder.LeftoverFault().empty());
    EXPECT_FALSE(fs::exists(temp.path() + "Gain/Gain.h.1a2b3c4d.tmp~"));
    EXPECT_FALSE(fs::exists(temp.path() + "Gain/DSPCODE/KRSave/_Gain.c.part~"));
    EXPECT_TRUE(fs::exists(temp.path() + "Gain/notes.tmp"));
}

}  // namespace
}  // namespace bw
