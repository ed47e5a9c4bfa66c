#include "check/output_paths.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "check/checker.h"
#include "files/block_folder.h"
#include "files/folder_lock.h"
#include "files/path_text.h"
#include "files/root_folder.h"
#include "generation/paths.h"
#include "run/file_set.h"

namespace bw {

using check::Quoted;

namespace {

// The longest file name an output may have: file systems take 255, and its
// temporary and the copies kept in KRSave add up to about 40 to it.
constexpr size_t LONGEST_OUTPUT_NAME = 200;

// The path as Windows compares it: separators alike, letters in one case.
// The block is built on Windows, so two names that differ only in case are
// one file there wherever the files were generated.
std::string Folded(std::string_view path) {
    std::string folded(path);
    for (char& c : folded) {
        c = IsSeparator(c) ? '/' : static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return folded;
}

std::string NameOf(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// The key whose value names the file.
struct Origin {
    const char* key;
    const char* what;
    const std::string* value;
};

Origin OriginOf(const BlockFile& file, const BLOCKINFO& block) {
    if (file.kind == FileKind::StockCopy && file.stockFile.ends_with(".ico")) {
        return {"Icon Filename", "icon file name", &block.IconFilename};
    }
    if (file.path.ends_with(".pjt") && block.xDAIS != 0) {
        return {"Algorithm Name", "algorithm name", &block.AlgorithmName};
    }
    return {"Block Name", "block file name", &block.BlockName};
}

// Of two files that meet, the one whose name the definition chose more
// freely: an icon before an algorithm before the block name.
Origin Culprit(const BlockFile& a, const BlockFile& b, const BLOCKINFO& block) {
    const Origin first = OriginOf(a, block);
    const Origin second = OriginOf(b, block);
    return std::string_view(first.key) == "Block Name" ? second : first;
}

Finding PathError(const Origin& origin, std::string message) {
    return {Severity::Error, DefinitionPage::Files, -1, origin.key, std::move(message)};
}

void CheckDirectory(const BLOCKINFO& block, std::vector<Finding>& findings) {
    const Origin directory{"Directory", "block directory", &block.Directory};
    if (block.Directory.empty()) {
        findings.push_back(PathError(directory,
                                     "The block directory is empty, so it names no folder to write "
                                     "the block's files to. Please give the block's folder."));
        return;
    }
    // Judged as the run judges it: "/tpl/..", "/." and a relative folder
    // that climbs to the top name the root as "/" does.
    if (NamesRootFolderHere(block.Directory)) {
        findings.push_back(PathError(directory, "The block directory " + Quoted(block.Directory) +
                                                    " is a root folder, which is never a block's "
                                                    "folder. Please give the block a folder of "
                                                    "its own."));
    }
}

// The names Windows keeps for its devices, whatever their extension or case:
// "CON.c" is the console there, not a file.
bool IsWindowsDeviceName(const std::string& name) {
    std::string stem = Folded(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') {
        stem.pop_back();
    }
    for (const char* device : {"con", "prn", "aux", "nul", "conin$", "conout$"}) {
        if (stem == device) {
            return true;
        }
    }
    // COM0 to COM9 and LPT0 to LPT9, and with a superscript 1, 2 or 3.
    const bool port = stem.starts_with("com") || stem.starts_with("lpt");
    const std::string_view number = std::string_view(stem).substr(port ? 3 : stem.size());
    return port && ((number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
                    number == "\xc2\xb9" || number == "\xc2\xb2" || number == "\xc2\xb3");
}

// Windows drops the dots and blanks a name ends with: "Gain.c." is "Gain.c"
// there.
bool EndsWithDotOrBlank(const std::string& name) {
    return !name.empty() && (name.back() == '.' || name.back() == ' ');
}

// A name the run takes for its own: a temporary, its backups' folder, the
// folder lock.
bool IsRunsOwnName(const std::string& name) {
    return BlockFolder::IsTemporaryName(name) || Folded(name) == "krsave" ||
           Folded(name) == Folded(FolderLock::FILE_NAME);
}

// What Windows, where the block is built, makes of a name: one that is not
// a file of its own there. Said once for each key.
std::string WindowsNameFault(const Origin& origin, const std::string& name) {
    const std::string start = "The " + std::string(origin.what) + " " + Quoted(*origin.value) +
                              " gives a file the name " + Quoted(name) + ", which ";
    if (name == "." || name == "..") {
        return {};  // a folder's name, refused as such
    }
    if (EndsWithDotOrBlank(name)) {
        std::string kept = name;
        while (EndsWithDotOrBlank(kept)) {
            kept.pop_back();
        }
        return start + "Windows, where the block is built, takes for " + Quoted(kept) +
               ": it drops the dots and blanks a name ends with. Please end the name otherwise.";
    }
    if (IsWindowsDeviceName(name)) {
        return start +
               "Windows, where the block is built, keeps for a device: no file of that name can "
               "be made there. Please choose another name.";
    }
    return {};
}

void CheckNames(const std::vector<BlockFile>& files, const BLOCKINFO& block,
                std::vector<Finding>& findings) {
    std::set<std::string> windowsFaults;  // the keys already reported
    for (const BlockFile& file : files) {
        const Origin origin = OriginOf(file, block);
        const std::string name = NameOf(file.path);
        if (std::string fault = WindowsNameFault(origin, name); !fault.empty()) {
            if (windowsFaults.insert(origin.key).second) {
                findings.push_back(PathError(origin, std::move(fault)));
            }
            continue;
        }
        if (name.size() > LONGEST_OUTPUT_NAME) {
            findings.push_back(PathError(
                origin, "The " + std::string(origin.what) + " makes the file name " +
                            Quoted(name.substr(0, 40) + "...") + " " + std::to_string(name.size()) +
                            " characters long; file names of the " + "block may have at most " +
                            std::to_string(LONGEST_OUTPUT_NAME) + "."));
        } else if (name == "." || name == "..") {
            findings.push_back(
                PathError(origin, "The " + std::string(origin.what) + " " + Quoted(*origin.value) +
                                      " names a folder, not a file. Please give the file a name."));
        } else if (IsRunsOwnName(name)) {
            findings.push_back(PathError(
                origin, "The " + std::string(origin.what) + " " + Quoted(*origin.value) +
                            " gives a file the name " + Quoted(name) +
                            ", which Blockwright keeps for its own files in the block's folder."));
        }
    }
}

void CheckCollisions(const std::vector<BlockFile>& files, const BLOCKINFO& block,
                     std::vector<Finding>& findings) {
    std::map<std::string, const BlockFile*> paths;
    for (const BlockFile& file : files) {
        const auto [it, added] = paths.emplace(Folded(file.path), &file);
        if (added) {
            continue;
        }
        const BlockFile* other = it->second;
        const Origin origin = Culprit(*other, file, block);
        const std::string shown = NativePath(file.path);
        const std::string otherShown = NativePath(other->path);
        findings.push_back(PathError(
            origin, "The " + std::string(origin.what) + " " + Quoted(*origin.value) +
                        (shown == otherShown
                             ? " makes two of the block's files " + shown + ", one over the other."
                             : " makes " + otherShown + " and " + shown +
                                   " one file on Windows, where names that differ only in case "
                                   "are the same.") +
                        " Please give each file a name of its own."));
    }
}

}  // namespace

std::vector<Finding> CheckOutputPaths(const BLOCKINFO& block) {
    std::vector<Finding> findings;
    CheckDirectory(block, findings);
    const std::vector<BlockFile> files = RunFileSet(block);
    CheckNames(files, block, findings);
    CheckCollisions(files, block, findings);
    return findings;
}

std::vector<Finding> WithOutputPathFindings(std::vector<Finding> findings,
                                            const std::vector<Finding>& outputPaths) {
    // Before the first finding of a later page, of the file page's warnings,
    // or of the template reader's notes (warnings at the end).
    const auto after = std::find_if(findings.begin(), findings.end(), [](const Finding& f) {
        const bool warning = f.severity == Severity::Warning;
        return f.page > DefinitionPage::Files ||
               (warning && (f.page == DefinitionPage::Files || f.page == DefinitionPage::Template));
    });
    findings.insert(after, outputPaths.begin(), outputPaths.end());
    return findings;
}

}  // namespace bw
