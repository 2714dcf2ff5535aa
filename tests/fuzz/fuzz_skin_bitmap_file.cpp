// The bitmap file decoder on any bytes, and the composition routines on what
// it decodes, with margins and state counts taken from the input.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skin/format/bitmap_file.h"
#include "skin/look/composition.h"

namespace {

std::int64_t Field(const std::uint8_t* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return bytes == 2 ? static_cast<std::int16_t>(value) : static_cast<std::int32_t>(value);
}

// The pixels the header declares; the decoder allocates them before the
// pixel data can prove them wrong.
std::int64_t DeclaredPixels(const std::uint8_t* data, std::size_t size) {
    if (size < 26) return 0;
    const bool core = Field(data + 14, 4) == 12;
    const std::int64_t width = core ? Field(data + 18, 2) & 0xFFFF : Field(data + 18, 4);
    const std::int64_t height = core ? Field(data + 20, 2) : Field(data + 22, 4);
    return std::abs(width) * std::abs(height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One input may ask for 16 million pixels (64 MiB) and still be a valid
    // file; the generated skins' images hold at most 20,800 (a title bar of
    // 400 by 52), and decoding and composing cost per pixel. Sizes the
    // decoder must refuse still go through.
    const std::int64_t pixels = DeclaredPixels(data, size);
    if (pixels > 32768 && pixels <= vc::kMaxFilePixels) return 0;
    vc::Bitmap image;
    try {
        image = vc::DecodeBitmapFile(data, size);
    } catch (const vc::Exception&) {
        return 0;
    }
    if (image.Width() > 512 || image.Height() > 512) return 0;
    const auto byte = [&](std::size_t i) { return size > i ? static_cast<int>(data[size - 1 - i]) : 0; };
    const int n = 1 + byte(0) % 8;
    const int k = 1 + byte(1) % n;
    const vc::Margins m{byte(2) % 40 - 4, byte(3) % 40, byte(4) % 40, byte(5) % 40 - 4};
    const bool horizontal = byte(6) & 1;
    const bool tile = byte(6) & 2;
    // Up to 96 by 96: every stretch and tile the composer has, at a
    // seventh of the cost of the 256 by 256 that a byte could ask for.
    vc::Bitmap out = vc::ComposeNineSlice(1 + byte(7) % 96, 1 + byte(8) % 96, image, m, horizontal, tile, n, k);
    vc::DrawThreeSlice(out, vc::Rect{-3, 2, 40, 30}, image, horizontal, byte(9) & 1, n, k, m);
    vc::DrawStateImage(out, vc::Rect{5, -5, 25, 15}, image, true, n, k);
    vc::TileRect(out, out.Bounds(), image, vc::Rect{byte(10) % 8, 0, 8 + byte(11) % 16, 9});
    const auto rects = vc::RegionFromBitmap(out, 3, 4);
    return rects.size() > static_cast<std::size_t>(out.Width()) * out.Height() ? 1 : 0;
}
