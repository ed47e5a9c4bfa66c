#include "wizard/persistant_info.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "definition/value_rules.h"
#include "generation/shared_rules.h"
#include "wizard/default_value_field.h"
#include "wizard/field_note.h"
#include "wizard/page_text.h"
#include "wizard/type_radio_group.h"

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Define persistant variables and default values for the block.";
// The variables share the parameters' message.
constexpr const char* DUPLICATE_MESSAGE =
    "One or more parameters have the same name.  Please make sure all parameter names are "
    "unique.";

const std::vector<TypeRadioGroup::Choice> TYPE_CHOICES = {
    {"Byte", TYPE_BYTE},       {"Floating Point", TYPE_FLOAT},
    {"Short", TYPE_SHORT},     {"Double Floating Point", TYPE_DOUBLE},
    {"Integer", TYPE_INTEGER}, {"Char", TYPE_CHAR},
    {"Long", TYPE_LONG},       {"Text", TYPE_TEXT},
    {"Other", TYPE_OTHER},
};

// Variables have no items: a control code from a template keeps its text.
DefaultValueField::Kind KindFor(int type) {
    const DefaultValueField::Kind kind = DefaultKindFor(type);
    return kind == DefaultValueField::Kind::Items ? DefaultValueField::Kind::Text : kind;
}

}  // namespace

CPersistantInfo::CPersistantInfo(WizardContext& context, QWidget* parent)
    : CRecordListPage(context, SUBTITLE, "Parameters:", "persistent variable", DUPLICATE_MESSAGE,
                      parent) {}

void CPersistantInfo::build() {
    CRecordListPage::build();
    type_ = new TypeRadioGroup(TYPE_CHOICES, 2);
    otherType_ = new QLineEdit;
    default_ = new DefaultValueField;
    fieldsLayout()->addRow(type_);
    fieldsLayout()->addRow(QStringLiteral("Other type:"), otherType_);
    fieldsLayout()->addRow(QString(),
                           FieldNote(QStringLiteral("The C type of an Other variable.")));
    fieldsLayout()->addRow(QStringLiteral("Default:"), default_);
    connect(type_, &TypeRadioGroup::codeChosen, this, &CPersistantInfo::typeChosen);
}

int CPersistantInfo::recordCount() {
    return block().NumPersistants;
}

std::string& CPersistantInfo::recordName(int index) {
    return block().Persistants[static_cast<size_t>(index)].PersistantName;
}

bool CPersistantInfo::addToPool() {
    return block().AddPersistant(prompts());
}

void CPersistantInfo::deleteFromPool(int index) {
    block().DeletePersistant(index);
}

PERSISTANTINFO& CPersistantInfo::shown() {
    return block().Persistants[static_cast<size_t>(shownIndex())];
}

void CPersistantInfo::showFields(int index) {
    const PERSISTANTINFO& variable = block().Persistants[static_cast<size_t>(index)];
    type_->setCode(variable.PersistantType);
    otherType_->setText(ToQString(variable.PersistantTypeOther));
    otherType_->setEnabled(variable.PersistantType == TYPE_OTHER);
    showDefault(variable.PersistantType, ToQString(variable.PersistantDefault));
}

bool CPersistantInfo::storeFields(int index) {
    PERSISTANTINFO& variable = block().Persistants[static_cast<size_t>(index)];
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

QWidget* CPersistantInfo::showFinding(const Finding& finding) {
    QWidget* name = CRecordListPage::showFinding(finding);
    return finding.key.starts_with("PersistantDefault") ? default_->shownControl() : name;
}

std::string CPersistantInfo::codeIdentifier(const std::string& name, int index) const {
    return Identifier(name, index);
}

}  // namespace bw
