#include "wizard/finish.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWizard>
#include <iterator>

#include "generation/paths.h"
#include "run/file_set.h"
#include "wizard/cwizard.h"
#include "wizard/file_trees_view.h"
#include "wizard/generate.h"
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

// Where the component went; a run that stopped wrote only part of it.
QString LocationText(RunOutcome outcome, const QString& directory) {
    if (outcome == RunOutcome::Completed) {
        return QStringLiteral("The component was generated in ") + directory;
    }
    return QStringLiteral("The component was partly generated in ") + directory;
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
    trees_ = new FileTreesView;
    toolButtons_ = new QHBoxLayout;
    visualCpp_ = new QPushButton(QStringLiteral("* Start Visual C++ Compiler *"));
    codeComposer_ = new QPushButton(QStringLiteral(" * Start Code Composer Studio *"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(location_);
    layout->addWidget(outcome_);
    layout->addWidget(trees_, 1);
    // The build and launch buttons ("* Start Visual C++ Compiler *" and
    // " * Start Code Composer Studio *") are added to this row.
    layout->addLayout(toolButtons_);
    toolButtons_->addWidget(visualCpp_);
    toolButtons_->addWidget(codeComposer_);
    // Room around the buttons' texts, which the style would draw edge to edge.
    for (QPushButton* button : {visualCpp_, codeComposer_}) {
        button->setMinimumWidth(button->sizeHint().width() +
                                4 * button->fontMetrics().averageCharWidth());
    }
    connect(visualCpp_, &QPushButton::clicked, this,
            [this] { whileBusy([this] { actions().PressVisualCpp(); }); });
    connect(codeComposer_, &QPushButton::clicked, this,
            [this] { whileBusy([this] { actions().OpenDspProject(); }); });
    connect(trees_->pcTree(), &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { openItem(FileTree::PcSide, item); });
    connect(trees_->dspTree(), &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { openItem(FileTree::DspSide, item); });
}

CFinish::~CFinish() = default;

BuildAndLaunch& CFinish::actions() {
    if (!actions_) {
        // Between the build's wait steps: the wait cursor while the window repaints.
        auto pump = [] {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            QCoreApplication::processEvents();
            QApplication::restoreOverrideCursor();
        };
        actions_ = std::make_unique<BuildAndLaunch>(
            block(), LaunchServices{settings(), prompts(), context().launcher, pump,
                                    context().settingsDirectory});
    }
    return *actions_;
}

void CFinish::whileBusy(const std::function<void()>& action) {
    QWidget* const parts[] = {visualCpp_, codeComposer_, trees_};
    bool enabled[std::size(parts)];
    for (size_t i = 0; i < std::size(parts); ++i) {
        enabled[i] = parts[i]->isEnabled();
        parts[i]->setEnabled(false);
    }
    action();
    for (size_t i = 0; i < std::size(parts); ++i) {
        parts[i]->setEnabled(enabled[i]);
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

void CFinish::loadControls() {
    const auto* sheet = qobject_cast<const CWizard*>(wizard());
    const RunResult result = sheet && sheet->generatePage()->lastResult()
                                 ? *sheet->generatePage()->lastResult()
                                 : RunResult{};
    setSubTitle(OutcomeSubtitle(result.outcome));
    const QString directory = QString::fromLocal8Bit(DisplayPath(DirectoryPrefix(block())).c_str());
    location_->setText(LocationText(result.outcome, directory));
    location_->setVisible(result.outcome != RunOutcome::Refused);
    const QString outcome = OutcomeText(result);
    outcome_->setText(outcome);
    outcome_->setVisible(!outcome.isEmpty());
    // Only a DSP-based block has a Code Composer project to open.
    codeComposer_->setEnabled(block().RealTime != 0);
    trees_->showFileSet(block());
    const std::string prefix = DirectoryPrefix(block());
    trees_->markStates([&](const std::string& relativePath) {
        return StateAfterRun(result, relativePath, FileExists(prefix + relativePath));
    });
}

}  // namespace bw
