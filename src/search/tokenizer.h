#pragma once
// Words as the search index sees them: runs of letters and digits, folded so
// that letter case and accents do not matter ("Crème" and "CREME" are both
// "creme"). The index and the queries read text through this one scanner.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vc::search {

// Longest folded word kept, in bytes; a longer run is cut there (its rest is
// dropped, so one huge run is still one word).
inline constexpr std::size_t kMaxWordBytes = 64;

// Reads the words of a UTF-8 text in order. Invalid bytes and every
// character that is neither a letter nor a digit separate words; combining
// accents and soft hyphens inside a word are dropped.
class WordScanner {
public:
    explicit WordScanner(std::string_view text) : text_(text) {}

    // Moves to the next word; false at the end of the text.
    bool Next();
    const std::string& Folded() const { return folded_; }
    // The word's bytes in the text: [Begin(), End()).
    std::size_t Begin() const { return begin_; }
    std::size_t End() const { return end_; }
    // 0 for the first word, counting up by one.
    std::uint32_t Position() const { return position_; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::string folded_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::uint32_t position_ = UINT32_MAX;
};

// The folded words of a text.
std::vector<std::string> FoldedWords(std::string_view text);

}  // namespace vc::search
