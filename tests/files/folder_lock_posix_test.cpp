// The lock file where the system has links.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "files/folder_lock.h"
#include "files_test_support.h"

namespace bw {
namespace {

using FolderLockTest = FilesTest;
using std::chrono::milliseconds;

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

}  // namespace
}  // namespace bw
