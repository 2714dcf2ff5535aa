#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "../native/book_lines.h"
#include "../native/one_file_book.h"
#include "common/unicode.h"
#include "effects_window_win.h"
#include "search/index_writer.h"
#include "scripted_browser_win.h"
#include "ui/application_win.h"
#include "ui/private_messages.h"
#include "skin/win/skin_manager_win.h"
#include "skin/win/skin_bitmap_win.h"
#include "skin/win/skin_resources_win.h"
#include "skin/format/skin_store.h"
#include "runtime_skin_win.h"
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

    // Writes an e-book carrying the lines (and the pages, for a one-file
    // book) and opens the window on it.
    void Open(const std::vector<std::string>& lines, const testing::BookEntries& pagesInside = {},
              const std::string& searchIndex = "", const std::string& bookSettings = "") {
        window_.reset();  // a window holds its book open
        if (!searchIndex.empty())
            std::ofstream(folder_ + "Book.exe", std::ios::binary)
                << testing::OneFileBook(pagesInside, testing_lines::JoinLines(lines), searchIndex, bookSettings);
        else if (pagesInside.empty())
            testing_lines::WriteStandInBook(folder_ + "Book.exe", testing_lines::JoinLines(lines));
        else
            std::ofstream(folder_ + "Book.exe", std::ios::binary)
                << testing::OneFileBook(pagesInside, testing_lines::JoinLines(lines));
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

    // The "file:" address of a page of the book.
    std::string PageUrl(const std::string& name) const {
        std::string url = "file:///" + folder_ + "pages/" + name;
        std::replace(url.begin(), url.end(), '\\', '/');
        return url;
    }
    // The browser's events of a top-level page that has loaded.
    void Shown(const std::string& url) {
        browser_->Events().WebNavigateComplete2(url, true);
        browser_->Events().WebDocumentComplete(url, true);
    }

    // A key pressed with Control (and Shift) held, through the application's filter.
    bool Key(HWND target, WPARAM key, bool control = false, bool shift = false) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG msg{target, WM_KEYDOWN, key, 0, 0, {0, 0}};
        bool handled = false;
        window_->EventosAplicacaoMessage(msg, handled);
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        return handled;
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
    browser_->Events().WebDocumentComplete(PageUrl("index.htm"), true);
    const std::vector<std::string> expected = {
        "border-style ", "border-style dotted", "border-colour #336699",
        "put document.scrollbarArrowColor=#f6", "put document.scrollbar3DLIGHTCOLOR=#f3",
        "put document.scrollbarDarkShadowColor=#f4", "put document.scrollbarFaceColor=#f1",
        "put document.scrollbarHighlightColor=#f2", "put Document.scrollbarShadowColor=#f5",
        "put Document.scrollbarTrackColor=#f7"};
    EXPECT_EQ(browser_->calls, expected);
    EXPECT_EQ(window_->Navigation()->LastUrl(), PageUrl("index.htm"));

    browser_->calls.clear();
    browser_->rejectedValue = "#f4";
    EXPECT_THROW(browser_->Events().WebDocumentComplete(PageUrl("two.htm"), true), std::runtime_error);
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
    Shown(PageUrl("two.htm"));
    Cancelled("javascript:location='file:///C:/Windows/win.ini'");
    Cancelled("ACTION:WEBSTOP");
    window_->b_refreshClick();
    EXPECT_EQ(browser_->calls.back(), "navigate " + PageUrl("two.htm")) << "neither a script nor an action";
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

// Which keys are the reader's is decided natively; here, that they reach
// the browser from inside the page, with the zoom remembered between keys and
// a refusal (no page yet) leaving it where it was.
TEST_F(PresentationWindow, FindAndZoomReachTheBrowserFromInsideThePage) {
    Open(BookLines());
    auto send = [&](UINT message, WPARAM wParam) {
        MSG msg{browser_->PageChild(), message, wParam, 0, 0, {0, 0}};
        bool handled = false;
        window_->EventosAplicacaoMessage(msg, handled);
        return handled;
    };
    BYTE keys[256];
    ::GetKeyboardState(keys);
    EXPECT_FALSE(send(WM_KEYDOWN, 'F')) << "Control is not held";
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    browser_->calls.clear();
    EXPECT_TRUE(send(WM_KEYDOWN, 'F'));
    EXPECT_TRUE(send(WM_KEYDOWN, VK_OEM_PLUS));
    EXPECT_TRUE(send(WM_KEYDOWN, VK_ADD));
    EXPECT_TRUE(send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA))));
    browser_->refuseExec = true;
    EXPECT_TRUE(send(WM_KEYDOWN, VK_OEM_MINUS)) << "a refused key is still the reader's";
    browser_->refuseExec = false;
    EXPECT_TRUE(send(WM_KEYDOWN, VK_SUBTRACT));
    EXPECT_TRUE(send(WM_KEYDOWN, '0'));
    EXPECT_FALSE(send(WM_KEYDOWN, 'Q'));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    // The refused step to 100 % leaves 110 %, so the next step goes to 100 %
    // again.
    EXPECT_EQ(browser_->calls, (std::vector<std::string>{"execwb 32 0", "execwb 63 2 110", "execwb 63 2 125",
                                                         "execwb 63 2 110", "execwb 63 2 100", "execwb 63 2 100",
                                                         "execwb 63 2 100"}));
}

// Which page is the book's is decided natively; here, that the window hands
// the tracker every event it needs.
TEST_F(PresentationWindow, OnlyTheBooksOwnPagesStartProgramsAndARefusalShowsNothing) {
    Open(BookLines());
    const std::string run = "ACTION:EXECUTEOROPENFILE%20%[SystemDir]cmd.exe%==%/c%20x%";
    BrowserEvents& events = browser_->Events();

    Cancelled(run, PageUrl("index.htm"));  // no page shown yet
    // A book page holding a frame of the web: the event names a book frame.
    events.WebNavigateComplete2(PageUrl("index.htm"), true);
    events.WebNavigateComplete2("http://evil.example/ad.htm", false);
    events.WebNavigateComplete2(PageUrl("side.htm"), false);
    events.WebDocumentComplete(PageUrl("index.htm"), true);
    Cancelled(run, PageUrl("side.htm"));
    EXPECT_TRUE(shellCalls_.empty());
    EXPECT_TRUE(errors_.empty()) << "a refused command shows nothing";

    // The frames go once another page has loaded, not when it is announced.
    EXPECT_FALSE(Cancelled(PageUrl("two.htm")));
    events.WebNavigateComplete2(PageUrl("two.htm"), true);
    Cancelled(run, PageUrl("two.htm"));
    EXPECT_TRUE(shellCalls_.empty()) << "the old page's frames may still run";
    events.WebDocumentComplete(PageUrl("two.htm"), true);
    Cancelled(run, PageUrl("two.htm"));
    ASSERT_EQ(shellCalls_.size(), 1u);
    EXPECT_NE(shellCalls_[0].find("cmd.exe /c x"), std::string::npos) << shellCalls_[0];
}

TEST_F(PresentationWindow, AOneFileBookOpensItsPagesAtItsOwnAddressesOnly) {
    ::DeleteFileA((folder_ + "pages\\index.htm").c_str());
    auto lines = BookLines();
    lines[80] = "1";
    lines[81] = "C:\\Books\\tour\\extra\\home.htm";
    Open(lines, {{"pages/index.htm", "<p>start</p>"}, {"extra/home.htm", "<p>home</p>"}});
    ASSERT_TRUE(errors_.empty()) << errors_.front();
    // A host of its own, picked at start.
    const std::string book = "vcbook://" + window_->Settings().BookHost + "/";
    EXPECT_EQ(window_->Settings().BookHost.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos);
    EXPECT_EQ(browser_->calls, std::vector<std::string>{"navigate " + book + "pages/index.htm"});
    window_->b_homeClick();
    EXPECT_EQ(browser_->calls.back(), "navigate " + book + "extra/home.htm");

    // Its own pages may run programs, pages beside it on the disk may not;
    // the files they name stay beside the book.
    const std::string run = "ACTION:EXECUTEOROPENFILE%20%[Dir]notes.txt%";
    Shown(PageUrl("index.htm"));
    Cancelled(run, PageUrl("index.htm"));
    Shown(book + "pages/index.htm");
    Cancelled(run, book + "pages/index.htm");
    EXPECT_EQ(shellCalls_, std::vector<std::string>{folder_ + "notes.txt "});
}

TEST_F(PresentationWindow, NewWindowsGoToTheDefaultBrowserOrTheBooksWindowOrNowhere) {
    Open(BookLines());
    Shown(PageUrl("index.htm"));
    browser_->calls.clear();
    BrowserEvents& events = browser_->Events();
    events.WebNewWindow3("http://example.test/a b");
    events.WebNewWindow3(PageUrl("pop.htm"));
    events.WebNewWindow3("javascript:alert(1)");
    events.WebNewWindow3("file:///C:/Windows/win.ini");
    EXPECT_EQ(shellCalls_, std::vector<std::string>{"http://example.test/a%20b null"});
    EXPECT_EQ(browser_->calls, std::vector<std::string>{"navigate " + PageUrl("pop.htm")});
}

// A page of the web may print, but only through the dialog, and never moves the window.
TEST_F(PresentationWindow, AWebPageNeitherPrintsSilentlyNorGoesHome) {
    auto lines = BookLines();
    lines[32] = "0";  // the book prints without the dialog
    Open(lines);
    browser_->location = "https://evil.example/";
    Shown("https://evil.example/");
    browser_->calls.clear();
    EXPECT_TRUE(Cancelled("ACTION:WEBPRINTPAGE()-@-WEBHOME()-@-WEBREFRESH()", "https://evil.example/"));
    EXPECT_EQ(browser_->calls, std::vector<std::string>{"execwb 6 1"});
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

std::string TwoPageIndex() {
    search::IndexWriter writer;
    writer.AddPage("pages/index.htm", "Start", "welcome to the orchard");
    writer.AddPage("pages/apple.htm", "Apples", "an apple a day");
    return writer.Finish();
}

int ListCount(HWND list) { return static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); }
void Type(HWND edit, const std::string& text) {
    for (char c : text) ::SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
}
std::string Utf8Of(const wchar_t* text) { return Utf16ToUtf8(std::u16string(text, text + ::wcslen(text))); }

// The line above the list, which follows the edit box.
std::string Status(const TSearchPane& pane) {
    wchar_t text[100] = L"";
    ::GetWindowTextW(::GetWindow(pane.Edit(), GW_HWNDNEXT), text, 100);
    return Utf8Of(text);
}
// The index is read beside the window when the pane first opens; the words
// typed meanwhile are searched once it is there.
std::string StatusOnceRead(const TSearchPane& pane) {
    effects::test::PumpUntil([&] { return Status(pane).rfind("Reading", 0) != 0; });
    return Status(pane);
}

TEST_F(PresentationWindow, TheSearchPaneOpensByKeyFillsAsTheReaderTypesAndOpensTheResultsBookAddress) {
    Open(BookLines(), {{"pages/index.htm", "<p>start</p>"}, {"pages/apple.htm", "<p>apple</p>"}}, TwoPageIndex());
    window_->Show();
    const TSearchPane& pane = window_->SearchPane();
    EXPECT_FALSE(pane.Visible());
    EXPECT_TRUE(Key(browser_->PageChild(), 'F', true, true));
    ASSERT_TRUE(pane.Visible() && ::IsWindowVisible(pane.List()));
    EXPECT_EQ(::GetFocus(), pane.Edit());
    EXPECT_GT(browser_->bounds.left, 0) << "the page moves over for the pane";

    Type(pane.Edit(), "app");  // the last word is a prefix while it is typed
    EXPECT_EQ(Status(pane), "Reading the search index\xE2\x80\xA6") << "the index comes through the message loop";
    EXPECT_EQ(StatusOnceRead(pane), "1 page");
    ASSERT_EQ(ListCount(pane.List()), 1);
    browser_->calls.clear();
    EXPECT_TRUE(Key(pane.Edit(), VK_RETURN));
    const std::string book = "vcbook://" + window_->Settings().BookHost + "/";
    EXPECT_EQ(browser_->calls, std::vector<std::string>{"navigate " + book + "pages/apple.htm"});
    Type(pane.Edit(), " zzz");
    EXPECT_EQ(ListCount(pane.List()), 0);
    EXPECT_TRUE(Key(pane.Edit(), VK_RETURN));
    EXPECT_EQ(browser_->calls.size(), 1u) << "no result, nothing to open";

    EXPECT_TRUE(Key(pane.Edit(), VK_TAB));
    EXPECT_EQ(::GetFocus(), pane.List());
    EXPECT_TRUE(Key(pane.Edit(), VK_ESCAPE));
    EXPECT_FALSE(pane.Visible() || ::IsWindowVisible(pane.List()));
    EXPECT_EQ(browser_->bounds.left, 0);
    EXPECT_EQ(::GetFocus(), browser_->PageChild());
    EXPECT_TRUE(errors_.empty());
}

// A row as the list paints it into a bitmap of the row's size.
struct PaintedRow {
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)] & 0xFFFFFF; }
    // Pixels of rows [top, bottom) that differ from the background.
    int InkBetween(int top, int bottom, std::uint32_t background) const {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < width; ++x) ink += At(x, y) != background;
        return ink;
    }
};

PaintedRow PaintRow(HWND window, HWND list, UINT state) {
    PaintedRow row;
    row.width = 220;
    row.height = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), row.width, -row.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    ui::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ui::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    ui::SelectedObject selected(dc.Get(), bitmap.Get());
    DRAWITEMSTRUCT item{ODT_LISTBOX, TSearchPane::kListId, 0, ODA_DRAWENTIRE, state, list, dc.Get(),
                        RECT{0, 0, row.width, row.height}, 0};
    ::SendMessageW(window, WM_DRAWITEM, TSearchPane::kListId, reinterpret_cast<LPARAM>(&item));
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    row.pixels.assign(pixels, pixels + row.width * row.height);
    return row;
}

// GDI keeps colours as 0x00BBGGRR, a DIB's pixels as 0x00RRGGBB.
std::uint32_t DibColour(int systemColour) {
    const COLORREF c = ::GetSysColor(systemColour);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

TEST_F(PresentationWindow, AResultShowsItsTitleAboveItsSnippet) {
    Open(BookLines(), {{"pages/index.htm", "<p>start</p>"}}, TwoPageIndex());
    window_->Show();
    const TSearchPane& pane = window_->SearchPane();
    EXPECT_TRUE(Cancelled("ACTION:SEARCH%20%apple%"));
    ASSERT_EQ(StatusOnceRead(pane), "1 page");
    wchar_t line[100] = L"";
    ::SendMessageW(pane.List(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(Utf8Of(line), "Apples") << "the row's title, for screen readers";

    const PaintedRow selected = PaintRow(window_->Handle(), pane.List(), ODS_SELECTED);
    ASSERT_GE(selected.height, 2 * 13) << "two lines of the pane's font";
    const std::uint32_t highlight = DibColour(COLOR_HIGHLIGHT);
    EXPECT_EQ(selected.At(0, 0), highlight);
    const int half = selected.height / 2;
    EXPECT_GT(selected.InkBetween(0, half, highlight), 20) << "the title on the first line";
    EXPECT_GT(selected.InkBetween(half, selected.height, highlight), 20) << "the snippet on the second";
    const PaintedRow plain = PaintRow(window_->Handle(), pane.List(), 0);
    EXPECT_EQ(plain.At(0, 0), DibColour(COLOR_WINDOW));
    EXPECT_GT(plain.InkBetween(half, plain.height, DibColour(COLOR_WINDOW)), 20);
}

// A keystroke lists the rows a pane shows and a few more; the rest follow
// once the keystroke has been answered.
TEST_F(PresentationWindow, TheListTakesItsFirstRowsAtOnceAndTheRestThroughTheMessageLoop) {
    search::IndexWriter writer;
    for (int i = 0; i < 250; ++i) writer.AddPage("pages/p" + std::to_string(i) + ".htm", "Apple", "apple pie");
    Open(BookLines(), {{"pages/index.htm", "<p>start</p>"}}, writer.Finish());
    window_->Show();
    const TSearchPane& pane = window_->SearchPane();
    EXPECT_TRUE(Cancelled("ACTION:SEARCH%20%apple%"));
    ASSERT_EQ(StatusOnceRead(pane), "200 of 250 pages");
    Type(pane.Edit(), " p");
    EXPECT_EQ(pane.Text(), "apple p") << "typing goes on after the command's words";
    EXPECT_EQ(Status(pane), "200 of 250 pages");
    EXPECT_EQ(ListCount(pane.List()), 32);
    EXPECT_TRUE(effects::test::PumpUntil([&] { return ListCount(pane.List()) == 200; }));
    EXPECT_EQ(pane.Rows().size(), 200u);
}

// Whole words: "app" is no prefix here, and a web page may ask too.
TEST_F(PresentationWindow, TheSearchCommandOpensThePaneWithItsWordsSearched) {
    Open(BookLines(), {{"pages/index.htm", "<p>start</p>"}}, TwoPageIndex());
    window_->Show();
    const TSearchPane& pane = window_->SearchPane();
    EXPECT_TRUE(Cancelled("ACTION:SEARCH%20%app%"));
    EXPECT_EQ(StatusOnceRead(pane), "No page found.");
    EXPECT_TRUE(pane.Visible() && pane.Text() == "app" && ListCount(pane.List()) == 0);
    Key(pane.Edit(), VK_ESCAPE);
    Shown("https://evil.example/");
    EXPECT_TRUE(Cancelled("ACTION:SEARCH%20%apple%20OR%20orchard%", "https://evil.example/"));
    EXPECT_TRUE(pane.Visible() && ::GetFocus() == pane.Edit());
    EXPECT_EQ(Status(pane), "2 pages");
}

// A classic book: the archive of the index alone leaves the pages in their
// folder, where a result opens.
TEST_F(PresentationWindow, TheSearchButtonShowsForABookWithAnIndexAsItsSettingsSay) {
    const int id = Tform_apresentacao::kSearchButtonId;
    Open(BookLines(), {}, TwoPageIndex());
    EXPECT_TRUE(Bar().ButtonVisible(id));
    EXPECT_EQ(Bar().Hint(id), "Search this book");
    window_->Show();
    ::SendMessageA(window_->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Bar().Handle()));
    const TSearchPane& pane = window_->SearchPane();
    Type(pane.Edit(), "orchard ");
    EXPECT_EQ(StatusOnceRead(pane), "1 page");
    EXPECT_TRUE(Key(pane.Edit(), VK_DOWN));
    EXPECT_EQ(::GetFocus(), pane.List());
    EXPECT_TRUE(Key(pane.List(), VK_RETURN));
    EXPECT_EQ(browser_->calls.back(), "navigate " + folder_ + "pages\\index.htm");
    // The hint is the book's 8-bit text, as every hint is.
    Open(BookLines(), {}, TwoPageIndex(), "search.hint=Procurar no livro (\xE1)\n");
    EXPECT_TRUE(Bar().ButtonVisible(id) && Bar().Hint(id) == "Procurar no livro (\xE1)");
    Open(BookLines(), {}, TwoPageIndex(), "search.button=no\n");
    EXPECT_FALSE(Bar().ButtonVisible(id));
    EXPECT_TRUE(window_->Searchable()) << "the key still opens the pane";
    Open(BookLines());
    EXPECT_FALSE(Bar().ButtonVisible(id) || window_->Searchable());
    EXPECT_FALSE(Key(browser_->PageChild(), 'F', true, true)) << "the key is left to the page";
}

// The engine skins the window's controls when the window first shows: the
// pane's controls are made with the others, hidden, so that it finds them.
// The test program has no skins of its own: they come from the runtime.
TEST_F(PresentationWindow, TheSearchPaneWearsTheSkin) {
    test::ActiveRuntimeSkin skin(0);
    ASSERT_TRUE(skin.Loaded());
    Open(BookLines(), {}, TwoPageIndex());
    window_->Show();
    ::SetForegroundWindow(window_->Handle());
    const TSearchPane& pane = window_->SearchPane();
    const auto skinned = [](HWND c) { return ::SendMessageA(c, ui::kSkinQueryMessage, 0, 0) == ui::kSkinQueryAnswer; };
    effects::test::PumpUntil([&] { return skinned(pane.Edit()) && skinned(pane.List()); });
    EXPECT_TRUE(skinned(pane.Edit()));
    EXPECT_TRUE(skinned(pane.List()));
    window_.reset();  // before the skin it wears
}

}  // namespace
}  // namespace vc
