#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "art.h"
#include "common/scale.h"
#include "skin/lzh.h"

namespace vc {
namespace {

TEST(DpiScale, LengthsRoundHalfAwayFromZeroAndTheBaseIsIdentity) {
    EXPECT_EQ(Scale(96).Apply(123), 123);
    EXPECT_TRUE(Scale(96).IsIdentity());
    EXPECT_EQ(Scale(0).Dpi(), 96);
    EXPECT_EQ(Scale(-5).Dpi(), 96);

    const Scale s125(120), s150(144), s175(168);
    EXPECT_EQ(s125.Apply(2), 3);  // 2.5
    EXPECT_EQ(s125.Apply(-2), -3);
    EXPECT_EQ(s125.Apply(3), 4);  // 3.75
    EXPECT_EQ(s150.Apply(1), 2);  // 1.5
    EXPECT_EQ(s150.Apply(-1), -2);
    EXPECT_EQ(s150.Apply(640), 960);
    EXPECT_EQ(s175.Apply(1), 2);  // 1.75
    EXPECT_EQ(s150.Unapply(960), 640);
    EXPECT_EQ(s150.Unapply(1), 1);  // 0.67
    // Large lengths do not overflow on the way.
    EXPECT_EQ(Scale(480).Apply(100000000), 500000000);
}

TEST(DpiScale, WholeFactorsAndPercentages) {
    EXPECT_EQ(Scale(96).IntegerFactor(), 1);
    EXPECT_EQ(Scale(192).IntegerFactor(), 2);
    EXPECT_EQ(Scale(288).IntegerFactor(), 3);
    EXPECT_EQ(Scale(144).IntegerFactor(), 0);
    EXPECT_EQ(Scale(120).IntegerFactor(), 0);
    EXPECT_EQ(Scale(120).Percent(), 125);
    EXPECT_EQ(Scale(144).Percent(), 150);
    EXPECT_EQ(Scale(168).Percent(), 175);
    EXPECT_EQ(Scale(192).Percent(), 200);
}

TEST(DpiScale, RectanglesKeepTheirSizeWhereverTheySitAndNeighboursStillTouch) {
    const Scale s(120);
    const Rect a = Rect::FromSize(1, 0, 2, 2);  // 1.25 and 2.5: 1 and 3
    const Rect b = Rect::FromSize(3, 0, 2, 2);
    EXPECT_EQ(s.Apply(a), (Rect{1, 0, 4, 3}));
    EXPECT_EQ(s.Apply(b).Width(), s.Apply(a).Width());
    EXPECT_EQ(Scale(192).Apply(Rect{10, 20, 30, 50}), (Rect{20, 40, 60, 100}));
    EXPECT_EQ(Scale(144).Apply(Point{-10, 7}), (Point{-15, 11}));
}

TEST(DpiScale, NearestImageSizeFavoursTheLargerOnATie) {
    const int sizes[] = {24, 30, 36, 48};
    EXPECT_EQ(NearestSize(sizes, 4, 24, Scale(96)), 24);
    EXPECT_EQ(NearestSize(sizes, 4, 24, Scale(120)), 30);
    EXPECT_EQ(NearestSize(sizes, 4, 24, Scale(144)), 36);
    EXPECT_EQ(NearestSize(sizes, 4, 24, Scale(168)), 48);  // 42: 36 and 48 tie
    EXPECT_EQ(NearestSize(sizes, 4, 24, Scale(192)), 48);
    EXPECT_EQ(NearestSize(sizes, 4, 24, Scale(384)), 48);
    EXPECT_EQ(NearestSize(sizes, 4, 24, Scale(72)), 24);
    const int unordered[] = {48, 24};
    EXPECT_EQ(NearestSize(unordered, 2, 24, Scale(96)), 24);
    EXPECT_EQ(NearestSize(sizes, 0, 24, Scale(96)), -1);
}

}  // namespace
}  // namespace vc

namespace vc::art {
namespace {

TEST(DpiToolbarArt, EverySizeIsDrawnNotEnlargedAndTheCommandLineWritesItCompressed) {
    const Raster base = RenderToolbarStrip(false, 24);
    for (const int size : kToolbarImageSizes) {
        SCOPED_TRACE(size);
        const Raster strip = RenderToolbarStrip(true, size);
        ASSERT_EQ(strip.Width(), 10 * size);
        ASSERT_EQ(strip.Height(), size);
        const Raster copy = RenderToolbarImage(ToolbarImage::kCopy, size);
        EXPECT_EQ(strip.Crop(9 * size, 0, size, size), DisabledLook(copy));
    }
    // At twice the size a drawing has detail that a doubled 24-pixel image
    // cannot have: some 2 x 2 block is not of one colour.
    const Raster big = RenderToolbarImage(ToolbarImage::kHome, 48);
    bool finer = false;
    for (int y = 0; y < 48 && !finer; y += 2)
        for (int x = 0; x < 48 && !finer; x += 2)
            finer = !(big.At(x, y) == big.At(x + 1, y) && big.At(x, y) == big.At(x, y + 1) &&
                      big.At(x, y) == big.At(x + 1, y + 1));
    EXPECT_TRUE(finer);

    const std::string path = (std::filesystem::temp_directory_path() / "vc_dpi_strip.vclzh").string();
    std::ostringstream err;
    ASSERT_EQ(RunArt({"toolbar", path, "--size", "36", "--disabled", "--compressed"}, err), 0) << err.str();
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> stored((std::istreambuf_iterator<char>(in)), {});
    in.close();
    std::filesystem::remove(path);
    EXPECT_EQ(TLZH::Decompress(stored), ToolbarBmp(true, 36));
    EXPECT_LT(stored.size(), ToolbarBmp(true, 36).size() / 4);
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"toolbar", path, "--size", "40"},
             {"toolbar", path, "--size"},
             {"toolbar", path, "--size", "24", "--size", "24"},
             {"toolbar", path, "--compressed", "--compressed"},
             {"icon", path, "--size", "24"}}) {
        EXPECT_EQ(RunArt(wrong, err), 2) << wrong[2];
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace vc::art
