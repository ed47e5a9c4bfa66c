#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "definition/block_info.h"
#include "generation/output_file.h"
#include "support/generate.h"

namespace bw {

// Runs generator with a chosen working directory and no settings store, so
// that the host library paths in the output are known.
inline std::string GenerateInWorkingDirectory(Generator generator, const BLOCKINFO& block,
                                              const std::string& workingDirectory) {
    TempDir dir;
    RunEnvironment environment;
    OutputFile file(environment, GeneratorInputs{TestTime(), workingDirectory});
    const std::string path = dir.path() + "project.txt";
    if (!file.Open(path)) {
        return "<generation failed>";
    }
    generator(file, block);
    SaveOutputFile(file);
    return ReadFileBytes(path);
}

// Sets XDASDIR (or removes it, for nullptr) for the life of the object.
class ScopedXdasdir {
public:
    explicit ScopedXdasdir(const char* value) {
        if (const char* old = std::getenv("XDASDIR")) {
            saved_ = old;
        }
        Apply(value);
    }
    ~ScopedXdasdir() { Apply(saved_ ? saved_->c_str() : nullptr); }
    ScopedXdasdir(const ScopedXdasdir&) = delete;
    ScopedXdasdir& operator=(const ScopedXdasdir&) = delete;

private:
    static void Apply(const char* value) { SetEnvironmentVariable("XDASDIR", value); }
    std::optional<std::string> saved_;
};

}  // namespace bw
