#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

class QRadioButton;

namespace bw {

// Tab into the group lands on its checked button (arrow keys move between
// the buttons): only that one takes focus by Tab, updated as the check moves.
void TabToCheckedButton(QButtonGroup& group);

// One radio button per type, labelled as the pages show them; the group reads
// and writes type codes, never radio positions.
class TypeRadioGroup : public QGroupBox {
    Q_OBJECT

public:
    using Choice = std::pair<const char*, int>;  // label, type code

    TypeRadioGroup(const std::vector<Choice>& choices, int columns, QWidget* parent = nullptr);

    // The code of the checked button, or nothing when none is checked (a
    // code the page has no button for).
    std::optional<int> code() const;
    // Checks the button of the code; an unknown code leaves none checked.
    void setCode(int code);
    // The button of a code, for the pages' tests; nullptr when there is none.
    QRadioButton* button(int code) const;

signals:
    // The user checked the button of this code.
    void codeChosen(int code);

private:
    QButtonGroup* group_;
};

// The choices of a record page: the number types all three offer, in their
// order (two columns: Byte beside Floating Point), then the page's own.
std::vector<TypeRadioGroup::Choice> NumberTypesThen(
    std::initializer_list<TypeRadioGroup::Choice> own = {});

}  // namespace bw
