#pragma once

#include <QMessageBox>
#include <QPointer>

#include "definition/seams.h"

class QWidget;

namespace bw {

// The wizard's answers: the overwrite dialog, and message boxes titled with
// the program's title for the questions and messages.
class QtPrompts : public UserPrompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the dialogs belong to (the wizard, once it exists).
    void setParent(QWidget* parent) { parent_ = parent; }

    OverwriteAnswer askOverwrite(const std::string& path) override;
    OverwriteAnswer askOverwriteReadOnly(const std::string& path) override;
    OverwriteAnswer askOverwriteLosingEdits(const std::string& path, const std::string& note,
                                            FileAccess access) override;
    bool askYesNo(const std::string& text, MessageIcon icon) override;
    void showMessage(const std::string& text, MessageIcon icon) override;
    // A question whose Yes gives work up: "No" is the default button, so
    // Return keeps the work.
    bool askYesNoKeepingWork(const std::string& text, MessageIcon icon);

    static QMessageBox::Icon BoxIcon(MessageIcon icon);

private:
    bool ask(const std::string& text, MessageIcon icon, QMessageBox::StandardButton preset);

    QPointer<QWidget> parent_;
};

}  // namespace bw
