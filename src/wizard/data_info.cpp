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
    for (size_t i = 0; i < dataTypes_.size(); ++i) {
        dataTypes_[i] = Box(DATA_TYPES[i].box, DATA_TYPES[i].boxName);
    }
    for (size_t i = 0; i < precisions_.size(); ++i) {
        precisions_[i] = Box(SAMPLE_PRECISIONS[i].box, SAMPLE_PRECISIONS[i].boxName);
    }
    q_ = Box("&Q", "q");
    qLevel_ = new QComboBox;
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
    const auto noRule = [](DataChoices&) {};
    applies(dspBased_, ApplyDspRule);
    applies(native_, NativeClicked);
    for (QCheckBox* box : {userControl_, matrix_, sizeCheck_, q_}) {
        applies(box, noRule);
    }
    for (QCheckBox* box : dataTypes_) {
        applies(box, noRule);
    }
    for (size_t i = 0; i < precisions_.size(); ++i) {
        applies(precisions_[i], i == INTEGER_PRECISION          ? IntegerClicked
                                : i == FLOATING_POINT_PRECISION ? FloatingPointClicked
                                                                : +noRule);
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
    for (QCheckBox* box : dataTypes_) {
        column->addWidget(box);
    }
    return group;
}

QGroupBox* CDataInfo::precisionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Data Precision"));
    auto* column = new QVBoxLayout(group);
    for (size_t i = 0; i < precisions_.size(); ++i) {
        column->addWidget(precisions_[i]);
        if (i == INTEGER_PRECISION) {
            column->addLayout(Indented(q_, qLevel_));
        }
    }
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
    for (size_t i = 0; i < dataTypes_.size(); ++i) {
        c.dataTypes[i] = dataTypes_[i]->isChecked();
    }
    for (size_t i = 0; i < precisions_.size(); ++i) {
        c.precisions[i] = precisions_[i]->isChecked();
    }
    c.q = q_->isChecked();
    return c;
}

void CDataInfo::showChoices(const DataChoices& c) {
    userControl_->setChecked(c.userControl);
    dspBased_->setChecked(c.dspBased);
    native_->setChecked(c.native);
    xDAIS_ = c.xDAIS;
    matrix_->setChecked(c.matrix);
    sizeCheck_->setChecked(c.sizeCheck);
    for (size_t i = 0; i < dataTypes_.size(); ++i) {
        dataTypes_[i]->setChecked(c.dataTypes[i]);
    }
    for (size_t i = 0; i < precisions_.size(); ++i) {
        precisions_[i]->setChecked(c.precisions[i]);
    }
    q_->setChecked(c.q);

    const DataBoxesEnabled enabled = EnabledDataBoxes(c);
    for (size_t i = 0; i < precisions_.size(); ++i) {
        if (!SAMPLE_PRECISIONS[i].dspCapable) {
            precisions_[i]->setEnabled(enabled.nonDspPrecisions);
        }
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
