// Where blocks go: the Open dialog's first folder, an opened template's block
// folder (clean, and among the user's blocks for the program's own
// examples), and a folder of a user nobody knows refused on the file page.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

#include "generation/paths.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class OpenTemplateTest : public WizardFixture {
protected:
    // The shipped example, copied to folder (relative to the temporary folder).
    std::string CopyExample(const QString& folder) {
        EXPECT_TRUE(QDir().mkpath(temp.filePath(folder)));
        const QString copy = temp.filePath(folder + QStringLiteral("/Gain.tbt"));
        EXPECT_TRUE(QFile::copy(QStringLiteral(BLOCKWRIGHT_SOURCE_DIR "/examples/Gain.tbt"), copy));
        return copy.toStdString();
    }

    void OpenTemplate(const std::string& path) {
        dialogs.answers.push_back(path);
        Open();
        ASSERT_EQ(Wizard().currentId(), VisibleInfoPage);
    }

    std::string Temp(const std::string& relative) const {
        return CleanPath(temp.path().toStdString() + "/" + relative);
    }
};

TEST_F(OpenTemplateTest, TheFirstOpenStartsAmongTheUsersBlocksThenWhereTheLastTemplateWas) {
    Wizard();
    Open();  // cancelled
    // No Blockwright folder yet: the documents that would hold it.
    ASSERT_EQ(dialogs.openStartFolders.size(), 1u);
    EXPECT_EQ(dialogs.openStartFolders[0], NativePath(temp.path().toStdString() + "/Documents/"));
    EXPECT_NE(dialogs.openStartFolders[0], NativePath(context.workingDirectory));

    ASSERT_TRUE(QDir().mkpath(temp.filePath("Documents/Blockwright")));
    Open();
    EXPECT_EQ(dialogs.openStartFolders[1], NativePath(context.newBlockFolders.block));

    OpenTemplate(CopyExample(QStringLiteral("mine")));
    Back();
    Open();
    EXPECT_EQ(CleanPath(dialogs.openStartFolders.at(3)), Temp("mine"));
}

// The example's "..\out\Gain\" from a folder of the user's: shown clean.
TEST_F(OpenTemplateTest, ARelativeFolderIsShownCleanAndAbsolute) {
    Wizard();
    OpenTemplate(CopyExample(QStringLiteral("work/examples")));
    EXPECT_EQ(block.Directory, Temp("work/out/Gain/"));
    EXPECT_EQ(block.Directory.find(".."), std::string::npos);
}

// From the program's own install (read-only for users, and left behind by
// an uninstall) the block goes among the user's blocks.
TEST_F(OpenTemplateTest, TheInstalledExamplePutsItsBlockAmongTheUsersBlocks) {
    context.installedFolder = temp.path().toStdString() + "/install/";
    Wizard();
    OpenTemplate(CopyExample(QStringLiteral("install/examples")));
    EXPECT_EQ(block.Directory, Temp("Documents/Blockwright/Gain/"));
}

TEST_F(OpenTemplateTest, AFolderOfAUserNobodyKnowsIsRefusedNamingTheUser) {
    if (RUNNING_ON_WINDOWS) {
        GTEST_SKIP() << "no shell takes \"~\" for a home folder on Windows: it is a folder's name";
    }
    OpenDescribedBlock();
    NextUntil(FileInfoPage);
    auto* directory = Wizard().currentPage()->findChild<QLineEdit*>(QStringLiteral("directory"));
    directory->setText(QStringLiteral("~nosuchuser-of-blockwright/x"));
    Next();
    EXPECT_EQ(Wizard().currentId(), FileInfoPage);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{
                  "Directory: there is no user \"nosuchuser-of-blockwright\" for "
                  "~nosuchuser-of-blockwright/x (\"~name\" stands for that user's home folder)."});
    // Not made a folder below the current one either.
    EXPECT_EQ(directory->text(), "~nosuchuser-of-blockwright/x");
}

// A template handed over by a later start: opened on page 1 wherever the
// wizard was, after the discard question when the block in hand has changes.
TEST_F(OpenTemplateTest, AHandedOverTemplateIsOpenedAfterAskingAboutChanges) {
    std::vector<std::string> asked;
    bool discard = false;
    context.askToDiscard = [&](const std::string& question) {
        asked.push_back(question);
        return discard;
    };
    OpenDescribedBlock();
    NextUntil(FileInfoPage);
    auto* blockName = Wizard().currentPage()->findChild<QLineEdit*>(QStringLiteral("blockName"));
    blockName->setText(QStringLiteral("Typed"));
    const std::string gain = CopyExample(QStringLiteral("elsewhere"));

    Wizard().openTemplateFile(QString::fromStdString(gain));
    EXPECT_EQ(asked, std::vector<std::string>{"Discard the changes to block Typed?"});
    EXPECT_EQ(Wizard().currentId(), FileInfoPage);  // No keeps the work
    EXPECT_EQ(block.BlockName, "Typed");

    discard = true;
    Wizard().openTemplateFile(QString::fromStdString(gain));
    EXPECT_EQ(Wizard().currentId(), VisibleInfoPage);
    EXPECT_EQ(block.BlockName, "Gain");
    EXPECT_FALSE(context.Changed());
}

// While a dialog holds the wizard the template is not opened, and the
// message says why.
TEST_F(OpenTemplateTest, AHandedOverTemplateWaitsForNoDialog) {
    OpenDescribedBlock();
    const std::string gain = CopyExample(QStringLiteral("elsewhere"));
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        Wizard().openTemplateFile(QString::fromStdString(gain));
        dialog->close();
    });
    Wizard().showTools();
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{DisplayPath(gain) +
                                       " was not opened: a dialog is open. Open it with Open on "
                                       "the first page once that is done."});
    EXPECT_EQ(block.BlockName, "NTAdd");
}

}  // namespace
}  // namespace bw
