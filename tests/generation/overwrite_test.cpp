#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "generation/overwrite.h"
#include "generation/paths.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const char* const UNABLE_TO_BACKUP = "Unable to backup file ";

class OverwriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        environment_.prompts = &prompts_;
        ASSERT_TRUE(BlockFolder::Open(dir_.path(), false, folder_));
    }
    std::string PathOf(const std::string& name) const { return dir_.path() + name; }
    // One file of a run: the overwrite decision, then the writing.
    bool Replace(const std::string& name, const std::string& text) {
        const Entry entry = folder_->Look(name);
        if (DecideOverwrite(*folder_, name, PathOf(name), entry, environment_, lastAnswer_) ==
            Overwrite::Keep) {
            return false;
        }
        return static_cast<bool>(folder_->Write(name, text));
    }
    BackupOutcome BackUp(const std::string& name) {
        return Backup(*folder_, name, PathOf(name), prompts_);
    }
    void NewRun() { lastAnswer_ = OverwriteAnswer::Yes; }

    TempDir dir_;
    std::unique_ptr<BlockFolder> folder_;
    RecordingPrompts prompts_;
    RunEnvironment environment_;
    OverwriteAnswer lastAnswer_ = OverwriteAnswer::Yes;
};

TEST_F(OverwriteTest, KRSaveKeepsTheVersionMostRecentlyReplaced) {
    EXPECT_TRUE(Replace("MyAdd.c", "first"));
    EXPECT_FALSE(fs::exists(PathOf("KRSave")));  // nothing was replaced yet
    NewRun();
    EXPECT_TRUE(Replace("MyAdd.c", "second"));
    EXPECT_EQ(ReadFileBytes(PathOf("KRSave/MyAdd.c")), "first");
    NewRun();
    EXPECT_TRUE(Replace("MyAdd.c", "third"));
    EXPECT_EQ(ReadFileBytes(PathOf("KRSave/MyAdd.c")), "second");
    EXPECT_EQ(ReadFileBytes(PathOf("MyAdd.c")), "third");
    EXPECT_EQ(prompts_.overwriteQuestions.size(), 2u);
}

TEST_F(OverwriteTest, BackupFolderIsFoundWhateverItsCaseAndSeparators) {
    WriteFileBytes(PathOf("DSPCode/_MyAdd.c"), "old");
    fs::create_directory(PathOf("DSPCode/krsave"));
    EXPECT_EQ(BackUp("DSPCODE\\_MyAdd.c"), BackupOutcome::BackedUp);
    EXPECT_EQ(ReadFileBytes(PathOf("DSPCode/krsave/_MyAdd.c")), "old");
    if (!FILE_NAMES_IGNORE_CASE) {
        EXPECT_FALSE(fs::exists(PathOf("DSPCode/KRSave")));
    }
}

// Permission bits do not stop root, so the backup is made impossible by a
// file where the backup folder, or a directory where the copy, should be.
TEST_F(OverwriteTest, UnbackableFileIsReplacedOnlyWithConsent) {
    WriteFileBytes(PathOf("MyAdd.c"), "keep me");
    WriteFileBytes(PathOf("KRSave"), "not a folder");
    WriteFileBytes(PathOf("MyAdd.h"), "header");
    fs::create_directories(PathOf("KRSave2/MyAdd.h"));

    prompts_.yesNoAnswers = {false};
    EXPECT_FALSE(Replace("MyAdd.c", "new"));
    EXPECT_EQ(ReadFileBytes(PathOf("MyAdd.c")), "keep me");
    ASSERT_EQ(prompts_.questions.size(), 1u);
    // What could not be done and the system's reason first, then the
    // question as it always was.
    const std::string& question = prompts_.questions[0];
    const std::string asked = UNABLE_TO_BACKUP + DisplayPath(PathOf("MyAdd.c")) +
                              ".  Do you want to overwrite this file ?";
    EXPECT_EQ(question.rfind("Cannot ", 0), 0u) << question;
    EXPECT_NE(question.find("KRSave"), std::string::npos) << question;
    EXPECT_TRUE(question.ends_with("\n" + asked)) << question;
    if (!RUNNING_ON_WINDOWS) {
        EXPECT_TRUE(question.ends_with(": " + std::string(std::strerror(ENOTDIR)) + "\n" + asked))
            << question;
    }
    EXPECT_FALSE(environment_.Stopping);  // the run goes on

    prompts_.yesNoAnswers = {true};
    EXPECT_TRUE(Replace("MyAdd.c", "new"));
    EXPECT_EQ(ReadFileBytes(PathOf("MyAdd.c")), "new");

    fs::remove(PathOf("KRSave"));
    fs::create_directories(PathOf("KRSave/MyAdd.h"));
    prompts_.yesNoAnswers = {false};
    EXPECT_EQ(BackUp("MyAdd.h"), BackupOutcome::Declined);
    EXPECT_EQ(ReadFileBytes(PathOf("MyAdd.h")), "header");
}

TEST_F(OverwriteTest, AnswersDecideEachFileAndYesToAllTheRest) {
    for (const char* name : {"a.c", "b.c", "c.c", "d.c"}) {
        WriteFileBytes(PathOf(name), "old");
    }
    prompts_.overwriteAnswers = {OverwriteAnswer::No, OverwriteAnswer::YesToAll};
    EXPECT_FALSE(Replace("a.c", "new"));   // No skips only this file
    EXPECT_TRUE(Replace("new.c", "new"));  // a new file is written without asking
    EXPECT_TRUE(Replace("b.c", "new"));
    EXPECT_TRUE(Replace("c.c", "new"));  // no more questions after Yes to All
    EXPECT_TRUE(Replace("d.c", "new"));
    EXPECT_EQ(prompts_.overwriteQuestions,
              (std::vector<std::string>{PathOf("a.c"), PathOf("b.c")}));
    EXPECT_EQ(ReadFileBytes(PathOf("a.c")), "old");
    EXPECT_FALSE(fs::exists(PathOf("KRSave/a.c")));
    for (const char* name : {"b.c", "c.c", "d.c"}) {
        EXPECT_EQ(ReadFileBytes(PathOf(name)), "new") << name;
        EXPECT_EQ(ReadFileBytes(PathOf("KRSave/") + name), "old") << name;
    }
}

}  // namespace
}  // namespace bw
