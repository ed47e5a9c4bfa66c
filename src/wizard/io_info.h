#pragma once

#include <string>
#include <vector>

#include "wizard/wizard_page.h"

class QLineEdit;
class QListWidget;
class QSpinBox;
class QWizard;

namespace bw {

class BlockPreview;

// The range message of a channel count that is empty or out of range.
inline constexpr const char* COUNT_RANGE_MESSAGE = "Please enter an integer between 0 and 129.";

// Page 6: the input and output counts and the channels' labels and dimensions.
class CIOInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CIOInfo(WizardContext& context, QWidget* parent = nullptr);

    // Page 1 has started another block: "&New >" (fromNew) or an opened
    // template. The page forgets the channel entries of the block before;
    // a new block's channels get the first-visit dimensions (2 for a matrix
    // or image block, else 1), while a template's dimensions are kept.
    // Within the sheet the page notices this by itself.
    void blockStarted(bool fromNew);

protected:
    void build() override;
    void loadControls() override;
    bool storeControls(bool forward) override;
    std::optional<DefinitionPage> checkedPage() const override { return DefinitionPage::Channels; }
    QWidget* showFinding(const Finding& finding) override;
    bool event(QEvent* event) override;

private:
    struct ChannelEntry {
        int dimension;
        std::string label;
    };

    void watchSheet(QWizard* sheet);
    void applyNewBlockDimensions();
    // Entries for every channel the counts reach, taken from the definition.
    void ensureEntries();
    // Entries for every counted channel, the list, the first entry shown, the preview.
    void refresh();
    void showEntry(int row);
    ChannelEntry* selectedEntry();
    void labelEdited(const QString& text);
    void dimensionEdited(const QString& text);

    QSpinBox* inputs_ = nullptr;
    QSpinBox* outputs_ = nullptr;
    QListWidget* channels_ = nullptr;
    QLineEdit* label_ = nullptr;
    QLineEdit* dimension_ = nullptr;
    BlockPreview* preview_ = nullptr;

    // One entry per channel the counts have reached so far; lowering a count
    // and raising it again brings the earlier entries back.
    std::vector<ChannelEntry> inputEntries_;
    std::vector<ChannelEntry> outputEntries_;

    bool newBlockDimensionsPending_ = false;
    bool sheetWatched_ = false;
    bool nextPressedOnFirstPage_ = false;
    int previousPage_ = -1;
};

}  // namespace bw
