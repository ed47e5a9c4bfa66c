#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "generation/paths.h"
#include "generation/protection.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const char* const UNABLE_TO_BACKUP = "Unable to backup file ";

class ProtectionTest : public ::testing::Test {
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

TEST_F(ProtectionTest, KRSaveKeepsTheVersionMostRecentlyReplaced) {
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

TEST_F(ProtectionTest, BackupFolderIsFoundWhateverItsCaseAndSeparators) {
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
TEST_F(ProtectionTest, UnbackableFileIsReplacedOnlyWithConsent) {
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

TEST_F(ProtectionTest, AnswersDecideEachFileAndYesToAllTheRest) {
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

// A file head with its creation stamp, and the same made at another time.
const std::string STAMPED_HEAD =
    "//\r\n//    Creation Date: Tue - 05 March 2024\r\n//    Creation Time: 02:07 PM\r\n";

std::string MadeLater(std::string text) {
    text.replace(text.find("05 March"), 8, "06 April");
    text.replace(text.find("02:07"), 5, "11:59");
    return text;
}

TEST(SameContentTest, OnlyTheCreationTimeOfTheHeadMayDiffer) {
    const std::string head = STAMPED_HEAD + "int x;\r\n";
    const std::string later = MadeLater(head);
    EXPECT_TRUE(SameContent(head, head));
    EXPECT_TRUE(SameContent(head, later));
    EXPECT_FALSE(SameContent(head, later + "\r\n"));
    EXPECT_FALSE(SameContent(head, later.substr(0, later.size() - 2)));
    std::string body = head;
    body.replace(body.find("int x"), 5, "int y");
    EXPECT_FALSE(SameContent(head, body));
    // A line that says something else where the time was is a change.
    std::string other = head;
    other.replace(other.find("//    Creation Time"), 19, "//    Modified Time");
    EXPECT_FALSE(SameContent(head, other));
    // Past the head, such a line is text like any other.
    std::string deep;
    for (int i = 0; i < 50; ++i) {
        deep += "//\r\n";
    }
    EXPECT_FALSE(SameContent(deep + head, deep + later));
}

// A file on the disk, or a text handed over in pieces, is compared as its
// bytes would be in memory, whether the head, or a difference, lies within
// the first piece read or beyond it.
TEST(SameContentTest, AFileComparesAsItsBytesDo) {
    const std::string& head = STAMPED_HEAD;
    const std::string later = MadeLater(head);
    const std::string big(700 * 1024 + 3, 'x');
    const std::string longLine = std::string(300 * 1024, 'y') + "\r\n";
    const auto changedAt = [](std::string text, size_t at) {
        text[at] = '!';
        return text;
    };
    struct Case {
        std::string existing, generated;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"", "a"},
        {"a", ""},
        {head + big, later + big},
        {head + big, later + big + "z"},
        {head + big + "z", later + big},
        {head + big, later + changedAt(big, big.size() - 1)},
        {head + big, later + changedAt(big, 256 * 1024 - head.size())},
        {head + big, later + changedAt(big, 256 * 1024 - head.size() - 1)},
        {longLine + head, longLine + later},
        {longLine + head + big, longLine + head + big},
        {big, big.substr(0, big.size() - 1)},
    };
    TempDir dir;
    std::unique_ptr<BlockFolder> folder;
    ASSERT_TRUE(BlockFolder::Open(dir.path(), false, folder));
    for (size_t i = 0; i < cases.size(); ++i) {
        WriteFileBytes(dir.path() + "file.c", cases[i].existing);
        const bool same = SameContent(cases[i].existing, cases[i].generated);
        EXPECT_EQ(FileHasSameContent(*folder, "file.c", cases[i].generated), same) << "case " << i;
        // Handed over in pieces as a generator produces it, in lines or less.
        for (const size_t piece : {size_t{1}, size_t{7}, size_t{4096}}) {
            ContentComparison comparison(*folder, "file.c");
            for (size_t at = 0; at < cases[i].generated.size(); at += piece) {
                comparison.Take(std::string_view(cases[i].generated).substr(at, piece));
            }
            EXPECT_EQ(comparison.Result(), same) << "case " << i << " in pieces of " << piece;
            // Compared with the bytes in memory, the text it keeps is still
            // the whole text, wherever the two part.
            ComparedText compared(cases[i].existing);
            for (size_t at = 0; at < cases[i].generated.size(); at += piece) {
                compared.Take(std::string_view(cases[i].generated).substr(at, piece));
            }
            EXPECT_EQ(compared.Same(), same) << "case " << i << " in pieces of " << piece;
            EXPECT_TRUE(compared.TakeText() == cases[i].generated)
                << "case " << i << " in pieces of " << piece;
        }
    }
    EXPECT_EQ(FileHasSameContent(*folder, "missing.c", ""), std::nullopt);
}

}  // namespace
}  // namespace bw
