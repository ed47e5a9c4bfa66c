#pragma once

// The lock that marks the running wizard, one kind per system: held until
// the process ends, and free again once the process that held it has gone,
// however old its file is.

#include <QString>
#include <memory>

namespace bw {

class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // Takes the lock unless a running process holds it; true while it is ours.
    virtual bool tryLock() = 0;
};

// The lock on the file at path.
std::unique_ptr<InstanceLock> MakeInstanceLock(const QString& path);

}  // namespace bw
