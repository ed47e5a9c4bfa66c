#include "generation/text_lines.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/generate.h"

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

// The bytes written to a fresh file by write.
std::string Written(const std::function<void(OutputFile&)>& write) {
    TempDir dir;
    RunEnvironment environment;
    OutputFile file(environment);
    EXPECT_TRUE(file.Open(dir.path() + "out.txt"));
    write(file);
    EXPECT_TRUE(file.Close());
    return ReadFileBytes(dir.path() + "out.txt");
}

// Lines handed over in pieces or composed in place read exactly as the
// filled line, whatever their length.
TEST(FillTest, WrittenLinesReadAsTheFilledLine) {
    const std::string longValue(5000, 'v');  // past what is composed in place
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"hBuf<i> = in<i>[<k>];", {"12", "3"}},
        {"<k><i>", {"<k>", ""}},  // a value holding a placeholder stays as it is
        {"no placeholders", {"1", "2"}},
        {"<i> and <k>", {longValue, "x"}},
    };
    for (const auto& [line, values] : cases) {
        const std::string filled = Fill(line, {{"<i>", values[0]}, {"<k>", values[1]}}) + "\r\n";
        EXPECT_EQ(Written([&](OutputFile& file) {
                      WriteFilled(file, line, {{"<i>", values[0]}, {"<k>", values[1]}});
                  }),
                  filled)
            << line;
        const LinePattern pattern(line, {"<i>", "<k>"});
        EXPECT_EQ(Written([&](OutputFile& file) {
                      pattern.WriteLine(file, {values[0], values[1]});
                  }),
                  filled)
            << line;
    }
}

// Many lines and one larger than the output buffer reach the file whole and
// in order.
TEST(FillTest, LinesBeyondTheBufferArriveInOrder) {
    const LinePattern pattern("line <i>", {"<i>"});
    const std::string huge(600 * 1024, 'h');
    std::string expected;
    for (int i = 0; i < 40000; ++i) {
        expected += "line " + std::to_string(i) + "\r\n";
    }
    expected += huge + "\r\n" + "last\r\n";
    EXPECT_EQ(Written([&](OutputFile& file) {
                  for (int i = 0; i < 40000; ++i) {
                      pattern.WriteLine(file, {NumberText(i)});
                  }
                  WriteLine(file, huge);
                  WriteFilled(file, "<i>", {{"<i>", "last"}});
              }),
              expected);
}

}  // namespace
}  // namespace bw
