#pragma once

// A field whose text a value rule refuses is marked while it holds it: a
// reddish background, and the reason in its tooltip.

#include <QColor>
#include <QPalette>
#include <QStyle>
#include <QWidget>

#include <optional>
#include <string>

#include "wizard/page_text.h"

namespace bw {

inline void MarkRefused(QWidget* field, const std::optional<std::string>& refusal) {
    QPalette palette = field->style()->standardPalette();
    if (refusal) {
        palette.setColor(QPalette::Base, QColor(255, 220, 220));
    }
    field->setPalette(palette);
    field->setToolTip(refusal ? ToQString(*refusal + ".") : QString());
}

}  // namespace bw
