// The program against what travels with a block: templates that are no
// regular files, directories that name no folder, definitions whose files
// would meet, bytes that would steer the terminal, a standard output that
// cannot be written, links planted in the block folder, runs that meet in
// one folder, and files whose permissions must stay.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "cli/command_line.h"
#include "app/program_run.h"
#include "definition/block_info.h"
#include "definition/template_file.h"
#include "definition/type_codes.h"
#include "files/folder_lock.h"
#include "generation/paths.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool MEMORY_CAN_BE_LIMITED = false;  // the sanitizer reserves terabytes
#else
constexpr bool MEMORY_CAN_BE_LIMITED = true;
#endif

// Every entry below folder by relative path, links not followed: a file's
// bytes, a link's target after "-> ", a folder "/", anything else "special".
std::map<std::string, std::string> Tree(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().lexically_relative(folder).generic_string();
        // A pipe or a device is named, never read: reading one may wait forever.
        entries[name] = it->is_symlink()        ? "-> " + fs::read_symlink(it->path()).string()
                        : it->is_directory()    ? "/"
                        : it->is_regular_file() ? FileBytes(it->path())
                                                : "special";
    }
    return entries;
}

class HostileFolderTest : public ::testing::Test {
protected:
    fs::path Temp() const { return temp_.path().toStdString(); }

    // The program with arguments; its memory held to 256 MB where that can
    // be done, its standard output sent to outputFile when one is named.
    Outcome Blockwright(const QStringList& arguments, const QString& outputFile = {}) {
        QProcess process;
        process.setProcessEnvironment(ProgramEnvironment(temp_.filePath("config")));
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
        std::istringstream lines(FileBytes(EXAMPLE));
        std::string text;
        for (std::string each; std::getline(lines, each);) {
            text += (each.rfind(key + "=", 0) == 0 ? line + "\r" : each) + "\n";
        }
        const QString path = temp_.filePath("Changed.tbt");
        std::ofstream(path.toStdString(), std::ios::binary) << text;
        return path;
    }

    QString Block() const { return temp_.filePath("Gain"); }
    fs::path BlockPath() const { return Block().toStdString(); }

    // `blockwright generate` of a template into Block(), replacing every
    // file and carrying the user sections over.
    Outcome Generate(const QString& templatePath) {
        return Blockwright({"generate", templatePath, "--directory", Block(), "--overwrite", "all",
                            "--splice", "yes"});
    }

    // The example as a real-time block, so that it has DSP files.
    QString RealTimeExample() {
        ExampleWith("Real Time", "Real Time=1");
        const QString changed = temp_.filePath("Changed.tbt");
        std::string text = FileBytes(changed.toStdString());
        text.replace(text.find("LocalSize0=HistoryLength"), 24, "LocalSize0=64");
        const QString path = temp_.filePath("RealTime.tbt");
        std::ofstream(path.toStdString(), std::ios::binary) << text;
        return path;
    }

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

// A root folder however spelled, in a template or on the command line, is
// refused before anything is written, and `check` says so too (nothing here
// is generated: a regression would write into the real root).
TEST_F(HostileFolderTest, ARootFolderIsRefusedHoweverItIsSpelled) {
    // From the template's folder, far more ".." than there are folders above.
    std::string climbing = "Directory=";
    for (int i = 0; i < 40; ++i) {
        climbing += "..\\";
    }
    const QString deep = ExampleWith("Directory", climbing);
    const Outcome check = Blockwright({"check", deep});
    EXPECT_EQ(check.status, EXIT_USAGE);
    EXPECT_THAT(check.err, HasSubstr(": Directory: The block directory "));
    EXPECT_THAT(check.err, HasSubstr(" is a root folder"));

    const Outcome listed = Blockwright({"generate", deep, "--list"});
    EXPECT_EQ(listed.status, EXIT_USAGE);
    EXPECT_THAT(listed.err, HasSubstr(" is a root folder"));
    EXPECT_EQ(listed.out, "");
    for (const char* root : {"/.", "/..", "/./", "/tmp/.."}) {
        const Outcome outcome = Blockwright(
            {"generate", QString::fromStdString(EXAMPLE), "--directory", root, "--list"});
        EXPECT_EQ(outcome.status, EXIT_USAGE) << root;
        EXPECT_THAT(outcome.err, HasSubstr(" is a root folder")) << root;
        EXPECT_EQ(outcome.out, "") << root;
    }
}

// Control characters in typed texts have no escape in a comment, the
// description file or the makefile: the template is refused, naming each
// key, and nothing is written.
TEST_F(HostileFolderTest, ATemplateFullOfControlCharactersIsRefusedAndNothingIsWritten) {
    const std::pair<std::string, std::string> lines[] = {
        {"Menu Name",
         "Menu Name=Gain\x1b]0;pwned\x07"
         "Control"},
        {"Short Description", std::string("Short Description=Scales\0it", 27)},
        {"Group Name", "Group Name=Amp\x0b\x0c\x7f"},
        {"Company Name", "Company Name=Calderic\x1b[2J"},
    };
    std::string text = FileBytes(EXAMPLE);
    for (const auto& [key, line] : lines) {
        const size_t at = text.find("\n" + key + "=");
        ASSERT_NE(at, std::string::npos) << key;
        text.replace(at + 1, text.find('\r', at + 1) - at - 1, line);
    }
    const QString changed = temp_.filePath("Steering.tbt");
    std::ofstream(changed.toStdString(), std::ios::binary) << text;

    const Outcome check = Blockwright({"check", changed});
    EXPECT_EQ(check.status, EXIT_USAGE);
    for (const auto& [key, line] : lines) {
        EXPECT_THAT(check.err, HasSubstr(": " + key + ": The ")) << key;
    }
    const Outcome generate =
        Blockwright({"generate", changed, "--directory", Block(), "--overwrite", "all"});
    EXPECT_EQ(generate.status, EXIT_USAGE);
    // Byte by byte: nothing the run might have written holds a control
    // character other than a line end or a tab.
    for (const auto& [name, bytes] : Tree(Temp())) {
        if (name.starts_with("Gain")) {
            EXPECT_EQ(bytes.find_first_of(std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x0b\x0c"
                                                      "\x0e\x0f\x10\x11\x12\x13\x14\x15\x16\x17"
                                                      "\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f\x7f") +
                                          std::string(1, '\0')),
                      std::string::npos)
                << name;
        }
    }
    EXPECT_FALSE(fs::exists(BlockPath()));
}

// What the run refuses before writing anything (a pipe or a device where a
// file goes, a link), the listing refuses alike.
TEST_F(HostileFolderTest, AListingRefusesWhatTheRunRefuses) {
    const QString example = QString::fromStdString(EXAMPLE);
    const fs::path target = BlockPath() / "Gain.c";
    const std::function<void()> plants[] = {
        [&] { ASSERT_EQ(mkfifo(target.c_str(), 0600), 0); },
        [&] { ASSERT_EQ(mknod(target.c_str(), S_IFCHR | 0600, makedev(1, 3)), 0); },
        [&] { fs::create_symlink(Temp() / "victim.c", target); },
    };
    for (const auto& plant : plants) {
        fs::remove_all(BlockPath());
        ASSERT_EQ(Generate(example).status, EXIT_COMPLETED);
        fs::remove(target);
        plant();
        const auto before = Tree(BlockPath());

        const Outcome listed = Blockwright({"generate", example, "--directory", Block(), "--list"});
        const Outcome run = Generate(example);

        EXPECT_EQ(listed.status, EXIT_STOPPED);
        EXPECT_THAT(listed.err, HasSubstr(target.string()));
        EXPECT_THAT(listed.err, HasSubstr("Nothing was generated."));
        EXPECT_EQ(listed.out, "");
        EXPECT_EQ(run.status, EXIT_STOPPED);
        EXPECT_THAT(run.err, HasSubstr(listed.err));
        EXPECT_EQ(Tree(BlockPath()), before);
    }
}

// Each kind of link planted where a run writes or reads stops the run before
// anything is written, naming the link; nothing outside the block folder
// changes by a byte, and the link stays as it was.
TEST_F(HostileFolderTest, APlantedLinkStopsTheRunAndNothingIsWrittenThroughIt) {
    const QString example = RealTimeExample();
    const fs::path outside = Temp() / "outside";
    struct Planted {
        std::string link;    // below the block folder
        std::string target;  // below outside
    };
    const Planted cases[] = {
        {"Gain.h", "victim.c"},                             // a target
        {"Gain.h.tmp~", "victim.c"},                        // an old-style temporary
        {"IFGain.c.0badf00d.tmp~", "victim.c"},             // a temporary of ours
        {"KRSave", "folder"},                               // the backup folder
        {"krsave", "folder"},                               // the same in another case
        {"DSPCODE", "folder"},                              // the DSP folder
        {"DSPCODE/KRSave/_Gain.c.part~", "victim.c"},       // a partial backup
        {"KRSave/Gain.h.20231114-221320.orphaned", "new"},  // an orphan file, dangling
    };
    for (const Planted& planted : cases) {
        fs::remove_all(BlockPath());
        fs::remove_all(outside);
        fs::create_directories(outside / "folder");
        std::ofstream(outside / "victim.c", std::ios::binary) << "the outside file\n";
        std::ofstream(outside / "folder" / "Gain.h", std::ios::binary) << "an outside copy\n";
        ASSERT_EQ(Generate(example).status, EXIT_COMPLETED) << planted.link;
        // A header that the run would replace, and back up, and keep aside.
        std::ofstream(BlockPath() / "Gain.h", std::ios::binary | std::ios::app)
            << "//; Definitions\r\nint kept;\r\n//; End of Definitions\r\n";
        const fs::path link = BlockPath() / planted.link;
        // The backup folder the first run made for its record goes, so that
        // a link planted under another case is the one the run finds.
        fs::remove_all(BlockPath() / "KRSave");
        fs::remove_all(link);
        fs::create_directories(link.parent_path());
        fs::create_symlink(outside / planted.target, link);
        const auto outsideBefore = Tree(outside);
        const auto blockBefore = Tree(BlockPath());

        const Outcome outcome = Generate(example);

        EXPECT_EQ(outcome.status, EXIT_STOPPED) << planted.link;
        EXPECT_THAT(outcome.err, HasSubstr(link.string() + " is a link;")) << planted.link;
        EXPECT_EQ(Tree(outside), outsideBefore) << planted.link;
        EXPECT_EQ(Tree(BlockPath()), blockBefore) << planted.link;
    }
}

TEST_F(HostileFolderTest, ASecondRunWaitsThenStopsAndChangesNothing) {
    ASSERT_EQ(Generate(QString::fromStdString(EXAMPLE)).status, EXIT_COMPLETED);
    std::ofstream(BlockPath() / "Gain.h", std::ios::binary | std::ios::app) << "/* older */\r\n";
    std::unique_ptr<BlockFolder> folder;
    ASSERT_TRUE(BlockFolder::Open(BlockPath().string(), false, folder));
    FolderLock held;
    ASSERT_TRUE(held.Take(*folder));
    const auto before = Tree(BlockPath());

    const Outcome outcome = Generate(QString::fromStdString(EXAMPLE));

    EXPECT_EQ(outcome.status, EXIT_STOPPED);
    EXPECT_EQ(outcome.err, "another run is writing to " + BlockPath().string() + "\n");
    EXPECT_EQ(Tree(BlockPath()), before);
}

// Versions of a large block, each with its own number of parameters, so
// that the texts of every version differ in length.
class ConcurrentRunsTest : public HostileFolderTest {
protected:
    QString Version(int number, int parameters) {
        MemorySettings settings;
        RecordingPrompts prompts;
        BLOCKINFO block;
        EXPECT_TRUE(ReadTemplate(block, EXAMPLE, prompts));
        for (int i = block.NumParameters; i < parameters; ++i) {
            block.AddParameter(prompts);
            PARAMINFO& parameter = block.Parameters[static_cast<size_t>(i)];
            parameter.ParameterName = "Stage" + std::to_string(i);
            parameter.ParameterType = TYPE_FLOAT;
            parameter.ParameterDesc = "The gain of stage " + std::to_string(i);
            parameter.ParameterDefault = "1.5";
        }
        const QString path = temp_.filePath(QString("Version%1.tbt").arg(number));
        EXPECT_TRUE(WriteTemplate(block, path.toStdString()));
        return path;
    }

    // Starts the runs at once and waits for all of them.
    std::vector<Outcome> RunTogether(const std::vector<QString>& templates) {
        std::vector<std::unique_ptr<QProcess>> processes;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("SOURCE_DATE_EPOCH", "1700000000");
        environment.insert("XDG_CONFIG_HOME", temp_.filePath("config"));
        for (const QString& path : templates) {
            processes.push_back(std::make_unique<QProcess>());
            processes.back()->setProcessEnvironment(environment);
            processes.back()->start(QStringLiteral(BLOCKWRIGHT_EXE),
                                    {"generate", path, "--directory", Block(), "--overwrite", "all",
                                     "--splice", "yes"});
        }
        std::vector<Outcome> outcomes;
        for (const auto& process : processes) {
            process->closeWriteChannel();
            EXPECT_TRUE(process->waitForFinished(120000));
            outcomes.push_back({process->exitCode(), process->readAllStandardOutput().toStdString(),
                                process->readAllStandardError().toStdString()});
        }
        return outcomes;
    }
};

// Runs that meet in one folder take turns: a run that waits too long stops
// with the message and changes nothing, and every file (and every backup)
// holds one version's text whole, never a mixture.
TEST_F(ConcurrentRunsTest, EveryFileHoldsOneRunsTextWhole) {
    const std::vector<QString> versions = {Version(0, 250), Version(1, 180), Version(2, 120)};
    std::vector<std::map<std::string, std::string>> texts;
    for (const QString& version : versions) {
        fs::remove_all(BlockPath());
        ASSERT_EQ(Generate(version).status, EXIT_COMPLETED);
        texts.push_back(Tree(BlockPath()));
    }
    const std::string busy = "another run is writing to " + BlockPath().string() + "\n";
    for (const size_t together : {size_t{2}, size_t{3}}) {
        for (int round = 0; round < 3; ++round) {
            fs::remove_all(BlockPath());
            const std::vector<QString> running(versions.begin(), versions.begin() + together);
            for (const Outcome& outcome : RunTogether(running)) {
                EXPECT_TRUE(outcome.status == EXIT_COMPLETED ||
                            (outcome.status == EXIT_STOPPED && outcome.err == busy))
                    << outcome.status << " " << outcome.err;
            }
            for (const auto& [name, bytes] : Tree(BlockPath())) {
                if (name == "KRSave/.blockwright-written") {
                    continue;  // the record of what was written, by each run in turn
                }
                const std::string file =
                    name.starts_with("KRSave/") ? name.substr(7) : name;  // a backup
                const bool one = std::any_of(texts.begin(), texts.end(), [&](const auto& text) {
                    return text.count(file) && text.at(file) == bytes;
                });
                EXPECT_TRUE(one || bytes == "/") << name << " with " << together << " runs";
            }
        }
    }
}

// A 0600 file stays 0600; a read-only one is replaced only with everything
// answered yes, stays read-only, and the run says so.
TEST_F(HostileFolderTest, PermissionsAreKeptAndReadOnlyFilesAreReplacedOnlyWhenAllIsAnswered) {
    ASSERT_EQ(Generate(QString::fromStdString(EXAMPLE)).status, EXIT_COMPLETED);
    for (const char* name : {"Gain.c", "Gain.h"}) {
        std::ofstream(BlockPath() / name, std::ios::binary | std::ios::app) << "/* older */\r\n";
    }
    fs::permissions(BlockPath() / "Gain.c", fs::perms::owner_read | fs::perms::owner_write);
    const fs::perms readOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(BlockPath() / "Gain.h", readOnly);

    const Outcome asked = Blockwright(
        {"generate", QString::fromStdString(EXAMPLE), "--directory", Block(), "--splice", "yes"});
    EXPECT_EQ(asked.status, EXIT_STOPPED);
    EXPECT_THAT(FileBytes(BlockPath() / "Gain.h"), HasSubstr("/* older */"));

    const Outcome outcome = Generate(QString::fromStdString(EXAMPLE));
    EXPECT_EQ(outcome.status, EXIT_COMPLETED) << outcome.err;
    EXPECT_THAT(outcome.out,
                HasSubstr((BlockPath() / "Gain.h").string() + "  (read-only, kept read-only)\n"));
    EXPECT_THAT(outcome.out, HasSubstr(" backed up, 1 read-only replaced\n"));
    EXPECT_THAT(FileBytes(BlockPath() / "Gain.h"), Not(HasSubstr("/* older */")));
    EXPECT_EQ(fs::status(BlockPath() / "Gain.c").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(BlockPath() / "Gain.h").permissions() & fs::perms::all, readOnly);
}

}  // namespace
}  // namespace bw
