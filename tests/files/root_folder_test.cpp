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

}  // namespace
}  // namespace bw
