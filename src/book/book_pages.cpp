#include "book/book_pages.h"

#include <utility>

#include "book/book_address.h"
#include "book/book_paths.h"
#include "common/text.h"

namespace vc {
namespace {

struct MimeType {
    std::string_view extension;
    std::string_view type;
};

constexpr MimeType kMimeTypes[] = {
    {"htm", "text/html"},         {"html", "text/html"},          {"xhtml", "application/xhtml+xml"},
    {"css", "text/css"},          {"js", "text/javascript"},      {"json", "application/json"},
    {"xml", "text/xml"},          {"txt", "text/plain"},          {"png", "image/png"},
    {"jpg", "image/jpeg"},        {"jpeg", "image/jpeg"},         {"gif", "image/gif"},
    {"bmp", "image/bmp"},         {"ico", "image/x-icon"},        {"svg", "image/svg+xml"},
    {"webp", "image/webp"},       {"woff", "font/woff"},          {"woff2", "font/woff2"},
    {"ttf", "font/ttf"},          {"otf", "font/otf"},            {"eot", "application/vnd.ms-fontobject"},
    {"pdf", "application/pdf"},   {"zip", "application/zip"},     {"swf", "application/x-shockwave-flash"},
    {"mp3", "audio/mpeg"},        {"wav", "audio/wav"},           {"mid", "audio/midi"},
    {"mp4", "video/mp4"},         {"avi", "video/x-msvideo"},     {"wmv", "video/x-ms-wmv"},
};

constexpr std::string_view kUnknownMimeType = "application/octet-stream";

// Bytes the zone manager could read as something other than the path.
bool NeedsEscape(unsigned char c) { return c <= 0x20 || c >= 0x7F || c == '%' || c == '#' || c == '?'; }

}  // namespace

std::string BookPageName(std::string_view recordedPath) {
    return ReplaceAll(BookRelativePath(recordedPath), "\\", "/");
}

std::string BookDamagedMessage(std::string_view page) {
    return "This book is damaged: " + std::string(page) + " cannot be read.";
}

std::string_view MimeTypeOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.find('/', dot) != std::string_view::npos) return kUnknownMimeType;
    const std::string_view extension = name.substr(dot + 1);
    for (const MimeType& known : kMimeTypes)
        if (SameText(known.extension, extension)) return known.type;
    return kUnknownMimeType;
}

std::optional<std::string> OwnBookPage(std::string_view url, std::string_view bookHost) {
    auto address = ReadBookAddress(url);
    if (!address || bookHost.empty() || !SameText(address->host, bookHost)) return std::nullopt;
    return std::move(address->name);
}

std::string ClassicFileAddress(std::string_view executableFolder, std::string_view name) {
    const std::string path = ReplaceAll(WithTrailingBackslash(executableFolder), "\\", "/") + std::string(name);
    // A share is "file://server/share/...", a drive "file:///C:/...".
    std::string url = path.compare(0, 2, "//") == 0 ? "file:" : "file:///";
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (char c : path) {
        const auto u = static_cast<unsigned char>(c);
        if (!NeedsEscape(u)) {
            url.push_back(c);
            continue;
        }
        url.push_back('%');
        url.push_back(kHex[u >> 4]);
        url.push_back(kHex[u & 15]);
    }
    return url;
}

BookPages::BookPages(std::unique_ptr<ByteSource> book, PageArchive archive, std::string host,
                     std::string executableFolder)
    : book_(std::move(book)),
      archive_(std::move(archive)),
      host_(LowerCase(host)),
      executableFolder_(std::move(executableFolder)) {}

std::string BookPages::AddressOf(std::string_view recordedPath) const {
    return MakeBookAddress(host_, BookPageName(recordedPath));
}

PageAnswer BookPages::Serve(std::string_view url) const {
    PageAnswer answer;
    const auto name = OwnBookPage(url, host_);
    const ArchiveEntry* entry = name ? archive_.FindPage(*name) : nullptr;
    if (!entry) return answer;
    answer.page = entry->name;
    try {
        answer.bytes = archive_.Read(*book_, *entry);
    } catch (const EBookDamaged&) {
        answer.status = PageAnswer::Status::Damaged;
        return answer;
    }
    answer.status = PageAnswer::Status::Found;
    answer.mimeType = MimeTypeOf(entry->name);
    return answer;
}

std::optional<std::string> BookPages::SecurityUrl(std::string_view url) const {
    const auto name = OwnBookPage(url, host_);
    if (!name) return std::nullopt;
    return ClassicFileAddress(executableFolder_, *name);
}

}  // namespace vc
