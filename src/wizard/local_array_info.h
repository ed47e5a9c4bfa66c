#pragma once

#include "wizard/record_list_page.h"

namespace bw {

class TypeRadioGroup;

// Page 8: the local arrays (LocalArrays).
class CLocalArrayInfo : public CRecordListPage {
    Q_OBJECT

public:
    explicit CLocalArrayInfo(WizardContext& context, QWidget* parent = nullptr);

    TypeRadioGroup* typeGroup() const { return type_; }
    QLineEdit* sizeEdit() const { return size_; }

protected:
    std::string nameKey(int index) const override { return "ArrayName" + std::to_string(index); }
    std::optional<DefinitionPage> checkedPage() const override {
        return DefinitionPage::LocalArrays;
    }
    QWidget* showFinding(const Finding& finding) override;
    void build() override;
    int recordCount() override;
    std::string& recordName(int index) override;
    bool addToPool() override;
    void deleteFromPool(int index) override;
    void showFields(int index) override;
    bool storeFields(int index) override;
    void enableFields(bool enabled) override;

private:
    TypeRadioGroup* type_ = nullptr;
    QLineEdit* size_ = nullptr;
};

}  // namespace bw
