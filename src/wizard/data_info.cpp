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

}  // namespace

CDataInfo::CDataInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {}

void CDataInfo::build() {
    userControl_ = Box("&User Control", "userControl");
    dspBased_ = Box("&DSP Based", "dspBased");
    native_ = Box("Na&tive", "native");
    matrix_ = Box("&Matrix / Image", "matrix");
    sizeCheck_ = Box("Include si&ze check", "sizeCheck");
    real_ = Box("&Real", "real");
    complex_ = Box("C&omplex", "complex");
    character_ = Box("C&haracter", "character");
    byte_ = Box("B&yte", "byte");
    shortInteger_ = Box("&Short Integer", "shortInteger");
    integer_ = Box("&Integer", "integer");
    q_ = Box("&Q", "q");
    qLevel_ = new QComboBox;
    longInteger_ = Box("&Long Integer", "longInteger");
    floatingPoint_ = Box("&Floating Point", "floatingPoint");
    double_ = Box("Doubl&e", "double");
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

    // Every click applies the rule its box has (none for most) and shows the outcome.
    const auto applies = [this](QCheckBox* box, void (*rule)(DataChoices&)) {
        connect(box, &QCheckBox::clicked, this, [this, rule] { clicked(rule); });
    };
    applies(dspBased_, ApplyDspRule);
    applies(native_, NativeClicked);
    applies(integer_, IntegerClicked);
    applies(floatingPoint_, FloatingPointClicked);
    for (QCheckBox* box : {userControl_, matrix_, sizeCheck_, real_, complex_, character_, byte_,
                           shortInteger_, q_, longInteger_, double_}) {
        applies(box, [](DataChoices&) {});
    }
    clicked(ApplyDspRule);
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
    qLevel_->setCurrentIndex(b.QLevel >= 0 && b.QLevel <= MAX_Q_LEVEL ? b.QLevel : MAX_Q_LEVEL);
    DataChoices loaded = DataChoicesOf(b);
    ApplyDspRule(loaded);
    showChoices(loaded);
}

bool CDataInfo::storeControls(bool /*forward*/) {
    BLOCKINFO& b = block();
    StoreDataChoices(choices(), b);
    b.QLevel = qLevel_->currentIndex();
    ApplyDataPageStore(b);
    return true;
}

DataChoices CDataInfo::choices() const {
    DataChoices c;
    c.userControl = userControl_->isChecked();
    c.dspBased = dspBased_->isChecked();
    c.native = native_->isChecked();
    c.xDAIS = xDAIS_;
    c.matrix = matrix_->isChecked();
    c.sizeCheck = sizeCheck_->isChecked();
    c.real = real_->isChecked();
    c.complex = complex_->isChecked();
    c.character = character_->isChecked();
    c.byte = byte_->isChecked();
    c.shortInteger = shortInteger_->isChecked();
    c.integer = integer_->isChecked();
    c.q = q_->isChecked();
    c.longInteger = longInteger_->isChecked();
    c.floatingPoint = floatingPoint_->isChecked();
    c.doublePrecision = double_->isChecked();
    return c;
}

void CDataInfo::showChoices(const DataChoices& c) {
    userControl_->setChecked(c.userControl);
    dspBased_->setChecked(c.dspBased);
    native_->setChecked(c.native);
    xDAIS_ = c.xDAIS;
    matrix_->setChecked(c.matrix);
    sizeCheck_->setChecked(c.sizeCheck);
    real_->setChecked(c.real);
    complex_->setChecked(c.complex);
    character_->setChecked(c.character);
    byte_->setChecked(c.byte);
    shortInteger_->setChecked(c.shortInteger);
    integer_->setChecked(c.integer);
    q_->setChecked(c.q);
    longInteger_->setChecked(c.longInteger);
    floatingPoint_->setChecked(c.floatingPoint);
    double_->setChecked(c.doublePrecision);

    const DataBoxesEnabled enabled = EnabledDataBoxes(c);
    for (QCheckBox* box : {byte_, character_, shortInteger_, longInteger_, double_}) {
        box->setEnabled(enabled.nonDspPrecisions);
    }
    native_->setEnabled(enabled.native);
    sizeCheck_->setEnabled(enabled.sizeCheck);
    q_->setEnabled(enabled.q);
    qLevel_->setEnabled(enabled.q);
    setNextEnabled(DataChoicesComplete(c));
}

void CDataInfo::clicked(void (*rule)(DataChoices&)) {
    DataChoices c = choices();
    rule(c);
    showChoices(c);
}

}  // namespace bw
