#include "ui/controls_win.h"

#include <stdexcept>

#include "ui/private_messages.h"

namespace vc::ui {

namespace {

constexpr const char* kControlProperty = "VellumcastControl";

HWND CreateChild(const char* className, DWORD style, HWND parent, const RECT& bounds = RECT{0, 0, 0, 0}) {
    HWND window = ::CreateWindowExA(0, className, "", WS_CHILD | style, bounds.left, bounds.top,
                                    bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    if (!window) throw std::runtime_error(std::string("Cannot create the control ") + className);
    return window;
}

// The side of the square images of a list; 24 without one.
int ImageSize(HIMAGELIST images) {
    int width = 0, height = 0;
    if (!images || !::ImageList_GetIconSize(images, &width, &height)) return 24;
    return width;
}

}  // namespace

void TControl::Adopt(HWND window) {
    window_.Reset(window);
    ::SetPropA(window, kControlProperty, this);
}

TControl* TControl::FromHandle(HWND window) noexcept {
    return window ? static_cast<TControl*>(::GetPropA(window, kControlProperty)) : nullptr;
}

void TControl::SetVisible(bool visible) {
    visible_ = visible;
    ::ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
    if (HWND parent = ::GetParent(Handle())) {
        RECT client;
        ::GetClientRect(parent, &client);
        // The parent lays its controls out again.
        ::SendMessageA(parent, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    }
}

int TControl::Height() const {
    RECT r;
    ::GetWindowRect(Handle(), &r);
    return r.bottom - r.top;
}

void TToolBar::Create(const CreateArgs& args, const std::vector<Button>& buttons) {
    // No divider: the tool bar draws its own bottom edge line instead.
    Adopt(CreateChild(TOOLBARCLASSNAME,
                      WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER,
                      args.parent, RECT{0, 0, 0, args.height}));
    height_ = args.height;
    images_.Reset(args.images);
    disabledImages_.Reset(args.disabledImages);
    buttons_ = buttons;
    ::SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageA(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.Get()));
    if (disabledImages_)
        ::SendMessageA(Handle(), TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabledImages_.Get()));
    ::SendMessageA(Handle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(ImageSize(images_.Get()), ImageSize(images_.Get())));

    std::vector<TBBUTTON> items;
    for (const Button& b : buttons_) {
        TBBUTTON item{};
        item.idCommand = b.id;
        if (b.image < 0) {
            item.iBitmap = args.separatorWidth;
            item.fsStyle = BTNS_SEP;
        } else {
            item.iBitmap = b.image;
            item.fsStyle = BTNS_BUTTON;
            item.fsState = TBSTATE_ENABLED;
        }
        items.push_back(item);
    }
    ::SendMessageA(Handle(), TB_ADDBUTTONSA, items.size(), reinterpret_cast<LPARAM>(items.data()));
    ::SendMessageA(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(args.buttonWidth, args.buttonHeight));
    subclass_.Attach(Handle());
}

void TToolBar::SetMetrics(const CreateArgs& args) {
    height_ = args.height;
    // The control lets go of the old lists before they are destroyed.
    ::SendMessageA(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(args.images));
    ::SendMessageA(Handle(), TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(args.disabledImages));
    images_.Reset(args.images);
    disabledImages_.Reset(args.disabledImages);
    ::SendMessageA(Handle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(ImageSize(images_.Get()), ImageSize(images_.Get())));
    for (const Button& b : buttons_) {
        if (b.image >= 0) continue;
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_SIZE;
        info.cx = static_cast<WORD>(args.separatorWidth);
        ::SendMessageA(Handle(), TB_SETBUTTONINFOA, b.id, reinterpret_cast<LPARAM>(&info));
    }
    ::SendMessageA(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(args.buttonWidth, args.buttonHeight));
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

TToolBar::Subclass::Subclass() noexcept : TWindowSubclass(kToolBarSubclassId) {}

LRESULT TToolBar::Subclass::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = Window();
    switch (message) {
    case WM_SETCURSOR: {
        // Buttons show the hand, like links in the page below them.
        POINT point;
        ::GetCursorPos(&point);
        ::ScreenToClient(window, &point);
        const auto index = static_cast<int>(::SendMessageA(window, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
        TBBUTTON button{};
        if (index >= 0 && ::SendMessageA(window, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) &&
            !(button.fsStyle & BTNS_SEP)) {
            ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
            return TRUE;
        }
        break;
    }
    case WM_PAINT: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        // The bottom edge line.
        RECT client;
        ::GetClientRect(window, &client);
        WindowDc dc(window);
        RECT line{client.left, client.bottom - 1, client.right, client.bottom};
        ::FillRect(dc.Get(), &line, ::GetSysColorBrush(COLOR_BTNSHADOW));
        return result;
    }
    default:
        break;
    }
    return TWindowSubclass::WindowProc(message, wParam, lParam);
}

TToolBar::Button* TToolBar::Find(int id) {
    for (Button& b : buttons_)
        if (b.id == id) return &b;
    return nullptr;
}

const TToolBar::Button* TToolBar::Find(int id) const {
    for (const Button& b : buttons_)
        if (b.id == id) return &b;
    return nullptr;
}

bool TToolBar::ButtonVisible(int id) const {
    return !::SendMessageA(Handle(), TB_ISBUTTONHIDDEN, id, 0);
}

void TToolBar::SetButtonVisible(int id, bool visible) {
    ::SendMessageA(Handle(), TB_HIDEBUTTON, id, MAKELPARAM(!visible, 0));
}

bool TToolBar::ButtonEnabled(int id) const {
    return ::SendMessageA(Handle(), TB_ISBUTTONENABLED, id, 0) != 0;
}

void TToolBar::SetButtonEnabled(int id, bool enabled) {
    ::SendMessageA(Handle(), TB_ENABLEBUTTON, id, MAKELPARAM(enabled, 0));
}

const std::string& TToolBar::Hint(int id) const {
    static const std::string none;
    const Button* b = Find(id);
    return b ? b->hint : none;
}

void TToolBar::SetHint(int id, std::string hint) {
    if (Button* b = Find(id)) b->hint = std::move(hint);
}

bool TToolBar::AnswerToolTip(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOA) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    const Button* b = Find(static_cast<int>(header->idFrom));
    if (!b) return false;
    info->lpszText = const_cast<char*>(b->hint.c_str());
    info->hinst = nullptr;
    return true;
}

void TStatusBar::Create(const CreateArgs& args) {
    Adopt(CreateChild(STATUSCLASSNAMEA, WS_VISIBLE | WS_CLIPSIBLINGS | CCS_BOTTOM, args.parent));
    SetMetrics(args);
}

void TStatusBar::SetMetrics(const CreateArgs& args) {
    panelWidths_ = args.panelWidths;
    // The control lets go of the old font before it is deleted.
    const HFONT font = ::CreateFontA(-args.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_SWISS, args.fontName);
    ::SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    font_.Reset(font);
    Resize();
}

void TStatusBar::Resize() {
    ::SendMessageA(Handle(), WM_SIZE, 0, 0);
    std::vector<int> edges;
    int right = 0;
    for (std::size_t i = 0; i < panelWidths_.size(); ++i) {
        right += panelWidths_[i];
        edges.push_back(i + 1 == panelWidths_.size() ? -1 : right);
    }
    ::SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

std::string TStatusBar::PanelText(int panel) const {
    const auto length = LOWORD(::SendMessageA(Handle(), SB_GETTEXTLENGTHA, panel, 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    ::SendMessageA(Handle(), SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void TStatusBar::SetPanelText(int panel, const std::string& text) {
    ::SendMessageA(Handle(), SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

void TProgressBar::Create(const CreateArgs& args) {
    Adopt(CreateChild(PROGRESS_CLASSA, 0, args.parent, args.bounds));
    ::SendMessageA(Handle(), PBM_SETRANGE32, args.minimum, args.maximum);
    SetVisible(false);
}

void TProgressBar::SetPosition(int position) { ::SendMessageA(Handle(), PBM_SETPOS, position, 0); }

int TProgressBar::Position() const { return static_cast<int>(::SendMessageA(Handle(), PBM_GETPOS, 0, 0)); }

}  // namespace vc::ui
