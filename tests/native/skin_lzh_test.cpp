#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "../../bench/skin_classic_lzh.h"
#include "../../tools/skin/lzh_encoder.h"
#include "skin/format/lzh.h"
#include "error_text.h"

namespace vc {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(std::size_t size) {
    static const char* words[] = {"skin ", "window ", "frame ", "the ", "caption ", "button ", "menu\r\n", "=1\r\n"};
    std::mt19937 rng(7);
    Bytes out;
    while (out.size() < size) {
        const char* w = words[rng() % 8];
        out.insert(out.end(), w, w + std::strlen(w));
    }
    out.resize(size);
    return out;
}

Bytes Random(std::size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes out(size);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng());
    return out;
}

void ExpectRoundTrip(const Bytes& data, const char* what) {
    const Bytes packed = lzh::Compress(data);
    ASSERT_EQ(TLZH::DeclaredSize(packed.data(), packed.size()), data.size()) << what;
    EXPECT_TRUE(TLZH::Decompress(packed) == data) << what;
    EXPECT_TRUE(bench::ClassicDecoder().Decode(packed) == data) << what << " (published decoder)";
}

TEST(SkinLzh, RoundTripsAndCutStreamsDecodeToTheDeclaredSizeAndHugeSizesAreRefused) {
    ExpectRoundTrip({}, "empty");
    ExpectRoundTrip(Text(4097), "window plus one");
    ExpectRoundTrip(Bytes(10000, ' '), "spaces, matching the preset ring");
    Bytes periods;
    for (int period = 1; period < 20; ++period)
        for (int i = 0; i < 500; ++i) periods.push_back(static_cast<std::uint8_t>('a' + i % period));
    ExpectRoundTrip(periods, "short periods, overlapping copies");
    // About 32,000 symbols lead to a rebuild; random bytes are all literals.
    Bytes mixed = Random(200000, 2);
    const Bytes text = Text(100000);
    mixed.insert(mixed.end(), text.begin(), text.end());
    ExpectRoundTrip(mixed, "random then text");

    const Bytes data = Text(30000);
    const Bytes packed = lzh::Compress(data);
    for (std::size_t keep : {std::size_t{4}, std::size_t{5}, std::size_t{11}, packed.size() / 2, packed.size() - 1}) {
        const Bytes cut(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(keep));
        const Bytes out = TLZH::Decompress(cut);
        ASSERT_EQ(out.size(), data.size()) << keep;
        EXPECT_TRUE(out == bench::ClassicDecoder().Decode(cut)) << keep;
    }
    // Fewer than four bytes: the missing size bytes read as zero.
    EXPECT_TRUE(TLZH::Decompress(Bytes{3, 0}).size() == 3);
    EXPECT_TRUE(TLZH::Decompress(Bytes{0, 0, 0, 0, 0xFF, 0xFF}).empty());

    for (std::uint32_t size : {TLZH::kMaxDecodedSize + 1, 0xFFFFFFFFu}) {
        Bytes stream(4);
        std::memcpy(stream.data(), &size, 4);
        EXPECT_EQ(testing::ErrorText<ElzhException>([&] { TLZH::Decompress(stream); }),
                  "LZH : Declared size of " + std::to_string(size) +
                      " bytes is above the limit of 67108864 bytes; the stream is damaged");
    }

    Bytes run = lzh::Compress(Bytes(100, 'q'));
    run[0] = 37;  // a match that runs past the declared size is cut
    EXPECT_EQ(TLZH::Decompress(run), Bytes(37, 'q'));
}

}  // namespace
}  // namespace vc
