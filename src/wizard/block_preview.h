#pragma once

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <string>
#include <vector>

namespace bw {

// One drawn line of a side of the preview: its channel and where it meets
// the body.
struct PreviewLine {
    int channel;
    int y;
    bool numbered;
};

// The lines drawn for count channels over the body rows top to top + height - 1:
// every channel while the lines keep MIN_LINE_SPACING apart, else every k-th
// (and always the last) so that the side stays readable; numbers only where
// they keep numberHeight apart, the last channel's always.
std::vector<PreviewLine> LayOutLines(int count, int top, int height, int numberHeight);

inline constexpr int MIN_LINE_SPACING = 3;

// The picture of the block on the input and output page: the block's body
// ("Block.bmp" from the working directory when it is there, else built-in
// artwork) stretched to fit, with one numbered line per input on the left and
// one per output on the right.
class BlockPreview : public QWidget {
    Q_OBJECT

public:
    explicit BlockPreview(const std::string& workingDirectory, QWidget* parent = nullptr);

    void setCounts(int inputs, int outputs);
    int inputs() const { return inputs_; }
    int outputs() const { return outputs_; }
    // True when the body is the working directory's "Block.bmp".
    bool showsWorkingDirectoryPicture() const { return fromWorkingDirectory_; }

    QSize sizeHint() const override { return {220, 150}; }

    // Where the channel numbers go at the present size, inputs' first; each
    // box is filled behind its number, so no line crosses the digits.
    std::vector<QRect> numberBoxes() const;
    // The numbers' size in pixels at the present size: 8 at least, readable.
    int numberPixelSize() const { return layOut().numberFont.pixelSize(); }
    // What the tooltip at pos says: the channel of the line nearest to it
    // ("Input 57"), which a crowded side may not number; empty off the lines.
    QString channelTipAt(const QPoint& pos) const;

    // The built-in body, for a working directory without "Block.bmp".
    static QPixmap BuiltInBody();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // One side's lines and numbers as drawn; numbers are left out where the
    // box would leave the widget or cover the box before it.
    struct SideLayout {
        std::vector<PreviewLine> lines;
        std::vector<QRect> numberBoxes;
        int fromX = 0;
        int toX = 0;
    };
    struct Geometry {
        SideLayout inputs;
        SideLayout outputs;
        QRect body;
        QFont numberFont;
    };
    Geometry layOut() const;
    SideLayout layOutSide(int count, int top, int height, int fromX, int toX,
                          const QFontMetrics& metrics) const;

    // How far the picture's own border (its corner colour) reaches in from
    // each side, as parts of its width or height: the lines run up to the
    // body and stay within its height.
    void measureBorder();

    QPixmap body_;
    double leftBorder_ = 0;
    double rightBorder_ = 0;
    double topBorder_ = 0;
    double bottomBorder_ = 0;
    bool fromWorkingDirectory_ = false;
    int inputs_ = 0;
    int outputs_ = 0;
};

}  // namespace bw
