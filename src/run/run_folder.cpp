#include "run/run_folder.h"

#include <algorithm>
#include <set>

#include "generation/paths.h"

namespace bw {

namespace {

constexpr const char* BACKUP_FOLDER = "KRSave";

// The folder of a relative path ("" at the top) and its name.
std::pair<std::string, std::string> FolderAndName(const std::string& relative) {
    const size_t separator = relative.find_last_of("\\/");
    if (separator == std::string::npos) {
        return {"", relative};
    }
    return {relative.substr(0, separator), relative.substr(separator + 1)};
}

std::string Below(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

// Names this program gives the files it creates beside those it writes:
// temporaries, partial copies and orphan files.
bool IsRunsOwnName(std::string_view name) {
    return BlockFolder::IsTemporaryName(name) || name.ends_with(".orphaned");
}

template <typename Each>
void ForEachWritten(const std::vector<BlockFile>& files, Each each) {
    for (const BlockFile& file : files) {
        if (file.kind != FileKind::TreeOnly) {
            each(file.path);
        }
    }
}

}  // namespace

std::vector<std::string> RunFolders(const std::vector<BlockFile>& files) {
    std::set<std::string> folders;
    ForEachWritten(files, [&](const std::string& path) {
        const std::string folder = FolderAndName(path).first;
        folders.insert(folder);
        folders.insert(Below(folder, BACKUP_FOLDER));
    });
    return {folders.begin(), folders.end()};
}

std::vector<std::string> RunEntries(const std::vector<BlockFile>& files) {
    std::set<std::string> entries;
    ForEachWritten(files, [&](const std::string& path) {
        const auto [folder, name] = FolderAndName(path);
        for (size_t end = path.find_first_of("\\/"); end != std::string::npos;
             end = path.find_first_of("\\/", end + 1)) {
            entries.insert(path.substr(0, end));
        }
        entries.insert(path);
        entries.insert(Below(folder, BACKUP_FOLDER));
        entries.insert(Below(Below(folder, BACKUP_FOLDER), name));
    });
    return {entries.begin(), entries.end()};
}

FileResult RunFolder::Open(const BLOCKINFO& block, const std::vector<BlockFile>& files) {
    if (FileResult opened = BlockFolder::Open(NativePath(block.Directory), true, folder_);
        !opened) {
        return opened;
    }
    if (FileResult locked = lock_.Take(*folder_); !locked) {
        return locked;
    }
    std::vector<std::string> entries = RunEntries(files);
    for (const std::string& folder : RunFolders(files)) {
        for (const std::string& name : folder_->Names(folder)) {
            if (IsRunsOwnName(name)) {
                entries.push_back(Below(folder, name));
            }
        }
    }
    for (const std::string& entry : entries) {
        if (folder_->Look(entry).kind == EntryKind::Link) {
            return FileResult::Failed(BlockFolder::LinkMessage(folder_->FoundPathOf(entry)) +
                                      ". Nothing was generated.");
        }
    }
    const FileResult removed = folder_->RemoveLeftovers(folder_->Leftovers(RunFolders(files)));
    leftoverFault_ = removed ? std::string() : removed.Message();
    return {};
}

}  // namespace bw
