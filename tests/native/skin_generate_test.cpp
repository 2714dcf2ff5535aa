// Skins drawn in this process, loaded into TSkinData and looked at the way
// the runtime's painters slice them: arrows that point their way in every
// built-in theme, round and square corners. What every skin guarantees,
// its frame and caption buttons included, is checked on the built-in ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/composition.h"
#include "skin/skin_data.h"
#include "skin_generator.h"
#include "skin_paint.h"
#include "skin_theme_fixture.h"
#include "theme.h"

namespace vc {
namespace {

using skintest::Variant;

// The themes of the sixteen built-in skins: every finish, light and dark.
std::vector<theme::Theme> BuiltInThemes() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VC_SOURCE_DIR) / "skins"))
        if (entry.path().extension() == ".theme") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<theme::Theme> themes;
    for (const auto& file : files) themes.push_back(theme::LoadTheme(file));
    return themes;
}

struct Loaded {
    theme::Theme theme;
    TSkinData data;
};

std::unique_ptr<Loaded> Load(const theme::Theme& t) {
    auto l = std::make_unique<Loaded>();
    l->theme = t;
    l->data.SkinStream() = theme::GenerateSkin(t, "test.theme").stream;
    EXPECT_TRUE(l->data.LoadSkin());
    return l;
}

const TDataSkinObject& Object(const TSkinData& data, const char* name) {
    const TDataSkinObject* o = data.FindObject(name);
    if (!o) throw std::runtime_error(std::string("no ") + name);
    return *o;
}

// State image k (1-based) of n side by side.
Bitmap Cell(const Bitmap& image, int n, int k) { return CopyRect(image, StateImageRect(image, false, n, k)); }

int Distance(Pixel a, Pixel b) {
    return std::abs(PixelRed(a) - PixelRed(b)) + std::abs(PixelGreen(a) - PixelGreen(b)) +
           std::abs(PixelBlue(a) - PixelBlue(b));
}

Pixel ThemePixel(theme::Colour c) {
    const art::Pixel p = theme::ArtPixel(c);
    return MakePixel(p.r, p.g, p.b);
}

// How close the closest pixel of `cell` comes to `colour`.
int Nearest(const Bitmap& cell, Pixel colour) {
    int best = 1 << 20;
    for (int y = 0; y < cell.Height(); ++y)
        for (int x = 0; x < cell.Width(); ++x) best = std::min(best, Distance(cell.At(x, y), colour));
    return best;
}

bool IsKey(Pixel p) { return SameRgb(p, kKeyPixel); }

int KeyCount(const Bitmap& image) {
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) n += IsKey(image.At(x, y));
    return n;
}

double Brightness(Pixel p) { return (0.299 * PixelRed(p) + 0.587 * PixelGreen(p) + 0.114 * PixelBlue(p)) / 255; }

double Gap(Pixel a, Pixel b) { return std::abs(Brightness(a) - Brightness(b)); }

// Pixels of row y of an arrow button's square, columns 3 to 13, that stand
// out from column 2 of the same row (the button's surface beside the glyph).
int Ink(const Bitmap& image, int x0, int y, int from = 3, int to = 13) {
    int ink = 0;
    for (int x = x0 + from; x <= x0 + to; ++x) ink += Gap(image.At(x, y), image.At(x0 + 2, y)) > 0.06 ? 1 : 0;
    return ink;
}

// Where the glyph of `a` lies that `b` (the same button with the opposite
// arrow) has not, each pixel weighted by how far `a` has moved from `b`
// towards the glyph colour (its coverage, whatever the surface's shading).
std::pair<double, double> OwnInkCentre(const Bitmap& a, const Bitmap& b, Pixel glyph) {
    double sx = 0, sy = 0, total = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            const int plain = Distance(b.At(x, y), glyph);
            if (plain < 40) continue;
            const double w = std::max(0.0, double(plain - Distance(a.At(x, y), glyph)) / plain);
            sx += w * (x + 0.5);
            sy += w * (y + 0.5);
            total += w;
        }
    }
    EXPECT_GT(total, 3) << "no glyph to tell the arrows apart";
    return {sx / total, sy / total};
}

// A triangle's own ink (what its reverse does not cover) lies at its base,
// the side opposite the tip: a left arrow's to the right of the centre.
void ExpectArrowPair(const Bitmap& first, const Bitmap& second, Pixel glyph, bool horizontal,
                     const std::string& what) {
    const double cx = first.Width() / 2.0, cy = first.Height() / 2.0;
    const auto [ax, ay] = OwnInkCentre(first, second, glyph);
    const auto [bx, by] = OwnInkCentre(second, first, glyph);
    if (horizontal) {
        EXPECT_GT(ax, cx + 0.5) << what << ": left arrow";
        EXPECT_LT(bx, cx - 0.5) << what << ": right arrow";
        EXPECT_NEAR(ay, cy, 0.6) << what;
        EXPECT_NEAR(by, cy, 0.6) << what;
    } else {
        EXPECT_GT(ay, cy + 0.5) << what << ": up arrow";
        EXPECT_LT(by, cy - 0.5) << what << ": down arrow";
        EXPECT_NEAR(ax, cx, 0.6) << what;
        EXPECT_NEAR(bx, cx, 0.6) << what;
    }
}

TEST(SkinGenerateControls, ScrollbarArrowsAreSquareCellsPointingTheirWay) {
    for (const theme::Theme& t : BuiltInThemes()) {
        auto l = Load(t);
        const TDataSkinObject& bar = Object(l->data, "Scrollbar");
        EXPECT_EQ(bar.Map.Height(), 17);
        EXPECT_EQ(bar.Map.Width(), 23 * 17);
        const Pixel glyph = ThemePixel(t.palette.face_text);
        // Normal (1, 5, 9, 13) and hot (+3) of left, right, up and down.
        for (int state : {0, 3}) {
            const std::string what = t.name + " state +" + std::to_string(state);
            ExpectArrowPair(Cell(bar.Map, 23, 1 + state), Cell(bar.Map, 23, 5 + state), glyph, true, what);
            ExpectArrowPair(Cell(bar.Map, 23, 9 + state), Cell(bar.Map, 23, 13 + state), glyph, false, what);
        }
        // The disabled arrow recedes: its glyph is further from the text colour.
        EXPECT_LT(Nearest(Cell(bar.Map, 23, 1), glyph), 30) << t.name;
        EXPECT_GT(Nearest(Cell(bar.Map, 23, 3), glyph), 60) << t.name;
        // The grips are keyed onto the thumb: their cells are mostly key colour.
        for (int k = 17; k <= 22; ++k) {
            const int keyed = KeyCount(Cell(bar.Map, 23, k));
            EXPECT_GT(keyed, 17 * 17 / 2) << k;
            EXPECT_LT(keyed, 17 * 17) << k;
        }
    }
}

// The combo box's arrow button is derived from the drop-down button.
TEST(SkinGenerateControls, DerivedArrowButtonShowsADownArrowInEveryState) {
    for (const theme::Theme& t : BuiltInThemes()) {
        SCOPED_TRACE(t.name);
        auto l = Load(t);
        const TDataSkinObject& arrow = Object(l->data, "ComboxArrow");
        ASSERT_EQ(arrow.Map.Width(), 17 * 4);
        ASSERT_EQ(arrow.Map.Height(), 17);
        EXPECT_EQ(arrow.Frame, 4);
        double contrast[4] = {};
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(k + 1);
            const int x0 = 17 * k;
            contrast[k] = Gap(arrow.Map.At(x0 + 8, 8), arrow.Map.At(x0 + 8, 14));
            // It points down: its first row of ink is wider than its last.
            int first = -1, last = -1;
            for (int y = 4; y < 14; ++y) {
                if (Ink(arrow.Map, x0, y) == 0) continue;
                if (first < 0) first = y;
                last = y;
            }
            ASSERT_GE(first, 0);
            EXPECT_GT(last - first, 1);
            EXPECT_GE(Ink(arrow.Map, x0, first), 6);
            EXPECT_GT(Ink(arrow.Map, x0, first), Ink(arrow.Map, x0, last) + 2);
            // Centred on column 8: as much ink left of it as right of it.
            EXPECT_EQ(Ink(arrow.Map, x0, first, 3, 7), Ink(arrow.Map, x0, first, 9, 13));
        }
        for (int k = 0; k < 3; ++k) EXPECT_GE(contrast[k], 0.3) << "state " << k + 1;
        // Disabled: still there, but fainter than at rest.
        EXPECT_GT(contrast[3], 0.08);
        EXPECT_LT(contrast[3], contrast[0] - 0.1);
    }
}

// Round corners are keyed and lie inside the fixed margins; square ones
// leave nothing to key, in the check and radio strips that share the push
// buttons' Trans either: the round radio button is laid on the face.
TEST(SkinGenerateControls, RoundButtonCornersAreKeyedAndSquareOnesAreNot) {
    auto round = Load(theme::LoadTheme(std::filesystem::path(VC_SOURCE_DIR) / "skins" / "05-lagoon.theme"));
    const TDataSkinButton& b = round->data.Buttons();
    const Bitmap normal = Cell(b.Map, 5, 1);
    EXPECT_TRUE(IsKey(normal.At(0, 0)));
    EXPECT_FALSE(IsKey(normal.At(normal.Width() / 2, normal.Height() / 2)));
    EXPECT_GE(b.LeftWidth, 6);
    EXPECT_GE(b.TopHeight, 6);
    EXPECT_TRUE(IsKey(b.RadioMap.At(0, 0)));
    // The focused button is ringed with the accent.
    const Bitmap focused = Cell(b.Map, 5, 5);
    EXPECT_LT(Distance(focused.At(normal.Width() / 2, 0), ThemePixel(round->theme.palette.accent)), 20);
    EXPECT_EQ(PixelFromColour(b.NormalColour2), ThemePixel(round->theme.palette.face_text) | kOpaque);

    auto square = Load(Variant({{"ControlRadius", "0"}}));
    EXPECT_EQ(square->data.Buttons().Trans, 0);
    EXPECT_EQ(KeyCount(square->data.Buttons().Map), 0);
    EXPECT_EQ(KeyCount(square->data.Buttons().RadioMap), 0);
    EXPECT_EQ(square->data.Buttons().RadioMap.At(0, 0), ThemePixel(square->theme.palette.face));
}

}  // namespace
}  // namespace vc
