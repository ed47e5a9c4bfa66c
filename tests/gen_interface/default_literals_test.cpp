#include <gtest/gtest.h>

#include "generation/shared_rules.h"
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
        {CharLiteral, "", "'\\0'"},
        {StringLiteral, "", "\"\""},
        // Typed escapes that compile stay as typed.
        {CharLiteral, "\\n", "'\\n'"},
        {CharLiteral, "\\'", "'\\''"},
        {StringLiteral, "line\\n", "\"line\\n\""},
        {StringLiteral, "say 'hi'", "\"say 'hi'\""},
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
