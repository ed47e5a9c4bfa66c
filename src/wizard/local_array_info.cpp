#include "wizard/local_array_info.h"

#include <QFormLayout>
#include <QLineEdit>
#include <limits>

#include "wizard/field_message.h"
#include "wizard/page_text.h"
#include "wizard/type_radio_group.h"

namespace bw {

namespace {

const CRecordPage<LOCALARRAYINFO>::Shape PAGE_SHAPE{
    .texts = {.subtitle = "Define instantiated local arrays for the block.",
              .listLabel = "Arrays:",
              .recordKind = "array",
              .duplicateMessage = "One or more arrays have the same name.  Please make sure all "
                                  "array names are unique."},
    .checkedPage = DefinitionPage::LocalArrays,
    .pool = &BLOCKINFO::LocalArrayPool,
    .name = &LOCALARRAYINFO::ArrayName,
    .nameKey = "ArrayName",
    .codeIdentifier = nullptr,  // an array keeps its name in the code
};

const std::vector<TypeRadioGroup::Choice> TYPE_CHOICES = NumberTypesThen();

}  // namespace

CLocalArrayInfo::CLocalArrayInfo(WizardContext& context, QWidget* parent)
    : CRecordPage(context, PAGE_SHAPE, parent) {}

void CLocalArrayInfo::build() {
    CRecordPage::build();
    type_ = new TypeRadioGroup(TYPE_CHOICES, 2);
    size_ = new QLineEdit;
    fieldsLayout()->addRow(type_);
    fieldsLayout()->addRow(QStringLiteral("Number of &Elements:"), size_);
}

void CLocalArrayInfo::showRecord(const LOCALARRAYINFO& array) {
    type_->setCode(array.LocalPrecision);
    // The field holds a number: a size written as an expression shows (and
    // is stored back) as its leading number.
    size_->setText(QString::number(DecimalValue(array.LocalSize)));
}

bool CLocalArrayInfo::storeRecord(LOCALARRAYINFO& array) {
    bool whole = false;
    const int size = size_->text().trimmed().toInt(&whole);
    if (!whole || size < 0) {
        prompts().showMessage(WholeNumberRefusal("Number of Elements", ToStdString(size_->text()),
                                                 0, std::numeric_limits<int>::max()),
                              MessageIcon::Exclamation);
        size_->setFocus();
        size_->selectAll();
        return false;
    }
    if (const std::optional<int> code = type_->code()) {
        array.LocalPrecision = *code;
    }
    array.LocalSize = std::to_string(size);
    return true;
}

void CLocalArrayInfo::enableFields(bool enabled) {
    type_->setEnabled(enabled);
    size_->setEnabled(enabled);
}

QWidget* CLocalArrayInfo::findingField(const std::string& key) {
    return key.starts_with("LocalSize") ? size_ : nullptr;
}

}  // namespace bw
