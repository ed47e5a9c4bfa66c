// The program against a full disk and read-only folders, made by a preloaded
// library that fails the file-system calls under chosen paths (tests run as
// root, where permission bits stop nothing). Whatever fails, the program says
// what, and the user's previous files stay intact, in place or in KRSave.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "cli/command_line.h"
#include "app/program_run.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

// Every regular file below folder (KRSave included), by relative path.
std::map<std::string, std::string> Tree(const fs::path& folder) {
    std::map<std::string, std::string> files;
    if (!fs::exists(folder)) {
        return files;
    }
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = FileBytes(entry.path());
        }
    }
    return files;
}

class FaultInjectionTest : public ::testing::Test {
protected:
    fs::path Block() const { return fs::path(temp_.path().toStdString()) / "Gain"; }
    std::string BlockPrefix() const { return Block().string() + "/"; }

    // The user's block with Gain.c's include section start marker indented,
    // so that its line cannot be carried over; gives Gain.c's text.
    std::string WithASectionThatCannotBeCarried() {
        std::string source = UsersBlock().at("Gain.c");
        const std::string marker = "//; Include Libraries\r\n";
        source.replace(source.find(marker), marker.size(), " " + marker + "#include <math.h>\r\n");
        std::ofstream(Block() / "Gain.c", std::ios::binary) << source;
        return source;
    }

    // `blockwright generate` of the example into Block(), stdin not a
    // terminal, with the named faults (BW_FAULT_FULL, BW_FAULT_READONLY).
    Outcome Generate(const std::map<QString, std::string>& faults = {},
                     const QStringList& options = {"--overwrite", "all", "--splice", "yes"}) {
        QProcessEnvironment environment = ProgramEnvironment(temp_.filePath("config"));
        if (!faults.empty()) {
            PreloadFaults(environment, faults);
        }
        return RunProgram(QStringList{"generate", QString::fromStdString(EXAMPLE), "--directory",
                                      QString::fromStdString(Block().string())} +
                              options,
                          environment);
    }

    // A first generation, a second that fills KRSave, and the user's own
    // line in the user source: what must survive. Every file holds an older
    // version than the one a run writes, so that a run replaces each.
    std::map<std::string, std::string> UsersBlock() {
        EXPECT_EQ(Generate().status, EXIT_COMPLETED);
        MakeEveryFileOlder();
        EXPECT_EQ(Generate().status, EXIT_COMPLETED);
        MakeEveryFileOlder();
        std::string source = FileBytes(Block() / "Gain.c");
        const size_t end = source.find("//; End of External Routines");
        EXPECT_NE(end, std::string::npos);
        source.insert(end, "/* the user's own line */\r\n");
        std::ofstream(Block() / "Gain.c", std::ios::binary) << source;
        return Tree(Block());
    }

    void MakeEveryFileOlder() {
        for (const auto& entry : fs::directory_iterator(Block())) {
            if (entry.is_regular_file()) {
                std::ofstream(entry.path(), std::ios::binary | std::ios::app)
                    << "/* an older version */\r\n";
            }
        }
    }

    QTemporaryDir temp_;
};

TEST_F(FaultInjectionTest, AFullDiskStopsBeforeReplacingAnythingAndKeepsKRSave) {
    const auto before = UsersBlock();
    ASSERT_TRUE(before.count("KRSave/Gain.TBT"));

    const Outcome outcome = Generate({{"BW_FAULT_FULL", BlockPrefix()}});

    EXPECT_EQ(outcome.status, EXIT_STOPPED);
    EXPECT_THAT(outcome.err, HasSubstr("Unable to backup file "));
    EXPECT_THAT(outcome.err, HasSubstr("Gain.TBT"));
    EXPECT_EQ(Tree(Block()), before);  // in place and in KRSave, not a byte lost
}

TEST_F(FaultInjectionTest, AFullDiskOnAFirstGenerationLeavesNoHalfWrittenFiles) {
    fs::create_directories(Block());

    const Outcome outcome = Generate({{"BW_FAULT_FULL", BlockPrefix()}});

    EXPECT_EQ(outcome.status, EXIT_STOPPED);
    EXPECT_THAT(outcome.err, HasSubstr("Gain.TBT.  The template was not saved."));
    EXPECT_THAT(outcome.err, HasSubstr("Gain.c.  Will abort code generation."));
    EXPECT_EQ(outcome.out, "0 written, 0 unchanged, 0 skipped, 0 backed up\n");
    EXPECT_TRUE(Tree(Block()).empty());
}

// A folder where no file can be made cannot be held for the run: it stops
// before anything, saying why.
TEST_F(FaultInjectionTest, AReadOnlyBlockDirectoryIsReportedAndLeftAsItWas) {
    const std::string refused = "Cannot create the lock file " + BlockPrefix() +
                                ".blockwright.lock: " + std::strerror(EROFS) + "\n";
    fs::create_directories(Block());
    Outcome outcome = Generate({{"BW_FAULT_READONLY", BlockPrefix()}});
    EXPECT_EQ(outcome.status, EXIT_STOPPED);
    EXPECT_EQ(outcome.err, refused);
    EXPECT_TRUE(Tree(Block()).empty());

    const auto before = UsersBlock();
    outcome = Generate({{"BW_FAULT_READONLY", BlockPrefix()}});
    EXPECT_EQ(outcome.status, EXIT_STOPPED);
    EXPECT_EQ(outcome.err, refused);
    EXPECT_EQ(Tree(Block()), before);
}

TEST_F(FaultInjectionTest, AReadOnlyKRSaveStopsBeforeReplacingAFileWithoutItsBackup) {
    const auto before = UsersBlock();

    const Outcome outcome = Generate({{"BW_FAULT_READONLY", (Block() / "KRSave").string()}});

    EXPECT_EQ(outcome.status, EXIT_STOPPED);
    EXPECT_THAT(outcome.err, HasSubstr("Unable to backup file "));
    EXPECT_EQ(Tree(Block()), before);
}

TEST_F(FaultInjectionTest, ATemplateThatCannotBeWrittenIsReportedAndTheBlockStillGenerated) {
    const auto before = UsersBlock();

    // The template and its temporary neighbour, nothing else of the folder.
    const Outcome outcome = Generate({{"BW_FAULT_READONLY", (Block() / "Gain.TBT").string()}},
                                     {"--overwrite", "all", "--splice", "yes"});

    EXPECT_THAT(outcome.err, HasSubstr("Gain.TBT.  The template was not saved."));
    EXPECT_EQ(outcome.status, EXIT_STOPPED);  // not every file was written
    EXPECT_EQ(FileBytes(Block() / "Gain.TBT"), before.at("Gain.TBT"));
    // The user's line reached the new user source through the splice.
    EXPECT_THAT(FileBytes(Block() / "Gain.c"), HasSubstr("/* the user's own line */"));
    EXPECT_EQ(FileBytes(Block() / "KRSave" / "Gain.c"), before.at("Gain.c"));
    EXPECT_THAT(outcome.out, HasSubstr("IFGain.c"));
}

TEST_F(FaultInjectionTest, SectionsThatCannotBeKeptLeaveTheFileAsItWas) {
    const std::string source = WithASectionThatCannotBeCarried();

    // Only the orphan file cannot be written.
    const Outcome outcome =
        Generate({{"BW_FAULT_READONLY", (Block() / "KRSave" / "Gain.c.2023").string()}});

    EXPECT_EQ(outcome.status, EXIT_STOPPED);
    EXPECT_THAT(outcome.err, HasSubstr("Gain.c.20231114-221320.orphaned to keep the sections "
                                       "that were not carried over."));
    EXPECT_EQ(FileBytes(Block() / "Gain.c"), source);
    EXPECT_EQ(FileBytes(Block() / "KRSave" / "Gain.c"), source);
}

// Sections to keep aside whose orphan file meets a full disk: no empty or
// cut orphan file stays, the message says why, and the file is left as it was.
TEST_F(FaultInjectionTest, AnOrphanFileOnAFullDiskIsNeitherLeftNorClaimed) {
    const std::string source = WithASectionThatCannotBeCarried();

    const Outcome outcome =
        Generate({{"BW_FAULT_FULL", (Block() / "KRSave" / "Gain.c.2023").string()}});

    EXPECT_EQ(outcome.status, EXIT_STOPPED);
    EXPECT_THAT(outcome.err, HasSubstr("Gain.c.20231114-221320.orphaned to keep the sections that "
                                       "were not carried over.  " +
                                       (Block() / "Gain.c").string() + " was left as it was.\n"));
    EXPECT_THAT(outcome.err, HasSubstr(": " + std::string(std::strerror(ENOSPC)) + "\n"));
    EXPECT_EQ(FileBytes(Block() / "Gain.c"), source);
    for (const auto& [path, bytes] : Tree(Block())) {
        EXPECT_FALSE(path.ends_with(".orphaned")) << path;
        EXPECT_FALSE(path.ends_with(".tmp~")) << path;
    }
}

// A sync or a rename that fails leaves the file as it was and no temporary,
// and the message gives the system's reason.
TEST_F(FaultInjectionTest, AFailedSyncOrRenameIsReportedWithTheSystemsReason) {
    const auto before = UsersBlock();
    const std::string file = (Block() / "IFGain.c").string();
    const std::string reason = ": " + std::string(std::strerror(EIO)) + "\n";
    for (const auto& [fault, doing] : {std::pair<QString, std::string>{"BW_FAULT_SYNC", "sync "},
                                       {"BW_FAULT_RENAME", "rename "}}) {
        const Outcome outcome = Generate({{fault, file}});

        EXPECT_EQ(outcome.status, EXIT_STOPPED) << doing;
        EXPECT_THAT(outcome.err,
                    HasSubstr("Cannot write file " + file +
                              ".  Will abort code generation.\nCannot " + doing + file + "."))
            << outcome.err;
        EXPECT_THAT(outcome.err, HasSubstr(reason)) << doing;
        EXPECT_EQ(FileBytes(Block() / "IFGain.c"), before.at("IFGain.c")) << doing;
        for (const auto& [path, bytes] : Tree(Block())) {
            EXPECT_FALSE(path.ends_with(".tmp~")) << path;
        }
    }
}

// Killed while the new interface source is on its way to the disk: every file
// is the old version or the new one, whole, and the next run finishes the job.
TEST_F(FaultInjectionTest, AKillInTheMiddleOfAReplacementLeavesTheOldFileOrTheNewOne) {
    const auto before = UsersBlock();

    const Outcome killed = Generate({{"BW_FAULT_KILL", (Block() / "IFGain.c").string()}});
    const auto afterKill = Tree(Block());
    const Outcome again = Generate();
    const auto after = Tree(Block());

    EXPECT_EQ(killed.status, -1);  // did not end by itself
    ASSERT_EQ(again.status, EXIT_COMPLETED) << again.err;
    EXPECT_EQ(afterKill.at("IFGain.c"), before.at("IFGain.c"));
    EXPECT_EQ(afterKill.at("Gain.c"), after.at("Gain.c"));  // replaced before the kill
    EXPECT_NE(after.at("Gain.c"), before.at("Gain.c"));
    for (const auto& [path, bytes] : before) {
        if (path.rfind("KRSave", 0) != 0) {
            EXPECT_TRUE(afterKill.at(path) == bytes || afterKill.at(path) == after.at(path))
                << path;
        }
    }
    EXPECT_THAT(after.at("Gain.c"), HasSubstr("/* the user's own line */"));
    EXPECT_FALSE(after.count("IFGain.c.tmp~"));
}

}  // namespace
}  // namespace bw
