#pragma once

// The wizard sheet: eleven pages in a fixed order, from opening a template to
// the completion page.
//
// How a page reaches what it needs: every page derives from CWizardPage
// (wizard_page.h) and is built with the sheet's WizardContext
// (wizard_context.h), which holds references to the one BLOCKINFO, the
// settings, the UserPrompts (message boxes in the program, scripted answers
// in tests), the FileDialogs (file and folder choosers, scripted in tests),
// the clock, and the working and settings directories. A page reads and
// writes the definition in place through block(), shows its messages through
// prompts(), and never talks to QMessageBox or QFileDialog directly.
//
// The page cycle: the sheet calls load() every time a page becomes current
// (forward or back), store(true) on Next and store(false) on Back; a store
// that returns false keeps the page current. setNextEnabled(false) leaves
// only Back usable (the sheet's "Back only" state).

#include <QPixmap>
#include <QStringList>
#include <QWizard>

#include "wizard/wizard_context.h"

namespace bw {

inline constexpr const char* PROGRAM_TITLE = "Tessaline Blockwright";
inline constexpr const char* PROGRAM_VERSION = "4.30.00";

class CWizardPage;
class COpenFile;
class CGenerate;
class CFinish;

// The pages, in their order; an id is the page's number counted from 0.
enum PageId {
    OpenFilePage,
    VisibleInfoPage,
    FileInfoPage,
    DataInfoPage,
    RevisionInfoPage,
    IOInfoPage,
    ParameterInfoPage,
    LocalArrayInfoPage,
    PersistantInfoPage,
    GeneratePage,
    FinishPage,
    PAGE_COUNT
};

// "%s (%d of %d)": the sheet title, the page's number from 1, the page count.
QString PageCaption(int id);

// The section of the manual that tells about page id: its anchor.
std::string HelpSection(int id);

class CWizard : public QWizard {
    Q_OBJECT

public:
    // headerPicture is shown in the header band of every page and as the
    // watermark of the first and last pages.
    CWizard(WizardContext& context, const QPixmap& headerPicture, QWidget* parent = nullptr);
    ~CWizard() override;

    CWizardPage* wizardPage(int id) const;
    COpenFile* openFilePage() const;
    CGenerate* generatePage() const;
    CFinish* finishPage() const;

    // True when nothing typed would be lost by beginning another block or
    // closing, or when the user agrees to discard it; pagesHoldEdits counts
    // as a change.
    bool mayDiscardChanges(bool pagesHoldEdits = false);

    // Called as a page is about to show, before the sheet lays it out.
    void pageBecomesVisible(const QWizardPage& page);

    // True when the window has a system menu that holds "&About ..." (where
    // it has none, a visible "&About" button takes its place).
    bool hasSystemMenu() const { return context_.systemMenu != nullptr; }

public slots:
    void showAbout();
    // The Tools dialog, from the completion page and the system menu.
    void showTools();
    // F1 and Help: the manual, at the section of the page in hand.
    void showHelp();
    // Brings the wizard to the front, restoring it when minimised.
    void bringToFront();
    // A template handed over by a later start (a double-clicked one): opened
    // on page 1 once the block in hand may be left (the discard question
    // asks when it has changes); while a run, a program or a dialog holds the
    // wizard, a message says why it is not opened.
    void openTemplateFile(const QString& path);
    // Cancel, Escape and the close box: ignored while a generation runs, and
    // stop the program the completion page waits for.
    void reject() override;

protected:
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
    void showEvent(QShowEvent* event) override;

private:
    void addPages();
    void pageShown(int id);
    // The focus where Return does the page's work (see CWizardPage::startFocus).
    void focusPageStart(const CWizardPage& page);
    void goBack();
    void customButton(int which);
    void installSystemMenu();

    WizardContext& context_;
    QStringList captions_;
    bool systemMenuInstalled_ = false;
    // Stands beside the watermark of pages that have one (see pageBecomesVisible).
    QWidget* besideWatermark_ = nullptr;
};

}  // namespace bw
