#include "wizard/block_preview.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyleOptionFrame>
#include <algorithm>

#include "generation/paths.h"

namespace bw {

namespace {

constexpr int MARGIN = 6;
constexpr int MIN_NUMBER_SPACING = 7;  // below this, numbers would overlap
constexpr int MAX_NUMBER_PIXELS = 11;

// Where a channel's line meets the body: evenly spread over its height.
int LineY(const QRect& body, int index, int count) {
    return body.top() + static_cast<int>((index + 0.5) * body.height() / count);
}

// Numbers every step-th line so that they keep apart on a crowded side.
int NumberStep(const QRect& body, int count) {
    const double spacing = static_cast<double>(body.height()) / count;
    return std::max(1, static_cast<int>(MIN_NUMBER_SPACING / spacing) + 1);
}

QFont NumberFont(const QRect& body, int count) {
    QFont font(QStringLiteral("Arial"));
    const int spacing = body.height() / std::max(count, 1);
    font.setPixelSize(std::clamp(spacing - 1, MIN_NUMBER_SPACING, MAX_NUMBER_PIXELS));
    return font;
}

// One side's lines: from the edge to the body, numbered from 0 above the line.
void DrawLines(QPainter& painter, const QRect& body, int count, int fromX, int toX,
               Qt::Alignment numberSide) {
    if (count <= 0) {
        return;
    }
    painter.setFont(NumberFont(body, count));
    const int step = NumberStep(body, count);
    const int textHeight = painter.fontMetrics().height();
    for (int i = 0; i < count; ++i) {
        const int y = LineY(body, i, count);
        painter.drawLine(fromX, y, toX, y);
        if (i % step == 0) {
            const QRect label(std::min(fromX, toX) + 2, y - textHeight, std::abs(toX - fromX) - 4,
                              textHeight);
            painter.drawText(label, static_cast<int>(numberSide | Qt::AlignBottom),
                             QString::number(i));
        }
    }
}

}  // namespace

BlockPreview::BlockPreview(const std::string& workingDirectory, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("blockPreview"));
    setMinimumSize(160, 110);
    const std::string file = workingDirectory + "Block.bmp";
    if (FileExists(file) && body_.load(QString::fromLocal8Bit(NativePath(file).c_str()))) {
        fromWorkingDirectory_ = true;
    } else {
        body_ = BuiltInBody();
    }
    measureBorder();
}

void BlockPreview::measureBorder() {
    const QImage image = body_.toImage();
    if (image.isNull()) {
        return;
    }
    const int y = image.height() / 2;
    const QRgb corner = image.pixel(0, 0);
    int left = 0;
    while (left < image.width() && image.pixel(left, y) == corner) {
        ++left;
    }
    if (left == image.width()) {
        return;  // the row is all border: nothing to reach
    }
    int right = 0;
    while (image.pixel(image.width() - 1 - right, y) == corner) {
        ++right;
    }
    leftBorder_ = static_cast<double>(left) / image.width();
    rightBorder_ = static_cast<double>(right) / image.width();
}

QPixmap BlockPreview::BuiltInBody() {
    QPixmap body(64, 48);
    body.fill(QColor(0xc0, 0xc0, 0xc0));
    QPainter painter(&body);
    QLinearGradient shade(0, 4, 0, 44);
    shade.setColorAt(0, QColor(0x4f, 0x7f, 0xd0));
    shade.setColorAt(1, QColor(0x1f, 0x3f, 0x8c));
    painter.setPen(Qt::black);
    painter.setBrush(shade);
    painter.drawRect(4, 4, 55, 39);
    painter.fillRect(6, 6, 52, 2, Qt::white);
    return body;
}

void BlockPreview::setCounts(int inputs, int outputs) {
    inputs_ = inputs;
    outputs_ = outputs;
    update();
}

void BlockPreview::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.frameShape = QFrame::Panel;
    frame.state |= QStyle::State_Raised;
    painter.fillRect(rect(), palette().button());
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);

    const QRect inside = rect().adjusted(MARGIN, MARGIN, -MARGIN, -MARGIN);
    const int lineLength = inside.width() / 4;
    const QRect body = inside.adjusted(lineLength, 0, -lineLength, 0);
    painter.drawPixmap(body, body_);

    painter.setPen(QPen(palette().buttonText().color(), 1));
    const int bodyLeft = body.left() + static_cast<int>(leftBorder_ * body.width());
    const int bodyRight = body.right() - static_cast<int>(rightBorder_ * body.width());
    DrawLines(painter, body, inputs_, inside.left(), bodyLeft, Qt::AlignLeft);
    DrawLines(painter, body, outputs_, bodyRight + 1, inside.right(), Qt::AlignRight);
}

}  // namespace bw
