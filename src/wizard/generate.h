#pragma once

#include <optional>
#include <stdexcept>

#include "run/generation_run.h"
#include "wizard/wizard_page.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace bw {

class FileTreesView;
class RunProgress;
class WrappingText;

// Page 10: the file set in two trees and the "&Generate Code" button. The run
// keeps the window painting, shows a progress bar naming the file in hand,
// and moves the wizard on to the completion page however it ends.
class CGenerate : public CWizardPage {
    Q_OBJECT

public:
    explicit CGenerate(WizardContext& context, QWidget* parent = nullptr);

    // Runs one generation (the button's action).
    void generate();

    bool isRunning() const { return running_; }
    // The outcome of the last run, if there was one.
    const std::optional<RunResult>& lastResult() const { return lastResult_; }

    QPushButton* generateButton() const { return button_; }
    // Return generates: Next waits for a run.
    QWidget* startFocus() const override;
    // "Also write a CMake project", remembered in the settings.
    QCheckBox* cmakeBox() const { return cmake_; }
    // What the checker found when the page was shown, one line each.
    WrappingText* findingsText() const { return findings_; }
    FileTreesView* trees() const { return trees_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* progressLabel() const { return progressLabel_; }

signals:
    // Each time the progress names another file (for tests and screenshots).
    void fileInHand(const QString& relativePath);

protected:
    void build() override;
    void loadControls() override;

private:
    class RunPrompts;

    // The checker's findings, the stock files' first.
    std::vector<Finding> findings();
    void showFindings();
    // The check box's choice into the definition and the settings, and the
    // trees redrawn with or without the CMake project.
    void chooseCMakeProject(bool chosen);
    void showRunning(bool running);
    // Marks each file of the trees new, changed or unchanged, as a run now
    // would leave it.
    void markWhatWillChange();
    void showFileInHand(const RunProgress& progress);
    // The cursor, the running flag and the controls back as before a run.
    void endRun();
    // A fault of the program's own (a generator's pattern naming a variable
    // nothing sets) ends what the page was doing with a message, not the wizard.
    void showInternalError(const std::logic_error& error);

    FileTreesView* trees_ = nullptr;
    QCheckBox* cmake_ = nullptr;
    QPushButton* button_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    WrappingText* findings_ = nullptr;
    bool running_ = false;
    std::optional<RunResult> lastResult_;
};

}  // namespace bw
