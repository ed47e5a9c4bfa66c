// The build and launch actions on real processes: a fake NMAKE, IDE, Wine and
// Code Composer Studio are small shell scripts written by each test.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUrl>
#include <algorithm>
#include <optional>

#include "app/qt_launcher.h"
#include "definition/settings_rules.h"
#include "generation/paths.h"
#include "launch/build_launch.h"
#include "launch/code_composer_automation.h"
#include "launch/launch_fakes.h"
#include "support/recording_prompts.h"
#include "wizard/file_trees_view.h"
#include "wizard/finish.h"
#include "wizard/wizard_fixture.h"

namespace bw {
namespace {

// (The app tests do not link the core tests' support files.)
BLOCKINFO NewBlock() {
    MemorySettings settings;
    BLOCKINFO block;
    block.Reset(settings, {"/blocks/", "/blocks/", "/blocks/"});
    return block;
}

std::string ReadFileBytes(const std::string& path) {
    QFile file(QString::fromLocal8Bit(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromLocal8Bit(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Receives the files the desktop would open.
class OpenedFiles : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class QtLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        root_ = temp_.path();
        ASSERT_TRUE(QDir().mkpath(Path("blocks/NFAdd/DSPCode")));
        block_ = NewBlock();
        block_.BlockName = "NFAdd";
        block_.Directory = Local(Path("blocks/NFAdd"));
        block_.IncludePath = "/host/include";
        block_.RealTime = 1;
        block_.Chip = 6700;
        // The install folders are matched without regard to case.
        WriteScript("vs/Common/MSDev98/Bin/MSDEV.EXE",
                    "printf '%s\\n' \"$PWD\" \"$@\" > ide.args\n");
        WriteScript("vs/vc98/bin/nmake.exe",
                    "/bin/cat /proc/$$/environ > nmake.env\n"
                    "printf '%s\\n' \"$PWD\" \"$@\" > nmake.args\n"
                    "/bin/sleep 0.2\n"
                    "exit $(/bin/cat " +
                        Path("nmake.exit").toStdString() + ")\n");
        SetNmakeExit(0);
        settings_.write(setting::SECTION, setting::MSDEV_PATH,
                        Local(Path("vs/Common/MSDev98/Bin/MSDEV.EXE")));
        launcher_.setWineProgram({});
        launcher_.setLockDirectory(root_);
    }

    QString Path(const QString& relative) const { return root_ + '/' + relative; }
    static std::string Local(const QString& text) { return text.toLocal8Bit().toStdString(); }

    void WriteScript(const QString& relative, const std::string& body) {
        const QString path = Path(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        WriteFileBytes(Local(path), "#!/bin/sh\n" + body);
        ASSERT_TRUE(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    void SetNmakeExit(int code) { WriteFileBytes(Local(Path("nmake.exit")), std::to_string(code)); }

    // The lines a script recorded, once there are at least minimum of them
    // (detached programs write in their own time).
    std::vector<std::string> Recorded(const QString& relative, long minimum = 1) const {
        const std::string path = Local(Path(relative));
        std::string text;
        QElapsedTimer timer;
        timer.start();
        while (std::count(text.begin(), text.end(), '\n') < minimum && timer.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            text = QFile::exists(Path(relative)) ? ReadFileBytes(path) : std::string();
        }
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = text.find('\n', start);
            lines.push_back(text.substr(start, end - start));
            start = end == std::string::npos ? text.size() : end + 1;
        }
        return lines;
    }

    // A Code Composer Studio that logs each call as one line and answers the
    // version question with version.
    void WriteCodeComposer(const std::string& version) {
        WriteScript("ti/cc_app", "line=$(printf '%s|' \"$@\")\necho \"$line\" >> " +
                                     Local(Path("cc.log")) + "\n[ \"$2\" = -Version ] && echo " +
                                     version + "\nexit 0\n");
        settings_.write(setting::SECTION, setting::CODE_COMPOSER_PATH, Local(Path("ti/cc_app")));
    }

    BuildAndLaunch Actions() {
        return BuildAndLaunch(
            block_, LaunchServices{settings_, prompts_, launcher_, [this] { ++pumps_; }, "/cfg/"});
    }

    QTemporaryDir temp_;
    QString root_;
    BLOCKINFO block_;
    MemorySettings settings_;
    RecordingPrompts prompts_;
    QtLauncher launcher_;
    int pumps_ = 0;
};

std::vector<std::string> SortedEntries(const std::string& block) {
    std::vector<std::string> entries;
    size_t start = 0;
    while (start < block.size()) {
        const size_t end = block.find('\0', start);
        entries.push_back(block.substr(start, end - start));
        start = end + 1;
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

TEST_F(QtLauncherTest, NmakeGetsItsCommandLineTheBlockEnvironmentOnlyAndTheBlockDirectory) {
    Actions().PressVisualCpp();

    const std::string V = Local(Path("vs"));
    const std::string blockDir = Local(Path("blocks/NFAdd"));
    EXPECT_EQ(Recorded("blocks/NFAdd/nmake.args"),
              (std::vector<std::string>{blockDir, "/f", "NFAdd.mak"}));
    // Exactly the entries of the block: nothing of the test's own environment.
    EXPECT_EQ(SortedEntries(ReadFileBytes(blockDir + "/nmake.env")),
              SortedEntries(BuildEnvironmentBlock(V, "/cfg/", block_)));
    EXPECT_GT(pumps_, 0);
    EXPECT_EQ(prompts_.messages, std::vector<std::string>{"The block compiled successfully."});
}

TEST_F(QtLauncherTest, FailedBuildOffersTheIdeWhichOpensTheWorkspace) {
    SetNmakeExit(2);
    prompts_.yesNoAnswers = {true};
    Actions().PressVisualCpp();
    ASSERT_EQ(prompts_.questions.size(), 1u);
    EXPECT_EQ(prompts_.questions[0].rfind("Program error", 0), 0u);
    const std::string blockDir = Local(Path("blocks/NFAdd"));
    EXPECT_EQ(Recorded("blocks/NFAdd/ide.args", 2),
              (std::vector<std::string>{blockDir, WindowsToolPath(blockDir + "\\NFAdd.dsw")}));
}

TEST_F(QtLauncherTest, WindowsProgramsRunThroughWineWithWhatWineNeeds) {
    WriteScript("wine",
                "/bin/cat /proc/$$/environ > wine.env\n"
                "printf '%s\\n' \"$@\" > wine.args\n");
    launcher_.setWineProgram(Path("wine"));
    qputenv("WINEPREFIX", "/prefix");
    Actions().PressVisualCpp();
    qunsetenv("WINEPREFIX");

    EXPECT_EQ(Recorded("blocks/NFAdd/wine.args"),
              (std::vector<std::string>{Local(Path("vs/vc98/bin/nmake.exe")), "/f", "NFAdd.mak"}));
    const std::vector<std::string> environment =
        SortedEntries(ReadFileBytes(Local(Path("blocks/NFAdd/wine.env"))));
    const std::string V = Local(Path("vs"));
    // The Windows directory as the tools see it under Wine.
    const std::string W = WindowsToolPath("/cfg/");
    const std::string path = "PATH=" + V + "\\Common\\msdev98\\BIN;" + V + "\\VC98\\BIN;" + V +
                             "\\Common\\TOOLS;" + W + ";" + W + "system;" + W + "system32";
    for (const std::string& expected : {path, "WINE" + path, std::string("WINEPREFIX=/prefix")}) {
        EXPECT_NE(std::find(environment.begin(), environment.end(), expected), environment.end())
            << expected;
    }
    EXPECT_EQ(
        std::count_if(environment.begin(), environment.end(),
                      [](const std::string& e) { return e.rfind("XDG_CONFIG_HOME=", 0) == 0; }),
        0);
}

TEST_F(QtLauncherTest, CodeComposerIsStartedAskedItsVersionAndOpensTheProject) {
    WriteCodeComposer("3.1");
    Actions().OpenDspProject();

    EXPECT_TRUE(prompts_.messages.empty());
    const std::vector<std::string> calls = Recorded("cc.log", 3);
    const std::string open = "-Automation|-OpenProject|" + Local(Path("blocks/NFAdd")) +
                             "\\DSPCode\\NFAdd.pjt|TMS320C67XX|1|";
    for (const std::string& call :
         std::vector<std::string>{"-Automation|", "-Automation|-Version|", open}) {
        EXPECT_NE(std::find(calls.begin(), calls.end(), call), calls.end()) << call;
    }
}

TEST_F(QtLauncherTest, RunningCodeComposerIsAttachedAndAnOldOneRefused) {
    WriteCodeComposer("0.9");
    QLockFile running(Path(QString::fromStdString(CodeComposerLockName()) + ".lock"));
    ASSERT_TRUE(running.tryLock(0));
    EXPECT_TRUE(launcher_.IsLockHeld(CodeComposerLockName()));
    Actions().OpenDspProject();

    EXPECT_EQ(Recorded("cc.log"), std::vector<std::string>{"-Automation|-Version|"});
    EXPECT_EQ(prompts_.messages,
              std::vector<std::string>{
                  "This version of Tessaline Blockwright is not compatible with the version of "
                  "Code Composer you are running, so the project will not be created."});
    running.unlock();
    EXPECT_FALSE(launcher_.IsLockHeld(CodeComposerLockName()));
}

TEST_F(QtLauncherTest, DoubleClickOpensFilesOfBothTreesAndReportsMissingOnes) {
    OpenedFiles opened;
    QDesktopServices::setUrlHandler("file", &opened, "open");
    WriteFileBytes(Local(Path("blocks/NFAdd/NFAdd.c")), "x");
    WriteFileBytes(Local(Path("blocks/NFAdd/DSPCode/_NFAdd.c")), "x");
    BuildAndLaunch actions = Actions();
    actions.OpenFileItem(FileTree::PcSide, "Source Files", "NFAdd.c", false);
    actions.OpenFileItem(FileTree::DspSide, "Source Files", "_NFAdd.c", false);
    actions.OpenFileItem(FileTree::PcSide, "", "NFAdd.h", false);
    actions.OpenFileItem(FileTree::DspSide, "tstapp", "main.c", false);
    QDesktopServices::unsetUrlHandler("file");

    EXPECT_EQ(opened.urls,
              (QList<QUrl>{QUrl::fromLocalFile(Path("blocks/NFAdd/NFAdd.c")),
                           QUrl::fromLocalFile(Path("blocks/NFAdd/DSPCode/_NFAdd.c"))}));
    const std::string failed =
        "The following error occurred while attempting to execute xdg-open\n\n";
    EXPECT_EQ(prompts_.messages,
              (std::vector<std::string>{failed + "The specified file was not found.",
                                        failed + "The specified path was not found."}));
}

QTreeWidgetItem* FindItem(QTreeWidget* tree, const char* text) {
    const QList<QTreeWidgetItem*> found =
        tree->findItems(QString::fromUtf8(text), Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

using FinishPageTest = WizardFixture;

TEST_F(FinishPageTest, ButtonsAndDoubleClickReachTheLauncher) {
    const std::string directory = temp.path().toStdString() + "/NFAdd";
    block.BlockName = "NFAdd";
    block.Directory = directory;
    QDir().mkpath(QString::fromStdString(directory));
    // The source and the project files the Visual C++ button needs.
    for (const char* name : {"/IFNFAdd.c", "/NFAdd.dsw", "/NFAdd.mak"}) {
        QFile generated(QString::fromStdString(directory + name));
        ASSERT_TRUE(generated.open(QIODevice::WriteOnly));
    }
    settings.write(setting::SECTION, setting::MSDEV_PATH, "/vs/Common/MSDev98/Bin/MSDEV.EXE");
    CFinish page(context);
    page.load();

    page.visualCppButton()->click();
    ASSERT_EQ(launcher.detached.size(), 1u);
    EXPECT_EQ(launcher.detached[0].commandLine,
              "\"/vs/Common/MSDev98/Bin/MSDEV.EXE\" \"" +
                  WindowsToolPath(directory + "\\NFAdd.dsw") + "\" \"" +
                  WindowsToolPath(directory + "\\NFAdd.c") + "\"");
    EXPECT_TRUE(page.visualCppButton()->isEnabled());

    QTreeWidget* pc = page.trees()->pcTree();
    QTreeWidgetItem* source = FindItem(pc, "IFNFAdd.c");
    QTreeWidgetItem* folder = FindItem(pc, "Source Files");
    ASSERT_NE(source, nullptr);
    ASSERT_NE(folder, nullptr);
    emit pc->itemDoubleClicked(folder, 0);
    emit pc->itemDoubleClicked(source, 0);
    EXPECT_EQ(launcher.opened,
              (std::vector<std::vector<std::string>>{{directory + "\\IFNFAdd.c", directory}}));

    // A PC block has no Code Composer project; a file that is not there is not opened.
    EXPECT_FALSE(page.codeComposerButton()->isEnabled());
    emit pc->itemDoubleClicked(FindItem(pc, "NFAdd.rc"), 0);
    EXPECT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{directory + "/NFAdd.rc does not exist: it has not been "
                                                   "generated."});
}

}  // namespace
}  // namespace bw

#include "qt_launcher_test.moc"
