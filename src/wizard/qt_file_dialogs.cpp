#include "wizard/qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>

namespace bw {

namespace {

// The chosen path as the user sees paths: with "\" on Windows.
std::optional<std::string> Chosen(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(path).toLocal8Bit().toStdString();
}

}  // namespace

std::optional<std::string> QtFileDialogs::openTemplate(QWidget* parent,
                                                       const std::string& startFolder) {
    QFileDialog dialog(parent, QStringLiteral("Open"), QString::fromLocal8Bit(startFolder.c_str()),
                       QStringLiteral("Templates (*.tbt)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("tbt"));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return Chosen(dialog.selectedFiles().front());
}

std::optional<std::string> QtFileDialogs::chooseFolder(QWidget* parent, const QString& title,
                                                       const std::string& startFolder) {
    return Chosen(QFileDialog::getExistingDirectory(parent, title,
                                                    QString::fromLocal8Bit(startFolder.c_str())));
}

std::optional<std::string> QtFileDialogs::chooseProgram(QWidget* parent, const QString& title,
                                                        const std::string& startFolder) {
    return Chosen(QFileDialog::getOpenFileName(parent, title,
                                               QString::fromLocal8Bit(startFolder.c_str()),
                                               QStringLiteral("Programs (*.exe);;All files (*)")));
}

}  // namespace bw
