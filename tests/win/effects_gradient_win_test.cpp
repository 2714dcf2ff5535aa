#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "effects/gradient_caption_win.h"
#include "effects_window_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"
#include "window/startup.h"

namespace vc::effects {
namespace {

using test::Pump;
using test::WindowPixels;

constexpr COLORREF kRed = RGB(255, 0, 0);

bool IsGreenish(COLORREF c) { return GetGValue(c) > 180 && GetRValue(c) < 100 && GetBValue(c) < 100; }

// The end colour the system asks for, worked out apart from the component.
COLORREF SystemEndColour(bool active) {
    BOOL gradients = FALSE;
    ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradients, 0);
    if (gradients) return ::GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    return ::GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

class GradientCaption : public ::testing::Test {
protected:
    // A shown, active form without title-bar buttons, captioned red to the system's colour, green text.
    void Open(FrameBorder border) {
        form_ = std::make_unique<ui::TForm>();
        ui::TForm::CreateArgs args;
        args.left = 80;
        args.top = 60;
        args.width = 420;
        args.height = 160;
        args.border = border;
        form_->Create(args);
        FrameStyle frame = form_->Frame();
        frame.closeBox = frame.minimiseBox = frame.maximiseBox = false;
        form_->SetFrame(frame);
        caption_ = std::make_unique<TGradientCaption>();
        caption_->SetStartColor(kRed);
        caption_->SetFont(ReadCaptionFont("Arial,10,clLime,Negrito"));
        caption_->SetFormCaption("Gradient title");
        caption_->Attach(form_->Handle());
        form_->Show();
        ::SetForegroundWindow(form_->Handle());
        ::SetActiveWindow(form_->Handle());
        Pump();
        r_ = caption_->LastPaint().caption;
    }
    COLORREF Corner() const { return WindowPixels(form_->Handle()).At(r_.left, r_.top); }

    std::unique_ptr<ui::TForm> form_;
    std::unique_ptr<TGradientCaption> caption_;  // goes before its form
    RECT r_{};
};

// The colours and the layout are the portable painter's; here, the real frame's painting and its end.
TEST_F(GradientCaption, PaintsTheTitleBarThroughTextChangesAndGivesItBackWhenOffOrDestroyed) {
    Open(FrameBorder::Fixed);
    ASSERT_TRUE(caption_->LastPaint().painted);
    EXPECT_TRUE(caption_->LastPaint().gradient);
    EXPECT_EQ(r_.left, ::GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(r_.bottom - r_.top, ::GetSystemMetrics(SM_CYCAPTION) - 1);
    {
        const WindowPixels pixels(form_->Handle());
        EXPECT_EQ(pixels.At(r_.left, r_.top), kRed);
        EXPECT_EQ(pixels.At(r_.right - 1, r_.top), SystemEndColour(true));
        EXPECT_GT(pixels.Count(r_, IsGreenish), 20) << "the caption text in the font's colour";
        EXPECT_EQ(pixels.Count(RECT{r_.left, r_.bottom + 2, r_.right, pixels.Height()}, IsGreenish), 0);
    }

    // What "APPLICATIONTITLE" does: the window text (drawn by the system at once), the caption's text, a repaint.
    form_->SetCaption("Second title");
    EXPECT_EQ(Corner(), kRed) << "the system's caption painting won";
    caption_->SetFormCaption("Second title");
    caption_->Repaint();
    EXPECT_EQ(caption_->LastPaint().texts, std::vector<std::string>{"Second title"});

    caption_->SetActive(false);
    EXPECT_FALSE(caption_->Painting());
    Pump();
    EXPECT_NE(Corner(), kRed);
    caption_->SetActive(true);
    EXPECT_EQ(Corner(), kRed);

    // Destroyed while the window lives: the window keeps working unpainted.
    caption_.reset();
    form_->SetCaption("After");
    ::RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_NE(Corner(), kRed);

    // A plain window destroyed first (a TForm's owner destroys the caption first).
    HWND plain = ::CreateWindowExA(0, "STATIC", "Plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                   nullptr, nullptr, nullptr, nullptr);
    TGradientCaption second(plain);
    EXPECT_TRUE(second.Painting());
    ::DestroyWindow(plain);
    EXPECT_EQ(second.Form(), nullptr);
    EXPECT_FALSE(second.Painting());
    second.Repaint();
}

TEST_F(GradientCaption, FollowsActivationSolidWhileInactiveUnlessAskedOtherwise) {
    Open(FrameBorder::Sizable);
    ASSERT_TRUE(caption_->WindowActive());
    EXPECT_EQ(r_.left, ::GetSystemMetrics(SM_CXFRAME));
    ui::UniqueWindow other(test::MakeWindow("VcOtherWindow", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {600, 400, 800, 520}));
    ::SetForegroundWindow(other.Get());
    Pump();

    EXPECT_FALSE(caption_->WindowActive());
    EXPECT_FALSE(caption_->LastPaint().gradient);
    {
        const WindowPixels pixels(form_->Handle());
        EXPECT_EQ(pixels.At(r_.left, r_.top), SystemEndColour(false));
        EXPECT_EQ(pixels.Count(r_, IsGreenish), 0) << "the inactive text takes the system's colour";
    }
    caption_->SetGradientInactive(true);
    EXPECT_TRUE(caption_->LastPaint().gradient);
    EXPECT_EQ(caption_->LastPaint().endColour, SystemEndColour(false));

    ::SetForegroundWindow(form_->Handle());
    Pump();
    EXPECT_TRUE(caption_->WindowActive());
    EXPECT_EQ(caption_->LastPaint().endColour, SystemEndColour(true));
}

}  // namespace
}  // namespace vc::effects
