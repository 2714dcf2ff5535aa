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
#include "ui/controls_win.h"
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

HWND MakeWindow(const char* className = "VcUiTestWindow", DWORD style = WS_OVERLAPPEDWINDOW) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!::GetClassInfoExA(::GetModuleHandleA(nullptr), "VcUiTestWindow", &windowClass)) {
        windowClass.lpfnWndProc = &LoggingProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VcUiTestWindow";
        ::RegisterClassExA(&windowClass);
    }
    return ::CreateWindowExA(0, className, "t", style, 40, 40, 200, 120, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
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
    int insetBy = 0;
    std::vector<std::string> mouse;

protected:
    LRESULT OnNcHitTest(POINT screen) override {
        if (hitTest) return hitTest();
        return TWindowSubclass::OnNcHitTest(screen);
    }
    LRESULT OnNcPaint(HRGN update) override {
        if (ncPaint) ncPaint();
        return TWindowSubclass::OnNcPaint(update);
    }
    LRESULT OnNcCalcSize(RECT& proposed, NCCALCSIZE_PARAMS* full) override {
        const LRESULT result = TWindowSubclass::OnNcCalcSize(proposed, full);
        ::InflateRect(&proposed, -insetBy, -insetBy);
        return result;
    }
    LRESULT OnNcMouseButton(NcButton button, NcClick click, int hitTest, POINT screen) override {
        mouse.push_back(std::to_string(static_cast<int>(button)) + "/" + std::to_string(static_cast<int>(click)) +
                        " " + std::to_string(hitTest) + " " + std::to_string(screen.x) + "," +
                        std::to_string(screen.y));
        return 0;
    }
    void OnDetached() noexcept override {
        log_.push_back(name_ + (Window() ? " still attached" : ""));
    }

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
    EXPECT_EQ(TWindowSubclass::Find(window, 0x22), &outer);
    EXPECT_EQ(TWindowSubclass::Find(window, 0x33), nullptr);

    ::DestroyWindow(window);
    gLog = nullptr;
    EXPECT_EQ(log, (std::vector<std::string>{"window", "inner", "outer"}));
    EXPECT_FALSE(inner.Attached());
    EXPECT_FALSE(outer.Attached());
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

TEST(WindowSubclass, TypedHandlersGetTheirArgumentsAndInsetTheClientArea) {
    std::vector<std::string> log;
    HWND window = MakeWindow("VcUiTestWindow", WS_POPUP);
    Recorder subclass(0x11, "s", log);
    ASSERT_TRUE(subclass.Attach(window));
    ::SendMessageA(window, WM_NCRBUTTONDBLCLK, HTCAPTION, MAKELPARAM(-5, 7));
    ::SendMessageA(window, WM_NCMBUTTONUP, HTLEFT, MAKELPARAM(300, 2));
    ::SendMessageA(window, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(0, -1));
    EXPECT_EQ(subclass.mouse, (std::vector<std::string>{"1/2 2 -5,7", "2/1 10 300,2", "0/0 20 0,-1"}));

    subclass.insetBy = 10;
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 200 - 20);
    EXPECT_EQ(client.bottom, 120 - 20);
    ::DestroyWindow(window);
}

TEST_F(ErrorReports, AFailingHandlerIsReportedAndTheMessageGoesOn) {
    std::vector<std::string> log;
    HWND window = MakeWindow();
    const LRESULT expected = ::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(60, 60));
    Recorder subclass(0x11, "s", log);
    subclass.hitTest = []() -> LRESULT { throw std::runtime_error("hit test failed"); };
    ASSERT_TRUE(subclass.Attach(window));
    EXPECT_EQ(::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(60, 60)), expected);
    EXPECT_EQ(reports, std::vector<std::string>{"hit test failed"});
    ::DestroyWindow(window);
}

TEST_F(ErrorReports, AFramePainterFailingOnEveryRepaintReportsOnceWhileTheReportIsOpen) {
    std::vector<std::string> log;
    HWND window = MakeWindow();
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    Recorder painter(0x11, "painter", log);
    int paints = 0;
    painter.ncPaint = [&] {
        ++paints;
        throw std::runtime_error("frame paint failed");
    };
    // The box would pump messages: the frame is repainted under it.
    whileOpen = [&] {
        for (int i = 0; i < 3; ++i)
            ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    };
    const int droppedBefore = Application().DroppedErrorReports();
    ASSERT_TRUE(painter.Attach(window));
    ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(reports, std::vector<std::string>{"frame paint failed"});
    EXPECT_EQ(paints, 4);
    EXPECT_EQ(Application().DroppedErrorReports() - droppedBefore, 3);

    // Once the box is closed, the next failure is reported again.
    whileOpen = nullptr;
    ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(reports.size(), 2u);
    EXPECT_TRUE(::IsWindow(window));
    ::DestroyWindow(window);
}

class CreationForm : public TForm {
public:
    std::vector<std::string> seen;
    bool foundItselfAtNcCreate = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCCREATE) {
            seen.push_back("nccreate");
            foundItselfAtNcCreate = Handle() && TForm::FromHandle(Handle()) == this;
        }
        if (message == WM_CREATE) seen.push_back("create");
        if (message == WM_NCCALCSIZE && seen.size() < 4) seen.push_back("nccalcsize");
        return TForm::WindowProc(message, wParam, lParam);
    }
    void OnCreate() override { seen.push_back("OnCreate"); }
};

TEST(Form, SeesItsCreationMessagesAndLeavesLaterSubclassesTheirDestruction) {
    auto form = std::make_unique<CreationForm>();
    TForm::CreateArgs args;
    args.caption = "Handshake";
    form->Create(args);
    ASSERT_GE(form->seen.size(), 4u);
    EXPECT_EQ(form->seen[0], "nccreate");
    EXPECT_EQ(form->seen[1], "nccalcsize");
    EXPECT_EQ(form->seen[2], "create");
    EXPECT_EQ(form->seen.back(), "OnCreate");
    EXPECT_TRUE(form->foundItselfAtNcCreate);

    std::vector<std::string> log;
    Recorder subclass(0x11, "subclass", log);
    ASSERT_TRUE(subclass.Attach(form->Handle()));
    const HWND window = form->Handle();
    form.reset();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(log, std::vector<std::string>{"subclass"}) << "the subclass saw WM_NCDESTROY";
}

TEST(Form, FormsAndControlsAreFoundOnlyAsWhatTheyAre) {
    TForm form;
    form.Create(TForm::CreateArgs{});
    TStatusBar bar;
    TStatusBar::CreateArgs barArgs;
    barArgs.parent = form.Handle();
    barArgs.panelWidths = {50};
    bar.Create(barArgs);
    EXPECT_EQ(TForm::FromHandle(form.Handle()), &form);
    EXPECT_EQ(TControl::FromHandle(form.Handle()), nullptr);
    EXPECT_EQ(TControl::FromHandle(bar.Handle()), &bar);
    EXPECT_EQ(TForm::FromHandle(bar.Handle()), nullptr);
    EXPECT_EQ(TForm::FromHandle(nullptr), nullptr);
}

std::string Describe(const FrameStyle& f) {
    return std::to_string(static_cast<int>(f.border)) + (f.closeBox ? " close" : "") +
           (f.minimiseBox ? " min" : "") + (f.maximiseBox ? " max" : "") + (f.helpBox ? " help" : "") + " state " +
           std::to_string(static_cast<int>(f.state));
}

TEST(FrameStyle, AFormReadsBackTheFrameItAskedFor) {
    TForm form;
    TForm::CreateArgs args;
    args.left = args.top = 50;
    args.width = 300;
    args.height = 200;
    form.Create(args);
    for (FrameBorder border : {FrameBorder::Sizable, FrameBorder::Fixed, FrameBorder::DialogFrame,
                               FrameBorder::ToolWindow, FrameBorder::SizableToolWindow}) {
        for (int boxes = 0; boxes < 8; ++boxes) {
            FrameStyle frame;
            frame.border = border;
            frame.closeBox = boxes & 1;
            frame.minimiseBox = boxes & 2;
            frame.maximiseBox = boxes & 4;
            form.SetFrame(frame);
            EXPECT_EQ(Describe(ReadFrameStyle(form.Handle())), Describe(frame));
        }
    }
    FrameStyle none;
    none.border = FrameBorder::NoCaption;
    form.SetFrame(none);
    EXPECT_EQ(ReadFrameStyle(form.Handle()).border, FrameBorder::NoCaption);
    EXPECT_FALSE(ReadFrameStyle(form.Handle()).closeBox);

    form.SetFrame(FrameStyle{});
    form.SetState(FrameState::Maximised);
    form.Show();
    EXPECT_EQ(ReadFrameStyle(form.Handle()).state, FrameState::Maximised);
    form.SetState(FrameState::Normal);
    EXPECT_EQ(ReadFrameStyle(form.Handle()).state, FrameState::Normal);
    form.SetState(FrameState::Minimised);
    EXPECT_EQ(ReadFrameStyle(form.Handle()).state, FrameState::Minimised);
}

TEST(FrameStyle, DialogsByStyleOrClassAndACloseBoxBySystemMenu) {
    HWND dialog = MakeWindow("#32770", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(IsStandardDialog(dialog));
    EXPECT_EQ(ReadFrameStyle(dialog).border, FrameBorder::DialogFrame) << "a standard dialog, though sizable";
    ::DestroyWindow(dialog);

    HWND modal = MakeWindow("VcUiTestWindow", WS_CAPTION | WS_THICKFRAME | DS_MODALFRAME);
    EXPECT_FALSE(IsStandardDialog(modal));
    EXPECT_EQ(ReadFrameStyle(modal).border, FrameBorder::DialogFrame);
    ::DestroyWindow(modal);

    // A skinner clears WS_SYSMENU so that the system draws no buttons; the
    // system menu it leaves still allows closing.
    HWND window = MakeWindow("VcUiTestWindow", WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(::GetSystemMenu(window, FALSE));
    ::SetWindowLongPtrA(window, GWL_STYLE, ::GetWindowLongPtrA(window, GWL_STYLE) & ~WS_SYSMENU);
    const FrameStyle frame = ReadFrameStyle(window);
    EXPECT_TRUE(frame.closeBox);
    EXPECT_EQ(frame.border, FrameBorder::Sizable);
    ::DestroyWindow(window);
}

TEST_F(ErrorReports, ATimerTicksUntilItStopsOrDestroysItselfFromATick) {
    TTimer counting;
    int ticks = 0;
    counting.OnTimer = [&] {
        if (++ticks == 3) counting.SetEnabled(false);
    };
    counting.SetInterval(10);
    counting.SetEnabled(true);

    auto selfDestroying = std::make_unique<TTimer>();
    int lastTicks = 0;
    selfDestroying->OnTimer = [&] {
        ++lastTicks;
        selfDestroying.reset();
    };
    selfDestroying->SetInterval(10);
    selfDestroying->SetEnabled(true);

    TTimer failing;
    failing.OnTimer = [] { throw std::runtime_error("tick failed"); };
    failing.SetInterval(10);
    failing.SetEnabled(true);

    TTimer stopped;
    int stoppedTicks = 0;
    stopped.OnTimer = [&] { ++stoppedTicks; };
    stopped.SetEnabled(true);
    stopped.SetInterval(0);

    Pump(300);
    failing.SetEnabled(false);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(counting.Enabled());
    EXPECT_EQ(lastTicks, 1);
    EXPECT_EQ(selfDestroying, nullptr);
    EXPECT_EQ(stoppedTicks, 0);
    ASSERT_GE(reports.size(), 2u) << "each failing tick is reported and the timer keeps going";
    EXPECT_EQ(reports[0], "tick failed");
}

static_assert(!std::is_copy_constructible_v<UniqueRegion>, "owners cannot be copied");
static_assert(!std::is_copy_assignable_v<UniqueWindow>, "owners cannot be copied");
static_assert(!std::is_copy_constructible_v<WindowDc>, "owners cannot be copied");
static_assert(!std::is_copy_constructible_v<ComPtr<IUnknown>>, "owners cannot be copied");
// Windows holds pointers to these: neither copied nor moved.
static_assert(!std::is_copy_constructible_v<TWindowSubclass> && !std::is_move_constructible_v<TWindowSubclass> &&
                  !std::is_move_assignable_v<TWindowSubclass>,
              "subclasses stay where Windows saw them");
static_assert(!std::is_copy_constructible_v<TTimer> && !std::is_move_constructible_v<TTimer>,
              "timers stay where their window points");

TEST(UniqueHandle, DeletesTheRegionItOwnsAndHandsItOverOnMove) {
    HRGN region = ::CreateRectRgn(0, 0, 10, 10);
    {
        UniqueRegion owner(region);
        UniqueRegion next(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(next.Get(), region);
        EXPECT_NE(::GetObjectType(region), 0u);
    }
    EXPECT_EQ(::GetObjectType(region), 0u) << "the region outlived its owner";
}

TEST(UniqueHandle, DestroysTheWindowItOwns) {
    HWND window = ::CreateWindowExA(0, "STATIC", "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    { UniqueWindow owner(window); }
    EXPECT_FALSE(::IsWindow(window));
}

TEST(SelectedObject, PutsTheOldObjectBack) {
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    const HGDIOBJ before = ::GetCurrentObject(dc.Get(), OBJ_PEN);
    {
        SelectedObject selected(dc.Get(), pen.Get());
        EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_PEN), pen.Get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_PEN), before);
}

}  // namespace
}  // namespace vc::ui
