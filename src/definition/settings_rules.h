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

// The program's working directory (stock icons and bitmaps): the "Working
// Directory" setting, else programFolder (the folder of the executable),
// always ending in a separator ("/" appended when it ends in neither "/" nor "\").
std::string WorkingDirectory(const SettingsStore& settings, const std::string& programFolder);

}  // namespace bw
