#pragma once
// Where a page recorded on the author's machine is found beside the book.
#include <string>
#include <string_view>

namespace vc {

// A recorded page path reduced to its last folder name, a backslash and its
// file name: "C:\Books\calc\index.htm" gives "calc\index.htm". Only that folder
// travels with the e-book. A path without a backslash has no folder piece and
// raises the list error for index -1.
std::string BookRelativePath(std::string_view recordedPath);

}  // namespace vc
