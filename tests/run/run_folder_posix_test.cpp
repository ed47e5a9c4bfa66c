// The block folder as a run holds it, where the system has links, FIFOs and chroot.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "generation/paths.h"
#include "run/generation_run.h"
#include "run/run_folder.h"
#include "run/run_folder_blocks.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

using ::testing::Contains;
using ::testing::HasSubstr;

TEST(RunFolderTest, ALinkWhereTheRunWritesStopsItBeforeAnythingIsWritten) {
    for (const char* planted : {"Gain.h", "KRSave", "KRSave/Gain.h", "DSPCODE", "DSPCODE/KRSave"}) {
        TempDir temp;
        const BLOCKINFO block = BlockIn(temp.path() + "Gain");
        fs::create_directories(temp.path() + "outside");
        fs::create_directories(fs::path(temp.path() + "Gain/" + planted).parent_path());
        fs::create_symlink(temp.path() + "outside", temp.path() + "Gain/" + planted);

        RunFolder folder;
        const FileResult opened = folder.Open(block, RunFileSet(block));

        EXPECT_THAT(opened.Message(), HasSubstr(temp.path() + "Gain/" + planted + " is a link"))
            << planted;
        EXPECT_THAT(opened.Message(), HasSubstr("Nothing was generated.")) << planted;
    }
}

// The names and sizes below folder, links not followed: what a refused run
// must leave as it was (a huge file's bytes are never read).
std::map<std::string, std::uintmax_t> Listing(const std::string& folder) {
    std::map<std::string, std::uintmax_t> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const fs::file_status status = entry.symlink_status();
        entries[fs::relative(entry.path(), folder).generic_string()] =
            fs::is_regular_file(status) ? entry.file_size() : 0;
    }
    return entries;
}

// A sparse file of 20 GB where the run would read a previous version or
// copy one into KRSave: the run stops before anything is written, naming
// it, and the listing says the same.
TEST(RunFolderTest, AFileFarLargerThanAnyTheRunWritesStopsItBeforeAnythingIsWritten) {
    for (const char* huge : {"IFGain.c", "Gain.h", "KRSave/Gain.h", "DSPCODE/_Gain.c"}) {
        TempDir temp;
        const BLOCKINFO block = BlockIn(temp.path() + "Gain");
        const std::string path = temp.path() + "Gain/" + huge;
        WriteFileBytes(temp.path() + "Gain/Gain.h.1a2b3c4d.tmp~", "a stopped run's");
        WriteFileBytes(path, "");
        fs::resize_file(path, std::uintmax_t{20} << 30);
        const auto before = Listing(temp.path() + "Gain");

        const FileResult opened = RunFolder().Open(block, RunFileSet(block));

        EXPECT_THAT(opened.Message(), HasSubstr(path + " is larger than 16 MB")) << huge;
        EXPECT_THAT(opened.Message(), HasSubstr("Nothing was generated.")) << huge;
        EXPECT_EQ(LookOverBlockFolder(block).Message(), opened.Message()) << huge;
        EXPECT_EQ(Listing(temp.path() + "Gain"), before) << huge;
    }
}

TEST(RunFolderTest, APipeWhereAFileGoesStopsTheRun) {
    for (const char* planted : {"Gain.h", "KRSave/Gain.h", "DSPCODE/KRSave/_Gain.c"}) {
        TempDir temp;
        const BLOCKINFO block = BlockIn(temp.path() + "Gain");
        const std::string path = temp.path() + "Gain/" + planted;
        fs::create_directories(fs::path(path).parent_path());
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        const auto before = Listing(temp.path() + "Gain");

        const FileResult opened = RunFolder().Open(block, RunFileSet(block));

        EXPECT_THAT(opened.Message(), HasSubstr(path + " is not a regular file")) << planted;
        EXPECT_EQ(LookOverBlockFolder(block).Message(), opened.Message()) << planted;
        EXPECT_EQ(Listing(temp.path() + "Gain"), before) << planted;
    }
}

TEST(RunFolderTest, TheLookOverOfAFolderNotThereYetFindsNothing) {
    TempDir temp;
    EXPECT_TRUE(LookOverBlockFolder(BlockIn(temp.path() + "absent/Gain")));
    fs::create_directories(temp.path() + "outside");
    fs::create_directory_symlink(temp.path() + "outside", temp.path() + "Gain");
    EXPECT_THAT(LookOverBlockFolder(BlockIn(temp.path() + "Gain")).Message(),
                HasSubstr("a block folder must be a folder itself"));
    EXPECT_FALSE(fs::exists(temp.path() + "absent"));
}

// The run in a child process whose root folder is a scratch folder: no
// spelling of the root, nor a path that reaches it through a link, gets the
// block's files written there.
TEST(RunFolderTest, NoRunWritesIntoTheRootFolder) {
    TempDir temp;
    const fs::path top = temp.path() + "top";
    fs::create_directories(top / "tpl");
    fs::create_directories(top / "x");
    fs::create_directory_symlink("/x", top / "tpl" / "up");
    const auto before = Listing(top.string());
    static const char* const DIRECTORIES[] = {
        "/.", "/..", "/./", "/tpl/..", "/tpl\\..\\..\\", ".", "tpl/..", "/tpl/up/..", "tpl/up/.."};
    const pid_t child = fork();
    if (child == 0) {
        if (chroot(top.c_str()) != 0 || chdir("/") != 0) {
            _exit(100);
        }
        for (size_t i = 0; i < std::size(DIRECTORIES); ++i) {
            RecordingPrompts prompts;
            FixedClock clock{std::tm{}};
            MemorySettings settings;
            RunEnvironment environment = MakeRunEnvironment(&prompts, clock, settings, "/", "/");
            BLOCKINFO block = BlockIn(DIRECTORIES[i]);
            block.RealTime = 0;
            const RunResult result = RunGeneration(block, environment);
            if (result.outcome == RunOutcome::Completed || !result.events.empty() ||
                prompts.messages.empty() ||
                prompts.messages[0].find("is a root folder") == std::string::npos) {
                _exit(static_cast<int>(i) + 1);
            }
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const int failed = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (failed == 100) {
        GTEST_SKIP() << "changing the root folder needs root";
    }
    EXPECT_EQ(failed, 0) << (failed > 0 ? DIRECTORIES[failed - 1] : "the child died");
    EXPECT_EQ(Listing(top.string()), before);
}

}  // namespace
}  // namespace bw
