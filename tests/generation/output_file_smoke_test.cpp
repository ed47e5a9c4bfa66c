#include <gtest/gtest.h>

#include "support/generate.h"

namespace bw {
namespace {

bool WriteTwoLines(OutputFile& file, const BLOCKINFO& block) {
    WriteLine(file, "", "");
    WriteLine(file, "name ", block.LibraryName);
    return true;
}

TEST(OutputFile, WritesCrLfLines) {
    EXPECT_EQ(Generate(WriteTwoLines, NewBlock()), "\r\nname Simulation Library\r\n");
}

}  // namespace
}  // namespace bw
