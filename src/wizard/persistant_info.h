#pragma once

#include "wizard/wizard_page.h"

namespace bw {

// Page 9: the persistent variables (Persistants).
class CPersistantInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CPersistantInfo(WizardContext& context, QWidget* parent = nullptr);

    void load() override;
    bool store(bool forward) override;

private:
    // The page's controls, made in the constructor.
};

}  // namespace bw
