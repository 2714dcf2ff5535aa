// The book's menu bar on a real window and its hidden menu file.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "../native/book_lines.h"
#include "../native/interpreter_recording_host.h"
#include "common/errors.h"
#include "common/temp_directory_win.h"
#include "effects_window_win.h"
#include "interpreter/interpreter.h"
#include "menus/menu_bar_win.h"
#include "menus/menu_file_win.h"
#include "ui/application_win.h"
#include "window/frm_apresentacao_win.h"

namespace vc {
namespace {

// WM_COMMAND messages that reach the window itself.
std::vector<WPARAM> g_windowCommands;
// Frame recalculations: every redraw of the menu bar asks for one.
int g_frameChanges = 0;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) g_windowCommands.push_back(wParam);
    if (message == WM_NCCALCSIZE) ++g_frameChanges;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTestWindow() {
    HWND window =
        effects::test::MakeWindow("VcMenusTestWindow", WS_OVERLAPPEDWINDOW, {10, 10, 410, 310}, TestWindowProc);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string MenuText(HMENU menu, int position) {
    char text[256] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
    return text;
}

// The window's side of the interpreter's menu methods: positions straight into the main menu.
class MenuHost : public testing::RecordingHost {
public:
    explicit MenuHost(ui::TMainMenu& menu) : menu_(menu) {}
    int MenuItemCount(const MenuPath& parent) const override { return menu_.Count(parent); }
    void SetMenuItemEnabled(const MenuPath& item, bool enabled) override { menu_.ItemAt(item).SetEnabled(enabled); }
    void DeleteMenuItem(const MenuPath& item) override { menu_.Delete(item); }
    void SetMenuItemCaption(const MenuPath& item, const std::string& caption) override {
        menu_.ItemAt(item).SetCaption(caption);
    }

private:
    ui::TMainMenu& menu_;
};

const std::string kConfiguration = "A book\r\n0\r\nclNavy\r\n";

const std::string kMenus =
    "[GERAL]\r\n"
    "MENU_0=&Book\r\n"
    "MENU_1=Help\r\n"
    "[MENU]\r\n"
    "ITENS_0=Contents-@-Chapters-@-Notes-@---@-Silent\r\n"
    "ITENS_1=About-@--@-Last\r\n"
    "[SUBMENUS]\r\n"
    "ITENS-|0.1|=Chapter 1-@-Chapter 2\r\n"
    "[ACOES]\r\n"
    "MENUx0_0=APPLICATIONTITLE \"Contents\"\r\n"
    "MENUx0_1=APPLICATIONTITLE \"Chapters opened\"\r\n"
    "MENUx0_1_0=APPLICATIONTITLE \"Chapter 1\"\r\n"
    "MENUx0_2=APPLICATIONTITLE \"Notes\"\r\n"
    "MENUx1_1=APPLICATIONTITLE \"Empty caption\"\r\n"
    "MENUx1_2=\r\n";

class MenuBar : public ::testing::Test {
protected:
    void SetUp() override {
        g_windowCommands.clear();
        window_ = CreateTestWindow();
        ASSERT_TRUE(window_);
        ShowBookMenu(menu_, window_, name_, kConfiguration + kMenus, [this](const std::string& itemName) {
            clicked_.push_back(itemName);
            MenuItemClick(host_, path_, itemName);
        });
    }
    void TearDown() override {
        if (::IsWindow(window_)) ::DestroyWindow(window_);
        DeleteMenuFile(name_);
    }

    // A click as the menu sends it: WM_COMMAND with the item's id, posted.
    void Choose(const ui::TMenuItem& item) {
        ::PostMessageA(window_, WM_COMMAND, MAKEWPARAM(item.Command(), 0), 0);
        effects::test::Pump(0);
    }
    HMENU Popup(int menu) const { return ::GetSubMenu(::GetMenu(window_), menu); }

    const std::string name_ = "MNTEST";
    const std::string path_ = MenuFilePath(name_);
    HWND window_ = nullptr;
    ui::TMainMenu menu_;
    MenuHost host_{menu_};
    std::vector<std::string> clicked_;
};

TEST_F(MenuBar, ClicksAndOpeningSubMenusRunTheItemsActionNotTheWindows) {
    ASSERT_EQ(::GetMenu(window_), menu_.Handle());
    ASSERT_EQ(::GetMenuItemCount(Popup(0)), 5);
    EXPECT_EQ(::GetMenuState(Popup(1), 1, MF_BYPOSITION) & MF_SEPARATOR, 0u) << "an empty caption is still an item";
    Choose(menu_.ItemAt({0, 1, 0}));
    EXPECT_EQ(host_.caption, "Chapter 1");
    Choose(menu_.ItemAt({1, 1}));
    EXPECT_EQ(host_.caption, "Empty caption");
    Choose(menu_.ItemAt({1, 2}));
    EXPECT_EQ(host_.caption, "Empty caption") << "an empty action is no action";
    EXPECT_TRUE(g_windowCommands.empty()) << "menu commands do not reach the window";

    HMENU chapters = ::GetSubMenu(Popup(0), 1);
    ::SendMessageA(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(chapters), MAKELPARAM(1, FALSE));
    EXPECT_EQ(host_.caption, "Chapters opened");
    ::SendMessageA(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(Popup(1)), MAKELPARAM(1, FALSE));
    EXPECT_EQ(clicked_, (std::vector<std::string>{"MENUx0_1_0", "MENUx1_1", "MENUx0_1"}))
        << "top-level menus run nothing";
}

TEST_F(MenuBar, DisableAndEnableGreyTheRealItemAndStopItsClicks) {
    RunActionCommands(host_, "DISABLEMENUITEM \"MENUx0_2\"-@-DISABLEMENUITEM \"MENUx0_1_1\"");
    EXPECT_TRUE(::GetMenuState(Popup(0), 2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(::GetSubMenu(Popup(0), 1), 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(Popup(0), 0, MF_BYPOSITION) & MF_GRAYED);
    Choose(menu_.ItemAt({0, 2}));
    EXPECT_TRUE(clicked_.empty());

    RunActionCommands(host_, "ENABLEMENUITEM \"XXXXX0_2\"-@-DESABILITARMENU \"MENUx1\"");
    EXPECT_FALSE(::GetMenuState(Popup(0), 2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(::GetMenu(window_), 1, MF_BYPOSITION) & MF_GRAYED);
    Choose(menu_.ItemAt({0, 2}));
    EXPECT_EQ(host_.caption, "Notes");
}

TEST_F(MenuBar, DeleteTwiceRemovesTheFirstTwoItemsAndTheMovedItemRunsItsOwnAction) {
    const UINT chaptersId = menu_.ItemAt({0, 1}).Command();
    HMENU chapters = ::GetSubMenu(Popup(0), 1);
    RunActionCommands(host_, "DELETEMENUITEM \"MENUx0_0\"-@-DELETEMENUITEM \"MENUx0_0\"");
    ASSERT_EQ(::GetMenuItemCount(Popup(0)), 3);
    EXPECT_EQ(MenuText(Popup(0), 0), "Notes");
    EXPECT_FALSE(::IsMenu(chapters)) << "the sub-items went with their item";
    EXPECT_EQ(menu_.FindItem(static_cast<int>(chaptersId)), nullptr);

    // MENUx0_0 now addresses the item named MENUx0_2, which runs its own action.
    Choose(menu_.ItemAt({0, 0}));
    EXPECT_EQ(host_.caption, "Notes");
    EXPECT_EQ(clicked_, (std::vector<std::string>{"MENUx0_2"}));

    RunActionCommands(host_, "DELETEMENUITEM \"MENUx0_0\"-@-DELETEMENUITEM \"MENUx0_0\"-@-DELETEMENUITEM \"MENUx0_0\"");
    EXPECT_EQ(Popup(0), nullptr) << "an empty menu keeps no pop-up";
    EXPECT_EQ(MenuText(::GetMenu(window_), 0), "&Book");
}

TEST_F(MenuBar, AnItemLosingItsLastSubItemOrDeletedByItsOwnActionStillRuns) {
    RunActionCommands(host_, "DELETEMENUITEM \"MENUx0_1_1\"-@-DELETEMENUITEM \"MENUx0_1_0\"");
    EXPECT_EQ(::GetSubMenu(Popup(0), 1), nullptr);
    Choose(menu_.ItemAt({0, 1}));
    EXPECT_EQ(host_.caption, "Chapters opened");

    ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream(path_, std::ios::binary | std::ios::trunc)
        << kConfiguration << "[ACOES]\r\nMENUx0_0=DELETEMENUITEM \"MENUx0_0\"-@-APPLICATIONTITLE \"After\"\r\n";
    Choose(menu_.ItemAt({0, 0}));
    EXPECT_EQ(host_.caption, "After");
    EXPECT_EQ(MenuText(Popup(0), 0), "Chapters");
}

TEST(MenuOwner, AMenuFileThatCannotBeCreatedStopsTheMenuBeforeItIsBuilt) {
    ui::TMainMenu menu;
    const ui::UniqueWindow window(CreateTestWindow());
    const std::string path = GetTempDirectory() + "no such folder\\QXBTAE.dmt";
    try {
        ShowBookMenu(menu, window.Get(), "no such folder\\QXBTAE", kConfiguration + kMenus, [](const std::string&) {});
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& error) {
        const std::string message = error.what();
        const std::string start = "Cannot create the menu file \"" + path + "\": ";
        EXPECT_EQ(message.substr(0, start.size()), start);
        EXPECT_GT(message.size(), start.size()) << "the reason is given";
    }
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(::GetMenu(window.Get()), menu.Handle()) << "the window took the menu before the file was written";
    EXPECT_EQ(menu.Count({}), 0);
}

TEST(MenuOwner, TheBarOutlivesItsWindowAndGoesWithItsOwner) {
    HMENU bar = nullptr;
    HMENU popup = nullptr;
    {
        ui::TMainMenu menu;
        menu.Items().Add("", "Top").Add("MENUx0_0", "Item");
        bar = menu.Handle();
        popup = menu.Items().Items(0).Handle();
        HWND window = CreateTestWindow();
        menu.AttachTo(window);
        ::DestroyWindow(window);
        EXPECT_TRUE(::IsMenu(bar)) << "the window took the menu's bar with it";
        EXPECT_TRUE(::IsMenu(popup));
        EXPECT_EQ(menu.Window(), nullptr) << "the menu saw its window go";
    }
    EXPECT_FALSE(::IsMenu(bar));
    EXPECT_FALSE(::IsMenu(popup));

    const ui::UniqueWindow window(CreateTestWindow());
    {
        ui::TMainMenu menu;
        menu.AttachTo(window.Get());
        bar = menu.Handle();
    }
    EXPECT_EQ(::GetMenu(window.Get()), nullptr) << "the window kept a destroyed bar";
    EXPECT_FALSE(::IsMenu(bar));
}

TEST(MenuOwner, ADashItemIsASeparatorOnlyWhileItHasNoSubItems) {
    ui::TMainMenu menu;
    ui::TMenuItem& top = menu.Items().Add("", "-");
    ui::TMenuItem& dash = top.Add("MENUx0_0", "-");
    EXPECT_EQ(::GetMenuState(menu.Handle(), 0, MF_BYPOSITION) & MF_SEPARATOR, 0u) << "not at the top level";
    EXPECT_EQ(::GetMenuState(top.Handle(), 0, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    dash.Add("MENUx0_0_0", "Below");
    EXPECT_EQ(::GetMenuState(top.Handle(), 0, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_EQ(::GetSubMenu(top.Handle(), 0), dash.Handle());
    dash.Delete(0);
    EXPECT_EQ(::GetSubMenu(top.Handle(), 0), nullptr);
    EXPECT_EQ(::GetMenuState(top.Handle(), 0, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
}

// Every top-level menu added redrew the whole bar: 400 menus took half a minute.
TEST(MenuOwner, ALongMenuBarIsDrawnOnceNotOncePerMenu) {
    const auto framesFor = [](int menus) {
        std::string definition = "[GERAL]\r\n";
        for (int i = 0; i < menus; ++i) definition += "MENU_" + std::to_string(i) + "=M" + std::to_string(i) + "\r\n";
        definition += "[MENU]\r\n";
        for (int i = 0; i < menus; ++i) definition += "ITENS_" + std::to_string(i) + "=a-@-b\r\n";
        ui::TMainMenu menu;
        const ui::UniqueWindow window(CreateTestWindow());
        effects::test::Pump(0);
        g_frameChanges = 0;
        ShowBookMenu(menu, window.Get(), "MNLONG", kConfiguration + definition, [](const std::string&) {});
        const int frames = g_frameChanges;
        EXPECT_EQ(::GetMenuItemCount(::GetMenu(window.Get())), menus);
        DeleteMenuFile("MNLONG");
        return frames;
    };
    const int few = framesFor(3);
    EXPECT_GE(few, 1) << "the bar is drawn";
    EXPECT_EQ(framesFor(300), few);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Wine reports the archive bit on every regular file, whatever was set.
DWORD Attributes(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
}

TEST(MenuFile, IsWrittenByteForByteHiddenOnlyAndDeletedOnCloseOnly) {
    const std::string path = MenuFilePath("QXBTAE");
    // 8-bit text goes out unconverted, one byte per character.
    const std::string text = "T\xEDtulo\r\n0\r\n\r\n[GERAL]\r\nMENU_0=Op\xE7\xF5""es\r\n";
    WriteMenuFile(path, text);
    EXPECT_EQ(ReadBytes(path), text);
    EXPECT_EQ(Attributes(path), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    // A file of the same name, hidden already, is replaced as a whole.
    WriteMenuFile(path, "short\r\n");
    EXPECT_EQ(ReadBytes(path), "short\r\n");
    EXPECT_EQ(Attributes(path), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));

    DeleteMenuFile("QXBTAE");
    EXPECT_FALSE(Exists(path));
    DeleteMenuFile("QXBTAE");  // no file: nothing to do, no error
    // A run that never drew its letters owns no file: ".dmt" alone stays.
    const std::string bare = GetTempDirectory() + ".dmt";
    { std::ofstream(bare, std::ios::binary) << "someone else's"; }
    DeleteMenuFile("");
    EXPECT_TRUE(Exists(bare));
    ::DeleteFileA(bare.c_str());
}

std::set<std::string> MenuFilesInTemp() {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((GetTempDirectory() + "*.dmt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

// A book with a menu and a missing start page left its hidden menu file behind.
TEST(MenuFileLifetime, TheMenuFileGoesWhenTheStartPageIsMissing) {
    auto lines = testing_lines::BookLines();
    lines[0] = "Missing page";
    lines[10] = "C:\\Author\\nowhere\\index.htm";
    lines[50] = "1";
    const std::string exe = GetTempDirectory() + "vc_menu_lifetime.exe";
    testing_lines::WriteStandInBook(exe, testing_lines::JoinLines(lines) +
                                             "[GERAL]\r\nMENU_0=File\r\n[MENU]\r\nITENS_0=Exit\r\n[ACOES]\r\n"
                                             "MENUx0_0=APPLICATIONEXIT()\r\n");

    const std::set<std::string> before = MenuFilesInTemp();
    // The start-up's message box is modal: a timer its loop dispatches answers it.
    static int answered;
    answered = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        if (HWND box = ::FindWindowA("#32770", "Vellumcast")) answered += ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    {
        Tform_apresentacao::Options options;
        options.exePath = exe;
        Tform_apresentacao window(std::move(options));
        EXPECT_TRUE(ui::Application().Terminated()) << "the missing page ends the run";
        EXPECT_EQ(MenuFilesInTemp(), before) << "the menu file outlived the run";
    }
    ::KillTimer(nullptr, timer);
    EXPECT_GE(answered, 1) << "the missing page's message was shown";
    MSG quit;
    ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    ui::Application().SetMainForm(nullptr);
    ::DeleteFileA(exe.c_str());
}

}  // namespace
}  // namespace vc
