// The skinned menus on a real window: the band takes the window's menu off
// it and gives it back, keyboard journeys through the band's drop-downs
// choose the right item, the drop-down windows are skinned while the menu
// hook lives only as long as a menu is open, and the band follows changes of
// the menu. Pixels are proven natively against the menu painter.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "effects_window_win.h"
#include "skin/skin_bitmap_win.h"
#include "skin/skin_manager_win.h"
#include "skin/skin_resources_win.h"
#include "skin/skin_store.h"
#include "ui/main_menu_win.h"
#include "ui/private_messages.h"

namespace vc {
namespace {

using effects::test::Pump;

// What happens inside the menu loop is driven by a thread timer, which the
// loop dispatches: one step a tick.
std::deque<std::function<void()>> g_steps;
void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    if (g_steps.empty()) return;
    const auto step = std::move(g_steps.front());
    g_steps.pop_front();
    step();
}

void Key(WORD key, bool alt = false) {
    std::vector<INPUT> input;
    const auto add = [&](WORD k, bool up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        input.push_back(i);
    };
    if (alt) add(VK_MENU, false);
    add(key, false);
    add(key, true);
    if (alt) add(VK_MENU, true);
    ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// The visible pop-up menu window of the thread, or null.
HWND OpenPopup() {
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND w, LPARAM out) -> BOOL {
            char name[16] = {};
            ::GetClassNameA(w, name, sizeof name);
            if (std::string(name) == "#32768" && ::IsWindowVisible(w)) *reinterpret_cast<HWND*>(out) = w;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

class SkinMenus : public ::testing::Test {
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

        WNDCLASSA wc{};
        wc.lpfnWndProc = &PlainProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "VcSkinMenusTest";
        ::RegisterClassA(&wc);
        window_ = ::CreateWindowExA(0, "VcSkinMenusTest", "Menus", WS_OVERLAPPEDWINDOW, 80, 80, 480, 320, nullptr,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr);
        const char* bar[][3] = {{"&File", "Open", "Close"}, {"&View", "Zoom", "Fit"}, {"&Help", "About", nullptr}};
        for (int i = 0; i < 3; ++i) {
            ui::TMenuItem& top = menu_.Items().Add("MENU" + std::to_string(i), bar[i][0]);
            for (int j = 1; j < 3 && bar[i][j]; ++j)
                top.Add("MENU" + std::to_string(i) + std::to_string(j), bar[i][j])
                    .SetOnClick([this](ui::TMenuItem& item) { chosen_ = item.Caption(); });
        }
        menu_.AttachTo(window_);
        ::GetClientRect(window_, &systemClient_);
        ::ShowWindow(window_, SW_SHOW);
        ::SetForegroundWindow(window_);
        Pump();
        timer_ = ::SetTimer(nullptr, 0, 150, &RunStep);
    }
    void TearDown() override {
        ::KillTimer(nullptr, timer_);
        g_steps.clear();
        manager_.reset();
        menu_.Detach();
        if (window_) ::DestroyWindow(window_);
        data_.reset();
        if (runtime_) ::FreeLibrary(runtime_);
    }

    // Inside the open menu: is its window skinned, is the hook there.
    void Observe() {
        const HWND popup = OpenPopup();
        seen_.push_back(popup && ::SendMessageA(popup, ui::kSkinQueryMessage, 0, 0) == 1 && MenuHookInstalled());
    }
    // A journey: the first key, then one key a tick, each after a look.
    std::string Journey(WORD first, bool alt, std::vector<WORD> keys) {
        chosen_.clear();
        seen_.clear();
        for (WORD k : keys)
            g_steps.push_back([this, k] {
                Observe();
                Key(k);
            });
        Key(first, alt);
        const bool done = [&] {
            for (int i = 0; i < 80; ++i) {
                Pump(50);
                if (g_steps.empty() && !OpenPopup() && !MenuHookInstalled()) return true;
            }
            return false;
        }();
        EXPECT_TRUE(done) << "the menu closed";
        Pump(200);
        return chosen_;
    }

    HMODULE runtime_ = nullptr;
    TSkinStore store_;
    std::unique_ptr<TSkinData> data_;
    std::unique_ptr<TSkinManager> manager_;
    ui::TMainMenu menu_;
    HWND window_ = nullptr;
    RECT systemClient_{};
    UINT_PTR timer_ = 0;
    std::string chosen_;
    std::vector<bool> seen_;
};

TEST_F(SkinMenus, TheBandTakesTheMenuOffTheWindowAndGivesItBack) {
    ASSERT_EQ(::SendMessageA(window_, ui::kSkinQueryMessage, 0, 0), 1);
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

TEST_F(SkinMenus, KeyboardJourneysChooseTheRightItem) {
    ASSERT_EQ(::SendMessageA(window_, ui::kSkinQueryMessage, 0, 0), 1);
    EXPECT_FALSE(MenuHookInstalled());
    // F10 opens File with its first item selected; Left wraps to Help.
    EXPECT_EQ(Journey(VK_F10, false, {VK_LEFT, VK_RETURN}), "About");
    EXPECT_EQ(seen_, (std::vector<bool>{true, true})) << "each drop-down skinned while the hook lives";
    EXPECT_FALSE(MenuHookInstalled());
    EXPECT_EQ(manager_->PopupMenuCount(), 0u);
    EXPECT_EQ(manager_->CurrentMenuKind(), MenuKind::Popup) << "the kind returns to 0 with the last pop-up";
    // Right on the last item wraps to the first.
    EXPECT_EQ(Journey(VK_F10, false, {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN}), "Open");
    // Alt and a letter open that item; Down moves within it.
    EXPECT_EQ(Journey('V', true, {VK_DOWN, VK_RETURN}), "Fit");
    // Escape leaves without a choice.
    EXPECT_EQ(Journey('F', true, {VK_ESCAPE}), "");
    EXPECT_FALSE(OpenPopup());
}

TEST_F(SkinMenus, TheBandFollowsMenuCommandsAndTheSystemMenuIsSkinned) {
    ASSERT_EQ(::SendMessageA(window_, ui::kSkinQueryMessage, 0, 0), 1);
    menu_.ItemAt({1}).SetCaption("&Look");
    EXPECT_EQ(Journey('L', true, {VK_RETURN}), "Zoom") << "the renamed item opens by its new key";
    menu_.ItemAt({2}).SetEnabled(false);
    EXPECT_EQ(Journey('H', true, {}), "");
    EXPECT_FALSE(MenuHookInstalled());
    EXPECT_EQ(Journey(VK_F10, false, {VK_LEFT, VK_RETURN}), "Zoom") << "Left passes over the disabled item";

    // Alt+Space: the skinned system menu; Escape closes it.
    seen_.clear();
    g_steps.push_back([this] {
        const HWND popup = OpenPopup();
        seen_.push_back(popup && ::SendMessageA(popup, ui::kSkinQueryMessage, 0, 0) == 1);
        Key(VK_ESCAPE);
    });
    Key(VK_SPACE, true);
    for (int i = 0; i < 40 && !g_steps.empty(); ++i) Pump(50);
    Pump(300);
    EXPECT_EQ(seen_, std::vector<bool>{true});
    EXPECT_FALSE(OpenPopup());
    EXPECT_TRUE(::IsWindow(window_));
}

}  // namespace
}  // namespace vc
