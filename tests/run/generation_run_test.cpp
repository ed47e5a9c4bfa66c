#include "run/generation_run.h"

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
#include "run/file_preview.h"
#include "run/file_set.h"
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

TEST_F(GenerationRunTest, WritesTheWholeFileSetInOrderAndEndsStopped) {
    environment_.Stopping = true;  // left over from an earlier run
    std::vector<std::string> inHand;
    environment_.fileInHand = [&](const std::string& relative) { inHand.push_back(In(relative)); };
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_EQ(result.Paths(FileAction::Written), RunPaths());
    EXPECT_EQ(inHand, RunPaths());
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
    if (!FILE_NAMES_IGNORE_CASE) {
        EXPECT_FALSE(Exists("DSPCode"));
    }
    EXPECT_FALSE(Exists("NFAdd.c"));  // no user source for a DSP-based block
    EXPECT_EQ(block_.BlockName, "NFAdd");
    EXPECT_EQ(block_.FloatingPoint, 1);
    EXPECT_EQ(block_.Integer, 1);
}

// The host's real-time driver reads the order of the parameter members from
// "_rtparam.ini" in the settings directory, which the run writes after the
// files for both variants: the block's stale entries go, other entries and
// blocks stay. A block without parameter members leaves the record alone.
TEST_F(GenerationRunTest, TheParameterOrderIsRecordedForBothVariants) {
    const std::string ini = stock_.path() + "_rtparam.ini";
    WriteFileBytes(ini, "[NFAdd]\r\n0=stale\r\n7=kept\r\n[Other]\r\n0=untouched\r\n");
    block_.BlockName = "NFAdd";
    block_.RealTime = 1;
    AddParameter(block_, "Gain", TYPE_FLOAT);
    AddParameter(block_, "Mode", TYPE_COMBO_BOX);
    ASSERT_EQ(Run().outcome, RunOutcome::Completed);
    ProfileFile profile;
    ASSERT_TRUE(profile.Load(ini));
    for (const char* section : {"NFAdd", "NIAdd"}) {
        EXPECT_EQ(profile.GetString(section, "0", ""), "_Gain") << section;
        EXPECT_EQ(profile.GetString(section, "1", ""), "_Mode") << section;
        EXPECT_FALSE(profile.Find(section, "2")) << section;
    }
    EXPECT_EQ(profile.GetString("NFAdd", "7", ""), "kept");
    EXPECT_EQ(profile.GetString("Other", "0", ""), "untouched");

    fs::remove(ini);
    block_.BlockName = "NFText";
    block_.NumParameters = 0;
    AddParameter(block_, "Name", TYPE_TEXT);
    ASSERT_EQ(Run().outcome, RunOutcome::Completed);
    EXPECT_FALSE(fs::exists(ini));
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
    EXPECT_EQ(settings_.values["Settings/Open Directory"], CleanPath(Dir()));
    EXPECT_EQ(settings_.values["Settings/Block Directory"], CleanPath(folder));
    EXPECT_EQ(settings_.values["Settings/Lib Directory"], "c:\\lib");
    EXPECT_EQ(settings_.values["Settings/Company Name"], "Acme");
    EXPECT_EQ(settings_.values["Settings/Vendor Name"], "AC");

    // New blocks start beside this one, whatever its folder is named; the
    // folders are kept as typed, without "..".
    block_.BlockName = "MyAdd";
    block_.Directory = "c:\\MyAdd\\src";
    RememberSettings(block_, settings_);
    EXPECT_EQ(settings_.values["Settings/Block Directory"], "c:\\MyAdd");
    block_.Directory = "C:\\Program Files\\Tessaline Blockwright\\examples\\..\\Work\\MyAdd\\";
    RememberSettings(block_, settings_);
    EXPECT_EQ(settings_.values["Settings/Open Directory"],
              "C:\\Program Files\\Tessaline Blockwright\\Work\\MyAdd");
    EXPECT_EQ(settings_.values["Settings/Block Directory"],
              "C:\\Program Files\\Tessaline Blockwright\\Work");
    block_.Directory = "c:\\MyAdd";
    RememberSettings(block_, settings_);
    EXPECT_EQ(settings_.values["Settings/Block Directory"],
              "c:\\MyAdd");  // no parent but the drive
}

TEST_F(GenerationRunTest, YesToAllBacksUpAndReplacesWithoutAskingAgain) {
    Run();
    for (const BlockFile& file : RunFileSet(block_)) {
        WriteFileBytes(NativePath(In(file.path)), "old " + file.path);
    }
    // Files the record of what was written does not know (edited by hand,
    // they would be asked about each): Yes to All answers for them all.
    fs::remove(Disk("KRSave/.blockwright-written"));
    prompts_.overwriteAnswers = {OverwriteAnswer::YesToAll};
    const RunResult result = Run();
    EXPECT_THAT(prompts_.overwriteQuestions, ElementsAre(In("Gain.TBT")));
    EXPECT_EQ(result.Paths(FileAction::BackedUp), RunPaths());
    EXPECT_EQ(result.Paths(FileAction::Written), RunPaths());
    EXPECT_EQ(ReadFileBytes(Disk("KRSave/Gain.rc")), "old Gain.rc");
    EXPECT_EQ(ReadFileBytes(Disk("KRSave/Gain.ico")), "old Gain.ico");
    EXPECT_EQ(ReadFileBytes(Disk("Gain.ico")), "stock process.ico");
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
    EXPECT_THAT(settings_.values, IsEmpty());
}

// A run stopped while a generator is writing (a question inside it left
// unanswered) leaves that file as it was before the run: nothing of it has
// reached the disk.
TEST_F(GenerationRunTest, AFileStoppedPartWayIsNeverTouched) {
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
    const auto NotWritten = [&](const RunResult& run) {
        std::vector<std::string> paths;
        const auto written = run.Paths(FileAction::Written);
        for (const BlockFile& file : RunFileSet(block_)) {
            if (std::find(written.begin(), written.end(), In(file.path)) == written.end()) {
                paths.push_back(In(file.path));
            }
        }
        return paths;
    };
    ASSERT_FALSE(NotWritten(result).empty());
    for (const std::string& path : NotWritten(result)) {
        EXPECT_FALSE(FileExists(path)) << path;
    }
    // Nor is anything left of the text that was on its way.
    for (const auto& entry : fs::recursive_directory_iterator(Dir())) {
        EXPECT_FALSE(entry.path().string().ends_with(".tmp~")) << entry.path();
    }

    for (const BlockFile& file : RunFileSet(block_)) {
        WriteFileBytes(NativePath(In(file.path)), "old " + file.path);
    }
    pumps = 0;
    prompts_.overwriteAnswers = {OverwriteAnswer::YesToAll};
    result = Run();
    ASSERT_GT(pumps, 0);
    for (const std::string& path : NotWritten(result)) {
        EXPECT_FALSE(fs::exists(NativePath(BackupPathOf(path)))) << path;
    }
    for (const BlockFile& file : RunFileSet(block_)) {
        const auto notWritten = NotWritten(result);
        if (std::find(notWritten.begin(), notWritten.end(), In(file.path)) != notWritten.end()) {
            EXPECT_EQ(ReadFileBytes(NativePath(In(file.path))), "old " + file.path);
        }
    }
    EXPECT_THAT(result.Paths(FileAction::Skipped), IsEmpty());
}

TEST_F(GenerationRunTest, AFileThatCannotBeOpenedEndsTheRun) {
    fs::create_directories(Disk("Gain.h"));  // a folder where the header should go
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, RunOutcome::Aborted);
    EXPECT_THAT(prompts_.messages,
                ElementsAre("Cannot open file " + DisplayPath(In("Gain.h")) +
                            ".  Will abort code generation.\nCannot write " +
                            DisplayPath(In("Gain.h")) + ": it is a folder, not a file"));
    EXPECT_TRUE(Exists("IFGain.c"));  // files already written stay
    EXPECT_FALSE(Exists("resource.h"));
    EXPECT_TRUE(environment_.Stopping);
    // A folder the run could not fill is not offered to the next block.
    EXPECT_THAT(settings_.values, IsEmpty());
}

TEST_F(GenerationRunTest, NamesThatLeaveTheBlockDirectoryAreRefused) {
    std::vector<std::function<void(BLOCKINFO&)>> cases = {
        [](BLOCKINFO& b) { b.BlockName = ""; },
        [](BLOCKINFO& b) { b.BlockName = "..\\Gain"; },
        [](BLOCKINFO& b) { b.BlockName = "/etc/Gain"; },
        [](BLOCKINFO& b) { b.IconFilename = ".."; },
        [](BLOCKINFO& b) { b.IconFilename = "icons/Gain.ico"; },
        [](BLOCKINFO& b) {
            b.RealTime = b.xDAIS = 1;
            b.AlgorithmName = "..\\..\\FIR";
        },
    };
    if (!RUNNING_ON_WINDOWS) {  // a drive letter names nothing elsewhere
        cases.push_back([](BLOCKINFO& b) { b.Directory = "c:\\blocks\\Gain"; });
    }
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

TEST_F(GenerationRunTest, ATemplateThatCannotBeWrittenIsReportedAndTheRunGoesOn) {
    fs::create_directories(Disk("Gain.TBT"));  // a folder stands in the template's place
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_THAT(prompts_.messages,
                ElementsAre(CannotWriteTemplateMessage(In("Gain.TBT")) + "\nCannot write " +
                            DisplayPath(In("Gain.TBT")) + ": it is a folder, not a file"));
    EXPECT_THAT(result.notWritten, ElementsAre(In("Gain.TBT")));
    std::vector<std::string> others = RunPaths();
    others.erase(others.begin());
    EXPECT_EQ(result.Paths(FileAction::Written), others);
    for (const BlockFile& file : RunFileSet(block_)) {
        EXPECT_TRUE(fs::exists(Disk(file.path))) << file.path;
    }
}

// ---------------------------------------------------------------------------
// Regeneration: only files whose bytes change are touched.

class RegenerationTest : public GenerationRunTest {
protected:
    // A first generation with the user's own line in the user source, every
    // file's time set back an hour so that a rewrite would show.
    void GenerateUsersBlock() {
        Run();
        std::string source = ReadFileBytes(Disk("Gain.c"));
        source.insert(source.find("//; End of External Routines"), "int Mine(void);\r\n");
        WriteFileBytes(Disk("Gain.c"), source);
        for (const BlockFile& file : RunFileSet(block_)) {
            fs::last_write_time(Disk(file.path), Hour());
        }
        prompts_.overwriteQuestions.clear();
        prompts_.questions.clear();
        prompts_.messages.clear();
    }
    static fs::file_time_type Hour() {
        return fs::file_time_type::clock::now() - std::chrono::hours(1);
    }
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const BlockFile& file : RunFileSet(block_)) {
            files[In(file.path)] = ReadFileBytes(Disk(file.path));
        }
        return files;
    }
    // The paths whose bytes differ between two snapshots, in the run's order.
    std::vector<std::string> Differing(const std::map<std::string, std::string>& a,
                                       const std::map<std::string, std::string>& b) const {
        std::vector<std::string> paths;
        for (const std::string& path : RunPaths()) {
            if (a.at(path) != b.at(path)) {
                paths.push_back(path);
            }
        }
        return paths;
    }
    bool TouchedSince(const std::string& path, fs::file_time_type time) const {
        return fs::last_write_time(NativePath(path)) > time + std::chrono::minutes(1);
    }
};

// Later, with the same definition: no question, no backup, no write, even
// though the file heads would name another time. The user source, which
// holds the user's line, is unchanged with it carried over: no splice
// question either.
TEST_F(RegenerationTest, AnUnchangedBlockIsLeftAloneAndNothingIsAsked) {
    GenerateUsersBlock();
    const auto before = Files();
    const fs::file_time_type then = Hour();
    std::tm later{};
    later.tm_year = 125;
    later.tm_hour = 17;
    const FixedClock laterClock(later);
    environment_.clock = &laterClock;

    const RunResult result = Run();

    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_EQ(result.Paths(FileAction::Unchanged), RunPaths());
    EXPECT_EQ(result.events.size(), RunPaths().size());
    EXPECT_THAT(prompts_.overwriteQuestions, IsEmpty());
    EXPECT_THAT(prompts_.questions, IsEmpty());
    EXPECT_THAT(prompts_.messages, IsEmpty());
    EXPECT_EQ(Files(), before);
    // No backup: "KRSave" holds only the record of what was written.
    EXPECT_EQ(std::distance(fs::directory_iterator(Disk("KRSave")), fs::directory_iterator()), 1);
    for (const std::string& path : RunPaths()) {
        EXPECT_FALSE(TouchedSince(path, then)) << path;
    }
}

// One field changed: the files whose bytes change are asked about, backed up
// and replaced, in that order; the others keep their bytes and their time.
TEST_F(RegenerationTest, OneChangedFieldReplacesExactlyTheFilesItChanges) {
    GenerateUsersBlock();
    const auto before = Files();
    const fs::file_time_type then = Hour();
    block_.NumInputs = 2;

    const RunResult result = Run();

    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    const std::vector<std::string> changed = Differing(before, Files());
    ASSERT_FALSE(changed.empty());
    EXPECT_LT(changed.size(), RunPaths().size());
    EXPECT_EQ(result.Paths(FileAction::Written), changed);
    EXPECT_EQ(result.Paths(FileAction::BackedUp), changed);
    EXPECT_EQ(prompts_.overwriteQuestions, changed);
    EXPECT_EQ(result.Paths(FileAction::Unchanged).size() + changed.size(), RunPaths().size());
    for (const std::string& path : RunPaths()) {
        const bool replaced = std::find(changed.begin(), changed.end(), path) != changed.end();
        EXPECT_EQ(TouchedSince(path, then), replaced) << path;
        EXPECT_EQ(fs::exists(NativePath(BackupPathOf(path))), replaced) << path;
        if (replaced) {
            EXPECT_EQ(ReadFileBytes(NativePath(BackupPathOf(path))), before.at(path)) << path;
        }
    }
    // The user source changed: the splice was offered and carried the
    // user's line over; typed between its markers, the line is no edit by
    // hand.
    ASSERT_NE(std::find(changed.begin(), changed.end(), In("Gain.c")), changed.end());
    EXPECT_THAT(
        prompts_.questions,
        ::testing::Contains("Found a previous version of Gain.c" +
                            std::string(" do you want to attempt to splice the two files ?")));
    EXPECT_NE(ReadFileBytes(Disk("Gain.c")).find("int Mine(void);"), std::string::npos);
    EXPECT_THAT(prompts_.losingEditsQuestions, IsEmpty());
}

// A user source of many pieces (the user's own code early in it), where the
// comparison and the splice share their reading of the file: left alone
// unchanged, and carried over whole when the definition changes.
TEST_F(RegenerationTest, AUserSourceOfManyPiecesIsLeftAloneOrCarriedOverWhole) {
    GenerateUsersBlock();
    std::string source = ReadFileBytes(Disk("Gain.c"));
    std::string own;
    for (int i = 0; own.size() < 600'000; ++i) {
        own += "// the user's line " + std::to_string(i) + "\r\n";
    }
    source.insert(source.find("//; End of Include Libraries"), own);
    WriteFileBytes(Disk("Gain.c"), source);

    EXPECT_THAT(Run().Paths(FileAction::Unchanged), ::testing::Contains(In("Gain.c")));
    EXPECT_EQ(ReadFileBytes(Disk("Gain.c")), source);

    block_.NumInputs = 2;
    EXPECT_THAT(Run().Paths(FileAction::Written), ::testing::Contains(In("Gain.c")));
    const std::string regenerated = ReadFileBytes(Disk("Gain.c"));
    EXPECT_NE(regenerated, source);
    EXPECT_NE(regenerated.find(own), std::string::npos);
    EXPECT_NE(regenerated.find("int Mine(void);"), std::string::npos);
}

// The CMake project, asked for, is one more file of the set: left alone at a
// later time, asked about and backed up when the library path changes it,
// and neither written nor removed once it is no longer asked for.
TEST_F(RegenerationTest, TheCMakeProjectIsRegeneratedLikeTheOtherFiles) {
    block_.CMakeProject = true;
    GenerateUsersBlock();
    const std::string cmake = In("CMakeLists.txt");
    const std::string first = ReadFileBytes(Disk("CMakeLists.txt"));
    ASSERT_NE(first.find("project(Gain C RC)"), std::string::npos);
    std::tm later{};
    later.tm_year = 125;
    const FixedClock laterClock(later);
    environment_.clock = &laterClock;
    EXPECT_THAT(Run().Paths(FileAction::Unchanged), ::testing::Contains(cmake));

    block_.LibraryPath = "C:\\Other Host\\Lib";
    const RunResult changed = Run();
    EXPECT_THAT(prompts_.overwriteQuestions, ::testing::Contains(cmake));
    EXPECT_THAT(changed.Paths(FileAction::BackedUp), ::testing::Contains(cmake));
    EXPECT_THAT(changed.Paths(FileAction::Written), ::testing::Contains(cmake));
    EXPECT_EQ(ReadFileBytes(NativePath(BackupPathOf(cmake))), first);
    EXPECT_NE(ReadFileBytes(Disk("CMakeLists.txt")).find("\"C:/Other Host/Lib\""),
              std::string::npos);

    block_.CMakeProject = false;
    const std::string kept = ReadFileBytes(Disk("CMakeLists.txt"));
    for (const FileEvent& event : Run().events) {
        EXPECT_NE(event.relativePath, "CMakeLists.txt");
    }
    EXPECT_EQ(ReadFileBytes(Disk("CMakeLists.txt")), kept);
}

// A file unchanged with its sections carried over is left alone whatever the
// splice answer would be: there is nothing to ask.
TEST_F(RegenerationTest, AFileUnchangedWithItsSectionsCarriedOverAsksNothing) {
    GenerateUsersBlock();
    const std::string edited = ReadFileBytes(Disk("Gain.c"));
    prompts_.yesNoAnswers = {false};
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_THAT(result.Paths(FileAction::Written), IsEmpty());
    EXPECT_THAT(prompts_.questions, IsEmpty());
    EXPECT_THAT(prompts_.overwriteQuestions, IsEmpty());
    EXPECT_EQ(ReadFileBytes(Disk("Gain.c")), edited);
}

// Declining the splice of a file that changes: the overwrite question that
// follows says what was typed in the sections goes and where its copy is,
// No keeps the file, Yes writes the defaults with the copy in KRSave.
TEST_F(RegenerationTest, TheSpliceDeclinedAsksTheOverwriteQuestionNamingTheCopy) {
    GenerateUsersBlock();
    block_.NumInputs = 2;
    // The user source's and the header's splice questions, in the run's order.
    prompts_.yesNoAnswers = {false, false};
    prompts_.overwriteAnswers = {OverwriteAnswer::Yes, OverwriteAnswer::No, OverwriteAnswer::Yes,
                                 OverwriteAnswer::Yes};
    const std::string edited = ReadFileBytes(Disk("Gain.c"));
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    ASSERT_EQ(prompts_.losingEditsQuestions.size(), 2u);
    EXPECT_EQ(prompts_.losingEditsQuestions[0].first, In("Gain.c"));
    EXPECT_EQ(prompts_.losingEditsQuestions[0].second,
              "Its user sections are not carried over: what was typed there will be replaced, "
              "a copy kept in " +
                  DisplayPath(Dir() + "/KRSave/Gain.c") + ".");
    EXPECT_EQ(prompts_.losingEditsQuestions[1].first, In("Gain.h"));
    // No: the user source and its line stay.
    EXPECT_EQ(ReadFileBytes(Disk("Gain.c")), edited);
    EXPECT_THAT(result.Paths(FileAction::Skipped), ::testing::Contains(In("Gain.c")));
    // Yes: the header has the defaults, the copy has what it held.
    EXPECT_THAT(result.Paths(FileAction::Written), ::testing::Contains(In("Gain.h")));
    EXPECT_TRUE(Exists("KRSave/Gain.h"));
    EXPECT_THAT(result.leftovers, IsEmpty());
}

// A file edited by hand since the run wrote it, outside any user section,
// is marked so by the preview, and asked about with a note naming the copy
// even after a Yes to All for files that were not; No keeps it. The events
// name every copy and which held hand edits.
TEST_F(RegenerationTest, FilesEditedByHandAreAskedAboutEvenAfterYesToAll) {
    GenerateUsersBlock();
    const auto editOutsideSections = [&](const std::string& name) {
        std::string text = ReadFileBytes(Disk(name));
        text.insert(text.find("\r\n") + 2, "// changed by hand\r\n");
        WriteFileBytes(Disk(name), text);
        return text;
    };
    const std::string source = editOutsideSections("Gain.c");
    const std::string interface = editOutsideSections("IFGain.c");
    const std::string header = editOutsideSections("Gain.h");
    block_.NumInputs = 2;

    std::map<std::string, FilePreview> previews;
    for (const FilePreview& preview : PreviewFileSet(block_, environment_)) {
        previews[preview.relativePath] = preview;
    }
    for (const char* name : {"Gain.c", "IFGain.c", "Gain.h"}) {
        EXPECT_TRUE(previews[name].editedByHand) << name;
        EXPECT_EQ(previews[name].copy, Dir() + "\\KRSave/" + name);
    }
    EXPECT_FALSE(previews["Gain.rc"].editedByHand);
    EXPECT_FALSE(previews["Gain.TBT"].editedByHand);

    // Yes to All at the template; then Yes, No, Yes for the three.
    prompts_.overwriteAnswers = {OverwriteAnswer::YesToAll, OverwriteAnswer::Yes,
                                 OverwriteAnswer::No, OverwriteAnswer::Yes};
    const RunResult result = Run();
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    ASSERT_EQ(prompts_.losingEditsQuestions.size(), 3u);
    EXPECT_EQ(prompts_.losingEditsQuestions[0].first, In("Gain.c"));
    EXPECT_EQ(prompts_.losingEditsQuestions[0].second,
              "The file was edited by hand since Blockwright last wrote it: the edits will be "
              "replaced, a copy kept in " +
                  DisplayPath(Dir() + "/KRSave/Gain.c") + ".");
    EXPECT_EQ(prompts_.losingEditsQuestions[1].first, In("IFGain.c"));
    EXPECT_EQ(prompts_.losingEditsQuestions[2].first, In("Gain.h"));
    EXPECT_EQ(prompts_.overwriteQuestions.size(), 4u);  // the template's, then these
    EXPECT_EQ(ReadFileBytes(Disk("IFGain.c")), interface);
    EXPECT_EQ(ReadFileBytes(Disk("KRSave/Gain.c")), source);
    EXPECT_EQ(ReadFileBytes(Disk("KRSave/Gain.h")), header);
    // The user's section line is carried over, the line outside is not.
    EXPECT_NE(ReadFileBytes(Disk("Gain.c")).find("int Mine(void);"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(Disk("Gain.c")).find("changed by hand"), std::string::npos);
    std::vector<std::string> copies, byHand;
    for (const FileEvent& event : result.events) {
        if (event.action == FileAction::BackedUp) {
            copies.push_back(NativePath(event.copy));
            if (event.editedByHand) {
                byHand.push_back(event.relativePath);
            }
        }
    }
    EXPECT_EQ(copies.size(), result.Count(FileAction::BackedUp));
    EXPECT_THAT(copies, ::testing::Contains(NativePath(Dir() + "/KRSave/Gain.TBT")));
    EXPECT_EQ(byHand, (std::vector<std::string>{"Gain.c", "Gain.h"}));

    // Replaced, they are as the program wrote them; the one kept is still
    // edited by hand.
    block_.NumInputs = 3;
    prompts_.losingEditsQuestions.clear();
    prompts_.overwriteAnswers = {OverwriteAnswer::Yes, OverwriteAnswer::YesToAll};
    Run();
    ASSERT_EQ(prompts_.losingEditsQuestions.size(), 1u);
    EXPECT_EQ(prompts_.losingEditsQuestions[0].first, In("IFGain.c"));
}

// The DSP source, which has no user sections, edited by hand.
TEST_F(RegenerationTest, ADspSourceEditedByHandIsMarkedAndAskedAbout) {
    block_.RealTime = 1;
    block_.FloatingPoint = 1;
    block_.Integer = 0;
    Run();
    std::string dsp = ReadFileBytes(Disk("DSPCODE/_Gain.c"));
    dsp += "/* tuned by hand */\r\n";
    WriteFileBytes(Disk("DSPCODE/_Gain.c"), dsp);
    block_.NumParameters = 1;
    block_.Parameters[0].ParameterName = "Level";

    bool marked = false;
    for (const FilePreview& preview : PreviewFileSet(block_, environment_)) {
        if (preview.relativePath == "DSPCODE\\_Gain.c") {
            marked = preview.editedByHand;
            EXPECT_EQ(DisplayPath(preview.copy), DisplayPath(Dir() + "/DSPCODE/KRSave/_Gain.c"));
        } else {
            EXPECT_FALSE(preview.editedByHand) << preview.relativePath;
        }
    }
    EXPECT_TRUE(marked);
    prompts_.overwriteAnswers = {OverwriteAnswer::YesToAll};
    Run();
    ASSERT_EQ(prompts_.losingEditsQuestions.size(), 1u);
    EXPECT_EQ(prompts_.losingEditsQuestions[0].first, In("DSPCODE\\_Gain.c"));
    EXPECT_EQ(ReadFileBytes(Disk("DSPCODE/KRSave/_Gain.c")), dsp);

    // Without the record (KRSave cleared out) nothing is taken for edited by
    // hand; the run begins the record again.
    fs::remove_all(Disk("KRSave"));
    WriteFileBytes(Disk("DSPCODE/_Gain.c"), dsp);
    block_.Parameters[0].ParameterName = "Gain";
    prompts_.losingEditsQuestions.clear();
    prompts_.overwriteAnswers = {OverwriteAnswer::YesToAll};
    Run();
    EXPECT_THAT(prompts_.losingEditsQuestions, IsEmpty());
    EXPECT_TRUE(Exists("KRSave/.blockwright-written"));
}

}  // namespace
}  // namespace bw
