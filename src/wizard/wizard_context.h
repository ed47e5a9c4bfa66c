#pragma once

// What every wizard page reaches: the one block definition (owned by the
// start-up code for the whole run), the settings, the person at the keyboard,
// the file dialogs, the launcher and the host's catalogue. The program's
// start-up wires the concrete ones; tests build it with scripted ones.

#include <functional>
#include <optional>
#include <string>

#include "definition/block_info.h"
#include "definition/edit_rules.h"
#include "definition/host_catalogue.h"
#include "definition/seams.h"
#include "definition/template_file.h"
#include "launch/launcher.h"
#include "trial/trial.h"

class QByteArray;
class QString;
class QWidget;

namespace bw {

// The platform's file and folder choosers, behind a seam so that tests can
// script what the user picks.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The Open dialog for templates: "Templates (*.tbt)", default extension
    // "tbt", the file must exist. The chosen file's path, or nothing on Cancel.
    virtual std::optional<std::string> openTemplate(QWidget* parent,
                                                    const std::string& startFolder) = 0;
    // A folder chooser with the given title, starting at startFolder. The
    // chosen folder, or nothing on Cancel.
    virtual std::optional<std::string> chooseFolder(QWidget* parent, const QString& title,
                                                    const std::string& startFolder) = 0;
    // A file chooser for a program, with the given title, starting at
    // startFolder. The chosen file, or nothing on Cancel.
    virtual std::optional<std::string> chooseProgram(QWidget* parent, const QString& title,
                                                     const std::string& startFolder) = 0;
};

// The window's system menu, where the platform gives windows one: About and
// Tools are offered there, and the sheet shows no About button.
class SystemMenu {
public:
    virtual ~SystemMenu() = default;
    // Adds the two commands to window's menu; each calls its function when
    // chosen. Called once the window exists (the sheet is shown).
    virtual void addCommands(QWidget& window, std::function<void()> about,
                             std::function<void()> tools) = 0;
    // Given each of the window's native events first: true when it was the
    // choice of a command, which has then run.
    virtual bool chosen(const QByteArray& eventType, void* message) = 0;
};

// How the block being edited began, set by the first page: "&New >" or an
// opened template, and how many blocks have begun, so that a page keeping its
// own copies of the definition can tell that another block has begun since.
struct BlockOrigin {
    bool fromTemplate = false;
    int started = 0;  // none until the first page has been left

    void begin(bool opened) {
        fromTemplate = opened;
        ++started;
    }
};

struct WizardContext {
    BLOCKINFO& block;
    SettingsStore& settings;
    UserPrompts& prompts;
    FileDialogs& dialogs;
    const Clock& clock;
    // Starts the build tools and opens files from the completion page.
    Launcher& launcher;
    // The program's working directory (stock icons, bitmaps), ending in a separator.
    std::string workingDirectory;
    // The application's settings directory (the "_rtparam.ini" record).
    std::string settingsDirectory;
    // The host's library catalogue, asked for when the names page is first
    // shown; without one the lists start empty.
    std::function<HostCatalogue()> readCatalogue = {};
    BlockOrigin origin;
    // The definition as it was last opened, created or saved by a run, as
    // template text: leaving the wizard or beginning another block asks first
    // when the definition has changed since.
    std::string savedTemplate = {};
    // Where a new block's folders go when the settings name none.
    FolderDefaults newBlockFolders = {};
    // Asks the discard question; the program's asks with "No" (keep working)
    // as the default button. Without one, prompts asks it.
    std::function<bool(const std::string& question)> askToDiscard = {};
    // The manual installed with the program (HTML), which F1 and Help open.
    std::string manualPath = {};
    // The program's installed stock folder, with its examples: a template
    // opened there puts its block among the user's new blocks.
    std::string installedFolder = {};
    // Asks before a tool's start sets up something large (Wine's folder);
    // the program's has No as its default. Without one, prompts asks it.
    std::function<bool(const std::string& question)> askBeforeSetUp = {};
    // True where the Windows tools run through Wine: the Tools dialog then
    // offers Wine's folder too.
    bool toolsRunThroughWine = false;
    // The platform's system menu; without one the sheet has an About button.
    SystemMenu* systemMenu = nullptr;
    // Tries the block as it stands on disk (see trial/trial.h), on a thread
    // of its own: it must reach nothing of the window's. The program's builds
    // the block against the installed stand-in host in a scratch folder; the
    // wizard fills in only the environment's progress. Without one the
    // completion page offers no try.
    std::function<TrialResult(const TrialRequest&, const TrialEnvironment&)> tryBlock = {};

    // The definition back to a new block, defaults from the settings.
    void ResetBlock() { block.Reset(settings, newBlockFolders); }
    void MarkUnchanged() { savedTemplate = StoredText(block); }
    bool Changed() const { return StoredText(block) != savedTemplate; }
    // True when the definition is unchanged (and no page holds edits not yet
    // stored in it) or the user agrees to discard its changes ("Discard the
    // changes to block NAME?").
    bool MayDiscardChanges(bool pagesHoldEdits = false) {
        if (!pagesHoldEdits && !Changed()) {
            return true;
        }
        const std::string question = DiscardQuestion(block);
        return askToDiscard ? askToDiscard(question)
                            : prompts.askYesNo(question, MessageIcon::Question);
    }

    // The definition's template text once the pages have stored it: what
    // they derive by themselves (the chip, the block type) is no change of the user's.
    static std::string StoredText(const BLOCKINFO& definition) {
        BLOCKINFO stored = definition;
        ApplyWizardPageStores(stored);
        return TemplateText(stored);
    }

    static std::string DiscardQuestion(const BLOCKINFO& changed) {
        return changed.BlockName.empty()
                   ? std::string("Discard the changes to the new block?")
                   : "Discard the changes to block " + changed.BlockName + "?";
    }
};

}  // namespace bw
