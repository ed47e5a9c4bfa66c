#pragma once

class QLabel;
class QString;

namespace bw {

// One line under a field saying what it is for, where its label alone does
// not; it wraps rather than widen the page.
QLabel* FieldNote(const QString& text);

}  // namespace bw
