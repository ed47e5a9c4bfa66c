#pragma once

#include "wizard/wizard_page.h"

namespace bw {

// Page 2: the library, group and menu names and the descriptions (LibraryName, GroupName, MenuName,
// ShortDescription, LongDescription).
class CVisibleInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CVisibleInfo(WizardContext& context, QWidget* parent = nullptr);

    void load() override;
    bool store(bool forward) override;

private:
    // The page's controls, made in the constructor.
};

}  // namespace bw
