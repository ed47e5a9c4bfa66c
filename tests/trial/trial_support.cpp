#include "trial/trial_support.h"

#include <filesystem>

#include "definition/template_file.h"
#include "run/generation_run.h"
#include "support/generate.h"

namespace bw {

std::string GenerateBlock(const std::string& templatePath, const std::string& folder) {
    TestRun run(folder);
    run.environment.workingDirectory = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/assets/";
    BLOCKINFO block;
    if (!ReadTemplate(block, templatePath, run.prompts)) {
        return templatePath + " cannot be read";
    }
    block.Directory = folder;
    if (RunGeneration(block, run.environment).outcome != RunOutcome::Completed) {
        return "the generation run does not complete";
    }
    return "";
}

std::map<std::string, std::string> FolderBytes(const std::string& folder) {
    std::map<std::string, std::string> bytes;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string relative =
            std::filesystem::relative(entry.path(), folder).generic_string();
        bytes[relative] = entry.is_regular_file() ? ReadFileBytes(entry.path().string()) : "(folder)";
    }
    return bytes;
}

}  // namespace bw
