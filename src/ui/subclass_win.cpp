#include "ui/subclass_win.h"

#include <commctrl.h>

#include "ui/application_win.h"
#include "ui/private_messages.h"

namespace vc::ui {

namespace {

POINT PointOf(LPARAM lParam) noexcept {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

LPARAM ParamOf(POINT point) noexcept {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(point.x)), static_cast<WORD>(static_cast<short>(point.y)));
}

// The import library lacks GetWindowSubclass: the function is taken from the
// loaded comctl32 by its documented ordinal, 411.
using GetWindowSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);

GetWindowSubclassFunction GetWindowSubclassEntry() noexcept {
    static const auto entry = [] {
        HMODULE comctl32 = ::GetModuleHandleA("comctl32.dll");
        return comctl32 ? reinterpret_cast<GetWindowSubclassFunction>(reinterpret_cast<void (*)()>(
                              ::GetProcAddress(comctl32, MAKEINTRESOURCEA(411))))
                        : nullptr;
    }();
    return entry;
}

// The nine button messages run left, right, middle, each down, up, double.
constexpr UINT kFirstNcButton = WM_NCLBUTTONDOWN;
constexpr UINT kLastNcButton = WM_NCMBUTTONDBLCLK;

}  // namespace

TWindowSubclass::~TWindowSubclass() { Detach(); }

bool TWindowSubclass::Attach(HWND window) noexcept {
    if (window_ || !window || Find(window, id_)) return false;
    if (!::SetWindowSubclass(window, &TWindowSubclass::Procedure, id_, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    window_ = window;
    return true;
}

void TWindowSubclass::Detach() noexcept {
    if (!window_) return;
    if (::IsWindow(window_)) ::RemoveWindowSubclass(window_, &TWindowSubclass::Procedure, id_);
    Removed();
}

void TWindowSubclass::Removed() noexcept {
    window_ = nullptr;
    OnDetached();
}

TWindowSubclass* TWindowSubclass::Find(HWND window, UINT_PTR id) noexcept {
    const GetWindowSubclassFunction getWindowSubclass = GetWindowSubclassEntry();
    DWORD_PTR data = 0;
    if (!window || !getWindowSubclass || !getWindowSubclass(window, &TWindowSubclass::Procedure, id, &data))
        return nullptr;
    return reinterpret_cast<TWindowSubclass*>(data);
}

LRESULT CALLBACK TWindowSubclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<TWindowSubclass*>(data);
    if (message == WM_NCDESTROY) {
        // The rest of the chain sees the message first; then this subclass
        // goes, as the last thing it does with the window.
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        ::RemoveWindowSubclass(window, &TWindowSubclass::Procedure, id);
        if (self->window_ == window) self->Removed();
        return result;
    }
    const HWND outer = self->dispatching_;
    self->dispatching_ = window;
    LRESULT result = 0;
    bool handled = false;
    RunGuarded([&] {
        result = self->WindowProc(message, wParam, lParam);
        handled = true;
    });
    if (!handled) result = ::DefSubclassProc(window, message, wParam, lParam);
    self->dispatching_ = outer;
    return result;
}

LRESULT TWindowSubclass::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(dispatching_ ? dispatching_ : window_, message, wParam, lParam);
}

LRESULT TWindowSubclass::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCPAINT:
        return OnNcPaint(reinterpret_cast<HRGN>(wParam));
    case WM_NCCALCSIZE:
        // Without the valid-area request lParam is the rectangle alone.
        if (wParam) {
            auto* full = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
            return OnNcCalcSize(full->rgrc[0], full);
        }
        return OnNcCalcSize(*reinterpret_cast<RECT*>(lParam), nullptr);
    case WM_NCHITTEST:
        return OnNcHitTest(PointOf(lParam));
    case WM_NCACTIVATE:
        return OnNcActivate(wParam != 0, reinterpret_cast<HRGN>(lParam));
    case WM_NCMOUSEMOVE:
        return OnNcMouseMove(static_cast<int>(wParam), PointOf(lParam));
    case WM_NCMOUSELEAVE:
        return OnNcMouseLeave();
    default:
        if (message >= kFirstNcButton && message <= kLastNcButton) {
            const UINT offset = message - kFirstNcButton;
            return OnNcMouseButton(static_cast<NcButton>(offset / 3), static_cast<NcClick>(offset % 3),
                                   static_cast<int>(wParam), PointOf(lParam));
        }
        return DefaultProc(message, wParam, lParam);
    }
}

LRESULT TWindowSubclass::OnNcPaint(HRGN update) {
    return DefaultProc(WM_NCPAINT, reinterpret_cast<WPARAM>(update), 0);
}

LRESULT TWindowSubclass::OnNcCalcSize(RECT& proposed, NCCALCSIZE_PARAMS* full) {
    return full ? DefaultProc(WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(full))
                : DefaultProc(WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed));
}

LRESULT TWindowSubclass::OnNcHitTest(POINT screen) { return DefaultProc(WM_NCHITTEST, 0, ParamOf(screen)); }

LRESULT TWindowSubclass::OnNcActivate(bool active, HRGN update) {
    return DefaultProc(WM_NCACTIVATE, active, reinterpret_cast<LPARAM>(update));
}

LRESULT TWindowSubclass::OnNcMouseMove(int hitTest, POINT screen) {
    return DefaultProc(WM_NCMOUSEMOVE, static_cast<WPARAM>(hitTest), ParamOf(screen));
}

LRESULT TWindowSubclass::OnNcMouseLeave() { return DefaultProc(WM_NCMOUSELEAVE, 0, 0); }

LRESULT TWindowSubclass::OnNcMouseButton(NcButton button, NcClick click, int hitTest, POINT screen) {
    const UINT message = kFirstNcButton + 3 * static_cast<UINT>(button) + static_cast<UINT>(click);
    return DefaultProc(message, static_cast<WPARAM>(hitTest), ParamOf(screen));
}

bool AnswersSkinQuery(HWND window) noexcept {
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutA(window, kSkinQueryMessage, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) &&
           answer == kSkinQueryAnswer;
}

}  // namespace vc::ui
