#pragma once

#include "wizard/wizard_page.h"

namespace bw {

// Page 8: the local arrays (LocalArrays).
class CLocalArrayInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CLocalArrayInfo(WizardContext& context, QWidget* parent = nullptr);

    void load() override;
    bool store(bool forward) override;

private:
    // The page's controls, made in the constructor.
};

}  // namespace bw
