#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/values.h"
#include "effects/form_animation_win.h"
#include "effects/gradient_caption_win.h"
#include "effects_window_win.h"
#include "ui/form_win.h"
#include "window/startup.h"

namespace vc::effects {
namespace {

// What the window went through, in order: "show", "hide", and each change
// of its region ("none", "empty" or "left,top,right,bottom").
std::vector<std::string> gEvents;
std::string gRegion = "none";

std::string RegionState(HWND window) {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    const int kind = ::GetWindowRgn(window, region);
    RECT box{};
    ::GetRgnBox(region, &box);
    ::DeleteObject(region);
    if (kind == ERROR) return "none";
    if (kind == NULLREGION) return "empty";
    return std::to_string(box.left) + "," + std::to_string(box.top) + "," + std::to_string(box.right) + "," +
           std::to_string(box.bottom);
}

void NoteRegion(const std::string& region) {
    if (region != gRegion) gEvents.push_back(region);
    gRegion = region;
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SHOWWINDOW: gEvents.push_back(wParam ? "show" : "hide"); break;
    case WM_WINDOWPOSCHANGED: NoteRegion(RegionState(window)); break;
    default: break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Time passes only when the player sleeps, so every run shows the same
// frames: one each 16 ms, 26 in all when the list holds more.
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

    // The events the frame list of a rectangle shape should cause.
    std::vector<std::string> FrameEvents(FrameShape shape, bool reversed) const {
        std::vector<std::string> events;
        auto frames = BuildFrames(shape, 120, 90);
        if (reversed) std::reverse(frames.begin(), frames.end());
        for (const FrameRegion& f : frames) {
            const Box& b = f.box;
            const std::string state = b.right <= b.left || b.bottom <= b.top
                                          ? "empty"
                                          : std::to_string(b.left) + "," + std::to_string(b.top) + "," +
                                                std::to_string(b.right) + "," + std::to_string(b.bottom);
            if (events.empty() || events.back() != state) events.push_back(state);
        }
        return events;
    }

    // An animation of the test window on the stepping clock.
    TFormAnimation& Animation() {
        animation_.SetOwner(window_);
        animation_.SetClock(&clock_);
        return animation_;
    }

    HWND window_ = nullptr;
    SteppingClock clock_;
    TFormAnimation animation_;
};

// The region changes of a played effect lie in the order of its frame list,
// from its first frame to its last, with none of their own.
void ExpectOrderedPart(const std::vector<std::string>& played, const std::vector<std::string>& frames) {
    ASSERT_FALSE(played.empty());
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(played.front(), frames.front());
    EXPECT_EQ(played.back(), frames.back());
    auto at = frames.begin();
    for (const std::string& event : played) {
        at = std::find(at, frames.end(), event);
        ASSERT_NE(at, frames.end()) << event << " is not a later frame";
    }
}

TEST_F(AnimationWindow, DisappearShowsFramesInOrderAndEndsHiddenWithoutRegion) {
    TFormAnimation& animation = Animation();
    animation.DisappearToTop();
    EXPECT_FALSE(::IsWindowVisible(window_));
    EXPECT_EQ(RegionState(window_), "none");
    EXPECT_EQ(animation.LastFrameCount(), 45);
    EXPECT_EQ(animation.LastShownCount(), 26);
    ASSERT_GE(gEvents.size(), 4u);
    EXPECT_EQ(gEvents.front(), "show");
    EXPECT_EQ(std::vector<std::string>(gEvents.end() - 2, gEvents.end()), (std::vector<std::string>{"hide", "none"}));
    ExpectOrderedPart({gEvents.begin() + 1, gEvents.end() - 2}, FrameEvents(FrameShape::ToTop, false));
}

TEST_F(AnimationWindow, AppearStartsFromNothingGrowsAndEndsVisibleWhole) {
    TFormAnimation& animation = Animation();
    animation.AppearTelevision();
    EXPECT_TRUE(::IsWindowVisible(window_));
    EXPECT_EQ(RegionState(window_), "none");
    // Hidden already: the window is not hidden again, only given the empty
    // region before it is shown.
    ASSERT_GE(gEvents.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(gEvents.begin(), gEvents.begin() + 2),
              (std::vector<std::string>{"empty", "show"}));
    EXPECT_EQ(gEvents.back(), "none");
    ExpectOrderedPart({gEvents.begin() + 2, gEvents.end() - 1}, FrameEvents(FrameShape::Television, true));
    // The smallest frame comes first: 8 pixels off each end of the middle line.
    EXPECT_EQ(gEvents[2], "56,44,64,46");
}

TEST_F(AnimationWindow, AChildOwnerAnimatesItsTopLevelWindow) {
    HWND child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window_, nullptr, nullptr,
                                   nullptr);
    ASSERT_TRUE(child);
    TFormAnimation animation(child);
    EXPECT_EQ(animation.Form(), window_);
    animation.SetClock(&clock_);
    animation.AppearHorizontally();
    EXPECT_TRUE(::IsWindowVisible(window_));
    EXPECT_EQ(animation.LastFrameCount(), 30);
}

// The effects as the presentation window holds them: members of the form,
// hooked in its creation handler, configured by start-up steps 6 to 8 and
// 27 before the window is ever shown.
class EffectsForm : public ui::TForm {
public:
    explicit EffectsForm(int effect, FrameState state = FrameState::Normal)
        : effect_(effect), state_(state) {
        gradiente.SetActive(false);
        CreateArgs args;
        args.caption = "Book";
        args.left = 100;
        args.top = 100;
        args.width = 360;
        args.height = 200;
        args.border = FrameBorder::Fixed;
        Create(args);
    }

    TGradientCaption gradiente;
    TFormAnimation animacao_form;
    bool played = false;

protected:
    void OnCreate() override {
        gradiente.Attach(Handle());
        animacao_form.SetOwner(Handle());
        gradiente.SetStartColor(StrToColour("clMaroon"));
        gradiente.SetFont(ReadCaptionFont("Arial,10,clLime,Negrito"));
        gradiente.SetFormCaption("Book");
        gradiente.SetActive(true);
        // Start-up gives a fixed-frame window its state before the effect.
        SetState(state_);
        played = animacao_form.PlayOpening(effect_);
    }

private:
    int effect_;
    FrameState state_;
};

TEST(EffectsStartup, ADisappearEffectLeavesTheWindowHiddenForTheLoopToShow) {
    EffectsForm form(12);
    EXPECT_TRUE(form.played);
    EXPECT_FALSE(::IsWindowVisible(form.Handle()));
    form.Show();
    ::SetForegroundWindow(form.Handle());
    test::Pump();
    EXPECT_TRUE(form.gradiente.LastPaint().painted);
    EXPECT_EQ(test::WindowPixels(form.Handle()).At(form.gradiente.LastPaint().caption.left,
                                                   form.gradiente.LastPaint().caption.top),
              RGB(128, 0, 0));
}

TEST(EffectsStartup, AMaximisedWindowOpensMaximisedAfterAnAppearEffect) {
    EffectsForm form(1, FrameState::Maximised);
    EXPECT_TRUE(form.played);
    // Visible already, so the message loop will not show it again: the
    // effect itself must have shown it maximised.
    EXPECT_TRUE(::IsWindowVisible(form.Handle()));
    EXPECT_TRUE(::IsZoomed(form.Handle()));
    RECT window{};
    ::GetWindowRect(form.Handle(), &window);
    EXPECT_GT(window.right - window.left, 360);
    EXPECT_GT(window.bottom - window.top, 200);
    // The frames were made for the maximised size, and no region is left.
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    EXPECT_EQ(form.animacao_form.LastFrameCount(),
              static_cast<int>(BuildFrames(FrameShape::Ellipse, width, height).size()));
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(form.Handle(), region), ERROR);
    ::DeleteObject(region);
    // Restoring gives the size the book asked for.
    ::ShowWindow(form.Handle(), SW_RESTORE);
    ::GetWindowRect(form.Handle(), &window);
    EXPECT_EQ(window.right - window.left, 360);
    EXPECT_EQ(window.bottom - window.top, 200);
}

}  // namespace
}  // namespace vc::effects
