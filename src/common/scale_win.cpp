#include "common/scale_win.h"

namespace vc {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

template <class Function>
Function User32Function(const char* name) noexcept {
    const FARPROC found = ::GetProcAddress(::GetModuleHandleA("user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

GetDpiForWindowFn DpiForWindow() noexcept {
    static const auto query = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    return query;
}

// The fonts a window takes from the system's non-client metrics.
constexpr LOGFONTA NONCLIENTMETRICSA::*kNonClientFonts[] = {
    &NONCLIENTMETRICSA::lfCaptionFont, &NONCLIENTMETRICSA::lfSmCaptionFont, &NONCLIENTMETRICSA::lfMenuFont,
    &NONCLIENTMETRICSA::lfStatusFont, &NONCLIENTMETRICSA::lfMessageFont};

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

int SystemMetricForDpi(int index, int dpi) noexcept {
    static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
    return ::MulDiv(::GetSystemMetrics(index), dpi, SystemDpi());
}

NONCLIENTMETRICSA NonClientMetricsForDpi(int dpi) noexcept {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics = NONCLIENTMETRICSA{};
        metrics.cbSize = sizeof metrics;
        for (const auto font : kNonClientFonts) {
            (metrics.*font).lfHeight = -11;
            (metrics.*font).lfWeight = FW_NORMAL;
            lstrcpynA((metrics.*font).lfFaceName, "Tahoma", LF_FACESIZE);
        }
        metrics.lfCaptionFont.lfWeight = FW_BOLD;
    }
    const int systemDpi = SystemDpi();
    if (dpi == systemDpi) return metrics;
    for (const auto font : kNonClientFonts) {
        LONG& height = (metrics.*font).lfHeight;
        height = ::MulDiv(height, dpi, systemDpi);
    }
    for (int* length : {&metrics.iBorderWidth, &metrics.iScrollWidth, &metrics.iScrollHeight, &metrics.iCaptionWidth,
                        &metrics.iCaptionHeight, &metrics.iSmCaptionWidth, &metrics.iSmCaptionHeight,
                        &metrics.iMenuWidth, &metrics.iMenuHeight})
        *length = ::MulDiv(*length, dpi, systemDpi);
    return metrics;
}

}  // namespace vc
