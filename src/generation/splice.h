#pragma once

// The user-section splice: the lines a user typed between a section's marker
// lines in the previous version of a generated file are carried over into the
// new file. Sections are found by their marker lines only; content is copied
// verbatim and never compared.
//
// Nothing the user typed is lost without a word: during a run the splice
// notes which lines of the previous version it carried over, and afterwards
// every user section that was not carried over (markers not found or out of
// order, a section the new definition no longer has) or that had no end
// marker is kept in an orphan file in "KRSave" and reported.

#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "definition/block_info.h"
#include "generation/output_file.h"
#include "generation/shared_reading.h"

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

// The previous version of a generated file, read line by line. A line is
// named by the offset of its first byte; End() follows the last one.
class PreviousVersion {
public:
    PreviousVersion();
    ~PreviousVersion();
    PreviousVersion(const PreviousVersion&) = delete;
    PreviousVersion& operator=(const PreviousVersion&) = delete;

    // Reads path whole; false when it cannot be opened or read.
    bool Open(const std::string& path);
    // Opens path to be read only where the splice looks: the lines a search
    // for marker lines passes over are never held in memory, and are read
    // only as far as the search needs. With shared, the search takes the
    // pieces a comparison of the same file reads instead of reading them
    // again. False when it cannot be opened.
    bool OpenPiecewise(const std::string& path, SharedReading* shared = nullptr);
    // Takes the bytes of a previous version held in memory.
    void Take(std::string bytes);
    void Share(std::shared_ptr<const std::string> bytes);
    bool IsOpen() const { return open_; }

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
    class Pieces;

    // Where the bytes in memory from at on end, and where those up to at
    // begin: one piece of the file at least, read when it is not in memory.
    size_t ReadableFrom(size_t at) const;
    size_t ReadableBefore(size_t at) const;
    // The lines that begin with one byte, each with the bytes it begins with,
    // as far as the version has been looked through: what every search for a
    // prefix that begins with that byte needs, from one pass over the version.
    struct LinesLed {
        static constexpr size_t HEAD = 32;
        char lead = 0;
        std::vector<size_t> lines;
        std::string heads;    // HEAD bytes for each line
        size_t lookedTo = 0;  // every line that begins before it is known
        size_t seenTo = 0;    // the bytes looked at end here, and those
        std::string carry;    // from the one before lookedTo on are kept
        bool done = false;    // looked through to the end

        // Looks at the size bytes at piece, the version from offset on, with
        // SharedReading::ROOM_BEFORE bytes of room before piece; last when
        // they reach the version's end. Bytes that do not follow those looked
        // at already are passed over.
        void Look(size_t offset, char* piece, size_t size, bool last);
    };
    // Those of them that begin with a prefix, as far as they have been looked at.
    struct LinesPrefixed {
        std::vector<size_t> lines;
        size_t looked = 0;  // of the LinesLed
    };
    void LookFurther(LinesLed& led) const;
    void TakePrefixed(const LinesLed& led, std::string_view prefix, LinesPrefixed& prefixed) const;
    static void AddLinesLed(std::string_view bytes, size_t base, size_t from, size_t to, char lead,
                            LinesLed& led);

    std::shared_ptr<const std::string> bytes_;  // a previous version held whole
    std::unique_ptr<Pieces> pieces_;            // or one read where it is looked at
    const char* data_ = nullptr;
    size_t size_ = 0;
    // By first byte and by prefix, the lines that begin with it, in order;
    // filled as asked.
    mutable std::map<char, LinesLed> linesByLead_;
    mutable std::map<std::string, LinesPrefixed, std::less<>> linesByPrefix_;
    size_t next_ = 0;
    bool open_ = false;
    const SpliceLayout* layout_ = nullptr;
    SpliceRecord* record_ = nullptr;
};

// The header's question after "Found a previous version of <name>".
inline constexpr const char* HEADER_SPLICE_QUESTION = " do you want to splice the two files ?";
// The user source's question.
inline constexpr const char* USER_SOURCE_SPLICE_QUESTION =
    " do you want to attempt to splice the two files ?";

// The question asked before the user sections of a previous version of the
// file named are carried over.
std::string SpliceQuestionFor(const std::string& fileName, const SpliceLayout& layout);

// "//; End of " + the start marker without its leading "//; ".
std::string EndMarkerFor(std::string_view startMarker);

// True when line begins with marker (in column 0, case-sensitive).
bool MatchesMarker(std::string_view line, std::string_view marker);

// Reads on from the current position to the section that starts with
// startMarker and copies its lines to file, up to its end marker (derived
// from the start marker when endMarker is empty) or the end of the previous
// version. Returns true when the start marker was found. An end marker met
// before any start marker stops the search. With a layout attached, a section
// whose end marker is missing stops before the next start marker of the
// layout (the reading goes on from there).
bool CopySection(OutputFile& file, PreviousVersion& previous, std::string_view startMarker,
                 std::string_view endMarker = {});

// The same for a section nested in others: startMarkers lists the titles
// outermost first. The innermost section counts only between the start and
// end markers of every section around it. Missing end markers are derived.
bool CopyNestedSection(OutputFile& file, PreviousVersion& previous,
                       const std::vector<std::string>& startMarkers,
                       const std::vector<std::string>& endMarkers = {});

// ---------------------------------------------------------------------------
// What was not carried over

struct LeftSection {
    std::string name;  // its titles, outermost first, joined by " / "
    size_t lines = 0;
    bool unterminated = false;  // carried over, but without its end marker
};

struct SpliceLeftovers {
    std::string file;    // the generated file
    std::string keptIn;  // the orphan file that holds the sections
    std::vector<LeftSection> sections;
};

// The orphan file for a file generated at time now: "<name>.<yyyymmdd-hhmmss>.orphaned"
// in the "KRSave" folder beside it; "-2", "-3" … before ".orphaned" when that
// name is taken, so that no run replaces an earlier one.
std::string OrphanPath(const std::string& filePath, const std::tm& now);

// The user sections of record's previous version that the splice did not
// carry over, or carried over without their end marker. Sections that hold
// only blank lines, or exactly what the generator writes there by default,
// are no user code and are left out. writeDefaults gives the file's text as
// the generator produces it without a previous version, for a definition
// widened to the outer sections listed; it is called only when needed. The sections
// are written under their marker lines into a new orphan file (OrphanPath);
// nothing when there is nothing to keep. keptOut is false when the orphan
// file could not be written.
std::optional<SpliceLeftovers> KeepLeftovers(
    const SpliceRecord& record, const std::string& filePath, const std::tm& now,
    const std::function<std::string(const std::vector<std::string>&)>& writeDefaults,
    bool& keptOut);

// One line per section, paths as this system spells them:
//   FILE: section "NAME": N lines not carried over, kept in PATH
//   FILE: section "NAME": N lines carried over without its end marker, kept in PATH
// ("1 line" for one).
std::string LeftoversMessage(const SpliceLeftovers& leftovers);

}  // namespace bw
