#include "wizard/persistant_info.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "definition/value_rules.h"
#include "generation/names_and_literals.h"
#include "wizard/default_value_field.h"
#include "wizard/field_note.h"
#include "wizard/page_text.h"
#include "wizard/type_radio_group.h"

namespace bw {

namespace {

const CRecordPage<PERSISTANTINFO>::Shape PAGE_SHAPE{
    .texts = {.subtitle = "Define persistent variables and default values for the block.",
              .listLabel = "Persistent variables:",
              .recordKind = "persistent variable",
              // The variables share the parameters' message.
              .duplicateMessage = "One or more parameters have the same name.  Please make sure "
                                  "all parameter names are unique."},
    .checkedPage = DefinitionPage::Persistants,
    .pool = &BLOCKINFO::PersistantPool,
    .name = &PERSISTANTINFO::PersistantName,
    .nameKey = "PersistantName",
    .codeIdentifier = Identifier,
};

const std::vector<TypeRadioGroup::Choice> TYPE_CHOICES =
    NumberTypesThen({{"Te&xt", TYPE_TEXT}, {"Othe&r", TYPE_OTHER}});

// Variables have no items: a control code from a template keeps its text.
DefaultValueField::Kind KindFor(int type) {
    const DefaultValueField::Kind kind = DefaultKindFor(type);
    return kind == DefaultValueField::Kind::Items ? DefaultValueField::Kind::Text : kind;
}

}  // namespace

CPersistantInfo::CPersistantInfo(WizardContext& context, QWidget* parent)
    : CRecordPage(context, PAGE_SHAPE, parent) {}

void CPersistantInfo::build() {
    CRecordPage::build();
    type_ = new TypeRadioGroup(TYPE_CHOICES, 2);
    otherType_ = new QLineEdit;
    default_ = new DefaultValueField;
    fieldsLayout()->addRow(type_);
    fieldsLayout()->addRow(QStringLiteral("&Other type:"), otherType_);
    fieldsLayout()->addRow(QString(),
                           FieldNote(QStringLiteral("The C type of an Other variable.")));
    fieldsLayout()->addRow(QStringLiteral("D&efault:"), default_);
    connect(type_, &TypeRadioGroup::codeChosen, this, &CPersistantInfo::typeChosen);
}

void CPersistantInfo::showRecord(const PERSISTANTINFO& variable) {
    type_->setCode(variable.PersistantType);
    otherType_->setText(ToQString(variable.PersistantTypeOther));
    otherType_->setEnabled(variable.PersistantType == TYPE_OTHER);
    showDefault(variable.PersistantType, ToQString(variable.PersistantDefault));
}

bool CPersistantInfo::storeRecord(PERSISTANTINFO& variable) {
    if (const std::optional<int> code = type_->code()) {
        variable.PersistantType = *code;
    }
    variable.PersistantTypeOther = ToStdString(otherType_->text());
    variable.PersistantDefault = ToStdString(default_->value());
    return true;
}

void CPersistantInfo::enableFields(bool enabled) {
    type_->setEnabled(enabled);
    default_->setEnabled(enabled);
    otherType_->setEnabled(enabled && shown().PersistantType == TYPE_OTHER);
}

void CPersistantInfo::typeChosen(int code) {
    if (shownIndex() < 0) {
        return;
    }
    const QString value = default_->value();
    shown().PersistantType = code;
    showDefault(code, value);
    otherType_->setEnabled(code == TYPE_OTHER);
}

void CPersistantInfo::showDefault(int type, const QString& value) {
    default_->setRule([type](const std::string& typed) {
        PERSISTANTINFO variable;
        variable.PersistantType = type;
        variable.PersistantDefault = typed;
        return PersistantDefaultRefusal(variable);
    });
    default_->show(KindFor(type), value);
}

QWidget* CPersistantInfo::findingField(const std::string& key) {
    return key.starts_with("PersistantDefault") ? default_->shownControl() : nullptr;
}

}  // namespace bw
