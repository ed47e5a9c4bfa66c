// Programs started from the completion page: the window keeps working while
// they run and Cancel stops them; Wine's first set-up is asked about first.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tool_runs_fixture.h"

namespace bw {
namespace {

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
// nothing (About would hold the window); after it the focus is back on the
// button pressed.
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

}  // namespace
}  // namespace bw
