#include "skin/win/skinned_form_win.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

#include "common/scale_win.h"
#include "skin/look/control_choice.h"
#include "skin/win/skin_bitmap_win.h"
#include "skin/win/skin_control_win.h"
#include "skin/win/skin_manager_win.h"
#include "ui/application_win.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"
#include "ui/frame_style_win.h"
#include "ui/private_messages.h"

namespace vc {

namespace {

// The system's themed caption paint, which must not reach a skinned window.
constexpr UINT kThemedCaptionPaint = 0x00AE;
constexpr UINT kThemedFramePaint = 0x00AF;
constexpr unsigned kHoverInterval = 250;

// DWMWA_NCRENDERING_POLICY and its values.
constexpr DWORD kNcRenderingPolicy = 2;
constexpr int kNcRenderingUseWindowStyle = 0;
constexpr int kNcRenderingDisabled = 1;

void SystemNcRendering(HWND window, bool systemRendering) noexcept {
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const SetAttribute set = [] {
        HMODULE dwm = ::LoadLibraryA("dwmapi.dll");
        return dwm ? reinterpret_cast<SetAttribute>(
                         reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmSetWindowAttribute")))
                   : nullptr;
    }();
    if (!set) return;
    const int policy = systemRendering ? kNcRenderingUseWindowStyle : kNcRenderingDisabled;
    set(window, kNcRenderingPolicy, &policy, sizeof policy);
}

NcRenderingSwitch g_ncRendering = &SystemNcRendering;

std::string ClassName(HWND window) {
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

COLORREF Gdi(Colour c) { return static_cast<COLORREF>(c & 0x00FFFFFFu); }

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

}  // namespace

void SetNcRenderingSwitch(NcRenderingSwitch change) noexcept { g_ncRendering = change ? change : &SystemNcRendering; }
void SetSystemNcRendering(HWND window, bool systemRendering) noexcept { g_ncRendering(window, systemRendering); }

TSkinnedForm::TSkinnedForm(TSkinManager& manager, TSkinData& data)
    : ui::TWindowSubclass(ui::kFrameSkinnerSubclassId), manager_(manager), data_(data) {
    hoverTimer_.SetInterval(kHoverInterval);
    hoverTimer_.OnTimer = [this] { HoverCheck(); };
}

TSkinnedForm::~TSkinnedForm() {
    if (Attached()) Stop();
    StopControls();
}

bool TSkinnedForm::Install(HWND window) {
    if (installed_) return true;
    if (!Attach(window)) return false;
    installed_ = true;
    className_ = ClassName(window);
    standardDialog_ = ui::IsStandardDialog(window);
    ReadWindow();
    SetSystemNcRendering(window, false);
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
        OnGetMinMaxInfo(limits);
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        ::GetMonitorInfoA(::MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST), &mi);
        ::SetWindowPos(Window(), nullptr, mi.rcWork.left, mi.rcWork.top, limits.ptMaxSize.x, limits.ptMaxSize.y,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else if (style_.border != FrameBorder::NoCaption && style_.state == FrameState::Normal) {
        FitWindowToSkin(client.right, client.bottom);
    } else {
        ::SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    state_ = SkinState::Running;
    RebuildRegion(true);
    ui::RunGuarded([this] { SkinControls(); });
    ::SendMessageA(Window(), ui::kSkinnedNotification, 0, ui::kSkinMagic);
    if (data_.OnAfterSkinForm) data_.OnAfterSkinForm(data_, reinterpret_cast<std::uintptr_t>(Window()), className_);
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
    const std::string caption = WindowText(Window());
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
    hoverTimer_.SetEnabled(false);
    StopControls();
    const bool wasRunning = state_ == SkinState::Running || state_ == SkinState::Reloading;
    RECT client{};
    ::GetClientRect(window, &client);
    // Given back before the subclass goes: detaching forgets the band.
    if (menuBar_) menuBar_->GiveBack();
    menuBar_.reset();
    Detach();
    state_ = SkinState::Gone;
    ::SetWindowRgn(window, nullptr, TRUE);
    SetSystemNcRendering(window, true);
    if (!wasRunning || !::IsWindow(window)) return;
    // The client area keeps its size under the system's frame again.
    if (style_.state == FrameState::Normal && style_.border != FrameBorder::NoCaption) {
        ::SetWindowPos(window, nullptr, 0, 0, client.right + savedSystemFrame_.cx, client.bottom + savedSystemFrame_.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void TSkinnedForm::ReloadSkin() {
    if (state_ != SkinState::Running) return;
    state_ = SkinState::Reloading;
    RefreshFonts();
    faceBrush_.Reset();
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
    for (const auto& control : controls_)
        if (control->Live()) control->RefreshColours();
    if (data_.OnAfterSkinForm) data_.OnAfterSkinForm(data_, reinterpret_cast<std::uintptr_t>(Window()), className_);
    state_ = SkinState::Running;
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT TSkinnedForm::OnControlColour(HDC dc, HWND control) {
    // The dialog has answered first: a text colour it chose stays, text it
    // left in the system's colour takes the skin's (light on a dark skin).
    const COLORREF text = ::GetTextColor(dc);
    if (text == ::GetSysColor(COLOR_WINDOWTEXT) || text == ::GetSysColor(COLOR_BTNTEXT))
        ::SetTextColor(dc, Gdi(data_.ResolveColour(data_.Colours().ButtonText)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetBkColor(dc, Gdi(data_.ButtonFaceColour()));
    if (ClassName(control) == "SysLink") {
        // A link control may delete the brush it is given once it has
        // painted (seen under Wine), and its own background is the window
        // colour: it gets the stock null brush, which cannot be deleted, and
        // its background is laid here, in the device context it paints in.
        RECT client{};
        ::GetClientRect(control, &client);
        ::FillRect(dc, &client, FaceBrush());
        return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    }
    return reinterpret_cast<LRESULT>(FaceBrush());
}

HBRUSH TSkinnedForm::FaceBrush() {
    if (!faceBrush_) faceBrush_.Reset(::CreateSolidBrush(Gdi(data_.ButtonFaceColour())));
    return static_cast<HBRUSH>(faceBrush_.Get());
}

void TSkinnedForm::OnDetached() noexcept {
    state_ = SkinState::Gone;
    // The window is going: its menu stays with its owner, not given back
    // to be destroyed with the window.
    menuBar_.reset();
    hoverTimer_.SetEnabled(false);
    hotControl_ = nullptr;
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
    w.scale = FrameScale();
    // The skin knows four borders; tool windows wear it as the others do.
    w.caption.border = style_.border == FrameBorder::ToolWindow          ? static_cast<int>(FrameBorder::Fixed)
                       : style_.border == FrameBorder::SizableToolWindow ? static_cast<int>(FrameBorder::Sizable)
                                                                         : static_cast<int>(style_.border);
    return FrameLayout(data_, w);
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

// --- Painting ---

void TSkinnedForm::PaintFrame(HDC given) {
    if (state_ != SkinState::Running && state_ != SkinState::Reloading) return;
    if (style_.border == FrameBorder::NoCaption) return;
    RECT r{};
    if (!::GetWindowRect(Window(), &r)) return;
    const FrameLayout layout = Layout(r.right - r.left, r.bottom - r.top);
    FramePaintState paint;
    paint.hot = hot_;
    paint.pressed = pressed_;
    paint.system_menu_drawn_by_platform = WindowIcon(Window()) != nullptr;
    const FramePicture picture = vc::PaintFrame(data_, layout, paint);
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
        if (!TSkinCaption::Active()) return;
        const std::string text = WindowText(Window());
        const CaptionTextStyle caption = CaptionText(data_, layout);
        RECT area{caption.area.left, caption.area.top, caption.area.right, caption.area.bottom};
        if (area.right <= area.left || text.empty()) return;
        ui::SelectedObject font(memory, captionFont_.Get());
        ::SetBkMode(memory, TRANSPARENT);
        ::SetTextColor(memory, Gdi(caption.colour));
        const UINT align = caption.align == CaptionTextStyle::Align::Right    ? DT_RIGHT
                           : caption.align == CaptionTextStyle::Align::Centre ? DT_CENTER
                                                                              : DT_LEFT;
        ::DrawTextA(memory, text.c_str(), static_cast<int>(text.size()), &area,
                    align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
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
    FramePaintState paint;
    paint.hot = hot_;
    paint.pressed = pressed_;
    paint.system_menu_drawn_by_platform = WindowIcon(Window()) != nullptr;
    DrawTitle(dc.Get(), layout, vc::PaintFrame(data_, layout, paint).title);
}

// --- Messages ---

LRESULT TSkinnedForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case ui::kSkinQueryMessage: return ui::kSkinQueryAnswer;
    case ui::kSkinStartMessage: Start(); return 0;
    case ui::kFrameRepaintMessage: PaintFrame(reinterpret_cast<HDC>(wParam)); return 0;
    case ui::kFrameRepaintRequest:
        if (lParam != ui::kSkinMagic) break;
        PaintFrame(reinterpret_cast<HDC>(wParam));
        return ui::kSkinMagic;
    case kThemedCaptionPaint:
    case kThemedFramePaint: return 0;
    case WM_NOTIFY:
        // Tool bars ask their parent how to draw themselves.
        if (auto* header = reinterpret_cast<NMHDR*>(lParam)) {
            if (TSkinControl* control = ControlOf(header->hwndFrom)) {
                LRESULT result = 0;
                if (control->ParentNotify(*header, result)) return result;
            }
        }
        break;
    case ui::kScrollBarReskinMessage: ReskinControl(reinterpret_cast<HWND>(wParam)); return 0;
    case WM_ERASEBKGND:
        if (!standardDialog_) break;
        {
            // Dialogs of the system stand on the skin's face colour.
            RECT client{};
            ::GetClientRect(Window(), &client);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client, FaceBrush());
        }
        return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (!standardDialog_) break;
        DefaultProc(message, wParam, lParam);
        return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default: break;
    }
    if (state_ == SkinState::NotStarted) {
        // Nothing of the system's frame is painted before the skin starts.
        if (message == WM_NCPAINT) return 0;
        if (message == WM_NCACTIVATE) return TRUE;
        return DefaultProc(message, wParam, lParam);
    }
    switch (message) {
    case WM_ACTIVATE:
        active_ = LOWORD(wParam) != WA_INACTIVE;
        break;
    case WM_NCRBUTTONDOWN:
        // The system menu opens on the release, as the system's does.
        if (wParam == HTCAPTION || wParam == HTMENU) return 0;
        break;
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUSELECT:
    case ui::kCmMenuChanged:
    case ui::kMenuBarPressMessage: {
        LRESULT result = 0;
        if (OnMenuMessage(message, wParam, lParam, result)) return result;
        break;
    }
    case WM_SETTEXT: return OnSetText(wParam, lParam);
    case WM_GETMINMAXINFO: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return result;
    }
    case WM_SIZE: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        style_.state = wParam == SIZE_MAXIMIZED   ? FrameState::Maximised
                       : wParam == SIZE_MINIMIZED ? FrameState::Minimised
                                                  : FrameState::Normal;
        if (style_.state != FrameState::Minimised) ui::RunGuarded([this] { RebuildRegion(false); });
        return result;
    }
    case WM_WINDOWPOSCHANGED:
        style_.state = ui::ReadFrameStyle(Window()).state;
        break;
    case WM_DPICHANGED: {
        // The window takes its new rectangle first; the frame, its shape,
        // the menu band and the fonts then follow the new scale.
        const LRESULT result = DefaultProc(message, wParam, lParam);
        ui::RunGuarded([this] {
            RefreshFonts();
            ReadWindow();
            RebuildRegion(true);
        });
        ::SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return result;
    }
    default: return ui::TWindowSubclass::WindowProc(message, wParam, lParam);
    }
    return DefaultProc(message, wParam, lParam);
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
    if (!active_) SetHot(-1);
    PaintFrame();
    // The system's caption is not drawn: the skinned one was.
    return TRUE;
}

Point TSkinnedForm::WindowPoint(POINT screen) const {
    RECT r{};
    ::GetWindowRect(Window(), &r);
    return Point{screen.x - r.left, screen.y - r.top};
}

void TSkinnedForm::SetHot(int button) {
    if (button == hot_) return;
    hot_ = button;
    if (button < 0) pressed_ = -1;
    hoverTimer_.SetEnabled(button >= 0 || hotControl_);
    PaintButton(button);
}

LRESULT TSkinnedForm::OnNcMouseMove(int hitTest, POINT screen) {
    if (!active_) return 0;
    const int button = Layout().ButtonAt(WindowPoint(screen));
    SetHot(button);
    if (button >= 0) return 0;
    if (menuBar_) {
        const int item = menuBar_->ItemAt(WindowPoint(screen));
        menuBar_->SetHot(item);
        if (item >= 0) {
            // The hover check takes the item back to normal once the mouse left it.
            hoverTimer_.SetEnabled(true);
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
            pressed_ = button;
            hot_ = button;
            hoverTimer_.SetEnabled(true);
            PaintButton(button);
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
    case NcClick::Up: {
        const int pressed = std::exchange(pressed_, -1);
        if (button >= 0 && button == pressed) {
            PaintButton(button);
            RunButtonAction(button, p);
        }
        if (button >= 0) return 0;
        break;
    }
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
        // The band's menus: Alt or F10 alone (key 0) opens the first item,
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

// A maximised skinned window fills its monitor's work area exactly: the
// system would push its own, thicker frame out of sight.
void TSkinnedForm::OnGetMinMaxInfo(MINMAXINFO& info) {
    HMONITOR monitor = ::MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!::GetMonitorInfoA(monitor, &mi)) return;
    info.ptMaxPosition = POINT{mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top};
    info.ptMaxSize = POINT{mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top};
}

void TSkinnedForm::RunButtonAction(int button, Point at) {
    const FrameLayout layout = Layout();
    const int action = layout.Buttons()[button].data->Action;
    HWND window = Window();
    switch (action) {
    case 0:
        hoverTimer_.SetEnabled(false);
        ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case 1: case 22:
        ::PostMessageA(window, WM_SYSCOMMAND, style_.state == FrameState::Maximised ? SC_RESTORE : SC_MAXIMIZE, 0);
        SetHot(-1);
        break;
    case 2: case 23:
        ::PostMessageA(window, WM_SYSCOMMAND, style_.state == FrameState::Minimised ? SC_RESTORE : SC_MINIMIZE, 0);
        SetHot(-1);
        break;
    case 3: case 11: case 12: {
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
        OpenSystemMenu(POINT{r.left + at.x + 1, r.top + at.y + 1});
        break;
    }
    default:
        if (action >= 13) ::PostMessageA(window, ui::kCaptionButtonActionMessage, static_cast<WPARAM>(action), 0);
        break;
    }
}

void TSkinnedForm::HoverCheck() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    if (hotControl_ && hotControl_->Live()) {
        RECT r{};
        ::GetWindowRect(hotControl_->Window(), &r);
        if (!::PtInRect(&r, cursor) || ::WindowFromPoint(cursor) != hotControl_->Window())
            ::SendMessageA(hotControl_->Window(), ui::kCmMouseLeave, 0, 0);
    }
    const Point p = WindowPoint(cursor);
    const bool bandHot = menuBar_ && !MenuHookInstalled() && menuBar_->Hot() >= 0;
    if (bandHot && menuBar_->ItemAt(p) != menuBar_->Hot()) menuBar_->SetHot(-1);
    if (hot_ < 0) {
        if (!menuBar_ || menuBar_->Hot() < 0) hoverTimer_.SetEnabled(false);
        return;
    }
    const FrameLayout layout = Layout();
    if (hot_ >= static_cast<int>(layout.Buttons().size()) || !layout.Buttons()[hot_].bounds.Contains(p)) SetHot(-1);
}

// --- Control skinners ---

void TSkinnedForm::Register(std::unique_ptr<TSkinControl> control) {
    if (!control) return;
    for (const auto& c : controls_)
        if (c.get() == control.get()) {
            control.release();  // kept once: the list owns it already
            return;
        }
    controls_.push_back(std::move(control));
}

void TSkinnedForm::Unregister(TSkinControl& control) {
    if (hotControl_ == &control) hotControl_ = nullptr;
    for (auto it = controls_.begin(); it != controls_.end(); ++it) {
        if (it->get() != &control) continue;
        std::unique_ptr<TSkinControl> gone = std::move(*it);
        controls_.erase(it);
        gone->Stop();
        return;
    }
}

std::size_t TSkinnedForm::ControlCount() const noexcept {
    return static_cast<std::size_t>(std::count_if(controls_.begin(), controls_.end(),
                                                  [](const auto& c) { return c->Live(); }));
}

void TSkinnedForm::SetHotControl(TSkinControl* control) noexcept {
    if (!control && hotControl_ == nullptr) return;
    hotControl_ = control;
    hoverTimer_.SetEnabled(control || hot_ >= 0);
}

TSkinControl* TSkinnedForm::ControlOf(HWND child) const noexcept {
    if (!child) return nullptr;
    ui::TWindowSubclass* found = ui::TWindowSubclass::Find(child, ui::kControlSkinnerSubclassId);
    for (const auto& c : controls_)
        if (c.get() == found) return c.get();
    return nullptr;
}

// Every child window, grandchildren included, gets the skinner its class
// asks for, unless the program or the skin data keeps it out.
void TSkinnedForm::SkinControls() {
    controls_.erase(std::remove_if(controls_.begin(), controls_.end(), [](const auto& c) { return !c->Live(); }),
                    controls_.end());
    std::vector<HWND> children;
    ::EnumChildWindows(
        Window(),
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) SkinControl(child);
}

void TSkinnedForm::SkinControl(HWND child) {
    if (ui::TWindowSubclass::Find(child, ui::kControlSkinnerSubclassId)) return;
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutA(child, ui::kSkinQueryMessage, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) &&
        answer == ui::kSkinQueryAnswer)
        return;
    // A control the program tagged keeps its own look, and so does all it holds.
    for (HWND w = child; w && w != Window(); w = ::GetParent(w)) {
        const ui::TControl* control = ui::TControl::FromHandle(w);
        if (control && (control->Tag == data_.DisableTag || control->Tag == 99)) return;
    }
    const std::string className = ClassName(child);
    if (data_.OnSkinControl) {
        void* skinned = nullptr;
        data_.OnSkinControl(this, data_, ui::TForm::FromHandle(Window()), child, className, skinned);
        if (skinned) {
            // The application made the skinner (a TSkinControl); it is kept here.
            std::unique_ptr<TSkinControl> control(static_cast<TSkinControl*>(skinned));
            if (!control->Live() && !control->SkinWindow(child)) return;
            Register(std::move(control));
            return;
        }
    }
    const LONG_PTR style = ::GetWindowLongPtrA(child, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(child, GWL_EXSTYLE);
    const std::optional<std::string> named = Skin3rdKind(data_.Skin3rd(), className);
    std::string lower = className;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const ControlKind kind = named ? ControlKindOfName(*named, style, data_) : ControlKindOf(lower, style, exStyle, data_);
    std::unique_ptr<TSkinControl> control = MakeControlSkinner(kind, *this, data_);
    if (control && control->SkinWindow(child)) Register(std::move(control));
}

void TSkinnedForm::StopControls() noexcept {
    hotControl_ = nullptr;
    std::vector<std::unique_ptr<TSkinControl>> controls = std::move(controls_);
    controls_.clear();
    for (auto& control : controls) ui::RunGuarded([&] { control->Stop(); });
}

// A control that made its window anew gets a new skinner for it.
void TSkinnedForm::ReskinControl(HWND child) {
    if (TSkinControl* old = ControlOf(child)) Unregister(*old);
    if (::IsWindow(child) && ::IsChild(Window(), child)) SkinControl(child);
}

// The skinned system menu: the window's own items, enabled for the state
// the window is in, opened at a screen point.
void TSkinnedForm::OpenSystemMenu(POINT screen) {
    SetHot(-1);
    OpenSkinnedSystemMenu(Window(), manager_, style_, screen);
}

int TSkinnedForm::BandItemAt(Point p) const { return menuBar_ ? menuBar_->ItemAt(p) : -1; }

void TSkinnedForm::OpenBandMenu(int item, bool byKey) {
    if (!menuBar_) return;
    SetHot(-1);
    menuBar_->OpenItem(item, byKey);
}

bool TSkinnedForm::OpenBandMenuByKey(char key) {
    if (!menuBar_) return false;
    int item = menuBar_->FindAccel(key);
    if (key == 0) {
        const auto& items = menuBar_->Items();
        for (std::size_t i = 0; i < items.size() && item < 0; ++i)
            if (items[i].visible && items[i].enabled && !items[i].caption.empty()) item = static_cast<int>(i);
    }
    if (item < 0) return false;
    // Alt and a letter open the drop-down with its first item selected; F10
    // or Alt alone open it with none, so that Down selects the first, as on
    // the system's menu bar.
    OpenBandMenu(item, key != 0);
    return true;
}

// The menu rows of the message table; true when the message was answered.
bool TSkinnedForm::OnMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_MEASUREITEM:
        if (!MeasureSkinnedMenuItem(data_, Fonts(), *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return false;
        result = TRUE;
        return true;
    case WM_DRAWITEM:
        if (!DrawSkinnedMenuItem(data_, Fonts(), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
        result = TRUE;
        return true;
    case WM_MENUSELECT:
        if (menuBar_) menuBar_->OnMenuSelect(wParam, lParam);
        return false;
    case ui::kCmMenuChanged:
        // A top-level item changed (enabled, caption, deleted): the band
        // shows it at once.
        result = DefaultProc(message, wParam, lParam);
        if (menuBar_) {
            menuBar_->BuildItems();
            PaintFrame();
        }
        return true;
    case ui::kMenuBarPressMessage: {
        const POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int item = BandItemAt(WindowPoint(screen));
        if (item >= 0) OpenBandMenu(item, false);
        result = 0;
        return true;
    }
    default: return false;
    }
}

}  // namespace vc
