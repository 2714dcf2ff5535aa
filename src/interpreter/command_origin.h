#pragma once
// Which pages may use the commands that reach the shell, the disk and the top window.
//
// A classic book's pages are local files inside a folder of its pages beside the program; a one-file book's pages
// are addresses of its own scheme with the host its runtime chose, read by OwnBookPage, the reader that serves
// them. A page's commands are the book's only while the navigating frame and every address the top page and its
// frames have shown or started are the book's pages; any other address, or one not read with certainty, is the web's.
//
// Paths are read as the file system reads them: the system code page turned into UTF-16 first, separators and
// letter case read only there. Disk paths are taken as written; addresses are decoded once, then read as paths.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/code_page.h"

namespace vc {

// Where the book's pages are: the folders beside the program or the host of
// its own addresses.
struct BookPageSpace {
    std::vector<std::u16string> folders;  // a classic book: normalised paths of its page folders
    std::string host;                     // a one-file book: its own host, lower case; empty for a classic book
};

// A classic book: the folders that hold its pages beside the program, that of
// the recorded start page and that of the recorded separate home page. Only
// the last folder of a recorded path travels with the book; a recorded path
// whose last folder and file name hold an empty, "." or ".." step, or a
// character no file name holds, adds none, as does a program folder that is
// not an absolute path.
BookPageSpace ClassicBookPages(std::string_view executableFolder, std::string_view startPage,
                               std::string_view homePage, const CodePage& codePage);
// A one-file book: only addresses of its own host are its pages.
BookPageSpace OneFileBookPages(std::string_view host);

// The local path an address names, normalised: a "file:" address, cut at "#"
// or "?" and decoded once, or a plain path, never decoded; then a drive
// letter or a \\server\share root, "/" read as "\", empty and "." steps
// gone, ".." climbing one. Leading blanks are skipped. Nothing when the address is anything else or could be read two
// ways: text that does not convert from the code page, an escape of a
// separator, of a control character or of a byte past ASCII, a "/" or "\"
// after the "#" or "?", a "%" or "#" in a plain path, a relative path, a ".."
// above the root, a step ending in a dot or a blank, a character Windows
// gives meaning to (:*?"<>|).
std::optional<std::u16string> LocalFilePath(std::string_view address, const CodePage& codePage);

// The rule at the top of this file, for one address.
bool IsBookPage(std::string_view address, const BookPageSpace& book, const CodePage& codePage);

// An "http:" or "https:" address, the scheme in any letter case.
bool IsWebAddress(std::string_view address);

// The "file:" address of a disk path that lies in a folder of the book,
// built from the normalised path that was checked, so that the browser opens
// exactly it; nothing for any other path.
std::optional<std::string> BookFileAddress(std::string_view path, const BookPageSpace& book, const CodePage& codePage);

}  // namespace vc
