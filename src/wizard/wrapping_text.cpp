#include "wizard/wrapping_text.h"

#include <QResizeEvent>
#include <QTextDocument>
#include <cmath>
#include <memory>

namespace bw {

WrappingText::WrappingText(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Clicked to select and copy, as a selectable label is, but no Tab stop.
    setFocusPolicy(Qt::ClickFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document()->setDocumentMargin(0);
    viewport()->setAutoFillBackground(false);
    setBackgroundRole(QPalette::Window);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void WrappingText::setText(const QString& text) {
    setPlainText(text);
    updateGeometry();
}

int WrappingText::heightForWidth(int width) const {
    const std::unique_ptr<QTextDocument> laidOut(document()->clone());
    laidOut->setTextWidth(std::max(1, width - 2 * frameWidth()));
    return static_cast<int>(std::ceil(laidOut->size().height())) + 2 * frameWidth();
}

// Narrow: the text takes the width the rest of the page gives it, never sets it.
QSize WrappingText::sizeHint() const {
    const int width = fontMetrics().averageCharWidth() * 20;
    return {width, heightForWidth(this->width() > 0 ? this->width() : width)};
}

QSize WrappingText::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 4, fontMetrics().height()};
}

void WrappingText::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) {
        updateGeometry();  // the height that fits the new width
    }
}

}  // namespace bw
