#pragma once

#include <string>
#include <vector>

#include "wizard/wizard_page.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace bw {

class BlockPreview;

// Page 6: the input and output counts and the channels' labels and dimensions.
class CIOInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CIOInfo(WizardContext& context, QWidget* parent = nullptr);

    // Channel labels and dimensions edited since the last Next.
    bool holdsUnstoredEdits() const override;

    // Under the counts: why a count typed is not taken, shown while typing.
    QLabel* countMessage() const { return countMessage_; }

protected:
    void build() override;
    void loadControls() override;
    bool storeControls(bool forward) override;
    std::optional<DefinitionPage> checkedPage() const override { return DefinitionPage::Channels; }
    QWidget* showFinding(const Finding& finding) override;

private:
    struct ChannelEntry {
        int dimension;
        std::string label;
    };

    // A block begun since the last visit: its channel entries start afresh.
    void followOrigin();
    void applyNewBlockDimensions();
    // Entries for every channel the counts reach, taken from the definition.
    void ensureEntries();
    // Entries for every counted channel, the list, the first entry shown, the preview.
    void refresh();
    void showEntry(int row);
    ChannelEntry* selectedEntry();
    void labelEdited(const QString& text);
    // The refusal of a count typed out of range, shown under the counts at
    // once; empty while both are acceptable.
    std::string countRefusal() const;
    void showCountRefusal();
    void dimensionEdited(const QString& text);

    QSpinBox* inputs_ = nullptr;
    QSpinBox* outputs_ = nullptr;
    QLabel* countMessage_ = nullptr;
    QListWidget* channels_ = nullptr;
    QLineEdit* label_ = nullptr;
    QLineEdit* dimension_ = nullptr;
    BlockPreview* preview_ = nullptr;

    // One entry per channel the counts have reached so far; lowering a count
    // and raising it again brings the earlier entries back.
    std::vector<ChannelEntry> inputEntries_;
    std::vector<ChannelEntry> outputEntries_;

    int originSeen_ = 0;  // the context's count of begun blocks at the last visit
};

}  // namespace bw
