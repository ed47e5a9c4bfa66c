#pragma once

#include "wizard/wizard_page.h"

namespace bw {

// Page 4: the function type, data types and precisions.
class CDataInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CDataInfo(WizardContext& context, QWidget* parent = nullptr);

    void load() override;
    bool store(bool forward) override;

private:
    // The page's controls, made in the constructor.
};

}  // namespace bw
