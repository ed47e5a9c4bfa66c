// The value rules over a table of typed values per type: each at or just
// beyond the ends of its type's range, or in a form C reads otherwise, with
// the refusal it must give or none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "definition/value_rules.h"

namespace bw {
namespace {

struct Case {
    int type;
    const char* typed;
    const char* says;  // a piece of the refusal; nullptr when the value is taken
};

const Case DEFAULTS[] = {
    // Byte: an unsigned char.
    {TYPE_BYTE, "0", nullptr},
    {TYPE_BYTE, "255", nullptr},
    {TYPE_BYTE, "0xFF", nullptr},
    {TYPE_BYTE, "+7", nullptr},
    {TYPE_BYTE, "", nullptr},
    {TYPE_BYTE, "256", "\"256\" is outside the range of the type Byte, 0 to 255"},
    {TYPE_BYTE, "-1", "outside the range of the type Byte"},
    {TYPE_BYTE, "0x100", "outside the range"},
    // Short.
    {TYPE_SHORT, "-32768", nullptr},
    {TYPE_SHORT, "32767", nullptr},
    {TYPE_SHORT, " 010 ", nullptr},
    {TYPE_SHORT, "32768", "outside the range of the type Short, -32768 to 32767"},
    {TYPE_SHORT, "-32769", "outside the range"},
    // Integer and Long: 32 bits on the host.
    {TYPE_INTEGER, "-2147483648", nullptr},
    {TYPE_INTEGER, "2147483647", nullptr},
    {TYPE_INTEGER, "0x7fffffff", nullptr},
    {TYPE_INTEGER, "2147483648", "outside the range of the type Integer"},
    {TYPE_INTEGER, "0xFFFFFFFF", "outside the range"},
    {TYPE_INTEGER, "99999999999999999999999", "outside the range"},
    {TYPE_INTEGER, "1,5", "\"1,5\" is not a whole number: the type Integer takes whole numbers"},
    {TYPE_INTEGER, "1.5", "is not a whole number"},
    {TYPE_INTEGER, "1e3", "is not a whole number"},
    {TYPE_INTEGER, "abc", "\"abc\" is not a number"},
    {TYPE_INTEGER, "1 000", "is not a number"},
    {TYPE_INTEGER, "10L", "is not a number"},
    {TYPE_INTEGER, "0x", "is not a number"},
    {TYPE_INTEGER, "- 5", "is not a number"},
    {TYPE_LONG, "-2147483648", nullptr},
    {TYPE_LONG, "-2147483649", "outside the range of the type Long"},
    // Floating point: C's decimal literals, no comma.
    {TYPE_FLOAT, "1.5", nullptr},
    {TYPE_FLOAT, ".5", nullptr},
    {TYPE_FLOAT, "5.", nullptr},
    {TYPE_FLOAT, "-2e-3", nullptr},
    {TYPE_FLOAT, "08.5", nullptr},
    {TYPE_FLOAT, "3.4028235e38", nullptr},  // rounds to the largest float
    {TYPE_FLOAT, "-3.4028234e38", nullptr},
    {TYPE_FLOAT, "1e-45", nullptr},  // the smallest float, denormal
    {TYPE_FLOAT, "0.0e-99", nullptr},
    {TYPE_FLOAT, "1,5", "\"1,5\" is not a number: use a point, \"1.5\""},
    {TYPE_FLOAT, "abc", "\"abc\" is not a number: the type Floating Point takes numbers"},
    {TYPE_FLOAT, "1.5f", "is not a number"},
    {TYPE_FLOAT, "1e", "is not a number"},
    {TYPE_FLOAT, ".", "is not a number"},
    {TYPE_FLOAT, "3.5e38", "beyond the range of the type Floating Point, about 3.4e38"},
    {TYPE_FLOAT, "1e39", "beyond the range"},
    {TYPE_FLOAT, "1e-50", "too small for the type Floating Point: it would be 0"},
    {TYPE_FLOAT, "100000000000000000000", "too large a whole number for C"},
    {TYPE_DOUBLE, "1.7976931348623157e308", nullptr},
    {TYPE_DOUBLE, "4.9e-324", nullptr},
    {TYPE_DOUBLE, "1e308", nullptr},
    {TYPE_DOUBLE, "0xFFFFFFFFFFFFFFFF", nullptr},
    {TYPE_DOUBLE, "1.8e308", "beyond the range of the type Double Floating Point, about 1.8e308"},
    {TYPE_DOUBLE, "1e99999999999", "beyond the range"},
    {TYPE_DOUBLE, "1e-400", "too small"},
    {TYPE_DOUBLE, "0.000001e-99999999999", "too small"},
    {TYPE_DOUBLE, "-1,25", "use a point, \"-1.25\""},
    // Char: one character or one escape.
    {TYPE_CHAR, "", nullptr},
    {TYPE_CHAR, "x", nullptr},
    {TYPE_CHAR, "'", nullptr},
    {TYPE_CHAR, "\\", nullptr},
    {TYPE_CHAR, "\\n", nullptr},
    {TYPE_CHAR, "\\'", nullptr},
    {TYPE_CHAR, "\\0", nullptr},
    {TYPE_CHAR, "\\377", nullptr},
    {TYPE_CHAR, "\\xFF", nullptr},
    {TYPE_CHAR, "\xE9", nullptr},  // one byte of a single-byte code page
    {TYPE_CHAR, "ab", "\"ab\" is more than one character"},
    {TYPE_CHAR, "\\q", "is no escape of C"},
    {TYPE_CHAR, "\\n\\n", "more than one character"},
    {TYPE_CHAR, "\\x100", "beyond the range of the type Char"},
    {TYPE_CHAR, "\\x", "is no escape of C"},
    {TYPE_CHAR, "\xC3\xA9", "takes 2 bytes"},
    // Texts take anything.
    {TYPE_TEXT, "say \"hi\" \\ 50%", nullptr},
    {TYPE_FILE_OPEN, "c:\\data\\taps.txt", nullptr},
    {TYPE_OTHER, "{0, 1}", nullptr},
    {TYPE_EXCLUDED, "1,5", nullptr},
    // Items: a Combo Box without items offers three, Radio Buttons with
    // fewer than two are a Yes/No pair, a Check Box is checked or not.
    {TYPE_COMBO_BOX, "Item 2", nullptr},
    {TYPE_COMBO_BOX, "", nullptr},
    {TYPE_COMBO_BOX, "item 2",
     "\"item 2\" is not among the items \"Item 1\", \"Item 2\" and "
     "\"Item 3\""},
    {TYPE_RADIO_BUTTONS, "no", nullptr},
    {TYPE_RADIO_BUTTONS, "Maybe", "neither \"Yes\" nor \"No\""},
    {TYPE_CHECK_BOX, "unchecked", nullptr},
    {TYPE_CHECK_BOX, "0", "\"0\" is neither \"Checked\" nor \"Unchecked\""},
};

TEST(ValueRulesTest, EachDefaultIsTakenOrRefusedAsItsTypeReadsIt) {
    for (const Case& c : DEFAULTS) {
        SCOPED_TRACE(std::to_string(c.type) + " \"" + c.typed + "\"");
        const Refusal refusal = DefaultRefusal(c.type, c.typed);
        if (c.says == nullptr) {
            EXPECT_FALSE(refusal) << *refusal;
            continue;
        }
        ASSERT_TRUE(refusal);
        EXPECT_NE(refusal->find(c.says), std::string::npos) << *refusal;
        EXPECT_EQ(refusal->rfind("\"" + std::string(c.typed) + "\"", 0), 0u)
            << "the refusal begins with the value: " << *refusal;
    }
}

TEST(ValueRulesTest, AnEscapeIsOneOfCsWithinTheRangeOfAChar) {
    for (const char* escape : {"\\n", "\\'", "\\\\", "\\0", "\\377", "\\x41"}) {
        EXPECT_TRUE(IsCharEscape(escape)) << escape;
    }
    for (const char* text : {"", "n", "\\", "\\q", "\\x", "\\x100", "\\n\\n", "\\0a"}) {
        EXPECT_FALSE(IsCharEscape(text)) << text;
    }
}

TEST(ValueRulesTest, ItemDefaultsAreAmongTheParametersOwnItems) {
    const std::vector<std::string> items = {"Slow", "Medium", "Fast"};
    EXPECT_FALSE(DefaultRefusal(TYPE_COMBO_BOX, "Fast", items));
    EXPECT_FALSE(DefaultRefusal(TYPE_RADIO_BUTTONS, "Medium", items));
    const Refusal combo = DefaultRefusal(TYPE_COMBO_BOX, "Item 1", items);
    ASSERT_TRUE(combo);
    EXPECT_EQ(*combo, "\"Item 1\" is not among the items \"Slow\", \"Medium\" and \"Fast\"");
    // Configured items are matched exactly; only the fixed pairs ignore case.
    EXPECT_TRUE(DefaultRefusal(TYPE_RADIO_BUTTONS, "fast", items));
    EXPECT_TRUE(DefaultRefusal(TYPE_RADIO_BUTTONS, "Slow", {"Slow"}));
    EXPECT_FALSE(DefaultRefusal(TYPE_RADIO_BUTTONS, "Yes", {"Slow"}));

    std::vector<std::string> many;
    for (int i = 0; i < 9; ++i) {
        many.push_back("i" + std::to_string(i));
    }
    const Refusal long_list = DefaultRefusal(TYPE_COMBO_BOX, "x", many);
    ASSERT_TRUE(long_list);
    EXPECT_NE(long_list->find("\"i4\" and 4 more"), std::string::npos) << *long_list;
}

TEST(ValueRulesTest, PersistentVariablesCheckOnlyTheTypesTheyInitialise) {
    PERSISTANTINFO variable;
    variable.PersistantType = TYPE_DOUBLE;
    variable.PersistantDefault = "1,5";
    EXPECT_TRUE(PersistantDefaultRefusal(variable));
    variable.PersistantType = TYPE_OTHER;
    EXPECT_FALSE(PersistantDefaultRefusal(variable));
    variable.PersistantType = TYPE_CHECK_BOX;  // from a template: initialises nothing
    variable.PersistantDefault = "Maybe";
    EXPECT_FALSE(PersistantDefaultRefusal(variable));
}

TEST(ValueRulesTest, LocalSizesAreWholeNumbersOfElementsWithinTheLimit) {
    for (const char* size : {"1", "2147483647", " 256", "+8"}) {
        EXPECT_FALSE(LocalSizeRefusal(size)) << size;
        EXPECT_TRUE(IsLocalSizeNumber(size)) << size;
    }
    const std::pair<const char*, const char*> refused[] = {
        {"0", "\"0\" is outside 1 to 2147483647 elements"},
        {"-5", "outside 1 to 2147483647"},
        {"2147483648", "outside 1 to 2147483647"},
        {"99999999999999999999", "outside 1 to 2147483647"},
        {"10abc", "\"10abc\" is not a whole number"},
        {"10 ", "is not a whole number"},
        {"2*N", "is not a whole number"},
        {"1.5", "is not a whole number"},
    };
    for (const auto& [size, says] : refused) {
        const Refusal refusal = LocalSizeRefusal(size);
        ASSERT_TRUE(refusal) << size;
        EXPECT_NE(refusal->find(says), std::string::npos) << *refusal;
    }
    for (const char* expression : {"N*2", "(N+1)", "", "  "}) {
        EXPECT_FALSE(IsLocalSizeNumber(expression)) << expression;
    }
}

TEST(ValueRulesTest, WholeNumbersAreReadAsTheTemplateReaderReadsCounts) {
    EXPECT_EQ(WholeNumber(" 3 "), 3);
    EXPECT_EQ(WholeNumber("+3"), 3);
    EXPECT_EQ(WholeNumber("-3"), -3);
    for (const char* text : {"", "abc", "1,5", "3x", "0x10", "+-3", "99999999999999999999"}) {
        EXPECT_FALSE(WholeNumber(text)) << text;
    }
}

TEST(ValueRulesTest, AFilterItemIsOneCaptionAndOneFilter) {
    EXPECT_FALSE(FilterItemRefusal("Text Files|*.txt;*.log"));
    EXPECT_FALSE(FilterTextRefusal("*.txt;*.log"));
    const Refusal text = FilterTextRefusal("Caption|Pipe");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->rfind("\"Caption|Pipe\" holds \"|\"", 0), 0u) << *text;
    const std::pair<const char*, const char*> refused[] = {
        {"Caption|Pipe|*.a|*.b", "more than one \"|\""},
        {"Text Files", "has no \"|\""},
        {"|*.txt", "has no caption"},
        {"Text|", "has no filter"},
    };
    for (const auto& [item, says] : refused) {
        const Refusal refusal = FilterItemRefusal(item);
        ASSERT_TRUE(refusal) << item;
        EXPECT_NE(refusal->find(says), std::string::npos) << *refusal;
    }
}

}  // namespace
}  // namespace bw
