#pragma once

#include <QDialog>
#include <functional>

namespace bw {

// A dialog in which the user types or arranges something: Cancel, Escape and
// the close box ask before throwing it away, and No (the default) keeps the
// dialog open with everything as it was.
class CEditDialog : public QDialog {
    Q_OBJECT

public:
    // Asks question over dialog; true discards.
    using DiscardAsker = std::function<bool(QWidget& dialog, const QString& question)>;

    explicit CEditDialog(QWidget* parent = nullptr);

    // Another way to ask (tests answer the question themselves).
    void setDiscardAsker(DiscardAsker ask) { ask_ = std::move(ask); }
    const DiscardAsker& discardAsker() const { return ask_; }

    // A message box titled with the program's title, No its default button.
    static bool AskInBox(QWidget& dialog, const QString& question);

public slots:
    void reject() override;

protected:
    // True when the dialog holds something the user typed or changed.
    virtual bool holdsEdits() const = 0;
    // "Discard the changes to the description?"
    virtual QString discardQuestion() const = 0;

private:
    DiscardAsker ask_ = AskInBox;
};

}  // namespace bw
