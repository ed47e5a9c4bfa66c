#pragma once

// The system calls under the block folder, one set per system. Each call
// gives 0 or the system's error: errno on POSIX; on Windows the negated
// GetLastError (SystemReason reads both). Nothing here follows a link unless
// it says so.
//
// POSIX works relative to opened folders (openat, renameat, unlinkat), so a
// folder swapped for a link after it was opened changes nothing. Windows
// works on whole paths, opening with FILE_FLAG_OPEN_REPARSE_POINT and
// refusing reparse points; the folders it has opened are held without
// FILE_SHARE_DELETE, so they cannot be renamed or replaced meanwhile.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "files/this_system.h"

namespace bw::native {

// A HANDLE on Windows, a file descriptor elsewhere.
using Handle = std::conditional_t<RUNNING_ON_WINDOWS, void*, int>;

Handle NoHandle();
void Close(Handle handle);

// A handle closed when it goes.
class OwnedHandle {
public:
    OwnedHandle() : handle_(NoHandle()) {}
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    ~OwnedHandle() { Reset(NoHandle()); }

    Handle Get() const { return handle_; }
    bool IsOpen() const { return handle_ != NoHandle(); }
    Handle Release() {
        const Handle handle = handle_;
        handle_ = NoHandle();
        return handle;
    }
    void Reset(Handle handle) {
        if (IsOpen()) {
            Close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_;
};

enum class Kind { Missing, File, Folder, Link, Other };

// What the system says of an entry (without following it, when it is a link).
struct Facts {
    Kind kind = Kind::Missing;
    unsigned mode = 0;  // permission bits (POSIX)
    bool readOnly = false;
    std::uint64_t size = 0;
};

// A name in an opened folder. The folder's path is for messages and, on
// Windows, for the calls themselves.
struct Place {
    Handle folder;
    std::string folderPath;  // ends with a separator
    std::string name;
    std::string Path() const { return folderPath + name; }
};

// The folder at path, its last component not followed.
int OpenFolder(const std::string& path, Handle& folder);
// Creates the folder at path and the missing folders above it.
int MakeFolders(const std::string& path);
// Whether the opened folder is a root folder ("/", a drive's or a share's
// top), whatever path reached it.
bool IsRootFolder(Handle folder);

int Look(const Place& place, Facts& facts);
int Describe(Handle file, Facts& facts);
int OpenSubfolder(const Place& place, Handle& folder);
// With the permission bits mode (POSIX, less the umask; Windows gives the
// folder's inherited access).
int MakeSubfolder(const Place& place, unsigned mode);
// A file that did not exist, for writing (O_CREAT|O_EXCL, CREATE_NEW), with
// the permission bits mode as the umask leaves them (POSIX).
int CreateExclusive(const Place& place, Handle& file, unsigned mode);
// An existing file for reading; a FIFO does not block.
int OpenToRead(const Place& place, Handle& file);
// The file at path for reading, links followed (a file the user named).
int OpenPathToRead(const std::string& path, Handle& file);

int Read(Handle file, char* into, std::size_t size, std::size_t& got);
int WriteAll(Handle file, std::string_view bytes);
// The permission bits (POSIX) or the read-only attribute (Windows) of an
// open file.
int SetMode(Handle file, const Facts& like);
int Sync(Handle file);
// Starts writing the file's data out without waiting, so that a Sync after
// the last piece waits for less; only a hint, so it reports nothing.
void StartWriteback(Handle file);
int SyncFolder(Handle folder);

// Replaces to with from, both in opened folders; a read-only file at to is
// replaced too.
int Rename(const Place& from, const Place& to);
// Gives from the name to only when nothing has it (not even a link): the
// error IsTaken names otherwise.
int RenameAsNew(const Place& from, const Place& to);
int Remove(const Place& place);
int ListNames(const Place& folder, Handle handle, std::vector<std::string>& names);

// The folder's lock file, opened (created when missing) to be locked.
int OpenLockFile(const Place& place, Handle& file);
// Takes the lock on the open lock file without waiting; busy when another
// holds it.
int TryLock(Handle file, bool& busy);
// Whether the locked file is still the one place names: a run that ended
// meanwhile removes its lock file, and a waiter that locked the removed file
// has to start again with a new one.
bool StillNamed(const Place& place, Handle file);
// Whether an error opening the lock file means only that it is being removed
// by the run that held it (Windows refuses to open a file that is going).
bool IsLockFileGoing(int error);
// Removes the lock file and lets go of it.
void ReleaseLock(const Place& place, Handle file);

// The error a missing file gives, and the one a link met where none is
// followed gives.
bool IsMissing(int error);
bool IsLinkRefused(int error);
// The error of a name another entry has.
bool IsTaken(int error);

// A random number for unique names.
std::uint64_t RandomNumber();

}  // namespace bw::native
