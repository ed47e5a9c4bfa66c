#pragma once

#include <QTextEdit>

namespace bw {

// A label's worth of plain text that wraps at blanks and after a path's
// separators, and inside a word only where the word is longer than a line:
// a long folder path neither widens the window nor is cut. The text can be
// selected with the mouse and copied as it is.
class WrappingText : public QTextEdit {
    Q_OBJECT

public:
    explicit WrappingText(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return toPlainText(); }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace bw
