// The parameter page: New on an empty pool, the default control by type, the
// description and item dialogs, names, deletion and leaving the page.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/records.h"
#include "wizard/default_value_field.h"
#include "wizard/description_dialog.h"
#include "wizard/item_dialogs.h"
#include "wizard/parameter_info.h"
#include "wizard/type_radio_group.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

constexpr const char* DUPLICATE =
    "One or more parameters have the same name: parameter 1 and parameter 2 are both named "
    "\"Level\".  Please make sure all parameter names are unique.";

class ParameterPageTest : public WizardFixture {
protected:
    ParameterPageTest() {
        page.setDialogRunner([this](QDialog& dialog) {
            ++dialogsOpened;
            return answer(dialog);
        });
    }

    void Choose(int type) { page.typeGroup()->button(type)->click(); }
    QStringList ListEntries() {
        QStringList entries;
        for (int i = 0; i < page.recordList()->count(); ++i) {
            entries << page.recordList()->item(i)->text();
        }
        return entries;
    }
    void Rename(const QString& name) {
        page.nameEdit()->selectAll();
        QTest::keyClicks(page.nameEdit(), name);
    }

    CParameterInfo page{context};
    // Answers every dialog the page opens; the default cancels.
    std::function<int(QDialog&)> answer = [](QDialog&) { return int(QDialog::Rejected); };
    int dialogsOpened = 0;
};

TEST_F(ParameterPageTest, OnAnEmptyPageOnlyNewWorksAndNewShowsParameter0) {
    page.load();
    EXPECT_EQ(page.shownIndex(), -1);
    EXPECT_TRUE(page.newButton()->isEnabled());
    for (QWidget* control :
         {static_cast<QWidget*>(page.deleteButton()), static_cast<QWidget*>(page.nameEdit()),
          static_cast<QWidget*>(page.typeGroup()), static_cast<QWidget*>(page.defaultField()),
          static_cast<QWidget*>(page.descriptionButton()),
          static_cast<QWidget*>(page.configureButton())}) {
        EXPECT_FALSE(control->isEnabled()) << control->metaObject()->className();
    }
    EXPECT_TRUE(page.store(true));

    page.newButton()->click();
    ASSERT_EQ(block.NumParameters, 1);
    EXPECT_EQ(ListEntries(), QStringList{"Parameter0"});
    EXPECT_EQ(page.recordList()->currentRow(), 0);
    EXPECT_EQ(page.nameEdit()->text(), "Parameter0");
    EXPECT_TRUE(page.typeGroup()->button(TYPE_INTEGER)->isChecked());
    EXPECT_EQ(page.defaultField()->kind(), DefaultValueField::Kind::Number);
    EXPECT_EQ(page.defaultField()->value(), "0");
    EXPECT_TRUE(page.deleteButton()->isEnabled());
    EXPECT_TRUE(page.descriptionButton()->isEnabled());
    EXPECT_FALSE(page.configureButton()->isEnabled());
}

TEST_F(ParameterPageTest, IntegerToCharToCheckBoxChangesTheDefaultControl) {
    AddParameter(block, "Gain", TYPE_INTEGER, "42");
    page.load();
    Choose(TYPE_CHAR);
    EXPECT_EQ(page.defaultField()->kind(), DefaultValueField::Kind::Char);
    EXPECT_EQ(page.defaultField()->value(), "4");
    QTest::keyClicks(page.defaultField()->textEdit(), "xyz");
    EXPECT_EQ(page.defaultField()->value(), "4");  // one character only

    Choose(TYPE_CHECK_BOX);
    EXPECT_EQ(page.defaultField()->kind(), DefaultValueField::Kind::Items);
    QComboBox* list = page.defaultField()->itemList();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "Checked");
    EXPECT_EQ(list->itemText(1), "Unchecked");
    EXPECT_TRUE(page.configureButton()->isEnabled());
    page.configureButton()->click();  // nothing to configure for a check box
    EXPECT_EQ(dialogsOpened, 0);

    list->setCurrentIndex(1);
    ASSERT_TRUE(page.store(true));
    EXPECT_EQ(block.Parameters[0].ParameterType, TYPE_CHECK_BOX);
    EXPECT_EQ(block.Parameters[0].ParameterDefault, "Unchecked");
}

TEST_F(ParameterPageTest, DefaultsByTypeAndPlaceholders) {
    AddParameter(block, "Count", TYPE_LONG, "");
    AddParameter(block, "Mode", TYPE_RADIO_BUTTONS, "Fast");
    AddParameter(block, "Shape", TYPE_COMBO_BOX, "Square");
    block.Parameters[2].ParameterItems = {"Sine", "Square"};
    page.load();
    EXPECT_EQ(page.defaultField()->value(), "1");  // an empty number shows as 1

    page.recordList()->setCurrentRow(1);  // Fast is not among Yes and No
    EXPECT_EQ(page.defaultField()->value(), "Yes");
    page.recordList()->setCurrentRow(2);
    EXPECT_EQ(page.defaultField()->value(), "Square");
    Choose(TYPE_TEXT);
    EXPECT_EQ(page.defaultField()->kind(), DefaultValueField::Kind::Text);
    EXPECT_FALSE(page.configureButton()->isEnabled());
    Choose(TYPE_COMBO_BOX);
    EXPECT_EQ(page.defaultField()->value(), "Square");

    ASSERT_TRUE(page.store(true));
    EXPECT_EQ(block.Parameters[0].ParameterDefault, "1");
    EXPECT_EQ(block.Parameters[1].ParameterDefault, "Yes");
    EXPECT_EQ(block.Parameters[2].ParameterDefault, "Square");
    EXPECT_EQ(block.Parameters[2].ParameterType, TYPE_COMBO_BOX);
}

TEST_F(ParameterPageTest, FileOpenFilterIsStoredAsCaptionBarFilter) {
    page.load();
    page.newButton()->click();
    Rename("Input File");
    Choose(TYPE_FILE_OPEN);
    EXPECT_EQ(page.defaultField()->kind(), DefaultValueField::Kind::Text);
    ASSERT_TRUE(page.configureButton()->isEnabled());

    QString caption;
    answer = [&](QDialog& dialog) {
        if (auto* browse = qobject_cast<CBrowseBoxConfigDialog*>(&dialog)) {
            caption = browse->windowTitle();
            browse->addButton()->click();
            return int(QDialog::Accepted);
        }
        auto* filter = qobject_cast<CFilterDialog*>(&dialog);
        EXPECT_NE(filter, nullptr);
        QTest::keyClicks(filter->captionEdit(), "Text Files");
        EXPECT_FALSE(filter->okButton()->isEnabled());
        QTest::keyClicks(filter->filterEdit(), "*.txt");
        EXPECT_TRUE(filter->okButton()->isEnabled());
        return int(QDialog::Accepted);
    };
    page.configureButton()->click();
    EXPECT_EQ(caption, "Input File - Browse Box Configuration");
    EXPECT_EQ(block.Parameters[0].ParameterItems, std::vector<std::string>{"Text Files|*.txt"});
}

TEST_F(ParameterPageTest, ComboItemsChangeOnlyOnOkAndFeedTheDefaultList) {
    AddParameter(block, "Shape", TYPE_COMBO_BOX, "Sine");
    block.Parameters[0].ParameterItems = {"Sine", "Square"};
    page.load();

    QString caption;
    answer = [&](QDialog& dialog) {
        auto* config = qobject_cast<CItemConfigDialog*>(&dialog);
        if (config == nullptr) {  // "Add New Item"
            auto* item = qobject_cast<CItemTextDialog*>(&dialog);
            EXPECT_EQ(item->windowTitle(), "Add New Item");
            item->edit()->setText("Triangle");
            return int(QDialog::Accepted);
        }
        caption = config->windowTitle();
        config->addButton()->click();
        config->list()->setCurrentRow(0);
        config->removeButton()->click();
        return int(QDialog::Rejected);
    };
    page.configureButton()->click();
    EXPECT_EQ(caption, "Shape - Combo Box Configuration");
    EXPECT_EQ(block.Parameters[0].ParameterItems, (std::vector<std::string>{"Sine", "Square"}));

    answer = [&](QDialog& dialog) {
        if (auto* config = qobject_cast<CItemConfigDialog*>(&dialog)) {
            config->addButton()->click();
            config->list()->setCurrentRow(0);
            config->removeButton()->click();
            return int(QDialog::Accepted);
        }
        static_cast<CItemTextDialog&>(dialog).edit()->setText("Triangle");
        return int(QDialog::Accepted);
    };
    page.configureButton()->click();
    EXPECT_EQ(block.Parameters[0].ParameterItems, (std::vector<std::string>{"Square", "Triangle"}));
    // Sine is gone, so the list offers the new items and selects the first.
    EXPECT_EQ(page.defaultField()->itemList()->count(), 2);
    EXPECT_EQ(page.defaultField()->value(), "Square");

    Choose(TYPE_RADIO_BUTTONS);
    answer = [&](QDialog& dialog) {
        caption = dialog.windowTitle();
        return int(QDialog::Rejected);
    };
    page.configureButton()->click();
    EXPECT_EQ(caption, "Shape - Radio Button Configuration");
}

TEST_F(ParameterPageTest, DescriptionIsKeptOnlyOnOk) {
    AddParameter(block, "Gain", TYPE_FLOAT, "1.5");
    block.Parameters[0].ParameterDesc = "Line one\r\nLine two";
    page.load();
    answer = [](QDialog& dialog) {
        auto& description = static_cast<CDescriptionDialog&>(dialog);
        EXPECT_EQ(description.windowTitle(), "Description for Gain");
        EXPECT_EQ(description.edit()->toPlainText(), "Line one\nLine two");
        description.edit()->setPlainText("Changed");
        return int(QDialog::Rejected);
    };
    page.descriptionButton()->click();
    EXPECT_EQ(block.Parameters[0].ParameterDesc, "Line one\r\nLine two");

    answer = [](QDialog& dialog) {
        static_cast<CDescriptionDialog&>(dialog).edit()->setPlainText("Amplifies\nthe input");
        return int(QDialog::Accepted);
    };
    page.descriptionButton()->click();
    EXPECT_EQ(block.Parameters[0].ParameterDesc, "Amplifies\r\nthe input");
}

TEST_F(ParameterPageTest, TheNameShowsTheIdentifierOfTheCodeWhileTyping) {
    AddParameter(block, "Gain", TYPE_FLOAT, "1.5");
    page.load();
    EXPECT_EQ(page.identifierLabel()->text(), "In the code: _Gain");
    Rename("my gain!");
    EXPECT_EQ(page.identifierLabel()->text(), "In the code: _mygain");
}

TEST_F(ParameterPageTest, NamesFollowTheEditAndStoreWithoutTrailingSpaces) {
    AddParameter(block, "Gain", TYPE_FLOAT, "1.5");
    AddParameter(block, "Offset", TYPE_FLOAT, "0");
    page.load();
    Rename("Level  ");
    EXPECT_EQ(ListEntries(), (QStringList{"Level  ", "Offset"}));
    EXPECT_EQ(page.recordList()->currentRow(), 0);
    page.defaultField()->numberEdit()->setText("2.5");

    page.recordList()->setCurrentRow(1);  // stores the record shown first
    EXPECT_EQ(block.Parameters[0].ParameterName, "Level");
    EXPECT_EQ(block.Parameters[0].ParameterDefault, "2.5");
    EXPECT_EQ(page.nameEdit()->text(), "Offset");

    Rename("Level");
    EXPECT_FALSE(page.store(true));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], DUPLICATE);
    EXPECT_TRUE(page.store(false));  // Back stores and leaves all the same
    EXPECT_EQ(block.Parameters[1].ParameterName, "Level");

    // Names are compared with their case, but these two would give the
    // dialog one control name.
    Rename("level");
    EXPECT_FALSE(page.store(true));
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_NE(prompts.messages[1].find("dialog control name IDC_STRING_LEVEL"), std::string::npos);
    EXPECT_EQ(page.shownIndex(), 1);
    Rename("Offset");
    EXPECT_TRUE(page.store(true));
}

// The refusal leaves the record being renamed selected, whichever of the
// two it is, so that the correction renames it and not its namesake.
TEST_F(ParameterPageTest, DuplicateNameRefusalKeepsTheRecordBeingEdited) {
    AddParameter(block, "Gain", TYPE_FLOAT, "1.5");
    AddParameter(block, "Level", TYPE_FLOAT, "0");
    AddParameter(block, "Offset", TYPE_FLOAT, "0");
    page.load();
    Rename("Level");
    EXPECT_FALSE(page.store(true));
    EXPECT_EQ(prompts.messages, std::vector<std::string>{DUPLICATE});
    EXPECT_EQ(page.shownIndex(), 0);
    EXPECT_EQ(page.recordList()->currentRow(), 0);
    Rename("Gain 2");
    EXPECT_TRUE(page.store(true));
    EXPECT_EQ(block.Parameters[0].ParameterName, "Gain 2");
    EXPECT_EQ(block.Parameters[1].ParameterName, "Level");

    // Edited elsewhere (the third record shown), the later of the two is shown.
    block.Parameters[1].ParameterName = "Gain 2";
    page.recordList()->setCurrentRow(2);
    EXPECT_FALSE(page.store(true));
    EXPECT_EQ(page.shownIndex(), 1);
}

TEST_F(ParameterPageTest, DeleteKeepsThePlaceOrMovesToTheLast) {
    AddParameter(block, "A", TYPE_INTEGER, "1");
    AddParameter(block, "B", TYPE_CHAR, "b");
    AddParameter(block, "C", TYPE_TEXT, "c");
    page.load();
    page.recordList()->setCurrentRow(1);
    page.deleteButton()->click();
    EXPECT_EQ(block.NumParameters, 2);
    EXPECT_EQ(ListEntries(), (QStringList{"A", "C"}));
    EXPECT_EQ(page.shownIndex(), 1);
    EXPECT_EQ(page.nameEdit()->text(), "C");
    EXPECT_EQ(page.defaultField()->value(), "c");

    page.deleteButton()->click();
    EXPECT_EQ(page.shownIndex(), 0);
    EXPECT_EQ(page.nameEdit()->text(), "A");
    page.deleteButton()->click();
    EXPECT_EQ(block.NumParameters, 0);
    EXPECT_EQ(page.shownIndex(), -1);
    EXPECT_FALSE(page.deleteButton()->isEnabled());
    EXPECT_TRUE(page.store(true));
}

TEST_F(ParameterPageTest, ConstBoxShowsForDspBlocksAndKeepsAStatusOnlyFlag) {
    AddParameter(block, "Gain", TYPE_FLOAT, "1");
    AddParameter(block, "Rate", TYPE_FLOAT, "1");
    block.Parameters[0].ParameterConst = 2;
    block.Parameters[1].ParameterConst = 1;
    page.load();
    EXPECT_TRUE(page.constCheck()->isHidden());
    block.RealTime = 1;
    page.load();
    EXPECT_FALSE(page.constCheck()->isHidden());
    EXPECT_FALSE(page.constCheck()->isChecked());
    page.recordList()->setCurrentRow(1);
    EXPECT_TRUE(page.constCheck()->isChecked());
    page.constCheck()->click();
    ASSERT_TRUE(page.store(true));
    EXPECT_EQ(block.Parameters[0].ParameterConst, 2);
    EXPECT_EQ(block.Parameters[1].ParameterConst, 0);
}

TEST_F(ParameterPageTest, NewAtTheLimitShowsTheMessageAndAddsNothing) {
    for (int i = 0; i < MAX_PARAMETERS; ++i) {
        AddParameter(block, "P", TYPE_INTEGER, "0");
        block.Parameters[static_cast<size_t>(i)].ParameterName = "P" + std::to_string(i);
    }
    page.load();
    page.nameEdit()->setText("First");
    page.newButton()->click();
    EXPECT_EQ(block.NumParameters, MAX_PARAMETERS);
    EXPECT_EQ(block.Parameters[0].ParameterName, "First");  // stored before the attempt
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], PARAMETER_LIMIT_MESSAGE);
    EXPECT_EQ(page.recordList()->count(), MAX_PARAMETERS);
}

}  // namespace
}  // namespace bw
