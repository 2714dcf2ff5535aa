// The skin stream decoder on any bytes, checked against the classic decoder.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "../../bench/skin_classic_lzh.h"
#include "skin/format/lzh.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> stream(data, data + size);
    // Missing size bytes read as zero, so padding them changes nothing.
    if (stream.size() < 4) stream.resize(4, 0);
    {
        // Keep decodes short, except for sizes that must be refused: both
        // decoders cost per byte declared, whatever the input holds, and
        // 2 KiB reach every code and the ring's wrap (it starts at 4036).
        std::uint32_t declared;
        std::memcpy(&declared, stream.data(), 4);
        if (declared <= vc::TLZH::kMaxDecodedSize) declared %= 1u << 11;
        std::memcpy(stream.data(), &declared, 4);
    }
    std::vector<std::uint8_t> out;
    try {
        out = vc::TLZH::Decompress(stream);
    } catch (const vc::ElzhException&) {
        return 0;
    }
    if (out.size() != vc::TLZH::DeclaredSize(stream.data(), stream.size())) std::abort();
    if (out != vc::bench::ClassicDecoder().Decode(stream)) std::abort();
    return 0;
}
