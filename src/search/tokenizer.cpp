#include "search/tokenizer.h"

#include <array>

#include "common/unicode.h"

namespace vc::search {
namespace {

enum class CharKind { kSeparator, kIgnored, kWord };

// Letters U+00C0 to U+00FF and U+0100 to U+017F without their accents, in
// lower case. '*' is not a letter; '1', '2', '3' and '4' stand for the
// letters that fold to two: "ae", "th", "ss", and in the second table '1'
// "ij" and '2' "oe".
constexpr char kLatin1Folds[] = "aaaaaa1ceeeeiiiidnooooo*ouuuuy23"
                                "aaaaaa1ceeeeiiiidnooooo*ouuuuy2y";
constexpr char kLatinExtendedAFolds[] = "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii11jjkkk"
                                        "llllllllllnnnnnnnnnoooooo22rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(sizeof kLatin1Folds == 64 + 1, "one fold per character from U+00C0");
static_assert(sizeof kLatinExtendedAFolds == 128 + 1, "one fold per character from U+0100");

bool In(char32_t c, char32_t first, char32_t last) { return c >= first && c <= last; }

CharKind KindOf(char32_t c) {
    if (c < 0x80) {
        return In(c, '0', '9') || In(c, 'A', 'Z') || In(c, 'a', 'z') ? CharKind::kWord : CharKind::kSeparator;
    }
    if (c < 0x100) {
        if (c == 0xAD) return CharKind::kIgnored;  // soft hyphen
        if (c == 0xAA || c == 0xB5 || c == 0xBA) return CharKind::kWord;
        return c >= 0xC0 && c != 0xD7 && c != 0xF7 ? CharKind::kWord : CharKind::kSeparator;
    }
    // Combining marks and variation selectors: the accents of decomposed text.
    if (In(c, 0x300, 0x36F) || In(c, 0x483, 0x489) || In(c, 0x1AB0, 0x1AFF) || In(c, 0x1DC0, 0x1DFF) ||
        In(c, 0x20D0, 0x20FF) || In(c, 0xFE00, 0xFE0F) || In(c, 0xFE20, 0xFE2F)) {
        return CharKind::kIgnored;
    }
    // Punctuation and symbol blocks; every other block counts as letters.
    if (In(c, 0x2B0, 0x2FF) || c == 0x37E || c == 0x387 || c == 0x482 || In(c, 0x2000, 0x2BFF) ||
        In(c, 0x2E00, 0x303F) || In(c, 0xFE10, 0xFE6F) || c == 0xFEFF || In(c, 0xFF00, 0xFF0F) ||
        In(c, 0xFF1A, 0xFF20) || In(c, 0xFF3B, 0xFF40) || In(c, 0xFF5B, 0xFF65) || In(c, 0xFFE0, 0xFFFF) ||
        In(c, 0x1F000, 0x1FFFF) || c >= 0xE0000) {
        return CharKind::kSeparator;
    }
    return CharKind::kWord;
}

void AppendFolded(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(In(c, 'A', 'Z') ? c + 32 : c));
        return;
    }
    const char* folds = nullptr;
    std::size_t index = 0;
    if (In(c, 0xC0, 0xFF)) {
        folds = kLatin1Folds;
        index = c - 0xC0;
    } else if (In(c, 0x100, 0x17F)) {
        folds = kLatinExtendedAFolds;
        index = c - 0x100;
    }
    if (folds) {
        switch (folds[index]) {
        case '1': out += folds == kLatin1Folds ? "ae" : "ij"; return;
        case '2': out += folds == kLatin1Folds ? "th" : "oe"; return;
        case '3': out += "ss"; return;
        default: out.push_back(folds[index]); return;
        }
    }
    if (c == 0xAA) c = 'a';
    else if (c == 0xBA) c = 'o';
    else if (c == 0xB5) c = 0x3BC;  // micro sign: Greek mu
    // Greek: lower case, tonos and dialytika dropped, final sigma as sigma.
    else if (In(c, 0x391, 0x3AB)) c += 0x20;
    else if (c == 0x3C2) c = 0x3C3;
    if (In(c, 0x386, 0x38F) || In(c, 0x3AC, 0x3B0) || In(c, 0x3CA, 0x3CE)) {
        switch (c) {
        case 0x386: case 0x3AC: c = 0x3B1; break;
        case 0x388: case 0x3AD: c = 0x3B5; break;
        case 0x389: case 0x3AE: c = 0x3B7; break;
        case 0x38A: case 0x3AF: case 0x3CA: case 0x390: c = 0x3B9; break;
        case 0x38C: case 0x3CC: c = 0x3BF; break;
        case 0x38E: case 0x3CD: case 0x3CB: case 0x3B0: c = 0x3C5; break;
        case 0x38F: case 0x3CE: c = 0x3C9; break;
        default: break;
        }
    }
    // Cyrillic capitals.
    if (In(c, 0x400, 0x40F)) c += 0x50;
    else if (In(c, 0x410, 0x42F)) c += 0x20;
    // Full-width digits and Latin letters.
    else if (In(c, 0xFF10, 0xFF19)) c = c - 0xFF10 + '0';
    else if (In(c, 0xFF21, 0xFF3A)) c = c - 0xFF21 + 'a';
    else if (In(c, 0xFF41, 0xFF5A)) c = c - 0xFF41 + 'a';
    vc::AppendUtf8(out, c);
}

// ASCII letters and digits folded, 0 for every other ASCII character: most
// text is ASCII, and this keeps it off the general path.
constexpr std::array<char, 128> AsciiFolds() {
    std::array<char, 128> folds{};
    for (int c = '0'; c <= '9'; ++c) folds[c] = static_cast<char>(c);
    for (int c = 'a'; c <= 'z'; ++c) folds[c] = static_cast<char>(c);
    for (int c = 'A'; c <= 'Z'; ++c) folds[c] = static_cast<char>(c + 32);
    return folds;
}
constexpr std::array<char, 128> kAsciiFolds = AsciiFolds();

// The character at text[at]; a byte that is not UTF-8 separates words.
char32_t CharAt(std::string_view text, std::size_t at, std::size_t& length) {
    char32_t c;
    return DecodeUtf8At(text, at, c, length) ? c : 0;
}

}  // namespace

bool WordScanner::Next() {
    folded_.clear();
    const std::size_t size = text_.size();
    std::size_t length = 0;
    while (at_ < size) {
        const unsigned char byte = static_cast<unsigned char>(text_[at_]);
        if (byte < 0x80) {
            if (kAsciiFolds[byte]) break;
            ++at_;
        } else if (KindOf(CharAt(text_, at_, length)) == CharKind::kWord) {
            break;
        } else {
            at_ += length;
        }
    }
    if (at_ >= size) return false;
    begin_ = at_;
    bool full = false;  // once a character does not fit, the rest is dropped
    while (at_ < size) {
        const unsigned char byte = static_cast<unsigned char>(text_[at_]);
        if (byte < 0x80) {
            if (!kAsciiFolds[byte]) break;
            end_ = ++at_;
            if (folded_.size() < kMaxWordBytes && !full) folded_.push_back(kAsciiFolds[byte]);
            else full = true;
            continue;
        }
        const char32_t c = CharAt(text_, at_, length);
        const CharKind kind = KindOf(c);
        if (kind == CharKind::kSeparator) break;
        at_ += length;
        if (kind == CharKind::kIgnored) continue;
        end_ = at_;
        const std::size_t before = folded_.size();
        if (!full) AppendFolded(folded_, c);
        if (folded_.size() > kMaxWordBytes) {
            folded_.resize(before);
            full = true;
        }
    }
    ++position_;
    return true;
}

std::vector<std::string> FoldedWords(std::string_view text) {
    std::vector<std::string> words;
    WordScanner scanner(text);
    while (scanner.Next()) words.push_back(scanner.Folded());
    return words;
}

}  // namespace vc::search
