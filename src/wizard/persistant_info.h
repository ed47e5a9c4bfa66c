#pragma once

#include "wizard/record_list_page.h"

namespace bw {

class DefaultValueField;
class TypeRadioGroup;

// Page 9: the persistent variables (Persistants).
class CPersistantInfo : public CRecordListPage {
    Q_OBJECT

public:
    explicit CPersistantInfo(WizardContext& context, QWidget* parent = nullptr);

    TypeRadioGroup* typeGroup() const { return type_; }
    QLineEdit* otherTypeEdit() const { return otherType_; }
    DefaultValueField* defaultField() const { return default_; }

protected:
    std::string codeIdentifier(const std::string& name, int index) const override;
    std::string nameKey(int index) const override {
        return "PersistantName" + std::to_string(index);
    }
    std::optional<DefinitionPage> checkedPage() const override {
        return DefinitionPage::Persistants;
    }
    void build() override;
    int recordCount() override;
    std::string& recordName(int index) override;
    bool addToPool() override;
    void deleteFromPool(int index) override;
    void showFields(int index) override;
    bool storeFields(int index) override;
    void enableFields(bool enabled) override;
    // A default refused: its control is the one to focus.
    QWidget* showFinding(const Finding& finding) override;

private:
    PERSISTANTINFO& shown();
    void typeChosen(int code);
    // The default control of the type, showing value, checked by its rule.
    void showDefault(int type, const QString& value);

    TypeRadioGroup* type_ = nullptr;
    QLineEdit* otherType_ = nullptr;
    DefaultValueField* default_ = nullptr;
};

}  // namespace bw
