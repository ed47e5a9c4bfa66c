#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "generation/paths.h"
#include "run/generation_run.h"
#include "support/generate.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// Every generated file but the template is read by Windows tools, which run
// under Wine here: none of them may name a folder in this system's form.
TEST(GeneratedWindowsFiles, NameNoFolderInThisSystemsForm) {
    if (RUNNING_ON_WINDOWS) {
        GTEST_SKIP() << "paths are written as they are on Windows";
    }
    TempDir out;
    TestRun run(out.path());
    for (const int realTime : {0, 1}) {
        BLOCKINFO block = NewBlock();
        block.BlockName = realTime != 0 ? "NFAdd" : "Gain";
        block.Directory = out.path() + block.BlockName + "\\";
        block.LibraryPath = "/opt/bddk/lib";
        block.IncludePath = "/opt/bddk/include";
        block.RealTime = realTime;
        ASSERT_EQ(RunGeneration(block, run.environment).outcome, RunOutcome::Completed);
    }
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out.path())) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name.ends_with(".TBT") || name.ends_with(".ico") ||
            name.ends_with(".bmp")) {
            continue;
        }
        const std::string text = ReadFileBytes(entry.path().string());
        EXPECT_EQ(text.find(out.path()), std::string::npos) << name;
        EXPECT_EQ(text.find("/opt/bddk"), std::string::npos) << name;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

// Drive letters and network paths name folders on Windows only; elsewhere the
// run refuses them before anything is written.
TEST(WindowsFolders, AreAcceptedOnWindowsOnly) {
    for (const char* folder : {"c:\\blocks\\Gain\\", "\\\\server\\share\\Gain\\"}) {
        BLOCKINFO block = NewBlock();
        block.BlockName = "Gain";
        block.Directory = folder;
        EXPECT_EQ(RefusalReason(block).empty(), RUNNING_ON_WINDOWS) << folder;
        EXPECT_EQ(IsForeignPath(folder), !RUNNING_ON_WINDOWS) << folder;
    }
    if (RUNNING_ON_WINDOWS) {
        EXPECT_EQ(DisplayPath("\\\\server/share/Gain"), "\\\\server\\share\\Gain");
    }
}

}  // namespace
}  // namespace bw
