#include "wizard/file_info.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "generation/paths.h"
#include "wizard/page_text.h"

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Set the directories and file names used by the block.";

bool BeginsWell(const QString& name) {
    const QChar first = name.front();
    return first == u'_' || (first.unicode() < 0x80 && first.isLetter());
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The separator a path already uses, else the platform's.
char SeparatorOf(const std::string& path) {
    const size_t last = path.find_last_of("\\/");
    if (last != std::string::npos) {
        return path[last];
    }
    return QDir::separator().toLatin1();
}

// The name up to its first "." followed by extension.
std::string WithExtension(const std::string& name, const char* extension) {
    return name.substr(0, name.find('.')) + extension;
}

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

bool CFileInfo::storeControls(bool /*forward*/) {
    block().BlockName = ToStdString(blockName_->text());
    block().HelpFilename = ToStdString(helpFilename_->text());
    block().IconFilename = ToStdString(iconFilename_->text());
    block().Directory = ToStdString(directory_->text());
    block().LibraryPath = ToStdString(libraryPath_->text());
    block().IncludePath = ToStdString(includePath_->text());
    return true;
}

void CFileInfo::blockNameEdited(const QString& typed) {
    QString name = typed;
    if (!name.isEmpty() && !BeginsWell(name)) {
        prompts().showMessage(FILENAME_START_MESSAGE, MessageIcon::Exclamation);
        // A pasted name may start with several; none of them may stay.
        qsizetype dropped = 0;
        while (!name.isEmpty() && !BeginsWell(name)) {
            name.remove(0, 1);
            ++dropped;
        }
        const qsizetype cursor = blockName_->cursorPosition();
        blockName_->setText(name);
        blockName_->setCursorPosition(static_cast<int>(std::max<qsizetype>(0, cursor - dropped)));
    }
    const std::string blockName = ToStdString(name);

    std::string directory = ToStdString(directory_->text());
    if (appendName_) {
        if (directory.empty()) {
            directory = DefaultBlockParent();
        }
        if (!IsSeparator(directory.back())) {
            directory += SeparatorOf(directory);
        }
        appendName_ = false;
    }
    const size_t lastSeparator = directory.find_last_of("\\/");
    directory =
        directory.substr(0, lastSeparator == std::string::npos ? 0 : lastSeparator + 1) + blockName;
    if (!directory.empty() && IsSeparator(directory.back())) {
        appendName_ = true;  // no name: the next one starts a sub-folder again
    }
    directory_->setText(ToQString(directory));
    helpFilename_->setText(ToQString(WithExtension(blockName, ".hlp")));
    iconFilename_->setText(ToQString(WithExtension(blockName, ".ico")));
}

bool CFileInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == directory_ && event->type() == QEvent::FocusOut) {
        appendName_ = true;  // the next name becomes a sub-folder of what was entered
    }
    return CWizardPage::eventFilter(watched, event);
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
