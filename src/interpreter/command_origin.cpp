#include "interpreter/command_origin.h"

#include "book/book_pages.h"
#include "book/book_paths.h"
#include "common/text.h"

namespace vc {

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Spaces and control characters, the no-break space (8-bit and UTF-8) and the
// UTF-8 byte order mark: none of them can begin an address of the book.
std::string_view WithoutLeadingBlanks(std::string_view text) {
    for (;;) {
        const auto byte = text.empty() ? 0 : static_cast<unsigned char>(text.front());
        if (!text.empty() && (byte <= 0x20 || byte == 0x7F || byte == 0xA0)) text.remove_prefix(1);
        else if (text.substr(0, 2) == "\xC2\xA0") text.remove_prefix(2);
        else if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
        else return text;
    }
}

// The path part, without "#..." or "?...". A separator after them would make
// the browser and this reading disagree on where the path ends.
std::optional<std::string_view> WithoutFragment(std::string_view text) {
    const auto end = text.find_first_of("#?");
    if (end == std::string_view::npos) return text;
    if (text.find_first_of("/\\", end) != std::string_view::npos) return std::nullopt;
    return text.substr(0, end);
}

// One pass of % decoding. Escapes that would change the path's shape, or
// decode to what a second pass might read again, leave it unreadable.
std::optional<std::string> Decoded(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            result.push_back(text[i]);
            continue;
        }
        const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        const char c = static_cast<char>(high * 16 + low);
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '%' || c == '.' || IsSeparator(c) ||
            c == ':' || c == '#' || c == '?')
            return std::nullopt;
        result.push_back(c);
        i += 2;
    }
    return result;
}

bool IsPlainSegment(std::string_view segment) {
    for (char c : segment)
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view(":*?\"<>|").find(c) != std::string_view::npos)
            return false;
    // Windows drops trailing dots and blanks, so ".. " would climb.
    return segment.back() != '.' && segment.back() != ' ';
}

// "root\seg\seg" from segments after the root, resolving "." and "..".
std::optional<std::string> Normalised(std::string root, std::string_view rest) {
    std::vector<std::string> segments;
    for (const std::string& segment : SplitList(std::string(rest) + "\\", "\\")) {
        if (segment.empty() || segment == ".") continue;
        if (segment == "..") {
            if (segments.empty()) return std::nullopt;
            segments.pop_back();
            continue;
        }
        if (!IsPlainSegment(segment)) return std::nullopt;
        segments.push_back(segment);
    }
    for (const std::string& segment : segments) root += "\\" + segment;
    return root;
}

bool IsAtOrBelow(std::string_view path, std::string_view folder) {
    if (path.size() < folder.size() || !SameText(path.substr(0, folder.size()), folder)) return false;
    return path.size() == folder.size() || path[folder.size()] == '\\';
}

}  // namespace

FolderList BookPageFolders(std::string_view executableFolder, std::string_view startPage,
                           std::string_view homePage) {
    FolderList folders;
    for (std::string_view recorded : {startPage, homePage})
        if (recorded.find('\\') != std::string_view::npos)
            folders.push_back(ExtractFilePath(WithTrailingBackslash(executableFolder) + BookRelativePath(recorded)));
    return folders;
}

std::optional<std::string> LocalFilePath(std::string_view address) {
    std::string_view text = WithoutLeadingBlanks(address);
    // The scheme is read as written: an escaped "file%3A" is no file address.
    if (text.size() >= 5 && SameText(text.substr(0, 5), "file:")) {
        text.remove_prefix(5);
        std::size_t slashes = 0;
        while (slashes < text.size() && IsSeparator(text[slashes])) ++slashes;
        // "file://host/share" and "file:////host/share" name a share; any
        // number of slashes may precede a drive.
        const bool drive = slashes + 1 < text.size() && text[slashes + 1] == ':';
        if (!drive && slashes != 2 && slashes != 4) return std::nullopt;
        text.remove_prefix(drive ? slashes : slashes - 2);
    }
    const auto pathPart = WithoutFragment(text);
    if (!pathPart) return std::nullopt;
    auto path = Decoded(*pathPart);
    if (!path) return std::nullopt;
    for (char& c : *path)
        if (c == '/') c = '\\';

    if (path->size() >= 2 && IsAsciiLetter((*path)[0]) && (*path)[1] == ':') {
        if (path->size() > 2 && (*path)[2] != '\\') return std::nullopt;  // "C:x" is relative to C:'s own folder
        return Normalised(path->substr(0, 2), std::string_view(*path).substr(2));
    }
    if (path->size() > 2 && (*path)[0] == '\\' && (*path)[1] == '\\') {
        const StringList pieces = SplitList(std::string_view(*path).substr(2), "\\");
        if (pieces.size() < 2) return std::nullopt;
        const std::string& server = pieces[0];
        const std::string& share = pieces[1];
        if (server.empty() || share.empty() || server == "." || server == ".." || share == "." || share == ".." ||
            !IsPlainSegment(server) || !IsPlainSegment(share))
            return std::nullopt;
        const std::size_t rootLength = 2 + server.size() + 1 + share.size();
        return Normalised("\\\\" + server + "\\" + share, std::string_view(*path).substr(rootLength));
    }
    return std::nullopt;
}

bool IsInsideFolders(std::string_view address, const FolderList& folders) {
    const auto path = LocalFilePath(address);
    if (!path) return false;
    for (const std::string& folder : folders) {
        const auto root = LocalFilePath(folder);
        if (root && IsAtOrBelow(*path, *root)) return true;
    }
    return false;
}

bool IsBookAddress(std::string_view address, std::string_view bookHost) {
    return OwnBookPage(address, bookHost).has_value();
}

CommandSource PageCommandSource(const PageCommandOrigin& origin) {
    auto isBookPage = [&](const std::string& address) {
        return origin.bookHost.empty() ? IsInsideFolders(address, origin.bookFolders)
                                       : IsBookAddress(address, origin.bookHost);
    };
    if (!isBookPage(origin.navigatingFrame) || !isBookPage(origin.topPage)) return CommandSource::WebPage;
    for (const std::string& frame : origin.frames)
        if (!isBookPage(frame)) return CommandSource::WebPage;
    return CommandSource::Book;
}

}  // namespace vc
