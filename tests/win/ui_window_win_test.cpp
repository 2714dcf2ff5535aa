#include <windows.h>
#include <unknwn.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "effects_window_win.h"
#include "ui/application_win.h"
#include "ui/form_win.h"
#include "ui/frame_style_win.h"
#include "ui/handles_win.h"
#include "ui/subclass_win.h"
#include "ui/timer_win.h"

namespace vc::ui {
namespace {

using effects::test::Pump;

std::vector<std::string>* gLog = nullptr;

LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY && gLog) gLog->push_back("window");
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(DWORD style = WS_OVERLAPPEDWINDOW) {
    return effects::test::MakeWindow("VcUiTestWindow", style, {40, 40, 240, 160}, &LoggingProc);
}

// Collects what the standard error dialog would show.
class ErrorReports : public ::testing::Test {
protected:
    void SetUp() override {
        Application().SetErrorReporter([this](const std::string& m) {
            reports.push_back(m);
            if (whileOpen) whileOpen();
        });
    }
    void TearDown() override { Application().SetErrorReporter(nullptr); }

    std::vector<std::string> reports;
    std::function<void()> whileOpen;
};

class Recorder : public TWindowSubclass {
public:
    Recorder(UINT_PTR id, std::string name, std::vector<std::string>& log)
        : TWindowSubclass(id), name_(std::move(name)), log_(log) {}

    std::function<LRESULT()> hitTest;
    std::function<void()> ncPaint;

protected:
    LRESULT OnNcHitTest(POINT screen) override { return hitTest ? hitTest() : TWindowSubclass::OnNcHitTest(screen); }
    LRESULT OnNcPaint(HRGN update) override {
        if (ncPaint) ncPaint();
        return TWindowSubclass::OnNcPaint(update);
    }
    void OnDetached() noexcept override { log_.push_back(name_ + (Window() ? " still attached" : "")); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(WindowSubclass, StacksAndEachLeavesAfterTheWindowSawItsDestruction) {
    std::vector<std::string> log;
    gLog = &log;
    HWND window = MakeWindow();
    ASSERT_TRUE(window);
    Recorder inner(0x11, "inner", log);
    Recorder outer(0x22, "outer", log);
    Recorder twin(0x11, "twin", log);
    ASSERT_TRUE(inner.Attach(window));
    EXPECT_FALSE(inner.Attach(window)) << "attached already";
    EXPECT_FALSE(twin.Attach(window)) << "the id is taken on this window";
    ASSERT_TRUE(outer.Attach(window));
    EXPECT_EQ(TWindowSubclass::Find(window, 0x11), &inner);

    ::DestroyWindow(window);
    gLog = nullptr;
    EXPECT_EQ(log, (std::vector<std::string>{"window", "inner", "outer"}));
}

TEST(WindowSubclass, DetachingOrDestroyingTheObjectLeavesTheWindowAlone) {
    std::vector<std::string> log;
    HWND window = MakeWindow();
    auto subclass = std::make_unique<Recorder>(0x11, "gone", log);
    subclass->hitTest = [] { return LRESULT{HTCAPTION}; };
    ASSERT_TRUE(subclass->Attach(window));
    EXPECT_EQ(::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(60, 60)), HTCAPTION);
    subclass.reset();
    EXPECT_EQ(TWindowSubclass::Find(window, 0x11), nullptr);
    EXPECT_NE(::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(60, 60)), HTCAPTION);

    Recorder again(0x11, "again", log);
    ASSERT_TRUE(again.Attach(window));
    again.Detach();
    EXPECT_EQ(log, std::vector<std::string>{"again"});
    EXPECT_TRUE(again.Attach(window)) << "a detached subclass can come back";
    ::DestroyWindow(window);
}

// A failing handler is reported and the message gets its default answer. A
// frame painter failing on every repaint is reported once while the report
// is open (the box pumps messages, and the frame is repainted under it).
TEST_F(ErrorReports, AFailingHandlerIsReportedOnceWhileTheReportIsOpenAndTheMessageGoesOn) {
    std::vector<std::string> log;
    HWND window = MakeWindow();
    const LRESULT expected = ::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(60, 60));
    Recorder subclass(0x11, "s", log);
    subclass.hitTest = []() -> LRESULT { throw std::runtime_error("hit test failed"); };
    ASSERT_TRUE(subclass.Attach(window));
    EXPECT_EQ(::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(60, 60)), expected);
    EXPECT_EQ(reports, std::vector<std::string>{"hit test failed"});

    reports.clear();
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    int paints = 0;
    subclass.ncPaint = [&] {
        ++paints;
        throw std::runtime_error("frame paint failed");
    };
    auto repaint = [window] { ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); };
    whileOpen = [&] {
        for (int i = 0; i < 3; ++i) repaint();
    };
    const int droppedBefore = Application().DroppedErrorReports();
    repaint();
    EXPECT_EQ(reports, std::vector<std::string>{"frame paint failed"});
    EXPECT_EQ(paints, 4);
    EXPECT_EQ(Application().DroppedErrorReports() - droppedBefore, 3);
    // Once the box is closed, the next failure is reported again.
    whileOpen = nullptr;
    repaint();
    EXPECT_EQ(reports.size(), 2u);
    ::DestroyWindow(window);
}

class CreationForm : public TForm {
public:
    std::vector<std::string> seen;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        // The form is found from its window from the first message on.
        if (message == WM_NCCREATE) seen.push_back(FromHandle(Handle()) == this ? "nccreate" : "nccreate, not found");
        if (message == WM_NCCALCSIZE && seen.size() == 1) seen.push_back("nccalcsize");
        if (message == WM_CREATE) seen.push_back("create");
        return TForm::WindowProc(message, wParam, lParam);
    }
    void OnCreate() override { seen.push_back("OnCreate"); }
};

TEST(Form, SeesItsCreationMessagesAndLeavesLaterSubclassesTheirDestruction) {
    auto form = std::make_unique<CreationForm>();
    form->Create(TForm::CreateArgs{});
    EXPECT_EQ(form->seen, (std::vector<std::string>{"nccreate", "nccalcsize", "create", "OnCreate"}));

    std::vector<std::string> log;
    Recorder subclass(0x11, "subclass", log);
    ASSERT_TRUE(subclass.Attach(form->Handle()));
    const HWND window = form->Handle();
    form.reset();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(log, std::vector<std::string>{"subclass"}) << "the subclass saw WM_NCDESTROY";
}

TEST(FrameStyle, AWindowWhoseSystemMenuStyleASkinnerClearedStillHasACloseBox) {
    // A skinner clears WS_SYSMENU so that the system draws no buttons; the
    // system menu it leaves still allows closing.
    HWND window = MakeWindow();
    ASSERT_TRUE(::GetSystemMenu(window, FALSE));
    ::SetWindowLongPtrA(window, GWL_STYLE, ::GetWindowLongPtrA(window, GWL_STYLE) & ~WS_SYSMENU);
    EXPECT_TRUE(ReadFrameStyle(window).closeBox);
    EXPECT_EQ(ReadFrameStyle(window).border, FrameBorder::Sizable);
    ::DestroyWindow(window);
}

TEST_F(ErrorReports, ATimerTicksUntilItStopsOrDestroysItselfFromATick) {
    TTimer counting, failing, stopped;
    auto selfDestroying = std::make_unique<TTimer>();
    int ticks = 0, lastTicks = 0, stoppedTicks = 0;
    counting.OnTimer = [&] {
        if (++ticks == 3) counting.SetEnabled(false);
    };
    selfDestroying->OnTimer = [&] {
        ++lastTicks;
        selfDestroying.reset();
    };
    failing.OnTimer = [] { throw std::runtime_error("tick failed"); };
    stopped.OnTimer = [&] { ++stoppedTicks; };
    for (TTimer* timer : {&counting, selfDestroying.get(), &failing, &stopped}) {
        timer->SetInterval(10);
        timer->SetEnabled(true);
    }
    stopped.SetInterval(0);

    Pump(300);
    failing.SetEnabled(false);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(counting.Enabled());
    EXPECT_EQ(lastTicks, 1);
    EXPECT_EQ(stoppedTicks, 0);
    ASSERT_GE(reports.size(), 2u) << "each failing tick is reported and the timer keeps going";
    EXPECT_EQ(reports[0], "tick failed");
}

static_assert(!std::is_copy_constructible_v<UniqueRegion> && !std::is_copy_assignable_v<UniqueWindow> &&
                  !std::is_copy_constructible_v<WindowDc> && !std::is_copy_constructible_v<ComPtr<IUnknown>>,
              "owners cannot be copied");
// Windows holds pointers to these: neither copied nor moved.
static_assert(!std::is_copy_constructible_v<TWindowSubclass> && !std::is_move_constructible_v<TWindowSubclass> &&
                  !std::is_move_assignable_v<TWindowSubclass>,
              "subclasses stay where Windows saw them");
static_assert(!std::is_copy_constructible_v<TTimer> && !std::is_move_constructible_v<TTimer>,
              "timers stay where their window points");

}  // namespace
}  // namespace vc::ui
