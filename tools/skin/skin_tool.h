#pragma once
// vellumcast-skin: packs a skin folder (one definition and its bitmaps) into
// a compressed skin stream, unpacks one, and describes one. Errors are
// SkinToolError with the text the user sees; nothing is left half-written.
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/skin_reader.h"

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
// in name order, compressed into `output` (replaced only when complete).
PackResult PackSkinFolder(const std::filesystem::path& folder, const std::filesystem::path& output);

// Every member of the skin into `folder`, which must not exist or be empty.
std::vector<std::string> UnpackSkinFile(const std::filesystem::path& file, const std::filesystem::path& folder);

// Version, sizes, members, skin name and the definition's sections.
void DescribeSkinFile(const std::filesystem::path& file, std::ostream& out);

// Writes beside the target under a temporary name, then renames it over
// the target, so that a failure leaves either the old file or none.
void WriteFileWhole(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Opens the skin stream read from `file`; anything that keeps it from
// opening (a wrong version, damage) raises SkinToolError naming the file.
TSkinReader OpenSkin(const std::vector<std::uint8_t>& stream, const std::filesystem::path& file);

// The command line (without the program name); returns the exit status.
int RunSkinTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vc
