#include "skin/win/form_frame_win.h"

#include <algorithm>
#include <string>

#include "common/scale_win.h"
#include "skin/win/caption_buttons_win.h"
#include "skin/win/skin_bitmap_win.h"
#include "skin/win/skin_manager_win.h"
#include "skin/win/skinned_form_win.h"
#include "ui/window_text_win.h"

namespace vc {

namespace {

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

bool KeepsClientSize(const FrameStyle& style) {
    return style.state == FrameState::Normal && style.border != FrameBorder::NoCaption;
}

}  // namespace

TFormFrame::TFormFrame(TSkinnedForm& form, TSkinData& data, TSkinManager& manager,
                       const TCaptionButtons& buttons) noexcept
    : form_(form), data_(data), manager_(manager), buttons_(buttons) {}

HWND TFormFrame::Window() const noexcept { return form_.Window(); }

Scale TFormFrame::FrameScale() const { return WindowScale(Window()); }

void TFormFrame::MeasureBand(bool hasMenu) {
    const bool band = form_.Style().border != FrameBorder::NoCaption && hasMenu;
    menuBandHeight_ = band ? SystemMetricForDpi(SM_CYMENU, FrameScale().Dpi()) : 0;
}

FrameLayout TFormFrame::Layout() const {
    RECT r{};
    ::GetWindowRect(Window(), &r);
    return Layout(r.right - r.left, r.bottom - r.top);
}

FrameLayout TFormFrame::Layout(int width, int height) const {
    const FrameStyle& style = form_.Style();
    FrameWindow w;
    w.width = width;
    w.height = height;
    w.menu_bar_height = menuBandHeight_;
    w.minimised = style.state == FrameState::Minimised;
    w.caption.active = form_.Active();
    w.caption.maximised = style.state == FrameState::Maximised;
    w.caption.maximise_box = style.maximiseBox;
    w.caption.minimise_box = style.minimiseBox;
    w.caption.close_allowed = style.closeBox;
    w.caption.standard_dialog = form_.StandardDialog();
    w.caption.border = SkinBorder(style.border);
    w.scale = FrameScale();
    return FrameLayout(data_, w);
}

Point TFormFrame::WindowPoint(POINT screen) const { return vc::WindowPoint(Window(), screen); }

void TFormFrame::RefreshFonts() {
    const int height = static_cast<const TSkinData&>(data_).Title().FontHeight;
    const Scale scale = FrameScale();
    captionFont_ = CaptionFont(scale.Apply(height > 0 ? height : 14), true, scale.Dpi());
    menuFont_ = CaptionFont(0, false, scale.Dpi());
    menuBoldFont_ = CaptionFont(0, true, scale.Dpi());
}

// --- Fitting the window ---

void TFormFrame::SaveSystemFrame() {
    RECT window{}, client{};
    ::GetWindowRect(Window(), &window);
    ::GetClientRect(Window(), &client);
    savedSystemFrame_ = SIZE{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
}

void TFormFrame::Fit(const RECT& client) {
    const FrameStyle& style = form_.Style();
    if (style.state == FrameState::Maximised) {
        // Maximised under the system's frame, the window reaches past the
        // work area by that frame: it is laid over the work area again.
        MINMAXINFO limits{};
        LimitMaximised(limits);
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        ::GetMonitorInfoA(::MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST), &mi);
        ::SetWindowPos(Window(), nullptr, mi.rcWork.left, mi.rcWork.top, limits.ptMaxSize.x, limits.ptMaxSize.y,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else if (KeepsClientSize(style)) {
        FitWindowToSkin(client.right, client.bottom);
    } else {
        FrameChanged(Window());
    }
}

// The client area keeps its size inside the skinned frame; the window keeps
// its top-left corner.
void TFormFrame::FitWindowToSkin(int clientWidth, int clientHeight) {
    const Size outer =
        OuterSizeForClient(SkinFrameSizes(data_, FrameScale()), menuBandHeight_, clientWidth, clientHeight);
    int width = outer.width;
    if (form_.StandardDialog()) WidenForCaption(width);
    ::SetWindowPos(Window(), nullptr, 0, 0, width, outer.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// A dialog whose caption would not fit between the title's text shifts is
// widened, its controls moved right by half the growth.
void TFormFrame::WidenForCaption(int& width) {
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

void TFormFrame::KeepClientSize() {
    if (!KeepsClientSize(form_.Style())) return;
    RECT client{};
    ::GetClientRect(Window(), &client);
    const Size outer =
        OuterSizeForClient(SkinFrameSizes(data_, FrameScale()), menuBandHeight_, client.right, client.bottom);
    ::SetWindowPos(Window(), nullptr, 0, 0, outer.width, outer.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TFormFrame::RestoreSystemFrame(HWND window, const RECT& client) const {
    if (KeepsClientSize(form_.Style())) {
        ::SetWindowPos(window, nullptr, 0, 0, client.right + savedSystemFrame_.cx, client.bottom + savedSystemFrame_.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
        FrameChanged(window);
    }
}

void TFormFrame::Changed() const { FrameChanged(Window()); }

// --- The shape ---

void TFormFrame::RebuildRegion(bool force) {
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
void TFormFrame::LimitMaximised(MINMAXINFO& info) const {
    HMONITOR monitor = ::MonitorFromWindow(Window(), MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!::GetMonitorInfoA(monitor, &mi)) return;
    info.ptMaxPosition = POINT{mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top};
    info.ptMaxSize = POINT{mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top};
}

// --- Painting ---

FramePicture TFormFrame::PaintPicture(const FrameLayout& layout) const {
    FramePaintState paint;
    paint.hot = buttons_.Hot();
    paint.pressed = buttons_.Pressed();
    paint.system_menu_drawn_by_platform = WindowIcon(Window()) != nullptr;
    return vc::PaintFrame(data_, layout, paint);
}

void TFormFrame::Paint(HDC given) {
    const FrameStyle& style = form_.Style();
    if (style.border == FrameBorder::NoCaption) return;
    RECT r{};
    if (!::GetWindowRect(Window(), &r)) return;
    const FrameLayout layout = Layout(r.right - r.left, r.bottom - r.top);
    const FramePicture picture = PaintPicture(layout);
    ui::WindowDc own(given ? nullptr : Window(), ui::WindowDc::Area::Whole);
    HDC dc = given ? given : own.Get();
    if (!dc) return;
    const FrameSizes& f = layout.Sizes();
    DrawTitle(dc, layout, picture.title);
    if (style.state == FrameState::Minimised) return;
    DrawBitmap(dc, 0, f.top, picture.left);
    DrawBitmap(dc, layout.Window().width - f.right, f.top, picture.right);
    DrawBitmap(dc, f.left, layout.Window().height - f.bottom, picture.bottom);
    if (menuBandHeight_ > 0) DrawMenuBand(dc, layout);
}

void TFormFrame::DrawTitle(HDC dc, const FrameLayout& layout, const Bitmap& title) {
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

void TFormFrame::DrawMenuBand(HDC dc, const FrameLayout& layout) {
    TSkinnedMenuBar* band = form_.MenuBand();
    if (!band) return;
    band->PaintBand(dc, Fonts(), layout.MenuBand(), form_.Active(),
                    (::GetWindowLongA(Window(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0);
}

void TFormFrame::PaintTitle(int button) {
    // A whole title picture: the button may sit over the caption text.
    ui::WindowDc dc(Window(), ui::WindowDc::Area::Whole);
    if (!dc.Get()) return;
    RECT r{};
    ::GetWindowRect(Window(), &r);
    const FrameLayout layout = Layout(r.right - r.left, r.bottom - r.top);
    if (button < 0 || button >= static_cast<int>(layout.Buttons().size())) return;
    DrawTitle(dc.Get(), layout, PaintPicture(layout).title);
}

// --- The system's non-client questions ---

void TFormFrame::ClientArea(RECT& proposed) const {
    const RECT window = proposed;
    if (form_.Style().state == FrameState::Minimised) {
        proposed = RECT{window.left, window.top, window.left, window.top};
        return;
    }
    const FrameSizes f = SkinFrameSizes(data_, FrameScale());
    proposed = RECT{window.left + f.left, window.top + f.top + menuBandHeight_, window.right - f.right,
                    window.bottom - f.bottom};
    proposed.right = std::max(proposed.right, proposed.left);
    proposed.bottom = std::max(proposed.bottom, proposed.top);
}

LRESULT TFormFrame::HitTest(LRESULT system, POINT screen) const {
    // The system still places its own caption buttons and menu bar where
    // its frame would have them: those places are our title bar now.
    switch (system) {
    case HTNOWHERE: case HTCAPTION: case HTSYSMENU: case HTMINBUTTON: case HTMAXBUTTON: case HTCLOSE: case HTHELP:
    case HTMENU: break;
    default: return system;
    }
    const Point p = WindowPoint(screen);
    const FrameSizes f = SkinFrameSizes(data_, FrameScale());
    if (menuBandHeight_ > 0 && p.y >= f.top && p.y < f.top + menuBandHeight_) return HTMENU;
    if (p.y > 3 || system == HTCAPTION) return HTCAPTION;
    return HTNOWHERE;
}

}  // namespace vc
