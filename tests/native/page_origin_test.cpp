// Which pages are the book's, and what the window remembers of the browser's
// navigations, replayed event by event.
#include <gtest/gtest.h>

#include "common/unicode.h"
#include "interpreter/external_actions.h"
#include "interpreter/navigation_tracker.h"
#include "interpreter_recording_host.h"

namespace vc {
namespace {

using testing::Japanese;
using testing::Western;

// The book runs from C:\Books\; its pages were built in C:\authoring\tour and travel in C:\Books\tour.
const BookPageSpace kClassic = ClassicBookPages("C:\\Books\\", "C:\\authoring\\tour\\index.htm", "", Western());
const BookPageSpace kOneFile = OneFileBookPages("B7K2");
const BookPageSpace kShare = ClassicBookPages("\\\\server\\books\\", "C:\\a\\tour\\index.htm", "", Western());
// On a Japanese system, in folders whose names end in a second byte "\" and "A".
const BookPageSpace kJapanese = ClassicBookPages("C:\\Books\\", "C:\\a\\\x83\x5C\\index.htm", "C:\\a\\\x83\x41\\h.htm",
                                             Japanese());

struct AddressCase {
    const BookPageSpace* book;
    const char* address;
    bool isBookPage;
};
class BookPage : public ::testing::TestWithParam<AddressCase> {};
TEST_P(BookPage, IsDecidedByOneReadingOfTheAddress) {
    const CodePage& codePage = GetParam().book == &kJapanese ? Japanese() : Western();
    EXPECT_EQ(IsBookPage(GetParam().address, *GetParam().book, codePage), GetParam().isBookPage);
}
INSTANTIATE_TEST_SUITE_P(Table, BookPage, ::testing::Values(
    AddressCase{&kClassic, "file:///C:/Books/tour/index.htm", true},
    AddressCase{&kClassic, "\xA0 \tFILE:///c:/books/TOUR/./sub/../a.htm#part?x", true},
    AddressCase{&kClassic, "C:\\Books\\tour", true},
    AddressCase{&kClassic, "file:C:\\Books\\tour\\my%20page.htm", true},
    AddressCase{&kClassic, "file:///C:/Books/tour/sub/%2e%2E/a.htm", true},
    AddressCase{&kClassic, "file:///C:/Books/tour/%41", true},
    AddressCase{&kClassic, "gile:///C:/Books/tour/a.htm", false},
    AddressCase{&kClassic, "http://evil.example/Books/tour/a.htm", false},
    AddressCase{&kClassic, "file%3A///C:/Books/tour/a.htm", false},
    AddressCase{&kClassic, "mk:@MSITStore:C:\\Books\\tour\\help.chm::/a.htm", false},
    AddressCase{&kClassic, "res://ieframe.dll/navcancl.htm#file:///C:/Books/tour/", false},
    AddressCase{&kClassic, "javascript:location='file:///C:/Books/tour/a.htm'", false},
    AddressCase{&kClassic, "file://evil.example/C:/Books/tour/a.htm", false},
    AddressCase{&kClassic, "\\\\?\\C:\\Books\\tour\\a.htm", false},
    AddressCase{&kClassic, "file:///C:/Books/tour/%2e%2e/%2E%2E/Windows/win.ini", false},
    AddressCase{&kClassic, "file:///C:/Books/tour/..%2f..%2fWindows/win.ini", false},
    AddressCase{&kClassic, "file:///C:/Books/tour/%c3%a9.htm", false},
    AddressCase{&kClassic, "C:\\Books\\tour\\.. \\..\\Windows\\win.ini", false},
    AddressCase{&kClassic, "file:///C:/Books/tour/a.htm#/../../../x.htm", false},
    AddressCase{&kClassic, "C:\\Books\\tour#\\..\\..\\Windows\\win.ini", false},
    AddressCase{&kClassic, "C:\\Books\\tour\\%2e%2e\\x.htm", false},
    AddressCase{&kClassic, "C:\\Books\\tour\\a.htm:evil.js", false},
    AddressCase{&kClassic, "C:Books\\tour\\a.htm", false},
    AddressCase{&kClassic, "C:\\Books\\tourist\\a.htm", false},
    AddressCase{&kClassic, "C:\\..\\Books\\tour\\a.htm", false},
    AddressCase{&kClassic, "file:///C:/Books/tour/a%zz.htm", false},
    AddressCase{&kClassic, "vcbook://b7k2/index.htm", false},
    AddressCase{&kShare, "file://server/books/tour/a.htm", true},
    AddressCase{&kShare, "\\\\SERVER\\Books\\tour\\a.htm", true},
    AddressCase{&kShare, "file:////server/books/tour/a.htm", true},
    AddressCase{&kShare, "file:///server/books/tour/a.htm", false},
    AddressCase{&kShare, "xxserver\\books\\tour\\a.htm", false},
    AddressCase{&kShare, "\\\\server", false},
    AddressCase{&kShare, "\\\\server\\books\\tour\\..\\..\\other\\tour\\a.htm", false},
    AddressCase{&kOneFile, "VCBook://B7K2/chapters/one%20two.htm#top", true},
    AddressCase{&kOneFile, "vcbook://other/index.htm", false},
    AddressCase{&kOneFile, "vcbook://b7k2@evil/index.htm", false},
    AddressCase{&kOneFile, "vcbook://b7k2/a%2F..%2F..%2Fx.htm", false},
    AddressCase{&kOneFile, " vcbook://b7k2/index.htm", false},
    AddressCase{&kOneFile, "file:///C:/Books/tour/index.htm", false},
    AddressCase{&kJapanese, "file:///C:/Books/\x83\x5C/index.htm", true},
    AddressCase{&kJapanese, "C:\\Books\\\x83\x41\\a.htm", true},
    AddressCase{&kJapanese, "C:\\Books\\\x83\x5C" "a.htm", false},        // 0x5C ends a character, not a step
    AddressCase{&kJapanese, "C:\\Books\\\x83\x61\\a.htm", false},         // a second byte "a" is no letter
    AddressCase{&kJapanese, "C:\\Books\\\x83\x5C\x81\x5F" "a.htm", false},  // a full-width "\" is no separator
    AddressCase{&kJapanese, "C:\\Books\\\x83\x5C\\\x83\xFF.htm", false},  // no character of the code page
    AddressCase{&kClassic, "", false}));

TEST(BookPage, HasNoLookAlikeForABrowserCharacterAndFoldsFullWidthLetters) {
    EXPECT_EQ(AddressFromBrowser(u"C:\\Books\\tour\\caf\u00E9.htm", Western()), "C:\\Books\\tour\\caf\xE9.htm");
    EXPECT_EQ(AddressFromBrowser(u"file:///C:/Books/tour\uFF0F..\uFF0F..\uFF0Fwin.ini", Western()), "");
    EXPECT_TRUE(SameTextOrdinal(u"\uFF41\u00E9", u"\uFF21\u00C9"));
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
    FolderCase{"\\\\server\\books\\", "C:\\a\\tour\\index.htm", {u"\\\\server\\books\\tour"}},
    FolderCase{"E:\\100%41\\", "tour\\index.htm", {u"E:\\100%41\\tour"}},
    FolderCase{"\\\\.\\pipe\\", "C:\\a\\tour\\index.htm", {}},
    FolderCase{"\\\\server\\\\", "C:\\a\\tour\\index.htm", {}},
    FolderCase{"E:\\", "C:\\a\\..\\index.htm", {}},
    FolderCase{"E:\\", "C:\\a\\.\\index.htm", {}},
    FolderCase{"E:\\", "C:\\a\\tour\\..", {}},
    FolderCase{"E:\\", "C:\\a\\tour\\", {}},
    FolderCase{"E:\\", "C:\\index.htm", {}},
    FolderCase{"E:\\", "C:\\a\\tour\\x/../../index.htm", {}},
    FolderCase{"E:\\", "C:\\a\\tour.\\index.htm", {}},
    FolderCase{"Books\\", "C:\\a\\tour\\index.htm", {}}));

TEST(BookFolders, HoldPercentAndHashAsTheDiskDoes) {
    const BookPageSpace book = ClassicBookPages("C:\\100%41 #1\\", "C:\\a\\tour\\index.htm", "", Western());
    EXPECT_TRUE(IsBookPage("file:///C:/100%2541%20%231/tour/a.htm", book, Western()));
    EXPECT_FALSE(IsBookPage("file:///C:/100A #1/tour/a.htm", book, Western())) << "the folder is not decoded";
    EXPECT_FALSE(IsBookPage("C:\\100%41 #1\\tour\\a.htm", book, Western())) << "a plain path could be read two ways";
}

TEST(BookFileAddress, IsBuiltFromThePathThatWasCheckedAndReadsBackToIt) {
    for (const char* path : {"C:\\Books\\tour\\sub\\..\\x y.htm", "c:/books/TOUR//a.htm"}) {
        const auto address = BookFileAddress(path, kClassic, Western());
        ASSERT_TRUE(address) << path;
        EXPECT_EQ(LocalFilePath(*address, Western()), LocalFilePath(path, Western())) << *address;
    }
    EXPECT_EQ(BookFileAddress("C:\\Books\\tour\\sub\\..\\x y.htm", kClassic, Western()), "file:///C:/Books/tour/x y.htm");
    for (const char* outside : {"C:\\Books\\tour\\..\\x.htm", "file:///C:/Books/tour/a.htm", "C:\\Books\\tour\\\x81"})
        EXPECT_FALSE(BookFileAddress(outside, kClassic, Western())) << outside;
}

// One replayed browser session, a step an event or a check: "start U" (BeforeNavigate2, going ahead), "top U" and
// "frame U" (NavigateComplete2), "done U" and "framedone U" (DocumentComplete), "book U" and "web U" (where a
// command from a frame showing U comes from), "last U" (LastUrl; "last" alone: none).
struct Replay {
    const char* what;
    std::vector<std::string> steps;
};
class NavigationReplay : public ::testing::TestWithParam<Replay> {};
TEST_P(NavigationReplay, KeepsEveryAddressThePageMayStillAnswerFor) {
    NavigationTracker tracker(kClassic, Western());
    for (const std::string& step : GetParam().steps) {
        const auto space = step.find(' ');
        const std::string verb = step.substr(0, space), url = space == std::string::npos ? "" : step.substr(space + 1);
        if (verb == "start") tracker.NavigationStarted(url);
        else if (verb == "top" || verb == "frame") tracker.NavigationCompleted(url, verb == "top");
        else if (verb == "done" || verb == "framedone") tracker.DocumentCompleted(url, verb == "done");
        else if (verb == "last") EXPECT_EQ(tracker.LastUrl(), url) << step;
        else EXPECT_EQ(tracker.SourceOf(url), verb == "book" ? CommandSource::Book : CommandSource::WebPage) << step;
    }
}
const std::string B = "file:///C:/Books/tour/index.htm", B2 = "file:///C:/Books/tour/two.htm";
const std::string F = "file:///C:/Books/tour/side.htm", E = "http://evil.example/ad.htm";
INSTANTIATE_TEST_SUITE_P(Sequences, NavigationReplay, ::testing::Values(
    Replay{"book pages", {"web " + B, "start " + B, "top " + B, "frame " + F, "book " + B, "done " + B, "book " + F}},
    Replay{"a new or a web frame", {"top " + B, "done " + B, "web ", "web " + E, "frame " + E, "web " + B}},
    Replay{"a fragment", {"top " + B, "frame " + E, "done " + B, "top " + B + "#x", "done " + B + "#x", "web " + B}},
    Replay{"other letters", {"top " + B, "frame " + E, "done " + B, "top FILE:///C:/BOOKS/TOUR/INDEX.HTM",
                             "done FILE:///C:/BOOKS/TOUR/INDEX.HTM", "web " + B}},
    Replay{"an announced page", {"top " + B, "frame " + E, "done " + B, "top " + B2, "web " + B2, "framedone " + B2,
                                 "web " + B2, "done " + B, "web " + B2, "done " + B2, "book " + B2}},
    Replay{"a redirect", {"top " + B, "done " + B, "start " + E, "web " + B, "top " + E, "done " + E, "top " + B,
                          "done " + B, "book " + B}},
    Replay{"a script started", {"top " + B, "done " + B, "start javascript:alert(1)", "web " + B}},
    Replay{"last address", {"last", "top " + B, "last", "done " + B, "last " + B, "start javascript:x", "last " + B,
                            "top " + E, "done " + E, "last " + E, "framedone " + B2, "last " + E,
                            "done about:blank", "done res://ieframe.dll/x.htm", "done file:///C:/Windows/x.htm",
                            "done mk:@MSITStore:x.chm::/a.htm", "done vbscript:x", "last " + E,
                            "done HTTPS://s.example/", "last HTTPS://s.example/"}}));

TEST(NavigationTracker, RefreshGoesToTheLastAddressOnlyForAStyledBookThatHasOne) {
    NavigationTracker tracker(kClassic, Western());
    EXPECT_EQ(tracker.RefreshAddress(true), "") << "nothing recorded: the browser's own Refresh";
    tracker.DocumentCompleted(B, true);
    EXPECT_EQ(tracker.RefreshAddress(true), B);
    EXPECT_EQ(tracker.RefreshAddress(false), "");
}

using Action = NewWindowAnswer::Action;
struct WindowCase {
    const BookPageSpace* book;
    const char* url;
    Action action;
};
class NewWindows : public ::testing::TestWithParam<WindowCase> {};
TEST_P(NewWindows, NeverOpenAWindowOfTheRuntime) {
    const NewWindowAnswer answer = NavigationTracker(*GetParam().book, Western()).NewWindow(GetParam().url);
    EXPECT_EQ(answer.action, GetParam().action);
    EXPECT_EQ(answer.address, answer.action == Action::Refuse ? "" : GetParam().url);
}
INSTANTIATE_TEST_SUITE_P(Table, NewWindows, ::testing::Values(
    WindowCase{&kClassic, "HTTPS://example.test/a b", Action::OpenInDefaultBrowser},
    WindowCase{&kClassic, "http://", Action::OpenInDefaultBrowser},
    WindowCase{&kClassic, "file:///C:/Books/tour/pop.htm", Action::NavigateBookWindow},
    WindowCase{&kClassic, "file:///C:/Windows/win.ini", Action::Refuse},
    WindowCase{&kClassic, "javascript:alert(1)", Action::Refuse},
    WindowCase{&kClassic, "about:blank", Action::Refuse},
    WindowCase{&kOneFile, "vcbook://b7k2/pop.htm", Action::NavigateBookWindow},
    WindowCase{&kOneFile, "file:///C:/Books/tour/pop.htm", Action::Refuse}));

TEST(NewWindows, SendWebAddressesToTheShellEscapedAsWeblinkDoes) {
    testing::RecordingHost host;
    OpenInDefaultBrowser(host, "http://example.test/a b\"c");
    EXPECT_EQ(host.Effects(), std::vector<std::string>{"Shell(application, null, [http://example.test/a%20b%22c], null, null, 1)"});
}

}  // namespace
}  // namespace vc
