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
#include <string_view>

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

// Where a code signature sits in a Windows program: the certificate table
// the program's header names, as file offset and size. Signing appends it
// after everything else, so in a signed book it follows the payload trailer.
struct CertificateTable {
    std::int64_t offset = 0;
    std::int64_t size = 0;
    std::int64_t entry = 0;  // where the header names it (8 bytes)
};
// The table of a program whose header names one that ends the file; reads
// the header through `read` (position, buffer, count; false past the end).
template <class Read>
std::optional<CertificateTable> FindCertificateTable(std::int64_t fileSize, Read&& read);
// Signing pads what comes before the table to eight bytes.
constexpr int kCertificateAlignment = 8;

// The trailer of a file of `fileSize` bytes, read through `read` (position,
// buffer, count; false when they are not all there): at the very end, or in a
// signed book just before the certificate table and the zero bytes that align
// it. A file of 24 bytes or less has none.
template <class Read>
std::optional<PayloadTrailer> FindPayloadTrailer(std::int64_t fileSize, Read&& read);

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

// The same reading on the image of a whole file held in memory, by the same
// rules and with the same errors as TPayload on the file.
std::int32_t PayloadSizeInImage(std::string_view image);
void ReadPayloadFromImage(std::string_view image, char* buffer);

namespace payload_detail {
inline std::uint32_t Le(const unsigned char* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return value;
}
}  // namespace payload_detail

template <class Read>
std::optional<PayloadTrailer> FindPayloadTrailer(std::int64_t fileSize, Read&& read) {
    const auto endingAt = [&](std::int64_t end) -> std::optional<PayloadTrailer> {
        unsigned char bytes[PayloadTrailer::kSize];
        if (end < static_cast<std::int64_t>(PayloadTrailer::kSize) + 1) return std::nullopt;
        if (!read(end - static_cast<std::int64_t>(PayloadTrailer::kSize), bytes, PayloadTrailer::kSize)) return std::nullopt;
        return PayloadTrailer::Decode(bytes);
    };
    if (auto trailer = endingAt(fileSize)) return trailer;
    const auto table = FindCertificateTable(fileSize, read);
    if (!table) return std::nullopt;
    for (int padding = 0; padding < kCertificateAlignment; ++padding) {
        if (auto trailer = endingAt(table->offset - padding)) return trailer;
        unsigned char byte = 1;
        if (table->offset - padding - 1 < 0 || !read(table->offset - padding - 1, &byte, 1) || byte != 0) break;
    }
    return std::nullopt;
}

template <class Read>
std::optional<CertificateTable> FindCertificateTable(std::int64_t fileSize, Read&& read) {
    using payload_detail::Le;
    unsigned char word[4];
    if (!read(0x3C, word, 4)) return std::nullopt;
    const std::int64_t pe = Le(word, 4);
    // The signature, the file header (20 bytes) and the optional header's
    // magic: 0x10B for 32-bit programs, 0x20B for 64-bit ones, whose data
    // directories start 16 bytes further in.
    unsigned char head[24 + 2];
    if (pe <= 0 || pe > fileSize || !read(pe, head, sizeof head)) return std::nullopt;
    if (head[0] != 'P' || head[1] != 'E' || head[2] != 0 || head[3] != 0) return std::nullopt;
    const std::uint32_t magic = Le(head + 24, 2);
    if (magic != 0x10B && magic != 0x20B) return std::nullopt;
    const std::int64_t optional = pe + 24;
    const std::int64_t countAt = optional + (magic == 0x20B ? 108 : 92);
    if (!read(countAt, word, 4) || Le(word, 4) <= 4) return std::nullopt;
    // Directory 4, the certificate table: a file offset, not an address.
    unsigned char entry[8];
    if (!read(countAt + 4 + 4 * 8, entry, 8)) return std::nullopt;
    const CertificateTable table{Le(entry, 4), Le(entry + 4, 4), countAt + 4 + 4 * 8};
    if (table.offset <= 0 || table.size <= 0 || table.offset + table.size != fileSize) return std::nullopt;
    return table;
}

}  // namespace vc
