// The runtime on high-DPI screens (VC_WINE_DPI=96, 144, 192): expectations follow the system's DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "../native/book_lines.h"
#include "common/scale_win.h"
#include "effects_window_win.h"
#include "skin/win/skin_bitmap_win.h"
#include "skin/look/skin_frame.h"
#include "skin/win/skin_manager_win.h"
#include "skin/win/skin_resources_win.h"
#include "skin/format/skin_store.h"
#include "runtime_skin_win.h"
#include "scripted_browser_win.h"
#include "ui/application_win.h"
#include "ui/handles_win.h"
#include "ui/private_messages.h"
#include "window/frm_apresentacao_win.h"
#include "window/toolbar_images_win.h"

namespace vc {
namespace {

using effects::test::BesideTests;

TEST(DpiRuntime, TheExecutableDeclaresPerMonitorAwarenessAndCarriesEveryToolBarSize) {
    const HMODULE runtime = ::LoadLibraryExA(BesideTests("vellumcast.exe").c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(runtime) << "vellumcast.exe is not beside the tests";
    const HRSRC found = ::FindResourceA(runtime, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_TRUE(found);
    const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(runtime, found)));
    const std::string manifest(bytes, ::SizeofResource(runtime, found));
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << manifest;
    // Common controls 6 stays: the tool bar and the links need it.
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);

    // One row per stored size; the choice between sizes is proven natively.
    const std::pair<int, int> expected[] = {{96, 24}, {120, 30}, {144, 36}, {192, 48}};
    for (const char* name : {"TOOLBAR_IMAGES", "TOOLBAR_IMAGES_DISABLED"}) {
        for (const auto& [dpi, size] : expected) {
            const HIMAGELIST images = LoadToolBarImages(runtime, name, Scale(dpi));
            ASSERT_TRUE(images) << name << " " << dpi;
            int cx = 0, cy = 0;
            ::ImageList_GetIconSize(images, &cx, &cy);
            EXPECT_EQ(std::make_pair(cx, cy), std::make_pair(size, size)) << name << " " << dpi;
            EXPECT_EQ(::ImageList_GetImageCount(images), 11) << "the ten buttons and search";
            // The images keep their transparency: a clear corner, a drawn centre.
            IMAGEINFO info{};
            ASSERT_TRUE(::ImageList_GetImageInfo(images, 0, &info));
            DIBSECTION dib{};
            ASSERT_EQ(::GetObjectA(info.hbmImage, sizeof dib, &dib), static_cast<int>(sizeof dib));
            const auto pixel = [&dib](int x, int y) {
                const int row = dib.dsBmih.biHeight > 0 ? dib.dsBm.bmHeight - 1 - y : y;
                return static_cast<const std::uint32_t*>(dib.dsBm.bmBits)[row * dib.dsBm.bmWidth + x];
            };
            EXPECT_EQ(pixel(0, 0) >> 24, 0u) << name << " " << dpi;
            EXPECT_GT(pixel(size / 2, size / 2) >> 24, 0u) << name << " " << dpi;
            ::ImageList_Destroy(images);
        }
    }
    ::FreeLibrary(runtime);
    // A module without the strips has no tool bar images at any scale.
    EXPECT_FALSE(LoadToolBarImages(::GetModuleHandleA(nullptr), "TOOLBAR_IMAGES", Scale(192)));
}

// The gradient caption, the skinned menu band and the about box take these per window.
TEST(DpiRuntime, TheSystemsFontsAndBarsAreTakenForTheWindowsDpi) {
    const int system = SystemDpi();
    NONCLIENTMETRICSA own{};
    own.cbSize = sizeof own;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof own, &own, 0));
    EXPECT_EQ(NonClientMetricsForDpi(system).lfMenuFont.lfHeight, own.lfMenuFont.lfHeight);
    const NONCLIENTMETRICSA twice = NonClientMetricsForDpi(2 * system);
    EXPECT_STREQ(twice.lfCaptionFont.lfFaceName, own.lfCaptionFont.lfFaceName);
    EXPECT_EQ(twice.lfCaptionFont.lfHeight, 2 * own.lfCaptionFont.lfHeight);
    EXPECT_EQ(twice.lfMessageFont.lfHeight, 2 * own.lfMessageFont.lfHeight);
    for (int metric : {SM_CYMENU, SM_CYCAPTION, SM_CXSMICON}) {
        EXPECT_EQ(SystemMetricForDpi(metric, system), ::GetSystemMetrics(metric)) << metric;
        EXPECT_NEAR(SystemMetricForDpi(metric, 2 * system), 2 * ::GetSystemMetrics(metric), 2) << metric;
    }
}

// The thread's windows per-monitor aware, as the runtime's manifest makes them.
class ThreadDpiAwareness {
public:
    ThreadDpiAwareness() {
        using SetContext = HANDLE(WINAPI*)(HANDLE);
        set_ = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
        if (set_) old_ = set_(reinterpret_cast<HANDLE>(-4));  // per monitor, version 2
    }
    ~ThreadDpiAwareness() {
        if (set_ && old_) set_(old_);
    }
    ThreadDpiAwareness(const ThreadDpiAwareness&) = delete;
    ThreadDpiAwareness& operator=(const ThreadDpiAwareness&) = delete;

private:
    HANDLE(WINAPI* set_)(HANDLE) = nullptr;
    HANDLE old_ = nullptr;
};

class DpiWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Application().SetErrorReporter([this](const std::string& m) { errors_.push_back(m); });
    }
    void TearDown() override {
        window_.reset();
        ui::Application().SetErrorReporter(nullptr);
        ui::Application().SetMainForm(nullptr);
    }

    // A book of the given size (96-DPI pixels), or none at all.
    void Open(int width = 0, int height = 0) {
        std::string exe = BesideTests("vc_win_tests.exe");
        if (width > 0) {
            const std::string folder = effects::test::TempPath("vc_dpi_test\\");
            ::CreateDirectoryA(folder.c_str(), nullptr);
            ::CreateDirectoryA((folder + "pages").c_str(), nullptr);
            std::ofstream(folder + "pages\\index.htm") << "<html></html>";
            auto lines = testing_lines::BookLines();
            lines[4] = "0";
            lines[5] = std::to_string(width);
            lines[6] = std::to_string(height);
            exe = folder + "Book.exe";
            testing_lines::WriteStandInBook(exe, testing_lines::JoinLines(lines));
        }
        Tform_apresentacao::Options options;
        options.exePath = exe;
        options.runShell = [](HWND, const char*, const char*, const char*, const char*, int) {};
        options.createBrowser = [this](HWND parent, BrowserEvents& events) {
            auto browser = std::make_unique<testing::ScriptedBrowser>(parent, events);
            browser_ = browser.get();
            return browser;
        };
        window_ = std::make_unique<Tform_apresentacao>(std::move(options));
        ASSERT_TRUE(errors_.empty()) << errors_.front();
    }

    void ExpectBarsAt(const Scale& s) {
        const HWND bar = window_->Toolbar().Handle();
        const LRESULT size = ::SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0);
        EXPECT_EQ(LOWORD(size), s.Apply(36)) << s.Dpi();
        EXPECT_EQ(HIWORD(size), s.Apply(30)) << s.Dpi();
        RECT barRect;
        ::GetWindowRect(bar, &barRect);
        EXPECT_EQ(barRect.bottom - barRect.top, s.Apply(36));
        EXPECT_EQ(browser_ ? browser_->bounds.top : -1, s.Apply(36));
        int parts[2] = {};
        ASSERT_EQ(::SendMessageA(window_->StatusBar().Handle(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts)), 2);
        EXPECT_EQ(parts[0], s.Apply(150));
        RECT progress;
        ::GetClientRect(window_->Progress().Handle(), &progress);
        EXPECT_EQ(progress.right, s.Apply(151));
        EXPECT_EQ(progress.bottom, s.Apply(16));
    }

    ThreadDpiAwareness awareness_;
    std::unique_ptr<Tform_apresentacao> window_;
    testing::ScriptedBrowser* browser_ = nullptr;
    std::vector<std::string> errors_;
};

// The about box's client width and its OK button, read while it is open.
struct AboutMeasure {
    static inline TSobre* box = nullptr;
    static inline RECT client{};
    static inline RECT ok{};

    static void CALLBACK Read(HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND dialog = box ? box->Window() : nullptr;
        if (!dialog) return;
        ::KillTimer(nullptr, timer);
        ::GetClientRect(dialog, &client);
        ::GetClientRect(::GetDlgItem(dialog, IDOK), &ok);
        ::EndDialog(dialog, IDOK);
    }
};

TEST_F(DpiWindow, BuiltInBookAndAboutBoxSizesAreNinetySixDpiValuesScaledToTheScreen) {
    const Scale s(SystemDpi());
    Open();
    EXPECT_EQ(window_->WindowScale(), s);
    RECT r = window_->Bounds();
    EXPECT_EQ(r.left, s.Apply(293));
    EXPECT_EQ(r.top, s.Apply(205));
    EXPECT_EQ(r.right - r.left, s.Apply(650));
    EXPECT_EQ(r.bottom - r.top, s.Apply(470));
    ExpectBarsAt(s);
    AboutMeasure::box = &window_->About();
    ::SetTimer(nullptr, 0, 50, &AboutMeasure::Read);
    window_->b_aboutClick();
    EXPECT_EQ(AboutMeasure::client.right, s.Apply(400)) << "the about box";
    EXPECT_EQ(AboutMeasure::ok.right, s.Apply(80));
    EXPECT_EQ(AboutMeasure::ok.bottom, s.Apply(26));

    Open(480, 300);
    r = window_->Bounds();
    EXPECT_EQ(r.right - r.left, s.Apply(480));
    EXPECT_EQ(r.bottom - r.top, s.Apply(300));
    EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXSCREEN) - s.Apply(480)) / 2) << "centred in screen pixels";
    EXPECT_EQ(window_->State(), FrameState::Normal);

    // A book as large as the screen at 96 DPI fills the screen at any scale.
    Open(s.Unapply(::GetSystemMetrics(SM_CXSCREEN)), s.Unapply(::GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_EQ(window_->State(), FrameState::Maximised);
}

TEST_F(DpiWindow, MovingToAScreenOfAnotherScaleTakesTheSuggestedRectangleAndRescalesTheBars) {
    Open();
    window_->Toolbar().SetButtonEnabled(Tform_apresentacao::ButtonId(ToolButton::Back), false);
    window_->Toolbar().SetButtonVisible(Tform_apresentacao::ButtonId(ToolButton::Print), false);
    window_->StatusBar().SetPanelText(1, "kept");
    for (const int dpi : {192, 144, 96}) {
        RECT suggested{100, 50, 100 + Scale(dpi).Apply(400), 50 + Scale(dpi).Apply(300)};
        ::SendMessageA(window_->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const RECT r = window_->Bounds();
        EXPECT_TRUE(::EqualRect(&r, &suggested)) << dpi;
        EXPECT_EQ(window_->WindowScale().Dpi(), dpi);
        ExpectBarsAt(Scale(dpi));
    }
    EXPECT_FALSE(window_->Toolbar().ButtonEnabled(Tform_apresentacao::ButtonId(ToolButton::Back)));
    EXPECT_FALSE(window_->Toolbar().ButtonVisible(Tform_apresentacao::ButtonId(ToolButton::Print)));
    EXPECT_TRUE(window_->Toolbar().ButtonVisible(Tform_apresentacao::ButtonId(ToolButton::Copy)));
    EXPECT_EQ(window_->StatusBar().PanelText(1), "kept");
    EXPECT_TRUE(errors_.empty());
}

// At every DPI, 96 included: the skin's frame around the client, and its shape.
TEST(DpiSkin, TheSkinnedFrameAndItsShapeFollowTheScreensScale) {
    ThreadDpiAwareness awareness;
    const Scale s(SystemDpi());
    test::ActiveRuntimeSkin skin(1);  // a shaped skin: rounded corners
    ASSERT_TRUE(skin.Loaded());
    const TSkinData& data = skin.Data();

    const HWND window =
        effects::test::MakeWindow("VcDpiSkinTest", WS_OVERLAPPEDWINDOW, {40, 40, 40 + s.Apply(300), 40 + s.Apply(200)});
    ASSERT_TRUE(window);
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    effects::test::Pump(300);
    ASSERT_EQ(::SendMessageA(window, ui::kSkinQueryMessage, 0, 0), 1);

    RECT outer{}, client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const FrameSizes base = SkinFrameSizes(data);
    EXPECT_EQ(client.left - outer.left, s.Apply(base.left)) << s.Dpi();
    EXPECT_EQ(client.top - outer.top, s.Apply(base.top));
    EXPECT_EQ(outer.right - client.right, s.Apply(base.right));
    EXPECT_EQ(outer.bottom - client.bottom, s.Apply(base.bottom));

    // The shape is the scaled layout's (the painter's scaling is proven natively).
    FrameWindow w;
    w.width = outer.right - outer.left;
    w.height = outer.bottom - outer.top;
    w.scale = s;
    ui::UniqueRegion actual(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(window, actual.Get()), ERROR);
    EXPECT_TRUE(::EqualRgn(actual.Get(), RegionFromRects(BuildFrameRegion(data, FrameLayout(data, w)).rects).Get()));

    ::DestroyWindow(window);
}

}  // namespace
}  // namespace vc
