#include "wizard/finish.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWizard>

#include "generation/file_set.h"
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
    : CWizardPage(context, SUBTITLE, parent),
      location_(new QLabel),
      outcome_(new QLabel),
      trees_(new FileTreesView),
      toolButtons_(new QHBoxLayout) {
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
}

void CFinish::load() {
    location_->setText(QStringLiteral("The component was generated in ") +
                       QString::fromLocal8Bit(DirectoryPrefix(block()).c_str()));
    const auto* sheet = qobject_cast<const CWizard*>(wizard());
    const QString outcome = sheet ? OutcomeText(sheet->generatePage()->lastResult()) : QString();
    outcome_->setText(outcome);
    outcome_->setVisible(!outcome.isEmpty());
    trees_->showFileSet(block());
}

}  // namespace bw
