// Feeds arbitrary bytes to the template reader as the text of a template file.
#include <cstdint>
#include <string>
#include <string_view>

#include "definition/block_info.h"
#include "definition/profile_file.h"
#include "definition/template_file.h"

namespace {

class SilentPrompts : public bw::UserPrompts {
public:
    bw::OverwriteAnswer askOverwrite(const std::string&) override {
        return bw::OverwriteAnswer::Cancel;
    }
    bool askYesNo(const std::string&, bw::MessageIcon) override { return false; }
    void showMessage(const std::string&, bw::MessageIcon) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bw::ProfileFile profile;
    profile.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    static bw::MemorySettings settings;
    SilentPrompts prompts;
    bw::BLOCKINFO block;
    block.Reset(settings, {"/", "/", "/"});
    bw::ReadTemplate(block, profile, prompts);
    // Whatever was parsed must print again.
    (void)profile.Text();
    return 0;
}
