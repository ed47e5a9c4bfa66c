#include "cli/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

#include "cli/cli_prompts.h"
#include "app/program_run.h"
#include "support/missing_tool.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

std::map<std::string, std::string> FilesIn(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[entry.path().filename().string()] = FileBytes(entry.path());
        }
    }
    return files;
}

int CountLines(const std::string& text, const std::string& start) {
    int count = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        count += line.rfind(start, 0) == 0 ? 1 : 0;
    }
    return count;
}

class CommandLineTest : public ::testing::Test {
protected:
    QString Out() const { return temp_.filePath("out"); }
    fs::path OutPath() const { return fs::path(Out().toStdString()); }
    QTemporaryDir temp_;
};

TEST_F(CommandLineTest, RegeneratingReplacesOnlyWhatChangedAndTheListingSaysWhich) {
    const Outcome first =
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory", Out()});
    ASSERT_EQ(first.status, EXIT_COMPLETED) << first.err;
    const auto firstFiles = FilesIn(OutPath());
    const int count = static_cast<int>(firstFiles.size());
    EXPECT_TRUE(firstFiles.count("Gain.TBT"));
    EXPECT_TRUE(firstFiles.count("IFGain.c"));
    EXPECT_EQ(firstFiles.at("gain.ico"),
              FilesIn(BLOCKWRIGHT_SOURCE_DIR "/assets").at("process.ico"));
    EXPECT_EQ(CountLines(first.out, "written "), count);
    EXPECT_THAT(first.out, HasSubstr("\n" + std::to_string(count) +
                                     " written, 0 unchanged, 0 skipped, 0 backed up\n"));

    // Every file the listing names is there and would stay as it is.
    const QStringList listing = {"generate", QString::fromStdString(EXAMPLE), "--directory", Out(),
                                 "--list"};
    Outcome list = Blockwright(listing);
    EXPECT_EQ(list.status, EXIT_COMPLETED);
    EXPECT_EQ(CountLines(list.out, "unchanged "), count);
    EXPECT_THAT(list.out, HasSubstr("unchanged " + (OutPath() / "Gain.c").string() +
                                    "  (user sections carried over)\n"));
    EXPECT_THAT(list.out, HasSubstr("unchanged " + (OutPath() / "IFGain.c").string() + "\n"));

    // One file edited by hand: the listing and the run single it out, and
    // name the copy the run keeps.
    std::ofstream(OutPath() / "Gain.rc", std::ios::binary) << "edited by hand";
    const std::string copy = (OutPath() / "KRSave" / "Gain.rc").string();
    list = Blockwright(listing);
    EXPECT_THAT(list.out,
                HasSubstr("changed   " + (OutPath() / "Gain.rc").string() +
                          "  (edited by hand: will be replaced, a copy kept in " + copy + ")\n"));
    EXPECT_EQ(CountLines(list.out, "unchanged "), count - 1);
    // Nothing backed up: "KRSave" holds only the record of what was written.
    EXPECT_EQ(FilesIn(OutPath() / "KRSave").size(), 1u);

    // No --overwrite: a question on a file that did not change would stop here.
    const Outcome second = Blockwright(
        {"generate", QString::fromStdString(EXAMPLE), "--directory", Out(), "--overwrite", "yes"});
    ASSERT_EQ(second.status, EXIT_COMPLETED) << second.err;
    EXPECT_EQ(CountLines(second.out, "unchanged "), count - 1);
    EXPECT_THAT(second.out, HasSubstr("backed up " + (OutPath() / "Gain.rc").string() +
                                      "  (edited by hand)  (copy kept in " + copy + ")\n"));
    EXPECT_THAT(second.out, HasSubstr("written   " + (OutPath() / "Gain.rc").string() + "\n"));
    EXPECT_THAT(second.out, HasSubstr("1 written, " + std::to_string(count - 1) +
                                      " unchanged, 0 skipped, 1 backed up\n"));
    EXPECT_EQ(FilesIn(OutPath() / "KRSave").at("Gain.rc"), "edited by hand");
    EXPECT_EQ(FilesIn(OutPath() / "KRSave").size(), 2u);  // the copy and the record
    EXPECT_EQ(FilesIn(OutPath()), firstFiles);
}

// A user source that is unchanged with its sections carried over stays so
// whatever the splice answer would be: neither the listing nor the run
// asks about it or drops the sections.
TEST_F(CommandLineTest, AnUnchangedUserSourceKeepsItsSectionsWithTheSpliceDeclined) {
    const QString example = QString::fromStdString(EXAMPLE);
    ASSERT_EQ(Blockwright({"generate", example, "--directory", Out()}).status, EXIT_COMPLETED);
    const fs::path user = OutPath() / "Gain.c";
    std::string text = FilesIn(OutPath()).at("Gain.c");
    const std::string marker = "//; Include Libraries\r\n";
    ASSERT_NE(text.find(marker), std::string::npos);
    text.insert(text.find(marker) + marker.size(), "#include <math.h>\r\n");
    std::ofstream(user, std::ios::binary) << text;

    const QStringList listing = {"generate", example, "--directory", Out(), "--list"};
    EXPECT_THAT(Blockwright(listing).out,
                HasSubstr("unchanged " + user.string() + "  (user sections carried over)\n"));
    EXPECT_THAT(Blockwright(listing + QStringList{"--splice", "no"}).out,
                HasSubstr("unchanged " + user.string() + "\n"));

    const Outcome declined = Blockwright(
        {"generate", example, "--directory", Out(), "--splice", "no", "--overwrite", "all"});
    ASSERT_EQ(declined.status, EXIT_COMPLETED) << declined.err;
    EXPECT_THAT(declined.out, HasSubstr("unchanged " + user.string() + "\n"));
    EXPECT_THAT(FilesIn(OutPath()).at("Gain.c"), HasSubstr("#include <math.h>"));
}

TEST_F(CommandLineTest, TheExamplesRelativeDirectoryIsTakenFromWhereTheTemplateIs) {
    const fs::path examples = fs::path(temp_.path().toStdString()) / "examples";
    fs::create_directories(examples);
    fs::copy_file(EXAMPLE, examples / "Gain.tbt");
    const Outcome run =
        Blockwright({"generate", QString::fromStdString((examples / "Gain.tbt").string())});
    ASSERT_EQ(run.status, EXIT_COMPLETED) << run.err;
    EXPECT_TRUE(fs::exists(fs::path(Out().toStdString()) / "Gain" / "IFGain.c")) << run.out;
}

TEST_F(CommandLineTest, ARelativeDirectoryIsRememberedAbsoluteForTheWizard) {
    const QString config = temp_.filePath("config");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SOURCE_DATE_EPOCH", "1700000000");
    environment.insert("XDG_CONFIG_HOME", config);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(temp_.path());
    process.start(QStringLiteral(BLOCKWRIGHT_EXE),
                  {"generate", QString::fromStdString(EXAMPLE), "--directory", "rel/Gain"});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), EXIT_COMPLETED) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(fs::exists(fs::path(temp_.path().toStdString()) / "rel" / "Gain" / "IFGain.c"));

    std::ifstream profile(fs::path(config.toStdString()) / "Calderic" /
                          "Tessaline Blockwright.conf");
    std::ostringstream text;
    text << profile.rdbuf();
    EXPECT_THAT(text.str(),
                HasSubstr("Block%20Directory=" + temp_.path().toStdString() + "/rel\r\n"));

    // A folder not named after the block: the wizard's next block goes beside
    // it, not inside it.
    process.start(QStringLiteral(BLOCKWRIGHT_EXE),
                  {"generate", QString::fromStdString(EXAMPLE), "--directory", "rel/GainOut"});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), EXIT_COMPLETED) << process.readAllStandardError().toStdString();
    std::ifstream again(fs::path(config.toStdString()) / "Calderic" / "Tessaline Blockwright.conf");
    std::ostringstream after;
    after << again.rdbuf();
    EXPECT_THAT(after.str(),
                HasSubstr("Block%20Directory=" + temp_.path().toStdString() + "/rel\r\n"));
}

TEST_F(CommandLineTest, SectionsNotCarriedOverAreNamedOnStandardErrorWithStatusOne) {
    ASSERT_EQ(
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory", Out()}).status,
        EXIT_COMPLETED);
    // The start marker of the include section indented by the user.
    const fs::path source = OutPath() / "Gain.c";
    std::string text = FilesIn(OutPath()).at("Gain.c");
    const std::string section = "//; Include Libraries\r\n\r\n";
    ASSERT_NE(text.find(section), std::string::npos);
    text.replace(text.find(section), section.size(),
                 " //; Include Libraries\r\n#include <math.h>\r\n");
    std::ofstream(source, std::ios::binary) << text;

    // The listing says so beforehand, as the generate page does.
    EXPECT_THAT(
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory", Out(), "--list"})
            .out,
        HasSubstr("changed   " + source.string() + "  (sections will be kept aside)"));
    const Outcome again = Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory",
                                       Out(), "--overwrite", "all", "--splice", "yes"});
    EXPECT_EQ(again.status, EXIT_STOPPED);
    const fs::path orphan = OutPath() / "KRSave" / "Gain.c.20231114-221320.orphaned";
    EXPECT_EQ(again.err, source.string() +
                             ": section \"Include Libraries\": 1 line not carried over, kept in " +
                             orphan.string() + "\n");
    EXPECT_EQ(FilesIn(OutPath() / "KRSave").at(orphan.filename().string()),
              "//; Include Libraries\r\n#include <math.h>\r\n//; End of Include Libraries\r\n");
}

TEST_F(CommandLineTest, ListWritesNothing) {
    const Outcome list =
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory", Out(), "--list"});
    EXPECT_EQ(list.status, EXIT_COMPLETED) << list.err;
    EXPECT_THAT(list.out, HasSubstr("new       " + (OutPath() / "Gain.TBT").string() + "\n"));
    EXPECT_THAT(list.out, HasSubstr((OutPath() / "Gain.mak").string()));
    EXPECT_FALSE(fs::exists(OutPath()));
}

// A real-time block's listing, which names the DSP header, writes neither the
// block's folder nor anything in the settings folder ("_rtparam.ini").
TEST_F(CommandLineTest, AListingOfARealTimeBlockWritesNoSettings) {
    std::string text = FileBytes(EXAMPLE);
    // A real-time block declares its arrays with a fixed number of elements.
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"Real Time=0", "Real Time=1"},
          {"LocalSize0=HistoryLength", "LocalSize0=64"}}) {
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    }
    const std::string templatePath = temp_.filePath("Gain.tbt").toStdString();
    std::ofstream(templatePath, std::ios::binary) << text;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SOURCE_DATE_EPOCH", "1700000000");
    environment.insert("XDG_CONFIG_HOME", temp_.filePath("config"));
    const Outcome list = RunProgram(
        {"generate", QString::fromStdString(templatePath), "--directory", Out(), "--list"},
        environment);
    EXPECT_EQ(list.status, EXIT_COMPLETED) << list.err;
    EXPECT_THAT(list.out, HasSubstr("_Gain.h"));
    EXPECT_FALSE(fs::exists(OutPath()));
    EXPECT_FALSE(fs::exists(temp_.filePath("config").toStdString()));
}

TEST_F(CommandLineTest, AQuestionWithoutATerminalStopsTheRun) {
    ASSERT_EQ(
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory", Out()}).status,
        EXIT_COMPLETED);
    for (const auto& [name, bytes] : FilesIn(OutPath())) {
        std::ofstream(OutPath() / name, std::ios::binary) << bytes << "an older version";
    }
    const Outcome again =
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory", Out()});
    EXPECT_EQ(again.status, EXIT_STOPPED);
    EXPECT_THAT(again.err, HasSubstr("--overwrite"));
    EXPECT_EQ(FilesIn(OutPath() / "KRSave").size(), 1u);  // the record alone, no backup

    const Outcome cancelled = Blockwright(
        {"generate", QString::fromStdString(EXAMPLE), "--directory", Out(), "--overwrite=cancel"});
    EXPECT_EQ(cancelled.status, EXIT_STOPPED);

    const Outcome kept = Blockwright(
        {"generate", QString::fromStdString(EXAMPLE), "--directory", Out(), "--overwrite", "no"});
    EXPECT_EQ(kept.status, EXIT_COMPLETED);
    EXPECT_EQ(CountLines(kept.out, "written "), 0);
    EXPECT_EQ(CountLines(kept.out, "skipped "), static_cast<int>(FilesIn(OutPath()).size()));
}

// Directories this system cannot give the block: usage errors.
TEST_F(CommandLineTest, DirectoriesThatNameNoFolderHereExitWithTwo) {
    // A template whose directory begins with a drive letter.
    std::string text = FilesIn(BLOCKWRIGHT_SOURCE_DIR "/examples").at("Gain.tbt");
    text.replace(text.find("Directory=..\\out\\Gain\\"), 22, "Directory=c:\\blocks\\Gain");
    const QString drivePath = temp_.filePath("Drive.tbt");
    std::ofstream(drivePath.toStdString(), std::ios::binary) << text;
    const Outcome drive = Blockwright({"generate", drivePath});
    EXPECT_EQ(drive.status, EXIT_USAGE);
    EXPECT_THAT(drive.err, HasSubstr("c:\\blocks\\Gain"));

    // A folder of a user nobody knows, not a folder named "~name" below this one.
    const Outcome tilde = Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory",
                                       "~nosuchuser-of-blockwright/x"});
    EXPECT_EQ(tilde.status, EXIT_USAGE);
    EXPECT_THAT(tilde.err, HasSubstr("there is no user \"nosuchuser-of-blockwright\""));
    EXPECT_FALSE(fs::exists("~nosuchuser-of-blockwright"));
}

// --cmake adds the CMake project to the listing and the run; without it the
// block's files are the same, and an earlier CMake project stays as it is.
TEST_F(CommandLineTest, TheCMakeProjectOnlyWithItsOption) {
    const QStringList generate = {"generate", QString::fromStdString(EXAMPLE), "--directory",
                                  Out()};
    const std::string cmake = (OutPath() / "CMakeLists.txt").string();
    EXPECT_THAT(Blockwright(generate + QStringList{"--list"}).out, Not(HasSubstr(cmake)));
    EXPECT_THAT(Blockwright(generate + QStringList{"--list", "--cmake"}).out,
                HasSubstr("new       " + cmake + "\n"));

    const Outcome with = Blockwright(generate + QStringList{"--cmake"});
    ASSERT_EQ(with.status, EXIT_COMPLETED) << with.err;
    EXPECT_THAT(with.out, HasSubstr("written   " + cmake + "\n"));
    const std::string written = FilesIn(OutPath()).at("CMakeLists.txt");
    EXPECT_THAT(written, HasSubstr("add_library(Gain SHARED IFGain.c Gain.c Gain.rc Gain.def)"));

    const Outcome without = Blockwright(generate + QStringList{"--overwrite", "no"});
    ASSERT_EQ(without.status, EXIT_COMPLETED) << without.err;
    EXPECT_THAT(without.out, Not(HasSubstr(cmake)));
    EXPECT_EQ(FilesIn(OutPath()).at("CMakeLists.txt"), written);
}

// Every option of the generate command is in its help, the manual page and
// the shell's completion.
TEST(CommandLineDocumentation, EveryGenerateOptionEverywhere) {
    const std::string manual = FilesIn(BLOCKWRIGHT_SOURCE_DIR "/packaging").at("blockwright.1");
    const std::string completion =
        FilesIn(BLOCKWRIGHT_SOURCE_DIR "/packaging").at("blockwright.bash-completion");
    for (const std::string option : {"directory", "overwrite", "splice", "cmake", "list"}) {
        EXPECT_THAT(GenerateHelp(), HasSubstr("  --" + option + " "));
        EXPECT_THAT(manual, HasSubstr("\\-\\-" + option));
        EXPECT_THAT(completion, HasSubstr("--" + option + " "));
    }
}

TEST_F(CommandLineTest, ABlockNameLeavingTheDirectoryWritesNothing) {
    std::string text = FileBytes(EXAMPLE);
    const size_t at = text.find("Block Name=Gain");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 15, "Block Name=../Gain");
    const std::string evil = temp_.filePath("evil.tbt").toStdString();
    std::ofstream(evil, std::ios::binary) << text;

    const Outcome outcome = Blockwright(
        {"generate", QString::fromStdString(evil), "--directory", Out(), "--overwrite", "all"});
    EXPECT_EQ(outcome.status, EXIT_USAGE);
    EXPECT_THAT(outcome.err, HasSubstr("Block Name: The block file name \"../Gain\""));
    EXPECT_FALSE(fs::exists(OutPath()));
    EXPECT_FALSE(fs::exists(temp_.filePath("Gain.TBT").toStdString()));
}

TEST(CliPromptsTest, FixedAnswersAndTheSpliceQuestion) {
    std::istringstream in;
    std::ostringstream err;
    CliPrompts all(OverwriteMode::All, SpliceMode::No, in, err, false);
    EXPECT_EQ(all.askOverwrite("/x/Gain.c"), OverwriteAnswer::YesToAll);
    EXPECT_FALSE(
        all.askYesNo("Found a previous version of Gain.c do you want to attempt to "
                     "splice the two files ?",
                     MessageIcon::Question));
    EXPECT_FALSE(all.unanswered());

    // Any other question has no fixed answer: without a terminal it stops the run.
    RunEnvironment environment;
    all.attach(&environment);
    EXPECT_FALSE(all.askYesNo("Unable to backup file x.  Do you want to overwrite this file ?",
                              MessageIcon::Question));
    EXPECT_TRUE(all.unanswered());
    EXPECT_TRUE(environment.Stopping);
    EXPECT_THAT(err.str(), HasSubstr("Unable to backup file x."));
}

TEST(CliPromptsTest, AsksOnATerminalUntilItGetsAnAnswer) {
    std::istringstream in("maybe\n  All\n\ny\n");
    std::ostringstream err;
    CliPrompts prompts(OverwriteMode::Ask, SpliceMode::Ask, in, err, true);
    EXPECT_EQ(prompts.askOverwrite("/x/Gain.c"), OverwriteAnswer::YesToAll);
    EXPECT_TRUE(
        prompts.askYesNo("Found a previous version of Gain.h do you want to splice the "
                         "two files ?",
                         MessageIcon::Question));
    EXPECT_THAT(err.str(), HasSubstr("File Exists, overwrite?"));
    // The end of input answers nothing.
    EXPECT_EQ(prompts.askOverwrite("/x/Gain.c"), OverwriteAnswer::Cancel);
    EXPECT_TRUE(prompts.unanswered());
}

TEST(CliPromptsTest, TheQuestionAboutAReadOnlyFileSaysSo) {
    std::istringstream in("n\n");
    std::ostringstream err;
    CliPrompts prompts(OverwriteMode::Ask, SpliceMode::Ask, in, err, true);
    EXPECT_EQ(prompts.askOverwriteReadOnly("/x/Gain.h"), OverwriteAnswer::No);
    EXPECT_EQ(err.str(),
              "/x/Gain.h\nFile Exists, overwrite? The file is read-only; it stays read-only. "
              "[y]es, [n]o, yes to [a]ll, [c]ancel: ");

    std::ostringstream without;
    CliPrompts noTerminal(OverwriteMode::Ask, SpliceMode::Ask, in, without, false);
    EXPECT_EQ(noTerminal.askOverwriteReadOnly("/x/Gain.h"), OverwriteAnswer::Cancel);
    EXPECT_THAT(without.str(), HasSubstr("/x/Gain.h exists (read-only) and there is no terminal"));
}

TEST(CommandLineProgram, LinksNoQtLibrary) {
    QProcess ldd;
    ldd.start("ldd", {BLOCKWRIGHT_EXE});
    if (!ldd.waitForFinished(30000) || ldd.exitCode() != 0) {
        BW_MISSING_TOOL("ldd cannot list the program's libraries: install libc-bin");
    }
    const std::string libraries = ldd.readAllStandardOutput().toStdString();
    EXPECT_THAT(libraries, HasSubstr("libc.so"));
    EXPECT_THAT(libraries, Not(HasSubstr("Qt")));
}

TEST(CommandLineParseTest, OptionsAndTheirValues) {
    GenerateOptions options;
    std::string error;
    ASSERT_TRUE(ParseGenerateArguments(
        {"t.tbt", "--directory=/tmp/b", "--overwrite", "no", "--splice=yes", "--list"}, options,
        error));
    EXPECT_EQ(options.templatePath, "t.tbt");
    EXPECT_EQ(options.directory, "/tmp/b");
    EXPECT_EQ(options.overwrite, OverwriteMode::No);
    EXPECT_EQ(options.splice, SpliceMode::Yes);
    EXPECT_TRUE(options.list);
    EXPECT_FALSE(options.cmake);
    GenerateOptions cmake;
    ASSERT_TRUE(ParseGenerateArguments({"t.tbt", "--cmake"}, cmake, error));
    EXPECT_TRUE(cmake.cmake);

    GenerateOptions two;
    EXPECT_FALSE(ParseGenerateArguments({"a.tbt", "b.tbt"}, two, error));
    GenerateOptions noValue;
    EXPECT_FALSE(ParseGenerateArguments({"a.tbt", "--directory"}, noValue, error));
    EXPECT_THAT(error, HasSubstr("--directory"));
}

}  // namespace
}  // namespace bw
