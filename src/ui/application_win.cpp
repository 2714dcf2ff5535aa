#include "ui/application_win.h"

#include <commctrl.h>

#include "ui/form_win.h"

namespace vc::ui {

TApplication& TApplication::Instance() noexcept {
    static TApplication application;
    return application;
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES |
                                                       ICC_LINK_CLASS | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

void TApplication::SetMainForm(TForm* form) noexcept { mainForm_ = form; }

HWND TApplication::MainWindow() const noexcept { return mainForm_ ? mainForm_->Handle() : nullptr; }

int TApplication::Run() {
    HWND main = MainWindow();
    if (main && !terminated_ && !::IsWindowVisible(main)) mainForm_->Show();
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (FilterMessage(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

bool TApplication::FilterMessage(MSG& message) noexcept {
    if (!onMessage_) return false;
    bool handled = false;
    RunGuarded([&] { onMessage_(message, handled); });
    return handled;
}

void TApplication::Terminate() noexcept {
    terminated_ = true;
    ::PostQuitMessage(0);
}

void TApplication::Minimize() noexcept {
    if (HWND main = MainWindow()) ::ShowWindow(main, SW_MINIMIZE);
}

void TApplication::ShowException(const std::exception& error) noexcept {
    ShowErrorMessage(error.what());
}

void TApplication::ShowErrorMessage(const std::string& message) noexcept {
    // The box runs a message loop of its own, in which the failing code may
    // run and fail again.
    if (reporting_) {
        ++droppedReports_;
        return;
    }
    reporting_ = true;
    if (errorReporter_) {
        try {
            errorReporter_(message);
        } catch (...) {
        }
    } else {
        HWND main = MainWindow();
        const HWND owner = main && ::IsWindowEnabled(main) ? main : nullptr;
        ::MessageBoxA(owner, message.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
    }
    reporting_ = false;
}

}  // namespace vc::ui
