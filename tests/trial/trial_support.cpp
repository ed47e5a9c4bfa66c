#include "trial/trial_support.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "definition/template_file.h"
#include "run/generation_run.h"
#include "support/generate.h"

namespace bw {

std::string GenerateBlock(const std::string& templatePath, const std::string& folder) {
    TestRun run(folder);
    BLOCKINFO block;
    if (!ReadTemplate(block, templatePath, run.prompts)) {
        return templatePath + " cannot be read";
    }
    return GenerateBlock(block, folder);
}

std::string GenerateBlock(BLOCKINFO block, const std::string& folder) {
    TestRun run(folder);
    run.environment.workingDirectory = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/";
    block.Directory = folder;
    if (RunGeneration(block, run.environment).outcome != RunOutcome::Completed) {
        return "the generation run does not complete";
    }
    return "";
}

namespace {

namespace fs = std::filesystem;

// Paths are UTF-8 here, as the program's own are on every system.
fs::path Utf8Path(const std::string& path) {
    return fs::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

std::map<std::string, std::string> FolderBytes(const std::string& folder) {
    std::map<std::string, std::string> bytes;
    for (const auto& entry : fs::recursive_directory_iterator(Utf8Path(folder))) {
        std::ostringstream content;
        if (entry.is_regular_file()) {
            content << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        }
        bytes[Utf8(fs::relative(entry.path(), Utf8Path(folder)))] =
            entry.is_regular_file() ? content.str() : "(folder)";
    }
    return bytes;
}

}  // namespace bw
