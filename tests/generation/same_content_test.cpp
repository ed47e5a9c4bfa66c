#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "generation/same_content.h"
#include "support/generate.h"

namespace bw {
namespace {

// A file head with its creation stamp, and the same made at another time.
const std::string STAMPED_HEAD =
    "//\r\n//    Creation Date: Tue - 05 March 2024\r\n//    Creation Time: 02:07 PM\r\n";

std::string MadeLater(std::string text) {
    text.replace(text.find("05 March"), 8, "06 April");
    text.replace(text.find("02:07"), 5, "11:59");
    return text;
}

TEST(SameContentTest, OnlyTheCreationTimeOfTheHeadMayDiffer) {
    const std::string head = STAMPED_HEAD + "int x;\r\n";
    const std::string later = MadeLater(head);
    EXPECT_TRUE(SameContent(head, head));
    EXPECT_TRUE(SameContent(head, later));
    EXPECT_FALSE(SameContent(head, later + "\r\n"));
    EXPECT_FALSE(SameContent(head, later.substr(0, later.size() - 2)));
    std::string body = head;
    body.replace(body.find("int x"), 5, "int y");
    EXPECT_FALSE(SameContent(head, body));
    // A line that says something else where the time was is a change.
    std::string other = head;
    other.replace(other.find("//    Creation Time"), 19, "//    Modified Time");
    EXPECT_FALSE(SameContent(head, other));
    // Past the head, such a line is text like any other.
    std::string deep;
    for (int i = 0; i < 50; ++i) {
        deep += "//\r\n";
    }
    EXPECT_FALSE(SameContent(deep + head, deep + later));
}

// A file on the disk, or a text handed over in pieces, is compared as its
// bytes would be in memory, whether the head, or a difference, lies within
// the first piece read or beyond it.
TEST(SameContentTest, AFileComparesAsItsBytesDo) {
    const std::string& head = STAMPED_HEAD;
    const std::string later = MadeLater(head);
    const std::string big(700 * 1024 + 3, 'x');
    const std::string longLine = std::string(300 * 1024, 'y') + "\r\n";
    const auto changedAt = [](std::string text, size_t at) {
        text[at] = '!';
        return text;
    };
    struct Case {
        std::string existing, generated;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"", "a"},
        {"a", ""},
        {head + big, later + big},
        {head + big, later + big + "z"},
        {head + big + "z", later + big},
        {head + big, later + changedAt(big, big.size() - 1)},
        {head + big, later + changedAt(big, 256 * 1024 - head.size())},
        {head + big, later + changedAt(big, 256 * 1024 - head.size() - 1)},
        {longLine + head, longLine + later},
        {longLine + head + big, longLine + head + big},
        {big, big.substr(0, big.size() - 1)},
    };
    TempDir dir;
    std::unique_ptr<BlockFolder> folder;
    ASSERT_TRUE(BlockFolder::Open(dir.path(), false, folder));
    for (size_t i = 0; i < cases.size(); ++i) {
        WriteFileBytes(dir.path() + "file.c", cases[i].existing);
        const bool same = SameContent(cases[i].existing, cases[i].generated);
        EXPECT_EQ(FileHasSameContent(*folder, "file.c", cases[i].generated), same) << "case " << i;
        // Handed over in pieces as a generator produces it, in lines or less.
        for (const size_t piece : {size_t{1}, size_t{7}, size_t{4096}}) {
            ContentComparison comparison(*folder, "file.c");
            for (size_t at = 0; at < cases[i].generated.size(); at += piece) {
                comparison.Take(std::string_view(cases[i].generated).substr(at, piece));
            }
            EXPECT_EQ(comparison.Result(), same) << "case " << i << " in pieces of " << piece;
            // Compared with the bytes in memory, the text it keeps is still
            // the whole text, wherever the two part.
            ComparedText compared(cases[i].existing);
            for (size_t at = 0; at < cases[i].generated.size(); at += piece) {
                compared.Take(std::string_view(cases[i].generated).substr(at, piece));
            }
            EXPECT_EQ(compared.Same(), same) << "case " << i << " in pieces of " << piece;
            EXPECT_TRUE(compared.TakeText() == cases[i].generated)
                << "case " << i << " in pieces of " << piece;
        }
    }
    EXPECT_EQ(FileHasSameContent(*folder, "missing.c", ""), std::nullopt);
}

}  // namespace
}  // namespace bw
