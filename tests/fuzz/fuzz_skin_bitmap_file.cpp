// The bitmap file decoder on any bytes, and the composition routines on what
// it decodes, with margins and state counts taken from the input.
#include <cstdint>
#include <vector>

#include "skin/bitmap_file.h"
#include "skin/composition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
    vc::Bitmap out = vc::ComposeNineSlice(1 + byte(7), 1 + byte(8), image, m, horizontal, tile, n, k);
    vc::DrawThreeSlice(out, vc::Rect{-3, 2, 40, 30}, image, horizontal, byte(9) & 1, n, k, m);
    vc::DrawStateImage(out, vc::Rect{5, -5, 25, 15}, image, true, n, k);
    vc::TileRect(out, out.Bounds(), image, vc::Rect{byte(10) % 8, 0, 8 + byte(11) % 16, 9});
    const auto rects = vc::RegionFromBitmap(out, 3, 4);
    return rects.size() > static_cast<std::size_t>(out.Width()) * out.Height() ? 1 : 0;
}
