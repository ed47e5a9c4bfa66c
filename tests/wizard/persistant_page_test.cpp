// The persistent-variable page: duplicate names through the sheet's Next,
// the other-type field and the default controls.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/records.h"
#include "wizard/default_value_field.h"
#include "wizard/persistant_info.h"
#include "wizard/type_radio_group.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class PersistantPageTest : public WizardFixture {};

TEST_F(PersistantPageTest, TwoVariablesNamedGainKeepNextOnThePage) {
    AddPersistant(block, "gain", TYPE_FLOAT, "1.0");
    AddPersistant(block, "offset", TYPE_FLOAT, "0.0");
    Wizard().setStartId(PersistantInfoPage);
    Wizard().restart();
    ASSERT_EQ(Wizard().currentId(), PersistantInfoPage);
    auto* page = static_cast<CPersistantInfo*>(Wizard().currentPage());
    page->recordList()->setCurrentRow(1);
    page->nameEdit()->selectAll();
    QTest::keyClicks(page->nameEdit(), "gain");

    Next();
    EXPECT_EQ(Wizard().currentId(), PersistantInfoPage);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0],
              "One or more parameters have the same name: persistent variable 1 and "
              "persistent variable 2 are both named \"gain\".  Please make sure all "
              "parameter names are unique.");
    EXPECT_EQ(page->shownIndex(), 1);  // the second is shown, to be renamed
    EXPECT_EQ(block.Persistants[1].PersistantName, "gain");

    page->nameEdit()->selectAll();
    QTest::keyClicks(page->nameEdit(), "bias");
    Next();
    EXPECT_EQ(Wizard().currentId(), GeneratePage);
    EXPECT_EQ(block.Persistants[1].PersistantName, "bias");
}

TEST_F(PersistantPageTest, OtherTypeFieldAndDefaults) {
    CPersistantInfo page(context);
    page.load();
    EXPECT_FALSE(page.otherTypeEdit()->isEnabled());
    page.newButton()->click();
    EXPECT_EQ(page.nameEdit()->text(), "Persistant0");
    EXPECT_EQ(page.defaultField()->value(), "1");  // an empty number shows as 1
    EXPECT_FALSE(page.otherTypeEdit()->isEnabled());

    page.typeGroup()->button(TYPE_OTHER)->click();
    EXPECT_TRUE(page.otherTypeEdit()->isEnabled());
    EXPECT_EQ(page.defaultField()->kind(), DefaultValueField::Kind::Text);
    page.otherTypeEdit()->setText("COMPLEX");
    page.defaultField()->textEdit()->setText("{0.0, 0.0}");

    page.newButton()->click();  // stores the one shown first
    EXPECT_EQ(block.Persistants[0].PersistantType, TYPE_OTHER);
    EXPECT_EQ(block.Persistants[0].PersistantTypeOther, "COMPLEX");
    EXPECT_EQ(block.Persistants[0].PersistantDefault, "{0.0, 0.0}");
    EXPECT_FALSE(page.otherTypeEdit()->isEnabled());

    page.typeGroup()->button(TYPE_CHAR)->click();
    page.defaultField()->textEdit()->setText("xy");
    page.typeGroup()->button(TYPE_TEXT)->click();
    page.defaultField()->textEdit()->setText("a longer text");
    EXPECT_TRUE(page.store(true));
    EXPECT_EQ(block.Persistants[1].PersistantType, TYPE_TEXT);
    EXPECT_EQ(block.Persistants[1].PersistantDefault, "a longer text");

    page.recordList()->setCurrentRow(0);
    EXPECT_TRUE(page.otherTypeEdit()->isEnabled());
    EXPECT_EQ(page.otherTypeEdit()->text(), "COMPLEX");
}

TEST_F(PersistantPageTest, ACodeWithoutAButtonIsKept) {
    // Parameters only know Combo Box; a variable with it keeps its code.
    AddPersistant(block, "state", TYPE_COMBO_BOX, "x");
    CPersistantInfo page(context);
    page.load();
    EXPECT_EQ(page.typeGroup()->code(), std::nullopt);
    EXPECT_TRUE(page.store(true));
    EXPECT_EQ(block.Persistants[0].PersistantType, TYPE_COMBO_BOX);
    EXPECT_EQ(block.Persistants[0].PersistantDefault, "x");
}

}  // namespace
}  // namespace bw
