#pragma once

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "trial/trial.h"

class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QTextEdit;

namespace bw {

class TracePlot;

// The checks as the result lists them: the failed ones first, then those not
// run, then the passed ones, each group in the try's own order.
std::vector<TrialCheck> ChecksInShownOrder(const std::vector<TrialCheck>& checks);

// The line above a try's result, told from its checks as well as its
// outcome: a failed check is never summed up as a pass.
QString TrialSummary(const std::string& blockName, const TrialResult& result);

// What a try of the block found: the summary, what to do where the try could
// not run (or the compiler's messages where the block did not build), the
// checks with their reasons, and the plots of the signal through the block.
// Escape and Close close it.
class TrialResultDialog : public QDialog {
    Q_OBJECT

public:
    TrialResultDialog(const std::string& blockName, const TrialResult& result,
                      QWidget* parent = nullptr);

    QLabel* summaryLabel() const { return summary_; }
    QPlainTextEdit* messageText() const { return message_; }
    QTextEdit* checksText() const { return checks_; }
    TracePlot* plot() const { return plot_; }
    QScrollArea* plotArea() const { return plotArea_; }

private:
    QLabel* summary_;
    QPlainTextEdit* message_;
    QTextEdit* checks_;
    TracePlot* plot_;
    QScrollArea* plotArea_;
};

}  // namespace bw
