#include "wizard/io_info.h"

namespace bw {

namespace {
constexpr const char* SUBTITLE = "Set input and output characteristics of the block.";
}  // namespace

CIOInfo::CIOInfo(WizardContext& context, QWidget* parent) : CWizardPage(context, SUBTITLE, parent) {
    // The controls go into this page's own layout.
}

void CIOInfo::load() {
    // Definition -> controls: block() is the one definition.
}

bool CIOInfo::store(bool /*forward*/) {
    // Controls -> definition; a failed check shows its message through
    // prompts() and returns false to keep the page current.
    return true;
}

}  // namespace bw
