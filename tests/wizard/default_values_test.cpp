// The default fields of the parameter and persistent-variable pages refuse
// what the value rules refuse: marked while typed, and Next stays on the
// page with the default's own control focused; the filter dialog keeps OK
// from a caption or filter holding the "|" of the stored list.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "wizard/cwizard.h"
#include "wizard/default_value_field.h"
#include "wizard/item_dialogs.h"
#include "wizard/parameter_info.h"
#include "wizard/persistant_info.h"
#include "wizard/type_radio_group.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class DefaultValuesTest : public WizardFixture {
protected:
    void WalkTo(int id, const std::function<void(BLOCKINFO&)>& customise) {
        OpenDescribedBlock(customise);
        NextUntil(id);
        ASSERT_EQ(Wizard().currentId(), id);
    }

    static void Retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
};

TEST_F(DefaultValuesTest, ADecimalCommaIsMarkedWhileTypedAndNextFocusesTheDefault) {
    WalkTo(ParameterInfoPage, [](BLOCKINFO& b) {
        b.NumParameters = 2;
        b.Parameters[0].ParameterName = "Offset";
        b.Parameters[1].ParameterName = "Gain";
        b.Parameters[1].ParameterType = TYPE_FLOAT;
        b.Parameters[1].ParameterDefault = "1.5";
    });
    auto* page = static_cast<CParameterInfo*>(Wizard().currentPage());
    page->recordList()->setCurrentRow(1);
    QLineEdit* edit = page->defaultField()->numberEdit();
    EXPECT_TRUE(edit->toolTip().isEmpty());

    Retype(edit, QStringLiteral("1,5"));
    EXPECT_EQ(edit->toolTip(), "\"1,5\" is not a number: use a point, \"1.5\".");
    page->recordList()->setCurrentRow(0);  // the record is stored as typed
    Next();
    EXPECT_EQ(Wizard().currentId(), ParameterInfoPage);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0],
              "The default of the parameter \"Gain\": \"1,5\" is not a number: use a point, "
              "\"1.5\".");
    EXPECT_EQ(page->shownIndex(), 1);
    EXPECT_EQ(Wizard().focusWidget(), edit);

    Retype(edit, QStringLiteral("1.5"));
    EXPECT_TRUE(edit->toolTip().isEmpty());
    Next();
    EXPECT_EQ(Wizard().currentId(), LocalArrayInfoPage);
}

TEST_F(DefaultValuesTest, TheMarkFollowsTheTypeChosen) {
    WalkTo(ParameterInfoPage, [](BLOCKINFO& b) {
        b.NumParameters = 1;
        b.Parameters[0].ParameterName = "Level";
        b.Parameters[0].ParameterDefault = "300";
    });
    auto* page = static_cast<CParameterInfo*>(Wizard().currentPage());
    QLineEdit* edit = page->defaultField()->numberEdit();
    EXPECT_TRUE(edit->toolTip().isEmpty());
    page->typeGroup()->button(TYPE_BYTE)->click();
    EXPECT_NE(edit->toolTip().indexOf("outside the range of the type Byte"), -1)
        << edit->toolTip().toStdString();
    page->typeGroup()->button(TYPE_SHORT)->click();
    EXPECT_TRUE(edit->toolTip().isEmpty());
}

TEST_F(DefaultValuesTest, ARadioPairRefusesTheOneItemItLists) {
    WalkTo(ParameterInfoPage, [](BLOCKINFO& b) {
        b.NumParameters = 1;
        b.Parameters[0].ParameterName = "Mode";
        b.Parameters[0].ParameterType = TYPE_RADIO_BUTTONS;
        b.Parameters[0].ParameterItems = {"Fast"};
        b.Parameters[0].ParameterDefault = "Fast";
    });
    auto* page = static_cast<CParameterInfo*>(Wizard().currentPage());
    QComboBox* list = page->defaultField()->itemList();
    EXPECT_NE(list->toolTip().indexOf("neither \"Yes\" nor \"No\""), -1)
        << list->toolTip().toStdString();
    Next();
    EXPECT_EQ(Wizard().currentId(), ParameterInfoPage);
    EXPECT_EQ(Wizard().focusWidget(), list);
}

TEST_F(DefaultValuesTest, ThePersistentPageRefusesAValueBeyondItsType) {
    WalkTo(PersistantInfoPage, [](BLOCKINFO& b) {
        b.NumPersistants = 1;
        b.Persistants[0].PersistantName = "count";
        b.Persistants[0].PersistantType = TYPE_SHORT;
        b.Persistants[0].PersistantDefault = "1";
    });
    auto* page = static_cast<CPersistantInfo*>(Wizard().currentPage());
    QLineEdit* edit = page->defaultField()->numberEdit();
    Retype(edit, QStringLiteral("40000"));
    EXPECT_FALSE(edit->toolTip().isEmpty());
    Next();
    EXPECT_EQ(Wizard().currentId(), PersistantInfoPage);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("\"40000\" is outside the range of the type Short"),
              std::string::npos)
        << prompts.messages[0];
    EXPECT_EQ(Wizard().focusWidget(), edit);
    // Other takes a C expression of its type, checked by nobody here.
    page->typeGroup()->button(TYPE_OTHER)->click();
    EXPECT_TRUE(page->defaultField()->textEdit()->toolTip().isEmpty());
}

TEST(FilterDialogTest, ABarInTheCaptionOrFilterKeepsOkDisabledAndMarksTheField) {
    CFilterDialog dialog;
    QTest::keyClicks(dialog.captionEdit(), QStringLiteral("Caption|Pipe"));
    QTest::keyClicks(dialog.filterEdit(), QStringLiteral("*.a"));
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_NE(dialog.captionEdit()->toolTip().indexOf("\"|\""), -1);
    EXPECT_TRUE(dialog.filterEdit()->toolTip().isEmpty());

    dialog.captionEdit()->setText(QStringLiteral("Caption"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_TRUE(dialog.captionEdit()->toolTip().isEmpty());
    QTest::keyClicks(dialog.filterEdit(), QStringLiteral("|*.b"));
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.filterEdit()->toolTip().isEmpty());
}

}  // namespace
}  // namespace bw
