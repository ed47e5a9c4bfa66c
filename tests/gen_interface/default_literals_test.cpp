#include <gtest/gtest.h>

#include "generation/shared_rules.h"
#include "support/generate.h"

namespace bw {
namespace {

TEST(DefaultLiterals, EmptyDefaultsBecomeZeroValues) {
    EXPECT_EQ(NumericDefault(""), "0");
    EXPECT_EQ(NumericDefault("  "), "0");
    EXPECT_EQ(NumericDefault("-1.5e3"), "-1.5e3");
    EXPECT_EQ(CharLiteral(""), "'\\0'");
    EXPECT_EQ(StringLiteral(""), "\"\"");
}

TEST(DefaultLiterals, TypedEscapesThatCompileStayAsTyped) {
    EXPECT_EQ(CharLiteral("\\n"), "'\\n'");
    EXPECT_EQ(CharLiteral("\\'"), "'\\''");
    EXPECT_EQ(StringLiteral("line\\n"), "\"line\\n\"");
    EXPECT_EQ(StringLiteral("say 'hi'"), "\"say 'hi'\"");
    EXPECT_EQ(CharLiteral("\""), "'\"'");
}

TEST(DefaultLiterals, TextThatWouldBreakTheLiteralIsEscapedWhole) {
    EXPECT_EQ(CharLiteral("'"), "'\\''");
    EXPECT_EQ(CharLiteral("\\"), "'\\\\'");
    EXPECT_EQ(StringLiteral("a \"b\""), "\"a \\\"b\\\"\"");
    // A trailing backslash would swallow the closing quote; every backslash
    // is then doubled so the literal holds the path as typed.
    EXPECT_EQ(StringLiteral("C:\\temp\\"), "\"C:\\\\temp\\\\\"");
    EXPECT_EQ(StringLiteral("two\r\nlines"), "\"two\\r\\nlines\"");
}

TEST(UsedPositions, SkipsExcludedEntriesAndKeepsPositions) {
    BLOCKINFO block = NewBlock();
    block.NumLocalArrays = 3;
    block.LocalArrays[1].LocalPrecision = TYPE_EXCLUDED;
    block.LocalArrays[3].LocalPrecision = TYPE_FLOAT;  // beyond the count
    EXPECT_EQ(UsedLocalArrays(block), (std::vector<int>{0, 2}));
    block.NumParameters = 2;
    block.Parameters[0].ParameterType = TYPE_EXCLUDED;
    EXPECT_EQ(UsedParameters(block), (std::vector<int>{1}));
    block.NumParameters = 100000;  // a count beyond the pool reads no further
    EXPECT_EQ(UsedParameters(block).size(), static_cast<size_t>(MAX_PARAMETERS - 1));
}

}  // namespace
}  // namespace bw
