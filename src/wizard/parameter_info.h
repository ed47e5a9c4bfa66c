#pragma once

#include "wizard/dialog_runner.h"
#include "wizard/record_list_page.h"

class QCheckBox;

namespace bw {

class DefaultValueField;
class TypeRadioGroup;

// Page 7: the user parameters (Parameters).
class CParameterInfo : public CRecordPage<PARAMINFO> {
    Q_OBJECT

public:
    explicit CParameterInfo(WizardContext& context, QWidget* parent = nullptr);

    // "&Description": the description dialog for the parameter shown.
    void editDescription();
    // "&Configure": the item dialog of a Combo Box, Radio Buttons or File
    // Open parameter (nothing for a Check Box).
    void configureItems();

    // Runs the dialogs the page opens (tests answer them).
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    TypeRadioGroup* typeGroup() const { return type_; }
    QCheckBox* constCheck() const { return const_; }
    DefaultValueField* defaultField() const { return default_; }
    QPushButton* descriptionButton() const { return description_; }
    QPushButton* configureButton() const { return configure_; }

protected:
    void build() override;
    void loadControls() override;
    void showRecord(const PARAMINFO& parameter) override;
    bool storeRecord(PARAMINFO& parameter) override;
    void enableFields(bool enabled) override;
    // A default refused: its control is the one to focus.
    QWidget* findingField(const std::string& key) override;

private:
    void typeChosen(int code);
    // The default control of the parameter's type, showing value.
    void showDefault(const PARAMINFO& parameter, const QString& value);

    TypeRadioGroup* type_ = nullptr;
    QCheckBox* const_ = nullptr;
    DefaultValueField* default_ = nullptr;
    QPushButton* description_ = nullptr;
    QPushButton* configure_ = nullptr;
    DialogRunner runDialog_ = ExecDialog;
};

}  // namespace bw
