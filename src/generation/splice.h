#pragma once

// The user-section splice: the lines a user typed between a section's marker
// lines in the previous version of a generated file are carried over into the
// new file. Sections are found by their marker lines only; content is copied
// verbatim and never compared. The run reads the previous version
// (generation/previous_version.h), hands it to the generator, which carries
// its sections over, and afterwards keeps what was not carried over
// (generation/splice_leftovers.h).

#include <string>
#include <string_view>
#include <vector>

#include "generation/output_file.h"
#include "generation/previous_version.h"

namespace bw {

// The header's question after "Found a previous version of <name>".
inline constexpr const char* HEADER_SPLICE_QUESTION = " do you want to splice the two files ?";
// The user source's question.
inline constexpr const char* USER_SOURCE_SPLICE_QUESTION =
    " do you want to attempt to splice the two files ?";

// The question asked before the user sections of a previous version of the
// file named are carried over.
std::string SpliceQuestionFor(const std::string& fileName, const SpliceLayout& layout);

// Reads on from the current position to the section that starts with
// startMarker and copies its lines to file, up to its end marker (derived
// from the start marker when endMarker is empty) or the end of the previous
// version. Returns true when the start marker was found. An end marker met
// before any start marker stops the search. With a layout attached, a section
// whose end marker is missing stops before the next start marker of the
// layout that may stand there, a nested section's never outside its outer
// section (the reading goes on from there).
bool CopySection(OutputFile& file, PreviousVersion& previous, std::string_view startMarker,
                 std::string_view endMarker = {});

// The same for a section nested in others: startMarkers lists the titles
// outermost first. The innermost section counts only between the start and
// end markers of every section around it. Missing end markers are derived.
bool CopyNestedSection(OutputFile& file, PreviousVersion& previous,
                       const std::vector<std::string>& startMarkers,
                       const std::vector<std::string>& endMarkers = {});

}  // namespace bw
