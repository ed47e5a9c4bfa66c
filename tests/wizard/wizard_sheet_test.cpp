// The sheet: captions, page 1's Open and New, the buttons' labels, the page
// order, pages built when reached, and the About button or menu item.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "about_box.h"
#include "definition/template_file.h"
#include "generation/paths.h"
#include "wizard/open_file.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

using SheetTest = WizardFixture;

// What a new block looks like with these settings and working directory.
BLOCKINFO NewBlock(const WizardContext& context) {
    BLOCKINFO fresh;
    fresh.Reset(context.settings, context.newBlockFolders);
    return fresh;
}

void ExpectNewBlock(const BLOCKINFO& block, const WizardContext& context) {
    const BLOCKINFO fresh = NewBlock(context);
    EXPECT_EQ(block.BlockName, fresh.BlockName);
    EXPECT_EQ(block.Directory, fresh.Directory);
    EXPECT_EQ(block.LibraryName, fresh.LibraryName);
    EXPECT_EQ(block.NumParameters, fresh.NumParameters);
    EXPECT_EQ(block.RealTime, fresh.RealTime);
    EXPECT_EQ(block.CompanyName, fresh.CompanyName);
}

TEST_F(SheetTest, CaptionsNameThePageAndTheCount) {
    EXPECT_EQ(PageCaption(DataInfoPage), "Tessaline Blockwright (4 of 11)");
    EXPECT_EQ(Wizard().windowTitle(), "Tessaline Blockwright (1 of 11)");
    OpenDescribedBlock();
    EXPECT_EQ(Wizard().windowTitle(), "Tessaline Blockwright (2 of 11)");
    Next();
    Next();
    ASSERT_EQ(Wizard().currentId(), DataInfoPage);
    EXPECT_EQ(Wizard().windowTitle(), "Tessaline Blockwright (4 of 11)");
    Back();
    EXPECT_EQ(Wizard().windowTitle(), "Tessaline Blockwright (3 of 11)");
}

TEST_F(SheetTest, FirstPageRelabelsItsButtonsAndTheOthersReadBackAndNext) {
    Wizard();
    EXPECT_EQ(Button(QWizard::CustomButton1)->text(), "&Open >");
    EXPECT_TRUE(Button(QWizard::CustomButton1)->isVisible());
    EXPECT_TRUE(Button(QWizard::CustomButton1)->isEnabled());
    EXPECT_EQ(Button(QWizard::NextButton)->text(), "&New >");
    EXPECT_FALSE(Button(QWizard::BackButton)->isVisible());

    OpenDescribedBlock();  // a block every page lets pass
    for (int id = VisibleInfoPage; id <= PersistantInfoPage; ++id) {
        ASSERT_EQ(Wizard().currentId(), id);
        EXPECT_EQ(Button(QWizard::BackButton)->text(), "< &Back") << id;
        EXPECT_EQ(Button(QWizard::NextButton)->text(), "&Next >") << id;
        EXPECT_TRUE(Button(QWizard::BackButton)->isVisible()) << id;
        EXPECT_TRUE(Button(QWizard::NextButton)->isEnabled()) << id;
        EXPECT_FALSE(Button(QWizard::CustomButton1)->isVisible()) << id;
        Next();
    }

    // Back to page 1 relabels again; from page 2 Back returns to page 1.
    while (Wizard().currentId() != VisibleInfoPage) {
        Back();
    }
    Back();
    EXPECT_EQ(Wizard().currentId(), OpenFilePage);
    EXPECT_EQ(Button(QWizard::NextButton)->text(), "&New >");
    EXPECT_TRUE(Button(QWizard::CustomButton1)->isVisible());
}

TEST_F(SheetTest, APageMakesItsControlsOnlyWhenTheSheetReachesIt) {
    const auto controls = [&](int id) {
        return Wizard().page(id)->findChildren<QWidget*>().size();
    };
    EXPECT_GT(controls(OpenFilePage), 0);
    for (int id = VisibleInfoPage; id < PAGE_COUNT; ++id) {
        EXPECT_EQ(controls(id), 0) << id;
    }
    OpenDescribedBlock();
    EXPECT_GT(controls(VisibleInfoPage), 0);
    EXPECT_EQ(controls(FileInfoPage), 0);
}

TEST_F(SheetTest, OpenThenCancelStaysOnPageOneWithANewBlockAndNewStartsAfresh) {
    Wizard();
    Open();  // without a setting, Open starts among the user's blocks, or the documents
    ASSERT_EQ(dialogs.openStartFolders,
              std::vector<std::string>{NativePath(temp.path().toStdString() + "/Documents/")});
    dialogs.openStartFolders.clear();
    block.BlockName = "Edited";
    block.NumParameters = 3;
    block.RealTime = 1;
    settings.write("Settings", "Open Directory", "/somewhere/else");
    dialogs.answers.push_back(std::nullopt);  // Cancel

    Open();
    EXPECT_EQ(Wizard().currentId(), OpenFilePage);
    ExpectNewBlock(block, context);
    ASSERT_EQ(dialogs.openStartFolders.size(), 1u);
    EXPECT_EQ(dialogs.openStartFolders[0], NativePath("/somewhere/else"));
    EXPECT_EQ(settings.read("Settings", "Open Directory", ""), "/somewhere/else");

    block.BlockName = "EditedAgain";
    Next();  // New
    EXPECT_EQ(Wizard().currentId(), VisibleInfoPage);
    ExpectNewBlock(block, context);
    EXPECT_EQ(Button(QWizard::NextButton)->text(), "&Next >");
}

TEST_F(SheetTest, ChannelDimensionsFollowHowPageOneBeganTheBlock) {
    // An opened template keeps its dimensions, matrix or not.
    OpenDescribedBlock([](BLOCKINFO& b) {
        b.Matrix = 1;
        b.InputChannelDimension[0] = 3;
    });
    while (Wizard().currentId() != IOInfoPage) {
        Next();
    }
    auto* dimension = Wizard().currentPage()->findChild<QLineEdit*>("channelDimension");
    EXPECT_EQ(dimension->text(), "3");

    // "&New >" afterwards: the channels of a matrix block start at 2.
    while (Wizard().currentId() != OpenFilePage) {
        Back();
    }
    Next();
    QTest::keyClicks(Wizard().currentPage()->findChild<QComboBox*>("groupName")->lineEdit(),
                     "Arithmetic");
    QTest::keyClicks(Wizard().currentPage()->findChild<QLineEdit*>("menuName"), "Add");
    Next();
    QTest::keyClicks(Wizard().currentPage()->findChild<QLineEdit*>("blockName"), "NTAdd");
    Next();
    Wizard().currentPage()->findChild<QCheckBox*>("matrix")->click();
    Next();
    Next();
    ASSERT_EQ(Wizard().currentId(), IOInfoPage);
    EXPECT_EQ(dimension->text(), "2");
    EXPECT_EQ(block.OutputChannelDimension[0], 2);
}

TEST_F(SheetTest, AnUnreadableTemplateStaysOnPageOneWithANewBlock) {
    const std::string bad = temp.path().toStdString() + "/bad/Broken.tbt";
    QDir().mkpath(temp.path() + "/bad");
    QFile file(QString::fromStdString(bad));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Some Other Program]\r\nBlock Name=Broken\r\n");
    file.close();
    Wizard();
    block.BlockName = "Edited";
    dialogs.answers.push_back(bad);

    Open();
    EXPECT_EQ(Wizard().currentId(), OpenFilePage);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], INVALID_TEMPLATE_MESSAGE);
    ExpectNewBlock(block, context);
    // The chosen file's folder is where the next Open starts.
    EXPECT_EQ(settings.read("Settings", "Open Directory", ""),
              QDir::toNativeSeparators(temp.path() + "/bad").toStdString());
}

TEST_F(SheetTest, OpeningATemplateGoesToPageTwoWithItsDefinition) {
    OpenDescribedBlock([](BLOCKINFO& saved) { saved.CompanyName = "Tessaline Labs"; });
    EXPECT_EQ(Wizard().currentId(), VisibleInfoPage);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(block.BlockName, "NTAdd");
    EXPECT_EQ(block.CompanyName, "Tessaline Labs");
    // Opened folders are kept clean, in this system's form.
    EXPECT_EQ(block.Directory, CleanPath(BlockDirectory()));
    EXPECT_EQ(Button(QWizard::BackButton)->text(), "< &Back");
}

TEST_F(SheetTest, AboutButtonShowsTheTitleAndVersion) {
    QAbstractButton* about = Button(QWizard::CustomButton2);
    EXPECT_TRUE(about->isVisible());
    ExpectAboutBox(AboutBoxShownBy([&] { about->click(); }));
}

// Where the platform has a system menu, About and Tools are offered there,
// once the sheet shows, and the sheet has no About button.
TEST_F(SheetTest, WithASystemMenuAboutAndToolsAreThereInsteadOfAButton) {
    struct RecordingMenu : SystemMenu {
        void addCommands(QWidget& window, std::function<void()> about,
                         std::function<void()> tools) override {
            windows.push_back(&window);
            showAbout = std::move(about);
            showTools = std::move(tools);
        }
        bool chosen(const QByteArray&, void*) override { return false; }
        std::vector<QWidget*> windows;
        std::function<void()> showAbout, showTools;
    } menu;
    context.systemMenu = &menu;
    EXPECT_TRUE(Wizard().hasSystemMenu());
    EXPECT_FALSE(Button(QWizard::CustomButton2)->isVisible());
    Wizard().hide();
    Wizard().show();
    ASSERT_EQ(menu.windows, std::vector<QWidget*>{&Wizard()});  // added once
    ExpectAboutBox(AboutBoxShownBy(menu.showAbout));
    QString tools;
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            tools = dialog->windowTitle();
            dialog->close();
        }
    });
    menu.showTools();
    EXPECT_EQ(tools, "Tools");
}

}  // namespace
}  // namespace bw
