// A root folder is never a block folder, however a path reaches it: "." and
// ".." are resolved, drives and shares count as roots, and the folder opened
// is compared with the root itself, which a child process here sets to a
// scratch folder so that nothing can reach the real one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "files/block_folder.h"
#include "files/root_folder.h"
#include "files_test_support.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace bw {
namespace {

using ::testing::HasSubstr;

TEST(RootFolderTest, DotsAreResolvedBeforeAPathIsJudged) {
    struct Case {
        const char* path;
        const char* current;
        PathForms forms;
        bool root;
    };
    const Case cases[] = {
        {"/", "", PathForms::Posix, true},
        {"/.", "", PathForms::Posix, true},
        {"/..", "", PathForms::Posix, true},
        {"/./", "", PathForms::Posix, true},
        {"//", "", PathForms::Posix, true},
        {"/tpl/..", "", PathForms::Posix, true},
        {"/tpl/../..", "", PathForms::Posix, true},
        {"/tpl/..\\..\\..\\", "", PathForms::Posix, true},
        {"/tpl/../blocks", "", PathForms::Posix, false},
        {"/tpl", "", PathForms::Posix, false},
        {"/tpl/.", "", PathForms::Posix, false},
        {".", "/", PathForms::Posix, true},
        {"..\\..\\..", "/tpl/deep", PathForms::Posix, true},
        {"../..", "/tpl/deep/er", PathForms::Posix, false},
        {".", "", PathForms::Posix, false},  // nothing to take it from
        {"C:\\", "", PathForms::Windows, true},
        {"c:", "", PathForms::Windows, true},
        {"C:\\blocks\\..\\", "", PathForms::Windows, true},
        {"C:/blocks/./..", "", PathForms::Windows, true},
        {"C:\\blocks\\Gain", "", PathForms::Windows, false},
        {"\\\\server\\share", "", PathForms::Windows, true},
        {"\\\\server\\share\\blocks\\..", "", PathForms::Windows, true},
        {"\\\\server\\share\\..\\..", "", PathForms::Windows, true},
        {"\\\\server\\share\\blocks", "", PathForms::Windows, false},
        {"\\\\?\\C:\\.", "", PathForms::Windows, true},
        {"\\\\?\\UNC\\server\\share\\", "", PathForms::Windows, true},
        {"\\\\?\\UNC\\server\\share\\blocks", "", PathForms::Windows, false},
        {"\\\\?\\Volume{0a1b}\\", "", PathForms::Windows, true},
        {"\\\\?\\Volume{0a1b}\\blocks", "", PathForms::Windows, false},
        {"..", "D:\\blocks", PathForms::Windows, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NamesRootFolder(c.path, c.current, c.forms), c.root)
            << c.path << " from " << c.current;
    }
    // A template written on Windows may name a drive or a share anywhere.
    EXPECT_TRUE(NamesRootFolderHere("C:\\Blocks\\.."));
    EXPECT_TRUE(NamesRootFolderHere("\\\\server\\share\\."));
}

#ifndef _WIN32
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
#endif

}  // namespace
}  // namespace bw
