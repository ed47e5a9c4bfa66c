#pragma once

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
    // Reads path; a missing or unreadable file gives an empty profile (false).
    bool Load(const std::string& path);
    // Parses text (CR LF or LF line ends).
    void Parse(std::string_view text);
    // Writes the profile with CR LF line ends through a temporary file beside
    // path that then replaces it, so a failure never leaves half a file.
    bool Save(const std::string& path) const;
    std::string Text() const;

    bool HasSection(std::string_view section) const;
    // True when the section exists and holds at least one key.
    bool SectionHasContent(std::string_view section) const;
    // The value of key, or nullptr when it is missing.
    const std::string* Find(std::string_view section, std::string_view key) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // Like GetPrivateProfileInt: leading digits of the value, 0 when none,
    // the default when the key is missing.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

    // Sets key in section, creating either at the end when missing.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void DeleteSection(std::string_view section);

private:
    struct Entry {
        std::string key;    // empty for a line that is not a key (comment, blank)
        std::string value;  // the value, or the whole line for a non-key line
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        // Lower-cased key -> its first entry, so lookups do not scan.
        std::unordered_map<std::string, size_t> index;
    };

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    Section& AddSection(std::string_view name);

    std::vector<std::string> preamble_;  // lines before the first section
    std::vector<Section> sections_;
    // Lower-cased name -> the first section of that name.
    std::unordered_map<std::string, size_t> sectionIndex_;
};

}  // namespace bw
