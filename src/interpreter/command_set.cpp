#include "interpreter/command_set.h"

#include <algorithm>

#include "book/book_address.h"
#include "book/book_pages.h"
#include "common/errors.h"
#include "common/text.h"
#include "common/values.h"
#include "interpreter/command_origin.h"
#include "interpreter/command_syntax.h"
#include "interpreter/external_actions.h"

namespace vc {

namespace {

struct Context {
    CommandHost& host;
    std::string_view command;
    CommandSource source;

    std::string Parameter(int n) const { return CommandParameter(n, command); }
};

using Handler = CommandOutcome (*)(const Context&);

CommandOutcome Done() { return CommandOutcome::Continue; }

CommandOutcome ClickButton(const Context& c, ToolButton button) {
    c.host.ClickButton(button);
    return Done();
}

// History buttons follow the browser's history: clicking a disabled one would
// step where there is nothing.
CommandOutcome ClickIfEnabled(const Context& c, ToolButton button) {
    if (c.host.ButtonEnabled(button)) c.host.ClickButton(button);
    return Done();
}

CommandOutcome SetNamedButtonEnabled(const Context& c, bool enabled) {
    if (const auto button = ButtonByName(c.Parameter(1))) c.host.SetButtonEnabled(*button, enabled);
    return Done();
}

template <typename Effect>
CommandOutcome OnMenuItem(const Context& c, const std::optional<MenuPath>& path, Effect effect) {
    if (!path) return Done();
    CheckMenuPath(c.host, *path);
    effect(*path);
    return Done();
}

CommandOutcome SetMenuItemEnabled(const Context& c, bool enabled) {
    return OnMenuItem(c, MenuItemAddress(c.Parameter(1)),
                      [&](const MenuPath& path) { c.host.SetMenuItemEnabled(path, enabled); });
}

CommandOutcome Message(const Context& c) {
    c.host.ShowMessage(c.Parameter(1), c.Parameter(2), kMessageBoxStyle);
    return Done();
}

CommandOutcome ApplicationTitle(const Context& c) {
    const std::string title = c.Parameter(1);
    c.host.SetCaption(title);
    c.host.SetGradientCaption(title);
    c.host.RepaintGradientCaption();
    return Done();
}

CommandOutcome ApplicationExit(const Context& c) {
    c.host.CloseWindow();
    return CommandOutcome::EndOfString;
}

// Only the book's own pages load files, and only files of the book: the
// browser gets the address that was checked, not the text it came from.
CommandOutcome LoadHtml(const Context& c) {
    if (c.source == CommandSource::WebPage) return Done();
    const std::string page = c.Parameter(1);
    const std::string startPage = c.host.StartPage();
    const std::string folder = ExtractFilePath(c.host.ExecutablePath());
    if (const std::string bookHost = c.host.BookHost(); !bookHost.empty()) {
        // Inside a one-file book the path names an entry; the address reader
        // refuses ".." steps as the folder test below does.
        const std::string target = MakeBookAddress(bookHost, BookPagePath(startPage, page));
        if (OwnBookPage(target, bookHost)) c.host.Navigate(target);
        return Done();
    }
    const std::string target = RebasePagePath(startPage, folder, page);
    const CodePage& codePage = c.host.SystemCodePage();
    const BookPageSpace book = ClassicBookPages(folder, startPage, c.host.AltHomePage(), codePage);
    if (const auto address = BookFileAddress(target, book, codePage)) c.host.Navigate(*address);
    return Done();
}

// A page of the web never moves the top window: Home and Refresh are the
// reader's and the book's.
CommandOutcome ClickIfFromBook(const Context& c, ToolButton button) {
    if (c.source == CommandSource::Book) c.host.ClickButton(button);
    return Done();
}

// A page of the web prints only through the print dialog, whatever the book
// chose for its own pages.
CommandOutcome PrintPage(const Context& c) {
    if (c.source == CommandSource::Book) c.host.ClickButton(ToolButton::Print);
    else c.host.BrowserExecWB(kOleCmdPrint, kOleExecPromptUser);
    return Done();
}

// The menu bar has no item that the window could name, so the command acts
// on the one level no other command reaches: a whole top-level menu.
CommandOutcome DisableMenu(const Context& c) {
    return OnMenuItem(c, TopLevelMenuAddress(c.Parameter(1)),
                      [&](const MenuPath& path) { c.host.SetMenuItemEnabled(path, false); });
}

CommandOutcome ExecuteOrOpenFile(const Context& c) {
    if (c.source == CommandSource::WebPage) return Done();
    const std::string file = c.Parameter(1);
    const std::string folder = ExtractFilePath(c.host.ExecutablePath());
    const std::string windows = c.host.WindowsDirectory();
    const std::string system = c.host.SystemDirectory();
    const std::string expanded = ExpandDirectoryMacros(file, folder, windows, system);
    OpenWithShell(c.host, expanded, c.Parameter(2));
    return Done();
}

struct Command {
    std::string_view keyword;
    ParameterCount parameters;
    Handler run;
};

// The dispatcher tests the keywords in this order.
const Command kCommands[] = {
    {"MESSAGE", {2, 2}, Message},
    {"APPLICATIONTITLE", {1, 1}, ApplicationTitle},
    {"APPLICATIONEXIT()", {0, 0}, ApplicationExit},
    {"APPLICATIONMAXIMIZE()", {0, 0}, [](const Context& c) { c.host.MaximizeWindow(); return Done(); }},
    {"APPLICATIONMINIMIZE()", {0, 0}, [](const Context& c) { c.host.MinimizeApplication(); return Done(); }},
    {"LOADHTML", {1, 1}, LoadHtml},
    {"DESABILITARMENU", {1, 1}, DisableMenu},
    {"WEBHOME()", {0, 0}, [](const Context& c) { return ClickIfFromBook(c, ToolButton::Home); }},
    {"WEBBACK()", {0, 0}, [](const Context& c) { return ClickIfEnabled(c, ToolButton::Back); }},
    {"WEBNEXT()", {0, 0}, [](const Context& c) { return ClickIfEnabled(c, ToolButton::Forward); }},
    {"WEBREFRESH()", {0, 0}, [](const Context& c) { return ClickIfFromBook(c, ToolButton::Refresh); }},
    {"WEBSTOP", {0, 0}, [](const Context& c) { c.host.BrowserStop(); return Done(); }},
    {"WEBSELECTALL()", {0, 0}, [](const Context& c) { return ClickButton(c, ToolButton::SelectAll); }},
    {"WEBSELECTIONCOPY()", {0, 0}, [](const Context& c) { return ClickButton(c, ToolButton::Copy); }},
    {"WEBPRINTPAGE()", {0, 0}, PrintPage},
    {"SHOWFORMABOUT()", {0, 0}, [](const Context& c) { return ClickButton(c, ToolButton::About); }},
    {"HIDESTATUSBAR()", {0, 0}, [](const Context& c) { c.host.SetStatusBarVisible(false); return Done(); }},
    {"SHOWSTATUSBAR()", {0, 0}, [](const Context& c) { c.host.SetStatusBarVisible(true); return Done(); }},
    {"SHOWBUTTONSNAVIGATIONS()", {0, 0}, [](const Context& c) { c.host.SetToolBarVisible(true); return Done(); }},
    {"HIDEBUTTONSNAVIGATIONS()", {0, 0}, [](const Context& c) { c.host.SetToolBarVisible(false); return Done(); }},
    {"ENABLEBUTTONNAVIGATION", {1, 1}, [](const Context& c) { return SetNamedButtonEnabled(c, true); }},
    {"DISABLEBUTTONNAVIGATION", {1, 1}, [](const Context& c) { return SetNamedButtonEnabled(c, false); }},
    {"SHOWORHIDEBUTTONSNAVIGATIONS()", {0, 0},
     [](const Context& c) { c.host.SetToolBarVisible(!c.host.ToolBarVisible()); return Done(); }},
    {"SHOWORHIDESTATUSBAR()", {0, 0},
     [](const Context& c) { c.host.SetStatusBarVisible(!c.host.StatusBarVisible()); return Done(); }},
    {"DISABLEMENUITEM", {1, 1}, [](const Context& c) { return SetMenuItemEnabled(c, false); }},
    {"DELETEMENUITEM", {1, 1},
     [](const Context& c) {
         return OnMenuItem(c, MenuItemAddress(c.Parameter(1)),
                           [&](const MenuPath& path) { c.host.DeleteMenuItem(path); });
     }},
    {"ENABLEMENUITEM", {1, 1}, [](const Context& c) { return SetMenuItemEnabled(c, true); }},
    {"RENAMEMENUITEM", {2, 2},
     [](const Context& c) {
         return OnMenuItem(c, MenuItemAddress(c.Parameter(1)),
                           [&](const MenuPath& path) { c.host.SetMenuItemCaption(path, c.Parameter(2)); });
     }},
    {"WEBLINK", {1, 1}, [](const Context& c) { OpenWebAddress(c.host, c.Parameter(1)); return Done(); }},
    {"SENDEMAIL", {1, 1}, [](const Context& c) { SendEmail(c.host, c.Parameter(1), c.source); return Done(); }},
    {"WEBPRINTPREVIEW()", {0, 0},
     [](const Context& c) { c.host.BrowserExecWB(kOleCmdPrintPreview, kOleExecDontPromptUser); return Done(); }},
    {"WEBPAGESETUP()", {0, 0},
     [](const Context& c) { c.host.BrowserExecWB(kOleCmdPageSetup, kOleExecPromptUser); return Done(); }},
    {"EXECUTEOROPENFILE", {1, 2}, ExecuteOrOpenFile},
    // Any page may open the pane: it only shows the book's own results, and
    // nothing opens until the reader picks one.
    {"SEARCH", {1, 1}, [](const Context& c) { c.host.SearchBook(c.Parameter(1)); return Done(); }},
};
static_assert(std::size(kCommands) == kCommandCount, "the command set has 34 keywords");

struct NamedButton {
    std::string_view name;
    ToolButton button;
};

// Back and forward have no name: their state belongs to the browser history.
constexpr NamedButton kButtonNames[] = {
    {"BUTTON_HOME", ToolButton::Home},       {"BUTTON_COPY", ToolButton::Copy},
    {"BUTTON_SELECTALL", ToolButton::SelectAll}, {"BUTTON_PRINT", ToolButton::Print},
    {"BUTTON_ABOUT", ToolButton::About},     {"BUTTON_STOP", ToolButton::Stop},
    {"BUTTON_REFRESH", ToolButton::Refresh}, {"BUTTON_EXIT", ToolButton::Exit},
};

std::string_view WithoutMenuPrefix(std::string_view name) {
    return name.size() > 5 ? name.substr(5) : std::string_view();
}

}  // namespace

const std::array<std::string_view, kCommandCount>& CommandKeywords() {
    static const auto keywords = [] {
        std::array<std::string_view, kCommandCount> result{};
        for (std::size_t i = 0; i < kCommandCount; ++i) result[i] = kCommands[i].keyword;
        return result;
    }();
    return keywords;
}

std::optional<ParameterCount> CommandParameterCount(std::string_view keyword) {
    for (const Command& entry : kCommands)
        if (entry.keyword == keyword) return entry.parameters;
    return std::nullopt;
}

CommandOutcome RunActionCommand(CommandHost& host, std::string_view command, CommandSource source) {
    const std::string keyword = CommandKeyword(command);
    for (const Command& entry : kCommands)
        if (entry.keyword == keyword) return entry.run(Context{host, command, source});
    return CommandOutcome::Continue;
}

std::optional<ToolButton> ButtonByName(std::string_view name) {
    for (const NamedButton& entry : kButtonNames)
        if (entry.name == name) return entry.button;
    return std::nullopt;
}

std::optional<MenuPath> MenuItemAddress(std::string_view name) {
    const std::string_view rest = WithoutMenuPrefix(name);
    const auto underscores = std::count(rest.begin(), rest.end(), '_');
    if (underscores != 1 && underscores != 2) return std::nullopt;
    // The added "_" keeps an empty last index as a piece, so that it fails
    // the conversion instead of going missing.
    MenuPath path;
    for (const std::string& index : SplitList(std::string(rest) + "_", "_")) path.push_back(StrToInt(index));
    return path;
}

std::optional<MenuPath> TopLevelMenuAddress(std::string_view name) {
    const std::string_view rest = WithoutMenuPrefix(name);
    if (rest.empty() || rest.find('_') != std::string_view::npos) return std::nullopt;
    return MenuPath{StrToInt(rest)};
}

void CheckMenuPath(const CommandHost& host, const MenuPath& path) {
    MenuPath parent;
    for (const int index : path) {
        if (index < 0 || index >= host.MenuItemCount(parent)) throw EListError(index);
        parent.push_back(index);
    }
}

namespace {

// What is left of a recorded page path once the characters before the start
// page's folder name are cut.
std::string RecordedPageInsideBook(std::string_view startPage, std::string_view pagePath) {
    std::string folderPath = ExtractFilePath(startPage);
    if (!folderPath.empty() && folderPath.back() == '\\') folderPath.pop_back();
    const StringList pieces = SplitList(startPage, "\\");
    const auto folderIndex = static_cast<long long>(pieces.size()) - 2;
    if (folderIndex < 0) throw EListError(folderIndex);
    const std::string& folderName = pieces[static_cast<std::size_t>(folderIndex)];
    const auto prefix = static_cast<long long>(folderPath.size()) - static_cast<long long>(folderName.size());
    if (prefix <= 0) return std::string(pagePath);
    if (static_cast<std::size_t>(prefix) < pagePath.size()) return std::string(pagePath.substr(static_cast<std::size_t>(prefix)));
    return {};
}

}  // namespace

std::string RebasePagePath(std::string_view startPage, std::string_view executableFolder,
                           std::string_view pagePath) {
    return WithTrailingBackslash(executableFolder) + RecordedPageInsideBook(startPage, pagePath);
}

std::string BookPagePath(std::string_view startPage, std::string_view pagePath) {
    return ReplaceAll(RecordedPageInsideBook(startPage, pagePath), "\\", "/");
}

}  // namespace vc
