// Runs where the system has file size limits and permission bits.
#include <sys/resource.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#include "definition/profile_file.h"
#include "definition/template_file.h"
#include "gen_dsp/dsp_test_blocks.h"
#include "generation/names_and_literals.h"
#include "generation/paths.h"
#include "run/file_set.h"
#include "run/generation_run.h"
#include "run/generation_run_fixture.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

// ---------------------------------------------------------------------------
// Writes that fail part way. A file size limit stands in for a full disk
// (writes past it fail with EFBIG, as they would with ENOSPC); the command
// line's tests drive the real program against a full or read-only folder.

// While it lives, no file of this process can grow past limit bytes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &limited);
        // Without this the process would be killed instead of seeing EFBIG.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

// Room for the template, which comes first, not for the user source.
class FullDiskTest : public GenerationRunTest {
protected:
    RunResult RunOnAFullDisk() {
        fs::create_directories(Dir());
        const std::string probe = out_.path() + "probe.TBT";
        WriteTemplate(block_, probe);
        FileSizeLimit limit(static_cast<rlim_t>(fs::file_size(probe)) + 64);
        return Run();
    }
};

// Neither a new file nor an existing one is cut short: the new one never
// appears, the existing one stays as it was (its backup made). Either way the
// run stops there.
TEST_F(FullDiskTest, AFileThatCannotBeWrittenWholeIsNotThereOrAsItWas) {
    for (const std::string previous : {"", "/* the user's own routine */\r\n"}) {
        if (!previous.empty()) {
            WriteFileBytes(Disk("Gain.c"), previous);
            prompts_.yesNoAnswers = {false};  // no splice: the new text is the whole default
        }
        prompts_.messages.clear();
        const RunResult result = RunOnAFullDisk();
        EXPECT_EQ(result.outcome, RunOutcome::Aborted);
        // The system's reason follows, naming the temporary that took the text.
        ASSERT_THAT(prompts_.messages,
                    ElementsAre(StartsWith("Cannot write file " + DisplayPath(In("Gain.c")) +
                                           ".  Will abort code generation.\nCannot write " +
                                           DisplayPath(In("Gain.c.")))));
        EXPECT_THAT(prompts_.messages[0], EndsWith(".tmp~: " + std::string(std::strerror(EFBIG))));
        const bool replaced = !previous.empty();
        // The template was written the first time and holds the same the second.
        EXPECT_EQ(result.Paths(replaced ? FileAction::Unchanged : FileAction::Written),
                  std::vector<std::string>{In("Gain.TBT")});
        EXPECT_EQ(result.Paths(FileAction::Skipped),
                  replaced ? std::vector<std::string>{In("Gain.c")} : std::vector<std::string>{});
        EXPECT_EQ(FileExists(In("Gain.c")), replaced);
        EXPECT_FALSE(Exists("IFGain.c"));
        for (const auto& entry : fs::directory_iterator(Dir())) {
            EXPECT_FALSE(entry.path().string().ends_with(".tmp~")) << entry.path();
        }
    }
    EXPECT_EQ(ReadFileBytes(Disk("Gain.c")), "/* the user's own routine */\r\n");
    EXPECT_EQ(ReadFileBytes(Disk("KRSave/Gain.c")), "/* the user's own routine */\r\n");
}

// A replaced file keeps its permission bits, and one that no one may write is
// replaced only after a question that says so; it stays read-only.
TEST_F(GenerationRunTest, PermissionsAreKeptAndAReadOnlyFileIsAskedAbout) {
    Run();
    for (const char* name : {"Gain.c", "Gain.h"}) {
        WriteFileBytes(Disk(name), ReadFileBytes(Disk(name)) + "/* older */\r\n");
    }
    fs::permissions(Disk("Gain.c"), fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(Disk("Gain.h"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    prompts_.overwriteQuestions.clear();

    prompts_.overwriteAnswers = {OverwriteAnswer::Yes, OverwriteAnswer::No};
    RunResult result = Run();
    EXPECT_THAT(prompts_.readOnlyQuestions, ElementsAre(In("Gain.h")));
    EXPECT_THAT(prompts_.overwriteQuestions, ElementsAre(In("Gain.c"), In("Gain.h")));
    EXPECT_THAT(result.Paths(FileAction::Skipped), ElementsAre(In("Gain.h")));
    EXPECT_EQ(result.ReadOnlyReplaced(), 0u);
    EXPECT_THAT(ReadFileBytes(Disk("Gain.h")), HasSubstr("/* older */"));

    prompts_.overwriteAnswers = {OverwriteAnswer::YesToAll};
    result = Run();
    EXPECT_EQ(result.ReadOnlyReplaced(), 1u);
    const auto written =
        std::find_if(result.events.begin(), result.events.end(), [&](const FileEvent& e) {
            return e.action == FileAction::Written && e.path == In("Gain.h");
        });
    ASSERT_NE(written, result.events.end());
    EXPECT_TRUE(written->readOnly);
    EXPECT_THAT(ReadFileBytes(Disk("Gain.h")), Not(HasSubstr("/* older */")));
    EXPECT_EQ(fs::status(Disk("Gain.c")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(Disk("Gain.h")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// A private file's backup and the sections kept aside from it are as
// private as the file, and a KRSave the run makes no more open than the
// block folder, whatever the umask would give.
TEST_F(GenerationRunTest, BackupsAndKeptSectionsOfAPrivateFileStayPrivate) {
    Run();
    fs::remove_all(Disk("KRSave"));
    fs::permissions(Dir(), fs::perms::owner_all);
    const std::string text = ReadFileBytes(Disk("Gain.c"));
    const std::string marker = "//; Include Libraries\r\n";
    ASSERT_NE(text.find(marker), std::string::npos);
    // An indented marker: its section cannot be carried over and is kept aside.
    WriteFileBytes(Disk("Gain.c"), std::string(text).replace(text.find(marker), marker.size(),
                                                             " " + marker + "int kept;\r\n"));
    fs::permissions(Disk("Gain.c"), fs::perms::owner_read | fs::perms::owner_write);

    const RunResult result = Run();

    ASSERT_EQ(result.leftovers.size(), 1u);
    const fs::perms owner = fs::perms::owner_read | fs::perms::owner_write;
    EXPECT_EQ(fs::status(Disk("KRSave")).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(Disk("KRSave/Gain.c")).permissions() & fs::perms::all, owner);
    EXPECT_EQ(fs::status(NativePath(result.leftovers[0].keptIn)).permissions() & fs::perms::all,
              owner);
    EXPECT_EQ(fs::status(Disk("Gain.c")).permissions() & fs::perms::all, owner);
}

TEST_F(GenerationRunTest, AHugeFileInTheWayStopsTheRunAndIsNamed) {
    Run();
    fs::resize_file(Disk("IFGain.c"), std::uintmax_t{20} << 30);
    prompts_.messages.clear();

    const RunResult result = Run();

    EXPECT_EQ(result.outcome, RunOutcome::Aborted);
    EXPECT_THAT(result.events, IsEmpty());
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_THAT(prompts_.messages[0],
                HasSubstr(NativePath(Disk("IFGain.c")) + " is larger than 16 MB"));
    EXPECT_FALSE(Exists("KRSave/IFGain.c"));
    EXPECT_EQ(fs::file_size(Disk("IFGain.c")), std::uintmax_t{20} << 30);
}

}  // namespace
}  // namespace bw
