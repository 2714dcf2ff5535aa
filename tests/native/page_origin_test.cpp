// Which pages are the book's, and what the window remembers of the browser's
// navigations, replayed event by event.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "interpreter/command_origin.h"
#include "interpreter/external_actions.h"
#include "interpreter/navigation_tracker.h"
#include "interpreter_recording_host.h"
#include "simulated_code_pages.h"

namespace vc {
namespace {

using testing::Japanese;
using testing::Western;

// The book runs from C:\Books\; its pages were built in C:\authoring\tour and travel in C:\Books\tour.
const BookPages& Classic() {
    static const BookPages book = ClassicBookPages("C:\\Books\\", "C:\\authoring\\tour\\index.htm", "", Western());
    return book;
}
const BookPages& OneFile() {
    static const BookPages book = OneFileBookPages("B7K2");
    return book;
}

struct AddressCase {
    const char* address;
    bool book;
};

class ClassicBookAddress : public ::testing::TestWithParam<AddressCase> {};
TEST_P(ClassicBookAddress, IsTheBooksOnlyInsideItsFolder) {
    EXPECT_EQ(IsBookPage(GetParam().address, Classic(), Western()), GetParam().book);
}
INSTANTIATE_TEST_SUITE_P(Table, ClassicBookAddress, ::testing::Values(
    AddressCase{"file:///C:/Books/tour/index.htm", true},
    AddressCase{"FILE:///c:/books/TOUR/Index.htm", true},
    AddressCase{"C:\\Books\\tour\\index.htm", true},
    AddressCase{"C:\\Books\\tour", true},
    AddressCase{"file://C:/Books/tour/a.htm", true},
    AddressCase{"file:C:\\Books\\tour\\a.htm", true},
    AddressCase{"\xA0 \t\r\nfile:///C:/Books/tour/a.htm", true},
    AddressCase{"file:///C:/Books/tour/./sub/../a.htm#part2", true},
    AddressCase{"file:///C:/Books/tour/a.htm?x=1", true},
    AddressCase{"file:///C:/Books/tour/my%20page.htm", true},
    AddressCase{"file:///C:/Books/tour/sub/%2e%2e/a.htm", true},
    AddressCase{"http://evil.example/index.htm", false},
    AddressCase{"https://evil.example/tour/index.htm", false},
    AddressCase{"file%3A///C:/Books/tour/a.htm", false},
    AddressCase{"\\\\evil.example\\share\\Books\\tour\\a.htm", false},
    AddressCase{"mk:@MSITStore:C:\\Books\\tour\\help.chm::/a.htm", false},
    AddressCase{"ms-its:C:\\Books\\tour\\help.chm::/a.htm", false},
    AddressCase{"mhtml:file://C:\\Books\\tour\\a.mht!http://evil.example/", false},
    AddressCase{"view-source:file:///C:/Books/tour/a.htm", false},
    AddressCase{"res://ieframe.dll/navcancl.htm#file:///C:/Books/tour/", false},
    AddressCase{"about:blank", false},
    AddressCase{"javascript:location='file:///C:/Books/tour/a.htm'", false},
    AddressCase{"vbscript:x", false},
    AddressCase{"file://evil.example/C:/Books/tour/a.htm", false},
    AddressCase{"\\\\?\\C:\\Books\\tour\\a.htm", false},
    AddressCase{"file:///C:/Books/tour/../../Windows/win.ini", false},
    AddressCase{"C:\\Books\\tour\\..\\..\\Windows\\win.ini", false},
    AddressCase{"file:///C:/Books/tour/%2e%2e/%2E%2E/Windows/win.ini", false},
    AddressCase{"file:///C:/Books/tour/..%2f..%2fWindows/win.ini", false},
    AddressCase{"file:///C:/Books/tour/%c3%a9.htm", false},
    AddressCase{"C:\\Books\\tour\\.. \\..\\Windows\\win.ini", false},
    AddressCase{"C:\\Books\\tour\\...\\..\\..\\Windows\\win.ini", false},
    AddressCase{"file:///C:/Books/tour/a.htm#/../../../x.htm", false},
    AddressCase{"C:\\Books\\tour\\a.htm?\\..\\..\\x.htm", false},
    AddressCase{"C:\\Books\\tour#\\..\\..\\Windows\\win.ini", false},
    AddressCase{"C:\\Books\\tour\\%2e%2e\\x.htm", false},
    AddressCase{"C:\\Books\\tour\\a.htm:evil.js", false},
    AddressCase{"C:Books\\tour\\a.htm", false},
    AddressCase{"file:///C:/Books/tour/a.htm%00.exe", false},
    AddressCase{"file:///D:/Books/tour/a.htm", false},
    AddressCase{"C:\\Books\\tourist\\a.htm", false},
    AddressCase{"C:\\Books\\notes.htm", false},
    AddressCase{"C:\\..\\Books\\tour\\a.htm", false},
    AddressCase{"file:///C:/Books/tour/a%zz.htm", false},
    AddressCase{"file:///C:/Books/tour/a%4", false},
    AddressCase{"vcbook://b7k2/index.htm", false},
    AddressCase{"", false}));

class OneFileBookAddress : public ::testing::TestWithParam<AddressCase> {};
TEST_P(OneFileBookAddress, IsTheBooksOnlyWithItsOwnHost) {
    EXPECT_EQ(IsBookPage(GetParam().address, OneFile(), Western()), GetParam().book);
}
INSTANTIATE_TEST_SUITE_P(Table, OneFileBookAddress, ::testing::Values(
    AddressCase{"vcbook://b7k2/index.htm", true},
    AddressCase{"VCBook://B7K2/chapters/one.htm#top", true},
    AddressCase{"vcbook://b7k2/my%20page.htm?x", true},
    AddressCase{"vcbook://other/index.htm", false},
    AddressCase{"vcbook://b7k2evil/index.htm", false},
    AddressCase{"vcbook://b7k2@evil/index.htm", false},
    AddressCase{"vcbook://b7k2/../index.htm", false},
    AddressCase{"vcbook://b7k2/a%2F..%2F..%2Fx.htm", false},
    AddressCase{"vcbook://b7k2/a%5C..%5Cx.htm", false},
    AddressCase{"vcbook:b7k2/index.htm", false},
    AddressCase{" vcbook://b7k2/index.htm", false},
    AddressCase{"file:///C:/Books/tour/index.htm", false},
    AddressCase{"http://b7k2/index.htm", false},
    AddressCase{"", false}));

// A Japanese system: the book runs from C:\Books\ and travels in a folder whose name's second byte is "\".
const BookPages& JapaneseBook() {
    static const BookPages book =
        ClassicBookPages("C:\\Books\\", "C:\\authoring\\\x83\x5C\\index.htm", "C:\\a\\\x83\x41\x82\x60\\home.htm",
                         Japanese());
    return book;
}

class DoubleByteAddress : public ::testing::TestWithParam<AddressCase> {};
TEST_P(DoubleByteAddress, IsReadInUtf16) {
    EXPECT_EQ(IsBookPage(GetParam().address, JapaneseBook(), Japanese()), GetParam().book);
}
INSTANTIATE_TEST_SUITE_P(Table, DoubleByteAddress, ::testing::Values(
    AddressCase{"file:///C:/Books/\x83\x5C/index.htm", true},
    AddressCase{"C:\\Books\\\x83\x5C\\sub\\a.htm", true},
    AddressCase{"C:\\Books\\\x83\x41\x82\x81\\a.htm", true},      // full-width a folds to A
    AddressCase{"C:\\Books\\\x83\x5C" "a.htm", false},            // not a separator: a file beside the folder
    AddressCase{"C:\\Books\\\x83\x61\x82\x60\\a.htm", false},     // a second byte "a" is no letter
    AddressCase{"C:\\Books\\\x83\x5C\x81\x5F..\\x.htm", false},   // a full-width "\" is no separator
    AddressCase{"C:\\Books\\\x83\x5C\\\x83\xFF.htm", false},      // no character of the code page
    AddressCase{"C:\\Books\\\x83", false}));

TEST(BrowserAddress, ALookAlikeOrUnmappableCharacterMakesNoAddressOfTheBook) {
    EXPECT_EQ(AddressFromBrowser(u"file:///C:/Books/tour/caf\u00E9.htm", Western()), "file:///C:/Books/tour/caf\xE9.htm");
    for (const char16_t* text : {u"file:///C:/Books/tour\uFF0F..\uFF0F..\uFF0Fwin.ini", u"C:\\Books\\tour\\\u2215x"}) {
        const std::string address = AddressFromBrowser(text, Western());
        EXPECT_EQ(address, "");
        EXPECT_FALSE(IsBookPage(address, Classic(), Western()));
    }
}

struct FolderCase {
    const char* program;
    const char* recorded;
    std::vector<std::u16string> folders;
};

class BookFolders : public ::testing::TestWithParam<FolderCase> {};
TEST_P(BookFolders, ComeOnlyFromAPlainFolderAndFileBesideTheProgram) {
    EXPECT_EQ(ClassicBookPages(GetParam().program, GetParam().recorded, "", Western()).folders, GetParam().folders);
}
INSTANTIATE_TEST_SUITE_P(Table, BookFolders, ::testing::Values(
    FolderCase{"E:\\", "C:\\a\\tour\\index.htm", {u"E:\\tour"}},
    FolderCase{"\\\\server\\books\\", "C:\\a\\tour\\index.htm", {u"\\\\server\\books\\tour"}},
    FolderCase{"E:\\100%41\\", "tour\\index.htm", {u"E:\\100%41\\tour"}},
    FolderCase{"E:\\", "C:\\a\\..\\index.htm", {}},
    FolderCase{"E:\\", "C:\\a\\.\\index.htm", {}},
    FolderCase{"E:\\", "C:\\a\\tour\\..", {}},
    FolderCase{"E:\\", "C:\\a\\tour\\", {}},
    FolderCase{"E:\\", "C:\\index.htm", {}},
    FolderCase{"E:\\", "index.htm", {}},
    FolderCase{"E:\\", "C:\\a\\to:ur\\index.htm", {}},
    FolderCase{"E:\\", "C:\\a\\tour\\x/../../index.htm", {}},
    FolderCase{"E:\\", "C:\\a\\tour.\\index.htm", {}},
    FolderCase{"Books\\", "C:\\a\\tour\\index.htm", {}},
    FolderCase{"E:\\..\\", "C:\\a\\tour\\index.htm", {}}));

TEST(BookFolders, HoldPercentAndHashAsTheDiskDoes) {
    const BookPages book = ClassicBookPages("C:\\100%41 #1\\", "C:\\a\\tour\\index.htm", "", Western());
    EXPECT_TRUE(IsBookPage("file:///C:/100%2541%20%231/tour/a.htm", book, Western()));
    EXPECT_FALSE(IsBookPage("file:///C:/100A #1/tour/a.htm", book, Western())) << "the folder is not decoded";
    EXPECT_FALSE(IsBookPage("file:///C:/100%2541 #1/tour/a.htm", book, Western())) << "# ends the path";
    EXPECT_FALSE(IsBookPage("C:\\100%41 #1\\tour\\a.htm", book, Western())) << "a plain path could be read two ways";
}

struct FileAddressCase {
    const char* path;
    std::optional<std::string> address;
};

class BookFileAddresses : public ::testing::TestWithParam<FileAddressCase> {};
TEST_P(BookFileAddresses, AreBuiltFromThePathThatWasChecked) {
    const auto address = BookFileAddress(GetParam().path, Classic(), Western());
    EXPECT_EQ(address, GetParam().address);
    if (address) {
        EXPECT_EQ(LocalFilePath(*address, Western()), LocalFilePath(GetParam().path, Western()));
    }
}
INSTANTIATE_TEST_SUITE_P(Table, BookFileAddresses, ::testing::Values(
    FileAddressCase{"C:\\Books\\tour\\a.htm", "file:///C:/Books/tour/a.htm"},
    FileAddressCase{"C:\\Books\\tour\\sub\\..\\x y.htm", "file:///C:/Books/tour/x y.htm"},
    FileAddressCase{"c:/books/TOUR//a.htm", "file:///c:/books/TOUR/a.htm"},
    FileAddressCase{"C:\\Books\\tour\\..\\x.htm", std::nullopt},
    FileAddressCase{"C:\\Books\\tour\\a.htm:evil", std::nullopt},
    FileAddressCase{"file:///C:/Books/tour/a.htm", std::nullopt},
    FileAddressCase{"C:\\Books\\tour\\\x81.htm", std::nullopt}));

// One replayed browser session: each step is an event or a check.
//   start U       BeforeNavigate2 of U, not an action, going ahead
//   top U         NavigateComplete2 of the top page      frame U   of a frame
//   done U        DocumentComplete of the top page       framedone U   of a frame
//   book U / web U   a command from a frame showing U comes from the book / the web
//   last U        LastUrl is U ("last" alone: none yet)
struct Replay {
    const char* what;
    std::vector<std::string> steps;
};

class NavigationReplay : public ::testing::TestWithParam<Replay> {};
TEST_P(NavigationReplay, KeepsEveryAddressThePageMayStillAnswerFor) {
    NavigationTracker tracker(Classic(), Western());
    for (const std::string& step : GetParam().steps) {
        const std::string verb = step.substr(0, step.find(' '));
        const std::string url = step.find(' ') == std::string::npos ? "" : step.substr(step.find(' ') + 1);
        if (verb == "start") tracker.NavigationStarted(url);
        else if (verb == "top" || verb == "frame") tracker.NavigationCompleted(url, verb == "top");
        else if (verb == "done" || verb == "framedone") tracker.DocumentCompleted(url, verb == "done");
        else if (verb == "book") EXPECT_EQ(tracker.SourceOf(url), CommandSource::Book) << step;
        else if (verb == "web") EXPECT_EQ(tracker.SourceOf(url), CommandSource::WebPage) << step;
        else if (verb == "last") EXPECT_EQ(tracker.LastUrl(), url) << step;
        else FAIL() << "no such step: " << step;
    }
}
const std::string B = "file:///C:/Books/tour/index.htm";
const std::string B2 = "file:///C:/Books/tour/two.htm";
const std::string F = "file:///C:/Books/tour/side.htm";
const std::string E = "http://evil.example/ad.htm";
INSTANTIATE_TEST_SUITE_P(Sequences, NavigationReplay, ::testing::Values(
    Replay{"a new frame", {"top " + B, "done " + B, "web ", "book " + B}},
    Replay{"a remote navigating frame", {"top " + B, "done " + B, "web https://evil.example/"}},
    Replay{"a book page", {"web " + B, "start " + B, "web " + B, "top " + B, "frame " + F, "book " + B, "done " + B,
                           "book " + F}},
    Replay{"a web frame taints its page", {"top " + B, "frame " + E, "frame " + F, "done " + B, "web " + F, "web " + B}},
    Replay{"a fragment keeps the frames", {"top " + B, "frame " + E, "done " + B, "start " + B + "#x",
                                           "top " + B + "#x", "done " + B + "#x", "web " + B + "#x"}},
    Replay{"other letters keep the frames", {"top " + B, "frame " + E, "done " + B, "top FILE:///C:/BOOKS/TOUR/INDEX.HTM",
                                             "done FILE:///C:/BOOKS/TOUR/INDEX.HTM", "web " + B}},
    Replay{"an announced page keeps the old frames", {"top " + B, "frame " + E, "done " + B, "start " + B2,
                                                      "top " + B2, "web " + B2, "framedone " + F, "web " + B2,
                                                      "done " + B2, "book " + B2}},
    Replay{"a stopped page keeps them", {"top " + B, "frame " + E, "done " + B, "top " + B2, "done " + B, "web " + B2}},
    Replay{"a redirect while a book page shows", {"top " + B, "done " + B, "start http://evil.example/",
                                                  "web " + B, "top http://evil.example/", "done http://evil.example/",
                                                  "start " + B, "top " + B, "done " + B, "book " + B}},
    Replay{"a script address started by a frame", {"top " + B, "done " + B, "start javascript:alert(1)", "web " + B}},
    Replay{"a frame opening a local file", {"top " + B, "done " + B, "frame file:///C:/Windows/win.ini", "web " + B}},
    Replay{"last address", {"last", "start " + B, "top " + B, "last", "done " + B, "last " + B,
                            "start javascript:x", "last " + B, "top about:blank", "done about:blank", "last " + B,
                            "top http://w.example/", "done http://w.example/", "last http://w.example/",
                            "framedone " + B2, "last http://w.example/", "top res://ieframe.dll/x.htm",
                            "done res://ieframe.dll/x.htm", "top file:///C:/Windows/x.htm",
                            "done file:///C:/Windows/x.htm", "top mk:@MSITStore:x.chm::/a.htm",
                            "done mk:@MSITStore:x.chm::/a.htm", "top vbscript:x", "done vbscript:x",
                            "last http://w.example/", "top HTTPS://s.example/", "done HTTPS://s.example/",
                            "last HTTPS://s.example/"}}));

TEST(NavigationTracker, RefreshGoesToTheLastAddressOnlyForAStyledBookThatHasOne) {
    NavigationTracker tracker(Classic(), Western());
    EXPECT_EQ(tracker.RefreshAddress(true), "") << "nothing recorded: the browser's own Refresh";
    tracker.NavigationCompleted(B, true);
    tracker.DocumentCompleted(B, true);
    tracker.NavigationStarted("javascript:x");
    EXPECT_EQ(tracker.RefreshAddress(true), B);
    EXPECT_EQ(tracker.RefreshAddress(false), "");
}

struct WindowCase {
    const char* url;
    NewWindowAnswer::Action action;
};

class NewWindows : public ::testing::TestWithParam<WindowCase> {};
TEST_P(NewWindows, NeverOpenAWindowOfTheRuntime) {
    const NewWindowAnswer answer = NavigationTracker(Classic(), Western()).NewWindow(GetParam().url);
    EXPECT_EQ(answer.action, GetParam().action);
    EXPECT_EQ(answer.address, answer.action == NewWindowAnswer::Action::Refuse ? "" : GetParam().url);
}
using Action = NewWindowAnswer::Action;
INSTANTIATE_TEST_SUITE_P(Table, NewWindows, ::testing::Values(
    WindowCase{"http://example.test/a b", Action::OpenInDefaultBrowser},
    WindowCase{"HTTPS://example.test/", Action::OpenInDefaultBrowser},
    WindowCase{"file:///C:/Books/tour/pop.htm", Action::NavigateBookWindow},
    WindowCase{"file:///C:/Windows/win.ini", Action::Refuse},
    WindowCase{"javascript:alert(1)", Action::Refuse},
    WindowCase{"about:blank", Action::Refuse},
    WindowCase{"ftp://example.test/", Action::Refuse},
    WindowCase{"", Action::Refuse}));

TEST(NewWindows, OfAOneFileBookOpenOnlyItsOwnPagesAndTheWebGoesEscapedToTheShell) {
    const NavigationTracker tracker(OneFile(), Western());
    EXPECT_EQ(tracker.NewWindow("vcbook://b7k2/pop.htm").action, Action::NavigateBookWindow);
    EXPECT_EQ(tracker.NewWindow("vcbook://zz99/pop.htm").action, Action::Refuse);
    EXPECT_EQ(tracker.NewWindow("file:///C:/Books/tour/pop.htm").action, Action::Refuse);

    testing::RecordingHost host;
    OpenInDefaultBrowser(host, "http://example.test/a b\"c");
    EXPECT_EQ(host.Effects(), std::vector<std::string>{
                                  "Shell(application, null, [http://example.test/a%20b%22c], null, null, 1)"});
}

}  // namespace
}  // namespace vc
