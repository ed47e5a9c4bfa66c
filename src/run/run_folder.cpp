#include "run/run_folder.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "files/path_calls.h"
#include "files/wide_text.h"
#include "generation/overwrite.h"
#include "generation/paths.h"

namespace bw {

namespace {

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

namespace {

constexpr const char* NOTHING_GENERATED = " Nothing was generated.";

// A link among the entries the run reads or writes, or beside them with a
// name the run gives its own files.
FileResult LinkAmong(const BlockFolder& folder, const std::vector<BlockFile>& files) {
    std::vector<std::string> entries = RunEntries(files);
    for (const std::string& inside : RunFolders(files)) {
        for (const std::string& name : folder.Names(inside)) {
            if (IsRunsOwnName(name)) {
                entries.push_back(Below(inside, name));
            }
        }
    }
    for (const std::string& entry : entries) {
        if (folder.Look(entry).kind == EntryKind::Link) {
            return FileResult::Failed(BlockFolder::LinkMessage(folder.FoundPathOf(entry)) + "." +
                                      NOTHING_GENERATED);
        }
    }
    return {};
}

// What is in the way where the run puts a file (its own place or its
// backup's) and can be neither replaced nor read or copied as a regular file
// without harm: a device or a pipe, or a file far larger than any the run
// writes.
FileResult InTheWay(const BlockFolder& folder, const std::string& relative) {
    const Entry entry = folder.Look(relative);
    const auto refused = [&](const std::string& why) {
        return FileResult::Failed(folder.FoundPathOf(relative) + " " + why + "." +
                                  NOTHING_GENERATED);
    };
    switch (entry.kind) {
        case EntryKind::Other:
            return refused(
                "is not a regular file (a device, a pipe or a socket) where the block's file goes");
        case EntryKind::File:
            if (entry.size > LARGEST_FILE_READ) {
                return refused("is larger than " + std::to_string(LARGEST_FILE_READ >> 20) +
                               " MB, far more than any file Blockwright writes, so it is neither "
                               "read nor copied into " +
                               BACKUP_FOLDER + "; move it away and generate again");
            }
            break;
        case EntryKind::Missing:
        case EntryKind::Folder:  // refused where the run comes to write there
        case EntryKind::Link:
            break;
    }
    return {};
}

}  // namespace

FileResult LookOver(const BlockFolder& folder, const std::vector<BlockFile>& files) {
    if (FileResult link = LinkAmong(folder, files); !link) {
        return link;
    }
    FileResult refused;
    ForEachWritten(files, [&](const std::string& path) {
        const auto [inside, name] = FolderAndName(path);
        for (const std::string& place : {path, Below(Below(inside, BACKUP_FOLDER), name)}) {
            if (refused) {
                refused = InTheWay(folder, place);
            }
        }
    });
    return refused;
}

FileResult LookOverBlockFolder(const BLOCKINFO& block) {
    const std::string path = NativePath(block.Directory);
    std::unique_ptr<BlockFolder> folder;
    if (FileResult opened = BlockFolder::Open(path, false, folder); !opened) {
        // A folder that is not there yet holds nothing in the way.
        std::error_code error;
        const bool there =
            std::filesystem::exists(std::filesystem::symlink_status(FileSystemPath(path), error));
        return there ? opened : FileResult();
    }
    return LookOver(*folder, RunFileSet(block));
}

FileResult RunFolder::Open(const BLOCKINFO& block, const std::vector<BlockFile>& files) {
    if (FileResult opened = BlockFolder::Open(NativePath(block.Directory), true, folder_);
        !opened) {
        return opened;
    }
    if (FileResult locked = lock_.Take(*folder_); !locked) {
        return locked;
    }
    if (FileResult refused = LookOver(*folder_, files); !refused) {
        return refused;
    }
    const FileResult removed = folder_->RemoveLeftovers(folder_->Leftovers(RunFolders(files)));
    leftoverFault_ = removed ? std::string() : removed.Message();
    return {};
}

}  // namespace bw
