#include "wizard/local_array_info.h"

namespace bw {

namespace {
constexpr const char* SUBTITLE = "Define instantiated local arrays for the block.";
}  // namespace

CLocalArrayInfo::CLocalArrayInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {
    // The controls go into this page's own layout.
}

void CLocalArrayInfo::load() {
    // Definition -> controls: block() is the one definition.
}

bool CLocalArrayInfo::store(bool /*forward*/) {
    // Controls -> definition; a failed check shows its message through
    // prompts() and returns false to keep the page current.
    return true;
}

}  // namespace bw
