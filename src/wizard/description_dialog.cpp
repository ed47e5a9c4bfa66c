#include "wizard/description_dialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace bw {

CDescriptionDialog::CDescriptionDialog(const QString& parameterName, const QString& description,
                                       QWidget* parent)
    : CEditDialog(parent),
      shown_(description),
      edit_(new QPlainTextEdit(description)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(QStringLiteral("Description for ") + parameterName);
    // Tab moves to the buttons, as in every other field.
    edit_->setTabChangesFocus(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(360, 220);
}

QString CDescriptionDialog::description() const {
    return edit_->toPlainText();
}

bool CDescriptionDialog::holdsEdits() const {
    return edit_->toPlainText() != shown_;
}

QString CDescriptionDialog::discardQuestion() const {
    return QStringLiteral("Discard the changes to the description?");
}

}  // namespace bw
