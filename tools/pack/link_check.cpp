#include "link_check.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <unordered_set>

#include "book/configuration.h"
#include "book/page_archive.h"
#include "packed_pages.h"
#include "common/errors.h"
#include "common/ini_file.h"
#include "common/text.h"
#include "interpreter/command_set.h"
#include "interpreter/command_syntax.h"
#include "menus/menu_definition.h"
#include "page_output.h"
#include "suggest.h"

namespace vc::pack {

namespace fs = std::filesystem;

namespace {

bool IsPageFile(const fs::path& file) {
    const std::string extension = LowerCase(file.extension().string());
    return extension == ".htm" || extension == ".html" || extension == ".xhtml" || extension == ".css";
}

// A page whole, read at once: the check reads every page of large books.
std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    std::string content(in ? static_cast<std::size_t>(in.tellg()) : 0, '\0');
    in.seekg(0);
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(in.gcount()));
    return content;
}

// The files and folders of the book, by the names they have beside the
// e-book ("pages/chapter1.htm"), and the pages to read.
struct BookFiles {
    struct Page {
        fs::path file;
        std::string name;   // beside the e-book, "/" between folders
        std::string shown;  // relative to the book file's folder
    };
    std::unordered_set<std::string> files;
    std::unordered_set<std::string> folders;
    std::vector<Page> pages;

    // The files that travel with the book: those packed inside it, or those
    // copied beside it.
    BookFiles(const ComposedBook& composed, const fs::path& bookDir) {
        std::vector<PageFile> travelling;
        if (composed.pagesInside) {
            travelling = GatherPages(composed.pageFolders);
        } else {
            for (const fs::path& folder : composed.pageFolders)
                for (PageFile& file : FilesToCopy(folder)) travelling.push_back(std::move(file));
        }
        for (const PageFile& file : travelling) {
            files.insert(PageNameKey(file.name));
            for (auto slash = file.name.rfind('/'); slash != std::string::npos && slash > 0;
                 slash = file.name.rfind('/', slash - 1))
                folders.insert(PageNameKey(file.name.substr(0, slash)));
            if (IsPageFile(file.path))
                pages.push_back({file.path, file.name, file.path.lexically_relative(bookDir).generic_string()});
        }
        std::sort(pages.begin(), pages.end(), [](const Page& a, const Page& b) { return a.shown < b.shown; });
    }

    bool HasFile(const std::string& name) const { return files.count(PageNameKey(name)) != 0; }
    bool HasFolder(const std::string& name) const { return folders.count(PageNameKey(name)) != 0; }
};

// Turns offsets of one text, met in increasing order, into line numbers.
class LineCounter {
public:
    explicit LineCounter(const std::string& text) : text_(text) {}
    int LineOf(std::size_t offset) {
        offset = std::min(offset, text_.size());
        if (offset > at_) line_ += static_cast<int>(std::count(text_.begin() + at_, text_.begin() + offset, '\n'));
        at_ = std::max(at_, offset);
        return line_;
    }

private:
    const std::string& text_;
    std::size_t at_ = 0;
    int line_ = 1;
};

// The character references an attribute value may hold, decoded.
std::string DecodeEntities(std::string_view value) {
    if (value.find('&') == std::string_view::npos) return std::string(value);
    static const std::pair<const char*, char> kNamed[] = {{"amp", '&'}, {"quot", '"'}, {"apos", '\''}, {"lt", '<'},
                                                          {"gt", '>'}};
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto semicolon = value[i] == '&' ? value.find(';', i) : std::string_view::npos;
        if (semicolon == std::string_view::npos || semicolon - i > 8) {
            out.push_back(value[i]);
            continue;
        }
        const std::string_view name = value.substr(i + 1, semicolon - i - 1);
        bool decoded = false;
        if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string digits(name.substr(hex ? 2 : 1));
            char* end = nullptr;
            const unsigned long code = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
            if (!digits.empty() && *end == '\0' && code > 0 && code < 256) {
                out.push_back(static_cast<char>(code));
                decoded = true;
            }
        }
        for (const auto& [entity, c] : kNamed)
            if (!decoded && name == entity) {
                out.push_back(c);
                decoded = true;
            }
        if (!decoded) {
            out.push_back('&');
            continue;
        }
        i = semicolon;
    }
    return out;
}

std::string PercentDecoded(std::string_view text) {
    const auto hex = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// "http:", "mailto:", "javascript:"...: a scheme of two letters or more (one
// letter is a drive).
bool HasScheme(std::string_view link) {
    std::size_t i = 0;
    while (i < link.size() && (std::isalnum(static_cast<unsigned char>(link[i])) || link[i] == '+' || link[i] == '-' ||
                               link[i] == '.'))
        ++i;
    return i >= 2 && i < link.size() && link[i] == ':' && std::isalpha(static_cast<unsigned char>(link[0]));
}

// `relative` ("../b.htm") from the folder of page `from` ("pages/sub/a.htm"),
// its "." and ".." steps resolved; nothing when it climbs out of the book.
std::optional<std::string> Resolve(const std::string& from, std::string relative) {
    std::replace(relative.begin(), relative.end(), '\\', '/');
    if (!relative.empty() && relative.front() == '/') return std::nullopt;
    std::vector<std::string> steps = SplitList(from, "/");
    steps.pop_back();
    for (const std::string& step : SplitList(relative, "/")) {
        if (step.empty() || step == ".") continue;
        if (step != "..") {
            steps.push_back(step);
        } else if (steps.empty()) {
            return std::nullopt;
        } else {
            steps.pop_back();
        }
    }
    std::string joined;
    for (const std::string& step : steps) joined += (joined.empty() ? "" : "/") + step;
    return joined;
}

std::string Quoted(std::string_view text) { return "\"" + Excerpt(text) + "\""; }

// The keyword without the "()" that some keywords end in: the name authors
// know a command by.
std::string_view CommandName(std::string_view keyword) {
    if (keyword.size() > 2 && keyword.substr(keyword.size() - 2) == "()") keyword.remove_suffix(2);
    return keyword;
}

std::string ParameterWords(int n) {
    return n == 0 ? "no parameters" : n == 1 ? "1 parameter" : std::to_string(n) + " parameters";
}

class Checker {
public:
    Checker(const Book& book, const ComposedBook& composed, const fs::path& bookPath)
        : book_(book),
          composed_(composed),
          bookDir_(fs::canonical(bookPath.has_parent_path() ? bookPath.parent_path() : fs::path("."))),
          files_(composed, bookDir_),
          startPage_(composed.lines.size() > line::kStartPage ? composed.lines[line::kStartPage] : std::string()) {
        for (const std::string_view keyword : CommandKeywords()) commandNames_.emplace_back(CommandName(keyword));
    }

    LinkReport Run() {
        CheckBookFile();
        for (const auto& page : files_.pages) CheckPage(page);
        report_.pagesChecked = files_.pages.size();
        return std::move(report_);
    }

private:
    void Find(const std::string& file, int line, const std::string& problem) {
        report_.findings.push_back(file + ":" + (line > 0 ? std::to_string(line) + ":" : std::string()) + " " + problem);
    }

    void CheckBookFile() {
        std::vector<std::pair<int, std::string>> found;
        const auto collect = [&](int line) {
            return [&found, line](const std::string& problem) { found.emplace_back(line, problem); };
        };
        if (composed_.lines.size() > line::kStartupCommand) {
            const BookValue* given = book_.Find("book", "startup-command");
            if (!given) given = book_.Find("payload", "text");
            CheckCommands(composed_.lines[line::kStartupCommand], collect(given ? given->lineNumber : 0));
        }
        if (book_.hasMenuDefinition) {
            std::string text;
            for (const std::string& menuLine : book_.menuLines) text += menuLine + "\n";
            const IniFile file(text);
            const auto visit = [&](const MenuEntry& entry, const auto& self) -> void {
                if (entry.hasAction) {
                    const auto at = book_.menuCommandLines.find(UpperCase(entry.name));
                    CheckCommands(ReadMenuAction(file, entry.name),
                                  collect(at == book_.menuCommandLines.end() ? 0 : at->second));
                }
                for (const MenuEntry& item : entry.items) self(item, self);
            };
            for (const MenuEntry& menu : BuildMenuModel(file)) visit(menu, visit);
        }
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [line, problem] : found) Find(book_.fileName, line, problem);
    }

    template <typename Report>
    void CheckCommands(std::string_view commands, const Report& report) {
        for (const std::string& piece : SplitList(commands, kCommandSeparator)) {
            const std::string command = TrimCommand(piece);
            if (!command.empty()) CheckCommand(command, report);
        }
    }

    template <typename Report>
    void CheckCommand(const std::string& command, const Report& report) {
        const std::string keyword = CommandKeyword(command);
        const auto counts = CommandParameterCount(keyword);
        if (!counts) {
            report(WhyUnknown(keyword));
            return;
        }
        const bool bare = command.size() == NthField(1, " ", command).size();
        const int given = bare ? 0 : static_cast<int>(SplitList(command, kFieldSeparator).size());
        if (given < counts->least || given > counts->most) {
            const std::string takes = counts->least == counts->most
                                          ? ParameterWords(counts->most)
                                          : std::to_string(counts->least) + " or " + ParameterWords(counts->most);
            report(Quoted(keyword) + " takes " + takes + ", " + std::to_string(given) + " given");
            return;
        }
        for (int n = 1; n <= given; ++n) {
            const std::string field = NthField(n, kFieldSeparator, command);
            if (std::count(field.begin(), field.end(), '"') < 2)
                return report("parameter " + std::to_string(n) + " of " + Quoted(keyword) + " is not in double quotes");
        }
        if (keyword == "LOADHTML" && given == 1) CheckLoadHtml(CommandParameter(1, command), report);
    }

    std::string WhyUnknown(const std::string& keyword) const {
        const std::string_view name = CommandName(keyword);
        for (const std::string_view known : CommandKeywords()) {
            if (CommandName(known) != name) continue;
            return known.size() > name.size() ? Quoted(name) + " is written " + Quoted(known)
                                               : Quoted(keyword) + " is written without \"()\"";
        }
        return "unknown command " + Quoted(name) + DidYouMean(name, commandNames_);
    }

    // LOADHTML opens the page the runtime finds beside the e-book, as it
    // moves the recorded path there.
    template <typename Report>
    void CheckLoadHtml(const std::string& target, const Report& report) {
        std::string beside;
        try {
            beside = RebasePagePath(startPage_, "", target).substr(1);
        } catch (const Exception&) {
            return;
        }
        const auto name = Resolve("x", beside);
        if (!name || !files_.HasFile(*name)) report(Quoted(target) + " is not a page of the book");
    }

    void CheckPage(const BookFiles::Page& page) {
        const std::string text = ReadText(page.file);
        LineCounter lines(text);
        if (LowerCase(page.file.extension().string()) == ".css") {
            CheckStyle(page, text, 0, text.size(), lines);
            return;
        }
        ScanHtml(page, text, lines);
    }

    void CheckLink(const BookFiles::Page& page, std::string_view raw, int line) {
        const std::string link = DecodeEntities(Trim(raw));
        if (FindText(link, "ACTION:") != std::string::npos) {
            if (const auto commands = CommandFromNavigation(link))
                CheckCommands(*commands, [&](const std::string& problem) { Find(page.shown, line, problem); });
            return;
        }
        if (link.empty() || link[0] == '#' || HasScheme(link) || link.rfind("//", 0) == 0) return;
        const std::string path = PercentDecoded(link.substr(0, link.find_first_of("?#")));
        if (path.empty()) return;
        const auto name = Resolve(page.name, path);
        if (name && (files_.HasFile(*name) || files_.HasFolder(*name))) return;
        Find(page.shown, line, Quoted(link) + " is not in the book");
    }

    // Every url(...) between `from` and `to`.
    void CheckStyle(const BookFiles::Page& page, const std::string& text, std::size_t from, std::size_t to,
                    LineCounter& lines) {
        for (std::size_t at = FindNoCase(text, "url(", from, to); at < to; at = FindNoCase(text, "url(", at, to)) {
            std::size_t start = at + 4;
            while (start < to && IsBlank(text[start])) ++start;
            const char quote = start < to && (text[start] == '"' || text[start] == '\'') ? text[start] : ')';
            if (quote != ')') ++start;
            const std::size_t end = text.find(quote, start);
            if (end == std::string::npos || end > to) return;
            CheckLink(page, std::string_view(text).substr(start, end - start), lines.LineOf(start));
            at = end;
        }
    }

    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

    // `needle` (lower case) in text[from, to) in any letter case; `to` when absent.
    static std::size_t FindNoCase(const std::string& text, std::string_view needle, std::size_t from, std::size_t to) {
        const char first[] = {needle[0], static_cast<char>(std::toupper(static_cast<unsigned char>(needle[0]))), '\0'};
        for (std::size_t at = from; at + needle.size() <= to; ++at) {
            at = text.find_first_of(first, at);
            if (at == std::string::npos || at + needle.size() > to) return to;
            if (SameText(std::string_view(text).substr(at, needle.size()), needle)) return at;
        }
        return to;
    }

    void ScanHtml(const BookFiles::Page& page, const std::string& text, LineCounter& lines) {
        const std::size_t size = text.size();
        for (std::size_t at = text.find('<'); at != std::string::npos && at + 1 < size; at = text.find('<', at)) {
            if (text.compare(at, 4, "<!--") == 0) {
                const auto end = text.find("-->", at + 4);
                at = end == std::string::npos ? size : end + 3;
                continue;
            }
            std::size_t i = at + 1;
            if (!std::isalpha(static_cast<unsigned char>(text[i]))) {
                at = i;
                continue;
            }
            while (i < size && std::isalnum(static_cast<unsigned char>(text[i]))) ++i;
            const std::string tag = LowerCase(std::string_view(text).substr(at + 1, i - at - 1));
            i = ScanAttributes(page, text, i, lines);
            if (tag == "script" || tag == "style") {
                const std::size_t close = FindNoCase(text, tag == "script" ? "</script" : "</style", i, size);
                if (tag == "style") CheckStyle(page, text, i, close, lines);
                i = close;
            }
            at = i;
        }
    }

    // The attributes of a tag from `i` to its ">"; returns the offset after it.
    std::size_t ScanAttributes(const BookFiles::Page& page, const std::string& text, std::size_t i,
                               LineCounter& lines) {
        const std::size_t size = text.size();
        while (i < size) {
            while (i < size && (IsBlank(text[i]) || text[i] == '/')) ++i;
            if (i >= size || text[i] == '>') return i + 1;
            const std::size_t nameStart = i;
            while (i < size && !IsBlank(text[i]) && text[i] != '=' && text[i] != '>' && text[i] != '/') ++i;
            const std::string_view name = std::string_view(text).substr(nameStart, i - nameStart);
            while (i < size && IsBlank(text[i])) ++i;
            if (i >= size || text[i] != '=') continue;
            ++i;
            while (i < size && IsBlank(text[i])) ++i;
            std::size_t valueStart = i, valueEnd;
            if (i < size && (text[i] == '"' || text[i] == '\'')) {
                valueStart = i + 1;
                valueEnd = text.find(text[i], valueStart);
                if (valueEnd == std::string::npos) valueEnd = size;
                i = valueEnd + 1;
            } else {
                while (i < size && !IsBlank(text[i]) && text[i] != '>') ++i;
                valueEnd = i;
            }
            if (SameText(name, "href") || SameText(name, "src") || SameText(name, "background"))
                CheckLink(page, std::string_view(text).substr(valueStart, valueEnd - valueStart),
                          lines.LineOf(valueStart));
            else if (SameText(name, "style"))
                CheckStyle(page, text, valueStart, valueEnd, lines);
        }
        return size;
    }

    const Book& book_;
    const ComposedBook& composed_;
    const fs::path bookDir_;
    const BookFiles files_;
    const std::string startPage_;
    std::vector<std::string> commandNames_;
    LinkReport report_;
};

}  // namespace

LinkReport CheckLinks(const Book& book, const ComposedBook& composed, const fs::path& bookPath) {
    return Checker(book, composed, bookPath).Run();
}

}  // namespace vc::pack
