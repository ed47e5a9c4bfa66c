#pragma once

#include <QPointer>
#include <memory>
#include <utility>
#include <vector>

#include "launch/build_launch.h"
#include "wizard/dialog_runner.h"
#include "wizard/wizard_page.h"

class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidgetItem;

namespace bw {

class FileTreesView;
class TrialRun;
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
    // The copies the last run kept in "KRSave" of the files it replaced.
    WrappingText* copiesLabel() const { return copies_; }
    QPushButton* visualCppButton() const { return visualCpp_; }
    QPushButton* codeComposerButton() const { return codeComposer_; }
    // "Open &Folder": the block folder in the file manager.
    QPushButton* openFolderButton() const { return openFolder_; }
    // "&Tools...": the Tools dialog, where the tools' programs are set.
    QPushButton* toolsButton() const { return tools_; }
    // Where a CMake project was written: the commands that build it.
    WrappingText* buildCommandsText() const { return buildCommands_; }
    // The status line: the program waited for and what it last wrote, with
    // a busy bar and a Cancel that stops the program.
    QLabel* statusLabel() const { return status_; }
    QPushButton* cancelToolButton() const { return cancelTool_; }
    // "Tr&y the Block": the block as it stands on disk tried without its
    // host, in the background, then its result shown. Offered where the
    // context can try a block, pressable once the block has been generated.
    QPushButton* trialButton() const { return trial_; }
    TrialRun* trialRun() const { return trialRun_; }
    // How the result of a try is shown; tests look at it instead.
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    // Return finishes: Open Folder and the tools are pressed on purpose.
    QWidget* startFocus() const override { return nullptr; }

    // True while a program started from the page, or a try, is waited for.
    bool isRunningTool() const;
    // Stops the program or the try waited for (its Cancel, and Escape meanwhile).
    void cancelTool();
    // Starts a try of the block (the button's press).
    void startTrial();

protected:
    void build() override;
    void loadControls() override;

private:
    // The build and launch actions, made on first use.
    BuildAndLaunch& actions();
    // Runs action with the buttons and trees disabled, so that a press during
    // a build (the window keeps handling input) cannot start another one.
    void whileBusy(const std::function<void()>& action);
    // The buttons and trees disabled, and the focus on the sheet's Cancel,
    // while something runs; releaseParts() puts them back as they were.
    void holdParts();
    void releaseParts();
    void showTrialStep(const QString& step, int done, int total);
    void trialEnded();
    bool cancelPending() const;
    void openItem(FileTree tree, const QTreeWidgetItem* item);
    void openFolder();
    void showStatus(const QString& status);
    QHBoxLayout* statusLine();

    std::unique_ptr<BuildAndLaunch> actions_;
    WrappingText* location_ = nullptr;
    WrappingText* outcome_ = nullptr;
    WrappingText* keptAside_ = nullptr;
    WrappingText* copies_ = nullptr;
    FileTreesView* trees_ = nullptr;
    QPushButton* visualCpp_ = nullptr;
    QPushButton* codeComposer_ = nullptr;
    QPushButton* openFolder_ = nullptr;
    QPushButton* tools_ = nullptr;
    WrappingText* buildCommands_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* busy_ = nullptr;
    QPushButton* cancelTool_ = nullptr;
    QPushButton* trial_ = nullptr;
    TrialRun* trialRun_ = nullptr;
    DialogRunner runDialog_ = ExecDialog;
    std::vector<std::pair<QPointer<QWidget>, bool>> held_;
    QPointer<QWidget> focusBeforeHold_;
    bool toolRunning_ = false;
    bool cancelRequested_ = false;
};

}  // namespace bw
