#include "generation/splice.h"

#include "definition/file_bytes.h"
#include "generation/paths.h"

namespace bw {

bool PreviousVersion::Open(const std::string& path) {
    in_.open(FileSystemPath(path), std::ios::in | std::ios::binary);
    return in_.is_open();
}

bool PreviousVersion::ReadLine(std::string& line) {
    if (!in_.is_open() || !std::getline(in_, line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

void PreviousVersion::Rewind() {
    if (in_.is_open()) {
        in_.clear();
        in_.seekg(0);
    }
}

std::string PreviousVersionPath(const OutputFile& file) {
    return SplitPath(file.Path()).first + "KRSave\\" + file.FileName();
}

std::unique_ptr<PreviousVersion> CheckPreviousVersion(OutputFile& file, std::string_view question) {
    const std::string path = PreviousVersionPath(file);
    if (!FileExists(path)) {
        return nullptr;
    }
    UserPrompts* prompts = file.Environment().prompts;
    auto previous = std::make_unique<PreviousVersion>();
    if (!previous->Open(NativePath(path))) {
        if (prompts != nullptr) {
            prompts->showMessage(
                "Unable to open file " + file.Path() + ", splice will not be attempted.",
                MessageIcon::Exclamation);
        }
        return nullptr;
    }
    const std::string text =
        "Found a previous version of " + file.FileName() + std::string(question);
    if (prompts == nullptr || !prompts->askYesNo(text, MessageIcon::Question)) {
        return nullptr;
    }
    return previous;
}

std::string EndMarkerFor(std::string_view startMarker) {
    const std::string_view title = startMarker.size() > 4 ? startMarker.substr(4) : "";
    return "//; End of " + std::string(title);
}

bool MatchesMarker(std::string_view line, std::string_view marker) {
    return line.substr(0, marker.size()) == marker;
}

namespace {

bool MatchesAny(std::string_view line, const std::vector<std::string>& markers) {
    for (const std::string& marker : markers) {
        if (MatchesMarker(line, marker)) {
            return true;
        }
    }
    return false;
}

// CopySection, except that before its start marker is found, a line that
// ends one of the sections around it (fences) ends the search: a section
// standing outside them is not theirs.
bool CopyFencedSection(OutputFile& file, PreviousVersion& previous, std::string_view start,
                       std::string_view end, const std::vector<std::string>& fences) {
    bool found = false;
    std::string line;
    while (previous.ReadLine(line)) {
        if (MatchesMarker(line, start)) {
            found = true;
        } else if (MatchesMarker(line, end)) {
            break;
        } else if (found) {
            WriteLine(file, line);
        } else if (MatchesAny(line, fences)) {
            break;
        }
    }
    return found;
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
        return CopyFencedSection(file, previous, start, end, fences);
    }
    std::string line;
    while (previous.ReadLine(line)) {
        if (MatchesMarker(line, start)) {
            fences.push_back(end);
            return CopyNestedLevel(file, previous, startMarkers, endMarkers, level + 1, fences);
        }
        if (MatchesMarker(line, end) || MatchesAny(line, fences)) {
            return false;
        }
    }
    return false;
}

}  // namespace

bool CopySection(OutputFile& file, PreviousVersion& previous, std::string_view startMarker,
                 std::string_view endMarker) {
    const std::string end = endMarker.empty() ? EndMarkerFor(startMarker) : std::string(endMarker);
    return CopyFencedSection(file, previous, startMarker, end, {});
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
