// vellumcast-art's drawings: every toolbar image inside its own cell, the
// strip in image-list order, the disabled looks, the icon sizes.
#include <gtest/gtest.h>

#include <algorithm>

#include "art.h"
#include "art_canvas.h"
#include "art_toolbar_icons.h"

namespace vc::art {
namespace {

constexpr int kCell = kToolbarImageSize;

int OpaquePixels(const Raster& image) {
    int count = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) count += image.At(x, y).a >= 128;
    return count;
}

struct Tone {
    double saturation = 0;  // alpha-weighted means
    double lightness = 0;
};

Tone ToneOf(const Raster& image) {
    double weight = 0;
    Tone tone;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Pixel& p = image.At(x, y);
            weight += p.a;
            tone.saturation += p.a * Saturation(p);
            tone.lightness += p.a * (p.r + p.g + p.b) / 3.0;
        }
    }
    tone.saturation /= weight;
    tone.lightness /= weight;
    return tone;
}

TEST(ArtToolbar, EveryImageStaysInItsCellAndTheStripHoldsThemInImageListOrder) {
    const std::vector<std::string> expected = {"home",  "back", "forward", "refresh",    "stop",
                                               "about", "exit", "print",   "select all", "copy"};
    ASSERT_EQ(ToolbarIcons().size(), expected.size());
    const Raster normal = RenderToolbarStrip(false), disabled = RenderToolbarStrip(true);
    ASSERT_EQ(normal.Width(), 240);
    ASSERT_EQ(disabled.Height(), 24);
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
        EXPECT_GE(OpaquePixels(roomy), 60);
        const Raster own = RenderToolbarImage(icon.image);
        EXPECT_EQ(roomy.Crop(kRoom, kRoom, kCell, kCell), own);
        const Raster on = normal.Crop(static_cast<int>(i) * kCell, 0, kCell, kCell);
        const Raster off = disabled.Crop(static_cast<int>(i) * kCell, 0, kCell, kCell);
        EXPECT_EQ(on, own);
        EXPECT_EQ(off, DisabledLook(own));
        // No two buttons look alike.
        for (std::size_t j = 0; j < expected.size(); ++j) {
            if (j == i) continue;
            EXPECT_FALSE(on == normal.Crop(static_cast<int>(j) * kCell, 0, kCell, kCell)) << expected[j];
        }
        // The disabled look is grey and lighter, and keeps the shape.
        const Tone on_tone = ToneOf(on), off_tone = ToneOf(off);
        EXPECT_GT(on_tone.saturation, 20);
        EXPECT_LT(off_tone.saturation, on_tone.saturation);
        EXPECT_GT(off_tone.lightness, on_tone.lightness);
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                EXPECT_EQ(on.At(x, y).a > 0, off.At(x, y).a > 0) << "at " << x << "," << y;
                EXPECT_LE(off.At(x, y).a, on.At(x, y).a);
            }
        }
    }
}

}  // namespace
}  // namespace vc::art
