// The checker in the wizard: a page's Next refuses the first error of its
// fields with the page's own kind of message and shows the record concerned;
// the channel page gives the range message for a count typed beyond it; the
// generate page lists what was found before the run and runs no definition
// with errors.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "wizard/cwizard.h"
#include "wizard/generate.h"
#include "wizard/io_info.h"
#include "wizard/parameter_info.h"
#include "wizard/wrapping_text.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class DefinitionChecksTest : public WizardFixture {
protected:
    // Opens the described block, changed by customise, and presses Next
    // until the page id is reached or Next is refused.
    void WalkTo(int id, const std::function<void(BLOCKINFO&)>& customise) {
        OpenDescribedBlock(customise);
        NextUntil(id);
    }
};

TEST_F(DefinitionChecksTest, ACountTypedBeyondTheRangeGivesTheRangeMessage) {
    CIOInfo page(context);
    page.show();
    page.load();
    auto* inputs = page.findChild<QSpinBox*>(QStringLiteral("inputCount"));
    ASSERT_NE(inputs, nullptr);
    inputs->selectAll();
    QTest::keyClicks(inputs, QStringLiteral("130"));
    EXPECT_EQ(inputs->text(), "130");  // not 13
    // Said at once, not only when Next is pressed.
    EXPECT_EQ(page.countMessage()->text(),
              "# of Input Arrays: \"130\" is out of range (0 to 129).");
    EXPECT_FALSE(page.store(true));
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"# of Input Arrays: \"130\" is out of range (0 to 129)."});
    EXPECT_EQ(block.NumInputs, 1);

    inputs->selectAll();
    QTest::keyClicks(inputs, QStringLiteral("129"));
    EXPECT_TRUE(page.store(true));
    EXPECT_EQ(block.NumInputs, 129);
}

TEST_F(DefinitionChecksTest, TheFilePageRefusesABlockNameThatIsNoIdentifier) {
    WalkTo(FileInfoPage, {});
    auto* name = Wizard().currentPage()->findChild<QLineEdit*>(QStringLiteral("blockName"));
    ASSERT_NE(name, nullptr);
    name->setText(QStringLiteral("NT Add"));
    Next();
    EXPECT_EQ(Wizard().currentId(), FileInfoPage);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("\"NT Add\""), std::string::npos);
}

TEST_F(DefinitionChecksTest, TheParameterPageRefusesNamesOfOneIdentifierAndShowsTheLater) {
    WalkTo(ParameterInfoPage, [](BLOCKINFO& b) {
        b.NumParameters = 3;
        b.Parameters[0].ParameterName = "Gain 1";
        b.Parameters[1].ParameterName = "Offset";
        b.Parameters[2].ParameterName = "Gain1";
    });
    auto* page = static_cast<CParameterInfo*>(Wizard().currentPage());
    EXPECT_EQ(page->shownIndex(), 0);
    Next();
    EXPECT_EQ(Wizard().currentId(), ParameterInfoPage);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0],
              "The parameter \"Gain1\" and the parameter \"Gain 1\" both become the member _Gain1 "
              "in the generated code.  Please make the names differ in their letters, digits or "
              "underscores.");
    EXPECT_EQ(page->shownIndex(), 2);
    EXPECT_EQ(page->nameEdit()->text(), "Gain1");

    // While typed, a name Next would refuse marks its field with the reason.
    EXPECT_FALSE(page->nameEdit()->toolTip().isEmpty());
    page->nameEdit()->selectAll();
    QTest::keyClicks(page->nameEdit(), QStringLiteral("Gain2"));
    EXPECT_TRUE(page->nameEdit()->toolTip().isEmpty());
    QTest::keyClick(page->nameEdit(), Qt::Key_Backspace);
    QTest::keyClicks(page->nameEdit(), QStringLiteral("1"));
    EXPECT_EQ(page->nameEdit()->toolTip().toStdString(), prompts.messages[0]);
    QTest::keyClick(page->nameEdit(), Qt::Key_Backspace);
    QTest::keyClicks(page->nameEdit(), QStringLiteral("2"));
    Next();
    EXPECT_EQ(Wizard().currentId(), LocalArrayInfoPage);
}

TEST_F(DefinitionChecksTest, TheGeneratePageListsWarningsAndRunsNoDefinitionWithErrors) {
    WalkTo(GeneratePage, {});
    block.TemplateNotes.push_back({"Inputs", "\"abc\" is not a number; it was read as 0."});
    Back();
    Next();
    CGenerate* page = Wizard().generatePage();
    EXPECT_EQ(page->findingsText()->text(),
              "Warning: Inputs: \"abc\" is not a number; it was read as 0.");

    // An error that reached the page without passing its own (a changed
    // working directory, say) stops the run before anything is written.
    block.HelpFilename = "My \"Add\".hlp";
    page->generateButton()->click();
    EXPECT_EQ(Wizard().currentId(), GeneratePage);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("cannot stand in a file name"), std::string::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(BlockDirectory())));
}

// With nobody having said where the host is, the block is generated, and
// the generate page says beforehand which settings to set.
TEST_F(DefinitionChecksTest, WithoutAKnownHostTheGeneratePageNamesTheSettingsToSet) {
    context.newBlockFolders = DefaultFolders({temp.path().toStdString(), ""});
    WalkTo(GeneratePage, {});
    EXPECT_TRUE(IsUnsetHostFolder(block.LibraryPath)) << block.LibraryPath;
    const QString findings = Wizard().generatePage()->findingsText()->text();
    EXPECT_TRUE(findings.startsWith(QStringLiteral("Warning: Library Path: ")))
        << findings.toStdString();
    EXPECT_TRUE(findings.contains(QStringLiteral("\"Lib Directory\""))) << findings.toStdString();
    EXPECT_TRUE(findings.contains(QStringLiteral("\"Include Directory\"")))
        << findings.toStdString();
    EXPECT_EQ(findings.count(QStringLiteral("Warning: ")), 1) << findings.toStdString();

    Wizard().generatePage()->generateButton()->click();
    EXPECT_EQ(Wizard().currentId(), FinishPage);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(BlockFile("NTAdd.mak"))));
}

}  // namespace
}  // namespace bw
