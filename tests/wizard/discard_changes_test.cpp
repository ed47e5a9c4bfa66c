// Work is not lost by a stray key: leaving the wizard or beginning another
// block asks first when the definition has changed since it was opened,
// created or saved by a run.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "definition/type_codes.h"
#include "wizard/default_value_field.h"
#include "wizard/description_dialog.h"
#include "wizard/generate.h"
#include "wizard/item_dialogs.h"
#include "wizard/local_array_info.h"
#include "wizard/open_file.h"
#include "wizard/parameter_info.h"
#include "wizard/persistant_info.h"
#include "wizard/type_radio_group.h"
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

// One edit as the user makes it, on the page it belongs to.
struct PageEdit {
    const char* what;
    int page;
    std::function<void(CWizardPage&)> edit;
};

template <typename T>
T* Find(CWizardPage& page, const char* name) {
    T* found = page.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void Type(QWidget* field, const QString& text) {
    field->setFocus();
    QTest::keyClicks(field, text);
}

// The parameter page's dialogs, answered OK after the given change.
void AnswerDialogs(CWizardPage& page, const std::function<void(QDialog&)>& change) {
    static_cast<CParameterInfo&>(page).setDialogRunner([change](QDialog& dialog) {
        change(dialog);
        return int(QDialog::Accepted);
    });
}

const std::vector<PageEdit>& EveryKindOfEdit() {
    static const std::vector<PageEdit> edits = {
        {"menu name", VisibleInfoPage,
         [](CWizardPage& p) { Type(Find<QLineEdit>(p, "menuName"), "x"); }},
        {"detailed description", VisibleInfoPage,
         [](CWizardPage& p) { Type(Find<QPlainTextEdit>(p, "longDescription"), "more"); }},
        {"help file", FileInfoPage,
         [](CWizardPage& p) { Type(Find<QLineEdit>(p, "helpFilename"), "x"); }},
        {"include path", FileInfoPage,
         [](CWizardPage& p) { Type(Find<QLineEdit>(p, "includePath"), "/inc"); }},
        {"a precision", DataInfoPage,
         [](CWizardPage& p) { Find<QCheckBox>(p, "double")->click(); }},
        {"company", RevisionInfoPage,
         [](CWizardPage& p) { Type(Find<QLineEdit>(p, "companyName"), "Acme"); }},
        {"input count", IOInfoPage,
         [](CWizardPage& p) {
             auto* inputs = Find<QSpinBox>(p, "inputCount");
             inputs->setFocus();
             inputs->stepUp();
         }},
        {"channel label", IOInfoPage,
         [](CWizardPage& p) { Type(Find<QLineEdit>(p, "channelLabel"), "left"); }},
        {"channel dimension", IOInfoPage,
         [](CWizardPage& p) { Type(Find<QLineEdit>(p, "channelDimension"), "4"); }},
        {"parameter name", ParameterInfoPage,
         [](CWizardPage& p) { Type(static_cast<CRecordListPage&>(p).nameEdit(), "2"); }},
        {"parameter type", ParameterInfoPage,
         [](CWizardPage& p) {
             static_cast<CParameterInfo&>(p).typeGroup()->button(TYPE_FLOAT)->click();
         }},
        {"new parameter", ParameterInfoPage,
         [](CWizardPage& p) { static_cast<CRecordListPage&>(p).newButton()->click(); }},
        {"description dialog", ParameterInfoPage,
         [](CWizardPage& p) {
             AnswerDialogs(p, [](QDialog& d) {
                 static_cast<CDescriptionDialog&>(d).edit()->setPlainText("Gain in dB");
             });
             static_cast<CParameterInfo&>(p).descriptionButton()->click();
         }},
        {"item dialog", ParameterInfoPage,
         [](CWizardPage& p) {
             AnswerDialogs(p, [](QDialog& d) {
                 auto& items = static_cast<CItemConfigDialog&>(d);
                 items.list()->setCurrentRow(0);
                 items.removeItem();
             });
             static_cast<CParameterInfo&>(p).configureButton()->click();
         }},
        {"array size", LocalArrayInfoPage,
         [](CWizardPage& p) { Type(static_cast<CLocalArrayInfo&>(p).sizeEdit(), "0"); }},
        {"persistent default", PersistantInfoPage,
         [](CWizardPage& p) {
             Type(static_cast<CPersistantInfo&>(p).defaultField()->numberEdit(), "5");
         }},
    };
    return edits;
}

// A block with a record in every pool and two inputs, so every field is there.
void WithEveryRecord(BLOCKINFO& b) {
    b.NumInputs = 2;
    b.NumOutputs = 1;
    b.NumParameters = 1;
    b.Parameters[0].ParameterName = "gain";
    b.Parameters[0].ParameterType = TYPE_COMBO_BOX;
    b.Parameters[0].ParameterItems = {"Low", "High"};
    b.Parameters[0].ParameterDefault = "Low";
    b.NumLocalArrays = 1;
    b.LocalArrays[0].ArrayName = "history";
    b.LocalArrays[0].LocalSize = "16";
    b.NumPersistants = 1;
    b.Persistants[0].PersistantName = "count";
    b.Persistants[0].PersistantDefault = "1";
}

TEST_F(DiscardChangesTest, EveryEditOnEveryPageAndDialogIsAskedAboutBeforeItIsLost) {
    for (const PageEdit& edit : EveryKindOfEdit()) {
        SCOPED_TRACE(edit.what);
        wizard.reset();
        prompts.questions.clear();
        OpenDescribedBlock(WithEveryRecord);
        NextUntil(edit.page);
        edit.edit(*Wizard().wizardPage(edit.page));

        // Escape, answered No: the wizard and the edit stay.
        prompts.yesNoAnswers = {false};
        QTest::keyClick(&Wizard(), Qt::Key_Escape);
        ASSERT_EQ(prompts.questions.size(), 1u);
        EXPECT_TRUE(Wizard().isVisible());
        EXPECT_EQ(Wizard().currentId(), edit.page);

        // Left by Back first, the edit still counts.
        Back();
        Wizard().reject();
        EXPECT_EQ(prompts.questions.size(), 2u);
        EXPECT_FALSE(Wizard().isVisible());
    }
}

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

TEST_F(DiscardChangesTest, Page1OffersToContinueWithTheBlockInHand) {
    Wizard();
    EXPECT_FALSE(Wizard().openFilePage()->continueButton()->isVisible());
    OpenDescribedBlock();
    RenameOnPage3(QStringLiteral("NTSum"));
    Back();
    Back();
    ASSERT_EQ(Wizard().currentId(), OpenFilePage);
    QPushButton* continueButton = Wizard().openFilePage()->continueButton();
    ASSERT_TRUE(continueButton->isVisible());
    EXPECT_EQ(continueButton->text(), "&Continue with block NTSum");

    prompts.yesNoAnswers = {false};
    Next();  // "&New >", answered No
    ASSERT_EQ(Wizard().currentId(), OpenFilePage);
    continueButton->click();
    EXPECT_EQ(Wizard().currentId(), VisibleInfoPage);
    EXPECT_EQ(block.BlockName, "NTSum");
    EXPECT_EQ(block.MenuName, "Add");
    EXPECT_EQ(prompts.questions.size(), 1u);  // continuing asks nothing

    // Open, answered Yes and then cancelled: there is no block to continue with.
    Back();
    ASSERT_EQ(Wizard().currentId(), OpenFilePage);
    Open();
    EXPECT_TRUE(block.BlockName.empty());
    EXPECT_FALSE(continueButton->isVisible());
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
