#pragma once

// Whether a file already holds what would be generated: the same bytes, apart
// from the creation date and time of a file head, so that a file whose text
// is as it was is left alone.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "files/block_folder.h"
#include "generation/output_file.h"

namespace bw {

// True when a file that holds existing needs no replacing by generated: the
// same bytes, apart from the date and time that a file head gives as its
// creation (a file whose text is as it was keeps the time it was made).
bool SameContent(std::string_view existing, std::string_view generated);

// SameContent for the file at relative below folder, read piece by piece so
// that a large file is never held whole; nothing when it cannot be read.
std::optional<bool> FileHasSameContent(const BlockFolder& folder, std::string_view relative,
                                       std::string_view generated);

// The same comparison for a text handed over in pieces as it is produced:
// neither the text nor the file is ever held whole.
class ContentComparison : public TextSink {
public:
    // Compares with the file at relative below folder.
    ContentComparison(const BlockFolder& folder, std::string_view relative);

    bool IsOpen() const { return file_.IsOpen(); }
    void Take(std::string_view generated) override;
    // At the end of the text: whether the file holds it; nothing when the
    // file could not be read.
    std::optional<bool> Result();

private:
    bool CompareHeads();
    void Match(std::string_view generated);
    std::string_view NextPiece();

    static constexpr size_t PIECE = 64 * 1024;  // read at a time

    // Reads what follows in the file; false when it cannot be read.
    bool ReadMore(char* into, size_t size, size_t& got);

    FileReader file_;
    std::string head_;               // the text's head, until it is complete
    int headLines_ = 0;              // the line ends in it
    std::string headRest_;           // what the file's head was read with
    std::unique_ptr<char[]> piece_;  // room for the pieces read after it
    std::string_view pending_;       // bytes read from the file and not yet matched
    bool headDone_ = false;
    bool differs_ = false;
    bool unreadable_ = false;
};

// The same comparison for a text handed over in pieces as it is produced,
// against bytes already in memory (existing must outlive it): while the two
// agree only the text's head is kept, and the rest from the first difference.
class ComparedText : public TextSink {
public:
    explicit ComparedText(std::string_view existing) : existing_(existing) {}

    void Take(std::string_view generated) override;
    // At the end of the text: whether existing holds it.
    bool Same() const;
    // The whole text handed over.
    std::string TakeText();

private:
    void CompareHead();
    void Match(std::string_view generated);

    std::string_view existing_;
    std::string kept_;        // the text up to where it is matched without being kept
    size_t matchedFrom_ = 0;  // where in existing the matched bytes after kept_ start
    size_t matchedTo_ = 0;    // and where they end
    int headLines_ = 0;       // the line ends kept while the head is incomplete
    bool headDone_ = false;
    bool differs_ = false;
};

}  // namespace bw
