#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/generate.h"
#include "support/golden.h"
#include "support/recording_prompts.h"

namespace bw {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "blockwright-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    path_ = made ? std::string(made) + "/" : std::string();
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path_.empty()) {
        fs::remove_all(path_, ec);
    }
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string Generate(Generator generator, const BLOCKINFO& block, const std::string& fileName) {
    TempDir dir;
    std::tm when{};
    when.tm_year = 124;
    when.tm_mon = 2;
    when.tm_mday = 5;
    when.tm_wday = 2;
    when.tm_hour = 14;
    when.tm_min = 7;
    FixedClock clock(when);
    RecordingPrompts prompts;
    MemorySettings settings;
    RunEnvironment environment;
    environment.prompts = &prompts;
    environment.clock = &clock;
    environment.settings = &settings;
    environment.workingDirectory = dir.path();
    environment.settingsDirectory = dir.path();
    OutputFile file(environment);
    const std::string path = dir.path() + fileName;
    EXPECT_TRUE(file.Open(path)) << path;
    EXPECT_TRUE(generator(file, block));
    file.Close();
    return ReadFileBytes(path);
}

BLOCKINFO NewBlock() {
    MemorySettings settings;
    BLOCKINFO block;
    block.Reset(settings, "/blocks/");
    return block;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            ADD_FAILURE() << "text does not end with CR LF";
            break;
        }
        std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos) << "bare LF in: " << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

namespace {

std::string Visible(const std::string& line) {
    std::string shown;
    for (char c : line) {
        if (c == '\r') {
            shown += "<CR>";
        } else if (c == '\n') {
            shown += "<LF>";
        } else {
            shown += c;
        }
    }
    return shown;
}

// Splits keeping the line ends, so that CR and LF differences show.
std::vector<std::string> RawLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

}  // namespace

void ExpectMatchesGolden(const std::string& name, const std::string& actual) {
    const std::string path = std::string(BLOCKWRIGHT_GOLDEN_DIR) + "/" + name;
    const char* update = std::getenv("UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        WriteFileBytes(path, actual);
        return;
    }
    if (!fs::exists(path)) {
        ADD_FAILURE() << "golden file " << path << " is missing (run with UPDATE_GOLDEN=1)";
        return;
    }
    const std::string expected = ReadFileBytes(path);
    if (expected == actual) {
        return;
    }
    const auto want = RawLines(expected);
    const auto got = RawLines(actual);
    size_t line = 0;
    while (line < want.size() && line < got.size() && want[line] == got[line]) {
        ++line;
    }
    ADD_FAILURE() << "generated text differs from " << path << " at line " << line + 1
                  << "\n  expected: " << (line < want.size() ? Visible(want[line]) : "<end>")
                  << "\n  actual:   " << (line < got.size() ? Visible(got[line]) : "<end>");
}

}  // namespace bw
