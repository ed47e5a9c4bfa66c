#pragma once

#include <string>

#include "definition/seams.h"

namespace bw {

// The application settings: one section, string values.
namespace setting {

inline constexpr const char* SECTION = "Settings";

// Value names. The working directory is an installer's value; the directories,
// company and vendor are remembered by each generation run as the next new
// block's defaults; "Open Directory" is where the Open dialog starts.
inline constexpr const char* WORKING_DIRECTORY = "Working Directory";
inline constexpr const char* BLOCK_DIRECTORY = "Block Directory";
inline constexpr const char* LIB_DIRECTORY = "Lib Directory";
inline constexpr const char* INCLUDE_DIRECTORY = "Include Directory";
inline constexpr const char* REVISION = "Revision";
inline constexpr const char* COMPANY_NAME = "Company Name";
inline constexpr const char* VENDOR_NAME = "Vendor Name";
inline constexpr const char* OPEN_DIRECTORY = "Open Directory";
// The generate page's "Also write a CMake project": "1" ticked, "0" (the
// default) not.
inline constexpr const char* CMAKE_PROJECT = "CMake Project";

// Defaults of the values that do not default to the working directory.
inline constexpr const char* DEFAULT_REVISION = "4.00";
inline constexpr const char* DEFAULT_COMPANY_NAME = "Calderic, Inc.";
inline constexpr const char* DEFAULT_VENDOR_NAME = "";

}  // namespace setting

// The folders a new block starts with: where its own folder goes ("Block
// Directory") and where the host's link libraries and headers are ("Lib
// Directory", "Include Directory"). Each ends in a separator.
struct FolderDefaults {
    std::string block;
    std::string library;
    std::string include;
};

// What the system tells about the user and the host.
struct UserFolders {
    std::string documents;  // the user's documents folder, else the home folder; may be empty
    std::string host;       // where the host is installed, as its own settings tell; may be empty
};

// The folder, below the user's documents, that new blocks go into.
inline constexpr const char* BLOCKS_FOLDER = "Blockwright";
// The last name of the folder that stands in for the host's libraries and
// headers while nobody has said where the host is: named for what is missing,
// so that a build that fails there says what to set.
inline constexpr const char* UNSET_HOST_FOLDER = "host-sdk-not-set";

// When the settings name no folders: new blocks go into BLOCKS_FOLDER in the
// user's documents, and the host's libraries and headers are looked for in
// the host's folder, or in the stand-in folder beside the blocks when the
// host's folder is not known. Never the program's own folder: an installed
// program's folder is neither writable nor the host's.
FolderDefaults DefaultFolders(const UserFolders& user);

// The folders of a new block: each setting's value, else its default.
FolderDefaults NewBlockFolders(const SettingsStore& settings, const FolderDefaults& defaults);

// True when path is the stand-in for the host's folder (its last name is
// UNSET_HOST_FOLDER): a block whose projects would look for the host there.
bool IsUnsetHostFolder(const std::string& path);

// The program's working directory (stock icons and bitmaps): the "Working
// Directory" setting, else programFolder (the folder of the executable),
// always ending in a separator ("/" appended when it ends in neither "/" nor "\").
std::string WorkingDirectory(const SettingsStore& settings, const std::string& programFolder);

}  // namespace bw
