#pragma once
// vellumcast-skin preview: a PNG of a mock skinned window, drawn by the
// runtime's own skin data and composition code.
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "common/bitmap.h"
#include "skin/look/skin_preview.h"

namespace vc {

// An 8-bit RGB PNG of the bitmap, written by Cairo.
std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap);
// The preview with its labels written over it.
std::vector<std::uint8_t> EncodePng(const SkinPreview& preview);

// preview <skin file> <output.png> [--size WxH] [--inactive]; returns the
// exit status, messages as the other subcommands give them.
int RunSkinPreview(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vc
