#include "app/qt_prompts.h"

#include "app/overwrite_dialog.h"
#include "generation/paths.h"

namespace bw {

namespace {

constexpr const char* BOX_TITLE = "Tessaline Blockwright";

QString Text(const std::string& text) {
    QString shown = QString::fromLocal8Bit(text.c_str());
    // The messages put a blank before their question mark; a box that wraps
    // there would leave the "?" alone on a line.
    shown.replace(QStringLiteral(" ?"), QStringLiteral("\u00A0?"));
    return shown;
}

}  // namespace

QMessageBox::Icon QtPrompts::BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

OverwriteAnswer QtPrompts::askOverwrite(const std::string& path) {
    OverwriteDialog dialog(DisplayPath(path), parent_);
    return dialog.ask();
}

OverwriteAnswer QtPrompts::askOverwriteReadOnly(const std::string& path) {
    OverwriteDialog dialog(DisplayPath(path), parent_, FileAccess::ReadOnly);
    return dialog.ask();
}

OverwriteAnswer QtPrompts::askOverwriteLosingEdits(const std::string& path, const std::string& note,
                                                   FileAccess access) {
    OverwriteDialog dialog(DisplayPath(path), parent_, access, note);
    return dialog.ask();
}

bool QtPrompts::askYesNo(const std::string& text, MessageIcon icon) {
    return ask(text, icon, QMessageBox::Yes);
}

bool QtPrompts::askYesNoKeepingWork(const std::string& text, MessageIcon icon) {
    return ask(text, icon, QMessageBox::No);
}

bool QtPrompts::ask(const std::string& text, MessageIcon icon, QMessageBox::StandardButton preset) {
    QMessageBox box(BoxIcon(icon), QString::fromUtf8(BOX_TITLE), Text(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(preset);
    return box.exec() == QMessageBox::Yes;
}

void QtPrompts::showMessage(const std::string& text, MessageIcon icon) {
    QMessageBox box(BoxIcon(icon), QString::fromUtf8(BOX_TITLE), Text(text), QMessageBox::Ok,
                    parent_);
    box.exec();
}

}  // namespace bw
