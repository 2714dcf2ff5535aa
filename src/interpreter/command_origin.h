#pragma once
// Which pages may use the commands that reach the shell and the disk.
//
// A page's commands are the book's only while the navigating frame, the top page and every frame it has held
// are pages of the book: in a classic book, local files inside a folder of the book's pages; in a one-file book,
// addresses of the book's own host (IsBookAddress). Any other address, or one not read with certainty, is the web's.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/command_set.h"

namespace vc {

using FolderList = std::vector<std::string>;

// The folders that hold the book's pages beside the executable: that of the
// recorded start page and that of the recorded separate home page, placed as
// BookRelativePath places them. A recorded path without a folder piece, or an
// empty one, adds none.
FolderList BookPageFolders(std::string_view executableFolder, std::string_view startPage,
                           std::string_view homePage);

// The local path an address names, normalised: a "file:" address or a plain
// path, on a drive letter or a \\server\share root. Leading blanks of any kind
// are skipped, "#" and "?" end the path, % escapes are decoded once, "/" reads
// as "\", empty and "." segments go and ".." climbs one. Nothing when the
// address is anything else or could be read two ways: an escape of a
// separator, dot, percent or control character, a segment ending in a dot or
// a blank, a character Windows gives meaning to (:*?"<>|), a ".." above the
// root, a "/" or "\" after the "#" or "?".
std::optional<std::string> LocalFilePath(std::string_view address);

// True when the address names a local path at or below one of the folders,
// letters compared without regard to case.
bool IsInsideFolders(std::string_view address, const FolderList& folders);

// True when the address names a page of the one-file book whose pages have
// the host `bookHost`: read as the protocol that serves the pages reads it.
bool IsBookAddress(std::string_view address, std::string_view bookHost);

// What the window knows of a page when it sends a command.
struct PageCommandOrigin {
    FolderList bookFolders;           // BookPageFolders, for a classic book
    std::string bookHost;             // the host of a one-file book's pages; empty for a classic book
    std::string navigatingFrame;      // what the navigating frame shows; empty for a new frame
    std::string topPage;              // what the window's top-level page shows
    std::vector<std::string> frames;  // every address a frame of the top page has shown
};

// The rule at the top of this file.
CommandSource PageCommandSource(const PageCommandOrigin& origin);

}  // namespace vc
