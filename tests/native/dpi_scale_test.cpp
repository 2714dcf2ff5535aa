#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "art.h"
#include "common/scale.h"
#include "skin/look/composition.h"
#include "skin/format/lzh.h"
#include "skin/look/skin_frame.h"
#include "skin_builtin_fixture.h"

namespace vc {
namespace {

Bitmap RegionMask(const FrameRegion& region, int width, int height) {
    Bitmap mask(width, height, 0);
    for (const Rect& r : region.rects) mask.FillRect(r, kOpaque);
    return mask;
}

FrameWindow SkinWindow(int width, int height, int dpi) { return FrameWindow{width, height, 0, false, {}, Scale(dpi)}; }

TEST(DpiScale, LengthsImagesAndFramesScaleAndTwoHundredPercentDoublesEveryPixel) {
    EXPECT_EQ(Scale(0).Dpi(), 96);
    const Scale s125(120), s150(144);
    EXPECT_EQ(s125.Apply(2), 3);  // 2.5
    EXPECT_EQ(s150.Apply(-1), -2);  // -1.5
    EXPECT_EQ(s150.Unapply(1), 1);  // 0.67
    EXPECT_EQ(Scale(480).Apply(100000000), 500000000);  // no overflow on the way

    // Rectangles keep their size wherever they sit: 1.25 and 2.5 give 1 and 3.
    const Rect a = Rect::FromSize(1, 0, 2, 2), b = Rect::FromSize(3, 0, 2, 2);
    EXPECT_EQ(s125.Apply(a), (Rect{1, 0, 4, 3}));
    EXPECT_EQ(s125.Apply(b).Width(), s125.Apply(a).Width());
    EXPECT_EQ(s150.Apply(Point{-10, 7}), (Point{-15, 11}));

    const int sizes[] = {24, 30, 36, 48};
    EXPECT_EQ(NearestSize(sizes, 4, 24, Scale(168)), 48);  // 42: 36 and 48 tie
    EXPECT_EQ(NearestSize(sizes, 4, 24, Scale(72)), 24);
    const int unordered[] = {48, 24};
    EXPECT_EQ(NearestSize(unordered, 2, 24, Scale(96)), 24);
    EXPECT_EQ(NearestSize(sizes, 0, 24, Scale(96)), -1);

    Bitmap image(2, 1, kKeyPixel);
    image.Set(0, 0, MakePixel(200, 0, 0));
    const Bitmap doubled = ResizeBitmap(image, 4, 2, false);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(doubled.At(x, y), image.At(x / 2, 0)) << x << "," << y;

    Bitmap ramp(3, 1, kKeyPixel);
    ramp.Set(0, 0, MakePixel(0, 0, 0));
    ramp.Set(1, 0, MakePixel(100, 100, 100));
    // 133 %: 0.625 of the way to grey, then a pixel three eighths on the key, not mixed with it.
    const Bitmap smooth = ResizeBitmap(ramp, 4, 1, true);
    const Pixel expected[] = {MakePixel(0, 0, 0), MakePixel(63, 63, 63), MakePixel(100, 100, 100), kKeyPixel};
    Bitmap column(1, 3);
    for (int y = 0; y < 3; ++y) column.Set(0, y, ramp.At(y, 0));
    const Bitmap tall = ResizeBitmap(column, 1, 4, true);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(smooth.At(i, 0), expected[i]) << i;
        EXPECT_EQ(tall.At(0, i), expected[i]) << i;
    }

    // States are scaled apart: a state's last column or row does not reach into the next.
    Bitmap states(4, 1), stacked(1, 4);
    for (int i = 0; i < 4; ++i) {
        states.Set(i, 0, i < 2 ? MakePixel(0, 0, 0) : MakePixel(250, 250, 250));
        stacked.Set(0, i, states.At(i, 0));
    }
    const Bitmap scaled = ScaleStateImages(states, false, 2, Scale(144));
    const Bitmap stacked_scaled = ScaleStateImages(stacked, true, 2, Scale(144));
    ASSERT_EQ(scaled.Width(), 6);
    ASSERT_EQ(std::make_pair(stacked_scaled.Width(), stacked_scaled.Height()), std::make_pair(2, 6));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(scaled.At(i, 0), states.At(i < 3 ? 0 : 3, 0)) << i;
        EXPECT_EQ(stacked_scaled.At(0, i), states.At(i < 3 ? 0 : 3, 0)) << i;
    }

    for (int n = 0; n < 16; ++n) {
        SCOPED_TRACE("skin " + std::to_string(n));
        const auto data = skintest::BuiltInSkin(n);
        const FrameLayout base(*data, SkinWindow(321, 203, 96));
        const FrameLayout big(*data, SkinWindow(642, 406, 192));
        const FrameSizes &f = base.Sizes(), &g = big.Sizes();
        EXPECT_EQ(std::make_tuple(g.left, g.top, g.right, g.bottom),
                  std::make_tuple(2 * f.left, 2 * f.top, 2 * f.right, 2 * f.bottom));
        ASSERT_EQ(big.Buttons().size(), base.Buttons().size());
        for (std::size_t i = 0; i < base.Buttons().size(); ++i) {
            EXPECT_EQ(big.Buttons()[i].bounds, Scale(192).Apply(base.Buttons()[i].bounds)) << i;
        }
        EXPECT_EQ(CaptionText(*data, big).font_height, 2 * CaptionText(*data, base).font_height);

        const FramePicture small = PaintFrame(*data, base, FramePaintState{0});
        const FramePicture large = PaintFrame(*data, big, FramePaintState{0});
        for (const auto side :
             {&FramePicture::title, &FramePicture::left, &FramePicture::right, &FramePicture::bottom}) {
            const Bitmap& b = small.*side;
            EXPECT_TRUE(large.*side == ResizeBitmap(b, 2 * b.Width(), 2 * b.Height(), false));
        }
        const FrameRegion region = BuildFrameRegion(*data, base), doubled = BuildFrameRegion(*data, big);
        EXPECT_EQ(doubled.whole, region.whole);
        EXPECT_TRUE(RegionMask(doubled, 642, 406) == ResizeBitmap(RegionMask(region, 321, 203), 642, 406, false));
    }
    // An odd size loses its spare columns in the middle.
    const auto data = skintest::BuiltInSkin(2);
    const FrameLayout even(*data, SkinWindow(642, 406, 192));
    const FrameLayout odd(*data, SkinWindow(641, 405, 192));
    const FramePicture even_frame = PaintFrame(*data, even);
    const FramePicture odd_frame = PaintFrame(*data, odd);
    ASSERT_EQ(odd_frame.title.Width(), 641);
    const int h = even_frame.title.Height();
    EXPECT_TRUE(CopyRect(odd_frame.title, Rect{0, 0, 100, h}) == CopyRect(even_frame.title, Rect{0, 0, 100, h}));
    EXPECT_TRUE(CopyRect(odd_frame.title, Rect{541, 0, 641, h}) == CopyRect(even_frame.title, Rect{542, 0, 642, h}));
    EXPECT_EQ(odd_frame.left.Height(), even_frame.left.Height() - 1);

    // At 150 % the sides are scaled smoothly, and the rounded corner stays out of the region.
    const FrameLayout one_half(*data, SkinWindow(480, 300, 144));
    EXPECT_EQ(PaintFrame(*data, one_half).title.Height(), Scale(144).Apply(SkinFrameSizes(*data).top));
    EXPECT_FALSE(RegionMask(BuildFrameRegion(*data, one_half), 480, 300).At(0, 0) == kOpaque);
}

TEST(DpiToolbarArt, TheCommandLineWritesALargerStripCompressedAndRefusesOtherSizes) {
    const std::string path = (std::filesystem::temp_directory_path() / "vc_dpi_strip.vclzh").string();
    std::ostringstream err;
    ASSERT_EQ(art::RunArt({"toolbar", path, "--size", "36", "--disabled", "--compressed"}, err), 0) << err.str();
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> stored((std::istreambuf_iterator<char>(in)), {});
    in.close();
    std::filesystem::remove(path);
    EXPECT_EQ(TLZH::Decompress(stored), art::ToolbarBmp(true, 36));
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"toolbar", path, "--size", "40"},
             {"toolbar", path, "--size"},
             {"toolbar", path, "--size", "24", "--size", "24"}}) {
        EXPECT_EQ(art::RunArt(wrong, err), 2) << wrong[2];
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace vc
