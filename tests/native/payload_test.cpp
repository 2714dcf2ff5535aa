#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "common/errors.h"
#include "runtime/payload.h"
#include "error_text.h"

namespace vc {
namespace {

// The payload a reader gives, or the error its size query raised before any allocation.
template <class Size, class Read>
std::string Outcome(Size size, Read read) {
    std::string text;
    try {
        text.assign(static_cast<std::size_t>(std::max(size(), 0)), '?');
    } catch (const EInOutError& error) {
        return std::string("refused: ") + error.what();
    }
    read(text.data());
    return text;
}

class PayloadFileTest : public ::testing::Test {
protected:
    std::string path_ = ::testing::TempDir() + "vc_payload_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".exe";
    std::string bytes_;

    void TearDown() override { std::remove(path_.c_str()); }

    void Write(const std::string& bytes) {
        bytes_ = bytes;
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
    }

    static std::string Trailer(std::int32_t offset, std::int32_t size) {
        const auto bytes = PayloadTrailer{offset, size}.Encode();
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    // The payload of a file of `bytes`; read from memory, as the fuzzers do, it is the same.
    std::string Read(const std::string& bytes) {
        Write(bytes);
        const TPayload file(path_);
        const std::string fromFile =
            Outcome([&] { return file.GetPayloadSize(); }, [&](char* to) { file.ReadPayload(to); });
        EXPECT_EQ(Outcome([&] { return PayloadSizeInImage(bytes_); }, [&](char* to) { ReadPayloadFromImage(bytes_, to); }),
                  fromFile);
        return fromFile;
    }
};

const std::string kBeyondEnd = "refused: Read beyond end of file";

TEST_F(PayloadFileTest, TrailerLayoutIsMarkerThenOffsetThenSizeLittleEndian) {
    const char marker[] = "\x05\xA1\xAB\x9F\xA8\xED\xC3\x45\x89\xF4\x36\x93\x15\xA9\x47\xEB";
    EXPECT_EQ(Trailer(0x01020304, 0x0A0B0C0D), std::string(marker, 16) + "\x04\x03\x02\x01\x0D\x0C\x0B\x0A");
}

TEST_F(PayloadFileTest, ReadsThePayloadBeforeTheTrailerFromAnyOffset) {
    EXPECT_EQ(Read("MZruntime" + std::string("Title\r\n1\r\n") + Trailer(9, 10)), "Title\r\n1\r\n");
    EXPECT_TRUE(TPayload(path_).HasPayload());
    EXPECT_EQ(Read("abc" + Trailer(3, 16)), Trailer(3, 16).substr(0, 16)) << "the payload may overlap the trailer";
    // 24 bytes are too short to hold a trailer; one byte more is the payload.
    EXPECT_EQ(Read(Trailer(0, 1)), "");
    EXPECT_EQ(Read("X" + Trailer(0, 1)), "X");
}

TEST_F(PayloadFileTest, MarkerMismatchOrSizeZeroMeansNoPayloadAndAnUntouchedBuffer) {
    std::string damaged = "runtime" + Trailer(0, 7);
    damaged[7 + 15] ^= 1;  // last marker byte
    EXPECT_EQ(Read(damaged), "");
    EXPECT_FALSE(TPayload(path_).HasPayload());
    EXPECT_EQ(Read("runtime" + Trailer(-1, 0)), "") << "a size of zero claims nothing, wherever it points";
    EXPECT_EQ(Read("runtime" + Trailer(0, -5)), "");

    char buffer[8] = {'u', 'n', 't', 'o', 'u', 'c', 'h', 'd'};
    for (const std::string& image : {std::string("just a program, no trailer at all"), "runtime" + Trailer(0, 0)}) {
        Write(image);
        TPayload(path_).ReadPayload(buffer);
        EXPECT_EQ(std::string(buffer, 8), "untouchd");
    }
    EXPECT_THROW(TPayload(path_ + ".missing").HasPayload(), EInOutError);
}

TEST_F(PayloadFileTest, AClaimPastTheEndRaisesTheInputOutputErrorBeforeAnyAllocation) {
    // A damaged trailer claiming 2 GB is refused up front.
    EXPECT_EQ(Read("runtime" + Trailer(0, 0x7FFFFFFF)), kBeyondEnd);
    // The file is 31 bytes: 31 from offset 0 fit, 32 do not.
    EXPECT_EQ(Read("runtime" + Trailer(0, 31)).size(), 31u);
    EXPECT_EQ(Read("runtime" + Trailer(0, 32)), kBeyondEnd);
    EXPECT_EQ(Read("runtime" + Trailer(-1, 2)), kBeyondEnd);
    Write("runtime" + Trailer(30, 2));
    char buffer[2] = {'a', 'b'};
    EXPECT_EQ(testing::ErrorText<EInOutError>([&] { TPayload(path_).ReadPayload(buffer); }), "Read beyond end of file");
    EXPECT_EQ(std::string(buffer, 2), "ab") << "a failed read wrote into the buffer";
    // Every operation closed the file, also the failed ones: it can go.
    EXPECT_EQ(std::remove(path_.c_str()), 0);
}

// 256 bytes of program headers, 64- or 32-bit, naming a certificate table of `table` bytes at `at`.
std::string SignedHeaders(std::uint32_t at, std::uint32_t table, bool wide = true) {
    std::string h(256, '\0');
    const auto put = [&](std::size_t pos, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) h[pos + i] = static_cast<char>(v >> (8 * i));
    };
    h.replace(0, 2, "MZ");
    put(0x3C, 0x40, 4);
    h.replace(0x40, 4, std::string("PE\0\0", 4));
    const std::size_t optional = 0x40 + 24, directories = optional + (wide ? 112 : 96);
    put(optional, wide ? 0x20B : 0x10B, 2);
    put(directories - 4, 16, 4);
    put(directories + 4 * 8, at, 4);
    put(directories + 4 * 8 + 4, table, 4);
    return h;
}

TEST_F(PayloadFileTest, ASignedBookFindsItsTrailerBeforeTheCertificateTable) {
    const std::string payload = "Title\r\n";
    const std::string certificate(40, 'C');
    const auto book = [&](int padding, std::uint32_t table_size_claimed, bool wide = true) {
        const std::uint32_t at = 256 + static_cast<std::uint32_t>(payload.size() + 24 + padding);
        return SignedHeaders(at, table_size_claimed, wide) + payload +
               Trailer(256, static_cast<std::int32_t>(payload.size())) +
               std::string(static_cast<std::size_t>(padding), '\0') + certificate;
    };
    for (int padding : {0, 7}) EXPECT_EQ(Read(book(padding, 40)), payload) << "padding " << padding;
    EXPECT_EQ(Read(book(3, 40, false)), payload) << "a 32-bit program";
    // More than the alignment, a table short of the end, or a padding byte not zero: no payload.
    EXPECT_EQ(Read(book(8, 40)), "");
    EXPECT_EQ(Read(book(0, 39)), "");
    std::string dirty = book(2, 40);
    dirty[256 + payload.size() + 24] = 'x';
    EXPECT_EQ(Read(dirty), "");
    // The bounds checks hold there too.
    std::string claim = book(0, 40);
    claim.replace(256 + payload.size(), 24, Trailer(256, 0x7FFFFFFF));
    EXPECT_EQ(Read(claim), kBeyondEnd);
}

}  // namespace
}  // namespace vc
