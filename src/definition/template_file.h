#pragma once

#include <string>
#include <string_view>

#include "definition/block_info.h"
#include "definition/profile_file.h"
#include "definition/seams.h"

namespace bw {

// The section a template is written under: the program's title.
inline constexpr const char* TEMPLATE_SECTION = "Tessaline Blockwright";
inline constexpr const char* INVALID_TEMPLATE_MESSAGE = "Invalid (or read only) Template file.";

// The lines of the template's section for this definition: two definitions
// with the same text save the same template.
std::string TemplateText(const BLOCKINFO& block);

// Writes the definition as a template at path (a path on this file system),
// replacing the template's section and dropping the "Files" section; other
// sections stay. False when the file could not be written.
bool WriteTemplate(const BLOCKINFO& block, const std::string& path);
// The bytes WriteTemplate would leave in place of a file that holds
// existing (empty for none), without writing anything.
std::string TemplateTextOver(const BLOCKINFO& block, std::string_view existing);

// Reads a template over a freshly reset definition. A file without an accepted
// section shows INVALID_TEMPLATE_MESSAGE and returns false, leaving the
// definition unchanged.
bool ReadTemplate(BLOCKINFO& block, const std::string& path, UserPrompts& prompts);
// The same over a profile already in memory.
bool ReadTemplate(BLOCKINFO& block, const ProfileFile& profile, UserPrompts& prompts);

}  // namespace bw
