// Programs started from the completion page: the window keeps working while
// they run and Cancel stops them; Wine's first set-up is asked about first;
// a failure is reported in the program's own words.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/qt_launcher.h"
#include "definition/settings_rules.h"
#include "wizard/finish.h"
#include "wizard/generate.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class ToolRunsTest : public WizardFixture {
protected:
    ToolRunsTest() {
        settings.write(setting::SECTION, setting::MSDEV_PATH,
                       temp.path().toStdString() + "/vs/Common/MSDev98/Bin/MSDEV.EXE");
    }

    static void WriteFile(const std::string& path, const std::string& bytes) {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    // A shell script standing for a Windows tool, relative to the temporary folder.
    void WriteScript(const QString& relative, const std::string& body) {
        const QString path = temp.filePath(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        WriteFile(path.toStdString(), "#!/bin/sh\n" + body);
        ASSERT_TRUE(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    // The completion page after generating a DSP-based block, whose Visual
    // C++ button builds.
    CFinish& Finish() {
        OpenDescribedBlock([](BLOCKINFO& b) {
            b.RealTime = 1;
            b.Integer = 1;
            b.FloatingPoint = 1;
        });
        NextUntil(GeneratePage);
        Wizard().generatePage()->generateButton()->click();
        EXPECT_EQ(Wizard().currentId(), FinishPage);
        CFinish& page = *Wizard().finishPage();
        EXPECT_TRUE(page.visualCppButton()->isEnabled());
        return page;
    }

    // The block, DSP-based, with its folder, for the actions on their own.
    void DescribeDspBlock() {
        DescribeBlock(block);
        block.RealTime = 1;
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(BlockDirectory())));
    }

    // Runs during the next wait step of a program, as a click would.
    static void DuringTheRun(const std::function<void()>& step) { QTimer::singleShot(0, step); }
};

// The fake build runs until it is stopped: only a window that handles its
// events while it waits can press Cancel.
TEST_F(ToolRunsTest, ABuildLeavesTheWindowWorkingAndItsCancelStopsIt) {
    launcher.programs.push_back({.waitSteps = 1000000, .output = "Compiling...\nIFNTAdd.c\n"});
    CFinish& page = Finish();
    bool ranDuringTheBuild = false;
    DuringTheRun([&] {
        ranDuringTheBuild = true;
        EXPECT_TRUE(page.isRunningTool());
        EXPECT_TRUE(page.statusLabel()->isVisible());
        EXPECT_EQ(page.statusLabel()->text(), "Building NTAdd with NMAKE.EXE: IFNTAdd.c");
        EXPECT_TRUE(page.cancelToolButton()->isVisible());
        // Nothing else starts meanwhile, and the wizard cannot be left.
        EXPECT_FALSE(page.visualCppButton()->isEnabled());
        EXPECT_FALSE(page.openFolderButton()->isEnabled());
        EXPECT_FALSE(Wizard().button(QWizard::BackButton)->isEnabled());
        page.cancelToolButton()->click();
    });
    page.visualCppButton()->click();

    EXPECT_TRUE(ranDuringTheBuild);
    ASSERT_EQ(launcher.logs.size(), 1u);
    EXPECT_TRUE(launcher.logs[0].terminated);
    EXPECT_LT(launcher.logs[0].waits.size(), 1000000u);
    EXPECT_FALSE(page.isRunningTool());
    EXPECT_EQ(page.statusLabel()->text(),
              "NMAKE.EXE was stopped: the block has not been compiled.");
    EXPECT_FALSE(page.cancelToolButton()->isVisible());
    EXPECT_TRUE(page.visualCppButton()->isEnabled());
    EXPECT_TRUE(Wizard().button(QWizard::BackButton)->isEnabled());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(ToolRunsTest, EscapeDuringABuildStopsTheBuildAndKeepsTheWizard) {
    launcher.programs.push_back({.waitSteps = 1000000});
    CFinish& page = Finish();
    DuringTheRun([&] { QTest::keyClick(&Wizard(), Qt::Key_Escape); });
    page.visualCppButton()->click();
    EXPECT_TRUE(launcher.logs.at(0).terminated);
    EXPECT_TRUE(Wizard().isVisible());
    EXPECT_TRUE(prompts.questions.empty());  // not the discard question
    EXPECT_TRUE(page.statusLabel()->isVisible());
    EXPECT_EQ(page.statusLabel()->text(),
              "NMAKE.EXE was stopped: the block has not been compiled.");
}

// During a build the focus is on the sheet's Cancel, where Return presses
// nothing (About, which Return once opened, would hold the window); after
// it the focus is back on the button pressed.
TEST_F(ToolRunsTest, ReturnDuringABuildPressesNothingAndTheFocusComesBack) {
    launcher.programs.push_back({.waitSteps = 1000000});
    CFinish& page = Finish();
    Wizard().activateWindow();
    page.visualCppButton()->setFocus();
    DuringTheRun([&] {
        QWidget* focused = Wizard().focusWidget();
        EXPECT_EQ(focused, Wizard().button(QWizard::CancelButton));
        QTest::keyClick(focused, Qt::Key_Return);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(page.isRunningTool());
        page.cancelToolButton()->click();
    });
    page.visualCppButton()->click();
    EXPECT_EQ(launcher.logs.size(), 1u);
    EXPECT_EQ(Wizard().focusWidget(), page.visualCppButton());
}

// Every press builds: no press of the same button opens the IDE instead.
TEST_F(ToolRunsTest, EachPressOfTheCompilerButtonBuilds) {
    CFinish& page = Finish();
    for (int press = 0; press < 4; ++press) {
        page.visualCppButton()->click();
    }
    EXPECT_EQ(launcher.started.size(), 4u);
    EXPECT_TRUE(launcher.detached.empty());
}

// Wine's first set-up is asked through the wizard's asker, whose default is No.
TEST_F(ToolRunsTest, TheWineQuestionGoesToTheAskerWithNoAsTheDefault) {
    launcher.firstStartQuestion = "Wine will set up its folder ~/.wine, about 700 MB; continue?";
    std::vector<std::string> asked;
    context.askBeforeSetUp = [&](const std::string& question) {
        asked.push_back(question);
        return false;
    };
    Finish().visualCppButton()->click();
    EXPECT_EQ(asked, std::vector<std::string>{launcher.firstStartQuestion});
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(ToolRunsTest, ABuildThatEndsClearsTheStatusLineAndSaysHowItWent) {
    launcher.programs.push_back({.waitSteps = 2});
    CFinish& page = Finish();
    page.visualCppButton()->click();
    EXPECT_FALSE(launcher.logs.at(0).terminated);
    EXPECT_FALSE(page.statusLabel()->isVisible());
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"The block compiled successfully."});
}

// Real programs here are shell scripts, and Wine is what Linux runs the
// Windows tools with: these stay on Linux.
#ifndef Q_OS_WIN

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

#endif  // Q_OS_WIN

}  // namespace
}  // namespace bw
