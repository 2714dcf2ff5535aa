#include "skin/lzh.h"

#include <algorithm>
#include <cstring>

#include "skin/lzh_tree.h"

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
        int k = n - 1;
        while (f < freq[k]) --k;
        ++k;
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

// Bits, most significant first, in a 64-bit window refilled eight bytes at a
// time. Past the end of the input the source reads as zero bytes.
class BitInput {
public:
    BitInput(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {
        if (size >= 8) {
            limit_ = end_ - 8;
        } else {
            EnterTail();
        }
    }

    // Afterwards at least 56 bits are held.
    void Refill() {
        if (p_ > limit_) Slow();
        std::uint64_t v;
        std::memcpy(&v, p_, 8);
        buf_ |= ByteSwapFromBig(v) >> count_;
        p_ += (63 - count_) >> 3;
        count_ |= 56;
    }

    unsigned Bit() {
        const unsigned b = static_cast<unsigned>(buf_ >> 63);
        buf_ <<= 1;
        --count_;
        return b;
    }

    unsigned Bits(unsigned n) {  // 1 <= n <= 8
        const unsigned v = static_cast<unsigned>(buf_ >> (64 - n));
        buf_ <<= n;
        count_ -= n;
        return v;
    }

    unsigned count() const { return count_; }

private:
    static std::uint64_t ByteSwapFromBig(std::uint64_t v) {
#if defined(__GNUC__) || defined(__clang__)
        return __builtin_bswap64(v);
#else
        v = ((v & 0x00FF00FF00FF00FFull) << 8) | ((v >> 8) & 0x00FF00FF00FF00FFull);
        v = ((v & 0x0000FFFF0000FFFFull) << 16) | ((v >> 16) & 0x0000FFFF0000FFFFull);
        return (v << 32) | (v >> 32);
#endif
    }

    // The last (fewer than eight) bytes are copied into a zero-filled tail so
    // that the eight-byte loads stay inside memory we own.
    void EnterTail() {
        const std::size_t rest = static_cast<std::size_t>(end_ - p_);
        std::memcpy(tail_, p_, rest);
        in_tail_ = true;
        p_ = tail_;
        limit_ = tail_ + 16;
    }

    void Slow() {
        if (!in_tail_) {
            EnterTail();
        } else {
            // Everything real has been read; keep loading zeros.
            p_ = tail_ + 8;
        }
    }

    const std::uint8_t* p_;
    const std::uint8_t* end_;
    const std::uint8_t* limit_ = nullptr;
    std::uint64_t buf_ = 0;
    unsigned count_ = 0;
    bool in_tail_ = false;
    std::uint8_t tail_[32] = {};
};

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
    BitInput in(data + skip, size - skip);
    Tree tree;

    std::uint8_t* const base = out.data();
    std::uint8_t* const end = base + declared;
    std::uint8_t* o = base;
    while (o < end) {
        in.Refill();
        unsigned c = tree.son[R];
        while (c < static_cast<unsigned>(T)) c = tree.son[c + in.Bit()];
        c -= T;
        tree.Update(c);
        if (c < 256) {
            *o++ = static_cast<std::uint8_t>(c);
            continue;
        }
        if (in.count() < 14) in.Refill();
        unsigned i = in.Bits(8);
        const unsigned upper = static_cast<unsigned>(d_code[i]) << 6;
        const unsigned extra = d_len[i] - 2u;
        i = (i << extra) | in.Bits(extra);
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
