#pragma once

// A generation run into a temporary folder, for the tests of runs.

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "definition/block_info.h"
#include "generation/paths.h"
#include "run/file_set.h"
#include "run/generation_run.h"
#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {

namespace fs = std::filesystem;

inline std::string BackupPathOf(const std::string& path) {
    const auto [directory, name] = SplitPath(path);
    return directory + "KRSave\\" + name;
}

inline const char* const STOCK_FILES[] = {"RT.ico",      "RT1.ico",      "input.ico",
                                          "input1.ico",  "output.ico",   "output1.ico",
                                          "process.ico", "process1.ico", "xDAIS.bmp"};

// A run into a temporary folder, with stock files whose contents name them.
class GenerationRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : STOCK_FILES) {
            WriteFileBytes(stock_.path() + name, std::string("stock ") + name);
        }
        environment_.prompts = &prompts_;
        environment_.clock = &clock_;
        environment_.settings = &settings_;
        environment_.workingDirectory = stock_.path();
        environment_.settingsDirectory = stock_.path();
        block_ = NewBlock();
        block_.BlockName = "Gain";
        block_.IconFilename = "Gain.ico";
        block_.Directory = Dir();
    }

    std::string Dir() const { return out_.path() + "Gain"; }
    std::string In(const std::string& relative) const { return Dir() + "\\" + relative; }
    std::string Disk(const std::string& relative) const { return Dir() + "/" + relative; }
    bool Exists(const std::string& relative) const { return fs::exists(Disk(relative)); }

    RunResult Run() { return RunGeneration(block_, environment_); }

    std::vector<std::string> RunPaths() const {
        std::vector<std::string> paths;
        for (const BlockFile& file : RunFileSet(block_)) {
            paths.push_back(In(file.path));
        }
        return paths;
    }

    TempDir stock_;
    TempDir out_;
    RecordingPrompts prompts_;
    FixedClock clock_{std::tm{}};
    MemorySettings settings_;
    RunEnvironment environment_;
    BLOCKINFO block_;
};

}  // namespace bw
