#include "generation/text_lines.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(FillTest, ReplacesEveryPlaceholderInOnePassFromTheLeft) {
    EXPECT_EQ(Fill("hBuf<i> = in<i>[<k>];", {{"<i>", "12"}, {"<k>", "3"}}), "hBuf12 = in12[3];");
    EXPECT_EQ(Fill("<i><k><i>", {{"<i>", "a"}, {"<k>", "b"}}), "aba");
    // A value that holds a placeholder is written as it is.
    EXPECT_EQ(Fill("<i>/<k>", {{"<i>", "<k>"}, {"<k>", "x"}}), "<k>/x");
}

TEST(FillTest, LeavesTextThatOnlyLooksLikeAPlaceholder) {
    EXPECT_EQ(Fill("a < b <i", {{"<i>", "1"}}), "a < b <i");
    EXPECT_EQ(Fill("<<i>>", {{"<i>", "1"}}), "<1>");
    EXPECT_EQ(Fill("", {{"<i>", "1"}}), "");
    EXPECT_EQ(Fill("no fields", {}), "no fields");
}

TEST(FillTest, TheFirstFieldThatMatchesAtAPositionWins) {
    EXPECT_EQ(Fill("<ID>", {{"<I", "x"}, {"<ID>", "y"}}), "xD>");
    EXPECT_EQ(Fill("<ID>", {{"<ID>", "y"}, {"<I", "x"}}), "y");
    EXPECT_EQ(Fill("%1%2", {{"", "never"}, {"%2", "b"}, {"%1", "a"}}), "ab");
    EXPECT_EQ(Fill("<i>%1<i", {{"<i>", "x"}, {"%1", "y"}}), "xy<i");
}

}  // namespace
}  // namespace bw
