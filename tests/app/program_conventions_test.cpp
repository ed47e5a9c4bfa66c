// The program as a user meets it in a shell: version, help, usage errors that
// point at the help, template errors that name the file and the fault, and an
// installed tree that finds its stock files wherever it is moved.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "app/program_run.h"
#include "cli/command_line.h"
#include "cli/program_help.h"
#include "cli/try_command.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(ProgramConventionsTest, VersionAndHelpGoToStandardOutputAndExitWithZero) {
    const Outcome version = Blockwright({"--version"});
    EXPECT_EQ(version.status, EXIT_COMPLETED);
    EXPECT_THAT(version.out, StartsWith(std::string("blockwright ") + BLOCKWRIGHT_VERSION + "\n"));

    const Outcome help = Blockwright({"--help"});
    EXPECT_EQ(help.status, EXIT_COMPLETED);
    EXPECT_EQ(help.err, "");
    for (const char* part : {"generate TEMPLATE", "check TEMPLATE", "try BLOCKFOLDER|TEMPLATE",
                             "help [COMMAND]", "--version", "Exit status:", "SOURCE_DATE_EPOCH"}) {
        EXPECT_THAT(help.out, HasSubstr(part));
    }
    // Where the settings live, as the settings store looks them up.
    EXPECT_THAT(help.out, HasSubstr(qEnvironmentVariable("XDG_CONFIG_HOME").toStdString() +
                                    "/Calderic/Tessaline Blockwright.conf"));

    EXPECT_EQ(Blockwright({"help"}).out, help.out);
    EXPECT_THAT(help.out, HasSubstr("\nSee blockwright(1) for more"));
    // A command's own help, as --help gives the program's.
    const Outcome generate = Blockwright({"help", "generate"});
    EXPECT_EQ(generate.status, EXIT_COMPLETED);
    EXPECT_THAT(generate.out, HasSubstr("--overwrite"));
    EXPECT_THAT(Blockwright({"help", "try"}).out, HasSubstr("--strictness"));
}

// Windows has no reader of manual pages: its help names the HTML manual
// installed beside the program instead.
TEST(ProgramConventionsTest, TheHelpNamesTheManualThatIsInstalled) {
    EXPECT_EQ(ManualReference(true, "/usr/share/blockwright/manual.html"), "blockwright(1)");
    const std::string windows =
        ManualReference(false, "C:\\Program Files\\Tessaline Blockwright\\manual.html");
    EXPECT_THAT(ProgramHelp({}, windows),
                HasSubstr("\nSee the manual C:\\Program Files\\Tessaline Blockwright\\manual.html "
                          "for more, and 'blockwright help generate'.\n"));
}

TEST(ProgramConventionsTest, UsageErrorsPointAtTheHelpAndExitWithTwo) {
    for (const QStringList& arguments :
         {QStringList{"frobnicate"}, QStringList{"help", "frobnicate"},
          QStringList{"help", "generate", "check"}, QStringList{"--verbose"},
          QStringList{"generate"}, QStringList{"generate", "t.tbt", "--overwrite", "maybe"},
          QStringList{"generate", "t.tbt", "--bogus"}, QStringList{"check"},
          QStringList{"check", "a.tbt", "b.tbt"}}) {
        const Outcome outcome = Blockwright(arguments);
        EXPECT_EQ(outcome.status, EXIT_USAGE) << arguments.join(' ').toStdString();
        // Named by the program, or by the command that was given, whose help it points at.
        EXPECT_THAT(outcome.err, StartsWith("blockwright"));
        EXPECT_THAT(outcome.err, HasSubstr("\nTry 'blockwright "));
        EXPECT_THAT(outcome.err, EndsWith(" --help'.\n"));
        EXPECT_EQ(outcome.out, "");
    }
}

TEST(ProgramConventionsTest, TemplateErrorsNameTheFileAndTheFault) {
    QTemporaryDir temp;
    // Some other kind of file given in place of a template.
    std::ofstream(temp.filePath("notes.tbt").toStdString()) << "; a note\nBlock Name=Echo\n\n"
                                                               "Echo the input.\n";
    std::ofstream(temp.filePath("other.tbt").toStdString()) << "[Elsewhere]\nBlock Name=Echo\n";

    for (const char* command : {"generate", "check"}) {
        const Outcome missing = Blockwright({command, temp.filePath("none.tbt")});
        EXPECT_EQ(missing.status, EXIT_USAGE);
        EXPECT_EQ(missing.err, "blockwright: " + temp.filePath("none.tbt").toStdString() +
                                   ": cannot be read: No such file or directory\n");

        const Outcome other = Blockwright({command, temp.filePath("other.tbt")});
        EXPECT_EQ(other.status, EXIT_USAGE);
        EXPECT_EQ(other.err, "blockwright: " + temp.filePath("other.tbt").toStdString() +
                                 ": not a block template: it has no [Tessaline Blockwright] "
                                 "section with any values\n");

        const Outcome notes = Blockwright({command, temp.filePath("notes.tbt")});
        EXPECT_EQ(notes.status, EXIT_USAGE);
        EXPECT_EQ(notes.err, "blockwright: " + temp.filePath("notes.tbt").toStdString() +
                                 ": line 4: neither a [section] heading nor a key=value line; "
                                 "not a block template\n");
    }
}

// The program and its stock files laid out as an install puts them, in a
// folder that is neither the build tree nor the configured prefix.
TEST(ProgramConventionsTest, AnInstalledTreeCopiedElsewhereFindsItsStockFiles) {
    QTemporaryDir temp;
    const fs::path prefix = fs::path(temp.path().toStdString()) / "moved";
    const fs::path bin = prefix / BLOCKWRIGHT_INSTALL_BINDIR;
    const fs::path stock = prefix / BLOCKWRIGHT_INSTALL_STOCKDIR;
    fs::create_directories(bin);
    fs::create_directories(stock);
    fs::copy_file(BLOCKWRIGHT_EXE, bin / "blockwright");
    // The share folder's process icon is told apart from the source tree's.
    for (const auto& entry : fs::directory_iterator(BLOCKWRIGHT_SOURCE_DIR "/assets")) {
        fs::copy_file(entry.path(), stock / entry.path().filename());
    }
    std::ofstream(stock / "process.ico", std::ios::binary | std::ios::trunc) << "installed icon";

    const fs::path out = prefix / "out";
    const Outcome outcome =
        RunProgram({"generate", QString::fromStdString(EXAMPLE), "--directory",
                    QString::fromStdString(out.string())},
                   ProgramEnvironment(), QString::fromStdString((bin / "blockwright").string()));
    ASSERT_EQ(outcome.status, EXIT_COMPLETED) << outcome.err;
    EXPECT_EQ(FileBytes(out / "gain.ico"), "installed icon");
}

}  // namespace
}  // namespace bw
