// vellumcast-art's toolbar drawings: each in its own cell, in image-list order, and their disabled looks.
#include <gtest/gtest.h>

#include <algorithm>

#include "art.h"
#include "art_canvas.h"
#include "art_toolbar_icons.h"

namespace vc::art {
namespace {

constexpr int kCell = kToolbarImageSize;

TEST(ArtToolbar, EveryImageStaysInItsCellAndTheStripHoldsThemInImageListOrder) {
    const std::vector<std::string> expected = {"home",  "back", "forward", "refresh",    "stop",  "about",
                                               "exit",  "print", "select all", "copy", "search"};
    ASSERT_EQ(ToolbarIcons().size(), expected.size());
    const Raster normal = RenderToolbarStrip(false), disabled = RenderToolbarStrip(true);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ToolbarIcon& icon = ToolbarIcons()[i];
        SCOPED_TRACE(expected[i]);
        EXPECT_EQ(icon.name, expected[i]);
        EXPECT_EQ(static_cast<std::size_t>(icon.image), i);
        // Drawn with room around, a stray would show; one clear pixel all round.
        constexpr int kRoom = 8;
        Canvas canvas(kCell + 2 * kRoom, kCell + 2 * kRoom);
        canvas.Shift(kRoom, kRoom);
        icon.draw(canvas);
        const Raster roomy = canvas.ToRaster();
        for (int y = 0; y < roomy.Height(); ++y) {
            for (int x = 0; x < roomy.Width(); ++x) {
                const bool inside = x > kRoom && x < kRoom + kCell - 1 && y > kRoom && y < kRoom + kCell - 1;
                if (!inside) {
                    ASSERT_EQ(roomy.At(x, y).a, 0) << "at " << x - kRoom << "," << y - kRoom;
                }
            }
        }
        const Raster own = RenderToolbarImage(icon.image);
        EXPECT_EQ(roomy.Crop(kRoom, kRoom, kCell, kCell), own);
        const Raster on = normal.Crop(static_cast<int>(i) * kCell, 0, kCell, kCell);
        const Raster off = disabled.Crop(static_cast<int>(i) * kCell, 0, kCell, kCell);
        EXPECT_EQ(on, own);
        // The disabled look is a grey of the same shape, never more opaque.
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                const Pixel &a = on.At(x, y), &b = off.At(x, y);
                EXPECT_EQ(a.a > 0, b.a > 0) << "at " << x << "," << y;
                EXPECT_LE(b.a, a.a);
                EXPECT_EQ(Saturation(b), 0);
            }
        }
    }
}

}  // namespace
}  // namespace vc::art
