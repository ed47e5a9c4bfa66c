// The root folder as a child process sees it after chroot.
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "files/block_folder.h"
#include "files/root_folder.h"
#include "files_test_support.h"

namespace bw {
namespace {

using ::testing::HasSubstr;

// Runs probe in a child process whose root folder is folder; the probe's
// answer is the child's exit status. NO_CHROOT when the child cannot change
// its root (only root may).
constexpr int NO_CHROOT = 100;

int InRootedChild(const fs::path& folder, const std::function<int()>& probe) {
    const pid_t child = fork();
    if (child == 0) {
        if (chroot(folder.c_str()) != 0 || chdir("/") != 0) {
            _exit(NO_CHROOT);
        }
        _exit(probe());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class RootedFolderTest : public FilesTest {};

TEST_F(RootedFolderTest, NoPathToTheRootOpensItAsABlockFolder) {
    const fs::path top = root_ / "top";
    fs::create_directories(top / "tpl" / "deep");
    fs::create_directories(top / "x");
    // Through a link above the folder: "/tpl/up/.." is "/x/.." to the system.
    fs::create_directory_symlink("/x", top / "tpl" / "up");
    const auto before = Tree(top);
    static const char* const PATHS[] = {
        "/", "/.", "/..", "/./",    "//.",   "/tpl/..",    "/tpl/../",  "/tpl/deep/../..",
        ".", "./", "..",  "tpl/..", "/x/..", "/tpl/up/..", "tpl/up/..", "/tpl/up/../"};
    const int failed = InRootedChild(top, [] {
        for (size_t i = 0; i < std::size(PATHS); ++i) {
            for (const bool create : {false, true}) {
                std::unique_ptr<BlockFolder> folder;
                const FileResult opened = BlockFolder::Open(PATHS[i], create, folder);
                if (opened || opened.Message().find("is a root folder") == std::string::npos) {
                    return static_cast<int>(i) + 1;
                }
            }
        }
        return 0;
    });
    if (failed == NO_CHROOT) {
        GTEST_SKIP() << "changing the root folder needs root";
    }
    EXPECT_EQ(failed, 0) << (failed > 0 ? PATHS[failed - 1] : "the child died");
    EXPECT_EQ(Tree(top), before);
}

TEST_F(RootedFolderTest, AFolderBelowTheRootStillOpens) {
    const fs::path top = root_ / "top";
    fs::create_directories(top / "tpl");
    const int failed = InRootedChild(top, [] {
        std::unique_ptr<BlockFolder> folder;
        return BlockFolder::Open("/tpl/../blocks/Gain/.", true, folder) ? 0 : 1;
    });
    if (failed == NO_CHROOT) {
        GTEST_SKIP() << "changing the root folder needs root";
    }
    EXPECT_EQ(failed, 0);
    EXPECT_TRUE(fs::is_directory(top / "blocks" / "Gain"));
}

}  // namespace
}  // namespace bw
