// Where the block's files go: the checker refuses a block directory that
// names no folder or a root folder, and a definition that would write two
// files to one path (exactly, or differing only in case, as Windows sees
// them), name a file as the run names its own, or a file too long to write.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "check/definition_check.h"
#include "check/output_paths.h"
#include "support/generate.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::Field;
using ::testing::HasSubstr;

BLOCKINFO Simulation() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Gain";
    block.IconFilename = "Gain.ico";
    return block;
}

BLOCKINFO RealTime() {
    BLOCKINFO block = Simulation();
    block.RealTime = 1;
    return block;
}

// The one finding of the block's output paths, which the checker reports too.
Finding OnlyFinding(const BLOCKINFO& block) {
    const std::vector<Finding> findings = CheckOutputPaths(block);
    EXPECT_EQ(findings.size(), 1u);
    const std::vector<Finding> all = CheckDefinition(block);
    EXPECT_TRUE(HasErrors(all));
    EXPECT_NE(FirstErrorOn(all, DefinitionPage::Files), nullptr);
    return findings.empty() ? Finding{} : findings.front();
}

TEST(OutputPathsTest, TheBlocksOwnNamesPass) {
    EXPECT_TRUE(CheckOutputPaths(Simulation()).empty());
    EXPECT_TRUE(CheckOutputPaths(RealTime()).empty());
    BLOCKINFO xdais = RealTime();
    xdais.xDAIS = 1;
    xdais.AlgorithmName = "gain";
    EXPECT_TRUE(CheckOutputPaths(xdais).empty());
}

TEST(OutputPathsTest, AnEmptyOrRootDirectoryIsRefused) {
    BLOCKINFO block = Simulation();
    block.Directory = "";
    EXPECT_EQ(OnlyFinding(block).key, "Directory");
    EXPECT_THAT(OnlyFinding(block).message, HasSubstr("The block directory is empty"));
    for (const char* root : {"/", "\\", "C:\\", "c:/", "//"}) {
        block.Directory = root;
        EXPECT_THAT(OnlyFinding(block).message,
                    HasSubstr("The block directory \"" + std::string(root) + "\" is a root folder"))
            << root;
    }
    block.Directory = "C:\\blocks\\";
    EXPECT_TRUE(CheckOutputPaths(block).empty());
}

// The directory is judged as the run opens it: "." and ".." resolved, a
// relative one taken from the current folder.
TEST(OutputPathsTest, ADirectoryThatResolvesToARootIsRefused) {
    BLOCKINFO block = Simulation();
    for (const char* root : {"/.", "/..", "/./", "/tpl/..", "/tpl\\..\\..\\", "C:\\blocks\\..",
                             "\\\\server\\share\\.", "\\\\?\\C:\\"}) {
        block.Directory = root;
        EXPECT_THAT(OnlyFinding(block).message, HasSubstr("is a root folder")) << root;
    }
    block.Directory = "/tpl/../blocks/Gain";
    EXPECT_TRUE(CheckOutputPaths(block).empty());

    const fs::path current = fs::current_path();
    fs::current_path("/");
    block.Directory = ".";
    const std::vector<Finding> fromTheTop = CheckOutputPaths(block);
    block.Directory = "blocks/..";
    const std::vector<Finding> climbing = CheckOutputPaths(block);
    fs::current_path(current);
    EXPECT_THAT(fromTheTop, Contains(Field(&Finding::key, "Directory")));
    EXPECT_THAT(climbing, Contains(Field(&Finding::key, "Directory")));
}

// Windows, where the block is built, drops the dots and blanks a name ends
// with and keeps device names for itself: such a name is refused wherever
// the block is generated, once for the key that makes it.
TEST(OutputPathsTest, NamesThatAreNoFileOfTheirOwnOnWindowsAreRefused) {
    struct Case {
        const char* key;
        const char* value;
        const char* says;
    };
    const Case cases[] = {
        {"Icon Filename", "Gain.c.", "takes for \"Gain.c\""},
        {"Icon Filename", "Gain.c ", "takes for \"Gain.c\""},
        {"Icon Filename", "KRSave .", "takes for \"KRSave\""},
        {"Icon Filename", ".blockwright.lock.", "drops the dots and blanks"},
        {"Icon Filename", "CON.ico", "keeps for a device"},
        {"Icon Filename", "nul", "keeps for a device"},
        {"Icon Filename", "Com1 .ico", "keeps for a device"},
        {"Block Name", "CON", "keeps for a device"},
        {"Block Name", "NUL", "keeps for a device"},
        {"Block Name", "PRN", "keeps for a device"},
        {"Block Name", "AUX", "keeps for a device"},
        {"Block Name", "COM1", "keeps for a device"},
        {"Block Name", "LPT1", "keeps for a device"},
        {"Block Name", "lpt9", "keeps for a device"},
    };
    for (const Case& c : cases) {
        BLOCKINFO block = Simulation();
        (std::string_view(c.key) == "Block Name" ? block.BlockName : block.IconFilename) = c.value;
        const Finding finding = OnlyFinding(block);
        EXPECT_EQ(finding.key, c.key) << c.value;
        EXPECT_THAT(finding.message, HasSubstr(c.says)) << c.value;
    }
    for (const char* fine : {"CONSOLE", "COM10", "LPT", "Nulls", "AUXILIARY"}) {
        BLOCKINFO block = Simulation();
        block.BlockName = fine;
        EXPECT_TRUE(CheckOutputPaths(block).empty()) << fine;
    }
}

TEST(OutputPathsTest, AnIconOverAnotherFileIsRefusedWhateverItsCase) {
    BLOCKINFO block = Simulation();
    block.IconFilename = "Gain.c";
    Finding finding = OnlyFinding(block);
    EXPECT_EQ(finding.key, "Icon Filename");
    EXPECT_EQ(finding.message,
              "The icon file name \"Gain.c\" makes two of the block's files Gain.c, one over the "
              "other. Please give each file a name of its own.");

    block.IconFilename = "gain.H";
    finding = OnlyFinding(block);
    EXPECT_EQ(finding.key, "Icon Filename");
    EXPECT_EQ(finding.message,
              "The icon file name \"gain.H\" makes Gain.h and gain.H one file on Windows, where "
              "names that differ only in case are the same. Please give each file a name of its "
              "own.");

    // A real-time block has no user source of that name.
    block = RealTime();
    block.IconFilename = "Gain.c";
    EXPECT_TRUE(CheckOutputPaths(block).empty());
}

TEST(OutputPathsTest, ABlockNameThatMeetsAFixedNameIsRefused) {
    for (const char* name : {"resource", "Resource", "hresourc"}) {
        BLOCKINFO block = Simulation();
        block.BlockName = name;
        block.IconFilename = "Gain.ico";
        const Finding finding = OnlyFinding(block);
        EXPECT_EQ(finding.key, "Block Name") << name;
        EXPECT_THAT(finding.message, HasSubstr(".h")) << name;
    }
}

TEST(OutputPathsTest, TheRunsOwnNamesAndOverlongNamesAreRefused) {
    BLOCKINFO block = Simulation();
    block.IconFilename = "Gain.ico.tmp~";
    EXPECT_THAT(OnlyFinding(block).message,
                HasSubstr("which Blockwright keeps for its own files in the block's folder"));
    block.IconFilename = ".blockwright.lock";
    EXPECT_EQ(OnlyFinding(block).key, "Icon Filename");
    // The folder itself, or the one above it, is no file to write.
    for (const char* folder : {".", ".."}) {
        block.IconFilename = folder;
        EXPECT_THAT(CheckOutputPaths(block),
                    Contains(Field(&Finding::message, HasSubstr("names a folder, not a file"))))
            << folder;
    }

    block = Simulation();
    block.BlockName = std::string(250, 'G');
    const std::vector<Finding> findings = CheckOutputPaths(block);
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings.front().key, "Block Name");
    EXPECT_THAT(findings.front().message, HasSubstr("may have at most 200"));
}

}  // namespace
}  // namespace bw
