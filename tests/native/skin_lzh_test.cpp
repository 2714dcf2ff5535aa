#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "../../tools/skin/lzh_encoder.h"
#include "skin/lzh.h"

namespace vc {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A plain transcription of the published decoder: ring buffer, byte-wise
// input with a 16-bit bit buffer, linear search in the update, fixed-size
// moves in the rebuild. The fast decoder must agree with it bit for bit,
// on good streams and on garbage.
class ReferenceDecoder {
public:
    Bytes Decode(const Bytes& in) {
        src_ = &in;
        at_ = 0;
        unsigned long size = 0;
        for (int i = 0; i < 4; ++i) size |= static_cast<unsigned long>(GetC()) << (8 * i);
        StartHuff();
        unsigned char text[4096 + 60 - 1] = {};
        std::memset(text, ' ', 4096 - 60);
        int r = 4096 - 60;
        Bytes out;
        while (out.size() < size) {
            int c = DecodeChar();
            if (c < 256) {
                out.push_back(static_cast<std::uint8_t>(c));
                text[r++] = static_cast<unsigned char>(c);
                r &= 4095;
            } else {
                const int i = (r - DecodePosition() - 1) & 4095;
                const int j = c - 255 + 2;
                for (int k = 0; k < j; ++k) {
                    const unsigned char b = text[(i + k) & 4095];
                    out.push_back(b);
                    text[r++] = b;
                    r &= 4095;
                }
            }
        }
        // It may run past the size inside the last match; compare the size.
        out.resize(size);
        return out;
    }

private:
    enum { T = 627, R = 626, NC = 314 };

    int GetC() { return at_ < src_->size() ? (*src_)[at_++] : 0; }
    int GetBit() {
        while (len_ <= 8) {
            buf_ |= static_cast<unsigned>(GetC()) << (8 - len_);
            len_ += 8;
        }
        const int i = static_cast<int>(buf_);
        buf_ = (buf_ << 1) & 0xFFFF;
        len_--;
        return (i >> 15) & 1;
    }
    int GetByte() {
        while (len_ <= 8) {
            buf_ |= static_cast<unsigned>(GetC()) << (8 - len_);
            len_ += 8;
        }
        const unsigned i = buf_;
        buf_ = (buf_ << 8) & 0xFFFF;
        len_ -= 8;
        return static_cast<int>(i >> 8);
    }
    void StartHuff() {
        for (int i = 0; i < NC; i++) {
            freq_[i] = 1;
            son_[i] = i + T;
            prnt_[i + T] = i;
        }
        for (int i = 0, j = NC; j <= R; i += 2, j++) {
            freq_[j] = freq_[i] + freq_[i + 1];
            son_[j] = i;
            prnt_[i] = prnt_[i + 1] = j;
        }
        freq_[T] = 0xFFFF;
        prnt_[R] = 0;
        buf_ = 0;
        len_ = 0;
    }
    void Reconst() {
        int j = 0;
        for (int i = 0; i < T; i++)
            if (son_[i] >= T) {
                freq_[j] = (freq_[i] + 1) / 2;
                son_[j] = son_[i];
                j++;
            }
        for (int i = 0, n = NC; n < T; i += 2, n++) {
            const unsigned f = freq_[n] = freq_[i] + freq_[i + 1];
            int k;
            for (k = n - 1; f < freq_[k]; k--) {
            }
            k++;
            for (int m = n; m > k; m--) {
                freq_[m] = freq_[m - 1];
                son_[m] = son_[m - 1];
            }
            freq_[k] = f;
            son_[k] = i;
        }
        for (int i = 0; i < T; i++) {
            const int k = son_[i];
            if (k >= T) prnt_[k] = i;
            else prnt_[k] = prnt_[k + 1] = i;
        }
    }
    void Update(int c) {
        if (freq_[R] == 0x8000) Reconst();
        c = prnt_[c + T];
        do {
            const unsigned k = ++freq_[c];
            int l = c + 1;
            if (k > freq_[l]) {
                while (k > freq_[++l]) {
                }
                l--;
                freq_[c] = freq_[l];
                freq_[l] = k;
                const int i = son_[c];
                prnt_[i] = l;
                if (i < T) prnt_[i + 1] = l;
                const int j = son_[l];
                son_[l] = i;
                prnt_[j] = c;
                if (j < T) prnt_[j + 1] = c;
                son_[c] = j;
                c = l;
            }
        } while ((c = prnt_[c]) != 0);
    }
    int DecodeChar() {
        unsigned c = son_[R];
        while (c < T) c = son_[c + GetBit()];
        c -= T;
        Update(static_cast<int>(c));
        return static_cast<int>(c);
    }
    int DecodePosition() {
        unsigned i = static_cast<unsigned>(GetByte());
        const unsigned c = static_cast<unsigned>(lzh::d_code[i]) << 6;
        int j = lzh::d_len[i] - 2;
        while (j--) i = (i << 1) + static_cast<unsigned>(GetBit());
        return static_cast<int>(c | (i & 0x3F));
    }

    const Bytes* src_ = nullptr;
    std::size_t at_ = 0;
    unsigned buf_ = 0;
    int len_ = 0;
    unsigned freq_[T + 1];
    int prnt_[T + NC];
    int son_[T];
};

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

// 24-bit pixels: flat areas, gradients, a little noise.
Bytes BitmapLike(std::size_t size) {
    std::mt19937 rng(3);
    Bytes out;
    for (std::size_t i = 0; out.size() < size; ++i) {
        const auto x = i % 300, y = i / 300;
        const int noise = (rng() % 16 == 0) ? static_cast<int>(rng() % 5) : 0;
        out.push_back(static_cast<std::uint8_t>(y < 40 ? 200 : x / 2 + noise));
        out.push_back(static_cast<std::uint8_t>(y < 40 ? 180 : 90 + noise));
        out.push_back(static_cast<std::uint8_t>(y % 7 == 0 ? 40 : 120));
    }
    out.resize(size);
    return out;
}

void ExpectRoundTrip(const Bytes& data, const char* what) {
    const Bytes packed = lzh::Compress(data);
    ASSERT_EQ(TLZH::DeclaredSize(packed.data(), packed.size()), data.size()) << what;
    EXPECT_TRUE(TLZH::Decompress(packed) == data) << what;
    EXPECT_TRUE(ReferenceDecoder().Decode(packed) == data) << what << " (published decoder)";
}

TEST(SkinLzh, RoundTripsVariedData) {
    ExpectRoundTrip({}, "empty");
    ExpectRoundTrip({'x'}, "one byte");
    ExpectRoundTrip(Bytes(4096, 0), "window of zeros");
    ExpectRoundTrip(Text(4096), "window of text");
    ExpectRoundTrip(Text(4097), "window plus one");
    ExpectRoundTrip(Bytes(10000, ' '), "spaces, matching the preset ring");
    ExpectRoundTrip(BitmapLike(150000), "bitmap");
    ExpectRoundTrip(Random(3000, 1), "incompressible");
    Bytes periods;
    for (int period = 1; period < 20; ++period)
        for (int i = 0; i < 500; ++i) periods.push_back(static_cast<std::uint8_t>('a' + i % period));
    ExpectRoundTrip(periods, "short periods, overlapping copies");
}

TEST(SkinLzh, SurvivesManyTreeRebuilds) {
    // About 32,000 symbols lead to a rebuild; random bytes are all literals.
    Bytes data = Random(200000, 2);
    const Bytes text = Text(100000);
    data.insert(data.end(), text.begin(), text.end());
    ExpectRoundTrip(data, "random then text");
}

TEST(SkinLzh, CompressesRealLookingDataAndNoWorseThanGreedy) {
    const Bytes bitmap = BitmapLike(200000);
    const Bytes lazy = lzh::Compress(bitmap);
    const Bytes greedy = lzh::Compress(bitmap, lzh::EncoderOptions{false, lzh::N});
    EXPECT_LT(lazy.size() * 4, bitmap.size());
    EXPECT_LE(lazy.size(), greedy.size());
    EXPECT_TRUE(TLZH::Decompress(greedy) == bitmap);
}

TEST(SkinLzh, AgreesWithThePublishedDecoderOnGarbage) {
    for (unsigned seed = 10; seed < 40; ++seed) {
        Bytes junk = Random(64 + seed * 37, seed);
        const std::uint32_t size = 20000 + seed * 1000;
        std::memcpy(junk.data(), &size, 4);  // little-endian host
        EXPECT_TRUE(TLZH::Decompress(junk) == ReferenceDecoder().Decode(junk)) << seed;
    }
}

TEST(SkinLzh, TruncatedStreamsDecodeToTheDeclaredSize) {
    const Bytes data = Text(30000);
    const Bytes packed = lzh::Compress(data);
    for (std::size_t keep : {std::size_t{4}, std::size_t{5}, std::size_t{11}, packed.size() / 2, packed.size() - 1}) {
        const Bytes cut(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(keep));
        const Bytes out = TLZH::Decompress(cut);
        ASSERT_EQ(out.size(), data.size()) << keep;
        EXPECT_TRUE(out == ReferenceDecoder().Decode(cut)) << keep;
    }
    // Fewer than four bytes: the missing size bytes read as zero.
    EXPECT_TRUE(TLZH::Decompress(Bytes{3, 0}).size() == 3);
    EXPECT_TRUE(TLZH::Decompress(Bytes{}).empty());
    EXPECT_TRUE(TLZH::Decompress(Bytes{0, 0, 0, 0, 0xFF, 0xFF}).empty());
}

TEST(SkinLzh, RefusesDeclaredSizesAbove64MiB) {
    for (std::uint32_t size : {TLZH::kMaxDecodedSize + 1, 0xFFFFFFFFu}) {
        Bytes stream(4);
        std::memcpy(stream.data(), &size, 4);
        try {
            TLZH::Decompress(stream);
            ADD_FAILURE() << size;
        } catch (const ElzhException& e) {
            EXPECT_EQ(std::string(e.what()), "LZH : Declared size of " + std::to_string(size) +
                                                 " bytes is above the limit of 67108864 bytes; the stream is damaged");
        }
    }
}

TEST(SkinLzh, CutsAMatchThatRunsPastTheDeclaredSize) {
    Bytes data(100, 'q');
    Bytes packed = lzh::Compress(data);
    packed[0] = 37;  // the run was coded as longer matches
    const Bytes out = TLZH::Decompress(packed);
    EXPECT_EQ(out, Bytes(37, 'q'));
}

TEST(SkinLzh, PositionTablesHaveThePublishedShape) {
    EXPECT_EQ(lzh::d_code[31], 0);
    EXPECT_EQ(lzh::d_code[32], 1);
    EXPECT_EQ(lzh::d_code[79], 3);
    EXPECT_EQ(lzh::d_code[80], 4);
    EXPECT_EQ(lzh::d_code[143], 11);
    EXPECT_EQ(lzh::d_code[144], 12);
    EXPECT_EQ(lzh::d_code[191], 23);
    EXPECT_EQ(lzh::d_code[192], 24);
    EXPECT_EQ(lzh::d_code[239], 47);
    EXPECT_EQ(lzh::d_code[240], 48);
    EXPECT_EQ(lzh::d_code[255], 63);
    EXPECT_EQ(lzh::d_len[0], 3);
    EXPECT_EQ(lzh::d_len[79], 4);
    EXPECT_EQ(lzh::d_len[143], 5);
    EXPECT_EQ(lzh::d_len[191], 6);
    EXPECT_EQ(lzh::d_len[239], 7);
    EXPECT_EQ(lzh::d_len[240], 8);
}

}  // namespace
}  // namespace vc
