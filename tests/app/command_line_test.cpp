#include "app/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/cli_prompts.h"
#include "app/program_run.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string EXAMPLE = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/examples/Gain.tbt";

// Runs the built program with a fixed epoch.
Outcome Blockwright(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SOURCE_DATE_EPOCH", "1700000000");
    return RunProgram(arguments, environment);
}

std::map<std::string, std::string> FilesIn(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            files[entry.path().filename().string()] = bytes.str();
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

TEST_F(CommandLineTest, GeneratesTheExampleTwiceKeepingTheFirstVersionsInKRSave) {
    const Outcome first =
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory", Out()});
    ASSERT_EQ(first.status, EXIT_COMPLETED) << first.err;
    const auto firstFiles = FilesIn(OutPath());
    EXPECT_TRUE(firstFiles.count("Gain.TBT"));
    EXPECT_TRUE(firstFiles.count("IFGain.c"));
    EXPECT_EQ(firstFiles.at("gain.ico"),
              FilesIn(BLOCKWRIGHT_SOURCE_DIR "/assets").at("process.ico"));
    EXPECT_EQ(CountLines(first.out, "written "), static_cast<int>(firstFiles.size()));

    // Every file the listing names was written.
    const Outcome list =
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory", Out(), "--list"});
    EXPECT_EQ(list.status, EXIT_COMPLETED);
    EXPECT_EQ(CountLines(list.out, "exists "), static_cast<int>(firstFiles.size()));
    EXPECT_EQ(CountLines(list.out, "new "), 0);

    const Outcome second = Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory",
                                        Out(), "--overwrite", "all", "--splice", "yes"});
    ASSERT_EQ(second.status, EXIT_COMPLETED) << second.err;
    EXPECT_EQ(CountLines(second.out, "backed up "), static_cast<int>(firstFiles.size()));
    EXPECT_EQ(FilesIn(OutPath() / "KRSave"), firstFiles);
    // With a fixed epoch the two generations are identical.
    EXPECT_EQ(FilesIn(OutPath()), firstFiles);
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

TEST_F(CommandLineTest, AQuestionWithoutATerminalStopsTheRun) {
    ASSERT_EQ(
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory", Out()}).status,
        EXIT_COMPLETED);
    const Outcome again =
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory", Out()});
    EXPECT_EQ(again.status, EXIT_STOPPED);
    EXPECT_THAT(again.err, HasSubstr("--overwrite"));
    EXPECT_FALSE(fs::exists(OutPath() / "KRSave"));

    const Outcome cancelled = Blockwright(
        {"generate", QString::fromStdString(EXAMPLE), "--directory", Out(), "--overwrite=cancel"});
    EXPECT_EQ(cancelled.status, EXIT_STOPPED);

    const Outcome kept = Blockwright(
        {"generate", QString::fromStdString(EXAMPLE), "--directory", Out(), "--overwrite", "no"});
    EXPECT_EQ(kept.status, EXIT_COMPLETED);
    EXPECT_EQ(CountLines(kept.out, "written "), 0);
    EXPECT_EQ(CountLines(kept.out, "skipped "), static_cast<int>(FilesIn(OutPath()).size()));
}

TEST_F(CommandLineTest, UsageAndTemplateErrorsExitWithTwo) {
    EXPECT_EQ(Blockwright({"generate"}).status, EXIT_USAGE);
    EXPECT_EQ(
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--overwrite", "maybe"}).status,
        EXIT_USAGE);
    EXPECT_EQ(Blockwright({"generate", QString::fromStdString(EXAMPLE), "--bogus"}).status,
              EXIT_USAGE);
    EXPECT_EQ(Blockwright({"frobnicate"}).status, EXIT_USAGE);

    const Outcome missing = Blockwright({"generate", temp_.filePath("none.tbt")});
    EXPECT_EQ(missing.status, EXIT_USAGE);
    EXPECT_THAT(missing.err, HasSubstr("Invalid (or read only) Template file."));

    // A template whose directory begins with a drive letter.
    std::string text = FilesIn(BLOCKWRIGHT_SOURCE_DIR "/examples").at("Gain.tbt");
    text.replace(text.find("Directory=..\\out\\Gain\\"), 22, "Directory=c:\\blocks\\Gain");
    const QString drivePath = temp_.filePath("Drive.tbt");
    std::ofstream(drivePath.toStdString(), std::ios::binary) << text;
    const Outcome drive = Blockwright({"generate", drivePath});
    EXPECT_EQ(drive.status, EXIT_USAGE);
    EXPECT_THAT(drive.err, HasSubstr("c:\\blocks\\Gain"));

    const Outcome help = Blockwright({"generate", "--help"});
    EXPECT_EQ(help.status, EXIT_COMPLETED);
    EXPECT_THAT(help.out, HasSubstr("--overwrite"));
}

TEST_F(CommandLineTest, ABlockNameLeavingTheDirectoryWritesNothing) {
    std::ifstream in(EXAMPLE, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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

TEST(CommandLineProgram, LinksNoQtLibrary) {
    QProcess ldd;
    ldd.start("ldd", {BLOCKWRIGHT_EXE});
    if (!ldd.waitForFinished(30000) || ldd.exitCode() != 0) {
        GTEST_SKIP() << "ldd cannot list the program's libraries here";
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

    GenerateOptions two;
    EXPECT_FALSE(ParseGenerateArguments({"a.tbt", "b.tbt"}, two, error));
    GenerateOptions noValue;
    EXPECT_FALSE(ParseGenerateArguments({"a.tbt", "--directory"}, noValue, error));
    EXPECT_THAT(error, HasSubstr("--directory"));
}

}  // namespace
}  // namespace bw
