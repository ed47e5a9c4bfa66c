// The run's progress: which file is in hand, seen from the files themselves.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "definition/seams.h"
#include "run/file_set.h"
#include "wizard/run_progress.h"

namespace bw {
namespace {

class RunProgressTest : public ::testing::Test {
protected:
    RunProgressTest() {
        MemorySettings settings;
        block.Reset(settings, {"/nowhere/", "/nowhere/", "/nowhere/"});
        block.BlockName = "NTAdd";
        block.IconFilename = "NTAdd.ico";
        block.Directory = temp.path().toStdString() + "/NTAdd";
        QDir().mkpath(QString::fromStdString(block.Directory));
        files = RunFileSet(block);
    }

    void Touch(size_t index, const char* content) {
        QFile file(QString::fromStdString(block.Directory + "/" + files.at(index).path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QTemporaryDir temp;
    BLOCKINFO block;
    std::vector<BlockFile> files;
};

TEST_F(RunProgressTest, FollowsTheLastFileMadeInTheRunsOrder) {
    RunProgress progress(block);
    EXPECT_EQ(progress.fileCount(), static_cast<int>(files.size()));
    EXPECT_FALSE(progress.update());
    EXPECT_EQ(progress.current(), -1);
    EXPECT_EQ(progress.currentFile(), "");

    Touch(0, "template");
    ASSERT_TRUE(progress.update());
    EXPECT_EQ(progress.currentFile(), files[0].path);

    // A No answer leaves file 1 alone: file 2 follows file 0.
    Touch(2, "interface");
    ASSERT_TRUE(progress.update());
    EXPECT_EQ(progress.current(), 2);
    EXPECT_EQ(progress.currentFile(), "IFNTAdd.c");
    EXPECT_FALSE(progress.update());

    // An earlier file never moves it back.
    Touch(1, "late");
    EXPECT_FALSE(progress.update());
    EXPECT_EQ(progress.current(), 2);
}

TEST_F(RunProgressTest, AFileThatExistedCountsOnlyOnceReplaced) {
    Touch(3, "old header");
    RunProgress progress(block);
    EXPECT_FALSE(progress.update());
    Touch(3, "the new, longer header");
    ASSERT_TRUE(progress.update());
    EXPECT_EQ(progress.current(), 3);
}

TEST_F(RunProgressTest, TheRunsOwnPathOfAFileMovesItThereButNeverBack) {
    RunProgress progress(block);
    const std::string directory = DirectoryPrefix(block);
    EXPECT_TRUE(progress.reached(directory + "NTAdd.h"));
    EXPECT_EQ(progress.currentFile(), "NTAdd.h");
    EXPECT_FALSE(progress.reached(directory + "IFNTAdd.c"));
    EXPECT_FALSE(progress.reached(directory + "not-in-the-set.c"));
    EXPECT_EQ(progress.currentFile(), "NTAdd.h");
}

}  // namespace
}  // namespace bw
