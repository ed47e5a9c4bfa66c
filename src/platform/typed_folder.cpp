#include "platform/typed_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/path_text.h"
#include "files/wide_text.h"
#include "generation/paths.h"

namespace bw {

std::string UnknownHomeUser(std::string_view typed, const HomeFolderLookup& homeFolder) {
    if (typed.size() < 2 || typed.front() != '~' || IsSeparator(typed[1])) {
        return {};
    }
    size_t end = 1;
    while (end < typed.size() && !IsSeparator(typed[end])) {
        ++end;
    }
    const std::string user(typed.substr(1, end - 1));
    return homeFolder("") && !homeFolder(user) ? user : std::string();
}

std::string UnknownHomeUserMessage(std::string_view typed, const std::string& user) {
    return "there is no user \"" + user + "\" for " + std::string(typed) +
           " (\"~name\" stands for that user's home folder)";
}

std::string ExpandHomeFolder(std::string_view typed, const HomeFolderLookup& homeFolder) {
    if (typed.empty() || typed.front() != '~') {
        return std::string(typed);
    }
    size_t end = 1;
    while (end < typed.size() && !IsSeparator(typed[end])) {
        ++end;
    }
    const std::optional<std::string> home = homeFolder(std::string(typed.substr(1, end - 1)));
    if (!home) {
        return std::string(typed);  // as a shell leaves "~nobody-here"
    }
    std::string expanded = *home;
    // "~/x" on a home of "/": one separator, not two.
    if (end < typed.size() && !expanded.empty() && IsSeparator(expanded.back())) {
        expanded.pop_back();
    }
    return expanded + std::string(typed.substr(end));
}

std::string AbsoluteFolder(std::string_view typed, const std::string& currentFolder,
                           const HomeFolderLookup& homeFolder) {
    const std::string expanded = ExpandHomeFolder(typed, homeFolder);
    if (expanded.empty() || IsSeparator(expanded.front()) || IsForeignPath(expanded) ||
        HasDriveLetter(expanded) || currentFolder.empty()) {
        return expanded;
    }
    std::string folder = currentFolder;
    if (!IsSeparator(folder.back())) {
        folder += RUNNING_ON_WINDOWS ? '\\' : '/';
    }
    return ResolveAgainst(folder, expanded);
}

std::string CurrentFolder() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : PathText(current);
}

}  // namespace bw
