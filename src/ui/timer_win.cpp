#include "ui/timer_win.h"

#include <stdexcept>

#include "ui/application_win.h"
#include "ui/message_window_win.h"

namespace vc::ui {

namespace {

constexpr const char* kTimerClass = "TVellumcastTimer";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

TTimer::~TTimer() {
    // No tick reaches the object while its window goes.
    if (window_) DetachMessageWindow(window_.Get());
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
    if (!window_) window_ = CreateMessageWindow(kTimerClass, &TTimer::WindowProc, this, "timer");
    if (!::SetTimer(window_.Get(), kTimerId, interval_, nullptr)) throw std::runtime_error("Cannot start the timer");
}

LRESULT CALLBACK TTimer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_TIMER && wParam == kTimerId) {
        if (auto* timer = MessageWindowOwner<TTimer>(window)) timer->Tick();
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
