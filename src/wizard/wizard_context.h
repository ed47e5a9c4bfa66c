#pragma once

// What every wizard page reaches: the one block definition (owned by the
// start-up code for the whole run), the settings, the person at the keyboard,
// the file dialogs, the launcher and the host's catalogue. The program's
// start-up wires the concrete ones; tests build it with scripted ones.

#include <functional>
#include <optional>
#include <string>

#include "definition/block_info.h"
#include "definition/seams.h"
#include "launch/launcher.h"
#include "wizard/host_catalogue.h"

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

    // The definition back to a new block, defaults from the settings.
    void ResetBlock() { block.Reset(settings, workingDirectory); }
};

}  // namespace bw
