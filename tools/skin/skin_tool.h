#pragma once
// vellumcast-skin: packs a skin folder (one definition and its bitmaps) into
// a compressed skin stream, unpacks one, and describes one. Errors are
// SkinToolError with the text the user sees; nothing is left half-written.
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/format/skin_reader.h"

namespace vc {

class SkinToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PackResult {
    std::size_t members = 0;
    std::size_t decompressed = 0;
    std::size_t compressed = 0;
};

// The folder's definition (its one ".ini" file) first, then every ".bmp"
// in name order, compressed into `output` (replaced only when complete). An
// output that is one of the folder's files is refused; an existing one that
// is not a skin needs `force`.
PackResult PackSkinFolder(const std::filesystem::path& folder, const std::filesystem::path& output,
                          bool force = false);

// Every member of the skin into `folder`, which must not exist or be empty.
// Member names that are not plain file names on every platform, or that
// collide once letter case is folded, are refused with the member's index.
std::vector<std::string> UnpackSkinFile(const std::filesystem::path& file, const std::filesystem::path& folder);

// Why a member name cannot be a file of its own in a folder, or empty.
std::string WhyNotAFileName(const std::string& name);

// Version, sizes, members, skin name and the definition's sections.
void DescribeSkinFile(const std::filesystem::path& file, std::ostream& out);

// Opens the skin stream read from `file`; anything that keeps it from
// opening (a wrong version, damage) raises SkinToolError naming the file.
TSkinReader OpenSkin(const std::vector<std::uint8_t>& stream, const std::filesystem::path& file);

// The command line (without the program name); returns the exit status.
int RunSkinTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vc
