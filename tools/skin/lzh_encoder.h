#pragma once
// The encoder of compressed skin streams, for the tools only: the runtime
// decodes and never includes this file. Kept in a header so that the tool,
// the tests and the benchmarks share one copy without a library of its own.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "skin/format/lzh.h"
#include "skin/format/lzh_tree.h"

namespace vc {
namespace lzh {

struct EncoderOptions {
    // Take a match only after checking that the next position does not
    // start a longer one.
    bool lazy = true;
    // Candidates looked at per position; the window holds at most N.
    int max_chain = N;
};

class Encoder {
public:
    explicit Encoder(EncoderOptions options = {}) : options_(options) {}

    std::vector<std::uint8_t> Encode(const std::uint8_t* data, std::size_t size) {
        if (size > TLZH::kMaxDecodedSize) throw std::length_error("too large for a compressed skin stream");
        out_.clear();
        for (int i = 0; i < 4; ++i) out_.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
        bits_ = 0;
        nbits_ = 0;
        tree_.Start();

        // The decoder starts with a ring of spaces (and zeros above the
        // start position); a history laid out the same way lets the first
        // bytes match against it. The zeros are never matched, so other
        // decoders whose ring holds anything there read our streams too.
        text_.assign(kHistory, 0);
        std::memset(text_.data() + (kHistory - kStartPosition), kRingFill, kStartPosition);
        text_.insert(text_.end(), data, data + size);
        head_.assign(kHashSize, -1);
        prev_.assign(N, -1);
        for (std::size_t p = kHistory - kStartPosition; p < kHistory; ++p) Insert(p);

        const std::size_t end = text_.size();
        std::size_t pos = kHistory;
        std::size_t inserted = kHistory;
        Match match = Find(pos, end);
        while (pos < end) {
            while (inserted < pos) Insert(inserted++);
            if (match.length > THRESHOLD && options_.lazy && pos + 1 < end && match.length < F) {
                Insert(inserted++);
                const Match next = Find(pos + 1, end);
                if (next.length > match.length) {
                    PutSymbol(text_[pos]);
                    ++pos;
                    match = next;
                    continue;
                }
            }
            if (match.length > THRESHOLD) {
                PutSymbol(static_cast<unsigned>(255 - THRESHOLD + match.length));
                PutPosition(static_cast<unsigned>(match.distance - 1));
                pos += match.length;
            } else {
                PutSymbol(text_[pos]);
                ++pos;
            }
            while (inserted < pos) Insert(inserted++);
            match = pos < end ? Find(pos, end) : Match{};
        }
        if (nbits_ > 0) out_.push_back(static_cast<std::uint8_t>(bits_ << (8 - nbits_)));
        return out_;
    }

    std::vector<std::uint8_t> Encode(const std::vector<std::uint8_t>& data) { return Encode(data.data(), data.size()); }

private:
    static constexpr std::size_t kHistory = N;
    static constexpr std::size_t kHashSize = 1 << 15;

    struct Match {
        std::size_t length = 0;
        std::size_t distance = 0;
    };

    std::size_t Hash(std::size_t p) const {
        const std::uint32_t v = (static_cast<std::uint32_t>(text_[p]) << 16) |
                                (static_cast<std::uint32_t>(text_[p + 1]) << 8) | text_[p + 2];
        return (v * 2654435761u) >> 17;
    }

    void Insert(std::size_t p) {
        if (p + 3 > text_.size()) return;
        const std::size_t h = Hash(p);
        prev_[p % N] = head_[h];
        head_[h] = static_cast<std::ptrdiff_t>(p);
    }

    // The longest match for the bytes at p (the nearest of equal length,
    // whose position code is the shortest), from the positions inserted.
    Match Find(std::size_t p, std::size_t end) const {
        Match best;
        if (p + 3 > end) return best;
        const std::size_t limit = std::min<std::size_t>(F, end - p);
        const std::uint8_t* const here = text_.data() + p;
        int chain = options_.max_chain;
        for (std::ptrdiff_t cand = head_[Hash(p)]; cand >= 0 && chain-- > 0; cand = prev_[cand % N]) {
            const std::size_t c = static_cast<std::size_t>(cand);
            if (c >= p) continue;
            const std::size_t distance = p - c;
            if (distance > static_cast<std::size_t>(N)) break;
            const std::uint8_t* const there = text_.data() + c;
            if (there[best.length] != here[best.length] || there[0] != here[0]) continue;
            std::size_t n = 0;
            while (n < limit && there[n] == here[n]) ++n;
            if (n > best.length) {
                best.length = n;
                best.distance = distance;
                if (n == limit) break;
            }
        }
        return best;
    }

    void PutBits(std::uint64_t value, unsigned count) {
        for (unsigned i = count; i-- > 0;) {
            bits_ = (bits_ << 1) | ((value >> i) & 1u);
            if (++nbits_ == 8) {
                out_.push_back(static_cast<std::uint8_t>(bits_));
                bits_ = 0;
                nbits_ = 0;
            }
        }
    }

    void PutSymbol(unsigned c) {
        // The code is the path from the root: gather it from the leaf up.
        std::uint64_t code = 0;
        unsigned length = 0;
        for (unsigned k = tree_.prnt[c + T]; k != static_cast<unsigned>(R); k = tree_.prnt[k]) {
            code |= static_cast<std::uint64_t>(k & 1u) << length;
            ++length;
        }
        PutBits(code, length);
        tree_.Update(c);
    }

    void PutPosition(unsigned p) {
        const unsigned upper = p >> 6;
        unsigned first = 0;
        while (d_code[first] != upper) ++first;
        PutBits(first >> (8 - d_len[first]), d_len[first]);
        PutBits(p & 0x3Fu, 6);
    }

    EncoderOptions options_;
    Tree tree_;
    std::vector<std::uint8_t> text_;
    std::vector<std::ptrdiff_t> head_;
    std::vector<std::ptrdiff_t> prev_;
    std::vector<std::uint8_t> out_;
    std::uint32_t bits_ = 0;
    unsigned nbits_ = 0;
};

inline std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& data, EncoderOptions options = {}) {
    return Encoder(options).Encode(data);
}

}  // namespace lzh
}  // namespace vc
