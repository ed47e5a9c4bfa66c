// Splices sections out of a previous version of arbitrary bytes, with marker
// titles that are real, odd (empty, bare "//; ", prefixes of one another) or
// made up, in the header's forward-only way or the user source's rewinding
// way, with the header's or the user source's sections known. The copied text
// must be exactly what a plain line-by-line reading of the bytes gives, and
// afterwards every line of a user section of the previous version must be
// found in the new file or in the orphan file that keeps what was left
// (blank lines only where the section holds more than blank lines), marker
// lines with text typed after the marker included.
//
// Input: the previous version's bytes first; the splice steps are taken from
// the end of the input.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/block_folder.h"
#include "gen_component/splice_layouts.h"
#include "generation/output_file.h"
#include "generation/paths.h"
#include "generation/splice.h"
#include "generation/splice_leftovers.h"

namespace {

constexpr std::array<const char*, 16> TITLES = {
    "//; Definitions",
    "//; Block Parameter Structure",
    "//; Scratch Parameter Structure",
    "//; Added Variables",
    "//; External Routine Prototypes",
    "//; Include Libraries",
    "//; Integer Precision",
    "//; Internally used variables",
    "//; Local Routine",
    "//; External Routines",
    "//; End of Definitions",
    "//; End of ",
    "//; ",
    "//;",
    "",
    "//; Defin",
};

// A scratch folder with "KRSave" in it, made once per process.
const std::string& Folder() {
    static const std::string folder = [] {
        char name[] = "/tmp/splice-fuzz-XXXXXX";
        if (mkdtemp(name) == nullptr || mkdir((std::string(name) + "/KRSave").c_str(), 0700) != 0) {
            std::abort();
        }
        return std::string(name) + "/";
    }();
    return folder;
}

// The previous version as a plain reading sees it: lines split at LF, one
// trailing CR removed, no line after a final LF.
std::vector<std::string> PlainLines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string line(bytes.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

bool Begins(const std::string& line, const std::string& marker) {
    return line.compare(0, marker.size(), marker) == 0;
}

bool BeginsAny(const std::string& line, const std::vector<std::string>& markers) {
    for (const std::string& marker : markers) {
        if (Begins(line, marker)) {
            return true;
        }
    }
    return false;
}

// The splice over a list of lines, as its contract describes it.
class Model {
public:
    // known: every start marker of the layout; topLevel: those that end a
    // top-level section that lost its end marker (a nested section's marker
    // outside its enclosing section does not).
    Model(std::vector<std::string> lines, std::vector<std::string> known,
          std::vector<std::string> topLevel)
        : lines_(std::move(lines)), known_(std::move(known)), topLevel_(std::move(topLevel)) {}

    void Rewind() { next_ = 0; }

    bool Nested(const std::vector<std::string>& starts) {
        std::vector<std::string> fences;
        for (size_t level = 0; level + 1 < starts.size(); ++level) {
            const std::string end = bw::EndMarkerFor(starts[level]);
            bool entered = false;
            while (next_ < lines_.size()) {
                const std::string& line = lines_[next_++];
                if (Begins(line, starts[level])) {
                    entered = true;
                    break;
                }
                if (Begins(line, end) || BeginsAny(line, fences)) {
                    return false;
                }
            }
            if (!entered) {
                return false;
            }
            fences.push_back(end);
        }
        return Innermost(starts.back(), bw::EndMarkerFor(starts.back()), fences);
    }

    const std::string& Expected() const { return expected_; }

private:
    bool Innermost(const std::string& start, const std::string& end,
                   const std::vector<std::string>& fences) {
        bool found = false;
        while (next_ < lines_.size()) {
            const std::string& line = lines_[next_++];
            if (Begins(line, start)) {
                found = true;
            } else if (Begins(line, end)) {
                break;
            } else if (found &&
                       (BeginsAny(line, fences.empty() ? topLevel_ : known_) ||
                        BeginsAny(line, fences)) &&
                       !EndComesFirst(start, end)) {
                --next_;  // a section without its end marker ends before the next one
                break;
            } else if (found) {
                expected_ += line + "\r\n";
            } else if (BeginsAny(line, fences)) {
                break;
            }
        }
        return found;
    }

    // Whether the end marker follows before the start marker comes again.
    bool EndComesFirst(const std::string& start, const std::string& end) const {
        for (size_t i = next_; i < lines_.size(); ++i) {
            if (Begins(lines_[i], start)) {
                return false;
            }
            if (Begins(lines_[i], end)) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> lines_;
    std::vector<std::string> known_;  // the start markers of the layout's sections
    std::vector<std::string> topLevel_;
    size_t next_ = 0;
    std::string expected_;
};

// Whether a marker line holds more than the longest marker it begins with.
bool TypedAfterMarker(const std::string& line, const std::vector<std::string>& markers) {
    size_t longest = 0;
    for (const std::string& marker : markers) {
        if (Begins(line, marker)) {
            longest = std::max(longest, marker.size());
        }
    }
    return line.find_first_not_of(" \t\r", longest) != std::string::npos;
}

std::vector<std::string> StartMarkers(const bw::SpliceLayout& layout) {
    std::vector<std::string> markers;
    for (const auto* titles : {&layout.outerTitles, &layout.sectionTitles}) {
        for (const std::string& title : *titles) {
            markers.push_back("//; " + title);
        }
    }
    return markers;
}

// The start markers that end a top-level section without its end marker.
std::vector<std::string> TopLevelMarkers(const bw::SpliceLayout& layout) {
    std::vector<std::string> markers = StartMarkers(layout);
    for (const std::string& title : layout.nestedTitles) {
        std::erase(markers, "//; " + title);
    }
    return markers;
}

// The lines of the previous version that belong to a user section: those
// after a start marker of a section title (behind blanks, too) up to the next
// marker line of the layout. Blank lines are left out: a section of blank
// lines alone is no user code and is not kept.
std::vector<std::string> UserLines(const std::vector<std::string>& lines,
                                   const bw::SpliceLayout& layout) {
    std::vector<std::string> markers = StartMarkers(layout);
    const size_t starts = markers.size();
    for (size_t i = 0; i < starts; ++i) {
        markers.push_back(bw::EndMarkerFor(markers[i]));
    }
    std::vector<std::string> user;
    bool inSection = false;
    for (const std::string& line : lines) {
        const size_t text = line.find_first_not_of(" \t");
        const std::string stripped = text == std::string::npos ? "" : line.substr(text);
        if (BeginsAny(stripped, markers)) {
            const bool wasInSection = inSection;
            inSection = false;
            for (const std::string& title : layout.sectionTitles) {
                inSection = inSection || Begins(stripped, "//; " + title);
            }
            // Text typed on a marker line in or at a section is user text too.
            if ((wasInSection || inSection) && TypedAfterMarker(stripped, markers)) {
                user.push_back(line);
            }
        } else if (inSection && line.find_first_not_of(" \t\r\f\v") != std::string::npos) {
            user.push_back(line);
        }
    }
    return user;
}

std::map<std::string, int> Counted(const std::vector<std::string>& lines) {
    std::map<std::string, int> counts;
    for (const std::string& line : lines) {
        ++counts[line];
    }
    return counts;
}

std::string Title(FuzzedDataProvider& steps) {
    if (steps.ConsumeIntegralInRange<int>(0, 7) == 0) {
        return "//; " + steps.ConsumeRandomLengthString(12);
    }
    return TITLES[steps.ConsumeIntegralInRange<size_t>(0, TITLES.size() - 1)];
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One splice of the previous version in "KRSave" into folder + name, with
// the steps taken from stepBytes and the record as set up. With a plain
// reading to follow, every step's finding and the text are checked against
// it. Gives the layout the steps chose and returns the spliced text.
std::string Splice(std::string_view stepBytes, bw::SpliceRecord& record, const std::string& name,
                   const std::string* plainReading, const bw::SpliceLayout*& layout) {
    FuzzedDataProvider steps(reinterpret_cast<const uint8_t*>(stepBytes.data()), stepBytes.size());
    bw::RunEnvironment environment;
    bw::OutputFile file(environment);
    if (!file.Open(Folder() + name)) {
        std::abort();
    }
    layout = steps.ConsumeBool() ? &bw::HeaderSplice() : &bw::UserSourceSplice();
    // The previous version in "KRSave", read as the run reads it.
    const std::string saved = Folder() + "KRSave/Block.h";
    const auto previous = std::make_unique<bw::PreviousVersion>();
    if (!previous->Open(saved)) {
        std::abort();
    }
    previous->Attach(layout, &record);

    Model model(PlainLines(plainReading != nullptr ? *plainReading : ""), StartMarkers(*layout),
                TopLevelMarkers(*layout));
    const int count = steps.ConsumeIntegralInRange<int>(1, 6);
    for (int i = 0; i < count; ++i) {
        if (steps.ConsumeBool()) {  // the user source's way: from the top each time
            previous->Rewind();
            model.Rewind();
        }
        std::vector<std::string> starts;
        const int depth = steps.ConsumeIntegralInRange<int>(1, 3);
        for (int level = 0; level < depth; ++level) {
            starts.push_back(Title(steps));
        }
        const bool found = depth == 1 ? bw::CopySection(file, *previous, starts[0])
                                      : bw::CopyNestedSection(file, *previous, starts);
        if (plainReading != nullptr && found != model.Nested(starts)) {
            std::fprintf(stderr, "found differs for step %d\n", i);
            std::abort();
        }
    }
    if (!file.IsOpen() || !bw::ReplaceNamedFile(Folder() + name, file.TakeText())) {
        std::abort();
    }
    const std::string spliced = ReadAll(Folder() + name);
    if (plainReading != nullptr && spliced != model.Expected()) {
        std::fprintf(stderr, "the spliced text differs from a plain reading\n");
        std::abort();
    }
    return spliced;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Steps come from the end so that a seed that is a plain file still
    // splices its own text.
    const std::string_view steps =
        std::string_view(bytes).substr(size - std::min<size_t>(size, 24));

    const std::string folder = Folder();
    {
        std::ofstream previous(folder + "KRSave/Block.h", std::ios::binary | std::ios::trunc);
        previous << bytes;
    }
    bw::SpliceRecord record;
    const bw::SpliceLayout* layout = nullptr;
    const std::string spliced = Splice(steps, record, "Block.h", &bytes, layout);

    // Whatever was not copied is set aside (no defaults: every user line counts).
    const auto setAside = bw::SetAsideLeftovers(
        record, [](const std::vector<std::string>&) { return std::string(); });
    std::vector<std::string> found = PlainLines(ReadAll(folder + "Block.h"));
    if (setAside) {
        const std::vector<std::string> orphaned = PlainLines(setAside->text);
        found.insert(found.end(), orphaned.begin(), orphaned.end());
    }
    const std::map<std::string, int> available = Counted(found);
    for (const auto& [line, needed] : Counted(UserLines(PlainLines(bytes), *layout))) {
        const auto at = available.find(line);
        if (at == available.end() || at->second < needed) {
            std::fprintf(stderr, "a line of a user section was lost\n");
            std::abort();
        }
    }
    return 0;
}
