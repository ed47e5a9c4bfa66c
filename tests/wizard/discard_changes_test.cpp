// Work is not lost by a stray key: leaving the wizard or beginning another
// block asks first when the definition has changed since it was opened,
// created or saved by a run.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <deque>
#include <memory>

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

// A field that Back could not store counts as an edit: Escape asks the
// discard question alone, without the field's refusal before it.
TEST_F(DiscardChangesTest, EscapeWithARefusedFieldAsksOnlyTheQuestion) {
    OpenDescribedBlock();
    NextUntil(IOInfoPage);
    auto* inputs = Wizard().currentPage()->findChild<QSpinBox*>(QStringLiteral("inputCount"));
    ASSERT_NE(inputs, nullptr);
    inputs->setFocus();
    inputs->selectAll();
    QTest::keyClicks(inputs, QStringLiteral("130"));
    prompts.yesNoAnswers = {false};
    QTest::keyClick(&Wizard(), Qt::Key_Escape);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages[0];
    EXPECT_EQ(prompts.questions, std::vector<std::string>{"Discard the changes to block NTAdd?"});
    EXPECT_TRUE(Wizard().isVisible());
    EXPECT_EQ(inputs->text(), "130");
    Button(QWizard::CancelButton)->click();  // Yes: gone
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(Wizard().isVisible());
}

// Each dialog of the parameter page, edited and then left by Escape or
// Cancel: it asks, No keeps it open with the edit, Yes throws the edit away.
// Left unedited it closes without a question.
struct DialogEdit {
    const char* what;
    std::function<std::unique_ptr<CEditDialog>()> make;
    std::function<void(CEditDialog&)> edit;
    const char* question;
};

std::vector<DialogEdit> EveryDialogEdit() {
    return {
        {"description", [] { return std::make_unique<CDescriptionDialog>("gain", "Linear gain"); },
         [](CEditDialog& d) { Type(static_cast<CDescriptionDialog&>(d).edit(), " in dB"); },
         "Discard the changes to the description?"},
        {"combo box items",
         [] {
             return std::make_unique<CItemConfigDialog>("mode - Combo Box Configuration",
                                                        QStringList{"Low", "High"}, ExecDialog);
         },
         [](CEditDialog& d) {
             auto& items = static_cast<CItemConfigDialog&>(d);
             items.list()->setCurrentRow(1);
             items.moveUp();
         },
         "Discard the changes to the items?"},
        {"file filters",
         [] {
             return std::make_unique<CBrowseBoxConfigDialog>("file - Browse Box Configuration",
                                                             QStringList{"Text|*.txt", "All|*.*"},
                                                             ExecDialog);
         },
         [](CEditDialog& d) {
             auto& filters = static_cast<CBrowseBoxConfigDialog&>(d);
             filters.captionList()->setCurrentRow(0);
             filters.removeFilter();
         },
         "Discard the changes to the file filters?"},
        {"new item", [] { return std::make_unique<CItemTextDialog>("Add New Item", ""); },
         [](CEditDialog& d) { Type(static_cast<CItemTextDialog&>(d).edit(), "Medium"); },
         "Discard the new item?"},
        {"modified item", [] { return std::make_unique<CItemTextDialog>("Modify Item", "Low"); },
         [](CEditDialog& d) { Type(static_cast<CItemTextDialog&>(d).edit(), "er"); },
         "Discard the changes to the item?"},
        {"new filter", [] { return std::make_unique<CFilterDialog>(); },
         [](CEditDialog& d) { Type(static_cast<CFilterDialog&>(d).captionEdit(), "Text"); },
         "Discard the new filter?"},
    };
}

TEST(DialogDiscardTest, EveryDialogAsksBeforeEscapeOrCancelThrowsAnEditAway) {
    for (const DialogEdit& edit : EveryDialogEdit()) {
        for (const bool byEscape : {true, false}) {
            SCOPED_TRACE(std::string(edit.what) + (byEscape ? ", Escape" : ", Cancel"));
            std::unique_ptr<CEditDialog> dialog = edit.make();
            std::vector<QString> asked;
            std::deque<bool> answers;
            dialog->setDiscardAsker([&](QWidget& over, const QString& question) {
                EXPECT_EQ(&over, dialog.get());
                asked.push_back(question);
                const bool answer = answers.front();
                answers.pop_front();
                return answer;
            });
            auto* cancel = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
            const auto leave = [&] {
                if (byEscape) {
                    QTest::keyClick(dialog.get(), Qt::Key_Escape);
                } else {
                    cancel->click();
                }
            };
            dialog->show();
            leave();  // nothing typed yet: no question
            EXPECT_TRUE(asked.empty());
            EXPECT_FALSE(dialog->isVisible());
            EXPECT_EQ(dialog->result(), QDialog::Rejected);

            dialog->show();
            edit.edit(*dialog);
            answers = {false, true};
            leave();
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked[0], QString::fromUtf8(edit.question));
            EXPECT_TRUE(dialog->isVisible());  // No: still open, edit kept
            leave();
            EXPECT_EQ(asked.size(), 2u);
            EXPECT_FALSE(dialog->isVisible());
            EXPECT_EQ(dialog->result(), QDialog::Rejected);
        }
    }
}

// A dialog opened from an item dialog asks as the item dialog does.
TEST(DialogDiscardTest, TheAddDialogsAskAsTheDialogThatOpenedThem) {
    int askedOver = 0;
    const CEditDialog::DiscardAsker ask = [&](QWidget&, const QString&) {
        ++askedOver;
        return false;
    };
    const DialogRunner typeThenEscape = [](QDialog& d) {
        d.show();
        for (QLineEdit* field : d.findChildren<QLineEdit*>()) {
            Type(field, "x");
        }
        QTest::keyClick(&d, Qt::Key_Escape);  // answered No: still open
        return int(d.isVisible() ? QDialog::Accepted : QDialog::Rejected);
    };
    CItemConfigDialog items("mode - Combo Box Configuration", {"Low"}, typeThenEscape);
    items.setDiscardAsker(ask);
    items.addItem();
    EXPECT_EQ(askedOver, 1);
    EXPECT_EQ(items.items(), (QStringList{"Low", "x"}));
    CBrowseBoxConfigDialog filters("file - Browse Box Configuration", {}, typeThenEscape);
    filters.setDiscardAsker(ask);
    filters.addFilter();
    EXPECT_EQ(askedOver, 2);
    EXPECT_EQ(filters.items(), QStringList{"x|x"});
}

}  // namespace
}  // namespace bw
