#include "ui/form_win.h"

#include <stdexcept>

#include "ui/application_win.h"
#include "ui/window_text_win.h"

namespace vc::ui {

namespace {

constexpr const char* kFormClass = "TVellumcastForm";
// A property of its own, so that a control's handle never passes for a form.
constexpr const char* kFormProperty = "VellumcastForm";

void RegisterFormClass(HICON icon, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    if (::GetClassInfoExA(::GetModuleHandleA(nullptr), kFormClass, &windowClass)) return;
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hIcon = icon ? icon : ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFormClass;
    ::RegisterClassExA(&windowClass);
}

}  // namespace

TForm::~TForm() {
    // Without the property the window no longer calls back into this
    // half-destroyed object; its procedure stays, so that subclasses stacked
    // on it still see the rest of the destruction down to WM_NCDESTROY.
    if (HWND window = window_.Release()) {
        ::RemovePropA(window, kFormProperty);
        ::DestroyWindow(window);
    }
}

void TForm::Create(const CreateArgs& args) {
    RegisterFormClass(args.icon, &TForm::Trampoline);
    frame_.border = args.border;
    HWND window = ::CreateWindowExA(0, kFormClass, args.caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    args.left, args.top, args.width, args.height, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), this);
    if (!window) throw std::runtime_error("Cannot create the window");
    ApplyFrameStyle();
    OnCreate();
}

TForm* TForm::FromHandle(HWND window) noexcept {
    return window ? static_cast<TForm*>(::GetPropA(window, kFormProperty)) : nullptr;
}

LRESULT CALLBACK TForm::Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    TForm* form = FromHandle(window);
    if (!form && message == WM_NCCREATE) {
        form = static_cast<TForm*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (form) {
            form->window_.Reset(window);
            ::SetPropA(window, kFormProperty, form);
        }
    }
    if (!form) return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::RemovePropA(window, kFormProperty);
        form->window_.Release();
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    RunGuarded([&] {
        result = form->WindowProc(message, wParam, lParam);
        handled = true;
    });
    return handled ? result : ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        if (OnCloseQuery()) {
            OnClose();
            ::DestroyWindow(Handle());
        }
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_DESTROY:
        OnDestroy();
        if (Application().MainWindow() == Handle()) ::PostQuitMessage(0);
        return 0;
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

LRESULT TForm::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(Handle(), message, wParam, lParam);
}

std::string TForm::Caption() const { return WindowText(Handle()); }

void TForm::SetCaption(const std::string& caption) { ::SetWindowTextA(Handle(), caption.c_str()); }

RECT TForm::Bounds() const {
    WINDOWPLACEMENT placement{sizeof(placement)};
    ::GetWindowPlacement(Handle(), &placement);
    return placement.rcNormalPosition;
}

void TForm::SetBounds(int left, int top, int width, int height) {
    WINDOWPLACEMENT placement{sizeof(placement)};
    ::GetWindowPlacement(Handle(), &placement);
    // A maximised window keeps its restored bounds in the placement.
    if (placement.showCmd == SW_SHOWMAXIMIZED || !::IsWindowVisible(Handle())) {
        placement.rcNormalPosition = RECT{left, top, left + width, top + height};
        placement.showCmd = ::IsWindowVisible(Handle()) ? placement.showCmd : SW_HIDE;
        ::SetWindowPlacement(Handle(), &placement);
    } else {
        ::SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

int TForm::Width() const {
    const RECT r = Bounds();
    return r.right - r.left;
}

int TForm::Height() const {
    const RECT r = Bounds();
    return r.bottom - r.top;
}

void TForm::SetWidth(int width) {
    const RECT r = Bounds();
    SetBounds(r.left, r.top, width, r.bottom - r.top);
}

void TForm::SetHeight(int height) {
    const RECT r = Bounds();
    SetBounds(r.left, r.top, r.right - r.left, height);
}

void TForm::SetPosition(int left, int top) {
    const RECT r = Bounds();
    SetBounds(left, top, r.right - r.left, r.bottom - r.top);
}

void TForm::SetFrame(const FrameStyle& frame) {
    const FrameState state = frame_.state;
    frame_ = frame;
    frame_.state = state;
    ApplyFrameStyle();
    if (frame.state != state) SetState(frame.state);
}

void TForm::SetBorder(FrameBorder border) {
    frame_.border = border;
    ApplyFrameStyle();
}

void TForm::ApplyFrameStyle() {
    constexpr LONG_PTR kFrameBits = WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX |
                                    WS_MAXIMIZEBOX | WS_BORDER | WS_DLGFRAME;
    constexpr LONG_PTR kFrameExBits = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP;
    LONG_PTR style = ::GetWindowLongPtrA(Handle(), GWL_STYLE) & ~kFrameBits;
    LONG_PTR exStyle = ::GetWindowLongPtrA(Handle(), GWL_EXSTYLE) & ~kFrameExBits;
    const FrameBorder border = frame_.border;
    if (border == FrameBorder::NoCaption) {
        style |= WS_POPUP;
    } else {
        style |= WS_CAPTION;
        if (IsSizable(border)) style |= WS_THICKFRAME;
        if (border == FrameBorder::DialogFrame) exStyle |= WS_EX_DLGMODALFRAME;
        if (IsToolWindow(border)) exStyle |= WS_EX_TOOLWINDOW;
        if (frame_.closeBox) style |= WS_SYSMENU;
        // The system draws minimise and maximise boxes only beside a close box.
        if (frame_.minimiseBox) style |= WS_MINIMIZEBOX;
        if (frame_.maximiseBox) style |= WS_MAXIMIZEBOX;
        if (frame_.helpBox) exStyle |= WS_EX_CONTEXTHELP;
    }
    ::SetWindowLongPtrA(Handle(), GWL_STYLE, style);
    ::SetWindowLongPtrA(Handle(), GWL_EXSTYLE, exStyle);
    // A system menu made while the window had one would outlive the style
    // bit and still count as a close box; without the bit it is not rebuilt.
    if (!(style & WS_SYSMENU)) ::GetSystemMenu(Handle(), TRUE);
    ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetState(FrameState state) {
    frame_.state = state;
    if (!::IsWindowVisible(Handle())) return;
    ::ShowWindow(Handle(), state == FrameState::Maximised   ? SW_MAXIMIZE
                           : state == FrameState::Minimised ? SW_MINIMIZE
                                                            : SW_RESTORE);
}

void TForm::Show() {
    ::ShowWindow(Handle(), frame_.state == FrameState::Maximised   ? SW_SHOWMAXIMIZED
                           : frame_.state == FrameState::Minimised ? SW_SHOWMINIMIZED
                                                                   : SW_SHOWNORMAL);
    ::UpdateWindow(Handle());
}

void TForm::Close() { ::PostMessageA(Handle(), WM_CLOSE, 0, 0); }

void TForm::DestroyHandle() {
    if (Handle()) ::DestroyWindow(Handle());
}

}  // namespace vc::ui
