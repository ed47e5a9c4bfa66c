// The Tools dialog: where the completion page's programs are, shown from and
// written into the settings, each field with Browse, a refusal that names the
// dialog and the field, and a question before edits are thrown away.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "definition/settings_rules.h"
#include "launch/build_launch.h"
#include "wizard/finish.h"
#include "wizard/generate.h"
#include "wizard/tools_dialog.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

constexpr const char* MSDEV = "C:\\VS\\Common\\MSDev98\\Bin\\MSDEV.EXE";

class ToolsDialogTest : public WizardFixture {
protected:
    std::string Setting(const char* name) { return settings.read(setting::SECTION, name, ""); }

    static QPushButton* BrowseBeside(QLineEdit* field) {
        // The Browse buttons follow their fields in the dialog's order.
        for (QWidget* next = field->nextInFocusChain(); next != field;
             next = next->nextInFocusChain()) {
            if (auto* button = qobject_cast<QPushButton*>(next)) {
                return button;
            }
        }
        return nullptr;
    }
};

TEST_F(ToolsDialogTest, ShowsTheSettingsAndWritesWhatIsChosenOnOk) {
    settings.write(setting::SECTION, setting::MSDEV_PATH, MSDEV);
    settings.write(setting::SECTION, setting::CODE_COMPOSER_PATH, "C:\\ti\\cc_app.exe");
    context.toolsRunThroughWine = true;
    CToolsDialog dialog(context);
    EXPECT_EQ(dialog.windowTitle(), "Tools");
    EXPECT_EQ(dialog.visualCppField()->text(), "C:\\VS");
    EXPECT_EQ(dialog.codeComposerField()->text(), "C:\\ti\\cc_app.exe");
    ASSERT_NE(dialog.winePrefixField(), nullptr);
    EXPECT_EQ(dialog.winePrefixField()->text(), "");

    dialogs.answers = {"D:\\Microsoft Visual Studio", "D:\\ti\\cc_app.exe", "/home/u/tools"};
    BrowseBeside(dialog.visualCppField())->click();
    BrowseBeside(dialog.codeComposerField())->click();
    BrowseBeside(dialog.winePrefixField())->click();
    EXPECT_EQ(
        dialogs.chooserTitles,
        (std::vector<std::string>{"Visual C++ folder", "Code Composer Studio", "Wine folder"}));
    EXPECT_EQ(dialogs.chooserStartFolders.at(0), "C:\\");  // where the setting was
    dialog.show();
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Setting(setting::MSDEV_PATH),
              "D:\\Microsoft Visual Studio\\Common\\MSDev98\\Bin\\MSDEV.EXE");
    EXPECT_EQ(Setting(setting::CODE_COMPOSER_PATH), "D:\\ti\\cc_app.exe");
    EXPECT_EQ(Setting(setting::WINE_PREFIX), "/home/u/tools");
    EXPECT_TRUE(prompts.messages.empty());

    // An emptied field unsets its program.
    CToolsDialog again(context);
    EXPECT_EQ(again.visualCppField()->text(), "D:\\Microsoft Visual Studio");
    again.visualCppField()->clear();
    again.show();
    again.okButton()->click();
    EXPECT_EQ(Setting(setting::MSDEV_PATH), "");
}

// A folder written with "/" gets the IDE's path with "/" too.
TEST_F(ToolsDialogTest, TheIdesPathTakesTheFoldersSeparator) {
    EXPECT_EQ(MsdevInVisualStudio("/opt/vs/"), "/opt/vs/Common/MSDev98/Bin/MSDEV.EXE");
    EXPECT_EQ(MsdevInVisualStudio("C:\\VS"), "C:\\VS\\Common\\MSDev98\\Bin\\MSDEV.EXE");
}

// A field that names nothing usable keeps the dialog open with the focus on
// it, and the message names the dialog, the field and the value.
TEST_F(ToolsDialogTest, OkRefusesAFieldThatNamesNothingUsable) {
    context.toolsRunThroughWine = true;
    CToolsDialog dialog(context);
    dialog.show();
    dialog.activateWindow();
    launcher.missingPrograms = {"C:\\Nothing\\VC98\\Bin\\NMAKE.EXE", "C:\\ti\\none.exe"};
    dialog.visualCppField()->setText(QStringLiteral("C:\\Nothing"));
    dialog.codeComposerField()->setText(QStringLiteral("C:\\ti\\none.exe"));
    dialog.winePrefixField()->setText(QStringLiteral("relative/prefix"));
    const std::vector<std::string> refusals = {
        "The Tools dialog's Visual C++ folder, C:\\Nothing, holds no VC98\\Bin\\NMAKE.EXE: choose "
        "the Visual C++ 6 folder that holds VC98 and Common.",
        "The Tools dialog's Code Composer Studio, C:\\ti\\none.exe, is not there: choose its "
        "program.",
        "The Tools dialog's Wine folder, relative/prefix, is not a full path: it must begin with "
        "/."};
    const std::vector<QLineEdit*> fields = {dialog.visualCppField(), dialog.codeComposerField(),
                                            dialog.winePrefixField()};
    for (size_t i = 0; i < fields.size(); ++i) {
        prompts.messages.clear();
        dialog.okButton()->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(prompts.messages, std::vector<std::string>{refusals[i]});
        EXPECT_EQ(dialog.focusWidget(), fields[i]);
        fields[i]->clear();
    }
    dialog.okButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ToolsDialogTest, EscapeAfterAnEditAsksBeforeThrowingItAway) {
    std::vector<std::string> asked;
    bool discard = false;
    context.askToDiscard = [&](const std::string& question) {
        asked.push_back(question);
        return discard;
    };
    CToolsDialog dialog(context);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);  // nothing typed: no question
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(asked.empty());

    dialog.show();
    dialog.codeComposerField()->setText(QStringLiteral("C:\\ti\\cc_app.exe"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    discard = true;
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(asked, std::vector<std::string>(2, "Discard the changes to the tools?"));
    EXPECT_EQ(Setting(setting::CODE_COMPOSER_PATH), "");
}

// Wine's folder is offered only where the tools run through it.
TEST_F(ToolsDialogTest, TheWineFolderIsOfferedOnlyWhereWineRunsTheTools) {
    context.toolsRunThroughWine = false;
    EXPECT_EQ(CToolsDialog(context).winePrefixField(), nullptr);
}

TEST_F(ToolsDialogTest, TheCompletionPagesToolsButtonOpensIt) {
    OpenDescribedBlock();
    NextUntil(GeneratePage);
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    QString title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CToolsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        dialog->reject();
    });
    Wizard().finishPage()->toolsButton()->click();
    EXPECT_EQ(title, "Tools");
}

}  // namespace
}  // namespace bw
