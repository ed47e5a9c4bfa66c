#pragma once

// Text between the definition (single-byte text as the user's code page has
// it, lines separated by CR LF) and the page controls.

#include <QString>
#include <string>

namespace bw {

inline QString ToQString(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// A multi-line definition text for an edit box: CR LF becomes a line break.
inline QString ToMultiLineQString(const std::string& text) {
    QString result = ToQString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

// The edit box's lines back into the definition's CR LF form.
inline std::string ToMultiLineStdString(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\n', QStringLiteral("\r\n"));
    return ToStdString(text);
}

}  // namespace bw
