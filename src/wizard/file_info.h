#pragma once

#include "wizard/wizard_page.h"

namespace bw {

// Page 3: the block file name, help and icon files and the directories (BlockName, HelpFilename,
// IconFilename, Directory, LibraryPath, IncludePath).
class CFileInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CFileInfo(WizardContext& context, QWidget* parent = nullptr);

    void load() override;
    bool store(bool forward) override;

private:
    // The page's controls, made in the constructor.
};

}  // namespace bw
