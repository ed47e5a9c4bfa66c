// The keyboard: one mnemonic per key on every page (the sheet's buttons
// included), Tab out of multi-line fields, New ready for the name, and Tab
// into a radio group landing on its checked button.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <map>

#include "wizard/description_dialog.h"
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

class KeyboardTest : public WizardFixture {
protected:
    void ExpectUniqueMnemonics() {
        for (const auto& [key, texts] : VisibleMnemonics(Wizard())) {
            EXPECT_EQ(texts.size(), 1)
                << "page " << Wizard().currentId() + 1 << ": Alt+" << QString(key).toStdString()
                << " on " << texts.join(QStringLiteral(", ")).toStdString();
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
    // A DSP-based block shows every control the pages have.
    OpenDescribedBlock([](BLOCKINFO& b) {
        b.RealTime = 1;
        b.Integer = 1;
        b.FloatingPoint = 1;
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
