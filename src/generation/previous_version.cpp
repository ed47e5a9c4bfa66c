#include "generation/previous_version.h"

#include <cstring>
#include <optional>
#include <utility>

#include "files/path_calls.h"

namespace bw {

bool PreviousVersion::Open(const std::string& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return false;
    }
    Take(std::move(*bytes));
    return true;
}

void PreviousVersion::Take(std::string bytes) {
    Share(std::make_shared<const std::string>(std::move(bytes)));
}

void PreviousVersion::Share(std::shared_ptr<const std::string> bytes) {
    bytes_ = std::move(bytes);
    data_ = bytes_->data();
    size_ = bytes_->size();
    linesByPrefix_.clear();
    linesByLead_.clear();
    next_ = 0;
}

size_t PreviousVersion::NextLine(size_t line) const {
    if (line >= size_) {
        return size_;
    }
    const void* lf = std::memchr(data_ + line, '\n', size_ - line);
    return lf == nullptr ? size_ : static_cast<size_t>(static_cast<const char*>(lf) - data_) + 1;
}

size_t PreviousVersion::LineBefore(size_t line) const {
    // The byte before line ends the line before it.
    if (line <= 1) {
        return 0;
    }
    const size_t lf = std::string_view(data_, line - 1).rfind('\n');
    return lf == std::string_view::npos ? 0 : lf + 1;
}

std::string_view PreviousVersion::Text(size_t line) const {
    return WithoutLineEnd(Raw(line));
}

std::string_view PreviousVersion::Raw(size_t line) const {
    return RawLines(line, NextLine(line));
}

std::string_view PreviousVersion::RawLines(size_t first, size_t end) const {
    return std::string_view(data_ + first, end - first);
}

const PreviousVersion::LinesLed& PreviousVersion::Led(char lead) const {
    const auto [found, added] = linesByLead_.try_emplace(lead);
    LinesLed& led = found->second;
    if (!added) {
        return led;
    }
    const std::string_view bytes(data_, size_);
    for (size_t from = 0; from < size_;) {
        const void* hit = std::memchr(data_ + from, lead, size_ - from);
        if (hit == nullptr) {
            break;
        }
        const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - data_);
        if (at == 0 || data_[at - 1] == '\n') {
            led.lines.push_back(at);
            const std::string_view head = bytes.substr(at, LinesLed::HEAD);
            led.heads.append(head).append(LinesLed::HEAD - head.size(), '\0');
        }
        from = at + 1;
    }
    return led;
}

size_t PreviousVersion::NextLineBeginningWith(size_t line, std::string_view prefix) const {
    if (prefix.empty()) {
        return std::min(line, size_);
    }
    auto prefixed = linesByPrefix_.find(prefix);
    if (prefixed == linesByPrefix_.end()) {
        const LinesLed& led = Led(prefix.front());
        LinesPrefixed lines;
        for (size_t k = 0; k < led.lines.size(); ++k) {
            const size_t at = led.lines[k];
            if (at + prefix.size() > size_) {
                continue;
            }
            const std::string_view begins =
                prefix.size() <= LinesLed::HEAD
                    ? std::string_view(led.heads).substr(k * LinesLed::HEAD, prefix.size())
                    : RawLines(at, at + prefix.size());
            if (begins == prefix) {
                lines.push_back(at);
            }
        }
        prefixed = linesByPrefix_.emplace(std::string(prefix), std::move(lines)).first;
    }
    const std::vector<size_t>& lines = prefixed->second;
    const auto next = std::lower_bound(lines.begin(), lines.end(), line);
    return next != lines.end() ? *next : size_;
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

// ---------------------------------------------------------------------------
// Marker lines and the lines of a section

std::string StartMarkerOf(std::string_view title) {
    return "//; " + std::string(title);
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

std::string_view WithoutLineEnd(std::string_view raw) {
    if (raw.ends_with('\n')) {
        raw.remove_suffix(1);
    }
    if (raw.ends_with('\r')) {
        raw.remove_suffix(1);
    }
    return raw;
}

MarkerLeads::MarkerLeads(std::string_view start, std::string_view end,
                         const std::vector<std::string>& others)
    : shared_(start) {
    Add(start);
    Add(end);
    for (const std::string& marker : others) {
        Add(marker);
    }
}

void MarkerLeads::Add(std::string_view marker) {
    if (marker.empty()) {
        any_ = true;
    } else {
        leads_.set(static_cast<unsigned char>(marker.front()));
    }
    const auto differ = std::mismatch(shared_.begin(), shared_.end(), marker.begin(), marker.end());
    shared_.resize(static_cast<size_t>(differ.first - shared_.begin()));
}

std::string_view ReadLine(PreviousVersion& previous) {
    const std::string_view raw = previous.Raw(previous.Position());
    previous.Seek(previous.Position() + raw.size());
    return WithoutLineEnd(raw);
}

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

std::vector<std::string> TopLevelStarts(const SpliceLayout* layout) {
    std::vector<std::string> starts = KnownStarts(layout);
    if (layout != nullptr) {
        for (const std::string& title : layout->nestedTitles) {
            std::erase(starts, StartMarkerOf(title));
        }
    }
    return starts;
}

bool EndMarkerAhead::From(const PreviousVersion& previous, size_t line) {
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

}  // namespace bw
