#pragma once

#include "wizard/record_list_page.h"

namespace bw {

class DefaultValueField;
class TypeRadioGroup;

// Page 9: the persistent variables (Persistants).
class CPersistantInfo : public CRecordPage<PERSISTANTINFO> {
    Q_OBJECT

public:
    explicit CPersistantInfo(WizardContext& context, QWidget* parent = nullptr);

    TypeRadioGroup* typeGroup() const { return type_; }
    QLineEdit* otherTypeEdit() const { return otherType_; }
    DefaultValueField* defaultField() const { return default_; }

protected:
    void build() override;
    void showRecord(const PERSISTANTINFO& variable) override;
    bool storeRecord(PERSISTANTINFO& variable) override;
    void enableFields(bool enabled) override;
    // A default refused: its control is the one to focus.
    QWidget* findingField(const std::string& key) override;

private:
    void typeChosen(int code);
    // The default control of the type, showing value, checked by its rule.
    void showDefault(int type, const QString& value);

    TypeRadioGroup* type_ = nullptr;
    QLineEdit* otherType_ = nullptr;
    DefaultValueField* default_ = nullptr;
};

}  // namespace bw
