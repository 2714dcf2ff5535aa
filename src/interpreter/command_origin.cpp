#include "interpreter/command_origin.h"

#include "book/book_pages.h"
#include "common/text.h"
#include "common/unicode.h"

namespace vc {

namespace {

using Path = std::u16string;
using PathView = std::u16string_view;

bool IsSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// ASCII letters of `prefix` in either case begin `text`.
bool StartsWithAscii(PathView text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char16_t c = text[i];
        const char16_t folded = c >= u'A' && c <= u'Z' ? c + 0x20 : c;
        if (folded != static_cast<unsigned char>(prefix[i])) return false;
    }
    return true;
}

// Spaces and control characters, the no-break space and the byte order mark:
// the browser drops them before an address, and none begins a book's one.
PathView WithoutLeadingBlanks(PathView text) {
    while (!text.empty() && (text.front() <= 0x20 || text.front() == 0x7F || text.front() == 0xA0 ||
                             text.front() == 0xFEFF))
        text.remove_prefix(1);
    return text;
}

// The path part of an address, without "#..." or "?...". A separator after
// them would make the browser and this reading disagree on where it ends.
std::optional<PathView> WithoutFragment(PathView text) {
    const auto end = text.find_first_of(u"#?");
    if (end == PathView::npos) return text;
    if (text.find_first_of(u"/\\", end) != PathView::npos) return std::nullopt;
    return text.substr(0, end);
}

// One pass of % decoding. An escape of a separator or a control character
// would change the path's shape; one past ASCII could be read in two
// encodings.
std::optional<Path> Decoded(PathView text) {
    Path result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') {
            result.push_back(text[i]);
            continue;
        }
        const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        const auto c = static_cast<char16_t>(high * 16 + low);
        if (c < 0x20 || c >= 0x7F || IsSeparator(c)) return std::nullopt;
        result.push_back(c);
        i += 2;
    }
    return result;
}

bool IsPlainStep(PathView step) {
    for (char16_t c : step)
        if (c < 0x20 || PathView(u":*?\"<>|").find(c) != PathView::npos) return false;
    // Windows drops trailing dots and blanks, so ".. " would climb.
    return step.back() != u'.' && step.back() != u' ';
}

// `root` and the steps of `rest`, "." and ".." resolved.
std::optional<Path> Normalised(Path root, PathView rest) {
    const std::size_t rootLength = root.size();
    while (!rest.empty()) {
        const auto end = rest.find(u'\\');
        const PathView step = rest.substr(0, end);
        rest = end == PathView::npos ? PathView() : rest.substr(end + 1);
        if (step.empty() || step == u".") continue;
        if (step == u"..") {
            if (root.size() == rootLength) return std::nullopt;
            root.resize(root.rfind(u'\\'));
            continue;
        }
        if (!IsPlainStep(step)) return std::nullopt;
        (root += u'\\') += step;
    }
    return root;
}

std::optional<Path> DiskPathWithBackslashes(PathView path) {
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == u':') {
        if (path.size() > 2 && path[2] != u'\\') return std::nullopt;  // "C:x" is relative to C:'s own folder
        return Normalised(Path(path.substr(0, 2)), path.substr(2));
    }
    if (path.size() > 2 && path[0] == u'\\' && path[1] == u'\\') {
        const PathView rest = path.substr(2);
        const auto serverEnd = rest.find(u'\\');
        if (serverEnd == PathView::npos) return std::nullopt;
        const PathView server = rest.substr(0, serverEnd);
        const PathView afterServer = rest.substr(serverEnd + 1);
        const PathView share = afterServer.substr(0, afterServer.find(u'\\'));
        for (PathView piece : {server, share})
            if (piece.empty() || piece == u"." || piece == u".." || !IsPlainStep(piece)) return std::nullopt;
        const std::size_t rootLength = server.size() + 1 + share.size();
        return Normalised(u"\\\\" + Path(rest.substr(0, rootLength)), rest.substr(rootLength));
    }
    return std::nullopt;
}

// A path on the disk, normalised; never decoded.
std::optional<Path> DiskPath(PathView path) {
    Path text(path);
    for (char16_t& c : text)
        if (c == u'/') c = u'\\';
    return DiskPathWithBackslashes(text);
}

bool IsAtOrBelow(PathView path, PathView folder) {
    if (path.size() < folder.size() || !SameTextOrdinal(path.substr(0, folder.size()), folder)) return false;
    return path.size() == folder.size() || path[folder.size()] == u'\\';
}

bool IsInsideFolders(PathView path, const BookPageSpace& book) {
    for (const Path& folder : book.folders)
        if (IsAtOrBelow(path, folder)) return true;
    return false;
}

// The folder a recorded page travels in beside the program: its last folder
// step, cut where BookRelativePath cuts it, at backslashes only.
std::optional<Path> TravellingFolder(const Path& program, std::string_view recorded, const CodePage& codePage) {
    const auto wide = codePage.ToUtf16(recorded);
    const auto fileStart = wide ? wide->rfind(u'\\') : Path::npos;
    if (fileStart == Path::npos || fileStart == 0) return std::nullopt;
    const auto folderStart = wide->rfind(u'\\', fileStart - 1);
    const Path page = program + u'\\' + wide->substr(folderStart == Path::npos ? 0 : folderStart + 1);
    // A step that normalising would drop, resolve, turn or refuse makes none.
    if (DiskPath(page) != page) return std::nullopt;
    return page.substr(0, page.rfind(u'\\'));
}

}  // namespace

BookPageSpace ClassicBookPages(std::string_view executableFolder, std::string_view startPage,
                               std::string_view homePage, const CodePage& codePage) {
    BookPageSpace book;
    const auto wideProgram = codePage.ToUtf16(executableFolder);
    const auto program = wideProgram ? DiskPath(*wideProgram) : std::nullopt;
    if (!program) return book;
    for (std::string_view recorded : {startPage, homePage})
        if (auto folder = TravellingFolder(*program, recorded, codePage)) book.folders.push_back(std::move(*folder));
    return book;
}

BookPageSpace OneFileBookPages(std::string_view host) {
    BookPageSpace book;
    book.host = LowerCase(host);
    return book;
}

std::optional<std::u16string> LocalFilePath(std::string_view address, const CodePage& codePage) {
    const auto wide = codePage.ToUtf16(address);
    if (!wide) return std::nullopt;
    PathView text = WithoutLeadingBlanks(*wide);
    // The scheme is read as written: an escaped "file%3A" is no file address.
    if (!StartsWithAscii(text, "file:")) {
        if (text.find_first_of(u"%#") != PathView::npos) return std::nullopt;
        return DiskPath(text);
    }
    text.remove_prefix(5);
    std::size_t slashes = 0;
    while (slashes < text.size() && IsSeparator(text[slashes])) ++slashes;
    // "file://host/share" and "file:////host/share" name a share; any number
    // of slashes may precede a drive.
    const bool drive = slashes + 1 < text.size() && text[slashes + 1] == u':';
    if (!drive && slashes != 2 && slashes != 4) return std::nullopt;
    text.remove_prefix(drive ? slashes : slashes - 2);
    const auto pathPart = WithoutFragment(text);
    if (!pathPart) return std::nullopt;
    auto path = Decoded(*pathPart);
    if (!path) return std::nullopt;
    return DiskPath(*path);
}

bool IsBookPage(std::string_view address, const BookPageSpace& book, const CodePage& codePage) {
    // Read by the function that serves the book's pages.
    if (!book.host.empty()) return OwnBookPage(address, book.host).has_value();
    const auto path = LocalFilePath(address, codePage);
    return path && IsInsideFolders(*path, book);
}

bool IsWebAddress(std::string_view address) {
    return (address.size() >= 7 && SameText(address.substr(0, 7), "http://")) ||
           (address.size() >= 8 && SameText(address.substr(0, 8), "https://"));
}

std::optional<std::string> BookFileAddress(std::string_view path, const BookPageSpace& book, const CodePage& codePage) {
    const auto wide = codePage.ToUtf16(path);
    const auto normalised = wide ? DiskPath(*wide) : std::nullopt;
    if (!normalised || !IsInsideFolders(*normalised, book)) return std::nullopt;
    // A share keeps its two slashes; a drive gets three. "%" and "#" are
    // escaped so that the one decoding the browser does gives the path back.
    Path address = (*normalised)[0] == u'\\' ? u"file:" : u"file:///";
    for (char16_t c : *normalised) {
        if (c == u'\\') address += u'/';
        else if (c == u'%') address += u"%25";
        else if (c == u'#') address += u"%23";
        else address += c;
    }
    return codePage.FromUtf16(address);
}

}  // namespace vc
