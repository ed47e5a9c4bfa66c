#pragma once

#include <QWidget>
#include <vector>

#include "trial/trial.h"

namespace bw {

// The magnitude spectrum of samples: bins 0 to N/2 of a Hann-windowed
// discrete Fourier transform over the first N samples, N the largest power of
// two not above their count (at most MAX_SPECTRUM_LENGTH), scaled so that a
// sine of amplitude A centred on a bin reads A there. Empty below two samples.
inline constexpr size_t MAX_SPECTRUM_LENGTH = size_t{1} << 16;
std::vector<double> MagnitudeSpectrum(const std::vector<double>& samples);

// The frequency of a spectrum's bin, the spectrum holding bins 0 to N/2.
double BinFrequency(size_t bin, size_t binCount, double sampleRate);

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
// out over time, and their magnitude spectra in decibels. An output is shown
// beside the input of its number (the last input where there are fewer);
// a block without inputs shows its output alone.
class TracePlot : public QWidget {
    Q_OBJECT

public:
    explicit TracePlot(QWidget* parent = nullptr);

    void setTrace(const TrialTrace& trace);
    const TrialTrace& trace() const { return trace_; }
    // The input shown with output, or -1 for none.
    int inputFor(size_t output) const;
    // The spectra drawn, computed once per trace: [output][0 input, 1 output].
    const std::vector<std::vector<std::vector<double>>>& spectra() const { return spectra_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int rowHeight() const;
    void drawRow(QPainter& painter, const QRect& row, size_t output) const;
    void drawWave(QPainter& painter, const QRect& frame, size_t output) const;
    void drawSpectrum(QPainter& painter, const QRect& frame, size_t output) const;

    TrialTrace trace_;
    std::vector<std::vector<std::vector<double>>> spectra_;
};

}  // namespace bw
