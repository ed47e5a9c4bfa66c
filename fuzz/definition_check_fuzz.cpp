// Arbitrary template bytes through the reader and the definition checker;
// whatever the checker passes is generated into a scratch folder, so that a
// definition it lets through cannot make the run misbehave.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "check/definition_check.h"
#include "definition/block_info.h"
#include "definition/profile_file.h"
#include "definition/template_file.h"
#include "run/generation_run.h"

namespace {

// Replaces every file: the scratch folder holds only what this input made.
class ReplacingPrompts : public bw::UserPrompts {
public:
    bw::OverwriteAnswer askOverwrite(const std::string&) override {
        return bw::OverwriteAnswer::YesToAll;
    }
    bool askYesNo(const std::string&, bw::MessageIcon) override { return true; }
    void showMessage(const std::string&, bw::MessageIcon) override {}
};

class EpochClock : public bw::Clock {
public:
    std::tm localNow() const override { return {}; }
};

const std::string& Scratch() {
    static const std::string folder = [] {
        std::string path = (std::filesystem::temp_directory_path() / "bw_check_fuzz_XXXXXX");
        return std::string(mkdtemp(path.data())) + "/";
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bw::ProfileFile profile;
    profile.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    static bw::MemorySettings settings;
    ReplacingPrompts prompts;
    bw::BLOCKINFO block;
    block.Reset(settings, {"/", "/", "/"});
    if (!bw::ReadTemplate(block, profile, prompts)) {
        return 0;
    }
    block.Directory = Scratch() + "block";
    const std::string assets = BLOCKWRIGHT_ASSETS_DIR "/";
    if (bw::HasErrors(bw::CheckDefinition(block)) ||
        bw::HasErrors(bw::CheckStockFiles(block, assets))) {
        return 0;
    }
    EpochClock clock;
    bw::RunEnvironment environment;
    environment.prompts = &prompts;
    environment.clock = &clock;
    environment.settings = &settings;
    environment.workingDirectory = assets;
    environment.settingsDirectory = Scratch();
    bw::RunGeneration(block, environment);
    std::error_code ignored;
    std::filesystem::remove_all(block.Directory, ignored);
    return 0;
}
