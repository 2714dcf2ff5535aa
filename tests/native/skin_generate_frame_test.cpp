// The generated window frame and caption buttons, loaded back into
// the skin data and composed the way the frame painter lays them out: the
// sides beside the whole window height, the top and bottom between them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/composition.h"
#include "skin/skin_data.h"
#include "skin/skin_preview.h"
#include "skin_generator.h"
#include "skin_theme_fixture.h"
#include "theme.h"

namespace vc {
namespace {

using skintest::Variant;

struct Loaded {
    theme::Theme theme;
    TSkinData data;
};

void Load(Loaded& skin, const theme::Theme& theme) {
    skin.theme = theme;
    skin.data.SkinStream() = theme::GenerateSkin(theme, "variant.theme").stream;
    ASSERT_TRUE(skin.data.LoadSkin());
}

bool IsKey(Pixel p) { return SameRgb(p, kKeyPixel); }

int CountKey(const Bitmap& image, const Rect& area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) n += IsKey(image.At(x, y));
    return n;
}

// A whole window frame as the frame painter composes it, opaque: the key
// colour is still there where the window region leaves pixels out.
Bitmap ComposeWindow(TSkinData& data, int width, int height, bool active) {
    Bitmap window(width, height, MakePixel(1, 2, 3));
    const FrameSizes f = SkinFrameSizes(data);
    const auto side = [&](TDataSkinBorder& s, const Rect& r, bool horizontal) {
        const int k = active || s.FrameCount() < 2 ? 1 : 2;
        DrawNineSlice(window, r, s.Map, horizontal, s.Tile != 1, false, s.FrameCount(), k, s.GetMargins());
    };
    side(data.Left(), Rect{0, 0, f.left, height}, false);
    side(data.Right(), Rect{width - f.right, 0, width, height}, false);
    side(data.Bottom(), Rect{f.left, height - f.bottom, width - f.right, height}, true);
    side(data.Top(), Rect{f.left, 0, width - f.right, f.top}, true);
    return window;
}

// Whether (x, y) is inside the window region the frame painter builds: the
// sides with Trans contribute their non-key pixels, the others whole.
bool InRegion(TSkinData& data, const Bitmap& window, int x, int y) {
    const FrameSizes f = SkinFrameSizes(data);
    const int w = window.Width(), h = window.Height();
    const TDataSkinBorder* side = nullptr;
    if (x < f.left) side = &data.Left();
    else if (x >= w - f.right) side = &data.Right();
    else if (y < f.top) side = &data.Top();
    else if (y >= h - f.bottom) side = &data.Bottom();
    if (!side || side->Trans == 0) return true;
    return !IsKey(window.At(x, y));
}

const TDataSkinSysButton* ButtonOf(TSkinData& data, int action, int visibility = -99) {
    for (const auto& b : data.CaptionButtons())
        if (b->Action == action && b->Visibility != 100 && (visibility == -99 || b->Visibility == visibility))
            return b.get();
    return nullptr;
}

TEST(SkinGenerateFrame, RoundedCornersAreCutOutOfTheRegion) {
    Loaded skin;
    Load(skin, Variant({{"CornerRadius", "10"}, {"BottomRadius", "9"}, {"Border", "5"}, {"Finish", "glass"}}));
    TSkinData& data = skin.data;
    // A radius of 10 reaches past the 5-pixel side into the top, one of 9
    // into the bottom; both states of a side are cut.
    for (bool active : {true, false}) {
        SCOPED_TRACE(active ? "active" : "inactive");
        const int w = 320, h = 240;
        const Bitmap window = ComposeWindow(data, w, h, active);
        for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {1, 1}, {w - 2, 1}})
            EXPECT_FALSE(InRegion(data, window, x, y)) << x << "," << y;
        // The curve is a quarter circle: 10 pixels down the edge is inside,
        // the middle of every edge is inside, and so is the title.
        for (const auto& [x, y] : {std::pair{0, 10}, {w - 1, 10}, {w / 2, 0}, {0, h / 2}, {w / 2, h - 1},
                                   {w / 2, 13}, {10, 0}, {w - 11, 0}, {9, h - 1}, {w - 10, h - 1}})
            EXPECT_TRUE(InRegion(data, window, x, y)) << x << "," << y;
        // The region is symmetric left to right.
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                EXPECT_EQ(InRegion(data, window, x, y), InRegion(data, window, w - 1 - x, y)) << x << "," << y;
        // Nothing inside the outline is the key colour.
        EXPECT_EQ(CountKey(window, Rect{0, 12, w, h - 10}), 0);
    }
}

TEST(SkinGenerateFrame, CaptionButtonsAreCompleteAndSitInTheTitle) {
    Loaded skin;
    Load(skin, Variant({{"CaptionButtonWidth", "23"}, {"CaptionButtonHeight", "18"}, {"CaptionButtonGap", "3"},
                        {"CornerRadius", "12"}, {"TitleHeight", "27"}}));
    TSkinData& data = skin.data;
    const TDataSkinSysButton* close = ButtonOf(data, 0);
    const TDataSkinSysButton* maximise = ButtonOf(data, 1, 2);
    const TDataSkinSysButton* restore = ButtonOf(data, 1, 1);
    const TDataSkinSysButton* minimise = ButtonOf(data, 2);
    const TDataSkinSysButton* system = ButtonOf(data, 3);
    ASSERT_TRUE(close && maximise && restore && minimise && system);
    EXPECT_EQ(maximise->Visibility1, 6) << "only with a maximise box";
    EXPECT_EQ(restore->Visibility1, 6);
    EXPECT_EQ(minimise->Visibility1, 8) << "only with a minimise box";
    EXPECT_EQ(close->Visibility1, 0);
    EXPECT_EQ(system->Align, 0) << "the icon at the left of the title";

    const int w = 400;
    const Bitmap window = ComposeWindow(data, w, 200, true);
    for (const TDataSkinSysButton* b : {close, maximise, restore, minimise}) {
        SCOPED_TRACE(b->Name);
        EXPECT_EQ(b->Frame, 4);
        EXPECT_EQ(b->Map.Width(), 4 * 23);
        EXPECT_EQ(b->Map.Height(), 18);
        EXPECT_EQ(b->Ycoord, (27 - 18) / 2) << "centred in the title";
        // Each state differs from the others (pressed, hot and inactive show).
        for (int k = 1; k < 4; ++k) {
            const Bitmap a = CopyRect(b->Map, StateImageRect(b->Map, false, 4, k));
            const Bitmap c = CopyRect(b->Map, StateImageRect(b->Map, false, 4, k + 1));
            EXPECT_NE(a, c) << "states " << k << " and " << k + 1;
        }
        // All four corners of the button lie inside the window's shape.
        const Rect r = CaptionButtonBounds(*b, w);
        EXPECT_LE(r.right, w - 4);
        for (const auto& [x, y] : {std::pair{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}})
            EXPECT_TRUE(InRegion(data, window, x, y)) << x << "," << y;
    }
    // From the right: close, maximise (or restore in its place), minimise;
    // none overlaps another, and the caption text stops short of them.
    const Rect c = CaptionButtonBounds(*close, w), m = CaptionButtonBounds(*maximise, w),
               r = CaptionButtonBounds(*restore, w), n = CaptionButtonBounds(*minimise, w);
    EXPECT_EQ(m.left, r.left);
    EXPECT_EQ(c.left - m.right, 3);
    EXPECT_EQ(m.left - n.right, 3);
    EXPECT_LE(w - data.Title().TextRightClip(), n.left);
    EXPECT_GE(data.Title().TextShift(), system->Xcoord + 16);
    // The glyphs tell the buttons apart.
    EXPECT_NE(maximise->Map, restore->Map);
}

}  // namespace
}  // namespace vc
