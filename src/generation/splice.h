#pragma once

// The user-section splice: the lines a user typed between a section's marker
// lines in the previous version of a generated file are carried over into the
// new file. Sections are found by their marker lines only; content is copied
// verbatim and never compared.

#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "generation/output_file.h"

namespace bw {

// The previous version of a generated file, read line by line.
class PreviousVersion {
public:
    // Opens path read-only; false when it cannot be opened.
    bool Open(const std::string& path);
    bool IsOpen() const { return in_.is_open(); }

    // The next line with its LF or CR LF end removed; false at the end of the
    // file. Any bytes (NUL included) pass through unchanged.
    bool ReadLine(std::string& line);
    // Back to the first line.
    void Rewind();

private:
    std::ifstream in_;
};

// The header's question after "Found a previous version of <name>".
inline constexpr const char* HEADER_SPLICE_QUESTION = " do you want to splice the two files ?";
// The user source's question.
inline constexpr const char* USER_SOURCE_SPLICE_QUESTION =
    " do you want to attempt to splice the two files ?";

// Where the previous version of the file being generated lives: the backup of
// the "KRSave" folder beside it.
std::string PreviousVersionPath(const OutputFile& file);

// The previous-version check, done before a generator writes anything. Returns
// the open previous version when the user agrees to splice, else nothing. A
// previous version that exists but cannot be opened is reported; a missing one
// is not.
std::unique_ptr<PreviousVersion> CheckPreviousVersion(OutputFile& file, std::string_view question);

// "//; End of " + the start marker without its leading "//; ".
std::string EndMarkerFor(std::string_view startMarker);

// True when line begins with marker (in column 0, case-sensitive).
bool MatchesMarker(std::string_view line, std::string_view marker);

// Reads on from the current position to the section that starts with
// startMarker and copies its lines to file, up to its end marker (derived
// from the start marker when endMarker is empty) or the end of the previous
// version. Returns true when the start marker was found. An end marker met
// before any start marker stops the search.
bool CopySection(OutputFile& file, PreviousVersion& previous, std::string_view startMarker,
                 std::string_view endMarker = {});

// The same for a section nested in others: startMarkers lists the titles
// outermost first. The innermost section counts only between the start and
// end markers of every section around it. Missing end markers are derived.
bool CopyNestedSection(OutputFile& file, PreviousVersion& previous,
                       const std::vector<std::string>& startMarkers,
                       const std::vector<std::string>& endMarkers = {});

}  // namespace bw
