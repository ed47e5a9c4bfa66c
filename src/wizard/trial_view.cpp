#include "wizard/trial_view.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "wizard/trace_plot.h"

namespace bw {

namespace {

int ShownRank(CheckOutcome outcome) {
    switch (outcome) {
        case CheckOutcome::Failed:
            return 0;
        case CheckOutcome::NotRun:
            return 1;
        case CheckOutcome::Passed:
            return 2;
    }
    return 2;
}

QString Text(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str());
}

QString OutcomeCell(CheckOutcome outcome) {
    switch (outcome) {
        case CheckOutcome::Failed:
            return QStringLiteral("<b style=\"color:#c00000\">Failed</b>");
        case CheckOutcome::NotRun:
            return QStringLiteral("<span style=\"color:#707070\">Not run</span>");
        case CheckOutcome::Passed:
            return QStringLiteral("<span style=\"color:#007000\">Passed</span>");
    }
    return {};
}

// One row a check: its outcome, what was checked and, below, why.
QString ChecksTable(const std::vector<TrialCheck>& checks) {
    QString html = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\">");
    for (const TrialCheck& check : ChecksInShownOrder(checks)) {
        html += QStringLiteral("<tr><td valign=\"top\">") + OutcomeCell(check.outcome) +
                QStringLiteral("</td><td valign=\"top\">") + Text(check.title).toHtmlEscaped();
        if (!check.reason.empty()) {
            html += QStringLiteral("<br>") + Text(check.reason).toHtmlEscaped();
        }
        html += QStringLiteral("</td></tr>");
    }
    return html + QStringLiteral("</table>");
}

}  // namespace

std::vector<TrialCheck> ChecksInShownOrder(const std::vector<TrialCheck>& checks) {
    std::vector<TrialCheck> shown = checks;
    std::stable_sort(shown.begin(), shown.end(), [](const TrialCheck& a, const TrialCheck& b) {
        return ShownRank(a.outcome) < ShownRank(b.outcome);
    });
    return shown;
}

QString TrialSummary(const std::string& blockName, const TrialResult& result) {
    const QString name = Text(blockName);
    switch (result.outcome) {
        case TrialOutcome::ToolsMissing:
            return name + QStringLiteral(" could not be tried: tools it needs are missing.");
        case TrialOutcome::BadRequest:
            return name + QStringLiteral(" could not be tried.");
        case TrialOutcome::Cancelled:
            return QStringLiteral("The try of ") + name + QStringLiteral(" was cancelled.");
        case TrialOutcome::Passed:
        case TrialOutcome::Failed:
            break;
    }
    const auto count = [&](CheckOutcome outcome) {
        return std::count_if(result.checks.begin(), result.checks.end(),
                             [&](const TrialCheck& check) { return check.outcome == outcome; });
    };
    const auto total = static_cast<qsizetype>(result.checks.size());
    const auto failed = count(CheckOutcome::Failed);
    const auto notRun = count(CheckOutcome::NotRun);
    const QString notRunNote =
        notRun == 0 ? QString() : QStringLiteral(" (%1 not run)").arg(notRun);
    if (failed > 0) {
        return name + QStringLiteral(" failed %1 of %2 checks").arg(failed).arg(total) +
               notRunNote + u'.';
    }
    if (result.outcome == TrialOutcome::Failed || total == 0) {
        return QStringLiteral("The try of ") + name + QStringLiteral(" failed.");
    }
    if (notRun > 0) {
        return name + QStringLiteral(" passed %1 of %2 checks").arg(total - notRun).arg(total) +
               notRunNote + u'.';
    }
    return name + QStringLiteral(" passed all %1 checks.").arg(total);
}

TrialResultDialog::TrialResultDialog(const std::string& blockName, const TrialResult& result,
                                     QWidget* parent)
    : QDialog(parent),
      summary_(new QLabel(TrialSummary(blockName, result))),
      message_(new QPlainTextEdit(Text(result.message))),
      checks_(new QTextEdit),
      plot_(new TracePlot),
      plotArea_(new QScrollArea) {
    setWindowTitle(QStringLiteral("Try of ") + Text(blockName));
    summary_->setObjectName(QStringLiteral("trialSummary"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setWordWrap(true);
    QFont bold = summary_->font();
    bold.setBold(true);
    summary_->setFont(bold);
    message_->setReadOnly(true);
    message_->setVisible(!result.message.empty());
    checks_->setReadOnly(true);
    checks_->setHtml(ChecksTable(result.checks));
    checks_->setVisible(!result.checks.empty());
    plot_->setTrace(result.trace);
    plotArea_->setWidget(plot_);
    plotArea_->setWidgetResizable(true);
    plotArea_->setVisible(!result.trace.outputs.empty());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    // Compiler messages can be long; the tools' message is short.
    layout->addWidget(message_, result.checks.empty() ? 1 : 0);
    layout->addWidget(checks_, 2);
    layout->addWidget(plotArea_, 3);
    layout->addWidget(buttons);

    const QFontMetrics metrics = fontMetrics();
    QSize size(metrics.averageCharWidth() * 110, metrics.height() * 46);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    }
    resize(size);
}

}  // namespace bw
