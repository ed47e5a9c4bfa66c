#include "wizard/io_info.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <algorithm>

#include "definition/edit_rules.h"
#include "wizard/block_preview.h"
#include "wizard/field_message.h"
#include "wizard/field_note.h"
#include "wizard/page_text.h"

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Set input and output characteristics of the block.";

// A channel count as typed. The spin box alone would drop the keystroke that
// takes a count beyond 129 (130 would read 13) and put the previous value back
// when the field is left; this one keeps what was typed so that the page can
// give the range message.
class CountBox : public QSpinBox {
public:
    explicit CountBox(const char* objectName) {
        setObjectName(QString::fromLatin1(objectName));
        setRange(0, MAX_CHANNELS);
        setDisplayIntegerBase(10);
    }

protected:
    QValidator::State validate(QString& text, int& position) const override {
        static const QRegularExpression DIGITS(
            QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{1,9}")));
        const QValidator::State state = QSpinBox::validate(text, position);
        return state == QValidator::Invalid && DIGITS.match(text).hasMatch()
                   ? QValidator::Intermediate
                   : state;
    }
    void focusOutEvent(QFocusEvent* event) override {
        if (hasAcceptableInput()) {
            QSpinBox::focusOutEvent(event);
        } else {
            QWidget::focusOutEvent(event);  // no correction: the text stays for the message
        }
    }
};

}  // namespace

CIOInfo::CIOInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {}

void CIOInfo::build() {
    inputs_ = new CountBox("inputCount");
    outputs_ = new CountBox("outputCount");
    channels_ = new QListWidget;
    label_ = new QLineEdit;
    dimension_ = new QLineEdit;
    preview_ = new BlockPreview(context().workingDirectory);
    channels_->setObjectName(QStringLiteral("channels"));
    label_->setObjectName(QStringLiteral("channelLabel"));
    dimension_->setObjectName(QStringLiteral("channelDimension"));
    dimension_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), this));

    countMessage_ = new QLabel;
    countMessage_->setObjectName(QStringLiteral("countMessage"));
    countMessage_->setTextFormat(Qt::PlainText);
    countMessage_->setWordWrap(true);
    countMessage_->setStyleSheet(QStringLiteral("color: #b00000"));
    auto* counts = new QFormLayout;
    counts->addRow(QStringLiteral("# of &Input Arrays:"), inputs_);
    counts->addRow(QStringLiteral("# of &Output Arrays:"), outputs_);
    counts->addRow(countMessage_);
    auto* channel = new QFormLayout;
    channel->addRow(QStringLiteral("Channel &Label:"), label_);
    channel->addRow(QStringLiteral("Channel &Dimension:"), dimension_);
    channel->addRow(FieldNote(QStringLiteral("Values the channel carries per sample.")));

    auto* grid = new QGridLayout(this);
    grid->addLayout(counts, 0, 0);
    grid->addWidget(channels_, 1, 0);
    grid->addLayout(channel, 2, 0);
    grid->addWidget(preview_, 0, 1, 3, 1);
    grid->setColumnStretch(1, 1);

    connect(inputs_, &QSpinBox::valueChanged, this, &CIOInfo::refresh);
    connect(outputs_, &QSpinBox::valueChanged, this, &CIOInfo::refresh);
    // The spin box tells of text only when it makes a value; its field tells of every key.
    for (QSpinBox* count : {inputs_, outputs_}) {
        connect(count->findChild<QLineEdit*>(), &QLineEdit::textChanged, this,
                &CIOInfo::showCountRefusal);
    }
    connect(channels_, &QListWidget::currentRowChanged, this, &CIOInfo::showEntry);
    connect(label_, &QLineEdit::textEdited, this, &CIOInfo::labelEdited);
    connect(dimension_, &QLineEdit::textEdited, this, &CIOInfo::dimensionEdited);
}

void CIOInfo::followOrigin() {
    const BlockOrigin& origin = context().origin;
    if (origin.started == originSeen_) {
        return;
    }
    originSeen_ = origin.started;
    inputEntries_.clear();
    outputEntries_.clear();
    // A new block's channels get the first-visit dimensions; a template keeps its own.
    if (!origin.fromTemplate) {
        applyNewBlockDimensions();
    }
}

void CIOInfo::applyNewBlockDimensions() {
    BLOCKINFO& b = block();
    const int dimension = (b.Matrix != 0 || b.Image != 0) ? 2 : 1;
    b.InputChannelDimension.assign(MAX_CHANNELS, dimension);
    b.OutputChannelDimension.assign(MAX_CHANNELS, dimension);
}

void CIOInfo::loadControls() {
    followOrigin();
    const QSignalBlocker blockInputs(inputs_);
    const QSignalBlocker blockOutputs(outputs_);
    inputs_->setValue(block().NumInputs);
    outputs_->setValue(block().NumOutputs);
    refresh();
    setNextEnabled(true);
}

bool CIOInfo::storeControls(bool forward) {
    // A count typed beyond the range, or an emptied field, is not taken.
    if (const std::string refusal = countRefusal(); !refusal.empty()) {
        prompts().showMessage(refusal, MessageIcon::Exclamation);
        (inputs_->hasAcceptableInput() ? outputs_ : inputs_)->setFocus();
        return false;
    }
    BLOCKINFO& b = block();
    b.NumInputs = inputs_->value();
    b.NumOutputs = outputs_->value();
    ApplyChannelPageStore(b);
    if (forward) {
        ensureEntries();
        for (size_t i = 0; i < static_cast<size_t>(b.NumInputs); ++i) {
            b.InputChannelLabel[i] = inputEntries_[i].label;
            b.InputChannelDimension[i] = inputEntries_[i].dimension;
        }
        for (size_t i = 0; i < static_cast<size_t>(b.NumOutputs); ++i) {
            b.OutputChannelLabel[i] = outputEntries_[i].label;
            b.OutputChannelDimension[i] = outputEntries_[i].dimension;
        }
    }
    return true;
}

std::string CIOInfo::countRefusal() const {
    for (const QSpinBox* count : {inputs_, outputs_}) {
        if (!count->hasAcceptableInput()) {
            return WholeNumberRefusal(count == inputs_ ? "# of Input Arrays" : "# of Output Arrays",
                                      ToStdString(count->text()), 0, MAX_CHANNELS);
        }
    }
    return {};
}

void CIOInfo::showCountRefusal() {
    // The list and the preview still show the last count taken; the message
    // says why the one typed is not.
    countMessage_->setText(ToQString(countRefusal()));
}

bool CIOInfo::holdsUnstoredEdits() const {
    // Entries of a block begun since the last visit are not that block's.
    if (inputs_ == nullptr || context().origin.started != originSeen_) {
        return false;
    }
    const BLOCKINFO& b = context().block;
    const auto differs = [](const std::vector<ChannelEntry>& entries, int count,
                            const std::vector<std::string>& labels,
                            const std::vector<int>& dimensions) {
        const size_t reached = std::min(entries.size(), static_cast<size_t>(count));
        for (size_t i = 0; i < reached; ++i) {
            if (entries[i].label != labels[i] || entries[i].dimension != dimensions[i]) {
                return true;
            }
        }
        return false;
    };
    return differs(inputEntries_, inputs_->value(), b.InputChannelLabel, b.InputChannelDimension) ||
           differs(outputEntries_, outputs_->value(), b.OutputChannelLabel,
                   b.OutputChannelDimension);
}

void CIOInfo::ensureEntries() {
    const BLOCKINFO& b = block();
    const int inputs = inputs_->value();
    const int outputs = outputs_->value();
    while (inputEntries_.size() < static_cast<size_t>(inputs)) {
        const size_t i = inputEntries_.size();
        inputEntries_.push_back({b.InputChannelDimension[i], b.InputChannelLabel[i]});
    }
    while (outputEntries_.size() < static_cast<size_t>(outputs)) {
        const size_t i = outputEntries_.size();
        outputEntries_.push_back({b.OutputChannelDimension[i], b.OutputChannelLabel[i]});
    }
}

void CIOInfo::refresh() {
    ensureEntries();
    const int inputs = inputs_->value();
    const int outputs = outputs_->value();
    {
        const QSignalBlocker quiet(channels_);
        channels_->clear();
        for (int i = 0; i < inputs; ++i) {
            channels_->addItem(QString::asprintf("Input Channel %d", i));
        }
        for (int i = 0; i < outputs; ++i) {
            channels_->addItem(QString::asprintf("Output Channel %d", i));
        }
        channels_->setCurrentRow(channels_->count() > 0 ? 0 : -1);
    }
    showEntry(channels_->currentRow());
    preview_->setCounts(inputs, outputs);
}

CIOInfo::ChannelEntry* CIOInfo::selectedEntry() {
    const int row = channels_->currentRow();
    const int inputs = inputs_->value();
    if (row < 0) {
        return nullptr;
    }
    if (row < inputs) {
        return &inputEntries_[static_cast<size_t>(row)];
    }
    const size_t output = static_cast<size_t>(row - inputs);
    return output < outputEntries_.size() ? &outputEntries_[output] : nullptr;
}

void CIOInfo::showEntry(int /*row*/) {
    const ChannelEntry* entry = selectedEntry();
    label_->setEnabled(entry != nullptr);
    dimension_->setEnabled(entry != nullptr);
    label_->setText(entry != nullptr ? ToQString(entry->label) : QString());
    dimension_->setText(entry != nullptr ? QString::number(entry->dimension) : QString());
}

void CIOInfo::labelEdited(const QString& text) {
    if (ChannelEntry* entry = selectedEntry()) {
        entry->label = ToStdString(text);
    }
}

void CIOInfo::dimensionEdited(const QString& text) {
    if (ChannelEntry* entry = selectedEntry()) {
        entry->dimension = DecimalValue(ToStdString(text));
    }
}

QWidget* CIOInfo::showFinding(const Finding& finding) {
    if (finding.key == "Inputs" || finding.key == "Outputs") {
        return finding.key == "Inputs" ? inputs_ : outputs_;
    }
    if (finding.record >= 0 && finding.record < channels_->count()) {
        channels_->setCurrentRow(finding.record);
    }
    return label_;
}

}  // namespace bw
