#pragma once
// TLZH: the decompressor of compressed skin streams (a 4-byte little-endian
// decompressed size, then LZHUF code bits, most significant bit first).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/errors.h"

namespace vc {

class ElzhException : public Exception {
public:
    using Exception::Exception;
};

class TLZH {
public:
    // No stored skin comes near this; a larger declared size means a damaged
    // stream, and believing it would allocate and decode gigabytes of zeros.
    static constexpr std::uint32_t kMaxDecodedSize = 64u * 1024u * 1024u;

    // The size a compressed stream declares (0 when it is shorter than the
    // size field, whose missing bytes read as zero).
    static std::uint32_t DeclaredSize(const std::uint8_t* data, std::size_t size);

    // Decodes the whole stream into exactly its declared size. Missing input
    // reads as zero bits, so a truncated stream still yields that many bytes;
    // a last match that would run past the size is cut at it. Raises
    // ElzhException when the declared size is above kMaxDecodedSize.
    static std::vector<std::uint8_t> Decompress(const std::uint8_t* data, std::size_t size);
    static std::vector<std::uint8_t> Decompress(const std::vector<std::uint8_t>& stream) {
        return Decompress(stream.data(), stream.size());
    }
};

}  // namespace vc
