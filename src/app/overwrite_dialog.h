#pragma once

#include <QDialog>
#include <string>

#include "definition/seams.h"

class QLineEdit;
class QPushButton;

namespace bw {

// The overwrite question: the full path in a read-only field, "File Exists,
// overwrite?" (followed by a note for a read-only file), and Yes, No, Yes to
// All and Cancel. exec() returns the answer's code (6, 7, 8 or 2); Escape
// and the close box answer Cancel. For a file whose hand edits would be
// replaced, a note below says so and No is the default button.
class OverwriteDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* CAPTION = "Tessaline Blockwright";

    explicit OverwriteDialog(const std::string& path, QWidget* parent = nullptr,
                             FileAccess access = FileAccess::Writable,
                             const std::string& losingEdits = {});

    OverwriteAnswer ask();

    QLineEdit* pathField() const { return path_; }
    QPushButton* buttonFor(OverwriteAnswer answer) const;

public slots:
    void reject() override;

private:
    QPushButton* addAnswer(const QString& text, OverwriteAnswer answer);

    QLineEdit* path_;
    QPushButton* yes_;
    QPushButton* no_;
    QPushButton* yesToAll_;
    QPushButton* cancel_;
};

}  // namespace bw
