#include "wizard/local_array_info.h"

#include <QFormLayout>
#include <QLineEdit>

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
    size_->setToolTip(QStringLiteral(
        "A whole number, the name of a numeric parameter, or an expression over them "
        "(HistoryLength * 2)"));
    fieldsLayout()->addRow(type_);
    fieldsLayout()->addRow(QStringLiteral("Number of &Elements:"), size_);
}

void CLocalArrayInfo::showRecord(const LOCALARRAYINFO& array) {
    type_->setCode(array.LocalPrecision);
    // As the template holds it: a number, a parameter's name or an
    // expression over them.
    size_->setText(ToQString(array.LocalSize));
}

bool CLocalArrayInfo::storeRecord(LOCALARRAYINFO& array) {
    if (const std::optional<int> code = type_->code()) {
        array.LocalPrecision = *code;
    }
    // Kept byte for byte unless the user changed it; Next checks it by the
    // rules the checker applies to a template's size.
    if (size_->text() != ToQString(array.LocalSize)) {
        array.LocalSize = ToStdString(size_->text().trimmed());
    }
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
