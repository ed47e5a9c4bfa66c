// The generate page: its trees, the run through the pages with scripted
// overwrite answers, and what the window allows while the run writes.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>

#include "definition/template_file.h"
#include "files/folder_lock.h"
#include "files/this_system.h"
#include "generation/names_and_literals.h"
#include "generation/paths.h"
#include "run/file_set.h"
#include "wizard/file_trees_view.h"
#include "wizard/finish.h"
#include "wizard/generate.h"
#include "wizard/wrapping_text.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

class GeneratePageTest : public WizardFixture {
protected:
    // Opens a template of the described block and goes on to the generate page.
    void OpenAndWalkToGenerate() {
        OpenDescribedBlock(customise);
        NextUntil(GeneratePage);
    }

    void Generate() { Wizard().generatePage()->generateButton()->click(); }

    void Existing(const std::string& name, const std::string& content) {
        QDir().mkpath(QString::fromStdString(BlockDirectory()));
        QFile file(QString::fromStdString(BlockFile(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content.c_str());
    }

    static std::string Content(const std::string& path) {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly)) {
            return "<missing>";
        }
        return file.readAll().toStdString();
    }

    bool Exists(const std::string& name) const {
        return QFile::exists(QString::fromStdString(BlockFile(name)));
    }

    std::function<void(BLOCKINFO&)> customise = [](BLOCKINFO&) {};
};

std::vector<std::string> TopTexts(const QTreeWidget& tree) {
    std::vector<std::string> texts;
    const QTreeWidgetItem* root = tree.topLevelItem(0);
    texts.push_back(root->text(0).toStdString());
    for (int i = 0; i < root->childCount(); ++i) {
        texts.push_back(root->child(i)->text(0).toStdString());
    }
    return texts;
}

// The completion page's mark of the file item named name in the PC tree.
std::optional<FileState> StateOf(const CFinish& page, const char* name) {
    const QList<QTreeWidgetItem*> found = page.trees()->pcTree()->findItems(
        QString::fromLatin1(name), Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<FileState>(found.front()->data(0, FileTreesView::STATE_ROLE).toInt());
}

TEST_F(GeneratePageTest, ShowsTheFileSetTreesAndOnlyBackUntilARun) {
    customise = [](BLOCKINFO& b) {  // DSP based: both trees
        b.RealTime = 1;
        b.FloatingPoint = 1;
        b.Integer = 1;
    };
    OpenAndWalkToGenerate();
    CGenerate* page = Wizard().generatePage();
    EXPECT_EQ(page->generateButton()->text(), "&Generate Code");
    EXPECT_TRUE(page->generateButton()->isVisible());
    EXPECT_FALSE(page->progressBar()->isVisible());
    EXPECT_FALSE(Button(QWizard::NextButton)->isEnabled());
    EXPECT_TRUE(Button(QWizard::BackButton)->isEnabled());

    const QTreeWidget& pc = *page->trees()->pcTree();
    ASSERT_EQ(pc.topLevelItemCount(), 1);
    const FileTrees expected = BuildFileTrees(block);
    std::vector<std::string> expectedTop{expected.pc.text};
    for (const TreeItem& child : expected.pc.children) {
        expectedTop.push_back(child.text);
    }
    EXPECT_EQ(TopTexts(pc), expectedTop);
    EXPECT_EQ(expectedTop.front(), "PC Based Components");
    // A file item keeps its path; the user source is in "Source Files".
    const QTreeWidgetItem* sources =
        pc.findItems("Source Files", Qt::MatchExactly | Qt::MatchRecursive).value(0);
    ASSERT_NE(sources, nullptr);
    bool foundInterface = false;
    for (int i = 0; i < sources->childCount(); ++i) {
        if (sources->child(i)->text(0) == "IFNTAdd.c") {
            foundInterface = true;
            EXPECT_EQ(sources->child(i)->data(0, FileTreesView::PATH_ROLE).toString(), "IFNTAdd.c");
        }
    }
    EXPECT_TRUE(foundInterface);
    const QTreeWidget& dsp = *page->trees()->dspTree();
    EXPECT_TRUE(dsp.isVisible());
    EXPECT_EQ(TopTexts(dsp).front(), "DSP Based Components");
    EXPECT_FALSE(dsp.findItems("_NIAdd.c", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());

    Back();  // a PC block shows one tree
    block.RealTime = 0;
    Next();
    EXPECT_FALSE(page->trees()->dspTree()->isVisible());
}

// The CMake project's check box: off at first, remembered once ticked, and
// the file shown, marked and written only while it is ticked.
TEST_F(GeneratePageTest, TheCMakeBoxIsRememberedAndChoosesTheCMakeProject) {
    OpenAndWalkToGenerate();
    CGenerate* page = Wizard().generatePage();
    QCheckBox* box = page->cmakeBox();
    EXPECT_EQ(box->text().remove(u'&'), "Also write a CMake project");
    EXPECT_FALSE(box->isChecked());
    const auto item = [&]() -> QTreeWidgetItem* {
        return page->trees()
            ->pcTree()
            ->findItems("CMakeLists.txt", Qt::MatchExactly | Qt::MatchRecursive)
            .value(0);
    };
    EXPECT_EQ(item(), nullptr);

    box->click();
    ASSERT_NE(item(), nullptr);
    EXPECT_EQ(item()->text(1), "new");
    EXPECT_EQ(settings.read("Settings", "CMake Project", ""), "1");
    Generate();
    EXPECT_EQ(StateOf(*Wizard().finishPage(), "CMakeLists.txt"), FileState::Written);
    EXPECT_NE(Content(BlockFile("CMakeLists.txt")).find("project(NTAdd C RC)"), std::string::npos);

    // The next wizard starts with the box as it was left; unticked, the run
    // writes no CMake project.
    QFile::remove(QString::fromStdString(BlockFile("CMakeLists.txt")));
    wizard.reset();
    OpenAndWalkToGenerate();
    page = Wizard().generatePage();
    ASSERT_TRUE(page->cmakeBox()->isChecked());
    page->cmakeBox()->click();
    EXPECT_EQ(item(), nullptr);
    EXPECT_EQ(settings.read("Settings", "CMake Project", ""), "0");
    Generate();
    EXPECT_FALSE(Exists("CMakeLists.txt"));
}

TEST_F(GeneratePageTest, RunsThroughThePagesWithTheScriptedAnswersAndEndsOnTheCompletionPage) {
    Existing("IFNTAdd.c", "kept by No");
    Existing("NTAdd.rc", "replaced by Yes");
    prompts.overwriteAnswers = {OverwriteAnswer::No, OverwriteAnswer::Yes};
    OpenAndWalkToGenerate();
    Generate();

    EXPECT_EQ(Wizard().currentId(), FinishPage);
    ASSERT_EQ(prompts.overwriteQuestions.size(), 2u);
    EXPECT_NE(prompts.overwriteQuestions[0].find("IFNTAdd.c"), std::string::npos);
    EXPECT_NE(prompts.overwriteQuestions[1].find("NTAdd.rc"), std::string::npos);
    EXPECT_EQ(Content(BlockFile("IFNTAdd.c")), "kept by No");
    EXPECT_NE(Content(BlockFile("NTAdd.rc")), "replaced by Yes");
    EXPECT_EQ(Content(BlockFile("KRSave/NTAdd.rc")), "replaced by Yes");
    for (const char* name : {"NTAdd.TBT", "NTAdd.c", "NTAdd.h", "resource.h", "NTAdd.ico",
                             "NTAdd1.ico", "NTAdd.def", "NTAdd.mak"}) {
        EXPECT_TRUE(Exists(name)) << name;
    }
    ASSERT_TRUE(Wizard().generatePage()->lastResult().has_value());
    EXPECT_EQ(Wizard().generatePage()->lastResult()->outcome, RunOutcome::Completed);

    CFinish* finish = Wizard().finishPage();
    EXPECT_TRUE(finish->locationLabel()->text().contains(
        QString::fromStdString(DisplayPath(BlockDirectory()))));
    EXPECT_FALSE(finish->outcomeLabel()->isVisible());
    EXPECT_EQ(finish->subTitle(), "Block generation complete.");
    EXPECT_EQ(finish->trees()->pcTree()->topLevelItem(0)->text(0), "PC Based Components");
    EXPECT_EQ(StateOf(*finish, "IFNTAdd.c"), FileState::Kept);
    EXPECT_EQ(StateOf(*finish, "NTAdd.rc"), FileState::Written);
    EXPECT_EQ(StateOf(*finish, "NTAdd.h"), FileState::Written);
    // A PC block has no Code Composer project.
    EXPECT_FALSE(finish->codeComposerButton()->isEnabled());
    EXPECT_TRUE(finish->visualCppButton()->isEnabled());
    EXPECT_TRUE(Button(QWizard::FinishButton)->isVisible());
    // The run remembered the user's choices for the next new block, the
    // folder clean and in the case the user gave it.
    const std::string blocks = temp.path().toStdString() + "/blocks";
    EXPECT_EQ(settings.read("Settings", "Block Directory", ""), CleanPath(blocks));
}

// The mark beside a file item of tree.
std::string Mark(const QTreeWidget& tree, const char* name) {
    const QTreeWidgetItem* item =
        tree.findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    return item != nullptr ? item->text(1).toStdString() : "<no item>";
}

// Before the run the trees say what it will change; afterwards the completion
// page says what it did.
TEST_F(GeneratePageTest, TheTreesTellWhatARunWillChangeAndWhatItDid) {
    Existing("NTAdd.rc", "edited by hand");
    prompts.overwriteAnswers = {OverwriteAnswer::No};
    OpenAndWalkToGenerate();
    const QTreeWidget& before = *Wizard().generatePage()->trees()->pcTree();
    EXPECT_EQ(Mark(before, "NTAdd.rc"), "changed");
    EXPECT_EQ(Mark(before, "IFNTAdd.c"), "new");
    EXPECT_FALSE(Exists("IFNTAdd.c"));  // nothing written to find that out
    Generate();

    const QTreeWidget& after = *Wizard().finishPage()->trees()->pcTree();
    EXPECT_EQ(Mark(after, "NTAdd.rc"), "skipped");
    EXPECT_EQ(Mark(after, "IFNTAdd.c"), "written");
}

TEST_F(GeneratePageTest, SectionsNotCarriedOverAreToldInOneMessagePerFileAfterTheRun) {
    // Earlier versions left in KRSave: the source's include section with an
    // indented start marker, the header's prototypes alone and without their
    // end marker (the search for the header's first section passes them).
    QDir().mkpath(QString::fromStdString(BlockFile("KRSave")));
    Existing("KRSave/NTAdd.c",
             " //; Include Libraries\r\n#include <math.h>\r\n//; End of Include Libraries\r\n");
    Existing("KRSave/NTAdd.h", "//; External Routine Prototypes\r\nint Mine(void);\r\n");
    OpenAndWalkToGenerate();
    Generate();

    EXPECT_EQ(Wizard().currentId(), FinishPage);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].rfind(DisplayPath(BlockFile("NTAdd.c")) +
                                            ": section \"Include Libraries\": 1 line not carried "
                                            "over, kept in " +
                                            DisplayPath(BlockFile("KRSave/NTAdd.c.")),
                                        0),
              0u)
        << prompts.messages[0];
    EXPECT_EQ(prompts.messages[1].rfind(DisplayPath(BlockFile("NTAdd.h")) +
                                            ": section \"External Routine Prototypes\": 1 line not "
                                            "carried over, kept in ",
                                        0),
              0u)
        << prompts.messages[1];
    ASSERT_TRUE(Wizard().generatePage()->lastResult().has_value());
    EXPECT_EQ(Wizard().generatePage()->lastResult()->leftovers.size(), 2u);
}

TEST_F(GeneratePageTest, SectionsThatWillBeKeptAsideAreMarkedAndTheirFilesListed) {
    // The header's prototypes without their end marker: carried over, but
    // the old text is kept aside too.
    Existing("NTAdd.h", "//; External Routine Prototypes\r\nint Mine(void);\r\n");
    Existing("NTAdd.c", "//; Include Libraries\r\n//; End of Include Libraries\r\n");
    OpenAndWalkToGenerate();
    const QTreeWidget& before = *Wizard().generatePage()->trees()->pcTree();
    EXPECT_EQ(Mark(before, "NTAdd.h"), "changed, sections will be kept aside");
    EXPECT_EQ(Mark(before, "NTAdd.c"), "changed, user sections carried over");
    EXPECT_FALSE(Exists("KRSave"));  // the preview keeps nothing aside itself
    Generate();

    const WrappingText* keptAside = Wizard().finishPage()->keptAsideLabel();
    EXPECT_TRUE(keptAside->isVisible());
    const QStringList lines = keptAside->text().split('\n');
    ASSERT_EQ(lines.size(), 2) << keptAside->text().toStdString();
    EXPECT_EQ(lines[0], "User sections that could not be carried over were kept aside in:");
    EXPECT_TRUE(lines[1].trimmed().startsWith(
        QString::fromStdString(DisplayPath(BlockFile("KRSave/NTAdd.h.")))))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(".orphaned"));
    EXPECT_TRUE(QFile::exists(lines[1].trimmed()));
}

// Files edited by hand since the last run are marked so on the page, with
// where the copy will be; after the run the completion page lists every copy
// kept in KRSave.
TEST_F(GeneratePageTest, FilesEditedByHandAreMarkedAndEveryCopyIsListed) {
    OpenAndWalkToGenerate();
    Generate();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    EXPECT_FALSE(Wizard().finishPage()->copiesLabel()->isVisible());
    for (const char* name : {"NTAdd.h", "IFNTAdd.c"}) {
        std::string text = Content(BlockFile(name));
        text.insert(0, "// by hand\r\n");
        Existing(name, text);
    }
    block.NumInputs = 2;
    Back();
    ASSERT_EQ(Wizard().currentId(), GeneratePage);
    const QTreeWidget& before = *Wizard().generatePage()->trees()->pcTree();
    const std::string handEdited = ", edited by hand \u2014 will be replaced, a copy kept in ";
    EXPECT_EQ(Mark(before, "NTAdd.h"),
              "changed, user sections carried over" + handEdited + DisplayPath("KRSave/NTAdd.h"));
    EXPECT_EQ(Mark(before, "IFNTAdd.c"), "changed" + handEdited + DisplayPath("KRSave/IFNTAdd.c"));
    EXPECT_EQ(Mark(before, "NTAdd.rc"), "changed");

    prompts.overwriteAnswers = {OverwriteAnswer::YesToAll};
    Generate();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    EXPECT_EQ(prompts.losingEditsQuestions.size(), 2u);
    const WrappingText* copies = Wizard().finishPage()->copiesLabel();
    EXPECT_TRUE(copies->isVisible());
    const QStringList lines = copies->text().split('\n');
    EXPECT_EQ(lines[0], "Copies of the replaced files were kept in that folder:");
    const auto listed = [&](const char* name, bool byHand) {
        const QString line = QStringLiteral("    ") +
                             QString::fromStdString(DisplayPath(std::string("KRSave/") + name)) +
                             (byHand ? QStringLiteral("  (edited by hand)") : QString());
        return lines.contains(line);
    };
    EXPECT_TRUE(listed("NTAdd.h", true)) << copies->text().toStdString();
    EXPECT_TRUE(listed("IFNTAdd.c", true));
    EXPECT_TRUE(listed("NTAdd.rc", false));
    EXPECT_TRUE(listed("NTAdd.TBT", false));
    const RunResult& result = *Wizard().generatePage()->lastResult();
    EXPECT_EQ(lines.size() - 1, static_cast<qsizetype>(result.Count(FileAction::BackedUp)));
    EXPECT_NE(Content(BlockFile("KRSave/NTAdd.h")).find("// by hand"), std::string::npos);
}

// A run that wrote nothing says so, remembers none of its folders and
// offers no tool to open projects that are not there.
TEST_F(GeneratePageTest, ARunThatWroteNothingSaysSoAndChangesNoRememberedFolder) {
    customise = [](BLOCKINFO& b) {
        b.RealTime = 1;
        b.FloatingPoint = 1;
    };
    QDir().mkpath(temp.filePath("blocks"));
    QFile plainFile(QString::fromStdString(BlockDirectory()));  // where the folder should be
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    plainFile.close();
    settings.write("Settings", "Block Directory", "/kept");
    OpenAndWalkToGenerate();
    Generate();

    CFinish* finish = Wizard().finishPage();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    EXPECT_NE(Wizard().generatePage()->lastResult()->outcome, RunOutcome::Completed);
    EXPECT_EQ(finish->locationLabel()->text(),
              QStringLiteral("Nothing was written in ") +
                  QString::fromStdString(DisplayPath(BlockDirectory() + "/")));
    EXPECT_FALSE(finish->visualCppButton()->isEnabled());
    EXPECT_FALSE(finish->codeComposerButton()->isEnabled());
    EXPECT_EQ(settings.read("Settings", "Block Directory", ""), "/kept");
}

TEST_F(GeneratePageTest, AStoppedRunLeavesTheToolsWithoutProjectsDisabled) {
    customise = [](BLOCKINFO& b) {
        b.RealTime = 1;
        b.FloatingPoint = 1;
    };
    Existing("NTAdd.h", "the old header");
    prompts.overwriteAnswers = {OverwriteAnswer::Cancel};
    OpenAndWalkToGenerate();
    Generate();
    CFinish* finish = Wizard().finishPage();
    EXPECT_TRUE(
        finish->locationLabel()->text().startsWith("The component was partly generated in "));
    EXPECT_FALSE(finish->visualCppButton()->isEnabled());
    EXPECT_FALSE(finish->codeComposerButton()->isEnabled());

    Back();  // the whole block this time
    Generate();
    EXPECT_TRUE(finish->visualCppButton()->isEnabled());
    EXPECT_TRUE(finish->codeComposerButton()->isEnabled());
}

TEST_F(GeneratePageTest, TheCompletionPageLeadsToTheFolderAndTheCMakeBuild) {
    OpenAndWalkToGenerate();
    Generate();
    CFinish* finish = Wizard().finishPage();
    EXPECT_FALSE(finish->buildCommandsText()->isVisible());  // no CMake project chosen
    ASSERT_TRUE(finish->openFolderButton()->isEnabled());
    finish->openFolderButton()->click();
    ASSERT_EQ(launcher.openedFolders.size(), 1u);
    EXPECT_EQ(NativePath(launcher.openedFolders[0]), NativePath(BlockDirectory() + "/"));

    Back();
    Wizard().generatePage()->cmakeBox()->setChecked(true);
    Generate();
    const QString commands = finish->buildCommandsText()->text();
    EXPECT_TRUE(finish->buildCommandsText()->isVisible());
    EXPECT_TRUE(
        commands.contains(QString::fromStdString("cd \"" + DisplayPath(BlockDirectory() + "/\""))))
        << commands.toStdString();
    EXPECT_TRUE(commands.contains("cmake --build build")) << commands.toStdString();

    launcher.openResult = SHELL_NO_ASSOCIATION;
    finish->openFolderButton()->click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].rfind("The following error occurred while attempting to "
                                        "execute /usr/bin/xdg-open",
                                        0),
              0u);
}

TEST_F(GeneratePageTest, AfterALaunchTheFocusIsWhereItWas) {
    OpenAndWalkToGenerate();
    Generate();
    CFinish* finish = Wizard().finishPage();
    Wizard().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Wizard()));
    settings.write("Settings", "MSDev Path", "C:\\VS\\Common\\MSDev98\\Bin\\MSDEV.EXE");
    finish->visualCppButton()->setFocus();
    finish->visualCppButton()->click();
    EXPECT_EQ(launcher.detached.size(), 1u);  // the IDE was started
    EXPECT_EQ(QApplication::focusWidget(), finish->visualCppButton());
}

TEST_F(GeneratePageTest, ATildeInTheDirectoryIsTheHomeFolderEverywhereAfter) {
    if (RUNNING_ON_WINDOWS) {
        GTEST_SKIP()
            << "no shell takes \"~\" for the home folder on Windows: it is a folder's name";
    }
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", temp.path().toLocal8Bit());
    OpenDescribedBlock();
    NextUntil(FileInfoPage);
    auto* directory = Wizard().currentPage()->findChild<QLineEdit*>(QStringLiteral("directory"));
    directory->setText(QStringLiteral("~/blocks/Tilde"));
    NextUntil(GeneratePage);
    qputenv("HOME", home);
    EXPECT_EQ(block.Directory, temp.path().toStdString() + "/blocks/Tilde");
    Generate();
    EXPECT_TRUE(QFile::exists(temp.filePath("blocks/Tilde/NTAdd.h")));
    EXPECT_TRUE(
        Wizard().finishPage()->locationLabel()->text().endsWith(temp.filePath("blocks/Tilde/")));
    // The next block goes beside this one.
    EXPECT_EQ(settings.read("Settings", "Block Directory", ""),
              temp.path().toStdString() + "/blocks");
}

TEST_F(GeneratePageTest, CancelAtTheFirstExistingFileWritesNothingMore) {
    Existing("NTAdd.h", "the old header");
    prompts.overwriteAnswers = {OverwriteAnswer::Cancel};
    OpenAndWalkToGenerate();
    Generate();

    EXPECT_EQ(Wizard().currentId(), FinishPage);
    ASSERT_EQ(prompts.overwriteQuestions.size(), 1u);
    EXPECT_EQ(Content(BlockFile("NTAdd.h")), "the old header");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(BlockFile("KRSave/NTAdd.h"))));
    // Written before the question, nothing after it.
    EXPECT_TRUE(Exists("NTAdd.TBT"));
    EXPECT_TRUE(Exists("IFNTAdd.c"));
    for (const char* name : {"resource.h", "hresourc.h", "NTAdd.rc", "NTAdd.ico", "NTAdd.lnk",
                             "NTAdd.def", "NTAdd.txt", "NTAdd.dsw", "NTAdd.dsp", "NTAdd.mak"}) {
        EXPECT_FALSE(Exists(name)) << name;
    }
    // The page says what happened and which files were written.
    CFinish* finish = Wizard().finishPage();
    EXPECT_EQ(finish->subTitle(), "Block generation cancelled.");
    EXPECT_TRUE(
        finish->locationLabel()->text().startsWith("The component was partly generated in "));
    EXPECT_TRUE(finish->outcomeLabel()->isVisible());
    EXPECT_TRUE(finish->outcomeLabel()->text().contains("cancelled"));
    EXPECT_EQ(StateOf(*finish, "IFNTAdd.c"), FileState::Written);
    EXPECT_NE(StateOf(*finish, "NTAdd.h"), FileState::Written);
    EXPECT_NE(StateOf(*finish, "NTAdd.h"), FileState::Missing);  // the old header is there
    EXPECT_EQ(StateOf(*finish, "resource.h"), FileState::Missing);
    EXPECT_EQ(StateOf(*finish, "NTAdd.rc"), FileState::Missing);
    const QTreeWidgetItem* missing =
        finish->trees()
            ->pcTree()
            ->findItems("resource.h", Qt::MatchExactly | Qt::MatchRecursive)
            .front();
    EXPECT_EQ(missing->text(1), "not written");
    EXPECT_TRUE(missing->toolTip(0).contains("does not exist"));
    // A double-click on it says so instead of starting the editor on nothing.
    emit finish->trees()->pcTree()->itemDoubleClicked(const_cast<QTreeWidgetItem*>(missing), 0);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{DisplayPath(BlockFile("resource.h")) +
                                       " does not exist: it has not been generated."});
    EXPECT_TRUE(launcher.opened.empty());
}

TEST_F(GeneratePageTest, WhileTheRunWritesNoOtherPageAndNoEndOfTheWizardCanBeReached) {
    Existing("IFNTAdd.c", "old");
    bool asked = false;
    prompts.onOverwrite = [&](const std::string&) {
        asked = true;
        CGenerate* page = Wizard().generatePage();
        EXPECT_TRUE(page->isRunning());
        EXPECT_FALSE(page->generateButton()->isVisible());
        EXPECT_FALSE(page->trees()->isVisible());
        EXPECT_TRUE(page->progressBar()->isVisible());
        EXPECT_EQ(page->progressBar()->maximum(), static_cast<int>(RunFileSet(block).size()));
        // The question names the file the run has come to.
        EXPECT_EQ(page->progressLabel()->text(), "Writing IFNTAdd.c");
        EXPECT_FALSE(Button(QWizard::BackButton)->isEnabled());
        EXPECT_FALSE(Button(QWizard::CancelButton)->isEnabled());
        Wizard().reject();  // Escape or the close box
        EXPECT_TRUE(Wizard().isVisible());
        EXPECT_EQ(Wizard().currentId(), GeneratePage);
    };
    OpenAndWalkToGenerate();
    Generate();
    EXPECT_TRUE(asked);
    EXPECT_EQ(Wizard().currentId(), FinishPage);
    EXPECT_TRUE(Button(QWizard::BackButton)->isEnabled());
    EXPECT_TRUE(Button(QWizard::CancelButton)->isEnabled());

    // Back on the generate page, a second run can start again.
    Back();
    EXPECT_EQ(Wizard().currentId(), GeneratePage);
    EXPECT_TRUE(Wizard().generatePage()->generateButton()->isVisible());
    EXPECT_FALSE(Button(QWizard::NextButton)->isEnabled());
}

TEST_F(GeneratePageTest, TheSpliceQuestionComesWithTheProgressNamingItsFile) {
    Existing("NTAdd.h",
             "//; External Routine Prototypes\r\n//; End of External Routine Prototypes\r\n");
    std::vector<QString> shownWhenAsked;
    prompts.onQuestion = [&](const std::string&) {
        shownWhenAsked.push_back(Wizard().generatePage()->progressLabel()->text());
    };
    OpenAndWalkToGenerate();
    Generate();
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_NE(prompts.questions[0].find("NTAdd.h"), std::string::npos);
    EXPECT_EQ(shownWhenAsked, std::vector<QString>{QStringLiteral("Writing NTAdd.h")});
}

TEST_F(GeneratePageTest, ARefusedDefinitionEndsOnTheCompletionPageSayingNothingWasWritten) {
    if (RUNNING_ON_WINDOWS) {
        GTEST_SKIP() << "whatever the run refuses on Windows, the page's check refuses first";
    }
    // The run's own refusal, which the page's check leaves to it: a Windows
    // path names no folder on this system.
    customise = [](BLOCKINFO& b) { b.Directory = "c:\\blocks\\NTAdd"; };
    OpenAndWalkToGenerate();
    Generate();
    EXPECT_EQ(Wizard().currentId(), FinishPage);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(Wizard().finishPage()->outcomeLabel()->text().contains("Nothing was generated"));
    EXPECT_EQ(Wizard().finishPage()->subTitle(), "Block generation refused.");
    EXPECT_FALSE(Wizard().finishPage()->locationLabel()->isVisible());
    EXPECT_EQ(StateOf(*Wizard().finishPage(), "IFNTAdd.c"), FileState::Missing);
}

// A fault of the program's own during the preview or the run is told as an
// internal error; the page stays usable and a later run goes through.
TEST_F(GeneratePageTest, AnInternalErrorIsToldAndLeavesThePageAsItWas) {
    const std::string told = "Internal error: pattern \"<nmae>\" names no variable";
    OpenDescribedBlock(customise);
    NextUntil(GeneratePage - 1);
    clock.fault = "pattern \"<nmae>\" names no variable";
    Next();
    CGenerate* page = Wizard().generatePage();
    ASSERT_EQ(Wizard().currentId(), GeneratePage);
    ASSERT_FALSE(prompts.messages.empty());  // the preview that marks the trees
    EXPECT_EQ(prompts.messages.back(), told);
    EXPECT_EQ(prompts.icons.back(), MessageIcon::Stop);

    const size_t before = prompts.messages.size();
    Generate();
    ASSERT_EQ(prompts.messages.size(), before + 1);
    EXPECT_EQ(prompts.messages.back(), told);
    EXPECT_EQ(prompts.icons.back(), MessageIcon::Stop);
    EXPECT_EQ(Wizard().currentId(), GeneratePage);
    EXPECT_FALSE(page->isRunning());
    EXPECT_FALSE(page->lastResult().has_value());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(page->generateButton()->isVisible());
    EXPECT_FALSE(page->progressBar()->isVisible());
    EXPECT_FALSE(Button(QWizard::NextButton)->isEnabled());
    EXPECT_TRUE(Button(QWizard::BackButton)->isEnabled());
    EXPECT_TRUE(Button(QWizard::CancelButton)->isEnabled());

    clock.fault.clear();
    Generate();
    EXPECT_EQ(Wizard().currentId(), FinishPage);
    EXPECT_EQ(Wizard().generatePage()->lastResult()->outcome, RunOutcome::Completed);
}

// A folder another run holds: the page says so in a message box, writes
// nothing, and the completion page says nothing was written.
TEST_F(GeneratePageTest, AFolderAnotherRunHoldsIsToldAndLeftAsItWas) {
    Existing("NTAdd.h", "the old header");
    std::unique_ptr<BlockFolder> folder;
    ASSERT_TRUE(BlockFolder::Open(BlockDirectory(), false, folder));
    FolderLock held;
    ASSERT_TRUE(held.Take(*folder));
    OpenAndWalkToGenerate();
    Generate();

    ASSERT_EQ(Wizard().currentId(), FinishPage);
    const std::string busy = "another run is writing to " + NativePath(BlockDirectory());
    EXPECT_NE(std::find(prompts.messages.begin(), prompts.messages.end(), busy),
              prompts.messages.end());
    EXPECT_EQ(Wizard().generatePage()->lastResult()->outcome, RunOutcome::Aborted);
    EXPECT_EQ(Content(BlockFile("NTAdd.h")), "the old header");
    EXPECT_FALSE(Exists("NTAdd.TBT"));
}

}  // namespace
}  // namespace bw
