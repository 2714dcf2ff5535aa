#include "skin/win/skinned_form_win.h"

#include <algorithm>
#include <utility>

#include "common/scale_win.h"
#include "skin/win/skin_bitmap_win.h"
#include "skin/win/skin_control_win.h"
#include "skin/win/skin_manager_win.h"
#include "ui/application_win.h"
#include "ui/form_win.h"
#include "ui/frame_style_win.h"
#include "ui/private_messages.h"
#include "ui/window_text_win.h"

namespace vc {

namespace {

// The system's themed caption paint, which must not reach a skinned window.
constexpr UINT kThemedCaptionPaint = 0x00AE;
constexpr UINT kThemedFramePaint = 0x00AF;

// The system's caption font at the skin's height; the menu band's font is
// the system's menu font at the window's DPI, not bold.
ui::UniqueFont CaptionFont(int height, bool bold, int dpi) {
    const NONCLIENTMETRICSA metrics = NonClientMetricsForDpi(dpi);
    LOGFONTA font = bold ? metrics.lfCaptionFont : metrics.lfMenuFont;
    if (height > 0) font.lfHeight = -height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return ui::UniqueFont(::CreateFontIndirectA(&font));
}

HICON WindowIcon(HWND window) {
    auto icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrA(window, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrA(window, GCLP_HICON));
    return icon;
}

// The caption without its access-key marks, as it shows.
int TextWidth(HDC dc, const std::string& caption) {
    RECT r{0, 0, 0, 0};
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return r.right - r.left;
}

UINT DrawTextAlign(TextAlign align) {
    switch (align) {
    case TextAlign::Right: return DT_RIGHT;
    case TextAlign::Centre: return DT_CENTER;
    case TextAlign::Left: break;
    }
    return DT_LEFT;
}

// The skin knows four borders; tool windows wear it as the others do.
FrameBorder SkinBorder(FrameBorder border) {
    switch (border) {
    case FrameBorder::ToolWindow: return FrameBorder::Fixed;
    case FrameBorder::SizableToolWindow: return FrameBorder::Sizable;
    default: return border;
    }
}

void FrameChanged(HWND window) {
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

TSkinnedForm::TSkinnedForm(TSkinManager& manager, TSkinData& data)
    : ui::TWindowSubclass(ui::kFrameSkinnerSubclassId),
      manager_(manager),
      data_(data),
      buttons_(*this),
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
    className_ = ui::ClassName(window);
    standardDialog_ = ui::IsStandardDialog(window);
    ReadWindow();
    manager_.SetSystemNcRendering(window, false);
    return true;
}

void TSkinnedForm::ReadWindow() {
    style_ = ui::ReadFrameStyle(Window());
    const bool menu = (menuBar_ && menuBar_->Menu()) || ::GetMenu(Window());
    const bool band = style_.border != FrameBorder::NoCaption && menu;
    menuBarHeight_ = band ? SystemMetricForDpi(SM_CYMENU, FrameScale().Dpi()) : 0;
}

void TSkinnedForm::Start() {
    if (state_ != SkinState::NotStarted) return;
    RECT window{}, client{};
    ::GetWindowRect(Window(), &window);
    ::GetClientRect(Window(), &client);
    savedSystemFrame_ = SIZE{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
    RefreshFonts();
    active_ = ::GetActiveWindow() == Window();
    ReadWindow();
    state_ = SkinState::Fitting;
    if (menuBarHeight_ > 0) {
        // The band takes the window's menu: the system neither draws nor
        // reserves a menu bar of its own from here on.
        menuBar_ = std::make_unique<TSkinnedMenuBar>(Window(), data_, manager_);
        menuBar_->BuildItems();
    }
    if (style_.state == FrameState::Maximised) {
        // Maximised under the system's frame, the window reaches past the
        // work area by that frame: it is laid over the work area again.
        MINMAXINFO limits{};
        LimitMaximised(limits);
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        ::GetMonitorInfoA(::MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST), &mi);
        ::SetWindowPos(Window(), nullptr, mi.rcWork.left, mi.rcWork.top, limits.ptMaxSize.x, limits.ptMaxSize.y,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else if (style_.border != FrameBorder::NoCaption && style_.state == FrameState::Normal) {
        FitWindowToSkin(client.right, client.bottom);
    } else {
        FrameChanged(Window());
    }
    state_ = SkinState::Running;
    RebuildRegion(true);
    ui::RunGuarded([this] { controls_.SkinAll(); });
    ::SendMessageA(Window(), ui::kSkinnedNotification, 0, ui::kSkinMagic);
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The client area keeps its size inside the skinned frame; the window keeps
// its top-left corner.
void TSkinnedForm::FitWindowToSkin(int clientWidth, int clientHeight) {
    const Size outer =
        OuterSizeForClient(SkinFrameSizes(data_, FrameScale()), menuBarHeight_, clientWidth, clientHeight);
    int width = outer.width;
    if (standardDialog_) WidenForCaption(width);
    ::SetWindowPos(Window(), nullptr, 0, 0, width, outer.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// A dialog whose caption would not fit between the title's text shifts is
// widened, its controls moved right by half the growth.
void TSkinnedForm::WidenForCaption(int& width) {
    const std::string caption = ui::WindowText(Window());
    ui::WindowDc dc(Window());
    ui::SelectedObject font(dc.Get(), captionFont_.Get());
    const TDataSkinTitle& title = static_cast<const TSkinData&>(data_).Title();
    const Scale scale = FrameScale();
    const int needed =
        scale.Apply(title.TextShift()) + TextWidth(dc.Get(), caption) + scale.Apply(title.TextRightClip());
    if (needed <= width) return;
    const int shift = (needed - width) / 2;
    width = needed;
    for (HWND child = ::GetWindow(Window(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
        ::SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
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
    if (!wasRunning || !::IsWindow(window)) return;
    // The client area keeps its size under the system's frame again.
    if (style_.state == FrameState::Normal && style_.border != FrameBorder::NoCaption) {
        ::SetWindowPos(window, nullptr, 0, 0, client.right + savedSystemFrame_.cx, client.bottom + savedSystemFrame_.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
        FrameChanged(window);
    }
}

void TSkinnedForm::ReloadSkin() {
    if (state_ != SkinState::Running) return;
    state_ = SkinState::Reloading;
    RefreshFonts();
    controls_.DropBrush();
    ReadWindow();
    if (style_.state == FrameState::Normal && style_.border != FrameBorder::NoCaption) {
        // The client size stays; the frame around it changes.
        RECT client{};
        ::GetClientRect(Window(), &client);
        const Size outer =
            OuterSizeForClient(SkinFrameSizes(data_, FrameScale()), menuBarHeight_, client.right, client.bottom);
        ::SetWindowPos(Window(), nullptr, 0, 0, outer.width, outer.height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    RebuildRegion(true);
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

void TSkinnedForm::RefreshFonts() {
    const int height = static_cast<const TSkinData&>(data_).Title().FontHeight;
    const Scale scale = FrameScale();
    captionFont_ = CaptionFont(scale.Apply(height > 0 ? height : 14), true, scale.Dpi());
    menuFont_ = CaptionFont(0, false, scale.Dpi());
    menuBoldFont_ = CaptionFont(0, true, scale.Dpi());
}

Scale TSkinnedForm::FrameScale() const { return WindowScale(Window()); }

FrameLayout TSkinnedForm::Layout() const {
    RECT r{};
    ::GetWindowRect(Window(), &r);
    return Layout(r.right - r.left, r.bottom - r.top);
}

FrameLayout TSkinnedForm::Layout(int width, int height) const {
    FrameWindow w;
    w.width = width;
    w.height = height;
    w.menu_bar_height = menuBarHeight_;
    w.minimised = style_.state == FrameState::Minimised;
    w.caption.active = active_;
    w.caption.maximised = style_.state == FrameState::Maximised;
    w.caption.maximise_box = style_.maximiseBox;
    w.caption.minimise_box = style_.minimiseBox;
    w.caption.close_allowed = style_.closeBox;
    w.caption.standard_dialog = standardDialog_;
    w.caption.border = SkinBorder(style_.border);
    w.scale = FrameScale();
    return FrameLayout(data_, w);
}

Point TSkinnedForm::WindowPoint(POINT screen) const {
    RECT r{};
    ::GetWindowRect(Window(), &r);
    return Point{screen.x - r.left, screen.y - r.top};
}

void TSkinnedForm::RebuildRegion(bool force) {
    RECT r{};
    if (!::GetWindowRect(Window(), &r) || r.right <= r.left || r.bottom <= r.top) return;
    const SIZE size{r.right - r.left, r.bottom - r.top};
    if (!force && size.cx == regionSize_.cx && size.cy == regionSize_.cy) return;
    regionSize_ = size;
    const FrameRegion region = BuildFrameRegion(data_, Layout(size.cx, size.cy));
    if (region.whole) {
        ::SetWindowRgn(Window(), nullptr, TRUE);
        return;
    }
    ui::UniqueRegion shape = RegionFromRects(region.rects);
    // The window owns the region from here on.
    if (::SetWindowRgn(Window(), shape.Get(), TRUE)) shape.Release();
}

// A maximised skinned window fills its monitor's work area exactly: the
// system would push its own, thicker frame out of sight.
void TSkinnedForm::LimitMaximised(MINMAXINFO& info) const {
    HMONITOR monitor = ::MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!::GetMonitorInfoA(monitor, &mi)) return;
    info.ptMaxPosition = POINT{mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top};
    info.ptMaxSize = POINT{mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top};
}

// --- Painting ---

FramePicture TSkinnedForm::PaintPicture(const FrameLayout& layout) const {
    FramePaintState paint;
    paint.hot = buttons_.Hot();
    paint.pressed = buttons_.Pressed();
    paint.system_menu_drawn_by_platform = WindowIcon(Window()) != nullptr;
    return vc::PaintFrame(data_, layout, paint);
}

void TSkinnedForm::PaintFrame(HDC given) {
    if (state_ != SkinState::Running && state_ != SkinState::Reloading) return;
    if (style_.border == FrameBorder::NoCaption) return;
    RECT r{};
    if (!::GetWindowRect(Window(), &r)) return;
    const FrameLayout layout = Layout(r.right - r.left, r.bottom - r.top);
    const FramePicture picture = PaintPicture(layout);
    ui::WindowDc own(given ? nullptr : Window(), ui::WindowDc::Area::Whole);
    HDC dc = given ? given : own.Get();
    if (!dc) return;
    const FrameSizes& f = layout.Sizes();
    DrawTitle(dc, layout, picture.title);
    if (style_.state == FrameState::Minimised) return;
    DrawBitmap(dc, 0, f.top, picture.left);
    DrawBitmap(dc, layout.Window().width - f.right, f.top, picture.right);
    DrawBitmap(dc, f.left, layout.Window().height - f.bottom, picture.bottom);
    if (menuBarHeight_ > 0) DrawMenuBand(dc, layout);
}

void TSkinnedForm::DrawTitle(HDC dc, const FrameLayout& layout, const Bitmap& title) {
    DrawBitmapWithGdi(dc, 0, 0, title, [&](HDC memory) {
        for (const auto& b : layout.Buttons()) {
            if (!b.visible || !b.IsSystemMenu()) continue;
            if (HICON icon = WindowIcon(Window())) {
                const int dpi = FrameScale().Dpi();
                const int cx = SystemMetricForDpi(SM_CXSMICON, dpi), cy = SystemMetricForDpi(SM_CYSMICON, dpi);
                ::DrawIconEx(memory, b.bounds.left + (b.bounds.Width() - cx) / 2,
                             b.bounds.top + (b.bounds.Height() - cy) / 2, icon, cx, cy, 0, nullptr, DI_NORMAL);
            }
        }
        if (!manager_.CaptionTextShown()) return;
        const std::string text = ui::WindowText(Window());
        const CaptionTextStyle caption = CaptionText(data_, layout);
        RECT area{caption.area.left, caption.area.top, caption.area.right, caption.area.bottom};
        if (area.right <= area.left || text.empty()) return;
        ui::SelectedObject font(memory, captionFont_.Get());
        ::SetBkMode(memory, TRANSPARENT);
        ::SetTextColor(memory, Gdi(caption.colour));
        ::DrawTextA(memory, text.c_str(), static_cast<int>(text.size()), &area,
                    DrawTextAlign(caption.align) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    });
    ::SetBkMode(dc, OPAQUE);
}

void TSkinnedForm::DrawMenuBand(HDC dc, const FrameLayout& layout) {
    if (!menuBar_) return;
    menuBar_->PaintBand(dc, Fonts(), layout.MenuBand(), active_,
                        (::GetWindowLongA(Window(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0);
}

void TSkinnedForm::PaintButton(int button) {
    // A whole title picture: the button may sit over the caption text.
    ui::WindowDc dc(Window(), ui::WindowDc::Area::Whole);
    if (!dc.Get() || state_ != SkinState::Running) return;
    RECT r{};
    ::GetWindowRect(Window(), &r);
    const FrameLayout layout = Layout(r.right - r.left, r.bottom - r.top);
    if (button < 0 || button >= static_cast<int>(layout.Buttons().size())) return;
    DrawTitle(dc.Get(), layout, PaintPicture(layout).title);
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
    LimitMaximised(*reinterpret_cast<MINMAXINFO*>(lParam));
    return result;
}

LRESULT TSkinnedForm::OnSize(WPARAM kind, LPARAM lParam) {
    const LRESULT result = DefaultProc(WM_SIZE, kind, lParam);
    style_.state = kind == SIZE_MAXIMIZED   ? FrameState::Maximised
                   : kind == SIZE_MINIMIZED ? FrameState::Minimised
                                            : FrameState::Normal;
    if (style_.state != FrameState::Minimised) ui::RunGuarded([this] { RebuildRegion(false); });
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
        RefreshFonts();
        ReadWindow();
        RebuildRegion(true);
    });
    FrameChanged(Window());
    return result;
}

LRESULT TSkinnedForm::OnNcPaint(HRGN update) {
    if (style_.border == FrameBorder::NoCaption) return ui::TWindowSubclass::OnNcPaint(update);
    PaintFrame();
    return 0;
}

LRESULT TSkinnedForm::OnNcCalcSize(RECT& proposed, NCCALCSIZE_PARAMS* full) {
    if (style_.border == FrameBorder::NoCaption) return ui::TWindowSubclass::OnNcCalcSize(proposed, full);
    const RECT window = proposed;
    if (style_.state == FrameState::Minimised) {
        proposed = RECT{window.left, window.top, window.left, window.top};
        return 0;
    }
    const FrameSizes f = SkinFrameSizes(data_, FrameScale());
    proposed = RECT{window.left + f.left, window.top + f.top + menuBarHeight_, window.right - f.right,
                    window.bottom - f.bottom};
    proposed.right = std::max(proposed.right, proposed.left);
    proposed.bottom = std::max(proposed.bottom, proposed.top);
    return 0;
}

LRESULT TSkinnedForm::OnNcHitTest(POINT screen) {
    const LRESULT old = ui::TWindowSubclass::OnNcHitTest(screen);
    if (style_.border == FrameBorder::NoCaption) return old;
    // The system still places its own caption buttons and menu bar where
    // its frame would have them: those places are our title bar now.
    switch (old) {
    case HTNOWHERE: case HTCAPTION: case HTSYSMENU: case HTMINBUTTON: case HTMAXBUTTON: case HTCLOSE: case HTHELP:
    case HTMENU: break;
    default: return old;
    }
    const Point p = WindowPoint(screen);
    const FrameSizes f = SkinFrameSizes(data_, FrameScale());
    if (menuBarHeight_ > 0 && p.y >= f.top && p.y < f.top + menuBarHeight_) return HTMENU;
    if (p.y > 3 || old == HTCAPTION) return HTCAPTION;
    return HTNOWHERE;
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
    const int button = Layout().ButtonAt(WindowPoint(screen));
    buttons_.SetHot(button);
    if (button >= 0) return 0;
    if (menuBar_) {
        const int item = menuBar_->ItemAt(WindowPoint(screen));
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
    const Point p = WindowPoint(screen);
    const FrameLayout layout = Layout();
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
            const FrameLayout layout = Layout();
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
    if (MeasureSkinnedMenuItem(data_, Fonts(), *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
    return DefaultProc(WM_MEASUREITEM, wParam, lParam);
}

LRESULT TSkinnedForm::OnDrawItem(WPARAM wParam, LPARAM lParam) {
    if (DrawSkinnedMenuItem(manager_, data_, Fonts(), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
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
    const int item = BandItemAt(WindowPoint(screen));
    if (item >= 0) OpenBandMenu(item, false);
    return 0;
}

}  // namespace vc
