// Work is not lost by a stray key: leaving the wizard or beginning another
// block asks first when the definition has changed since it was opened,
// created or saved by a run.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "wizard/generate.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class DiscardChangesTest : public WizardFixture {
protected:
    // Types a block file name on page 3 (as the user would, without leaving the page).
    void RenameOnPage3(const QString& name) {
        Next();  // page 2 -> 3
        ASSERT_EQ(Wizard().currentId(), FileInfoPage);
        auto* field = Wizard().currentPage()->findChild<QLineEdit*>(QStringLiteral("blockName"));
        ASSERT_NE(field, nullptr);
        field->selectAll();
        QTest::keyClicks(field, name);
    }
};

TEST_F(DiscardChangesTest, AnUnchangedDefinitionClosesWithoutAQuestion) {
    Wizard();
    Wizard().reject();  // page 1, nothing begun yet
    EXPECT_FALSE(Wizard().isVisible());

    wizard.reset();
    OpenDescribedBlock();
    Next();  // looking through the pages changes nothing
    Next();
    Wizard().reject();
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_FALSE(Wizard().isVisible());
}

TEST_F(DiscardChangesTest, CancelAfterTypingAsksAndNoKeepsTheWizardAndWhatWasTyped) {
    OpenDescribedBlock();
    RenameOnPage3(QStringLiteral("NTSum"));
    prompts.yesNoAnswers = {false};
    Button(QWizard::CancelButton)->click();
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0], "Discard the changes to block NTSum?");
    EXPECT_TRUE(Wizard().isVisible());
    EXPECT_EQ(Wizard().currentId(), FileInfoPage);
    EXPECT_EQ(block.BlockName, "NTSum");

    QTest::keyClick(&Wizard(), Qt::Key_Escape);  // asked again; Yes closes
    EXPECT_EQ(prompts.questions.size(), 2u);
    EXPECT_FALSE(Wizard().isVisible());
}

TEST_F(DiscardChangesTest, NewAndOpenOnPage1AskBeforeReplacingAChangedDefinition) {
    OpenDescribedBlock();
    RenameOnPage3(QStringLiteral("NTSum"));
    Back();
    Back();
    ASSERT_EQ(Wizard().currentId(), OpenFilePage);

    prompts.yesNoAnswers = {false, false};
    Next();  // "&New >", answered No: the page stays, the block is kept
    EXPECT_EQ(Wizard().currentId(), OpenFilePage);
    EXPECT_EQ(block.BlockName, "NTSum");
    const size_t openDialogs = dialogs.openStartFolders.size();
    Open();  // answered No: no Open dialog either
    EXPECT_EQ(dialogs.openStartFolders.size(), openDialogs);
    EXPECT_EQ(block.BlockName, "NTSum");
    ASSERT_EQ(prompts.questions.size(), 2u);

    Next();  // unscripted: Yes, a new block begins
    EXPECT_EQ(Wizard().currentId(), VisibleInfoPage);
    EXPECT_TRUE(block.BlockName.empty());
    Wizard().reject();  // the new block is unchanged
    EXPECT_EQ(prompts.questions.size(), 3u);
    EXPECT_FALSE(Wizard().isVisible());
}

TEST_F(DiscardChangesTest, AGeneratedDefinitionClosesWithoutAQuestion) {
    OpenDescribedBlock();
    RenameOnPage3(QStringLiteral("NTSum"));
    NextUntil(GeneratePage);
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    Wizard().reject();
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_FALSE(Wizard().isVisible());
}

}  // namespace
}  // namespace bw
