#pragma once
// The adaptive Huffman model of the compressed skin stream, shared by the
// decoder (runtime) and the encoder (tools): both sides must evolve exactly
// the same tree, symbol after symbol, or the stream stops making sense.
#include <array>
#include <cstddef>
#include <cstdint>

namespace vc {
namespace lzh {

constexpr int N = 4096;            // ring buffer size
constexpr int F = 60;              // look-ahead: longest match
constexpr int THRESHOLD = 2;       // matches of THRESHOLD bytes or fewer are sent as literals
constexpr int N_CHAR = 256 - THRESHOLD + F;  // 314 symbols: 256 literals, 58 match lengths
constexpr int T = N_CHAR * 2 - 1;  // 627 tree nodes
constexpr int R = T - 1;           // the root
constexpr unsigned MAX_FREQ = 0x8000;  // the tree is rebuilt when the root reaches this
constexpr int kStartPosition = N - F;  // ring write position before the first byte
constexpr std::uint8_t kRingFill = 0x20;

// Decode tables of a match position, indexed by its first eight code bits:
// d_code gives the upper six position bits, d_len the length of their code
// (the whole position code is d_len + 6 bits long). Groups of equal upper bits
// are aligned, so the first entry of each group is that group's code.
constexpr std::array<std::uint8_t, 256> MakeDLen() {
    std::array<std::uint8_t, 256> len{};
    for (int i = 0; i < 256; ++i)
        len[i] = i < 32 ? 3 : i < 80 ? 4 : i < 144 ? 5 : i < 192 ? 6 : i < 240 ? 7 : 8;
    return len;
}
inline constexpr std::array<std::uint8_t, 256> d_len = MakeDLen();

constexpr std::array<std::uint8_t, 256> MakeDCode() {
    std::array<std::uint8_t, 256> code{};
    int upper = 0;
    for (int i = 0; i < 256;) {
        const int group = 1 << (8 - d_len[i]);
        for (int k = 0; k < group; ++k) code[i + k] = static_cast<std::uint8_t>(upper);
        i += group;
        ++upper;
    }
    return code;
}
inline constexpr std::array<std::uint8_t, 256> d_code = MakeDCode();

// Node frequencies are kept sorted in node order; the update finds where an
// incremented node belongs by galloping over that order instead of stepping
// one node at a time, which matters while long runs of equal frequencies
// exist (right after start and after every rebuild).
class Tree {
public:
    Tree() { Start(); }

    void Start();

    // Count one more occurrence of symbol c and restore the order.
    inline void Update(unsigned c);

    // Halve the leaf frequencies (rounding up) and rebuild the internal nodes.
    void Reconstruct();

    // freq has room past the sentinel so that the galloping search may
    // overshoot without a bounds test; every slot there holds 0xFFFF.
    std::uint16_t freq[2 * T + 2];
    std::uint16_t prnt[T + N_CHAR];  // parents of nodes; prnt[T + c] is the leaf of symbol c
    std::uint16_t son[T];            // left child (right is son + 1); leaves hold T + symbol

private:
    // Last node after `from` whose frequency is below k (the nodes from
    // `from` on are sorted and the sentinel stops the search).
    inline unsigned LastBelow(unsigned from, unsigned k) const;
};

inline unsigned Tree::LastBelow(unsigned from, unsigned k) const {
    // freq[from] < k is known. Gallop until a node not below k is found.
    unsigned lo = from, step = 1;
    while (freq[lo + step] < k) {
        lo += step;
        step <<= 1;
    }
    unsigned hi = lo + step;  // freq[hi] >= k, freq[lo] < k
    while (hi - lo > 1) {
        const unsigned mid = (lo + hi) >> 1;
        if (freq[mid] < k) lo = mid; else hi = mid;
    }
    return lo;
}

inline void Tree::Update(unsigned c) {
    if (freq[R] == MAX_FREQ) Reconstruct();
    std::size_t n = prnt[c + T];
    do {
        const std::uint16_t k = static_cast<std::uint16_t>(freq[n] + 1);
        freq[n] = k;
        if (k > freq[n + 1]) {
            // Swap node n with the last node of the run of equal frequency
            // above it, children and parents included.
            const unsigned l = LastBelow(static_cast<unsigned>(n) + 1, k);
            freq[n] = freq[l];
            freq[l] = k;
            const unsigned i = son[n];
            prnt[i] = static_cast<std::uint16_t>(l);
            if (i < T) prnt[i + 1] = static_cast<std::uint16_t>(l);
            const unsigned j = son[l];
            son[l] = static_cast<std::uint16_t>(i);
            prnt[j] = static_cast<std::uint16_t>(n);
            if (j < T) prnt[j + 1] = static_cast<std::uint16_t>(n);
            son[n] = static_cast<std::uint16_t>(j);
            n = l;
        }
        n = prnt[n];
    } while (n != 0);
}

}  // namespace lzh
}  // namespace vc
