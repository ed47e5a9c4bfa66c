#pragma once

// The one way the core touches a block folder. The folder is opened once;
// everything below it is created, read, renamed and removed relative to it,
// and no link below it is followed: a link met where a run reads or writes is
// refused with a message naming it, and nothing is read or written through
// it. A file is replaced by an exclusive temporary beside it that takes the
// previous file's permissions, is synced, and is then renamed over it, so the
// file holds either its previous bytes or the new ones, whatever happens.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_result.h"
#include "files/native_calls.h"

namespace bw {

// The whole content of the file at path (a native path; links followed, as the
// user named it) when it is a regular file of at most limit bytes. A folder,
// a device or a FIFO is refused without reading, so nothing waits or grows.
FileResult ReadRegularFile(const std::string& path, std::uint64_t limit, std::string& bytes);

// Replaces the file at path (a native path the user chose, such as a settings
// file, outside any block folder) with bytes as a NewFile does: through an
// exclusive temporary beside it that takes its permissions. A link there is
// the user's own arrangement and is followed to the file it names.
FileResult ReplaceNamedFile(const std::string& path, std::string_view bytes);

enum class EntryKind { Missing, File, Folder, Link, Other };

// An entry below the block folder as it is, not followed when it is a link.
struct Entry {
    EntryKind kind = EntryKind::Missing;
    bool readOnly = false;  // no one may write it (POSIX: no write bit; Windows: the attribute)
    std::uint64_t size = 0;
    unsigned mode = 0;  // permission bits (POSIX; Windows: 0444 read-only, else 0666)
};

class FileReader;

// Relative paths below a block folder separate their folders with "/" or
// "\"; none of their components may be empty, "." or "..". A component
// matches an entry that differs from it only in case when no entry has it
// exactly, as Windows matches names ("KRSave" finds "krsave"; the first in
// name order when several do).
class BlockFolder {
public:
    // Opens the block folder at path (a native path), first creating it and
    // the folders above it when create is set. The folder itself must not be
    // a link; the folders above it are the user's to arrange. An empty path
    // and a root folder ("/", "C:\") are refused: they are never a block
    // folder by accident.
    static FileResult Open(const std::string& path, bool create,
                           std::unique_ptr<BlockFolder>& folder);

    // The folder's path as given, ending with a separator.
    const std::string& Path() const { return path_; }
    // The native path of an entry, for messages.
    std::string PathOf(std::string_view relative) const;
    // The same with each name as the folder has it (found in another case).
    std::string FoundPathOf(std::string_view relative) const;

    Entry Look(std::string_view relative) const;
    // The whole content of a regular file of at most limit bytes.
    FileResult Read(std::string_view relative, std::uint64_t limit, std::string& bytes) const;
    // The regular file, opened to be read piece by piece.
    FileResult OpenToRead(std::string_view relative, FileReader& reader) const;
    // Replaces (or creates) the file with bytes, as a NewFile does.
    FileResult Write(std::string_view relative, std::string_view bytes);
    // Creates the file with bytes only when nothing has its name yet; when
    // something has (a file, a link, a folder), taken is set and nothing is
    // written. Never replaces anything. The file has the permission bits
    // mode when given, else the system's default.
    FileResult WriteNew(std::string_view relative, std::string_view bytes, bool& taken,
                        std::optional<unsigned> mode = std::nullopt);
    // Replaces (or creates) to with a copy of the regular file from, which
    // keeps from's permission bits. A file larger than limit is refused
    // before anything is copied.
    FileResult Copy(std::string_view from, std::string_view to, std::uint64_t limit);
    // Renames a regular file, replacing a file at to.
    FileResult Rename(std::string_view from, std::string_view to);
    // Removes a file (a link is removed itself, never what it names).
    FileResult Remove(std::string_view relative);

    // The names in a folder below the block folder ("" for itself); none
    // when it is not there.
    std::vector<std::string> Names(std::string_view folder) const;

    // Names left in the given folders by a run that was killed before it
    // could remove them: regular files named as this program names its
    // temporaries. Links are no run's leftovers and stay.
    std::vector<std::string> Leftovers(const std::vector<std::string>& folders) const;
    // Removes each leftover; the first that cannot be removed is reported as
    // what it is.
    FileResult RemoveLeftovers(const std::vector<std::string>& leftovers);

    // "PATH is a link; ...": what a link met where a run reads or writes gets.
    static std::string LinkMessage(const std::string& path);

    // Whether a file name is one of this program's temporaries.
    static bool IsTemporaryName(std::string_view name);

    BlockFolder(const BlockFolder&) = delete;
    BlockFolder& operator=(const BlockFolder&) = delete;

private:
    friend class NewFile;
    friend class FolderLock;

    // The folder an entry is in, opened, and its name there.
    struct Located {
        native::OwnedHandle owned;  // a subfolder; the block folder itself is borrowed
        native::Place place;
    };

    BlockFolder(std::string path, native::OwnedHandle handle);
    // Opens the folders above the entry one by one without following links,
    // creating missing ones when create is set.
    FileResult Locate(std::string_view relative, bool create, Located& located) const;
    // The same for a folder (empty: the block folder), opened itself, its
    // place's name empty.
    FileResult LocateFolder(std::string_view relative, bool create, Located& located) const;
    FileResult OpenFolders(const std::vector<std::string>& parts, size_t count, bool create,
                           Located& located) const;
    // The entry's name as the folder has it: the name itself, or one that
    // differs from it only in case.
    static std::string MatchedName(const native::Place& entry);

    std::string path_;
    native::OwnedHandle handle_;
};

// A file being written: an exclusive temporary with a name no other run uses
// ("<name>.<random>.tmp~") beside its target, which replaces the target on
// Commit and is removed when the NewFile goes without one. It has the
// permission bits mode when given, else those of the file it replaces, from
// the moment it is created, so that it is never more open than the file it
// becomes; a new file has the system's default.
class NewFile {
public:
    NewFile(BlockFolder& folder, std::string relative, std::optional<unsigned> mode = std::nullopt);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Creates the folders above the target and the temporary. Refused when
    // the target or a folder above it is a link, a folder or not a regular
    // file.
    FileResult Open();
    // Appends a piece; after a failure the first one is kept and returned.
    FileResult Write(std::string_view piece);
    // Gives the temporary its permissions, syncs it, and renames it over
    // the target.
    FileResult Commit();
    // Syncs the temporary and gives it the target's name only when nothing
    // has that name yet; taken is set when something has.
    FileResult CommitAsNew(bool& taken);

    // The temporary's name in its folder (empty before Open).
    const std::string& TemporaryName() const { return temporary_; }

private:
    void Discard();
    // Gives the temporary the permissions it was created with, exactly
    // (creating, the umask may have taken some away): mode_, else like's.
    void KeepMode(const native::Facts& like);
    // Syncs the temporary, closed afterwards; false with fault_ set.
    bool SyncTemporary();
    // After the rename: the folder synced, so the new name lasts.
    FileResult Placed();
    std::string Shown(const std::string& name) const { return located_.place.folderPath + name; }

    BlockFolder& folder_;
    std::string relative_;
    std::optional<unsigned> mode_;
    BlockFolder::Located located_;
    std::string target_, temporary_;
    native::OwnedHandle file_;
    FileResult fault_;
    // Bytes written since the disk was last asked to start writing them.
    std::size_t unsynced_ = 0;
    static constexpr std::size_t WRITEBACK_STEP = std::size_t{1} << 19;
};

// A regular file below the block folder, open for reading.
class FileReader {
public:
    // Reads at most size bytes; got is 0 at the end of the file.
    FileResult Read(char* into, size_t size, size_t& got);
    bool IsOpen() const { return file_.IsOpen(); }

private:
    friend class BlockFolder;
    native::OwnedHandle file_;
    std::string path_;
};

}  // namespace bw
