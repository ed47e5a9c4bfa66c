#include "platform/typed_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "generation/paths.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>

#include <vector>
#endif

namespace bw {

namespace {

bool IsPathSeparator(char c) {
    return c == '/' || c == '\\';
}

}  // namespace

std::optional<std::string> SystemHomeFolder(const std::string& user) {
#ifdef _WIN32
    (void)user;
    return std::nullopt;
#else
    if (user.empty()) {
        if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
            return std::string(home);
        }
    }
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    const int failed = user.empty()
                           ? getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found)
                           : getpwnam_r(user.c_str(), &entry, buffer.data(), buffer.size(), &found);
    if (failed != 0 || found == nullptr || found->pw_dir == nullptr) {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
#endif
}

std::string UnknownHomeUser(std::string_view typed, const HomeFolderLookup& homeFolder) {
    if (typed.size() < 2 || typed.front() != '~' || IsPathSeparator(typed[1])) {
        return {};
    }
    size_t end = 1;
    while (end < typed.size() && !IsPathSeparator(typed[end])) {
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
    while (end < typed.size() && !IsPathSeparator(typed[end])) {
        ++end;
    }
    const std::optional<std::string> home = homeFolder(std::string(typed.substr(1, end - 1)));
    if (!home) {
        return std::string(typed);  // as a shell leaves "~nobody-here"
    }
    std::string expanded = *home;
    // "~/x" on a home of "/": one separator, not two.
    if (end < typed.size() && !expanded.empty() && IsPathSeparator(expanded.back())) {
        expanded.pop_back();
    }
    return expanded + std::string(typed.substr(end));
}

std::string AbsoluteFolder(std::string_view typed, const std::string& currentFolder,
                           const HomeFolderLookup& homeFolder) {
    const std::string expanded = ExpandHomeFolder(typed, homeFolder);
    if (expanded.empty() || IsPathSeparator(expanded.front()) || IsForeignPath(expanded) ||
        HasDriveLetter(expanded) || currentFolder.empty()) {
        return expanded;
    }
    std::string folder = currentFolder;
    if (!IsPathSeparator(folder.back())) {
        folder += RUNNING_ON_WINDOWS ? '\\' : '/';
    }
    return ResolveAgainst(folder, expanded);
}

std::string CurrentFolder() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : current.string();
}

}  // namespace bw
