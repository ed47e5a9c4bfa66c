#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "wizard/wizard_context.h"

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace bw {

// "Tools": where the completion page's tools are, written into the settings
// on OK. The Visual C++ folder (the Visual Studio 6 folder that holds VC98
// and Common; the settings keep the IDE's MSDEV.EXE in it), the Code
// Composer Studio program and, where the tools run through Wine, Wine's
// folder. Each field has its Browse button; OK refuses a field that names
// nothing usable, saying so, and Cancel or Escape after an edit asks first.
class CToolsDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* TITLE = "Tools";

    CToolsDialog(WizardContext& context, QWidget* parent = nullptr);

    QLineEdit* visualCppField() const { return visualCpp_; }
    QLineEdit* codeComposerField() const { return codeComposer_; }
    // Null where the tools do not run through Wine.
    QLineEdit* winePrefixField() const { return winePrefix_; }
    QPushButton* okButton() const { return ok_; }

    void accept() override;
    void reject() override;

private:
    // Adds a field with its label and Browse button, which runs choose.
    QLineEdit* addField(
        class QGridLayout& grid, const QString& label, const QString& value,
        const std::function<std::optional<std::string>(const std::string&)>& choose);
    // The first field that names nothing usable, after saying why; null when all do.
    QLineEdit* refusedField();
    bool edited() const;

    WizardContext& context_;
    QLineEdit* visualCpp_ = nullptr;
    QLineEdit* codeComposer_ = nullptr;
    QLineEdit* winePrefix_ = nullptr;
    QPushButton* ok_ = nullptr;
    QStringList loaded_;
};

// The MSDEV.EXE of the Visual Studio 6 folder, written with the folder's own separator.
std::string MsdevInVisualStudio(const std::string& folder);

}  // namespace bw
