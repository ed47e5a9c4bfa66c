#pragma once

#include "wizard/wizard_page.h"

class QHBoxLayout;
class QLabel;

namespace bw {

class FileTreesView;

// Page 11: where the block was generated and the two trees of its files.
class CFinish : public CWizardPage {
    Q_OBJECT

public:
    explicit CFinish(WizardContext& context, QWidget* parent = nullptr);

    void load() override;

    QLabel* locationLabel() const { return location_; }
    QLabel* outcomeLabel() const { return outcome_; }
    FileTreesView* trees() const { return trees_; }
    // The row that holds the build and launch buttons.
    QHBoxLayout* toolButtonRow() const { return toolButtons_; }

private:
    QLabel* location_;
    QLabel* outcome_;
    FileTreesView* trees_;
    QHBoxLayout* toolButtons_;
};

}  // namespace bw
