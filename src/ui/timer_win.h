#pragma once
// A timer whose ticks run on the thread that made it, through the message
// loop. Each timer owns a message-only window that carries the object in its
// user data, so a tick finds its timer without searching a list.
#include <windows.h>

#include <functional>

#include "ui/handles_win.h"

namespace vc::ui {

class TTimer {
public:
    TTimer() = default;
    ~TTimer();
    // Its window holds a pointer to the object.
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    // Milliseconds between ticks, 1000 at first; 0 stops the ticks. A new
    // interval starts counting afresh.
    void SetInterval(unsigned milliseconds);
    unsigned Interval() const noexcept { return interval_; }
    // Off at first. It ticks while enabled with an interval above 0.
    void SetEnabled(bool enabled);
    bool Enabled() const noexcept { return enabled_; }

    // Runs at each tick; what it raises goes to the standard error dialog.
    // It may disable, re-arm or destroy the timer.
    std::function<void()> OnTimer;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Update();
    void Tick();

    unsigned interval_ = 1000;
    bool enabled_ = false;
    UniqueWindow window_;
};

}  // namespace vc::ui
