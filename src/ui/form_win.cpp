#include "ui/form_win.h"

#include <stdexcept>

#include "ui/application_win.h"

namespace vc::ui {

namespace {

constexpr const char* kFormClass = "TVellumcastForm";

void RegisterFormClass(HICON icon) {
    WNDCLASSEXA windowClass{};
    if (::GetClassInfoExA(::GetModuleHandleA(nullptr), kFormClass, &windowClass)) return;
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hIcon = icon ? icon : ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFormClass;
    ::RegisterClassExA(&windowClass);
}

}  // namespace

TForm::~TForm() {
    // The window must not call back into a half-destroyed object.
    if (HWND window = window_.Release()) {
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(::DefWindowProcA));
        ::RemovePropA(window, kComponentProperty);
        ::DestroyWindow(window);
    }
}

void TForm::Create(const CreateArgs& args) {
    RegisterFormClass(args.icon);
    border_ = args.border;
    // The class procedure is the default one; the trampoline is put in place
    // for this window only, so WM_NCCREATE comes through CreateWindowEx's
    // parameter instead.
    HWND window = ::CreateWindowExA(0, kFormClass, args.caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                    args.left, args.top, args.width, args.height, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    if (!window) throw std::runtime_error("Cannot create the window");
    window_.Reset(window);
    ::SetPropA(window, kComponentProperty, this);
    ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TForm::Trampoline));
    ApplyFrameStyle();
    OnCreate();
}

TForm* TForm::FromHandle(HWND window) noexcept {
    return static_cast<TForm*>(::GetPropA(window, kComponentProperty));
}

LRESULT CALLBACK TForm::Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    TForm* form = FromHandle(window);
    if (!form) return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::RemovePropA(window, kComponentProperty);
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

std::string TForm::Caption() const {
    const int length = ::GetWindowTextLengthA(Handle());
    std::string caption(static_cast<std::size_t>(length) + 1, '\0');
    caption.resize(static_cast<std::size_t>(::GetWindowTextA(Handle(), caption.data(), length + 1)));
    return caption;
}

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

void TForm::SetBorder(BorderStyle border) {
    border_ = border;
    ApplyFrameStyle();
}

void TForm::SetIcons(BorderIcons icons) {
    icons_ = icons;
    ApplyFrameStyle();
}

void TForm::ApplyFrameStyle() {
    LONG_PTR style = ::GetWindowLongPtrA(Handle(), GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX |
                                    WS_MAXIMIZEBOX | WS_BORDER | WS_DLGFRAME);
    switch (border_) {
    case BorderStyle::None: style |= WS_POPUP; break;
    case BorderStyle::Single: style |= WS_CAPTION; break;
    case BorderStyle::Sizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    }
    if (border_ != BorderStyle::None) {
        if (icons_.systemMenu) style |= WS_SYSMENU;
        // Minimise and maximise boxes are drawn only beside a system menu.
        if (icons_.minimize) style |= WS_MINIMIZEBOX;
        if (icons_.maximize) style |= WS_MAXIMIZEBOX;
    }
    ::SetWindowLongPtrA(Handle(), GWL_STYLE, style);
    ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetState(WindowState state) {
    state_ = state;
    if (!::IsWindowVisible(Handle())) return;
    ::ShowWindow(Handle(), state == WindowState::Maximized   ? SW_MAXIMIZE
                           : state == WindowState::Minimized ? SW_MINIMIZE
                                                             : SW_RESTORE);
}

void TForm::Show() {
    ::ShowWindow(Handle(), state_ == WindowState::Maximized   ? SW_SHOWMAXIMIZED
                           : state_ == WindowState::Minimized ? SW_SHOWMINIMIZED
                                                              : SW_SHOWNORMAL);
    ::UpdateWindow(Handle());
}

void TForm::Close() { ::PostMessageA(Handle(), WM_CLOSE, 0, 0); }

void TForm::DestroyHandle() {
    if (Handle()) ::DestroyWindow(Handle());
}

}  // namespace vc::ui
