#include "wizard/local_array_info.h"

#include <QFormLayout>
#include <QLineEdit>
#include <limits>

#include "wizard/field_message.h"
#include "wizard/page_text.h"
#include "wizard/type_radio_group.h"

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Define instantiated local arrays for the block.";
constexpr const char* DUPLICATE_MESSAGE =
    "One or more arrays have the same name.  Please make sure all array names are unique.";

const std::vector<TypeRadioGroup::Choice> TYPE_CHOICES = {
    {"Byte", TYPE_BYTE},       {"Floating Point", TYPE_FLOAT},
    {"Short", TYPE_SHORT},     {"Double Floating Point", TYPE_DOUBLE},
    {"Integer", TYPE_INTEGER}, {"Char", TYPE_CHAR},
    {"Long", TYPE_LONG},
};

}  // namespace

CLocalArrayInfo::CLocalArrayInfo(WizardContext& context, QWidget* parent)
    : CRecordListPage(context, SUBTITLE, "Arrays:", "array", DUPLICATE_MESSAGE, parent) {}

void CLocalArrayInfo::build() {
    CRecordListPage::build();
    type_ = new TypeRadioGroup(TYPE_CHOICES, 2);
    size_ = new QLineEdit;
    fieldsLayout()->addRow(type_);
    fieldsLayout()->addRow(QStringLiteral("Number of Elements:"), size_);
}

int CLocalArrayInfo::recordCount() {
    return block().NumLocalArrays;
}

std::string& CLocalArrayInfo::recordName(int index) {
    return block().LocalArrays[static_cast<size_t>(index)].ArrayName;
}

bool CLocalArrayInfo::addToPool() {
    return block().AddLocalArray(prompts());
}

void CLocalArrayInfo::deleteFromPool(int index) {
    block().DeleteLocalArray(index);
}

void CLocalArrayInfo::showFields(int index) {
    const LOCALARRAYINFO& array = block().LocalArrays[static_cast<size_t>(index)];
    type_->setCode(array.LocalPrecision);
    // The field holds a number: a size written as an expression shows (and
    // is stored back) as its leading number.
    size_->setText(QString::number(DecimalValue(array.LocalSize)));
}

bool CLocalArrayInfo::storeFields(int index) {
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
    LOCALARRAYINFO& array = block().LocalArrays[static_cast<size_t>(index)];
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

QWidget* CLocalArrayInfo::showFinding(const Finding& finding) {
    QWidget* name = CRecordListPage::showFinding(finding);
    return finding.key.rfind("LocalSize", 0) == 0 ? size_ : name;
}

}  // namespace bw
