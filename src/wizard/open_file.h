#pragma once

#include "wizard/wizard_page.h"

class QPushButton;

namespace bw {

// Page 1: a new block or an opened template. While it is current the sheet's
// Back place reads "&Open >" and Next reads "&New >".
class COpenFile : public CWizardPage {
    Q_OBJECT

public:
    explicit COpenFile(WizardContext& context, QWidget* parent = nullptr);

    // Open: reset, ask for a template, read it; on success on to page 2. On
    // Cancel or a read failure the page stays, with a new block's definition.
    void open();
    // Opens the template at path, as Open does once the user has chosen it;
    // the caller has asked about the block in hand.
    void openFile(const std::string& path);
    // "Continue with block NAME": back to page 2 with the definition as it
    // is, shown while a block has begun.
    void continueWithBlock();

    QPushButton* continueButton() const { return continue_; }

protected:
    void build() override;
    void loadControls() override;
    // New: the definition back to a new block, then on to page 2.
    bool storeControls(bool forward) override;

private:
    // Reads the chosen template and moves on to page 2; on a read failure
    // the page stays, with a new block.
    void readTemplate(const std::string& path);
    // Where the Open dialog starts before any template has been opened.
    std::string FirstOpenFolder() const;
    // The discard question, when the definition or a page holds changes.
    bool mayBeginAnotherBlock();

    QPushButton* continue_ = nullptr;
    bool keepBlock_ = false;  // Next after Open or Continue keeps the definition
};

}  // namespace bw
