#include "generation/same_content.h"

#include <algorithm>
#include <memory>

namespace bw {

namespace {

// The lines of a file head that name when it was made, and how far into a
// file the head reaches.
constexpr std::string_view STAMP_LINES[] = {"//    Creation Date: ", "//    Creation Time: "};
constexpr int HEAD_LINES = 40;

// The line of text that starts at from, with its line end (empty at the end).
std::string_view LineAt(std::string_view text, size_t from) {
    const size_t lf = text.find('\n', from);
    return text.substr(from, lf == std::string_view::npos ? lf : lf + 1 - from);
}

bool SameStampLine(std::string_view a, std::string_view b) {
    const auto ending = [](std::string_view line) {
        return line.ends_with("\r\n") ? 2 : line.ends_with("\n") ? 1 : 0;
    };
    for (std::string_view stamp : STAMP_LINES) {
        if (a.starts_with(stamp) && b.starts_with(stamp)) {
            return ending(a) == ending(b);
        }
    }
    return false;
}

}  // namespace

namespace {

// Compares the heads of existing and generated, line by line, and moves a and
// b past them.
bool SameHead(std::string_view existing, std::string_view generated, size_t& a, size_t& b) {
    for (int line = 0; line < HEAD_LINES && a < existing.size() && b < generated.size(); ++line) {
        const std::string_view lineA = LineAt(existing, a);
        const std::string_view lineB = LineAt(generated, b);
        if (lineA != lineB && !SameStampLine(lineA, lineB)) {
            return false;
        }
        a += lineA.size();
        b += lineB.size();
    }
    return true;
}

// The head is read in pieces about the size of a head.
constexpr size_t HEAD_PIECE = 4 * 1024;

// Reads pieces of file into bytes until they hold the head, or the file ends.
bool ReadHead(FileReader& file, std::string& bytes) {
    auto lines = 0;
    for (;;) {
        const size_t used = bytes.size();
        bytes.resize(used + HEAD_PIECE);
        size_t got = 0;
        const bool read = static_cast<bool>(file.Read(bytes.data() + used, HEAD_PIECE, got));
        bytes.resize(used + got);
        lines += static_cast<int>(
            std::count(bytes.begin() + static_cast<ptrdiff_t>(used), bytes.end(), '\n'));
        if (!read || got == 0 || lines >= HEAD_LINES) {
            return read;
        }
    }
}

int LineEnds(std::string_view text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

bool SameContent(std::string_view existing, std::string_view generated) {
    size_t a = 0;
    size_t b = 0;
    return SameHead(existing, generated, a, b) && existing.substr(a) == generated.substr(b);
}

std::optional<bool> FileHasSameContent(const BlockFolder& folder, std::string_view relative,
                                       std::string_view generated) {
    ContentComparison comparison(folder, relative);
    comparison.Take(generated);
    return comparison.Result();
}

ContentComparison::ContentComparison(const BlockFolder& folder, std::string_view relative) {
    folder.OpenToRead(relative, file_);
}

bool ContentComparison::ReadMore(char* into, size_t size, size_t& got) {
    if (!file_.Read(into, size, got)) {
        unreadable_ = true;
        got = 0;
        return false;
    }
    return true;
}

void ContentComparison::Take(std::string_view generated) {
    if (differs_ || !file_.IsOpen()) {
        return;
    }
    if (headDone_) {
        Match(generated);
    } else {
        head_.append(generated);
        headLines_ += LineEnds(generated);
        if (headLines_ >= HEAD_LINES) {
            headDone_ = true;
            differs_ = !CompareHeads();
        }
    }
}

std::optional<bool> ContentComparison::Result() {
    if (!file_.IsOpen()) {
        return std::nullopt;
    }
    if (!headDone_ && !differs_) {
        headDone_ = true;
        differs_ = !CompareHeads();
    }
    if (!differs_ && pending_.empty()) {
        // The file must end where the text does.
        char extra = 0;
        size_t got = 0;
        differs_ = ReadMore(&extra, 1, got) && got != 0;
    }
    if (unreadable_) {
        return std::nullopt;
    }
    return !differs_ && pending_.empty();
}

// The text's head against the file's, then what follows the head in both.
bool ContentComparison::CompareHeads() {
    std::string existing;
    if (!ReadHead(file_, existing)) {
        unreadable_ = true;
        return false;
    }
    size_t a = 0;
    size_t b = 0;
    if (!SameHead(existing, head_, a, b)) {
        return false;
    }
    headRest_ = existing.substr(a);
    pending_ = headRest_;
    Match(std::string_view(head_).substr(b));
    head_.clear();
    return !differs_;
}

// The text against the file's bytes that follow, read as they are needed.
void ContentComparison::Match(std::string_view generated) {
    while (!generated.empty() && !differs_) {
        if (pending_.empty()) {
            pending_ = NextPiece();
            if (pending_.empty()) {
                differs_ = true;  // the file ends before the text does
                return;
            }
        }
        const size_t n = std::min(generated.size(), pending_.size());
        differs_ = generated.substr(0, n) != pending_.substr(0, n);
        pending_.remove_prefix(n);
        generated.remove_prefix(n);
    }
}

// The file's bytes that follow those taken.
std::string_view ContentComparison::NextPiece() {
    if (!piece_) {
        piece_ = std::make_unique_for_overwrite<char[]>(PIECE);
    }
    size_t got = 0;
    ReadMore(piece_.get(), PIECE, got);
    return std::string_view(piece_.get(), got);
}

void ComparedText::Take(std::string_view generated) {
    if (differs_) {
        kept_.append(generated);
    } else if (headDone_) {
        Match(generated);
    } else {
        kept_.append(generated);
        headLines_ += LineEnds(generated);
        if (headLines_ >= HEAD_LINES) {
            CompareHead();
        }
    }
}

bool ComparedText::Same() const {
    if (!headDone_ && !differs_) {
        return SameContent(existing_, kept_);  // a text shorter than a head
    }
    return !differs_ && matchedTo_ == existing_.size();
}

std::string ComparedText::TakeText() {
    kept_.append(existing_.substr(matchedFrom_, matchedTo_ - matchedFrom_));
    matchedFrom_ = matchedTo_;
    return std::move(kept_);
}

// The text's head against existing's, then what was kept after the head
// against the bytes that follow it. The head stays kept either way.
void ComparedText::CompareHead() {
    headDone_ = true;
    size_t a = 0;
    size_t b = 0;
    differs_ = !SameHead(existing_, kept_, a, b) ||
               std::string_view(kept_).substr(b) != existing_.substr(a, kept_.size() - b);
    if (!differs_) {
        matchedFrom_ = matchedTo_ = a + (kept_.size() - b);
    }
}

// The text against the bytes of existing that follow; from the first
// difference on the text is kept, after the bytes it matched up to there.
void ComparedText::Match(std::string_view generated) {
    const std::string_view expected = existing_.substr(matchedTo_, generated.size());
    if (generated == expected) {  // the common case, compared a word at a time
        matchedTo_ += generated.size();
        return;
    }
    const size_t same = static_cast<size_t>(
        std::mismatch(generated.begin(), generated.end(), expected.begin(), expected.end()).first -
        generated.begin());
    if (same == generated.size()) {
        matchedTo_ += same;
        return;
    }
    differs_ = true;
    kept_.reserve(existing_.size() + existing_.size() / 16);
    kept_.append(existing_.substr(matchedFrom_, matchedTo_ + same - matchedFrom_));
    kept_.append(generated.substr(same));
    matchedFrom_ = matchedTo_ = 0;
}

}  // namespace bw
