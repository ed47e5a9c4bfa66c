#pragma once

// The block folder as a run holds it: opened once (created when missing),
// locked so that no other run writes there meanwhile, cleared of what a
// stopped run left behind, and looked over before anything is written, so
// that a link where the run would write stops the run with a message naming
// it.

#include <memory>
#include <string>
#include <vector>

#include "definition/block_info.h"
#include "files/block_folder.h"
#include "files/folder_lock.h"
#include "run/file_set.h"

namespace bw {

class RunFolder {
public:
    // Opens and locks the block's folder, removes the temporaries a stopped
    // run left in the folders of files, and refuses links among the places
    // the run writes. A failure is a message ready to show; nothing was
    // written then.
    FileResult Open(const BLOCKINFO& block, const std::vector<BlockFile>& files);

    BlockFolder& Folder() { return *folder_; }
    // A leftover that could not be removed, reported as what it is (the run
    // goes on: the run's own temporaries have names of their own).
    const std::string& LeftoverFault() const { return leftoverFault_; }

private:
    std::unique_ptr<BlockFolder> folder_;
    FolderLock lock_;
    std::string leftoverFault_;
};

// The folders a run writes into, relative to the block folder: those of its
// files and their backup folders ("" for the block folder itself).
std::vector<std::string> RunFolders(const std::vector<BlockFile>& files);

// The entries a run writes or reads as previous versions: each file, the
// folders above it, its backup folder and its backup.
std::vector<std::string> RunEntries(const std::vector<BlockFile>& files);

// Why a run could not write files in folder, found by looking only: a link
// where it reads or writes, a device or a pipe where a file or its backup
// goes, or a file there larger than any the program writes, which the run
// would read as a previous version or copy into KRSave whole. A message
// ready to show; nothing was written then.
FileResult LookOver(const BlockFolder& folder, const std::vector<BlockFile>& files);

// The same for the block's folder as it is now, without creating, locking or
// writing anything (what a listing of the run reports): also a folder that
// cannot be a block folder. Nothing when the folder is not there yet.
FileResult LookOverBlockFolder(const BLOCKINFO& block);

}  // namespace bw
