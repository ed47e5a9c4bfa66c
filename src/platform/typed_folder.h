#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

// A user's home folder by login name ("" for the user running the program),
// or nothing when there is no such user.
using HomeFolderLookup = std::function<std::optional<std::string>(const std::string& user)>;

// The system's answer: HOME for the running user, the password database for
// the others (nothing on Windows, where no shell expands "~").
std::optional<std::string> SystemHomeFolder(const std::string& user);

// A folder as a shell would take it, made absolute: a leading "~" or "~user"
// becomes that home folder (left as typed when the user is unknown), and a
// relative path is taken from currentFolder. Rooted, drive-letter and network
// paths and an empty text stay as they are.
std::string AbsoluteFolder(std::string_view typed, const std::string& currentFolder,
                           const HomeFolderLookup& homeFolder = SystemHomeFolder);

// The user a leading "~user" names when the system knows no such user (where
// it knows home folders at all); empty when typed names none or a known one.
// Such a folder is refused: taken literally it would be a folder named
// "~user" below the current one.
std::string UnknownHomeUser(std::string_view typed,
                            const HomeFolderLookup& homeFolder = SystemHomeFolder);

// What a refusal of such a folder says: "there is no user "NAME" for TYPED".
std::string UnknownHomeUserMessage(std::string_view typed, const std::string& user);

// Only the "~" and "~user" part: for paths the generated files keep relative.
std::string ExpandHomeFolder(std::string_view typed,
                             const HomeFolderLookup& homeFolder = SystemHomeFolder);

// The program's current folder, for AbsoluteFolder.
std::string CurrentFolder();

}  // namespace bw
