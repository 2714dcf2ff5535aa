#pragma once
// Windows bitmap files (".bmp") as the skins carry them: 1, 4, 8, 16, 24 and
// 32 bits per pixel, uncompressed, run-length coded (8 and 4 bits) or with
// bit fields, bottom-up or top-down. Writing gives 24-bit files.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/bitmap.h"
#include "common/errors.h"

namespace vc {

// Bytes that are not a bitmap this reader can decode: "Bitmap image is not valid".
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// The largest bitmap file decoded: 4096 x 4096 pixels.
constexpr std::int64_t kMaxFilePixels = std::int64_t(1) << 24;

// Decodes a whole ".bmp" file. Raises EInvalidGraphic for bad or truncated
// data and EOutOfResources for sizes beyond kMaxFilePixels.
Bitmap DecodeBitmapFile(const std::uint8_t* data, std::size_t size);
inline Bitmap DecodeBitmapFile(const std::vector<std::uint8_t>& data) { return DecodeBitmapFile(data.data(), data.size()); }

// A 24-bit bottom-up file of the bitmap.
std::vector<std::uint8_t> EncodeBitmapFile(const Bitmap& bitmap);

}  // namespace vc
