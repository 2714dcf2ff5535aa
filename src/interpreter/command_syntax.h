#pragma once
// The grammar of command strings: pieces separated by "-@-", each trimmed to
// its printable core, a keyword as first word, parameters between double
// quotes in fields separated by "==".
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vc {

// Separator of action commands in a command string; there is no escape for it.
constexpr std::string_view kCommandSeparator = "-@-";
// Separator of parameter fields inside one action command.
constexpr std::string_view kFieldSeparator = "==";
// Longest action command; characters beyond are dropped before parsing.
constexpr std::size_t kMaxCommandLength = 255;

// The printable core of one piece: characters below 33 or above 126 are
// skipped at the start, at most 255 characters are kept from the first
// printable one, then unprintable ones are dropped at the end.
std::string TrimCommand(std::string_view piece);

// The text between the first and the last double quote of a field (inner
// quotes stay); the whole field when it holds no quote; empty with one quote.
std::string QuotedText(std::string_view field);

// The first word of a command (cut at spaces and line breaks), upper-cased
// in ASCII letters only.
std::string CommandKeyword(std::string_view command);

// Parameter n (from 1) of a command: QuotedText of field n at "==".
std::string CommandParameter(int n, std::string_view command);

// The command string a page navigation carries, or nothing when the address
// holds no "ACTION:" in any letter case. The first seven characters go
// whatever they are, then every "%20" becomes a space and every remaining
// "%" a double quote: "%" is the quoting character of pages.
std::optional<std::string> CommandFromNavigation(std::string_view url);

}  // namespace vc
