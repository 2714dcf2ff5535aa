#pragma once
// The published LZHUF decoder written the classic way: a ring buffer, one
// input byte at a time into a 16-bit bit buffer, the linear search in the
// tree update, the rebuild moving entries one by one. It reads and writes
// memory. The tests check the fast decoder against it bit for bit; the
// benchmark measures both in the same run.
#include <cstdint>
#include <cstring>
#include <vector>

#include "skin/format/lzh_tree.h"

namespace vc {
namespace bench {

using Bytes = std::vector<std::uint8_t>;

class ClassicDecoder {
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
        Bytes out(size + 60);
        std::size_t at = 0;
        while (at < size) {
            int c = DecodeChar();
            if (c < 256) {
                out[at++] = static_cast<std::uint8_t>(c);
                text[r++] = static_cast<unsigned char>(c);
                r &= 4095;
            } else {
                const int i = (r - DecodePosition() - 1) & 4095;
                const int j = c - 255 + 2;
                for (int k = 0; k < j; ++k) {
                    const unsigned char b = text[(i + k) & 4095];
                    out[at++] = b;
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

}  // namespace bench
}  // namespace vc
