#include "wizard/wizard_page.h"

#include <QPushButton>

#include "wizard/cwizard.h"

namespace bw {

CWizardPage::CWizardPage(WizardContext& context, const char* subtitle, QWidget* parent)
    : QWizardPage(parent), context_(context) {
    setTitle(QString::fromUtf8(PROGRAM_TITLE));
    setSubTitle(QString::fromUtf8(subtitle));
}

void CWizardPage::load() {
    ensureBuilt();
    loadControls();
}

bool CWizardPage::store(bool forward) {
    ensureBuilt();
    return storeControls(forward) && (!forward || passesChecks());
}

bool CWizardPage::storeQuietly() {
    quiet_ = true;
    const bool stored = store(false);
    quiet_ = false;
    return stored;
}

bool CWizardPage::passesChecks() {
    const std::optional<DefinitionPage> page = checkedPage();
    if (!page) {
        return true;
    }
    const std::vector<Finding> findings = CheckDefinition(block());
    const Finding* error = FirstErrorOn(findings, *page);
    if (error == nullptr) {
        return true;
    }
    prompts().showMessage(error->message, MessageIcon::Stop);
    if (QWidget* field = showFinding(*error)) {
        field->setFocus();
    }
    return false;
}

QWidget* CWizardPage::startFocus() const {
    for (QWidget* widget = nextInFocusChain(); widget != this && widget != nullptr;
         widget = widget->nextInFocusChain()) {
        const bool tabStop = (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
                             widget->isEnabled() && widget->isVisibleTo(this) &&
                             widget->focusProxy() == nullptr;
        if (tabStop && isAncestorOf(widget) && qobject_cast<QPushButton*>(widget) == nullptr) {
            return widget;
        }
    }
    return nullptr;
}

bool CWizardPage::storeControls(bool /*forward*/) {
    return true;
}

void CWizardPage::setVisible(bool visible) {
    // Built before it becomes visible, so the controls are shown with the page.
    if (visible) {
        ensureBuilt();
        if (auto* sheet = qobject_cast<CWizard*>(wizard())) {
            sheet->pageBecomesVisible(*this);
        }
    }
    QWizardPage::setVisible(visible);
}

void CWizardPage::ensureBuilt() {
    if (!built_) {
        built_ = true;
        build();
    }
}

void CWizardPage::setNextEnabled(bool enabled) {
    if (nextEnabled_ != enabled) {
        nextEnabled_ = enabled;
        emit completeChanged();
    }
}

}  // namespace bw
