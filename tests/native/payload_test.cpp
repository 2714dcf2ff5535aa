#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "common/errors.h"
#include "runtime/payload.h"

namespace vc {
namespace {

class PayloadFileTest : public ::testing::Test {
protected:
    std::string path_ = ::testing::TempDir() + "vc_payload_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".exe";

    void TearDown() override { std::remove(path_.c_str()); }

    void Write(const std::string& bytes) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    static std::string Trailer(std::int32_t offset, std::int32_t size) {
        PayloadTrailer trailer;
        trailer.offset = offset;
        trailer.size = size;
        const auto bytes = trailer.Encode();
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    std::string Read() const {
        const TPayload payload(path_);
        std::string text(static_cast<std::size_t>(payload.GetPayloadSize()), '\0');
        payload.ReadPayload(text.data());
        return text;
    }
};

TEST_F(PayloadFileTest, TrailerLayoutIsMarkerThenOffsetThenSizeLittleEndian) {
    const std::string bytes = Trailer(0x01020304, 0x0A0B0C0D);
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 16), std::string("\x05\xA1\xAB\x9F\xA8\xED\xC3\x45\x89\xF4\x36\x93\x15\xA9\x47\xEB", 16));
    EXPECT_EQ(bytes.substr(16), std::string("\x04\x03\x02\x01\x0D\x0C\x0B\x0A", 8));
}

TEST_F(PayloadFileTest, ReadsThePayloadBeforeTheTrailer) {
    Write("MZruntime" + std::string("Title\r\n1\r\n") + Trailer(9, 10));
    const TPayload payload(path_);
    EXPECT_TRUE(payload.HasPayload());
    EXPECT_EQ(payload.GetPayloadSize(), 10);
    EXPECT_EQ(Read(), "Title\r\n1\r\n");
}

TEST_F(PayloadFileTest, TwentyFourBytesHoldNoTrailerButTwentyFiveDo) {
    // The trailer alone, 24 bytes: too short to be looked at.
    Write(Trailer(0, 1));
    EXPECT_FALSE(TPayload(path_).HasPayload());
    // One byte more: the trailer is read from bytes 1 to 24, and the payload
    // is that first byte.
    Write("X" + Trailer(0, 1));
    EXPECT_EQ(TPayload(path_).GetPayloadSize(), 1);
    EXPECT_EQ(Read(), "X");
}

TEST_F(PayloadFileTest, MarkerMismatchOrSizeZeroMeansNoPayload) {
    std::string damaged = "runtime" + Trailer(0, 7);
    damaged[7 + 15] ^= 1;  // last marker byte
    Write(damaged);
    EXPECT_FALSE(TPayload(path_).HasPayload());
    EXPECT_EQ(TPayload(path_).GetPayloadSize(), 0);

    Write("runtime" + Trailer(0, 0));
    EXPECT_FALSE(TPayload(path_).HasPayload());
    Write("runtime" + Trailer(-1, 0));
    EXPECT_EQ(TPayload(path_).GetPayloadSize(), 0) << "a size of zero claims nothing, wherever it points";
    Write("runtime" + Trailer(0, -5));
    EXPECT_FALSE(TPayload(path_).HasPayload());
}

TEST_F(PayloadFileTest, AnOffsetAnywhereInTheFileIsHonoured) {
    Write("abcdefghij" + Trailer(2, 3));
    EXPECT_EQ(Read(), "cde");
    // The payload may even overlap the trailer itself.
    Write("abc" + Trailer(3, 16));
    EXPECT_EQ(Read(), Trailer(3, 16).substr(0, 16));
}

TEST_F(PayloadFileTest, AMissingFileRaisesTheInputOutputError) {
    EXPECT_THROW(TPayload(path_ + ".missing").HasPayload(), EInOutError);
}

TEST_F(PayloadFileTest, ReadPayloadLeavesTheBufferUntouchedWithoutATrailer) {
    Write("just a program, no trailer at all");
    char buffer[8] = {'u', 'n', 't', 'o', 'u', 'c', 'h', 'd'};
    TPayload(path_).ReadPayload(buffer);
    EXPECT_EQ(std::string(buffer, 8), "untouchd");

    Write("runtime" + Trailer(0, 0));
    TPayload(path_).ReadPayload(buffer);
    EXPECT_EQ(std::string(buffer, 8), "untouchd");
}

TEST_F(PayloadFileTest, AClaimPastTheEndRaisesTheInputOutputErrorBeforeAnyAllocation) {
    // A damaged trailer claiming 2 GB is refused up front.
    Write("runtime" + Trailer(0, 0x7FFFFFFF));
    EXPECT_THROW(TPayload(path_).GetPayloadSize(), EInOutError);
    EXPECT_THROW(TPayload(path_).HasPayload(), EInOutError);
    // The file is 31 bytes: 31 from offset 0 fit, 32 do not.
    Write("runtime" + Trailer(0, 31));
    EXPECT_EQ(TPayload(path_).GetPayloadSize(), 31);
    Write("runtime" + Trailer(0, 32));
    EXPECT_THROW(TPayload(path_).GetPayloadSize(), EInOutError);
    Write("runtime" + Trailer(30, 2));
    char buffer[2] = {'a', 'b'};
    try {
        TPayload(path_).ReadPayload(buffer);
        FAIL() << "no error raised";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
    EXPECT_EQ(std::string(buffer, 2), "ab") << "a failed read wrote into the buffer";
    Write("runtime" + Trailer(-1, 2));
    EXPECT_THROW(TPayload(path_).HasPayload(), EInOutError);
    // Every operation closed the file, also the failed ones: it can go.
    EXPECT_EQ(std::remove(path_.c_str()), 0);
}

// A 64-bit program's headers naming a certificate table of `table` bytes at
// `at`, padded to 256 bytes.
std::string SignedHeaders(std::uint32_t at, std::uint32_t table) {
    std::string h(256, '\0');
    const auto put = [&](std::size_t pos, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) h[pos + i] = static_cast<char>(v >> (8 * i));
    };
    h[0] = 'M';
    h[1] = 'Z';
    put(0x3C, 0x40, 4);
    h.replace(0x40, 4, std::string("PE\0\0", 4));
    const std::size_t optional = 0x40 + 24;
    put(optional, 0x20B, 2);
    put(optional + 108, 16, 4);
    put(optional + 112 + 4 * 8, at, 4);
    put(optional + 112 + 4 * 8 + 4, table, 4);
    return h;
}

TEST_F(PayloadFileTest, ASignedBookFindsItsTrailerBeforeTheCertificateTable) {
    const std::string payload = "Title\r\n";
    const std::string certificate(40, 'C');
    const auto book = [&](int padding, std::uint32_t table_size_claimed) {
        const std::uint32_t at = 256 + static_cast<std::uint32_t>(payload.size() + 24 + padding);
        return SignedHeaders(at, table_size_claimed) + payload + Trailer(256, static_cast<std::int32_t>(payload.size())) +
               std::string(static_cast<std::size_t>(padding), '\0') + certificate;
    };
    for (int padding : {0, 3, 7}) {
        Write(book(padding, 40));
        EXPECT_EQ(Read(), payload) << "padding " << padding;
    }
    // More than the alignment, a table that does not end the file, or a
    // padding byte that is not zero: no payload.
    Write(book(8, 40));
    EXPECT_FALSE(TPayload(path_).HasPayload());
    Write(book(0, 39));
    EXPECT_FALSE(TPayload(path_).HasPayload());
    for (int padding : {1, 2}) {
        std::string dirty = book(padding, 40);
        dirty[256 + payload.size() + 24] = 'x';
        Write(dirty);
        EXPECT_FALSE(TPayload(path_).HasPayload()) << "padding " << padding;
    }
    // The bounds checks hold there too.
    std::string claim = book(0, 40);
    claim.replace(256 + payload.size(), 24, Trailer(256, 0x7FFFFFFF));
    Write(claim);
    EXPECT_THROW(TPayload(path_).GetPayloadSize(), EInOutError);
}

}  // namespace
}  // namespace vc
