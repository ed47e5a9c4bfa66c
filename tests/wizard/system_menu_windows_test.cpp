// The wizard's About item in Windows' own system menu, on a real window.
#include <windows.h>

#include <QGuiApplication>

#include "about_box.h"
#include "app/system_menu.h"
#include "wizard_fixture.h"

namespace bw {
namespace {

using SystemMenuTest = WizardFixture;

TEST_F(SystemMenuTest, TheSystemMenusAboutItemShowsTheTitleAndVersion) {
    if (QGuiApplication::platformName() != QLatin1String("windows")) {
        GTEST_SKIP() << "only a real window has a system menu; Windows' own platform runs this "
                        "test on a virtual display";
    }
    const std::unique_ptr<SystemMenu> systemMenu = MakeSystemMenu();
    context.systemMenu = systemMenu.get();
    EXPECT_FALSE(Button(QWizard::CustomButton2)->isVisible());
    const auto window = reinterpret_cast<HWND>(Wizard().winId());
    HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_NE(menu, nullptr);
    const int last = GetMenuItemCount(menu) - 1;
    wchar_t text[64] = {};
    ASSERT_GT(GetMenuStringW(menu, static_cast<UINT>(last), text, 64, MF_BYPOSITION), 0);
    EXPECT_EQ(QString::fromWCharArray(text), "&About Tessaline Blockwright");
    const UINT command = GetMenuItemID(menu, last);
    ExpectAboutBox(AboutBoxShownBy([&] { SendMessageW(window, WM_SYSCOMMAND, command, 0); }));
}

}  // namespace
}  // namespace bw
