#include "run/written_record.h"

#include <cstdio>

#include "generation/paths.h"
#include "generation/splice_leftovers.h"

namespace bw {

namespace {

// FNV-1a, 64 bits: an edit is found unless it gives the same digest by
// chance, one in 2^64; nothing here guards against a deliberate one.
constexpr std::uint64_t FNV_BASIS = 14695981039346656037ull;
constexpr std::uint64_t FNV_PRIME = 1099511628211ull;

std::uint64_t Fold(std::uint64_t state, std::string_view bytes) {
    for (const char c : bytes) {
        state = (state ^ static_cast<unsigned char>(c)) * FNV_PRIME;
    }
    return state;
}

std::string Hex(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

constexpr std::string_view RECORD_HEAD =
    "# Tessaline Blockwright: a digest of what it last wrote into each file of this block.\n";

// The largest record read: two hundred files' lines are a few kilobytes.
constexpr std::uint64_t LARGEST_RECORD = 1 << 20;

}  // namespace

std::string WrittenDigest(const BlockFile& file, std::string_view bytes) {
    if (file.splice != nullptr) {
        return Hex(Fold(FNV_BASIS, WithoutUserSections(bytes, *file.splice)));
    }
    return Hex(Fold(FNV_BASIS, bytes));
}

void WrittenDigester::Take(std::string_view piece) {
    if (file_.splice != nullptr) {
        text_.append(piece);
        return;
    }
    state_ = Fold(begun_ ? state_ : FNV_BASIS, piece);
    begun_ = true;
}

std::string WrittenDigester::Digest() const {
    if (file_.splice != nullptr) {
        return WrittenDigest(file_, text_);
    }
    return Hex(begun_ ? state_ : FNV_BASIS);
}

WrittenRecord WrittenRecord::Read(const BlockFolder* folder) {
    WrittenRecord record;
    std::string bytes;
    if (folder == nullptr || folder->Look(WRITTEN_RECORD).kind != EntryKind::File ||
        !folder->Read(WRITTEN_RECORD, LARGEST_RECORD, bytes)) {
        return record;
    }
    // "<digest> <path>" a line; anything else (a line cut short) is passed over.
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        const std::string_view line = std::string_view(bytes).substr(at, end - at);
        const size_t blank = line.find(' ');
        if (!line.starts_with('#') && blank == 16 && line.size() > 17) {
            record.digests_[std::string(line.substr(17))] = std::string(line.substr(0, 16));
        }
        at = end + 1;
    }
    return record;
}

bool WrittenRecord::EditedByHand(const BlockFile& file, std::string_view bytes) const {
    const auto known = digests_.find(file.path);
    return known != digests_.end() && known->second != WrittenDigest(file, bytes);
}

void WrittenRecord::Note(const BlockFile& file, std::string digest) {
    std::string& noted = digests_[file.path];
    if (noted != digest) {
        noted = std::move(digest);
        changed_ = true;
    }
}

FileResult WrittenRecord::Save(BlockFolder& folder) const {
    if (!changed_) {
        return {};
    }
    std::string text(RECORD_HEAD);
    for (const auto& [path, digest] : digests_) {
        text += digest + " " + path + "\n";
    }
    return folder.Write(WRITTEN_RECORD, text);
}

Overwrite DecideOverwriteLosingEdits(BlockFolder& folder, const std::string& relative,
                                     const std::string& path, const Entry& entry,
                                     RunEnvironment& environment, OverwriteAnswer& lastAnswer,
                                     bool& editsYesToAll, const std::string& note) {
    const bool asks = !environment.Stopping && entry.kind != EntryKind::Missing &&
                      environment.prompts != nullptr && !editsYesToAll;
    if (!asks) {
        OverwriteAnswer answered = editsYesToAll ? OverwriteAnswer::YesToAll : lastAnswer;
        return DecideOverwrite(folder, relative, path, entry, environment, answered);
    }
    const OverwriteAnswer answer = environment.prompts->askOverwriteLosingEdits(
        path, note, entry.readOnly ? FileAccess::ReadOnly : FileAccess::Writable);
    switch (answer) {
        case OverwriteAnswer::Cancel:
            lastAnswer = answer;
            environment.Stopping = true;
            return Overwrite::Keep;
        case OverwriteAnswer::No:
            return Overwrite::Keep;  // this file only: a Yes to All given before still holds
        case OverwriteAnswer::YesToAll:
            editsYesToAll = true;
            lastAnswer = answer;
            break;
        case OverwriteAnswer::Yes:
            break;
    }
    // Answered: backed up and written as after any Yes.
    OverwriteAnswer answered = OverwriteAnswer::YesToAll;
    return DecideOverwrite(folder, relative, path, entry, environment, answered);
}

std::string EditedByHandNote(const std::string& copy) {
    return "The file was edited by hand since Blockwright last wrote it: the edits will be "
           "replaced, a copy kept in " +
           DisplayPath(copy) + ".";
}

std::string SectionsNotCarriedNote(const std::string& copy) {
    return "Its user sections are not carried over: what was typed there will be replaced, a "
           "copy kept in " +
           DisplayPath(copy) + ".";
}

}  // namespace bw
