#pragma once
// Work run on a thread of its own while the window goes on answering, with
// its end told back on the thread that started it, through the message loop:
// a slow job (inflating a big book's search index) never holds up typing.
// One job at a time.
#include <windows.h>

#include <functional>

#include "ui/handles_win.h"

namespace vc::ui {

class TBackgroundWork {
public:
    TBackgroundWork() = default;
    // Waits for a job still running; its `done` does not run.
    ~TBackgroundWork();
    // The thread and the message window hold a pointer to the object.
    TBackgroundWork(const TBackgroundWork&) = delete;
    TBackgroundWork& operator=(const TBackgroundWork&) = delete;

    // Runs `work` on a new thread, then `done` on this one. `work` must not
    // raise and touches only what it owns; `done` may start the next job.
    // False, running nothing, while a job runs or when no thread can start.
    bool Start(std::function<void()> work, std::function<void()> done);
    bool Running() const noexcept { return static_cast<bool>(thread_); }

private:
    static DWORD WINAPI ThreadMain(void* job) noexcept;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Finish();

    std::function<void()> work_;
    std::function<void()> done_;
    UniqueWindow window_;
    UniqueKernelObject thread_;
};

}  // namespace vc::ui
