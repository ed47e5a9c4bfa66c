#pragma once

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

    // A DSP-based block handles only Integer and Floating Point, and only it
    // may be native.
    void applyDspRule();
    void nativeClicked();
    void integerClicked();
    void floatingPointClicked();
    // The enabling that follows the Matrix and Integer boxes.
    void updateDependentBoxes();
    // Next with a data type and at least one precision.
    void updateButtons();

    QCheckBox* userControl_ = nullptr;
    QCheckBox* dspBased_ = nullptr;
    QCheckBox* native_ = nullptr;
    QCheckBox* matrix_ = nullptr;
    QCheckBox* sizeCheck_ = nullptr;
    QCheckBox* real_ = nullptr;
    QCheckBox* complex_ = nullptr;
    QCheckBox* character_ = nullptr;
    QCheckBox* byte_ = nullptr;
    QCheckBox* shortInteger_ = nullptr;
    QCheckBox* integer_ = nullptr;
    QCheckBox* q_ = nullptr;
    QComboBox* qLevel_ = nullptr;
    QCheckBox* longInteger_ = nullptr;
    QCheckBox* floatingPoint_ = nullptr;
    QCheckBox* double_ = nullptr;

    // Carried through load and store unchanged; no control shows them here.
    int chipIndex_ = 0;
    int memoryModel_ = 0;
    int endian_ = 0;
    int xDAIS_ = 0;
};

}  // namespace bw
