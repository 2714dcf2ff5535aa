#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "effects/gradient_caption_win.h"
#include "effects_window_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"

namespace vc::effects {
namespace {

using test::Pump;
using test::WindowPixels;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

bool IsGreenish(COLORREF c) { return GetGValue(c) > 180 && GetRValue(c) < 100 && GetBValue(c) < 100; }

// The end colour the system asks for, worked out apart from the component.
COLORREF SystemEndColour(bool active) {
    BOOL gradients = FALSE;
    ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradients, 0);
    if (gradients) return ::GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    return ::GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

// Counts the menu loops the window enters, and notes the menu popped up.
class TestForm : public ui::TForm {
public:
    int menuLoops = 0;
    HMENU poppedUp = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ENTERMENULOOP) ++menuLoops;
        if (message == WM_INITMENUPOPUP) poppedUp = reinterpret_cast<HMENU>(wParam);
        return ui::TForm::WindowProc(message, wParam, lParam);
    }
};

// Closes whatever menu is open as soon as its loop runs the timer.
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

class GradientCaption : public ::testing::Test {
protected:
    // A form with a plain single frame and no title-bar buttons, so that the
    // gradient shows at both ends of the title bar.
    void MakeForm(FrameBorder border, int width = 420, bool icons = false) {
        form_ = std::make_unique<TestForm>();
        ui::TForm::CreateArgs args;
        args.caption = "Plain";
        args.left = 80;
        args.top = 60;
        args.width = width;
        args.height = 160;
        args.border = border;
        form_->Create(args);
        FrameStyle frame = form_->Frame();
        frame.closeBox = frame.minimiseBox = frame.maximiseBox = icons;
        form_->SetFrame(frame);
    }

    void Configure(TGradientCaption& caption, const std::string& text) {
        caption.SetStartColor(kRed);
        CaptionFont font;
        font.name = "Arial";
        font.size = 10;
        font.colour = kGreen;
        font.bold = true;
        caption.SetFont(font);
        caption.SetFormCaption(text);
    }

    void ShowActive() {
        form_->Show();
        ::SetForegroundWindow(form_->Handle());
        ::SetActiveWindow(form_->Handle());
        Pump();
    }

    std::unique_ptr<TestForm> form_;
};

TEST_F(GradientCaption, PaintsFromTheStartColourToTheSystemEndColourWithTheText) {
    MakeForm(FrameBorder::Fixed);
    TGradientCaption caption;
    Configure(caption, "Gradient title");
    caption.Attach(form_->Handle());
    ShowActive();

    const CaptionPaintRecord& paint = caption.LastPaint();
    ASSERT_TRUE(paint.painted);
    EXPECT_TRUE(caption.WindowActive());
    EXPECT_TRUE(paint.gradient);
    EXPECT_FALSE(paint.icon);
    EXPECT_EQ(paint.endColour, SystemEndColour(true));
    const RECT r = paint.caption;
    EXPECT_EQ(r.left, ::GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(r.bottom - r.top, ::GetSystemMetrics(SM_CYCAPTION) - 1);

    const WindowPixels pixels(form_->Handle());
    EXPECT_EQ(pixels.At(r.left, r.top), kRed);
    EXPECT_EQ(pixels.At(r.left + 3, r.bottom - 1), kRed);
    EXPECT_EQ(pixels.At(r.right - 1, r.top), SystemEndColour(true));
    EXPECT_GT(pixels.Count(r, IsGreenish), 20) << "the caption text in the font's colour";
    EXPECT_EQ(pixels.Count(RECT{r.left, r.bottom + 2, r.right, pixels.Height()}, IsGreenish), 0);
    ASSERT_EQ(paint.texts.size(), 1u);
    EXPECT_EQ(paint.texts[0], "Gradient title");
}

TEST_F(GradientCaption, FollowsActivationSolidWhileInactiveUnlessAskedOtherwise) {
    MakeForm(FrameBorder::Sizable);
    TGradientCaption caption;
    Configure(caption, "Follows activation");
    caption.Attach(form_->Handle());
    ShowActive();
    ASSERT_TRUE(caption.WindowActive());

    ui::UniqueWindow other(test::MakeWindow("VcOtherWindow", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {600, 400, 800, 520}));
    ::SetForegroundWindow(other.Get());
    Pump();

    EXPECT_FALSE(caption.WindowActive());
    EXPECT_FALSE(caption.LastPaint().gradient);
    const RECT r = caption.LastPaint().caption;
    EXPECT_EQ(r.left, ::GetSystemMetrics(SM_CXFRAME));
    {
        const WindowPixels pixels(form_->Handle());
        EXPECT_EQ(pixels.At(r.left, r.top), SystemEndColour(false));
        EXPECT_EQ(pixels.At(r.right - 1, r.top), SystemEndColour(false));
        // The inactive text colour is the system's, not the font's green.
        EXPECT_EQ(pixels.Count(r, IsGreenish), 0);
    }

    caption.SetGradientInactive(true);
    EXPECT_TRUE(caption.LastPaint().gradient);
    {
        const WindowPixels pixels(form_->Handle());
        EXPECT_EQ(pixels.At(r.left, r.top), kRed);
        EXPECT_EQ(pixels.At(r.right - 1, r.top), SystemEndColour(false));
    }

    ::SetForegroundWindow(form_->Handle());
    Pump();
    EXPECT_TRUE(caption.WindowActive());
    const WindowPixels pixels(form_->Handle());
    EXPECT_EQ(pixels.At(r.right - 1, r.top), SystemEndColour(true));
    EXPECT_GT(pixels.Count(r, IsGreenish), 20);
}

TEST_F(GradientCaption, ANewTitleChangesThePaintedTextAndWindowTextKeepsTheGradient) {
    MakeForm(FrameBorder::Fixed);
    TGradientCaption caption;
    Configure(caption, "First");
    caption.Attach(form_->Handle());
    ShowActive();
    const RECT r = caption.LastPaint().caption;
    const int firstText = WindowPixels(form_->Handle()).Count(r, IsGreenish);

    // What "APPLICATIONTITLE" does: the window text, the caption's text, a
    // repaint.
    form_->SetCaption("Second and longer title");
    // The system draws its caption with the new text at once; the gradient
    // comes back over it.
    EXPECT_EQ(WindowPixels(form_->Handle()).At(r.left, r.top), kRed);
    EXPECT_EQ(caption.LastPaint().texts[0], "First");
    caption.SetFormCaption("Second and longer title");
    caption.Repaint();
    ASSERT_EQ(caption.LastPaint().texts.size(), 1u);
    EXPECT_EQ(caption.LastPaint().texts[0], "Second and longer title");
    const WindowPixels pixels(form_->Handle());
    EXPECT_GT(pixels.Count(r, IsGreenish), firstText + 20);
    EXPECT_EQ(pixels.At(r.left, r.top), kRed) << "the system's caption painting did not win";
}

TEST_F(GradientCaption, DetachesCleanly) {
    MakeForm(FrameBorder::Fixed);
    auto caption = std::make_unique<TGradientCaption>();
    Configure(*caption, "Detach");
    int activated = 0;
    int deactivated = 0;
    caption->OnActivate = [&] { ++activated; };
    caption->OnDeactivate = [&] { ++deactivated; };
    caption->Attach(form_->Handle());
    ShowActive();
    const RECT r = caption->LastPaint().caption;
    ASSERT_EQ(WindowPixels(form_->Handle()).At(r.left, r.top), kRed);

    // Switched off: the system paints its own title bar again.
    caption->SetActive(false);
    EXPECT_EQ(deactivated, 1);
    EXPECT_FALSE(caption->Painting());
    Pump();
    EXPECT_NE(WindowPixels(form_->Handle()).At(r.left, r.top), kRed);
    caption->SetActive(false);
    EXPECT_EQ(deactivated, 1) << "no change, no event";

    caption->SetActive(true);
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(WindowPixels(form_->Handle()).At(r.left, r.top), kRed);

    // Destroyed while the window lives: the window keeps working unpainted.
    caption.reset();
    form_->SetCaption("After");
    ::RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_NE(WindowPixels(form_->Handle()).At(r.left, r.top), kRed);

    // The window destroyed first: the caption lets go of it. (A TForm swaps
    // its window procedure back before it destroys its window, which cuts
    // every subclass; its owner destroys the caption first.)
    HWND plain = ::CreateWindowExA(0, "STATIC", "Plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                   nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(plain);
    TGradientCaption second(plain);
    EXPECT_TRUE(second.Painting());
    ::DestroyWindow(plain);
    EXPECT_EQ(second.Form(), nullptr);
    EXPECT_FALSE(second.Painting());
    second.Repaint();
}

TEST_F(GradientCaption, ARightClickInTheFramePopsTheMenuUp) {
    MakeForm(FrameBorder::Fixed, 300, true);
    TGradientCaption caption;
    Configure(caption, "Menu");
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, 1, "Item");
    caption.SetPopupMenu(menu);
    caption.Attach(form_->Handle());
    ShowActive();

    RECT bounds{};
    ::GetWindowRect(form_->Handle(), &bounds);
    const LPARAM point = MAKELPARAM(bounds.left + 40, bounds.top + 10);
    EXPECT_EQ(::SendMessageA(form_->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, point), 0);
    EXPECT_EQ(form_->menuLoops, 0) << "the press alone shows nothing";
    ::SetTimer(nullptr, 0, 50, CloseMenu);
    EXPECT_EQ(::SendMessageA(form_->Handle(), WM_NCRBUTTONUP, HTCAPTION, point), 0);
    EXPECT_EQ(form_->menuLoops, 1);
    EXPECT_EQ(form_->poppedUp, menu) << "the caption's menu, not the system menu";
    ::DestroyMenu(menu);
}

}  // namespace
}  // namespace vc::effects
