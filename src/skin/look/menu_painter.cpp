#include "skin/look/menu_painter.h"

#include <algorithm>
#include <cctype>

#include "skin/look/composition.h"
#include "skin/look/skin_frame.h"

namespace vc {

namespace {

bool Drawable(const TDataSkinObject* o) { return o && !o->Map.Empty() && o->FrameCount() >= 1; }

Pixel Resolved(const TSkinData& data, Colour c) { return PixelFromColour(data.ResolveColour(c)); }

// The glyph column: 16 pixels after a 3-pixel margin; the caption starts at 22.
constexpr int kGlyphLeft = 3;
constexpr int kGlyphWidth = 16;
constexpr int kTextLeft = 22;
constexpr int kShortcutRight = 10;
// The system's button-shadow colour, for disabled text that the skin's own
// shadow colour would not set apart.
constexpr Colour kSystemButtonShadow = 0xFF000000u + 16;

const char* const kCheck[] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};
const char* const kDot[] = {".###.", "#####", "#####", "#####", ".###."};

void DrawMask(Bitmap& dest, int x, int y, const char* const* rows, int height, Pixel colour) {
    for (int row = 0; row < height; ++row)
        for (int col = 0; rows[row][col]; ++col)
            if (rows[row][col] == '#' && x + col >= 0 && x + col < dest.Width() && y + row >= 0 && y + row < dest.Height())
                dest.Set(x + col, y + row, colour);
}

void DrawCentredMask(Bitmap& dest, const Rect& cell, const char* const* rows, int width, int height, Pixel colour) {
    DrawMask(dest, cell.left + (cell.Width() - width) / 2, cell.top + (cell.Height() - height) / 2, rows, height, colour);
}

// Glyph k of the skin's menu glyphs (black on white) in the colour, centred.
void DrawGlyph(Bitmap& dest, const Rect& cell, const Bitmap& glyphs, int k, Pixel colour) {
    const int size = glyphs.Height();
    if (size <= 0 || (k + 1) * size > glyphs.Width()) return;
    const int x0 = cell.left + (cell.Width() - size) / 2, y0 = cell.top + (cell.Height() - size) / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int tx = x0 + x, ty = y0 + y;
            if (tx < 0 || ty < 0 || tx >= dest.Width() || ty >= dest.Height()) continue;
            if ((glyphs.At(k * size + x, y) & kPixelRgbMask) == 0) dest.Set(tx, ty, colour);
        }
}

// A small triangle pointing right, 4 pixels wide and 7 high.
void DrawArrow(Bitmap& dest, const Rect& r, Pixel colour) {
    const int x0 = r.right - 12, y0 = r.top + (r.Height() - 7) / 2;
    for (int y = 0; y < 7; ++y) dest.FillRect(Rect::FromSize(x0, y0 + y, std::min(y, 6 - y) + 1, 1), colour);
}

bool Openable(const TMenuBtn& b) { return b.visible && !b.caption.empty() && !b.bounds.IsEmpty(); }
// The keyboard passes over disabled items, as the system's menu bar does.
bool Reachable(const TMenuBtn& b) { return Openable(b) && b.enabled; }

}  // namespace

void LayoutMenuButtons(const TSkinData& data, const Rect& band, std::vector<TMenuBtn>& items,
                       const std::vector<int>& text_widths, bool right_to_left) {
    std::vector<int> widths(items.size(), 0);
    for (std::size_t i = 0; i < items.size() && i < text_widths.size(); ++i)
        if (items[i].visible && !items[i].caption.empty()) widths[i] = text_widths[i];
    const std::vector<Rect> placed = LayoutMenuBandItems(data, band, widths, right_to_left);
    for (std::size_t i = 0; i < items.size(); ++i) items[i].bounds = widths[i] > 0 ? placed[i] : Rect{};
}

int MenuButtonAt(const std::vector<TMenuBtn>& items, Point p) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (Openable(items[i]) && items[i].bounds.Contains(p)) return static_cast<int>(i);
    return -1;
}

int NextMenuButton(const std::vector<TMenuBtn>& items, int from, int step) {
    const int n = static_cast<int>(items.size());
    if (n == 0) return -1;
    for (int i = 1; i < n; ++i) {
        const int k = ((from + step * i) % n + n) % n;
        if (Reachable(items[k])) return k;
    }
    return from;
}

char AccessKey(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

int FindAccel(const std::vector<TMenuBtn>& items, char key) {
    if (key == 0) return -1;
    const int upper = std::toupper(static_cast<unsigned char>(key));
    const auto same = [upper](char k) { return k && std::toupper(static_cast<unsigned char>(k)) == upper; };
    const auto usable = [](const TMenuBtn& item) { return item.enabled && item.visible; };
    for (std::size_t i = 0; i < items.size(); ++i)
        if (usable(items[i]) && same(AccessKey(items[i].caption))) return static_cast<int>(i);
    // A caption without an access key answers to its first letter, as the
    // system's menu bar does.
    for (std::size_t i = 0; i < items.size(); ++i)
        if (usable(items[i]) && !AccessKey(items[i].caption) && !items[i].caption.empty() &&
            same(items[i].caption.front()))
            return static_cast<int>(i);
    return -1;
}

int FirstMenuButton(const std::vector<TMenuBtn>& items) {
    const auto first = std::find_if(items.begin(), items.end(), Reachable);
    return first == items.end() ? -1 : static_cast<int>(first - items.begin());
}

MenuModeStep MenuModeKeyStep(const std::vector<TMenuBtn>& items, int highlighted, MenuModeKey key, char letter,
                             bool right_to_left) {
    using Action = MenuModeStep::Action;
    switch (key) {
    case MenuModeKey::Left:
    case MenuModeKey::Right: {
        const int step = (key == MenuModeKey::Right) != right_to_left ? 1 : -1;
        return {Action::Highlight, NextMenuButton(items, highlighted, step)};
    }
    case MenuModeKey::Up:
    case MenuModeKey::Down:
    case MenuModeKey::Enter: return {Action::Open, highlighted};
    case MenuModeKey::Escape: return {Action::Leave, -1};
    case MenuModeKey::Letter: {
        const int item = FindAccel(items, letter);
        return item < 0 ? MenuModeStep{Action::Highlight, highlighted} : MenuModeStep{Action::Open, item};
    }
    case MenuModeKey::Other: break;
    }
    return {Action::Highlight, highlighted};
}

Colour PaintMenuButton(Bitmap& dest, const TMenuBtn& item, const Bitmap& band_background, Point band_origin,
                       const TSkinData& data) {
    if (!item.bounds.IsEmpty()) {
        Blit(dest, item.bounds.left, item.bounds.top, band_background,
             item.bounds.Offset(-band_origin.x, -band_origin.y));
        if (item.state != NcState::Normal) dest.FillRect(item.bounds, Resolved(data, data.Colours().ButtonHilight));
    }
    return data.ResolveColour(item.enabled ? data.Colours().MenuBarText : data.Colours().ButtonShadow);
}

void PaintMenuBackground(Bitmap& dest, const Rect& r, const TSkinData& data) {
    const TDataSkinObject* background = data.FindObject("MenuBackground");
    if (Drawable(background)) {
        DrawNineSlice(dest, r, background->Map, false, background->Tiled(), background->Keyed(),
                      background->FrameCount(), 1, background->GetMargins());
    } else {
        dest.FillRect(r, Resolved(data, data.Colours().Menu));
    }
}

void PaintMenuSeparator(Bitmap& dest, const Rect& r, const TSkinData& data) {
    const TDataSkinObject* item = data.FindObject("MenuItem");
    if (!Drawable(item) || item->FrameCount() < 2) {
        dest.FillRect(Rect{r.left + 2, r.top + 3, r.right - 2, r.top + 4}, Resolved(data, data.Colours().ButtonShadow));
        return;
    }
    // The bottom rows of the second image, as many as the separator is
    // high, its edges kept and its middle stretched.
    const Rect state = StateImageRect(item->Map, false, item->FrameCount(), 2);
    const int rows = std::min(state.Height(), r.Height());
    const Bitmap piece = CopyRect(item->Map, Rect{state.left, state.bottom - rows, state.right, state.bottom});
    DrawNineSlice(dest, Rect{r.left, r.bottom - rows, r.right, r.bottom}, piece, false, false, true, 1, 1,
                  Margins{item->LeftWidth, 0, item->RightWidth, 0});
}

MenuItemText PaintMenuItem(Bitmap& dest, const Rect& r, const TSkinData& data, const MenuItemLook& look) {
    MenuItemText text;
    if (look.separator) {
        PaintMenuSeparator(dest, r, data);
        return text;
    }
    const SkinColours& c = data.Colours();
    const TDataSkinObject* item = data.FindObject("MenuItem");
    if (Drawable(item)) {
        const int k = std::clamp(look.selected ? 4 : 1, 1, item->FrameCount());
        DrawNineSlice(dest, r, item->Map, false, item->Tiled(), item->Keyed(), item->FrameCount(), k,
                      item->GetMargins());
    } else {
        dest.FillRect(r, Resolved(data, look.selected ? c.Hilight : c.Menu));
    }
    const int shift = Drawable(item) ? item->LeftWidth : 0;
    Colour colour = look.selected ? c.HilightText : c.MenuText;
    if (!look.enabled) {
        colour = data.ResolveColour(c.ButtonShadow) == data.ResolveColour(c.MenuText) ? kSystemButtonShadow
                                                                                      : c.ButtonShadow;
    }
    text.colour = data.ResolveColour(colour);
    text.glyph_column = Rect{r.left + kGlyphLeft, r.top, r.left + kGlyphLeft + kGlyphWidth, r.bottom};
    text.caption = Rect{r.left + kTextLeft + shift, r.top, r.right - 4, r.bottom};
    text.shortcut = Rect{text.caption.left, r.top, r.right - kShortcutRight, r.bottom};
    const Pixel ink = PixelFromColour(text.colour);
    if (look.glyph >= 0) {
        DrawGlyph(dest, text.glyph_column, data.MenuGlyphs(), look.glyph, ink);
    } else if (look.checked && !look.own_image) {
        const Pixel mark = look.enabled ? Resolved(data, c.ButtonText) : ink;
        if (look.radio) {
            DrawCentredMask(dest, text.glyph_column, kDot, 5, 5, mark);
        } else {
            DrawCentredMask(dest, text.glyph_column, kCheck, 7, 7, mark);
        }
    }
    if (look.sub_menu) DrawArrow(dest, r, ink);
    return text;
}

MenuItemSize MeasureMenuItem(const TSkinData& data, int caption_width, int shortcut_width, int proposed_height,
                             bool separator) {
    const TDataSkinObject* item = data.FindObject("MenuItem");
    const int shift = Drawable(item) ? item->LeftWidth : 0;
    MenuItemSize size;
    size.width = caption_width + 26 + shift + (shortcut_width > 0 ? shortcut_width + 2 * kShortcutRight : 0);
    size.height = separator ? 8 : proposed_height + 4;
    return size;
}

MenuCaption SplitMenuCaption(const std::string& text) {
    const std::size_t tab = text.find('\t');
    if (tab == std::string::npos) return MenuCaption{text, {}};
    return MenuCaption{text.substr(0, tab), text.substr(tab + 1)};
}

SystemMenuRule SystemMenuItem(unsigned command, bool system_enabled, const FrameStyle& style) {
    const bool maximised = style.state == FrameState::Maximised;
    const bool minimised = style.state == FrameState::Minimised;
    switch (command & 0xFFF0u) {
    case kScRestore: return {0, style.state != FrameState::Normal};
    case kScMaximize: return {1, !maximised && style.maximiseBox};
    case kScMinimize: return {2, !minimised && style.minimiseBox};
    case kScClose: return {3, system_enabled};
    case kScMove: return {-1, !maximised};
    // Only a window in its normal state with a sizing border can be sized.
    case kScSize: return {-1, style.state == FrameState::Normal && IsSizable(style.border)};
    default: return {-1, system_enabled};
    }
}

}  // namespace vc
