#pragma once
// The 34 action commands and the rules they share: button names, menu item
// addresses and the rebasing of recorded page paths.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "interpreter/command_host.h"

namespace vc {

// Where a command string comes from. A page the book merely links to must not
// start programs on the reader's machine (NavigationTracker decides).
enum class CommandSource {
    Book,     // the book's own pages, its menu and its start-up line
    WebPage,  // any other page, or a page holding a frame of another
};

enum class CommandOutcome {
    Continue,     // go on with the next action command
    EndOfString,  // "APPLICATIONEXIT()" closed the window: run nothing more
};

constexpr std::size_t kCommandCount = 34;
// The keywords in the order the dispatcher tests them.
const std::array<std::string_view, kCommandCount>& CommandKeywords();

// How many parameters the command of a keyword reads; a command may leave
// its last ones out when `least` is less than `most`. Nothing for a word
// that is no keyword.
struct ParameterCount {
    int least;
    int most;
};
std::optional<ParameterCount> CommandParameterCount(std::string_view keyword);

// Runs one trimmed action command. An unknown keyword does nothing; errors of
// the effects propagate.
CommandOutcome RunActionCommand(CommandHost& host, std::string_view command,
                                CommandSource source = CommandSource::Book);

// The button of an exact, upper-case button name such as "BUTTON_HOME".
std::optional<ToolButton> ButtonByName(std::string_view name);

// The position a menu item name addresses: its first five characters are
// dropped whatever they are, and what is left must hold one "_" (two indexes)
// or two (three indexes); otherwise there is no address. An index that is not
// a decimal integer raises EConvertError.
std::optional<MenuPath> MenuItemAddress(std::string_view name);

// The top-level menu "DESABILITARMENU" addresses: "MENUx" and one index,
// without "_". No address for an empty index or one with "_".
std::optional<MenuPath> TopLevelMenuAddress(std::string_view name);

// Checks every index of `path` against the current menu, level by level, and
// raises EListError with the first index that lies outside.
void CheckMenuPath(const CommandHost& host, const MenuPath& path);

// A page path as written on the author's machine, moved beside the
// executable: the characters that precede the start page's folder name in the
// recorded start page are cut from the front of `pagePath` (by count, not by
// comparison) and the rest is appended to the executable's folder. A start
// page without a folder piece raises EListError.
std::string RebasePagePath(std::string_view startPage, std::string_view executableFolder,
                           std::string_view pagePath);
// The same cut, with what is left named as an entry of a one-file book
// ("/" between folders).
std::string BookPagePath(std::string_view startPage, std::string_view pagePath);

}  // namespace vc
