#include <gtest/gtest.h>

#include "interpreter/command_origin.h"

namespace vc {
namespace {

// The book runs from C:\Books\Book.exe; its pages were built in
// C:\authoring\tour and travel beside it in C:\Books\tour.
const FolderList& Folders() {
    static const FolderList folders = BookPageFolders("C:\\Books\\", "C:\\authoring\\tour\\index.htm", "");
    return folders;
}

// A page that shows `address` in its only frame, and sends a command.
CommandSource SourceOfPage(const std::string& address) {
    PageCommandOrigin origin;
    origin.bookFolders = Folders();
    origin.navigatingFrame = address;
    origin.topPage = address;
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
        {"secure web", "C:\\Books\\tour\\index.htm", "https://evil.example/tour/index.htm"},
        {"letter case", "FILE:///c:/books/TOUR/Index.htm", "HtTp://evil.example/"},
        {"encoded scheme", "file:///C:/Books/tour/my%20page.htm", "HTTP%3A//evil.example/"},
        {"encoded file scheme", "file:///C:/Books/tour/a.htm", "file%3A///C:/Books/tour/a.htm"},
        {"other host", "file:///C:/Books/tour/a.htm", "file://evil.example/C:/Books/tour/a.htm"},
        {"share on another host", "file:///C:/Books/tour/a.htm", "file://evil.example/share/tour/a.htm"},
        {"bare UNC path", "C:\\Books\\tour\\a.htm", "\\\\evil.example\\share\\Books\\tour\\a.htm"},
        {"device path", "C:\\Books\\tour\\a.htm", "\\\\?\\C:\\Books\\tour\\a.htm"},
        {"compiled help store", "C:\\Books\\tour\\a.htm", "mk:@MSITStore:C:\\Books\\tour\\help.chm::/a.htm"},
        {"help store", "C:\\Books\\tour\\a.htm", "ms-its:C:\\Books\\tour\\help.chm::/a.htm"},
        {"web archive", "C:\\Books\\tour\\a.htm", "mhtml:file://C:\\Books\\tour\\a.mht!http://evil.example/"},
        {"source view", "file:///C:/Books/tour/a.htm", "view-source:file:///C:/Books/tour/a.htm"},
        {"error pages", "file:///C:/Books/tour/a.htm", "res://ieframe.dll/navcancl.htm#file:///C:/Books/tour/"},
        {"about", "file:///C:/Books/tour/a.htm", "about:blank"},
        {"script", "file:///C:/Books/tour/a.htm", "javascript:location='file:///C:/Books/tour/a.htm'"},
        {"sockets", "file:///C:/Books/tour/a.htm", "ws://evil.example/C:/Books/tour/"},
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
        {"a new frame", "C:\\Books\\tour\\a.htm", ""},
        {"unreadable escape", "C:\\Books\\tour\\a.htm", "file:///C:/Books/tour/a%zz.htm"},
    };
    for (const Twin& twin : twins) {
        EXPECT_EQ(SourceOfPage(twin.book), CommandSource::Book) << twin.what << ": " << twin.book;
        EXPECT_EQ(SourceOfPage(twin.remote), CommandSource::WebPage) << twin.what << ": " << twin.remote;
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
    for (const Case& c : cases) {
        PageCommandOrigin origin;
        origin.bookFolders = Folders();
        origin.navigatingFrame = c.navigatingFrame;
        origin.topPage = c.topPage;
        origin.frames = c.frames;
        EXPECT_EQ(PageCommandSource(origin), c.expected) << c.what;
    }
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
