// The wizard's prompts: the overwrite dialog and the message boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/overwrite_dialog.h"
#include "app/qt_prompts.h"
#include "generation/paths.h"

namespace bw {
namespace {

// Runs act on the modal window once it is up.
void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(modal);
    });
}

TEST(OverwriteDialog, EachButtonGivesItsAnswerAndEscapeOrTheCloseBoxCancel) {
    for (OverwriteAnswer answer : {OverwriteAnswer::Yes, OverwriteAnswer::No,
                                   OverwriteAnswer::YesToAll, OverwriteAnswer::Cancel}) {
        OverwriteDialog dialog("/x/y.c");
        WhenModal([&](QWidget*) { dialog.buttonFor(answer)->click(); });
        EXPECT_EQ(dialog.ask(), answer);
    }
    {
        OverwriteDialog dialog("/x/y.c");
        WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        EXPECT_EQ(dialog.ask(), OverwriteAnswer::Cancel);
    }
    {
        OverwriteDialog dialog("/x/y.c");
        WhenModal([](QWidget* modal) { modal->close(); });
        EXPECT_EQ(dialog.ask(), OverwriteAnswer::Cancel);
    }
    {
        // Enter takes the default answer, Yes.
        OverwriteDialog dialog("/x/y.c");
        WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
        EXPECT_EQ(dialog.ask(), OverwriteAnswer::Yes);
    }
}

TEST(QtPrompts, AsksTheOverwriteQuestionWithTheDialog) {
    QtPrompts prompts;
    QString seen;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<OverwriteDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        seen = dialog->pathField()->text();
        EXPECT_EQ(dialog->windowTitle(), "Tessaline Blockwright");
        EXPECT_TRUE(dialog->pathField()->isReadOnly());
        dialog->buttonFor(OverwriteAnswer::YesToAll)->click();
    });
    EXPECT_EQ(prompts.askOverwrite("/b/NTAdd.h"), OverwriteAnswer::YesToAll);
    EXPECT_EQ(seen, QString::fromStdString(DisplayPath("/b/NTAdd.h")));
}

// A file whose hand edits would be replaced: the dialog says so and where the
// copy goes, and Return answers No.
TEST(QtPrompts, TheQuestionAboutHandEditsSaysSoAndReturnKeepsTheFile) {
    QtPrompts prompts;
    QString note;
    WhenModal([&](QWidget* modal) {
        auto* label = modal->findChild<QLabel*>(QStringLiteral("losingEdits"));
        ASSERT_NE(label, nullptr);
        note = label->text();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    EXPECT_EQ(prompts.askOverwriteLosingEdits("/b/DSPCODE/_Gain.c", "edited by hand: a copy kept",
                                              FileAccess::Writable),
              OverwriteAnswer::No);
    EXPECT_EQ(note, "edited by hand: a copy kept");

    WhenModal([](QWidget* modal) {
        EXPECT_NE(modal->findChild<QLabel*>(QStringLiteral("losingEdits")), nullptr);
        qobject_cast<OverwriteDialog*>(modal)->buttonFor(OverwriteAnswer::Yes)->click();
    });
    EXPECT_EQ(prompts.askOverwriteLosingEdits("/b/Gain.h", "note", FileAccess::ReadOnly),
              OverwriteAnswer::Yes);
    // Other files keep Yes as the default, and no note.
    WhenModal([](QWidget* modal) {
        EXPECT_EQ(modal->findChild<QLabel*>(QStringLiteral("losingEdits")), nullptr);
        QTest::keyClick(modal, Qt::Key_Return);
    });
    EXPECT_EQ(prompts.askOverwrite("/b/Gain.h"), OverwriteAnswer::Yes);
}

TEST(QtPrompts, MessagesAndQuestionsAreMessageBoxesWithTheirIcon) {
    QtPrompts prompts;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        text = box->text();
        EXPECT_EQ(box->windowTitle(), "Tessaline Blockwright");
        box->accept();
    });
    prompts.showMessage("xDAIS.BMP not found.", MessageIcon::Stop);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(text, "xDAIS.BMP not found.");

    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(prompts.askYesNo("Overwrite?", MessageIcon::Exclamation));
    EXPECT_EQ(icon, QMessageBox::Warning);

    WhenModal([&](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(prompts.askYesNo("Escape is No?", MessageIcon::Question));
    WhenModal([&](QWidget* modal) {
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(prompts.askYesNo("Yes?", MessageIcon::Question));
}

TEST(QtPrompts, TheDiscardQuestionKeepsTheWorkOnReturn) {
    QtPrompts prompts;
    WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
    EXPECT_FALSE(
        prompts.askYesNoKeepingWork("Discard the changes to block X?", MessageIcon::Question));
    WhenModal([](QWidget* modal) {
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(prompts.askYesNoKeepingWork("Discard?", MessageIcon::Question));
}

}  // namespace
}  // namespace bw
