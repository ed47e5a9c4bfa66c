#pragma once

#include "wizard/wizard_page.h"

class QGridLayout;
class QLineEdit;

namespace bw {

// The message shown when a block file name begins with anything but a letter or "_".
inline constexpr const char* FILENAME_START_MESSAGE =
    "The filename must begin with an alphabetic or underscore character";

// The folder an empty Directory stands for when a block file name is typed:
// the user's home folder, ending in a separator.
std::string DefaultBlockParent();

// Page 3: the block file name, help and icon files and the directories (BlockName, HelpFilename,
// IconFilename, Directory, LibraryPath, IncludePath).
class CFileInfo : public CWizardPage {
    Q_OBJECT

public:
    explicit CFileInfo(WizardContext& context, QWidget* parent = nullptr);

    // The append flag: the next change of the block file name adds the name to
    // Directory as a new last component instead of replacing the last one.
    bool appendsName() const { return appendName_; }

protected:
    void build() override;
    void loadControls() override;
    bool storeControls(bool forward) override;
    std::optional<DefinitionPage> checkedPage() const override { return DefinitionPage::Files; }
    QWidget* showFinding(const Finding& finding) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* addPathRow(QGridLayout* grid, int row, const char* label, const char* objectName,
                          const char* chooserTitle);
    void blockNameEdited(const QString& typed);
    // "~" and "~user" expanded and a relative folder made absolute, so that
    // the block is written, shown and remembered where the user meant.
    void takeDirectoryAsShellWould();
    // False, after saying so with the focus on it, when a folder field begins
    // with "~name" of a user the system does not know.
    bool foldersNameKnownUsers();
    void browse(QLineEdit* field, const QString& title);
    // Next only with a block file name and a directory.
    void updateButtons();

    QLineEdit* blockName_ = nullptr;
    QLineEdit* helpFilename_ = nullptr;
    QLineEdit* iconFilename_ = nullptr;
    QLineEdit* directory_ = nullptr;
    QLineEdit* libraryPath_ = nullptr;
    QLineEdit* includePath_ = nullptr;
    bool appendName_ = true;
};

}  // namespace bw
