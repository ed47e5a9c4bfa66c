#include "wizard/trace_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace bw {

namespace {

constexpr double FLOOR_DB = -200;
constexpr double SPAN_DB = 120;  // from the highest line down

const QColor INPUT_COLOUR(40, 110, 190);
const QColor OUTPUT_COLOUR(215, 95, 20);
const QColor BROKEN_COLOUR(200, 0, 0);

// The largest finite magnitude of either curve, 1 for silence.
double PeakOf(const std::vector<const std::vector<double>*>& curves) {
    double peak = 0;
    for (const std::vector<double>* curve : curves) {
        for (double value : *curve) {
            if (std::isfinite(value)) {
                peak = std::max(peak, std::abs(value));
            }
        }
    }
    return peak > 0 ? peak : 1;
}

QString Number(double value) {
    return QString::number(value, 'g', 3);
}

// value's height in frame, top at the top of the frame, bottom at its bottom.
double HeightOf(double value, double top, double bottom, const QRect& frame) {
    const double clipped = std::clamp(value, bottom, top);
    return frame.bottom() - (clipped - bottom) / (top - bottom) * frame.height();
}

// The curve as columns of frame: each column a stroke from its low to its
// high, joined to the one before so that a steep edge shows no gap.
void DrawEnvelope(QPainter& painter, const QRect& frame, const std::vector<PlotColumn>& columns,
                  double top, double bottom, const QColor& colour) {
    painter.setPen(QPen(colour, 1));
    for (size_t i = 0; i < columns.size(); ++i) {
        const double x = frame.left() + static_cast<double>(i);
        if (columns[i].broken) {
            painter.setPen(QPen(BROKEN_COLOUR, 1));
            painter.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
            painter.setPen(QPen(colour, 1));
            continue;
        }
        double low = columns[i].low;
        double high = columns[i].high;
        if (i > 0 && !columns[i - 1].broken) {
            low = std::min(low, columns[i - 1].high);
            high = std::max(high, columns[i - 1].low);
        }
        const double upper = HeightOf(high, top, bottom, frame);
        // At least a pixel: a flat stretch of the curve is a stroke too.
        const double lower = std::max(HeightOf(low, top, bottom, frame), upper + 1);
        painter.drawLine(QPointF(x, upper), QPointF(x, lower));
    }
}

std::vector<double> InDecibels(const std::vector<double>& spectrum) {
    std::vector<double> levels;
    levels.reserve(spectrum.size());
    for (double magnitude : spectrum) {
        levels.push_back(Decibels(magnitude));
    }
    return levels;
}

}  // namespace

std::vector<PlotColumn> ColumnEnvelope(const std::vector<double>& values, int columns) {
    std::vector<PlotColumn> envelope;
    if (values.empty() || columns <= 0) {
        return envelope;
    }
    const size_t count = values.size();
    const auto width = static_cast<size_t>(columns);
    envelope.resize(width);
    for (size_t column = 0; column < width; ++column) {
        const size_t first = column * count / width;
        const size_t end = std::max(first + 1, (column + 1) * count / width);
        PlotColumn& shown = envelope[column];
        bool any = false;
        for (size_t i = first; i < end; ++i) {
            if (!std::isfinite(values[i])) {
                shown.broken = true;
                continue;
            }
            shown.low = any ? std::min(shown.low, values[i]) : values[i];
            shown.high = any ? std::max(shown.high, values[i]) : values[i];
            any = true;
        }
    }
    return envelope;
}

double Decibels(double magnitude) {
    return magnitude > 0 ? std::max(FLOOR_DB, 20 * std::log10(magnitude)) : FLOOR_DB;
}

TracePlot::TracePlot(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void TracePlot::setTrace(const TrialTrace& trace) {
    trace_ = trace;
    plots_.clear();
    for (size_t output = 0; output < trace_.outputs.size(); ++output) {
        plots_.push_back(PlotOf(trace_, output));
    }
    updateGeometry();
    update();
}

int TracePlot::rowHeight() const {
    return fontMetrics().height() * 13;
}

QSize TracePlot::sizeHint() const {
    const int rows = std::max<int>(1, static_cast<int>(trace_.outputs.size()));
    return {fontMetrics().averageCharWidth() * 100, rowHeight() * rows};
}

QSize TracePlot::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 60, rowHeight()};
}

void TracePlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (trace_.outputs.empty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("No signal was recorded."));
        return;
    }
    // The rows share the height they are given, none lower than it reads well.
    const int rows = static_cast<int>(trace_.outputs.size());
    const int height = std::max(rowHeight(), this->height() / rows);
    for (int output = 0; output < rows; ++output) {
        drawRow(painter, QRect(0, output * height, width(), height), static_cast<size_t>(output));
    }
}

void TracePlot::drawRow(QPainter& painter, const QRect& row, size_t output) const {
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const int gap = metrics.averageCharWidth() * 2;
    painter.setPen(palette().color(QPalette::Text));
    const OutputPlot& plot = plots_[output];
    QString title = QStringLiteral("Output %1").arg(output + 1);
    const int titleWidth = metrics.horizontalAdvance(title + QStringLiteral("    "));
    painter.drawText(row.left() + gap, row.top() + metrics.ascent() + line / 4, title);
    // The legend: a short stroke of each colour and its name.
    int x = row.left() + gap + titleWidth;
    const int y = row.top() + line / 4 + line / 2;
    const auto legend = [&](const QColor& colour, const QString& name) {
        painter.setPen(QPen(colour, 2));
        painter.drawLine(x, y, x + gap * 2, y);
        x += gap * 2 + metrics.averageCharWidth();
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(x, row.top() + metrics.ascent() + line / 4, name);
        x += metrics.horizontalAdvance(name) + gap * 2;
    };
    if (!plot.input.empty()) {
        legend(INPUT_COLOUR, QStringLiteral("input"));
    }
    legend(OUTPUT_COLOUR, QStringLiteral("output"));

    // Room for the values at the left and for the axis' labels below.
    const int labels = metrics.horizontalAdvance(QStringLiteral("-120 dB")) + gap / 2;
    const int top = row.top() + line * 2;
    const int height = row.height() - line * 4;
    const int half = (row.width() - gap) / 2;
    drawWave(painter, QRect(row.left() + labels, top, half - labels - gap, height), plot);
    drawSpectrum(painter, QRect(row.left() + half + labels, top, half - labels - gap, height),
                 plot);
}

void TracePlot::drawWave(QPainter& painter, const QRect& frame, const OutputPlot& plot) const {
    const double peak = PeakOf({&plot.input, &plot.output});
    const QFontMetrics metrics = fontMetrics();
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    const double zero = HeightOf(0, peak, -peak, frame);
    painter.drawLine(QPointF(frame.left(), zero), QPointF(frame.right(), zero));
    DrawEnvelope(painter, frame, ColumnEnvelope(plot.input, frame.width()), peak, -peak,
                 INPUT_COLOUR);
    DrawEnvelope(painter, frame, ColumnEnvelope(plot.output, frame.width()), peak, -peak,
                 OUTPUT_COLOUR);

    painter.setPen(palette().color(QPalette::Text));
    const QRect left(0, 0, frame.left() - metrics.averageCharWidth(), metrics.height());
    painter.drawText(left.translated(0, frame.top() - metrics.height() / 2), Qt::AlignRight,
                     Number(peak));
    painter.drawText(left.translated(0, static_cast<int>(zero) - metrics.height() / 2),
                     Qt::AlignRight, QStringLiteral("0"));
    painter.drawText(left.translated(0, frame.bottom() - metrics.height() / 2), Qt::AlignRight,
                     Number(-peak));
    const double seconds =
        trace_.sampleRate > 0 ? static_cast<double>(plot.output.size()) / trace_.sampleRate : 0;
    const QRect below(frame.left(), frame.bottom() + 2, frame.width(), metrics.height());
    painter.drawText(below, Qt::AlignLeft, QStringLiteral("0"));
    painter.drawText(below, Qt::AlignHCenter, QStringLiteral("time (s)"));
    painter.drawText(below, Qt::AlignRight, Number(seconds));
}

void TracePlot::drawSpectrum(QPainter& painter, const QRect& frame, const OutputPlot& plot) const {
    const std::vector<double>& inSpectrum = plot.inputSpectrum;
    const std::vector<double>& outSpectrum = plot.outputSpectrum;
    double highest = FLOOR_DB;
    for (const std::vector<double>* spectrum : {&inSpectrum, &outSpectrum}) {
        for (double magnitude : *spectrum) {
            highest = std::max(highest, Decibels(magnitude));
        }
    }
    const double top = std::ceil(highest / 10) * 10;
    const double bottom = top - SPAN_DB;
    const QFontMetrics metrics = fontMetrics();
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    for (double level = top - 20; level > bottom; level -= 20) {
        const double y = HeightOf(level, top, bottom, frame);
        painter.drawLine(QPointF(frame.left(), y), QPointF(frame.right(), y));
    }
    const auto drawLevels = [&](const std::vector<double>& spectrum, const QColor& colour) {
        std::vector<PlotColumn> columns = ColumnEnvelope(InDecibels(spectrum), frame.width());
        // The peaks of each column's bins, so that a narrow line is not lost.
        for (PlotColumn& column : columns) {
            column.low = column.high;
        }
        DrawEnvelope(painter, frame, columns, top, bottom, colour);
    };
    drawLevels(inSpectrum, INPUT_COLOUR);
    drawLevels(outSpectrum, OUTPUT_COLOUR);

    painter.setPen(palette().color(QPalette::Text));
    const QRect left(frame.left() - metrics.horizontalAdvance(QStringLiteral("-120 dB")) -
                         metrics.averageCharWidth(),
                     0, metrics.horizontalAdvance(QStringLiteral("-120 dB")), metrics.height());
    painter.drawText(left.translated(0, frame.top() - metrics.height() / 2), Qt::AlignRight,
                     Number(top) + QStringLiteral(" dB"));
    painter.drawText(left.translated(0, frame.bottom() - metrics.height() / 2), Qt::AlignRight,
                     Number(bottom) + QStringLiteral(" dB"));
    const QRect below(frame.left(), frame.bottom() + 2, frame.width(), metrics.height());
    painter.drawText(below, Qt::AlignLeft, QStringLiteral("0"));
    painter.drawText(below, Qt::AlignHCenter, QStringLiteral("frequency (kHz)"));
    painter.drawText(below, Qt::AlignRight, Number(trace_.sampleRate / 2000));
}

}  // namespace bw
