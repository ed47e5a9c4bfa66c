#include "wizard/data_info.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Choose what types of data the block will handle.";
constexpr int INDENT = 20;
constexpr int MAX_Q_LEVEL = 15;

QCheckBox* Box(const char* text, const char* objectName) {
    auto* box = new QCheckBox(QString::fromLatin1(text));
    box->setObjectName(QString::fromLatin1(objectName));
    return box;
}

// A row set in under the box it depends on.
QHBoxLayout* Indented(QWidget* first, QWidget* second = nullptr) {
    auto* row = new QHBoxLayout;
    row->addSpacing(INDENT);
    row->addWidget(first);
    if (second != nullptr) {
        row->addWidget(second);
    }
    row->addStretch();
    return row;
}

void Uncheck(QCheckBox* box) {
    box->setChecked(false);
}

int Flag(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}

}  // namespace

CDataInfo::CDataInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {}

void CDataInfo::build() {
    userControl_ = Box("&User Control", "userControl");
    dspBased_ = Box("&DSP Based", "dspBased");
    native_ = Box("&Native", "native");
    matrix_ = Box("&Matrix / Image", "matrix");
    sizeCheck_ = Box("Include si&ze check", "sizeCheck");
    real_ = Box("&Real", "real");
    complex_ = Box("C&omplex", "complex");
    character_ = Box("C&haracter", "character");
    byte_ = Box("&Byte", "byte");
    shortInteger_ = Box("&Short Integer", "shortInteger");
    integer_ = Box("&Integer", "integer");
    q_ = Box("&Q", "q");
    qLevel_ = new QComboBox;
    longInteger_ = Box("&Long Integer", "longInteger");
    floatingPoint_ = Box("&Floating Point", "floatingPoint");
    double_ = Box("Dou&ble", "double");
    qLevel_->setObjectName(QStringLiteral("qLevel"));
    for (int level = 0; level <= MAX_Q_LEVEL; ++level) {
        qLevel_->addItem(QString::number(level));
    }

    auto* types = new QVBoxLayout;
    types->addWidget(functionTypeGroup());
    types->addWidget(dataTypeGroup());
    types->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(types);
    layout->addWidget(precisionGroup());

    connect(dspBased_, &QCheckBox::clicked, this, &CDataInfo::applyDspRule);
    connect(native_, &QCheckBox::clicked, this, &CDataInfo::nativeClicked);
    connect(matrix_, &QCheckBox::clicked, this, &CDataInfo::updateDependentBoxes);
    connect(integer_, &QCheckBox::clicked, this, &CDataInfo::integerClicked);
    connect(floatingPoint_, &QCheckBox::clicked, this, &CDataInfo::floatingPointClicked);
    for (QCheckBox* box : {real_, complex_, character_, byte_, shortInteger_, integer_,
                           longInteger_, floatingPoint_, double_}) {
        connect(box, &QCheckBox::clicked, this, &CDataInfo::updateButtons);
    }
    applyDspRule();
}

QGroupBox* CDataInfo::functionTypeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Function Type"));
    auto* column = new QVBoxLayout(group);
    column->addWidget(userControl_);
    column->addWidget(dspBased_);
    column->addLayout(Indented(native_));
    column->addWidget(matrix_);
    column->addLayout(Indented(sizeCheck_));
    return group;
}

QGroupBox* CDataInfo::dataTypeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Data Type"));
    auto* column = new QVBoxLayout(group);
    column->addWidget(real_);
    column->addWidget(complex_);
    return group;
}

QGroupBox* CDataInfo::precisionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Data Precision"));
    auto* column = new QVBoxLayout(group);
    column->addWidget(character_);
    column->addWidget(byte_);
    column->addWidget(shortInteger_);
    column->addWidget(integer_);
    column->addLayout(Indented(q_, qLevel_));
    column->addWidget(longInteger_);
    column->addWidget(floatingPoint_);
    column->addWidget(double_);
    column->addStretch();
    return group;
}

void CDataInfo::loadControls() {
    const BLOCKINFO& b = block();
    userControl_->setChecked(b.UserControl != 0);
    dspBased_->setChecked(b.RealTime != 0);
    native_->setChecked(b.Native != 0);
    matrix_->setChecked(b.Matrix != 0);
    sizeCheck_->setChecked(b.Square != 0);
    real_->setChecked(b.Real != 0);
    complex_->setChecked(b.Complex != 0);
    character_->setChecked(b.Character != 0);
    byte_->setChecked(b.Byte != 0);
    shortInteger_->setChecked(b.ShortInteger != 0);
    integer_->setChecked(b.Integer != 0);
    q_->setChecked(b.Q != 0);
    qLevel_->setCurrentIndex(b.QLevel >= 0 && b.QLevel <= MAX_Q_LEVEL ? b.QLevel : MAX_Q_LEVEL);
    longInteger_->setChecked(b.LongInteger != 0);
    floatingPoint_->setChecked(b.FloatingPoint != 0);
    double_->setChecked(b.Double != 0);
    chipIndex_ = IndexForChip(b.Chip);
    memoryModel_ = b.MemoryModel;
    endian_ = b.Endian;
    xDAIS_ = b.xDAIS;
    applyDspRule();
}

bool CDataInfo::storeControls(bool /*forward*/) {
    BLOCKINFO& b = block();
    b.UserControl = Flag(userControl_);
    b.RealTime = Flag(dspBased_);
    b.Native = Flag(native_);
    b.Matrix = Flag(matrix_);
    b.Square = Flag(sizeCheck_);
    b.Real = Flag(real_);
    b.Complex = Flag(complex_);
    b.Character = Flag(character_);
    b.Byte = Flag(byte_);
    b.ShortInteger = Flag(shortInteger_);
    b.Integer = Flag(integer_);
    b.Q = Flag(q_);
    b.QLevel = qLevel_->currentIndex();
    b.LongInteger = Flag(longInteger_);
    b.FloatingPoint = Flag(floatingPoint_);
    b.Double = Flag(double_);
    b.MemoryModel = memoryModel_;
    b.Endian = endian_;
    b.xDAIS = xDAIS_;
    b.Image = 0;
    b.Chip = ChipForIndex(chipIndex_);
    b.ChipName = ChipNameForIndex(chipIndex_);
    return true;
}

void CDataInfo::applyDspRule() {
    const bool dsp = dspBased_->isChecked();
    for (QCheckBox* box : {byte_, character_, shortInteger_, longInteger_, double_}) {
        if (dsp) {
            Uncheck(box);
        }
        box->setEnabled(!dsp);
    }
    if (!dsp) {
        Uncheck(native_);
        xDAIS_ = 0;
    }
    native_->setEnabled(dsp);
    updateDependentBoxes();
    updateButtons();
}

void CDataInfo::nativeClicked() {
    if (native_->isChecked()) {
        xDAIS_ = 0;  // native DSP code is not an XDAIS component
    }
}

void CDataInfo::integerClicked() {
    if (!integer_->isChecked()) {
        Uncheck(q_);
    } else if (xDAIS_ != 0) {
        Uncheck(floatingPoint_);  // an XDAIS block has one precision
    }
    updateDependentBoxes();
}

void CDataInfo::floatingPointClicked() {
    if (floatingPoint_->isChecked() && xDAIS_ != 0) {
        Uncheck(integer_);
        Uncheck(q_);
    }
    updateDependentBoxes();
}

void CDataInfo::updateDependentBoxes() {
    sizeCheck_->setEnabled(matrix_->isChecked());
    q_->setEnabled(integer_->isChecked());
    qLevel_->setEnabled(integer_->isChecked());
}

void CDataInfo::updateButtons() {
    const bool dataType = real_->isChecked() || complex_->isChecked();
    bool precision = false;
    for (const QCheckBox* box :
         {byte_, character_, shortInteger_, integer_, longInteger_, floatingPoint_, double_}) {
        precision = precision || box->isChecked();
    }
    setNextEnabled(dataType && precision);
}

}  // namespace bw
