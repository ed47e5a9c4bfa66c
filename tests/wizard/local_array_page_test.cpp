// The local-array page: sizes as a template holds them (a number, a
// parameter's name or an expression), precisions, duplicate names and the
// pool limit.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "definition/template_file.h"
#include "support/records.h"
#include "wizard/generate.h"
#include "wizard/local_array_info.h"
#include "wizard/type_radio_group.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class LocalArrayPageTest : public WizardFixture {
protected:
    CLocalArrayInfo page{context};
};

// A size read from a template as a parameter's name or an expression is
// shown as it was read and stored back untouched.
TEST_F(LocalArrayPageTest, SizesNamingParametersAreShownAndKept) {
    BLOCKINFO saved;
    saved.Reset(settings, context.newBlockFolders);
    saved.BlockName = "NTAdd";
    saved.NumParameters = 1;
    saved.Parameters[0].ParameterName = "N";
    saved.NumLocalArrays = 2;
    saved.LocalArrays[0].ArrayName = "hDelay";
    saved.LocalArrays[0].LocalSize = "N*2";
    saved.LocalArrays[1].ArrayName = "hWindow";
    saved.LocalArrays[1].LocalSize = "N";
    const std::string path = temp.path().toStdString() + "/NTAdd.tbt";
    ASSERT_TRUE(WriteTemplate(saved, path));
    ASSERT_TRUE(ReadTemplate(block, path, prompts));

    page.load();
    EXPECT_EQ(page.sizeEdit()->text(), "N*2");
    page.recordList()->setCurrentRow(1);
    EXPECT_EQ(page.sizeEdit()->text(), "N");
    EXPECT_TRUE(page.store(true));
    EXPECT_EQ(block.LocalArrays[0].LocalSize, "N*2");
    EXPECT_EQ(block.LocalArrays[1].LocalSize, "N");
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages[0];
}

// Next checks the size by the checker's rules, naming the array and what was
// typed, and shows the array refused with its size field.
TEST_F(LocalArrayPageTest, NextRefusesWhatTheCheckerRefuses) {
    block.NumParameters = 2;
    block.Parameters[0].ParameterName = "Taps";
    block.Parameters[1].ParameterName = "Label";
    block.Parameters[1].ParameterType = TYPE_TEXT;
    AddLocalArray(block, "hBuffer", "256");
    AddLocalArray(block, "hOther", "16");
    page.load();
    EXPECT_EQ(page.sizeEdit()->text(), "256");
    const struct {
        const char* typed;
        const char* message;
    } wrongs[] = {
        {"12a", "\"12a\" is not a whole number"},
        {"0", "\"0\" is outside"},
        {"-4", "\"-4\" is outside"},
        {"Tap*2", "names \"Tap\", which is not a parameter"},
        {"", "names no parameter"},
        {"Taps+Label", "names the text parameter \"Label\""},
    };
    for (const auto& wrong : wrongs) {
        prompts.messages.clear();
        page.recordList()->setCurrentRow(1);
        page.sizeEdit()->setText(wrong.typed);
        EXPECT_FALSE(page.store(true)) << wrong.typed;
        ASSERT_EQ(prompts.messages.size(), 1u) << wrong.typed;
        EXPECT_NE(prompts.messages[0].find("local array \"hOther\""), std::string::npos)
            << prompts.messages[0];
        EXPECT_NE(prompts.messages[0].find(wrong.message), std::string::npos)
            << prompts.messages[0];
        EXPECT_EQ(page.shownIndex(), 1);
        EXPECT_EQ(page.sizeEdit()->text(), wrong.typed);
        page.recordList()->setCurrentRow(0);
    }
    for (const char* right : {" 512 ", "Taps", "Taps*2+1"}) {
        page.recordList()->setCurrentRow(1);
        page.sizeEdit()->setText(right);
        EXPECT_TRUE(page.store(true)) << right;
        EXPECT_EQ(block.LocalArrays[1].LocalSize, QString(right).trimmed().toStdString());
    }
}

TEST_F(LocalArrayPageTest, NewArraysTakeTheirPrecisionAndDuplicatesStayOnThePage) {
    page.load();
    EXPECT_FALSE(page.sizeEdit()->isEnabled());
    EXPECT_FALSE(page.typeGroup()->isEnabled());
    page.newButton()->click();
    EXPECT_EQ(page.nameEdit()->text(), "hLocalBuffer0");
    EXPECT_EQ(page.sizeEdit()->text(), "1000");
    EXPECT_TRUE(page.typeGroup()->button(TYPE_INTEGER)->isChecked());
    page.typeGroup()->button(TYPE_SHORT)->click();
    page.newButton()->click();
    EXPECT_EQ(block.LocalArrays[0].LocalPrecision, TYPE_SHORT);
    page.nameEdit()->selectAll();
    QTest::keyClicks(page.nameEdit(), "hLocalBuffer0");
    EXPECT_FALSE(page.store(true));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0],
              "One or more arrays have the same name: array 1 and array 2 are both named "
              "\"hLocalBuffer0\".  Please make sure all array names are unique.");
}

TEST_F(LocalArrayPageTest, TheEleventhArrayIsRefused) {
    page.load();
    for (int i = 0; i < MAX_LOCAL_ARRAYS + 1; ++i) {
        page.newButton()->click();
    }
    EXPECT_EQ(block.NumLocalArrays, MAX_LOCAL_ARRAYS);
    EXPECT_EQ(page.recordList()->count(), MAX_LOCAL_ARRAYS);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{LOCAL_ARRAY_LIMIT_MESSAGE});
    EXPECT_TRUE(page.store(true));
}

// Walked through page by page and generated, the shipped example is saved as
// it came: the template written beside the block holds the same bytes, apart
// from the block folder, which the wizard takes as an absolute path.
TEST_F(LocalArrayPageTest, TheExampleWalksThroughAndSavesByteForByte) {
    QFile example(QStringLiteral(BLOCKWRIGHT_SOURCE_DIR "/examples/Gain.tbt"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const QByteArray original = example.readAll();
    ASSERT_TRUE(original.contains("LocalSize0=HistoryLength\r\n"));
    ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("examples")));
    const QString copy = temp.path() + QStringLiteral("/examples/Gain.tbt");
    ASSERT_TRUE(example.copy(copy));

    Wizard();
    dialogs.answers.push_back(copy.toStdString());
    Open();
    NextUntil(LocalArrayInfoPage);
    auto* arrays = static_cast<CLocalArrayInfo*>(Wizard().wizardPage(LocalArrayInfoPage));
    EXPECT_EQ(arrays->sizeEdit()->text(), "HistoryLength");
    NextUntil(GeneratePage);
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);

    QFile saved(temp.path() + QStringLiteral("/out/Gain/Gain.TBT"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << saved.fileName().toStdString();
    QList<QByteArray> savedLines = saved.readAll().split('\n');
    QList<QByteArray> originalLines = original.split('\n');
    ASSERT_EQ(savedLines.size(), originalLines.size());
    for (qsizetype i = 0; i < savedLines.size(); ++i) {
        if (originalLines[i].startsWith("Directory=")) {
            EXPECT_TRUE(savedLines[i].startsWith("Directory=")) << savedLines[i].toStdString();
            continue;
        }
        EXPECT_EQ(savedLines[i], originalLines[i]) << "line " << i + 1;
    }
}

}  // namespace
}  // namespace bw
