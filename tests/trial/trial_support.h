#pragma once

// What the tests of a try share: a generated block in a folder of its own,
// and that folder's every byte, to tell that a try left it alone.

#include <map>
#include <string>

namespace bw {

// Generates the template at templatePath into folder (made as needed);
// gives what went wrong, empty when nothing did.
std::string GenerateBlock(const std::string& templatePath, const std::string& folder);

// Every file below folder, by its path there, with its bytes.
std::map<std::string, std::string> FolderBytes(const std::string& folder);

}  // namespace bw
