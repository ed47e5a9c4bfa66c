#include "wizard/tools_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "definition/settings_rules.h"
#include "generation/paths.h"
#include "launch/build_launch.h"
#include "wizard/page_text.h"

namespace bw {

namespace {

constexpr const char* NMAKE_IN_FOLDER = "VC98\\Bin\\NMAKE.EXE";
constexpr const char* MSDEV_IN_FOLDER = "Common\\MSDev98\\Bin\\MSDEV.EXE";
constexpr const char* DISCARD_QUESTION = "Discard the changes to the tools?";

// A Windows-form relative path with the separator folder uses.
std::string Within(const std::string& folder, const std::string& relative) {
    const bool slashes =
        folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos;
    std::string path = folder;
    if (!path.empty() && path.back() != '\\' && path.back() != '/') {
        path += slashes ? '/' : '\\';
    }
    for (const char c : relative) {
        path += (c == '\\' && slashes) ? '/' : c;
    }
    return path;
}

std::string Text(const QLineEdit* field) {
    return field->text().trimmed().toLocal8Bit().toStdString();
}

std::string Read(const WizardContext& context, const char* name) {
    return context.settings.read(setting::SECTION, name, "");
}

// "The Tools dialog's FIELD, VALUE, ": how every refusal here begins.
std::string Refusal(const char* field, const std::string& value) {
    return std::string("The Tools dialog's ") + field + ", " + value + ", ";
}

}  // namespace

std::string MsdevInVisualStudio(const std::string& folder) {
    return Within(folder, MSDEV_IN_FOLDER);
}

CToolsDialog::CToolsDialog(WizardContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(QString::fromUtf8(TITLE));
    auto* intro = new QLabel(QStringLiteral(
        "Where the programs that the completion page starts are. An empty field leaves that "
        "program unset."));
    intro->setWordWrap(true);
    auto* grid = new QGridLayout;
    const std::string msdev = Read(context, setting::MSDEV_PATH);
    visualCpp_ = addField(*grid, QStringLiteral("&Visual C++ folder:"),
                          ToQString(msdev.empty() ? msdev : VisualStudioRoot(msdev)),
                          [this](const std::string& start) {
                              return context_.dialogs.chooseFolder(
                                  this, QStringLiteral("Visual C++ folder"), start);
                          });
    visualCpp_->setPlaceholderText(QStringLiteral("the folder that holds VC98 and Common"));
    codeComposer_ = addField(*grid, QStringLiteral("&Code Composer Studio:"),
                             ToQString(Read(context, setting::CODE_COMPOSER_PATH)),
                             [this](const std::string& start) {
                                 return context_.dialogs.chooseProgram(
                                     this, QStringLiteral("Code Composer Studio"), start);
                             });
    if (context.toolsRunThroughWine) {
        winePrefix_ = addField(
            *grid, QStringLiteral("&Wine folder:"), ToQString(Read(context, setting::WINE_PREFIX)),
            [this](const std::string& start) {
                return context_.dialogs.chooseFolder(this, QStringLiteral("Wine folder"), start);
            });
        winePrefix_->setPlaceholderText(QStringLiteral("$WINEPREFIX, else ~/.wine"));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CToolsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CToolsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 80);
    for (const QLineEdit* field : {visualCpp_, codeComposer_, winePrefix_}) {
        loaded_ << (field != nullptr ? field->text() : QString());
    }
}

QLineEdit* CToolsDialog::addField(
    QGridLayout& grid, const QString& label, const QString& value,
    const std::function<std::optional<std::string>(const std::string&)>& choose) {
    const int row = grid.rowCount();
    auto* field = new QLineEdit(value);
    auto* name = new QLabel(label);
    name->setBuddy(field);
    // No mnemonic: three Browse buttons would need three letters.
    auto* browse = new QPushButton(QStringLiteral("Browse..."));
    browse->setAutoDefault(false);
    grid.addWidget(name, row, 0);
    grid.addWidget(field, row, 1);
    grid.addWidget(browse, row, 2);
    connect(browse, &QPushButton::clicked, this, [field, choose] {
        const std::string current = Text(field);
        const std::string start = current.empty() ? QDir::homePath().toLocal8Bit().toStdString()
                                                  : SplitPath(current).first;
        if (const std::optional<std::string> chosen = choose(start)) {
            field->setText(ToQString(*chosen));
        }
    });
    return field;
}

QLineEdit* CToolsDialog::refusedField() {
    Launcher& launcher = context_.launcher;
    const std::string folder = Text(visualCpp_);
    if (!folder.empty()) {
        for (const char* program : {NMAKE_IN_FOLDER, MSDEV_IN_FOLDER}) {
            if (!launcher.ProgramExists(Within(folder, program))) {
                context_.prompts.showMessage(
                    Refusal("Visual C++ folder", folder) + "holds no " + program +
                        ": choose the Visual C++ 6 folder that holds VC98 and Common.",
                    MessageIcon::Stop);
                return visualCpp_;
            }
        }
    }
    const std::string codeComposer = Text(codeComposer_);
    if (!codeComposer.empty() && !launcher.ProgramExists(codeComposer)) {
        context_.prompts.showMessage(
            Refusal("Code Composer Studio", codeComposer) + "is not there: choose its program.",
            MessageIcon::Stop);
        return codeComposer_;
    }
    if (winePrefix_ != nullptr) {
        const std::string prefix = Text(winePrefix_);
        // Wine takes its folder from a Linux path, which is full when it begins with "/".
        const bool full = !prefix.empty() && prefix.front() == '/';
        const QFileInfo info(ToQString(prefix));
        if (!prefix.empty() && (!full || (info.exists() && !info.isDir()))) {
            context_.prompts.showMessage(
                Refusal("Wine folder", prefix) +
                    (!full ? "is not a full path: it must begin with /."
                           : "is a file: choose a folder, or leave the field empty."),
                MessageIcon::Stop);
            return winePrefix_;
        }
    }
    return nullptr;
}

void CToolsDialog::accept() {
    if (QLineEdit* refused = refusedField()) {
        refused->setFocus();
        refused->selectAll();
        return;
    }
    SettingsStore& settings = context_.settings;
    const std::string folder = Text(visualCpp_);
    settings.write(setting::SECTION, setting::MSDEV_PATH,
                   folder.empty() ? folder : MsdevInVisualStudio(folder));
    settings.write(setting::SECTION, setting::CODE_COMPOSER_PATH, Text(codeComposer_));
    if (winePrefix_ != nullptr) {
        settings.write(setting::SECTION, setting::WINE_PREFIX, Text(winePrefix_));
    }
    QDialog::accept();
}

bool CToolsDialog::edited() const {
    QStringList now;
    for (const QLineEdit* field : {visualCpp_, codeComposer_, winePrefix_}) {
        now << (field != nullptr ? field->text() : QString());
    }
    return now != loaded_;
}

void CToolsDialog::reject() {
    if (edited()) {
        const bool discard = context_.askToDiscard ? context_.askToDiscard(DISCARD_QUESTION)
                                                   : context_.prompts.askYesNo(
                                                         DISCARD_QUESTION, MessageIcon::Question);
        if (!discard) {
            return;
        }
    }
    QDialog::reject();
}

}  // namespace bw
