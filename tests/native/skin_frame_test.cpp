#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "skin/look/composition.h"
#include "skin_builtin_fixture.h"
#include "skin_data_fixture.h"
#include "skin/look/skin_frame.h"

namespace vc {
namespace {

using skintest::BuiltInSkin;

FrameWindow Window(int width, int height) { return FrameWindow{width, height, 0, false, {}, Scale()}; }

int ButtonIndex(const FrameLayout& layout, CaptionAction action, CaptionShow visibility) {
    for (std::size_t i = 0; i < layout.Buttons().size(); ++i) {
        const auto* b = layout.Buttons()[i].data;
        if (b->Action == action && b->Visibility == visibility) return static_cast<int>(i);
    }
    return -1;
}

Point Centre(const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class EverySkinsFrame : public skintest::EachBuiltInSkin {
protected:
    FrameWindow w = Window(800, 600);
    const FrameLayout normal{data, w};
    const int close = ButtonIndex(normal, CaptionAction::Close, CaptionShow::Always),
              maximise = ButtonIndex(normal, CaptionAction::Maximise, CaptionShow::NotMaximised),
              restore = ButtonIndex(normal, CaptionAction::Maximise, CaptionShow::Maximised),
              system = ButtonIndex(normal, CaptionAction::SystemMenuIcon, CaptionShow::Always);
};
INSTANTIATE_TEST_SUITE_P(, EverySkinsFrame, skintest::AllBuiltInSkins(), skintest::SkinNumber);

TEST_P(EverySkinsFrame, CaptionButtonsShowAsTheWindowsStateAsks) {
    ASSERT_TRUE(close >= 0 && maximise >= 0 && restore >= 0 && system >= 0);
    const auto shown = [&](const FrameLayout& l) {
        const auto& b = l.Buttons();
        return std::make_tuple(b[close].visible, b[maximise].visible, b[restore].visible, b[system].visible);
    };
    EXPECT_EQ(shown(normal), std::make_tuple(true, true, false, true));
    w.caption.maximised = true;
    EXPECT_EQ(shown(FrameLayout(data, w)), std::make_tuple(true, false, true, true));
}

TEST_P(EverySkinsFrame, ButtonsAreHitInsideTheirBoundsAndKeepOffTheCaptionText) {
    ASSERT_TRUE(close >= 0 && maximise >= 0 && restore >= 0);
    const Rect c = normal.Buttons()[close].bounds, r = normal.Buttons()[restore].bounds;
    EXPECT_EQ(normal.ButtonAt(Centre(c)), close);
    EXPECT_EQ(normal.ButtonAt(Point{c.right, c.bottom}), -1);
    EXPECT_EQ(normal.ButtonAt(Centre(r.IsEmpty() ? normal.Buttons()[maximise].bounds : r)), maximise);
    const Rect text = normal.CaptionTextArea();
    for (const auto& b : normal.Buttons())
        EXPECT_TRUE(!b.visible || b.bounds.Intersect(Rect{text.left, 0, text.right, 1000}).IsEmpty());
}

TEST_P(EverySkinsFrame, AWindowWithoutACaptionHasNoSkinnedFrame) {
    w.caption.border = FrameBorder::NoCaption;
    const FrameLayout bare(data, w);
    EXPECT_EQ(bare.Client(), (Rect{0, 0, 800, 600}));
    EXPECT_TRUE(std::none_of(bare.Buttons().begin(), bare.Buttons().end(), [](const auto& b) { return b.visible; }));
}

// Off the buttons, the region keeps exactly the painted frame's pixels that are not the key.
TEST_P(EverySkinsFrame, TheRegionKeepsThePaintedFramesPixelsThatAreNotTheKey) {
    const FrameLayout layout(data, Window(320, 200));
    const FrameRegion region = BuildFrameRegion(data, layout);
    EXPECT_EQ(region.whole, !(data.Left().Keyed() || data.Right().Keyed() || data.Top().Keyed() || data.Bottom().Keyed()));
    if (region.whole) return;
    Bitmap sides(320, 200, MakePixel(1, 2, 3));
    const FramePicture picture = PaintFrame(data, layout);
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

// Buttons with a grey for each state image (10, 20, 30, 40), aligned every way a skin file can say.
TEST(SkinFrame, ButtonsAlignToTheWindowOrTheCaptionAreaAndShowTheImageOfTheirState) {
    std::string ini = "[Fonts]\nFontHeight=1\n[Personality]\nTop=t.bmp\nTextAlignment=2\n"
                      "[Colours]\nTitleTextActive=1 2 3\nTitleTextNoActive=4 5 6\n";
    for (const auto& [align, x] : {std::pair{0, 2}, {1, 20}, {2, 1}, {3, 1}, {8, 30}, {9, 30}, {4, 7}})
        ini += "[Button" + std::to_string(align) + "]\nAction=5\nframe=4\nButtonImage=b.bmp\nAlign=" +
               std::to_string(align) + "\nXcoord=" + std::to_string(x) + "\n";
    TSkinData data;
    data.SkinStream() =
        skintest::Pack(ini, {{"b.bmp", skintest::States(10, 10, 4)}, {"t.bmp", skintest::Solid(8, 20, 0, 0, 0)}});
    ASSERT_TRUE(data.LoadSkin());
    FrameWindow w = Window(300, 100);
    const FrameLayout layout(data, w);
    std::vector<int> lefts;
    for (const auto& b : layout.Buttons()) lefts.push_back(b.bounds.left);
    // The caption area runs from 16 to 276 between the window's buttons (align 0 and 1).
    EXPECT_EQ(lefts, (std::vector<int>{2, 280, 265, 17, 236, 46, 0, 0, 0, 0}));
    EXPECT_EQ(layout.RightButtonsLeft(), 280);
    // What the buttons leave runs from 60 to 232; centred on the window that is 68 to 232.
    EXPECT_EQ(std::make_pair(layout.CaptionTextArea().left, layout.CaptionTextArea().right), std::make_pair(68, 232));
    const CaptionTextStyle active = CaptionText(data, layout);
    EXPECT_EQ(std::make_tuple(active.font_height, active.align, active.colour),
              std::make_tuple(1, CaptionTextStyle::Align::Centre, Colour{0x030201}));
    const auto image_at = [&](const FrameLayout& l, FramePaintState state) {
        return PixelRed(PaintFrame(data, l, state).title.At(11, 5)) / 10;
    };
    EXPECT_EQ(
        std::make_tuple(image_at(layout, {}), image_at(layout, {0}), image_at(layout, {0, 0}), image_at(layout, {1})),
        std::make_tuple(1, 3, 2, 1))
        << "normal, hot, pressed over hot, another hot";
    w.caption.active = false;
    const FrameLayout inactive(data, w);
    EXPECT_EQ(std::make_pair(image_at(inactive, {}), image_at(inactive, {0})), std::make_pair(4, 3));
    EXPECT_EQ(CaptionText(data, inactive).colour, Colour{0x060504});

    // Sides two rows high still take their shape from the key colour, on a window one pixel wide too.
    Bitmap thin(8, 2, 0);
    thin.Set(0, 0, kKeyPixel);
    data.SkinStream() = skintest::Pack("[Personality]\nTop=t.bmp\nBottom=t.bmp\n", {{"t.bmp", thin}});
    ASSERT_TRUE(data.LoadSkin());
    const FrameRegion region = BuildFrameRegion(data, FrameLayout(data, Window(40, 30)));
    for (const Point key : {Point{0, 0}, Point{0, 28}})
        EXPECT_TRUE(std::none_of(region.rects.begin(), region.rects.end(), [&](const Rect& r) { return r.Contains(key); }));
    EXPECT_FALSE(BuildFrameRegion(data, FrameLayout(data, Window(1, 30))).whole);
    EXPECT_TRUE(BuildFrameRegion(data, FrameLayout(data, Window(0, 30))).whole) << "no size, no shape";
    EXPECT_TRUE(BuildFrameRegion(data, FrameLayout(data, Window(40, 0))).whole);
}

TEST(SkinFrame, PicturesAndSizesFollowTheWindowAndTheSkin) {
    const auto data = BuiltInSkin(0);
    FrameWindow w = Window(500, 300);
    const FrameLayout active(*data, w);
    const FrameSizes f = active.Sizes();
    const FramePicture a = PaintFrame(*data, active);
    EXPECT_EQ(std::make_tuple(a.title.Width(), a.title.Height(), a.left.Height(), a.bottom.Width()),
              std::make_tuple(500, f.top, 300 - f.top, 500 - f.left - f.right));

    w.caption.active = false;
    const FramePicture inactive = PaintFrame(*data, FrameLayout(*data, w));
    EXPECT_NE(inactive.left, a.left);  // the title's second image: every preview shows it
    const FramePicture none = PaintFrame(*data, FrameLayout(*data, Window(0, 300)));
    EXPECT_TRUE(none.title.Empty() && none.left.Empty() && none.right.Empty()) << "no width, no frame";

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
