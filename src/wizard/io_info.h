#pragma once

#include "wizard/wizard_page.h"

namespace bw {

// Page 6: the input and output counts and the channels' labels and dimensions.
class CIOInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CIOInfo(WizardContext& context, QWidget* parent = nullptr);

    void load() override;
    bool store(bool forward) override;

private:
    // The page's controls, made in the constructor.
};

}  // namespace bw
