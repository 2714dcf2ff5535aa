#pragma once
// The addresses of a one-file book's pages, and the names pages may have.
//
//   vcbook://HOST/NAME
//
// HOST is the book's own host, chosen by the runtime when it starts; NAME is
// the page's name inside the book (relative, "/" between folders), each byte
// outside the unreserved set percent-encoded. One function reads an address,
// for serving a page and for deciding whether a page is the book's, so the
// two can never disagree.
#include <optional>
#include <string>
#include <string_view>

namespace vc {

inline constexpr std::string_view kBookScheme = "vcbook";

struct BookAddress {
    std::string host;  // lower-case letters and digits
    std::string name;  // the page's name, decoded once
};

// The host and page name of a book address. Nothing for anything else: another
// scheme, a missing or malformed host, a name that does not decode or that
// breaks the name rules below. "?query" and "#fragment" are cut before the
// name is decoded. The scheme and host are read in any letter case.
std::optional<BookAddress> ReadBookAddress(std::string_view url);

// The address of a page of the book; the name is encoded so that
// ReadBookAddress gives it back unchanged.
std::string MakeBookAddress(std::string_view host, std::string_view name);

// Why a page name cannot be addressed on every Windows file system, or empty
// when it can: names are relative, "/" between folders, no empty, "." or ".."
// step, no control character, none of \ : * ? " < > |, no step ending in a
// dot or a blank, no device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9) with or
// without an extension.
std::string PageNameProblem(std::string_view name);

// Page names compared as Windows compares file names for the letters the
// book's names use: ASCII letters in either case are the same letter.
bool SamePageName(std::string_view a, std::string_view b);

}  // namespace vc
