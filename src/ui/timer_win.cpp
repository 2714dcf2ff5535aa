#include "ui/timer_win.h"

#include <stdexcept>

#include "ui/application_win.h"

namespace vc::ui {

namespace {

constexpr const char* kTimerClass = "TVellumcastTimer";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

TTimer::~TTimer() {
    // No tick reaches the object while its window goes.
    if (window_) ::SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, 0);
}

void TTimer::SetInterval(unsigned milliseconds) {
    interval_ = milliseconds;
    Update();
}

void TTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

void TTimer::Update() {
    if (!enabled_ || interval_ == 0) {
        if (window_) ::KillTimer(window_.Get(), kTimerId);
        return;
    }
    if (!window_) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        if (!::GetClassInfoExA(::GetModuleHandleA(nullptr), kTimerClass, &windowClass)) {
            windowClass.lpfnWndProc = &TTimer::WindowProc;
            windowClass.hInstance = ::GetModuleHandleA(nullptr);
            windowClass.lpszClassName = kTimerClass;
            ::RegisterClassExA(&windowClass);
        }
        window_.Reset(::CreateWindowExA(0, kTimerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr));
        if (!window_) throw std::runtime_error("Cannot create the timer");
        ::SetWindowLongPtrA(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    if (!::SetTimer(window_.Get(), kTimerId, interval_, nullptr)) throw std::runtime_error("Cannot start the timer");
}

LRESULT CALLBACK TTimer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_TIMER && wParam == kTimerId) {
        if (auto* timer = reinterpret_cast<TTimer*>(::GetWindowLongPtrA(window, GWLP_USERDATA))) timer->Tick();
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void TTimer::Tick() {
    // A tick already queued when the timer was switched off is dropped.
    if (!enabled_ || interval_ == 0 || !OnTimer) return;
    // The handler runs from a copy: it may destroy this very timer, and
    // nothing of the object is touched after it.
    const std::function<void()> handler = OnTimer;
    RunGuarded(handler);
}

}  // namespace vc::ui
