// The in-memory path the fuzzers read through must be the runtime's own
// reader: on the same bytes it gives what the file gives, errors included.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/errors.h"
#include "runtime/payload.h"

namespace vc {
namespace {

std::string Trailer(std::int32_t offset, std::int32_t size) {
    const auto bytes = PayloadTrailer{offset, size}.Encode();
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A 32-bit program's headers naming a certificate table of `table` bytes at
// `at`, padded to 256 bytes.
std::string SignedHeaders(std::uint32_t at, std::uint32_t table) {
    std::string h(256, '\0');
    const auto put = [&](std::size_t pos, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) h[pos + i] = static_cast<char>(v >> (8 * i));
    };
    h.replace(0, 2, "MZ");
    put(0x3C, 0x40);
    h.replace(0x40, 4, std::string("PE\0\0", 4));
    h[0x40 + 24] = 0x0B;
    h[0x40 + 25] = 0x01;
    put(0x40 + 24 + 92, 16);
    put(0x40 + 24 + 96 + 4 * 8, at);
    put(0x40 + 24 + 96 + 4 * 8 + 4, table);
    return h;
}

// What a reader gives for an image: the payload, or the error's text.
template <class Size, class Read>
std::string Outcome(Size size, Read read) {
    try {
        std::string text(static_cast<std::size_t>(std::max(size(), 0)), '?');
        read(text.data());
        return text;
    } catch (const EInOutError& error) {
        return std::string("error: ") + error.what();
    }
}

TEST(FuzzLimitsTest, ThePayloadOfAnImageInMemoryIsThePayloadOfTheFile) {
    const std::string path = ::testing::TempDir() + "vc_fuzz_limits_payload.exe";
    const std::string signedPayload = SignedHeaders(256 + 5 + 24 + 3, 16) + "Title" + Trailer(256, 5) +
                                      std::string(3, '\0') + std::string(16, 'C');
    const struct {
        std::string image;
        std::string expected;
    } cases[] = {
        {"MZruntimeTitle\r\n1\r\n" + Trailer(9, 10), "Title\r\n1\r\n"},
        {"MZruntime, no trailer at its end", ""},
        {Trailer(0, 1), ""},  // 24 bytes hold no trailer
        {"MZ" + Trailer(2, 0x7FFFFFFF), "error: Read beyond end of file"},
        {"MZ" + Trailer(-1, 1), "error: Read beyond end of file"},
        {signedPayload, "Title"},
    };
    for (const auto& c : cases) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(c.image.data(), 1, c.image.size(), file);
        std::fclose(file);
        const TPayload onDisk(path);
        const std::string fromFile = Outcome([&] { return onDisk.GetPayloadSize(); },
                                             [&](char* to) { onDisk.ReadPayload(to); });
        const std::string fromImage = Outcome([&] { return PayloadSizeInImage(c.image); },
                                              [&](char* to) { ReadPayloadFromImage(c.image, to); });
        EXPECT_EQ(fromFile, c.expected);
        EXPECT_EQ(fromImage, c.expected);
    }
    std::remove(path.c_str());
}

}  // namespace
}  // namespace vc
