#include "wizard/item_dialogs.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "definition/value_rules.h"
#include "wizard/refusal_mark.h"

namespace bw {

namespace {

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// The small dialogs are wide enough for a caption or a filter list to be read whole.
void SetReadableWidth(QDialog* dialog) {
    dialog->setMinimumWidth(dialog->fontMetrics().averageCharWidth() * 48);
}

// The column of "&Add...", "&Remove", "Move &Up" and "Move &Down".
QVBoxLayout* ButtonColumn(QPushButton* add, QPushButton* remove, QPushButton* up,
                          QPushButton* down) {
    auto* column = new QVBoxLayout;
    for (QPushButton* button : {add, remove, up, down}) {
        button->setAutoDefault(false);
        column->addWidget(button);
    }
    column->addStretch();
    return column;
}

// Moves the row one place towards step (-1 up, +1 down) and keeps it selected;
// false when there is no row or no place to go.
bool MoveRow(QListWidget* list, int row, int step) {
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list->count()) {
        return false;
    }
    list->insertItem(target, list->takeItem(row));
    list->setCurrentRow(target);
    return true;
}

// After a row was taken out: the row now at its place, or the last.
int RowAfterRemoval(int removed, int count) {
    return std::min(removed, count - 1);
}

}  // namespace

// --- CItemTextDialog -------------------------------------------------------

CItemTextDialog::CItemTextDialog(const QString& title, const QString& text, QWidget* parent)
    : CEditDialog(parent), shown_(text), edit_(new QLineEdit(text)), buttons_(OkCancel(this)) {
    setWindowTitle(title);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Item:"), edit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);
    SetReadableWidth(this);
    auto updateOk = [this] { okButton()->setEnabled(!edit_->text().isEmpty()); };
    connect(edit_, &QLineEdit::textChanged, this, updateOk);
    updateOk();
}

QString CItemTextDialog::text() const {
    return edit_->text();
}

QPushButton* CItemTextDialog::okButton() const {
    return buttons_->button(QDialogButtonBox::Ok);
}

bool CItemTextDialog::holdsEdits() const {
    return edit_->text() != shown_;
}

QString CItemTextDialog::discardQuestion() const {
    return shown_.isEmpty() ? QStringLiteral("Discard the new item?")
                            : QStringLiteral("Discard the changes to the item?");
}

// --- CFilterDialog ---------------------------------------------------------

CFilterDialog::CFilterDialog(QWidget* parent)
    : CEditDialog(parent),
      captionEdit_(new QLineEdit),
      filterEdit_(new QLineEdit),
      buttons_(OkCancel(this)) {
    setWindowTitle(QStringLiteral("Add Filter"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Caption:"), captionEdit_);
    form->addRow(QStringLiteral("File Filter:"), filterEdit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);
    SetReadableWidth(this);
    connect(captionEdit_, &QLineEdit::textChanged, this, &CFilterDialog::updateOk);
    connect(filterEdit_, &QLineEdit::textChanged, this, &CFilterDialog::updateOk);
    updateOk();
}

QString CFilterDialog::caption() const {
    return captionEdit_->text();
}

QString CFilterDialog::filter() const {
    return filterEdit_->text();
}

QPushButton* CFilterDialog::okButton() const {
    return buttons_->button(QDialogButtonBox::Ok);
}

bool CFilterDialog::holdsEdits() const {
    return !captionEdit_->text().isEmpty() || !filterEdit_->text().isEmpty();
}

QString CFilterDialog::discardQuestion() const {
    return QStringLiteral("Discard the new filter?");
}

// Neither text may hold the "|" that joins them in the stored list: a field
// holding one is marked and keeps OK disabled.
void CFilterDialog::updateOk() {
    bool acceptable = true;
    for (QLineEdit* edit : {captionEdit_, filterEdit_}) {
        const Refusal refusal = FilterTextRefusal(ToStdString(edit->text()));
        MarkRefused(edit, refusal);
        acceptable = acceptable && !refusal && !edit->text().isEmpty();
    }
    okButton()->setEnabled(acceptable);
}

// --- CItemConfigDialog -----------------------------------------------------

CItemConfigDialog::CItemConfigDialog(const QString& caption, const QStringList& items,
                                     DialogRunner runner, QWidget* parent)
    : CEditDialog(parent),
      runner_(std::move(runner)),
      shown_(items),
      list_(new QListWidget),
      addButton_(new QPushButton(QStringLiteral("&Add..."))),
      removeButton_(new QPushButton(QStringLiteral("&Remove"))),
      upButton_(new QPushButton(QStringLiteral("Move &Up"))),
      downButton_(new QPushButton(QStringLiteral("Move &Down"))),
      buttons_(OkCancel(this)) {
    setWindowTitle(caption);
    list_->addItems(items);
    list_->setDragDropMode(QAbstractItemView::InternalMove);
    list_->setDefaultDropAction(Qt::MoveAction);

    auto* row = new QHBoxLayout;
    row->addWidget(list_);
    row->addLayout(ButtonColumn(addButton_, removeButton_, upButton_, downButton_));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons_);

    connect(addButton_, &QPushButton::clicked, this, &CItemConfigDialog::addItem);
    connect(removeButton_, &QPushButton::clicked, this, &CItemConfigDialog::removeItem);
    connect(upButton_, &QPushButton::clicked, this, &CItemConfigDialog::moveUp);
    connect(downButton_, &QPushButton::clicked, this, &CItemConfigDialog::moveDown);
    connect(list_, &QListWidget::itemDoubleClicked, this, &CItemConfigDialog::modifyItem);
}

QStringList CItemConfigDialog::items() const {
    QStringList result;
    for (int i = 0; i < list_->count(); ++i) {
        result << list_->item(i)->text();
    }
    return result;
}

void CItemConfigDialog::addItem() {
    CItemTextDialog dialog(QStringLiteral("Add New Item"), QString(), this);
    if (run(dialog) != QDialog::Accepted) {
        return;
    }
    list_->addItem(dialog.text());
    list_->setCurrentRow(list_->count() - 1);
}

void CItemConfigDialog::modifyItem() {
    QListWidgetItem* selected = list_->currentItem();
    if (selected == nullptr || !selected->isSelected()) {
        addItem();
        return;
    }
    CItemTextDialog dialog(QStringLiteral("Modify Item"), selected->text(), this);
    if (run(dialog) == QDialog::Accepted) {
        selected->setText(dialog.text());
    }
}

void CItemConfigDialog::removeItem() {
    const int row = list_->currentRow();
    if (row < 0) {
        return;
    }
    delete list_->takeItem(row);
    list_->setCurrentRow(RowAfterRemoval(row, list_->count()));
}

void CItemConfigDialog::moveUp() {
    move(-1);
}

void CItemConfigDialog::moveDown() {
    move(+1);
}

void CItemConfigDialog::move(int step) {
    MoveRow(list_, list_->currentRow(), step);
}

int CItemConfigDialog::run(CEditDialog& dialog) {
    dialog.setDiscardAsker(discardAsker());
    return runner_(dialog);
}

bool CItemConfigDialog::holdsEdits() const {
    return items() != shown_;
}

QString CItemConfigDialog::discardQuestion() const {
    return QStringLiteral("Discard the changes to the items?");
}

// --- CBrowseBoxConfigDialog ------------------------------------------------

CBrowseBoxConfigDialog::CBrowseBoxConfigDialog(const QString& caption, const QStringList& items,
                                               DialogRunner runner, QWidget* parent)
    : CEditDialog(parent),
      runner_(std::move(runner)),
      captions_(new QListWidget),
      filters_(new QListWidget),
      addButton_(new QPushButton(QStringLiteral("&Add..."))),
      removeButton_(new QPushButton(QStringLiteral("&Remove"))),
      upButton_(new QPushButton(QStringLiteral("Move &Up"))),
      downButton_(new QPushButton(QStringLiteral("Move &Down"))),
      buttons_(OkCancel(this)) {
    setWindowTitle(caption);
    for (const QString& item : items) {
        const qsizetype bar = item.indexOf(u'|');
        appendRow(item.left(bar < 0 ? item.size() : bar), bar < 0 ? QString() : item.mid(bar + 1));
    }
    shown_ = this->items();  // as the rows give them back

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("File Filters:")), 0, 0, 1, 2);
    lists->addWidget(new QLabel(QStringLiteral("Caption")), 1, 0);
    lists->addWidget(new QLabel(QStringLiteral("Filter")), 1, 1);
    lists->addWidget(captions_, 2, 0);
    lists->addWidget(filters_, 2, 1);
    auto* row = new QHBoxLayout;
    row->addLayout(lists);
    row->addLayout(ButtonColumn(addButton_, removeButton_, upButton_, downButton_));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons_);

    // Selecting a row in one list selects it in the other.
    connect(captions_, &QListWidget::currentRowChanged, filters_,
            qOverload<int>(&QListWidget::setCurrentRow));
    connect(filters_, &QListWidget::currentRowChanged, captions_,
            qOverload<int>(&QListWidget::setCurrentRow));
    connect(addButton_, &QPushButton::clicked, this, &CBrowseBoxConfigDialog::addFilter);
    connect(removeButton_, &QPushButton::clicked, this, &CBrowseBoxConfigDialog::removeFilter);
    connect(upButton_, &QPushButton::clicked, this, &CBrowseBoxConfigDialog::moveUp);
    connect(downButton_, &QPushButton::clicked, this, &CBrowseBoxConfigDialog::moveDown);
}

QStringList CBrowseBoxConfigDialog::items() const {
    QStringList result;
    for (int i = 0; i < captions_->count(); ++i) {
        result << captions_->item(i)->text() + u'|' + filters_->item(i)->text();
    }
    return result;
}

void CBrowseBoxConfigDialog::addFilter() {
    CFilterDialog dialog(this);
    if (run(dialog) != QDialog::Accepted) {
        return;
    }
    appendRow(dialog.caption(), dialog.filter());
    selectRow(captions_->count() - 1);
}

void CBrowseBoxConfigDialog::removeFilter() {
    const int row = captions_->currentRow();
    if (row < 0) {
        return;
    }
    delete captions_->takeItem(row);
    delete filters_->takeItem(row);
    selectRow(RowAfterRemoval(row, captions_->count()));
}

void CBrowseBoxConfigDialog::moveUp() {
    move(-1);
}

void CBrowseBoxConfigDialog::moveDown() {
    move(+1);
}

void CBrowseBoxConfigDialog::appendRow(const QString& caption, const QString& filter) {
    captions_->addItem(caption);
    filters_->addItem(filter);
}

void CBrowseBoxConfigDialog::selectRow(int row) {
    captions_->setCurrentRow(row);
    filters_->setCurrentRow(row);
}

int CBrowseBoxConfigDialog::run(CEditDialog& dialog) {
    dialog.setDiscardAsker(discardAsker());
    return runner_(dialog);
}

bool CBrowseBoxConfigDialog::holdsEdits() const {
    return items() != shown_;
}

QString CBrowseBoxConfigDialog::discardQuestion() const {
    return QStringLiteral("Discard the changes to the file filters?");
}

void CBrowseBoxConfigDialog::move(int step) {
    const int row = captions_->currentRow();
    if (MoveRow(captions_, row, step)) {
        MoveRow(filters_, row, step);
        selectRow(row + step);
    }
}

}  // namespace bw
