// The item dialogs on their own: adding, changing, removing and reordering
// items, and the browse box's two lists kept in step.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "wizard/item_dialogs.h"

namespace bw {
namespace {

// Answers each "Add New Item" or "Modify Item" with the next text, or cancels
// when the texts have run out.
struct ItemAnswers {
    int operator()(QDialog& dialog) {
        auto& item = static_cast<CItemTextDialog&>(dialog);
        titles << item.windowTitle();
        shownTexts << item.text();
        if (texts.isEmpty()) {
            return QDialog::Rejected;
        }
        item.edit()->setText(texts.takeFirst());
        return item.okButton()->isEnabled() ? QDialog::Accepted : QDialog::Rejected;
    }
    QStringList texts;
    QStringList titles;
    QStringList shownTexts;
};

// Wide enough that an item, a caption or a filter of a usual length reads whole.
TEST(ItemDialogs, TheAddDialogsShowAUsualFilterWhole) {
    const QString filter = QStringLiteral("Coefficients (*.coe)|*.coe");
    CItemTextDialog item(QStringLiteral("Add New Item"), filter);
    CFilterDialog filters;
    filters.captionEdit()->setText(filter);
    filters.filterEdit()->setText(filter);
    item.show();
    filters.show();
    QApplication::processEvents();
    for (const QLineEdit* edit : {item.edit(), filters.captionEdit(), filters.filterEdit()}) {
        EXPECT_GT(edit->width(), edit->fontMetrics().horizontalAdvance(filter) + 8)
            << edit->width();
    }
    EXPECT_EQ(filters.captionEdit()->x(), filters.filterEdit()->x());
}

TEST(ItemDialogs, ItemFieldNeedsTextForOk) {
    CItemTextDialog dialog(QStringLiteral("Add New Item"), QString());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    QTest::keyClicks(dialog.edit(), "x");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    dialog.edit()->clear();
    EXPECT_FALSE(dialog.okButton()->isEnabled());
}

TEST(ItemDialogs, AddModifyAndRemoveKeepASensibleSelection) {
    ItemAnswers answers;
    answers.texts = {"Low", "", "High", "Medium"};
    CItemConfigDialog dialog(QStringLiteral("Level - Combo Box Configuration"), {"Off"},
                             std::ref(answers));
    dialog.addButton()->click();
    EXPECT_EQ(dialog.list()->currentRow(), 1);
    dialog.addButton()->click();  // an empty item cannot be added
    dialog.addButton()->click();
    EXPECT_EQ(dialog.items(), (QStringList{"Off", "Low", "High"}));
    EXPECT_EQ(dialog.list()->currentRow(), 2);

    dialog.list()->setCurrentRow(1);
    dialog.modifyItem();  // what a double-click does
    EXPECT_EQ(answers.titles.last(), "Modify Item");
    EXPECT_EQ(answers.shownTexts.last(), "Low");
    EXPECT_EQ(dialog.items(), (QStringList{"Off", "Medium", "High"}));

    dialog.list()->clearSelection();
    dialog.modifyItem();  // nothing selected: an Add
    EXPECT_EQ(answers.titles.last(), "Add New Item");

    dialog.list()->setCurrentRow(1);
    dialog.removeButton()->click();
    EXPECT_EQ(dialog.items(), (QStringList{"Off", "High"}));
    EXPECT_EQ(dialog.list()->currentRow(), 1);  // the item now at its place
    dialog.removeButton()->click();
    EXPECT_EQ(dialog.list()->currentRow(), 0);  // or the last
    dialog.removeButton()->click();
    dialog.removeButton()->click();
    EXPECT_TRUE(dialog.items().isEmpty());
}

TEST(ItemDialogs, ItemsMoveByButtonsAndByDragging) {
    CItemConfigDialog dialog(QStringLiteral("Mode - Radio Button Configuration"), {"A", "B", "C"},
                             ExecDialog);
    EXPECT_TRUE(dialog.upButton()->isEnabled());
    EXPECT_TRUE(dialog.downButton()->isEnabled());
    dialog.list()->setCurrentRow(0);
    dialog.upButton()->click();  // already first
    dialog.downButton()->click();
    dialog.downButton()->click();
    dialog.downButton()->click();  // already last
    EXPECT_EQ(dialog.items(), (QStringList{"B", "C", "A"}));
    EXPECT_EQ(dialog.list()->currentRow(), 2);
    dialog.upButton()->click();
    EXPECT_EQ(dialog.items(), (QStringList{"B", "A", "C"}));

    // A drag within the list moves the row in the list's model.
    EXPECT_EQ(dialog.list()->dragDropMode(), QAbstractItemView::InternalMove);
    ASSERT_TRUE(dialog.list()->model()->moveRow(QModelIndex(), 2, QModelIndex(), 0));
    EXPECT_EQ(dialog.items(), (QStringList{"C", "B", "A"}));
}

TEST(ItemDialogs, BrowseBoxKeepsItsListsInStep) {
    int opened = 0;
    auto addTxt = [&](QDialog& dialog) {
        ++opened;
        auto& filter = static_cast<CFilterDialog&>(dialog);
        EXPECT_EQ(filter.windowTitle(), "Add Filter");
        filter.captionEdit()->setText("Text Files");
        EXPECT_FALSE(filter.okButton()->isEnabled());
        filter.filterEdit()->setText("*.txt");
        EXPECT_TRUE(filter.okButton()->isEnabled());
        return int(QDialog::Accepted);
    };
    CBrowseBoxConfigDialog dialog(QStringLiteral("Input - Browse Box Configuration"),
                                  {"All Files|*.*", "Odd|a|b", "Bare"}, addTxt);
    ASSERT_EQ(dialog.captionList()->count(), 3);
    EXPECT_EQ(dialog.captionList()->item(1)->text(), "Odd");  // split at the first bar
    EXPECT_EQ(dialog.filterList()->item(1)->text(), "a|b");
    EXPECT_EQ(dialog.filterList()->item(2)->text(), "");

    dialog.filterList()->setCurrentRow(1);
    EXPECT_EQ(dialog.captionList()->currentRow(), 1);
    dialog.removeButton()->click();
    EXPECT_EQ(dialog.captionList()->currentRow(), 1);
    EXPECT_EQ(dialog.filterList()->currentRow(), 1);

    dialog.addButton()->click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(dialog.filterList()->currentRow(), 2);
    dialog.upButton()->click();
    dialog.upButton()->click();
    EXPECT_EQ(dialog.items(), (QStringList{"Text Files|*.txt", "All Files|*.*", "Bare|"}));
    EXPECT_EQ(dialog.captionList()->currentRow(), 0);
    EXPECT_EQ(dialog.filterList()->currentRow(), 0);
    dialog.downButton()->click();
    EXPECT_EQ(dialog.items(), (QStringList{"All Files|*.*", "Text Files|*.txt", "Bare|"}));
}

}  // namespace
}  // namespace bw
