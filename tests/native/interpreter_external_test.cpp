#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/text.h"
#include "interpreter/command_origin.h"
#include "interpreter/external_actions.h"
#include "interpreter/interpreter.h"
#include "interpreter_recording_host.h"
#include "error_text.h"

namespace vc {
namespace {

using testing::RecordingHost;
using Lines = std::vector<std::string>;

ShellCall OnlyShellCall(const std::string& commands, RecordingHost host = RecordingHost(),
                        CommandSource source = CommandSource::Book) {
    RunActionCommands(host, commands, source);
    EXPECT_EQ(host.shellCalls.size(), 1u) << commands;
    return host.shellCalls.empty() ? ShellCall() : host.shellCalls.front();
}

TEST(InterpreterExternal, ExecuteOrOpenFileReplacesMacrosInTheFileOnly) {
    RecordingHost host;
    RunActionCommands(host, "EXECUTEOROPENFILE \"[WindowsDir]notepad.exe\"==\"[Dir]notes.txt\"");
    EXPECT_EQ(host.log, (Lines{"?ExecutablePath", "?WindowsDirectory", "?SystemDirectory",
                               "Shell(none, null, [C:\\WINDOWS\\notepad.exe], [[Dir]notes.txt], null, 1)"}));

    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[SYSTEMDIR]calc.exe\"").file, "C:\\WINDOWS\\system32\\calc.exe");
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[Dir]a [DIR]b\"").file, "C:\\Books\\a C:\\Books\\b");
    const ShellCall call = OnlyShellCall("EXECUTEOROPENFILE \"\"");
    EXPECT_EQ(call.file, "");
    EXPECT_EQ(call.parameters, std::optional<std::string>(""));  // an empty text, not none

    RecordingHost root;
    root.executablePath = "C:\\vc.exe";
    root.windowsDirectory = "C:\\WINDOWS\\";  // already ends with "\": no second one
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[Dir]x.htm\"", root).file, "C:\\x.htm");
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[WindowsDir]x\"", root).file, "C:\\WINDOWS\\x");

    RecordingHost unknown;
    unknown.systemDirectory.clear();
    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[SystemDir]cmd.exe\"", unknown).file, "cmd.exe");
}

TEST(InterpreterExternal, MacroExpansionIsPlainAndOrdered) {
    EXPECT_EQ(ExpandDirectoryMacros("[Dir][WindowsDir][SystemDir]", "D:\\", "W", "S\\"), "D:\\W\\S\\");
    // A folder that itself holds a later macro is expanded by the later step.
    EXPECT_EQ(ExpandDirectoryMacros("[Dir]x", "C:\\[systemdir]\\", "W", "S"), "C:\\S\\\\x");
}

TEST(InterpreterExternal, TextsForTheShellAreCutAt1024Characters) {
    // Several macros can make the file longer than the shell's buffer.
    RecordingHost host;
    host.executablePath = "C:\\" + std::string(200, 'f') + "\\vc.exe";  // a folder of 204 characters
    std::string macros;
    for (int i = 0; i < 10; ++i) macros += "[Dir]";
    const ShellCall call = OnlyShellCall("EXECUTEOROPENFILE \"" + macros + "\"==\"p\"", host);
    EXPECT_EQ(call.file.size(), kShellTextLimit);
    EXPECT_EQ(call.file.substr(0, 204), "C:\\" + std::string(200, 'f') + "\\");
    EXPECT_EQ(call.parameters, std::optional<std::string>("p"));

    RecordingHost direct;
    OpenWithShell(direct, std::string(1024, 'a'), std::string(2000, 'b'));
    EXPECT_EQ(direct.shellCalls.at(0).file, std::string(1024, 'a'));
    EXPECT_EQ(direct.shellCalls.at(0).parameters, std::optional<std::string>(std::string(1024, 'b')));
}

TEST(InterpreterExternal, WebPagesCannotStartPrograms) {
    RecordingHost host;
    RunActionCommands(host,
                      "EXECUTEOROPENFILE \"[SystemDir]cmd.exe\"==\"/c del x\"-@-WEBLINK \"example.test\"-@-WEBHOME()",
                      CommandSource::WebPage);
    EXPECT_EQ(host.log, (Lines{"Shell(application, null, [http://example.test], null, null, 1)", "Click(Home)"}));

    EXPECT_EQ(OnlyShellCall("EXECUTEOROPENFILE \"[SystemDir]cmd.exe\"").file, "C:\\WINDOWS\\system32\\cmd.exe");
}

TEST(InterpreterExternal, AddressesArePrefixedAndReachTheShellAsOneArgumentFromEverySource) {
    struct Case {
        const char* command;
        const char* file;
    };
    const Case cases[] = {
        // The prefix goes on without a look at what follows.
        {"WEBLINK \"http://example.test\"", "http://http://example.test"},
        {"WEBLINK", "http://WEBLINK"},  // no quotes: the whole field
        {"WEBLINK \"\"", "http://"},
        {"SENDEMAIL \"\"", "mailto:"},
        // A quote and blanks would close the address and add arguments.
        {"WEBLINK \"x\" -new-window \"file:///C:/\"", "http://x%22%20-new-window%20%22file:///C:/"},
        {"WEBLINK \"a\tb\x01" "c\x7F" "d\xA0" "e\"", "http://a%09b%01c%7Fd%A0e"},
        {"WEBLINK \"a<b>c\\d^e`f{g|h}i\"", "http://a%3Cb%3Ec%5Cd%5Ee%60f%7Bg%7Ch%7Di"},
        // What URL escaping already allows stays as written.
        {"WEBLINK \"ex.test/a%20b?q=1&r=caf\xE9#top\"", "http://ex.test/a%20b?q=1&r=caf\xE9#top"},
        {"SENDEMAIL \"a@b.test?subject=Hello there\"", "mailto:a@b.test?subject=Hello%20there"},
        {"SENDEMAIL \"a@b.test\" /attach \"C:\\x\"", "mailto:a@b.test%22%20/attach%20%22C:%5Cx"},
    };
    for (CommandSource source : {CommandSource::Book, CommandSource::WebPage})
        for (const Case& c : cases) EXPECT_EQ(OnlyShellCall(c.command, {}, source).file, c.file) << c.command;
}

TEST(InterpreterExternal, MailFromWebPagesKeepsTheAddressAndFourFieldsOnly) {
    const std::string fields = "a@b.test?Subject=S&attach=C:\\x&body=B&Attachment=y&cc=c@d.test&bcc=e@f.test&to=g";
    EXPECT_EQ(OnlyShellCall("SENDEMAIL \"" + fields + "\"", {}, CommandSource::WebPage).file,
              "mailto:a@b.test?Subject=S&body=B&cc=c@d.test&bcc=e@f.test");
    EXPECT_EQ(MailtoForWebPage("a@b.test&attach=C:\\x?body=B"), "a@b.test?body=B");
    EXPECT_EQ(MailtoForWebPage("a@b.test?attach=x"), "a@b.test");
    EXPECT_EQ(MailtoForWebPage("a@b.test?subjectx=1&subject"), "a@b.test?subject");

    // The book's pages, its menu and its start-up line keep every field.
    EXPECT_EQ(OnlyShellCall("SENDEMAIL \"" + fields + "\"").file, "mailto:" + ReplaceAll(fields, "\\", "%5C"));
}

TEST(InterpreterExternal, LoadHtmlOpensOnlyPagesInsideTheBooksFolders) {
    struct Case {
        const char* page;
        const char* opened;  // empty: nothing opens
    };
    const Case cases[] = {
        {"C:\\books\\tour\\sub\\..\\a.htm", "D:\\ebook\\tour\\sub\\..\\a.htm"},
        {"C:\\books\\extra\\home2.htm", "D:\\ebook\\extra\\home2.htm"},
        // The folder rules themselves are the command origin's.
        {"C:\\books\\other\\a.htm", ""},
    };
    for (CommandSource source : {CommandSource::Book, CommandSource::WebPage})
        for (const Case& c : cases) {
            RecordingHost host;
            host.executablePath = "D:\\ebook\\book.exe";
            host.altHomePage = "C:\\books\\extra\\home.htm";
            RunActionCommands(host, std::string("LOADHTML \"") + c.page + "\"", source);
            EXPECT_EQ(host.Effects(), *c.opened ? Lines{std::string("Navigate(") + c.opened + ")"} : Lines{})
                << c.page;
        }
}

TEST(InterpreterExternal, RebasePagePathCutsTheRecordedPrefixByLengthAndNeedsAFolder) {
    const std::string start = "C:\\books\\tour\\index.htm";
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader\\", "C:\\books\\tour\\part2.htm"), "E:\\Reader\\tour\\part2.htm");
    // The prefix is not compared, only counted.
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader\\", "X:\\abcdefgh\\bits.htm"), "E:\\Reader\\gh\\bits.htm");
    // Shorter than the prefix: nothing of the page is left.
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader\\", "short"), "E:\\Reader\\");
    EXPECT_EQ(RebasePagePath(start, "E:\\Reader", "C:\\books\\tour\\p.htm"), "E:\\Reader\\tour\\p.htm");
    // With the folder right after the drive nothing precedes it but "C:\".
    EXPECT_EQ(RebasePagePath("C:\\tour\\index.htm", "E:\\", "C:\\tour\\a.htm"), "E:\\tour\\a.htm");
    // A start page at a drive root: k is 0 or less, all of the page is kept.
    EXPECT_EQ(RebasePagePath("C:\\index.htm", "E:\\", "tour\\a.htm"), "E:\\tour\\a.htm");

    // A start page without a folder raises, and LOADHTML with it.
    EXPECT_EQ(testing::ErrorText<EListError>([] { RebasePagePath("index.htm", "E:\\", "a.htm"); }),
              "List index out of bounds (-1)");
    RecordingHost broken;
    broken.startPage = "index.htm";
    EXPECT_THROW(RunActionCommands(broken, "LOADHTML \"C:\\books\\tour\\ch1.htm\"-@-WEBHOME()"), EListError);
    EXPECT_TRUE(broken.Effects().empty());
}

// The book runs from C:\Books\Book.exe; its pages were built in
// C:\authoring\tour and travel beside it in C:\Books\tour.
const FolderList& Folders() {
    static const FolderList folders = BookPageFolders("C:\\Books\\", "C:\\authoring\\tour\\index.htm", "");
    return folders;
}

// Where a command comes from that a frame showing `navigating` sent, inside `top` with `frames`.
CommandSource SourceOf(const std::string& navigating, const std::string& top, std::vector<std::string> frames = {}) {
    PageCommandOrigin origin;
    origin.bookFolders = Folders();
    origin.navigatingFrame = navigating;
    origin.topPage = top;
    origin.frames = std::move(frames);
    return PageCommandSource(origin);
}

struct Twin {
    const char* what;
    const char* book;    // a page of the book, written that way: allowed
    const char* remote;  // its twin of the same class: refused
};

TEST(CommandOrigin, EveryClassOfAddressHasItsBookPageAllowedAndItsTwinRefused) {
    const Twin twins[] = {
        {"web schemes", "file:///C:/Books/tour/index.htm", "http://evil.example/index.htm"},
        {"letter case", "FILE:///c:/books/TOUR/Index.htm", "HtTp://evil.example/"},
        {"encoded file scheme", "file:///C:/Books/tour/a.htm", "file%3A///C:/Books/tour/a.htm"},
        {"other host", "file:///C:/Books/tour/a.htm", "file://evil.example/C:/Books/tour/a.htm"},
        {"share on another host", "file:///C:/Books/tour/a.htm", "file://evil.example/share/tour/a.htm"},
        {"device path", "C:\\Books\\tour\\a.htm", "\\\\?\\C:\\Books\\tour\\a.htm"},
        {"no-break space", "\xA0" "file:///C:/Books/tour/a.htm", "\xA0http://evil.example/"},
        {"UTF-8 no-break space", "\xC2\xA0" "C:\\Books\\tour\\a.htm", "\xC2\xA0http://evil.example/"},
        {"byte order mark", "\xEF\xBB\xBF" "file:///C:/Books/tour/a.htm", "\xEF\xBB\xBFhttp://evil.example/"},
        {"other blanks", " \t\r\n" "file:///C:/Books/tour/a.htm", " \t\r\nhttps://evil.example/"},
        {"slashes", "file:///C:\\Books/tour\\a.htm", "file:///C:/Books/tour/../../Windows/win.ini"},
        {"dots", "file:///C:/Books/tour/./sub/../a.htm", "C:\\Books\\tour\\..\\..\\Windows\\win.ini"},
        {"escaped dots", "file:///C:/Books/tour/a%20b.htm", "file:///C:/Books/tour/%2e%2e/%2E%2E/Windows/win.ini"},
        {"escaped separator", "file:///C:/Books/tour/a.htm", "file:///C:/Books/tour/..%2f..%2fWindows/win.ini"},
        {"double escape", "file:///C:/Books/tour/a.htm", "file:///C:/Books/tour/%252e%252e/win.ini"},
        {"dot and blank endings", "C:\\Books\\tour\\sub\\a.htm", "C:\\Books\\tour\\.. \\..\\Windows\\win.ini"},
        {"trailing dots", "C:\\Books\\tour\\a.htm", "C:\\Books\\tour\\...\\..\\..\\Windows\\win.ini"},
        {"fragment", "file:///C:/Books/tour/a.htm#part2", "file:///C:/Books/tour/a.htm#/../../../x.htm"},
        {"query", "file:///C:/Books/tour/a.htm?x=1", "C:\\Books\\tour\\a.htm?\\..\\..\\x.htm"},
        {"streams", "C:\\Books\\tour\\a.htm", "C:\\Books\\tour\\a.htm:evil.js"},
        {"drive-relative path", "C:\\Books\\tour\\a.htm", "C:Books\\tour\\a.htm"},
        {"control character", "C:\\Books\\tour\\a.htm", "file:///C:/Books/tour/a.htm%00.exe"},
        {"other drive", "file:///C:/Books/tour/a.htm", "file:///D:/Books/tour/a.htm"},
        {"name sharing a prefix", "C:\\Books\\tour\\a.htm", "C:\\Books\\tourist\\a.htm"},
        {"the executable's folder", "C:\\Books\\tour\\a.htm", "C:\\Books\\notes.htm"},
        {"above the drive", "C:\\Books\\tour\\a.htm", "C:\\..\\Books\\tour\\a.htm"},
        {"unreadable escape", "C:\\Books\\tour\\a.htm", "file:///C:/Books/tour/a%zz.htm"},
    };
    for (const Twin& twin : twins) {
        EXPECT_EQ(SourceOf(twin.book, twin.book), CommandSource::Book) << twin.what << ": " << twin.book;
        EXPECT_EQ(SourceOf(twin.remote, twin.remote), CommandSource::WebPage) << twin.what << ": " << twin.remote;
    }
}

TEST(CommandOrigin, AnyFrameThatIsNotTheBooksTaintsThePage) {
    const std::string book = "file:///C:/Books/tour/index.htm";
    const std::string chapter = "file:///C:/Books/tour/chapters/one.htm";
    struct Case {
        const char* what;
        std::string navigatingFrame;
        std::string topPage;
        std::vector<std::string> frames;
        CommandSource expected;
    };
    const Case cases[] = {
        {"a book page with book frames", chapter, book, {chapter, book + "#top"}, CommandSource::Book},
        {"a remote frame aiming at _top", book, book, {chapter, "http://evil.example/ad.htm"}, CommandSource::WebPage},
        {"a remote frame aiming at a sibling", chapter, book, {chapter, "https://evil.example/"}, CommandSource::WebPage},
        {"a blank frame", book, book, {"about:blank"}, CommandSource::WebPage},
        {"a new frame with no address yet", "", book, {}, CommandSource::WebPage},
        {"a book frame inside a remote page", chapter, "http://evil.example/", {chapter}, CommandSource::WebPage},
        {"no top page yet", book, "", {}, CommandSource::WebPage},
    };
    for (const Case& c : cases) EXPECT_EQ(SourceOf(c.navigatingFrame, c.topPage, c.frames), c.expected) << c.what;
}

TEST(CommandOrigin, TheBooksFoldersAreThoseOfItsStartAndHomePages) {
    EXPECT_EQ(Folders(), FolderList{"C:\\Books\\tour\\"});
    EXPECT_EQ(BookPageFolders("E:\\", "C:\\a\\tour\\index.htm", "C:\\a\\extra\\home.htm"),
              (FolderList{"E:\\tour\\", "E:\\extra\\"}));
    // A start page recorded without a folder gives the book no pages at all.
    EXPECT_TRUE(BookPageFolders("E:\\", "index.htm", "").empty());

    const FolderList two = BookPageFolders("E:\\", "C:\\a\\tour\\index.htm", "C:\\a\\extra\\home.htm");
    EXPECT_TRUE(IsInsideFolders("file:///E:/extra/more/page.htm", two));
    EXPECT_TRUE(IsInsideFolders("E:\\tour", two)) << "the folder itself";
    EXPECT_FALSE(IsInsideFolders("E:\\other\\page.htm", two));
    EXPECT_FALSE(IsInsideFolders("E:\\tour\\a.htm", {})) << "no folders, no book pages";

    // A book read from a share: its own pages are on that share, no others.
    const FolderList shared = BookPageFolders("\\\\server\\books\\", "C:\\a\\tour\\index.htm", "");
    EXPECT_TRUE(IsInsideFolders("file://server/books/tour/a.htm", shared));
    EXPECT_TRUE(IsInsideFolders("\\\\SERVER\\Books\\tour\\a.htm", shared));
    EXPECT_FALSE(IsInsideFolders("file://evil.example/books/tour/a.htm", shared));
    EXPECT_FALSE(IsInsideFolders("\\\\server\\books\\tour\\..\\..\\other\\tour\\a.htm", shared));
}

TEST(CommandOrigin, LocalPathsAreNormalisedOrNotReadAtAll) {
    EXPECT_EQ(LocalFilePath("file:///C:/Books/tour//sub/./../a%20b.htm#x"), "C:\\Books\\tour\\a b.htm");
    EXPECT_EQ(LocalFilePath("file://C:/x.htm"), "C:\\x.htm");
    EXPECT_EQ(LocalFilePath("file:C:\\x.htm"), "C:\\x.htm");
    EXPECT_EQ(LocalFilePath("C:\\"), "C:");
    EXPECT_EQ(LocalFilePath("file:////server/share/x/../y.htm"), "\\\\server\\share\\y.htm");
    EXPECT_EQ(LocalFilePath("C:\\tour\\caf\xE9.htm"), "C:\\tour\\caf\xE9.htm") << "letters of the code page stay";
    for (const char* unreadable : {"file:/C", "file:///server/share/x", "file://localhost/C:/x", "\\\\server",
                                   "\\\\.\\pipe\\x", "C:\\a*.htm", "C:\\a\"b", "C:\\a%", "C:\\a%4"})
        EXPECT_FALSE(LocalFilePath(unreadable).has_value()) << unreadable;
}

}  // namespace
}  // namespace vc
