#include "skin/win/skinned_form_win.h"

#include <utility>

#include "skin/win/skin_control_win.h"
#include "skin/win/skin_manager_win.h"
#include "ui/application_win.h"
#include "ui/form_win.h"
#include "ui/frame_style_win.h"
#include "ui/private_messages.h"

namespace vc {

namespace {

// The system's themed caption paint, which must not reach a skinned window.
constexpr UINT kThemedCaptionPaint = 0x00AE;
constexpr UINT kThemedFramePaint = 0x00AF;

}  // namespace

TSkinnedForm::TSkinnedForm(TSkinManager& manager, TSkinData& data)
    : ui::TWindowSubclass(ui::kFrameSkinnerSubclassId),
      manager_(manager),
      data_(data),
      buttons_(*this),
      frame_(*this, data, manager, buttons_),
      controls_(*this, data, buttons_) {}

TSkinnedForm::~TSkinnedForm() {
    if (Attached()) Stop();
    controls_.StopAll();
}

void TSkinnedForm::Register(std::unique_ptr<TSkinControl> control) { controls_.Register(std::move(control)); }
void TSkinnedForm::Unregister(TSkinControl& control) { controls_.Unregister(control); }

bool TSkinnedForm::Install(HWND window) {
    if (installed_) return true;
    if (!Attach(window)) return false;
    installed_ = true;
    standardDialog_ = ui::IsStandardDialog(window);
    ReadWindow();
    manager_.SetSystemNcRendering(window, false);
    return true;
}

void TSkinnedForm::ReadWindow() {
    style_ = ui::ReadFrameStyle(Window());
    frame_.MeasureBand((menuBar_ && menuBar_->Menu()) || ::GetMenu(Window()));
}

void TSkinnedForm::Start() {
    if (state_ != SkinState::NotStarted) return;
    RECT client{};
    ::GetClientRect(Window(), &client);
    frame_.SaveSystemFrame();
    frame_.RefreshFonts();
    active_ = ::GetActiveWindow() == Window();
    ReadWindow();
    state_ = SkinState::Fitting;
    if (frame_.MenuBandHeight() > 0) {
        // The band takes the window's menu: the system neither draws nor
        // reserves a menu bar of its own from here on.
        menuBar_ = std::make_unique<TSkinnedMenuBar>(Window(), data_, manager_);
        menuBar_->BuildItems();
    }
    frame_.Fit(client);
    state_ = SkinState::Running;
    frame_.RebuildRegion(true);
    ui::RunGuarded([this] { controls_.SkinAll(); });
    ::SendMessageA(Window(), ui::kSkinnedNotification, 0, ui::kSkinMagic);
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TSkinnedForm::Stop() {
    if (!Attached()) return;
    HWND window = Window();
    buttons_.Stop();
    controls_.StopAll();
    const bool wasRunning = state_ == SkinState::Running || state_ == SkinState::Reloading;
    RECT client{};
    ::GetClientRect(window, &client);
    // Given back before the subclass goes: detaching forgets the band.
    if (menuBar_) menuBar_->GiveBack();
    menuBar_.reset();
    Detach();
    state_ = SkinState::Gone;
    ::SetWindowRgn(window, nullptr, TRUE);
    manager_.SetSystemNcRendering(window, true);
    if (wasRunning && ::IsWindow(window)) frame_.RestoreSystemFrame(window, client);
}

void TSkinnedForm::ReloadSkin() {
    if (state_ != SkinState::Running) return;
    state_ = SkinState::Reloading;
    frame_.RefreshFonts();
    controls_.DropBrush();
    ReadWindow();
    frame_.KeepClientSize();
    frame_.RebuildRegion(true);
    controls_.RefreshColours();
    state_ = SkinState::Running;
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TSkinnedForm::OnDetached() noexcept {
    state_ = SkinState::Gone;
    // The window is going: its menu stays with its owner, not given back
    // to be destroyed with the window.
    menuBar_.reset();
    buttons_.Stop();
    manager_.FormGone(*this);
}

void TSkinnedForm::PaintFrame(HDC dc) {
    if (state_ != SkinState::Running && state_ != SkinState::Reloading) return;
    frame_.Paint(dc);
}

void TSkinnedForm::PaintButton(int button) {
    if (state_ == SkinState::Running) frame_.PaintTitle(button);
}

// --- Messages ---

LRESULT TSkinnedForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case ui::kSkinQueryMessage: return ui::kSkinQueryAnswer;
    case ui::kSkinStartMessage: return OnSkinStart();
    case ui::kFrameRepaintMessage: return OnFrameRepaint(wParam);
    case ui::kFrameRepaintRequest: return OnFrameRepaintRequest(wParam, lParam);
    case kThemedCaptionPaint:
    case kThemedFramePaint: return 0;
    case WM_NOTIFY: return OnNotify(wParam, lParam);
    case ui::kScrollBarReskinMessage: return OnScrollBarReskin(wParam);
    case WM_ERASEBKGND: return OnEraseBackground(wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return OnControlColour(message, wParam, lParam);
    default: break;
    }
    if (state_ == SkinState::NotStarted) return BeforeStart(message, wParam, lParam);
    switch (message) {
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    case WM_NCRBUTTONDOWN: return OnNcRightButtonDown(wParam, lParam);
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WM_MEASUREITEM: return OnMeasureItem(wParam, lParam);
    case WM_DRAWITEM: return OnDrawItem(wParam, lParam);
    case WM_MENUSELECT: return OnMenuSelect(wParam, lParam);
    case ui::kCmMenuChanged: return OnMenuChanged(wParam, lParam);
    case ui::kMenuBarPressMessage: return OnMenuBarPress(lParam);
    case WM_SETTEXT: return OnSetText(wParam, lParam);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(wParam, lParam);
    case WM_SIZE: return OnSize(wParam, lParam);
    case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(wParam, lParam);
    case WM_DPICHANGED: return OnDpiChanged(wParam, lParam);
    default: return ui::TWindowSubclass::WindowProc(message, wParam, lParam);
    }
}

LRESULT TSkinnedForm::Pass(UINT message, WPARAM wParam, LPARAM lParam) {
    if (state_ == SkinState::NotStarted) return BeforeStart(message, wParam, lParam);
    return ui::TWindowSubclass::WindowProc(message, wParam, lParam);
}

LRESULT TSkinnedForm::BeforeStart(UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing of the system's frame is painted before the skin starts.
    if (message == WM_NCPAINT) return 0;
    if (message == WM_NCACTIVATE) return TRUE;
    return DefaultProc(message, wParam, lParam);
}

LRESULT TSkinnedForm::OnSkinStart() {
    Start();
    return 0;
}

LRESULT TSkinnedForm::OnFrameRepaint(WPARAM dc) {
    PaintFrame(reinterpret_cast<HDC>(dc));
    return 0;
}

LRESULT TSkinnedForm::OnFrameRepaintRequest(WPARAM dc, LPARAM magic) {
    if (magic != ui::kSkinMagic) return Pass(ui::kFrameRepaintRequest, dc, magic);
    PaintFrame(reinterpret_cast<HDC>(dc));
    return ui::kSkinMagic;
}

LRESULT TSkinnedForm::OnNotify(WPARAM wParam, LPARAM lParam) {
    // Tool bars ask their parent how to draw themselves.
    LRESULT result = 0;
    if (auto* header = reinterpret_cast<NMHDR*>(lParam); header && controls_.ParentNotify(*header, result))
        return result;
    return Pass(WM_NOTIFY, wParam, lParam);
}

LRESULT TSkinnedForm::OnScrollBarReskin(WPARAM child) {
    controls_.Reskin(reinterpret_cast<HWND>(child));
    return 0;
}

LRESULT TSkinnedForm::OnEraseBackground(WPARAM dc, LPARAM lParam) {
    if (!standardDialog_) return Pass(WM_ERASEBKGND, dc, lParam);
    // Dialogs of the system stand on the skin's face colour.
    controls_.EraseBackground(reinterpret_cast<HDC>(dc));
    return 1;
}

LRESULT TSkinnedForm::OnControlColour(UINT message, WPARAM dc, LPARAM control) {
    if (!standardDialog_) return Pass(message, dc, control);
    DefaultProc(message, dc, control);
    return controls_.ControlColour(reinterpret_cast<HDC>(dc), reinterpret_cast<HWND>(control));
}

LRESULT TSkinnedForm::OnActivate(WPARAM wParam, LPARAM lParam) {
    active_ = LOWORD(wParam) != WA_INACTIVE;
    return DefaultProc(WM_ACTIVATE, wParam, lParam);
}

LRESULT TSkinnedForm::OnNcRightButtonDown(WPARAM hitTest, LPARAM lParam) {
    // The system menu opens on the release, as the system's does.
    if (hitTest == HTCAPTION || hitTest == HTMENU) return 0;
    return DefaultProc(WM_NCRBUTTONDOWN, hitTest, lParam);
}

LRESULT TSkinnedForm::OnSetText(WPARAM wParam, LPARAM lParam) {
    // The system paints its own caption on a new text: not while it is ours.
    const bool visible = ::IsWindowVisible(Window()) != FALSE;
    if (visible) DefaultProc(WM_SETREDRAW, FALSE, 0);
    const LRESULT result = DefaultProc(WM_SETTEXT, wParam, lParam);
    if (visible) DefaultProc(WM_SETREDRAW, TRUE, 0);
    // The text is set: a failing paint must not send it through again.
    ui::RunGuarded([this] { PaintFrame(); });
    return result;
}

LRESULT TSkinnedForm::OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultProc(WM_GETMINMAXINFO, wParam, lParam);
    frame_.LimitMaximised(*reinterpret_cast<MINMAXINFO*>(lParam));
    return result;
}

LRESULT TSkinnedForm::OnSize(WPARAM kind, LPARAM lParam) {
    const LRESULT result = DefaultProc(WM_SIZE, kind, lParam);
    style_.state = kind == SIZE_MAXIMIZED   ? FrameState::Maximised
                   : kind == SIZE_MINIMIZED ? FrameState::Minimised
                                            : FrameState::Normal;
    if (style_.state != FrameState::Minimised) ui::RunGuarded([this] { frame_.RebuildRegion(false); });
    return result;
}

LRESULT TSkinnedForm::OnWindowPosChanged(WPARAM wParam, LPARAM lParam) {
    style_.state = ui::ReadFrameStyle(Window()).state;
    return DefaultProc(WM_WINDOWPOSCHANGED, wParam, lParam);
}

LRESULT TSkinnedForm::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    // The window takes its new rectangle first; the frame, its shape, the
    // menu band and the fonts then follow the new scale.
    const LRESULT result = DefaultProc(WM_DPICHANGED, wParam, lParam);
    ui::RunGuarded([this] {
        frame_.RefreshFonts();
        ReadWindow();
        frame_.RebuildRegion(true);
    });
    frame_.Changed();
    return result;
}

LRESULT TSkinnedForm::OnNcPaint(HRGN update) {
    if (style_.border == FrameBorder::NoCaption) return ui::TWindowSubclass::OnNcPaint(update);
    PaintFrame();
    return 0;
}

LRESULT TSkinnedForm::OnNcCalcSize(RECT& proposed, NCCALCSIZE_PARAMS* full) {
    if (style_.border == FrameBorder::NoCaption) return ui::TWindowSubclass::OnNcCalcSize(proposed, full);
    frame_.ClientArea(proposed);
    return 0;
}

LRESULT TSkinnedForm::OnNcHitTest(POINT screen) {
    const LRESULT system = ui::TWindowSubclass::OnNcHitTest(screen);
    if (style_.border == FrameBorder::NoCaption) return system;
    return frame_.HitTest(system, screen);
}

LRESULT TSkinnedForm::OnNcActivate(bool active, HRGN) {
    active_ = active;
    if (!active_) buttons_.SetHot(-1);
    PaintFrame();
    // The system's caption is not drawn: the skinned one was.
    return TRUE;
}

LRESULT TSkinnedForm::OnNcMouseMove(int hitTest, POINT screen) {
    if (!active_) return 0;
    const int button = frame_.Layout().ButtonAt(frame_.WindowPoint(screen));
    buttons_.SetHot(button);
    if (button >= 0) return 0;
    if (menuBar_) {
        const int item = menuBar_->ItemAt(frame_.WindowPoint(screen));
        menuBar_->SetHot(item);
        if (item >= 0) {
            buttons_.WatchBand();
            return 0;
        }
    }
    return ui::TWindowSubclass::OnNcMouseMove(hitTest, screen);
}

LRESULT TSkinnedForm::OnNcMouseButton(NcButton button, NcClick click, int hitTest, POINT screen) {
    if (button == NcButton::Left) return OnLeftButton(click, hitTest, screen);
    if (button == NcButton::Right && click == NcClick::Up && hitTest == HTCAPTION &&
        style_.border != FrameBorder::DialogFrame) {
        OpenSystemMenu(screen);
        return 0;
    }
    return ui::TWindowSubclass::OnNcMouseButton(button, click, hitTest, screen);
}

LRESULT TSkinnedForm::OnLeftButton(NcClick click, int hitTest, POINT screen) {
    const Point p = frame_.WindowPoint(screen);
    const FrameLayout layout = frame_.Layout();
    const int button = layout.ButtonAt(p);
    switch (click) {
    case NcClick::Down:
        if (button >= 0) {
            if (!active_) ::SetForegroundWindow(Window());
            buttons_.Press(button);
            return 0;
        }
        if (hitTest == HTMENU) {
            if (!active_) ::SetForegroundWindow(Window());
            const int item = BandItemAt(p);
            if (item >= 0) OpenBandMenu(item, false);
            return 0;
        }
        // A maximised window is not dragged by its title bar.
        if (hitTest == HTCAPTION && active_ && style_.state == FrameState::Maximised) return 0;
        break;
    case NcClick::Up:
        buttons_.Release(button, p);
        if (button >= 0) return 0;
        break;
    case NcClick::DoubleClick:
        if (button >= 0) {
            if (layout.Buttons()[button].IsSystemMenu()) ::PostMessageA(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        }
        if (hitTest != HTCAPTION) break;
        if (style_.state != FrameState::Normal) {
            ::PostMessageA(Window(), WM_SYSCOMMAND, SC_RESTORE, 0);
        } else if (style_.maximiseBox) {
            ::PostMessageA(Window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        }
        return 0;
    }
    return ui::TWindowSubclass::OnNcMouseButton(NcButton::Left, click, hitTest, screen);
}

LRESULT TSkinnedForm::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    switch (wParam & 0xFFF0) {
    case SC_KEYMENU: {
        // The menu band and the system menu are ours to open from the
        // keyboard: the system would draw its own where its frame would be.
        if (lParam == ' ') {
            const FrameLayout layout = frame_.Layout();
            RECT r{};
            ::GetWindowRect(Window(), &r);
            POINT at{r.left + layout.Sizes().left, r.top + layout.Sizes().top};
            for (const auto& b : layout.Buttons())
                if (b.visible && b.IsSystemMenu()) at = POINT{r.left + b.bounds.left, r.top + b.bounds.bottom};
            OpenSystemMenu(at);
            return 0;
        }
        // The band's menus: Alt or F10 alone (key 0) highlight the first item,
        // Alt and a letter the item of that access key; a key no item has
        // is eaten, as the system's menu bar does.
        if (menuBar_) {
            OpenBandMenuByKey(static_cast<char>(lParam));
            return 0;
        }
        break;
    }
    case SC_MINIMIZE: style_.state = FrameState::Minimised; break;
    case SC_MAXIMIZE: style_.state = FrameState::Maximised; break;
    case SC_RESTORE: style_.state = FrameState::Normal; break;
    default: break;
    }
    return DefaultProc(WM_SYSCOMMAND, wParam, lParam);
}

// --- The system menu and the menu band ---

// The skinned system menu: the window's own items, enabled for the state
// the window is in, opened at a screen point.
void TSkinnedForm::OpenSystemMenu(POINT screen) {
    buttons_.SetHot(-1);
    OpenSkinnedSystemMenu(Window(), manager_, style_, screen);
}

int TSkinnedForm::BandItemAt(Point p) const { return menuBar_ ? menuBar_->ItemAt(p) : -1; }

void TSkinnedForm::OpenBandMenu(int item, bool byKey) {
    if (!menuBar_) return;
    buttons_.SetHot(-1);
    menuBar_->OpenItem(item, byKey);
}

bool TSkinnedForm::OpenBandMenuByKey(char key) {
    if (!menuBar_) return false;
    buttons_.SetHot(-1);
    return menuBar_->EnterMenuMode(key);
}

// The menu rows: owner-drawn from the skin.
LRESULT TSkinnedForm::OnMeasureItem(WPARAM wParam, LPARAM lParam) {
    if (MeasureSkinnedMenuItem(manager_, data_, frame_.Fonts(), *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
        return TRUE;
    return DefaultProc(WM_MEASUREITEM, wParam, lParam);
}

LRESULT TSkinnedForm::OnDrawItem(WPARAM wParam, LPARAM lParam) {
    if (DrawSkinnedMenuItem(manager_, data_, frame_.Fonts(), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
    return DefaultProc(WM_DRAWITEM, wParam, lParam);
}

LRESULT TSkinnedForm::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    if (menuBar_) menuBar_->OnMenuSelect(wParam, lParam);
    return DefaultProc(WM_MENUSELECT, wParam, lParam);
}

LRESULT TSkinnedForm::OnMenuChanged(WPARAM wParam, LPARAM lParam) {
    // A top-level item changed (enabled, caption, deleted): the band shows
    // it at once.
    const LRESULT result = DefaultProc(ui::kCmMenuChanged, wParam, lParam);
    if (menuBar_) {
        menuBar_->BuildItems();
        PaintFrame();
    }
    return result;
}

LRESULT TSkinnedForm::OnMenuBarPress(LPARAM screenPoint) {
    const POINT screen{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    const int item = BandItemAt(frame_.WindowPoint(screen));
    if (item >= 0) OpenBandMenu(item, false);
    return 0;
}

}  // namespace vc
