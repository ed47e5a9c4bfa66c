#include "wizard/file_info.h"

namespace bw {

namespace {
constexpr const char* SUBTITLE = "Set the directories and file names used by the block.";
}  // namespace

CFileInfo::CFileInfo(WizardContext& context, QWidget* parent)
    : CWizardPage(context, SUBTITLE, parent) {
    // The controls go into this page's own layout.
}

void CFileInfo::load() {
    // Definition -> controls: block() is the one definition.
}

bool CFileInfo::store(bool /*forward*/) {
    // Controls -> definition; a failed check shows its message through
    // prompts() and returns false to keep the page current.
    return true;
}

}  // namespace bw
