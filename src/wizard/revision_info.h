#pragma once

#include "wizard/wizard_page.h"

namespace bw {

// Page 5: company, revision and the warning behaviour (CompanyName, Revision, WarningType).
class CRevisionInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CRevisionInfo(WizardContext& context, QWidget* parent = nullptr);

    void load() override;
    bool store(bool forward) override;

private:
    // The page's controls, made in the constructor.
};

}  // namespace bw
