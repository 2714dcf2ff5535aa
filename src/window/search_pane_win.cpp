#include "window/search_pane_win.h"

#include <algorithm>
#include <stdexcept>

#include "common/unicode.h"

namespace vc {

namespace {

// The pane's lengths at 96 DPI.
constexpr int kEditHeight = 22;
constexpr int kStatusHeight = 18;
constexpr int kGap = 4;
constexpr int kFontHeight = 13;
constexpr int kRowPadding = 3;
// Rows listed as a keystroke is answered: more than a pane shows. Filling a
// list of 200 takes longer than the search, so the rest follow through the
// message loop.
constexpr std::size_t kRowsAtOnce = 32;

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

int LineHeight(HFONT font) {
    ui::WindowDc screen(nullptr);
    ui::SelectedObject selected(screen.Get(), font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen.Get(), &metrics);
    return metrics.tmHeight;
}

// The width of a text in the font selected into the device context.
int TextWidth(HDC dc, const std::u16string& wide) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, Wide(wide), static_cast<int>(wide.size()), &size);
    return static_cast<int>(size.cx);
}

// Draws a text from the rectangle's left, cut with an ellipsis at its right
// edge; the width it took.
int DrawRun(HDC dc, std::string_view text, HFONT font, RECT bounds) {
    const std::u16string wide = Utf8ToUtf16(text);
    const int length = static_cast<int>(wide.size());
    ui::SelectedObject selected(dc, font);
    const int width = TextWidth(dc, wide);
    const int room = bounds.right - bounds.left;
    // Most runs fit: one plain call; the one that does not gets its ellipsis.
    if (width <= room) ::ExtTextOutW(dc, bounds.left, bounds.top, ETO_CLIPPED, &bounds, Wide(wide), length, nullptr);
    else ::DrawTextW(dc, Wide(wide), length, &bounds, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    return std::min(width, room);
}

}  // namespace

void TSearchPane::Create(HWND parent, const Scale& scale) {
    restOfRows_.SetInterval(1);
    restOfRows_.OnTimer = [this] { ListRemainingRows(); };
    // A border on the edit box and a scroll bar on the list are what the
    // skin engine's control skinners look for; the list keeps its bar even
    // while there is nothing to scroll, or it would lose the style the
    // engine looks for before the first search.
    edit_.Reset(CreateWideChild(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent, kEditId));
    status_.Reset(CreateWideChild(L"STATIC", SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS, 0, parent, 0));
    // Owner-drawn rows of two lines; the list keeps each row's title as its
    // text too, for screen readers.
    const DWORD listStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL |
                            LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    list_.Reset(CreateWideChild(L"LISTBOX", listStyle, WS_EX_CLIENTEDGE, parent, kListId));
    SetScale(scale);
}

ui::UniqueFont TSearchPane::MakeFont(const Scale& scale, int weight) const {
    return ui::UniqueFont(::CreateFontA(-scale.Apply(kFontHeight), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, "Arial"));
}

void TSearchPane::SetScale(const Scale& scale) {
    scale_ = scale;
    ui::UniqueFont font = MakeFont(scale, FW_NORMAL);
    for (HWND control : {edit_.Get(), status_.Get(), list_.Get()})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    // The old fonts go once no control uses them.
    font_ = std::move(font);
    boldFont_ = MakeFont(scale, FW_BOLD);
    lineHeight_ = std::max(LineHeight(font_.Get()), LineHeight(boldFont_.Get()));
    ::SendMessageW(list_.Get(), LB_SETITEMHEIGHT, 0, 2 * lineHeight_ + 2 * scale.Apply(kRowPadding));
}

void TSearchPane::SetVisible(bool visible) {
    visible_ = visible;
    for (HWND control : {edit_.Get(), status_.Get(), list_.Get()})
        ::ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
}

int TSearchPane::Width(int clientWidth) const {
    return visible_ ? SearchPaneWidth(clientWidth, scale_) : 0;
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
    // The caret after the words, as if they had been typed (a start of -1
    // would only drop the selection and leave the caret where it was).
    const WPARAM end = static_cast<WPARAM>(::GetWindowTextLengthW(edit_.Get()));
    ::SendMessageW(edit_.Get(), EM_SETSEL, end, static_cast<LPARAM>(end));
}

void TSearchPane::Show(SearchView view) {
    ::SetWindowTextW(status_.Get(), Wide(Utf8ToUtf16(view.status)));
    // One repaint for the whole list, not one per row.
    ::SendMessageW(list_.Get(), WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list_.Get(), LB_RESETCONTENT, 0, 0);
    rows_ = std::move(view.rows);
    listed_ = 0;
    ListRows(kRowsAtOnce);
    if (!rows_.empty()) ::SendMessageW(list_.Get(), LB_SETCURSEL, 0, 0);
    ::SendMessageW(list_.Get(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_.Get(), nullptr, TRUE);
    // The rest once the keystroke has been answered and the first rows
    // painted: a timer's tick comes after the paint, and a keystroke first
    // starts the next search instead.
    restOfRows_.SetEnabled(listed_ < rows_.size());
}

void TSearchPane::ListRemainingRows() {
    restOfRows_.SetEnabled(false);
    if (listed_ >= rows_.size()) return;
    ::SendMessageW(list_.Get(), WM_SETREDRAW, FALSE, 0);
    ListRows(rows_.size() - listed_);
    ::SendMessageW(list_.Get(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_.Get(), nullptr, FALSE);
}

void TSearchPane::ListRows(std::size_t count) {
    for (const std::size_t end = std::min(rows_.size(), listed_ + count); listed_ < end; ++listed_) {
        const std::u16string title = Utf8ToUtf16(rows_[listed_].title);
        ::SendMessageW(list_.Get(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(title)));
    }
}

int TSearchPane::Selected() const {
    return static_cast<int>(::SendMessageW(list_.Get(), LB_GETCURSEL, 0, 0));
}

void TSearchPane::DrawRow(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    if (item.itemID < rows_.size()) {
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const int oldMode = ::SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColour = ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        SearchRow& row = rows_[item.itemID];
        if (!row.hasSnippet && OnSnippetWanted) OnSnippetWanted(row);
        const int padding = scale_.Apply(kRowPadding);
        RECT line{item.rcItem.left + padding, item.rcItem.top + padding, item.rcItem.right - padding,
                  item.rcItem.top + padding + lineHeight_};
        DrawRun(dc, row.title, boldFont_.Get(), line);
        ::OffsetRect(&line, 0, lineHeight_);
        DrawSnippet(dc, row, line);
        ::SetTextColor(dc, oldColour);
        ::SetBkMode(dc, oldMode);
    }
    // An empty list that has the focus shows it too.
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &item.rcItem);
}

void TSearchPane::DrawSnippet(HDC dc, const SearchRow& row, RECT line) const {
    std::vector<search::SnippetRun> runs = search::SplitSnippet(row.snippet, row.matches);
    // A snippet too long for its line keeps a third of the line at most
    // before the first match, which would otherwise be cut off.
    std::string leadIn;
    if (runs.size() > 1 && !runs[0].matched) {
        ui::SelectedObject plainFont(dc, font_.Get());
        const auto width = [dc](std::string_view text) { return TextWidth(dc, Utf8ToUtf16(text)); };
        const int room = line.right - line.left;
        if (width(row.snippet) > room) {
            leadIn = LeadInThatFits(runs[0].text, room / 3, width);
            runs[0].text = leadIn;
        }
    }
    for (const search::SnippetRun& run : runs) {
        if (line.left >= line.right) break;
        line.left += DrawRun(dc, run.text, run.matched ? boldFont_.Get() : font_.Get(), line);
    }
}

}  // namespace vc
