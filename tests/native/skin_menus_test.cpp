#include <gtest/gtest.h>

#include <string>

#include "skin/look/composition.h"
#include "skin/look/menu_painter.h"
#include "skin/look/skin_frame.h"
#include "skin_builtin_fixture.h"

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
    LayoutMenuButtons(*data, band, items, {30, 40, 0, 28}, false);
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

    for (int number = 0; number < 16; ++number) {
        SCOPED_TRACE("skin " + std::to_string(number));
        const auto data = BuiltInSkin(number);
        const TDataSkinObject* item = data->FindObject("MenuItem");
        const Rect r{0, 0, 120, 20};
        Bitmap under(120, 20, MakePixel(7, 7, 7));

        MenuItemLook look;
        Bitmap normal = under;
        const MenuItemText text = PaintMenuItem(normal, r, *data, look);
        EXPECT_EQ(text.colour, data->ResolveColour(data->Colours().MenuText));
        EXPECT_EQ(text.caption.left, 22 + (item ? item->LeftWidth : 0)) << "after the glyph column";
        EXPECT_EQ(text.shortcut.right, 110) << "shortcuts end 10 pixels from the right edge";

        Bitmap selected = under, disabled = under, checked = under, separator = under;
        EXPECT_EQ(PaintMenuItem(selected, r, *data, MenuItemLook{false, true}).colour,
                  data->ResolveColour(data->Colours().HilightText));
        EXPECT_NE(selected, normal) << "a selected item looks different";
        EXPECT_NE(PaintMenuItem(disabled, r, *data, MenuItemLook{false, false, false}).colour, text.colour)
            << "disabled text stands apart";
        EXPECT_EQ(disabled, normal) << "only the text changes";
        PaintMenuItem(checked, r, *data, MenuItemLook{false, false, true, true, false, true});  // with a sub-menu
        const Pixel tick = PixelFromColour(data->ResolveColour(data->Colours().ButtonText));
        const Pixel ink = PixelFromColour(data->ResolveColour(data->Colours().MenuText));
        EXPECT_EQ(CountPixels(checked, text.glyph_column, tick) - CountPixels(normal, text.glyph_column, tick), 21)
            << "the check mark, centred in the glyph column";
        EXPECT_EQ(CountPixels(checked, Rect{108, 0, 112, 20}, ink) - CountPixels(normal, Rect{108, 0, 112, 20}, ink), 16)
            << "the sub-menu arrow";

        look.separator = true;
        EXPECT_TRUE(PaintMenuItem(separator, Rect{0, 0, 120, 8}, *data, look).caption.IsEmpty()) << "no text";
        EXPECT_NE(separator, under) << "a separator draws a line";
        EXPECT_EQ(CopyRect(separator, Rect{0, 8, 120, 20}), CopyRect(under, Rect{0, 8, 120, 20}))
            << "nothing below the separator's own height";
    }

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
    EXPECT_EQ(SplitMenuCaption("&Close\tAlt+F4").caption, "&Close");
    EXPECT_EQ(SplitMenuCaption("&Close\tAlt+F4").shortcut, "Alt+F4");
}

}  // namespace
}  // namespace vc
