#pragma once

#include <string>
#include <vector>

#include <ctime>

#include "definition/block_info.h"
#include "generation/output_file.h"
#include "support/recording_prompts.h"

namespace bw {

using Generator = void (*)(OutputFile&, const BLOCKINFO&);

// A fresh temporary directory, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The directory, ending in "/".
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
// Sets the variable of the process's environment, or removes it for nullptr.
void SetEnvironmentVariable(const char* name, const char* value);
// Puts the text written to file at its path (folders made as needed) as the
// file layer replaces a named file; false when that failed.
bool SaveOutputFile(OutputFile& file);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// A run's seams for tests: scripted prompts, settings in memory, a fixed
// clock, and both folders of the environment at folder.
struct TestRun {
    explicit TestRun(const std::string& folder, const std::tm& when = {});
    TestRun(const TestRun&) = delete;  // the environment points at the members
    TestRun& operator=(const TestRun&) = delete;

    FixedClock clock;
    RecordingPrompts prompts;
    MemorySettings settings;
    RunEnvironment environment;
};

// The time the generators are handed in tests: Tuesday 05 March 2024, 02:07 PM.
std::tm TestTime();

// Runs generator into folder + fileName and returns the file's bytes, with
// the user sections of carried handed in as the run hands them.
std::string GenerateInto(const std::string& folder, Generator generator, const BLOCKINFO& block,
                         const std::string& fileName, PreviousVersion* carried = nullptr);
// The same in a temporary folder.
std::string Generate(Generator generator, const BLOCKINFO& block,
                     const std::string& fileName = "out.txt");

// A definition in its "new block" state, as start-up leaves it.
BLOCKINFO NewBlock();

// The lines of generated text (CR LF removed); fails the test on a bare LF.
std::vector<std::string> Lines(const std::string& text);

}  // namespace bw
