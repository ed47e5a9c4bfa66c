#include <windows.h>

#include <QByteArray>
#include <QWidget>
#include <string>

#include "app/system_menu.h"
#include "wizard/cwizard.h"

namespace bw {

namespace {

// System-menu commands of our own are multiples of 16 below 0xF000.
constexpr UINT ABOUT_COMMAND = 0x0010;
constexpr UINT TOOLS_COMMAND = 0x0020;

// Adds About and Tools to a window's system menu and runs them when chosen:
// the menu's commands come to the window as WM_SYSCOMMAND.
class WindowsSystemMenu : public SystemMenu {
public:
    void addCommands(QWidget& window, std::function<void()> about,
                     std::function<void()> tools) override {
        HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
        if (menu == nullptr) {
            return;  // no real window (Qt's minimal platform): no menu to add to
        }
        const std::wstring item = L"&About " + QString::fromUtf8(PROGRAM_TITLE).toStdWString();
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, TOOLS_COMMAND, L"&Tools...");
        AppendMenuW(menu, MF_STRING, ABOUT_COMMAND, item.c_str());
        about_ = std::move(about);
        tools_ = std::move(tools);
    }

    bool chosen(const QByteArray& eventType, void* message) override {
        if (eventType != "windows_generic_MSG") {
            return false;
        }
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message != WM_SYSCOMMAND) {
            return false;
        }
        const UINT command = static_cast<UINT>(msg->wParam & 0xFFF0);
        const std::function<void()>& run = command == ABOUT_COMMAND   ? about_
                                           : command == TOOLS_COMMAND ? tools_
                                                                      : none_;
        if (!run) {
            return false;
        }
        run();
        return true;
    }

private:
    std::function<void()> about_;
    std::function<void()> tools_;
    const std::function<void()> none_;
};

}  // namespace

std::unique_ptr<SystemMenu> MakeSystemMenu() {
    return std::make_unique<WindowsSystemMenu>();
}

}  // namespace bw
