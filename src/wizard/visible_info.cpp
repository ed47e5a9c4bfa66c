#include "wizard/visible_info.h"

namespace bw {

namespace {
constexpr const char* SUBTITLE = "Choose the library, group and name for the block.";
}  // namespace

CVisibleInfo::CVisibleInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {
    // The controls go into this page's own layout.
}

void CVisibleInfo::load() {
    // Definition -> controls: block() is the one definition.
}

bool CVisibleInfo::store(bool /*forward*/) {
    // Controls -> definition; a failed check shows its message through
    // prompts() and returns false to keep the page current.
    return true;
}

}  // namespace bw
