#include "effects/gradient_caption_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "common/scale_win.h"
#include "ui/application_win.h"
#include "ui/frame_style_win.h"
#include "ui/handles_win.h"
#include "ui/private_messages.h"
#include "ui/system_colour_win.h"

namespace vc::effects {

namespace {

COLORREF ToRgb(Colour colour) { return ui::ResolveSystemColour(colour); }

LOGFONTA LogFontOf(const CaptionFont& font, int dpi) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(font.size, dpi, 72);
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

CaptionFont CaptionFontOf(const LOGFONTA& lf, Colour colour, int dpi) {
    CaptionFont font;
    font.name = lf.lfFaceName;
    font.size = MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72, dpi);
    font.colour = colour;
    font.bold = lf.lfWeight >= FW_BOLD;
    font.italic = lf.lfItalic != 0;
    font.underline = lf.lfUnderline != 0;
    font.strikeOut = lf.lfStrikeOut != 0;
    return font;
}

// The system's caption font at a window's DPI; its small caption font for
// tool windows.
LOGFONTA SystemCaptionFont(bool toolWindow, int dpi) {
    const NONCLIENTMETRICSA metrics = NonClientMetricsForDpi(dpi);
    return toolWindow ? metrics.lfSmCaptionFont : metrics.lfCaptionFont;
}

// The system's frame and caption sizes as it draws them at a window's DPI
// (the window follows its screen's scale).
CaptionMetrics SystemCaptionMetrics(int dpi) {
    CaptionMetrics m;
    m.frameX = SystemMetricForDpi(SM_CXFRAME, dpi);
    m.frameY = SystemMetricForDpi(SM_CYFRAME, dpi);
    m.dialogFrameX = SystemMetricForDpi(SM_CXDLGFRAME, dpi);
    m.dialogFrameY = SystemMetricForDpi(SM_CYDLGFRAME, dpi);
    m.captionHeight = SystemMetricForDpi(SM_CYCAPTION, dpi);
    m.smallCaptionHeight = SystemMetricForDpi(SM_CYSMCAPTION, dpi);
    m.buttonWidth = SystemMetricForDpi(SM_CXSIZE, dpi);
    m.smallButtonWidth = SystemMetricForDpi(SM_CXSMSIZE, dpi);
    return m;
}

// The caption rectangle of a window in window coordinates, or nothing for a
// window without a title bar.
bool CaptionRectOf(HWND window, const FrameStyle& frame, RECT& caption) {
    if (!HasCaption(frame.border)) return false;
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    const CaptionMetrics metrics = SystemCaptionMetrics(WindowDpi(window));
    const Rect r = CaptionRect(bounds.right - bounds.left, bounds.bottom - bounds.top, frame, metrics);
    caption = RECT{r.left, r.top, r.right, r.bottom};
    return !r.IsEmpty();
}

// One colour over a rectangle without making a brush.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// The form's icon at small size; without one the module's "MAINICON", then
// the window class's icon, then the stock application icon.
void DrawFormIcon(HWND form, HDC dc, int captionHeight) {
    const int dpi = WindowDpi(form);
    const int cx = SystemMetricForDpi(SM_CXSMICON, dpi);
    const int cy = SystemMetricForDpi(SM_CYSMICON, dpi);
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

TGradientCaption::Subclass::Subclass(TGradientCaption& caption) noexcept
    : TWindowSubclass(ui::kGradientCaptionSubclassId), caption_(caption) {}

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
    if (wanted && !subclass_.Attached()) subclass_.Attach(form_);
    else if (!wanted && subclass_.Attached()) Unhook();
}

void TGradientCaption::Unhook() noexcept {
    // Detaching by choice keeps the form; only its destruction forgets it.
    const HWND form = form_;
    subclass_.Detach();
    form_ = form;
}

void TGradientCaption::SetActive(bool active) {
    if (active_ == active) return;
    active_ = active;
    UpdateHook();
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
    const bool tool = form_ && IsToolWindow(ui::ReadFrameStyle(form_).border);
    const int dpi = WindowDpi(form_);
    return CaptionFontOf(SystemCaptionFont(tool, dpi), clCaptionText, dpi);
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

bool TGradientCaption::Skinned() const noexcept {
    // The skinned frame owns the title bar while the window wears a skin.
    return form_ && ui::AnswersSkinQuery(form_);
}

void TGradientCaption::PaintNow() {
    if (!form_ || !Painting() || Skinned()) return;
    ui::WindowDc dc(form_, ui::WindowDc::Area::Whole);
    if (dc.Get()) PaintInto(dc.Get());
}

void TGradientCaption::PaintInto(HDC windowDc) {
    lastPaint_ = CaptionPaintRecord{};
    const FrameStyle frame = ui::ReadFrameStyle(form_);
    RECT caption{};
    if (!CaptionRectOf(form_, frame, caption)) return;
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
    const bool icon = CaptionShowsIcon(frame);
    if (icon) {
        DrawFormIcon(form_, dc, height);
        textLeft += height;
    }

    // The fonts: the caption's, and each piece's own.
    const bool tool = IsToolWindow(frame.border);
    const int dpi = WindowDpi(form_);
    const LOGFONTA mainLogFont = defaultFont_ ? SystemCaptionFont(tool, dpi) : LogFontOf(font_, dpi);
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
                const LOGFONTA pieceLogFont = LogFontOf(piece.Font, dpi);
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

// After the message went on: a failing paint is reported, and the message
// must not go on a second time.
void TGradientCaption::Subclass::PaintGuarded() noexcept {
    ui::RunGuarded([this] { caption_.PaintNow(); });
}

LRESULT TGradientCaption::Subclass::OnNcPaint(HRGN update) {
    // The default painting gets the update region without the caption, so
    // that it does not paint over the gradient first.
    const HWND window = Window();
    ui::UniqueRegion withoutCaption;
    ui::RunGuarded([&] {
        RECT caption{};
        if (!caption_.Painting() || caption_.Skinned() || !CaptionRectOf(window, ui::ReadFrameStyle(window), caption))
            return;
        RECT bounds{};
        ::GetWindowRect(window, &bounds);
        ::OffsetRect(&caption, bounds.left, bounds.top);
        // 1 stands for the whole window.
        ui::UniqueRegion whole;
        HRGN region = update;
        if (reinterpret_cast<WPARAM>(update) == 1 || !region) {
            whole.Reset(::CreateRectRgnIndirect(&bounds));
            region = whole.Get();
        }
        if (!region || !::RectInRegion(region, &caption)) return;
        ui::UniqueRegion captionRegion(::CreateRectRgnIndirect(&caption));
        withoutCaption.Reset(::CreateRectRgn(0, 0, 0, 0));
        if (::CombineRgn(withoutCaption.Get(), region, captionRegion.Get(), RGN_DIFF) == ERROR)
            withoutCaption.Reset();
    });
    const LRESULT result = TWindowSubclass::OnNcPaint(withoutCaption ? withoutCaption.Get() : update);
    withoutCaption.Reset();
    PaintGuarded();
    return result;
}

LRESULT TGradientCaption::Subclass::OnNcActivate(bool active, HRGN update) {
    caption_.windowActive_ = active;
    const LRESULT result = TWindowSubclass::OnNcActivate(active, update);
    PaintGuarded();
    return result;
}

LRESULT TGradientCaption::Subclass::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        // The default handling draws the system caption with the new text
        // directly, without WM_NCPAINT.
        const LRESULT result = DefaultProc(message, wParam, lParam);
        PaintGuarded();
        return result;
    }
    return TWindowSubclass::WindowProc(message, wParam, lParam);
}

void TGradientCaption::Subclass::OnDetached() noexcept {
    caption_.form_ = nullptr;
}

}  // namespace vc::effects
