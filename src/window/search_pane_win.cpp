#include "window/search_pane_win.h"

#include <algorithm>
#include <stdexcept>

#include "common/unicode.h"

namespace vc {

namespace {

// The pane's lengths at 96 DPI.
constexpr int kPaneWidth = 240;
constexpr int kEditHeight = 22;
constexpr int kStatusHeight = 18;
constexpr int kGap = 4;
constexpr int kFontHeight = 13;

// Wide controls: titles and snippets are Unicode, whatever the system's
// code page can spell.
HWND CreateWideChild(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, int id) {
    HWND window = ::CreateWindowExW(exStyle, className, L"", WS_CHILD | style, 0, 0, 0, 0, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                    nullptr);
    if (!window) throw std::runtime_error("Cannot create the search pane");
    return window;
}

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

void TSearchPane::Create(HWND parent, const Scale& scale) {
    // A border on the edit box and a scroll bar on the list are what the
    // skin engine's control skinners look for; the list keeps its bar even
    // while there is nothing to scroll, or it would lose the style the
    // engine looks for before the first search.
    edit_.Reset(CreateWideChild(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent, kEditId));
    status_.Reset(CreateWideChild(L"STATIC", SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS, 0, parent, 0));
    const DWORD listStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL;
    list_.Reset(CreateWideChild(L"LISTBOX", listStyle, WS_EX_CLIENTEDGE, parent, kListId));
    SetScale(scale);
}

ui::UniqueFont TSearchPane::MakeFont(const Scale& scale) const {
    return ui::UniqueFont(::CreateFontA(-scale.Apply(kFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, "Arial"));
}

void TSearchPane::SetScale(const Scale& scale) {
    scale_ = scale;
    ui::UniqueFont font = MakeFont(scale);
    for (HWND control : {edit_.Get(), status_.Get(), list_.Get()})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    // The old font goes once no control uses it.
    font_ = std::move(font);
}

void TSearchPane::SetVisible(bool visible) {
    visible_ = visible;
    for (HWND control : {edit_.Get(), status_.Get(), list_.Get()})
        ::ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

int TSearchPane::Width(int clientWidth) const {
    return visible_ ? std::min(scale_.Apply(kPaneWidth), clientWidth / 2) : 0;
}

void TSearchPane::Layout(const RECT& pane) {
    const int gap = scale_.Apply(kGap);
    const int left = pane.left + gap;
    const int width = std::max(0, static_cast<int>(pane.right - pane.left) - 2 * gap);
    int top = pane.top + gap;
    ::MoveWindow(edit_.Get(), left, top, width, scale_.Apply(kEditHeight), TRUE);
    top += scale_.Apply(kEditHeight) + gap;
    ::MoveWindow(status_.Get(), left, top, width, scale_.Apply(kStatusHeight), TRUE);
    top += scale_.Apply(kStatusHeight);
    ::MoveWindow(list_.Get(), left, top, width, std::max(0, static_cast<int>(pane.bottom) - gap - top), TRUE);
}

std::string TSearchPane::Text() const {
    std::u16string text(static_cast<std::size_t>(::GetWindowTextLengthW(edit_.Get())) + 1, u'\0');
    const int length =
        ::GetWindowTextW(edit_.Get(), reinterpret_cast<wchar_t*>(&text[0]), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(0, length)));
    return Utf16ToUtf8(text);
}

void TSearchPane::SetText(const std::string& text) {
    ::SetWindowTextW(edit_.Get(), Wide(Utf8ToUtf16(text)));
    // The caret after the words, as if they had been typed.
    ::SendMessageW(edit_.Get(), EM_SETSEL, static_cast<WPARAM>(-1), -1);
}

void TSearchPane::Show(const SearchView& view) {
    ::SetWindowTextW(status_.Get(), Wide(Utf8ToUtf16(view.status)));
    // One repaint for the whole list, not one per row.
    ::SendMessageW(list_.Get(), WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list_.Get(), LB_RESETCONTENT, 0, 0);
    for (const SearchRow& row : view.rows)
        ::SendMessageW(list_.Get(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(Utf8ToUtf16(SearchRowLine(row)))));
    if (!view.rows.empty()) ::SendMessageW(list_.Get(), LB_SETCURSEL, 0, 0);
    ::SendMessageW(list_.Get(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_.Get(), nullptr, TRUE);
}

int TSearchPane::Selected() const {
    return static_cast<int>(::SendMessageW(list_.Get(), LB_GETCURSEL, 0, 0));
}

}  // namespace vc
