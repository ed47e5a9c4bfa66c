#pragma once

#include "app/host_catalogue.h"
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
    // The library and group lists come from the family's catalogue of this session.
    explicit CVisibleInfo(WizardContext& context, QWidget* parent = nullptr);
    CVisibleInfo(WizardContext& context, const HostCatalogue& catalogue, QWidget* parent = nullptr);

    void load() override;
    bool store(bool forward) override;

private:
    void fillLists(const HostCatalogue& catalogue);
    // Next only with a library, a group and a menu name.
    void updateButtons();

    QComboBox* library_;
    QComboBox* group_;
    QLineEdit* menuName_;
    QLineEdit* shortDescription_;
    QPlainTextEdit* longDescription_;
};

}  // namespace bw
