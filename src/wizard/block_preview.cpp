#include "wizard/block_preview.h"

#include <QHelpEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "generation/paths.h"

namespace bw {

namespace {

constexpr int MARGIN = 6;
constexpr int MIN_NUMBER_PIXELS = 8;
constexpr int MAX_NUMBER_PIXELS = 11;

// Numbers as large as the spacing of the lines allows, within limits.
QFont NumberFont(int height, int count) {
    QFont font(QStringLiteral("Arial"));
    const int spacing = height / std::max(count, 1);
    font.setPixelSize(std::clamp(spacing - 1, MIN_NUMBER_PIXELS, MAX_NUMBER_PIXELS));
    return font;
}

// Every step-th of count items, and always the last.
bool OnStep(int index, int count, int step) {
    return index % step == 0 || index == count - 1;
}

// How many pixels of the picture's side have its corner colour, walking in
// from (x, y) by (dx, dy); the whole length when the walk never leaves it.
int BorderLength(const QImage& image, int x, int y, int dx, int dy) {
    const QRgb corner = image.pixel(0, 0);
    int length = 0;
    while (image.valid(x, y) && image.pixel(x, y) == corner) {
        x += dx;
        y += dy;
        ++length;
    }
    return length;
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

std::vector<PreviewLine> LayOutLines(int count, int top, int height, int numberHeight) {
    std::vector<PreviewLine> lines;
    if (count <= 0 || height <= 0) {
        return lines;
    }
    const double spacing = static_cast<double>(height) / count;
    const int lineStep = std::max(1, static_cast<int>(std::ceil(MIN_LINE_SPACING / spacing)));
    // Numbers go on drawn lines only: their step is a multiple of the lines'.
    const int linesPerNumber =
        std::max(1, static_cast<int>(std::ceil(std::max(numberHeight, 1) / (spacing * lineStep))));
    const int numberStep = lineStep * linesPerNumber;
    // The last line's number must keep apart from the one before it.
    const int lastNumbered = (count - 1) / numberStep * numberStep;
    const bool lastFits = (count - 1 - lastNumbered) * spacing >= numberHeight;
    for (int i = 0; i < count; ++i) {
        if (!OnStep(i, count, lineStep)) {
            continue;
        }
        bool numbered = OnStep(i, count, numberStep);
        if (i == lastNumbered && i != count - 1 && !lastFits) {
            numbered = false;  // the last channel's number takes its place
        }
        lines.push_back({i, top + static_cast<int>((i + 0.5) * spacing), numbered});
    }
    // The last line may sit closer to the one before it than the step; keep it apart.
    if (lines.size() >= 2 && lines.back().y - lines[lines.size() - 2].y < MIN_LINE_SPACING) {
        lines.erase(lines.end() - 2);
    }
    return lines;
}

void BlockPreview::measureBorder() {
    const QImage image = body_.toImage();
    if (image.isNull()) {
        return;
    }
    const int width = image.width();
    const int height = image.height();
    const int left = BorderLength(image, 0, height / 2, 1, 0);
    if (left == width) {
        return;  // the row is all border: nothing to reach
    }
    leftBorder_ = static_cast<double>(left) / width;
    rightBorder_ = static_cast<double>(BorderLength(image, width - 1, height / 2, -1, 0)) / width;
    const int topLength = BorderLength(image, width / 2, 0, 0, 1);
    if (topLength == height) {
        return;
    }
    topBorder_ = static_cast<double>(topLength) / height;
    bottomBorder_ = static_cast<double>(BorderLength(image, width / 2, height - 1, 0, -1)) / height;
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

BlockPreview::SideLayout BlockPreview::layOutSide(int count, int top, int height, int fromX,
                                                  int toX, const QFontMetrics& metrics) const {
    SideLayout side;
    side.fromX = fromX;
    side.toX = toX;
    if (count <= 0 || height <= 0) {
        return side;
    }
    const int textHeight = metrics.height();
    side.lines = LayOutLines(count, top, height, textHeight);
    const int textWidth = metrics.horizontalAdvance(QString::number(count - 1));
    const QRect inside = rect();
    PreviewLine* previous = nullptr;  // the last line numbered so far
    for (PreviewLine& line : side.lines) {
        if (!line.numbered) {
            continue;
        }
        // Above its line, at the outer end: beside the edge, away from the body.
        const int x = fromX < toX ? fromX + 2 : fromX - 2 - textWidth;
        const QRect box(x, line.y - textHeight, textWidth, textHeight);
        line.numbered = inside.contains(box);
        if (line.numbered && previous != nullptr && side.numberBoxes.back().intersects(box)) {
            // The last channel's number stays; any other gives way.
            if (line.channel == count - 1) {
                previous->numbered = false;
                side.numberBoxes.pop_back();
            } else {
                line.numbered = false;
            }
        }
        if (line.numbered) {
            side.numberBoxes.push_back(box);
            previous = &line;
        }
    }
    return side;
}

BlockPreview::Geometry BlockPreview::layOut() const {
    Geometry geometry;
    const QRect inside = rect().adjusted(MARGIN, MARGIN, -MARGIN, -MARGIN);
    const int lineLength = inside.width() / 4;
    geometry.body = inside.adjusted(lineLength, 0, -lineLength, 0);
    const QRect& body = geometry.body;
    const int bodyLeft = body.left() + static_cast<int>(leftBorder_ * body.width());
    const int bodyRight = body.right() - static_cast<int>(rightBorder_ * body.width());
    // The lines meet the drawn block, not the picture's border above and below it.
    const int top = body.top() + static_cast<int>(std::ceil(topBorder_ * body.height()));
    const int height =
        body.bottom() - static_cast<int>(std::ceil(bottomBorder_ * body.height())) - top + 1;
    geometry.numberFont = NumberFont(height, std::max(inputs_, outputs_));
    const QFontMetrics metrics(geometry.numberFont);
    geometry.inputs = layOutSide(inputs_, top, height, inside.left(), bodyLeft, metrics);
    geometry.outputs = layOutSide(outputs_, top, height, inside.right(), bodyRight + 1, metrics);
    return geometry;
}

std::vector<QRect> BlockPreview::numberBoxes() const {
    const Geometry geometry = layOut();
    std::vector<QRect> boxes = geometry.inputs.numberBoxes;
    boxes.insert(boxes.end(), geometry.outputs.numberBoxes.begin(),
                 geometry.outputs.numberBoxes.end());
    return boxes;
}

QString BlockPreview::channelTipAt(const QPoint& pos) const {
    const Geometry geometry = layOut();
    const bool input = pos.x() < geometry.body.center().x();
    const SideLayout& side = input ? geometry.inputs : geometry.outputs;
    const int left = std::min(side.fromX, side.toX);
    const int right = std::max(side.fromX, side.toX);
    if (side.lines.empty() || pos.x() < left || pos.x() > right) {
        return {};
    }
    const PreviewLine* nearest = &side.lines.front();
    for (const PreviewLine& line : side.lines) {
        if (std::abs(line.y - pos.y()) < std::abs(nearest->y - pos.y())) {
            nearest = &line;
        }
    }
    if (std::abs(nearest->y - pos.y()) > MIN_LINE_SPACING * 2) {
        return {};
    }
    return (input ? QStringLiteral("Input ") : QStringLiteral("Output ")) +
           QString::number(nearest->channel);
}

bool BlockPreview::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = channelTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void BlockPreview::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.frameShape = QFrame::Panel;
    frame.state |= QStyle::State_Raised;
    painter.fillRect(rect(), palette().button());
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);

    const Geometry geometry = layOut();
    painter.drawPixmap(geometry.body, body_);
    painter.setPen(QPen(palette().buttonText().color(), 1));
    painter.setFont(geometry.numberFont);
    for (const SideLayout* side : {&geometry.inputs, &geometry.outputs}) {
        for (const PreviewLine& line : side->lines) {
            painter.drawLine(side->fromX, line.y, side->toX, line.y);
        }
        // Over the lines, on their own ground: no line crosses a number.
        const Qt::Alignment align = side->fromX < side->toX ? Qt::AlignLeft : Qt::AlignRight;
        size_t box = 0;
        for (const PreviewLine& line : side->lines) {
            if (line.numbered) {
                const QRect& where = side->numberBoxes[box++];
                painter.fillRect(where, palette().button());
                painter.drawText(where, static_cast<int>(align | Qt::AlignBottom),
                                 QString::number(line.channel));
            }
        }
    }
}

}  // namespace bw
