#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "skin/look/composition.h"
#include "skin_builtin_fixture.h"
#include "skin/look/skin_frame.h"

namespace vc {
namespace {

using skintest::BuiltInSkin;

FrameWindow Window(int width, int height) { return FrameWindow{width, height, 0, false, {}, Scale()}; }

int ButtonIndex(const FrameLayout& layout, int action, int visibility) {
    for (std::size_t i = 0; i < layout.Buttons().size(); ++i) {
        const auto* b = layout.Buttons()[i].data;
        if (b->Action == action && b->Visibility == visibility) return static_cast<int>(i);
    }
    return -1;
}

Point Centre(const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST(SkinFrame, ButtonsRegionPicturesAndSizesFollowTheWindowAndTheSkin) {
    int shaped = 0;
    for (int n = 0; n < 16; ++n) {
        SCOPED_TRACE("skin " + std::to_string(n));
        const auto data = BuiltInSkin(n);
        FrameWindow w = Window(800, 600);
        const FrameLayout normal(*data, w);
        const int close = ButtonIndex(normal, 0, 0), maximise = ButtonIndex(normal, 1, 2),
                  restore = ButtonIndex(normal, 1, 1), system = ButtonIndex(normal, 3, 0);
        ASSERT_TRUE(close >= 0 && maximise >= 0 && restore >= 0 && system >= 0);
        const auto shown = [&](const FrameLayout& l) {
            const auto& b = l.Buttons();
            return std::make_tuple(b[close].visible, b[maximise].visible, b[restore].visible, b[system].visible);
        };
        EXPECT_EQ(shown(normal), std::make_tuple(true, true, false, true));
        const Rect c = normal.Buttons()[close].bounds, r = normal.Buttons()[restore].bounds;
        EXPECT_EQ(normal.ButtonAt(Centre(c)), close);
        EXPECT_EQ(normal.ButtonAt(Point{c.right, c.bottom}), -1);
        EXPECT_EQ(normal.ButtonAt(Centre(r.IsEmpty() ? normal.Buttons()[maximise].bounds : r)), maximise);
        const Rect text = normal.CaptionTextArea();
        for (const auto& b : normal.Buttons())
            EXPECT_TRUE(!b.visible || b.bounds.Intersect(Rect{text.left, 0, text.right, 1000}).IsEmpty());

        w.caption.maximised = true;
        const FrameLayout maximised(*data, w);
        EXPECT_EQ(shown(maximised), std::make_tuple(true, false, true, true));

        // A window without a caption has no skinned frame at all.
        w = Window(800, 600);
        w.caption.border = 2;
        const FrameLayout bare(*data, w);
        EXPECT_EQ(bare.Client(), (Rect{0, 0, 800, 600}));
        EXPECT_TRUE(
            std::none_of(bare.Buttons().begin(), bare.Buttons().end(), [](const auto& b) { return b.visible; }));

        // Off the buttons, the region keeps exactly the painted frame's pixels that are not the key.
        const FrameLayout layout(*data, Window(320, 200));
        const FrameRegion region = BuildFrameRegion(*data, layout);
        const bool transparent = data->Left().Trans || data->Right().Trans || data->Top().Trans || data->Bottom().Trans;
        EXPECT_EQ(region.whole, !transparent);
        if (region.whole) continue;
        ++shaped;
        Bitmap sides(320, 200, MakePixel(1, 2, 3));
        const FramePicture picture = PaintFrame(*data, layout);
        const FrameSizes& f = layout.Sizes();
        Blit(sides, 0, 0, picture.title, picture.title.Bounds());
        Blit(sides, 0, f.top, picture.left, picture.left.Bounds());
        Blit(sides, 320 - f.right, f.top, picture.right, picture.right.Bounds());
        Blit(sides, f.left, 200 - f.bottom, picture.bottom, picture.bottom.Bounds());
        Bitmap kept(320, 200, 0);
        for (const Rect& rect : region.rects) kept.FillRect(rect, kOpaque);
        int mismatches = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 320; ++x) {
                bool under_button = false;
                for (const auto& b : layout.Buttons()) under_button |= b.visible && b.bounds.Contains(Point{x, y});
                if (!under_button && (kept.At(x, y) == kOpaque) == SameRgb(sides.At(x, y), kKeyPixel)) ++mismatches;
            }
        EXPECT_EQ(mismatches, 0);
    }
    EXPECT_EQ(shaped, 10);

    const auto data = BuiltInSkin(0);
    FrameWindow w = Window(500, 300);
    const FrameLayout active(*data, w);
    const FrameSizes f = active.Sizes();
    const FramePicture a = PaintFrame(*data, active);
    EXPECT_EQ(std::make_tuple(a.title.Width(), a.title.Height(), a.left.Height(), a.bottom.Width()),
              std::make_tuple(500, f.top, 300 - f.top, 500 - f.left - f.right));
    const int close = ButtonIndex(active, 0, 0);
    const Rect c = active.Buttons()[close].bounds;
    const FramePicture hot = PaintFrame(*data, active, FramePaintState{close});
    EXPECT_NE(CopyRect(hot.title, c), CopyRect(a.title, c));
    EXPECT_EQ(CopyRect(hot.title, Rect{0, 0, c.left, f.top}), CopyRect(a.title, Rect{0, 0, c.left, f.top}));

    w.caption.active = false;
    const FramePicture inactive = PaintFrame(*data, FrameLayout(*data, w));
    EXPECT_NE(inactive.left, a.left);  // the title's second image: every preview shows it

    w.minimised = true;
    const FramePicture minimised = PaintFrame(*data, FrameLayout(*data, w));
    EXPECT_EQ(std::make_pair(minimised.title.Width(), minimised.title.Height()), std::make_pair(500, 300));
    EXPECT_EQ(minimised.title.At(250, 299), PixelFromColour(data->ButtonFaceColour()));

    const auto other = BuiltInSkin(5);
    const FrameSizes before = SkinFrameSizes(*other);
    // Sizes round down: a title image one row taller than its two state images.
    Bitmap& top = other->Top().Map;
    Bitmap taller(top.Width(), top.Height() + 1);
    Blit(taller, 0, 0, top, top.Bounds());
    top = taller;
    EXPECT_EQ(SkinFrameSizes(*other).top, before.top);

    const Size outer = OuterSizeForClient(before, 19, 884, 600);
    w = Window(outer.width, outer.height);
    w.menu_bar_height = 19;
    const FrameLayout layout(*other, w);
    EXPECT_EQ(std::make_pair(layout.Client().Width(), layout.Client().Height()), std::make_pair(884, 600));
    EXPECT_EQ(layout.MenuBand().bottom, layout.Client().top);
}

}  // namespace
}  // namespace vc
