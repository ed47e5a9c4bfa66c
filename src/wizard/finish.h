#pragma once

#include <memory>

#include "launch/build_launch.h"
#include "wizard/wizard_page.h"

class QPushButton;
class QTreeWidgetItem;

namespace bw {

class FileTreesView;
class WrappingText;

// Page 11: where the block was generated and the two trees of its files.
class CFinish : public CWizardPage {
    Q_OBJECT

public:
    explicit CFinish(WizardContext& context, QWidget* parent = nullptr);
    ~CFinish() override;

    WrappingText* locationLabel() const { return location_; }
    WrappingText* outcomeLabel() const { return outcome_; }
    FileTreesView* trees() const { return trees_; }
    // The orphan files of the last run, with their paths.
    WrappingText* keptAsideLabel() const { return keptAside_; }
    QPushButton* visualCppButton() const { return visualCpp_; }
    QPushButton* codeComposerButton() const { return codeComposer_; }
    // "Open &Folder": the block folder in the file manager.
    QPushButton* openFolderButton() const { return openFolder_; }
    // Where a CMake project was written: the commands that build it.
    WrappingText* buildCommandsText() const { return buildCommands_; }

protected:
    void build() override;
    void loadControls() override;

private:
    // The build and launch actions, made on first use; they hold the Visual
    // C++ button's press counter for the life of the page.
    BuildAndLaunch& actions();
    // Runs action with the buttons and trees disabled, so that a press during
    // a build (the window keeps handling input) cannot start another one.
    void whileBusy(const std::function<void()>& action);
    void openItem(FileTree tree, const QTreeWidgetItem* item);
    void openFolder();

    std::unique_ptr<BuildAndLaunch> actions_;
    WrappingText* location_ = nullptr;
    WrappingText* outcome_ = nullptr;
    WrappingText* keptAside_ = nullptr;
    FileTreesView* trees_ = nullptr;
    QPushButton* visualCpp_ = nullptr;
    QPushButton* codeComposer_ = nullptr;
    QPushButton* openFolder_ = nullptr;
    WrappingText* buildCommands_ = nullptr;
};

}  // namespace bw
