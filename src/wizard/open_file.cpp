#include "wizard/open_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>
#include <QWizard>

#include "definition/settings_rules.h"
#include "definition/template_file.h"
#include "generation/paths.h"

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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addStretch();
}

bool COpenFile::storeControls(bool forward) {
    if (forward && !opened_) {
        if (!context().MayDiscardChanges()) {
            return false;
        }
        context().ResetBlock();
        context().MarkUnchanged();
        context().origin.begin(false);
    }
    opened_ = false;
    return true;
}

void COpenFile::open() {
    if (!context().MayDiscardChanges()) {
        return;
    }
    context().ResetBlock();
    context().MarkUnchanged();
    // The run stores the folder lower-cased; find the folder it names.
    const std::string startFolder = NativePath(
        settings().read(setting::SECTION, setting::OPEN_DIRECTORY, context().workingDirectory));
    const std::optional<std::string> chosen = context().dialogs.openTemplate(this, startFolder);
    if (!chosen) {
        return;
    }
    const QString folder = QFileInfo(QString::fromLocal8Bit(chosen->c_str())).absolutePath();
    settings().write(setting::SECTION, setting::OPEN_DIRECTORY,
                     QDir::toNativeSeparators(folder).toLocal8Bit().toStdString());
    if (!ReadTemplate(block(), *chosen, prompts())) {
        context().ResetBlock();  // whatever the reader got to, a new block again
        return;
    }
    opened_ = true;
    context().MarkUnchanged();
    context().origin.begin(true);
    wizard()->next();
}

}  // namespace bw
