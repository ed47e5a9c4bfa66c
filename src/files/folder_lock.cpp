#include "files/folder_lock.h"

#include <thread>

namespace bw {

std::string FolderLock::BusyMessage(const BlockFolder& folder) {
    std::string path = folder.Path();
    path.pop_back();  // the closing separator
    return "another run is writing to " + path;
}

FileResult FolderLock::Take(BlockFolder& folder, std::chrono::milliseconds wait) {
    Release();
    const native::Place place{folder.handle_.Get(), folder.Path(), FILE_NAME};
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        native::Handle handle = native::NoHandle();
        const int opened = native::OpenLockFile(place, handle);
        bool busy = opened != 0;
        if (opened && !native::IsLockFileGoing(opened)) {
            native::Facts facts;
            native::Look(place, facts);
            return facts.kind == native::Kind::Link
                       ? FileResult::Failed(BlockFolder::LinkMessage(place.Path()))
                       : FileResult::SystemFault("create the lock file", place.Path(), opened);
        }
        native::OwnedHandle file(handle);
        if (!opened) {
            if (const int error = native::TryLock(file.Get(), busy)) {
                return FileResult::SystemFault("lock", place.Path(), error);
            }
        }
        if (!busy) {
            if (native::StillNamed(place, file.Get())) {
                file_ = std::move(file);
                place_ = place;
                return {};
            }
            continue;  // the run before let go and removed it: a new one
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return FileResult::Failed(BusyMessage(folder));
        }
        file.Reset(native::NoHandle());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void FolderLock::Release() {
    if (file_.IsOpen()) {
        native::ReleaseLock(place_, file_.Release());
    }
}

}  // namespace bw
