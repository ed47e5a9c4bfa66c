#pragma once

// The reading of a previous version of a generated file: its lines, the
// marker lines of its user sections and the lines of one section. The run
// reads the version once, whole; the splice carries its sections over
// (generation/splice.h) and the leftovers keep what it did not carry
// (generation/splice_leftovers.h).

#include <algorithm>
#include <bitset>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "definition/block_info.h"

namespace bw {

// The user sections of one kind of generated file.
struct SpliceLayout {
    // Asked after "Found a previous version of <name>".
    std::string question;
    // Titles of the sections that hold user sections ("Float Precision").
    std::vector<std::string> outerTitles;
    // Titles of the user sections themselves ("Local Routine").
    std::vector<std::string> sectionTitles;
    // Changes a copy of the definition so that the generator writes the outer
    // sections named (a precision that was switched off), or nothing.
    std::function<void(BLOCKINFO&, const std::vector<std::string>& outerTitles)> widen;
    // Titles of user sections that stand only inside an outer section: met
    // where no outer section is open, their marker is text the user typed.
    std::vector<std::string> nestedTitles = {};
};

// A section that was carried over although its end marker was missing: it
// ran to the next known section or to the end of the file.
struct UnterminatedSection {
    std::vector<std::string> titles;  // outermost first
    size_t first = 0;                 // its lines in the previous version
    size_t end = 0;
};

// A run of lines of a previous version, from the first byte of one line to
// the first byte of the line after the last.
struct LineRun {
    size_t first = 0;
    size_t end = 0;
    bool operator==(const LineRun&) const = default;
};

// What the splice did with one previous version, kept for the run after the
// generator has returned. Lines of the previous version are named by the
// offset of their first byte.
struct SpliceRecord {
    std::shared_ptr<const std::string> previousBytes;
    const SpliceLayout* layout = nullptr;  // set once the splice is on
    std::vector<LineRun> copied;           // in the order they were copied
    std::vector<UnterminatedSection> unterminated;
};

// The previous version of a generated file, held whole, read line by line. A
// line is named by the offset of its first byte; End() follows the last one.
class PreviousVersion {
public:
    PreviousVersion() = default;
    PreviousVersion(const PreviousVersion&) = delete;
    PreviousVersion& operator=(const PreviousVersion&) = delete;

    // Reads path whole; false when it cannot be opened or read.
    bool Open(const std::string& path);
    // Takes the bytes of a previous version held in memory.
    void Take(std::string bytes);
    void Share(std::shared_ptr<const std::string> bytes);
    bool IsOpen() const { return bytes_ != nullptr; }

    // Back to the first line.
    void Rewind() { next_ = 0; }

    // The line the reading goes on with, and a way to move it.
    size_t Position() const { return next_; }
    void Seek(size_t line) { next_ = line; }
    size_t End() const { return size_; }
    // The lines after and before line.
    size_t NextLine(size_t line) const;
    size_t LineBefore(size_t line) const;
    // A line without its LF or CR LF end, and with it, as in the file; any
    // bytes (NUL included) pass through unchanged.
    std::string_view Text(size_t line) const;
    std::string_view Raw(size_t line) const;
    // Lines first up to end, with their line ends, as one run of bytes.
    std::string_view RawLines(size_t first, size_t end) const;
    // The first line from line on that begins with prefix, or End(): a
    // search for marker lines skips the lines between at once.
    size_t NextLineBeginningWith(size_t line, std::string_view prefix) const;

    // The sections of this kind of file, whose start markers end a section
    // that lacks its own end marker; and where copies are noted. Both may be
    // null (a plain reading).
    void Attach(const SpliceLayout* layout, SpliceRecord* record);
    const SpliceLayout* Layout() const { return layout_; }
    SpliceRecord* Record() const { return record_; }

private:
    // The lines that begin with one byte, each with the bytes it begins with:
    // what every search for a prefix that begins with that byte needs, from
    // one pass over the version.
    struct LinesLed {
        static constexpr size_t HEAD = 32;
        std::vector<size_t> lines;
        std::string heads;  // HEAD bytes for each line
    };
    // Those of them that begin with a prefix.
    using LinesPrefixed = std::vector<size_t>;
    const LinesLed& Led(char lead) const;

    std::shared_ptr<const std::string> bytes_;
    const char* data_ = nullptr;
    size_t size_ = 0;
    // By first byte and by prefix, the lines that begin with it, in order;
    // filled as asked.
    mutable std::map<char, LinesLed> linesByLead_;
    mutable std::map<std::string, LinesPrefixed, std::less<>> linesByPrefix_;
    size_t next_ = 0;
    const SpliceLayout* layout_ = nullptr;
    SpliceRecord* record_ = nullptr;
};

// ---------------------------------------------------------------------------
// Marker lines and the lines of a section, as both the splice and the
// search for what it left read them.

// "//; " + title.
std::string StartMarkerOf(std::string_view title);
// "//; End of " + the start marker without its leading "//; ".
std::string EndMarkerFor(std::string_view startMarker);

// True when line begins with marker (in column 0, case-sensitive).
bool MatchesMarker(std::string_view line, std::string_view marker);

// A line without its LF or CR LF end.
std::string_view WithoutLineEnd(std::string_view raw);

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

// The first bytes of a set of markers, and the text they all begin with: a
// line that begins with none of the bytes matches none of the markers and
// costs one look, and lines without the shared beginning can be passed over.
class MarkerLeads {
public:
    // Those of a section's start and end markers and of others that end it.
    MarkerLeads(std::string_view start, std::string_view end,
                const std::vector<std::string>& others);

    bool MayBegin(std::string_view line) const {
        return any_ || (!line.empty() && leads_.test(static_cast<unsigned char>(line.front())));
    }
    // What every marker begins with; empty when they share nothing.
    std::string_view Shared() const { return shared_; }

private:
    void Add(std::string_view marker);

    std::bitset<256> leads_;
    bool any_ = false;
    std::string shared_;
};

// The line at previous's position, which then moves past it.
std::string_view ReadLine(PreviousVersion& previous);

// The start markers of every section the layout knows, outer ones included;
// none without a layout.
std::vector<std::string> KnownStarts(const SpliceLayout* layout);
// Those that may follow a section outside every outer section: all but the
// nested titles', which always come after their outer section's start.
std::vector<std::string> TopLevelStarts(const SpliceLayout* layout);

// Whether the section's own end marker comes before its start marker appears
// again: then a known marker met inside the section is the user's text, not
// the start of the next section. The answer holds for every line up to the
// marker it was found at, so a section is looked through once.
class EndMarkerAhead {
public:
    EndMarkerAhead(std::string_view start, std::string_view end, Matcher matches)
        : start_(start), end_(end), matches_(matches) {}

    bool From(const PreviousVersion& previous, size_t line);

private:
    std::string_view start_, end_;
    Matcher matches_;
    bool known_ = false;
    size_t foundAt_ = 0;
    bool follows_ = false;
};

enum class SectionEnd { EndMarker, NextSection, EndOfFile };

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

}  // namespace bw
