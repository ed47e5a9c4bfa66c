#include "wizard/file_info.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "definition/edit_rules.h"
#include "generation/paths.h"
#include "platform/typed_folder.h"
#include "wizard/field_note.h"
#include "wizard/page_text.h"

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Set the directories and file names used by the block.";

}  // namespace

std::string DefaultBlockParent() {
    return ToStdString(QDir::toNativeSeparators(QDir::homePath())) + QDir::separator().toLatin1();
}

CFileInfo::CFileInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {}

void CFileInfo::build() {
    auto* grid = new QGridLayout;
    blockName_ = addPathRow(grid, 0, "Block &Filename:", "blockName", nullptr);
    helpFilename_ = addPathRow(grid, 1, "&Help Filename:", "helpFilename", nullptr);
    iconFilename_ = addPathRow(grid, 2, "&Icon Filename:", "iconFilename", nullptr);
    directory_ = addPathRow(grid, 3, "&Directory:", "directory", "Select Destination Directory");
    libraryPath_ = addPathRow(grid, 4, "&Library Path:", "libraryPath", "Select Library Directory");
    includePath_ = addPathRow(grid, 5, "In&clude Path:", "includePath", "Select Include Directory");
    grid->addWidget(FieldNote(QStringLiteral(
                        "The host's libraries and block headers, for the block's projects.")),
                    6, 1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();

    // Only what the user types runs the name rules; loading the page does not.
    connect(blockName_, &QLineEdit::textEdited, this, &CFileInfo::blockNameEdited);
    connect(blockName_, &QLineEdit::textChanged, this, &CFileInfo::updateButtons);
    connect(directory_, &QLineEdit::textChanged, this, &CFileInfo::updateButtons);
    directory_->installEventFilter(this);
}

QLineEdit* CFileInfo::addPathRow(QGridLayout* grid, int row, const char* label,
                                 const char* objectName, const char* chooserTitle) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(objectName));
    auto* caption = new QLabel(QString::fromLatin1(label));
    caption->setBuddy(field);
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1);
    if (chooserTitle != nullptr) {
        auto* button = new QPushButton(QStringLiteral("Browse"));
        button->setObjectName(QString::fromLatin1(objectName) + QStringLiteral("Browse"));
        const QString title = QString::fromLatin1(chooserTitle);
        connect(button, &QPushButton::clicked, this,
                [this, field, title] { browse(field, title); });
        grid->addWidget(button, row, 2);
    }
    return field;
}

void CFileInfo::loadControls() {
    blockName_->setText(ToQString(block().BlockName));
    helpFilename_->setText(ToQString(block().HelpFilename));
    iconFilename_->setText(ToQString(block().IconFilename));
    directory_->setText(ToQString(block().Directory));
    libraryPath_->setText(ToQString(block().LibraryPath));
    includePath_->setText(ToQString(block().IncludePath));
    updateButtons();
}

bool CFileInfo::storeControls(bool forward) {
    if (forward && !foldersNameKnownUsers()) {
        return false;
    }
    block().BlockName = ToStdString(blockName_->text());
    block().HelpFilename = ToStdString(helpFilename_->text());
    block().IconFilename = ToStdString(iconFilename_->text());
    takeDirectoryAsShellWould();
    block().Directory = ToStdString(directory_->text());
    // The generated projects keep these paths relative where they were typed so.
    block().LibraryPath = ExpandHomeFolder(ToStdString(libraryPath_->text()));
    block().IncludePath = ExpandHomeFolder(ToStdString(includePath_->text()));
    return true;
}

void CFileInfo::blockNameEdited(const QString& typed) {
    std::string blockName = ToStdString(typed);
    if (const size_t bad = BadBlockNameStart(blockName); bad > 0) {
        prompts().showMessage(FILENAME_START_MESSAGE, MessageIcon::Exclamation);
        // A pasted name may start with several; none of them may stay.
        blockName.erase(0, bad);
        const QString name = ToQString(blockName);
        const qsizetype dropped = typed.size() - name.size();
        const qsizetype cursor = blockName_->cursorPosition();
        blockName_->setText(name);
        blockName_->setCursorPosition(static_cast<int>(std::max<qsizetype>(0, cursor - dropped)));
    }

    BlockNameFollowers fields{ToStdString(directory_->text()), {}, {}, appendName_};
    FollowBlockName(fields, blockName, DefaultBlockParent(), QDir::separator().toLatin1());
    appendName_ = fields.appendName;
    directory_->setText(ToQString(fields.directory));
    helpFilename_->setText(ToQString(fields.helpFilename));
    iconFilename_->setText(ToQString(fields.iconFilename));
}

bool CFileInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == directory_ && event->type() == QEvent::FocusOut) {
        takeDirectoryAsShellWould();
        appendName_ = true;  // the next name becomes a sub-folder of what was entered
    }
    return CWizardPage::eventFilter(watched, event);
}

bool CFileInfo::foldersNameKnownUsers() {
    const std::pair<const char*, QLineEdit*> fields[] = {
        {"Directory", directory_}, {"Library Path", libraryPath_}, {"Include Path", includePath_}};
    for (const auto& [name, field] : fields) {
        const std::string typed = ToStdString(field->text());
        if (const std::string user = UnknownHomeUser(typed); !user.empty()) {
            prompts().showMessage(
                std::string(name) + ": " + UnknownHomeUserMessage(typed, user) + ".",
                MessageIcon::Exclamation);
            field->setFocus();
            return false;
        }
    }
    return true;
}

void CFileInfo::takeDirectoryAsShellWould() {
    const QString typed = directory_->text();
    if (!UnknownHomeUser(ToStdString(typed)).empty()) {
        return;  // kept as typed for Next to refuse, not made a folder named "~name"
    }
    const QString absolute = ToQString(AbsoluteFolder(ToStdString(typed), CurrentFolder()));
    if (absolute != typed) {
        directory_->setText(absolute);
    }
}

void CFileInfo::browse(QLineEdit* field, const QString& title) {
    const std::optional<std::string> folder =
        context().dialogs.chooseFolder(this, title, NativePath(ToStdString(field->text())));
    if (folder) {
        field->setText(ToQString(*folder));
    }
}

void CFileInfo::updateButtons() {
    setNextEnabled(!blockName_->text().isEmpty() && !directory_->text().isEmpty());
}

QWidget* CFileInfo::showFinding(const Finding& finding) {
    const std::pair<const char*, QWidget*> fields[] = {{"Block Name", blockName_},
                                                       {"Help Filename", helpFilename_},
                                                       {"Icon Filename", iconFilename_}};
    for (const auto& [key, field] : fields) {
        if (finding.key == key) {
            return field;
        }
    }
    return nullptr;
}

}  // namespace bw
