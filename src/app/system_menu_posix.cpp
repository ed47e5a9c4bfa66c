#include "app/system_menu.h"

namespace bw {

// The desktops' window menus are the window manager's own: nothing of ours goes there.
std::unique_ptr<SystemMenu> MakeSystemMenu() {
    return nullptr;
}

}  // namespace bw
