// The run's progress: which file is in hand, as the run names them.
#include <gtest/gtest.h>

#include "definition/seams.h"
#include "run/file_set.h"
#include "wizard/run_progress.h"

namespace bw {
namespace {

TEST(RunProgressTest, FollowsTheRunThroughItsSetAndNeverMovesBack) {
    MemorySettings settings;
    BLOCKINFO block;
    block.Reset(settings, {"/nowhere/", "/nowhere/", "/nowhere/"});
    block.BlockName = "NTAdd";
    block.IconFilename = "NTAdd.ico";
    block.Directory = "/blocks/NTAdd";
    const std::vector<BlockFile> files = RunFileSet(block);

    RunProgress progress(block);
    EXPECT_EQ(progress.fileCount(), static_cast<int>(files.size()));
    EXPECT_EQ(progress.current(), -1);
    EXPECT_EQ(progress.currentFile(), "");

    EXPECT_TRUE(progress.reached(files[0].path));
    EXPECT_EQ(progress.currentFile(), files[0].path);
    EXPECT_TRUE(progress.reached("NTAdd.h"));
    EXPECT_EQ(progress.currentFile(), "NTAdd.h");
    const int atHeader = progress.current();
    EXPECT_EQ(files[static_cast<size_t>(atHeader)].path, "NTAdd.h");

    EXPECT_FALSE(progress.reached(files[0].path));
    EXPECT_FALSE(progress.reached("NTAdd.h"));
    EXPECT_FALSE(progress.reached("not-in-the-set.c"));
    EXPECT_EQ(progress.current(), atHeader);
}

}  // namespace
}  // namespace bw
