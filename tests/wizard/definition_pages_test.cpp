// Pages 2 to 5: names and the host catalogue, file names and directories,
// data types and precisions, revision and warnings. Each page is driven on
// its own, as the sheet drives it: load, user input, store.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "generation/paths.h"
#include "wizard/data_info.h"
#include "wizard/file_info.h"
#include "wizard/names_page.h"
#include "wizard/revision_info.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class DefinitionPageTest : public WizardFixture {
protected:
    // Builds a page over the fixture's definition, shows and loads it.
    template <typename Page>
    std::unique_ptr<Page> Shown() {
        auto page = std::make_unique<Page>(context);
        page->show();
        page->load();
        return page;
    }

    template <typename Widget>
    static Widget* Find(QWidget* page, const char* name) {
        auto* widget = page->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static void Type(QLineEdit* edit, const char* text) {
        edit->setFocus();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }

    std::string Folder(const char* below) const { return temp.path().toStdString() + below; }
};

// --- Page 2 -----------------------------------------------------------------

TEST_F(DefinitionPageTest, NamesPageNeedsLibraryGroupAndMenuName) {
    context.readCatalogue = [] {
        return HostCatalogue{{"Simulation Library", "Filters"}, {"Arithmetic", "Sources"}};
    };
    CVisibleInfo page(context);
    page.show();
    page.load();
    auto* library = Find<QComboBox>(&page, "libraryName");
    auto* group = Find<QComboBox>(&page, "groupName");
    auto* menu = Find<QLineEdit>(&page, "menuName");
    EXPECT_EQ(library->count(), 2);
    EXPECT_EQ(group->itemText(1), "Sources");
    EXPECT_EQ(library->currentText(), "Simulation Library");  // a new block's library
    EXPECT_EQ(group->currentText(), "");
    EXPECT_FALSE(page.isComplete());

    group->setCurrentIndex(0);
    EXPECT_FALSE(page.isComplete());
    Type(menu, "Add");
    EXPECT_TRUE(page.isComplete());
    library->setEditText(QString());
    EXPECT_FALSE(page.isComplete());
    library->setEditText(QStringLiteral("My own library"));  // free-typed names are accepted
    EXPECT_TRUE(page.isComplete());

    Find<QLineEdit>(&page, "shortDescription")->setText(QStringLiteral("Adds"));
    Find<QPlainTextEdit>(&page, "longDescription")->setPlainText(QStringLiteral("One\nTwo"));
    ASSERT_TRUE(page.store(false));  // Back stores too
    EXPECT_EQ(block.LibraryName, "My own library");
    EXPECT_EQ(block.GroupName, "Arithmetic");
    EXPECT_EQ(block.MenuName, "Add");
    EXPECT_EQ(block.ShortDescription, "Adds");
    EXPECT_EQ(block.LongDescription, "One\r\nTwo");

    block.LongDescription = "A\r\nB\r\nC";
    page.load();
    EXPECT_EQ(Find<QPlainTextEdit>(&page, "longDescription")->toPlainText(), "A\nB\nC");
}

// --- Page 3 -----------------------------------------------------------------

TEST_F(DefinitionPageTest, TypingTheBlockNameMakesItTheDirectorysLastFolder) {
    block.Directory = Folder("/blocks/");
    auto page = Shown<CFileInfo>();
    Type(Find<QLineEdit>(page.get(), "blockName"), "NTAdd");
    EXPECT_EQ(Find<QLineEdit>(page.get(), "directory")->text().toStdString(),
              Folder("/blocks/NTAdd"));
    EXPECT_EQ(Find<QLineEdit>(page.get(), "helpFilename")->text(), "NTAdd.hlp");
    EXPECT_EQ(Find<QLineEdit>(page.get(), "iconFilename")->text(), "NTAdd.ico");
    EXPECT_TRUE(page->isComplete());
    EXPECT_TRUE(prompts.messages.empty());

    ASSERT_TRUE(page->store(true));
    EXPECT_EQ(block.BlockName, "NTAdd");
    EXPECT_EQ(block.Directory, Folder("/blocks/NTAdd"));
    EXPECT_EQ(block.HelpFilename, "NTAdd.hlp");
    EXPECT_EQ(block.IconFilename, "NTAdd.ico");
}

TEST_F(DefinitionPageTest, ABlockNameMustBeginWithALetterOrUnderscore) {
    block.Directory = Folder("/blocks/");
    auto page = Shown<CFileInfo>();
    auto* name = Find<QLineEdit>(page.get(), "blockName");
    Type(name, "9Add");
    EXPECT_EQ(name->text(), "Add");
    EXPECT_EQ(prompts.messages, std::vector<std::string>{FILENAME_START_MESSAGE});
    EXPECT_EQ(Find<QLineEdit>(page.get(), "directory")->text().toStdString(),
              Folder("/blocks/Add"));

    // A pasted name loses every bad leading character, with one message.
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("_x"));
    EXPECT_EQ(name->text(), "_x");
    name->clear();
    name->insert(QStringLiteral("1-2Sub.v2"));
    EXPECT_EQ(name->text(), "Sub.v2");
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(Find<QLineEdit>(page.get(), "helpFilename")->text(), "Sub.hlp");
}

TEST_F(DefinitionPageTest, AnEmptyDirectoryStartsAtTheHomeFolder) {
    block.Directory.clear();
    auto page = Shown<CFileInfo>();
    EXPECT_FALSE(page->isComplete());
    Type(Find<QLineEdit>(page.get(), "blockName"), "NTAdd");
    EXPECT_EQ(Find<QLineEdit>(page.get(), "directory")->text().toStdString(),
              DefaultBlockParent() + "NTAdd");
    EXPECT_EQ(DefaultBlockParent(), QDir::toNativeSeparators(QDir::homePath() + "/").toStdString());
    EXPECT_TRUE(page->isComplete());
}

TEST_F(DefinitionPageTest, TheAppendFlagDecidesBetweenANewFolderAndRenamingTheLastOne) {
    block.Directory = Folder("/blocks");  // no closing separator
    auto page = Shown<CFileInfo>();
    auto* name = Find<QLineEdit>(page.get(), "blockName");
    auto* directory = Find<QLineEdit>(page.get(), "directory");
    Type(name, "A");
    EXPECT_EQ(directory->text().toStdString(), Folder("/blocks/A"));
    EXPECT_FALSE(page->appendsName());

    // Erasing the name leaves the parent, and the next name is a sub-folder again.
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(directory->text().toStdString(), Folder("/blocks/"));
    EXPECT_TRUE(page->appendsName());
    Type(name, "B");
    EXPECT_EQ(directory->text().toStdString(), Folder("/blocks/B"));

    // Without leaving the Directory field, a changed name replaces its last folder...
    directory->setText(QString::fromStdString(Folder("/other/Keep")));
    Type(name, "2");
    EXPECT_EQ(directory->text().toStdString(), Folder("/other/B2"));
    // ...after leaving it, what was entered there is kept as the parent.
    directory->setText(QString::fromStdString(Folder("/other/Keep")));
    QFocusEvent focusOut(QEvent::FocusOut);
    QApplication::sendEvent(directory, &focusOut);
    EXPECT_TRUE(page->appendsName());
    Type(name, "3");
    EXPECT_EQ(directory->text().toStdString(), Folder("/other/Keep/B23"));

    // Windows-style paths keep their own separator.
    directory->setText(QStringLiteral("c:\\blocks"));
    QApplication::sendEvent(directory, &focusOut);
    Type(name, "4");
    EXPECT_EQ(directory->text(), "c:\\blocks\\B234");
}

TEST_F(DefinitionPageTest, BrowseButtonsReplaceTheirFieldOnOkOnly) {
    block.LibraryPath = "/opt/host/lib";
    block.BlockName = "Gain";
    auto page = Shown<CFileInfo>();
    dialogs.answers = {std::string("/chosen/dest"), std::nullopt, std::string("/chosen/include")};
    Find<QPushButton>(page.get(), "directoryBrowse")->click();
    Find<QPushButton>(page.get(), "libraryPathBrowse")->click();
    Find<QPushButton>(page.get(), "includePathBrowse")->click();
    EXPECT_EQ(dialogs.chooserTitles,
              (std::vector<std::string>{"Select Destination Directory", "Select Library Directory",
                                        "Select Include Directory"}));
    EXPECT_EQ(dialogs.chooserStartFolders[1], NativePath("/opt/host/lib"));
    ASSERT_TRUE(page->store(true));
    EXPECT_EQ(block.Directory, "/chosen/dest");
    EXPECT_EQ(block.LibraryPath, "/opt/host/lib");
    EXPECT_EQ(block.IncludePath, "/chosen/include");
}

// --- Page 4 -----------------------------------------------------------------

TEST_F(DefinitionPageTest, DspBasedLeavesOnlyIntegerAndFloatingPoint) {
    block.Character = 1;  // every precision on
    auto page = Shown<CDataInfo>();
    auto* dsp = Find<QCheckBox>(page.get(), "dspBased");
    auto* native = Find<QCheckBox>(page.get(), "native");
    EXPECT_FALSE(native->isEnabled());
    dsp->click();
    for (const char* name : {"character", "byte", "shortInteger", "longInteger", "double"}) {
        EXPECT_FALSE(Find<QCheckBox>(page.get(), name)->isChecked()) << name;
        EXPECT_FALSE(Find<QCheckBox>(page.get(), name)->isEnabled()) << name;
    }
    EXPECT_TRUE(Find<QCheckBox>(page.get(), "integer")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(page.get(), "floatingPoint")->isChecked());
    EXPECT_TRUE(native->isEnabled());
    EXPECT_TRUE(page->isComplete());

    Find<QCheckBox>(page.get(), "real")->click();
    EXPECT_TRUE(page->isComplete());
    Find<QCheckBox>(page.get(), "complex")->click();
    EXPECT_FALSE(page->isComplete());
    Find<QCheckBox>(page.get(), "complex")->click();
    Find<QCheckBox>(page.get(), "integer")->click();
    Find<QCheckBox>(page.get(), "floatingPoint")->click();
    EXPECT_FALSE(page->isComplete());  // no precision left

    ASSERT_TRUE(page->store(true));
    EXPECT_EQ(block.RealTime, 1);
    EXPECT_EQ(block.Real, 0);
    EXPECT_EQ(block.Complex, 1);
    EXPECT_EQ(block.Byte + block.Character + block.ShortInteger + block.LongInteger + block.Double,
              0);

    // Off again: the precisions can be chosen again, and Native is gone.
    native->click();
    dsp->click();
    EXPECT_FALSE(native->isChecked());
    EXPECT_FALSE(native->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>(page.get(), "byte")->isEnabled());
}

TEST_F(DefinitionPageTest, ShowingADspTemplateAppliesTheDspRule) {
    block.RealTime = 1;
    block.xDAIS = 1;
    block.Double = 1;
    auto page = Shown<CDataInfo>();
    EXPECT_FALSE(Find<QCheckBox>(page.get(), "double")->isChecked());
    ASSERT_TRUE(page->store(true));
    EXPECT_EQ(block.Double, 0);
    EXPECT_EQ(block.xDAIS, 1);  // carried through while the block stays DSP based

    // Unchecking DSP Based drops XDAIS along with Native.
    page->load();
    Find<QCheckBox>(page.get(), "dspBased")->click();
    ASSERT_TRUE(page->store(true));
    EXPECT_EQ(block.xDAIS, 0);
}

TEST_F(DefinitionPageTest, NativeClearsXdaisAndXdaisKeepsOnePrecision) {
    block.RealTime = 1;
    block.xDAIS = 1;
    block.Integer = 1;
    block.Q = 1;
    block.FloatingPoint = 0;
    auto page = Shown<CDataInfo>();
    auto* integer = Find<QCheckBox>(page.get(), "integer");
    auto* floating = Find<QCheckBox>(page.get(), "floatingPoint");
    auto* q = Find<QCheckBox>(page.get(), "q");
    EXPECT_TRUE(q->isEnabled());

    floating->click();
    EXPECT_FALSE(integer->isChecked());
    EXPECT_FALSE(q->isChecked());
    EXPECT_FALSE(q->isEnabled());
    EXPECT_FALSE(Find<QComboBox>(page.get(), "qLevel")->isEnabled());
    integer->click();
    EXPECT_FALSE(floating->isChecked());
    EXPECT_TRUE(q->isEnabled());

    Find<QCheckBox>(page.get(), "native")->click();
    ASSERT_TRUE(page->store(true));
    EXPECT_EQ(block.Native, 1);
    EXPECT_EQ(block.xDAIS, 0);
    // Without XDAIS both precisions may be chosen.
    floating->click();
    EXPECT_TRUE(integer->isChecked());
}

TEST_F(DefinitionPageTest, IntegerGovernsQAndMatrixGovernsTheSizeCheck) {
    block.Q = 1;
    block.QLevel = 7;
    auto page = Shown<CDataInfo>();
    auto* q = Find<QCheckBox>(page.get(), "q");
    EXPECT_EQ(Find<QComboBox>(page.get(), "qLevel")->currentText(), "7");
    EXPECT_FALSE(Find<QCheckBox>(page.get(), "sizeCheck")->isEnabled());
    Find<QCheckBox>(page.get(), "matrix")->click();
    EXPECT_TRUE(Find<QCheckBox>(page.get(), "sizeCheck")->isEnabled());

    Find<QCheckBox>(page.get(), "integer")->click();
    EXPECT_FALSE(q->isChecked());
    EXPECT_FALSE(q->isEnabled());
    ASSERT_TRUE(page->store(true));
    EXPECT_EQ(block.Q, 0);
    EXPECT_EQ(block.QLevel, 7);
    EXPECT_EQ(block.Matrix, 1);
}

// --- Page 5 -----------------------------------------------------------------

TEST_F(DefinitionPageTest, WarningButtonsStoreTheirOwnNumbers) {
    auto page = Shown<CRevisionInfo>();
    EXPECT_TRUE(Find<QRadioButton>(page.get(), "warningNone")->isChecked());
    EXPECT_TRUE(page->isComplete());
    Find<QRadioButton>(page.get(), "warningOneTime")->click();
    Find<QLineEdit>(page.get(), "companyName")->setText(QStringLiteral("Acme"));
    Find<QLineEdit>(page.get(), "revision")->setText(QStringLiteral("4.10"));
    ASSERT_TRUE(page->store(true));
    EXPECT_EQ(block.WarningType, 3);
    EXPECT_EQ(block.CompanyName, "Acme");
    EXPECT_EQ(block.Revision, "4.10");

    Find<QRadioButton>(page.get(), "warningError")->click();
    ASSERT_TRUE(page->store(false));
    EXPECT_EQ(block.WarningType, 2);

    block.WarningType = 1;
    page->load();
    EXPECT_TRUE(Find<QRadioButton>(page.get(), "warningStandard")->isChecked());
}

}  // namespace
}  // namespace bw
