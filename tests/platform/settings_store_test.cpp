#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bw {
namespace {

TEST(SettingsEscapes, ValuesComeBackAsTheyWereWritten) {
    for (const std::string& value :
         std::vector<std::string>{"", "plain", "c:\\blocks\\Gain\\", " leading and trailing ",
                                  "a,b", "x=y", "semi;colon", "\"quoted\"", "@at", "@@two",
                                  "tab\there", std::string("\x01") + "a", "caf\xC3\xA9"}) {
        EXPECT_EQ(UnescapeSettingsValue(EscapeSettingsValue(value)), value) << value;
    }
    for (const std::string name : {"Working Directory", "a/b", "100%", "plain_name-1.0"}) {
        EXPECT_EQ(UnescapeSettingsKey(EscapeSettingsKey(name)), name) << name;
    }
    EXPECT_EQ(EscapeSettingsKey("Working Directory"), "Working%20Directory");
}

}  // namespace
}  // namespace bw
