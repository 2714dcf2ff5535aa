#include "skin/format/lzh.h"

#include <algorithm>
#include <cstring>

#include "skin/format/lzh_tree.h"

namespace vc {
namespace lzh {

void Tree::Start() {
    for (int i = 0; i < N_CHAR; ++i) {
        freq[i] = 1;
        son[i] = static_cast<std::uint16_t>(i + T);
        prnt[i + T] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        freq[j] = static_cast<std::uint16_t>(freq[i] + freq[i + 1]);
        son[j] = static_cast<std::uint16_t>(i);
        prnt[i] = prnt[i + 1] = static_cast<std::uint16_t>(j);
    }
    std::fill(freq + T, freq + sizeof freq / sizeof freq[0], std::uint16_t{0xFFFF});
    prnt[R] = 0;
}

void Tree::Reconstruct() {
    // Gather the leaves at the bottom of the table, in their order.
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (son[i] >= T) {
            freq[j] = static_cast<std::uint16_t>((freq[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    }
    // Join pairs bottom up; each new node is inserted at its sorted place,
    // moving whole entries of both tables up by one.
    for (int i = 0, n = N_CHAR; n < T; i += 2, ++n) {
        const unsigned f = static_cast<unsigned>(freq[i]) + freq[i + 1];
        // After the last node not above f; the first n nodes are sorted and
        // node i + 1 is not above f.
        const int k = static_cast<int>(std::upper_bound(freq + i + 2, freq + n, f) - freq);
        std::memmove(&freq[k + 1], &freq[k], static_cast<std::size_t>(n - k) * sizeof freq[0]);
        freq[k] = static_cast<std::uint16_t>(f);
        std::memmove(&son[k + 1], &son[k], static_cast<std::size_t>(n - k) * sizeof son[0]);
        son[k] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0; i < T; ++i) {
        const int k = son[i];
        prnt[k] = static_cast<std::uint16_t>(i);
        if (k < T) prnt[k + 1] = static_cast<std::uint16_t>(i);
    }
}

}  // namespace lzh

namespace {

using namespace lzh;

// Room after the declared size: match copies move whole 16-byte blocks.
constexpr std::size_t kSlack = 64;

// The input as 64-bit big-endian loads, eight bytes at a time while eight
// remain; the last few are copied into a zero-filled tail, and past the end
// the source keeps reading as zero bytes.
class ByteSource {
public:
    ByteSource(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {
        if (size >= 8) limit_ = end_ - 8;
        else EnterTail();
    }

    // The next eight bytes, then advance by `consumed` (at most eight).
    std::uint64_t Peek() {
        if (p_ > limit_) Slow();
        std::uint64_t v;
        std::memcpy(&v, p_, 8);
        return FromBigEndian(v);
    }
    void Advance(unsigned consumed) { p_ += consumed; }

private:
    static std::uint64_t FromBigEndian(std::uint64_t v) {
#if defined(__GNUC__) || defined(__clang__)
        return __builtin_bswap64(v);
#else
        v = ((v & 0x00FF00FF00FF00FFull) << 8) | ((v >> 8) & 0x00FF00FF00FF00FFull);
        v = ((v & 0x0000FFFF0000FFFFull) << 16) | ((v >> 16) & 0x0000FFFF0000FFFFull);
        return (v << 32) | (v >> 32);
#endif
    }

    void EnterTail() {
        if (end_ != p_) std::memcpy(tail_, p_, static_cast<std::size_t>(end_ - p_));
        in_tail_ = true;
        p_ = tail_;
        limit_ = tail_ + 16;
    }

    void Slow() {
        if (!in_tail_) EnterTail();
        else p_ = tail_ + 8;  // everything real has been read: zeros from here
    }

    const std::uint8_t* p_;
    const std::uint8_t* end_;
    const std::uint8_t* limit_ = nullptr;
    bool in_tail_ = false;
    std::uint8_t tail_[32] = {};
};

inline unsigned TrailingZeros(std::uint64_t v) {  // v != 0
#if defined(__GNUC__) || defined(__clang__)
    return static_cast<unsigned>(__builtin_ctzll(v));
#else
    unsigned n = 0;
    while (!(v & 1)) v >>= 1, ++n;
    return n;
#endif
}

// The bit window holds the unread bits at its top, then one marker bit, then
// zeros: the marker tells how many bits are held without a counter to keep
// up to date on every bit of the tree walk.
//
// A symbol code is at most 21 bits (the tree is a Huffman tree of at most
// 0x8000 counts, each at least 1) and a position code 14, so 37 bits held
// before a symbol are enough for the symbol and its position.
constexpr std::uint64_t kFewerThan37Bits = (std::uint64_t{1} << 27) - 1;

inline void Refill(std::uint64_t& buf, ByteSource& in) {
    const unsigned held = buf ? 63 - TrailingZeros(buf) : 0;
    buf &= buf - 1;  // drop the marker
    buf |= in.Peek() >> held;
    in.Advance((63 - held) >> 3);
    const unsigned now = held | 56;  // 56 to 63 bits
    buf &= ~std::uint64_t{0} << (64 - now);
    buf |= std::uint64_t{1} << (63 - now);
}

// A byte before the start of the output, as the ring holds it before
// decoding: spaces below the start position, zeros from there to the end.
inline std::uint8_t Preset(std::ptrdiff_t back) {  // -N <= back < 0
    return back >= -kStartPosition ? kRingFill : 0;
}

inline void CopyMatch(std::uint8_t* o, std::size_t d, std::size_t len) {
    const std::uint8_t* s = o - d;
    std::uint8_t* const stop = o + len;
    if (d >= 16) {
        do {
            std::memcpy(o, s, 16);
            o += 16;
            s += 16;
        } while (o < stop);
    } else if (d == 1) {
        std::memset(o, *s, len);
    } else if (d >= 8) {
        do {
            std::memcpy(o, s, 8);
            o += 8;
            s += 8;
        } while (o < stop);
    } else {
        // A short period: lay down the first eight bytes one at a time, then
        // copy eight at a time from a whole number of periods back.
        for (int i = 0; i < 8; ++i) o[i] = s[i];
        static constexpr std::uint8_t kPeriods[8] = {0, 0, 8, 9, 8, 10, 12, 14};
        s = o + 8 - kPeriods[d];
        o += 8;
        while (o < stop) {
            std::memcpy(o, s, 8);
            o += 8;
            s += 8;
        }
    }
}

}  // namespace

std::uint32_t TLZH::DeclaredSize(const std::uint8_t* data, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && i < size; ++i) value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    return value;
}

std::vector<std::uint8_t> TLZH::Decompress(const std::uint8_t* data, std::size_t size) {
    const std::uint32_t declared = DeclaredSize(data, size);
    if (declared > kMaxDecodedSize)
        throw ElzhException("LZH : Declared size of " + std::to_string(declared) +
                            " bytes is above the limit of " + std::to_string(kMaxDecodedSize) +
                            " bytes; the stream is damaged");
    std::vector<std::uint8_t> out(declared + kSlack);
    const std::size_t skip = std::min<std::size_t>(size, 4);
    ByteSource in(data + skip, size - skip);
    std::uint64_t buf = std::uint64_t{1} << 63;
    Tree tree;

    std::uint8_t* const base = out.data();
    std::uint8_t* const end = base + declared;
    std::uint8_t* o = base;
    while (o < end) {
        if ((buf & kFewerThan37Bits) == 0) Refill(buf, in);
        unsigned c = tree.son[R];
        std::uint64_t bits = buf;
        do {
            c = tree.son[c + static_cast<unsigned>(bits >> 63)];
            bits += bits;
        } while (c < static_cast<unsigned>(T));
        buf = bits;
        c -= T;
        tree.Update(c);
        if (c < 256) {
            *o++ = static_cast<std::uint8_t>(c);
            continue;
        }
        unsigned i = static_cast<unsigned>(buf >> 56);
        buf <<= 8;
        const unsigned upper = static_cast<unsigned>(d_code[i]) << 6;
        const unsigned extra = d_len[i] - 2u;  // 1 to 6
        i = (i << extra) | static_cast<unsigned>(buf >> (64 - extra));
        buf <<= extra;
        const std::size_t d = (upper | (i & 0x3F)) + 1;
        std::size_t len = c - (255 - THRESHOLD);
        const std::size_t done = static_cast<std::size_t>(o - base);
        if (d <= done && len <= static_cast<std::size_t>(end - o)) {
            CopyMatch(o, d, len);
            o += len;
            continue;
        }
        // Near the start (reaching into the preset ring) or at the end.
        len = std::min(len, static_cast<std::size_t>(end - o));
        for (std::size_t k = 0; k < len; ++k, ++o) {
            const std::ptrdiff_t from = (o - base) - static_cast<std::ptrdiff_t>(d);
            *o = from < 0 ? Preset(from) : base[from];
        }
    }
    out.resize(declared);
    return out;
}

}  // namespace vc
