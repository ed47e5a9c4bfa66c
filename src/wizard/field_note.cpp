#include "wizard/field_note.h"

#include <QLabel>
#include <QPalette>

namespace bw {

QLabel* FieldNote(const QString& text) {
    auto* note = new QLabel(text);
    note->setObjectName(QStringLiteral("fieldNote"));
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    // Quieter than the labels, so that the fields still stand out.
    note->setForegroundRole(QPalette::PlaceholderText);
    return note;
}

}  // namespace bw
