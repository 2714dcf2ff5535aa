#include <gtest/gtest.h>

#include <string>

#include "skin/look/composition.h"
#include "skin/look/menu_painter.h"
#include "skin/look/skin_frame.h"
#include "skin_builtin_fixture.h"
#include "skin_data_fixture.h"

namespace vc {
namespace {

using skintest::BuiltInSkin;

TMenuBtn Item(const std::string& caption, bool enabled = true, bool visible = true) {
    return TMenuBtn{{Rect{}, visible, NcState::Normal}, 0, caption, enabled, 0, 0};
}

int CountPixels(const Bitmap& b, const Rect& r, Pixel p) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += SameRgb(b.At(x, y), p) ? 1 : 0;
    return n;
}

TEST(SkinMenus, BandItemsDropDownItemsAndTheSystemMenuFollowTheSkinKeysAndWindow) {
    const auto data = BuiltInSkin(0);
    const Rect band{4, 30, 404, 50};
    std::vector<TMenuBtn> items{Item("&File"), Item("&Hidden", true, false), Item(""), Item("&Help")};
    LayoutMenuButtons(*data, band, items, {30, 40, 0, 1}, false);
    const TDataSkinObject* bar = data->MenuBar();
    ASSERT_NE(bar, nullptr);
    const int start = band.left + bar->LeftWidth + 4;
    EXPECT_EQ(items[0].bounds, (Rect{start, 30, start + 40, 49})) << "caption width + 10, one pixel short of the band";
    EXPECT_TRUE(items[1].bounds.IsEmpty() && items[2].bounds.IsEmpty()) << "hidden and empty items take no room";
    EXPECT_EQ(items[3].bounds.left, items[0].bounds.right);
    EXPECT_EQ(MenuButtonAt(items, Point{start + 39, 40}), 0);
    EXPECT_EQ(MenuButtonAt(items, Point{start + 40, 40}), 3);
    EXPECT_EQ(MenuButtonAt(items, Point{start + 10, 49}), -1) << "the band's last row is no item's";

    LayoutMenuButtons(*data, band, items, {30, 40, 0, 28}, true);
    const int end = band.right - (bar->RightWidth + 8);
    EXPECT_EQ(items[0].bounds, (Rect{end - 40, 30, end, 49})) << "right to left: from the band's right end";

    // Items past a narrow band keep their widths, for the keyboard.
    std::vector<TMenuBtn> many(12, Item("&Chapter"));
    LayoutMenuButtons(*data, Rect{0, 0, 100, 20}, many, std::vector<int>(12, 50), false);
    EXPECT_EQ(many[11].bounds.Width(), 60);
    EXPECT_GT(many[11].bounds.left, 100);
    LayoutMenuButtons(*data, Rect{0, 0, 3, 19}, many, std::vector<int>(12, 5), false);
    EXPECT_EQ(many[0].bounds.left, 12);

    EXPECT_EQ(AccessKey("Save && &quit"), 'q') << "&& shows one & and marks nothing";
    EXPECT_EQ(AccessKey("Trailing&"), 0);

    items = {Item("&File"), Item("&Edit", false), Item("&View"), Item("&Help")};
    for (int i = 0; i < 4; ++i) items[i].bounds = Rect::FromSize(10 * i, 0, 10, 10);
    EXPECT_EQ(FindAccel(items, 'E'), -1) << "a disabled item does not open by its key";
    // Captions without an access key answer to their first letter, after every marked key.
    const std::vector<TMenuBtn> plain{Item("Book"), Item("&Help"), Item("history")};
    EXPECT_EQ(FindAccel(plain, 'b'), 0);
    EXPECT_EQ(FindAccel(plain, 'H'), 1);

    EXPECT_EQ(NextMenuButton(items, 3, 1), 0) << "Right on the last item wraps to the first";
    EXPECT_EQ(NextMenuButton(items, 0, 1), 2) << "the disabled item is passed over";
    // Menu mode: Left and Right move the highlight (mirrored right to left), Enter, Up and Down open the
    // highlighted item, a letter its own, Escape leaves; other keys and letters change nothing.
    using A = MenuModeStep::Action;
    const auto step = [&](int lit, MenuModeKey key, char letter = 0, bool right_to_left = false) {
        const MenuModeStep next = MenuModeKeyStep(items, lit, key, letter, right_to_left);
        return std::make_pair(next.action, next.item);
    };
    EXPECT_EQ(step(0, MenuModeKey::Right), std::make_pair(A::Highlight, 2));
    EXPECT_EQ(step(0, MenuModeKey::Left), std::make_pair(A::Highlight, 3));
    EXPECT_EQ(step(0, MenuModeKey::Left, 0, true), std::make_pair(A::Highlight, 2));
    for (const MenuModeKey key : {MenuModeKey::Enter, MenuModeKey::Up, MenuModeKey::Down})
        EXPECT_EQ(step(2, key), std::make_pair(A::Open, 2));
    EXPECT_EQ(step(0, MenuModeKey::Letter, 'h'), std::make_pair(A::Open, 3));
    EXPECT_EQ(step(2, MenuModeKey::Letter, 'E'), std::make_pair(A::Highlight, 2)) << "disabled";
    EXPECT_EQ(step(2, MenuModeKey::Other, 'V'), std::make_pair(A::Highlight, 2));
    EXPECT_EQ(step(2, MenuModeKey::Escape).first, A::Leave);
    EXPECT_EQ(FirstMenuButton(items), 0);
    items[0].enabled = false;
    EXPECT_EQ(FirstMenuButton(items), 2);
    EXPECT_EQ(FirstMenuButton({Item("&File")}), -1) << "an item the band has not placed";
    std::vector<TMenuBtn> one{Item("&Only")};
    one[0].bounds = Rect{0, 0, 10, 10};
    EXPECT_EQ(NextMenuButton(one, 0, 1), 0);

    Bitmap background(200, 20);
    PaintMenuBand(background, background.Bounds(), *data, true);
    Bitmap picture(200, 20, MakePixel(1, 2, 3));
    TMenuBtn item = Item("&File");
    item.bounds = Rect{10, 0, 50, 19};
    EXPECT_EQ(PaintMenuButton(picture, item, background, Point{0, 0}, *data),
              data->ResolveColour(data->Colours().MenuBarText));
    EXPECT_EQ(CopyRect(picture, item.bounds), CopyRect(background, item.bounds)) << "normal: the band as it was";
    EXPECT_EQ(picture.At(60, 5), MakePixel(1, 2, 3)) << "nothing outside the item";

    item.state = NcState::Hot;
    item.enabled = false;
    EXPECT_EQ(PaintMenuButton(picture, item, background, Point{0, 0}, *data),
              data->ResolveColour(data->Colours().ButtonShadow));
    EXPECT_EQ(CountPixels(picture, item.bounds, PixelFromColour(data->ResolveColour(data->Colours().ButtonHilight))),
              item.bounds.Width() * item.bounds.Height());

    FrameStyle normal, maximised, minimised, fixed;
    maximised.state = FrameState::Maximised;
    minimised.state = FrameState::Minimised;
    minimised.maximiseBox = false;
    fixed.border = FrameBorder::Fixed;
    const struct {
        int command;
        const FrameStyle* style;
        bool enabled;
    } rows[] = {{kScRestore, &normal, false},    {kScMaximize, &normal, true},     {kScSize, &normal, true},
                {kScRestore, &maximised, true},  {kScMaximize, &maximised, false}, {kScMove, &maximised, false},
                {kScMinimize, &minimised, false}, {kScMaximize, &minimised, false}, {kScMove, &minimised, true},
                {kScSize, &minimised, false},    {kScSize, &fixed, false}};
    for (const auto& row : rows)
        EXPECT_EQ(SystemMenuItem(row.command, true, *row.style).enabled, row.enabled) << std::hex << row.command;
    EXPECT_FALSE(SystemMenuItem(kScClose, false, normal).enabled) << "close: as the system menu says";
    EXPECT_EQ(SystemMenuItem(kScRestore, true, normal).glyph, 0);
    EXPECT_EQ(SystemMenuItem(kScMinimize | 2, true, normal).glyph, 2) << "the low four bits are the system's";
    EXPECT_EQ(SystemMenuItem(kScClose, true, normal).glyph, 3);
    EXPECT_EQ(SystemMenuItem(kScMove, true, normal).glyph, -1);

    const TDataSkinObject* menu_item = data->FindObject("MenuItem");
    const int shift = menu_item ? menu_item->LeftWidth : 0;
    const MenuItemSize measured = MeasureMenuItem(*data, 40, 0, 16, false);
    EXPECT_EQ(std::make_pair(measured.width, measured.height), std::make_pair(40 + 26 + shift, 20));
    EXPECT_EQ(MeasureMenuItem(*data, 40, 30, 16, false).width, 40 + 26 + shift + 30 + 20);
    EXPECT_EQ(MeasureMenuItem(*data, 0, 0, 16, true).height, 8) << "a separator is 8 pixels high";
    EXPECT_EQ(MeasureMenuItem(TSkinData(), 40, 0, 16, false).width, 40 + 26) << "no MenuItem image, no shift";
    EXPECT_EQ(SplitMenuCaption("&Close\tAlt+F4").caption, "&Close");
    EXPECT_EQ(SplitMenuCaption("&Close\tAlt+F4").shortcut, "Alt+F4");
}

// A hand-made skin: a MenuItem of one grey per state (10, 20, ...), a MenuBackground of two columns (10, 20),
// a band of two stacked states, and the menu's colours (red 1 to 5).
TEST(SkinMenus, EachPartDrawsTheImageOrColourOfItsState) {
    Bitmap band_states(4, 8, MakePixel(10, 10, 10));
    band_states.FillRect(Rect{0, 4, 4, 8}, MakePixel(20, 20, 20));
    TSkinData data;
    data.SkinStream() = skintest::Pack(
        "[Colours]\nMenu=1 0 0\nHilight=2 0 0\nMenuText=3 0 0\nButtonShadow=3 0 0\nButtonText=4 0 0\n"
        "ButtonHilight=5 0 0\n[MenuItem]\nImage=s5.bmp\n[MenuBackground]\nImage=s2.bmp\n[Personality]\nmenuBar=m.bmp\n",
        {{"s5.bmp", skintest::States(4, 4, 5)}, {"s2.bmp", skintest::States(1, 4, 2)}, {"m.bmp", band_states}});
    ASSERT_TRUE(data.LoadSkin());
    const TSkinData bare;
    const auto red = [](const Bitmap& b, int x, int y) { return PixelRed(b.At(x, y)); };
    const auto item = [](const TSkinData& skin, MenuItemLook look, int height = 20) {
        Bitmap b(120, height, 0);
        const MenuItemText text = PaintMenuItem(b, b.Bounds(), skin, look);
        return std::make_pair(b, text);
    };
    EXPECT_EQ(std::make_pair(red(item(data, {}).first, 60, 10), red(item(data, {false, true}).first, 60, 10)),
              std::make_pair(10, 40)) << "MenuItem's first and fourth images";
    EXPECT_EQ(item(bare, {}).first.At(60, 10), PixelFromColour(bare.ResolveColour(bare.Colours().Menu)));
    EXPECT_EQ(item(bare, {false, true}).first.At(60, 10), PixelFromColour(bare.ResolveColour(bare.Colours().Hilight)));
    EXPECT_EQ(item(data, {}).second.caption.right, 116);
    // Disabled text in the skin's shadow colour, or the system's where that is the text colour.
    EXPECT_EQ(item(data, {false, false, false}).second.colour, data.ResolveColour(0xFF000000u + 16));
    EXPECT_EQ(item(bare, {false, false, false}).second.colour, bare.ResolveColour(bare.Colours().ButtonShadow));
    // A tick (7 by 7) and a dot (5 by 5), centred in the glyph column: 3 to 19 across, 21 rows down.
    const Bitmap tick = item(data, {false, false, true, true}, 21).first,
                 dot = item(data, {false, false, true, true, true}, 21).first;
    EXPECT_EQ(std::make_tuple(red(tick, 13, 7), red(tick, 7, 9), red(dot, 13, 7), red(dot, 8, 9), red(dot, 10, 12)),
              std::make_tuple(4, 4, 10, 4, 4));
    const auto [disabled_tick, disabled_text] = item(data, {false, false, false, true}, 21);
    EXPECT_EQ(disabled_tick.At(13, 7), PixelFromColour(disabled_text.colour)) << "a disabled tick in the text's colour";
    // The skin's glyph 3 in the text colour, centred in the glyph column.
    const Bitmap close = item(data, {false, false, true, false, false, false, 3}).first;
    const Bitmap& glyphs = data.MenuGlyphs();
    const int size = glyphs.Height(), x0 = 3 + (16 - size) / 2, y0 = (20 - size) / 2;
    int wrong = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            wrong += ((glyphs.At(3 * size + x, y) & kPixelRgbMask) == 0) != (red(close, x0 + x, y0 + y) == 3);
    EXPECT_EQ(wrong, 0);

    Bitmap background(4, 4, 0), plain(4, 4, 0);
    PaintMenuBackground(background, background.Bounds(), data);
    PaintMenuBackground(plain, plain.Bounds(), bare);
    EXPECT_EQ(std::make_tuple(red(background, 1, 0), red(background, 2, 0)), std::make_tuple(10, 20)) << "stretched";
    EXPECT_EQ(plain.At(1, 1), PixelFromColour(bare.ResolveColour(bare.Colours().Menu)));
    Bitmap line(20, 8, 0);
    PaintMenuSeparator(line, line.Bounds(), bare);
    const Pixel shadow = PixelFromColour(bare.ResolveColour(bare.Colours().ButtonShadow));
    EXPECT_EQ(std::vector<Pixel>(
                  {line.At(1, 3), line.At(2, 3), line.At(17, 3), line.At(18, 3), line.At(5, 2), line.At(5, 4)}),
              std::vector<Pixel>({0, shadow, shadow, 0, 0, 0}));

    Bitmap active(20, 4, 0), inactive(20, 4, 0), unskinned(20, 4, 0);
    PaintMenuBand(active, active.Bounds(), data, true);
    PaintMenuBand(inactive, inactive.Bounds(), data, false);
    PaintMenuBand(unskinned, unskinned.Bounds(), bare, true);
    EXPECT_EQ(std::make_pair(red(active, 10, 3), red(inactive, 10, 0)), std::make_pair(10, 20));
    EXPECT_EQ(unskinned.At(10, 2), PixelFromColour(bare.ResolveColour(bare.Colours().Menubar)));
    // TileMenu=0: two states side by side; the band's ends (a column each) stay, its middle repeats.
    Bitmap ends(6, 4, MakePixel(60, 60, 60));
    ends.FillRect(Rect{0, 0, 1, 4}, MakePixel(30, 30, 30));
    ends.FillRect(Rect{1, 0, 2, 4}, MakePixel(40, 40, 40));
    ends.FillRect(Rect{2, 0, 3, 4}, MakePixel(50, 50, 50));
    TSkinData sliced;
    sliced.SkinStream() = skintest::Pack("[Personality]\nmenuBar=m.bmp\nTileMenu=0\n", {{"m.bmp", ends}});
    ASSERT_TRUE(sliced.LoadSkin());
    Bitmap three(20, 4, 0);
    PaintMenuBand(three, three.Bounds(), sliced, true);
    EXPECT_EQ(std::make_tuple(red(three, 0, 1), red(three, 10, 1), red(three, 19, 1)), std::make_tuple(30, 40, 50));
    TMenuBtn pressed = Item("&File");
    pressed.bounds = Rect{2, 0, 12, 4};
    pressed.state = NcState::Pressed;
    PaintMenuButton(active, pressed, inactive, Point{0, 0}, data);
    EXPECT_EQ(std::make_pair(red(active, 5, 1), red(active, 14, 1)), std::make_pair(5, 10))
        << "pressed: the hover colour";
    // Without a band image the items start 6 pixels in; a text one pixel wide still makes an item.
    EXPECT_EQ(LayoutMenuBandItems(bare, Rect{0, 0, 100, 20}, {1, 0, 20}, false),
              (std::vector<Rect>{{6, 0, 17, 19}, {17, 0, 17, 19}, {17, 0, 47, 19}}));
    EXPECT_EQ(LayoutMenuBandItems(bare, Rect{0, 0, 100, 20}, {20}, true), (std::vector<Rect>{{64, 0, 94, 19}}));
}

class EverySkinsMenuItem : public skintest::EachBuiltInSkin {
protected:
    const TDataSkinObject* item = data.FindObject("MenuItem");
    const Rect r{0, 0, 120, 20};
    const Bitmap under{120, 20, MakePixel(7, 7, 7)};
    Bitmap normal = under;
    const MenuItemText text = PaintMenuItem(normal, r, data, MenuItemLook{});
    Pixel Resolved(Colour c) const { return PixelFromColour(data.ResolveColour(c)); }
};
INSTANTIATE_TEST_SUITE_P(, EverySkinsMenuItem, skintest::AllBuiltInSkins(), skintest::SkinNumber);

TEST_P(EverySkinsMenuItem, NormalTextStartsAfterTheGlyphColumnAndShortcutsEndTenPixelsFromTheEdge) {
    EXPECT_EQ(text.colour, data.ResolveColour(data.Colours().MenuText));
    EXPECT_EQ(text.caption.left, 22 + (item ? item->LeftWidth : 0));
    EXPECT_EQ(text.shortcut.right, 110);
}

TEST_P(EverySkinsMenuItem, ACheckMarkIsCentredInTheGlyphColumnAndASubMenuHasItsArrow) {
    Bitmap checked = under;
    PaintMenuItem(checked, r, data, MenuItemLook{false, false, true, true, false, true});
    const Pixel tick = Resolved(data.Colours().ButtonText), ink = Resolved(data.Colours().MenuText);
    EXPECT_EQ(CountPixels(checked, text.glyph_column, tick) - CountPixels(normal, text.glyph_column, tick), 21);
    EXPECT_EQ(CountPixels(checked, Rect{108, 0, 112, 20}, ink) - CountPixels(normal, Rect{108, 0, 112, 20}, ink), 16);
}

TEST_P(EverySkinsMenuItem, ASeparatorDrawsALineWithinItsOwnHeightAndNoText) {
    Bitmap separator = under;
    EXPECT_TRUE(PaintMenuItem(separator, Rect{0, 0, 120, 8}, data, MenuItemLook{true}).caption.IsEmpty());
    EXPECT_NE(separator, under);
    EXPECT_EQ(CopyRect(separator, Rect{0, 8, 120, 20}), CopyRect(under, Rect{0, 8, 120, 20}));
}

}  // namespace
}  // namespace vc
