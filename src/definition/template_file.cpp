// Interim: the template reader and writer are being written.
#include "definition/template_file.h"

namespace bw {

bool WriteTemplate(const BLOCKINFO&, const std::string&) { return false; }

bool ReadTemplate(BLOCKINFO&, const std::string&, UserPrompts& prompts) {
    prompts.showMessage(INVALID_TEMPLATE_MESSAGE, MessageIcon::Stop);
    return false;
}

}  // namespace bw
