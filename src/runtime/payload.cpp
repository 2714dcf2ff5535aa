#include "runtime/payload.h"

#include <cstring>

#include "common/errors.h"
#include "common/input_file.h"

namespace vc {

const std::array<unsigned char, 16> PayloadTrailer::kMarker = {
    0x05, 0xA1, 0xAB, 0x9F, 0xA8, 0xED, 0xC3, 0x45,
    0x89, 0xF4, 0x36, 0x93, 0x15, 0xA9, 0x47, 0xEB};

namespace {

void PutInt32(unsigned char* at, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(bits >> (8 * i));
}

std::int32_t GetInt32(const unsigned char* at) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

// The executable opened for reading; closed by its destructor whichever way
// the operation ends.
class PayloadFile {
public:
    explicit PayloadFile(const std::string& path) : file_(path) {
        if (!file_.IsOpen()) throw EInOutError("Cannot open file \"" + path + "\"");
        size_ = file_.Size();
        if (size_ < 0) throw EInOutError("Read beyond end of file");
    }
    PayloadFile(const PayloadFile&) = delete;
    PayloadFile& operator=(const PayloadFile&) = delete;

    std::int64_t Size() const noexcept { return size_; }

    void ReadAt(std::int64_t position, char* buffer, std::int64_t count) {
        if (position < 0 || count < 0 || position > size_ || count > size_ - position)
            throw EInOutError("Read beyond end of file");
        if (!file_.ReadAt(position, buffer, static_cast<std::size_t>(count)))
            throw EInOutError("Read beyond end of file");
    }

    // The trailer at size - 24; a file of 24 bytes or less has none. A
    // signed book carries it just before its certificate table, after the
    // zero bytes that align the table.
    std::optional<PayloadTrailer> ReadTrailer() {
        if (auto trailer = TrailerEndingAt(size_)) return trailer;
        const auto table = FindCertificateTable(size_, [this](std::int64_t at, unsigned char* to, std::int64_t n) {
            return at >= 0 && n <= size_ - at && file_.ReadAt(at, reinterpret_cast<char*>(to), static_cast<std::size_t>(n));
        });
        if (!table) return std::nullopt;
        for (int padding = 0; padding < kCertificateAlignment; ++padding) {
            if (auto trailer = TrailerEndingAt(table->offset - padding)) return trailer;
            char byte = 1;
            if (table->offset - padding - 1 < 0) break;
            ReadAt(table->offset - padding - 1, &byte, 1);
            if (byte != 0) break;
        }
        return std::nullopt;
    }

    std::optional<PayloadTrailer> TrailerEndingAt(std::int64_t end) {
        if (end < static_cast<std::int64_t>(PayloadTrailer::kSize) + 1) return std::nullopt;
        unsigned char bytes[PayloadTrailer::kSize];
        ReadAt(end - PayloadTrailer::kSize, reinterpret_cast<char*>(bytes), PayloadTrailer::kSize);
        return PayloadTrailer::Decode(bytes);
    }

    // A trailer may claim any offset and size; a claim reaching outside the
    // file is refused before anyone allocates for it.
    void CheckInside(const PayloadTrailer& trailer) const {
        if (trailer.size < 1) return;
        if (trailer.offset < 0 || static_cast<std::int64_t>(trailer.offset) + trailer.size > size_)
            throw EInOutError("Read beyond end of file");
    }

private:
    InputFile file_;
    std::int64_t size_ = 0;
};

}  // namespace

std::array<unsigned char, PayloadTrailer::kSize> PayloadTrailer::Encode() const {
    std::array<unsigned char, kSize> bytes{};
    std::memcpy(bytes.data(), kMarker.data(), kMarker.size());
    PutInt32(bytes.data() + 16, offset);
    PutInt32(bytes.data() + 20, size);
    return bytes;
}

std::optional<PayloadTrailer> PayloadTrailer::Decode(const unsigned char* bytes) {
    if (std::memcmp(bytes, kMarker.data(), kMarker.size()) != 0) return std::nullopt;
    PayloadTrailer trailer;
    trailer.offset = GetInt32(bytes + 16);
    trailer.size = GetInt32(bytes + 20);
    return trailer;
}

std::int32_t TPayload::GetPayloadSize() const {
    PayloadFile file(fileName_);
    const auto trailer = file.ReadTrailer();
    if (!trailer) return 0;
    file.CheckInside(*trailer);
    return trailer->size;
}

void TPayload::ReadPayload(char* buffer) const {
    PayloadFile file(fileName_);
    const auto trailer = file.ReadTrailer();
    if (!trailer || trailer->size < 1) return;
    file.CheckInside(*trailer);
    file.ReadAt(trailer->offset, buffer, trailer->size);
}

}  // namespace vc
