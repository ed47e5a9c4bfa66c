#include "wizard/generate.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWizard>
#include <map>
#include <stdexcept>

#include "definition/settings_rules.h"
#include "generation/overwrite.h"
#include "generation/paths.h"
#include "run/file_preview.h"
#include "wizard/file_trees_view.h"
#include "wizard/run_progress.h"
#include "wizard/wrapping_text.h"

namespace bw {

namespace {

constexpr const char* SUBTITLE = "Generate the code for the block.";

// True when the run saved the definition as its template: from then on the
// definition is what that file holds, and closing the wizard loses nothing.
bool SavedTemplate(const RunResult& result, const BLOCKINFO& block) {
    for (const BlockFile& file : RunFileSet(block)) {
        if (file.kind == FileKind::Template) {
            return std::any_of(
                result.events.begin(), result.events.end(), [&](const FileEvent& event) {
                    return event.action == FileAction::Written && event.relativePath == file.path;
                });
        }
    }
    return false;
}
// How often a run lets the window handle its events, in milliseconds.
constexpr qint64 EVENTS_INTERVAL = 25;

// The normal pointer while a question or message waits for the user.
class NormalCursor {
public:
    NormalCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalCursor() { QApplication::restoreOverrideCursor(); }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;
};

}  // namespace

// The page's prompts during a run: the normal pointer while a question or a
// message waits for the user.
class CGenerate::RunPrompts : public UserPrompts {
public:
    explicit RunPrompts(UserPrompts& prompts) : prompts_(prompts) {}

    OverwriteAnswer askOverwrite(const std::string& path) override {
        NormalCursor cursor;
        return prompts_.askOverwrite(path);
    }
    OverwriteAnswer askOverwriteReadOnly(const std::string& path) override {
        NormalCursor cursor;
        return prompts_.askOverwriteReadOnly(path);
    }
    OverwriteAnswer askOverwriteLosingEdits(const std::string& path, const std::string& note,
                                            FileAccess access) override {
        NormalCursor cursor;
        return prompts_.askOverwriteLosingEdits(path, note, access);
    }
    bool askYesNo(const std::string& text, MessageIcon icon) override {
        NormalCursor cursor;
        return prompts_.askYesNo(text, icon);
    }
    void showMessage(const std::string& text, MessageIcon icon) override {
        NormalCursor cursor;
        prompts_.showMessage(text, icon);
    }

private:
    UserPrompts& prompts_;
};

CGenerate::CGenerate(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {}

QWidget* CGenerate::startFocus() const {
    return button_;
}

void CGenerate::build() {
    // A folder named in a finding may be longer than a line.
    findings_ = new WrappingText;
    findings_->setObjectName(QStringLiteral("findings"));
    trees_ = new FileTreesView;
    cmake_ = new QCheckBox(QStringLiteral("Also write a C&Make project"));
    cmake_->setChecked(settings().read(setting::SECTION, setting::CMAKE_PROJECT, "0") == "1");
    button_ = new QPushButton(QStringLiteral("&Generate Code"));
    progress_ = new QProgressBar;
    progressLabel_ = new QLabel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(findings_);
    layout->addWidget(trees_, 1);
    layout->addWidget(cmake_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(button_);
    buttonRow->addStretch();
    layout->addLayout(buttonRow);
    layout->addWidget(progressLabel_);
    layout->addWidget(progress_);
    layout->addStretch();
    progressLabel_->setTextFormat(Qt::PlainText);
    connect(button_, &QPushButton::clicked, this, &CGenerate::generate);
    connect(cmake_, &QCheckBox::toggled, this, &CGenerate::chooseCMakeProject);
    showRunning(false);
}

void CGenerate::loadControls() {
    block().CMakeProject = cmake_->isChecked();
    trees_->showFileSet(block());
    markWhatWillChange();
    showFindings();
    showRunning(false);
    setNextEnabled(false);  // Back only, until a run has ended
}

void CGenerate::markWhatWillChange() {
    const RunEnvironment environment =
        MakeRunEnvironment(nullptr, context().clock, settings(), context().workingDirectory,
                           context().settingsDirectory);
    std::vector<FilePreview> previews;
    try {
        previews = PreviewFileSet(block(), environment);
    } catch (const std::logic_error& error) {
        showInternalError(error);  // the files stay unmarked
        return;
    }
    std::map<std::string, QString> marks;
    for (const FilePreview& file : previews) {
        QString mark = file.change == FileChange::New       ? QStringLiteral("new")
                       : file.change == FileChange::Changed ? QStringLiteral("changed")
                                                            : QStringLiteral("unchanged");
        if (file.keepsAside) {
            mark += QStringLiteral(", sections will be kept aside");
        } else if (file.splices) {
            mark += QStringLiteral(", user sections carried over");
        }
        if (file.editedByHand) {
            mark += QStringLiteral(", edited by hand \u2014 will be replaced, a copy kept in ") +
                    QString::fromLocal8Bit(DisplayPath(BackupOf(file.relativePath)).c_str());
        }
        marks[file.relativePath] = mark;
    }
    trees_->markFiles([&](const std::string& path) { return marks[path]; });
}

void CGenerate::chooseCMakeProject(bool chosen) {
    block().CMakeProject = chosen;
    settings().write(setting::SECTION, setting::CMAKE_PROJECT, chosen ? "1" : "0");
    trees_->showFileSet(block());
    markWhatWillChange();
}

std::vector<Finding> CGenerate::findings() {
    std::vector<Finding> found = CheckStockFiles(block(), context().workingDirectory);
    const std::vector<Finding> definition = CheckDefinition(block());
    found.insert(found.end(), definition.begin(), definition.end());
    return found;
}

void CGenerate::showFindings() {
    QString text;
    for (const Finding& finding : findings()) {
        text += QString::fromLocal8Bit((finding.severity == Severity::Warning ? "Warning: " : "") +
                                       finding.key + ": " + finding.message + "\n");
    }
    findings_->setText(text.trimmed());
    findings_->setVisible(!text.isEmpty());
}

void CGenerate::showRunning(bool running) {
    trees_->setVisible(!running);
    cmake_->setVisible(!running);
    button_->setVisible(!running);
    progress_->setVisible(running);
    progressLabel_->setVisible(running);
    // No other page, and no end of the wizard, while files are being written.
    if (QWizard* sheet = wizard()) {
        sheet->button(QWizard::BackButton)->setEnabled(!running);
        sheet->button(QWizard::CancelButton)->setEnabled(!running);
    }
}

void CGenerate::showFileInHand(const RunProgress& progress) {
    const QString file = QString::fromLocal8Bit(progress.currentFile().c_str());
    progress_->setValue(progress.current() + 1);
    progressLabel_->setText(QStringLiteral("Writing ") + file);
    emit fileInHand(file);
}

void CGenerate::generate() {
    if (running_) {
        return;
    }
    // A definition whose files would not compile is not generated.
    const std::vector<Finding> found = findings();
    if (HasErrors(found)) {
        prompts().showMessage(
            std::find_if(found.begin(), found.end(),
                         [](const Finding& f) { return f.severity == Severity::Error; })
                ->message,
            MessageIcon::Stop);
        return;
    }
    running_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);

    RunProgress progress(block());
    progress_->setRange(0, progress.fileCount());
    progress_->setValue(0);
    progressLabel_->setText(QString());
    showRunning(true);

    RunPrompts runPrompts(prompts());
    RunEnvironment environment =
        MakeRunEnvironment(&runPrompts, context().clock, settings(), context().workingDirectory,
                           context().settingsDirectory);
    // Questions and messages during the run concern the file in hand: the
    // progress names it before any of them is asked.
    environment.fileInHand = [&](const std::string& relativePath) {
        if (progress.reached(relativePath)) {
            showFileInHand(progress);
        }
    };
    QElapsedTimer sinceEvents;
    // Events are handled every EVENTS_INTERVAL rather than before every
    // line: the window stays just as responsive, and the largest blocks are
    // written without a hundred thousand trips through the event loop.
    environment.pump = [&] {
        if (!sinceEvents.isValid() || sinceEvents.elapsed() >= EVENTS_INTERVAL) {
            sinceEvents.start();
            QCoreApplication::processEvents();
        }
    };

    try {
        lastResult_ = RunGeneration(block(), environment);
    } catch (const std::logic_error& error) {
        endRun();
        showInternalError(error);  // the page stays as it was before the run
        return;
    }
    if (SavedTemplate(*lastResult_, block())) {
        context().MarkUnchanged();
    }

    progress_->setValue(progress.fileCount());
    endRun();
    setNextEnabled(true);
    wizard()->next();
}

void CGenerate::endRun() {
    QApplication::restoreOverrideCursor();
    running_ = false;
    showRunning(false);
}

void CGenerate::showInternalError(const std::logic_error& error) {
    prompts().showMessage(std::string("Internal error: ") + error.what(), MessageIcon::Stop);
}

}  // namespace bw
