#include "wizard/wizard_page.h"

#include "wizard/cwizard.h"

namespace bw {

CWizardPage::CWizardPage(WizardContext& context, const char* subtitle, QWidget* parent)
    : QWizardPage(parent), context_(context) {
    setTitle(QString::fromUtf8(PROGRAM_TITLE));
    setSubTitle(QString::fromUtf8(subtitle));
}

bool CWizardPage::store(bool /*forward*/) {
    return true;
}

void CWizardPage::setNextEnabled(bool enabled) {
    if (nextEnabled_ != enabled) {
        nextEnabled_ = enabled;
        emit completeChanged();
    }
}

}  // namespace bw
