#include "app/overwrite_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bw {

OverwriteDialog::OverwriteDialog(const std::string& path, QWidget* parent, FileAccess access,
                                 const std::string& losingEdits)
    : QDialog(parent), path_(new QLineEdit(QString::fromLocal8Bit(path.c_str()))) {
    setWindowTitle(QString::fromUtf8(CAPTION));
    path_->setReadOnly(true);
    path_->setMinimumWidth(420);
    path_->setCursorPosition(
        static_cast<int>(path_->text().size()));  // the file's own name in view

    auto* buttons = new QHBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(path_);
    const std::string question =
        std::string(OVERWRITE_QUESTION) + (access == FileAccess::ReadOnly ? READ_ONLY_NOTE : "");
    layout->addWidget(new QLabel(QString::fromUtf8(question.c_str())));
    if (!losingEdits.empty()) {
        auto* note = new QLabel(QString::fromLocal8Bit(losingEdits.c_str()));
        note->setObjectName(QStringLiteral("losingEdits"));
        note->setWordWrap(true);
        note->setTextFormat(Qt::PlainText);
        layout->addWidget(note);
    }
    layout->addLayout(buttons);
    buttons->addStretch();
    yes_ = addAnswer(QStringLiteral("&Yes"), OverwriteAnswer::Yes);
    no_ = addAnswer(QStringLiteral("&No"), OverwriteAnswer::No);
    yesToAll_ = addAnswer(QStringLiteral("Yes to &All"), OverwriteAnswer::YesToAll);
    cancel_ = addAnswer(QStringLiteral("&Cancel"), OverwriteAnswer::Cancel);
    for (QPushButton* button : {yes_, no_, yesToAll_, cancel_}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    // Return keeps hand edits: No is the default where they would be lost.
    QPushButton* preset = losingEdits.empty() ? yes_ : no_;
    preset->setDefault(true);
    preset->setFocus();
}

QPushButton* OverwriteDialog::addAnswer(const QString& text, OverwriteAnswer answer) {
    auto* button = new QPushButton(text);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this,
            [this, answer] { done(static_cast<int>(answer)); });
    return button;
}

QPushButton* OverwriteDialog::buttonFor(OverwriteAnswer answer) const {
    switch (answer) {
        case OverwriteAnswer::Yes:
            return yes_;
        case OverwriteAnswer::No:
            return no_;
        case OverwriteAnswer::YesToAll:
            return yesToAll_;
        case OverwriteAnswer::Cancel:
            return cancel_;
    }
    return cancel_;
}

void OverwriteDialog::reject() {
    done(static_cast<int>(OverwriteAnswer::Cancel));
}

OverwriteAnswer OverwriteDialog::ask() {
    switch (exec()) {
        case static_cast<int>(OverwriteAnswer::Yes):
            return OverwriteAnswer::Yes;
        case static_cast<int>(OverwriteAnswer::No):
            return OverwriteAnswer::No;
        case static_cast<int>(OverwriteAnswer::YesToAll):
            return OverwriteAnswer::YesToAll;
        default:
            return OverwriteAnswer::Cancel;
    }
}

}  // namespace bw
