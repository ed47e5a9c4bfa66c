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

    void load() override;
    bool store(bool forward) override;

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

    QCheckBox* userControl_;
    QCheckBox* dspBased_;
    QCheckBox* native_;
    QCheckBox* matrix_;
    QCheckBox* sizeCheck_;
    QCheckBox* real_;
    QCheckBox* complex_;
    QCheckBox* character_;
    QCheckBox* byte_;
    QCheckBox* shortInteger_;
    QCheckBox* integer_;
    QCheckBox* q_;
    QComboBox* qLevel_;
    QCheckBox* longInteger_;
    QCheckBox* floatingPoint_;
    QCheckBox* double_;

    // Carried through load and store unchanged; no control shows them here.
    int chipIndex_ = 0;
    int memoryModel_ = 0;
    int endian_ = 0;
    int xDAIS_ = 0;
};

}  // namespace bw
