#pragma once

#include "wizard/wizard_page.h"

namespace bw {

// Page 1: a new block or an opened template. While it is current the sheet's
// Back place reads "&Open >" and Next reads "&New >".
class COpenFile : public CWizardPage {
    Q_OBJECT

public:
    explicit COpenFile(WizardContext& context, QWidget* parent = nullptr);

    // Open: reset, ask for a template, read it; on success on to page 2. On
    // Cancel or a read failure the page stays, with a new block's definition.
    void open();

protected:
    void build() override;
    // New: the definition back to a new block, then on to page 2.
    bool storeControls(bool forward) override;

private:
    bool opened_ = false;  // Next after a successful Open keeps the template
};

}  // namespace bw
