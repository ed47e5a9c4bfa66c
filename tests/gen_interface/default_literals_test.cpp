#include <gtest/gtest.h>

#include "generation/names_and_literals.h"
#include "support/generate.h"

namespace bw {
namespace {

TEST(DefaultLiterals, TypedTextBecomesALiteralThatCompiles) {
    struct Case {
        std::string (*literal)(std::string_view);
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        // Empty defaults become zero values.
        {NumericDefault, "", "0"},
        {NumericDefault, "  ", "0"},
        {NumericDefault, "-1.5e3", "-1.5e3"},
        // A whole number with leading zeros would be octal in C.
        {NumericDefault, "09", "9"},
        {NumericDefault, "010", "10"},
        {NumericDefault, "-007", "-7"},
        {NumericDefault, "+00", "+0"},
        {NumericDefault, "0", "0"},
        {NumericDefault, "08.5", "08.5"},
        {NumericDefault, "0x1F", "0x1F"},
        {CharLiteral, "", "'\\0'"},
        {StringLiteral, "", "\"\""},
        // Typed character escapes that compile stay as typed.
        {CharLiteral, "\\n", "'\\n'"},
        {CharLiteral, "\\'", "'\\''"},
        {StringLiteral, "say 'hi'", "\"say 'hi'\""},
        // A text holds what was typed: a backslash is no escape in it.
        {StringLiteral, "line\\n", "\"line\\\\n\""},
        {StringLiteral, "c:\\data\\notes.txt", "\"c:\\\\data\\\\notes.txt\""},
        {CharLiteral, "\"", "'\"'"},
        // Text that would break the literal is escaped whole.
        {CharLiteral, "'", "'\\''"},
        {CharLiteral, "\\", "'\\\\'"},
        {StringLiteral, "a \"b\"", "\"a \\\"b\\\"\""},
        // A trailing backslash would swallow the closing quote; every
        // backslash is then doubled so the literal holds the path as typed.
        {StringLiteral, "C:\\temp\\", "\"C:\\\\temp\\\\\""},
        {StringLiteral, "two\r\nlines", "\"two\\r\\nlines\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.literal(c.typed), c.expected) << c.typed;
    }
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
