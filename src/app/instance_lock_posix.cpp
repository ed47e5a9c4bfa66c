#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>

#include "app/instance_lock.h"

namespace bw {

namespace {

// The system's lock on the file, held until the process ends: a process that
// has gone holds nothing, and nothing has to reach the disk before the window
// opens (QLockFile waits for its file to be flushed). The file itself stays.
class FileLock : public InstanceLock {
public:
    explicit FileLock(const QString& path) : path_(QFile::encodeName(path)) {}
    ~FileLock() override {
        if (handle_ >= 0) {
            ::close(handle_);
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool tryLock() override {
        if (handle_ >= 0) {
            return true;
        }
        handle_ = ::open(path_.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (handle_ >= 0 && ::flock(handle_, LOCK_EX | LOCK_NB) != 0) {
            ::close(handle_);
            handle_ = -1;
        }
        return handle_ >= 0;
    }

private:
    QByteArray path_;
    int handle_ = -1;
};

}  // namespace

std::unique_ptr<InstanceLock> MakeInstanceLock(const QString& path) {
    return std::make_unique<FileLock>(path);
}

}  // namespace bw
