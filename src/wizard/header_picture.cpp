#include "wizard/header_picture.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "generation/paths.h"

namespace bw {

namespace {

constexpr int SIZE = 49;  // the header band's picture is square

// A block with one input and one output: the program's emblem.
void DrawBlock(QPainter& painter, const QColor& body, const QColor& line) {
    painter.setPen(QPen(line, 2));
    painter.setBrush(body);
    painter.drawRect(QRect(14, 12, 21, 25));
    painter.drawLine(3, 24, 14, 24);
    painter.drawLine(35, 24, 46, 24);
    painter.drawLine(42, 20, 46, 24);
    painter.drawLine(42, 28, 46, 24);
}

}  // namespace

QPixmap BuiltInHeaderPicture(int screenDepth) {
    QPixmap picture(SIZE, SIZE);
    QPainter painter(&picture);
    if (screenDepth >= 16) {
        QLinearGradient shade(0, 0, SIZE, SIZE);
        shade.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
        shade.setColorAt(1, QColor(0x6f, 0xa8, 0xdc));
        painter.fillRect(picture.rect(), shade);
        painter.setRenderHint(QPainter::Antialiasing);
        DrawBlock(painter, QColor(0xf3, 0xc6, 0x3f), Qt::white);
    } else if (screenDepth >= 8) {
        // Colours of the standard 256-colour palette only.
        painter.fillRect(picture.rect(), QColor(0x00, 0x00, 0x80));
        DrawBlock(painter, QColor(0xff, 0xff, 0x00), Qt::white);
    } else {
        painter.fillRect(picture.rect(), Qt::white);
        DrawBlock(painter, Qt::white, Qt::black);
    }
    return picture;
}

QPixmap HeaderPicture(const std::string& workingDirectory, int screenDepth) {
    const std::string file = workingDirectory + "Header.bmp";
    if (FileExists(file)) {
        const QString path = QString::fromLocal8Bit(NativePath(file).c_str());
        // Read as BMP first: left to guess, the reader loads every image
        // plugin and asks each before its own BMP reader. A file of another
        // format under that name is still read by the guess.
        QImageReader bmp(path, "bmp");
        bmp.setAutoDetectImageFormat(false);
        QPixmap picture = QPixmap::fromImage(bmp.read());
        if (!picture.isNull() || picture.load(path)) {
            return picture;
        }
    }
    return BuiltInHeaderPicture(screenDepth);
}

QPixmap WatermarkPicture(const QPixmap& headerPicture) {
    constexpr int WIDTH = 120;
    constexpr int HEIGHT = 360;
    QPixmap strip(WIDTH, HEIGHT);
    if (headerPicture.isNull()) {
        strip.fill(Qt::white);
        return strip;
    }
    const QImage image = headerPicture.toImage();
    const QColor main = image.pixelColor(image.width() / 2, image.height() / 2);
    QLinearGradient shade(0, 0, 0, HEIGHT);
    shade.setColorAt(0, main);
    shade.setColorAt(1, main.darker(180));
    QPainter painter(&strip);
    painter.fillRect(strip.rect(), shade);
    const QPixmap large = headerPicture.scaled(headerPicture.size() * 2);
    const QRect frame((WIDTH - large.width()) / 2 - 4, 20, large.width() + 8, large.height() + 8);
    painter.fillRect(frame, Qt::white);
    painter.drawPixmap(frame.left() + 4, frame.top() + 4, large);
    return strip;
}

int ScreenDepth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 24;
}

}  // namespace bw
