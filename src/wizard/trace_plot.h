#pragma once

#include <QWidget>
#include <vector>

#include "trial/report_files.h"
#include "trial/trial.h"

namespace bw {

// What one column of pixels shows of a curve: the lowest and highest finite
// value among the points that fall into it, and whether a NaN or an infinity
// is among them (drawn as a red stroke the frame's height).
struct PlotColumn {
    double low = 0;
    double high = 0;
    bool broken = false;
};

// values spread over columns columns, each the span of its share; where there
// are fewer values than columns, each column shows the value under it.
std::vector<PlotColumn> ColumnEnvelope(const std::vector<double>& values, int columns);

// A magnitude in decibels, floored so that silence stays on the plot.
double Decibels(double magnitude);

// Per output of a try, a row of two plots: the signal put in and what came
// out over time, and their magnitude spectra in decibels, as the try's own
// plot pairs them (PlotOf); a block without inputs shows its output alone.
class TracePlot : public QWidget {
    Q_OBJECT

public:
    explicit TracePlot(QWidget* parent = nullptr);

    void setTrace(const TrialTrace& trace);
    const TrialTrace& trace() const { return trace_; }
    // What is drawn, one per output, spectra computed once per trace.
    const std::vector<OutputPlot>& plots() const { return plots_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int rowHeight() const;
    void drawRow(QPainter& painter, const QRect& row, size_t output) const;
    void drawWave(QPainter& painter, const QRect& frame, const OutputPlot& plot) const;
    void drawSpectrum(QPainter& painter, const QRect& frame, const OutputPlot& plot) const;

    TrialTrace trace_;
    std::vector<OutputPlot> plots_;
};

}  // namespace bw
