#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "definition/profile_file.h"
#include "definition/seams.h"
#include "definition/settings_rules.h"

namespace bw {

// The names the settings are kept under: the maker's, and the program's.
inline constexpr const char* ORGANISATION = "Calderic";
inline constexpr const char* APPLICATION = "Tessaline Blockwright";

// The application's settings where the system keeps them, without Qt.
//
// On Windows: the registry, "Software\Calderic\Tessaline Blockwright\<section>"
// under HKEY_CURRENT_USER, then under HKEY_LOCAL_MACHINE; writes go to the
// user's key.
//
// Elsewhere: profile files named "Calderic/Tessaline Blockwright.conf", the
// user's in $XDG_CONFIG_HOME (~/.config by default) over one in each folder of
// $XDG_CONFIG_DIRS (/etc/xdg by default), the locations taken from the
// environment when the store is made. Keys and values are written escaped
// (spaces in names as "%20", backslashes and quotes escaped), the form the
// files installers and administrators write hold; hand-written plain lines
// read as well. Names are matched without regard to case, as in the registry.
// Writes reach the user's file, created when missing, through a temporary file
// and a rename, when the store is flushed or goes.
class NativeSettings : public SettingsStore {
public:
    NativeSettings();
    ~NativeSettings() override;
    NativeSettings(const NativeSettings&) = delete;
    NativeSettings& operator=(const NativeSettings&) = delete;

    std::string read(const std::string& section, const std::string& name,
                     const std::string& defaultValue) const override;
    void write(const std::string& section, const std::string& name,
               const std::string& value) override;

    // Saves what was written since the last flush; false when that failed.
    bool Flush();
    // Where the settings are looked up, user scope first: files, or registry keys.
    std::vector<std::string> Locations() const;

private:
    struct Scopes;
    std::unique_ptr<Scopes> scopes_;
};

// The folder of the user's settings, ending in a separator; made by whoever
// writes there first, not by naming it. The "_rtparam.ini" record of
// real-time blocks lives here.
std::string SettingsDirectory();

// The user's documents folder and the host's folder, for the folders a new
// block starts with. On Windows: "Documents" in the user's profile, and the
// program's folder when it holds the host's "Bddk.lib" (the program installed
// into the host's folder). Elsewhere: the XDG documents folder (else the home
// folder), and the "Working Directory" another product of the Calderic family
// names in its settings file beside this program's own, system-wide files
// first, the products taken in name order.
UserFolders FindUserFolders(const std::string& programFolder);

// Where the profile files are, on systems other than Windows (which has no
// such folders, and neither function):
// $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute.
std::string UserConfigFolder();
// The folders of $XDG_CONFIG_DIRS that are absolute, or /etc/xdg.
std::vector<std::string> SystemConfigFolders();

// A value of a settings file as stored under name: its escaped form first,
// then as written by hand; nothing when it is missing.
std::optional<std::string> ReadSettingsValue(const ProfileFile& file, const std::string& section,
                                             const std::string& name);

// The escaped forms of a settings file's names and values, and back.
std::string EscapeSettingsKey(const std::string& name);
std::string UnescapeSettingsKey(const std::string& key);
std::string EscapeSettingsValue(const std::string& value);
std::string UnescapeSettingsValue(const std::string& text);

}  // namespace bw
