// The skin engine on real windows: the hook skins a window when it is
// activated, the frame keeps the client size, shapes the window, answers the
// skin query, takes real clicks on its caption buttons, and gives everything
// back when the skin stops. Pixels are proven natively against the frame
// painter; here only what needs a window is checked.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "effects_window_win.h"
#include "skin/skin_bitmap_win.h"
#include "skin/skin_manager_win.h"
#include "skin/skin_store.h"
#include "skin/skin_resources_win.h"
#include "ui/form_win.h"
#include "ui/private_messages.h"

namespace vc {
namespace {

using effects::test::Pump;

constexpr int kClientWidth = 420;
constexpr int kClientHeight = 260;
constexpr int kSquareSkin = 0;
constexpr int kShapedSkin = 1;

std::vector<std::pair<HWND, bool>> g_ncRenderingCalls;
void RecordNcRendering(HWND window, bool systemRendering) { g_ncRenderingCalls.emplace_back(window, systemRendering); }

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND CreatePlainWindow(DWORD style = WS_OVERLAPPEDWINDOW) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &PlainProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "VcSkinEngineTest";
    ::RegisterClassA(&wc);
    RECT r{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRect(&r, style, FALSE);
    return ::CreateWindowExA(0, "VcSkinEngineTest", "Skinned", style, 60, 60, r.right - r.left, r.bottom - r.top,
                             nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

SIZE ClientSize(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

// Messages run until the condition holds, for at most five seconds: a busy
// machine may take its time.
template <class Condition>
bool PumpUntil(Condition done) {
    for (int i = 0; i < 100 && !done(); ++i) Pump(50);
    // What follows the change (moves, the frame's repaint) settles too.
    Pump(200);
    return done();
}

// Real input: the cursor moves there and the left button goes down and up.
template <class Condition>
bool ClickAt(POINT screen, Condition done) {
    ::SetCursorPos(screen.x, screen.y);
    Pump(100);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof(INPUT));
    return PumpUntil(done);
}

class SkinEngine : public ::testing::Test {
protected:
    void SetUp() override {
        runtime_ = ::LoadLibraryExA("vellumcast.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(runtime_, nullptr) << "the runtime lies beside the tests";
        LoadStoredSkins(store_, runtime_);
        ASSERT_EQ(store_.Store().Count(), 16u);
        g_ncRenderingCalls.clear();
        SetNcRenderingSwitch(&RecordNcRendering);
    }
    void TearDown() override {
        manager_.reset();
        if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
        SetNcRenderingSwitch(nullptr);
        data_.reset();
        if (runtime_) ::FreeLibrary(runtime_);
    }

    // The skin on, as the book's start-up turns it on, before any window of
    // the test is shown.
    void SkinOn(int number) {
        data_ = std::make_unique<TSkinData>();
        data_->Environment = WindowsSkinEnvironment();
        manager_ = std::make_unique<TSkinManager>();
        manager_->RegisterSkinData(*data_);
        manager_->InstallHook();
        data_->LoadFromStore(store_, number);
        data_->SetActive(true);
    }

    void ShowAndActivate() {
        ::ShowWindow(window_, SW_SHOW);
        ::SetForegroundWindow(window_);
        Pump();
    }

    FrameLayout Layout() const {
        RECT r{};
        ::GetWindowRect(window_, &r);
        FrameWindow w;
        w.width = r.right - r.left;
        w.height = r.bottom - r.top;
        w.caption.active = ::GetForegroundWindow() == window_;
        w.caption.maximised = ::IsZoomed(window_) != FALSE;
        return FrameLayout(*data_, w);
    }

    POINT ScreenCentreOf(int action, int visibility) const {
        RECT r{};
        ::GetWindowRect(window_, &r);
        const FrameLayout layout = Layout();
        for (const auto& b : layout.Buttons())
            if (b.visible && b.data->Action == action && b.data->Visibility == visibility)
                return POINT{r.left + (b.bounds.left + b.bounds.right) / 2, r.top + (b.bounds.top + b.bounds.bottom) / 2};
        ADD_FAILURE() << "no visible button for action " << action;
        return POINT{};
    }

    HMODULE runtime_ = nullptr;
    TSkinStore store_;
    std::unique_ptr<TSkinData> data_;
    std::unique_ptr<TSkinManager> manager_;
    HWND window_ = nullptr;
};

TEST_F(SkinEngine, ActivationSkinsTheWindowKeepingItsClientSizeAndStoppingGivesItBack) {
    SkinOn(kSquareSkin);
    window_ = CreatePlainWindow();
    const SIZE before = ClientSize(window_);
    Pump();
    EXPECT_EQ(::SendMessageA(window_, ui::kSkinQueryMessage, 0, 0), 0) << "not before it is activated";
    ShowAndActivate();
    ASSERT_EQ(::SendMessageA(window_, ui::kSkinQueryMessage, 0, 0), 1);
    EXPECT_FALSE(manager_->SkinWindow(window_)) << "a skinned window gets no second skinner";
    EXPECT_EQ(manager_->FormCount(), 1u);

    const SIZE during = ClientSize(window_);
    EXPECT_EQ(during.cx, before.cx);
    EXPECT_EQ(during.cy, before.cy);
    // The client area sits inside the skin's sides.
    RECT window{}, client{};
    ::GetWindowRect(window_, &window);
    ::GetClientRect(window_, &client);
    ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const FrameSizes f = SkinFrameSizes(*data_);
    EXPECT_EQ(client.left - window.left, f.left);
    EXPECT_EQ(client.top - window.top, f.top);
    EXPECT_EQ(window.right - client.right, f.right);
    EXPECT_EQ(window.bottom - client.bottom, f.bottom);
    HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(window_, probe), ERROR) << "a square skin sets no region";
    ASSERT_FALSE(g_ncRenderingCalls.empty());
    EXPECT_EQ(g_ncRenderingCalls.front(), std::make_pair(window_, false)) << "the system's frame rendering is off";

    data_->SetActive(false);
    Pump(450);
    EXPECT_EQ(::SendMessageA(window_, ui::kSkinQueryMessage, 0, 0), 0);
    const SIZE after = ClientSize(window_);
    EXPECT_EQ(after.cx, before.cx);
    EXPECT_EQ(after.cy, before.cy);
    EXPECT_EQ(g_ncRenderingCalls.back(), std::make_pair(window_, true));
    ::DeleteObject(probe);
}

TEST_F(SkinEngine, AShapedSkinCutsTheWindowToTheFrameLayoutsRegion) {
    SkinOn(kShapedSkin);
    window_ = CreatePlainWindow();
    ShowAndActivate();
    ASSERT_EQ(::SendMessageA(window_, ui::kSkinQueryMessage, 0, 0), 1);
    HRGN actual = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(window_, actual), ERROR);
    const FrameRegion expected = BuildFrameRegion(*data_, Layout());
    ASSERT_FALSE(expected.whole);
    ui::UniqueRegion wanted = RegionFromRects(expected.rects);
    HRGN difference = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::CombineRgn(difference, actual, wanted.Get(), RGN_XOR), NULLREGION);
    ::DeleteObject(difference);
    ::DeleteObject(actual);
}

TEST_F(SkinEngine, CaptionButtonsTakeRealClicks) {
    SkinOn(kSquareSkin);
    window_ = CreatePlainWindow();
    ShowAndActivate();
    ASSERT_EQ(::SendMessageA(window_, ui::kSkinQueryMessage, 0, 0), 1);

    // Hovering shows the close button's hot image.
    const POINT close = ScreenCentreOf(0, 0);
    ::SetCursorPos(close.x, close.y);
    Pump(150);
    RECT r{};
    ::GetWindowRect(window_, &r);
    const FrameLayout layout = Layout();
    int index = -1;
    for (std::size_t i = 0; i < layout.Buttons().size(); ++i)
        if (layout.Buttons()[i].data->Action == 0) index = static_cast<int>(i);
    ASSERT_GE(index, 0);
    const Rect bounds = layout.Buttons()[index].bounds;
    const Bitmap expected = CopyRect(PaintFrame(*data_, layout, FramePaintState{index}).title, bounds);
    effects::test::WindowPixels shown(window_);
    int differing = 0;
    for (int y = 0; y < bounds.Height(); ++y)
        for (int x = 0; x < bounds.Width(); ++x) {
            const Pixel p = expected.At(x, y);
            differing += shown.At(bounds.left + x, bounds.top + y) != RGB(PixelRed(p), PixelGreen(p), PixelBlue(p));
        }
    EXPECT_EQ(differing, 0) << "the hot close button as the painter draws it";

    HWND w = window_;
    ASSERT_TRUE(PumpUntil([w] { return !::IsZoomed(w) && !::IsIconic(w); })) << "the window starts restored";
    // Input sent while the machine is busy can reach the window before it
    // has settled from the step before: a click that did nothing is given once
    // more, at the button as it then lies.
    const auto click = [&](int action, int visibility, auto done) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            ::SetForegroundWindow(w);
            PumpUntil([w] { return ::GetForegroundWindow() == w; });
            if (ClickAt(ScreenCentreOf(action, visibility), done)) return true;
        }
        return false;
    };
    // Each step needs the one before: the restore button shows only on a
    // maximised window.
    ASSERT_TRUE(click(1, 2, [w] { return ::IsZoomed(w) != FALSE; })) << "maximise";
    ASSERT_TRUE(click(1, 1, [w] { return !::IsZoomed(w); })) << "restore";
    EXPECT_TRUE(click(2, 0, [w] { return ::IsIconic(w) != FALSE; })) << "minimise";
    ::ShowWindow(window_, SW_RESTORE);
    ::SetForegroundWindow(window_);
    PumpUntil([w] { return !::IsIconic(w); });
    EXPECT_TRUE(click(0, 0, [w] { return !::IsWindow(w); })) << "close";
}

TEST_F(SkinEngine, MessageBoxesAreSkinnedAsDialogsAndTag99FormsNever) {
    SkinOn(kSquareSkin);
    ui::TForm form;
    form.Tag = 99;
    form.Create(ui::TForm::CreateArgs{});
    form.Show();
    ::SetForegroundWindow(form.Handle());
    Pump();
    EXPECT_EQ(::SendMessageA(form.Handle(), ui::kSkinQueryMessage, 0, 0), 0) << "Tag 99 keeps its own look";

    static LRESULT answer = -1;
    static FrameBorder border = FrameBorder::Sizable;
    answer = -1;
    ::SetTimer(nullptr, 0, 400, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM) -> BOOL {
                char name[16] = {};
                ::GetClassNameA(window, name, sizeof name);
                if (std::string(name) != "#32770") return TRUE;
                answer = ::SendMessageA(window, ui::kSkinQueryMessage, 0, 0);
                if (TSkinnedForm* skinned = TSkinManager::Instance()->FindForm(window)) border = skinned->Style().border;
                ::PostMessageA(window, WM_COMMAND, IDOK, 0);
                return FALSE;
            },
            0);
    });
    ::MessageBoxA(form.Handle(), "A message", "Vellumcast", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(border, FrameBorder::DialogFrame);
}

}  // namespace
}  // namespace vc
