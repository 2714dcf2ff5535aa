#include "book/payload.h"

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

// The bytes of a whole file already in memory, read as the file would be.
class MemoryImage {
public:
    explicit MemoryImage(std::string_view bytes) noexcept : bytes_(bytes) {}
    std::int64_t Size() const noexcept { return static_cast<std::int64_t>(bytes_.size()); }
    bool ReadAt(std::int64_t position, void* buffer, std::size_t count) const noexcept {
        if (position < 0 || position > Size() || count > bytes_.size() - static_cast<std::size_t>(position)) return false;
        if (count > 0) std::memcpy(buffer, bytes_.data() + position, count);
        return true;
    }

private:
    std::string_view bytes_;
};

// The executable opened for reading; closed by its destructor whichever way
// the operation ends.
class OpenedFile : public InputFile {
public:
    explicit OpenedFile(const std::string& path) : InputFile(path) {
        if (!IsOpen()) throw EInOutError("Cannot open file \"" + path + "\"");
    }
};

// The trailer and payload of a file or of its image in memory: one reader,
// whatever holds the bytes.
template <class Source>
class PayloadReader {
public:
    explicit PayloadReader(Source& source) : source_(source), size_(source.Size()) {
        if (size_ < 0) throw EInOutError("Read beyond end of file");
    }
    PayloadReader(const PayloadReader&) = delete;
    PayloadReader& operator=(const PayloadReader&) = delete;

    std::int32_t PayloadSize() {
        const auto trailer = ReadTrailer();
        if (!trailer) return 0;
        CheckInside(*trailer);
        return trailer->size;
    }

    void ReadPayload(char* buffer) {
        const auto trailer = ReadTrailer();
        if (!trailer || trailer->size < 1) return;
        CheckInside(*trailer);
        ReadAt(trailer->offset, buffer, trailer->size);
    }

private:
    void ReadAt(std::int64_t position, char* buffer, std::int64_t count) {
        if (position < 0 || count < 0 || position > size_ || count > size_ - position)
            throw EInOutError("Read beyond end of file");
        if (!source_.ReadAt(position, buffer, static_cast<std::size_t>(count)))
            throw EInOutError("Read beyond end of file");
    }

    // Bytes outside the file are simply not there; a file that fails to
    // give bytes it holds is an input/output error.
    std::optional<PayloadTrailer> ReadTrailer() {
        return FindPayloadTrailer(size_, [this](std::int64_t at, unsigned char* to, std::int64_t n) {
            if (at < 0 || n > size_ - at) return false;
            ReadAt(at, reinterpret_cast<char*>(to), n);
            return true;
        });
    }

    // A trailer may claim any offset and size; a claim reaching outside the
    // file is refused before anyone allocates for it.
    void CheckInside(const PayloadTrailer& trailer) const {
        if (trailer.size < 1) return;
        if (trailer.offset < 0 || static_cast<std::int64_t>(trailer.offset) + trailer.size > size_)
            throw EInOutError("Read beyond end of file");
    }

    Source& source_;
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
    OpenedFile file(fileName_);
    return PayloadReader<OpenedFile>(file).PayloadSize();
}

void TPayload::ReadPayload(char* buffer) const {
    OpenedFile file(fileName_);
    PayloadReader<OpenedFile>(file).ReadPayload(buffer);
}

std::int32_t PayloadSizeInImage(std::string_view image) {
    MemoryImage source(image);
    return PayloadReader<MemoryImage>(source).PayloadSize();
}

void ReadPayloadFromImage(std::string_view image, char* buffer) {
    MemoryImage source(image);
    PayloadReader<MemoryImage>(source).ReadPayload(buffer);
}

}  // namespace vc
