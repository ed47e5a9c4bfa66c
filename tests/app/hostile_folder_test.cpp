// The program against what travels with a block: templates that are no
// regular files, directories that name no folder, definitions whose files
// would meet, bytes that would steer the terminal, and a standard output
// that cannot be written.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include "app/command_line.h"
#include "app/program_run.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string EXAMPLE = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/examples/Gain.tbt";

#if defined(__SANITIZE_ADDRESS__)
constexpr bool MEMORY_CAN_BE_LIMITED = false;  // the sanitizer reserves terabytes
#else
constexpr bool MEMORY_CAN_BE_LIMITED = true;
#endif

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class HostileFolderTest : public ::testing::Test {
protected:
    fs::path Temp() const { return temp_.path().toStdString(); }

    // The program with arguments; its memory held to 256 MB where that can
    // be done, its standard output sent to outputFile when one is named.
    Outcome Blockwright(const QStringList& arguments, const QString& outputFile = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("SOURCE_DATE_EPOCH", "1700000000");
        environment.insert("XDG_CONFIG_HOME", temp_.filePath("config"));
        process.setProcessEnvironment(environment);
        if (!outputFile.isEmpty()) {
            process.setStandardOutputFile(outputFile);
        }
        if (MEMORY_CAN_BE_LIMITED) {
            process.setChildProcessModifier([] {
                const rlimit limit{256u << 20, 256u << 20};
                setrlimit(RLIMIT_AS, &limit);
            });
        }
        process.start(QStringLiteral(BLOCKWRIGHT_EXE), arguments);
        process.closeWriteChannel();
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return {};
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    // The example with one line replaced (the key's, as "Key=value").
    QString ExampleWith(const std::string& key, const std::string& line) {
        std::istringstream lines(Contents(EXAMPLE));
        std::string text;
        for (std::string each; std::getline(lines, each);) {
            text += (each.rfind(key + "=", 0) == 0 ? line + "\r" : each) + "\n";
        }
        const QString path = temp_.filePath("Changed.tbt");
        std::ofstream(path.toStdString(), std::ios::binary) << text;
        return path;
    }

    QString Block() const { return temp_.filePath("Gain"); }

    QTemporaryDir temp_;
};

TEST_F(HostileFolderTest, TemplatesThatAreNoRegularFilesAreRefusedAtOnce) {
    const fs::path fifo = Temp() / "Fifo.tbt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const fs::path large = Temp() / "Large.tbt";
    std::ofstream(large).close();
    fs::resize_file(large, (16u << 20) + 1);

    const std::pair<std::string, std::string> cases[] = {
        {"/dev/zero", "it is not a regular file (a device, a pipe or a socket)"},
        {fifo.string(), "it is not a regular file (a device, a pipe or a socket)"},
        {Temp().string(), "it is a folder, not a file"},
        {large.string(), "it is larger than 16 MB, far more than this file can hold"}};
    for (const auto& [path, reason] : cases) {
        for (const char* command : {"check", "generate"}) {
            const Outcome outcome = Blockwright({command, QString::fromStdString(path)});
            EXPECT_EQ(outcome.status, EXIT_USAGE) << command << " " << path;
            EXPECT_EQ(outcome.err, "blockwright: " + path + ": cannot be read: " + reason + "\n");
        }
    }
}

TEST_F(HostileFolderTest, AnEmptyDirectoryIsRefusedAndNothingIsWritten) {
    const std::string refused =
        "blockwright generate: the block directory is empty; give it in the template's Directory "
        "or with --directory\n";
    for (const QStringList& options : {QStringList{}, QStringList{"--list"}}) {
        Outcome outcome = Blockwright(
            QStringList{"generate", QString::fromStdString(EXAMPLE), "--directory", ""} + options);
        EXPECT_EQ(outcome.status, EXIT_USAGE);
        EXPECT_EQ(outcome.err, refused);
        EXPECT_EQ(outcome.out, "");

        outcome =
            Blockwright(QStringList{"generate", ExampleWith("Directory", "Directory=")} + options);
        EXPECT_EQ(outcome.status, EXIT_USAGE);
        EXPECT_EQ(outcome.err, refused);
    }
    const Outcome check = Blockwright({"check", ExampleWith("Directory", "Directory=")});
    EXPECT_EQ(check.status, EXIT_USAGE);
    EXPECT_THAT(check.err, HasSubstr(": Directory: The block directory is empty"));
}

TEST_F(HostileFolderTest, OutputsThatWouldMeetAreRefusedBeforeAnythingIsWritten) {
    for (const auto& [key, line] :
         {std::pair<std::string, std::string>{"Icon Filename", "Icon Filename=Gain.c"},
          {"Icon Filename", "Icon Filename=GAIN.TBT"},
          {"Block Name", "Block Name=resource"}}) {
        const QString changed = ExampleWith(key, line);
        const Outcome check = Blockwright({"check", changed});
        EXPECT_EQ(check.status, EXIT_USAGE) << line;
        EXPECT_THAT(check.err, HasSubstr(": " + key + ": The ")) << line;

        const Outcome generate =
            Blockwright({"generate", changed, "--directory", Block(), "--overwrite", "all"});
        EXPECT_EQ(generate.status, EXIT_USAGE) << line;
        EXPECT_FALSE(fs::exists(Block().toStdString())) << line;
    }
}

TEST_F(HostileFolderTest, ControlCharactersFromATemplateAreShownEscaped) {
    const Outcome outcome = Blockwright(
        {"check", ExampleWith("Block Name", std::string("Block Name=Ga\x1b[2Jin\x07\0x", 22))});

    EXPECT_EQ(outcome.status, EXIT_USAGE);
    EXPECT_THAT(outcome.err, HasSubstr("\"Ga\\x1b[2Jin\\x07\\x00x\""));
    EXPECT_THAT(outcome.err, Not(HasSubstr("\x1b")));
    EXPECT_THAT(outcome.err, Not(HasSubstr("\x07")));
    EXPECT_EQ(outcome.err.find('\0'), std::string::npos);
}

TEST_F(HostileFolderTest, AStandardOutputThatCannotBeWrittenIsAnError) {
    const Outcome list =
        Blockwright({"generate", QString::fromStdString(EXAMPLE), "--directory", Block(), "--list"},
                    "/dev/full");
    EXPECT_EQ(list.status, EXIT_STOPPED);
    EXPECT_EQ(list.err, "blockwright: cannot write standard output: " +
                            std::string(std::strerror(ENOSPC)) + "\n");

    EXPECT_EQ(Blockwright({"--help"}, "/dev/full").status, EXIT_STOPPED);
    EXPECT_EQ(Blockwright({"--help"}).status, EXIT_COMPLETED);
}

}  // namespace
}  // namespace bw
