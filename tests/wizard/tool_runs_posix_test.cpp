// Programs started through the real launcher: shell scripts stand for the
// Windows tools, and Wine is what runs them here.
#include <QDir>
#include <QFile>

#include "app/qt_launcher.h"
#include "tool_runs_fixture.h"

namespace bw {
namespace {

// Wine's prefix is the folder WINEPREFIX names, or ~/.wine.
class WineQuestionTest : public ToolRunsTest {
protected:
    WineQuestionTest() : home_(qgetenv("HOME")), prefix_(qgetenv("WINEPREFIX")) {
        qputenv("HOME", temp.filePath("home").toLocal8Bit());
        qunsetenv("WINEPREFIX");
        qtLauncher.setWineProgram(temp.filePath("wine"));
        DescribeDspBlock();
    }
    ~WineQuestionTest() override {
        qputenv("HOME", home_);
        if (prefix_.isEmpty()) {
            qunsetenv("WINEPREFIX");
        } else {
            qputenv("WINEPREFIX", prefix_);
        }
    }

    static ProcessStart Starting(const std::string& commandLine) {
        ProcessStart start;
        start.commandLine = commandLine;
        return start;
    }

    QByteArray home_;
    QByteArray prefix_;
    QtLauncher qtLauncher;
};

TEST_F(WineQuestionTest, IsAskedOnlyWhileThePrefixIsMissingAndNamesIt) {
    const ProcessStart nmake = Starting("\"C:\\VS\\VC98\\Bin\\NMAKE.EXE\" /f \"NTAdd.mak\"");
    EXPECT_EQ(qtLauncher.FirstStartQuestion(nmake),
              "Wine will set up its folder ~/.wine, about 700 MB; continue?");
    // A program that does not run through Wine sets nothing up.
    EXPECT_EQ(qtLauncher.FirstStartQuestion(Starting("\"/usr/bin/make\" all")), "");
    ASSERT_TRUE(QDir().mkpath(temp.filePath("home/.wine")));
    EXPECT_EQ(qtLauncher.FirstStartQuestion(nmake), "");

    const QString elsewhere = temp.filePath("prefixes/build");
    qputenv("WINEPREFIX", elsewhere.toLocal8Bit());
    EXPECT_EQ(
        qtLauncher.FirstStartQuestion(nmake),
        "Wine will set up its folder " + elsewhere.toStdString() + ", about 700 MB; continue?");
    // Without Wine a Windows program starts directly.
    qtLauncher.setWineProgram({});
    EXPECT_EQ(qtLauncher.FirstStartQuestion(nmake), "");
}

// Through the real launcher: No starts nothing (Wine would set its folder
// up), Yes starts the build through Wine.
TEST_F(WineQuestionTest, NoStartsNothingAndYesRunsTheBuild) {
    WriteScript(QStringLiteral("wine"),
                "echo started >> " + temp.filePath("wine.log").toStdString() + "\n");
    WriteScript(QStringLiteral("vs/VC98/Bin/NMAKE.EXE"), "exit 0\n");
    prompts.yesNoAnswers = {false};
    BuildAndLaunch actions(block, LaunchServices{settings, prompts, qtLauncher, [] {}, "/cfg/"});
    actions.PressVisualCpp();
    EXPECT_EQ(
        prompts.questions,
        std::vector<std::string>{"Wine will set up its folder ~/.wine, about 700 MB; continue?"});
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(QFile::exists(temp.filePath("wine.log")));

    prompts.yesNoAnswers = {true};
    actions.PressVisualCpp();
    EXPECT_TRUE(QFile::exists(temp.filePath("wine.log")));
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"The block compiled successfully."});
}

// Without the tool there is nothing to ask: the setting is named instead,
// and Wine sets nothing up.
TEST_F(WineQuestionTest, IsNotAskedWhenTheToolIsNotThere) {
    WriteScript(QStringLiteral("wine"),
                "echo started >> " + temp.filePath("wine.log").toStdString() + "\n");
    BuildAndLaunch actions(block, LaunchServices{settings, prompts, qtLauncher, [] {}, "/cfg/"});
    settings.write(setting::SECTION, setting::MSDEV_PATH, "");
    actions.PressVisualCpp();
    settings.write(setting::SECTION, setting::MSDEV_PATH,
                   "C:\\VS\\Common\\MSDev98\\Bin\\MSDEV.EXE");
    actions.PressVisualCpp();  // no prefix, so no drive C: either
    EXPECT_TRUE(prompts.questions.empty());
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].substr(0, 30), "NMAKE.EXE cannot be started.\n\n");
    EXPECT_NE(prompts.messages[1].find("C:\\VS\\VC98\\Bin\\NMAKE.EXE, located by the setting "
                                       "\"MSDev Path\""),
              std::string::npos);
    EXPECT_FALSE(QFile::exists(temp.filePath("wine.log")));
}

// A Windows path is looked for on Wine's drives, links in the prefix; the
// prefix the settings name wins over WINEPREFIX and is the one asked about.
TEST_F(WineQuestionTest, WindowsPathsAreFoundOnTheDrivesOfThePrefixTheSettingsName) {
    const QString prefix = temp.filePath("tools prefix");
    ASSERT_TRUE(QDir().mkpath(prefix + "/drive_c/VS/VC98/Bin"));
    ASSERT_TRUE(QDir().mkpath(prefix + "/dosdevices"));
    ASSERT_TRUE(QFile::link(QStringLiteral("../drive_c"), prefix + "/dosdevices/c:"));
    QFile nmake(prefix + "/drive_c/VS/VC98/Bin/NMAKE.EXE");
    ASSERT_TRUE(nmake.open(QIODevice::WriteOnly));
    nmake.close();
    qputenv("WINEPREFIX", temp.filePath("elsewhere").toLocal8Bit());
    EXPECT_FALSE(qtLauncher.ProgramExists("C:\\VS\\VC98\\Bin\\NMAKE.EXE"));

    std::string setPrefix = prefix.toStdString();
    qtLauncher.setPrefixSetting([&] { return setPrefix; });
    EXPECT_TRUE(qtLauncher.ProgramExists("C:\\VS\\VC98\\Bin\\NMAKE.EXE"));
    EXPECT_TRUE(qtLauncher.ProgramExists("c:\\vs\\vc98\\bin\\nmake.exe"));
    EXPECT_FALSE(qtLauncher.ProgramExists("D:\\VS\\VC98\\Bin\\NMAKE.EXE"));
    EXPECT_FALSE(qtLauncher.ProgramExists("C:\\VS\\VC98\\Bin\\CL.EXE"));
    EXPECT_EQ(qtLauncher.winePrefix(), prefix);

    setPrefix = temp.filePath("new prefix").toStdString();
    EXPECT_EQ(qtLauncher.FirstStartQuestion(Starting("\"C:\\VS\\VC98\\Bin\\NMAKE.EXE\"")),
              "Wine will set up its folder " + setPrefix + ", about 700 MB; continue?");
}

// A real program's own output, both streams, in the report of its failure.
TEST_F(ToolRunsTest, AFailedBuildReportsTheExitStatusAndTheToolsOwnLines) {
    DescribeDspBlock();
    QtLauncher qtLauncher;
    qtLauncher.setWineProgram({});
    WriteScript(QStringLiteral("vs/VC98/Bin/NMAKE.EXE"),
                "echo 'Microsoft (R) Program Maintenance Utility'\n"
                "echo \"NMAKE : fatal error U1073: don't know how to make 'bddk.h'\"\n"
                "echo 'Stop.'\n"
                "echo 'err: the host headers are missing' >&2\n"
                "exit 2\n");
    prompts.yesNoAnswers = {false};
    BuildAndLaunch(block, LaunchServices{settings, prompts, qtLauncher, [] {}, "/cfg/"})
        .PressVisualCpp();
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0],
              "Program error: NMAKE.EXE ended with exit status 2.\n\n"
              "The last lines of its output:\n"
              "Microsoft (R) Program Maintenance Utility\n"
              "NMAKE : fatal error U1073: don't know how to make 'bddk.h'\n"
              "Stop.\n\n"
              "The last lines of its error output:\n"
              "err: the host headers are missing\n\n"
              "Would you like to start the IDE to fix the error ?");
}

}  // namespace
}  // namespace bw
