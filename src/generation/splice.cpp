#include "generation/splice.h"

namespace bw {

std::string SpliceQuestionFor(const std::string& fileName, const SpliceLayout& layout) {
    return "Found a previous version of " + fileName + layout.question;
}

namespace {

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

// What ends a section that lacks its end marker: the next section's start.
// Outside every outer section (no fences) a nested section's marker is not
// one: the real one follows its outer section's start, which ends it first.
std::vector<std::string> StopsFor(const PreviousVersion& previous,
                                  const std::vector<std::string>& fences) {
    std::vector<std::string> stops =
        fences.empty() ? TopLevelStarts(previous.Layout()) : KnownStarts(previous.Layout());
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

}  // namespace bw
