#pragma once
// The skinned menus with no platform in sight: the items of the menu band
// (where they go, which one is under a point or has an access key, the
// pixels of one in its hover state), the pop-up menu's background and its
// owner-drawn items (normal, selected, disabled, separator, check marks,
// sub-menu arrows, glyphs), and which system-menu commands are enabled. The
// platform only measures and draws the texts where these functions say; the
// skin preview and the runtime draw through the same functions.
#include <cstdint>
#include <string>
#include <vector>

#include "common/bitmap.h"
#include "common/frame_style.h"
#include "common/geometry.h"
#include "skin/look/skin_data.h"

namespace vc {

// The states an object of the non-client area goes through under the mouse.
enum class NcState { Normal, Hot, Pressed };

// An object of the non-client area that is hit-tested and hover-tracked.
struct TNCObject {
    Rect bounds;  // window coordinates; empty when it takes no room
    bool visible = true;
    NcState state = NcState::Normal;
};

// One top-level item of the menu band.
struct TMenuBtn : TNCObject {
    int index = 0;  // position in the menu
    std::string caption;  // with its "&" access-key mark
    bool enabled = true;
    std::uintptr_t sub_menu = 0;  // the platform's handle, 0 without one
    unsigned command = 0;
};

// Places the items along the band (from the right for a right-to-left
// window); `text_widths` are the captions' widths as they show. Invisible
// items and empty captions take no room.
void LayoutMenuButtons(const TSkinData& data, const Rect& band, std::vector<TMenuBtn>& items,
                       const std::vector<int>& text_widths, bool right_to_left);
// The first visible item with a caption whose bounds contain the point, or -1.
int MenuButtonAt(const std::vector<TMenuBtn>& items, Point p);
// The next (step 1) or previous (step -1) enabled item that can open,
// wrapping round the ends; `from` itself when no other can.
int NextMenuButton(const std::vector<TMenuBtn>& items, int from, int step);
// The access key of a caption: the letter after a single "&" ("&&" shows one
// "&"), or 0.
char AccessKey(const std::string& caption);
// The first enabled, visible item whose access key is `key` (letters
// compared without regard to case), else the first whose caption has no
// access key and starts with `key`; -1 when there is none.
int FindAccel(const std::vector<TMenuBtn>& items, char key);

// One item over the band's kept background: `item.bounds` are in `dest`'s
// coordinates, and the background's top-left lies at `band_origin` in them.
// A hot or pressed item is filled with the hover colour. Returns the
// caption's colour, resolved.
Colour PaintMenuButton(Bitmap& dest, const TMenuBtn& item, const Bitmap& band_background, Point band_origin,
                       const TSkinData& data);

// --- Pop-up menus ---

// The pop-up frame is this wide on every side.
constexpr int kPopupFrame = 3;

// The pop-up's frame and background: the skin's MenuBackground stretched by
// its margins, or the Menu colour.
void PaintMenuBackground(Bitmap& dest, const Rect& r, const TSkinData& data);

// What one owner-drawn item shows.
struct MenuItemLook {
    bool separator = false;
    bool selected = false;
    bool enabled = true;
    bool checked = false;
    bool radio = false;  // a checked item shows a dot rather than a tick
    bool sub_menu = false;
    int glyph = -1;  // one of the skin's menu glyphs (restore, maximise, minimise, close), or -1
    bool own_image = false;  // the platform draws the item's own image in the glyph column
};

// Where and how the platform draws the item's texts.
struct MenuItemText {
    Rect caption;  // left-aligned, one line, vertically centred
    Rect shortcut;  // right-aligned in the same row
    Rect glyph_column;
    Colour colour = 0;  // resolved
};

// Paints one item over what `dest` holds at `r` (the pop-up's background
// under it): the MenuItem image (normal or selected) or the colours, the
// check mark or glyph, the sub-menu arrow; a separator from MenuItem's
// second image.
MenuItemText PaintMenuItem(Bitmap& dest, const Rect& r, const TSkinData& data, const MenuItemLook& look);
void PaintMenuSeparator(Bitmap& dest, const Rect& r, const TSkinData& data);

// The size of an owner-drawn item from its texts' widths and the height the
// system proposes.
struct MenuItemSize {
    int width = 0;
    int height = 0;
};
MenuItemSize MeasureMenuItem(const TSkinData& data, int caption_width, int shortcut_width, int proposed_height,
                             bool separator);

// A menu text cut at its tab: the caption and the shortcut text.
struct MenuCaption {
    std::string caption;
    std::string shortcut;
};
MenuCaption SplitMenuCaption(const std::string& text);

// --- The system menu ---

// The system-menu commands (the platform's SC_ values).
constexpr unsigned kScSize = 0xF000, kScMove = 0xF010, kScMinimize = 0xF020, kScMaximize = 0xF030,
                   kScClose = 0xF060, kScRestore = 0xF120;

struct SystemMenuRule {
    int glyph = -1;
    bool enabled = true;
};
// The glyph and enabling of a system-menu command for a window in `style`;
// `system_enabled` is what the system menu itself says.
SystemMenuRule SystemMenuItem(unsigned command, bool system_enabled, const FrameStyle& style);

}  // namespace vc
