// Splices sections out of a previous version of arbitrary bytes, with marker
// titles that are real, odd (empty, bare "//; ", prefixes of one another) or
// made up, in the header's forward-only way or the user source's rewinding
// way. The copied text must be exactly what a plain line-by-line reading of
// the bytes gives.
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
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "generation/output_file.h"
#include "generation/splice.h"

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

class YesPrompts : public bw::UserPrompts {
public:
    bw::OverwriteAnswer askOverwrite(const std::string&) override {
        return bw::OverwriteAnswer::Yes;
    }
    bool askYesNo(const std::string&, bw::MessageIcon) override { return true; }
    void showMessage(const std::string&, bw::MessageIcon) override {}
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
    explicit Model(std::vector<std::string> lines) : lines_(std::move(lines)) {}

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
            } else if (found) {
                expected_ += line + "\r\n";
            } else if (BeginsAny(line, fences)) {
                break;
            }
        }
        return found;
    }

    std::vector<std::string> lines_;
    size_t next_ = 0;
    std::string expected_;
};

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Steps come from the end so that a seed that is a plain file still
    // splices its own text.
    const size_t stepBytes = std::min<size_t>(size, 24);
    FuzzedDataProvider steps(data + size - stepBytes, stepBytes);

    const std::string folder = Folder();
    {
        std::ofstream previous(folder + "KRSave/Block.h", std::ios::binary | std::ios::trunc);
        previous << bytes;
    }

    YesPrompts prompts;
    bw::RunEnvironment environment;
    environment.prompts = &prompts;
    bw::OutputFile file(environment);
    if (!file.Open(folder + "Block.h")) {
        std::abort();
    }
    const auto previous = bw::CheckPreviousVersion(file, bw::HEADER_SPLICE_QUESTION);
    if (!previous) {
        std::abort();  // the previous version is there and the answer is Yes
    }

    Model model(PlainLines(bytes));
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
        if (found != model.Nested(starts)) {
            std::fprintf(stderr, "found differs for step %d\n", i);
            std::abort();
        }
    }
    if (!file.Close() || ReadAll(folder + "Block.h") != model.Expected()) {
        std::fprintf(stderr, "the spliced text differs from a plain reading\n");
        std::abort();
    }
    return 0;
}
