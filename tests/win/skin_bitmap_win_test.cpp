#include <gtest/gtest.h>
#include <windows.h>

#include "../../tools/skin/lzh_encoder.h"
#include "../../tools/skin/skin_container_writer.h"
#include "effects_window_win.h"
#include "skin/bitmap_file.h"
#include "skin/composition.h"
#include "skin/skin_bitmap_win.h"
#include "skin/skin_data.h"

namespace vc {
namespace {

Bitmap Pattern(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.Set(x, y, MakePixel(x * 7, y * 13, (x + y) * 3));
    return b;
}

TEST(SkinBitmapWin, DibSectionRoundTripAndOpaqueDraw) {
    const Bitmap b = Pattern(37, 11);
    DibSection dib(b);
    ASSERT_NE(dib.Handle(), nullptr);
    EXPECT_EQ(BitmapFromHandle(dib.Handle()), b);

    const DibSection canvas(Bitmap(50, 20, MakePixel(1, 2, 3)));
    ui::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    ui::SelectedObject selected(dc.Get(), canvas.Handle());
    DrawBitmap(dc.Get(), 5, 4, b);
    const Bitmap back = BitmapFromDc(dc.Get(), Rect{0, 0, 50, 20});
    EXPECT_EQ(back.At(4, 4), MakePixel(1, 2, 3));
    EXPECT_EQ(back.At(42, 14), MakePixel(1, 2, 3));
    EXPECT_EQ(CopyRect(back, Rect{5, 4, 42, 15}), b);
}

// The rectangles joined one at a time: what RegionFromRects must equal
// however it batches them.
ui::UniqueRegion Union(const std::vector<Rect>& rects) {
    ui::UniqueRegion all(::CreateRectRgn(0, 0, 0, 0));
    for (const Rect& r : rects) {
        ui::UniqueRegion one(::CreateRectRgn(r.left, r.top, r.right, r.bottom));
        ::CombineRgn(all.Get(), all.Get(), one.Get(), RGN_OR);
    }
    return all;
}

TEST(SkinBitmapWin, ARegionOfManyBlocksShapesARealWindow) {
    // A checkerboard of 2 x 1 runs, 45 to a row: 4500 rectangles, three blocks.
    Bitmap board(180, 100, kKeyPixel);
    for (int y = 0; y < 100; ++y)
        for (int x = (y % 2) * 2; x < 180; x += 4) board.FillRect(Rect{x, y, x + 2, y + 1}, MakePixel(0, 0, 0));
    const auto rects = RegionFromBitmap(board, 7, 3);
    ASSERT_EQ(rects.size(), 4500u);

    ui::UniqueWindow window(effects::test::MakeWindow("VcSkinRegionTest", WS_POPUP, {0, 0, 200, 110}));
    ASSERT_TRUE(window);
    ui::UniqueRegion region = RegionFromRects(rects);
    ASSERT_TRUE(region);
    ASSERT_NE(::SetWindowRgn(window.Get(), region.Release(), FALSE), 0);
    ui::UniqueRegion applied(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(::GetWindowRgn(window.Get(), applied.Get()), COMPLEXREGION);
    EXPECT_TRUE(::EqualRgn(applied.Get(), Union(rects).Get()));
    EXPECT_TRUE(::PtInRegion(applied.Get(), 7, 3));
    EXPECT_FALSE(::PtInRegion(applied.Get(), 9, 3));
    EXPECT_TRUE(::PtInRegion(applied.Get(), 9, 4));

    ui::UniqueRegion empty = RegionFromRects({});
    RECT box{};
    EXPECT_EQ(::GetRgnBox(empty.Get(), &box), NULLREGION);
}

TEST(SkinBitmapWin, SkinDataUsesTheSystemColoursAndMetrics) {
    const std::string ini = "[SunkEdge]\nImage=s.bmp\n[ComboButton]\nImage=s.bmp\n";
    const auto container = BuildSkinContainer(
        {{"s.bmp", EncodeBitmapFile(Bitmap(16, 21))}, {"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())}});
    TSkinData data;
    data.Environment = WindowsSkinEnvironment();
    data.SkinStream() = lzh::Compress(container);
    ASSERT_TRUE(data.LoadSkin());
    EXPECT_EQ(data.ButtonFaceColour(), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(data.CaptionSampleColour(), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(data.FindObject("ComboButton")->RightWidth, ::GetSystemMetrics(SM_CXHSCROLL) + 4);
    EXPECT_TRUE(data.Environment.has_scroll_bar_info);
}

}  // namespace
}  // namespace vc
