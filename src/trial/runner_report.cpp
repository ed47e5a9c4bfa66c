#include "trial/runner_report.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>

#include "definition/profile_file.h"
#include "files/block_folder.h"
#include "files/path_calls.h"
#include "launch/launcher.h"

namespace bw {

namespace {

// How many of the runner's failure lines a problem quotes.
const int QUOTED_FAILURES = 5;

std::vector<std::string> Lines(const std::string& output) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos) {
            end = output.size();
        }
        std::string line = output.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

const char* TitleOf(const std::string& id) {
    for (const CheckKind& kind : CheckKinds()) {
        if (id == kind.id) {
            return kind.title;
        }
    }
    return "";
}

// The first failure lines, each without its "FAIL ".
std::string QuotedFailures(const std::vector<std::string>& lines) {
    std::string quoted;
    int count = 0;
    for (const std::string& line : lines) {
        if (StartsWith(line, "FAIL ") && count++ < QUOTED_FAILURES) {
            quoted += "\n  " + line.substr(5);
        }
    }
    return quoted;
}

// Every check the runner knows, not run for the reason given.
std::vector<TrialCheck> NoneRun(const std::string& reason) {
    std::vector<TrialCheck> checks;
    for (const CheckKind& kind : CheckKinds()) {
        checks.push_back({kind.id, kind.title, CheckOutcome::NotRun, reason});
    }
    return checks;
}

std::vector<TrialCheck> CrashedChecks(const std::vector<std::string>& lines) {
    std::string where = "the runner ended with exit code 3 without saying where";
    for (const std::string& line : lines) {
        if (StartsWith(line, "FAIL ") && line.find(": crashed with exception") != std::string::npos) {
            where = line.substr(5);
        }
    }
    std::vector<TrialCheck> checks = NoneRun("not run: the block crashed");
    checks.front().outcome = CheckOutcome::Failed;
    checks.front().reason = where;
    return checks;
}

// "nan=0 inf=2 denormal=0" of each output, for the numbers check's reason.
std::string NumberCounts(const std::vector<std::string>& lines) {
    std::string counts;
    for (const std::string& line : lines) {
        if (StartsWith(line, "COUNT ")) {
            const size_t blank = line.find(' ', 6);
            if (blank != std::string::npos && line.find("nan=0 inf=0 denormal=0") == std::string::npos) {
                counts += "; output " + line.substr(6, blank - 6) + ": " + line.substr(blank + 1);
            }
        }
    }
    return counts;
}

// The summary gives the first line of a failure; where a report follows it
// on indented lines ("... not all freed:" and the blocks with where each was
// allocated), its first line is what names the culprit, and is added.
std::string WithFirstReportLine(const std::string& reason, const std::vector<std::string>& lines) {
    const size_t first = reason.find("first: ");
    if (first == std::string::npos || reason.empty() || reason.back() != ':') {
        return reason;
    }
    const std::string failure = "FAIL " + reason.substr(first + 7);
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::string& next = lines[i + 1];
        if (lines[i] == failure && !next.empty() && (next[0] == ' ' || next[0] == '\t')) {
            return reason + " " + next.substr(next.find_first_not_of(" \t"));
        }
    }
    return reason;
}

}  // namespace

const std::vector<CheckKind>& CheckKinds() {
    static const std::vector<CheckKind> kinds = {
        {"crash", "no exception in any entry point"},
        {"locks", "every lock released, no unlock owed"},
        {"leaks", "nothing left allocated"},
        {"bounds", "no write outside a buffer, no foreign or double free"},
        {"numbers", "no NaN, infinity or denormal in any output"},
        {"shape", "outputs of the right frame size, type and shape"},
        {"parameters", "parameters saved, loaded and set as typed"},
        {"dialog", "every dialog control present, OK and Cancel"},
        {"failures", "failing allocations and locks handled"},
        {"realtime", "every frame computed faster than it lasts"},
        {"lives", "a fresh instance gives the same samples again"},
    };
    return kinds;
}

std::vector<TrialCheck> ChecksFromRunnerOutput(const std::string& output, int exitCode,
                                               std::string& problem) {
    const std::vector<std::string> lines = Lines(output);
    if (exitCode == RUNNER_CRASHED) {
        return CrashedChecks(lines);
    }
    if (exitCode == RUNNER_REFUSED) {
        problem = "the runner refused the case file: " + LastLines(output, 4);
        return NoneRun("not run: the runner refused the case");
    }
    std::vector<TrialCheck> checks;
    bool anyFailed = false;
    for (const std::string& line : lines) {
        if (!StartsWith(line, "CHECK ")) {
            continue;
        }
        const size_t blank = line.find(' ', 6);
        if (blank == std::string::npos) {
            continue;
        }
        TrialCheck check{line.substr(6, blank - 6), "", CheckOutcome::Passed, ""};
        check.title = TitleOf(check.id);
        const std::string verdict = line.substr(blank + 1);
        if (StartsWith(verdict, "FAIL")) {
            check.outcome = CheckOutcome::Failed;
            check.reason =
                verdict.size() > 5 ? WithFirstReportLine(verdict.substr(5), lines) : "failed";
            if (check.id == "numbers") {
                check.reason += NumberCounts(lines);
            }
            anyFailed = true;
        } else if (verdict != "PASS") {
            continue;
        }
        checks.push_back(std::move(check));
    }
    if (checks.empty()) {
        problem = "the runner ended with exit code " + std::to_string(exitCode) +
                  " without its summary of checks" + QuotedFailures(lines);
        return NoneRun("not run: the runner gave no result");
    }
    if (exitCode != RUNNER_PASSED && exitCode != RUNNER_FAILED) {
        problem = "the runner ended with exit code " + std::to_string(exitCode) + ": " +
                  LastLines(output, 4);
    } else if ((exitCode == RUNNER_FAILED) != anyFailed) {
        problem = "the runner's exit code " + std::to_string(exitCode) +
                  " disagrees with its summary of checks" + QuotedFailures(lines);
    }
    // The report lists the checks in one order, whatever order they came in.
    std::vector<TrialCheck> ordered;
    for (const CheckKind& kind : CheckKinds()) {
        for (const TrialCheck& check : checks) {
            if (check.id == kind.id) {
                ordered.push_back(check);
            }
        }
    }
    for (const TrialCheck& check : checks) {
        if (check.title.empty()) {
            ordered.push_back(check);
        }
    }
    return ordered;
}

std::vector<double> DecodeFloat64(const std::string& bytes) {
    std::vector<double> samples(bytes.size() / 8);
    for (size_t i = 0; i < samples.size(); ++i) {
        std::uint64_t bits = 0;
        for (int b = 7; b >= 0; --b) {
            bits = bits << 8 | static_cast<unsigned char>(bytes[i * 8 + static_cast<size_t>(b)]);
        }
        std::memcpy(&samples[i], &bits, sizeof bits);
    }
    return samples;
}

std::string EncodeFloat64(const std::vector<double>& samples) {
    std::string bytes;
    bytes.reserve(samples.size() * 8);
    for (const double sample : samples) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &sample, sizeof bits);
        for (int b = 0; b < 8; ++b) {
            bytes += static_cast<char>(bits >> (8 * b) & 0xff);
        }
    }
    return bytes;
}

bool ReadTrace(const std::string& folder, TrialTrace& trace, std::string& problem) {
    std::unique_ptr<BlockFolder> dump;
    if (const FileResult opened = BlockFolder::Open(folder, false, dump); !opened) {
        problem = "the runner left no trace: " + opened.Message();
        return false;
    }
    std::string text;
    if (const FileResult read = dump->Read("trace.ini", LARGEST_FILE_READ, text); !read) {
        problem = "the runner left no trace: " + read.Message();
        return false;
    }
    ProfileFile profile;
    profile.Parse(text);
    const std::string rate = profile.GetString("Trace", "SampleRate", "");
    trace = {};
    trace.sampleRate = rate.empty() ? 0 : std::strtod(rate.c_str(), nullptr);
    if (!(trace.sampleRate > 0)) {
        problem = "the runner's trace names no sample rate";
        return false;
    }
    // Traces hold a few frames of a few channels; far below what any read allows.
    const auto readSamples = [&](const std::string& name, std::vector<double>& samples) {
        std::string bytes;
        if (const FileResult read = dump->Read(name, LARGEST_FILE_READ, bytes); !read) {
            problem = "the runner's trace is incomplete: " + read.Message();
            return false;
        }
        samples = DecodeFloat64(bytes);
        return true;
    };
    trace.inputs.resize(static_cast<size_t>(std::max(0, profile.GetInt("Trace", "Inputs", 0))));
    trace.outputs.resize(static_cast<size_t>(std::max(0, profile.GetInt("Trace", "Outputs", 0))));
    for (size_t i = 0; i < trace.inputs.size(); ++i) {
        if (!readSamples("in" + std::to_string(i) + ".f64", trace.inputs[i])) {
            return false;
        }
    }
    for (size_t j = 0; j < trace.outputs.size(); ++j) {
        if (!readSamples("out" + std::to_string(j) + ".f64", trace.outputs[j])) {
            return false;
        }
    }
    return true;
}

}  // namespace bw
