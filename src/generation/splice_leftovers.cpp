#include "generation/splice_leftovers.h"

#include <algorithm>
#include <ctime>

#include "generation/overwrite.h"
#include "generation/paths.h"

namespace bw {

namespace {

// A user section of a previous version as the user wrote it.
struct UserSection {
    std::vector<std::string> titles;  // outermost first
    size_t first = 0;                 // its lines
    size_t end = 0;
    // Marker lines at or near it that hold more than the marker: text the
    // user typed there, which the new file's own marker lines do not keep.
    std::vector<size_t> typedMarkers;
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
        HandTypedMarkersToSections();
        return std::move(sections_);
    }

private:
    void Look(size_t at, std::string_view line) {
        if (!outer_.empty() && Marks(at, line, EndMarkerFor(StartMarkerOf(outer_)))) {
            outer_.clear();
            return;
        }
        for (const std::string& title : layout_.outerTitles) {
            if (Marks(at, line, StartMarkerOf(title))) {
                outer_ = title;
                return;
            }
        }
        for (const std::string& title : layout_.sectionTitles) {
            if (Marks(at, line, StartMarkerOf(title))) {
                ReadSection(title);
                return;
            }
            if (matches_.lenient && Marks(at, line, EndMarkerFor(StartMarkerOf(title)))) {
                ReadAroundStrayEndMarker(at, title);
                return;
            }
        }
    }

    // Whether line is marker; when it holds text after the marker, text the
    // new file's marker line would not keep, it is noted as typed.
    bool Marks(size_t at, std::string_view line, const std::string& marker) {
        if (!matches_(line, marker)) {
            return false;
        }
        const std::string_view rest = matches_.Stripped(line).substr(marker.size());
        if (rest.find_first_not_of(" \t\r\n") != std::string_view::npos) {
            typed_.push_back(at);
        }
        return true;
    }

    // Each typed marker line goes with the section it opens or ends, or else
    // with the last one before it.
    void HandTypedMarkersToSections() {
        if (sections_.empty()) {
            return;
        }
        for (const size_t line : typed_) {
            const size_t after = previous_.NextLine(line);
            auto owner = std::find_if(sections_.rbegin(), sections_.rend(),
                                      [&](const UserSection& s) { return s.first <= after; });
            (owner == sections_.rend() ? sections_.front() : *owner).typedMarkers.push_back(line);
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
        // As the splice ends a section that lacks its end marker.
        std::vector<std::string> stops = outer_.empty() ? TopLevelStarts(&layout_) : known_;
        if (!outer_.empty()) {
            stops.push_back(EndMarkerFor(StartMarkerOf(outer_)));
        }
        UserSection section{TitlesOf(title), previous_.Position(), 0, {}};
        const std::string end = EndMarkerFor(start);
        const SectionBody body = ReadSectionBody(previous_, start, end, stops, matches_,
                                                 [](size_t, std::string_view) {});
        section.end = body.end;
        if (body.how == SectionEnd::EndMarker) {
            Marks(body.end, previous_.Text(body.end), end);
        }
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
            sections_.push_back(UserSection{TitlesOf(title), after, next, {}});
            return;
        }
        size_t first = at;
        while (first > 0 && !IsMarker(previous_.LineBefore(first))) {
            first = previous_.LineBefore(first);
        }
        sections_.push_back(UserSection{TitlesOf(title), first, at, {}});
    }

    bool IsMarker(size_t i) const { return matches_.Any(previous_.Text(i), markers_); }

    PreviousVersion& previous_;
    const SpliceLayout& layout_;
    const Matcher matches_;
    std::vector<std::string> known_;    // start markers
    std::vector<std::string> markers_;  // start and end markers
    std::string outer_;
    std::vector<UserSection> sections_;
    std::vector<size_t> typed_;  // marker lines that hold more than the marker
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
    bool holdsTypedMarker = false;  // never the default
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
        Leftover leftover{section.titles, {}, section.first, section.end, false, false};
        for (size_t i = section.first; i < section.end; i = previous.NextLine(i)) {
            if (!copied.Contain(i)) {
                leftover.lines.push_back(i);
            }
        }
        for (const size_t i : section.typedMarkers) {
            if (!copied.Contain(i)) {
                leftover.lines.push_back(i);
                leftover.holdsTypedMarker = true;
            }
        }
        std::sort(leftover.lines.begin(), leftover.lines.end());
        if (!OnlyBlank(previous, leftover.lines)) {
            leftovers.push_back(std::move(leftover));
        }
    }
    for (const UnterminatedSection& section : record.unterminated) {
        Leftover leftover{section.titles, {}, section.first, section.end, true, false};
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

}  // namespace

std::string OrphanPath(const std::string& filePath, const std::tm& now, int n) {
    auto [directory, name] = SplitPath(filePath);
    if (directory.empty()) {
        name = filePath;  // a file at the top of the block folder
    }
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &now);
    return directory + BACKUP_FOLDER + "\\" + name + "." + stamp +
           (n > 1 ? "-" + std::to_string(n) : "") + ".orphaned";
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
        return !leftover.unterminated && !leftover.holdsTypedMarker &&
               IsDefault(previous, leftover, defaults, defaultSections);
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

std::optional<SetAside> SetAsideLeftovers(
    const SpliceRecord& record,
    const std::function<std::string(const std::vector<std::string>&)>& writeDefaults) {
    if (record.layout == nullptr) {
        return std::nullopt;
    }
    PreviousVersion previous;
    previous.Share(record.previousBytes);
    const std::vector<Leftover> leftovers = UserLeftovers(previous, record, writeDefaults);
    if (leftovers.empty()) {
        return std::nullopt;
    }
    return SetAside{LeftSections(leftovers), OrphanText(previous, leftovers)};
}

std::string WithoutUserSections(std::string_view text, const SpliceLayout& layout) {
    PreviousVersion version;
    version.Take(std::string(text));
    std::vector<UserSection> sections = UserSections(version, layout, true);
    std::sort(sections.begin(), sections.end(),
              [](const UserSection& a, const UserSection& b) { return a.first < b.first; });
    std::string kept;
    size_t at = 0;
    for (const UserSection& section : sections) {
        if (section.first > at) {
            kept.append(version.RawLines(at, section.first));
        }
        at = std::max(at, section.end);
    }
    if (at < version.End()) {
        kept.append(version.RawLines(at, version.End()));
    }
    return kept;
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

}  // namespace bw
