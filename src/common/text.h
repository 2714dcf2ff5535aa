#pragma once
// Text helpers shared by the start-up, the command interpreter and the tools.
// All text is 8-bit text in the system code page; case rules touch ASCII
// letters only, as the runtime's keyword and field comparisons do.
#include <string>
#include <string_view>
#include <vector>

namespace vc {

using StringList = std::vector<std::string>;

// Lines of a text cut at CR, LF or CR LF. A zero byte ends the text, and a
// line break at the very end adds no empty line.
StringList SplitLines(std::string_view text);

// The text cut at every occurrence of the separator: each piece before an
// occurrence is kept, empty ones included; the rest after the last occurrence
// only when it is not empty. An empty separator cuts nothing.
StringList SplitList(std::string_view text, std::string_view separator);

// Field n (counted from 1) of the text, after every occurrence of the
// separator (any letter case) became a line break and the text was cut into
// lines; empty when there are fewer than n lines.
std::string NthField(int n, std::string_view separator, std::string_view text);

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// Position of needle in haystack, letters compared without regard to case.
std::string::size_type FindText(std::string_view haystack, std::string_view needle);

// Trimming at characters of code 32 and below, as the platform's Trim does.
std::string Trim(std::string_view text);

// The text after the last backslash or colon of a path.
std::string ExtractFileName(std::string_view path);
// The path up to and including the last backslash or colon.
std::string ExtractFilePath(std::string_view path);
// The text with a backslash appended unless it already ends with one.
std::string WithTrailingBackslash(std::string_view path);

// Every occurrence of `from` replaced by `to`, left to right, not rescanned.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// Control bytes (below 32, and 127) written as \xHH, and with
// `quotesAndBackslashes` also " and \ as \" and \\: how the tools echo
// text that came from a file, so that no byte of it can steer the terminal.
std::string EscapeText(std::string_view text, bool quotesAndBackslashes = false);

}  // namespace vc
