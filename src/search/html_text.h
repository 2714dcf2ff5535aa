#pragma once
// The readable text of an HTML page, as the search index takes it in: the
// title and the body text, without tags, scripts or styles, with character
// references decoded and white space collapsed, in UTF-8. A page that is not
// valid HTML gives as much text as can be read from it.
#include <string>
#include <string_view>

namespace vc::search {

// The 8-bit encodings a page may be written in.
enum class TextEncoding { kUtf8, kWindows1252 };

struct PageText {
    std::string title;
    std::string body;
};

// The page's own charset (a byte order mark, then <meta charset> or
// <meta http-equiv content="...; charset=...">) decides how its bytes read;
// the book's encoding stands in for a page that names none or one that is
// not known here. ISO-8859-1 and US-ASCII read as Windows-1252, as browsers
// read them.
PageText ExtractPageText(std::string_view html, TextEncoding bookEncoding);

// Whether a page name ends in .htm, .html or .xhtml (any letter case): the
// pages the index is built from.
bool IsHtmlPageName(std::string_view name);

}  // namespace vc::search
