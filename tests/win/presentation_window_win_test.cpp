#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <algorithm>

#include "../native/book_lines.h"
#include "common/errors.h"
#include "effects_window_win.h"
#include "scripted_browser_win.h"
#include "ui/application_win.h"
#include "interpreter/interpreter.h"
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
        testing_lines::WriteStandInBook(Book(), testing_lines::JoinLines(lines));
        OpenFile(Book());
    }

    void OpenFile(const std::string& exe) {
        Tform_apresentacao::Options options;
        options.exePath = exe;
        options.runShell = [this](HWND owner, const char* verb, const char* file, const char* parameters,
                                  const char* directory, int show) {
            auto text = [](const char* p) { return p ? "\"" + std::string(p) + "\"" : std::string("null"); };
            shellCalls_.push_back((owner == window_->Handle() ? "window" : owner == ::GetDesktopWindow() ? "desktop"
                                   : owner ? "other" : "none") + std::string(" ") + text(verb) + " " + text(file) +
                                  " " + text(parameters) + " " + text(directory) + " " + std::to_string(show));
        };
        options.createBrowser = [this](HWND parent, BrowserEvents& events) {
            auto browser = std::make_unique<ScriptedBrowser>(parent, events);
            browser_ = browser.get();
            return browser;
        };
        window_ = std::make_unique<Tform_apresentacao>(std::move(options));
    }

    std::string Book() const { return folder_ + "Book.exe"; }
    ui::TToolBar& Bar() { return window_->Toolbar(); }
    int Id(ToolButton b) { return Tform_apresentacao::ButtonId(b); }

    std::string folder_;
    std::unique_ptr<Tform_apresentacao> window_;
    ScriptedBrowser* browser_ = nullptr;
    std::vector<std::string> errors_;
    std::vector<std::string> shellCalls_;
};

TEST_F(PresentationWindow, WithoutPayloadEveryBuiltInValueStays) {
    // The built-in caption and place are proved end to end.
    OpenFile(effects::test::BesideTests("vc_win_tests.exe"));
    EXPECT_TRUE(Bar().Visible());
    EXPECT_TRUE(window_->StatusBar().Visible());
    EXPECT_FALSE(::IsWindowVisible(window_->Progress().Handle()));
    const char* hints[] = {"P\xE1gina Principal", "Voltar", "Avan\xE7""ar", "Atualizar", "Parar",
                           "Selecionar Tudo", "Copiar Texto Selecionado", "Imprimir", "Sair", "Sobre"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(Bar().Hint(Id(static_cast<ToolButton>(i))), hints[i]);
        EXPECT_TRUE(Bar().ButtonVisible(Id(static_cast<ToolButton>(i))));
        EXPECT_TRUE(Bar().ButtonEnabled(Id(static_cast<ToolButton>(i))));
    }
    EXPECT_TRUE(browser_->calls.empty()) << "no page opens without a payload";
    EXPECT_TRUE(errors_.empty());
}

TEST_F(PresentationWindow, TheConfigurationShapesTheWindowAndOpensTheStartPage) {
    auto lines = BookLines();
    lines[8] = "0";    // no maximise button
    lines[83] = "0";   // Refresh hidden
    lines[90] = "0";   // Forward hidden
    lines[21] = "0";   // no status bar
    lines[4] = "0";    // a single fixed border
    Open(lines);
    ASSERT_TRUE(errors_.empty()) << errors_.front();
    // Caption, size and centring are proved end to end.
    EXPECT_EQ(ui::Application().Title(), "Tour");
    const LONG style = ::GetWindowLongA(window_->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME) << "line 4 \"0\" gives a single fixed border";
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(Bar().ButtonVisible(Id(ToolButton::Refresh)));
    EXPECT_FALSE(Bar().ButtonVisible(Id(ToolButton::Forward)));
    EXPECT_TRUE(Bar().ButtonVisible(Id(ToolButton::Back)));
    EXPECT_EQ(Bar().Hint(Id(ToolButton::Home)), "hint37");
    EXPECT_EQ(Bar().Hint(Id(ToolButton::About)), "hint46");
    EXPECT_FALSE(window_->StatusBar().Visible());
    ASSERT_EQ(browser_->calls.size(), 1u);
    EXPECT_EQ(browser_->calls[0], "navigate " + folder_ + "pages\\index.htm");
    // The browser fills the client area below the tool bar, with no status bar.
    RECT client;
    ::GetClientRect(window_->Handle(), &client);
    EXPECT_EQ(browser_->bounds.top, 36);
    EXPECT_EQ(browser_->bounds.bottom, client.bottom);
}

TEST_F(PresentationWindow, BrowserEventsKeepStatusBarProgressAndButtonsInStep) {
    Open(BookLines());
    BrowserEvents& events = browser_->Events();
    events.WebTitleChange("Chapter One");
    EXPECT_EQ(window_->StatusBar().PanelText(1), "Chapter One");
    EXPECT_EQ(window_->Caption(), "Tour") << "the caption is not touched";

    events.WebProgressChange(40, 1000);
    EXPECT_TRUE(window_->Progress().Visible());
    EXPECT_EQ(window_->Progress().Position(), 40) << "no scaling by the maximum";
    events.WebProgressChange(-1, 100);
    EXPECT_TRUE(window_->Progress().Visible());
    EXPECT_EQ(window_->Progress().Position(), 0);
    events.WebProgressChange(150, 100);
    EXPECT_EQ(window_->Progress().Position(), 100);
    events.WebProgressChange(0, 100);
    EXPECT_FALSE(window_->Progress().Visible());

    events.WebCommandStateChange(2, false);
    EXPECT_FALSE(Bar().ButtonEnabled(Id(ToolButton::Back)));
    EXPECT_TRUE(Bar().ButtonEnabled(Id(ToolButton::Forward)));
    events.WebCommandStateChange(1, false);
    EXPECT_FALSE(Bar().ButtonEnabled(Id(ToolButton::Forward)));
    events.WebCommandStateChange(2, true);
    EXPECT_TRUE(Bar().ButtonEnabled(Id(ToolButton::Back)));
    events.WebCommandStateChange(-1, false);
    EXPECT_TRUE(Bar().ButtonEnabled(Id(ToolButton::Back)));
}

TEST_F(PresentationWindow, ActionNavigationsAreCancelledRunInAnyLetterCaseAndReportTheirErrors) {
    Open(BookLines());
    BrowserEvents& events = browser_->Events();
    bool cancel = false;
    events.WebBeforeNavigate2("file:///C:/book/pages/two.htm", "", cancel);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(window_->Settings().LastUrl, "file:///C:/book/pages/two.htm");

    events.WebBeforeNavigate2("action:APPLICATIONTITLE%20%Second%20Title%", "", cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(window_->Caption(), "Second Title");
    EXPECT_EQ(window_->Settings().LastUrl, "file:///C:/book/pages/two.htm") << "an action is no address";

    cancel = false;
    events.WebBeforeNavigate2("file:///x.htm#ACTION:HIDESTATUSBAR()", "", cancel);
    EXPECT_TRUE(cancel) << "ACTION: anywhere in the address is caught";

    cancel = false;
    events.WebBeforeNavigate2("Action:DISABLEBUTTONNAVIGATION%20%BUTTON_HOME%", "", cancel);
    EXPECT_TRUE(cancel);
    EXPECT_FALSE(Bar().ButtonEnabled(Id(ToolButton::Home)));
    EXPECT_TRUE(errors_.empty());

    // A failing command leaves the navigation cancelled and is reported.
    cancel = false;
    events.WebBeforeNavigate2("ACTION:DISABLEMENUITEM%20%MENUx0_0%", "", cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(errors_, std::vector<std::string>{"List index out of bounds (0)"});
}

TEST_F(PresentationWindow, DocumentStylingWritesTheRowsInOrderAndStopsAtARejectedValue) {
    auto lines = BookLines();
    lines[33] = "1";
    lines[34] = "dotted";
    lines[35] = "#336699";
    lines[24] = "1";
    const char* colours[] = {"#f1", "#f2", "#f3", "#f4", "#f5", "#f6", "#f7"};  // lines 25 to 31
    for (int i = 0; i < 7; ++i) lines[25 + i] = colours[i];
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
    EXPECT_EQ(browser_->calls.back(), "put document.scrollbar3DLIGHTCOLOR=#f3") << "rows after the error are not written";
}

TEST_F(PresentationWindow, HomeAndRefreshChooseTheirTargets) {
    auto lines = BookLines();
    lines[80] = "-1";
    lines[81] = "";
    Open(lines);
    window_->b_refreshClick();
    EXPECT_EQ(browser_->calls.back(), "refresh");

    lines[81] = "C:\\Books\\tour\\pages\\contents.htm";
    lines[33] = "1";
    Open(lines);
    window_->b_homeClick();
    EXPECT_EQ(browser_->calls.back(), "navigate " + folder_ + "pages\\contents.htm");
    bool cancel = false;
    browser_->Events().WebBeforeNavigate2("file:///C:/book/pages/two.htm", "", cancel);
    browser_->Events().WebBeforeNavigate2("ACTION:WEBSTOP", "", cancel);
    window_->b_refreshClick();
    EXPECT_EQ(browser_->calls.back(), "navigate file:///C:/book/pages/two.htm");
}

TEST_F(PresentationWindow, PrintCopyAndSelectAllUseTheirCommandsAndErrors) {
    auto lines = BookLines();
    lines[32] = "1";
    Open(lines);
    window_->bt_imprimirClick();
    EXPECT_EQ(browser_->calls.back(), "execwb 6 1");
    browser_->refuseExec = true;
    window_->botao_copiarClick();
    EXPECT_EQ(browser_->calls.back(), "execwb 12 1");
    window_->bot_selectallClick();
    EXPECT_EQ(browser_->calls.back(), "execwb 17 1");
    EXPECT_THROW(window_->bt_imprimirClick(), std::runtime_error) << "print errors are not swallowed";
}

// Which messages go is decided natively; here, that the filter finds the page
// window and the real keyboard state.
TEST_F(PresentationWindow, TheFilterSwallowsRightClicksInThePageAndBlockedKeys) {
    auto lines = BookLines();
    lines[36] = "1";
    lines[87] = "0";
    lines[94] = "1";  // Print hidden and Ctrl+P blocked
    lines[86] = "0";
    lines[93] = "0";  // Copy hidden, Ctrl+C still works
    Open(lines);
    auto swallowed = [&](HWND target, UINT message, WPARAM wParam) {
        MSG msg{target, message, wParam, 0, 0, {0, 0}};
        bool handled = false;
        window_->EventosAplicacaoMessage(msg, handled);
        return handled;
    };
    EXPECT_TRUE(swallowed(browser_->PageChild(), WM_RBUTTONDOWN, 0));
    EXPECT_FALSE(swallowed(Bar().Handle(), WM_RBUTTONDOWN, 0)) << "the tool bar keeps its right clicks";
    EXPECT_FALSE(swallowed(window_->StatusBar().Handle(), WM_RBUTTONDOWN, 0));

    BYTE keys[256];
    ::GetKeyboardState(keys);
    EXPECT_FALSE(swallowed(browser_->PageChild(), WM_KEYDOWN, 'P')) << "Control is not held";
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(swallowed(browser_->PageChild(), WM_KEYDOWN, 'P'));
    EXPECT_FALSE(swallowed(browser_->PageChild(), WM_KEYDOWN, 'C'));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

// Reads the open about box's texts, then closes it.
struct AboutReader {
    static inline std::vector<std::string> texts;
    static inline std::string caption;
    static inline TSobre* box = nullptr;

    static void CALLBACK Read(HWND, UINT, UINT_PTR timer, DWORD) {
        HWND dialog = box ? box->Window() : nullptr;
        if (!dialog) return;
        ::KillTimer(nullptr, timer);
        char text[1024];
        ::GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            ::GetWindowTextA(child, text, sizeof text);
            if (text[0]) texts.push_back(text);
        }
        ::EndDialog(dialog, IDOK);
    }
};

TEST_F(PresentationWindow, TheAboutBoxReceivesTheBookTexts) {
    auto lines = BookLines();
    lines[13] = "About the Test Book";
    lines[14] = "Test Book";
    lines[15] = "Version 2";
    lines[16] = "First line<!>Second line";
    lines[17] = "http://example.org/";
    lines[18] = "author@example.org";
    Open(lines);
    AboutReader::texts.clear();
    AboutReader::box = &window_->About();
    ::SetTimer(nullptr, 0, 50, &AboutReader::Read);
    window_->b_aboutClick();
    EXPECT_EQ(AboutReader::caption, "About the Test Book");
    const auto& t = AboutReader::texts;
    auto has = [&](const std::string& s) { return std::find(t.begin(), t.end(), s) != t.end(); };
    EXPECT_TRUE(has("Test Book"));
    EXPECT_TRUE(has("Version 2"));
    EXPECT_TRUE(has("First line\r\nSecond line\r\n"));
    EXPECT_TRUE(has("<a>http://example.org/</a>"));
    EXPECT_TRUE(has(TSobre::kOwnCopyright)) << "\"\xA9\" keeps the box's own copyright";
    EXPECT_EQ(window_->About().AppNameSize, 16);
}

TEST_F(PresentationWindow, TheStartUpCommandDrivesTheRealWindow) {
    auto lines = BookLines();
    lines[51] = "APPLICATIONTITLE \"Set at Start\"-@-HIDESTATUSBAR()-@-HIDEBUTTONSNAVIGATIONS()-@-"
                "DISABLEBUTTONNAVIGATION \"BUTTON_PRINT\"-@-NOSUCHCOMMAND()";
    Open(lines);
    ASSERT_TRUE(errors_.empty()) << errors_.front();
    EXPECT_EQ(window_->Caption(), "Set at Start");
    EXPECT_FALSE(window_->StatusBar().Visible());
    EXPECT_FALSE(Bar().Visible());
    EXPECT_FALSE(Bar().ButtonEnabled(Id(ToolButton::Print)));
    EXPECT_EQ(browser_->bounds.top, 0) << "the page takes the tool bar's room";
    // The start page opens after the start-up command.
    EXPECT_EQ(browser_->calls.back(), "navigate " + folder_ + "pages\\index.htm");

    CommandHost& host = window_->Commands();
    RunActionCommands(host, "SHOWSTATUSBAR()-@-SHOWBUTTONSNAVIGATIONS()-@-ENABLEBUTTONNAVIGATION \"BUTTON_PRINT\"");
    EXPECT_TRUE(window_->StatusBar().Visible());
    EXPECT_TRUE(Bar().Visible());
    EXPECT_TRUE(Bar().ButtonEnabled(Id(ToolButton::Print)));
    EXPECT_EQ(browser_->bounds.top, 36);
}

TEST_F(PresentationWindow, ShellCallsLeaveTheWindowExactlyAsTheCommandsSay) {
    Open(BookLines());
    RunActionCommands(window_->Commands(),
                      "WEBLINK \"www.example.org\"-@-SENDEMAIL \"me@example.org\"-@-"
                      "EXECUTEOROPENFILE \"[dir]notes.txt\"-@-EXECUTEOROPENFILE \"[WindowsDir]notepad.exe\"==\"[Dir]x\"");
    char windows[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH);
    std::string windowsDir(windows, length);
    if (windowsDir.back() != '\\') windowsDir += '\\';
    const std::vector<std::string> expected = {
        "window null \"http://www.example.org\" null null 1",
        "desktop \"open\" \"mailto:me@example.org\" null null 1",
        "none null \"" + folder_ + "notes.txt\" \"\" null 1",
        "none null \"" + windowsDir + "notepad.exe\" \"[Dir]x\" null 1",
    };
    EXPECT_EQ(shellCalls_, expected);
}

TEST_F(PresentationWindow, OnlyTheBooksOwnPagesStartProgramsAndARefusalShowsNothing) {
    Open(BookLines());
    std::string pages = "file:///" + folder_ + "pages/";
    for (char& c : pages)
        if (c == '\\') c = '/';
    const std::string run = "ACTION:EXECUTEOROPENFILE%20%[SystemDir]cmd.exe%==%/c%20x%";
    BrowserEvents& events = browser_->Events();
    bool cancel = false;

    browser_->location = "https://evil.example/";
    events.WebBeforeNavigate2(run, "https://evil.example/", cancel);
    EXPECT_TRUE(cancel);
    browser_->location = pages + "index.htm";
    // A book page holding a frame of the web: the event names a book frame.
    events.WebNavigateComplete2(pages + "index.htm", true);
    events.WebNavigateComplete2("http://evil.example/ad.htm", false);
    events.WebNavigateComplete2(pages + "side.htm", false);
    events.WebBeforeNavigate2(run, pages + "side.htm", cancel);
    EXPECT_TRUE(shellCalls_.empty());
    EXPECT_TRUE(errors_.empty()) << "a refused command shows nothing";

    // The frames go with their page; the book's own pages may.
    events.WebNavigateComplete2(pages + "two.htm", true);
    browser_->location = pages + "two.htm";
    events.WebBeforeNavigate2(run, pages + "two.htm", cancel);
    ASSERT_EQ(shellCalls_.size(), 1u);
    EXPECT_NE(shellCalls_[0].find("cmd.exe\" \"/c x\""), std::string::npos) << shellCalls_[0];
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
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "List index out of bounds (-1)");
    EXPECT_FALSE(window_->Skin().Active());
    EXPECT_TRUE(browser_->calls.empty()) << "the start-up ends at the error";
}

}  // namespace
}  // namespace vc
