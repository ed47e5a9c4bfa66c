#include "wizard/data_info.h"

namespace bw {

namespace {
constexpr const char* SUBTITLE = "Choose what types of data the block will handle.";
}  // namespace

CDataInfo::CDataInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {
    // The controls go into this page's own layout.
}

void CDataInfo::load() {
    // Definition -> controls: block() is the one definition.
}

bool CDataInfo::store(bool /*forward*/) {
    // Controls -> definition; a failed check shows its message through
    // prompts() and returns false to keep the page current.
    return true;
}

}  // namespace bw
