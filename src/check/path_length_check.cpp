#include "check/path_length_check.h"

#include "check/checker.h"
#include "generation/overwrite.h"
#include "generation/paths.h"
#include "run/file_set.h"

namespace bw {

using check::Quoted;

namespace {

// What a kept section's file adds to the name of the file it comes from:
// ".<yyyymmdd-hhmmss>.orphaned", with "-<n>" when one of that second exists.
constexpr const char* KEPT_SECTIONS_SUFFIX = ".yyyymmdd-hhmmss-nn.orphaned";
constexpr const char* TEMPORARY_SUFFIX = ".tmp~";

// Every path a run may write, relative to the block's folder, "\" separating.
std::vector<std::string> WrittenPaths(const BLOCKINFO& block) {
    std::vector<std::string> paths;
    for (const BlockFile& file : RunFileSet(block)) {
        const size_t folderEnd = file.path.rfind('\\') + 1;  // 0 in the block's folder
        const std::string backup =
            file.path.substr(0, folderEnd) + BACKUP_FOLDER + "\\" + file.path.substr(folderEnd);
        paths.push_back(file.path);
        paths.push_back(file.path + TEMPORARY_SUFFIX);
        paths.push_back(backup);
        // The user source and the block header keep the sections they
        // cannot carry over.
        if (file.path == block.BlockName + ".c" || file.path == block.BlockName + ".h") {
            paths.push_back(backup + KEPT_SECTIONS_SUFFIX);
        }
    }
    return paths;
}

std::vector<std::string> Names(const std::string& path) {
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t bar = path.find('\\'); bar != std::string::npos; bar = path.find('\\', start)) {
        names.push_back(path.substr(start, bar - start));
        start = bar + 1;
    }
    names.push_back(path.substr(start));
    return names;
}

// The name that makes a path long: the algorithm's where only it is in the
// path, otherwise the block's.
struct Blamed {
    DefinitionPage page;
    const char* key;
    const char* what;
};

Blamed BlameFor(const BLOCKINFO& block, const std::string& path) {
    const bool algorithm = block.xDAIS != 0 && !block.AlgorithmName.empty() &&
                           path.find(block.AlgorithmName) != std::string::npos &&
                           path.find(block.BlockName) == std::string::npos;
    if (algorithm) {
        return {DefinitionPage::Data, "Algorithm Name", "algorithm name"};
    }
    return {DefinitionPage::Files, "Block Name", "block name"};
}

Finding Refused(const Blamed& blamed, std::string message) {
    return {Severity::Error, blamed.page, -1, blamed.key, std::move(message)};
}

std::string Characters(size_t count) {
    return std::to_string(count) + " characters";
}

}  // namespace

std::vector<Finding> CheckPathLengths(const BLOCKINFO& block, const std::string& folder,
                                      const PathLimits& limits) {
    if (folder.size() > limits.folder) {
        return {{Severity::Error, DefinitionPage::Files, -1, "Directory",
                 "The folder " + Quoted(DisplayPath(folder)) + " is " + Characters(folder.size()) +
                     " long, and this system takes at most " + Characters(limits.folder) +
                     " in a path to a folder."}};
    }
    std::string longestName;
    std::string longestPath;
    std::string longestFolder;
    for (const std::string& path : WrittenPaths(block)) {
        const std::vector<std::string> names = Names(path);
        for (const std::string& name : names) {
            if (name.size() > longestName.size()) {
                longestName = name;
            }
        }
        if (path.size() > longestPath.size()) {
            longestPath = path;
        }
        const std::string directory = path.substr(0, path.rfind('\\') + 1);
        if (directory.size() > longestFolder.size()) {
            longestFolder = directory;
        }
    }
    std::vector<Finding> findings;
    if (longestName.size() > limits.name) {
        const Blamed blamed = BlameFor(block, longestName);
        findings.push_back(
            Refused(blamed, "The " + std::string(blamed.what) + " makes the file name " +
                                Quoted(longestName) + " " + Characters(longestName.size()) +
                                " long, and this system takes at most " + Characters(limits.name) +
                                " in a file name.  Please choose a shorter " + blamed.what + "."));
    }
    const bool pathTooLong = folder.size() + longestPath.size() > limits.path;
    const bool folderTooLong = folder.size() + longestFolder.size() > limits.folder;
    if (pathTooLong || folderTooLong) {
        const std::string& path = pathTooLong ? longestPath : longestFolder;
        const size_t limit = pathTooLong ? limits.path : limits.folder;
        const Blamed blamed = BlameFor(block, path);
        findings.push_back(
            Refused(blamed, "The " + std::string(blamed.what) + " makes the path of " +
                                Quoted(DisplayPath(path)) + " in the folder " +
                                Quoted(DisplayPath(folder)) + " " +
                                Characters(folder.size() + path.size()) +
                                " long, and this system takes at most " + Characters(limit) +
                                " in " + (pathTooLong ? "a path to a file" : "a path to a folder") +
                                ".  Please choose a shorter " + blamed.what + " or folder."));
    }
    return findings;
}

std::vector<Finding> CheckPathLengths(const BLOCKINFO& block) {
    if (IsForeignPath(block.Directory)) {
        return {};  // the run says before anything that it names nothing here
    }
    return CheckPathLengths(block, AbsoluteFolder(block.Directory), PathLimitsAt(block.Directory));
}

}  // namespace bw
