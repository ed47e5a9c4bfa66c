#pragma once

#include "definition/host_catalogue.h"
#include "wizard/wizard_page.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace bw {

// Page 2: the library, group and menu names and the descriptions (LibraryName, GroupName, MenuName,
// ShortDescription, LongDescription).
class CVisibleInfo : public CWizardPage {
    Q_OBJECT

public:
    // The library and group lists come from the context's host catalogue,
    // read when the page is first shown.
    explicit CVisibleInfo(WizardContext& context, QWidget* parent = nullptr);

protected:
    void build() override;
    void loadControls() override;
    bool storeControls(bool forward) override;
    std::optional<DefinitionPage> checkedPage() const override { return DefinitionPage::Names; }
    QWidget* showFinding(const Finding& finding) override;

private:
    void fillLists(const HostCatalogue& catalogue);
    // Next only with a library, a group and a menu name.
    void updateButtons();

    QComboBox* library_ = nullptr;
    QComboBox* group_ = nullptr;
    QLineEdit* menuName_ = nullptr;
    QLineEdit* shortDescription_ = nullptr;
    QPlainTextEdit* longDescription_ = nullptr;
};

}  // namespace bw
