#pragma once

#include <QDialog>

class QDialogButtonBox;
class QPlainTextEdit;

namespace bw {

// "Description for <name>": one multi-line edit with a parameter's description.
class CDescriptionDialog : public QDialog {
    Q_OBJECT

public:
    CDescriptionDialog(const QString& parameterName, const QString& description,
                       QWidget* parent = nullptr);

    QString description() const;
    QPlainTextEdit* edit() const { return edit_; }
    QDialogButtonBox* buttons() const { return buttons_; }

private:
    QPlainTextEdit* edit_;
    QDialogButtonBox* buttons_;
};

}  // namespace bw
