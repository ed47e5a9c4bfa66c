#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "support/generate.h"

#include "files/block_folder.h"
#include "generation/paths.h"
#include "support/golden.h"
#include "support/recording_prompts.h"

namespace bw {

namespace fs = std::filesystem;

TempDir::TempDir() {
    // A name no other folder has: create_directory fails for one that exists.
    static std::random_device seed;
    std::mt19937_64 random(seed());
    std::error_code ec;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = fs::temp_directory_path() /
                                ("blockwright-test-" + std::to_string(random() % 1000000007));
        if (fs::create_directory(folder, ec)) {
            path_ = folder.generic_string() + "/";
            return;
        }
    }
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

bool SaveOutputFile(OutputFile& file) {
    if (!file.IsOpen()) {
        return false;
    }
    const std::string path = file.Path();
    const std::string text = file.TakeText();
    return CreateDirectoryPath(path) && ReplaceNamedFile(NativePath(path), text);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

TestRun::TestRun(const std::string& folder, const std::tm& when) : clock(when) {
    environment.prompts = &prompts;
    environment.clock = &clock;
    environment.settings = &settings;
    environment.workingDirectory = environment.settingsDirectory = folder;
}

std::tm TestTime() {
    std::tm when{};
    when.tm_year = 124;  // Tuesday 05 March 2024, 02:07 PM
    when.tm_mon = 2;
    when.tm_mday = 5;
    when.tm_wday = 2;
    when.tm_hour = 14;
    when.tm_min = 7;
    return when;
}

std::string GenerateInto(const std::string& folder, Generator generator, const BLOCKINFO& block,
                         const std::string& fileName, PreviousVersion* carried) {
    TestRun run(folder, TestTime());
    OutputFile file(run.environment, GeneratorInputs{TestTime(), folder, carried});
    const std::string path = folder + fileName;
    EXPECT_TRUE(file.Open(path)) << path;
    generator(file, block);
    SaveOutputFile(file);
    return ReadFileBytes(path);
}

std::string Generate(Generator generator, const BLOCKINFO& block, const std::string& fileName) {
    TempDir dir;
    return GenerateInto(dir.path(), generator, block, fileName);
}

BLOCKINFO NewBlock() {
    MemorySettings settings;
    BLOCKINFO block;
    block.Reset(settings, {"/blocks/", "/blocks/", "/blocks/"});
    return block;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find('\n'), std::string::npos) << "bare LF in: " << lines.back();
        if (end == std::string::npos) {
            ADD_FAILURE() << "text does not end with CR LF";
            break;
        }
    }
    return lines;
}

namespace {

// Line number (from 1) of the first line that differs, with both versions
// of it, CR and LF made visible.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    size_t start = 0;
    size_t line = 1;
    for (size_t i = 0; i < expected.size() && i < actual.size() && expected[i] == actual[i]; ++i) {
        if (expected[i] == '\n') {
            start = i + 1;
            ++line;
        }
    }
    const auto shown = [start](const std::string& text) {
        if (start >= text.size()) {
            return std::string("<end>");
        }
        std::string visible;
        for (size_t i = start; i < text.size(); ++i) {
            visible += text[i] == '\r'   ? "<CR>"
                       : text[i] == '\n' ? "<LF>"
                                         : std::string(1, text[i]);
            if (text[i] == '\n') {
                break;
            }
        }
        return visible;
    };
    return std::to_string(line) + "\n  expected: " + shown(expected) +
           "\n  actual:   " + shown(actual);
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
    if (expected != actual) {
        ADD_FAILURE() << "generated text differs from " << path << " at line "
                      << FirstDifference(expected, actual);
    }
}

}  // namespace bw
