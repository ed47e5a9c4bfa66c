// The local-array page: sizes as whole numbers (an expression from a template
// becomes its leading number), precisions, duplicate names and the pool limit.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "definition/template_file.h"
#include "wizard/local_array_info.h"
#include "wizard/type_radio_group.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class LocalArrayPageTest : public WizardFixture {
protected:
    void AddArray(const char* name, const char* size, int precision = TYPE_INTEGER) {
        LOCALARRAYINFO& a = block.LocalArrays[static_cast<size_t>(block.NumLocalArrays++)];
        a.ArrayName = name;
        a.LocalSize = size;
        a.LocalPrecision = precision;
    }

    CLocalArrayInfo page{context};
};

TEST_F(LocalArrayPageTest, TemplateArrayOfSizeNTimes2IsStoredAsZero) {
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
    ASSERT_EQ(block.LocalArrays[0].LocalSize, "N*2");

    page.load();
    EXPECT_EQ(page.sizeEdit()->text(), "0");
    // Stored as 0, which no array can have: Next says so and stays.
    EXPECT_FALSE(page.store(true));
    EXPECT_EQ(block.LocalArrays[0].LocalSize, "0");
    EXPECT_EQ(block.LocalArrays[1].LocalSize, "N");  // never shown, never stored
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("The size of the local array \"hDelay\": \"0\" is outside"),
              std::string::npos)
        << prompts.messages[0];
}

TEST_F(LocalArrayPageTest, SizeMustBeAWholeNumber) {
    AddArray("hBuffer", "256");
    AddArray("hOther", "16");
    page.load();
    EXPECT_EQ(page.sizeEdit()->text(), "256");
    // Each refusal names the field and what was typed.
    const struct {
        const char* typed;
        const char* message;
    } wrongs[] = {
        {"12a", "Number of Elements: \"12a\" is not a whole number (0 to 2147483647)."},
        {"", "Number of Elements: a whole number is needed (0 to 2147483647)."},
        {"1.5", "Number of Elements: \"1.5\" is not a whole number (0 to 2147483647)."},
        {"-4", "Number of Elements: \"-4\" is out of range (0 to 2147483647)."},
        {"99999999999", "Number of Elements: \"99999999999\" is out of range (0 to 2147483647)."},
    };
    for (const auto& wrong : wrongs) {
        prompts.messages.clear();
        page.sizeEdit()->setText(wrong.typed);
        EXPECT_FALSE(page.store(true)) << wrong.typed;
        EXPECT_FALSE(page.store(false)) << wrong.typed;
        EXPECT_EQ(prompts.messages, (std::vector<std::string>{wrong.message, wrong.message}));
    }

    // Neither another record nor a new one takes the place of the wrong one.
    page.recordList()->setCurrentRow(1);
    EXPECT_EQ(page.shownIndex(), 0);
    EXPECT_EQ(page.recordList()->currentRow(), 0);
    page.newButton()->click();
    EXPECT_EQ(block.NumLocalArrays, 2);

    page.sizeEdit()->setText(" 512 ");
    ASSERT_TRUE(page.store(true));
    EXPECT_EQ(block.LocalArrays[0].LocalSize, "512");
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

}  // namespace
}  // namespace bw
