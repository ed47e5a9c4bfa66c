#include "wizard/revision_info.h"

namespace bw {

namespace {
constexpr const char* SUBTITLE = "Set company name and revision information for the block.";
}  // namespace

CRevisionInfo::CRevisionInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {
    // The controls go into this page's own layout.
}

void CRevisionInfo::load() {
    // Definition -> controls: block() is the one definition.
}

bool CRevisionInfo::store(bool /*forward*/) {
    // Controls -> definition; a failed check shows its message through
    // prompts() and returns false to keep the page current.
    return true;
}

}  // namespace bw
