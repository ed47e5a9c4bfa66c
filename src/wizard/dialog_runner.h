#pragma once

// How a page or dialog runs the modal dialogs it opens. The program runs them
// with exec(); tests put in a runner that fills the dialog's controls and
// answers it, so that no event loop waits for a person.

#include <QDialog>
#include <functional>

namespace bw {

using DialogRunner = std::function<int(QDialog&)>;

inline int ExecDialog(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace bw
