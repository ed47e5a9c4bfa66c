#pragma once

#include <QStackedWidget>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

class QComboBox;
class QLineEdit;

namespace bw {

// The "Default:" of a parameter or persistent variable, in the control its
// type uses: a plain edit for numbers, a text edit (one character for Char)
// or a drop-down list of the parameter's items.
class DefaultValueField : public QStackedWidget {
    Q_OBJECT

public:
    enum class Kind { Number, Char, Text, Items };

    explicit DefaultValueField(QWidget* parent = nullptr);

    // Shows value in the control of kind. A number shows an empty value as
    // "1"; Char keeps the first character; Items lists items and selects the
    // value, or the first item when the value is not among them.
    void show(Kind kind, const QString& value, const QStringList& items = {});
    Kind kind() const { return kind_; }
    // The default as the shown control has it.
    QString value() const;

    // Why the value rule of the record's type refuses a default, or nothing.
    using Rule = std::function<std::optional<std::string>(const std::string& value)>;
    // While rule refuses what the control shows, the control is marked and
    // its tooltip holds the reason; checked as the user types or chooses.
    void setRule(Rule rule);
    // The control the default is typed or chosen in.
    QWidget* shownControl() const { return currentWidget(); }

    QLineEdit* numberEdit() const { return numberEdit_; }
    QLineEdit* textEdit() const { return textEdit_; }
    QComboBox* itemList() const { return itemList_; }

private:
    void mark();

    QLineEdit* numberEdit_;
    QLineEdit* textEdit_;
    QComboBox* itemList_;
    Kind kind_ = Kind::Number;
    Rule rule_;
};

// The default control of a type code: numbers in a plain edit, Char in a
// one-character edit, the control kinds with items in a list, and Text, File
// Open, Other and any code without a button of its own in a text edit.
DefaultValueField::Kind DefaultKindFor(int typeCode);

}  // namespace bw
