// F1 and Help open the manual at the page's own section, through the
// launcher; the manual installed with the program has those sections and
// tells what the manual page tells of the command line.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "generation/paths.h"
#include "wizard/generate.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

constexpr const char* MANUAL = "/usr/share/blockwright/manual.html";

// The sections, in the pages' order.
const std::vector<std::string> PAGE_SECTIONS = {
    "open",       "names",        "files",      "data",     "revision", "channels",
    "parameters", "local-arrays", "persistent", "generate", "finish",
};

QString SourceFile(const char* relative) {
    QFile file(QStringLiteral(BLOCKWRIGHT_SOURCE_DIR "/") + QString::fromUtf8(relative));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class HelpTest : public WizardFixture {
protected:
    HelpTest() { context.manualPath = MANUAL; }

    // The section the last request to open the manual asked for.
    std::string LastSection() const {
        if (launcher.manualOpens.empty()) {
            return "(none)";
        }
        EXPECT_EQ(launcher.manualOpens.back()[0], MANUAL);
        return launcher.manualOpens.back()[1];
    }

    void PressF1() {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused != nullptr ? focused : &Wizard(), Qt::Key_F1);
    }
};

TEST_F(HelpTest, F1OnEveryPageOpensThatPagesSection) {
    Wizard().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Wizard()));
    PressF1();
    EXPECT_EQ(LastSection(), PAGE_SECTIONS[OpenFilePage]);
    OpenDescribedBlock();
    for (int page = VisibleInfoPage; page < PAGE_COUNT; ++page) {
        if (page == FinishPage) {
            Wizard().generatePage()->generateButton()->click();
        } else {
            NextUntil(page);
        }
        ASSERT_EQ(Wizard().currentId(), page);
        PressF1();
        EXPECT_EQ(LastSection(), PAGE_SECTIONS[static_cast<size_t>(page)]) << "page " << page + 1;
    }
    EXPECT_EQ(launcher.manualOpens.size(), PAGE_SECTIONS.size());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(HelpTest, TheHelpButtonOpensTheSectionOfThePageInHand) {
    OpenDescribedBlock();
    NextUntil(IOInfoPage);
    QAbstractButton* help = Button(QWizard::HelpButton);
    ASSERT_TRUE(help->isVisible());
    EXPECT_EQ(help->text(), "Help");
    help->click();
    EXPECT_EQ(LastSection(), "channels");
}

TEST_F(HelpTest, AManualThatCannotBeOpenedIsToldWithItsPath) {
    launcher.openResult = SHELL_FILE_NOT_FOUND;
    Button(QWizard::HelpButton)->click();
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"The manual could not be opened: " + DisplayPath(MANUAL) +
                                       "\n\nThe specified file was not found."});
}

TEST(Manual, HasASectionForEveryPageAndEveryCommandLineOptionOfTheManualPage) {
    const QString manual = SourceFile("packaging/manual.html");
    ASSERT_FALSE(manual.isEmpty());
    for (int page = 0; page < PAGE_COUNT; ++page) {
        EXPECT_EQ(HelpSection(page), PAGE_SECTIONS[static_cast<size_t>(page)]);
        EXPECT_TRUE(manual.contains(QString::fromStdString("id=\"" + HelpSection(page) + "\"")))
            << HelpSection(page);
    }
    // The manual page writes an option as \-\-name.
    const QString manualPage = SourceFile("packaging/blockwright.1");
    ASSERT_FALSE(manualPage.isEmpty());
    QRegularExpressionMatchIterator options =
        QRegularExpression(QStringLiteral(R"(\\-\\-([a-z]+))")).globalMatch(manualPage);
    int found = 0;
    while (options.hasNext()) {
        const QString option = QStringLiteral("--") + options.next().captured(1);
        EXPECT_TRUE(manual.contains(option)) << option.toStdString();
        ++found;
    }
    EXPECT_GE(found, 6);
    for (const char* name :
         {"generate", "check", "SOURCE_DATE_EPOCH", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"}) {
        EXPECT_TRUE(manualPage.contains(QString::fromUtf8(name))) << name;
        EXPECT_TRUE(manual.contains(QString::fromUtf8(name))) << name;
    }
}

}  // namespace
}  // namespace bw
