#include "wizard/cwizard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

#include "generation/paths.h"
#include "launch/build_launch.h"
#include "wizard/data_info.h"
#include "wizard/file_info.h"
#include "wizard/finish.h"
#include "wizard/generate.h"
#include "wizard/header_picture.h"
#include "wizard/io_info.h"
#include "wizard/local_array_info.h"
#include "wizard/names_page.h"
#include "wizard/open_file.h"
#include "wizard/parameter_info.h"
#include "wizard/persistant_info.h"
#include "wizard/revision_info.h"
#include "wizard/tools_dialog.h"

namespace bw {

namespace {

// The Open button of page 1 and the About button where there is no system menu.
constexpr QWizard::WizardButton OPEN_BUTTON = QWizard::CustomButton1;
constexpr QWizard::WizardButton ABOUT_BUTTON = QWizard::CustomButton2;

// The sheet's width, in average characters of its font.
constexpr int WIDTH_IN_CHARACTERS = 110;

// The manual's section of each page, in the pages' order.
constexpr const char* HELP_SECTIONS[PAGE_COUNT] = {
    "open",       "names",        "files",      "data",     "revision", "channels",
    "parameters", "local-arrays", "persistent", "generate", "finish",
};

constexpr const char* MANUAL_NOT_OPENED = "The manual could not be opened: ";

QList<QWizard::WizardButton> ButtonLayout(bool firstPage, bool systemMenu) {
    QList<QWizard::WizardButton> layout;
    if (!systemMenu) {
        layout << ABOUT_BUTTON;
    }
    layout << QWizard::HelpButton << QWizard::Stretch;
    if (firstPage) {
        layout << OPEN_BUTTON << QWizard::NextButton << QWizard::CancelButton;
    } else {
        layout << QWizard::BackButton << QWizard::NextButton << QWizard::FinishButton
               << QWizard::CancelButton;
    }
    return layout;
}

QString AboutText() {
    return QStringLiteral(
               "<h3>%1</h3><p>Version %2</p>"
               "<p>Writes the C source project of a processing block for the "
               "Tessaline Zirud Izadivo host and Tessaline VEXA.</p>"
               "<p>Copyright &copy; Calderic, Inc.</p>")
        .arg(QString::fromUtf8(PROGRAM_TITLE), QString::fromUtf8(PROGRAM_VERSION));
}

}  // namespace

QString PageCaption(int id) {
    return QString::asprintf("%s (%d of %d)", PROGRAM_TITLE, id + 1, static_cast<int>(PAGE_COUNT));
}

// True when focused is a field of page, where Return does the page's work:
// a button of the page (New, Open Folder) would take Return for itself.
bool HoldsStartFocus(const QWidget& page, const QWidget* focused) {
    return page.isAncestorOf(focused) && qobject_cast<const QPushButton*>(focused) == nullptr;
}

std::string HelpSection(int id) {
    return id >= 0 && id < PAGE_COUNT ? HELP_SECTIONS[id] : HELP_SECTIONS[OpenFilePage];
}

CWizard::CWizard(WizardContext& context, const QPixmap& headerPicture, QWidget* parent)
    : QWizard(parent), context_(context) {
    setWizardStyle(QWizard::ModernStyle);
    setOption(QWizard::NoBackButtonOnStartPage, true);
    setOption(QWizard::HaveCustomButton1, true);
    setOption(QWizard::HaveCustomButton2, !hasSystemMenu());
    setOption(QWizard::HaveHelpButton, true);
    setButtonText(QWizard::BackButton, QStringLiteral("< &Back"));
    setButtonText(QWizard::NextButton, QStringLiteral("&Next >"));
    setButtonText(QWizard::FinishButton, QStringLiteral("Finish"));
    setButtonText(QWizard::CancelButton, QStringLiteral("Cancel"));
    setButtonText(OPEN_BUTTON, QStringLiteral("&Open >"));
    setButtonText(ABOUT_BUTTON, QStringLiteral("&About"));
    // No mnemonic: F1 is its key, and Alt+H belongs to the pages' fields.
    setButtonText(QWizard::HelpButton, QStringLiteral("Help"));
    // Return means Next or Finish: a button that has the focus (the first
    // in the window's order, or the one left when a build disables the
    // pressed one) must not take Return from them.
    for (QWizard::WizardButton which : {QWizard::HelpButton, ABOUT_BUTTON, OPEN_BUTTON,
                                        QWizard::BackButton, QWizard::CancelButton}) {
        if (auto* push = qobject_cast<QPushButton*>(button(which))) {
            push->setAutoDefault(false);
        }
    }
    setPixmap(QWizard::LogoPixmap, headerPicture);
    // One width for every page, enough for the widest (the completion page's
    // trees beside its picture): the window keeps its size from page to page.
    setMinimumWidth(fontMetrics().averageCharWidth() * WIDTH_IN_CHARACTERS);

    const std::string icon = context.workingDirectory + "process.ico";
    if (FileExists(icon)) {
        setWindowIcon(QIcon(QString::fromLocal8Bit(NativePath(icon).c_str())));
    } else {
        setWindowIcon(QIcon(headerPicture));
    }

    for (int id = 0; id < PAGE_COUNT; ++id) {
        captions_ << PageCaption(id);
    }
    addPages();
    // The exterior pages of the sheet carry the picture as their watermark too.
    const QPixmap watermark = WatermarkPicture(headerPicture);
    wizardPage(OpenFilePage)->setPixmap(QWizard::WatermarkPixmap, watermark);
    wizardPage(FinishPage)->setPixmap(QWizard::WatermarkPixmap, watermark);

    // Back goes through the page's store first, which may keep the page.
    QAbstractButton* back = button(QWizard::BackButton);
    disconnect(back, nullptr, this, nullptr);
    connect(back, &QAbstractButton::clicked, this, &CWizard::goBack);
    connect(this, &QWizard::customButtonClicked, this, &CWizard::customButton);
    connect(this, &QWizard::helpRequested, this, &CWizard::showHelp);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &CWizard::showHelp);
    connect(this, &QWizard::currentIdChanged, this, &CWizard::pageShown);

    setButtonLayout(ButtonLayout(true, hasSystemMenu()));
    setWindowTitle(captions_.front());
    context_.MarkUnchanged();
}

CWizard::~CWizard() = default;

void CWizard::addPages() {
    setPage(OpenFilePage, new COpenFile(context_));
    setPage(VisibleInfoPage, new CVisibleInfo(context_));
    setPage(FileInfoPage, new CFileInfo(context_));
    setPage(DataInfoPage, new CDataInfo(context_));
    setPage(RevisionInfoPage, new CRevisionInfo(context_));
    setPage(IOInfoPage, new CIOInfo(context_));
    setPage(ParameterInfoPage, new CParameterInfo(context_));
    setPage(LocalArrayInfoPage, new CLocalArrayInfo(context_));
    setPage(PersistantInfoPage, new CPersistantInfo(context_));
    setPage(GeneratePage, new CGenerate(context_));
    setPage(FinishPage, new CFinish(context_));
    setStartId(OpenFilePage);
}

CWizardPage* CWizard::wizardPage(int id) const {
    return static_cast<CWizardPage*>(page(id));
}

COpenFile* CWizard::openFilePage() const {
    return static_cast<COpenFile*>(page(OpenFilePage));
}

CGenerate* CWizard::generatePage() const {
    return static_cast<CGenerate*>(page(GeneratePage));
}

CFinish* CWizard::finishPage() const {
    return static_cast<CFinish*>(page(FinishPage));
}

void CWizard::pageShown(int id) {
    if (id < 0 || id >= PAGE_COUNT) {
        return;
    }
    setWindowTitle(captions_.at(id));
    // Page 1 puts "&Open >" where Back is; the page itself names Next "&New >".
    setButtonLayout(ButtonLayout(id == OpenFilePage, hasSystemMenu()));
    // The sheet has put the focus on the page's first control, a button as
    // like as not (Open Folder), or the page left passed it on to one (New);
    // only a load that chose a field keeps its own.
    const QWidget* before = focusWidget();
    wizardPage(id)->load();
    const QWidget* chosen = focusWidget();
    if (chosen == before || !HoldsStartFocus(*wizardPage(id), chosen)) {
        focusPageStart(*wizardPage(id));
    }
}

void CWizard::focusPageStart(const CWizardPage& page) {
    QWidget* start = page.startFocus();
    if (start == nullptr) {
        QAbstractButton* next = button(QWizard::NextButton);
        start = next->isVisibleTo(this) && next->isEnabled() ? next : button(QWizard::FinishButton);
    }
    start->setFocus(Qt::OtherFocusReason);
}

void CWizard::pageBecomesVisible(const QWizardPage& page) {
    // QWizard makes a page with a watermark as tall as the page and its
    // picture prefer, growing a window the user made smaller, unless the
    // sheet has a side widget: an empty one, on those pages only, keeps the
    // size the user chose (the picture is then cut at the bottom).
    const bool watermark = !page.pixmap(QWizard::WatermarkPixmap).isNull();
    if (watermark == (sideWidget() != nullptr)) {
        return;
    }
    if (besideWatermark_ == nullptr) {
        besideWatermark_ = new QWidget(this);
        besideWatermark_->setFixedSize(0, 0);
    }
    setSideWidget(watermark ? besideWatermark_ : nullptr);
}

void CWizard::goBack() {
    CWizardPage* current = wizardPage(currentId());
    if (current == nullptr || current->store(false)) {
        back();
    }
}

void CWizard::customButton(int which) {
    if (which == OPEN_BUTTON && currentId() == OpenFilePage) {
        openFilePage()->open();
    } else if (which == ABOUT_BUTTON) {
        showAbout();
    }
}

void CWizard::showAbout() {
    QMessageBox::about(this, QStringLiteral("About ") + QString::fromUtf8(PROGRAM_TITLE),
                       AboutText());
}

void CWizard::showTools() {
    CToolsDialog dialog(context_, this);
    dialog.exec();
}

void CWizard::showHelp() {
    Launcher& launcher = context_.launcher;
    const int result = launcher.OpenManual(context_.manualPath, HelpSection(currentId()));
    if (result <= SHELL_DLL_NOT_FOUND) {
        context_.prompts.showMessage(
            MANUAL_NOT_OPENED + DisplayPath(context_.manualPath) + "\n\n" + ShellErrorText(result),
            MessageIcon::Exclamation);
    }
}

void CWizard::bringToFront() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void CWizard::openTemplateFile(const QString& path) {
    const std::string shown = DisplayPath(path.toLocal8Bit().toStdString());
    const char* busy = generatePage()->isRunning()         ? "a block is being generated"
                       : finishPage()->isRunningTool()     ? "it is waiting for a program"
                       : QApplication::activeModalWidget() ? "a dialog is open"
                                                           : nullptr;
    if (busy != nullptr) {
        context_.prompts.showMessage(shown + " was not opened: " + busy +
                                         ". Open it with Open on the first page once that is done.",
                                     MessageIcon::Exclamation);
        return;
    }
    // The fields of the page in hand count as typed, as for Cancel.
    if (CWizardPage* current = wizardPage(currentId())) {
        current->store(false);
    }
    if (!mayDiscardChanges()) {
        return;
    }
    if (currentId() != OpenFilePage) {
        restart();
    }
    openFilePage()->openFile(path.toLocal8Bit().toStdString());
}

void CWizard::reject() {
    if (generatePage()->isRunning()) {
        return;  // a run ends by itself, on the completion page
    }
    if (finishPage()->isRunningTool()) {
        finishPage()->cancelTool();  // Escape stops the program, and the wizard stays
        return;
    }
    // The fields of the page in hand count as typed, as Back would store
    // them; one that cannot be stored is not refused first, only asked about.
    bool unstored = false;
    if (CWizardPage* current = wizardPage(currentId())) {
        unstored = !current->storeQuietly();
    }
    if (mayDiscardChanges(unstored)) {
        QWizard::reject();
    }
}

bool CWizard::mayDiscardChanges(bool pagesHoldEdits) {
    for (int id = 0; id < PAGE_COUNT; ++id) {
        pagesHoldEdits = pagesHoldEdits || wizardPage(id)->holdsUnstoredEdits();
    }
    return context_.MayDiscardChanges(pagesHoldEdits);
}

void CWizard::showEvent(QShowEvent* event) {
    QWizard::showEvent(event);
    installSystemMenu();
    // Before the sheet first showed, its buttons could not take the focus:
    // it went to a button of the page or of the window (About, Help).
    const CWizardPage* page = wizardPage(currentId());
    if (page != nullptr && !HoldsStartFocus(*page, focusWidget())) {
        focusPageStart(*page);
    }
}

bool CWizard::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    if (context_.systemMenu != nullptr && context_.systemMenu->chosen(eventType, message)) {
        *result = 0;
        return true;
    }
    return QWizard::nativeEvent(eventType, message, result);
}

void CWizard::installSystemMenu() {
    if (systemMenuInstalled_ || context_.systemMenu == nullptr) {
        return;
    }
    context_.systemMenu->addCommands(
        *this, [this] { showAbout(); }, [this] { showTools(); });
    systemMenuInstalled_ = true;
}

}  // namespace bw
