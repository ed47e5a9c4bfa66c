#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "definition/seams.h"
#include "generation/output_file.h"

namespace bw {

// Copies an existing file into the "KRSave" folder beside it, replacing an
// older copy, so the folder keeps the version most recently replaced. When the
// copy fails the user is asked whether to overwrite the file anyway; true means
// go on and write it, false means leave it alone. A path with no file behind
// it needs no backup (true).
bool Backup(const std::string& path, UserPrompts& prompts);

// True when a file that holds existing needs no replacing by generated: the
// same bytes, apart from the date and time that a file head gives as its
// creation (a file whose text is as it was keeps the time it was made).
bool SameContent(std::string_view existing, std::string_view generated);

// SameContent for the file at path, read piece by piece so that a large file
// is never held whole; nothing when the file cannot be read.
std::optional<bool> FileHasSameContent(const std::string& path, std::string_view generated);

// The same comparison for a text handed over in pieces as it is produced:
// neither the text nor the file is ever held whole.
class ContentComparison : public TextSink {
public:
    explicit ContentComparison(const std::string& path);
    ~ContentComparison() override;
    ContentComparison(const ContentComparison&) = delete;
    ContentComparison& operator=(const ContentComparison&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    void Take(std::string_view generated) override;
    // At the end of the text: whether the file holds it; nothing when the
    // file could not be read.
    std::optional<bool> Result();

private:
    bool CompareHeads();
    void Match(std::string_view generated);
    std::string_view NextPiece();

    static constexpr size_t PIECE = 64 * 1024;  // read at a time

    std::FILE* file_ = nullptr;
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

// The overwrite decision for one file of a run. Asks the overwrite question for
// an existing file unless lastAnswer is Yes to All (the answer becomes the new
// lastAnswer; Cancel also sets environment.Stopping), then backs the file up.
// True when the file is to be written: a new file always, an existing one
// after Yes or Yes to All and a backup (or the user's consent without one).
// Once Stopping is set, or without prompts for an existing file, nothing is
// to be written (false, nothing asked).
bool DecideOverwrite(const std::string& path, RunEnvironment& environment,
                     OverwriteAnswer& lastAnswer);

}  // namespace bw
