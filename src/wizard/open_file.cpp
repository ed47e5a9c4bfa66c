#include "wizard/open_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWizard>

#include "definition/settings_rules.h"
#include "definition/template_file.h"
#include "generation/paths.h"
#include "wizard/cwizard.h"
#include "wizard/page_text.h"

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Open an existing block template or create a new block template.";
constexpr const char* EXPLANATION =
    "Blockwright can either create a new block from scratch, or it can load the template file "
    "from an existing block and allow a user to modify the template to create the new block.";

}  // namespace

COpenFile::COpenFile(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {
    setButtonText(QWizard::NextButton, QStringLiteral("&New >"));
}

void COpenFile::build() {
    auto* text = new QLabel(QString::fromUtf8(EXPLANATION));
    text->setWordWrap(true);
    continue_ = new QPushButton;
    continue_->setObjectName(QStringLiteral("continueWithBlock"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(continue_->fontMetrics().height());
    layout->addWidget(continue_, 0, Qt::AlignLeft);
    layout->addStretch();
    connect(continue_, &QPushButton::clicked, this, &COpenFile::continueWithBlock);
}

void COpenFile::loadControls() {
    // Page 1 reached by Back: the block in hand is one click away.
    const std::string& name = block().BlockName;
    continue_->setText(name.empty()
                           ? QStringLiteral("&Continue with the new block")
                           : QStringLiteral("&Continue with block ") +
                                 ToQString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
    continue_->setVisible(context().origin.started > 0);
}

void COpenFile::continueWithBlock() {
    keepBlock_ = true;
    wizard()->next();
}

bool COpenFile::storeControls(bool forward) {
    if (forward && !keepBlock_) {
        if (!mayBeginAnotherBlock()) {
            return false;
        }
        context().ResetBlock();
        context().MarkUnchanged();
        context().origin.begin(false);
    }
    keepBlock_ = false;
    return true;
}

bool COpenFile::mayBeginAnotherBlock() {
    auto* sheet = qobject_cast<CWizard*>(wizard());
    return sheet != nullptr ? sheet->mayDiscardChanges() : context().MayDiscardChanges();
}

std::string COpenFile::FirstOpenFolder() const {
    const std::string& blocks = context().newBlockFolders.block;
    if (blocks.empty() || QFileInfo(ToQString(NativePath(blocks))).isDir()) {
        return blocks;
    }
    std::string parent = blocks;
    while (!parent.empty() && (parent.back() == '/' || parent.back() == '\\')) {
        parent.pop_back();
    }
    return SplitPath(parent).first;
}

void COpenFile::open() {
    if (!mayBeginAnotherBlock()) {
        return;
    }
    context().ResetBlock();
    context().MarkUnchanged();
    continue_->hide();  // the block in hand is gone, whatever the dialog gives
    // The folder of the last template, else the user's blocks (or the
    // documents holding them): never the program's own folder.
    const std::string startFolder =
        NativePath(settings().read(setting::SECTION, setting::OPEN_DIRECTORY, FirstOpenFolder()));
    const std::optional<std::string> chosen = context().dialogs.openTemplate(this, startFolder);
    if (chosen) {
        readTemplate(*chosen);
    }
}

void COpenFile::openFile(const std::string& path) {
    context().ResetBlock();
    context().MarkUnchanged();
    continue_->hide();
    readTemplate(path);
}

void COpenFile::readTemplate(const std::string& path) {
    const QString folder = QFileInfo(QString::fromLocal8Bit(path.c_str())).absolutePath();
    settings().write(setting::SECTION, setting::OPEN_DIRECTORY,
                     QDir::toNativeSeparators(folder).toLocal8Bit().toStdString());
    if (!ReadTemplate(block(), path, prompts())) {
        context().ResetBlock();  // whatever the reader got to, a new block again
        return;
    }
    // A relative block directory is where the template is, as for the
    // command line: a template and its block move together. The program's
    // own examples put their blocks among the user's.
    block().Directory =
        TemplateBlockFolder(SplitPath(path).first, block().Directory, context().installedFolder,
                            context().newBlockFolders.block);
    keepBlock_ = true;
    context().MarkUnchanged();
    context().origin.begin(true);
    wizard()->next();
}

}  // namespace bw
