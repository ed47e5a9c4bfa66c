// The settings in the registry.
#include <gtest/gtest.h>

#include <string>

#include "platform/settings_store.h"

namespace bw {
namespace {

TEST(NativeSettingsTest, WritesReachTheUsersKeyAndReadBack) {
    NativeSettings store;
    const std::string value =
        "c:\\Bl\xC3\xB6"
        "cke\\x = y; z";
    store.write("Test Settings", "Block Directory", value);
    EXPECT_EQ(NativeSettings().read("Test Settings", "block directory", ""), value);
    EXPECT_EQ(store.read("Test Settings", "Missing", "default"), "default");
    EXPECT_EQ(store.Locations().front(),
              "HKEY_CURRENT_USER\\Software\\Calderic\\Tessaline Blockwright");
}

}  // namespace
}  // namespace bw
