#include "run/generation_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>

#include "definition/template_file.h"
#include "generation/paths.h"
#include "generation/shared_rules.h"
#include "run/file_set.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const STOCK_FILES[] = {"RT.ico",      "RT1.ico",      "input.ico",
                                   "input1.ico",  "output.ico",   "output1.ico",
                                   "process.ico", "process1.ico", "xDAIS.bmp"};

// A run into a temporary folder, with stock files whose contents name them.
class GenerationRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : STOCK_FILES) {
            WriteFileBytes(stock_.path() + name, std::string("stock ") + name);
        }
        environment_.prompts = &prompts_;
        environment_.clock = &clock_;
        environment_.settings = &settings_;
        environment_.workingDirectory = stock_.path();
        environment_.settingsDirectory = stock_.path();
        block_ = NewBlock();
        block_.BlockName = "Gain";
        block_.IconFilename = "Gain.ico";
        block_.Directory = Dir();
    }

    std::string Dir() const { return out_.path() + "Gain"; }
    std::string In(const std::string& relative) const { return Dir() + "\\" + relative; }
    std::string Disk(const std::string& relative) const { return Dir() + "/" + relative; }
    bool Exists(const std::string& relative) const { return fs::exists(Disk(relative)); }

    RunResult Run() { return RunGeneration(block_, environment_); }

    std::vector<std::string> RunPaths() const {
        std::vector<std::string> paths;
        for (const BlockFile& file : RunFileSet(block_)) {
            paths.push_back(In(file.path));
        }
        return paths;
    }

    TempDir stock_;
    TempDir out_;
    RecordingPrompts prompts_;
    FixedClock clock_{std::tm{}};
    MemorySettings settings_;
    RunEnvironment environment_;
    BLOCKINFO block_;
};

TEST_F(GenerationRunTest, WritesTheWholeFileSetInOrderAndEndsStopped) {
    environment_.Stopping = true;  // left over from an earlier run
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_EQ(result.Paths(FileAction::Written), RunPaths());
    for (const BlockFile& file : RunFileSet(block_)) {
        EXPECT_TRUE(Exists(file.path)) << file.path;
    }
    EXPECT_NE(ReadFileBytes(Disk("Gain.TBT")).find("Block Name=Gain"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(Disk("Gain.ico")), "stock process.ico");
    EXPECT_EQ(ReadFileBytes(Disk("Gain1.ico")), "stock process1.ico");
    EXPECT_THAT(prompts_.overwriteQuestions, IsEmpty());
    EXPECT_THAT(prompts_.messages, IsEmpty());
    EXPECT_TRUE(environment_.Stopping);
}

// The icons are copied from the stock ones of the block's shape, named after
// the icon file name with or without its extension.
TEST_F(GenerationRunTest, IconsFollowTheBlockShape) {
    struct Case {
        int inputs, outputs, realTime;
        const char* name;
        const char* stock;
    };
    const Case cases[] = {{0, 2, 0, "src", "input"},
                          {2, 0, 0, "sink.ico", "output"},
                          {0, 0, 0, "none", "process"},   // neither a source nor a sink
                          {0, 3, 1, "my.rt.ico", "RT"}};  // real-time before shape
    for (const Case& c : cases) {
        block_.NumInputs = c.inputs;
        block_.NumOutputs = c.outputs;
        block_.RealTime = c.realTime;
        block_.IconFilename = c.name;
        Run();
        const std::string stem = fs::path(c.name).stem().string();
        EXPECT_EQ(ReadFileBytes(Disk(stem + ".ico")), "stock " + std::string(c.stock) + ".ico");
        EXPECT_EQ(ReadFileBytes(Disk(stem + "1.ico")), "stock " + std::string(c.stock) + "1.ico");
    }
}

TEST_F(GenerationRunTest, IntegerVariantIsProducedAndTheDefinitionRestored) {
    block_.BlockName = "NFAdd";
    block_.RealTime = 1;
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    for (const char* file : {"DSPCODE/_NFAdd.c", "DSPCODE/_NFAdd.h", "DSPCODE/_NIAdd.c",
                             "DSPCODE/_NIAdd.h", "DSPCODE/NFAdd.pjt"}) {
        EXPECT_TRUE(Exists(file)) << file;
    }
    // "DSPCode" of the project is the folder "DSPCODE" the DSP files made.
    EXPECT_FALSE(Exists("DSPCode"));
    EXPECT_FALSE(Exists("NFAdd.c"));  // no user source for a DSP-based block
    EXPECT_EQ(block_.BlockName, "NFAdd");
    EXPECT_EQ(block_.FloatingPoint, 1);
    EXPECT_EQ(block_.Integer, 1);
}

TEST_F(GenerationRunTest, XdaisBitmapIsCopiedOrReportedMissing) {
    block_.xDAIS = 1;
    Run();
    EXPECT_EQ(ReadFileBytes(Disk("Gain.bmp")), "stock xDAIS.bmp");

    fs::remove(stock_.path() + "xDAIS.bmp");
    fs::remove(Disk("Gain.bmp"));
    prompts_.overwriteAnswers = {OverwriteAnswer::YesToAll};
    const RunResult result = Run();
    EXPECT_THAT(prompts_.messages, ElementsAre(XDAIS_BITMAP_MISSING_MESSAGE));
    EXPECT_EQ(result.outcome, RunOutcome::Completed);  // the run goes on
    EXPECT_FALSE(Exists("Gain.bmp"));
    EXPECT_TRUE(Exists("Gain.mak"));
}

TEST_F(GenerationRunTest, RemembersTheBlocksChoices) {
    block_.LibraryPath = "c:\\lib";
    block_.CompanyName = "Acme";
    block_.VendorName = "AC";
    Run();
    const std::string folder = out_.path().substr(0, out_.path().size() - 1);
    // Folders keep their case where file names do.
    const auto remembered = [](const std::string& path) {
        return FILE_NAMES_IGNORE_CASE ? LowerCase(path) : path;
    };
    EXPECT_EQ(settings_.values["Settings/Open Directory"], remembered(Dir()));
    EXPECT_EQ(settings_.values["Settings/Block Directory"], remembered(folder));
    EXPECT_EQ(settings_.values["Settings/Lib Directory"], "c:\\lib");
    EXPECT_EQ(settings_.values["Settings/Company Name"], "Acme");
    EXPECT_EQ(settings_.values["Settings/Vendor Name"], "AC");

    // Only a block name that ends the directory is cut off.
    block_.BlockName = "MyAdd";
    block_.Directory = "c:\\MyAdd\\src";
    RememberSettings(block_, settings_);
    EXPECT_EQ(settings_.values["Settings/Block Directory"], remembered("c:\\MyAdd\\src"));
    block_.Directory = "c:\\Work\\myadd\\";
    RememberSettings(block_, settings_);
    EXPECT_EQ(settings_.values["Settings/Block Directory"], remembered("c:\\Work"));
}

TEST_F(GenerationRunTest, YesToAllBacksUpAndReplacesWithoutAskingAgain) {
    Run();
    WriteFileBytes(Disk("Gain.rc"), "first version");
    prompts_.overwriteAnswers = {OverwriteAnswer::YesToAll};
    const RunResult result = Run();
    EXPECT_THAT(prompts_.overwriteQuestions, ElementsAre(In("Gain.TBT")));
    EXPECT_EQ(result.Paths(FileAction::BackedUp), RunPaths());
    EXPECT_EQ(result.Paths(FileAction::Written), RunPaths());
    EXPECT_EQ(ReadFileBytes(Disk("KRSave/Gain.rc")), "first version");
    EXPECT_EQ(ReadFileBytes(Disk("KRSave/Gain.ico")), "stock process.ico");
}

TEST_F(GenerationRunTest, CancelAtTheTemplateWritesNothing) {
    WriteFileBytes(Disk("Gain.TBT"), "old template");
    prompts_.overwriteAnswers = {OverwriteAnswer::Cancel};
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, RunOutcome::Cancelled);
    EXPECT_THAT(result.Paths(FileAction::Written), IsEmpty());
    EXPECT_EQ(ReadFileBytes(Disk("Gain.TBT")), "old template");
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir()), fs::directory_iterator()), 1);
    EXPECT_TRUE(environment_.Stopping);
}

// A run stopped while a generator is writing (a question inside it left
// unanswered) leaves that file as it was before the run.
TEST_F(GenerationRunTest, AFileStoppedPartWayIsPutBackOrRemoved) {
    block_.BlockName = "NFAdd";
    block_.RealTime = 1;  // the DSP generators write, whatever else is in place yet
    int pumps = 0;
    environment_.pump = [&] {
        if (++pumps == 1) {
            environment_.Stopping = true;
        }
    };
    RunResult result = Run();
    ASSERT_GT(pumps, 0);
    EXPECT_EQ(result.outcome, RunOutcome::Cancelled);
    for (const BlockFile& file : RunFileSet(block_)) {
        const std::string path = In(file.path);
        const auto written = result.Paths(FileAction::Written);
        if (std::find(written.begin(), written.end(), path) == written.end()) {
            EXPECT_FALSE(FileExists(path)) << path;  // the cut file is removed
        }
    }

    for (const BlockFile& file : RunFileSet(block_)) {
        WriteFileBytes(NativePath(In(file.path)), "old " + file.path);
    }
    pumps = 0;
    prompts_.overwriteAnswers = {OverwriteAnswer::YesToAll};
    result = Run();
    ASSERT_GT(pumps, 0);
    const auto written = result.Paths(FileAction::Written);
    for (const BlockFile& file : RunFileSet(block_)) {
        if (std::find(written.begin(), written.end(), In(file.path)) == written.end()) {
            EXPECT_EQ(ReadFileBytes(NativePath(In(file.path))), "old " + file.path);
        }
    }
    // The cut file was backed up, then put back.
    const auto skipped = result.Paths(FileAction::Skipped);
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_THAT(result.Paths(FileAction::BackedUp), ::testing::Contains(skipped[0]));
}

TEST_F(GenerationRunTest, AFileThatCannotBeOpenedEndsTheRun) {
    fs::create_directories(Disk("Gain.h"));  // a folder where the header should go
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, RunOutcome::Aborted);
    EXPECT_THAT(prompts_.messages, ElementsAre("Cannot open file " + DisplayPath(In("Gain.h")) +
                                               ".  Will abort code generation."));
    EXPECT_TRUE(Exists("IFGain.c"));  // files already written stay
    EXPECT_FALSE(Exists("resource.h"));
    EXPECT_TRUE(environment_.Stopping);
}

TEST_F(GenerationRunTest, NamesThatLeaveTheBlockDirectoryAreRefused) {
    const std::vector<std::function<void(BLOCKINFO&)>> cases = {
        [](BLOCKINFO& b) { b.BlockName = ""; },
        [](BLOCKINFO& b) { b.BlockName = "..\\Gain"; },
        [](BLOCKINFO& b) { b.BlockName = "/etc/Gain"; },
        [](BLOCKINFO& b) { b.IconFilename = ".."; },
        [](BLOCKINFO& b) { b.IconFilename = "icons/Gain.ico"; },
        [](BLOCKINFO& b) {
            b.RealTime = b.xDAIS = 1;
            b.AlgorithmName = "..\\..\\FIR";
        },
        [](BLOCKINFO& b) { b.Directory = "c:\\blocks\\Gain"; },
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        BLOCKINFO block = block_;
        cases[i](block);
        prompts_.messages.clear();
        const RunResult result = RunGeneration(block, environment_);
        EXPECT_EQ(result.outcome, RunOutcome::Refused) << "case " << i;
        EXPECT_EQ(prompts_.messages.size(), 1u) << "case " << i;
        EXPECT_TRUE(result.events.empty()) << "case " << i;
    }
    EXPECT_FALSE(fs::exists(Dir()));
    EXPECT_TRUE(settings_.values.empty());
    // The algorithm name only names a file of an XDAIS block.
    block_.AlgorithmName = "a/b";
    EXPECT_EQ(RefusalReason(block_), "");
}

#ifndef _WIN32  // file size limits are a POSIX facility
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

// A new file cut short is removed; an existing one is put back (its backup
// stays). Either way the run stops there.
TEST_F(FullDiskTest, AFileCutShortIsRemovedOrPutBackAndTheRunStops) {
    for (const std::string previous : {"", "/* the user's own routine */\r\n"}) {
        if (!previous.empty()) {
            WriteFileBytes(Disk("Gain.c"), previous);
            prompts_.yesNoAnswers = {false};  // no splice: the new text is the whole default
        }
        prompts_.messages.clear();
        const RunResult result = RunOnAFullDisk();
        EXPECT_EQ(result.outcome, RunOutcome::Aborted);
        EXPECT_THAT(prompts_.messages,
                    ElementsAre("Cannot write file " + DisplayPath(In("Gain.c")) +
                                ".  Will abort code generation."));
        EXPECT_EQ(result.Paths(FileAction::Written), std::vector<std::string>{In("Gain.TBT")});
        const bool replaced = !previous.empty();
        EXPECT_EQ(result.Paths(FileAction::Skipped),
                  replaced ? std::vector<std::string>{In("Gain.c")} : std::vector<std::string>{});
        EXPECT_EQ(FileExists(In("Gain.c")), replaced);
        EXPECT_FALSE(Exists("IFGain.c"));
    }
    EXPECT_EQ(ReadFileBytes(Disk("Gain.c")), "/* the user's own routine */\r\n");
    EXPECT_EQ(ReadFileBytes(Disk("KRSave/Gain.c")), "/* the user's own routine */\r\n");
}

#endif

TEST_F(GenerationRunTest, ATemplateThatCannotBeWrittenIsReportedAndTheRunGoesOn) {
    fs::create_directories(Disk("Gain.TBT"));  // a folder stands in the template's place
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_THAT(prompts_.messages, ElementsAre(CannotWriteTemplateMessage(In("Gain.TBT"))));
    EXPECT_THAT(result.notWritten, ElementsAre(In("Gain.TBT")));
    std::vector<std::string> others = RunPaths();
    others.erase(others.begin());
    EXPECT_EQ(result.Paths(FileAction::Written), others);
    for (const BlockFile& file : RunFileSet(block_)) {
        EXPECT_TRUE(fs::exists(Disk(file.path))) << file.path;
    }
}

}  // namespace
}  // namespace bw
