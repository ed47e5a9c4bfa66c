// Generation runs whose writes fail part way. A file size limit stands in for
// a full disk (writes past it fail with EFBIG, as they would with ENOSPC); the
// command line's tests drive the real program against a full or read-only
// folder through a preloaded library.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "definition/template_file.h"
#include "generation/file_set.h"
#include "generation/generation_run.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

const char* const STOCK_FILES[] = {"RT.ico",     "RT1.ico",     "input.ico",   "input1.ico",
                                   "output.ico", "output1.ico", "process.ico", "process1.ico"};

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

class FaultInjectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : STOCK_FILES) {
            WriteFileBytes(stock_.path() + name, "icon");
        }
        environment_.prompts = &prompts_;
        environment_.clock = &clock_;
        environment_.settings = &settings_;
        environment_.workingDirectory = stock_.path();
        environment_.settingsDirectory = stock_.path();
        block_ = NewBlock();
        block_.BlockName = "Gain";
        block_.IconFilename = "Gain.ico";
        block_.Directory = out_.path() + "Gain";
        fs::create_directories(Disk(""));
    }

    std::string In(const std::string& relative) const { return block_.Directory + "\\" + relative; }
    std::string Disk(const std::string& relative) const {
        return block_.Directory + "/" + relative;
    }

    // Room for the template, which comes first, not for the user source.
    RunResult RunOnAFullDisk() {
        const std::string probe = out_.path() + "probe.TBT";
        WriteTemplate(block_, probe);
        FileSizeLimit limit(static_cast<rlim_t>(fs::file_size(probe)) + 64);
        return RunGeneration(block_, environment_);
    }

    TempDir stock_;
    TempDir out_;
    RecordingPrompts prompts_;
    FixedClock clock_{std::tm{}};
    MemorySettings settings_;
    RunEnvironment environment_;
    BLOCKINFO block_;
};

TEST_F(FaultInjectionTest, AFileCutShortByAFullDiskIsPutBackAndTheRunStops) {
    const std::string previous = "/* the user's own routine */\r\n";
    WriteFileBytes(Disk("Gain.c"), previous);
    prompts_.yesNoAnswers = {false};  // no splice: the new text is the whole default

    const RunResult result = RunOnAFullDisk();

    EXPECT_EQ(result.outcome, RunOutcome::Aborted);
    EXPECT_THAT(prompts_.messages, ElementsAre("Cannot write file " + In("Gain.c") +
                                               ".  Will abort code generation."));
    EXPECT_EQ(ReadFileBytes(Disk("Gain.c")), previous);
    EXPECT_EQ(ReadFileBytes(Disk("KRSave/Gain.c")), previous);
    EXPECT_THAT(result.Paths(FileAction::Written), Not(Contains(In("Gain.c"))));
    EXPECT_THAT(result.Paths(FileAction::Skipped), ElementsAre(In("Gain.c")));
    EXPECT_FALSE(fs::exists(Disk("IFGain.c")));
}

TEST_F(FaultInjectionTest, ANewFileCutShortByAFullDiskLeavesNothingBehind) {
    const RunResult result = RunOnAFullDisk();

    EXPECT_EQ(result.outcome, RunOutcome::Aborted);
    EXPECT_THAT(prompts_.messages, ElementsAre("Cannot write file " + In("Gain.c") +
                                               ".  Will abort code generation."));
    EXPECT_EQ(result.Paths(FileAction::Written), std::vector<std::string>{In("Gain.TBT")});
    EXPECT_FALSE(fs::exists(Disk("Gain.c")));
}

TEST_F(FaultInjectionTest, ATemplateThatCannotBeWrittenIsReportedAndTheRunGoesOn) {
    fs::create_directories(Disk("Gain.TBT"));  // a folder stands in the template's place

    const RunResult result = RunGeneration(block_, environment_);

    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_THAT(prompts_.messages, ElementsAre(CannotWriteTemplateMessage(In("Gain.TBT"))));
    EXPECT_THAT(result.Paths(FileAction::Written), Not(Contains(In("Gain.TBT"))));
    for (const BlockFile& file : RunFileSet(block_)) {
        if (file.kind != FileKind::Template) {
            EXPECT_TRUE(fs::exists(Disk(file.path))) << file.path;
        }
    }
    EXPECT_TRUE(fs::is_directory(Disk("Gain.TBT")));
}

}  // namespace
}  // namespace bw
