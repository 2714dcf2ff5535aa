// The payload reader on arbitrary files, as their images in memory (the
// file reader is the same reader over another source): it may refuse a file,
// but never reads outside it, never allocates what the file does not hold,
// and never writes past the size it reports.
#include <cstdint>
#include <string>
#include <vector>

#include "book/payload.h"
#include "common/errors.h"

// The first byte chooses: odd puts the marker in front of the last eight
// bytes, so that most inputs reach the offset and size checks.
std::string FileBytes(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return std::string();
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if ((data[0] & 1) && bytes.size() >= 8) {
        const auto& marker = vc::PayloadTrailer::kMarker;
        bytes.insert(bytes.size() - 8, reinterpret_cast<const char*>(marker.data()), marker.size());
    }
    return bytes;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = FileBytes(data, size);
    try {
        const std::int32_t length = vc::PayloadSizeInImage(bytes);
        if (length > 0) {
            if (static_cast<std::size_t>(length) > bytes.size()) __builtin_trap();
            std::vector<char> buffer(static_cast<std::size_t>(length));
            vc::ReadPayloadFromImage(bytes, buffer.data());
        }
    } catch (const vc::EInOutError&) {
    }
    return 0;
}
