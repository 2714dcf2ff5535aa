#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "effects/animation_frames.h"
#include "effects/caption_geometry.h"

namespace vc::effects {
namespace {

constexpr Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | (g << 8) | (b << 16)); }

// A band as "left-right:BBGGRR", to compare whole bands at once.
std::string Band(const ColourBand& band) {
    char text[40];
    std::snprintf(text, sizeof text, "%d-%d:%06X", band.left, band.right, static_cast<unsigned>(band.colour));
    return text;
}

// Every character 7 pixels wide, dots 3: enough to tell fits apart.
int FixedWidth(std::string_view text) {
    int w = 0;
    for (char c : text) w += c == '.' ? 3 : 7;
    return w;
}
const MeasureText kMeasure = FixedWidth;

TEST(EffectsMulDiv, RoundsHalfAwayFromZeroAndRefusesZeroDivisor) {
    EXPECT_EQ(MulDiv(1, -255, 2), -128);
    EXPECT_EQ(MulDiv(-1, 255, -2), 128);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(MulDiv(1 << 30, 8, 1), -1) << "a result beyond 32 bits";
    EXPECT_EQ(MulDiv(1 << 30, 8, 16), 1 << 29) << "the product may pass 32 bits";
}

TEST(EffectsGradient, BandsRunFromStartToEndTheLastToTheEdgeAtLeastTwoAndNoMoreThanPixels) {
    const auto bands = GradientBands(Rgb(255, 0, 0), Rgb(0, 0, 255), 64, 1000);
    ASSERT_EQ(bands.size(), 64u);
    EXPECT_EQ(Band(bands[0]), "0-15:0000FF") << "1000 div 64";
    // 255 + MulDiv(1, -255, 63) = 255 - 4 (4.05 rounds to 4).
    EXPECT_EQ(Band(bands[1]), "15-30:0400FB");
    // MulDiv(32, 255, 63) = 129.5... rounds to 130.
    EXPECT_EQ(bands[32].colour, Rgb(255 - 130, 0, 130));
    EXPECT_EQ(Band(bands[63]), "945-1000:FF0000") << "the last band takes the remainder";
    for (std::size_t i = 1; i < bands.size(); ++i) EXPECT_EQ(bands[i].left, bands[i - 1].right);

    const Colour black = Rgb(0, 0, 0);
    const Colour white = Rgb(255, 255, 255);
    const auto narrow = GradientBands(black, white, 64, 10);
    ASSERT_EQ(narrow.size(), 10u);
    EXPECT_EQ(narrow[5].colour, Rgb(142, 142, 142)) << "MulDiv(5, 255, 9) = 141.67";
    const auto onePixel = GradientBands(black, white, 64, 1);
    ASSERT_EQ(onePixel.size(), 2u);
    EXPECT_EQ(Band(onePixel[0]) + " " + Band(onePixel[1]), "0-0:000000 0-1:FFFFFF") << "the first band empty";
    EXPECT_EQ(GradientBands(black, white, 2, 101).at(1).left, 50);

    // Fewer than two steps or equal colours: one solid fill.
    for (int steps : {1, 0}) {
        const auto solid = GradientBands(black, white, steps, 300);
        ASSERT_EQ(solid.size(), 1u) << steps;
        EXPECT_EQ(Band(solid[0]), "0-300:000000");
    }
    ASSERT_EQ(GradientBands(white, white, 64, 300).size(), 1u);
    EXPECT_TRUE(GradientBands(black, white, 64, 0).empty());
}

FrameStyle Frame(FrameBorder border, bool close = true, bool minimise = true, bool maximise = true, bool help = false) {
    return FrameStyle{border, maximise, minimise, close, FrameState::Normal, help};
}

TEST(EffectsCaptionRect, EachBorderKindInsetsAndShortensTheCaption) {
    // Frame 4 x 5, dialog frame 3 x 2, captions 19 and 15, buttons 18 and 12.
    const CaptionMetrics m{4, 5, 3, 2, 19, 15, 18, 12};
    const auto withHelp = [](FrameBorder border) { return Frame(border, true, true, true, true); };
    // The title bar is one row short of the caption height (the frame's line under it).
    EXPECT_EQ(CaptionRect(400, 300, Frame(FrameBorder::Sizable), m), (Rect{4, 5, 396 - 3 * 18, 5 + 18}));
    EXPECT_EQ(CaptionRect(400, 300, Frame(FrameBorder::Fixed), m), (Rect{3, 2, 397 - 3 * 18, 2 + 18}));
    EXPECT_EQ(CaptionRect(400, 300, withHelp(FrameBorder::DialogFrame), m), (Rect{3, 2, 397 - 2 * 18, 2 + 18}));
    EXPECT_EQ(CaptionRect(400, 300, withHelp(FrameBorder::ToolWindow), m), (Rect{3, 2, 397 - 12, 2 + 14}));
    EXPECT_EQ(CaptionRect(400, 300, withHelp(FrameBorder::SizableToolWindow), m), (Rect{4, 5, 396 - 12, 5 + 14}));
    EXPECT_EQ(CaptionButtonCount(Frame(FrameBorder::SizableToolWindow, false, false, false, false)), 0);
}

TEST(EffectsCaptionRect, ButtonCountForEveryIconCombination) {
    struct Case {
        bool close, minimise, maximise, help;
        int count;
    };
    const Case cases[] = {
        {false, false, false, false, 0},
        {true, false, false, false, 1},
        {true, true, false, false, 3},  // the missing maximise box is drawn disabled
        {true, false, true, false, 3},
        {true, false, false, true, 2},  // help shows beside close alone
        {true, true, false, true, 3},   // help gives way to minimise
        {false, true, true, false, 0},  // no system menu: no boxes
        {false, true, false, true, 1},  // ... but help stays
    };
    for (const Case& c : cases)
        for (FrameBorder border : {FrameBorder::Fixed, FrameBorder::Sizable, FrameBorder::NoCaption})
            EXPECT_EQ(CaptionButtonCount(Frame(border, c.close, c.minimise, c.maximise, c.help)), c.count)
                << c.close << c.minimise << c.maximise << c.help;
    EXPECT_EQ(CaptionButtonCount(Frame(FrameBorder::DialogFrame, false, true, true, true)), 1);

    EXPECT_TRUE(CaptionShowsIcon(Frame(FrameBorder::Fixed, true, false, false)));
    EXPECT_FALSE(CaptionShowsIcon(Frame(FrameBorder::Sizable, false)));
    EXPECT_FALSE(CaptionShowsIcon(Frame(FrameBorder::DialogFrame, true, false, false)));
}

// The layout as "index:text@left-right" pieces, to compare whole layouts.
std::string Placed(const std::vector<CaptionPieceInput>& pieces, int width,
                   THideDirection direction = THideDirection::hdLeftToRight, bool rightToLeft = false) {
    std::string text;
    for (const PlacedPiece& p : LayoutCaptionPieces(pieces, width, direction, rightToLeft, kMeasure))
        text += (text.empty() ? "" : "|") + std::to_string(p.index) + ":" + p.text + "@" + std::to_string(p.left) +
                "-" + std::to_string(p.right);
    return text;
}

TEST(EffectsCaptionPieces, PiecesGiveWayFromTheHideDirectionThenFitWithDots) {
    const std::vector<CaptionPieceInput> pieces = {{"Book"}, {" - "}, {"Title"}};  // 28, 21 and 35 wide
    EXPECT_EQ(Placed(pieces, 84), "0:Book@0-28|1: - @28-49|2:Title@49-84");
    EXPECT_EQ(Placed(pieces, 83), "1: - @0-21|2:Title@21-56") << "the leftmost goes first";
    EXPECT_EQ(Placed(pieces, 83, THideDirection::hdRightToLeft), "0:Book@0-28|1: - @28-49");
    EXPECT_EQ(Placed(pieces, 30), "2:Tit...@0-30") << "the last piece standing is shortened";
    EXPECT_EQ(Placed({{"Book"}, {"Title"}}, 100, THideDirection::hdLeftToRight, true), "0:Book@72-100|1:Title@37-72")
        << "right-to-left fills from the right end";
    EXPECT_EQ(Placed({}, 100), "");
    EXPECT_EQ(Placed({{"Book"}}, 0), "");
    EXPECT_EQ(FitWithEllipsis("abcd efgh", 40, kMeasure), "abcd...") << "spaces before the dots are dropped";
    EXPECT_EQ(FitWithEllipsis("Chapter", 9, kMeasure), "...");
    EXPECT_EQ(FitWithEllipsis("Chapter", 8, kMeasure), "..") << "not even the dots fit";
}

TEST(EffectsCaptionPieces, GluedPiecesInvisibleOnesAndOnesInTheirOwnFont) {
    std::vector<CaptionPieceInput> pieces = {{"Book"}, {" - "}, {"Title"}};
    pieces[0].glueNext = true;  // "Book" and " - " stand or fall together
    EXPECT_EQ(Placed(pieces, 83), "2:Title@0-35");
    EXPECT_EQ(Placed(pieces, 60, THideDirection::hdRightToLeft), "0:Book@0-28|1: - @28-49");
    EXPECT_EQ(Placed(pieces, 40, THideDirection::hdRightToLeft), "0:Book@0-28|1:...@28-37") << "fitted piece by piece";

    pieces[1].visible = false;  // glue passes to the next visible piece
    EXPECT_EQ(Placed(pieces, 63), "0:Book@0-28|2:Title@28-63");
    EXPECT_EQ(Placed(pieces, 51), "0:Book@0-28|2:Ti...@28-51");

    // A piece measured in its own font.
    const MeasureText wide = [](std::string_view t) { return static_cast<int>(t.size()) * 20; };
    pieces = {{"ab"}, {"cd"}};
    pieces[1].measure = &wide;
    EXPECT_EQ(Placed(pieces, 54, THideDirection::hdRightToLeft), "0:ab@0-14|1:cd@14-54");
    EXPECT_EQ(Placed(pieces, 53, THideDirection::hdRightToLeft), "0:ab@0-14");
}

constexpr FrameShape kAllShapes[] = {FrameShape::Ellipse,    FrameShape::Rectangle,  FrameShape::RoundedRectangle,
                                     FrameShape::Horizontally, FrameShape::Vertically, FrameShape::Television,
                                     FrameShape::ToBottom,   FrameShape::ToTop};

TEST(EffectsFrames, CountsAndEndsOfEachShapeAndTinyWindowsWithinTheListsRoom) {
    struct Case {
        FrameShape shape;
        int height;
        std::size_t count;
        RegionKind kind;
        Box first, last;
    };
    const Case cases[] = {
        // The step that moves x to the right edge leaves crossed edges: nothing.
        {FrameShape::Ellipse, 470, 118, RegionKind::Ellipse, {0, 2, 650, 468}, {650, 236, 0, 234}},
        {FrameShape::RoundedRectangle, 470, 118, RegionKind::RoundRectangle, {0, 2, 650, 468}, {650, 236, 0, 234}},
        {FrameShape::Vertically, 470, 118, RegionKind::Rectangle, {0, 2, 650, 468}, {650, 236, 0, 234}},
        {FrameShape::Horizontally, 470, 163, RegionKind::Rectangle, {0, 0, 650, 470}, {324, 0, 326, 470}},
        {FrameShape::Television, 470, 157, RegionKind::Rectangle, {0, 2, 650, 468}, {320, 234, 330, 236}},
        {FrameShape::ToBottom, 470, 235, RegionKind::Rectangle, {0, 2, 650, 470}, {0, 470, 650, 470}},
        {FrameShape::ToTop, 471, 236, RegionKind::Rectangle, {0, 0, 650, 469}, {0, 0, 650, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.shape));
        const auto frames = BuildFrames(c.shape, 650, c.height, 30, 16);
        ASSERT_EQ(frames.size(), c.count);
        EXPECT_EQ(frames.front().kind, c.kind);
        EXPECT_EQ(frames.front().box, c.first);
        EXPECT_EQ(frames.back().box, c.last);
    }

    // The list has room for max(W, H) frames: no window overfills it.
    for (FrameShape shape : kAllShapes)
        for (int w = 0; w <= 40; ++w)
            for (int h = 0; h <= 40; ++h)
                EXPECT_LE(BuildFrames(shape, w, h).size(), static_cast<std::size_t>(std::max(w, h)))
                    << static_cast<int>(shape) << " " << w << "x" << h;
    for (FrameShape shape : kAllShapes) EXPECT_TRUE(BuildFrames(shape, -5, -5).empty()) << "a negative size is none";
    EXPECT_EQ(BuildFrames(FrameShape::ToBottom, 1, 1).front().box, (Box{0, 2, 1, 1})) << "one line for a sliding edge";
    EXPECT_TRUE(BuildFrames(FrameShape::Television, 12, 4).empty()) << "too short for the first 8-pixel step";
    EXPECT_EQ(BuildFrames(FrameShape::Television, 14, 4).size(), 1u);
}

TEST(EffectsFrames, OpeningEffectNumbersAndPlayers) {
    const std::pair<int, AnimationEffect> numbers[] = {
        {0, AnimationEffect::DisappearEllipse}, {4, AnimationEffect::DisappearHorizontally},
        {9, AnimationEffect::AppearTelevision}, {11, AnimationEffect::AppearToTop},
        {13, AnimationEffect::AppearToBottom}};
    for (const auto& [number, effect] : numbers) EXPECT_EQ(OpeningEffect(number), effect) << number;

    // 0 to 13 alternate Disappear and Appear over seven shapes, never the rounded rectangle.
    std::vector<FrameShape> shapes;
    for (int n = 0; n < 14; ++n) {
        const EffectPlan plan = PlanOf(*OpeningEffect(n));
        EXPECT_EQ(plan.appear, n % 2 == 1) << n;
        EXPECT_NE(plan.shape, FrameShape::RoundedRectangle);
        EXPECT_TRUE(n % 2 == 0 || PlanOf(*OpeningEffect(n - 1)).shape == plan.shape) << n;
        shapes.push_back(plan.shape);
    }
    std::sort(shapes.begin(), shapes.end());
    EXPECT_EQ(std::unique(shapes.begin(), shapes.end()) - shapes.begin(), 7);
    EXPECT_EQ(PlanOf(AnimationEffect::AppearRoundedRectangle).shape, FrameShape::RoundedRectangle);
    EXPECT_TRUE(PlanOf(AnimationEffect::AppearRoundedRectangle).appear &&
                !PlanOf(AnimationEffect::DisappearRoundedRectangle).appear);
}

using std::chrono::milliseconds;

// A scripted clock: time moves only by a frame's cost or a sleep.
class ScriptedClock : public FrameClock {
public:
    Micros Now() override { return now_; }
    void Sleep(Micros span) override {
        EXPECT_GT(span.count(), 0) << "a sleep of nothing";
        now_ += span;
    }
    void Spend(Micros span) { now_ += span; }

private:
    Micros now_{milliseconds(1000)};
};

struct Shown {
    std::size_t frame;
    Micros start;
    Micros end;
};

// Plays count frames, the n-th shown costing cost(n), and records what was shown when.
template <class Cost>
std::vector<Shown> Play(std::size_t count, Cost cost) {
    ScriptedClock clock;
    const Micros origin = clock.Now();
    std::vector<Shown> shown;
    const std::size_t returned = PlayPaced(count, clock, [&](std::size_t frame) {
        const Micros start = clock.Now() - origin;
        clock.Spend(cost(shown.size()));
        shown.push_back({frame, start, clock.Now() - origin});
    });
    EXPECT_EQ(returned, shown.size());
    return shown;
}

TEST(EffectsPacing, ASlowPlatformDropsFramesEvenlyAFastOneShowsEveryFrameAtItsTime) {
    // 118 frames (the standard window's ellipse), a little to far slower than the pace.
    for (int costMs : {3, 7, 25, 30, 45, 130}) {
        SCOPED_TRACE(costMs);
        const auto shown = Play(118, [&](std::size_t) { return Micros(milliseconds(costMs)); });
        ASSERT_GE(shown.size(), 3u);
        EXPECT_EQ(shown.front().frame, 0u);
        EXPECT_EQ(shown.back().frame, 117u);
        EXPECT_LE(shown.back().end, milliseconds(400));
        std::size_t shortest = 118, longest = 0;
        for (std::size_t i = 1; i < shown.size(); ++i) {
            const std::size_t step = shown[i].frame - shown[i - 1].frame;
            shortest = std::min(shortest, step);
            longest = std::max(longest, step);
            EXPECT_GE(shown[i].start - shown[i - 1].start, milliseconds(std::max(costMs, 16)));
        }
        EXPECT_LE(longest - shortest, 1u) << "frames are dropped evenly";
    }
    const auto crawling = Play(118, [](std::size_t) { return Micros(milliseconds(500)); });
    ASSERT_EQ(crawling.size(), 2u) << "a frame that alone outlasts the effect leaves the first and the last";
    EXPECT_EQ(crawling[1].frame, 117u);
    EXPECT_EQ(crawling[1].start, milliseconds(500)) << "no pause after a frame that took too long";
    const auto mixed = Play(157, [](std::size_t n) { return Micros(milliseconds(n == 0 ? 60 : 4)); });
    EXPECT_EQ(mixed.back().frame, 156u) << "a slow first frame, cheap ones after it";
    EXPECT_LE(mixed.back().end, milliseconds(400));
    for (std::size_t i = 1; i < mixed.size(); ++i) EXPECT_GT(mixed[i].frame, mixed[i - 1].frame);

    // 23 frames in 400 ms: every one, about 18 ms apart.
    const auto shown = Play(23, [](std::size_t) { return Micros(0); });
    ASSERT_EQ(shown.size(), 23u);
    for (std::size_t i = 1; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].frame, i);
        EXPECT_GE(shown[i].start - shown[i - 1].start, milliseconds(18));
        EXPECT_LE(shown[i].start - shown[i - 1].start, milliseconds(19));
    }
    EXPECT_EQ(shown.back().start, milliseconds(400));
    EXPECT_TRUE(Play(0, [](std::size_t) -> Micros { ADD_FAILURE() << "no frame to show"; return {}; }).empty());
    EXPECT_EQ(Play(1, [](std::size_t) { return Micros(milliseconds(5)); }).size(), 1u);
}

}  // namespace
}  // namespace vc::effects
