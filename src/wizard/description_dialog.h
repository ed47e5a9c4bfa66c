#pragma once

#include "wizard/edit_dialog.h"

class QDialogButtonBox;
class QPlainTextEdit;

namespace bw {

// "Description for <name>": one multi-line edit with a parameter's description.
// Cancel asks before a changed description is thrown away.
class CDescriptionDialog : public CEditDialog {
    Q_OBJECT

public:
    CDescriptionDialog(const QString& parameterName, const QString& description,
                       QWidget* parent = nullptr);

    QString description() const;
    QPlainTextEdit* edit() const { return edit_; }
    QDialogButtonBox* buttons() const { return buttons_; }

protected:
    bool holdsEdits() const override;
    QString discardQuestion() const override;

private:
    QString shown_;
    QPlainTextEdit* edit_;
    QDialogButtonBox* buttons_;
};

}  // namespace bw
