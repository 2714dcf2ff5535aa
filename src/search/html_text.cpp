#include "search/html_text.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "common/text.h"
#include "common/unicode.h"

namespace vc::search {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five it leaves undefined keep their
// value, as browsers do.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

char32_t FromWindows1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

// The named character references of HTML 4, which pages of the age of our
// books use; U+00A0 to U+00FF by their place in this list.
constexpr const char* kLatin1Names[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",
    "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",
    "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12",
    "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
    "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde",
    "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",
    "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",
    "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",
    "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

// Greek capitals from U+0391 and small letters from U+03B1 (U+03A2 has no
// capital, so its place holds the small final sigma's name alone).
constexpr const char* kGreekNames[25] = {
    "alpha", "beta", "gamma", "delta", "epsilon", "zeta",  "eta", "theta", "iota",
    "kappa", "lambda", "mu",  "nu",    "xi",      "omicron", "pi", "rho", "sigmaf",
    "sigma", "tau",  "upsilon", "phi", "chi",     "psi",   "omega"};

struct NamedCharacter {
    const char* name;
    char32_t value;
};

constexpr NamedCharacter kOtherNames[] = {
    {"quot", 0x22},     {"amp", 0x26},      {"apos", 0x27},     {"lt", 0x3C},       {"gt", 0x3E},
    {"OElig", 0x152},   {"oelig", 0x153},   {"Scaron", 0x160},  {"scaron", 0x161},  {"Yuml", 0x178},
    {"fnof", 0x192},    {"circ", 0x2C6},    {"tilde", 0x2DC},   {"thetasym", 0x3D1}, {"upsih", 0x3D2},
    {"piv", 0x3D6},     {"ensp", 0x2002},   {"emsp", 0x2003},   {"thinsp", 0x2009}, {"zwnj", 0x200C},
    {"zwj", 0x200D},    {"lrm", 0x200E},    {"rlm", 0x200F},    {"ndash", 0x2013},  {"mdash", 0x2014},
    {"lsquo", 0x2018},  {"rsquo", 0x2019},  {"sbquo", 0x201A},  {"ldquo", 0x201C},  {"rdquo", 0x201D},
    {"bdquo", 0x201E},  {"dagger", 0x2020}, {"Dagger", 0x2021}, {"bull", 0x2022},   {"hellip", 0x2026},
    {"permil", 0x2030}, {"prime", 0x2032},  {"Prime", 0x2033},  {"lsaquo", 0x2039}, {"rsaquo", 0x203A},
    {"oline", 0x203E},  {"frasl", 0x2044},  {"euro", 0x20AC},   {"image", 0x2111},  {"weierp", 0x2118},
    {"real", 0x211C},   {"trade", 0x2122},  {"alefsym", 0x2135}, {"larr", 0x2190},  {"uarr", 0x2191},
    {"rarr", 0x2192},   {"darr", 0x2193},   {"harr", 0x2194},   {"crarr", 0x21B5},  {"lArr", 0x21D0},
    {"uArr", 0x21D1},   {"rArr", 0x21D2},   {"dArr", 0x21D3},   {"hArr", 0x21D4},   {"forall", 0x2200},
    {"part", 0x2202},   {"exist", 0x2203},  {"empty", 0x2205},  {"nabla", 0x2207},  {"isin", 0x2208},
    {"notin", 0x2209},  {"ni", 0x220B},     {"prod", 0x220F},   {"sum", 0x2211},    {"minus", 0x2212},
    {"lowast", 0x2217}, {"radic", 0x221A},  {"prop", 0x221D},   {"infin", 0x221E},  {"ang", 0x2220},
    {"and", 0x2227},    {"or", 0x2228},     {"cap", 0x2229},    {"cup", 0x222A},    {"int", 0x222B},
    {"there4", 0x2234}, {"sim", 0x223C},    {"cong", 0x2245},   {"asymp", 0x2248},  {"ne", 0x2260},
    {"equiv", 0x2261},  {"le", 0x2264},     {"ge", 0x2265},     {"sub", 0x2282},    {"sup", 0x2283},
    {"nsub", 0x2284},   {"sube", 0x2286},   {"supe", 0x2287},   {"oplus", 0x2295},  {"otimes", 0x2297},
    {"perp", 0x22A5},   {"sdot", 0x22C5},   {"lceil", 0x2308},  {"rceil", 0x2309},  {"lfloor", 0x230A},
    {"rfloor", 0x230B}, {"lang", 0x2329},   {"rang", 0x232A},   {"loz", 0x25CA},    {"spades", 0x2660},
    {"clubs", 0x2663},  {"hearts", 0x2665}, {"diams", 0x2666}};

// The character a reference's name stands for; 0 when the name is unknown.
// Names are case-sensitive ("Eacute" and "eacute" differ).
char32_t NamedCharacterValue(std::string_view name) {
    if (name.empty()) return 0;
    for (const NamedCharacter& named : kOtherNames) {
        if (name[0] == named.name[0] && name == named.name) return named.value;
    }
    for (std::size_t i = 0; i < std::size(kLatin1Names); ++i) {
        if (name[0] == kLatin1Names[i][0] && name == kLatin1Names[i]) return static_cast<char32_t>(0xA0 + i);
    }
    for (std::size_t i = 0; i < std::size(kGreekNames); ++i) {
        const std::string_view small = kGreekNames[i];
        if (name == small) return static_cast<char32_t>(0x3B1 + i);
        // A capital's name is its small letter's with a capital initial.
        if (i != 17 && !name.empty() && name[0] == small[0] - 32 && name.substr(1) == small.substr(1)) {
            return static_cast<char32_t>(0x391 + i);
        }
    }
    return 0;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Decodes the character reference that starts at html[at] ('&') into out and
// returns the index after it; a text that is not a reference stays as it is.
std::size_t DecodeReference(std::string_view html, std::size_t at, std::string& out) {
    std::size_t i = at + 1;
    char32_t value = 0;
    if (i < html.size() && html[i] == '#') {
        ++i;
        const bool hex = i < html.size() && (html[i] == 'x' || html[i] == 'X');
        if (hex) ++i;
        const std::size_t digits = i;
        std::uint32_t number = 0;
        for (; i < html.size(); ++i) {
            const char c = html[i];
            int digit;
            if (IsAsciiDigit(c)) digit = c - '0';
            else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            else break;
            number = std::min<std::uint32_t>(number * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit), 0x110000);
        }
        if (i == digits) {
            out.push_back('&');
            return at + 1;
        }
        value = number == 0 || number > 0x10FFFF ? char32_t{0xFFFD}
              : number >= 0x80 && number < 0xA0  ? FromWindows1252(static_cast<unsigned char>(number))
                                                 : number;
    } else {
        while (i < html.size() && i - at <= 10 && (IsAsciiLetter(html[i]) || IsAsciiDigit(html[i]))) ++i;
        value = NamedCharacterValue(html.substr(at + 1, i - at - 1));
        if (value == 0) {
            out.push_back('&');
            return at + 1;
        }
    }
    if (i < html.size() && html[i] == ';') ++i;
    AppendUtf8(out, value == 0xA0 ? U' ' : value);
    return i;
}

std::string DecodeReferences(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '&') {
            i = DecodeReference(text, i, out);
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

// Text with every run of white space made one space, none at either end.
std::string CollapseSpaces(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool space = false;
    for (const char c : text) {
        if (IsHtmlSpace(c)) {
            space = !out.empty();
        } else {
            if (space) out.push_back(' ');
            space = false;
            out.push_back(c);
        }
    }
    return out;
}

struct Tag {
    std::string name;  // lower case; empty for what is not a tag
    bool closing = false;
    std::string attributes;  // the text between the name and '>'
    std::size_t end = 0;     // the index after '>'
};

// The tag at html[at] ('<'), its attributes read past quoted '>'.
Tag ReadTag(std::string_view html, std::size_t at) {
    Tag tag;
    std::size_t i = at + 1;
    if (i < html.size() && html[i] == '/') {
        tag.closing = true;
        ++i;
    }
    if (i >= html.size() || !IsAsciiLetter(html[i])) return tag;
    const std::size_t nameStart = i;
    while (i < html.size() && !IsHtmlSpace(html[i]) && html[i] != '>' && html[i] != '/') ++i;
    tag.name = LowerCase(html.substr(nameStart, i - nameStart));
    const std::size_t attributesStart = i;
    char quote = 0;
    for (; i < html.size(); ++i) {
        if (quote) {
            if (html[i] == quote) quote = 0;
        } else if (html[i] == '"' || html[i] == '\'') {
            quote = html[i];
        } else if (html[i] == '>') {
            break;
        }
    }
    tag.attributes = std::string(html.substr(attributesStart, i - attributesStart));
    tag.end = std::min(i + 1, html.size());
    return tag;
}

// The value of an attribute of a tag's attribute text; none when absent.
std::string AttributeValue(std::string_view attributes, std::string_view wanted) {
    std::size_t i = 0;
    while (i < attributes.size()) {
        while (i < attributes.size() && (IsHtmlSpace(attributes[i]) || attributes[i] == '/')) ++i;
        const std::size_t nameStart = i;
        while (i < attributes.size() && !IsHtmlSpace(attributes[i]) && attributes[i] != '=') ++i;
        const std::string_view name = attributes.substr(nameStart, i - nameStart);
        while (i < attributes.size() && IsHtmlSpace(attributes[i])) ++i;
        std::string_view value;
        if (i < attributes.size() && attributes[i] == '=') {
            ++i;
            while (i < attributes.size() && IsHtmlSpace(attributes[i])) ++i;
            if (i < attributes.size() && (attributes[i] == '"' || attributes[i] == '\'')) {
                const char quote = attributes[i++];
                const std::size_t end = std::min(attributes.find(quote, i), attributes.size());
                value = attributes.substr(i, end - i);
                i = end + 1;
            } else {
                const std::size_t start = i;
                while (i < attributes.size() && !IsHtmlSpace(attributes[i])) ++i;
                value = attributes.substr(start, i - start);
            }
        }
        if (!name.empty() && SameText(name, wanted)) return std::string(value);
        if (name.empty()) ++i;
    }
    return std::string();
}

// The encoding a charset name stands for; none for names not known here.
bool EncodingOfCharset(std::string_view charset, TextEncoding& encoding) {
    const std::string name = LowerCase(Trim(charset));
    if (name == "utf-8" || name == "utf8") {
        encoding = TextEncoding::kUtf8;
        return true;
    }
    if (name == "windows-1252" || name == "cp1252" || name == "iso-8859-1" || name == "latin1" ||
        name == "iso8859-1" || name == "us-ascii" || name == "ascii") {
        encoding = TextEncoding::kWindows1252;
        return true;
    }
    return false;
}

// The encoding the page declares in a <meta> tag, looked for before the body
// begins, as browsers look for it only near the top of a page.
bool DeclaredEncoding(std::string_view html, TextEncoding& encoding) {
    for (std::size_t at = html.find('<'); at != std::string_view::npos; at = html.find('<', at + 1)) {
        const Tag tag = ReadTag(html, at);
        if (tag.name == "body") return false;
        if (tag.name != "meta" || tag.closing) continue;
        std::string charset = AttributeValue(tag.attributes, "charset");
        if (charset.empty()) {
            const std::string content = AttributeValue(tag.attributes, "content");
            const std::size_t key = FindText(content, "charset=");
            if (key != std::string::npos) {
                charset = content.substr(key + 8);
                charset = charset.substr(0, charset.find(';'));
                charset.erase(std::remove(charset.begin(), charset.end(), '"'), charset.end());
            }
        }
        if (!charset.empty() && EncodingOfCharset(charset, encoding)) return true;
    }
    return false;
}

std::string ToUtf8(std::string_view html, TextEncoding bookEncoding) {
    TextEncoding encoding = bookEncoding;
    if (html.substr(0, 3) == "\xEF\xBB\xBF") {
        html.remove_prefix(3);
        encoding = TextEncoding::kUtf8;
    } else {
        DeclaredEncoding(html, encoding);
    }
    std::string out;
    out.reserve(html.size() + html.size() / 8);
    if (encoding == TextEncoding::kWindows1252) {
        for (const char c : html) AppendUtf8(out, FromWindows1252(static_cast<unsigned char>(c)));
        return out;
    }
    // Bytes that are not UTF-8 become U+FFFD, so that the text is UTF-8.
    for (std::size_t i = 0, length = 0; i < html.size(); i += length) {
        char32_t c;
        if (DecodeUtf8At(html, i, c, length)) out.append(html.substr(i, length));
        else AppendUtf8(out, 0xFFFD);
    }
    return out;
}

// Elements that do not end a word: "<b>bold</b>ness" is one word.
bool IsInlineElement(const std::string& name) {
    static const char* const kInline[] = {"a",    "abbr", "b",      "bdi",   "bdo",  "big",    "cite",
                                          "code", "data", "dfn",    "em",    "font", "i",      "kbd",
                                          "mark", "nobr", "q",      "s",     "samp", "small",  "span",
                                          "strike", "strong", "sub", "sup",  "time", "tt",     "u",
                                          "var",  "wbr"};
    for (const char* inline_name : kInline) {
        if (name == inline_name) return true;
    }
    return false;
}

// Where the raw text of an element ends: at its closing tag, or at the end.
std::size_t RawTextEnd(std::string_view html, std::size_t from, std::string_view name) {
    const std::string closing = "</" + std::string(name);
    const std::size_t end = FindText(html.substr(from), closing);
    return end == std::string::npos ? html.size() : from + end;
}

}  // namespace

PageText ExtractPageText(std::string_view page, TextEncoding bookEncoding) {
    const std::string utf8 = ToUtf8(page, bookEncoding);
    const std::string_view html = utf8;
    std::string title;
    std::string body;
    body.reserve(html.size() / 2);
    std::size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '&') {
            i = DecodeReference(html, i, body);
            continue;
        }
        if (c != '<') {
            body.push_back(c);
            ++i;
            continue;
        }
        if (html.substr(i, 4) == "<!--") {
            const std::size_t end = html.find("-->", i + 4);
            i = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        if (html.substr(i, 2) == "<!" || html.substr(i, 2) == "<?") {
            const std::size_t end = html.find('>', i);
            i = end == std::string_view::npos ? html.size() : end + 1;
            continue;
        }
        const Tag tag = ReadTag(html, i);
        if (tag.name.empty()) {
            body.push_back(c);
            ++i;
            continue;
        }
        i = tag.end;
        if (!tag.closing && (tag.name == "script" || tag.name == "style" || tag.name == "title")) {
            const std::size_t end = RawTextEnd(html, i, tag.name);
            if (tag.name == "title" && title.empty()) title = DecodeReferences(html.substr(i, end - i));
            i = ReadTag(html, end).end;
            if (i <= end) i = html.size();
            continue;
        }
        if (!IsInlineElement(tag.name)) body.push_back(' ');
    }
    return PageText{CollapseSpaces(title), CollapseSpaces(body)};
}

bool IsHtmlPageName(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view extension = name.substr(dot + 1);
    return SameText(extension, "htm") || SameText(extension, "html") || SameText(extension, "xhtml");
}

}  // namespace vc::search
