#pragma once

#include <array>

#include "definition/edit_rules.h"
#include "wizard/wizard_page.h"

class QCheckBox;
class QComboBox;
class QGroupBox;

namespace bw {

// Page 4: the function type, data types and precisions.
class CDataInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CDataInfo(WizardContext& context, QWidget* parent = nullptr);

protected:
    void build() override;
    void loadControls() override;
    bool storeControls(bool forward) override;

private:
    QGroupBox* functionTypeGroup();
    QGroupBox* dataTypeGroup();
    QGroupBox* precisionGroup();

    // The boxes as flags, and back with the enabling and the Next button
    // that follow from them.
    DataChoices choices() const;
    void showChoices(const DataChoices& choices);
    // A click on a box: its rule applied to the boxes.
    void clicked(void (*rule)(DataChoices&));

    QCheckBox* userControl_ = nullptr;
    QCheckBox* dspBased_ = nullptr;
    QCheckBox* native_ = nullptr;
    QCheckBox* matrix_ = nullptr;
    QCheckBox* sizeCheck_ = nullptr;
    // One box for each row of DATA_TYPES and of SAMPLE_PRECISIONS.
    std::array<QCheckBox*, std::size(DATA_TYPES)> dataTypes_{};
    std::array<QCheckBox*, SAMPLE_PRECISION_COUNT> precisions_{};
    QCheckBox* q_ = nullptr;
    QComboBox* qLevel_ = nullptr;

    // Cleared by the rules; no control shows it here.
    bool xDAIS_ = false;
};

}  // namespace bw
