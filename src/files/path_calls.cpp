#include "files/path_calls.h"

#include <filesystem>
#include <system_error>

#include "files/block_folder.h"
#include "files/path_text.h"
#include "files/this_system.h"
#include "files/wide_text.h"

namespace bw {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::string bytes;
    if (!ReadRegularFile(path, LARGEST_FILE_READ, bytes)) {
        return std::nullopt;
    }
    return bytes;
}

std::string FirstNameIgnoringCase(const std::vector<std::string>& names, const std::string& name) {
    const std::string* first = nullptr;
    for (const std::string& candidate : names) {
        if (EqualIgnoringAsciiCase(candidate, name) && (first == nullptr || candidate < *first)) {
            first = &candidate;
        }
    }
    return first != nullptr ? *first : name;
}

std::string NameAsFolderHasIt(const std::string& folder, const std::string& name) {
    std::error_code ec;
    if (FILE_NAMES_IGNORE_CASE || name == "." || name == ".." ||
        std::filesystem::exists(FileSystemPath(folder + name), ec)) {
        return name;
    }
    // A search runs for every file a run writes anew, and needs the names only.
    std::vector<std::string> names;
    for (std::filesystem::directory_iterator entry(FileSystemPath(folder.empty() ? "." : folder),
                                                   ec);
         !ec && entry != std::filesystem::directory_iterator(); entry.increment(ec)) {
        names.push_back(PathText(entry->path().filename()));
    }
    return FirstNameIgnoringCase(names, name);
}

}  // namespace bw
