#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "effects/form_animation_win.h"
#include "effects_window_win.h"
#include "ui/form_win.h"

namespace vc::effects {
namespace {

// A region's bounds as "left,top,right,bottom", or "empty".
std::string BoxText(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return "empty";
    return std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," +
           std::to_string(bottom);
}

std::string RegionState(HWND window) {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    const int kind = ::GetWindowRgn(window, region);
    RECT box{};
    ::GetRgnBox(region, &box);
    ::DeleteObject(region);
    return kind == ERROR ? "none" : BoxText(box.left, box.top, box.right, box.bottom);
}

// What the window went through: "show", "hide", and each new region.
std::vector<std::string> gEvents;
std::string gRegion = "none";

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOWWINDOW) gEvents.push_back(wParam ? "show" : "hide");
    if (message == WM_WINDOWPOSCHANGED && RegionState(window) != gRegion) {
        gRegion = RegionState(window);
        gEvents.push_back(gRegion);
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Time passes only when the player sleeps: every run shows the same frames.
class SteppingClock : public FrameClock {
public:
    Micros Now() override { return now_; }
    void Sleep(Micros span) override { now_ += span; }

private:
    Micros now_{0};
};

class AnimationWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = test::MakeWindow("VcAnimationTestWindow", WS_OVERLAPPEDWINDOW, {50, 50, 170, 140}, RecordingProc);
        ASSERT_TRUE(window_);
        gEvents.clear();
        gRegion = "none";
    }
    void TearDown() override { ::DestroyWindow(window_); }

    // The regions the window takes when the shape is played on that clock.
    static std::vector<std::string> Played(FrameShape shape, bool smallestFirst) {
        auto frames = BuildFrames(shape, 120, 90);
        if (smallestFirst) std::reverse(frames.begin(), frames.end());
        SteppingClock clock;
        std::vector<std::string> regions;
        PlayPaced(frames.size(), clock, [&](std::size_t i) {
            const Box& b = frames[i].box;
            const std::string region = BoxText(b.left, b.top, b.right, b.bottom);
            if (regions.empty() || regions.back() != region) regions.push_back(region);
        });
        return regions;
    }

    HWND window_ = nullptr;
    SteppingClock clock_;
};

TEST_F(AnimationWindow, DisappearShowsTheFramesInOrderThenHidesAndDropsTheRegion) {
    TFormAnimation animation(window_);
    animation.SetClock(&clock_);
    animation.DisappearToTop();
    EXPECT_FALSE(::IsWindowVisible(window_));
    std::vector<std::string> expected{"show"};
    for (const std::string& region : Played(FrameShape::ToTop, false)) expected.push_back(region);
    expected.insert(expected.end(), {"hide", "none"});
    EXPECT_EQ(gEvents, expected);
}

// Hidden already, the window is only given the empty region before it shows.
TEST_F(AnimationWindow, AppearOfAChildsTopLevelWindowStartsFromNothingAndEndsVisibleWhole) {
    HWND child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window_, nullptr, nullptr,
                                   nullptr);
    TFormAnimation animation(child);
    EXPECT_EQ(animation.Form(), window_);
    animation.SetClock(&clock_);
    animation.AppearTelevision();
    EXPECT_TRUE(::IsWindowVisible(window_));
    std::vector<std::string> expected{"empty", "show"};
    for (const std::string& region : Played(FrameShape::Television, true)) expected.push_back(region);
    expected.push_back("none");
    EXPECT_EQ(gEvents, expected);
}

// The opening effect played from the creation handler, after the state is set, before any show.
class EffectsForm : public ui::TForm {
public:
    explicit EffectsForm(FrameState state) : state_(state) {
        CreateArgs args;
        args.left = args.top = 100;
        args.width = 360;
        args.height = 200;
        args.border = FrameBorder::Fixed;
        Create(args);
    }

    TFormAnimation animation;
    bool played = false;

protected:
    void OnCreate() override {
        animation.SetOwner(Handle());
        SetState(state_);
        played = animation.PlayOpening(1);
    }

private:
    FrameState state_;
};

TEST(EffectsStartup, AMaximisedWindowOpensMaximisedAfterAnAppearEffect) {
    EffectsForm form(FrameState::Maximised);
    EXPECT_TRUE(form.played);
    // Visible already, the message loop will not show it again: the effect did.
    EXPECT_TRUE(::IsWindowVisible(form.Handle()));
    EXPECT_TRUE(::IsZoomed(form.Handle()));
    // The frames were made for the maximised size, and no region is left.
    RECT window{};
    ::GetWindowRect(form.Handle(), &window);
    EXPECT_GT(window.right - window.left, 360);
    EXPECT_EQ(form.animation.LastFrameCount(),
              static_cast<int>(BuildFrames(FrameShape::Ellipse, window.right - window.left,
                                           window.bottom - window.top).size()));
    EXPECT_EQ(RegionState(form.Handle()), "none");
    // Restoring gives the size the book asked for.
    ::ShowWindow(form.Handle(), SW_RESTORE);
    ::GetWindowRect(form.Handle(), &window);
    EXPECT_EQ(window.right - window.left, 360);
    EXPECT_EQ(window.bottom - window.top, 200);
}

}  // namespace
}  // namespace vc::effects
