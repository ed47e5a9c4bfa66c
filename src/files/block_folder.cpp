#include "files/block_folder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "files/path_calls.h"
#include "files/path_text.h"
#include "files/root_folder.h"
#include "files/this_system.h"
#include "files/wide_text.h"

namespace bw {

namespace {

constexpr char SEPARATOR = RUNNING_ON_WINDOWS ? '\\' : '/';

constexpr int NAME_ATTEMPTS = 16;
constexpr size_t COPY_PIECE = 256 * 1024;

// The components of a relative path; none when one is empty, "." or "..".
std::vector<std::string> Components(std::string_view relative) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= relative.size(); ++i) {
        if (i < relative.size() && !IsSeparator(relative[i])) {
            continue;
        }
        const std::string_view part = relative.substr(start, i - start);
        if (part.empty() || part == "." || part == "..") {
            return {};
        }
        parts.emplace_back(part);
        start = i + 1;
    }
    return parts;
}

std::string NativeSeparators(std::string_view relative) {
    std::string path(relative);
    for (char& c : path) {
        if (IsSeparator(c)) {
            c = SEPARATOR;
        }
    }
    return path;
}

EntryKind KindOf(native::Kind kind) {
    switch (kind) {
        case native::Kind::Missing:
            return EntryKind::Missing;
        case native::Kind::File:
            return EntryKind::File;
        case native::Kind::Folder:
            return EntryKind::Folder;
        case native::Kind::Link:
            return EntryKind::Link;
        case native::Kind::Other:
            return EntryKind::Other;
    }
    return EntryKind::Other;
}

FileResult LinkRefused(const std::string& path) {
    return FileResult::Failed(BlockFolder::LinkMessage(path));
}

// Why an entry that should be a regular file is not one, or nothing.
FileResult NotAFile(std::string_view doing, const std::string& path, native::Kind kind) {
    switch (kind) {
        case native::Kind::Link:
            return LinkRefused(path);
        case native::Kind::Folder:
            return FileResult::Fault(doing, path, "it is a folder, not a file");
        case native::Kind::Other:
            return FileResult::Fault(doing, path,
                                     "it is not a regular file (a device, a pipe or a socket)");
        case native::Kind::Missing:
        case native::Kind::File:
            break;
    }
    return {};
}

// Why an entry could not be opened: what it is, when that is not a regular
// file (Windows refuses to open a folder as a file), else the system's reason.
FileResult OpenFault(std::string_view doing, const native::Place& place, int error) {
    native::Facts facts;
    native::Look(place, facts);
    if (FileResult refused = NotAFile(doing, place.Path(), facts.kind); !refused) {
        return refused;
    }
    return FileResult::SystemFault(doing, place.Path(), error);
}

// A path with its separators at the end taken off: "" for "/" and "".
std::string WithoutClosingSeparators(std::string path) {
    while (!path.empty() && IsSeparator(path.back())) {
        path.pop_back();
    }
    return path;
}

// A folder a run creates is no more open to others than the one it is
// created in; its owner keeps every right to it.
unsigned NewFolderMode(native::Handle parent) {
    native::Facts facts;
    return native::Describe(parent, facts) == 0 ? 0700 | (facts.mode & 077) : 0700;
}

// The permission bits a file is created with, so that it is never more open
// than its model (the umask may take more away).
unsigned CreationMode(const std::optional<unsigned>& mode, const native::Facts& target) {
    if (mode) {
        return *mode & 0777;
    }
    return target.kind == native::Kind::File ? target.mode & 0777 : 0666;
}

std::string HexNumber(std::uint64_t number) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(number & 0xffffffffu));
    return text;
}

std::string SizeText(std::uint64_t bytes) {
    constexpr std::uint64_t MB = 1 << 20;
    return bytes >= MB && bytes % MB == 0 ? std::to_string(bytes / MB) + " MB"
                                          : std::to_string(bytes) + " bytes";
}

// Reads the open file whole, refusing one longer than limit.
FileResult ReadOpened(native::Handle file, const std::string& path, std::uint64_t limit,
                      std::string& bytes) {
    native::Facts facts;
    if (const int error = native::Describe(file, facts)) {
        return FileResult::SystemFault("read", path, error);
    }
    if (FileResult refused = NotAFile("read", path, facts.kind); !refused) {
        return refused;
    }
    const auto tooLarge = [&] {
        return FileResult::Fault(
            "read", path,
            "it is larger than " + SizeText(limit) + ", far more than this file can hold");
    };
    if (facts.size > limit) {
        return tooLarge();
    }
    // Read to the end rather than trusting the size: the file may grow.
    bytes.clear();
    // Room for the whole file and the read that finds its end, so that the
    // bytes are neither moved nor cleared twice.
    bytes.reserve(static_cast<size_t>(facts.size) + COPY_PIECE);
    for (;;) {
        const size_t used = bytes.size();
        const std::uint64_t wanted = used < facts.size ? facts.size - used : COPY_PIECE;
        const size_t room = static_cast<size_t>(std::min<std::uint64_t>(limit + 1 - used, wanted));
        bytes.resize(used + room);
        size_t got = 0;
        const int error = native::Read(file, bytes.data() + used, room, got);
        bytes.resize(used + got);
        if (error) {
            return FileResult::SystemFault("read", path, error);
        }
        if (bytes.size() > limit) {
            bytes.clear();
            return tooLarge();
        }
        if (got == 0) {
            return {};
        }
    }
}

}  // namespace

FileResult ReadRegularFile(const std::string& path, std::uint64_t limit, std::string& bytes) {
    native::Handle handle = native::NoHandle();
    if (const int error = native::OpenPathToRead(path, handle)) {
        return FileResult::SystemFault("read", path, error);
    }
    const native::OwnedHandle file(handle);
    return ReadOpened(file.Get(), path, limit, bytes);
}

FileResult ReplaceNamedFile(const std::string& path, std::string_view bytes) {
    std::filesystem::path file = FileSystemPath(path);
    std::error_code ec;
    if (std::filesystem::is_symlink(file, ec)) {
        const std::filesystem::path named = std::filesystem::weakly_canonical(file, ec);
        if (ec) {
            return FileResult::Fault("follow the link", path, ec.message());
        }
        file = named;
    }
    std::filesystem::path folderPath = file.parent_path();
    if (folderPath.empty()) {
        folderPath = ".";
    }
    const std::string folderText = PathText(folderPath);
    const std::string name = PathText(file.filename());
    std::unique_ptr<BlockFolder> folder;
    if (FileResult opened = BlockFolder::Open(folderText, false, folder); !opened) {
        return opened;
    }
    return folder->Write(name, bytes);
}

BlockFolder::BlockFolder(std::string path, native::OwnedHandle handle)
    : path_(std::move(path)), handle_(std::move(handle)) {}

FileResult BlockFolder::Open(const std::string& path, bool create,
                             std::unique_ptr<BlockFolder>& folder) {
    const std::string trimmed = WithoutClosingSeparators(path);
    if (path.empty()) {
        return FileResult::Failed("No block folder is given: an empty directory names none");
    }
    const auto rootRefused = [&] {
        return FileResult::Failed(path + " is a root folder, which is never a block folder");
    };
    if (NamesRootFolderHere(path)) {
        return rootRefused();
    }
    if (create) {
        if (const int error = native::MakeFolders(trimmed)) {
            return FileResult::SystemFault("create the folder", trimmed, error);
        }
    }
    native::Handle handle = native::NoHandle();
    if (const int error = native::OpenFolder(trimmed, handle)) {
        if (native::IsLinkRefused(error)) {
            return FileResult::Failed(trimmed +
                                      " is a link or not a folder; a block folder must be a "
                                      "folder itself");
        }
        return FileResult::SystemFault("open the folder", trimmed, error);
    }
    // However the path reached it (a link above the folder, a bind mount).
    if (native::IsRootFolder(handle)) {
        native::Close(handle);
        return rootRefused();
    }
    folder.reset(new BlockFolder(trimmed + SEPARATOR, native::OwnedHandle(handle)));
    return {};
}

std::string BlockFolder::PathOf(std::string_view relative) const {
    return path_ + NativeSeparators(relative);
}

std::string BlockFolder::FoundPathOf(std::string_view relative) const {
    Located located;
    return Locate(relative, false, located) ? located.place.Path() : PathOf(relative);
}

FileResult BlockFolder::Locate(std::string_view relative, bool create, Located& located) const {
    const std::vector<std::string> parts = Components(relative);
    if (parts.empty()) {
        return FileResult::Failed(PathOf(relative) + " does not name a file inside " + path_);
    }
    if (FileResult opened = OpenFolders(parts, parts.size() - 1, create, located); !opened) {
        return opened;
    }
    located.place.name =
        MatchedName({located.place.folder, located.place.folderPath, parts.back()});
    return {};
}

std::string BlockFolder::MatchedName(const native::Place& entry) {
    if (FILE_NAMES_IGNORE_CASE) {
        return entry.name;  // the system itself does
    }
    native::Facts facts;
    if (!native::IsMissing(native::Look(entry, facts))) {
        return entry.name;
    }
    std::vector<std::string> names;
    native::ListNames(entry, entry.folder, names);
    return FirstNameIgnoringCase(names, entry.name);
}

FileResult BlockFolder::LocateFolder(std::string_view relative, bool create,
                                     Located& located) const {
    const std::vector<std::string> parts = Components(relative);
    if (parts.empty() && !relative.empty()) {
        return FileResult::Failed(PathOf(relative) + " does not name a folder inside " + path_);
    }
    return OpenFolders(parts, parts.size(), create, located);
}

FileResult BlockFolder::OpenFolders(const std::vector<std::string>& parts, size_t count,
                                    bool create, Located& located) const {
    located.owned.Reset(native::NoHandle());
    located.place = {handle_.Get(), path_, ""};
    for (size_t i = 0; i < count; ++i) {
        const native::Place entry{
            located.place.folder, located.place.folderPath,
            MatchedName({located.place.folder, located.place.folderPath, parts[i]})};
        native::Handle next = native::NoHandle();
        const char* doing = "open the folder";
        int error = native::OpenSubfolder(entry, next);
        if (error && create && native::IsMissing(error)) {
            doing = "create the folder";
            error = native::MakeSubfolder(entry, NewFolderMode(located.place.folder));
            if (!error) {
                error = native::OpenSubfolder(entry, next);
            }
        }
        if (error) {
            native::Facts facts;
            native::Look(entry, facts);
            if (facts.kind == native::Kind::Link) {
                return LinkRefused(entry.Path());
            }
            return FileResult::SystemFault(doing, entry.Path(), error);
        }
        located.owned.Reset(next);
        located.place = {next, entry.Path() + SEPARATOR, ""};
    }
    return {};
}

Entry BlockFolder::Look(std::string_view relative) const {
    Located located;
    if (!Locate(relative, false, located)) {
        return {};
    }
    native::Facts facts;
    native::Look(located.place, facts);
    return {KindOf(facts.kind), facts.readOnly, facts.size, facts.mode};
}

FileResult BlockFolder::Read(std::string_view relative, std::uint64_t limit,
                             std::string& bytes) const {
    FileReader reader;
    if (FileResult opened = OpenToRead(relative, reader); !opened) {
        return opened;
    }
    return ReadOpened(reader.file_.Get(), reader.path_, limit, bytes);
}

FileResult BlockFolder::OpenToRead(std::string_view relative, FileReader& reader) const {
    Located located;
    if (FileResult found = Locate(relative, false, located); !found) {
        return found;
    }
    native::Handle handle = native::NoHandle();
    if (const int error = native::OpenToRead(located.place, handle)) {
        return OpenFault("read", located.place, error);
    }
    native::OwnedHandle file(handle);
    native::Facts facts;
    if (const int error = native::Describe(file.Get(), facts)) {
        return FileResult::SystemFault("read", located.place.Path(), error);
    }
    if (FileResult refused = NotAFile("read", located.place.Path(), facts.kind); !refused) {
        return refused;
    }
    reader.file_ = std::move(file);
    reader.path_ = located.place.Path();
    return {};
}

FileResult FileReader::Read(char* into, size_t size, size_t& got) {
    if (const int error = native::Read(file_.Get(), into, size, got)) {
        return FileResult::SystemFault("read", path_, error);
    }
    return {};
}

FileResult BlockFolder::Write(std::string_view relative, std::string_view bytes) {
    NewFile file(*this, std::string(relative));
    FileResult result = file.Open();
    if (result) {
        result = file.Write(bytes);
    }
    return result ? file.Commit() : result;
}

FileResult BlockFolder::WriteNew(std::string_view relative, std::string_view bytes, bool& taken,
                                 std::optional<unsigned> mode) {
    taken = false;
    NewFile file(*this, std::string(relative), mode);
    FileResult result = file.Open();
    if (!result) {
        // Whatever has the name (a link, a folder) makes it taken.
        taken = Look(relative).kind != EntryKind::Missing;
        return result;
    }
    result = file.Write(bytes);
    return result ? file.CommitAsNew(taken) : result;
}

FileResult BlockFolder::Copy(std::string_view from, std::string_view to, std::uint64_t limit) {
    Located source;
    if (FileResult found = Locate(from, false, source); !found) {
        return found;
    }
    native::Handle handle = native::NoHandle();
    if (const int error = native::OpenToRead(source.place, handle)) {
        return OpenFault("copy", source.place, error);
    }
    const native::OwnedHandle in(handle);
    native::Facts facts;
    if (const int error = native::Describe(in.Get(), facts)) {
        return FileResult::SystemFault("read", source.place.Path(), error);
    }
    if (FileResult refused = NotAFile("copy", source.place.Path(), facts.kind); !refused) {
        return refused;
    }
    // A file far larger than anything the program writes (a sparse one of
    // many gigabytes) would fill the disk with its copy.
    const auto tooLarge = [&] {
        return FileResult::Fault(
            "copy", source.place.Path(),
            "it is larger than " + SizeText(limit) + ", far more than any file Blockwright writes");
    };
    if (facts.size > limit) {
        return tooLarge();
    }
    NewFile copy(*this, std::string(to), facts.mode);
    if (FileResult opened = copy.Open(); !opened) {
        return opened;
    }
    std::string piece(COPY_PIECE, '\0');
    for (std::uint64_t copied = 0;;) {
        size_t got = 0;
        if (const int error = native::Read(in.Get(), piece.data(), piece.size(), got)) {
            return FileResult::SystemFault("read", source.place.Path(), error);
        }
        if (got == 0) {
            return copy.Commit();
        }
        copied += got;
        if (copied > limit) {
            return tooLarge();  // it grew meanwhile; the partial copy goes
        }
        if (FileResult written = copy.Write(std::string_view(piece.data(), got)); !written) {
            return written;
        }
    }
}

FileResult BlockFolder::Rename(std::string_view from, std::string_view to) {
    Located source, target;
    if (FileResult found = Locate(from, false, source); !found) {
        return found;
    }
    if (FileResult found = Locate(to, true, target); !found) {
        return found;
    }
    native::Facts facts;
    native::Look(source.place, facts);
    if (FileResult refused = NotAFile("rename", source.place.Path(), facts.kind); !refused) {
        return refused;
    }
    native::Look(target.place, facts);
    if (FileResult refused = NotAFile("replace", target.place.Path(), facts.kind); !refused) {
        return refused;
    }
    if (const int error = native::Rename(source.place, target.place)) {
        return FileResult::Failed("Cannot rename " + source.place.Path() + " to " +
                                  target.place.Path() + ": " + SystemReason(error));
    }
    if (const int error = native::SyncFolder(target.place.folder)) {
        return FileResult::SystemFault("sync the folder", target.place.folderPath, error);
    }
    return {};
}

FileResult BlockFolder::Remove(std::string_view relative) {
    Located located;
    if (FileResult found = Locate(relative, false, located); !found) {
        return found;
    }
    if (const int error = native::Remove(located.place)) {
        return FileResult::SystemFault("remove", located.place.Path(), error);
    }
    return {};
}

std::string BlockFolder::LinkMessage(const std::string& path) {
    return path +
           " is a link; Blockwright follows no link inside a block folder and writes nothing "
           "through one";
}

bool BlockFolder::IsTemporaryName(std::string_view name) {
    // A file being written, "<name>.<random>.tmp~" (also without the random
    // part), and a backup's partial copy, "<name>.part~".
    return name.ends_with(".tmp~") || name.ends_with(".part~");
}

std::vector<std::string> BlockFolder::Names(std::string_view folder) const {
    std::vector<std::string> names;
    Located located;
    if (LocateFolder(folder, false, located)) {
        native::ListNames(located.place, located.place.folder, names);
    }
    return names;
}

std::vector<std::string> BlockFolder::Leftovers(const std::vector<std::string>& folders) const {
    std::vector<std::string> leftovers;
    for (const std::string& relative : folders) {
        Located located;
        if (!LocateFolder(relative, false, located)) {
            continue;
        }
        const native::Place& folder = located.place;
        std::vector<std::string> names;
        native::ListNames(folder, folder.folder, names);
        for (const std::string& name : names) {
            native::Facts facts;
            native::Look({folder.folder, folder.folderPath, name}, facts);
            if (IsTemporaryName(name) && facts.kind == native::Kind::File) {
                leftovers.push_back(relative.empty() ? name : relative + "/" + name);
            }
        }
    }
    return leftovers;
}

FileResult BlockFolder::RemoveLeftovers(const std::vector<std::string>& leftovers) {
    for (const std::string& leftover : leftovers) {
        Located located;
        if (!Locate(leftover, false, located)) {
            continue;
        }
        const int error = native::Remove(located.place);
        if (error && !native::IsMissing(error)) {
            return FileResult::Failed("Cannot remove " + located.place.Path() +
                                      ", a temporary file left by an earlier run that was "
                                      "stopped: " +
                                      SystemReason(error));
        }
    }
    return {};
}

NewFile::NewFile(BlockFolder& folder, std::string relative, std::optional<unsigned> mode)
    : folder_(folder), relative_(std::move(relative)), mode_(mode) {}

NewFile::~NewFile() {
    Discard();
}

void NewFile::Discard() {
    if (!temporary_.empty()) {
        file_.Reset(native::NoHandle());
        native::Remove({located_.place.folder, located_.place.folderPath, temporary_});
        temporary_.clear();
    }
}

FileResult NewFile::Open() {
    if (FileResult found = folder_.Locate(relative_, true, located_); !found) {
        return fault_ = found;
    }
    target_ = located_.place.name;
    native::Facts facts;
    native::Look(located_.place, facts);
    if (FileResult refused = NotAFile("write", located_.place.Path(), facts.kind); !refused) {
        return fault_ = refused;
    }
    for (int attempt = 0; attempt < NAME_ATTEMPTS; ++attempt) {
        const std::string name = target_ + "." + HexNumber(native::RandomNumber()) + ".tmp~";
        native::Handle handle = native::NoHandle();
        const int error =
            native::CreateExclusive({located_.place.folder, located_.place.folderPath, name},
                                    handle, CreationMode(mode_, facts));
        if (!error) {
            temporary_ = name;
            file_.Reset(handle);
            return {};
        }
        native::Facts existing;
        native::Look({located_.place.folder, located_.place.folderPath, name}, existing);
        if (existing.kind == native::Kind::Missing) {
            return fault_ = FileResult::SystemFault("create", Shown(name), error);
        }
        // Taken, by another program or a planted entry: another name.
    }
    return fault_ = FileResult::Failed("Cannot create a temporary file beside " +
                                       located_.place.Path() + ": every name tried is taken");
}

FileResult NewFile::Write(std::string_view piece) {
    if (!fault_) {
        return fault_;
    }
    if (!file_.IsOpen()) {
        return fault_ = FileResult::Failed("Cannot write " + folder_.PathOf(relative_) +
                                           ": it was not opened");
    }
    if (const int error = native::WriteAll(file_.Get(), piece)) {
        fault_ = FileResult::SystemFault("write", Shown(temporary_), error);
        Discard();
        return fault_;
    }
    // A large file's data goes out to the disk while the rest is produced,
    // and the sync before the rename waits only for its last part.
    unsynced_ += piece.size();
    if (unsynced_ >= WRITEBACK_STEP) {
        native::StartWriteback(file_.Get());
        unsynced_ = 0;
    }
    return fault_;
}

void NewFile::KeepMode(const native::Facts& like) {
    native::Facts mode = like;
    if (mode_) {
        mode.kind = native::Kind::File;
        mode.mode = *mode_ & 0777;
        mode.readOnly = (mode.mode & 0222) == 0;
    }
    if (mode.kind != native::Kind::File) {
        return;  // a new file: the system's default
    }
    if (const int error = native::SetMode(file_.Get(), mode)) {
        fault_ = FileResult::SystemFault("set the permissions of", Shown(temporary_), error);
    }
}

bool NewFile::SyncTemporary() {
    if (fault_ && !file_.IsOpen()) {
        fault_ =
            FileResult::Failed("Cannot write " + folder_.PathOf(relative_) + ": it was not opened");
    }
    if (fault_) {
        if (const int error = native::Sync(file_.Get())) {
            fault_ = FileResult::SystemFault("sync", Shown(temporary_), error);
        }
    }
    file_.Reset(native::NoHandle());
    return static_cast<bool>(fault_);
}

FileResult NewFile::Commit() {
    if (fault_ && file_.IsOpen()) {
        native::Facts previous;
        native::Look(located_.place, previous);
        if (FileResult refused = NotAFile("replace", located_.place.Path(), previous.kind);
            !refused) {
            fault_ = refused;
        } else {
            KeepMode(previous);
        }
    }
    if (!SyncTemporary()) {
        Discard();
        return fault_;
    }
    const native::Place temporary{located_.place.folder, located_.place.folderPath, temporary_};
    if (const int error = native::Rename(temporary, located_.place)) {
        fault_ = FileResult::Failed("Cannot rename " + temporary.Path() + " to " +
                                    located_.place.Path() + ": " + SystemReason(error));
        Discard();
        return fault_;
    }
    return Placed();
}

FileResult NewFile::CommitAsNew(bool& taken) {
    taken = false;
    if (fault_ && file_.IsOpen()) {
        KeepMode(native::Facts{});
    }
    if (!SyncTemporary()) {
        Discard();
        return fault_;
    }
    const native::Place temporary{located_.place.folder, located_.place.folderPath, temporary_};
    if (const int error = native::RenameAsNew(temporary, located_.place)) {
        taken = native::IsTaken(error);
        fault_ = FileResult::SystemFault("create", located_.place.Path(), error);
        Discard();
        return fault_;
    }
    return Placed();
}

FileResult NewFile::Placed() {
    temporary_.clear();
    if (const int error = native::SyncFolder(located_.place.folder)) {
        fault_ = FileResult::SystemFault("sync the folder", located_.place.folderPath, error);
    }
    return fault_;
}

}  // namespace bw
