#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "common/values.h"
#include "effects/form_animation_win.h"
#include "effects/gradient_caption_win.h"
#include "effects_window_win.h"
#include "ui/form_win.h"
#include "window/startup.h"

namespace vc::effects {
namespace {

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
