#pragma once
// The wizard's system menu on the platforms whose windows have one.
#include <memory>

#include "wizard/wizard_context.h"

namespace bw {

// The platform's system menu for the wizard, or none where windows have no
// such menu (the sheet then shows an About button).
std::unique_ptr<SystemMenu> MakeSystemMenu();

}  // namespace bw
