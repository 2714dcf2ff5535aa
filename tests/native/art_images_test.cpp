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

TEST(ArtToolbar, EveryImageHasContentAndStaysOffTheEdgeOfItsCell) {
    // Drawn with room around it, a drawing that strays past its cell shows
    // outside; on a 24-pixel canvas it would be cut off without a trace.
    constexpr int kRoom = 8;
    for (const ToolbarIcon& icon : ToolbarIcons()) {
        SCOPED_TRACE(icon.name);
        Canvas canvas(kCell + 2 * kRoom, kCell + 2 * kRoom);
        canvas.Shift(kRoom, kRoom);
        icon.draw(canvas);
        const Raster roomy = canvas.ToRaster();
        for (int y = 0; y < roomy.Height(); ++y) {
            for (int x = 0; x < roomy.Width(); ++x) {
                // One clear pixel all round keeps neighbours on the tool
                // bar apart.
                const bool inside = x > kRoom && x < kRoom + kCell - 1 && y > kRoom && y < kRoom + kCell - 1;
                if (!inside) {
                    ASSERT_EQ(roomy.At(x, y).a, 0) << "at " << x - kRoom << "," << y - kRoom;
                }
            }
        }
        EXPECT_GE(OpaquePixels(roomy), 60);
        EXPECT_EQ(roomy.Crop(kRoom, kRoom, kCell, kCell), RenderToolbarImage(icon.image));
    }
}

TEST(ArtToolbar, StripHoldsTheImagesInImageListOrder) {
    const std::vector<std::string> expected = {"home",  "back", "forward", "refresh",    "stop",
                                               "about", "exit", "print",   "select all", "copy"};
    ASSERT_EQ(ToolbarIcons().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ToolbarIcons()[i].name, expected[i]);
        EXPECT_EQ(static_cast<std::size_t>(ToolbarIcons()[i].image), i);
    }
    for (const bool disabled : {false, true}) {
        const Raster strip = RenderToolbarStrip(disabled);
        ASSERT_EQ(strip.Width(), 240);
        ASSERT_EQ(strip.Height(), 24);
        for (const ToolbarIcon& icon : ToolbarIcons()) {
            SCOPED_TRACE(icon.name);
            const Raster own = RenderToolbarImage(icon.image);
            const Raster cell = strip.Crop(static_cast<int>(icon.image) * kCell, 0, kCell, kCell);
            EXPECT_EQ(cell, disabled ? DisabledLook(own) : own);
            // No two buttons look alike.
            for (const ToolbarIcon& other : ToolbarIcons()) {
                if (other.image == icon.image) continue;
                EXPECT_FALSE(cell == strip.Crop(static_cast<int>(other.image) * kCell, 0, kCell, kCell)) << other.name;
            }
        }
    }
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

TEST(ArtToolbar, DisabledLooksAreGreyLighterAndKeepTheShape) {
    const Raster normal = RenderToolbarStrip(false);
    const Raster disabled = RenderToolbarStrip(true);
    for (const ToolbarIcon& icon : ToolbarIcons()) {
        SCOPED_TRACE(icon.name);
        const int left = static_cast<int>(icon.image) * kCell;
        const Raster on = normal.Crop(left, 0, kCell, kCell);
        const Raster off = disabled.Crop(left, 0, kCell, kCell);
        EXPECT_FALSE(on == off);
        const Tone on_tone = ToneOf(on);
        const Tone off_tone = ToneOf(off);
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
