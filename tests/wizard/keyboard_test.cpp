// The keyboard: one mnemonic per key on every page (the sheet's buttons
// included), Tab out of multi-line fields, New ready for the name, Tab
// following the layout on every page, and Tab into a radio group landing on
// its checked button.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <map>

#include "wizard/description_dialog.h"
#include "wizard/finish.h"
#include "wizard/generate.h"
#include "wizard/record_list_page.h"
#include "wizard/type_radio_group.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

// The mnemonic letter of a text ("&&" is a literal ampersand), upper-cased, or 0.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'&') {
            if (text[i + 1] != u'&') {
                return text[i + 1].toUpper();
            }
            ++i;
        }
    }
    return QChar();
}

// Every mnemonic the window offers now, with the texts that carry it.
std::map<QChar, QStringList> VisibleMnemonics(QWidget& window) {
    std::map<QChar, QStringList> found;
    auto note = [&](const QString& text) {
        const QChar key = Mnemonic(text);
        if (!key.isNull()) {
            found[key] << text;
        }
    };
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(&window)) {
            note(button->text());
        }
    }
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&window) && label->buddy() != nullptr) {
            note(label->text());
        }
    }
    for (QGroupBox* group : window.findChildren<QGroupBox*>()) {
        if (group->isVisibleTo(&window)) {
            note(group->title());
        }
    }
    return found;
}

// Whether a page's widget can take the focus by Tab now.
bool IsTabStop(const QWidget* widget, const QWidget* page) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->isEnabled() &&
           widget->isVisibleTo(page) && page->isAncestorOf(widget) &&
           widget->focusProxy() == nullptr;
}

// The layout items from layout down to the one that holds target (the widget
// itself, or the nearest widget around it that lays it out): where target
// sits in the reading order of each layout on the way.
bool PathTo(QLayout* layout, const QWidget* target, QList<QLayoutItem*>& path) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        path.push_back(item);
        if (QWidget* widget = item->widget()) {
            if (widget == target) {
                return true;
            }
            if (widget->isAncestorOf(target)) {
                if (widget->layout() == nullptr || PathTo(widget->layout(), target, path)) {
                    return true;
                }
            }
        } else if (item->layout() != nullptr && PathTo(item->layout(), target, path)) {
            return true;
        }
        path.pop_back();
    }
    return false;
}

// True when b comes after a in reading order: below it, or beside it on the
// right. Both are items of one layout, so their geometries compare.
bool ReadsAfter(const QRect& a, const QRect& b) {
    if (b.top() >= a.bottom() - 2) {
        return true;
    }
    if (b.bottom() <= a.top() + 2) {
        return false;
    }
    return b.center().x() > a.center().x();
}

QString Describe(const QWidget* widget) {
    QString text;
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        text = button->text();
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        text = edit->text();
    }
    return QString::fromLatin1(widget->metaObject()->className()) + u' ' + widget->objectName() +
           QStringLiteral(" \"") + text + u'"';
}

class KeyboardTest : public WizardFixture {
protected:
    void ExpectUniqueMnemonics() {
        for (const auto& [key, texts] : VisibleMnemonics(Wizard())) {
            EXPECT_EQ(texts.size(), 1)
                << "page " << Wizard().currentId() + 1 << ": Alt+" << QString(key).toStdString()
                << " on " << texts.join(QStringLiteral(", ")).toStdString();
        }
    }

    // Presses Tab from the page's first stop until the focus leaves the page
    // or comes round again: each stop must read after the one before in the
    // layout they share, and a radio button reached must be the checked one.
    void ExpectTabFollowsTheLayout() {
        QWidget* page = Wizard().currentPage();
        const std::string where = "page " + std::to_string(Wizard().currentId() + 1) + ": ";
        QWidget* first = page->nextInFocusChain();
        while (first != page && !IsTabStop(first, page)) {
            first = first->nextInFocusChain();
        }
        if (first == page) {
            return;  // only the sheet's buttons
        }
        first->setFocus(Qt::TabFocusReason);
        QList<QWidget*> stops{first};
        while (stops.size() < 100) {
            QTest::keyClick(Wizard().focusWidget(), Qt::Key_Tab);
            QWidget* next = Wizard().focusWidget();
            if (next == first || !page->isAncestorOf(next)) {
                break;
            }
            stops << next;
        }
        for (QWidget* stop : stops) {
            if (auto* radio = qobject_cast<QRadioButton*>(stop)) {
                EXPECT_TRUE(radio->isChecked())
                    << where << "Tab lands on the unchecked " << Describe(radio).toStdString();
            }
        }
        for (qsizetype i = 1; i < stops.size(); ++i) {
            QList<QLayoutItem*> before;
            QList<QLayoutItem*> after;
            ASSERT_TRUE(PathTo(page->layout(), stops[i - 1], before)) << where;
            ASSERT_TRUE(PathTo(page->layout(), stops[i], after)) << where;
            qsizetype shared = 0;
            while (shared < before.size() && shared < after.size() &&
                   before[shared] == after[shared]) {
                ++shared;
            }
            if (shared == before.size() || shared == after.size()) {
                continue;  // one lays the other out
            }
            EXPECT_TRUE(ReadsAfter(before[shared]->geometry(), after[shared]->geometry()))
                << where << "Tab goes from " << Describe(stops[i - 1]).toStdString() << " to "
                << Describe(stops[i]).toStdString() << ", which comes earlier on the page";
        }
    }

    void NextPage() {
        const int before = Wizard().currentId();
        Next();
        ASSERT_NE(Wizard().currentId(), before) << "Next refused on page " << before + 1;
    }
};

TEST_F(KeyboardTest, EveryPageHasOneControlPerMnemonic) {
    Wizard();
    ExpectUniqueMnemonics();  // page 1
    // A DSP-based block with a record of each kind shows every control the pages have.
    OpenDescribedBlock([](BLOCKINFO& b) {
        b.RealTime = 1;
        b.Integer = 1;
        b.FloatingPoint = 1;
        b.NumParameters = b.NumLocalArrays = b.NumPersistants = 1;
    });
    while (Wizard().currentId() != GeneratePage) {
        ExpectUniqueMnemonics();
        NextPage();
    }
    ExpectUniqueMnemonics();
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    ExpectUniqueMnemonics();
}

TEST_F(KeyboardTest, TabFollowsTheLayoutOnEveryPage) {
    Wizard().activateWindow();
    ExpectTabFollowsTheLayout();  // page 1, only text
    // A DSP-based block with a record of each kind shows every control.
    OpenDescribedBlock([](BLOCKINFO& b) {
        b.RealTime = 1;
        b.Integer = 1;
        b.FloatingPoint = 1;
        b.NumParameters = b.NumLocalArrays = b.NumPersistants = 1;
    });
    while (Wizard().currentId() != GeneratePage) {
        ExpectTabFollowsTheLayout();
        NextPage();
    }
    ExpectTabFollowsTheLayout();
    Wizard().generatePage()->generateButton()->click();
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    ExpectTabFollowsTheLayout();
}

TEST_F(KeyboardTest, TabLeavesTheMultiLineFieldsWithoutTypingATab) {
    OpenDescribedBlock();
    auto* detailed = Wizard().currentPage()->findChild<QPlainTextEdit*>();
    ASSERT_NE(detailed, nullptr);
    EXPECT_TRUE(detailed->tabChangesFocus());
    detailed->setPlainText(QStringLiteral("kept"));
    QTest::keyClick(detailed, Qt::Key_Tab);
    EXPECT_EQ(detailed->toPlainText(), "kept");

    CDescriptionDialog dialog(QStringLiteral("gain"), QStringLiteral("as typed"));
    EXPECT_TRUE(dialog.edit()->tabChangesFocus());
    QTest::keyClick(dialog.edit(), Qt::Key_Tab);
    EXPECT_EQ(dialog.description(), "as typed");
}

TEST_F(KeyboardTest, NewOnARecordPagePutsTheFocusInTheNameField) {
    OpenDescribedBlock();
    while (Wizard().currentId() != ParameterInfoPage) {
        NextPage();
    }
    for (int page = ParameterInfoPage; page <= PersistantInfoPage; ++page) {
        auto* records = static_cast<CRecordListPage*>(Wizard().currentPage());
        records->newButton()->click();
        EXPECT_EQ(Wizard().focusWidget(), records->nameEdit()) << "page " << page + 1;
        EXPECT_EQ(records->nameEdit()->selectedText(), records->nameEdit()->text());
        NextPage();
    }
}

// Name, Default, New, Delete and every type button of the three record pages
// are reached with Alt and a letter.
TEST_F(KeyboardTest, TheRecordPagesFieldsAndButtonsHaveMnemonics) {
    OpenDescribedBlock(
        [](BLOCKINFO& b) { b.NumParameters = b.NumLocalArrays = b.NumPersistants = 1; });
    NextUntil(ParameterInfoPage);
    // Alt+E reaches the default value, Alt+M the name.
    Wizard().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Wizard()));
    QTest::keyClick(&Wizard(), Qt::Key_E, Qt::AltModifier);
    QWidget* focused = Wizard().focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->metaObject()->className(), std::string("QLineEdit"))
        << Describe(focused).toStdString();
    EXPECT_NE(focused, static_cast<CRecordListPage*>(Wizard().currentPage())->nameEdit());
    QTest::keyClick(&Wizard(), Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(Wizard().focusWidget(),
              static_cast<CRecordListPage*>(Wizard().currentPage())->nameEdit());
    for (int page = ParameterInfoPage; page <= PersistantInfoPage; ++page) {
        const std::string where = "page " + std::to_string(page + 1) + ": ";
        QStringList without;
        for (QAbstractButton* button : Wizard().currentPage()->findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(Wizard().currentPage()) && Mnemonic(button->text()).isNull() &&
                !button->text().startsWith(QStringLiteral("Can't"))) {
                without << button->text();
            }
        }
        for (QLabel* label : Wizard().currentPage()->findChildren<QLabel*>()) {
            if (label->isVisibleTo(Wizard().currentPage()) && label->text().endsWith(u':') &&
                label->buddy() == nullptr) {
                without << label->text();
            }
        }
        without.removeAll(QStringLiteral("Parameters:"));  // the lists' headings
        without.removeAll(QStringLiteral("Arrays:"));
        without.removeAll(QStringLiteral("Persistent variables:"));
        EXPECT_TRUE(without.isEmpty()) << where << without.join(QStringLiteral(", ")).toStdString();
        NextPage();
    }
}

// Return presses Next, Finish or the page's own default: the focus starts
// on a field or on that button, never on About, Help, Open or Open Folder.
TEST_F(KeyboardTest, ReturnIsNextOrFinishFromTheFirstPageToTheLast) {
    Wizard().activateWindow();
    const QList<QAbstractButton*> neverPressedByReturn = {Button(QWizard::HelpButton),
                                                          Button(QWizard::CustomButton1),
                                                          Button(QWizard::CustomButton2)};  // About
    for (QAbstractButton* button : neverPressedByReturn) {
        EXPECT_FALSE(qobject_cast<QPushButton*>(button)->autoDefault())
            << button->text().toStdString();
        EXPECT_NE(Wizard().focusWidget(), button) << button->text().toStdString();
    }
    QTest::keyClick(Wizard().focusWidget(), Qt::Key_Return);
    ASSERT_EQ(Wizard().currentId(), VisibleInfoPage);  // New

    Back();
    OpenDescribedBlock([](BLOCKINFO& b) { b.NumParameters = 1; });
    while (Wizard().currentId() != GeneratePage) {
        QWidget* focused = Wizard().focusWidget();
        ASSERT_NE(focused, nullptr);
        EXPECT_TRUE(Wizard().currentPage()->isAncestorOf(focused) ||
                    focused == Button(QWizard::NextButton))
            << "page " << Wizard().currentId() + 1 << ": " << Describe(focused).toStdString();
        const int before = Wizard().currentId();
        QTest::keyClick(focused, Qt::Key_Return);
        ASSERT_EQ(Wizard().currentId(), before + 1) << "Return on page " << before + 1;
    }
    // The generate page's own default is Generate Code; then Finish.
    EXPECT_EQ(Wizard().focusWidget(), Wizard().generatePage()->generateButton());
    QTest::keyClick(Wizard().focusWidget(), Qt::Key_Return);
    ASSERT_EQ(Wizard().currentId(), FinishPage);
    EXPECT_EQ(Wizard().focusWidget(), Button(QWizard::FinishButton))
        << Describe(Wizard().focusWidget()).toStdString();
    EXPECT_FALSE(Wizard().finishPage()->openFolderButton()->autoDefault());
    QTest::keyClick(Wizard().focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(launcher.openedFolders.empty());
    EXPECT_EQ(Wizard().result(), QDialog::Accepted);
    EXPECT_FALSE(Wizard().isVisible());
}

TEST_F(KeyboardTest, OnlyTheCheckedRadioButtonIsReachedByTab) {
    TypeRadioGroup group({{"Byte", TYPE_BYTE}, {"Char", TYPE_CHAR}, {"Long", TYPE_LONG}}, 1);
    group.setCode(TYPE_CHAR);
    auto tabStops = [&] {
        QStringList stops;
        for (QRadioButton* button : group.findChildren<QRadioButton*>()) {
            if (button->focusPolicy() & Qt::TabFocus) {
                stops << button->text();
            }
        }
        return stops;
    };
    EXPECT_EQ(tabStops(), QStringList{QStringLiteral("Char")});
    group.button(TYPE_LONG)->click();
    EXPECT_EQ(tabStops(), QStringList{QStringLiteral("Long")});
}

}  // namespace
}  // namespace bw
