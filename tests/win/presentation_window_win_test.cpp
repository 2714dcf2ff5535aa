#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "../native/book_lines.h"
#include "../native/one_file_book.h"
#include "effects_window_win.h"
#include "scripted_browser_win.h"
#include "ui/application_win.h"
#include "window/frm_apresentacao_win.h"

namespace vc {
namespace {

using testing::ScriptedBrowser;
using testing_lines::BookLines;

class PresentationWindow : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = effects::test::TempPath("vc_window_test\\");
        ::CreateDirectoryA(folder_.c_str(), nullptr);
        ::CreateDirectoryA((folder_ + "pages").c_str(), nullptr);
        std::ofstream(folder_ + "pages\\index.htm") << "<html><body>start</body></html>";
        ui::Application().SetErrorReporter([this](const std::string& m) { errors_.push_back(m); });
    }

    void TearDown() override {
        window_.reset();
        ui::Application().SetErrorReporter(nullptr);
        ui::Application().SetMainForm(nullptr);
    }

    // Writes an e-book carrying the lines and opens the window on it.
    void Open(const std::vector<std::string>& lines) {
        testing_lines::WriteStandInBook(folder_ + "Book.exe", testing_lines::JoinLines(lines));
        Tform_apresentacao::Options options;
        options.exePath = folder_ + "Book.exe";
        options.runShell = [this](HWND, const char*, const char* file, const char* parameters, const char*, int) {
            shellCalls_.push_back(std::string(file) + " " + (parameters ? parameters : "null"));
        };
        options.createBrowser = [this](HWND parent, BrowserEvents& events) {
            auto browser = std::make_unique<ScriptedBrowser>(parent, events);
            browser_ = browser.get();
            return browser;
        };
        window_ = std::make_unique<Tform_apresentacao>(std::move(options));
    }

    ui::TToolBar& Bar() { return window_->Toolbar(); }
    int Id(ToolButton b) { return Tform_apresentacao::ButtonId(b); }
    // The browser's event of a navigation from the top frame: whether it was cancelled.
    bool Cancelled(const std::string& url, const std::string& frameUrl = "") {
        bool cancel = false;
        browser_->Events().WebBeforeNavigate2(url, frameUrl, cancel);
        return cancel;
    }

    std::string folder_;
    std::unique_ptr<Tform_apresentacao> window_;
    ScriptedBrowser* browser_ = nullptr;
    std::vector<std::string> errors_;
    std::vector<std::string> shellCalls_;
};

TEST_F(PresentationWindow, TheConfigurationShapesTheWindowAndOpensTheStartPage) {
    auto lines = BookLines();
    lines[8] = "0";   // no maximise button
    lines[90] = "0";  // Forward hidden
    lines[11] = "0";  // no tool bar
    lines[21] = "0";  // no status bar
    lines[4] = "0";   // a single fixed border
    Open(lines);
    ASSERT_TRUE(errors_.empty()) << errors_.front();
    const LONG style = ::GetWindowLongA(window_->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(Bar().ButtonVisible(Id(ToolButton::Forward)));
    EXPECT_TRUE(Bar().ButtonVisible(Id(ToolButton::Back)));
    EXPECT_EQ(Bar().Hint(Id(ToolButton::About)), "hint46");
    EXPECT_FALSE(window_->StatusBar().Visible());
    EXPECT_EQ(browser_->calls, std::vector<std::string>{"navigate " + folder_ + "pages\\index.htm"});
    // The browser fills the client area, with no tool bar or status bar.
    RECT client;
    ::GetClientRect(window_->Handle(), &client);
    EXPECT_EQ(browser_->bounds.top, 0);
    EXPECT_EQ(browser_->bounds.bottom, client.bottom);
}

TEST_F(PresentationWindow, BrowserEventsKeepTheBarsInStepAndActionsRunCancelledReportingTheirErrors) {
    Open(BookLines());
    BrowserEvents& events = browser_->Events();
    events.WebTitleChange("Chapter One");
    EXPECT_EQ(window_->StatusBar().PanelText(1), "Chapter One");
    EXPECT_EQ(window_->Caption(), "Tour") << "the caption is not touched";

    events.WebProgressChange(40, 1000);
    EXPECT_EQ(window_->Progress().Position(), 40) << "no scaling by the maximum";
    events.WebProgressChange(-1, 100);
    EXPECT_TRUE(window_->Progress().Visible());
    events.WebProgressChange(0, 100);
    EXPECT_FALSE(window_->Progress().Visible());

    events.WebCommandStateChange(2, false);
    EXPECT_FALSE(Bar().ButtonEnabled(Id(ToolButton::Back)));
    EXPECT_TRUE(Bar().ButtonEnabled(Id(ToolButton::Forward)));
    events.WebCommandStateChange(1, false);
    EXPECT_FALSE(Bar().ButtonEnabled(Id(ToolButton::Forward)));
    events.WebCommandStateChange(-1, true);
    EXPECT_FALSE(Bar().ButtonEnabled(Id(ToolButton::Back)));

    // Which addresses are actions is decided natively.
    EXPECT_FALSE(Cancelled("file:///C:/book/pages/two.htm"));
    EXPECT_TRUE(Cancelled("action:APPLICATIONTITLE%20%Second%20Title%"));
    EXPECT_EQ(window_->Caption(), "Second Title");
    EXPECT_TRUE(errors_.empty());
    // A failing command leaves the navigation cancelled and is reported.
    EXPECT_TRUE(Cancelled("ACTION:DISABLEMENUITEM%20%MENUx0_0%"));
    EXPECT_EQ(errors_, std::vector<std::string>{"List index out of bounds (0)"});
}

TEST_F(PresentationWindow, DocumentStylingWritesTheRowsInOrderAndStopsAtARejectedValue) {
    auto lines = BookLines();
    lines[33] = "1";
    lines[34] = "dotted";
    lines[35] = "#336699";
    lines[24] = "1";
    for (int i = 0; i < 7; ++i) lines[25 + i] = "#f" + std::to_string(i + 1);
    Open(lines);
    browser_->calls.clear();
    browser_->Events().WebDocumentComplete("file:///C:/book/pages/index.htm");
    const std::vector<std::string> expected = {
        "border-style ", "border-style dotted", "border-colour #336699",
        "put document.scrollbarArrowColor=#f6", "put document.scrollbar3DLIGHTCOLOR=#f3",
        "put document.scrollbarDarkShadowColor=#f4", "put document.scrollbarFaceColor=#f1",
        "put document.scrollbarHighlightColor=#f2", "put Document.scrollbarShadowColor=#f5",
        "put Document.scrollbarTrackColor=#f7"};
    EXPECT_EQ(browser_->calls, expected);
    EXPECT_EQ(window_->Settings().LastUrl, "file:///C:/book/pages/index.htm");

    browser_->calls.clear();
    browser_->rejectedValue = "#f4";
    EXPECT_THROW(browser_->Events().WebDocumentComplete("file:///C:/book/pages/two.htm"), std::runtime_error);
    EXPECT_EQ(browser_->calls.back(), "put document.scrollbar3DLIGHTCOLOR=#f3") << "later rows are not written";
}

// Which target home and refresh take is decided natively; here, that the
// buttons ask it.
TEST_F(PresentationWindow, TheBrowserButtonsUseTheirTargetsCommandsAndErrors) {
    auto lines = BookLines();
    lines[80] = "-1";
    lines[81] = "";
    lines[32] = "1";  // print through the dialog
    Open(lines);
    window_->bt_imprimirClick();
    EXPECT_EQ(browser_->calls.back(), "execwb 6 1");
    browser_->refuseExec = true;
    window_->botao_copiarClick();
    EXPECT_EQ(browser_->calls.back(), "execwb 12 1");
    window_->bot_selectallClick();
    EXPECT_EQ(browser_->calls.back(), "execwb 17 1");
    EXPECT_THROW(window_->bt_imprimirClick(), std::runtime_error) << "print errors are not swallowed";

    lines[81] = "C:\\Books\\tour\\pages\\contents.htm";
    lines[33] = "1";
    Open(lines);
    window_->b_homeClick();
    EXPECT_EQ(browser_->calls.back(), "navigate " + folder_ + "pages\\contents.htm");
    Cancelled("file:///C:/book/pages/two.htm");
    Cancelled("ACTION:WEBSTOP");
    window_->b_refreshClick();
    EXPECT_EQ(browser_->calls.back(), "navigate file:///C:/book/pages/two.htm") << "an action is no address";
}

// Which messages go is decided natively; here, that the filter finds the page
// window and the real keyboard state.
TEST_F(PresentationWindow, TheFilterSwallowsRightClicksInThePageAndBlockedKeys) {
    auto lines = BookLines();
    lines[36] = "1";
    lines[87] = "0";
    lines[94] = "1";  // Print hidden and Ctrl+P blocked
    Open(lines);
    auto swallowed = [&](HWND target, UINT message, WPARAM wParam) {
        MSG msg{target, message, wParam, 0, 0, {0, 0}};
        bool handled = false;
        window_->EventosAplicacaoMessage(msg, handled);
        return handled;
    };
    EXPECT_TRUE(swallowed(browser_->PageChild(), WM_RBUTTONDOWN, 0));
    EXPECT_FALSE(swallowed(Bar().Handle(), WM_RBUTTONDOWN, 0)) << "the tool bar keeps its right clicks";

    BYTE keys[256];
    ::GetKeyboardState(keys);
    EXPECT_FALSE(swallowed(browser_->PageChild(), WM_KEYDOWN, 'P')) << "Control is not held";
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(swallowed(browser_->PageChild(), WM_KEYDOWN, 'P'));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

TEST_F(PresentationWindow, OnlyTheBooksOwnPagesStartProgramsAndARefusalShowsNothing) {
    Open(BookLines());
    std::string pages = "file:///" + folder_ + "pages/";
    std::replace(pages.begin(), pages.end(), '\\', '/');
    const std::string run = "ACTION:EXECUTEOROPENFILE%20%[SystemDir]cmd.exe%==%/c%20x%";
    BrowserEvents& events = browser_->Events();

    browser_->location = "https://evil.example/";
    EXPECT_TRUE(Cancelled(run, "https://evil.example/"));
    browser_->location = pages + "index.htm";
    // A book page holding a frame of the web: the event names a book frame.
    events.WebNavigateComplete2(pages + "index.htm", true);
    events.WebNavigateComplete2("http://evil.example/ad.htm", false);
    events.WebNavigateComplete2(pages + "side.htm", false);
    Cancelled(run, pages + "side.htm");
    EXPECT_TRUE(shellCalls_.empty());
    EXPECT_TRUE(errors_.empty()) << "a refused command shows nothing";

    // The frames go with their page; the book's own pages may.
    events.WebNavigateComplete2(pages + "two.htm", true);
    browser_->location = pages + "two.htm";
    Cancelled(run, pages + "two.htm");
    ASSERT_EQ(shellCalls_.size(), 1u);
    EXPECT_NE(shellCalls_[0].find("cmd.exe /c x"), std::string::npos) << shellCalls_[0];
}

TEST_F(PresentationWindow, AOneFileBookOpensItsPagesAtItsOwnAddressesOnly) {
    ::DeleteFileA((folder_ + "pages\\index.htm").c_str());
    ::RemoveDirectoryA((folder_ + "pages").c_str());
    auto lines = BookLines();
    lines[80] = "1";
    lines[81] = "C:\\Books\\tour\\extra\\home.htm";
    std::ofstream(folder_ + "Book.exe", std::ios::binary)
        << testing::OneFileBook({{"pages/index.htm", "<p>start</p>"}, {"extra/home.htm", "<p>home</p>"}},
                                testing_lines::JoinLines(lines));
    Tform_apresentacao::Options options;
    options.exePath = folder_ + "Book.exe";
    options.runShell = [this](HWND, const char*, const char* file, const char*, const char*, int) {
        shellCalls_.push_back(file);
    };
    options.createBrowser = [this](HWND parent, BrowserEvents& events) {
        auto browser = std::make_unique<ScriptedBrowser>(parent, events);
        browser_ = browser.get();
        return browser;
    };
    window_ = std::make_unique<Tform_apresentacao>(std::move(options));
    ASSERT_TRUE(errors_.empty()) << errors_.front();

    // A host of the book's own, picked at start.
    const std::string host = window_->Settings().BookHost;
    ASSERT_EQ(host.size(), 6u);
    EXPECT_EQ(host.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos) << host;
    const std::string book = "vcbook://" + host + "/";
    EXPECT_EQ(browser_->calls, std::vector<std::string>{"navigate " + book + "pages/index.htm"});

    window_->b_homeClick();
    EXPECT_EQ(browser_->calls.back(), "navigate " + book + "extra/home.htm");
    EXPECT_TRUE(Cancelled("ACTION:LOADHTML%20%C:\\Books\\tour\\pages\\ch%201.htm%"));
    EXPECT_EQ(browser_->calls.back(), "navigate " + book + "pages/ch%201.htm");

    // Its own pages may run programs; pages beside it on the disk may not.
    const std::string run = "ACTION:EXECUTEOROPENFILE%20%[Dir]notes.txt%";
    browser_->location = "file:///" + folder_ + "pages/index.htm";
    Cancelled(run, browser_->location);
    EXPECT_TRUE(shellCalls_.empty());
    browser_->location = book + "pages/index.htm";
    Cancelled(run, browser_->location);
    EXPECT_EQ(shellCalls_, std::vector<std::string>{folder_ + "notes.txt"}) << "files stay beside the book";
}

TEST_F(PresentationWindow, TheSkinLinesLoadFromTheStoreAndRecordTheSwitches) {
    auto lines = BookLines();
    lines[101] = "1";
    lines[102] = "16";  // past the store: nothing loads, the switches are recorded
    Open(lines);
    ASSERT_TRUE(errors_.empty()) << errors_.front();
    EXPECT_TRUE(window_->Skin().Active());
    EXPECT_TRUE(window_->SkinCaptionActive());
    EXPECT_EQ(browser_->calls.size(), 1u) << "the start page still opens";

    lines[102] = "-1";
    Open(lines);
    EXPECT_EQ(errors_, std::vector<std::string>{"List index out of bounds (-1)"});
    EXPECT_FALSE(window_->Skin().Active());
    EXPECT_TRUE(browser_->calls.empty()) << "the start-up ends at the error";
}

}  // namespace
}  // namespace vc
