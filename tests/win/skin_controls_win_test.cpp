// The control skinners on real controls: which controls of a skinned window
// wear the skin, that real input still works them exactly as unskinned and
// shows the skin's state images, and that switching the skin off gives
// every control its own look back. Pixels of each state are proven
// natively against the painters; here only the captured states are checked.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/text.h"
#include "effects_window_win.h"
#include "skin/control_painter.h"
#include "skin/skin_bitmap_win.h"
#include "skin/skin_control_win.h"
#include "skin/skin_manager_win.h"
#include "skin/skin_resources_win.h"
#include "skin/skin_store.h"
#include "ui/controls_win.h"
#include "ui/private_messages.h"
#include "window/about_box_win.h"

namespace vc {
namespace {

using effects::test::Pump;

constexpr int kSkin = 0;
constexpr int kButtonId = 201;

int g_commands = 0;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) ++g_commands;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

template <class Condition>
bool PumpUntil(Condition done) {
    for (int i = 0; i < 60 && !done(); ++i) Pump(50);
    return done();
}

void MouseTo(POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &move, sizeof move);
}

void MouseButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof input);
}

POINT CentreOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool Skinned(HWND window) { return ::SendMessageA(window, ui::kSkinQueryMessage, 0, 0) == ui::kSkinQueryAnswer; }

// The client area as the screen shows it.
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

// A control of the program's own, so that it can carry a Tag.
class TTaggedButton : public ui::TControl {
public:
    void Create(HWND parent, int tag) {
        Tag = tag;
        Adopt(::CreateWindowExA(0, "BUTTON", "Tagged", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 150, 90, 26, parent,
                                nullptr, ::GetModuleHandleA(nullptr), nullptr));
    }
};

class SkinControls : public ::testing::Test {
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
        data_->LoadFromStore(store_, kSkin);
        data_->SetActive(true);

        WNDCLASSA wc{};
        wc.lpfnWndProc = &ParentProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "VcSkinControlsTest";
        ::RegisterClassA(&wc);
        window_ = ::CreateWindowExA(0, "VcSkinControlsTest", "Controls", WS_OVERLAPPEDWINDOW, 40, 40, 480, 320, nullptr,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr);
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
        tagged_.Create(window_, 99);
        ::ShowWindow(window_, SW_SHOW);
        ::SetForegroundWindow(window_);
        ASSERT_TRUE(PumpUntil([&] { return Skinned(button_); })) << "the controls are skinned when the window starts";
    }
    void TearDown() override {
        if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
        manager_.reset();
        data_.reset();
        if (runtime_) ::FreeLibrary(runtime_);
    }

    HMODULE runtime_ = nullptr;
    TSkinStore store_;
    std::unique_ptr<TSkinData> data_;
    std::unique_ptr<TSkinManager> manager_;
    HWND window_ = nullptr;
    HWND toolBar_ = nullptr, statusBar_ = nullptr, progress_ = nullptr, button_ = nullptr, check_ = nullptr,
         static_ = nullptr;
    TTaggedButton tagged_;
};

TEST_F(SkinControls, TheWindowsControlsWearTheSkinUntilItStops) {
    for (HWND control : {toolBar_, statusBar_, progress_, button_, check_}) EXPECT_TRUE(Skinned(control));
    EXPECT_FALSE(Skinned(tagged_.Handle())) << "Tag 99 keeps its own look";
    EXPECT_FALSE(Skinned(static_)) << "statics stand on the dialog's face colour, unskinned";
    EXPECT_EQ(manager_->FindForm(window_)->ControlCount(), 5u);

    // A destroyed control takes its skinner away with it.
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
    ASSERT_FALSE(SameArea(expected(1), expected(4), edge));
    ASSERT_FALSE(SameArea(expected(2), expected(4), edge));
    ASSERT_FALSE(SameArea(expected(5), expected(4), edge));
    g_commands = 0;
    MouseTo(CentreOf(button_));
    ASSERT_TRUE(PumpUntil([&] { return SameArea(Capture(button_), expected(4), edge); })) << "hot";
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return SameArea(Capture(button_), expected(2), edge); })) << "pressed";
    EXPECT_EQ(g_commands, 0);
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return g_commands == 1; })) << "the button's own click, once";
    Pump(100);
    EXPECT_EQ(g_commands, 1);

    // The mouse leaving ends the hot look.
    MouseTo(POINT{5, 5});
    // Normal or focused, as the focus happens to be: the hot look is gone.
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
    Pump(100);
    MouseButton(true);
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return ::SendMessageA(check_, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    const TDataSkinButton& b = static_cast<const TSkinData&>(*data_).Buttons();
    const Rect row = Capture(check_).Bounds();
    Bitmap expected(row.Width(), row.Height(), PixelFromColour(data_->ButtonFaceColour()));
    ControlState hot;
    hot.hot = true;
    hot.focused = true;
    PaintCheckBox(expected, *data_, row, false, CheckBoxImage(CheckMark::Checked, hot, b.CheckFrame));
    const int cell = b.CheckMap.Width() / b.CheckFrame;
    const Rect box = Rect::FromSize(0, (row.Height() - b.CheckMap.Height()) / 2, cell, b.CheckMap.Height());
    EXPECT_TRUE(PumpUntil([&] { return SameArea(Capture(check_), expected, box); }));
}

}  // namespace
}  // namespace vc

namespace vc {
namespace {

// The controls of the thread's one visible standard dialog that a skin
// dresses (push buttons, check boxes, radio buttons and group boxes; drop-down
// combo boxes; edits with a border), and those of them left unskinned.
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
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND dialog, LPARAM) -> BOOL {
            char name[16] = {};
            ::GetClassNameA(dialog, name, sizeof name);
            if (std::string(name) != "#32770" || !::IsWindowVisible(dialog)) return TRUE;
            g_census.seen = true;
            g_census.dialogSkinned = Skinned(dialog);
            ::EnumChildWindows(dialog, &CountControl, 0);
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return FALSE;
        },
        0);
}

// A printer of the test prefix's own, the default while it lives, so that
// the print dialogs open (Wine has no printer otherwise). The PostScript
// driver reads its paper sizes from the driver's data file.
class TTestPrinter {
public:
    TTestPrinter() {
        char folder[MAX_PATH] = {};
        DWORD needed = 0;
        ::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed);
        if (std::FILE* file = std::fopen((std::string(folder) + "\\3\\" + kPpd).c_str(), "w")) {
            std::fputs(R"(*PPD-Adobe: "4.3"
*ModelName: "Vellumcast Test Printer"
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 18 577 824"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
)", file);
            std::fclose(file);
        }
        DRIVER_INFO_3A driver{};
        driver.cVersion = 3;
        driver.pName = const_cast<char*>(kDriver);
        driver.pDriverPath = driver.pConfigFile = const_cast<char*>("wineps.drv");
        driver.pDataFile = const_cast<char*>(kPpd);
        ::AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_ALL_FILES);
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
    static constexpr const char* kPpd = "vellumcast-test.ppd";
    bool ready_ = false;
};

// The font, print and page-setup dialogs the browser control can open on
// the book's thread wear the skin on every control the skin dresses.
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
    PAGESETUPDLGA pageSetup{};
    pageSetup.lStructSize = sizeof pageSetup;
    pageSetup.hwndOwner = window_;
    const std::pair<const char*, std::function<void()>> dialogs[] = {
        {"font", [&] { ::ChooseFontA(&chooseFont); }},
        {"print", [&] { ::PrintDlgA(&print); }},
        {"page setup", [&] { ::PageSetupDlgA(&pageSetup); }},
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
    for (HGLOBAL memory : {print.hDevMode, print.hDevNames, pageSetup.hDevMode, pageSetup.hDevNames})
        if (memory) ::GlobalFree(memory);
}

// The about box's texts and links, each read at its bottom right corner
// (beyond its text) while the box is open.
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

// A link control deletes the brush its dialog gives it (seen under Wine):
// the link's own background and every text painted after it once showed
// white on a skinned about box.
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

}  // namespace
}  // namespace vc
