#pragma once

#include "wizard/wizard_page.h"

class QButtonGroup;
class QLineEdit;

namespace bw {

// Page 5: company, revision and the warning behaviour (CompanyName, Revision, WarningType).
class CRevisionInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CRevisionInfo(WizardContext& context, QWidget* parent = nullptr);

protected:
    void build() override;
    void loadControls() override;
    bool storeControls(bool forward) override;
    std::optional<DefinitionPage> checkedPage() const override { return DefinitionPage::Revision; }
    QWidget* showFinding(const Finding& finding) override;

private:
    QLineEdit* companyName_ = nullptr;
    QLineEdit* revision_ = nullptr;
    // Each radio button's id is the WarningType it stands for.
    QButtonGroup* warningType_ = nullptr;
};

}  // namespace bw
