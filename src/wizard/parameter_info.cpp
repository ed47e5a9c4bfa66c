#include "wizard/parameter_info.h"

namespace bw {

namespace {
constexpr const char* SUBTITLE = "Define parameters and default values for the block.";
}  // namespace

CParameterInfo::CParameterInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {
    // The controls go into this page's own layout.
}

void CParameterInfo::load() {
    // Definition -> controls: block() is the one definition.
}

bool CParameterInfo::store(bool /*forward*/) {
    // Controls -> definition; a failed check shows its message through
    // prompts() and returns false to keep the page current.
    return true;
}

}  // namespace bw
