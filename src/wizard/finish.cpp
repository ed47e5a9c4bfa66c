#include "wizard/finish.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWizard>
#include <algorithm>

#include "generation/paths.h"
#include "run/file_set.h"
#include "wizard/cwizard.h"
#include "wizard/file_trees_view.h"
#include "wizard/generate.h"
#include "wizard/trial_run.h"
#include "wizard/trial_view.h"
#include "wizard/wrapping_text.h"

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Block generation complete.";

// The header's subtitle after the last run: the page's own subtitle would
// report a stopped run as a success.
QString OutcomeSubtitle(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Completed:
            return QString::fromUtf8(SUBTITLE);
        case RunOutcome::Cancelled:
            return QStringLiteral("Block generation cancelled.");
        case RunOutcome::Aborted:
            return QStringLiteral("Block generation stopped by an error.");
        case RunOutcome::Refused:
            return QStringLiteral("Block generation refused.");
    }
    return {};
}

// Where the component went; a run that stopped wrote only part of it, or
// nothing at all.
QString LocationText(const RunResult& result, const QString& directory) {
    if (result.Count(FileAction::Written) == 0 && result.Count(FileAction::Unchanged) == 0) {
        return QStringLiteral("Nothing was written in ") + directory;
    }
    if (result.outcome == RunOutcome::Completed) {
        return QStringLiteral("The component was generated in ") + directory;
    }
    return QStringLiteral("The component was partly generated in ") + directory;
}

// The orphan files of the run, one path a line: the user's sections there
// are found again only by those who know where to look.
QString KeptAsideText(const RunResult& result) {
    if (result.leftovers.empty()) {
        return {};
    }
    QString text =
        QStringLiteral("User sections that could not be carried over were kept aside in:");
    for (const SpliceLeftovers& leftovers : result.leftovers) {
        text += QStringLiteral("\n    ") +
                QString::fromLocal8Bit(DisplayPath(leftovers.keptIn).c_str());
    }
    return text;
}

// Where the run kept a copy of each file it replaced, one a line: the way
// back to a version, hand edits and all.
QString CopiesText(const RunResult& result, const std::string& prefix) {
    QString text;
    for (const FileEvent& event : result.events) {
        if (event.action != FileAction::BackedUp || event.copy.empty()) {
            continue;
        }
        // Below the folder the location names, so that the list stays short.
        const std::string copy =
            event.copy.starts_with(prefix) ? event.copy.substr(prefix.size()) : event.copy;
        text += QStringLiteral("\n    ") + QString::fromLocal8Bit(DisplayPath(copy).c_str()) +
                (event.editedByHand ? QStringLiteral("  (edited by hand)") : QString());
    }
    return text.isEmpty()
               ? text
               : QStringLiteral("Copies of the replaced files were kept in that folder:") + text;
}

// What the completion page says when the last run did not write everything.
QString OutcomeText(const RunResult& result) {
    switch (result.outcome) {
        case RunOutcome::Completed:
            return result.notWritten.empty()
                       ? QString()
                       : QStringLiteral(
                             "Some files could not be written; they are marked "
                             "\"not written\" below.");
        case RunOutcome::Cancelled:
            return QStringLiteral(
                "Code generation was cancelled: the files after that point were not written. "
                "The trees below show which files were written.");
        case RunOutcome::Aborted:
            return QStringLiteral(
                "Code generation was aborted: a file could not be written, and the files after "
                "it were not written. The trees below show which files were written.");
        case RunOutcome::Refused:
            return QStringLiteral("Nothing was generated: the definition was refused.");
    }
    return {};
}

// The commands that build the CMake project, as its head lists them for the
// tools of this system; the MinGW toolchain file lies beside it.
QString CMakeBuildCommands(const QString& directory) {
    const QString commands =
        RUNNING_ON_WINDOWS ? QStringLiteral(
                                 "    cmake -B build -A Win32\n"
                                 "    cmake --build build --config Release")
                           : QStringLiteral("    cmake -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=") +
                                 QString::fromUtf8(CMAKE_TOOLCHAIN_FILE) +
                                 QStringLiteral("\n    cmake --build build");
    return QStringLiteral("To build the CMake project:\n    cd \"") + directory +
           QStringLiteral("\"\n") + commands;
}

// A file's state after the run: its last event, or whether an earlier version is there.
FileState StateAfterRun(const RunResult& result, const std::string& relativePath, bool exists) {
    FileState state = exists ? FileState::NotWritten : FileState::Missing;
    for (const FileEvent& event : result.events) {
        if (event.relativePath != relativePath) {
            continue;
        }
        switch (event.action) {
            case FileAction::Written:
                state = FileState::Written;
                break;
            case FileAction::Unchanged:
                state = FileState::Unchanged;
                break;
            case FileAction::Skipped:
                state = exists ? FileState::Kept : FileState::Missing;
                break;
            case FileAction::BackedUp:
                break;
        }
    }
    return state;
}

}  // namespace

CFinish::CFinish(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {}

void CFinish::build() {
    location_ = new WrappingText;
    outcome_ = new WrappingText;
    keptAside_ = new WrappingText;
    keptAside_->setObjectName(QStringLiteral("keptAside"));
    copies_ = new WrappingText;
    copies_->setObjectName(QStringLiteral("copies"));
    trees_ = new FileTreesView;
    auto* toolButtons = new QHBoxLayout;
    openFolder_ = new QPushButton(QStringLiteral("Open &Folder"));
    buildCommands_ = new WrappingText;
    buildCommands_->setObjectName(QStringLiteral("buildCommands"));
    // Pressed on purpose only: Return on the page finishes.
    openFolder_->setAutoDefault(false);
    visualCpp_ = new QPushButton(QStringLiteral("* Start Visual C++ Compiler *"));
    codeComposer_ = new QPushButton(QStringLiteral(" * Start Code Composer Studio *"));
    tools_ = new QPushButton(QStringLiteral("&Tools..."));
    tools_->setAutoDefault(false);
    trial_ = new QPushButton(QStringLiteral("Tr&y the Block"));
    trial_->setAutoDefault(false);
    trialRun_ = new TrialRun(this);
    auto* layout = new QVBoxLayout(this);
    // The folder named by the location, one click away beside it.
    auto* locationRow = new QHBoxLayout;
    locationRow->addWidget(location_, 1);
    locationRow->addWidget(openFolder_, 0, Qt::AlignTop);
    // Beside it, where the tool buttons below leave no room.
    locationRow->addWidget(tools_, 0, Qt::AlignTop);
    layout->addLayout(locationRow);
    layout->addWidget(outcome_);
    layout->addWidget(keptAside_);
    layout->addWidget(copies_);
    layout->addWidget(trees_, 1);
    layout->addWidget(buildCommands_);
    layout->addLayout(toolButtons);
    // What can be done with the block, side by side in one row: the row
    // shares out its room, and none is narrower than its text even in the
    // narrowest window, where a row of its own would make the page taller
    // than a window made smaller has room for.
    for (QPushButton* button : {visualCpp_, codeComposer_, trial_}) {
        toolButtons->addWidget(button, 1);
    }
    layout->addLayout(statusLine());
    connect(visualCpp_, &QPushButton::clicked, this,
            [this] { whileBusy([this] { actions().PressVisualCpp(); }); });
    connect(openFolder_, &QPushButton::clicked, this, &CFinish::openFolder);
    connect(tools_, &QPushButton::clicked, this, [this] {
        if (auto* sheet = qobject_cast<CWizard*>(wizard())) {
            sheet->showTools();
        }
    });
    connect(codeComposer_, &QPushButton::clicked, this,
            [this] { whileBusy([this] { actions().OpenDspProject(); }); });
    connect(trial_, &QPushButton::clicked, this, &CFinish::startTrial);
    connect(trialRun_, &TrialRun::progressed, this, &CFinish::showTrialStep);
    connect(trialRun_, &TrialRun::finished, this, &CFinish::trialEnded);
    connect(trees_->pcTree(), &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { openItem(FileTree::PcSide, item); });
    connect(trees_->dspTree(), &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { openItem(FileTree::DspSide, item); });
}

QHBoxLayout* CFinish::statusLine() {
    status_ = new QLabel;
    status_->setTextFormat(Qt::PlainText);
    status_->setObjectName(QStringLiteral("toolStatus"));
    // A long output line is cut, not allowed to widen the window.
    status_->setMinimumWidth(1);
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    busy_ = new QProgressBar;
    busy_->setRange(0, 0);  // a program tells no progress: the bar only moves
    busy_->setTextVisible(false);
    busy_->setMaximumWidth(fontMetrics().averageCharWidth() * 12);
    cancelTool_ = new QPushButton(QStringLiteral("Cancel"));
    connect(cancelTool_, &QPushButton::clicked, this, &CFinish::cancelTool);
    auto* row = new QHBoxLayout;
    row->addWidget(status_, 1);
    row->addWidget(busy_);
    row->addWidget(cancelTool_);
    // Hidden until a program says something: an empty row would make the
    // page taller than a window made smaller has room for.
    for (QWidget* part : {static_cast<QWidget*>(status_), static_cast<QWidget*>(busy_),
                          static_cast<QWidget*>(cancelTool_)}) {
        part->hide();
    }
    return row;
}

CFinish::~CFinish() = default;

BuildAndLaunch& CFinish::actions() {
    if (!actions_) {
        // Between the wait steps: the busy pointer (the window still takes
        // clicks, Cancel's first) while the window repaints.
        auto pump = [] {
            QApplication::setOverrideCursor(Qt::BusyCursor);
            QCoreApplication::processEvents();
            QApplication::restoreOverrideCursor();
        };
        actions_ = std::make_unique<BuildAndLaunch>(
            block(), LaunchServices{settings(), prompts(), context().launcher, pump,
                                    context().settingsDirectory,
                                    [this](const std::string& status) {
                                        showStatus(QString::fromLocal8Bit(status.c_str()));
                                    },
                                    [this] { return cancelRequested_; }, context().askBeforeSetUp});
    }
    return *actions_;
}

void CFinish::whileBusy(const std::function<void()>& action) {
    holdParts();
    toolRunning_ = true;
    cancelRequested_ = false;
    action();
    toolRunning_ = false;
    busy_->hide();
    cancelTool_->hide();
    releaseParts();
}

void CFinish::holdParts() {
    // Disabling the focused part would pass the focus on (to About, say), and
    // Return would then press that.
    focusBeforeHold_ = QApplication::focusWidget();
    // No other page, and no end of the wizard, while something runs.
    QWizard* sheet = wizard();
    held_.clear();
    for (QWidget* part :
         {static_cast<QWidget*>(visualCpp_), static_cast<QWidget*>(codeComposer_),
          static_cast<QWidget*>(openFolder_), static_cast<QWidget*>(tools_),
          static_cast<QWidget*>(trial_), static_cast<QWidget*>(trees_),
          sheet ? static_cast<QWidget*>(sheet->button(QWizard::BackButton)) : nullptr,
          sheet ? static_cast<QWidget*>(sheet->button(QWizard::FinishButton)) : nullptr}) {
        if (part != nullptr) {
            held_.emplace_back(part, part->isEnabled());
            part->setEnabled(false);
        }
    }
    // Meanwhile the focus is on the sheet's Cancel, which stops what runs:
    // Return presses nothing, About least of all.
    if (sheet != nullptr) {
        sheet->button(QWizard::CancelButton)->setFocus(Qt::OtherFocusReason);
    }
}

void CFinish::releaseParts() {
    for (const auto& [part, enabled] : held_) {
        if (part) {
            part->setEnabled(enabled);
        }
    }
    held_.clear();
    if (focusBeforeHold_ && focusBeforeHold_->isEnabled() && focusBeforeHold_->isVisible()) {
        focusBeforeHold_->setFocus(Qt::OtherFocusReason);
    }
}

void CFinish::showStatus(const QString& status) {
    status_->setText(status);
    status_->setVisible(!status.isEmpty());
    // The bar and Cancel belong to a program or a try that still runs.
    const bool waiting = isRunningTool() && !status.isEmpty();
    busy_->setVisible(waiting);
    cancelTool_->setVisible(waiting);
    cancelTool_->setEnabled(waiting && !cancelPending());
}

bool CFinish::isRunningTool() const {
    return toolRunning_ || (trialRun_ != nullptr && trialRun_->isRunning());
}

bool CFinish::cancelPending() const {
    return cancelRequested_ || (trialRun_ != nullptr && trialRun_->cancelRequested());
}

void CFinish::cancelTool() {
    if (toolRunning_) {
        cancelRequested_ = true;
        cancelTool_->setEnabled(false);
    }
    if (trialRun_ != nullptr && trialRun_->isRunning()) {
        trialRun_->cancel();
        cancelTool_->setEnabled(false);
    }
}

void CFinish::startTrial() {
    if (isRunningTool() || !context().tryBlock) {
        return;
    }
    TrialRequest request;
    request.source = NativePath(BlockDirectory(block()) + block().BlockName + ".TBT");
    holdParts();
    trialRun_->start(context().tryBlock, request);
    showTrialStep(QString(), 0, 0);
}

void CFinish::showTrialStep(const QString& step, int done, int total) {
    if (!trialRun_->isRunning()) {
        return;
    }
    const QString name = QString::fromLocal8Bit(block().BlockName.c_str());
    showStatus(QStringLiteral("Trying ") + name +
               (step.isEmpty() ? QStringLiteral("...") : QStringLiteral(": ") + step));
    // A try that tells how far it is has a bar that fills; until then it moves.
    busy_->setRange(0, std::max(0, total));
    busy_->setValue(std::clamp(done, 0, std::max(0, total)));
}

void CFinish::trialEnded() {
    releaseParts();
    busy_->setRange(0, 0);
    const TrialResult& result = trialRun_->result();
    showStatus(TrialSummary(block().BlockName, result));
    if (result.outcome != TrialOutcome::Cancelled) {
        TrialResultDialog dialog(block().BlockName, result, this);
        runDialog_(dialog);
    }
}

void CFinish::openItem(FileTree tree, const QTreeWidgetItem* item) {
    if (item->data(0, FileTreesView::STATE_ROLE).toInt() == static_cast<int>(FileState::Missing)) {
        // Nothing to open: say so rather than pass the editor a missing file.
        const QString path = item->data(0, FileTreesView::PATH_ROLE).toString();
        prompts().showMessage(
            DisplayPath(DirectoryPrefix(block()) + path.toLocal8Bit().toStdString()) +
                " does not exist: it has not been generated.",
            MessageIcon::Exclamation);
        return;
    }
    const QTreeWidgetItem* parent = item->parent();
    // The tree's root item stands for the block (or DSP code) directory itself.
    const bool parentIsRoot = parent == nullptr || parent->parent() == nullptr;
    const std::string parentText =
        parentIsRoot ? std::string() : parent->text(0).toLocal8Bit().toStdString();
    whileBusy([&] {
        actions().OpenFileItem(tree, parentText, item->text(0).toLocal8Bit().toStdString(),
                               item->childCount() > 0);
    });
}

void CFinish::openFolder() {
    Launcher& launcher = context().launcher;
    const int result = launcher.OpenFolder(BlockDirectory(block()));
    if (result <= SHELL_DLL_NOT_FOUND) {
        prompts().showMessage("The following error occurred while attempting to execute " +
                                  launcher.OpenerName() + "\n\n" + ShellErrorText(result),
                              MessageIcon::Exclamation);
    }
}

void CFinish::loadControls() {
    const auto* sheet = qobject_cast<const CWizard*>(wizard());
    const RunResult result = sheet && sheet->generatePage()->lastResult()
                                 ? *sheet->generatePage()->lastResult()
                                 : RunResult{};
    showStatus(QString());  // what a program said belongs to the run before
    setSubTitle(OutcomeSubtitle(result.outcome));
    const QString directory = QString::fromLocal8Bit(DisplayPath(DirectoryPrefix(block())).c_str());
    location_->setText(LocationText(result, directory));
    location_->setVisible(result.outcome != RunOutcome::Refused);
    const QString outcome = OutcomeText(result);
    outcome_->setText(outcome);
    outcome_->setVisible(!outcome.isEmpty());
    const QString keptAside = KeptAsideText(result);
    keptAside_->setText(keptAside);
    keptAside_->setVisible(!keptAside.isEmpty());
    const QString copies = CopiesText(result, DirectoryPrefix(block()));
    copies_->setText(copies);
    copies_->setVisible(!copies.isEmpty());
    // The tools open project files: none to open until a run has written them.
    const std::string directoryPrefix = BlockDirectory(block());
    visualCpp_->setEnabled(FileExists(directoryPrefix + block().BlockName + ".dsw") &&
                           FileExists(directoryPrefix + block().BlockName + ".mak"));
    // Only a DSP-based block has a Code Composer project to open.
    codeComposer_->setEnabled(block().RealTime != 0 && FileExists(DspProjectPath(block())));
    // A try builds the block from its folder, the template beside its sources.
    trial_->setVisible(static_cast<bool>(context().tryBlock));
    trial_->setEnabled(FileExists(directoryPrefix + block().BlockName + ".TBT"));
    openFolder_->setEnabled(
        QFileInfo(QString::fromLocal8Bit(NativePath(directoryPrefix).c_str())).isDir());
    const bool cmakeWritten =
        block().CMakeProject && FileExists(directoryPrefix + "CMakeLists.txt");
    buildCommands_->setText(cmakeWritten ? CMakeBuildCommands(directory) : QString());
    buildCommands_->setVisible(cmakeWritten);
    trees_->showFileSet(block());
    const std::string prefix = DirectoryPrefix(block());
    trees_->markStates([&](const std::string& relativePath) {
        return StateAfterRun(result, relativePath, FileExists(prefix + relativePath));
    });
}

}  // namespace bw
