#pragma once

// What the splice did not carry over: every user section of a previous
// version that was not carried over (markers not found or out of order, a
// section the new definition no longer has) or that had no end marker is
// kept in an orphan file in "KRSave" and reported, so that nothing the user
// typed is lost without a word.

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "generation/previous_version.h"

namespace bw {

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

// The n-th name (from 1) the orphan file of a file generated at time now may
// take: "<name>.<yyyymmdd-hhmmss>.orphaned" in the "KRSave" folder beside it,
// then "-2", "-3" … before ".orphaned", so that no run replaces an earlier one.
std::string OrphanPath(const std::string& filePath, const std::tm& now, int n);

// What is to be kept in an orphan file: the sections, and the file's text.
struct SetAside {
    std::vector<LeftSection> sections;
    std::string text;
};

// The user sections of record's previous version that the splice did not
// carry over, or carried over without their end marker, each written under
// its marker lines; nothing when there is nothing to keep. Sections that hold
// only blank lines, or exactly what the generator writes there by default,
// are no user code and are left out. writeDefaults gives the file's text as
// the generator produces it without a previous version, for a definition
// widened to the outer sections listed; it is called only when needed.
std::optional<SetAside> SetAsideLeftovers(
    const SpliceRecord& record,
    const std::function<std::string(const std::vector<std::string>&)>& writeDefaults);

// The sections SetAsideLeftovers would keep aside, found the same way.
std::vector<LeftSection> FindLeftSections(
    const SpliceRecord& record,
    const std::function<std::string(const std::vector<std::string>&)>& writeDefaults);

// text without the lines of its user sections (found as the search for what
// the splice left finds them, markers behind blanks included): what the
// generator wrote, apart from what the user may type between the markers.
std::string WithoutUserSections(std::string_view text, const SpliceLayout& layout);

// One line per section, paths as this system spells them:
//   FILE: section "NAME": N lines not carried over, kept in PATH
//   FILE: section "NAME": N lines carried over without its end marker, kept in PATH
// ("1 line" for one).
std::string LeftoversMessage(const SpliceLeftovers& leftovers);

}  // namespace bw
