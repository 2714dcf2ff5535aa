#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "effects/animation_frames.h"

namespace vc::effects {
namespace {

constexpr FrameShape kAllShapes[] = {FrameShape::Ellipse,    FrameShape::Rectangle,  FrameShape::RoundedRectangle,
                                     FrameShape::Horizontally, FrameShape::Vertically, FrameShape::Television,
                                     FrameShape::ToBottom,   FrameShape::ToTop};

TEST(EffectsFrames, CountsAndEndsOfEachShapeAtTheBuiltInWindowSize) {
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
        {FrameShape::Rectangle, 470, 118, RegionKind::Rectangle, {0, 2, 650, 468}, {650, 236, 0, 234}},
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
    EXPECT_EQ(BuildFrames(FrameShape::Ellipse, 650, 470)[1].box, (Box{2, 4, 648, 466}));
    const auto rounded = BuildFrames(FrameShape::RoundedRectangle, 650, 470, 30, 16);
    EXPECT_EQ(rounded.front().cornerWidth, 30);
    EXPECT_EQ(rounded.front().cornerHeight, 16);
    // The television's thin line, then its first step 8 pixels in from each end.
    const auto tv = BuildFrames(FrameShape::Television, 650, 470);
    EXPECT_EQ(tv[116].box, (Box{0, 234, 650, 236}));
    EXPECT_EQ(tv[117].box, (Box{8, 234, 642, 236}));
}

TEST(EffectsFrames, TinyWindowsStayWithinTheListsRoom) {
    // The list has room for max(W, H) frames: no window overfills it.
    for (FrameShape shape : kAllShapes)
        for (int w = 0; w <= 40; ++w)
            for (int h = 0; h <= 40; ++h)
                EXPECT_LE(BuildFrames(shape, w, h).size(), static_cast<std::size_t>(std::max(w, h)))
                    << static_cast<int>(shape) << " " << w << "x" << h;
    for (FrameShape shape : kAllShapes) {
        EXPECT_TRUE(BuildFrames(shape, 1, 1).empty() || shape == FrameShape::ToBottom || shape == FrameShape::ToTop);
        EXPECT_TRUE(BuildFrames(shape, -5, -5).empty()) << "a negative size counts as none";
    }
    EXPECT_EQ(BuildFrames(FrameShape::ToBottom, 1, 1).front().box, (Box{0, 2, 1, 1})) << "one line for a sliding edge";
    // Too short for the first 8-pixel step: the television makes no frame.
    EXPECT_TRUE(BuildFrames(FrameShape::Television, 12, 4).empty());
    EXPECT_EQ(BuildFrames(FrameShape::Television, 14, 4).size(), 1u);
}

TEST(EffectsFrames, OpeningEffectNumbersAndPlayers) {
    // The pairs' partners follow from the checks below.
    const std::pair<int, AnimationEffect> numbers[] = {
        {0, AnimationEffect::DisappearEllipse}, {4, AnimationEffect::DisappearHorizontally},
        {9, AnimationEffect::AppearTelevision}, {11, AnimationEffect::AppearToTop},
        {13, AnimationEffect::AppearToBottom}};
    for (const auto& [number, effect] : numbers) EXPECT_EQ(OpeningEffect(number), effect) << number;
    for (int beyond : {14, -1, 1 << 30}) EXPECT_FALSE(OpeningEffect(beyond)) << beyond;

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

TEST(EffectsPacing, ASlowPlatformDropsFramesEvenlyKeepingTheFirstAndTheLast) {
    // 118 frames (the standard window's ellipse) on platforms a little to far slower than the pace.
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
    // At 25 ms a frame, 16 frames fit: every 7th or 8th is shown.
    EXPECT_EQ(Play(118, [](std::size_t) { return Micros(milliseconds(25)); }).size(), 16u);
    // A frame that alone outlasts the effect leaves the first and the last.
    const auto crawling = Play(118, [](std::size_t) { return Micros(milliseconds(500)); });
    ASSERT_EQ(crawling.size(), 2u);
    EXPECT_EQ(crawling[1].frame, 117u);
    EXPECT_EQ(crawling[1].start, milliseconds(500)) << "no pause after a frame that took too long";
    // A slow first frame (the whole window painted) and cheap ones after it.
    const auto mixed = Play(157, [](std::size_t n) { return Micros(milliseconds(n == 0 ? 60 : 4)); });
    EXPECT_EQ(mixed.back().frame, 156u);
    EXPECT_LE(mixed.back().end, milliseconds(400));
    for (std::size_t i = 1; i < mixed.size(); ++i) EXPECT_GT(mixed[i].frame, mixed[i - 1].frame);
}

TEST(EffectsPacing, AFastPlatformShowsEveryFrameAtItsTime) {
    // 23 frames in 400 ms: each one, about 18 ms apart, the last at the end.
    const auto shown = Play(23, [](std::size_t) { return Micros(0); });
    ASSERT_EQ(shown.size(), 23u);
    for (std::size_t i = 1; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].frame, i);
        EXPECT_GE(shown[i].start - shown[i - 1].start, milliseconds(18));
        EXPECT_LE(shown[i].start - shown[i - 1].start, milliseconds(19));
    }
    EXPECT_EQ(shown.back().start, milliseconds(400));
    // Hundreds of frames still wait a refresh between two: 235 give 25 shown.
    const auto many = Play(235, [](std::size_t) { return Micros(milliseconds(1)); });
    EXPECT_EQ(many.size(), 25u);
    EXPECT_EQ(many.back().frame, 234u);
    EXPECT_LE(many.back().end, milliseconds(400));
    EXPECT_TRUE(Play(0, [](std::size_t) -> Micros { ADD_FAILURE() << "no frame to show"; return {}; }).empty());
    EXPECT_EQ(Play(1, [](std::size_t) { return Micros(milliseconds(5)); }).size(), 1u);
}

}  // namespace
}  // namespace vc::effects
