// A preloaded library (LD_PRELOAD) that makes file-system calls fail for
// chosen paths, so tests can run the real program against a full disk or a
// read-only folder without mounting anything (tests run as root, where
// permission bits stop nothing).
//
//   BW_FAULT_FULL=PREFIX[:PREFIX...]      writes to files under PREFIX fail
//                                         with ENOSPC (opening still works)
//   BW_FAULT_READONLY=PREFIX[:PREFIX...]  opening for writing, creating,
//                                         renaming and removing under PREFIX
//                                         fail with EROFS
//   BW_FAULT_KILL=PREFIX[:PREFIX...]      the first write to a file under
//                                         PREFIX puts half its bytes there,
//                                         then the process is killed
//   BW_FAULT_SYNC=PREFIX[:PREFIX...]      fsync and fdatasync of files and
//                                         folders under PREFIX fail with EIO
//   BW_FAULT_RENAME=PREFIX[:PREFIX...]    renames to or from paths under
//                                         PREFIX fail with EIO
//
// The library may also be linked into a test program, whose own calls it then
// takes before the C library's.
//
// A prefix is compared as text with absolute paths, so "/d/Block.TBT" also
// covers "/d/Block.TBT.tmp~". Relative paths are taken from the current
// directory; paths reached through a directory descriptor from that
// descriptor's folder.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool UnderAny(const char* variable, const std::string& path) {
    const char* list = std::getenv(variable);
    if (list == nullptr || path.empty()) {
        return false;
    }
    const std::string prefixes = list;
    size_t start = 0;
    while (start <= prefixes.size()) {
        size_t end = prefixes.find(':', start);
        if (end == std::string::npos) {
            end = prefixes.size();
        }
        const std::string prefix = prefixes.substr(start, end - start);
        if (!prefix.empty() && path.compare(0, prefix.size(), prefix) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::string FolderOf(int directory) {
    if (directory == AT_FDCWD) {
        char buffer[4096];
        return getcwd(buffer, sizeof buffer) != nullptr ? buffer : "";
    }
    const std::string link = "/proc/self/fd/" + std::to_string(directory);
    char buffer[4096];
    const ssize_t size = readlink(link.c_str(), buffer, sizeof buffer - 1);
    return size > 0 ? std::string(buffer, static_cast<size_t>(size)) : "";
}

std::string Absolute(int directory, const char* path) {
    if (path == nullptr) {
        return "";
    }
    if (path[0] == '/') {
        return path;
    }
    return FolderOf(directory) + "/" + path;
}

bool ReadOnly(int directory, const char* path) {
    return UnderAny("BW_FAULT_READONLY", Absolute(directory, path));
}

bool RenameFails(int directory, const char* path) {
    return UnderAny("BW_FAULT_RENAME", Absolute(directory, path));
}

bool Under(const char* variable, int fd) {
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    char buffer[4096];
    const ssize_t size = readlink(link.c_str(), buffer, sizeof buffer - 1);
    return size > 0 && UnderAny(variable, std::string(buffer, static_cast<size_t>(size)));
}

bool Full(int fd) {
    return Under("BW_FAULT_FULL", fd);
}

bool Killed(int fd) {
    return Under("BW_FAULT_KILL", fd);
}

bool SyncFails(int fd) {
    return Under("BW_FAULT_SYNC", fd);
}

// A kill in the middle of a write: half the bytes reach the file, then the
// process ends as SIGKILL ends it, with nothing cleaned up.
[[noreturn]] void WriteHalfAndDie(int fd, const void* data, size_t size) {
    using Write = ssize_t (*)(int, const void*, size_t);
    reinterpret_cast<Write>(dlsym(RTLD_NEXT, "write"))(fd, data, size / 2);
    raise(SIGKILL);
    _exit(137);
}

bool WritesTo(int flags) {
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC | O_APPEND)) != 0;
}

bool WritesTo(const char* mode) {
    return mode != nullptr && std::strpbrk(mode, "wa+") != nullptr;
}

template <typename Function>
Function Next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

template <typename Result>
Result Fail(int error, Result result) {
    errno = error;
    return result;
}

}  // namespace

extern "C" {

// Opening.

int open(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = va_arg(arguments, mode_t);
    va_end(arguments);
    if (WritesTo(flags) && ReadOnly(AT_FDCWD, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(const char*, int, ...)>("open")(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = va_arg(arguments, mode_t);
    va_end(arguments);
    if (WritesTo(flags) && ReadOnly(AT_FDCWD, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(const char*, int, ...)>("open64")(path, flags, mode);
}

int openat(int directory, const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = va_arg(arguments, mode_t);
    va_end(arguments);
    if (WritesTo(flags) && ReadOnly(directory, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(int, const char*, int, ...)>("openat")(directory, path, flags, mode);
}

int openat64(int directory, const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = va_arg(arguments, mode_t);
    va_end(arguments);
    if (WritesTo(flags) && ReadOnly(directory, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(int, const char*, int, ...)>("openat64")(directory, path, flags, mode);
}

int creat(const char* path, mode_t mode) {
    if (ReadOnly(AT_FDCWD, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(const char*, mode_t)>("creat")(path, mode);
}

FILE* fopen(const char* path, const char* mode) {
    if (WritesTo(mode) && ReadOnly(AT_FDCWD, path)) {
        return Fail<FILE*>(EROFS, nullptr);
    }
    return Next<FILE* (*)(const char*, const char*)>("fopen")(path, mode);
}

FILE* fopen64(const char* path, const char* mode) {
    if (WritesTo(mode) && ReadOnly(AT_FDCWD, path)) {
        return Fail<FILE*>(EROFS, nullptr);
    }
    return Next<FILE* (*)(const char*, const char*)>("fopen64")(path, mode);
}

// Changing folders.

int mkdir(const char* path, mode_t mode) {
    if (ReadOnly(AT_FDCWD, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(const char*, mode_t)>("mkdir")(path, mode);
}

int mkdirat(int directory, const char* path, mode_t mode) {
    if (ReadOnly(directory, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(int, const char*, mode_t)>("mkdirat")(directory, path, mode);
}

int rename(const char* from, const char* to) {
    if (ReadOnly(AT_FDCWD, from) || ReadOnly(AT_FDCWD, to)) {
        return Fail(EROFS, -1);
    }
    if (RenameFails(AT_FDCWD, from) || RenameFails(AT_FDCWD, to)) {
        return Fail(EIO, -1);
    }
    return Next<int (*)(const char*, const char*)>("rename")(from, to);
}

int renameat(int fromDirectory, const char* from, int toDirectory, const char* to) {
    if (ReadOnly(fromDirectory, from) || ReadOnly(toDirectory, to)) {
        return Fail(EROFS, -1);
    }
    if (RenameFails(fromDirectory, from) || RenameFails(toDirectory, to)) {
        return Fail(EIO, -1);
    }
    return Next<int (*)(int, const char*, int, const char*)>("renameat")(fromDirectory, from,
                                                                         toDirectory, to);
}

int renameat2(int fromDirectory, const char* from, int toDirectory, const char* to,
              unsigned int flags) {
    if (ReadOnly(fromDirectory, from) || ReadOnly(toDirectory, to)) {
        return Fail(EROFS, -1);
    }
    if (RenameFails(fromDirectory, from) || RenameFails(toDirectory, to)) {
        return Fail(EIO, -1);
    }
    return Next<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2")(
        fromDirectory, from, toDirectory, to, flags);
}

int unlink(const char* path) {
    if (ReadOnly(AT_FDCWD, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(const char*)>("unlink")(path);
}

int unlinkat(int directory, const char* path, int flags) {
    if (ReadOnly(directory, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(int, const char*, int)>("unlinkat")(directory, path, flags);
}

int remove(const char* path) {
    if (ReadOnly(AT_FDCWD, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(const char*)>("remove")(path);
}

int rmdir(const char* path) {
    if (ReadOnly(AT_FDCWD, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(const char*)>("rmdir")(path);
}

int truncate(const char* path, off_t length) {
    if (ReadOnly(AT_FDCWD, path)) {
        return Fail(EROFS, -1);
    }
    return Next<int (*)(const char*, off_t)>("truncate")(path, length);
}

// Syncing.

int fsync(int fd) {
    if (SyncFails(fd)) {
        return Fail(EIO, -1);
    }
    return Next<int (*)(int)>("fsync")(fd);
}

int fdatasync(int fd) {
    if (SyncFails(fd)) {
        return Fail(EIO, -1);
    }
    return Next<int (*)(int)>("fdatasync")(fd);
}

// Writing.

ssize_t write(int fd, const void* data, size_t size) {
    if (size > 0 && Killed(fd)) {
        WriteHalfAndDie(fd, data, size);
    }
    if (size > 0 && Full(fd)) {
        return Fail<ssize_t>(ENOSPC, -1);
    }
    return Next<ssize_t (*)(int, const void*, size_t)>("write")(fd, data, size);
}

ssize_t writev(int fd, const struct iovec* pieces, int count) {
    if (Full(fd)) {
        return Fail<ssize_t>(ENOSPC, -1);
    }
    return Next<ssize_t (*)(int, const struct iovec*, int)>("writev")(fd, pieces, count);
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t offset) {
    if (size > 0 && Full(fd)) {
        return Fail<ssize_t>(ENOSPC, -1);
    }
    return Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite")(fd, data, size, offset);
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t offset) {
    if (size > 0 && Full(fd)) {
        return Fail<ssize_t>(ENOSPC, -1);
    }
    return Next<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64")(fd, data, size, offset);
}

size_t fwrite(const void* data, size_t size, size_t count, FILE* stream) {
    if (size > 0 && count > 0 && Killed(fileno(stream))) {
        fflush(stream);
        WriteHalfAndDie(fileno(stream), data, size * count);
    }
    if (size > 0 && count > 0 && Full(fileno(stream))) {
        return Fail<size_t>(ENOSPC, 0);
    }
    return Next<size_t (*)(const void*, size_t, size_t, FILE*)>("fwrite")(data, size, count,
                                                                          stream);
}

ssize_t copy_file_range(int from, off64_t* fromOffset, int to, off64_t* toOffset, size_t size,
                        unsigned int flags) {
    if (Full(to)) {
        return Fail<ssize_t>(ENOSPC, -1);
    }
    return Next<ssize_t (*)(int, off64_t*, int, off64_t*, size_t, unsigned int)>("copy_file_range")(
        from, fromOffset, to, toOffset, size, flags);
}

ssize_t sendfile(int to, int from, off_t* offset, size_t size) {
    if (Full(to)) {
        return Fail<ssize_t>(ENOSPC, -1);
    }
    return Next<ssize_t (*)(int, int, off_t*, size_t)>("sendfile")(to, from, offset, size);
}

ssize_t sendfile64(int to, int from, off64_t* offset, size_t size) {
    if (Full(to)) {
        return Fail<ssize_t>(ENOSPC, -1);
    }
    return Next<ssize_t (*)(int, int, off64_t*, size_t)>("sendfile64")(to, from, offset, size);
}

int fallocate(int fd, int mode, off_t offset, off_t length) {
    if (Full(fd)) {
        return Fail(ENOSPC, -1);
    }
    return Next<int (*)(int, int, off_t, off_t)>("fallocate")(fd, mode, offset, length);
}

int posix_fallocate(int fd, off_t offset, off_t length) {
    if (Full(fd)) {
        return ENOSPC;
    }
    return Next<int (*)(int, off_t, off_t)>("posix_fallocate")(fd, offset, length);
}

}  // extern "C"
