#pragma once

#include <QString>
#include <functional>

#include "launch/launcher.h"

namespace bw {

// The launcher seam on QProcess. Paths written as the definition writes them
// ("\" or "/" separating, components matched without regard to case) are made
// native here. A program whose name ends in ".exe" is a Windows program: it
// runs through Wine when Wine is installed, and directly otherwise.
//
// Given an environment block, a program gets that block and nothing else of
// ours; through Wine it also gets what Wine needs to find its prefix and
// display (HOME, USER, DISPLAY, WAYLAND_DISPLAY, XDG_RUNTIME_DIR and the WINE*
// variables that are set) and WINEPATH, the block's PATH, since Wine builds
// the Windows PATH from that.
class QtLauncher : public Launcher {
public:
    // Wine is looked up on PATH (not on Windows); locks live in the temporary folder.
    QtLauncher();

    std::unique_ptr<Process> Start(const ProcessStart& start, std::string& error) override;
    bool StartDetached(const ProcessStart& start, std::string& error) override;
    // Opens the file with QDesktopServices (xdg-open on Linux desktops).
    int OpenFile(const std::string& path, const std::string& directory) override;
    // Opens the folder with QDesktopServices (the desktop's file manager).
    int OpenFolder(const std::string& folder) override;
    // Opens the manual's file URL, its section as the fragment, with QDesktopServices.
    int OpenManual(const std::string& path, const std::string& section) override;
    std::string OpenerName() const override;
    // A lock file lockName + ".lock" in the lock folder that a live process holds.
    bool IsLockHeld(const std::string& lockName) override;
    // "Wine will set up its folder FOLDER, about 700 MB; continue?" while the
    // prefix is missing and start would run through Wine.
    std::string FirstStartQuestion(const ProcessStart& start) override;
    // A drive-letter path is looked for in Wine's prefix (its dosdevices
    // folder), where Wine runs the Windows tools.
    bool ProgramExists(const std::string& program) override;

    // The Wine program; empty: ".exe" programs are started directly.
    void setWineProgram(const QString& program) { wine_ = program; }
    void setLockDirectory(const QString& directory) { lockDirectory_ = directory; }
    // The Wine prefix the settings name, read at each start (the Tools
    // dialog may change it); empty: WINEPREFIX, else ~/.wine. Programs run
    // through Wine get it as their WINEPREFIX.
    void setPrefixSetting(std::function<std::string()> read) { prefixSetting_ = std::move(read); }
    QString winePrefix() const;

private:
    std::function<std::string()> prefixSetting_;
    QString wine_;
    QString lockDirectory_;
};

}  // namespace bw
