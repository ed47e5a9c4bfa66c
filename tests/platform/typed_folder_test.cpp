// Folders typed by the user are taken as a shell would take them.
#include "platform/typed_folder.h"

#include <gtest/gtest.h>

#include "generation/paths.h"

namespace bw {
namespace {

std::optional<std::string> Homes(const std::string& user) {
    if (user.empty()) {
        return "/home/me";
    }
    if (user == "ann") {
        return "/srv/ann/";
    }
    return std::nullopt;
}

TEST(TypedFolder, TildeAndTildeUserBecomeHomeFoldersAndRelativeFoldersBecomeAbsolute) {
    const struct {
        const char* typed;
        const char* absolute;
    } cases[] = {
        // "@" stands for the current folder and the system's separator.
        {"~", "/home/me"},
        {"~/blocks/Tilde", "/home/me/blocks/Tilde"},
        {"~\\blocks\\", "/home/me\\blocks\\"},
        {"~ann/x", "/srv/ann/x"},
        {"~nobody/x", "@~nobody/x"},  // as a shell leaves it, then relative
        {"rel/Rel", "@rel/Rel"},
        {"/abs/x", "/abs/x"},
        {"\\abs\\x", "\\abs\\x"},
        {"c:\\blocks\\x", "c:\\blocks\\x"},
        {"a~/b", "@a~/b"},
        {"", ""},
    };
    const std::string current = std::string("/work") + (RUNNING_ON_WINDOWS ? "\\" : "/");
    for (const auto& c : cases) {
        std::string absolute = c.absolute;
        if (absolute.starts_with('@')) {
            absolute.replace(0, 1, current);
        }
        EXPECT_EQ(AbsoluteFolder(c.typed, "/work", Homes), absolute) << c.typed;
    }
    EXPECT_EQ(AbsoluteFolder("rel", current, Homes), current + "rel");
    // Paths written into generated projects keep being relative.
    EXPECT_EQ(ExpandHomeFolder("..\\lib", Homes), "..\\lib");
    EXPECT_EQ(ExpandHomeFolder("~/lib", Homes), "/home/me/lib");
}

// "~name" of nobody the system knows is named, to be refused rather than
// taken as a folder called "~name"; where there are no home folders at all
// (Windows) "~" is an ordinary character.
TEST(TypedFolder, AnUnknownUserAfterTildeIsNamed) {
    EXPECT_EQ(UnknownHomeUser("~nobody/x", Homes), "nobody");
    EXPECT_EQ(UnknownHomeUser("~nobody", Homes), "nobody");
    EXPECT_EQ(UnknownHomeUser("~ann/x", Homes), "");
    EXPECT_EQ(UnknownHomeUser("~/x", Homes), "");
    EXPECT_EQ(UnknownHomeUser("~", Homes), "");
    EXPECT_EQ(UnknownHomeUser("a~nobody", Homes), "");
    EXPECT_EQ(UnknownHomeUser(
                  "~nobody/x",
                  [](const std::string&) -> std::optional<std::string> { return std::nullopt; }),
              "");
    EXPECT_EQ(UnknownHomeUserMessage("~nobody/x", "nobody"),
              "there is no user \"nobody\" for ~nobody/x (\"~name\" stands for that user's home "
              "folder)");
}

}  // namespace
}  // namespace bw
