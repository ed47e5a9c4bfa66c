#pragma once

// One run per block folder at a time: a lock file in the folder, locked by
// the system (flock, LockFileEx) for as long as the run holds it and let go
// by the system when the process dies, so a killed run never leaves a lock
// behind. The file is removed when the lock is let go.

#include <chrono>

#include "files/block_folder.h"

namespace bw {

class FolderLock {
public:
    // The lock file's name in the block folder.
    static constexpr const char* FILE_NAME = ".blockwright.lock";
    // How long a second run waits for the first before it gives up.
    static constexpr std::chrono::milliseconds DEFAULT_WAIT{5000};

    FolderLock() = default;
    ~FolderLock() { Release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock of folder, waiting at most wait while another run holds
    // it; then fails with "another run is writing to FOLDER".
    FileResult Take(BlockFolder& folder, std::chrono::milliseconds wait = DEFAULT_WAIT);
    void Release();
    bool Held() const { return file_.IsOpen(); }

    // The message of a lock another run holds.
    static std::string BusyMessage(const BlockFolder& folder);

private:
    native::OwnedHandle file_;
    native::Place place_{};
};

}  // namespace bw
