#pragma once

#include <deque>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace bw {

// A private-profile (INI) file held in memory: parsed once, section and key
// names compared without regard to case, a value running to the end of its
// line. Lines of other sections are kept exactly as they were read.
class ProfileFile {
public:
    ProfileFile() = default;
    ProfileFile(const ProfileFile&) = delete;  // entries point into texts_
    ProfileFile& operator=(const ProfileFile&) = delete;
    ProfileFile(ProfileFile&&) = default;
    ProfileFile& operator=(ProfileFile&&) = default;

    // Reads path; a missing or unreadable file gives an empty profile (false).
    // The sections named in leftOut are passed over, as if deleted after.
    bool Load(const std::string& path, std::initializer_list<std::string_view> leftOut = {});
    // Parses text (CR LF or LF line ends), passing over the sections named in
    // leftOut.
    void Parse(std::string_view text, std::initializer_list<std::string_view> leftOut = {});
    // Writes the profile with CR LF line ends through an exclusive temporary
    // file beside path that then replaces it keeping its permissions, so a
    // failure never leaves half a file (ReplaceNamedFile).
    bool Save(const std::string& path) const;
    // The same with a last section the caller put together itself: its name
    // and its lines, each ending in CR LF.
    bool Save(const std::string& path, std::string_view section, std::string_view lines) const;
    std::string Text() const;

    bool HasSection(std::string_view section) const;
    // True when the section exists and holds at least one key.
    bool SectionHasContent(std::string_view section) const;
    // The value of key, or nothing when it is missing.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // Like GetPrivateProfileInt: leading digits of the value, 0 when none,
    // the default when the key is missing.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

    // Sets key in section, creating either at the end when missing.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    // Appends value to text as SetString stores it: a line break inside it
    // would end the value and start a forged key, so each becomes a blank.
    static void AppendValue(std::string& text, std::string_view value);

private:
    // Names compared without regard to case, for the indexes.
    struct NoCaseHash {
        size_t operator()(std::string_view text) const;
    };
    struct NoCaseEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using Index = std::unordered_map<std::string_view, size_t, NoCaseHash, NoCaseEqual>;

    // Texts point into texts_: the file as read, and what was set since.
    struct Entry {
        std::string_view key;    // empty for a line that is not a key (comment, blank)
        std::string_view value;  // the value, or the whole line for a non-key line
    };
    struct Section {
        std::string_view name;
        std::vector<Entry> entries;
        // Key -> its first entry, so lookups do not scan; made when first
        // needed, as a section that is only copied or dropped needs none.
        mutable Index index;
        mutable bool indexed = false;
    };

    static const Index& KeysOf(const Section& section);
    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    Section& AddSection(std::string_view name);
    // A lasting copy of text.
    std::string_view Keep(std::string text);
    void Clear();

    // A deque, so that a text never moves once stored (nor when the profile
    // itself is moved).
    std::deque<std::string> texts_;
    std::vector<std::string_view> preamble_;  // lines before the first section
    std::vector<Section> sections_;
    Index sectionIndex_;  // name -> the first section of that name
    static constexpr size_t NONE = static_cast<size_t>(-1);
    mutable size_t lastFound_ = NONE;  // the section FindSection found last
};

}  // namespace bw
