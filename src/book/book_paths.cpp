#include "book/book_paths.h"

#include "common/errors.h"
#include "common/text.h"

namespace vc {

std::string BookRelativePath(std::string_view recordedPath) {
    // Split at every backslash keeping empty pieces, so "C:\a\" has three.
    std::size_t pieces = 1;
    for (char c : recordedPath)
        if (c == '\\') ++pieces;
    const auto folderIndex = static_cast<long long>(pieces) - 2;
    if (folderIndex < 0) throw EListError(folderIndex);

    const auto fileStart = recordedPath.rfind('\\');
    const auto folderStart = folderIndex == 0 ? 0 : recordedPath.rfind('\\', fileStart - 1) + 1;
    const auto folder = recordedPath.substr(folderStart, fileStart - folderStart);
    return WithTrailingBackslash(folder) + ExtractFileName(recordedPath);
}

}  // namespace vc
