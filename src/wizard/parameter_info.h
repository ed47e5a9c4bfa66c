#pragma once

#include "wizard/wizard_page.h"

namespace bw {

// Page 7: the user parameters (Parameters).
class CParameterInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CParameterInfo(WizardContext& context, QWidget* parent = nullptr);

    void load() override;
    bool store(bool forward) override;

private:
    // The page's controls, made in the constructor.
};

}  // namespace bw
