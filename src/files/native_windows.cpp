#include <windows.h>

#include <random>

#include "files/file_result.h"
#include "files/native_calls.h"
#include "files/path_calls.h"
#include "files/root_folder.h"
#include "files/wide_text.h"

namespace bw::native {

namespace {

int LastError() {
    return -static_cast<int>(GetLastError());
}

int Status(BOOL done) {
    return done ? 0 : LastError();
}

std::wstring Wide(const std::string& path) {
    return WideText(path);
}

// Opens path as it is: a reparse point (a link, a junction) is opened itself,
// and then refused, rather than followed.
int OpenAsItIs(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags,
               Handle& handle) {
    const HANDLE opened = CreateFileW(Wide(path).c_str(), access, share, nullptr, disposition,
                                      flags | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(opened, &information)) {
        const int error = LastError();
        CloseHandle(opened);
        return error;
    }
    if (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        CloseHandle(opened);
        return -static_cast<int>(ERROR_CANT_ACCESS_FILE);
    }
    handle = opened;
    return 0;
}

void Fill(DWORD attributes, std::uint64_t size, Facts& facts) {
    facts.kind = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? Kind::Link
                 : (attributes & FILE_ATTRIBUTE_DIRECTORY)   ? Kind::Folder
                 : (attributes & FILE_ATTRIBUTE_DEVICE)      ? Kind::Other
                                                             : Kind::File;
    facts.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    facts.mode = facts.readOnly ? 0444 : 0666;
    facts.size = size;
}

constexpr DWORD SHARE_ALL_BUT_DELETE = FILE_SHARE_READ | FILE_SHARE_WRITE;

}  // namespace

Handle NoHandle() {
    return INVALID_HANDLE_VALUE;
}

void Close(Handle handle) {
    CloseHandle(handle);
}

int OpenFolder(const std::string& path, Handle& folder) {
    return OpenAsItIs(path, FILE_LIST_DIRECTORY | SYNCHRONIZE, SHARE_ALL_BUT_DELETE, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS, folder);
}

int MakeFolders(const std::string& path) {
    for (size_t end = path.find_first_of("\\/", 1);; end = path.find_first_of("\\/", end + 1)) {
        const std::string folder = path.substr(0, end);
        const bool isDrive = folder.size() == 2 && folder[1] == ':';
        if (!folder.empty() && !isDrive && !CreateDirectoryW(Wide(folder).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            return LastError();
        }
        if (end == std::string::npos) {
            return 0;
        }
    }
}

bool IsRootFolder(Handle folder) {
    // The folder's own path as the system has it: a drive's, or a volume's
    // without one.
    for (const DWORD form : {DWORD{VOLUME_NAME_DOS}, DWORD{VOLUME_NAME_GUID}}) {
        wchar_t path[MAX_PATH + 64];
        const DWORD length =
            GetFinalPathNameByHandleW(folder, path, MAX_PATH + 64, FILE_NAME_NORMALIZED | form);
        if (length > 0 && length < MAX_PATH + 64) {
            return NamesRootFolder(Utf8Text(std::wstring_view(path, length)), "",
                                   PathForms::Windows);
        }
    }
    return false;
}

int Look(const Place& place, Facts& facts) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(place.Path()).c_str(), GetFileExInfoStandard, &data)) {
        facts = Facts{};
        return LastError();
    }
    Fill(data.dwFileAttributes, (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
         facts);
    return 0;
}

int Describe(Handle file, Facts& facts) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file, &information)) {
        return LastError();
    }
    Fill(information.dwFileAttributes,
         (std::uint64_t{information.nFileSizeHigh} << 32) | information.nFileSizeLow, facts);
    if (GetFileType(file) != FILE_TYPE_DISK) {
        facts.kind = Kind::Other;
    }
    return 0;
}

int OpenSubfolder(const Place& place, Handle& folder) {
    return OpenFolder(place.Path(), folder);
}

int MakeSubfolder(const Place& place, unsigned) {
    return Status(CreateDirectoryW(Wide(place.Path()).c_str(), nullptr));
}

int CreateExclusive(const Place& place, Handle& file, unsigned) {
    return OpenAsItIs(place.Path(), GENERIC_WRITE | FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ,
                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, file);
}

int OpenToRead(const Place& place, Handle& file) {
    return OpenAsItIs(place.Path(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, file);
}

int OpenPathToRead(const std::string& path, Handle& file) {
    const HANDLE opened =
        CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    file = opened;
    return 0;
}

int Read(Handle file, char* into, std::size_t size, std::size_t& got) {
    DWORD n = 0;
    const DWORD asked = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    if (!ReadFile(file, into, asked, &n, nullptr)) {
        got = 0;
        return GetLastError() == ERROR_BROKEN_PIPE ? 0 : LastError();
    }
    got = n;
    return 0;
}

int WriteAll(Handle file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD asked =
            bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
        DWORD n = 0;
        if (!WriteFile(file, bytes.data(), asked, &n, nullptr)) {
            return LastError();
        }
        bytes.remove_prefix(n);
    }
    return 0;
}

int SetMode(Handle file, const Facts& like) {
    if (!like.readOnly) {
        return 0;
    }
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) {
        return LastError();
    }
    basic.FileAttributes |= FILE_ATTRIBUTE_READONLY;
    return Status(SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic));
}

int Sync(Handle file) {
    return Status(FlushFileBuffers(file));
}

void StartWriteback(Handle) {
    // FlushFileBuffers alone: Windows has no call that starts a file's
    // writeback without waiting for it.
}

int SyncFolder(Handle) {
    // MOVEFILE_WRITE_THROUGH makes the rename itself durable.
    return 0;
}

int Rename(const Place& from, const Place& to) {
    const std::wstring target = Wide(to.Path());
    // A read-only file is not replaced by a rename; its attribute is cleared
    // for it and put back when the rename fails.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool readOnly =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly) {
        SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    if (MoveFileExW(Wide(from.Path()).c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 0;
    }
    const int error = LastError();
    if (readOnly) {
        SetFileAttributesW(target.c_str(), attributes);
    }
    return error;
}

int RenameAsNew(const Place& from, const Place& to) {
    return Status(
        MoveFileExW(Wide(from.Path()).c_str(), Wide(to.Path()).c_str(), MOVEFILE_WRITE_THROUGH));
}

int Remove(const Place& place) {
    const std::wstring path = Wide(place.Path());
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return Status(DeleteFileW(path.c_str()));
}

int ListNames(const Place& folder, Handle, std::vector<std::string>& names) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(Wide(folder.folderPath + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : LastError();
    }
    do {
        const std::string name = Utf8Text(found.cFileName);
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileW(search, &found));
    const int error = GetLastError() == ERROR_NO_MORE_FILES ? 0 : LastError();
    FindClose(search);
    return error;
}

int OpenLockFile(const Place& place, Handle& file) {
    // Gone with the last handle, also when the process dies.
    return OpenAsItIs(place.Path(), GENERIC_READ | GENERIC_WRITE | DELETE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, file);
}

int TryLock(Handle file, bool& busy) {
    OVERLAPPED whole{};
    busy = false;
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        return 0;
    }
    busy = GetLastError() == ERROR_LOCK_VIOLATION;
    return busy ? 0 : LastError();
}

bool StillNamed(const Place&, Handle file) {
    FILE_STANDARD_INFO standard{};
    return GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard) &&
           !standard.DeletePending;
}

bool IsLockFileGoing(int error) {
    return error == -static_cast<int>(ERROR_ACCESS_DENIED) ||
           error == -static_cast<int>(ERROR_DELETE_PENDING);
}

void ReleaseLock(const Place&, Handle file) {
    CloseHandle(file);
}

bool IsMissing(int error) {
    return error == -static_cast<int>(ERROR_FILE_NOT_FOUND) ||
           error == -static_cast<int>(ERROR_PATH_NOT_FOUND);
}

bool IsLinkRefused(int error) {
    return error == -static_cast<int>(ERROR_CANT_ACCESS_FILE);
}

bool IsTaken(int error) {
    return error == -static_cast<int>(ERROR_ALREADY_EXISTS) ||
           error == -static_cast<int>(ERROR_FILE_EXISTS);
}

std::uint64_t RandomNumber() {
    static std::random_device device;
    static std::mt19937_64 numbers((std::uint64_t{device()} << 32) ^ device() ^
                                   GetCurrentProcessId());
    return numbers();
}

}  // namespace bw::native

// The parts of the file layer's own interface that are the system's.
namespace bw {

namespace {

std::string WindowsReason(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD size = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = Utf8Text(std::wstring_view(text, size));
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.')) {
        reason.pop_back();
    }
    return reason.empty() ? "system error " + std::to_string(error) : reason;
}

}  // namespace

std::string SystemReason(int error) {
    // Errors of the system calls travel as negative numbers, those of the C
    // library as they are (see files/native_calls.h).
    if (error < 0) {
        return WindowsReason(static_cast<unsigned long>(-error));
    }
    char text[256] = {};
    strerror_s(text, sizeof text, error);
    return text;
}

bool NamesRootFolderHere(std::string_view path) {
    // The system makes the path whole as it would open it ("C:" is the
    // current folder of drive C:, "\blocks" is on the current drive).
    const std::wstring wide = WideText(path);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size > 0) {
        std::wstring full(size, L'\0');
        const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
        if (length > 0 && length < size) {
            full.resize(length);
            return NamesRootFolder(Utf8Text(full), "", PathForms::Windows);
        }
    }
    return NamesRootFolder(path, "", PathForms::Windows);
}

PathLimits SystemPathLimits(const std::string&) {
    // MAX_PATH with its terminating null, and a folder leaves room for an
    // 8.3 name in it.
    return {259, 247, 255};
}

}  // namespace bw
