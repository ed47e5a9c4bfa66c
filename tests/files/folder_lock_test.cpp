// One run per block folder: the lock file, taken and let go, and what a
// second run is told.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "files/folder_lock.h"
#include "files_test_support.h"

namespace bw {
namespace {

using FolderLockTest = FilesTest;
using std::chrono::milliseconds;

TEST_F(FolderLockTest, ASecondRunIsToldAnotherIsWritingUntilTheFirstLetsGo) {
    auto folder = OpenBlock();
    auto second = OpenBlock();
    FolderLock first, other;

    ASSERT_TRUE(first.Take(*folder, milliseconds(0)));
    EXPECT_TRUE(fs::exists(Block() / FolderLock::FILE_NAME));
    const FileResult refused = other.Take(*second, milliseconds(0));
    EXPECT_EQ(refused.Message(), "another run is writing to " + Block().string());
    EXPECT_FALSE(other.Held());

    first.Release();
    EXPECT_FALSE(fs::exists(Block() / FolderLock::FILE_NAME));
    ASSERT_TRUE(other.Take(*second, milliseconds(0)));
}

TEST_F(FolderLockTest, ALockFileLeftByAKilledRunIsTakenOver) {
    // The system let go of the lock when the process died; only the file stayed.
    Put(Block() / FolderLock::FILE_NAME, "");
    auto folder = OpenBlock();
    {
        FolderLock lock;
        ASSERT_TRUE(lock.Take(*folder, milliseconds(0)));
    }
    EXPECT_TRUE(Tree(Block()).empty());
}

#ifndef _WIN32
TEST_F(FolderLockTest, ALinkInPlaceOfTheLockFileIsRefused) {
    Put(Outside() / "victim", "outside text");
    fs::create_symlink(Outside() / "victim", Block() / FolderLock::FILE_NAME);
    auto folder = OpenBlock();
    FolderLock lock;

    EXPECT_EQ(lock.Take(*folder, milliseconds(0)).Message(),
              folder->PathOf(FolderLock::FILE_NAME) +
                  " is a link; Blockwright follows no link inside a block folder and writes "
                  "nothing through one");
    EXPECT_TRUE(fs::is_symlink(Block() / FolderLock::FILE_NAME));
    EXPECT_EQ(Bytes(Outside() / "victim"), "outside text");
}
#endif

}  // namespace
}  // namespace bw
