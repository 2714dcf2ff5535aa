#include "ui/message_window_win.h"

#include <stdexcept>
#include <string>

namespace vc::ui {

UniqueWindow CreateMessageWindow(const char* className, WNDPROC procedure, void* owner, const char* what) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!::GetClassInfoExA(instance, className, &windowClass)) {
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = className;
        ::RegisterClassExA(&windowClass);
    }
    UniqueWindow window(::CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
    if (!window) throw std::runtime_error(std::string("Cannot create the ") + what);
    ::SetWindowLongPtrA(window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

}  // namespace vc::ui
