#include "wizard/default_value_field.h"

#include <QComboBox>
#include <QLineEdit>

#include "definition/data_tables.h"
#include "wizard/refusal_mark.h"

namespace bw {

namespace {
constexpr int UNLIMITED = 32767;  // QLineEdit's own default limit
}

DefaultValueField::DefaultValueField(QWidget* parent)
    : QStackedWidget(parent),
      numberEdit_(new QLineEdit),
      textEdit_(new QLineEdit),
      itemList_(new QComboBox) {
    addWidget(numberEdit_);
    addWidget(textEdit_);
    addWidget(itemList_);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(numberEdit_, &QLineEdit::textChanged, this, &DefaultValueField::mark);
    connect(textEdit_, &QLineEdit::textChanged, this, &DefaultValueField::mark);
    connect(itemList_, &QComboBox::currentTextChanged, this, &DefaultValueField::mark);
}

void DefaultValueField::show(Kind kind, const QString& value, const QStringList& items) {
    kind_ = kind;
    switch (kind) {
        case Kind::Number:
            numberEdit_->setText(value.isEmpty() ? QStringLiteral("1") : value);
            setCurrentWidget(numberEdit_);
            break;
        case Kind::Char:
        case Kind::Text:
            textEdit_->setMaxLength(kind == Kind::Char ? 1 : UNLIMITED);
            textEdit_->setText(value);
            setCurrentWidget(textEdit_);
            break;
        case Kind::Items: {
            itemList_->clear();
            itemList_->addItems(items);
            const int found = itemList_->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
            itemList_->setCurrentIndex(found >= 0 ? found : 0);
            setCurrentWidget(itemList_);
            break;
        }
    }
    // Its label's mnemonic (which wants a buddy that takes the focus) and a
    // finding's focus reach the control shown.
    setFocusProxy(currentWidget());
    setFocusPolicy(currentWidget()->focusPolicy());
    mark();
}

void DefaultValueField::setRule(Rule rule) {
    rule_ = std::move(rule);
    mark();
}

void DefaultValueField::mark() {
    std::optional<std::string> refusal;
    if (rule_) {
        refusal = rule_(ToStdString(value()));
    }
    for (QWidget* control : {static_cast<QWidget*>(numberEdit_), static_cast<QWidget*>(textEdit_),
                             static_cast<QWidget*>(itemList_)}) {
        MarkRefused(control, control == currentWidget() ? refusal : std::nullopt);
    }
}

QString DefaultValueField::value() const {
    switch (kind_) {
        case Kind::Number:
            return numberEdit_->text();
        case Kind::Char:
        case Kind::Text:
            return textEdit_->text();
        case Kind::Items:
            return itemList_->currentText();
    }
    return {};
}

DefaultValueField::Kind DefaultKindFor(int typeCode) {
    if (const NumberType* type = NumberTypeOf(typeCode)) {
        return type->kind == NumberKind::Character ? DefaultValueField::Kind::Char
                                                   : DefaultValueField::Kind::Number;
    }
    switch (typeCode) {
        case TYPE_COMBO_BOX:
        case TYPE_RADIO_BUTTONS:
        case TYPE_CHECK_BOX:
            return DefaultValueField::Kind::Items;
        default:
            return DefaultValueField::Kind::Text;
    }
}

}  // namespace bw
