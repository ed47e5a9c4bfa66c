#include "wizard/revision_info.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "wizard/field_note.h"
#include "wizard/page_text.h"
#include "wizard/type_radio_group.h"

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Set company name and revision information for the block.";

struct WarningChoice {
    const char* text;
    const char* objectName;
    int warningType;
};

// In the order shown; the stored numbers are not in that order.
constexpr WarningChoice WARNING_CHOICES[] = {
    {"N&one", "warningNone", WARNING_NONE},
    {"Standard &Warning", "warningStandard", WARNING_STANDARD},
    {"One-&time Warning", "warningOneTime", WARNING_ONE_TIME},
    {"Standard &Error", "warningError", WARNING_ERROR},
};

}  // namespace

CRevisionInfo::CRevisionInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {}

void CRevisionInfo::build() {
    companyName_ = new QLineEdit;
    revision_ = new QLineEdit;
    warningType_ = new QButtonGroup(this);
    companyName_->setObjectName(QStringLiteral("companyName"));
    revision_->setObjectName(QStringLiteral("revision"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Company Name:"), companyName_);
    form->addRow(QStringLiteral("&Revision:"), revision_);

    auto* warnings = new QGroupBox(QStringLiteral("Warning/Error Configuration"));
    auto* column = new QVBoxLayout(warnings);
    column->addWidget(FieldNote(
        QStringLiteral("How the block's code reports a problem while the diagram runs.")));
    for (const WarningChoice& choice : WARNING_CHOICES) {
        auto* button = new QRadioButton(QString::fromLatin1(choice.text));
        button->setObjectName(QString::fromLatin1(choice.objectName));
        warningType_->addButton(button, choice.warningType);
        column->addWidget(button);
    }
    TabToCheckedButton(*warningType_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(warnings);
    layout->addStretch();
}

void CRevisionInfo::loadControls() {
    companyName_->setText(ToQString(block().CompanyName));
    revision_->setText(ToQString(block().Revision));
    if (QAbstractButton* chosen = warningType_->button(block().WarningType)) {
        chosen->setChecked(true);
    } else if (QAbstractButton* current = warningType_->checkedButton()) {
        // A number no button stands for: none is shown chosen.
        warningType_->setExclusive(false);
        current->setChecked(false);
        warningType_->setExclusive(true);
    }
    setNextEnabled(true);
}

bool CRevisionInfo::storeControls(bool /*forward*/) {
    block().CompanyName = ToStdString(companyName_->text());
    block().Revision = ToStdString(revision_->text());
    // With no button chosen the number stays what it was.
    if (warningType_->checkedId() >= 0) {
        block().WarningType = warningType_->checkedId();
    }
    return true;
}

QWidget* CRevisionInfo::showFinding(const Finding& finding) {
    const std::pair<const char*, QWidget*> fields[] = {{"Company Name", companyName_},
                                                       {"Revision", revision_}};
    for (const auto& [key, field] : fields) {
        if (finding.key == key) {
            return field;
        }
    }
    return nullptr;
}

}  // namespace bw
