#include "wizard/finish.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWizard>

#include "generation/paths.h"
#include "run/file_set.h"
#include "wizard/cwizard.h"
#include "wizard/file_trees_view.h"
#include "wizard/generate.h"

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Block generation complete.";

// What the completion page says when the last run did not write everything:
// the page title alone would report a stopped run as a success.
QString OutcomeText(const std::optional<RunResult>& result) {
    if (!result) {
        return {};
    }
    switch (result->outcome) {
        case RunOutcome::Completed:
            return {};
        case RunOutcome::Cancelled:
            return QStringLiteral(
                "Code generation was cancelled: the files after that point were not written.");
        case RunOutcome::Aborted:
            return QStringLiteral(
                "Code generation was aborted: the files after that point were not written.");
        case RunOutcome::Refused:
            return QStringLiteral("Nothing was generated.");
    }
    return {};
}

}  // namespace

CFinish::CFinish(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {}

void CFinish::build() {
    location_ = new QLabel;
    outcome_ = new QLabel;
    trees_ = new FileTreesView;
    toolButtons_ = new QHBoxLayout;
    visualCpp_ = new QPushButton(QStringLiteral("* Start Visual C++ Compiler *"));
    codeComposer_ = new QPushButton(QStringLiteral(" * Start Code Composer Studio *"));
    location_->setTextFormat(Qt::PlainText);
    location_->setWordWrap(true);
    location_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outcome_->setTextFormat(Qt::PlainText);
    outcome_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(location_);
    layout->addWidget(outcome_);
    layout->addWidget(trees_, 1);
    // The build and launch buttons ("* Start Visual C++ Compiler *" and
    // " * Start Code Composer Studio *") are added to this row.
    layout->addLayout(toolButtons_);
    toolButtons_->addWidget(visualCpp_);
    toolButtons_->addWidget(codeComposer_);
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
    for (QWidget* part : parts) {
        part->setEnabled(false);
    }
    action();
    for (QWidget* part : parts) {
        part->setEnabled(true);
    }
}

void CFinish::openItem(FileTree tree, const QTreeWidgetItem* item) {
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
    location_->setText(QStringLiteral("The component was generated in ") +
                       QString::fromLocal8Bit(DisplayPath(DirectoryPrefix(block())).c_str()));
    const auto* sheet = qobject_cast<const CWizard*>(wizard());
    const QString outcome = sheet ? OutcomeText(sheet->generatePage()->lastResult()) : QString();
    outcome_->setText(outcome);
    outcome_->setVisible(!outcome.isEmpty());
    trees_->showFileSet(block());
}

}  // namespace bw
