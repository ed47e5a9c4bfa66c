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

}  // namespace
}  // namespace bw
