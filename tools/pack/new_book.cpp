#include "new_book.h"

#include <algorithm>

#include "common/values.h"

#include "book/configuration.h"
#include "book_file.h"
#include "book_keys.h"
#include "common/text.h"
#include "tool_output.h"

namespace vc::pack {

namespace fs = std::filesystem;

namespace {

// The default of a key as an author writes it: the words of its form rather
// than numbers, and what the derived defaults come to in a new book, which
// has no menu and no separate home page.
std::string ShownDefault(const KeyEntry& entry, const std::string& title) {
    std::string value = entry.defaultValue;
    switch (entry.rule) {
        case DefaultRule::kTitle: value = title; break;
        case DefaultRule::kMenuPresent:
        case DefaultRule::kHomePageGiven: value = "0"; break;
        case DefaultRule::kLiteral: break;
    }
    const std::vector<std::string> words = WordsOf(entry.form);
    if (entry.form == Form::kBoolean) return value == "1" ? "yes" : "no";
    if (entry.form == Form::kWindowState || entry.form == Form::kBorder || entry.form == Form::kEffect) {
        const auto number = TryStrToInt(value);
        if (number && *number >= 0 && *number < static_cast<int>(words.size()))
            return words[static_cast<std::size_t>(*number)];
    }
    // The description stays ASCII: other bytes are written as \xHH.
    if (std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        std::string quoted = "\"";
        for (const char c : value) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80) {
                quoted += EscapeText(std::string(1, c), true);
                continue;
            }
            static constexpr char kHex[] = "0123456789ABCDEF";
            quoted += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
        }
        return quoted + "\"";
    }
    return FormatValue(value);
}

std::string EscapedHtml(const std::string& text) {
    return ReplaceAll(ReplaceAll(ReplaceAll(ReplaceAll(text, "&", "&amp;"), "<", "&lt;"), ">", "&gt;"), "\"", "&quot;");
}

std::string IndexPage(const std::string& title) {
    const std::string name = EscapedHtml(title);
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"windows-1252\">\n<title>" + name +
           "</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n<body>\n<h1>" + name +
           "</h1>\n"
           "<p>This is the start page of the book. Pages are ordinary HTML files in this folder,\n"
           "linked as on any web site: go on to <a href=\"second.htm\">the second page</a>.</p>\n"
           "\n<h2>Pages that talk to the window</h2>\n"
           "<p>A link whose address starts with <code>ACTION:</code> runs a command of the window\n"
           "instead of opening a page. In a page, <code>%</code> stands for a double quote and\n"
           "<code>%20</code> for a space; docs/commands.md lists every command.</p>\n"
           "<ul>\n"
           "  <li><a href=\"ACTION:MESSAGE%20%Hello%==%A%20message%20box%20from%20a%20link.%\">Show a "
           "message</a></li>\n"
           "  <li><a href=\"ACTION:APPLICATIONTITLE%20%The%20first%20page%\">Change the window's "
           "title</a></li>\n"
           "  <li><a href=\"ACTION:SHOWORHIDESTATUSBAR()\">Hide or show the status bar</a></li>\n"
           "  <li><a href=\"ACTION:SHOWFORMABOUT()\">About this book</a></li>\n"
           "  <li><a href=\"ACTION:APPLICATIONEXIT()\">Close the book</a></li>\n"
           "</ul>\n</body>\n</html>\n";
}

std::string SecondPage(const std::string& title) {
    const std::string name = EscapedHtml(title);
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"windows-1252\">\n<title>" + name +
           ": the second page</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n<body>\n"
           "<h1>The second page</h1>\n"
           "<p>Back to <a href=\"index.htm\">the start page</a>, or\n"
           "<a href=\"ACTION:WEBBACK()\">one step back</a> as the toolbar's Back button does.</p>\n"
           "</body>\n</html>\n";
}

constexpr const char* kStyleSheet =
    "body { font-family: Georgia, serif; margin: 2em 3em; color: #222; background: #FBF8F1; }\n"
    "h1, h2 { font-family: Verdana, sans-serif; color: #3A4A6B; }\n"
    "a { color: #3A4A6B; }\n"
    "code { font-family: Consolas, monospace; }\n";

}  // namespace

std::string NewBookDescription(const std::string& title) {
    std::string out = "; " + title +
                      ": a book description made by vellumcast-pack new.\n"
                      "; Every key is listed at its default, commented out: take away the \";\" before a\n"
                      "; key to change it. docs/authoring.md describes the keys, docs/commands.md the\n"
                      "; commands that pages, the menu and the start-up command can run.\n";
    for (const std::string& section : BookSections()) {
        // The reserved lines and the payload's own keys serve exact copies
        // of other e-books, not new books.
        if (section == "reserved" || section == "payload") continue;
        out += "\n[" + section + "]\n";
        for (const KeyEntry& entry : KeyTable()) {
            if (section != entry.section) continue;
            out += "; " + std::string(entry.meaning) + "\n";
            if (entry.line == line::kTitle) {
                out += std::string(entry.key) + " = " + FormatValue(title) + "\n";
                continue;
            }
            if (entry.line == line::kStartPage) {
                out += std::string(entry.key) + " = pages/index.htm\n";
                continue;
            }
            const std::string value = ShownDefault(entry, title);
            out += ";" + std::string(entry.key) + (value.empty() ? " =" : " = " + value) + "\n";
        }
    }
    out += "\n; A menu bar: one line per item, \"Menu > Item > Sub-item = command\" (docs/menus.md).\n"
           ";[menus]\n"
           ";&Book > &Contents = WEBHOME()\n"
           ";&Book > E&xit = APPLICATIONEXIT()\n";
    return out;
}

fs::path MakeNewBook(const fs::path& folder) {
    std::error_code error;
    if (fs::exists(folder, error) || fs::is_symlink(folder, error))
        throw PackError(tool::Shown(folder) + " exists already; new makes a folder of its own");
    const std::string title = folder.filename().string();
    if (title.empty() || title == "." || title == "..")
        throw PackError("new: give the book's name, such as vellumcast-pack new \"My Book\"");
    const fs::path book = folder / (title + ".ini");
    try {
        fs::create_directories(folder / "pages");
        tool::WriteFileSafely(book, NewBookDescription(title));
        tool::WriteFileSafely(folder / "pages" / "index.htm", IndexPage(title));
        tool::WriteFileSafely(folder / "pages" / "second.htm", SecondPage(title));
        tool::WriteFileSafely(folder / "pages" / "style.css", kStyleSheet);
    } catch (const fs::filesystem_error& e) {
        throw PackError(e.what());
    }
    return book;
}

}  // namespace vc::pack
