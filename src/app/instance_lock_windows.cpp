#include <QLockFile>

#include "app/instance_lock.h"

namespace bw {

namespace {

// A lock whose process has gone is stale, however old it is.
class LockFile : public InstanceLock {
public:
    explicit LockFile(const QString& path) : file_(path) { file_.setStaleLockTime(0); }
    bool tryLock() override { return file_.tryLock(0); }

private:
    QLockFile file_;
};

}  // namespace

std::unique_ptr<InstanceLock> MakeInstanceLock(const QString& path) {
    return std::make_unique<LockFile>(path);
}

}  // namespace bw
