#include <windows.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
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
// the menu's commands come as WM_SYSCOMMAND to the window, which every
// native event filter of the application sees first.
class WindowsSystemMenu : public SystemMenu, public QAbstractNativeEventFilter {
public:
    ~WindowsSystemMenu() override {
        if (installed_) {
            QCoreApplication::instance()->removeNativeEventFilter(this);
        }
    }

    void addCommands(QWidget& window, std::function<void()> about,
                     std::function<void()> tools) override {
        window_ = reinterpret_cast<HWND>(window.winId());
        HMENU menu = GetSystemMenu(window_, FALSE);
        if (menu == nullptr) {
            return;  // no real window (Qt's minimal platform): no menu to add to
        }
        const std::wstring item = L"&About " + QString::fromUtf8(PROGRAM_TITLE).toStdWString();
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, TOOLS_COMMAND, L"&Tools...");
        AppendMenuW(menu, MF_STRING, ABOUT_COMMAND, item.c_str());
        about_ = std::move(about);
        tools_ = std::move(tools);
        if (!installed_) {
            QCoreApplication::instance()->installNativeEventFilter(this);
            installed_ = true;
        }
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override {
        if (eventType != "windows_generic_MSG") {
            return false;
        }
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->hwnd != window_ || msg->message != WM_SYSCOMMAND) {
            return false;
        }
        const UINT command = static_cast<UINT>(msg->wParam & 0xFFF0);
        const std::function<void()>& chosen = command == ABOUT_COMMAND   ? about_
                                              : command == TOOLS_COMMAND ? tools_
                                                                         : nothing_;
        if (!chosen) {
            return false;
        }
        chosen();
        *result = 0;
        return true;
    }

private:
    HWND window_ = nullptr;
    std::function<void()> about_;
    std::function<void()> tools_;
    const std::function<void()> nothing_;
    bool installed_ = false;
};

}  // namespace

std::unique_ptr<SystemMenu> MakeSystemMenu() {
    return std::make_unique<WindowsSystemMenu>();
}

}  // namespace bw
