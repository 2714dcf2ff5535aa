#pragma once
// The search pane's controls, docked on the left of the page: the edit box
// the reader types into, the line that counts the results, and the list of
// results. They are children of the presentation window itself, made hidden
// with the other controls, so that the skin engine finds them when it skins
// the window and the window hears their notifications. The window decides
// what they show (book_search.h).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/scale.h"
#include "ui/handles_win.h"
#include "ui/timer_win.h"
#include "window/book_search.h"

namespace vc {

class TSearchPane {
public:
    // WM_COMMAND ids of the edit box and the list.
    static constexpr int kEditId = 1201;
    static constexpr int kListId = 1202;

    void Create(HWND parent, const Scale& scale);
    // A new font for a screen of another scale.
    void SetScale(const Scale& scale);

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    // The pane's width beside a page area of `clientWidth`.
    int Width(int clientWidth) const;
    // Places the controls in the pane's rectangle.
    void Layout(const RECT& pane);

    HWND Edit() const noexcept { return edit_.Get(); }
    HWND List() const noexcept { return list_.Get(); }
    bool Holds(HWND window) const noexcept { return window && (window == Edit() || window == List()); }

    // The typed text in UTF-8, and a text put in its place.
    std::string Text() const;
    void SetText(const std::string& text);
    // Fills the list and the line above it; the first row is selected. The
    // list takes its first rows at once and the rest once the window has
    // painted them, through the message loop.
    void Show(SearchView view);
    // The rows the list shows, in its order.
    const std::vector<SearchRow>& Rows() const noexcept { return rows_; }
    // The selected row, or -1.
    int Selected() const;
    // Paints a row of the list (WM_DRAWITEM): the title in bold on the first
    // line, the snippet below with its matched words in bold. A row's
    // snippet is asked of OnSnippetWanted the first time the row is painted.
    void DrawRow(const DRAWITEMSTRUCT& item);
    std::function<void(SearchRow&)> OnSnippetWanted;

private:
    ui::UniqueFont MakeFont(const Scale& scale, int weight) const;
    void ListRows(std::size_t count);
    // The snippet's line of a row, the matched words in bold.
    void DrawSnippet(HDC dc, const SearchRow& row, RECT line) const;
    void ListRemainingRows();

    // The fonts go after the controls that use them.
    ui::UniqueFont font_;
    ui::UniqueFont boldFont_;
    ui::UniqueWindow edit_;
    ui::UniqueWindow status_;
    ui::UniqueWindow list_;
    std::vector<SearchRow> rows_;
    std::size_t listed_ = 0;  // rows the list holds, the first of rows_
    ui::TTimer restOfRows_;
    Scale scale_;
    int lineHeight_ = 0;
    bool visible_ = false;
};

}  // namespace vc
