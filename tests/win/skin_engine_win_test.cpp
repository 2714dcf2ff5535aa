// The skin engine on real windows, controls, menus and GDI: what only they
// prove (hooks, subclasses, regions, real input). Pixels are proven natively.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../../tools/skin/lzh_encoder.h"
#include "../../tools/skin/skin_container_writer.h"
#include "common/text.h"
#include "effects_window_win.h"
#include "skin/format/bitmap_file.h"
#include "skin/look/composition.h"
#include "skin/look/control_painter.h"
#include "skin/win/skin_bitmap_win.h"
#include "skin/win/skin_control_win.h"
#include "skin/win/skin_manager_win.h"
#include "skin/win/skin_resources_win.h"
#include "skin/format/skin_store.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"
#include "ui/main_menu_win.h"
#include "ui/private_messages.h"
#include "window/about_box_win.h"

namespace vc {
namespace {

using effects::test::Pump;
using effects::test::PumpUntil;

bool Skinned(HWND window) { return ::SendMessageA(window, ui::kSkinQueryMessage, 0, 0) == ui::kSkinQueryAnswer; }

// The thread's visible standard dialog ("#32770") or pop-up menu ("#32768").
HWND ThreadWindow(const char* cls) {
    for (HWND w = ::FindWindowExA(nullptr, nullptr, cls, nullptr); w; w = ::FindWindowExA(nullptr, w, cls, nullptr))
        if (::IsWindowVisible(w) && ::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId()) return w;
    return nullptr;
}

// The rectangles joined one at a time, as RegionFromRects must join them.
ui::UniqueRegion Union(const std::vector<Rect>& rects) {
    ui::UniqueRegion all(::CreateRectRgn(0, 0, 0, 0));
    for (const Rect& r : rects) {
        ui::UniqueRegion one(::CreateRectRgn(r.left, r.top, r.right, r.bottom));
        ::CombineRgn(all.Get(), all.Get(), one.Get(), RGN_OR);
    }
    return all;
}

TEST(SkinBitmapWin, ARegionOfManyBlocksShapesARealWindow) {
    // A checkerboard of 2 x 1 runs, 45 to a row: 4500 rectangles, three blocks.
    Bitmap board(180, 100, kKeyPixel);
    for (int y = 0; y < 100; ++y)
        for (int x = (y % 2) * 2; x < 180; x += 4) board.FillRect(Rect{x, y, x + 2, y + 1}, MakePixel(0, 0, 0));
    const auto rects = RegionFromBitmap(board, 7, 3);
    ASSERT_EQ(rects.size(), 4500u);

    ui::UniqueWindow window(effects::test::MakeWindow("VcSkinRegionTest", WS_POPUP, {0, 0, 200, 110}));
    ASSERT_TRUE(window);
    ui::UniqueRegion region = RegionFromRects(rects);
    ASSERT_TRUE(region);
    ASSERT_NE(::SetWindowRgn(window.Get(), region.Release(), FALSE), 0);
    ui::UniqueRegion applied(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(::GetWindowRgn(window.Get(), applied.Get()), COMPLEXREGION);
    EXPECT_TRUE(::EqualRgn(applied.Get(), Union(rects).Get()));

    ui::UniqueRegion empty = RegionFromRects({});
    RECT box{};
    EXPECT_EQ(::GetRgnBox(empty.Get(), &box), NULLREGION);
}

TEST(SkinBitmapWin, SkinDataUsesTheSystemColoursAndMetrics) {
    const std::string ini = "[SunkEdge]\nImage=s.bmp\n[ComboButton]\nImage=s.bmp\n";
    const auto container = BuildSkinContainer(
        {{"s.bmp", EncodeBitmapFile(Bitmap(16, 21))}, {"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())}});
    TSkinData data;
    data.Environment = WindowsSkinEnvironment();
    data.SkinStream() = lzh::Compress(container);
    ASSERT_TRUE(data.LoadSkin());
    EXPECT_EQ(data.ButtonFaceColour(), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(data.FindObject("ComboButton")->RightWidth, ::GetSystemMetrics(SM_CXHSCROLL) + 4);
}

// The runtime's stored square skin, turned on as a book's start-up does.
class SkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        runtime_ = ::LoadLibraryExA("vellumcast.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(runtime_, nullptr) << "the runtime lies beside the tests";
        LoadStoredSkins(store_, runtime_);
        data_ = std::make_unique<TSkinData>();
        data_->Environment = WindowsSkinEnvironment();
        manager_ = std::make_unique<TSkinManager>();
        manager_->RegisterSkinData(*data_);
        manager_->InstallHook();
        data_->LoadFromStore(store_, 0);
        data_->SetActive(true);
    }
    void TearDown() override {
        manager_.reset();
        if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
        data_.reset();
        if (runtime_) ::FreeLibrary(runtime_);
    }
    void ShowAndActivate() {
        ::ShowWindow(window_, SW_SHOW);
        ::SetForegroundWindow(window_);
        Pump();
    }

    HMODULE runtime_ = nullptr;
    TSkinStore store_;
    std::unique_ptr<TSkinData> data_;
    std::unique_ptr<TSkinManager> manager_;
    HWND window_ = nullptr;
};

constexpr int kButtonId = 201;

int g_commands = 0;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) ++g_commands;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Real mouse input at a screen point. Every event carries its point: a
// cursor placed by SetCursorPos may not yet be where Wine takes the next
// button event to happen, and a click then lands on the last point.
void SendMouse(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(at.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(at.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

void MouseTo(POINT screen) { SendMouse(0, screen); }

// Until the condition holds, then what follows (moves, repaints) settles too.
template <class Condition>
bool Settle(Condition done) {
    for (int i = 0; i < 100 && !done(); ++i) Pump(50);
    Pump(200);
    return done();
}

template <class Condition>
bool ClickAt(POINT screen, Condition done) {
    MouseTo(screen);
    Pump(100);
    SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
    SendMouse(MOUSEEVENTF_LEFTUP, screen);
    return Settle(done);
}

POINT CentreOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

Bitmap Capture(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    ui::WindowDc dc(window);
    return BitmapFromDc(dc.Get(), Rect{0, 0, r.right, r.bottom});
}

bool SameArea(const Bitmap& a, const Bitmap& b, const Rect& area) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (!SameRgb(a.At(x, y), b.At(x, y))) return false;
    return true;
}

class SkinControls : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        window_ = effects::test::MakeWindow("VcSkinControlsTest", WS_OVERLAPPEDWINDOW, {40, 40, 520, 360}, &ParentProc);
        const auto child = [&](const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id = 0,
                               HWND parent = nullptr) {
            return ::CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent ? parent : window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                     nullptr);
        };
        toolBar_ = child(TOOLBARCLASSNAMEA, "", TBSTYLE_FLAT | CCS_NORESIZE | CCS_NODIVIDER, 0, 0, 480, 30);
        statusBar_ = child(STATUSCLASSNAMEA, "", SBARS_SIZEGRIP | CCS_BOTTOM, 0, 0, 0, 0);
        progress_ = child(PROGRESS_CLASSA, "", 0, 4, 3, 120, 14, 0, statusBar_);
        button_ = child("BUTTON", "&Push", BS_PUSHBUTTON | WS_TABSTOP, 10, 40, 100, 28, kButtonId);
        check_ = child("BUTTON", "Check", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 80, 120, 22);
        static_ = child("STATIC", "Text", 0, 10, 110, 100, 18);
        tagged_.Tag = 99;
        tagged_.Create(ui::TProgressBar::CreateArgs{window_, RECT{10, 150, 130, 166}});
        ShowAndActivate();
        ASSERT_TRUE(PumpUntil([&] { return Skinned(button_); })) << "the controls are skinned when the window starts";
    }
    // The window goes before the manager here, as a book's window closes.
    void TearDown() override {
        if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
        SkinTest::TearDown();
    }

    HWND toolBar_ = nullptr, statusBar_ = nullptr, progress_ = nullptr, button_ = nullptr, check_ = nullptr,
         static_ = nullptr;
    ui::TProgressBar tagged_;  // a control of the program's own, so that it can carry a Tag
};

TEST_F(SkinControls, TheWindowsControlsWearTheSkinUntilItStops) {
    for (HWND control : {toolBar_, statusBar_, progress_, button_, check_}) EXPECT_TRUE(Skinned(control));
    EXPECT_FALSE(Skinned(tagged_.Handle())) << "Tag 99 keeps its own look; the other progress bar wears the skin";
    EXPECT_FALSE(Skinned(static_)) << "statics stand on the dialog's face colour, unskinned";
    EXPECT_EQ(manager_->FindForm(window_)->ControlCount(), 5u);

    ::DestroyWindow(check_);
    EXPECT_EQ(manager_->FindForm(window_)->ControlCount(), 4u);

    data_->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return !Skinned(button_); }));
    for (HWND control : {toolBar_, statusBar_, progress_, button_}) {
        EXPECT_FALSE(Skinned(control));
        EXPECT_EQ(ui::TWindowSubclass::Find(control, ui::kControlSkinnerSubclassId), nullptr);
    }
}

TEST_F(SkinControls, APushButtonShowsItsHotAndPressedImagesAndClicksOnce) {
    const Rect client = Capture(button_).Bounds();
    const auto expected = [&](int image) {
        Bitmap b(client.Width(), client.Height(), PixelFromColour(data_->ButtonFaceColour()));
        PaintPushButton(b, *data_, b.Bounds(), image);
        return b;
    };
    // The edges hold no caption: they are the skin's image alone.
    const Rect edge{0, 0, client.Width(), 3};
    for (int image : {1, 2, 5}) ASSERT_FALSE(SameArea(expected(image), expected(4), edge)) << image;
    g_commands = 0;
    MouseTo(CentreOf(button_));
    ASSERT_TRUE(PumpUntil([&] { return SameArea(Capture(button_), expected(4), edge); })) << "hot";
    SendMouse(MOUSEEVENTF_LEFTDOWN, CentreOf(button_));
    ASSERT_TRUE(PumpUntil([&] { return SameArea(Capture(button_), expected(2), edge); })) << "pressed";
    EXPECT_EQ(g_commands, 0);
    SendMouse(MOUSEEVENTF_LEFTUP, CentreOf(button_));
    ASSERT_TRUE(PumpUntil([&] { return g_commands == 1; })) << "the button's own click, once";
    Pump(100);
    EXPECT_EQ(g_commands, 1);
    // Leaving the button ends its hot look: normal or focused, as the focus is.
    MouseTo(POINT{5, 5});
    ASSERT_TRUE(PumpUntil([&] {
        const Bitmap shown = Capture(button_);
        return SameArea(shown, expected(1), edge) || SameArea(shown, expected(5), edge);
    })) << "not hot";
    // Space on the focused button clicks it, as unskinned.
    ::SendMessageA(button_, WM_KEYDOWN, VK_SPACE, 0);
    ::SendMessageA(button_, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_TRUE(PumpUntil([&] { return g_commands == 2; }));
}

TEST_F(SkinControls, ACheckBoxClickedByRealInputTogglesAndIsDrawnChecked) {
    MouseTo(CentreOf(check_));
    ASSERT_TRUE(ClickAt(CentreOf(check_), [&] { return ::SendMessageA(check_, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    const TDataSkinButton& b = static_cast<const TSkinData&>(*data_).Buttons();
    const Rect row = Capture(check_).Bounds();
    Bitmap checked(row.Width(), row.Height(), PixelFromColour(data_->ButtonFaceColour()));
    ControlState hot;
    hot.hot = hot.focused = true;
    PaintCheckBox(checked, *data_, row, false, CheckBoxImage(CheckMark::Checked, hot, b.CheckFrame));
    const Rect box = Rect::FromSize(0, (row.Height() - b.CheckMap.Height()) / 2, b.CheckMap.Width() / b.CheckFrame,
                                    b.CheckMap.Height());
    EXPECT_TRUE(PumpUntil([&] { return SameArea(Capture(check_), checked, box); }));
}

// The controls of the thread's standard dialog that a skin dresses.
struct DialogCensus {
    bool seen = false, dialogSkinned = false;
    int dressed = 0;
    std::string unskinned;
};
DialogCensus g_census;

BOOL CALLBACK CountControl(HWND control, LPARAM) {
    char cls[32] = {};
    ::GetClassNameA(control, cls, sizeof cls);
    const std::string c = LowerCase(cls);
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    const bool bordered = (style & WS_BORDER) || (::GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    if (!::IsWindowVisible(control)) return TRUE;
    if (c == "button" || (c == "combobox" && (style & 3) != CBS_SIMPLE) || (c == "edit" && bordered)) {
        ++g_census.dressed;
        if (!Skinned(control)) g_census.unskinned += c + " " + std::to_string(::GetDlgCtrlID(control)) + "; ";
    }
    return TRUE;
}

void CALLBACK CountDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    const HWND dialog = ThreadWindow("#32770");
    if (!dialog) return;
    g_census.seen = true;
    g_census.dialogSkinned = Skinned(dialog);
    ::EnumChildWindows(dialog, &CountControl, 0);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// The default printer while it lives: Wine has none, and the print dialog needs one.
class TTestPrinter {
public:
    TTestPrinter() {
        DRIVER_INFO_3A driver{};
        driver.cVersion = 3;
        driver.pName = const_cast<char*>(kDriver);
        driver.pDriverPath = driver.pDataFile = driver.pConfigFile = const_cast<char*>("wineps.drv");
        ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver));
        PRINTER_INFO_2A info{};
        info.pPrinterName = const_cast<char*>(kName);
        info.pPortName = const_cast<char*>("FILE:");
        info.pDriverName = const_cast<char*>(kDriver);
        info.pPrintProcessor = const_cast<char*>("winprint");
        info.pDatatype = const_cast<char*>("RAW");
        if (HANDLE printer = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info))) ::ClosePrinter(printer);
        ready_ = ::SetDefaultPrinterA(kName) != FALSE;
    }
    ~TTestPrinter() {
        HANDLE printer = nullptr;
        if (::OpenPrinterA(const_cast<char*>(kName), &printer, nullptr)) {
            ::DeletePrinter(printer);
            ::ClosePrinter(printer);
        }
    }
    bool Ready() const { return ready_; }

private:
    static constexpr const char* kName = "Vellumcast Test Printer";
    static constexpr const char* kDriver = "Wine PostScript Driver";
    bool ready_ = false;
};

// Dialogs the browser control opens on the book's thread (page setup is the print dialog's kind).
TEST_F(SkinControls, TheStandardDialogsOfTheThreadWearTheSkinOnTheirControls) {
    TTestPrinter printer;
    ASSERT_TRUE(printer.Ready()) << "a printer for the print dialogs";
    LOGFONTA font{};
    CHOOSEFONTA chooseFont{};
    chooseFont.lStructSize = sizeof chooseFont;
    chooseFont.hwndOwner = window_;
    chooseFont.lpLogFont = &font;
    chooseFont.Flags = CF_SCREENFONTS | CF_EFFECTS;
    PRINTDLGA print{};
    print.lStructSize = sizeof print;
    print.hwndOwner = window_;
    print.Flags = PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE;
    const std::pair<const char*, std::function<void()>> dialogs[] = {
        {"font", [&] { ::ChooseFontA(&chooseFont); }},
        {"print", [&] { ::PrintDlgA(&print); }},
    };
    for (const auto& [name, open] : dialogs) {
        g_census = DialogCensus{};
        ::SetTimer(nullptr, 0, 600, &CountDialog);
        open();
        ASSERT_TRUE(g_census.seen) << "the " << name << " dialog did not open";
        EXPECT_TRUE(g_census.dialogSkinned) << name;
        EXPECT_GT(g_census.dressed, 3) << name;
        EXPECT_EQ(g_census.unskinned, "") << name;
    }
    for (HGLOBAL memory : {print.hDevMode, print.hDevNames})
        if (memory) ::GlobalFree(memory);
}

// The bottom right corner (beyond the text) of the about box's texts and links.
struct AboutBackgrounds {
    static inline TSobre* box = nullptr;
    static inline std::vector<std::pair<std::string, Pixel>> corners;

    static void CALLBACK Read(HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND dialog = box ? box->Window() : nullptr;
        if (!dialog) return;
        ::KillTimer(nullptr, timer);
        ::UpdateWindow(dialog);
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            char cls[16] = {};
            ::GetClassNameA(child, cls, sizeof cls);
            const std::string name = cls;
            if (name != "SysLink" && !(name == "Static" && ::GetWindowTextLengthA(child) > 0)) continue;
            const Bitmap picture = Capture(child);
            corners.emplace_back(name, picture.At(picture.Width() - 2, picture.Height() - 2));
        }
        ::EndDialog(dialog, IDOK);
    }
};

// A link control deleted its dialog's brush (Wine): later texts showed white.
TEST_F(SkinControls, TheAboutBoxsTextsAndLinksStandOnTheFaceColour) {
    TSobre box;
    box.Appname = "Skinned";
    box.Version = "2.0";
    box.Description = "A book\r\n";
    box.Jump = "www.example.com/tour";
    box.EMail = "author@example.com";
    box.Copyright = "Made here";
    AboutBackgrounds::box = &box;
    AboutBackgrounds::corners.clear();
    ::SetTimer(nullptr, 0, 400, &AboutBackgrounds::Read);
    box.ShowModal(window_);
    ASSERT_EQ(AboutBackgrounds::corners.size(), 6u) << "name, version, description, two links, copyright";
    const Pixel face = PixelFromColour(data_->ButtonFaceColour());
    for (const auto& [cls, corner] : AboutBackgrounds::corners)
        EXPECT_TRUE(SameRgb(corner, face)) << cls << " stands on " << std::hex << corner;
}

std::vector<std::pair<HWND, bool>> g_ncRenderingCalls;
void RecordNcRendering(HWND window, bool systemRendering) { g_ncRenderingCalls.emplace_back(window, systemRendering); }

// A window of 420 x 260 client pixels.
HWND CreatePlainWindow() {
    RECT r{60, 60, 480, 320};
    ::AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    return effects::test::MakeWindow("VcSkinEngineTest", WS_OVERLAPPEDWINDOW, r);
}

std::pair<int, int> ClientSize(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    return {r.right, r.bottom};
}

class SkinEngine : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        g_ncRenderingCalls.clear();
        manager_->SetNcRenderingSwitch(&RecordNcRendering);
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

    POINT ScreenCentreOf(CaptionAction action, CaptionShow visibility) const {
        RECT r{};
        ::GetWindowRect(window_, &r);
        const FrameLayout layout = Layout();
        for (const auto& b : layout.Buttons())
            if (b.visible && b.data->Action == action && b.data->Visibility == visibility)
                return POINT{r.left + (b.bounds.left + b.bounds.right) / 2, r.top + (b.bounds.top + b.bounds.bottom) / 2};
        ADD_FAILURE() << "no visible button for action " << static_cast<int>(action);
        return POINT{};
    }
};

TEST_F(SkinEngine, ActivationSkinsTheWindowKeepingItsClientSizeAndStoppingGivesItBack) {
    ui::TForm tagged;
    tagged.Tag = 99;
    tagged.Create(ui::TForm::CreateArgs{});
    tagged.Show();
    ::SetForegroundWindow(tagged.Handle());
    window_ = CreatePlainWindow();
    const auto before = ClientSize(window_);
    Pump();
    EXPECT_FALSE(Skinned(window_)) << "not before it is activated";
    ShowAndActivate();
    ASSERT_TRUE(Skinned(window_));
    EXPECT_FALSE(Skinned(tagged.Handle())) << "a Tag 99 form keeps its own look";
    EXPECT_FALSE(manager_->SkinWindow(window_)) << "a skinned window gets no second skinner";
    EXPECT_EQ(manager_->FormCount(), 1u);

    EXPECT_EQ(ClientSize(window_), before);
    ui::UniqueRegion probe(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(window_, probe.Get()), ERROR) << "a square skin sets no region";
    ASSERT_FALSE(g_ncRenderingCalls.empty());
    EXPECT_EQ(g_ncRenderingCalls.front(), std::make_pair(window_, false)) << "the system's frame rendering is off";

    data_->SetActive(false);
    Pump(450);
    EXPECT_FALSE(Skinned(window_));
    EXPECT_EQ(ClientSize(window_), before);
    EXPECT_EQ(g_ncRenderingCalls.back(), std::make_pair(window_, true));
}

TEST_F(SkinEngine, CaptionButtonsTakeRealClicks) {
    window_ = CreatePlainWindow();
    ShowAndActivate();
    ASSERT_TRUE(Skinned(window_));

    // Hovering shows the close button's hot image.
    const POINT close = ScreenCentreOf(CaptionAction::Close, CaptionShow::Always);
    MouseTo(close);
    Pump(150);
    const FrameLayout layout = Layout();
    int index = -1;
    for (std::size_t i = 0; i < layout.Buttons().size(); ++i)
        if (layout.Buttons()[i].data->Action == CaptionAction::Close) index = static_cast<int>(i);
    ASSERT_GE(index, 0);
    const Rect bounds = layout.Buttons()[index].bounds;
    const Bitmap expected = CopyRect(PaintFrame(*data_, layout, FramePaintState{index}).title, bounds);
    ui::WindowDc whole(window_, ui::WindowDc::Area::Whole);
    EXPECT_TRUE(SameArea(BitmapFromDc(whole.Get(), bounds), expected, expected.Bounds()))
        << "the hot close button as the painter draws it";

    HWND w = window_;
    ASSERT_TRUE(Settle([w] { return !::IsZoomed(w) && !::IsIconic(w); })) << "the window starts restored";
    // A click a busy machine dropped is given again, at the button as it then lies.
    const auto click = [&](CaptionAction action, CaptionShow visibility, auto done) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            ::SetForegroundWindow(w);
            Settle([w] { return ::GetForegroundWindow() == w; });
            if (ClickAt(ScreenCentreOf(action, visibility), done)) return true;
        }
        return false;
    };
    // The restore button shows only on a maximised window.
    ASSERT_TRUE(click(CaptionAction::Maximise, CaptionShow::NotMaximised, [w] { return ::IsZoomed(w) != FALSE; })) << "maximise";
    ASSERT_TRUE(click(CaptionAction::Maximise, CaptionShow::Maximised, [w] { return !::IsZoomed(w); })) << "restore";
    EXPECT_TRUE(click(CaptionAction::Minimise, CaptionShow::Always, [w] { return ::IsIconic(w) != FALSE; })) << "minimise";
    ::ShowWindow(window_, SW_RESTORE);
    Settle([w] { return !::IsIconic(w); });
    EXPECT_TRUE(click(CaptionAction::Close, CaptionShow::Always, [w] { return !::IsWindow(w); })) << "close";
}

// Steps inside the menu loop run from a thread timer it dispatches, one a tick.
std::deque<std::function<void()>> g_steps;
void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    if (g_steps.empty()) return;
    const auto step = std::move(g_steps.front());
    g_steps.pop_front();
    step();
}

void Key(WORD key, bool alt = false) {
    const WORD keys[] = {VK_MENU, key, key, VK_MENU};
    std::vector<INPUT> input(alt ? 4 : 2);
    for (std::size_t i = 0; i < input.size(); ++i) {
        input[i].type = INPUT_KEYBOARD;
        input[i].ki.wVk = keys[alt ? i : i + 1];
        input[i].ki.dwFlags = 2 * i >= input.size() ? KEYEVENTF_KEYUP : 0;
    }
    ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

HWND OpenPopup() { return ThreadWindow("#32768"); }

class SkinMenus : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        window_ = effects::test::MakeWindow("VcSkinMenusTest", WS_OVERLAPPEDWINDOW, {80, 80, 560, 400});
        const char* bar[][3] = {{"&File", "Open", "Close"}, {"&View", "Zoom", "Fit"}, {"&Help", "About", nullptr}};
        for (int i = 0; i < 3; ++i) {
            ui::TMenuItem& top = menu_.Items().Add("MENU" + std::to_string(i), bar[i][0]);
            for (int j = 1; j < 3 && bar[i][j]; ++j)
                top.Add("MENU" + std::to_string(i) + std::to_string(j), bar[i][j])
                    .SetOnClick([this](ui::TMenuItem& item) { chosen_ = item.Caption(); });
        }
        menu_.AttachTo(window_);
        ::GetClientRect(window_, &systemClient_);
        ShowAndActivate();
        timer_ = ::SetTimer(nullptr, 0, 150, &RunStep);
    }
    void TearDown() override {
        ::KillTimer(nullptr, timer_);
        g_steps.clear();
        manager_.reset();
        menu_.Detach();
        SkinTest::TearDown();
    }

    // A journey: the first key, then one key a tick, each after a look (popup skinned, hook there).
    std::string Journey(WORD first, bool alt, std::vector<WORD> keys) {
        chosen_.clear();
        seen_.clear();
        for (WORD k : keys)
            g_steps.push_back([this, k] {
                const HWND popup = OpenPopup();
                seen_.push_back(popup && Skinned(popup) && MenuHookInstalled());
                if (k == kClick) {
                    SendMouse(MOUSEEVENTF_LEFTDOWN, click_);
                    SendMouse(MOUSEEVENTF_LEFTUP, click_);
                } else {
                    Key(k);
                }
            });
        Key(first, alt);
        EXPECT_TRUE(PumpUntil([] { return g_steps.empty() && !OpenPopup() && !MenuHookInstalled(); }, 4000))
            << "the menu closed";
        Pump(200);
        return chosen_;
    }

    // A step that clicks at click_ rather than press a key.
    static constexpr WORD kClick = 0;
    POINT click_{};
    ui::TMainMenu menu_;
    RECT systemClient_{};
    UINT_PTR timer_ = 0;
    std::string chosen_;
    std::vector<bool> seen_;
};

TEST_F(SkinMenus, TheBandTakesTheMenuOffTheWindowAndGivesItBack) {
    ASSERT_TRUE(Skinned(window_));
    EXPECT_EQ(::GetMenu(window_), nullptr) << "no system menu bar while the band is drawn";
    RECT window{}, client{};
    ::GetWindowRect(window_, &window);
    ::GetClientRect(window_, &client);
    EXPECT_EQ(client.right, systemClient_.right);
    EXPECT_EQ(client.bottom, systemClient_.bottom);
    POINT origin{0, 0};
    ::ClientToScreen(window_, &origin);
    EXPECT_EQ(origin.y - window.top, SkinFrameSizes(*data_).top + ::GetSystemMetrics(SM_CYMENU))
        << "the client area starts below the band";

    data_->SetActive(false);
    Pump(450);
    EXPECT_EQ(::GetMenu(window_), menu_.Handle());
    ::GetClientRect(window_, &client);
    EXPECT_EQ(client.bottom, systemClient_.bottom) << "the client keeps its size under the system's menu bar";
}

TEST_F(SkinMenus, EachDropDownIsSkinnedWhileTheHookLives) {
    ASSERT_TRUE(Skinned(window_));
    EXPECT_FALSE(MenuHookInstalled());
    // F10 highlights File, Enter opens it, Left moves to Help's drop-down.
    EXPECT_EQ(Journey(VK_F10, false, {VK_RETURN, VK_LEFT, VK_RETURN}), "About");
    EXPECT_EQ(seen_, (std::vector<bool>{false, true, true})) << "no drop-down while File is only highlighted";
    EXPECT_FALSE(MenuHookInstalled());
    EXPECT_EQ(manager_->PopupMenuCount(), 0u);
    EXPECT_EQ(manager_->CurrentMenuKind(), MenuKind::Popup) << "the kind returns to 0 with the last pop-up";
}

// In menu mode a click on a menu opens it with nothing selected, and a click elsewhere leaves.
TEST_F(SkinMenus, AClickInMenuModeOpensTheClickedMenuOrLeaves) {
    ASSERT_TRUE(Skinned(window_));
    RECT r{};
    ::GetWindowRect(window_, &r);
    const FrameLayout layout(*data_, FrameWindow{r.right - r.left, r.bottom - r.top, ::GetSystemMetrics(SM_CYMENU)});
    const Rect band = layout.MenuBand();
    const POINT file{r.left + band.left + data_->MenuBar()->LeftWidth + 7, r.top + (band.top + band.bottom) / 2};
    const auto journeys = [&](POINT on_file) {
        click_ = on_file;
        std::vector<std::string> chosen{Journey(VK_F10, false, {VK_RIGHT, kClick, VK_DOWN, VK_RETURN})};
        click_ = CentreOf(window_);
        chosen.push_back(Journey(VK_F10, false, {kClick, VK_RETURN}));
        return chosen;
    };
    EXPECT_EQ(journeys(file), (std::vector<std::string>{"Open", ""})) << "the skinned band";
    data_->SetActive(false);
    Pump(450);
    ASSERT_TRUE(::GetMenuItemRect(window_, menu_.Handle(), 0, &r));
    EXPECT_EQ(journeys(POINT{r.left + 7, (r.top + r.bottom) / 2}), (std::vector<std::string>{"Open", ""}))
        << "the system's menu bar";
}

// A key journey through the menus: the first key (with Alt or alone), then one key a tick; the item chosen.
struct KeyJourney {
    const char* name;
    WORD first;
    bool alt;
    std::vector<WORD> keys;
    const char* chosen;
};

void PrintTo(const KeyJourney& j, std::ostream* out) { *out << j.name; }

class SkinMenuKeys : public SkinMenus, public testing::WithParamInterface<KeyJourney> {};

// The skinned band answers the keyboard as the system's menu bar does on the same window.
TEST_P(SkinMenuKeys, EndInTheSameCommandWithAndWithoutTheSkin) {
    const KeyJourney& j = GetParam();
    ASSERT_TRUE(Skinned(window_));
    const std::string skinned = Journey(j.first, j.alt, j.keys);
    data_->SetActive(false);
    Pump(450);
    ASSERT_EQ(::GetMenu(window_), menu_.Handle());
    EXPECT_EQ(Journey(j.first, j.alt, j.keys), j.chosen) << "the system's menu bar";
    EXPECT_EQ(skinned, j.chosen) << "the skinned band";
}

INSTANTIATE_TEST_SUITE_P(
    , SkinMenuKeys,
    testing::Values(KeyJourney{"F10EnterEnter", VK_F10, false, {VK_RETURN, VK_RETURN}, "Open"},
                    KeyJourney{"F10RightDownDownEnter", VK_F10, false, {VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}, "Fit"},
                    KeyJourney{"RightRightLeftEnterEnter", VK_F10, false, {VK_RIGHT, VK_RIGHT, VK_LEFT, VK_RETURN,
                                                                           VK_RETURN}, "Zoom"},
                    KeyJourney{"AltAloneRightUpEnter", VK_MENU, false, {VK_RIGHT, VK_UP, VK_RETURN}, "Zoom"},
                    KeyJourney{"AltVDownEnter", 'V', true, {VK_DOWN, VK_RETURN}, "Fit"},
                    KeyJourney{"EscapeGoesBackToTheBand", VK_F10, false, {VK_DOWN, VK_ESCAPE, VK_RIGHT, VK_RETURN,
                                                                          VK_RETURN}, "Zoom"},
                    KeyJourney{"AltFEscapeRightEnterEnter", 'F', true, {VK_ESCAPE, VK_RIGHT, VK_RETURN, VK_RETURN},
                               "Zoom"},
                    KeyJourney{"ASecondEscapeLeaves", 'F', true, {VK_ESCAPE, VK_ESCAPE, VK_RETURN}, ""},
                    KeyJourney{"F10EscapeEnter", VK_F10, false, {VK_ESCAPE, VK_RETURN}, ""},
                    KeyJourney{"F10F10Enter", VK_F10, false, {VK_F10, VK_RETURN}, ""},
                    KeyJourney{"RightInADropDownOpensTheNext", VK_F10, false, {VK_RETURN, VK_RIGHT, VK_RETURN}, "Zoom"},
                    KeyJourney{"ALetterOpensItsMenu", VK_F10, false, {'H', VK_RETURN}, "About"}),
    [](const testing::TestParamInfo<KeyJourney>& info) { return std::string(info.param.name); });

TEST_F(SkinMenus, TheBandFollowsMenuCommandsAndTheSystemMenuIsSkinned) {
    ASSERT_TRUE(Skinned(window_));
    menu_.ItemAt({1}).SetCaption("&Look");
    EXPECT_EQ(Journey('L', true, {VK_RETURN}), "Zoom") << "the renamed item opens by its new key";
    menu_.ItemAt({2}).SetEnabled(false);
    EXPECT_EQ(Journey('H', true, {}), "") << "a disabled item opens nothing";

    // Alt+Space: the skinned system menu, which needs no menu hook; Escape closes it.
    seen_.clear();
    g_steps.push_back([this] {
        const HWND popup = OpenPopup();
        seen_.push_back(popup && Skinned(popup));
        Key(VK_ESCAPE);
    });
    Key(VK_SPACE, true);
    EXPECT_TRUE(PumpUntil([] { return g_steps.empty() && !OpenPopup(); }, 3000));
    EXPECT_EQ(seen_, std::vector<bool>{true});
    EXPECT_TRUE(::IsWindow(window_));
}

}  // namespace
}  // namespace vc
