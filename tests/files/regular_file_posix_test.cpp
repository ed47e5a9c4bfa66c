// Files the user names, where the system has devices, FIFOs and links.
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "files/block_folder.h"
#include "files_test_support.h"

namespace bw {
namespace {

using ::testing::StartsWith;
using RegularFileTest = FilesTest;
constexpr std::uint64_t LIMIT = std::uint64_t{16} << 20;

TEST_F(RegularFileTest, ADeviceAndAFifoAreRefusedWithoutWaiting) {
    std::string bytes;
    EXPECT_EQ(ReadRegularFile("/dev/zero", LIMIT, bytes).Message(),
              "Cannot read /dev/zero: it is not a regular file (a device, a pipe or a socket)");

    const fs::path fifo = Block() / "Gain.tbt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadRegularFile(fifo.string(), LIMIT, bytes).Message(),
              "Cannot read " + fifo.string() +
                  ": it is not a regular file (a device, a pipe or a socket)");
}

TEST_F(RegularFileTest, ALinkTheUserNamesIsFollowed) {
    Put(Outside() / "Gain.tbt", "[Block]\r\n");
    fs::create_symlink(Outside() / "Gain.tbt", Block() / "Gain.tbt");
    std::string bytes;

    ASSERT_TRUE(ReadRegularFile((Block() / "Gain.tbt").string(), LIMIT, bytes));

    EXPECT_EQ(bytes, "[Block]\r\n");
}

}  // namespace
}  // namespace bw
