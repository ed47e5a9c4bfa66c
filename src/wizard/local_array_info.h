#pragma once

#include "wizard/record_list_page.h"

namespace bw {

class TypeRadioGroup;

// Page 8: the local arrays (LocalArrays).
class CLocalArrayInfo : public CRecordPage<LOCALARRAYINFO> {
    Q_OBJECT

public:
    explicit CLocalArrayInfo(WizardContext& context, QWidget* parent = nullptr);

    TypeRadioGroup* typeGroup() const { return type_; }
    QLineEdit* sizeEdit() const { return size_; }

protected:
    void build() override;
    void showRecord(const LOCALARRAYINFO& array) override;
    bool storeRecord(LOCALARRAYINFO& array) override;
    void enableFields(bool enabled) override;
    // A size refused: its field is the one to focus.
    QWidget* findingField(const std::string& key) override;

private:
    TypeRadioGroup* type_ = nullptr;
    QLineEdit* size_ = nullptr;
};

}  // namespace bw
