#include "wizard/parameter_info.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "definition/value_rules.h"
#include "generation/names_and_literals.h"
#include "wizard/default_value_field.h"
#include "wizard/description_dialog.h"
#include "wizard/item_dialogs.h"
#include "wizard/page_text.h"
#include "wizard/type_radio_group.h"

namespace bw {

namespace {

const CRecordPage<PARAMINFO>::Shape PAGE_SHAPE{
    .texts = {.subtitle = "Define parameters and default values for the block.",
              .listLabel = "Parameters:",
              .recordKind = "parameter",
              .duplicateMessage = "One or more parameters have the same name.  Please make sure "
                                  "all parameter names are unique."},
    .checkedPage = DefinitionPage::Parameters,
    .pool = &BLOCKINFO::ParameterPool,
    .name = &PARAMINFO::ParameterName,
    .nameKey = "ParameterName",
    .codeIdentifier = Identifier,
};

const std::vector<TypeRadioGroup::Choice> TYPE_CHOICES = NumberTypesThen({
    {"Te&xt", TYPE_TEXT},
    {"C&ombo Box", TYPE_COMBO_BOX},
    {"&Radio Buttons", TYPE_RADIO_BUTTONS},
    {"File O&pen", TYPE_FILE_OPEN},
    {"Chec&k Box", TYPE_CHECK_BOX},
});

bool HasItems(int type) {
    return type == TYPE_COMBO_BOX || type == TYPE_RADIO_BUTTONS || type == TYPE_FILE_OPEN ||
           type == TYPE_CHECK_BOX;
}

// What the default list offers for a control that has no items yet.
QStringList Placeholders(int type) {
    switch (type) {
        case TYPE_COMBO_BOX:
            return {QStringLiteral("Item 1"), QStringLiteral("Item 2"), QStringLiteral("Item 3")};
        case TYPE_RADIO_BUTTONS:
            return {QStringLiteral("Yes"), QStringLiteral("No")};
        case TYPE_CHECK_BOX:
            return {QStringLiteral("Checked"), QStringLiteral("Unchecked")};
        default:
            return {};
    }
}

QStringList ToQStringList(const std::vector<std::string>& texts) {
    QStringList result;
    for (const std::string& text : texts) {
        result << ToQString(text);
    }
    return result;
}

std::vector<std::string> ToStdStrings(const QStringList& texts) {
    std::vector<std::string> result;
    for (const QString& text : texts) {
        result.push_back(ToStdString(text));
    }
    return result;
}

}  // namespace

CParameterInfo::CParameterInfo(WizardContext& context, QWidget* parent)
    : CRecordPage(context, PAGE_SHAPE, parent) {}

void CParameterInfo::build() {
    CRecordPage::build();
    type_ = new TypeRadioGroup(TYPE_CHOICES, 2);
    const_ = new QCheckBox(QStringLiteral("Can't change while running"));
    default_ = new DefaultValueField;
    description_ = new QPushButton(QStringLiteral("&Description"));
    configure_ = new QPushButton(QStringLiteral("&Configure"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(description_);
    buttons->addWidget(configure_);
    buttons->addStretch();
    fieldsLayout()->addRow(type_);
    fieldsLayout()->addRow(const_);
    fieldsLayout()->addRow(QStringLiteral("D&efault:"), default_);
    fieldsLayout()->addRow(buttons);

    connect(type_, &TypeRadioGroup::codeChosen, this, &CParameterInfo::typeChosen);
    connect(description_, &QPushButton::clicked, this, &CParameterInfo::editDescription);
    connect(configure_, &QPushButton::clicked, this, &CParameterInfo::configureItems);
}

void CParameterInfo::loadControls() {
    const_->setVisible(block().RealTime != 0);
    CRecordPage::loadControls();
}

void CParameterInfo::showRecord(const PARAMINFO& parameter) {
    type_->setCode(parameter.ParameterType);
    const_->setChecked(parameter.ParameterConst == 1);
    showDefault(parameter, ToQString(parameter.ParameterDefault));
}

bool CParameterInfo::storeRecord(PARAMINFO& parameter) {
    if (const std::optional<int> code = type_->code()) {
        parameter.ParameterType = *code;
    }
    if (const_->isChecked()) {
        parameter.ParameterConst = 1;
    } else if (parameter.ParameterConst == 1) {
        parameter.ParameterConst = 0;
    }  // a 2 from a template (status only) is not the box's to change
    parameter.ParameterDefault = ToStdString(default_->value());
    return true;
}

void CParameterInfo::enableFields(bool enabled) {
    type_->setEnabled(enabled);
    const_->setEnabled(enabled);
    default_->setEnabled(enabled);
    description_->setEnabled(enabled);
    configure_->setEnabled(enabled && HasItems(shown().ParameterType));
}

void CParameterInfo::typeChosen(int code) {
    if (shownIndex() < 0) {
        return;
    }
    const QString value = default_->value();
    shown().ParameterType = code;
    showDefault(shown(), value);
    configure_->setEnabled(HasItems(code));
}

void CParameterInfo::showDefault(const PARAMINFO& parameter, const QString& value) {
    QStringList items = ToQStringList(parameter.ParameterItems);
    if (items.isEmpty()) {
        items = Placeholders(parameter.ParameterType);
    }
    const int type = parameter.ParameterType;
    default_->setRule([type, items = parameter.ParameterItems](const std::string& typed) {
        return DefaultRefusal(type, typed, items);
    });
    default_->show(DefaultKindFor(type), value, items);
}

QWidget* CParameterInfo::findingField(const std::string& key) {
    return key.starts_with("ParameterDefault") ? default_->shownControl() : nullptr;
}

void CParameterInfo::editDescription() {
    if (shownIndex() < 0) {
        return;
    }
    CDescriptionDialog dialog(nameEdit()->text(), ToMultiLineQString(shown().ParameterDesc), this);
    if (runDialog_(dialog) == QDialog::Accepted) {
        shown().ParameterDesc = ToMultiLineStdString(dialog.description());
    }
}

void CParameterInfo::configureItems() {
    if (shownIndex() < 0) {
        return;
    }
    PARAMINFO& parameter = shown();
    const QString name = nameEdit()->text();
    const QStringList items = ToQStringList(parameter.ParameterItems);
    std::optional<QStringList> chosen;
    if (parameter.ParameterType == TYPE_COMBO_BOX ||
        parameter.ParameterType == TYPE_RADIO_BUTTONS) {
        const char* kind = parameter.ParameterType == TYPE_COMBO_BOX
                               ? " - Combo Box Configuration"
                               : " - Radio Button Configuration";
        CItemConfigDialog dialog(name + QString::fromUtf8(kind), items, runDialog_, this);
        if (runDialog_(dialog) == QDialog::Accepted) {
            chosen = dialog.items();
        }
    } else if (parameter.ParameterType == TYPE_FILE_OPEN) {
        CBrowseBoxConfigDialog dialog(name + QStringLiteral(" - Browse Box Configuration"), items,
                                      runDialog_, this);
        if (runDialog_(dialog) == QDialog::Accepted) {
            chosen = dialog.items();
        }
    }
    if (chosen) {
        parameter.ParameterItems = ToStdStrings(*chosen);
        showDefault(parameter, default_->value());  // the list offers the new items
    }
}

}  // namespace bw
