#include <gtest/gtest.h>

#include <initializer_list>

#include "skin/look/composition.h"

namespace vc {
namespace {

Pixel Grey(int v) { return MakePixel(v, v, v); }

struct GreyAt {
    int x, y, grey;
};
void ExpectGreys(const Bitmap& image, std::initializer_list<GreyAt> probes) {
    for (const GreyAt& p : probes) EXPECT_EQ(image.At(p.x, p.y), Grey(p.grey)) << "at " << p.x << "," << p.y;
}

// A 9 x 9 image of nine 3 x 3 blocks, block (bx, by) of grey 10 * (1 + bx + 3 * by).
Bitmap Blocks() {
    Bitmap b(9, 9);
    for (int by = 0; by < 3; ++by)
        for (int bx = 0; bx < 3; ++bx) b.FillRect(Rect::FromSize(3 * bx, 3 * by, 3, 3), Grey(10 * (1 + bx + 3 * by)));
    return b;
}

TEST(SkinComposeRoutines, StateImagesNineAndThreeSlicesTilesTransparencyAndRegionRows) {
    Bitmap strip(90, 5);
    for (int x = 0; x < 90; ++x) strip.FillRect(Rect{x, 0, x + 1, 5}, Grey(x));
    EXPECT_EQ(StateImageRect(strip, false, 4, 1), (Rect{0, 0, 22, 5}));
    EXPECT_EQ(StateImageRect(strip, false, 0, 1), (Rect{0, 0, 90, 5}));  // a count of 0 taken as 1
    // The last two columns are never used.
    Bitmap out(22, 5, Grey(255));
    DrawStateImage(out, out.Bounds(), strip, false, 4, 4);
    EXPECT_EQ(out.At(0, 0), Grey(66));
    EXPECT_EQ(out.At(21, 4), Grey(87));

    Bitmap stacked(6, 12);
    for (int y = 0; y < 12; ++y) stacked.FillRect(Rect{0, y, 6, y + 1}, Grey(y));
    const Bitmap side = ComposeNineSlice(6, 4, stacked, Margins{}, true, false, 3, 2);
    EXPECT_EQ(side.At(0, 0), Grey(4));
    EXPECT_EQ(side.At(5, 3), Grey(7));

    const Bitmap blocks = Blocks();
    const Margins three{3, 3, 3, 3};
    const Bitmap nine = ComposeNineSlice(20, 15, blocks, three, false, false, 1, 1);
    ASSERT_EQ(std::make_pair(nine.Width(), nine.Height()), std::make_pair(20, 15));
    ExpectGreys(nine, {{2, 2, 10}, {3, 0, 20}, {16, 2, 20}, {17, 0, 30}, {0, 3, 40}, {0, 11, 40}, {10, 7, 50},
                     {0, 12, 70}, {19, 14, 90}});
    // Margins wider than the target: both of the pair dropped, the whole state image stretched.
    ExpectGreys(ComposeNineSlice(4, 18, blocks, three, false, false, 1, 1), {{3, 0, 30}, {0, 17, 70}, {2, 9, 50}});
    ExpectGreys(ComposeNineSlice(12, 5, blocks, three, false, false, 1, 1), {{0, 0, 10}, {0, 4, 70}, {6, 2, 50}});

    Bitmap img(4, 4, Grey(1));
    img.Set(1, 1, Grey(11));
    img.Set(2, 1, Grey(12));
    img.Set(1, 2, Grey(21));
    img.Set(2, 2, Grey(22));
    const Bitmap tiled = ComposeNineSlice(8, 7, img, Margins{1, 1, 1, 1}, false, true, 1, 1);
    // The right and bottom edges are drawn over the overhang.
    ExpectGreys(tiled, {{3, 1, 11}, {4, 2, 22}, {5, 5, 11}, {7, 5, 1}, {5, 6, 1}});
    ExpectGreys(ComposeNineSlice(8, 7, img, Margins{1, 1, 1, 1}, false, false, 1, 1), {{3, 2, 11}, {4, 2, 12}});

    // A centre source wider than the target centre: drawn once, then clipped.
    Bitmap wide(12, 3, Grey(1));
    for (int x = 1; x < 11; ++x) wide.Set(x, 1, Grey(100 + x));
    ExpectGreys(ComposeNineSlice(5, 3, wide, Margins{1, 1, 1, 1}, false, true, 1, 1),
                {{1, 1, 101}, {3, 1, 103}, {4, 1, 1}});

    // A state past the image's end has no centre to tile (it once stepped by its empty width for ever).
    const Bitmap past = ComposeNineSlice(8, 7, img, Margins{1, 1, 1, 1}, false, true, 1, 5);
    EXPECT_EQ(past.At(4, 3), MakePixel(0, 0, 0));

    Bitmap keyed(2, 2, kKeyPixel);
    keyed.Set(0, 0, Grey(9));
    Bitmap dest(4, 4, Grey(200));
    DrawNineSlice(dest, Rect{1, 1, 3, 3}, keyed, false, false, true, 1, 1, Margins{});
    EXPECT_EQ(dest.At(1, 1), Grey(9));
    EXPECT_EQ(dest.At(2, 2), Grey(200));
    DrawNineSlice(dest, Rect{1, 1, 3, 3}, keyed, false, false, false, 1, 1, Margins{});
    EXPECT_EQ(dest.At(2, 2), kKeyPixel);
    const Bitmap before = dest;
    DrawNineSlice(dest, Rect{3, 0, 1, 4}, keyed, false, false, false, 1, 1, Margins{});
    EXPECT_EQ(dest, before);
    DrawTransparent(dest, Rect{2, 2, 4, 4}, keyed);
    EXPECT_EQ(dest.At(2, 2), Grey(9));
    EXPECT_EQ(dest.At(3, 3), Grey(200));  // left as it was
    EXPECT_TRUE(ComposeNineSlice(5, 5, Bitmap(), Margins{}, false, false, 1, 1).Width() == 5);

    // Left 1, middle 2 (values 5 and 6), right 1, per state; two states.
    Bitmap band(8, 2);
    const int values[] = {1, 5, 6, 9, 11, 15, 16, 19};
    for (int x = 0; x < 8; ++x) band.FillRect(Rect{x, 0, x + 1, 2}, Grey(values[x]));
    Bitmap band_dest(9, 4, Grey(0));
    DrawThreeSlice(band_dest, band_dest.Bounds(), band, false, false, 2, 2, Margins{1, 0, 1, 0});
    ExpectGreys(band_dest, {{0, 0, 11}, {1, 3, 15}, {2, 0, 16}, {3, 0, 15}, {7, 0, 15}, {8, 0, 19}});
    // Ends as wide as the state image leave no middle: the band gets both ends, and drawing ends.
    Bitmap ends(9, 2, Grey(0));
    DrawThreeSlice(ends, ends.Bounds(), band, false, false, 2, 1, Margins{2, 0, 2, 0});
    ExpectGreys(ends, {{0, 0, 1}, {1, 1, 5}, {7, 0, 6}, {8, 1, 9}});

    // A tiled rectangle: the last column overhangs, no row does.
    Bitmap canvas(7, 5, Grey(0));
    TileRect(canvas, Rect{1, 1, 5, 4}, Blocks(), Rect{3, 3, 6, 6});
    ExpectGreys(canvas, {{0, 0, 0}, {1, 1, 50}, {6, 3, 50}, {6, 4, 0}});
    const Bitmap unchanged = canvas;
    TileRect(canvas, Rect{0, 0, 7, 5}, Blocks(), Rect{3, 3, 3, 6});
    EXPECT_EQ(canvas, unchanged);

    Bitmap all(5, 3, kKeyPixel);
    all.Set(2, 1, MakePixel(255, 1, 255));
    all.Set(3, 1, MakePixel(255, 1, 254));  // below the key's blue: opaque
    auto rects = RegionFromBitmap(all, 0, 0);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0], (Rect{3, 1, 4, 2}));
    all.Set(3, 1, kKeyPixel);
    EXPECT_TRUE(RegionFromBitmap(all, 0, 0).empty());

    Bitmap shape(6, 2, Grey(0));
    shape.Set(0, 0, kKeyPixel);
    shape.Set(3, 0, kKeyPixel);
    shape.Set(4, 0, MakePixel(254, 0, 255));
    shape.FillRect(Rect{0, 1, 6, 2}, kKeyPixel);
    shape.Set(5, 1, Grey(3));
    EXPECT_EQ(RegionFromBitmap(shape, 10, 20),
              (std::vector<Rect>{{11, 20, 13, 21}, {14, 20, 16, 21}, {15, 21, 16, 22}}));
    EXPECT_TRUE(RegionFromBitmap(Bitmap(), 0, 0).empty());
}

}  // namespace
}  // namespace vc
