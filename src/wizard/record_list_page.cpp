#include "wizard/record_list_page.h"

#include <algorithm>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include "wizard/page_text.h"

namespace bw {

namespace {

std::string WithoutTrailingSpaces(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

}  // namespace

CRecordListPage::CRecordListPage(WizardContext& context, const RecordPageTexts& texts,
                                 QWidget* parent)
    : CWizardPage(context, texts.subtitle, parent), texts_(texts) {}

void CRecordListPage::build() {
    list_ = new QListWidget;
    newButton_ = new QPushButton(QStringLiteral("Ne&w"));
    deleteButton_ = new QPushButton(QStringLiteral("Dele&te"));
    nameEdit_ = new QLineEdit;
    fields_ = new QFormLayout;
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newButton_);
    buttons->addWidget(deleteButton_);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QString::fromUtf8(texts_.listLabel)));
    left->addWidget(list_);
    left->addLayout(buttons);

    // The label column is equally wide on the three pages (page 8's
    // "Number of Elements:" is the longest), so their fields line up.
    auto* nameLabel = new QLabel(QStringLiteral("Na&me:"));
    nameLabel->setBuddy(nameEdit_);
    nameLabel->setMinimumWidth(
        nameLabel->fontMetrics().horizontalAdvance(QStringLiteral("Number of Elements:")) +
        nameLabel->fontMetrics().averageCharWidth());
    fields_->addRow(nameLabel, nameEdit_);
    // Always in place, empty or not, so the fields below keep still while typing.
    identifier_ = new QLabel;
    identifier_->setObjectName(QStringLiteral("codeIdentifier"));
    identifier_->setTextFormat(Qt::PlainText);
    fields_->addRow(QString(), identifier_);
    auto* fieldsPanel = new QWidget;
    auto* right = new QVBoxLayout(fieldsPanel);
    right->setContentsMargins(0, 0, 0, 0);
    right->addLayout(fields_);
    right->addStretch();
    // The fields are taller than most pages: in a window made smaller they
    // scroll, rather than grow the window again.
    auto* scroller = new QScrollArea;
    scroller->setObjectName(QStringLiteral("fieldsScroller"));
    scroller->setWidget(fieldsPanel);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addWidget(scroller, 3);

    connect(newButton_, &QPushButton::clicked, this, &CRecordListPage::addRecord);
    connect(deleteButton_, &QPushButton::clicked, this, &CRecordListPage::deleteRecord);
    connect(list_, &QListWidget::currentRowChanged, this, &CRecordListPage::selectionChanged);
    connect(nameEdit_, &QLineEdit::textEdited, this, &CRecordListPage::nameEdited);
}

void CRecordListPage::loadControls() {
    setNextEnabled(true);
    fillList();
    show(recordCount() > 0 ? 0 : -1);
}

bool CRecordListPage::storeControls(bool forward) {
    if (!storeShown()) {
        return false;
    }
    if (const auto same = forward ? sameNames() : std::nullopt) {
        prompts().showMessage(duplicateMessage(same->first, same->second), MessageIcon::Stop);
        // The record being edited is the one to rename; else the later one.
        if (shown_ != same->first && shown_ != same->second) {
            show(same->second);
        }
        nameEdit_->setFocus();
        return false;
    }
    return true;
}

void CRecordListPage::addRecord() {
    if (!storeShown() || !addToPool()) {
        return;
    }
    const int added = recordCount() - 1;
    list_->addItem(ToQString(recordName(added)));
    show(added);
    // The new record's name is what the user types next.
    nameEdit_->setFocus(Qt::OtherFocusReason);
    nameEdit_->selectAll();
}

void CRecordListPage::deleteRecord() {
    if (shown_ < 0) {
        return;
    }
    const int position = shown_;
    deleteFromPool(position);
    fillList();
    shown_ = -1;  // the record shown is gone; nothing of it is stored
    show(std::min(position, recordCount() - 1));
}

QWidget* CRecordListPage::showFinding(const Finding& finding) {
    if (finding.record >= 0 && finding.record < recordCount() && finding.record != shown_) {
        show(finding.record);
    }
    QWidget* field = findingField(finding.key);
    return field != nullptr ? field : nameEdit_;
}

void CRecordListPage::fillList() {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (int i = 0; i < recordCount(); ++i) {
        list_->addItem(ToQString(recordName(i)));
    }
}

void CRecordListPage::show(int index) {
    shown_ = index;
    select(index);
    const bool any = index >= 0;
    nameEdit_->setText(any ? ToQString(recordName(index)) : QString());
    markName(nameEdit_->text());
    if (any) {
        showFields(index);
    }
    deleteButton_->setEnabled(any);
    nameEdit_->setEnabled(any);
    list_->setEnabled(any);
    enableFields(any);
}

bool CRecordListPage::storeShown() {
    if (shown_ < 0) {
        return true;
    }
    recordName(shown_) = WithoutTrailingSpaces(ToStdString(nameEdit_->text()));
    return storeFields(shown_);
}

void CRecordListPage::selectionChanged(int row) {
    if (row == shown_ || row < 0) {
        return;
    }
    if (!storeShown()) {
        select(shown_);  // the record shown has a field that cannot be stored
        return;
    }
    show(row);
}

void CRecordListPage::nameEdited(const QString& name) {
    if (QListWidgetItem* entry = list_->item(shown_)) {
        entry->setText(name);
    }
    markName(name);
}

void CRecordListPage::markName(const QString& name) {
    std::string reason;
    if (shown_ >= 0 && checkedPage()) {
        // The name as it would be stored, checked in place and put back.
        std::string& stored = recordName(shown_);
        const std::string kept = stored;
        stored = WithoutTrailingSpaces(ToStdString(name));
        const std::vector<Finding> findings = CheckDefinition(block());
        stored = kept;
        const std::string key = nameKey(shown_);
        const auto error = std::find_if(findings.begin(), findings.end(), [&](const Finding& f) {
            return f.severity == Severity::Error && f.key == key;
        });
        if (error != findings.end()) {
            reason = error->message;
        }
    }
    const std::string typed = WithoutTrailingSpaces(ToStdString(name));
    const std::string code =
        shown_ >= 0 && !typed.empty() ? codeIdentifier(typed, shown_) : std::string();
    identifier_->setText(code.empty() ? QString()
                                      : QStringLiteral("In the code: ") + ToQString(code));
    const bool marked = !reason.empty();
    nameEdit_->setToolTip(ToQString(reason));
    QPalette palette = nameEdit_->style()->standardPalette();
    if (marked) {
        palette.setColor(QPalette::Base, QColor(255, 220, 220));
    }
    nameEdit_->setPalette(palette);
}

std::optional<std::pair<int, int>> CRecordListPage::sameNames() {
    for (int j = 1; j < recordCount(); ++j) {
        for (int i = 0; i < j; ++i) {
            if (recordName(i) == recordName(j)) {
                return std::pair{i, j};
            }
        }
    }
    return std::nullopt;
}

std::string CRecordListPage::duplicateMessage(int first, int second) {
    // The page's own message with the two records put in after its first sentence.
    const std::string message = texts_.duplicateMessage;
    const size_t end = message.find(".  ");
    const std::string kind = texts_.recordKind;
    return message.substr(0, end) + ": " + kind + " " + std::to_string(first + 1) + " and " + kind +
           " " + std::to_string(second + 1) + " are both named \"" + recordName(first) + "\"" +
           message.substr(end);
}

void CRecordListPage::select(int row) {
    const QSignalBlocker quiet(list_);
    list_->setCurrentRow(row);
}

}  // namespace bw
