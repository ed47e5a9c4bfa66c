#pragma once

// What the completion page does with its two buttons and a double-click:
// build the block with NMAKE or open it in the Visual C++ IDE, open the DSP
// project in Code Composer Studio, open a generated file in the text editor.

#include <functional>
#include <string>

#include "definition/block_info.h"
#include "definition/seams.h"
#include "launch/launcher.h"

namespace bw {

namespace setting {
// The full path of MSDEV.EXE (the Visual C++ IDE); the Visual Studio root is
// cut from it. Stands where Windows keeps the "App Paths" entry of msdev.exe.
inline constexpr const char* MSDEV_PATH = "MSDev Path";
// The Code Composer Studio program driven by our automation layer.
inline constexpr const char* CODE_COMPOSER_PATH = "Code Composer Path";
// Where Wine keeps the Windows tools on Linux (its prefix); empty: the one
// WINEPREFIX names, else ~/.wine.
inline constexpr const char* WINE_PREFIX = "Wine Prefix";
}  // namespace setting

// The Visual Studio root V: path cut four times before its last separator
// ("\" or "/"), each cut skipped when none is left. An MSDEV.EXE in the
// Common\MSDev98\Bin folder of an installation yields the installation root.
std::string VisualStudioRoot(const std::string& msdevPath);

// The block directory D: `Directory` ending in a separator.
std::string BlockDirectory(const BLOCKINFO& block);

// "\"" + V + "\VC98\Bin\NMAKE.EXE\" /f \"" + BlockName + ".mak\"".
std::string NmakeCommandLine(const std::string& root, const BLOCKINFO& block);

// The build's whole environment: MSDevDir, MSVCDir, PATH, INCLUDE (ending with
// the block's IncludePath) and LIB, each line followed by a zero byte.
// windowsDirectory ends in a separator.
std::string BuildEnvironmentBlock(const std::string& root, const std::string& windowsDirectory,
                                  const BLOCKINFO& block);

// The IDE's command line: the workspace, and the user source of a PC-only block.
std::string IdeCommandLine(const std::string& msdevPath, const BLOCKINFO& block);

// The Code Composer project: D + "DSPCode\" + (AlgorithmName or BlockName) + ".pjt".
std::string DspProjectPath(const BLOCKINFO& block);
// The CPU family text of the block's `Chip`; empty for an unknown chip.
std::string CpuFamilyText(int chip);

// The two file trees of the completion page.
enum class FileTree { PcSide, DspSide };

// The file a tree item names: D, "DSPCODE\" for the DSP side, the parent's
// text + "\" unless the parent is the tree's root item (parentText empty),
// then the item's text. The grouping folders "Source Files", "Header Files"
// and "Resource Files" name no directory (their files lie beside them), so
// they count as the root.
std::string FileItemPath(const BLOCKINFO& block, FileTree tree, const std::string& parentText,
                         const std::string& itemText);

// The text the table gives for a failed shell result (32 or less).
std::string ShellErrorText(int result);

// What the completion page needs to start the tools.
struct LaunchServices {
    SettingsStore& settings;
    UserPrompts& prompts;
    Launcher& launcher;
    // Called between the build's wait steps: shows the wait cursor and lets
    // the window repaint.
    std::function<void()> pump;
    // W: stands for the Windows directory (the application's settings folder).
    std::string windowsDirectory;
    // The status line: which program is waited for and what it last wrote
    // (empty: the wait is over). Optional.
    std::function<void(const std::string& status)> showStatus = {};
    // Asked between the wait steps: true once the user has cancelled the
    // program waited for, which is then stopped. Optional.
    std::function<bool()> cancelled = {};
    // Asks before a start that would first set up something large (Wine's
    // folder); the wizard's has No as the default answer. Without one,
    // prompts asks.
    std::function<bool(const std::string& question)> askBeforeSetUp = {};
};

// Where the wizard sets the tools' settings, as messages name it.
inline constexpr const char* TOOLS_DIALOG_HINT =
    "Set it in the Tools dialog (the Tools button of the completion page)";

// The completion page's actions on one generated block.
class BuildAndLaunch {
public:
    BuildAndLaunch(const BLOCKINFO& block, LaunchServices services);

    // The Visual C++ button: builds a DSP-based block with NMAKE, and opens
    // the IDE for a PC-only one; every press does the same. A tool whose
    // setting is empty or names nothing is reported before anything starts.
    void PressVisualCpp();
    // Starts the IDE on the workspace without waiting for it.
    void StartIde();
    // The Code Composer button: opens the DSP project in Code Composer Studio.
    void OpenDspProject();
    // A double-click on a tree item; folders (items with children) are ignored.
    void OpenFileItem(FileTree tree, const std::string& parentText, const std::string& itemText,
                      bool hasChildren);

private:
    void BuildWithNmake();
    // Asks the launcher's first-start question, if it has one; false on No.
    bool MayStart(const ProcessStart& start);
    // Waits for a program, telling the status line what it last wrote.
    WaitEnd WaitShowingOutput(Process& process, const std::string& doing);
    void ShowStatus(const std::string& status);
    std::string WindowsDirectory() const;
    // Where a program that could not be started came from and how to point
    // its setting at it: "tried" is the program as started, expected what
    // the setting should name, field the Tools dialog's field that sets it.
    std::string LocateHint(const std::string& tried, const char* settingName, const char* expected,
                           const char* field) const;
    // False, after saying so, when the setting is empty or the program it
    // leads to is not there: nothing is asked or started then.
    bool ToolIsThere(const std::string& program, const char* settingName, const char* expected,
                     const char* field);

    const BLOCKINFO& block_;
    LaunchServices services_;
};

}  // namespace bw
