#pragma once
// The skinned menus of a skinned window: TSkinnedMenuBar takes the window's
// menu off the window and draws its top-level items in the frame's band as
// TMenuBtn objects; opening one tracks its drop-down with the system's menu
// loop, its items owner-drawn from the skin for as long as it is open, and a
// message hook (installed only while a menu is tracked) moves between the
// band's items as the system's menu bar does. Between drop-downs the band
// keeps menu mode in a small loop of its own: one item highlighted, the
// keyboard and the mouse the band's, as on the system's bar. The skinned
// system menu is a copy of the window's own, owner-drawn the same way. The
// pixels come from the portable menu painter; this side measures and draws
// the texts.
#include <windows.h>

#include <string>
#include <vector>

#include "common/frame_style.h"
#include "skin/look/menu_painter.h"
#include "skin/look/skin_data.h"

namespace vc {

class TSkinManager;

// An item the skinned menus made owner-drawn, with what it showed before:
// its own type comes back when the menu closes, and its text, bitmap and
// check state are never touched.
struct SavedMenuItem {
    HMENU menu;
    int position;
    UINT id;
    ULONG_PTR data;
    UINT type;
    std::string text;
    bool sub_menu;
    HBITMAP bitmap;
    int glyph;
};
using SavedMenuItems = std::vector<SavedMenuItem>;

// The fonts menus are drawn in: the caption face, normal and bold (the
// default item).
struct MenuFonts {
    HFONT normal = nullptr;
    HFONT bold = nullptr;
};

class TSkinnedMenuBar {
public:
    TSkinnedMenuBar(HWND window, TSkinData& data, TSkinManager& manager) noexcept;
    ~TSkinnedMenuBar();
    TSkinnedMenuBar(const TSkinnedMenuBar&) = delete;
    TSkinnedMenuBar& operator=(const TSkinnedMenuBar&) = delete;

    // Takes the window's menu (or keeps the one held when the window has
    // none), rebuilds the items from it and takes the menu off the window,
    // so that the system neither draws nor reserves a menu bar.
    void BuildItems();
    // Gives the window its menu back (the one held now).
    void GiveBack() noexcept;
    HMENU Menu() const noexcept { return menu_; }
    const std::vector<TMenuBtn>& Items() const noexcept { return items_; }

    // Lays the items out in the band (window coordinates) and paints it all;
    // the band's background is kept for the items' hover feedback.
    void PaintBand(HDC dc, const MenuFonts& fonts, const Rect& band, bool active, bool right_to_left);
    // The item under a window point, or -1.
    int ItemAt(Point p) const { return MenuButtonAt(items_, p); }
    // Hover feedback: the item's state changes and only its rectangle is
    // painted again. -1 clears the hot item. In menu mode the keyboard's
    // highlight holds instead.
    void SetHot(int item);
    int Hot() const noexcept;

    // Runs the item's menu: an item without a drop-down posts its command;
    // otherwise its drop-down is tracked until it closes, and moving to
    // another item (mouse, Left, Right) opens that one's in turn.
    // `by_key`: the first item of the drop-down is selected at once. A
    // drop-down closed by Escape leaves the band in menu mode.
    void OpenItem(int item, bool by_key);
    // F10 or Alt alone (key 0) enter menu mode with the first item
    // highlighted; Alt and a letter open the item of that access key with
    // its first entry selected. False when no item answers.
    bool EnterMenuMode(char key);
    // WM_MENUSELECT reaches the window while a drop-down is open.
    void OnMenuSelect(WPARAM wParam, LPARAM lParam) noexcept;

private:
    friend struct MenuTracking;
    void PaintItem(int item);
    void ShowHot(int item);
    // How the drop-downs opened from one item closed: the item open last,
    // and whether Escape closed it.
    struct DropDownEnd {
        int item = -1;
        bool escaped = false;
    };
    DropDownEnd TrackDropDowns(int item, bool by_key);
    void RunMenuMode(int item, bool open, bool by_key);
    // Waits in menu mode for the key or click that opens an item or leaves;
    // `by_key` is false for a click.
    MenuModeStep NextMenuModeStep(int highlighted, bool& by_key);
    bool OnMenuMessage(MSG& message);
    void SwitchTo(int item, bool by_key);

    HWND window_;
    TSkinData& data_;
    TSkinManager& manager_;
    HMENU menu_ = nullptr;
    std::vector<TMenuBtn> items_;
    Bitmap background_;
    Rect band_;
    MenuFonts fonts_;
    bool right_to_left_ = false;
    // While a drop-down is tracked.
    int open_ = -1;
    int pending_ = -1;
    bool pending_by_key_ = false;
    HMENU selected_menu_ = nullptr;
    UINT selected_flags_ = 0;
    POINT last_mouse_{-1, -1};
    // The last key of the drop-down was Escape (no click or other key since).
    bool escaped_ = false;
    bool menu_mode_ = false;
};

// True while the menu message hook is installed (only while a menu of a
// skinned band is tracked).
bool MenuHookInstalled() noexcept;

// Owner-drawn menu items: WM_MEASUREITEM and WM_DRAWITEM of the items the
// skinned menus converted (the manager keeps them while their menus are
// open); false for any other item (its owner draws it).
bool MeasureSkinnedMenuItem(const TSkinManager& manager, const TSkinData& data, const MenuFonts& fonts,
                            MEASUREITEMSTRUCT& item);
// `manager` knows the pop-up the item is drawn in.
bool DrawSkinnedMenuItem(const TSkinManager& manager, const TSkinData& data, const MenuFonts& fonts,
                         const DRAWITEMSTRUCT& item);

// The skinned system menu at a screen point: the window's system menu
// copied with its glyphs and the enabling rules of the window's state; the
// chosen command is posted as WM_SYSCOMMAND.
void OpenSkinnedSystemMenu(HWND window, TSkinManager& manager, const FrameStyle& style, POINT screen);

}  // namespace vc
