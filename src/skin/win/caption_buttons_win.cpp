#include "skin/win/caption_buttons_win.h"

#include <utility>

#include "skin/win/skin_control_win.h"
#include "skin/win/skinned_form_win.h"
#include "ui/private_messages.h"

namespace vc {

namespace {

constexpr unsigned kHoverInterval = 250;

}  // namespace

TCaptionButtons::TCaptionButtons(TSkinnedForm& form) : form_(form) {
    hoverTimer_.SetInterval(kHoverInterval);
    hoverTimer_.OnTimer = [this] { HoverCheck(); };
}

void TCaptionButtons::SetHot(int button) {
    if (button == hot_) return;
    hot_ = button;
    if (button < 0) pressed_ = -1;
    hoverTimer_.SetEnabled(button >= 0 || hotControl_);
    form_.PaintButton(button);
}

void TCaptionButtons::Press(int button) {
    pressed_ = button;
    hot_ = button;
    hoverTimer_.SetEnabled(true);
    form_.PaintButton(button);
}

void TCaptionButtons::Release(int button, Point at) {
    const int pressed = std::exchange(pressed_, -1);
    if (button < 0 || button != pressed) return;
    form_.PaintButton(button);
    Run(button, at);
}

void TCaptionButtons::SetHotControl(TSkinControl* control) noexcept {
    if (!control && hotControl_ == nullptr) return;
    hotControl_ = control;
    hoverTimer_.SetEnabled(control || hot_ >= 0);
}

void TCaptionButtons::ForgetControl(const TSkinControl& control) noexcept {
    if (hotControl_ == &control) hotControl_ = nullptr;
}

void TCaptionButtons::Stop() noexcept {
    hoverTimer_.SetEnabled(false);
    hotControl_ = nullptr;
}

void TCaptionButtons::Run(int button, Point at) {
    const FrameLayout layout = form_.Frame().Layout();
    const TDataSkinSysButton& pressed = *layout.Buttons()[button].data;
    HWND window = form_.Window();
    const FrameState state = form_.Style().state;
    switch (pressed.Action) {
    case CaptionAction::Close:
        hoverTimer_.SetEnabled(false);
        ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case CaptionAction::Maximise:
        ::PostMessageA(window, WM_SYSCOMMAND, state == FrameState::Maximised ? SC_RESTORE : SC_MAXIMIZE, 0);
        SetHot(-1);
        break;
    case CaptionAction::Minimise:
        ::PostMessageA(window, WM_SYSCOMMAND, state == FrameState::Minimised ? SC_RESTORE : SC_MINIMIZE, 0);
        SetHot(-1);
        break;
    case CaptionAction::SystemMenuIcon:
    case CaptionAction::SystemMenu: {
        // A second open within the double-click time closes the window.
        const DWORD now = ::GetTickCount();
        if (lastSystemMenuOpen_ && now - lastSystemMenuOpen_ < ::GetDoubleClickTime()) {
            lastSystemMenuOpen_ = 0;
            ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        lastSystemMenuOpen_ = now;
        RECT r{};
        ::GetWindowRect(window, &r);
        form_.OpenSystemMenu(POINT{r.left + at.x + 1, r.top + at.y + 1});
        break;
    }
    case CaptionAction::Program:
        ::PostMessageA(window, ui::kCaptionButtonActionMessage, static_cast<WPARAM>(pressed.ProgramAction), 0);
        break;
    case CaptionAction::Decoration:
    case CaptionAction::Inert: break;
    }
}

void TCaptionButtons::HoverCheck() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    if (hotControl_ && hotControl_->Live()) {
        RECT r{};
        ::GetWindowRect(hotControl_->Window(), &r);
        if (!::PtInRect(&r, cursor) || ::WindowFromPoint(cursor) != hotControl_->Window())
            ::SendMessageA(hotControl_->Window(), ui::kCmMouseLeave, 0, 0);
    }
    const Point p = form_.Frame().WindowPoint(cursor);
    TSkinnedMenuBar* band = form_.MenuBand();
    const bool bandHot = band && !MenuHookInstalled() && band->Hot() >= 0;
    if (bandHot && band->ItemAt(p) != band->Hot()) band->SetHot(-1);
    if (hot_ < 0) {
        if (!band || band->Hot() < 0) hoverTimer_.SetEnabled(false);
        return;
    }
    const FrameLayout layout = form_.Frame().Layout();
    if (hot_ >= static_cast<int>(layout.Buttons().size()) || !layout.Buttons()[hot_].bounds.Contains(p)) SetHot(-1);
}

}  // namespace vc
