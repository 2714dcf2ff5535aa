#include "effects/gradient_caption_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "ui/application_win.h"
#include "ui/handles_win.h"

namespace vc::effects {

namespace {

constexpr UINT_PTR kSubclassId = 0x47524144;  // "GRAD"

COLORREF ToRgb(Colour colour) {
    return ResolveColour(colour, [](int index) -> Colour { return ::GetSysColor(index); });
}

int ScreenPixelsPerInch() {
    ui::WindowDc screen(nullptr);
    const int ppi = screen.Get() ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return ppi > 0 ? ppi : 96;
}

LOGFONTA LogFontOf(const CaptionFont& font) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(font.size, ScreenPixelsPerInch(), 72);
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikeOut;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::size_t length = std::min(font.name.size(), sizeof(lf.lfFaceName) - 1);
    std::memcpy(lf.lfFaceName, font.name.data(), length);
    return lf;
}

CaptionFont CaptionFontOf(const LOGFONTA& lf, Colour colour) {
    CaptionFont font;
    font.name = lf.lfFaceName;
    font.size = MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72, ScreenPixelsPerInch());
    font.colour = colour;
    font.bold = lf.lfWeight >= FW_BOLD;
    font.italic = lf.lfItalic != 0;
    font.underline = lf.lfUnderline != 0;
    font.strikeOut = lf.lfStrikeOut != 0;
    return font;
}

// The system's caption font; its small caption font for tool windows.
LOGFONTA SystemCaptionFont(bool toolWindow) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return toolWindow ? metrics.lfSmCaptionFont : metrics.lfCaptionFont;
    CaptionFont fallback;
    fallback.name = "MS Sans Serif";
    fallback.size = 8;
    fallback.bold = true;
    return LogFontOf(fallback);
}

CaptionBorder BorderOf(HWND window) {
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    if ((style & WS_CAPTION) != WS_CAPTION) return CaptionBorder::None;
    const bool sizing = (style & WS_THICKFRAME) != 0;
    if (exStyle & WS_EX_TOOLWINDOW) return sizing ? CaptionBorder::SizeToolWin : CaptionBorder::ToolWindow;
    if (exStyle & WS_EX_DLGMODALFRAME) return CaptionBorder::Dialog;
    return sizing ? CaptionBorder::Sizeable : CaptionBorder::Single;
}

CaptionIcons IconsOf(HWND window) {
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    CaptionIcons icons;
    icons.systemMenu = (style & WS_SYSMENU) != 0;
    icons.minimize = (style & WS_MINIMIZEBOX) != 0;
    icons.maximize = (style & WS_MAXIMIZEBOX) != 0;
    icons.help = (exStyle & WS_EX_CONTEXTHELP) != 0;
    return icons;
}

CaptionMetrics SystemCaptionMetrics() {
    CaptionMetrics m;
    m.frameX = ::GetSystemMetrics(SM_CXFRAME);
    m.frameY = ::GetSystemMetrics(SM_CYFRAME);
    m.dialogFrameX = ::GetSystemMetrics(SM_CXDLGFRAME);
    m.dialogFrameY = ::GetSystemMetrics(SM_CYDLGFRAME);
    m.captionHeight = ::GetSystemMetrics(SM_CYCAPTION);
    m.smallCaptionHeight = ::GetSystemMetrics(SM_CYSMCAPTION);
    m.buttonWidth = ::GetSystemMetrics(SM_CXSIZE);
    m.smallButtonWidth = ::GetSystemMetrics(SM_CXSMSIZE);
    return m;
}

// The caption rectangle of a window in window coordinates, or nothing for a
// window without a title bar.
bool CaptionRectOf(HWND window, RECT& caption) {
    const CaptionBorder border = BorderOf(window);
    if (border == CaptionBorder::None) return false;
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    const Box box = CaptionRect(bounds.right - bounds.left, bounds.bottom - bounds.top, border, IconsOf(window),
                                SystemCaptionMetrics());
    caption = RECT{box.left, box.top, box.right, box.bottom};
    return box.Width() > 0 && box.Height() > 0;
}

// One colour over a rectangle without making a brush.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// The form's icon at small size; without one the module's "MAINICON", then
// the window class's icon, then the stock application icon.
void DrawFormIcon(HWND form, HDC dc, int captionHeight) {
    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    auto icon = reinterpret_cast<HICON>(::SendMessageA(form, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageA(form, WM_GETICON, ICON_BIG, 0));
    ui::UniqueIcon loaded;
    if (!icon) {
        loaded.Reset(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, cx, cy, 0)));
        icon = loaded.Get();
    }
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrA(form, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrA(form, GCLP_HICON));
    if (!icon) icon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    ::DrawIconEx(dc, (captionHeight - cx) / 2, (captionHeight - cy) / 2, icon, cx, cy, 0, nullptr, DI_NORMAL);
}

bool SystemVersionAtLeast4() noexcept { return LOBYTE(LOWORD(::GetVersion())) >= 4; }

}  // namespace

TGradientCaption::~TGradientCaption() { Unhook(); }

void TGradientCaption::Attach(HWND form) {
    Unhook();
    form_ = form;
    UpdateHook();
    if (Painting()) Repaint();
}

bool TGradientCaption::Painting() const noexcept {
    return active_ && SystemVersionAtLeast4() && form_ && ::IsWindow(form_) &&
           !(::GetWindowLongPtrA(form_, GWL_STYLE) & WS_CHILD);
}

void TGradientCaption::UpdateHook() {
    const bool wanted = Painting();
    if (wanted && !hooked_) {
        hooked_ = ::SetWindowSubclass(form_, &TGradientCaption::SubclassProc, kSubclassId,
                                      reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    } else if (!wanted && hooked_) {
        Unhook();
    }
}

void TGradientCaption::Unhook() noexcept {
    if (hooked_ && form_) ::RemoveWindowSubclass(form_, &TGradientCaption::SubclassProc, kSubclassId);
    hooked_ = false;
    rightButtonDown_ = false;
}

void TGradientCaption::SetActive(bool active) {
    if (active_ == active) return;
    active_ = active;
    UpdateHook();
    if (active && OnActivate) OnActivate();
    if (!active && OnDeactivate) OnDeactivate();
    // Switching off gives the title bar back to the normal painting.
    Repaint();
}

void TGradientCaption::Changed(bool changed) {
    if (changed && Painting()) Repaint();
}

void TGradientCaption::SetCaptions(std::vector<TCaptionPiece> captions) {
    captions_ = std::move(captions);
    Changed(true);
}

TCaptionPiece TGradientCaption::NewPiece() const {
    TCaptionPiece piece;
    piece.Font = Font();
    piece.Font.colour = clCaptionText;
    return piece;
}

void TGradientCaption::SetDefaultFont(bool useSystemFont) {
    if (defaultFont_ == useSystemFont) return;
    defaultFont_ = useSystemFont;
    Changed(true);
}

void TGradientCaption::SetFormCaption(std::string caption) {
    const bool changed = caption != formCaption_;
    formCaption_ = std::move(caption);
    Changed(changed);
}

void TGradientCaption::SetFontInactiveColor(Colour colour) {
    const bool changed = colour != fontInactiveColor_;
    fontInactiveColor_ = colour;
    Changed(changed && !windowActive_);
}

CaptionFont TGradientCaption::Font() const {
    if (!defaultFont_) return font_;
    const bool tool = form_ && IsToolWindow(BorderOf(form_));
    return CaptionFontOf(SystemCaptionFont(tool), clCaptionText);
}

void TGradientCaption::SetFont(const CaptionFont& font) {
    font_ = font;
    defaultFont_ = false;
    for (TCaptionPiece& piece : captions_)
        if (piece.ParentFont) piece.Font = font;
    Changed(true);
}

void TGradientCaption::SetGradientActive(bool on) {
    const bool changed = on != gradientActive_;
    gradientActive_ = on;
    Changed(changed && windowActive_);
}

void TGradientCaption::SetGradientInactive(bool on) {
    const bool changed = on != gradientInactive_;
    gradientInactive_ = on;
    Changed(changed && !windowActive_);
}

void TGradientCaption::SetGradientSteps(int steps) {
    const bool changed = steps != gradientSteps_;
    gradientSteps_ = steps;
    Changed(changed);
}

void TGradientCaption::SetHideDirection(THideDirection direction) {
    const bool changed = direction != hideDirection_;
    hideDirection_ = direction;
    Changed(changed);
}

void TGradientCaption::SetStartColor(Colour colour) {
    const bool changed = colour != startColor_;
    startColor_ = colour;
    Changed(changed);
}

void TGradientCaption::Repaint() {
    if (!form_ || !::IsWindow(form_) || !::IsWindowVisible(form_)) return;
    const HWND activeWindow = ::GetActiveWindow();
    windowActive_ = activeWindow == form_ &&
                    ::GetWindowThreadProcessId(activeWindow, nullptr) == ::GetCurrentThreadId();
    RECT bounds{};
    ::GetWindowRect(form_, &bounds);
    ui::UniqueRegion whole(::CreateRectRgnIndirect(&bounds));
    ::SendMessageA(form_, WM_NCPAINT, reinterpret_cast<WPARAM>(whole.Get()), 0);
}

void TGradientCaption::PaintNow() {
    if (!form_ || !Painting()) return;
    ui::WindowDc dc(form_, ui::WindowDc::Area::Whole);
    if (dc.Get()) PaintInto(dc.Get());
}

void TGradientCaption::PaintInto(HDC windowDc) {
    lastPaint_ = CaptionPaintRecord{};
    const CaptionBorder border = BorderOf(form_);
    RECT caption{};
    if (!CaptionRectOf(form_, caption)) return;
    const CaptionIcons icons = IconsOf(form_);
    const int width = caption.right - caption.left;
    const int height = caption.bottom - caption.top;

    ui::UniqueMemoryDc memory(::CreateCompatibleDC(windowDc));
    ui::UniqueBitmap bitmap(::CreateCompatibleBitmap(windowDc, width, height));
    if (!memory || !bitmap) return;
    HDC dc = memory.Get();
    ui::SelectedObject selectedBitmap(dc, bitmap.Get());

    BOOL gradientCaptions = FALSE;
    ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradientCaptions, 0);
    const Colour endColour = gradientCaptions ? (windowActive_ ? clGradientActiveCaption : clGradientInactiveCaption)
                                              : (windowActive_ ? clActiveCaption : clInactiveCaption);
    const COLORREF start = ToRgb(startColor_);
    const COLORREF end = ToRgb(endColour);
    const bool gradient = windowActive_ ? gradientActive_ : gradientInactive_;
    if (gradient) {
        for (const ColourBand& band : GradientBands(start, end, gradientSteps_, width))
            FillSolid(dc, RECT{band.left, 0, band.right, height}, band.colour);
    } else {
        FillSolid(dc, RECT{0, 0, width, height}, end);
    }

    int textLeft = 0;
    const bool icon = CaptionShowsIcon(border, icons);
    if (icon) {
        DrawFormIcon(form_, dc, height);
        textLeft += height;
    }

    // The fonts: the caption's, and each piece's own.
    const bool tool = IsToolWindow(border);
    const LOGFONTA mainLogFont = defaultFont_ ? SystemCaptionFont(tool) : LogFontOf(font_);
    ui::UniqueFont mainFont(::CreateFontIndirectA(&mainLogFont));
    const Colour mainColour = defaultFont_ ? clCaptionText : font_.colour;
    auto measureWith = [dc](HFONT font) {
        return MeasureText([dc, font](std::string_view text) {
            ui::SelectedObject selected(dc, font);
            SIZE size{};
            ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
            return static_cast<int>(size.cx);
        });
    };
    const MeasureText mainMeasure = measureWith(mainFont.Get());
    std::vector<ui::UniqueFont> pieceFonts(captions_.size());
    std::vector<MeasureText> pieceMeasures(captions_.size());
    std::vector<CaptionPieceInput> inputs;
    if (!captions_.empty()) {
        for (std::size_t i = 0; i < captions_.size(); ++i) {
            const TCaptionPiece& piece = captions_[i];
            CaptionPieceInput input{piece.Caption, piece.Visible, piece.GlueNext, nullptr};
            if (!piece.ParentFont) {
                const LOGFONTA pieceLogFont = LogFontOf(piece.Font);
                pieceFonts[i].Reset(::CreateFontIndirectA(&pieceLogFont));
                pieceMeasures[i] = measureWith(pieceFonts[i].Get());
                input.measure = &pieceMeasures[i];
            }
            inputs.push_back(std::move(input));
        }
    } else if (!formCaption_.empty()) {
        inputs.push_back(CaptionPieceInput{formCaption_, true, false, nullptr});
    }

    textLeft += 2;
    const bool rightToLeft = (::GetWindowLongPtrA(form_, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
    const std::vector<PlacedPiece> placed =
        LayoutCaptionPieces(inputs, width - textLeft, hideDirection_, rightToLeft, mainMeasure);
    ::SetBkMode(dc, TRANSPARENT);
    for (const PlacedPiece& p : placed) {
        const bool ownFont = !captions_.empty() && !captions_[p.index].ParentFont;
        Colour colour;
        if (windowActive_) colour = ownFont ? captions_[p.index].Font.colour : mainColour;
        else colour = captions_.empty() ? fontInactiveColor_ : captions_[p.index].InactiveColor;
        ui::SelectedObject selected(dc, ownFont ? pieceFonts[p.index].Get() : mainFont.Get());
        ::SetTextColor(dc, ToRgb(colour));
        RECT r{textLeft + p.left, 0, textLeft + p.right, height};
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;
        format |= rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
        ::DrawTextA(dc, p.text.data(), static_cast<int>(p.text.size()), &r, format);
        lastPaint_.texts.push_back(p.text);
    }

    ::BitBlt(windowDc, caption.left, caption.top, width, height, dc, 0, 0, SRCCOPY);
    lastPaint_.painted = true;
    lastPaint_.caption = caption;
    lastPaint_.gradient = gradient;
    lastPaint_.startColour = start;
    lastPaint_.endColour = end;
    lastPaint_.icon = icon;
}

LRESULT CALLBACK TGradientCaption::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                UINT_PTR, DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<TGradientCaption*>(data);
    switch (message) {
    case WM_NCPAINT: {
        // The default painting gets the update region without the caption,
        // so that it does not paint over the gradient first.
        ui::UniqueRegion withoutCaption;
        ui::RunGuarded([&] {
            RECT caption{};
            if (!self->Painting() || !CaptionRectOf(window, caption)) return;
            RECT bounds{};
            ::GetWindowRect(window, &bounds);
            ::OffsetRect(&caption, bounds.left, bounds.top);
            // 1 stands for the whole window.
            ui::UniqueRegion whole;
            HRGN update = reinterpret_cast<HRGN>(wParam);
            if (wParam == 1 || !update) {
                whole.Reset(::CreateRectRgnIndirect(&bounds));
                update = whole.Get();
            }
            if (!update || !::RectInRegion(update, &caption)) return;
            ui::UniqueRegion captionRegion(::CreateRectRgnIndirect(&caption));
            withoutCaption.Reset(::CreateRectRgn(0, 0, 0, 0));
            if (::CombineRgn(withoutCaption.Get(), update, captionRegion.Get(), RGN_DIFF) == ERROR)
                withoutCaption.Reset();
        });
        const WPARAM region = withoutCaption ? reinterpret_cast<WPARAM>(withoutCaption.Get()) : wParam;
        const LRESULT result = ::DefSubclassProc(window, message, region, lParam);
        withoutCaption.Reset();
        ui::RunGuarded([self] { self->PaintNow(); });
        return result;
    }
    case WM_NCACTIVATE: {
        self->windowActive_ = wParam != 0;
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        ui::RunGuarded([self] { self->PaintNow(); });
        return result;
    }
    case WM_SETTEXT: {
        // The default handling draws the system caption with the new text
        // directly, without WM_NCPAINT.
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        ui::RunGuarded([self] { self->PaintNow(); });
        return result;
    }
    case WM_NCRBUTTONDOWN:
        if (self->popupMenu_) {
            self->rightButtonDown_ = true;
            return 0;
        }
        break;
    case WM_NCRBUTTONUP:
        if (self->rightButtonDown_) {
            self->rightButtonDown_ = false;
            ::SendMessageA(window, WM_CANCELMODE, 0, 0);
            ::TrackPopupMenu(self->popupMenu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, static_cast<short>(LOWORD(lParam)),
                             static_cast<short>(HIWORD(lParam)), 0, window, nullptr);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        self->Unhook();
        self->form_ = nullptr;
        break;
    default: break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace vc::effects
