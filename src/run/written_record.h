#pragma once

// What the program last wrote into each file of a block folder, kept as a
// digest in the folder's "KRSave", so that a later run can tell a file the
// user edited by hand since from one the program left as it was: the page
// marks it, and the overwrite question names it with No as its answer.
//
// The record lives in the block folder, so it moves and is copied with the
// block; it is rewritten whole, through a temporary, after each run that
// wrote or found a file as the program writes it. A record that is missing
// or unreadable knows no file: nothing is then taken for edited by hand, and
// the record is begun again by the next run.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "files/block_folder.h"
#include "generation/overwrite.h"
#include "run/file_set.h"

namespace bw {

// Where the record is, relative to the block folder.
inline const std::string WRITTEN_RECORD = std::string(BACKUP_FOLDER) + "/.blockwright-written";

// The digest of a file's bytes as the program writes them. The lines between
// the markers of a file's user sections are the user's and are left out, so
// typing there is no edit by hand; every other byte counts.
std::string WrittenDigest(const BlockFile& file, std::string_view bytes);

// The same for a text handed over in pieces as it is written.
class WrittenDigester : public TextSink {
public:
    explicit WrittenDigester(const BlockFile& file) : file_(file) {}
    void Take(std::string_view piece) override;
    std::string Digest() const;

private:
    const BlockFile& file_;
    std::string text_;         // a file with user sections, kept whole
    std::uint64_t state_ = 0;  // the digest so far of any other file
    bool begun_ = false;
};

class WrittenRecord {
public:
    // The record of folder (none yet when it is null or holds none).
    static WrittenRecord Read(const BlockFolder* folder);

    // True when the file, holding bytes, is not as the program last wrote or
    // found it; false for a file the record does not know.
    bool EditedByHand(const BlockFile& file, std::string_view bytes) const;
    // The file holds what the program writes (its digest).
    void Note(const BlockFile& file, std::string digest);
    // Writes the record when a run noted anything new.
    FileResult Save(BlockFolder& folder) const;

private:
    std::map<std::string, std::string> digests_;  // by the file's path in the set
    bool changed_ = false;
};

// The overwrite decision for a file whose hand edits the replacement would
// lose: the question says so in note, and a Yes to All given for a file
// without hand edits does not answer it. editsYesToAll holds a Yes to All
// given to this question, which answers it for the rest of the run. The
// backup and the rest are as DecideOverwrite's.
Overwrite DecideOverwriteLosingEdits(BlockFolder& folder, const std::string& relative,
                                     const std::string& path, const Entry& entry,
                                     RunEnvironment& environment, OverwriteAnswer& lastAnswer,
                                     bool& editsYesToAll, const std::string& note);

// What the overwrite question says of a file edited by hand since the program
// last wrote it, and of one whose user sections are not carried over; copy is
// where the backup keeps it.
std::string EditedByHandNote(const std::string& copy);
std::string SectionsNotCarriedNote(const std::string& copy);

}  // namespace bw
