#include "definition/profile_file.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "definition/block_info.h"
#include "files/block_folder.h"
#include "files/path_calls.h"

namespace bw {

namespace {

char LowerChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerChar(a[i]) != LowerChar(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

size_t ProfileFile::NoCaseHash::operator()(std::string_view text) const {
    // Lower-cased into a buffer on the stack for the usual short name, then
    // hashed whole: much faster than mixing in one character at a time.
    char lowered[64];
    if (text.size() > sizeof lowered) {
        std::string copy(text);
        for (char& c : copy) {
            c = LowerChar(c);
        }
        return std::hash<std::string>{}(copy);
    }
    for (size_t i = 0; i < text.size(); ++i) {
        lowered[i] = LowerChar(text[i]);
    }
    return std::hash<std::string_view>{}(std::string_view(lowered, text.size()));
}

bool ProfileFile::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
    return EqualIgnoringCase(a, b);
}

std::string_view ProfileFile::Keep(std::string text) {
    return texts_.emplace_back(std::move(text));
}

void ProfileFile::Clear() {
    lastFound_ = NONE;
    texts_.clear();
    preamble_.clear();
    sections_.clear();
    sectionIndex_.clear();
}

bool ProfileFile::Load(const std::string& path, std::initializer_list<std::string_view> leftOut) {
    Clear();
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return false;
    }
    Parse(Keep(std::move(*bytes)), leftOut);
    return true;
}

void ProfileFile::Parse(std::string_view text, std::initializer_list<std::string_view> leftOut) {
    if (texts_.empty() || text.data() != texts_.back().data()) {
        Clear();
        text = Keep(std::string(text));
    } else {  // already kept by Load
        lastFound_ = NONE;
        preamble_.clear();
        sections_.clear();
        sectionIndex_.clear();
    }
    bool passingOver = false;  // a section left out
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string_view trimmed = Trim(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const size_t close = trimmed.find(']');
            const std::string_view name =
                Trim(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
            passingOver = std::any_of(leftOut.begin(), leftOut.end(), [&](std::string_view out) {
                return EqualIgnoringCase(out, name);
            });
            if (!passingOver) {
                AddSection(name);
            }
            continue;
        }
        if (passingOver) {
            continue;
        }
        if (sections_.empty()) {
            preamble_.push_back(line);
            continue;
        }
        Section& section = sections_.back();
        const size_t equals = line.find('=');
        const std::string_view key =
            equals == std::string_view::npos ? std::string_view() : Trim(line.substr(0, equals));
        if (key.empty()) {
            section.entries.push_back(Entry{{}, line});
            continue;
        }
        section.entries.push_back(Entry{key, line.substr(equals + 1)});
    }
}

std::string ProfileFile::Text() const {
    std::string text;
    for (std::string_view line : preamble_) {
        text.append(line).append("\r\n");
    }
    for (const Section& section : sections_) {
        text.append("[").append(section.name).append("]\r\n");
        for (const Entry& entry : section.entries) {
            if (!entry.key.empty()) {
                text.append(entry.key).append("=");
            }
            text.append(entry.value).append("\r\n");
        }
    }
    return text;
}

bool ProfileFile::Save(const std::string& path) const {
    return Save(path, {}, {});
}

bool ProfileFile::Save(const std::string& path, std::string_view section,
                       std::string_view lines) const {
    std::string text = Text();
    if (!section.empty()) {
        text.append("[").append(section).append("]\r\n").append(lines);
    }
    return static_cast<bool>(ReplaceNamedFile(path, text));
}

ProfileFile::Section* ProfileFile::FindSection(std::string_view name) {
    // Readers and writers ask for one section many times in a row.
    if (lastFound_ < sections_.size() && EqualIgnoringCase(sections_[lastFound_].name, name)) {
        return &sections_[lastFound_];
    }
    const auto it = sectionIndex_.find(name);
    if (it == sectionIndex_.end()) {
        return nullptr;
    }
    lastFound_ = it->second;
    return &sections_[lastFound_];
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name) const {
    return const_cast<ProfileFile*>(this)->FindSection(name);
}

ProfileFile::Section& ProfileFile::AddSection(std::string_view name) {
    // The first of sections with the same name is the one found.
    sectionIndex_.emplace(name, sections_.size());
    return sections_.emplace_back(Section{name, {}, {}, false});
}

const ProfileFile::Index& ProfileFile::KeysOf(const Section& section) {
    if (!section.indexed) {
        section.index.reserve(section.entries.size());
        for (size_t i = 0; i < section.entries.size(); ++i) {
            if (!section.entries[i].key.empty()) {
                section.index.emplace(section.entries[i].key, i);  // the first one stays
            }
        }
        section.indexed = true;
    }
    return section.index;
}

bool ProfileFile::HasSection(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool ProfileFile::SectionHasContent(std::string_view section) const {
    const Section* found = FindSection(section);
    return found != nullptr && !KeysOf(*found).empty();
}

std::optional<std::string_view> ProfileFile::Find(std::string_view section,
                                                  std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    const Index& keys = KeysOf(*found);
    const auto it = keys.find(Trim(key));
    if (it == keys.end()) {
        return std::nullopt;
    }
    return found->entries[it->second].value;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
    return std::string(Find(section, key).value_or(defaultValue));
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::optional<std::string_view> value = Find(section, key);
    return value ? DecimalValue(*value) : defaultValue;
}

void ProfileFile::AppendValue(std::string& text, std::string_view value) {
    const size_t start = text.size();
    text.append(value);
    for (size_t i = start; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            text[i] = ' ';
        }
    }
}

void ProfileFile::SetString(std::string_view section, std::string_view key,
                            std::string_view rawValue) {
    std::string value;
    AppendValue(value, rawValue);
    Section* found = FindSection(section);
    if (found == nullptr) {
        found = &AddSection(Keep(std::string(section)));
    }
    const std::string_view trimmedKey = Trim(key);
    const auto it = KeysOf(*found).find(trimmedKey);
    if (it != found->index.end()) {
        found->entries[it->second].value = Keep(std::move(value));
        return;
    }
    const std::string_view keptKey = Keep(std::string(trimmedKey));
    found->index.emplace(keptKey, found->entries.size());
    found->entries.push_back(Entry{keptKey, Keep(std::move(value))});
}

}  // namespace bw
