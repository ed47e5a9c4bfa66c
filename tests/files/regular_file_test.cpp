// Files the user names (templates) are read only when they are regular files
// of a bounded size: a device, a FIFO or a folder is refused at once, without
// waiting or reading.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "files/block_folder.h"
#include "files_test_support.h"

namespace bw {
namespace {

using ::testing::StartsWith;

using RegularFileTest = FilesTest;
constexpr std::uint64_t LIMIT = std::uint64_t{16} << 20;

TEST_F(RegularFileTest, ARegularFileIsReadWhole) {
    const std::string text(300 * 1024, 'x');
    Put(Block() / "Gain.tbt", text);
    std::string bytes;

    ASSERT_TRUE(ReadRegularFile((Block() / "Gain.tbt").string(), LIMIT, bytes));

    EXPECT_EQ(bytes, text);
}

TEST_F(RegularFileTest, AFolderAMissingFileAndAnOversizedFileAreRefused) {
    std::string bytes;
    const std::string folder = Block().string();
    EXPECT_EQ(ReadRegularFile(folder, LIMIT, bytes).Message(),
              "Cannot read " + folder + ": it is a folder, not a file");

    const std::string missing = (Block() / "absent.tbt").string();
    const FileResult absent = ReadRegularFile(missing, LIMIT, bytes);
    EXPECT_THAT(absent.Message(), StartsWith("Cannot read " + missing + ": "));
    EXPECT_FALSE(absent.Reason().empty());

    // Sparse: its size alone refuses it, nothing is read.
    const fs::path large = Block() / "large.tbt";
    Put(large, "");
    fs::resize_file(large, LIMIT + 1);
    EXPECT_EQ(ReadRegularFile(large.string(), LIMIT, bytes).Message(),
              "Cannot read " + large.string() +
                  ": it is larger than 16 MB, far more than this file can hold");
    EXPECT_TRUE(bytes.empty());

    fs::resize_file(large, LIMIT);
    EXPECT_TRUE(ReadRegularFile(large.string(), LIMIT, bytes));
    EXPECT_EQ(bytes.size(), LIMIT);
}

}  // namespace
}  // namespace bw
