#pragma once
// The payload an e-book carries: configuration text appended to the runtime
// executable and found through a 24-byte trailer at the very end of the file.
//
//   trailer = 16-byte marker | offset (int32 LE) | size (int32 LE)
//
// The reader keeps no file open between its operations; each one opens the
// file, reads and closes it again, also when a read fails.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vc {

struct PayloadTrailer {
    static constexpr std::size_t kSize = 24;
    static const std::array<unsigned char, 16> kMarker;

    std::int32_t offset = 0;
    std::int32_t size = 0;

    std::array<unsigned char, kSize> Encode() const;
    // The trailer held by 24 bytes, when they begin with the marker.
    static std::optional<PayloadTrailer> Decode(const unsigned char* bytes);
};

class TPayload {
public:
    explicit TPayload(std::string fileName) : fileName_(std::move(fileName)) {}

    bool HasPayload() const { return GetPayloadSize() > 0; }
    // The trailer's size field, or 0 when the file has no trailer. A trailer
    // whose payload would not lie inside the file raises EInOutError.
    std::int32_t GetPayloadSize() const;
    // Copies the payload into a buffer of at least GetPayloadSize() bytes; the
    // buffer stays untouched when there is no trailer or the size is below 1.
    void ReadPayload(char* buffer) const;

    const std::string& FileName() const noexcept { return fileName_; }

private:
    std::string fileName_;
};

}  // namespace vc
