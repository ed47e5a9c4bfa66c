#include "wizard/type_radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

#include "definition/data_tables.h"

namespace bw {

namespace {

void TakeTabFocusByCheck(const QButtonGroup& group) {
    const QList<QAbstractButton*> buttons = group.buttons();
    QAbstractButton* target = group.checkedButton();
    if (target == nullptr && !buttons.isEmpty()) {
        target = buttons.front();
    }
    for (QAbstractButton* button : buttons) {
        button->setFocusPolicy(button == target ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

}  // namespace

void TabToCheckedButton(QButtonGroup& group) {
    TakeTabFocusByCheck(group);
    QObject::connect(&group, &QButtonGroup::buttonToggled, &group,
                     [&group] { TakeTabFocusByCheck(group); });
}

TypeRadioGroup::TypeRadioGroup(const std::vector<Choice>& choices, int columns, QWidget* parent)
    : QGroupBox(QStringLiteral("Type:"), parent), group_(new QButtonGroup(this)) {
    auto* layout = new QGridLayout(this);
    const int rows = (static_cast<int>(choices.size()) + columns - 1) / columns;
    int position = 0;
    for (const auto& [label, code] : choices) {
        auto* radio = new QRadioButton(QString::fromUtf8(label));
        group_->addButton(radio, code);
        // Down the first column, then down the next.
        layout->addWidget(radio, position % rows, position / rows);
        ++position;
    }
    connect(group_, &QButtonGroup::idClicked, this, &TypeRadioGroup::codeChosen);
    TabToCheckedButton(*group_);
}

std::optional<int> TypeRadioGroup::code() const {
    const int checked = group_->checkedId();
    if (checked == -1) {
        return std::nullopt;
    }
    return checked;
}

void TypeRadioGroup::setCode(int code) {
    QAbstractButton* radio = group_->button(code);
    if (radio != nullptr) {
        radio->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; let go of it for a moment.
    group_->setExclusive(false);
    for (QAbstractButton* each : group_->buttons()) {
        each->setChecked(false);
    }
    group_->setExclusive(true);
}

QRadioButton* TypeRadioGroup::button(int code) const {
    return static_cast<QRadioButton*>(group_->button(code));
}

std::vector<TypeRadioGroup::Choice> NumberTypesThen(
    std::initializer_list<TypeRadioGroup::Choice> own) {
    std::vector<TypeRadioGroup::Choice> choices;
    for (const NumberType& type : NUMBER_TYPES) {
        choices.push_back({type.radio, type.code});
    }
    choices.insert(choices.end(), own);
    return choices;
}

}  // namespace bw
