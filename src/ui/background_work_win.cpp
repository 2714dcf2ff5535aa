#include "ui/background_work_win.h"

#include <utility>

#include "ui/application_win.h"
#include "ui/message_window_win.h"
#include "ui/private_messages.h"

namespace vc::ui {

TBackgroundWork::~TBackgroundWork() {
    if (thread_) ::WaitForSingleObject(thread_.Get(), INFINITE);
    if (window_) DetachMessageWindow(window_.Get());
}

bool TBackgroundWork::Start(std::function<void()> work, std::function<void()> done) {
    if (thread_) return false;
    if (!window_) window_ = CreateMessageWindow("TVellumcastBackgroundWork", &TBackgroundWork::WindowProc, this,
                                                "background work window");
    work_ = std::move(work);
    done_ = std::move(done);
    thread_.Reset(::CreateThread(nullptr, 0, &TBackgroundWork::ThreadMain, this, 0, nullptr));
    return static_cast<bool>(thread_);
}

DWORD WINAPI TBackgroundWork::ThreadMain(void* job) noexcept {
    auto* self = static_cast<TBackgroundWork*>(job);
    self->work_();
    // The object outlives the thread: its destructor waits for it.
    ::PostMessageA(self->window_.Get(), kBackgroundWorkDoneMessage, 0, 0);
    return 0;
}

LRESULT CALLBACK TBackgroundWork::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == kBackgroundWorkDoneMessage) {
        if (auto* self = MessageWindowOwner<TBackgroundWork>(window)) self->Finish();
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void TBackgroundWork::Finish() {
    // The thread has posted its last word; waiting for its end makes what
    // the work wrote visible here.
    ::WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
    work_ = nullptr;
    const std::function<void()> done = std::exchange(done_, nullptr);
    if (done) RunGuarded(done);
}

}  // namespace vc::ui
