#pragma once

#include <cstdint>
#include <vector>

#include "art_raster.h"

namespace vc::art {

// A 32-bit Windows bitmap file: BITMAPFILEHEADER, BITMAPINFOHEADER with
// BI_RGB, rows bottom-up, straight alpha in the fourth byte of each pixel.
std::vector<std::uint8_t> EncodeBmp32(const Raster& image);

// A Windows icon file with one entry per image, in the order given. Images
// of 256 pixels are stored as PNG, smaller ones as 32-bit bitmaps with an
// AND mask. Images must be square and 1 to 256 pixels wide.
std::vector<std::uint8_t> EncodeIco(const std::vector<Raster>& images);

// Layout numbers the files use, shared with their readers.
constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::size_t kBmpInfoHeaderSize = 40;
constexpr std::size_t kIcoHeaderSize = 6;
constexpr std::size_t kIcoEntrySize = 16;

// Bytes in one row of a 1-bit mask: rows are padded to 32 bits.
constexpr std::size_t MaskRowBytes(int width) {
    return static_cast<std::size_t>((width + 31) / 32) * 4;
}

}  // namespace vc::art
