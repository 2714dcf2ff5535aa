#include "common/scale_win.h"

namespace vc {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn DpiForWindow() noexcept {
    static const auto query = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    return query;
}

}  // namespace

int SystemDpi() noexcept {
    const HDC screen = ::GetDC(nullptr);
    if (!screen) return Scale::kBaseDpi;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : Scale::kBaseDpi;
}

int WindowDpi(HWND window) noexcept {
    if (window) {
        if (const GetDpiForWindowFn query = DpiForWindow()) {
            const UINT dpi = query(window);
            if (dpi > 0) return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

}  // namespace vc
