#include "wizard/names_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "wizard/field_note.h"
#include "wizard/page_text.h"

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Choose the library, group and name for the block.";

// Shows text in the list's edit field, with its entry chosen when it has one.
void ShowName(QComboBox* list, const std::string& name) {
    const QString text = ToQString(name);
    list->setCurrentIndex(list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    list->setEditText(text);
}

QComboBox* NameList(const char* objectName) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(objectName));
    list->setEditable(true);
    // Typed names stay typed names; they are not added to the list.
    list->setInsertPolicy(QComboBox::NoInsert);
    return list;
}

}  // namespace

CVisibleInfo::CVisibleInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {}

void CVisibleInfo::build() {
    library_ = NameList("libraryName");
    group_ = NameList("groupName");
    menuName_ = new QLineEdit;
    shortDescription_ = new QLineEdit;
    longDescription_ = new QPlainTextEdit;
    // Tab moves on, as in every other field; a tab in the template would be unexpected.
    longDescription_->setTabChangesFocus(true);
    menuName_->setObjectName(QStringLiteral("menuName"));
    shortDescription_->setObjectName(QStringLiteral("shortDescription"));
    longDescription_->setObjectName(QStringLiteral("longDescription"));

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Library Name:"), library_);
    form->addRow(QStringLiteral("&Group Name:"), group_);
    form->addRow(QString(),
                 FieldNote(QStringLiteral("Where the block appears in the host's menus.")));
    form->addRow(QStringLiteral("&Menu Name:"), menuName_);
    form->addRow(QStringLiteral("&Short Desc:"), shortDescription_);
    auto* detailed = new QLabel(QStringLiteral("&Detailed Description:"));
    detailed->setBuddy(longDescription_);
    form->addRow(detailed);
    form->addRow(longDescription_);

    if (context().readCatalogue) {
        fillLists(context().readCatalogue());
    }
    // A selection changes the edit text too, so this covers both.
    connect(library_, &QComboBox::editTextChanged, this, &CVisibleInfo::updateButtons);
    connect(group_, &QComboBox::editTextChanged, this, &CVisibleInfo::updateButtons);
    connect(menuName_, &QLineEdit::textChanged, this, &CVisibleInfo::updateButtons);
}

void CVisibleInfo::fillLists(const HostCatalogue& catalogue) {
    for (const std::string& library : catalogue.libraries) {
        library_->addItem(ToQString(library));
    }
    for (const std::string& group : catalogue.groups) {
        group_->addItem(ToQString(group));
    }
}

void CVisibleInfo::loadControls() {
    ShowName(library_, block().LibraryName);
    ShowName(group_, block().GroupName);
    menuName_->setText(ToQString(block().MenuName));
    shortDescription_->setText(ToQString(block().ShortDescription));
    longDescription_->setPlainText(ToMultiLineQString(block().LongDescription));
    updateButtons();
}

bool CVisibleInfo::storeControls(bool /*forward*/) {
    block().LibraryName = ToStdString(library_->currentText());
    block().GroupName = ToStdString(group_->currentText());
    block().MenuName = ToStdString(menuName_->text());
    block().ShortDescription = ToStdString(shortDescription_->text());
    block().LongDescription = ToMultiLineStdString(longDescription_->toPlainText());
    return true;
}

void CVisibleInfo::updateButtons() {
    setNextEnabled(!library_->currentText().isEmpty() && !group_->currentText().isEmpty() &&
                   !menuName_->text().isEmpty());
}

QWidget* CVisibleInfo::showFinding(const Finding& finding) {
    const std::pair<const char*, QWidget*> fields[] = {{"Library Name", library_},
                                                       {"Group Name", group_},
                                                       {"Menu Name", menuName_},
                                                       {"Short Description", shortDescription_}};
    for (const auto& [key, field] : fields) {
        if (finding.key == key) {
            return field;
        }
    }
    return nullptr;
}

}  // namespace bw
