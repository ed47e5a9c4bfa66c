#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "files/file_result.h"
#include "files/native_calls.h"
#include "files/path_calls.h"
#include "files/root_folder.h"

namespace bw::native {

namespace {

constexpr int FOLLOW_NOTHING = O_NOFOLLOW | O_CLOEXEC;

// Calls interrupted by a signal are made again.
template <typename Call>
auto Retried(Call call) {
    for (;;) {
        const auto result = call();
        if (result >= 0 || errno != EINTR) {
            return result;
        }
    }
}

int Status(int result) {
    return result == 0 ? 0 : errno;
}

void Fill(const struct stat& status, Facts& facts) {
    facts.kind = S_ISREG(status.st_mode)   ? Kind::File
                 : S_ISDIR(status.st_mode) ? Kind::Folder
                 : S_ISLNK(status.st_mode) ? Kind::Link
                                           : Kind::Other;
    facts.mode = status.st_mode & 07777;
    // As a user means it, whoever runs the program: no one may write it.
    facts.readOnly = (status.st_mode & 0222) == 0;
    facts.size = static_cast<std::uint64_t>(status.st_size);
}

int Opened(int fd, Handle& handle) {
    if (fd < 0) {
        return errno;
    }
    handle = fd;
    return 0;
}

}  // namespace

Handle NoHandle() {
    return -1;
}

void Close(Handle handle) {
    close(handle);
}

int OpenFolder(const std::string& path, Handle& folder) {
    return Opened(
        Retried([&] { return open(path.c_str(), O_RDONLY | O_DIRECTORY | FOLLOW_NOTHING); }),
        folder);
}

int MakeFolders(const std::string& path) {
    // Each folder from the top down; one that exists (or appears meanwhile) is fine.
    for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string folder = path.substr(0, end);
        if (!folder.empty() && mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
            return errno;
        }
        if (end == std::string::npos) {
            return 0;
        }
    }
}

bool IsRootFolder(Handle folder) {
    struct stat top {};
    struct stat opened {};
    return stat("/", &top) == 0 && fstat(folder, &opened) == 0 && top.st_dev == opened.st_dev &&
           top.st_ino == opened.st_ino;
}

int Look(const Place& place, Facts& facts) {
    struct stat status {};
    if (fstatat(place.folder, place.name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        facts = Facts{};
        return errno;
    }
    Fill(status, facts);
    return 0;
}

int Describe(Handle file, Facts& facts) {
    struct stat status {};
    if (fstat(file, &status) != 0) {
        return errno;
    }
    Fill(status, facts);
    return 0;
}

int OpenSubfolder(const Place& place, Handle& folder) {
    return Opened(Retried([&] {
                      return openat(place.folder, place.name.c_str(),
                                    O_RDONLY | O_DIRECTORY | FOLLOW_NOTHING);
                  }),
                  folder);
}

int MakeSubfolder(const Place& place, unsigned mode) {
    return Status(mkdirat(place.folder, place.name.c_str(), static_cast<mode_t>(mode & 0777)));
}

int CreateExclusive(const Place& place, Handle& file, unsigned mode) {
    return Opened(Retried([&] {
                      return openat(place.folder, place.name.c_str(),
                                    O_WRONLY | O_CREAT | O_EXCL | FOLLOW_NOTHING,
                                    static_cast<mode_t>(mode & 0777));
                  }),
                  file);
}

int OpenToRead(const Place& place, Handle& file) {
    return Opened(Retried([&] {
                      return openat(place.folder, place.name.c_str(),
                                    O_RDONLY | O_NONBLOCK | FOLLOW_NOTHING);
                  }),
                  file);
}

int OpenPathToRead(const std::string& path, Handle& file) {
    return Opened(Retried([&] { return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }),
                  file);
}

int Read(Handle file, char* into, std::size_t size, std::size_t& got) {
    const ssize_t n = Retried([&] { return read(file, into, size); });
    if (n < 0) {
        got = 0;
        return errno;
    }
    got = static_cast<std::size_t>(n);
    return 0;
}

int WriteAll(Handle file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = Retried([&] { return write(file, bytes.data(), bytes.size()); });
        if (n < 0) {
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

int SetMode(Handle file, const Facts& like) {
    return Status(fchmod(file, static_cast<mode_t>(like.mode)));
}

int Sync(Handle file) {
    return Status(Retried([&] { return fsync(file); }));
}

void StartWriteback(Handle file) {
#ifdef __linux__
    sync_file_range(file, 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)file;
#endif
}

int SyncFolder(Handle folder) {
    // Some file systems cannot sync a folder; there the rename is as safe as
    // they make it.
    const int error = Sync(folder);
    return error == EINVAL || error == ENOTSUP ? 0 : error;
}

int Rename(const Place& from, const Place& to) {
    return Status(renameat(from.folder, from.name.c_str(), to.folder, to.name.c_str()));
}

int RenameAsNew(const Place& from, const Place& to) {
    if (renameat2(from.folder, from.name.c_str(), to.folder, to.name.c_str(), RENAME_NOREPLACE) ==
        0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // A file system that cannot rename without replacing: a second name,
    // which fails when the name is taken, then the first one goes.
    if (linkat(from.folder, from.name.c_str(), to.folder, to.name.c_str(), 0) != 0) {
        return errno;
    }
    unlinkat(from.folder, from.name.c_str(), 0);
    return 0;
}

int Remove(const Place& place) {
    return Status(unlinkat(place.folder, place.name.c_str(), 0));
}

int ListNames(const Place& folder, Handle handle, std::vector<std::string>& names) {
    (void)folder;
    // The listing gets its own descriptor, which closedir closes.
    const int own = dup(handle);
    if (own < 0) {
        return errno;
    }
    DIR* listing = fdopendir(own);
    if (listing == nullptr) {
        const int error = errno;
        close(own);
        return error;
    }
    rewinddir(listing);
    errno = 0;
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    const int error = errno;
    closedir(listing);
    return error;
}

int OpenLockFile(const Place& place, Handle& file) {
    return Opened(Retried([&] {
                      return openat(place.folder, place.name.c_str(),
                                    O_RDWR | O_CREAT | FOLLOW_NOTHING, 0666);
                  }),
                  file);
}

int TryLock(Handle file, bool& busy) {
    busy = false;
    if (Retried([&] { return flock(file, LOCK_EX | LOCK_NB); }) == 0) {
        return 0;
    }
    busy = errno == EWOULDBLOCK;
    return busy ? 0 : errno;
}

bool StillNamed(const Place& place, Handle file) {
    struct stat named {};
    struct stat locked {};
    return fstatat(place.folder, place.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           fstat(file, &locked) == 0 && named.st_dev == locked.st_dev &&
           named.st_ino == locked.st_ino;
}

bool IsLockFileGoing(int) {
    return false;
}

void ReleaseLock(const Place& place, Handle file) {
    // Removed while still locked, so that no waiter takes a file that is going.
    unlinkat(place.folder, place.name.c_str(), 0);
    close(file);
}

bool IsMissing(int error) {
    return error == ENOENT;
}

bool IsLinkRefused(int error) {
    // O_NOFOLLOW gives ELOOP for a link; with O_DIRECTORY some systems say ENOTDIR.
    return error == ELOOP || error == ENOTDIR || error == EMLINK;
}

bool IsTaken(int error) {
    return error == EEXIST;
}

std::uint64_t RandomNumber() {
    static std::random_device device;
    static std::mt19937_64 numbers((std::uint64_t{device()} << 32) ^ device() ^
                                   static_cast<std::uint64_t>(getpid()));
    return numbers();
}

}  // namespace bw::native

// The parts of the file layer's own interface that are the system's.
namespace bw {

namespace {

bool IsDriveForm(std::string_view path) {
    const char c = path.empty() ? '\0' : path[0];
    return path.size() >= 2 && path[1] == ':' && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
}

}  // namespace

std::string SystemReason(int error) {
    return std::strerror(error);
}

bool NamesRootFolderHere(std::string_view path) {
    const bool windowsForm = IsDriveForm(path) || path.starts_with("\\\\");
    if (windowsForm) {
        return NamesRootFolder(path, "", PathForms::Windows);
    }
    std::error_code error;
    const std::string current = std::filesystem::current_path(error).string();
    return NamesRootFolder(path, error ? "" : current, PathForms::Posix);
}

PathLimits SystemPathLimits(const std::string& folder) {
    // The folder's nearest existing parent's file system will hold it.
    std::filesystem::path existing = folder;
    std::error_code ec;
    while (!std::filesystem::exists(existing, ec) && existing.has_relative_path()) {
        existing = existing.parent_path();
    }
    const auto limit = [&](int name, long fallback) {
        const long value = pathconf(existing.c_str(), name);
        return static_cast<size_t>(value > 0 ? value : fallback);
    };
    // The system's path limit counts the terminating null.
    const size_t path = limit(_PC_PATH_MAX, PATH_MAX) - 1;
    return {path, path, limit(_PC_NAME_MAX, NAME_MAX)};
}

}  // namespace bw
