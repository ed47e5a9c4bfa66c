#include "generation/splice.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "definition/file_bytes.h"
#include "generation/left_sections.h"
#include "generation/paths.h"

namespace bw {

namespace fs = std::filesystem;

namespace {

// A line without its LF or CR LF end.
std::string_view WithoutLineEnd(std::string_view raw) {
    if (raw.ends_with('\n')) {
        raw.remove_suffix(1);
    }
    if (raw.ends_with('\r')) {
        raw.remove_suffix(1);
    }
    return raw;
}

}  // namespace

// A file read in blocks as they are first looked at, into room the size of
// the file: the bytes nobody looks at cost neither a read nor memory. The
// searches for marker lines are shown the pieces a comparison of the same
// file reads.
class PreviousVersion::Pieces final : public SharedReading::Looker {
public:
    static constexpr size_t BLOCK = 4096;

    Pieces(std::map<char, LinesLed>& searched, SharedReading* shared)
        : searched_(searched), shared_(shared) {}
    ~Pieces() {
        if (shared_ != nullptr) {
            shared_->ShowTo(nullptr);
        }
    }
    Pieces(const Pieces&) = delete;
    Pieces& operator=(const Pieces&) = delete;

    bool Open(const std::string& path) {
        file_.reset(OpenFile(path, "rb"));
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(FileSystemPath(path), ec);
        if (!file_ || ec) {
            return false;
        }
        size_ = static_cast<size_t>(size);
        data_.reset(new char[size_ + 1]);  // left unfilled: pages are taken as read
        read_.assign(size_ / BLOCK + 1, false);
        if (shared_ != nullptr) {
            shared_->ShowTo(this);
        }
        return true;
    }

    void Look(size_t offset, char* piece, size_t size) override {
        for (auto& [lead, led] : searched_) {
            led.Look(offset, piece, size, offset + size >= size_);
        }
    }

    // Reads on for a search that has looked at everything shown to it.
    void LookFurther(LinesLed& led) {
        constexpr size_t BEFORE = SharedReading::ROOM_BEFORE;
        if (!room_) {
            room_ = std::make_unique_for_overwrite<char[]>(BEFORE + SharedReading::PIECE);
        }
        char* const piece = room_.get() + BEFORE;
        const size_t from = led.lookedTo == 0 ? 0 : led.lookedTo - 1;
        const size_t got = ReadAt(from, piece, SharedReading::PIECE);
        led.Look(from, piece, got, from + got >= size_ || got < SharedReading::PIECE);
    }
    const char* Data() const { return data_.get(); }
    size_t Size() const { return size_; }

    // Reads the blocks that hold first up to end and are not in memory yet.
    void Read(size_t first, size_t end) {
        if (first >= end) {
            return;
        }
        for (size_t block = first / BLOCK; block * BLOCK < end; ++block) {
            ReadBlock(block);
        }
    }
    // Where the block that holds at ends, and where the one before at begins.
    size_t BlockEndFrom(size_t at) {
        ReadBlock(at / BLOCK);
        return std::min(size_, (at / BLOCK + 1) * BLOCK);
    }
    size_t BlockStartBefore(size_t at) {
        ReadBlock((at - 1) / BLOCK);
        return (at - 1) / BLOCK * BLOCK;
    }

private:
    size_t ReadAt(size_t offset, char* into, size_t count) {
        if (count == 0 || !SeekFile(file_.get(), offset)) {
            return 0;
        }
        return std::fread(into, 1, count, file_.get());
    }

    void ReadBlock(size_t block) {
        if (read_[block]) {
            return;
        }
        const size_t first = block * BLOCK;
        const size_t count = std::min(BLOCK, size_ - first);
        const size_t got = ReadAt(first, data_.get() + first, count);
        // A file that has shrunk since it was opened reads as NULs: the
        // comparison that follows finds it changed.
        std::memset(data_.get() + first + got, 0, count - got);
        read_[block] = true;
    }

    std::map<char, LinesLed>& searched_;
    SharedReading* shared_;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_{nullptr, &std::fclose};
    std::unique_ptr<char[]> room_;  // for the pieces a search reads
    std::unique_ptr<char[]> data_;
    size_t size_ = 0;
    std::vector<bool> read_;
};

PreviousVersion::PreviousVersion() = default;
PreviousVersion::~PreviousVersion() = default;

bool PreviousVersion::Open(const std::string& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return false;
    }
    Take(std::move(*bytes));
    return true;
}

bool PreviousVersion::OpenPiecewise(const std::string& path, SharedReading* shared) {
    pieces_.reset();
    linesByPrefix_.clear();
    linesByLead_.clear();
    auto pieces = std::make_unique<Pieces>(linesByLead_, shared);
    if (!pieces->Open(path)) {
        return false;
    }
    pieces_ = std::move(pieces);
    bytes_.reset();
    data_ = pieces_->Data();
    size_ = pieces_->Size();
    next_ = 0;
    open_ = true;
    return true;
}

void PreviousVersion::Take(std::string bytes) {
    Share(std::make_shared<const std::string>(std::move(bytes)));
}

void PreviousVersion::Share(std::shared_ptr<const std::string> bytes) {
    bytes_ = std::move(bytes);
    pieces_.reset();
    data_ = bytes_->data();
    size_ = bytes_->size();
    linesByPrefix_.clear();
    linesByLead_.clear();
    next_ = 0;
    open_ = true;
}

size_t PreviousVersion::ReadableFrom(size_t at) const {
    return pieces_ ? pieces_->BlockEndFrom(at) : size_;
}

size_t PreviousVersion::ReadableBefore(size_t at) const {
    return pieces_ ? pieces_->BlockStartBefore(at) : 0;
}

size_t PreviousVersion::NextLine(size_t line) const {
    while (line < size_) {
        const size_t readable = ReadableFrom(line);
        const void* lf = std::memchr(data_ + line, '\n', readable - line);
        if (lf != nullptr) {
            return static_cast<size_t>(static_cast<const char*>(lf) - data_) + 1;
        }
        line = readable;
    }
    return size_;
}

size_t PreviousVersion::LineBefore(size_t line) const {
    // The byte before line ends the line before it.
    for (size_t at = line > 0 ? line - 1 : 0; at > 0;) {
        const size_t readable = ReadableBefore(at);
        const size_t lf = std::string_view(data_ + readable, at - readable).rfind('\n');
        if (lf != std::string_view::npos) {
            return readable + lf + 1;
        }
        at = readable;
    }
    return 0;
}

std::string_view PreviousVersion::Text(size_t line) const {
    return WithoutLineEnd(Raw(line));
}

std::string_view PreviousVersion::Raw(size_t line) const {
    return RawLines(line, NextLine(line));
}

std::string_view PreviousVersion::RawLines(size_t first, size_t end) const {
    if (pieces_) {
        pieces_->Read(first, end);
    }
    return std::string_view(data_ + first, end - first);
}

size_t PreviousVersion::NextLineBeginningWith(size_t line, std::string_view prefix) const {
    if (prefix.empty()) {
        return std::min(line, size_);
    }
    LinesLed& led = linesByLead_[prefix.front()];
    led.lead = prefix.front();
    auto prefixed = linesByPrefix_.find(prefix);
    if (prefixed == linesByPrefix_.end()) {
        prefixed = linesByPrefix_.emplace(std::string(prefix), LinesPrefixed{}).first;
    }
    for (;;) {
        TakePrefixed(led, prefix, prefixed->second);
        const std::vector<size_t>& lines = prefixed->second.lines;
        const auto next = std::lower_bound(lines.begin(), lines.end(), line);
        if (next != lines.end()) {
            return *next;
        }
        if (led.done) {
            return size_;
        }
        LookFurther(led);
    }
}

void PreviousVersion::TakePrefixed(const LinesLed& led, std::string_view prefix,
                                   LinesPrefixed& prefixed) const {
    for (; prefixed.looked < led.lines.size(); ++prefixed.looked) {
        const size_t line = led.lines[prefixed.looked];
        if (line + prefix.size() > size_) {
            continue;
        }
        const std::string_view begins = prefix.size() <= LinesLed::HEAD
                                            ? std::string_view(led.heads).substr(
                                                  prefixed.looked * LinesLed::HEAD, prefix.size())
                                            : RawLines(line, line + prefix.size());
        if (begins == prefix) {
            prefixed.lines.push_back(line);
        }
    }
}

// Adds to led the lines from from up to to that begin with lead, with their
// first bytes. bytes holds the file from offset base on, and reaches back one
// byte before from (unless from is 0); a line's first bytes past the end of
// bytes are left NUL.
void PreviousVersion::AddLinesLed(std::string_view bytes, size_t base, size_t from, size_t to,
                                  char lead, LinesLed& led) {
    constexpr size_t HEAD = LinesLed::HEAD;
    while (from < to) {
        const void* hit = std::memchr(bytes.data() + (from - base), lead, to - from);
        if (hit == nullptr) {
            return;
        }
        const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - bytes.data());
        if (at + base == 0 || bytes[at - 1] == '\n') {
            led.lines.push_back(base + at);
            const std::string_view head = bytes.substr(at, HEAD);
            led.heads.append(head).append(HEAD - head.size(), '\0');
        }
        from = base + at + 1;
    }
}

// A version held whole is looked through at once; one read piecewise, a
// piece at a time as far as a search needs.
void PreviousVersion::LookFurther(LinesLed& led) const {
    if (pieces_) {
        pieces_->LookFurther(led);
        return;
    }
    AddLinesLed(std::string_view(data_, size_), 0, led.lookedTo, size_, led.lead, led);
    led.done = true;
}

void PreviousVersion::LinesLed::Look(size_t offset, char* piece, size_t size, bool last) {
    const size_t end = offset + size;
    const size_t from = lookedTo == 0 ? 0 : lookedTo - 1;
    if (done || offset > seenTo || (end <= seenTo && !last)) {
        return;  // bytes that do not follow, or nothing new
    }
    if (end <= from || (from < offset && offset - from > SharedReading::ROOM_BEFORE)) {
        done = last;  // nothing to look at, or more held back than the room takes
        return;
    }
    // The bytes from the one before lookedTo on, in one run: those that came
    // before the piece are put back into the room before it.
    if (from < offset) {
        std::memcpy(piece - (offset - from), carry.data(), offset - from);
    }
    const char* window = from < offset ? piece - (offset - from) : piece + (from - offset);
    const std::string_view bytes(window, end - from);
    const size_t to = last ? end : std::max(lookedTo, end >= HEAD ? end - HEAD + 1 : 0);
    AddLinesLed(bytes, from, lookedTo, to, lead, *this);
    done = last;
    lookedTo = to;
    seenTo = end;
    const size_t kept = lookedTo == 0 ? 0 : lookedTo - 1;
    carry.assign(bytes.substr(kept - from));
}

void PreviousVersion::Attach(const SpliceLayout* layout, SpliceRecord* record) {
    layout_ = layout;
    record_ = record;
    if (record_ != nullptr) {
        record_->layout = layout;
        record_->previousBytes = bytes_;
        record_->copied.clear();
        record_->unterminated.clear();
    }
}

std::string PreviousVersionPath(const OutputFile& file) {
    return SplitPath(file.Path()).first + "KRSave\\" + file.FileName();
}

std::unique_ptr<PreviousVersion> CheckPreviousVersion(OutputFile& file,
                                                      const SpliceLayout& layout) {
    SpliceRecord* record = file.Environment().splice;
    if (record != nullptr && record->question == SpliceQuestion::Declined) {
        return nullptr;
    }
    const std::string path = record != nullptr && !record->previousPath.empty()
                                 ? record->previousPath
                                 : PreviousVersionPath(file);
    if (!FileExists(path)) {
        return nullptr;
    }
    UserPrompts* prompts = file.Environment().prompts;
    auto previous = std::make_unique<PreviousVersion>();
    const bool piecewise = record != nullptr && !record->keepsPrevious;
    if (record != nullptr && record->previousBytes) {
        previous->Share(record->previousBytes);
    } else if (!(piecewise ? previous->OpenPiecewise(NativePath(path), record->shared)
                           : previous->Open(NativePath(path)))) {
        if (prompts != nullptr) {
            prompts->showMessage(
                "Unable to open file " + file.Path() + ", splice will not be attempted.",
                MessageIcon::Exclamation);
        }
        return nullptr;
    }
    const std::string text = "Found a previous version of " + file.FileName() + layout.question;
    if (record != nullptr && record->question == SpliceQuestion::Deferred) {
        record->deferredQuestion = text;
    } else if (prompts == nullptr || !prompts->askYesNo(text, MessageIcon::Question)) {
        return nullptr;
    }
    previous->Attach(&layout, record);
    return previous;
}

std::string EndMarkerFor(std::string_view startMarker) {
    const std::string_view title = startMarker.size() > 4 ? startMarker.substr(4) : "";
    return "//; End of " + std::string(title);
}

bool MatchesMarker(std::string_view line, std::string_view marker) {
    // The first byte first: most lines are passed over without a compare.
    return line.size() >= marker.size() && (marker.empty() || line.front() == marker.front()) &&
           line.substr(0, marker.size()) == marker;
}

namespace {

std::string StartMarkerOf(std::string_view title) {
    return "//; " + std::string(title);
}

// How markers are recognised: by the splice in column 0 only; when looking
// for what the user wrote, also behind blanks and tabs.
struct Matcher {
    bool lenient = false;

    std::string_view Stripped(std::string_view line) const {
        if (lenient) {
            const size_t text = line.find_first_not_of(" \t");
            line.remove_prefix(text == std::string_view::npos ? line.size() : text);
        }
        return line;
    }
    bool operator()(std::string_view line, std::string_view marker) const {
        return MatchesMarker(Stripped(line), marker);
    }
    bool Any(std::string_view line, const std::vector<std::string>& markers) const {
        return std::any_of(markers.begin(), markers.end(),
                           [&](const std::string& marker) { return (*this)(line, marker); });
    }
};

enum class SectionEnd { EndMarker, NextSection, EndOfFile };

// The first bytes of a set of markers, and the text they all begin with: a
// line that begins with none of the bytes matches none of the markers and
// costs one look, and lines without the shared beginning can be passed over.
class MarkerLeads {
public:
    // Those of a section's start and end markers and of others that end it.
    MarkerLeads(std::string_view start, std::string_view end,
                const std::vector<std::string>& others)
        : shared_(start) {
        Add(start);
        Add(end);
        for (const std::string& marker : others) {
            Add(marker);
        }
    }

    bool MayBegin(std::string_view line) const {
        return any_ || (!line.empty() && leads_.test(static_cast<unsigned char>(line.front())));
    }
    // What every marker begins with; empty when they share nothing.
    std::string_view Shared() const { return shared_; }

private:
    void Add(std::string_view marker) {
        if (marker.empty()) {
            any_ = true;
        } else {
            leads_.set(static_cast<unsigned char>(marker.front()));
        }
        const auto differ =
            std::mismatch(shared_.begin(), shared_.end(), marker.begin(), marker.end());
        shared_.resize(static_cast<size_t>(differ.first - shared_.begin()));
    }

    std::bitset<256> leads_;
    bool any_ = false;
    std::string shared_;
};

// The line at previous's position, which then moves past it.
std::string_view ReadLine(PreviousVersion& previous) {
    const std::string_view raw = previous.Raw(previous.Position());
    previous.Seek(previous.Position() + raw.size());
    return WithoutLineEnd(raw);
}

// The next line of previous, from its position on, that may be one of the
// markers (matched in column 0); false at the end. The lines passed over
// cannot be.
bool ReadCandidate(PreviousVersion& previous, const MarkerLeads& leads, std::string_view& line) {
    if (!leads.Shared().empty()) {
        previous.Seek(previous.NextLineBeginningWith(previous.Position(), leads.Shared()));
    }
    while (previous.Position() < previous.End()) {
        line = ReadLine(previous);
        if (leads.MayBegin(line)) {
            return true;
        }
    }
    return false;
}

// The start markers of every section the layout knows, outer ones included.
std::vector<std::string> KnownStarts(const SpliceLayout* layout) {
    std::vector<std::string> starts;
    if (layout != nullptr) {
        for (const std::string& title : layout->outerTitles) {
            starts.push_back(StartMarkerOf(title));
        }
        for (const std::string& title : layout->sectionTitles) {
            starts.push_back(StartMarkerOf(title));
        }
    }
    return starts;
}

// Whether the section's own end marker comes before its start marker appears
// again: then a known marker met inside the section is the user's text, not
// the start of the next section. The answer holds for every line up to the
// marker it was found at, so a section is looked through once.
class EndMarkerAhead {
public:
    EndMarkerAhead(std::string_view start, std::string_view end, Matcher matches)
        : start_(start), end_(end), matches_(matches) {}

    bool From(const PreviousVersion& previous, size_t line) {
        if (!known_ || line > foundAt_) {
            foundAt_ = line;
            while (foundAt_ < previous.End() && !matches_(previous.Text(foundAt_), start_) &&
                   !matches_(previous.Text(foundAt_), end_)) {
                foundAt_ = previous.NextLine(foundAt_);
            }
            follows_ = foundAt_ < previous.End() && !matches_(previous.Text(foundAt_), start_);
            known_ = true;
        }
        return follows_;
    }

private:
    std::string_view start_, end_;
    Matcher matches_;
    bool known_ = false;
    size_t foundAt_ = 0;
    bool follows_ = false;
};

// How the reading of a section's lines ended, and the line it ended at (its
// end marker, the next section or the end of the file).
struct SectionBody {
    SectionEnd how = SectionEnd::EndOfFile;
    size_t end = 0;
};

// Reads the lines of a section whose start marker has just been read, handing
// each one to take(line, its raw bytes). A repeated start marker is skipped;
// the end marker is consumed. Without an end marker the section stops before
// the next known start marker or the end of a section around it (stops), and
// the reading goes on from there; without either, at the end of the file.
template <typename Take>
SectionBody ReadSectionBody(PreviousVersion& previous, std::string_view start, std::string_view end,
                            const std::vector<std::string>& stops, Matcher matches, Take take) {
    EndMarkerAhead endMarkerAhead(start, end, matches);
    const MarkerLeads leads(start, end, stops);
    while (previous.Position() < previous.End()) {
        const size_t at = previous.Position();
        const std::string_view raw = previous.Raw(at);
        const std::string_view line = WithoutLineEnd(raw);
        previous.Seek(at + raw.size());
        if (!leads.MayBegin(matches.Stripped(line))) {
            take(at, raw);
            continue;
        }
        if (matches(line, start)) {
            continue;
        }
        if (matches(line, end)) {
            return {SectionEnd::EndMarker, at};
        }
        if (matches.Any(line, stops) && !endMarkerAhead.From(previous, previous.Position())) {
            previous.Seek(at);
            return {SectionEnd::NextSection, at};
        }
        take(at, raw);
    }
    return {SectionEnd::EndOfFile, previous.End()};
}

std::vector<std::string> StopsFor(const PreviousVersion& previous,
                                  const std::vector<std::string>& fences) {
    std::vector<std::string> stops = KnownStarts(previous.Layout());
    if (!stops.empty()) {
        stops.insert(stops.end(), fences.begin(), fences.end());
    }
    return stops;
}

// Copies lines of previous into file, each ended by CR LF. Lines that follow
// one another and end in CR LF already go over as one run of bytes.
class LineCopier {
public:
    LineCopier(OutputFile& file, const PreviousVersion& previous)
        : file_(file), previous_(previous) {}

    void Copy(size_t line, std::string_view raw) {
        const bool endsAsWritten = raw.ends_with("\r\n");
        if (endsAsWritten && line == runEnd_ && runEnd_ > runBegin_) {
            runEnd_ = line + raw.size();
            return;
        }
        Finish();
        if (endsAsWritten) {
            runBegin_ = line;
            runEnd_ = line + raw.size();
        } else {
            WriteLine(file_, WithoutLineEnd(raw));
        }
    }
    void Finish() {
        if (runEnd_ > runBegin_) {
            file_.WriteText(previous_.RawLines(runBegin_, runEnd_));
        }
        runBegin_ = runEnd_ = 0;
    }

private:
    OutputFile& file_;
    const PreviousVersion& previous_;
    size_t runBegin_ = 0, runEnd_ = 0;
};

// Notes that the lines first up to end were carried over.
void NoteCopied(SpliceRecord& record, size_t first, size_t end) {
    if (!record.copied.empty() && record.copied.back().end == first) {
        record.copied.back().end = end;
    } else {
        record.copied.push_back(LineRun{first, end});
    }
}

// CopySection, except that before its start marker is found, a line that
// ends one of the sections around it (fences) ends the search: a section
// standing outside them is not theirs. markers names the section for the
// record.
bool CopyFencedSection(OutputFile& file, PreviousVersion& previous, std::string_view start,
                       std::string_view end, const std::vector<std::string>& fences,
                       const std::vector<std::string>& markers) {
    const Matcher matches;
    const MarkerLeads leads(start, end, fences);
    std::string_view line;
    bool found = false;
    while (ReadCandidate(previous, leads, line)) {
        if (matches(line, start)) {
            found = true;
            break;
        }
        if (matches(line, end) || matches.Any(line, fences)) {
            return false;
        }
    }
    if (!found) {
        return false;
    }
    SpliceRecord* record = previous.Record();
    const size_t first = previous.Position();
    LineCopier copier(file, previous);
    const SectionBody body = ReadSectionBody(previous, start, end, StopsFor(previous, fences),
                                             matches, [&](size_t at, std::string_view raw) {
                                                 copier.Copy(at, raw);
                                                 if (record != nullptr) {
                                                     NoteCopied(*record, at, at + raw.size());
                                                 }
                                             });
    copier.Finish();
    if (record != nullptr && body.how != SectionEnd::EndMarker) {
        std::vector<std::string> titles;
        for (const std::string& marker : markers) {
            titles.push_back(marker.size() > 4 ? marker.substr(4) : std::string());
        }
        // Reading stopped before the next section or at the end of the file.
        record->unterminated.push_back(UnterminatedSection{std::move(titles), first, body.end});
    }
    return true;
}

std::string EndMarkerAt(const std::vector<std::string>& startMarkers,
                        const std::vector<std::string>& endMarkers, size_t level) {
    if (level < endMarkers.size() && !endMarkers[level].empty()) {
        return endMarkers[level];
    }
    return EndMarkerFor(startMarkers[level]);
}

bool CopyNestedLevel(OutputFile& file, PreviousVersion& previous,
                     const std::vector<std::string>& startMarkers,
                     const std::vector<std::string>& endMarkers, size_t level,
                     std::vector<std::string>& fences) {
    const std::string& start = startMarkers[level];
    const std::string end = EndMarkerAt(startMarkers, endMarkers, level);
    if (level + 1 == startMarkers.size()) {
        return CopyFencedSection(file, previous, start, end, fences, startMarkers);
    }
    const MarkerLeads leads(start, end, fences);
    std::string_view line;
    while (ReadCandidate(previous, leads, line)) {
        if (MatchesMarker(line, start)) {
            fences.push_back(end);
            return CopyNestedLevel(file, previous, startMarkers, endMarkers, level + 1, fences);
        }
        if (MatchesMarker(line, end) || Matcher{}.Any(line, fences)) {
            return false;
        }
    }
    return false;
}

}  // namespace

bool CopySection(OutputFile& file, PreviousVersion& previous, std::string_view startMarker,
                 std::string_view endMarker) {
    const std::string end = endMarker.empty() ? EndMarkerFor(startMarker) : std::string(endMarker);
    return CopyFencedSection(file, previous, startMarker, end, {}, {std::string(startMarker)});
}

bool CopyNestedSection(OutputFile& file, PreviousVersion& previous,
                       const std::vector<std::string>& startMarkers,
                       const std::vector<std::string>& endMarkers) {
    if (startMarkers.empty()) {
        return false;
    }
    std::vector<std::string> fences;
    return CopyNestedLevel(file, previous, startMarkers, endMarkers, 0, fences);
}

// ---------------------------------------------------------------------------
// What was not carried over

namespace {

// A user section of a previous version as the user wrote it.
struct UserSection {
    std::vector<std::string> titles;  // outermost first
    size_t first = 0;                 // its lines
    size_t end = 0;
};

// Finds every user section of a previous version: after a start marker of
// one of the layout's section titles, nested in the outer section open at
// that point (if any), up to where the splice would end it. Lenient, it also
// recognises markers behind blanks, and finds the text between an end marker
// and its start marker (the two swapped) or before an end marker whose start
// marker is gone, so that sections the splice cannot see are found as well.
class SectionScan {
public:
    SectionScan(PreviousVersion& previous, const SpliceLayout& layout, bool lenient)
        : previous_(previous), layout_(layout), matches_{lenient} {
        known_ = KnownStarts(&layout);
        markers_ = known_;
        for (const std::string& start : known_) {
            markers_.push_back(EndMarkerFor(start));
        }
    }

    std::vector<UserSection> Sections() {
        previous_.Rewind();
        while (previous_.Position() < previous_.End()) {
            const size_t at = previous_.Position();
            Look(at, ReadLine(previous_));
        }
        return std::move(sections_);
    }

private:
    void Look(size_t at, std::string_view line) {
        if (!outer_.empty() && matches_(line, EndMarkerFor(StartMarkerOf(outer_)))) {
            outer_.clear();
            return;
        }
        for (const std::string& title : layout_.outerTitles) {
            if (matches_(line, StartMarkerOf(title))) {
                outer_ = title;
                return;
            }
        }
        for (const std::string& title : layout_.sectionTitles) {
            if (matches_(line, StartMarkerOf(title))) {
                ReadSection(title);
                return;
            }
            if (matches_.lenient && matches_(line, EndMarkerFor(StartMarkerOf(title)))) {
                ReadAroundStrayEndMarker(at, title);
                return;
            }
        }
    }

    std::vector<std::string> TitlesOf(const std::string& title) const {
        std::vector<std::string> titles;
        if (!outer_.empty()) {
            titles.push_back(outer_);
        }
        titles.push_back(title);
        return titles;
    }

    void ReadSection(const std::string& title) {
        const std::string start = StartMarkerOf(title);
        std::vector<std::string> stops = known_;
        if (!outer_.empty()) {
            stops.push_back(EndMarkerFor(StartMarkerOf(outer_)));
        }
        UserSection section{TitlesOf(title), previous_.Position(), 0};
        section.end = ReadSectionBody(previous_, start, EndMarkerFor(start), stops, matches_,
                                      [](size_t, std::string_view) {})
                          .end;
        sections_.push_back(std::move(section));
    }

    // An end marker that no section consumed: when its start marker is the
    // next marker, the lines between are the section (the two swapped);
    // otherwise the lines since the last marker are (its start marker gone).
    // A start marker after it still opens a section of its own: what follows
    // it may be the user's as well.
    void ReadAroundStrayEndMarker(size_t at, const std::string& title) {
        const size_t after = previous_.NextLine(at);
        size_t next = after;
        while (next < previous_.End() && !IsMarker(next)) {
            next = previous_.NextLine(next);
        }
        if (next < previous_.End() && matches_(previous_.Text(next), StartMarkerOf(title))) {
            sections_.push_back(UserSection{TitlesOf(title), after, next});
            return;
        }
        size_t first = at;
        while (first > 0 && !IsMarker(previous_.LineBefore(first))) {
            first = previous_.LineBefore(first);
        }
        sections_.push_back(UserSection{TitlesOf(title), first, at});
    }

    bool IsMarker(size_t i) const { return matches_.Any(previous_.Text(i), markers_); }

    PreviousVersion& previous_;
    const SpliceLayout& layout_;
    const Matcher matches_;
    std::vector<std::string> known_;    // start markers
    std::vector<std::string> markers_;  // start and end markers
    std::string outer_;
    std::vector<UserSection> sections_;
};

std::vector<UserSection> UserSections(PreviousVersion& previous, const SpliceLayout& layout,
                                      bool lenient) {
    return SectionScan(previous, layout, lenient).Sections();
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r\f\v") == std::string_view::npos;
}

// A section to keep: its titles and the lines of the previous version.
struct Leftover {
    std::vector<std::string> titles;
    std::vector<size_t> lines;
    size_t first = 0, end = 0;  // the whole section, for comparing with the default
    bool unterminated = false;
};

bool OnlyBlank(const PreviousVersion& previous, const std::vector<size_t>& lines) {
    return std::all_of(lines.begin(), lines.end(),
                       [&](size_t i) { return IsBlank(previous.Text(i)); });
}

// The lines carried over, as runs in the order of the file that do not
// overlap.
class CopiedLines {
public:
    explicit CopiedLines(std::vector<LineRun> runs) {
        std::sort(runs.begin(), runs.end(),
                  [](const LineRun& a, const LineRun& b) { return a.first < b.first; });
        for (const LineRun& run : runs) {
            if (!runs_.empty() && run.first <= runs_.back().end) {
                runs_.back().end = std::max(runs_.back().end, run.end);
            } else {
                runs_.push_back(run);
            }
        }
    }

    bool Contain(size_t line) const {
        const auto after =
            std::upper_bound(runs_.begin(), runs_.end(), line,
                             [](size_t at, const LineRun& run) { return at < run.first; });
        return after != runs_.begin() && line < std::prev(after)->end;
    }

private:
    std::vector<LineRun> runs_;
};

// The sections with lines that were not copied, and those copied without
// their end marker; blank lines alone are nothing to keep.
std::vector<Leftover> FindLeftovers(PreviousVersion& previous, const SpliceRecord& record) {
    std::vector<Leftover> leftovers;
    const CopiedLines copied(record.copied);
    for (const UserSection& section : UserSections(previous, *record.layout, true)) {
        Leftover leftover{section.titles, {}, section.first, section.end, false};
        for (size_t i = section.first; i < section.end; i = previous.NextLine(i)) {
            if (!copied.Contain(i)) {
                leftover.lines.push_back(i);
            }
        }
        if (!OnlyBlank(previous, leftover.lines)) {
            leftovers.push_back(std::move(leftover));
        }
    }
    for (const UnterminatedSection& section : record.unterminated) {
        Leftover leftover{section.titles, {}, section.first, section.end, true};
        for (size_t i = section.first; i < section.end; i = previous.NextLine(i)) {
            leftover.lines.push_back(i);
        }
        if (!OnlyBlank(previous, leftover.lines)) {
            leftovers.push_back(std::move(leftover));
        }
    }
    std::stable_sort(leftovers.begin(), leftovers.end(),
                     [](const Leftover& a, const Leftover& b) { return a.first < b.first; });
    return leftovers;
}

std::vector<std::string> SectionLines(const PreviousVersion& version, size_t first, size_t end) {
    std::vector<std::string> lines;
    for (size_t i = first; i < end; i = version.NextLine(i)) {
        lines.emplace_back(version.Text(i));
    }
    return lines;
}

// True when the lost section holds exactly what the generator writes there
// by default.
bool IsDefault(const PreviousVersion& previous, const Leftover& leftover, PreviousVersion& defaults,
               const std::vector<UserSection>& defaultSections) {
    const std::vector<std::string> lines = SectionLines(previous, leftover.first, leftover.end);
    return std::any_of(defaultSections.begin(), defaultSections.end(), [&](const UserSection& s) {
        return s.titles == leftover.titles && SectionLines(defaults, s.first, s.end) == lines;
    });
}

std::vector<std::string> OuterTitlesIn(const std::vector<Leftover>& leftovers) {
    std::vector<std::string> outers;
    for (const Leftover& leftover : leftovers) {
        if (leftover.titles.size() > 1 &&
            std::find(outers.begin(), outers.end(), leftover.titles.front()) == outers.end()) {
            outers.push_back(leftover.titles.front());
        }
    }
    return outers;
}

// Each section under its marker lines, its own lines byte for byte.
std::string OrphanText(const PreviousVersion& previous, const std::vector<Leftover>& leftovers) {
    std::string text;
    for (const Leftover& leftover : leftovers) {
        for (const std::string& title : leftover.titles) {
            text += StartMarkerOf(title) + "\r\n";
        }
        for (size_t i : leftover.lines) {
            // The last line of a file may lack its line end: it gets one.
            const std::string_view raw = previous.Raw(i);
            if (!raw.empty() && raw.back() == '\n') {
                text += raw;
            } else {
                text.append(previous.Text(i)).append("\r\n");
            }
        }
        for (auto title = leftover.titles.rbegin(); title != leftover.titles.rend(); ++title) {
            text += EndMarkerFor(StartMarkerOf(*title)) + "\r\n";
        }
    }
    return text;
}

std::string Joined(const std::vector<std::string>& titles) {
    std::string name;
    for (const std::string& title : titles) {
        name += (name.empty() ? "" : " / ") + title;
    }
    return name;
}

bool WriteNewFile(const std::string& path, const std::string& text) {
    std::error_code ec;
    if (fs::exists(FileSystemPath(NativePath(path)), ec)) {
        return false;
    }
    std::ofstream out(FileSystemPath(NativePath(path)), std::ios::binary);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

std::string OrphanPath(const std::string& filePath, const std::tm& now) {
    const auto [directory, name] = SplitPath(filePath);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &now);
    const std::string base = directory + "KRSave\\" + name + "." + stamp;
    std::string path = base + ".orphaned";
    std::error_code ec;
    for (int n = 2; fs::exists(FileSystemPath(NativePath(path)), ec); ++n) {
        path = base + "-" + std::to_string(n) + ".orphaned";
    }
    return path;
}

namespace {

// The leftovers of record's previous version that hold user code: what is
// not blank and not what the generator writes there by default.
std::vector<Leftover> UserLeftovers(
    PreviousVersion& previous, const SpliceRecord& record,
    const std::function<std::string(const std::vector<std::string>&)>& writeDefaults) {
    std::vector<Leftover> leftovers = FindLeftovers(previous, record);
    if (leftovers.empty()) {
        return leftovers;
    }
    PreviousVersion defaults;
    defaults.Take(writeDefaults(OuterTitlesIn(leftovers)));
    const std::vector<UserSection> defaultSections = UserSections(defaults, *record.layout, false);
    std::erase_if(leftovers, [&](const Leftover& leftover) {
        return !leftover.unterminated && IsDefault(previous, leftover, defaults, defaultSections);
    });
    return leftovers;
}

std::vector<LeftSection> LeftSections(const std::vector<Leftover>& leftovers) {
    std::vector<LeftSection> sections;
    for (const Leftover& leftover : leftovers) {
        sections.push_back(
            LeftSection{Joined(leftover.titles), leftover.lines.size(), leftover.unterminated});
    }
    return sections;
}

}  // namespace

std::vector<LeftSection> FindLeftSections(
    const SpliceRecord& record,
    const std::function<std::string(const std::vector<std::string>&)>& writeDefaults) {
    if (record.layout == nullptr || record.previousBytes == nullptr) {
        return {};
    }
    PreviousVersion previous;
    previous.Share(record.previousBytes);
    return LeftSections(UserLeftovers(previous, record, writeDefaults));
}

std::optional<SpliceLeftovers> KeepLeftovers(
    const SpliceRecord& record, const std::string& filePath, const std::tm& now,
    const std::function<std::string(const std::vector<std::string>&)>& writeDefaults,
    bool& keptOut) {
    keptOut = true;
    if (record.layout == nullptr) {
        return std::nullopt;
    }
    PreviousVersion previous;
    previous.Share(record.previousBytes);
    const std::vector<Leftover> leftovers = UserLeftovers(previous, record, writeDefaults);
    if (leftovers.empty()) {
        return std::nullopt;
    }
    SpliceLeftovers result{filePath, OrphanPath(filePath, now), LeftSections(leftovers)};
    CreateDirectoryPath(SplitPath(result.keptIn).first);
    keptOut = WriteNewFile(result.keptIn, OrphanText(previous, leftovers));
    return result;
}

std::string LeftoversMessage(const SpliceLeftovers& leftovers) {
    std::string message;
    for (const LeftSection& section : leftovers.sections) {
        if (!message.empty()) {
            message += '\n';
        }
        message +=
            NativePath(leftovers.file) + ": section \"" + section.name +
            "\": " + std::to_string(section.lines) + (section.lines == 1 ? " line" : " lines") +
            (section.unterminated ? " carried over without its end marker" : " not carried over") +
            ", kept in " + NativePath(leftovers.keptIn);
    }
    return message;
}

std::string WriteWithoutSplice(bool (*generator)(OutputFile&, const BLOCKINFO&),
                               const BLOCKINFO& block, const std::string& filePath,
                               const RunEnvironment& environment) {
    // A scratch folder in "KRSave", which has no "KRSave" of its own: no
    // previous version is offered there and nothing is asked.
    const auto [directory, name] = SplitPath(filePath);
    std::string folder;
    std::error_code ec;
    for (int n = 1; folder.empty() || fs::exists(FileSystemPath(NativePath(folder)), ec); ++n) {
        folder = directory + "KRSave\\defaults-" + std::to_string(n);
    }
    // A "KRSave" made only for the scratch folder goes with it.
    const std::string saveFolder = directory + "KRSave";
    const bool saveFolderWasThere = fs::exists(FileSystemPath(NativePath(saveFolder)), ec);
    std::string text;
    if (CreateDirectoryPath(folder + "\\")) {
        RunEnvironment quiet;
        quiet.clock = environment.clock;
        quiet.settings = environment.settings;
        quiet.workingDirectory = environment.workingDirectory;
        quiet.settingsDirectory = environment.settingsDirectory;
        OutputFile file(quiet);
        const std::string path = folder + "\\" + name;
        if (file.Open(path)) {
            generator(file, block);
            if (file.Close()) {
                text = ReadWholeFile(NativePath(path)).value_or(std::string());
            }
        }
        fs::remove_all(FileSystemPath(NativePath(folder)), ec);
        if (!saveFolderWasThere) {
            fs::remove(FileSystemPath(NativePath(saveFolder)), ec);
        }
    }
    return text;
}

}  // namespace bw
