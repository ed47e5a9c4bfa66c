#include "wizard/edit_dialog.h"

#include <QMessageBox>

#include "wizard/cwizard.h"

namespace bw {

CEditDialog::CEditDialog(QWidget* parent) : QDialog(parent) {}

bool CEditDialog::AskInBox(QWidget& dialog, const QString& question) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(PROGRAM_TITLE), question,
                    QMessageBox::Yes | QMessageBox::No, &dialog);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void CEditDialog::reject() {
    if (holdsEdits() && !ask_(*this, discardQuestion())) {
        return;
    }
    QDialog::reject();
}

}  // namespace bw
