#include "skin/win/skin_control_win.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "skin/win/skin_bitmap_win.h"
#include "skin/win/skinned_form_win.h"
#include "ui/application_win.h"
#include "ui/private_messages.h"

namespace vc {

namespace {

COLORREF Gdi(Colour c) { return static_cast<COLORREF>(c & 0x00FFFFFFu); }

std::string TextOf(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

Point CursorIn(HWND window) {
    POINT p{};
    ::GetCursorPos(&p);
    ::ScreenToClient(window, &p);
    return Point{p.x, p.y};
}

// Focus rectangles and access-key underlines show as the system shows them:
// hidden until the keyboard is used.
UINT UiState(HWND window) { return static_cast<UINT>(::SendMessageA(window, WM_QUERYUISTATE, 0, 0)); }

void DrawLabel(HDC dc, HFONT font, Colour colour, const std::string& text, RECT r, UINT format) {
    if (text.empty()) return;
    ui::SelectedObject selected(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Gdi(colour));
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

// Messages after which a control may have drawn itself directly rather
// than through WM_PAINT: the skin goes over it again at once.
bool ChangesLook(UINT message) {
    switch (message) {
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case WM_SETTEXT: case WM_LBUTTONDOWN: case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: case WM_KEYDOWN: case WM_KEYUP: case WM_CAPTURECHANGED: case WM_UPDATEUISTATE:
    case BM_SETSTATE: case BM_SETCHECK: case BM_SETSTYLE: case BM_CLICK:
        return true;
    default:
        return false;
    }
}

}  // namespace

// --- TSkinControl ---

TSkinControl::TSkinControl(TSkinnedForm& form, TSkinData& data)
    : ui::TWindowSubclass(ui::kControlSkinnerSubclassId), form_(form), data_(data) {}

TSkinControl::~TSkinControl() { Stop(); }

bool TSkinControl::SkinWindow(HWND window) {
    if (!Attach(window)) return false;
    scrollBars_ = (::GetWindowLongPtrA(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0 &&
                  InSet(data_.SkinControls, xcScrollbar) && data_.FindObject("Scrollbar");
    Repaint();
    return true;
}

void TSkinControl::Stop() {
    HWND window = Window();
    if (!window) return;
    if (hot_) form_.SetHotControl(nullptr);
    hot_ = false;
    Detach();
    if (::IsWindow(window)) ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TSkinControl::OnDetached() noexcept {
    if (hot_) form_.SetHotControl(nullptr);
    hot_ = false;
}

void TSkinControl::RefreshColours() { Repaint(); }

bool TSkinControl::ParentNotify(NMHDR&, LRESULT&) { return false; }

LRESULT TSkinControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ui::kSkinQueryMessage) return ui::kSkinQueryAnswer;
    if (message == ui::kControlSkinSwitchMessage) {
        painting_ = wParam > 0;
        Repaint();
        return 0;
    }
    if (!painting_) return DefaultProc(message, wParam, lParam);
    LRESULT result = 0;
    if (!BeforeMessage(message, wParam, lParam, result)) return result;
    result = DefaultProc(message, wParam, lParam);
    AfterMessage(message, wParam, lParam);
    if (scrollBars_ && (message == WM_NCPAINT || ScrollBarsChanged())) PaintScrollBars(nullptr);
    return result;
}

bool TSkinControl::BeforeMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_PAINT:
        if (!PaintsClient()) return true;
        if (wParam) {
            PaintClient(reinterpret_cast<HDC>(wParam));
        } else {
            PAINTSTRUCT ps{};
            HDC dc = ::BeginPaint(Window(), &ps);
            PaintClient(dc);
            ::EndPaint(Window(), &ps);
        }
        result = 0;
        return false;
    case WM_PRINTCLIENT:
        if (!PaintsClient()) return true;
        PaintClient(reinterpret_cast<HDC>(wParam));
        result = 0;
        return false;
    case WM_ERASEBKGND:
        if (!PaintsClient()) return true;
        result = 1;
        return false;
    case WM_MOUSEMOVE:
        if (::IsWindowEnabled(Window())) SetHot(true);
        return true;
    case WM_MOUSELEAVE:
        SetHot(false);
        return true;
    case ui::kCmMouseLeave:
        SetHot(false);
        result = 0;
        return false;
    case ui::kFrameRepaintRequest:
        return true;
    default:
        return true;
    }
}

void TSkinControl::AfterMessage(UINT message, WPARAM, LPARAM) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) mousePressed_ = true;
    if (message == WM_LBUTTONUP || message == WM_CAPTURECHANGED) {
        mousePressed_ = false;
        // A capture ends the leave tracking: the mouse may be gone already.
        if (hot_) RecheckHot();
    }
    if (PaintsClient() && ChangesLook(message)) PaintClient();
}

void TSkinControl::TrackLeave() {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Window(), 0};
    ::TrackMouseEvent(&track);
}

void TSkinControl::RecheckHot() {
    POINT cursor{};
    RECT bounds{};
    if (::GetCursorPos(&cursor) && ::GetWindowRect(Window(), &bounds) && ::PtInRect(&bounds, cursor)) {
        TrackLeave();
    } else {
        SetHot(false);
    }
}

void TSkinControl::SetHot(bool hot) {
    // The mouse leaving the control ends the hot look; the tracking is asked
    // for again on every move, since a capture cancels it.
    if (hot) TrackLeave();
    if (hot == hot_) return;
    hot_ = hot;
    form_.SetHotControl(hot ? this : nullptr);
    if (PaintsClient()) PaintClient();
}

ControlState TSkinControl::StateNow() const {
    ControlState s;
    s.enabled = ::IsWindowEnabled(Window()) != FALSE;
    s.focused = ::GetFocus() == Window();
    s.hot = hot_ && s.enabled;
    s.pressed = mousePressed_ && s.enabled;
    return s;
}

HFONT TSkinControl::Font() const {
    auto font = reinterpret_cast<HFONT>(::SendMessageA(Window(), WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void TSkinControl::Repaint() {
    if (!Window()) return;
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

Bitmap TSkinControl::OwnPicture(int width, int height) {
    Bitmap blank(width, height, PixelFromColour(data_.ButtonFaceColour()));
    DibSection dib(blank);
    ui::WindowDc screen(Window());
    ui::UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
    if (!memory || !dib.Handle()) return blank;
    {
        ui::SelectedObject selected(memory.Get(), dib.Handle());
        DefaultProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    }
    return BitmapFromHandle(dib.Handle());
}

void TSkinControl::PaintClient(HDC given) {
    if (!Window() || !painting_) return;
    RECT client{};
    ::GetClientRect(Window(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    Bitmap picture = OwnPictureFirst() ? OwnPicture(client.right, client.bottom)
                                       : Bitmap(client.right, client.bottom, PixelFromColour(data_.ButtonFaceColour()));
    Compose(picture);
    ui::WindowDc own(given ? nullptr : Window());
    HDC dc = given ? given : own.Get();
    if (!dc) return;
    const int saved = ::SaveDC(dc);
    // Children paint themselves (a status bar's progress bar, a combo
    // box's field).
    for (HWND child = ::GetWindow(Window(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child)) continue;
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
        ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    ClipClient(dc, ToRect(client));
    DrawBitmapWithGdi(dc, 0, 0, picture, [&](HDC memory) { DrawText(memory, ToRect(client)); });
    ::RestoreDC(dc, saved);
}

// --- Scroll bars of any control, over the system's own ---

namespace {

bool BarInfo(HWND window, LONG object, SCROLLBARINFO& info) {
    info = SCROLLBARINFO{};
    info.cbSize = sizeof info;
    return ::GetScrollBarInfo(window, object, &info) && !(info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) &&
           info.rcScrollBar.right > info.rcScrollBar.left && info.rcScrollBar.bottom > info.rcScrollBar.top;
}

// What of a bar's information shows on the screen.
struct BarKey {
    RECT bar;
    int thumbTop, thumbBottom;
    DWORD states[CCHILDREN_SCROLLBAR + 1];
    bool operator==(const BarKey& o) const {
        return ::EqualRect(&bar, &o.bar) && thumbTop == o.thumbTop && thumbBottom == o.thumbBottom &&
               std::equal(std::begin(states), std::end(states), std::begin(o.states));
    }
};

BarKey KeyOf(const SCROLLBARINFO& i) {
    BarKey k{i.rcScrollBar, i.xyThumbTop, i.xyThumbBottom, {}};
    std::copy(std::begin(i.rgstate), std::end(i.rgstate), std::begin(k.states));
    return k;
}

}  // namespace

bool TSkinControl::ScrollBarsChanged() {
    std::uint64_t sum = 1469598103934665603ull;
    for (LONG object : {static_cast<LONG>(OBJID_HSCROLL), static_cast<LONG>(OBJID_VSCROLL)}) {
        SCROLLBARINFO info{};
        const bool shown = BarInfo(Window(), object, info);
        const BarKey key = shown ? KeyOf(info) : BarKey{};
        const auto* bytes = reinterpret_cast<const unsigned char*>(&key);
        for (std::size_t i = 0; i < sizeof key; ++i) sum = (sum ^ bytes[i]) * 1099511628211ull;
    }
    if (sum == scrollKey_) return false;
    scrollKey_ = sum;
    return true;
}

void TSkinControl::PaintScrollBars(HDC given) {
    RECT window{};
    if (!::GetWindowRect(Window(), &window)) return;
    ui::WindowDc own(given ? nullptr : Window(), ui::WindowDc::Area::Whole);
    HDC dc = given ? given : own.Get();
    if (!dc) return;
    RECT corner{0, 0, 0, 0};
    bool both = true;
    for (const bool vertical : {false, true}) {
        SCROLLBARINFO info{};
        if (!BarInfo(Window(), vertical ? OBJID_VSCROLL : OBJID_HSCROLL, info)) {
            both = false;
            continue;
        }
        const Rect bar = ToRect(info.rcScrollBar).Offset(-window.left, -window.top);
        if (vertical) corner.left = bar.left, corner.right = bar.right, corner.bottom = bar.bottom;
        else corner.top = bar.top, corner.bottom = std::max<LONG>(corner.bottom, bar.bottom), corner.right = std::max<LONG>(corner.right, bar.right);
        Bitmap picture(bar.Width(), bar.Height(), PixelFromColour(data_.ButtonFaceColour()));
        const Rect local{0, 0, bar.Width(), bar.Height()};
        const ScrollBarParts parts =
            LayoutScrollBar(data_, local, vertical, info.dxyLineButton, info.xyThumbTop, info.xyThumbBottom);
        ScrollBarLook look;
        look.enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
        const ScrollPart parts_of[] = {ScrollPart::None, ScrollPart::Before, ScrollPart::Track, ScrollPart::Thumb,
                                       ScrollPart::Track, ScrollPart::After};
        for (int i = 1; i <= 5; ++i) {
            if (info.rgstate[i] & STATE_SYSTEM_PRESSED) look.pressed = parts_of[i];
            if (info.rgstate[i] & STATE_SYSTEM_HOTTRACKED) look.hot = parts_of[i];
        }
        PaintScrollBar(picture, data_, parts, vertical, look);
        DrawBitmap(dc, bar.left, bar.top, picture);
    }
    // The corner where two bars meet stands on the face colour.
    if (both) {
        SCROLLBARINFO h{}, v{};
        BarInfo(Window(), OBJID_HSCROLL, h);
        BarInfo(Window(), OBJID_VSCROLL, v);
        const Rect box = Rect{v.rcScrollBar.left, h.rcScrollBar.top, v.rcScrollBar.right, h.rcScrollBar.bottom}.Offset(
            -window.left, -window.top);
        if (!box.IsEmpty()) DrawBitmap(dc, box.left, box.top, Bitmap(box.Width(), box.Height(), PixelFromColour(data_.ButtonFaceColour())));
    }
}

// --- Push buttons ---

namespace {

class TSkinButton final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    ControlState Now() const {
        ControlState s = StateNow();
        s.pressed = s.enabled && (::SendMessageA(Window(), BM_GETSTATE, 0, 0) & BST_PUSHED);
        return s;
    }
    void Compose(Bitmap& picture) override { PaintPushButton(picture, data_, picture.Bounds(), PushButtonImage(Now())); }
    void DrawText(HDC dc, const Rect& client) override {
        const ControlState s = Now();
        const int image = PushButtonImage(s);
        std::string caption = TextOf(Window());
        // "||" breaks a caption into lines.
        for (std::size_t at = caption.find("||"); at != std::string::npos; at = caption.find("||", at + 2))
            caption.replace(at, 2, "\r\n");
        const UINT ui = UiState(Window());
        const UINT prefix = (ui & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
        RECT text{client.left + 2, client.top + 2, client.right - 2, client.bottom - 2};
        RECT measured = text;
        {
            ui::SelectedObject font(dc, Font());
            ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
                        DT_CALCRECT | DT_NOCLIP | DT_WORDBREAK | DT_EXPANDTABS | prefix);
        }
        const int offset = ((text.bottom - text.top) - (measured.bottom - measured.top)) / 2 - 1;
        text.top += offset;
        text.bottom = text.top + (measured.bottom - measured.top);
        if (s.pressed) ::OffsetRect(&text, 1, 1);
        DrawLabel(dc, Font(), PushButtonTextColour(data_, image), caption, text,
                  DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | prefix);
        if (s.focused && !InSet(data_.Options, xoNoFocusRect) && !(ui & UISF_HIDEFOCUS)) {
            const int w = measured.right - measured.left;
            RECT focus{(text.left + text.right - w) / 2 - 2, text.top - 2, (text.left + text.right + w) / 2 + 2,
                       text.bottom + 2};
            const RECT inside{client.left + 3, client.top + 3, client.right - 3, client.bottom - 3};
            ::IntersectRect(&focus, &focus, &inside);
            ::SetTextColor(dc, RGB(0, 0, 0));
            ::SetBkColor(dc, RGB(255, 255, 255));
            ::DrawFocusRect(dc, &focus);
        }
    }
};

// --- Check boxes and radio buttons ---

class TSkinCheckBox final : public TSkinControl {
public:
    TSkinCheckBox(TSkinnedForm& form, TSkinData& data, bool radio) : TSkinControl(form, data), radio_(radio) {}

protected:
    ControlState Now() const {
        ControlState s = StateNow();
        s.pressed = s.enabled && (::SendMessageA(Window(), BM_GETSTATE, 0, 0) & BST_PUSHED);
        return s;
    }
    void Compose(Bitmap& picture) override {
        const LRESULT check = ::SendMessageA(Window(), BM_GETCHECK, 0, 0);
        const CheckMark mark = check == BST_CHECKED         ? CheckMark::Checked
                               : check == BST_INDETERMINATE ? CheckMark::Indeterminate
                                                            : CheckMark::Unchecked;
        const TDataSkinButton& b = static_cast<const TSkinData&>(data_).Buttons();
        text_ = PaintCheckBox(picture, data_, picture.Bounds(), radio_,
                              CheckBoxImage(mark, Now(), radio_ ? b.RadioFrame : b.CheckFrame));
    }
    void DrawText(HDC dc, const Rect&) override {
        if (text_.IsEmpty()) return;
        const ControlState s = Now();
        const std::string caption = TextOf(Window());
        const UINT ui = UiState(Window());
        const bool multiLine = (::GetWindowLongPtrA(Window(), GWL_STYLE) & BS_MULTILINE) != 0;
        const UINT format = (multiLine ? DT_WORDBREAK : DT_SINGLELINE) | ((ui & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0);
        RECT r = ToRECT(text_);
        RECT measured = r;
        {
            ui::SelectedObject font(dc, Font());
            ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, format | DT_CALCRECT);
        }
        const int h = measured.bottom - measured.top;
        r.top += (text_.Height() - h) / 2;
        r.bottom = r.top + h;
        const Colour colour = s.enabled ? data_.ResolveColour(data_.Colours().ButtonText)
                                        : data_.ResolveColour(data_.Colours().ButtonShadow);
        DrawLabel(dc, Font(), colour, caption, r, format);
        if (s.focused && !caption.empty() && !(ui & UISF_HIDEFOCUS) && !InSet(data_.Options, xoNoFocusRect)) {
            RECT focus{r.left - 1, r.top - 1, std::min<LONG>(r.left + (measured.right - measured.left) + 1, text_.right),
                       r.bottom + 1};
            ::SetTextColor(dc, RGB(0, 0, 0));
            ::SetBkColor(dc, RGB(255, 255, 255));
            ::DrawFocusRect(dc, &focus);
        }
    }

private:
    bool radio_;
    Rect text_;
};

// --- Group boxes ---

class TSkinGroupBox final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    void Compose(Bitmap& picture) override {
        const std::string caption = TextOf(Window());
        ui::WindowDc screen(Window());
        ui::SelectedObject font(screen.Get(), Font());
        SIZE size{};
        ::GetTextExtentPoint32A(screen.Get(), caption.empty() ? "X" : caption.c_str(),
                                static_cast<int>(std::max<std::size_t>(caption.size(), 1)), &size);
        const bool right = (::GetWindowLongPtrA(Window(), GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
        const int w = caption.empty() ? 0 : size.cx + 4;
        caption_ = right ? Rect::FromSize(picture.Width() - 8 - w, 0, w, size.cy) : Rect::FromSize(8, 0, w, size.cy);
        frameTop_ = size.cy / 2;
        PaintGroupBox(picture, data_, picture.Bounds(), Rect{caption_.left, 0, caption_.right, caption.empty() ? 0 : size.cy},
                      ::IsWindowEnabled(Window()) != FALSE);
        // The caption keeps the frame's offset when it is empty.
        if (caption.empty()) caption_ = Rect{};
    }
    void DrawText(HDC dc, const Rect&) override {
        const Colour colour = ::IsWindowEnabled(Window()) ? data_.ResolveColour(data_.Colours().ButtonText)
                                                          : data_.ResolveColour(data_.Colours().ButtonShadow);
        DrawLabel(dc, Font(), colour, TextOf(Window()), ToRECT(caption_),
                  DT_CENTER | DT_SINGLELINE | ((UiState(Window()) & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0));
    }
    // Only the frame and the caption: the controls inside the group are the
    // group's siblings and must not be painted over.
    void ClipClient(HDC dc, const Rect& client) override {
        const TDataSkinObject* edge = data_.FindObject("GroupBoxEdge");
        const int l = std::max(edge ? edge->LeftWidth : 0, 2), r = std::max(edge ? edge->RightWidth : 0, 2);
        const int t = std::max(edge ? edge->TopHeight : 0, 2), b = std::max(edge ? edge->BottomHeight : 0, 2);
        const int top = std::max(frameTop_ + t, caption_.bottom);
        ::ExcludeClipRect(dc, client.left + l, top, client.right - r, client.bottom - b);
    }

private:
    Rect caption_;
    int frameTop_ = 0;
};

// --- Edits: the border only ---

class TSkinEdit final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool PaintsClient() const override { return false; }
    bool BeforeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == ui::kFrameRepaintRequest && lParam == ui::kSkinMagic) {
            PaintBorder(reinterpret_cast<HDC>(wParam));
            result = ui::kSkinMagic;
            return false;
        }
        return TSkinControl::BeforeMessage(message, wParam, lParam, result);
    }
    void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        TSkinControl::AfterMessage(message, wParam, lParam);
        if (message == WM_NCPAINT || message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_ENABLE)
            PaintBorder(nullptr);
    }

private:
    void PaintBorder(HDC given) {
        RECT window{};
        ::GetWindowRect(Window(), &window);
        POINT origin{0, 0};
        ::ClientToScreen(Window(), &origin);
        const int thickness = std::min<int>(origin.x - window.left, 3);
        if (thickness < 1) return;
        const int w = window.right - window.left, h = window.bottom - window.top;
        Bitmap picture(w, h, PixelFromColour(data_.ButtonFaceColour()));
        PaintEditBorder(picture, data_, picture.Bounds(), thickness);
        ui::WindowDc own(given ? nullptr : Window(), ui::WindowDc::Area::Whole);
        HDC dc = given ? given : own.Get();
        if (!dc) return;
        const int saved = ::SaveDC(dc);
        ::ExcludeClipRect(dc, thickness, thickness, w - thickness, h - thickness);
        DrawBitmap(dc, 0, 0, picture);
        ::RestoreDC(dc, saved);
    }
};

// --- Combo boxes: the field and its button over the control's own picture ---

class TSkinComBox final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool OwnPictureFirst() const override { return true; }
    void Compose(Bitmap& picture) override {
        ControlState s = StateNow();
        s.pressed = s.enabled && ::SendMessageA(Window(), CB_GETDROPPEDSTATE, 0, 0);
        // The mouse may be over the combo box's own field, a child window.
        s.hot = s.enabled && (hot_ || (::GetWindowRect(Window(), &bounds_) && Under()));
        PaintComboBox(picture, data_, picture.Bounds(), ComboBoxImage(s));
    }
    void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        TSkinControl::AfterMessage(message, wParam, lParam);
        if (message == CB_SETCURSEL || message == CB_SELECTSTRING || message == CB_SHOWDROPDOWN) PaintClient();
    }

private:
    bool Under() const {
        POINT p{};
        ::GetCursorPos(&p);
        return ::PtInRect(&bounds_, p) != FALSE;
    }
    RECT bounds_{};
};

// --- Progress bars ---

class TSkinProgress final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    void Compose(Bitmap& picture) override {
        PBRANGE range{};
        ::SendMessageA(Window(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        const int position = static_cast<int>(::SendMessageA(Window(), PBM_GETPOS, 0, 0));
        const bool vertical = (::GetWindowLongPtrA(Window(), GWL_STYLE) & PBS_VERTICAL) != 0;
        PaintProgress(picture, data_, picture.Bounds(), range.iLow, range.iHigh, position, vertical);
    }
    void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        TSkinControl::AfterMessage(message, wParam, lParam);
        switch (message) {
        case PBM_SETPOS: case PBM_DELTAPOS: case PBM_STEPIT: case PBM_SETRANGE: case PBM_SETRANGE32:
            PaintClient();
            break;
        default: break;
        }
    }
};

// --- Status bars ---

class TSkinStatusBar final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    std::vector<Rect> Panels() const {
        std::vector<Rect> panels;
        if (::SendMessageA(Window(), SB_ISSIMPLE, 0, 0)) return panels;
        const int count = static_cast<int>(::SendMessageA(Window(), SB_GETPARTS, 0, 0));
        for (int i = 0; i < count; ++i) {
            RECT r{};
            if (::SendMessageA(Window(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
                panels.push_back(ToRect(r));
        }
        return panels;
    }
    void Compose(Bitmap& picture) override {
        const std::vector<Rect> panels = Panels();
        if (panels.empty()) PaintStatusPanel(picture, data_, picture.Bounds(), 3);
        for (std::size_t i = 0; i < panels.size(); ++i)
            PaintStatusPanel(picture, data_, panels[i], i + 1 == panels.size() ? 2 : 1);
        if (::GetWindowLongPtrA(Window(), GWL_STYLE) & SBARS_SIZEGRIP) PaintSizeGrip(picture, data_, picture.Bounds());
    }
    void DrawText(HDC dc, const Rect& client) override {
        const std::vector<Rect> panels = Panels();
        const Colour colour = StatusTextColour(data_);
        const auto text = [&](int i, const Rect& r) {
            const LRESULT info = ::SendMessageA(Window(), SB_GETTEXTLENGTHA, static_cast<WPARAM>(i), 0);
            if (HIWORD(info) & SBT_OWNERDRAW) return;
            std::string s(static_cast<std::size_t>(LOWORD(info)) + 1, '\0');
            ::SendMessageA(Window(), SB_GETTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
            s.resize(LOWORD(info));
            s.erase(0, s.find_first_not_of('\t') == std::string::npos ? s.size() : s.find_first_not_of('\t'));
            DrawLabel(dc, Font(), colour, s, RECT{r.left + 4, r.top, r.right - 2, r.bottom},
                      DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        };
        if (panels.empty()) text(SB_SIMPLEID, client);
        for (std::size_t i = 0; i < panels.size(); ++i) text(static_cast<int>(i), panels[i]);
    }
};

// --- Tool bars: the bar paints itself, the skin answers its custom drawing ---

class TSkinToolBar final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    bool ParentNotify(NMHDR& header, LRESULT& result) override {
        if (header.code != static_cast<UINT>(NM_CUSTOMDRAW) || !painting_) return false;
        auto& draw = reinterpret_cast<NMTBCUSTOMDRAW&>(header);
        RECT client{};
        ::GetClientRect(Window(), &client);
        switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT: {
            Bitmap bar(client.right, client.bottom);
            PaintToolBarBackground(bar, data_, bar.Bounds());
            DrawBitmap(draw.nmcd.hdc, 0, 0, bar);
            result = CDRF_NOTIFYITEMDRAW;
            return true;
        }
        case CDDS_ITEMPREPAINT: {
            const Rect item = ToRect(draw.nmcd.rc);
            if (item.IsEmpty()) return false;
            const UINT state = draw.nmcd.uItemState;
            ControlState s;
            s.enabled = !(state & CDIS_DISABLED);
            s.hot = (state & CDIS_HOT) != 0;
            s.pressed = (state & CDIS_SELECTED) != 0;
            Bitmap picture(item.Width(), item.Height());
            PaintToolBarBackground(picture, data_, ToRect(client).Offset(-item.left, -item.top));
            PaintToolButton(picture, data_, picture.Bounds(), ToolButtonImage(s, (state & CDIS_CHECKED) != 0));
            DrawBitmap(draw.nmcd.hdc, item.left, item.top, picture);
            result = CDRF_DODEFAULT | TBCDRF_NOEDGES | TBCDRF_NOBACKGROUND | TBCDRF_NOETCHEDEFFECT;
            return true;
        }
        default:
            return false;
        }
    }

protected:
    bool PaintsClient() const override { return false; }
};

// --- Tab controls ---

class TSkinTab final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    struct Item {
        Rect r;
        bool selected;
        bool hot;
    };
    std::vector<Item> Items() const {
        std::vector<Item> items;
        const int count = TabCtrl_GetItemCount(Window());
        const int selected = TabCtrl_GetCurSel(Window());
        const Point cursor = CursorIn(Window());
        for (int i = 0; i < count; ++i) {
            RECT r{};
            if (!TabCtrl_GetItemRect(Window(), i, &r)) continue;
            Rect at = ToRect(r);
            if (i == selected) at = Rect{at.left - 2, at.top - 2, at.right + 2, at.bottom + 1};
            items.push_back(Item{at, i == selected, hot_ && at.Contains(cursor)});
        }
        return items;
    }
    void Compose(Bitmap& picture) override {
        const std::vector<Item> items = Items();
        int top = 0;
        for (const Item& i : items) top = std::max(top, i.r.bottom - (i.selected ? 1 : 0));
        PaintTabPane(picture, data_, Rect{0, top, picture.Width(), picture.Height()});
        const ControlState base = StateNow();
        // The selected tab last: it overlaps its neighbours.
        for (int pass = 0; pass < 2; ++pass)
            for (const Item& i : items) {
                if (i.selected != (pass == 1)) continue;
                ControlState s = base;
                s.hot = i.hot;
                PaintTab(picture, data_, i.r, TabImage(s, i.selected));
            }
    }
    void DrawText(HDC dc, const Rect&) override {
        const std::vector<Item> items = Items();
        const bool focused = ::GetFocus() == Window();
        for (std::size_t n = 0; n < items.size(); ++n) {
            char text[256] = {};
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessageA(Window(), TCM_GETITEMA, n, reinterpret_cast<LPARAM>(&item));
            RECT r = ToRECT(items[n].r);
            DrawLabel(dc, Font(), TabTextColour(data_), text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            if (items[n].selected && focused && !(UiState(Window()) & UISF_HIDEFOCUS)) {
                ::InflateRect(&r, -3, -3);
                ::SetTextColor(dc, RGB(0, 0, 0));
                ::SetBkColor(dc, RGB(255, 255, 255));
                ::DrawFocusRect(dc, &r);
            }
        }
    }
    void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        TSkinControl::AfterMessage(message, wParam, lParam);
        if (message == TCM_SETCURSEL || (message == WM_MOUSEMOVE && hot_)) PaintClient();
    }
};

// --- List headers ---

class TSkinHeader final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    void Compose(Bitmap& picture) override {
        const int count = static_cast<int>(::SendMessageA(Window(), HDM_GETITEMCOUNT, 0, 0));
        const Point cursor = CursorIn(Window());
        const ControlState base = StateNow();
        int right = 0;
        for (int i = 0; i < count; ++i) {
            RECT r{};
            if (!::SendMessageA(Window(), HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
            HDITEMA item{};
            item.mask = HDI_FORMAT;
            ::SendMessageA(Window(), HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            ControlState s = base;
            s.hot = base.hot && ToRect(r).Contains(cursor);
            s.pressed = s.hot && mousePressed_ && (::GetWindowLongPtrA(Window(), GWL_STYLE) & HDS_BUTTONS);
            PaintHeaderItem(picture, data_, ToRect(r), HeaderItemImage(s, (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) != 0));
            right = std::max<int>(right, r.right);
        }
        if (right < picture.Width()) PaintHeaderItem(picture, data_, Rect{right, 0, picture.Width(), picture.Height()}, 1);
    }
    void DrawText(HDC dc, const Rect&) override {
        const int count = static_cast<int>(::SendMessageA(Window(), HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            RECT r{};
            if (!::SendMessageA(Window(), HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
            char text[256] = {};
            HDITEMA item{};
            item.mask = HDI_TEXT | HDI_FORMAT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessageA(Window(), HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            const UINT align = (item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT    ? DT_RIGHT
                               : (item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                                           : DT_LEFT;
            DrawLabel(dc, Font(), data_.ResolveColour(data_.Colours().ButtonText), text,
                      RECT{r.left + 6, r.top, r.right - 6, r.bottom},
                      align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
    }
    void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        TSkinControl::AfterMessage(message, wParam, lParam);
        if (message == WM_MOUSEMOVE) PaintClient();
    }
};

// --- Track bars ---

class TSkinTrackBar final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    void Compose(Bitmap& picture) override {
        const bool vertical = (::GetWindowLongPtrA(Window(), GWL_STYLE) & TBS_VERT) != 0;
        RECT channel{}, thumb{};
        ::SendMessageA(Window(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        ::SendMessageA(Window(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        // The system reports a vertical bar's channel turned on its side.
        if (vertical) channel = RECT{channel.top, channel.left, channel.bottom, channel.right};
        const TDataSkinObject* track = data_.FindObject(vertical ? "TRACKVERT" : "Track");
        Rect c = ToRect(channel);
        if (track && !track->Map.Empty()) {
            if (vertical) {
                const int w = track->Map.Width() / track->FrameCount(), mid = (c.left + c.right) / 2;
                c = Rect{mid - w / 2, c.top, mid - w / 2 + w, c.bottom};
            } else {
                const int h = track->Map.Height(), mid = (c.top + c.bottom) / 2;
                c = Rect{c.left, mid - h / 2, c.right, mid - h / 2 + h};
            }
        }
        ControlState s = StateNow();
        s.hot = s.hot && ToRect(thumb).Contains(CursorIn(Window()));
        PaintTrackBar(picture, data_, c, ToRect(thumb), vertical, TrackThumbImage(s));
    }
    void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        TSkinControl::AfterMessage(message, wParam, lParam);
        if (message == TBM_SETPOS || message == WM_MOUSEMOVE || message == TBM_SETRANGE) PaintClient();
    }
};

// --- Up-down buttons ---

class TSkinUpDown final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    void Compose(Bitmap& picture) override {
        const bool horizontal = (::GetWindowLongPtrA(Window(), GWL_STYLE) & UDS_HORZ) != 0;
        const Rect r = picture.Bounds();
        const Rect first = horizontal ? Rect{0, 0, r.right / 2, r.bottom} : Rect{0, 0, r.right, r.bottom / 2};
        const Rect second = horizontal ? Rect{first.right, 0, r.right, r.bottom} : Rect{0, first.bottom, r.right, r.bottom};
        const Point cursor = CursorIn(Window());
        const ControlState base = StateNow();
        for (const bool isSecond : {false, true}) {
            const Rect& part = isSecond ? second : first;
            ControlState s = base;
            s.hot = base.hot && part.Contains(cursor);
            s.pressed = s.hot && mousePressed_;
            PaintUpDownButton(picture, data_, part, horizontal, UpDownImage(isSecond, s));
        }
    }
    void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        TSkinControl::AfterMessage(message, wParam, lParam);
        if (message == WM_MOUSEMOVE || message == WM_TIMER) PaintClient();
    }
};

// --- Controls skinned for their scroll bars alone ---

class TSkinScrollbar final : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool PaintsClient() const override { return false; }
};

bool Has(const TSkinData& data, const char* object) {
    const TDataSkinObject* o = data.FindObject(object);
    return o && !o->Map.Empty();
}

}  // namespace

std::unique_ptr<TSkinControl> MakeControlSkinner(ControlKind kind, TSkinnedForm& form, TSkinData& data) {
    const TSkinData& d = data;
    switch (kind) {
    case ControlKind::PushButton:
        if (d.Buttons().Map.Empty()) return nullptr;
        return std::make_unique<TSkinButton>(form, data);
    case ControlKind::CheckBox:
        if (d.Buttons().CheckMap.Empty()) return nullptr;
        return std::make_unique<TSkinCheckBox>(form, data, false);
    case ControlKind::RadioButton:
        if (d.Buttons().RadioMap.Empty()) return nullptr;
        return std::make_unique<TSkinCheckBox>(form, data, true);
    case ControlKind::GroupBox: return std::make_unique<TSkinGroupBox>(form, data);
    case ControlKind::Edit: return std::make_unique<TSkinEdit>(form, data);
    case ControlKind::ComboBox:
        if (!Has(d, "ComboButton")) return nullptr;
        return std::make_unique<TSkinComBox>(form, data);
    case ControlKind::Progress:
        if (!Has(d, "Progress")) return nullptr;
        return std::make_unique<TSkinProgress>(form, data);
    case ControlKind::StatusBar:
        if (!Has(d, "StatusBarEdges")) return nullptr;
        return std::make_unique<TSkinStatusBar>(form, data);
    case ControlKind::ToolBar: return std::make_unique<TSkinToolBar>(form, data);
    case ControlKind::Tab:
        if (!Has(d, "Tabs")) return nullptr;
        return std::make_unique<TSkinTab>(form, data);
    case ControlKind::Header:
        if (!Has(d, "Headerbar")) return nullptr;
        return std::make_unique<TSkinHeader>(form, data);
    case ControlKind::TrackBar: return std::make_unique<TSkinTrackBar>(form, data);
    case ControlKind::UpDown:
        if (!Has(d, "UpDown.Vert") || !Has(d, "UpDown.Horz")) return nullptr;
        return std::make_unique<TSkinUpDown>(form, data);
    case ControlKind::ScrollBars:
        if (!Has(d, "Scrollbar")) return nullptr;
        return std::make_unique<TSkinScrollbar>(form, data);
    case ControlKind::None: break;
    }
    return nullptr;
}

namespace {

ControlKind ButtonKind(LONG_PTR style, const TSkinData& data) {
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON: case BS_USERBUTTON:
        return InSet(data.SkinControls, xcButton) ? ControlKind::PushButton : ControlKind::None;
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
        return InSet(data.SkinControls, xcCheckBox) ? ControlKind::CheckBox : ControlKind::None;
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
        return InSet(data.SkinControls, xcRadioButton) ? ControlKind::RadioButton : ControlKind::None;
    case BS_GROUPBOX:
        return InSet(data.SkinControls, xcGroupBox) ? ControlKind::GroupBox : ControlKind::None;
    default:
        // Owner-drawn buttons, split buttons and command links draw
        // themselves.
        return ControlKind::None;
    }
}

bool HasScrollBars(LONG_PTR style) { return (style & (WS_HSCROLL | WS_VSCROLL)) != 0; }

}  // namespace

ControlKind ControlKindOf(const std::string& c, LONG_PTR style, LONG_PTR exStyle, const TSkinData& data) {
    const auto on = [&](TSkinControlType type) { return InSet(data.SkinControls, type); };
    if (c == "button") return (style & BS_PUSHLIKE) && (style & BS_TYPEMASK) != BS_GROUPBOX ? ControlKind::None : ButtonKind(style, data);
    if (c == "toolbarwindow32") return on(xcToolbar) ? ControlKind::ToolBar : ControlKind::None;
    if (c == "msctls_statusbar32") return on(xcStatusBar) ? ControlKind::StatusBar : ControlKind::None;
    if (c == "msctls_progress32") return on(xcProgress) ? ControlKind::Progress : ControlKind::None;
    if (c == "edit")
        return on(xcEdit) && ((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE)) ? ControlKind::Edit
               : on(xcScrollbar) && HasScrollBars(style)                          ? ControlKind::ScrollBars
                                                                                   : ControlKind::None;
    if (c == "combobox") return on(xcCombo) && (style & 3) != CBS_SIMPLE ? ControlKind::ComboBox : ControlKind::None;
    if (c == "systabcontrol32")
        return on(xcTab) && !(style & (TCS_OWNERDRAWFIXED | TCS_VERTICAL | TCS_BOTTOM | TCS_BUTTONS)) ? ControlKind::Tab
                                                                                                       : ControlKind::None;
    if (c == "msctls_trackbar32") return on(xcTrackBar) ? ControlKind::TrackBar : ControlKind::None;
    if (c == "msctls_updown32") return on(xcSpin) ? ControlKind::UpDown : ControlKind::None;
    if (c == "sysheader32") return on(xcScrollbar) || on(xcTab) ? ControlKind::Header : ControlKind::None;
    if (c == "systreeview32") return ControlKind::None;
    if (c == "listbox" || c == "syslistview32" || c == "richedit20a" || c == "richedit20w")
        return on(xcScrollbar) && HasScrollBars(style) ? ControlKind::ScrollBars : ControlKind::None;
    return ControlKind::None;
}

ControlKind ControlKindOfName(const std::string& kind, LONG_PTR style, const TSkinData& data) {
    const auto on = [&](TSkinControlType type) { return InSet(data.SkinControls, type); };
    if (kind == "button") return on(xcButton) ? ControlKind::PushButton : ControlKind::None;
    if (kind == "checkbox") return on(xcCheckBox) ? ControlKind::CheckBox : ControlKind::None;
    if (kind == "radiobutton") return on(xcRadioButton) ? ControlKind::RadioButton : ControlKind::None;
    if (kind == "groupbox") return on(xcGroupBox) ? ControlKind::GroupBox : ControlKind::None;
    if (kind == "combobox") return on(xcCombo) ? ControlKind::ComboBox : ControlKind::None;
    if (kind == "edit") return on(xcEdit) ? ControlKind::Edit : ControlKind::None;
    if (kind == "progress") return on(xcProgress) ? ControlKind::Progress : ControlKind::None;
    if (kind == "trackbar") return on(xcButton) ? ControlKind::TrackBar : ControlKind::None;
    if (kind == "tab") return on(xcTab) && data.FindObject("Tabs") ? ControlKind::Tab : ControlKind::None;
    if (kind == "scrollbar" || kind == "singlescrollbar" || kind == "embedscrollbar")
        return on(xcScrollbar) && HasScrollBars(style) ? ControlKind::ScrollBars : ControlKind::None;
    // "nil" and kinds this engine has no skinner for keep their own look.
    return ControlKind::None;
}

}  // namespace vc
